// Whole files replaced on disks that are full and in folders that take no new file, and files of
// other users rewritten by the super-user.
#include "platform/ini_file.h"
#include "platform/text_file.h"

#include "runtime/error.h"
#include "support/qt_print.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace ini = platform::ini;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// An INI file of some 20 KB.
QByteArray oldIni()
{
    QByteArray bytes = "[Korvanel]\r\n";
    for (int i = 0; bytes.size() < 20 * 1024; ++i)
        bytes += "Eintrag" + QByteArray::number(i) + "=alter Wert " + QByteArray::number(i) + "\r\n";
    return bytes;
}

struct stat statOf(const QString& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    return st;
}

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }
};

TEST_F(FullDisk, failedWriteReportsDiskFullAndLeavesTheOldFileByteForByte)
{
    struct Row {
        const char* name;
        qint64 leaveFree;     // bytes left free by a filler file; -1: no filler
        bool noInodes;        // every inode taken
        bool folderTakesNone; // the folder takes no new entry: only a write in place is left
    };
    // The rows with the immutable folder come last: where the file system has no such flag,
    // they are skipped.
    const Row rows[] = {
        {"keine freien Bloecke", 0, false, false},
        {"keine freien Inodes", -1, true, false},
        {"keine freien Inodes und nur 8 KB frei", 8192, true, false},
        {"Ordner nimmt keine neue Datei, keine freien Bloecke", 0, false, true},
        {"Ordner nimmt keine neue Datei, nur 8 KB frei", 8192, false, true},
    };
    const QByteArray old = oldIni();
    // Each write would make the file some 40 KB.
    const QString value(20 * 1024, u'n');
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SmallDisk disk(256 * 1024, 64);
        if (!disk.mounted())
            GTEST_SKIP() << disk.why().toStdString();
        disk.write(s("Daten/Brisol.ini"), old);
        if (row.folderTakesNone && !disk.makeFolderImmutable(s("Daten")))
            GTEST_SKIP() << "no immutable folders on tmpfs here";
        if (row.leaveFree >= 0)
            disk.fillBlocks(row.leaveFree);
        if (row.noInodes)
            disk.fillInodes();
        const QString file = disk.file(s("Daten/Brisol.ini"));

        rt::clearError();
        EXPECT_FALSE(ini::write(file, s("Korvanel"), s("Neu"), value));
        EXPECT_EQ(rt::Err().number, rt::ErrDiskFull);
        EXPECT_EQ(disk.read(s("Daten/Brisol.ini")), old);

        rt::clearError();
        EXPECT_FALSE(platform::writeFile(file, old + old));
        EXPECT_EQ(rt::Err().number, rt::ErrDiskFull);
        EXPECT_EQ(disk.read(s("Daten/Brisol.ini")), old);

        // No temporary file and no lock file left behind.
        EXPECT_EQ(disk.entries(s("Daten")), QStringList{s("Brisol.ini")});
    }
}

TEST_F(FullDisk, folderThatTakesNoNewFileGetsTheWriteInPlaceWhenItFits)
{
    SmallDisk disk(256 * 1024, 64);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    const QByteArray old = oldIni();
    disk.write(s("Daten/Brisol.ini"), old);
    if (!disk.makeFolderImmutable(s("Daten")))
        GTEST_SKIP() << "no immutable folders on tmpfs here";
    // Room for the growth, and little more.
    disk.fillBlocks(24 * 1024);
    const QString file = disk.file(s("Daten/Brisol.ini"));
    const ino_t inode = statOf(file).st_ino;

    const QString value(20 * 1024, u'n');
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("Neu"), value));
    EXPECT_EQ(disk.read(s("Daten/Brisol.ini")), old + "Neu=" + value.toLatin1() + "\r\n");
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("Neu"), s("kurz")));
    EXPECT_EQ(disk.read(s("Daten/Brisol.ini")), old + "Neu=kurz\r\n");

    EXPECT_EQ(statOf(file).st_ino, inode);
    EXPECT_EQ(disk.entries(s("Daten")), QStringList{s("Brisol.ini")});
    EXPECT_EQ(rt::Err().number, 0);
}

TEST(WriteFile, fileOfAnotherUserKeepsItsOwnerGroupAndModeWhenTheSuperUserRewritesIt)
{
    if (!runningAsRoot())
        GTEST_SKIP() << "only the super-user writes files of other users";
    const uid_t otherUser = 65534;
    const gid_t otherGroup = 65534;
    struct Row {
        const char* name;
        mode_t mode;
        bool throughIni;
    };
    const Row rows[] = {
        {"0640, ganze Datei", 0640, false},
        {"0600, ganze Datei", 0600, false},
        {"0666, ganze Datei", 0666, false},
        {"0640, INI-Wert", 0640, true},
        {"0604, INI-Wert", 0604, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder temp;
        temp.write(s("Brisol.ini"), "[Korvanel]\r\nx=1\r\n");
        const QString file = temp.file(s("Brisol.ini"));
        const QByteArray name = QFile::encodeName(file);
        ASSERT_EQ(::chown(name.constData(), otherUser, otherGroup), 0);
        ASSERT_EQ(::chmod(name.constData(), row.mode), 0);

        if (row.throughIni)
            EXPECT_TRUE(ini::write(file, s("Korvanel"), s("x"), s("2")));
        else
            EXPECT_TRUE(platform::writeFile(file, "[Korvanel]\r\nx=2\r\n"));

        EXPECT_EQ(temp.read(s("Brisol.ini")), QByteArray("[Korvanel]\r\nx=2\r\n"));
        const struct stat st = statOf(file);
        EXPECT_EQ(st.st_uid, otherUser);
        EXPECT_EQ(st.st_gid, otherGroup);
        EXPECT_EQ(st.st_mode & 07777, row.mode);
    }
}


TEST(WriteNewFile, createsAPrivateFileAndNeverTouchesWhatStandsThere)
{
    TempFolder temp;
    temp.write(s("da.txt"), "alt");
    temp.write(s("ziel.txt"), "Ziel");
    ASSERT_TRUE(QFile::link(temp.file(s("ziel.txt")), temp.file(s("link.txt"))));
    ASSERT_TRUE(QFile::link(temp.file(s("fehlt.txt")), temp.file(s("toter link.txt"))));
    struct Row {
        const char* name;
        const char* file;
        bool written;
        int error;
    };
    const Row rows[] = {
        {"a new name", "neu Ä.txt", true, 0},
        {"a file there", "da.txt", false, rt::ErrFileExists},
        {"a link there", "link.txt", false, rt::ErrFileExists},
        {"a link to nothing there", "toter link.txt", false, rt::ErrFileExists},
        {"a folder missing on the way", "fehlt/neu.txt", false, rt::ErrPathNotFound},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rt::clearError();
        EXPECT_EQ(platform::writeNewFile(temp.file(s(row.file)), "neu\r\n"), row.written);
        EXPECT_EQ(rt::Err().number, row.error);
    }
    EXPECT_EQ(temp.read(s("neu Ä.txt")), "neu\r\n");
    EXPECT_EQ(statOf(temp.file(s("neu Ä.txt"))).st_mode & 0777, 0600u);
    EXPECT_EQ(temp.read(s("da.txt")), "alt");
    EXPECT_EQ(temp.read(s("ziel.txt")), "Ziel");
    EXPECT_FALSE(temp.exists(s("fehlt.txt")));
    rt::clearError();
}

TEST_F(FullDisk, newFileThatDoesNotFitIsRemoved)
{
    SmallDisk disk(256 * 1024, 64);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    disk.write(s("Temp/.keep"), "");
    disk.fillBlocks(8192);
    EXPECT_FALSE(platform::writeNewFile(disk.file(s("Temp/Eintrag.txt")), QByteArray(64 * 1024, 'x')));
    EXPECT_EQ(rt::Err().number, rt::ErrDiskFull);
    EXPECT_EQ(disk.entries(s("Temp")), QStringList{s(".keep")});
}

} // namespace

namespace {

TEST(ReadFile, onlyAPlainFileIsRead_aPipeOrAFolderFailsAtOnce)
{
    rt::clearError();
    TempFolder temp;
    temp.write(s("Datei.txt"), "Inhalt");
    ASSERT_TRUE(QFile::link(temp.file(s("Datei.txt")), temp.file(s("Verweis.txt"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.file(s("Rohr.txt"))).constData(), 0600), 0);
    temp.makeFolder(s("Ordner.txt"));
    struct Fall {
        const char* name;
        std::optional<QByteArray> inhalt;
        int fehler;
    };
    for (const Fall& fall : {Fall{"Datei.txt", QByteArray("Inhalt"), 0},
                             Fall{"DATEI.TXT", QByteArray("Inhalt"), 0},
                             Fall{"Verweis.txt", QByteArray("Inhalt"), 0},
                             Fall{"Rohr.txt", std::nullopt, rt::ErrPathFileAccess},
                             Fall{"Ordner.txt", std::nullopt, rt::ErrPathFileAccess},
                             Fall{"fehlt.txt", std::nullopt, rt::ErrFileNotFound}}) {
        SCOPED_TRACE(fall.name);
        rt::clearError();
        EXPECT_EQ(platform::readFile(temp.file(s(fall.name))), fall.inhalt);
        EXPECT_EQ(rt::Err().number, fall.fehler);
    }
    rt::clearError();
}

} // namespace
