#include "platform/path_resolver.h"

#include "platform/folder_memory.h"

#include "support/qt_print.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <vector>

using platform::EntryKind;
using platform::listFolder;
using platform::matchesFileMask;
using platform::pathExists;
using platform::resolvePath;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class PathResolverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        temp.write(QStringLiteral("Daten/Brisol.ini"), "x");
        temp.write(QStringLiteral("Daten/Tage/2026/2026-01-05.txt"), "x");
        temp.write(QStringLiteral("Daten/Übersicht.TXT"), "x");
    }

    TempFolder temp;
};

TEST_F(PathResolverTest, anySpellingFindsTheSpellingOnDisk)
{
    struct Row {
        const char* name;
        QString given;
        QString expected;
    };
    const QString base = temp.path();
    const Row rows[] = {
        {"exact", base + s("/Daten/Brisol.ini"), base + s("/Daten/Brisol.ini")},
        {"lower case", base + s("/daten/brisol.ini"), base + s("/Daten/Brisol.ini")},
        {"upper case", base + s("/DATEN/BRISOL.INI"), base + s("/Daten/Brisol.ini")},
        {"backslashes", base + s("\\DATEN\\brisol.INI"), base + s("/Daten/Brisol.ini")},
        {"umlaut in another case", base + s("/daten/übersicht.txt"),
         base + s("/Daten/Übersicht.TXT")},
        {"deep folder", base + s("/daten/TAGE/2026/2026-01-05.TXT"),
         base + s("/Daten/Tage/2026/2026-01-05.txt")},
        {"doubled and final separators", base + s("//daten///brisol.ini/"),
         base + s("/Daten/Brisol.ini")},
        {"new file keeps its spelling", base + s("/daten/Neu.INI"), base + s("/Daten/Neu.INI")},
        {"missing folder and below keep theirs", base + s("/daten/Fehlt/tage"),
         base + s("/Daten/Fehlt/tage")},
        {"dot-dot passes", base + s("/daten/tage/../BRISOL.ini"),
         base + s("/Daten/Tage/../Brisol.ini")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(resolvePath(row.given), row.expected);
    }
}

TEST_F(PathResolverTest, relativePathIsLookedUpFromTheCurrentFolder)
{
    const QString previous = QDir::currentPath();
    if (!QDir::setCurrent(temp.path())) {
        ADD_FAILURE() << "cannot change into " << temp.path().toStdString();
        return;
    }
    EXPECT_EQ(resolvePath(QStringLiteral("daten/BRISOL.INI")), QStringLiteral("Daten/Brisol.ini"));
    EXPECT_TRUE(pathExists(QStringLiteral("DATEN\\brisol.ini")));
    EXPECT_EQ(listFolder(QStringLiteral("DATEN"), QStringLiteral("*.ini")),
              QStringList{QStringLiteral("Brisol.ini")});
    QDir::setCurrent(previous);
}

TEST_F(PathResolverTest, exactSpellingWinsThenFirstInNameOrder)
{
    temp.write(QStringLiteral("Mehr/brisol.ini"), "klein");
    temp.write(QStringLiteral("Mehr/Brisol.ini"), "gemischt");
    temp.write(QStringLiteral("Mehr/BRISOL.INI"), "gross");
    const QString folder = temp.path() + s("/Mehr/");
    EXPECT_EQ(resolvePath(folder + s("brisol.ini")), folder + s("brisol.ini"));
    EXPECT_EQ(resolvePath(folder + s("Brisol.ini")), folder + s("Brisol.ini"));
    // No exact spelling: "BRISOL.INI" < "Brisol.ini" < "brisol.ini" by code points.
    EXPECT_EQ(resolvePath(folder + s("bRISOL.ini")), folder + s("BRISOL.INI"));
}

TEST_F(PathResolverTest, existenceIgnoresCase)
{
    EXPECT_TRUE(pathExists(temp.file(QStringLiteral("DATEN/brisol.INI"))));
    EXPECT_TRUE(pathExists(temp.file(QStringLiteral("daten/tage"))));
    EXPECT_FALSE(pathExists(temp.file(QStringLiteral("daten/brisol.ini.bak"))));
    EXPECT_FALSE(pathExists(temp.file(QStringLiteral("fehlt/brisol.ini"))));
    // A file is no folder: nothing exists below it.
    EXPECT_FALSE(pathExists(temp.file(QStringLiteral("daten/brisol.ini/x"))));
    EXPECT_FALSE(pathExists(QString()));
    EXPECT_TRUE(pathExists(QStringLiteral("/")));
}

TEST(FileMask, starQuestionMarkAndDotStarWithoutRegardToCase)
{
    struct Row {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Row rows[] = {
        {"Feiertag.dci", "*.dci", true},
        {"FEIERTAG.DCI", "*.dci", true},
        {"Feiertag.dcix", "*.dci", false},
        {"dci", "*.dci", false},
        {"2026-01-05.txt", "2026*.txt", true},
        {"2025-01-05.txt", "2026*.txt", false},
        {"2026.txt", "2026*.txt", true},
        {"Info.txt", "info.???", true},
        {"Info.text", "info.???", false},
        {"Keys.txt", "*", true},
        {"Keys", "*.*", true},
        {"Info", "Info.*", true},
        {"Info.kv", "Info.*", true},
        {"Infos", "Info.*", false},
        {"a[1]#.txt", "a[1]#.*", true},
        {"aXbXc", "*x*x*", true},
        {"aXb", "*x*x*", false},
        {"Übersicht.txt", "ü*", true},
        {"anything", "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " ~ " + row.pattern);
        EXPECT_EQ(matchesFileMask(QString::fromUtf8(row.name), QString::fromUtf8(row.pattern)),
                  row.matches);
    }
}

TEST_F(PathResolverTest, listingFiltersIgnoresCaseAndSortsByName)
{
    temp.write(QStringLiteral("Liste/b.dci"), "x");
    temp.write(QStringLiteral("Liste/A.DCI"), "x");
    temp.write(QStringLiteral("Liste/Feiertag.dci"), "x");
    temp.write(QStringLiteral("Liste/c.txt"), "x");
    temp.write(QStringLiteral("Liste/.versteckt.dci"), "x");
    temp.makeFolder(QStringLiteral("Liste/ordner.dci"));
    temp.makeFolder(QStringLiteral("Liste/2026"));
    temp.makeFolder(QStringLiteral("Liste/1999"));

    const QString folder = temp.file(QStringLiteral("LISTE"));
    EXPECT_EQ(listFolder(folder, QStringLiteral("*.DCI")),
              (QStringList{QStringLiteral("A.DCI"), QStringLiteral("b.dci"),
                           QStringLiteral("Feiertag.dci")}));
    EXPECT_EQ(listFolder(folder, QStringLiteral("*.*")),
              (QStringList{QStringLiteral("A.DCI"), QStringLiteral("b.dci"),
                           QStringLiteral("c.txt"), QStringLiteral("Feiertag.dci")}));
    EXPECT_EQ(listFolder(folder, QStringLiteral("????"), EntryKind::Folders),
              (QStringList{QStringLiteral("1999"), QStringLiteral("2026")}));
    EXPECT_EQ(listFolder(folder, QStringLiteral("*"), EntryKind::Folders),
              (QStringList{QStringLiteral("1999"), QStringLiteral("2026"),
                           QStringLiteral("ordner.dci")}));
    EXPECT_TRUE(listFolder(temp.file(QStringLiteral("fehlt")), QStringLiteral("*")).isEmpty());
}

TEST_F(PathResolverTest, linksCountAsWhatTheyPointToAndOtherEntriesAsNeither)
{
    temp.write(QStringLiteral("Art/datei.txt"), "x");
    temp.makeFolder(QStringLiteral("Art/ordner"));
    temp.makeFolder(QStringLiteral("Art/.versteckt"));
    const QString art = temp.file(QStringLiteral("Art"));
    ASSERT_TRUE(QFile::link(art + QStringLiteral("/datei.txt"), art + QStringLiteral("/zu-datei")));
    ASSERT_TRUE(QFile::link(art + QStringLiteral("/ordner"), art + QStringLiteral("/zu-ordner")));
    ASSERT_TRUE(QFile::link(art + QStringLiteral("/fehlt"), art + QStringLiteral("/ins-leere")));
    ASSERT_EQ(mkfifo(QFile::encodeName(art + QStringLiteral("/rohr")).constData(), 0600), 0);

    EXPECT_EQ(listFolder(art, QString()),
              (QStringList{QStringLiteral("datei.txt"), QStringLiteral("zu-datei")}));
    EXPECT_EQ(listFolder(art, QString(), EntryKind::Folders),
              (QStringList{QStringLiteral("ordner"), QStringLiteral("zu-ordner")}));
    // Any entry is found by another spelling, hidden ones and those that are neither too.
    for (const char* name : {".versteckt", "ins-leere", "rohr"})
        EXPECT_EQ(resolvePath(art + u'/' + s(name).toUpper()), art + u'/' + s(name)) << name;
}

TEST_F(PathResolverTest, listingOrderRepeatsForNamesThatDifferOnlyInCase)
{
    temp.write(QStringLiteral("Fall/notiz.txt"), "x");
    temp.write(QStringLiteral("Fall/Notiz.txt"), "x");
    temp.write(QStringLiteral("Fall/NOTIZ.TXT"), "x");
    const QStringList expected{QStringLiteral("NOTIZ.TXT"), QStringLiteral("Notiz.txt"),
                               QStringLiteral("notiz.txt")};
    EXPECT_EQ(listFolder(temp.file(QStringLiteral("fall")), QStringLiteral("notiz.*")), expected);
}

// What another process does to a folder while this one remembers its listing; the other process
// then sets the folder's modification time back to the very same value, as a network share
// whose clock counts whole seconds shows it. Listings are used again at once here, not only once
// the folder's last change lies back far enough.
TEST_F(PathResolverTest, changeByAnotherProcessIsSeenThroughTheRememberedListing)
{
    platform::setSettleTimeForTests(0);
    struct Back {
        ~Back() { platform::setSettleTimeForTests(std::nullopt); }
    } back;
    struct Row {
        const char* what;
        const char* shell; // run in the folder
        const char* asked;
        const char* expected; // the name found, "" when none
    };
    const std::vector<Row> rows = {
        {"new file", "printf x > bildlist.INI", "BildList.ini", "bildlist.INI"},
        {"renamed to another case", "mv Brisol.ini BRISOL.INI", "Brisol.ini", "BRISOL.INI"},
        {"removed", "rm Brisol.ini", "brisol.ini", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder own;
        own.write(QStringLiteral("Brisol.ini"), "x");
        const QByteArray folder = QFile::encodeName(own.path());
        const timespec hourAgo{time(nullptr) - 3600, 123456789};
        const timespec times[2] = {hourAgo, hourAgo};
        ASSERT_EQ(utimensat(AT_FDCWD, folder.constData(), times, 0), 0);
        // Listed twice: the second time from memory.
        for (int i = 0; i < 2; ++i) {
            EXPECT_FALSE(pathExists(own.file(s("BildList.ini"))));
            EXPECT_EQ(listFolder(own.path(), s("*.ini")), QStringList{s("Brisol.ini")});
        }

        QProcess other;
        other.setWorkingDirectory(own.path());
        other.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"),
                     s(row.shell) + QStringLiteral(" && touch -d @%1.123456789 .")
                                        .arg(static_cast<qint64>(hourAgo.tv_sec))});
        ASSERT_TRUE(other.waitForFinished());
        ASSERT_EQ(other.exitCode(), 0);
        struct stat after {};
        ASSERT_EQ(stat(folder.constData(), &after), 0);
        ASSERT_EQ(after.st_mtim.tv_sec, hourAgo.tv_sec);
        ASSERT_EQ(after.st_mtim.tv_nsec, hourAgo.tv_nsec);

        const QString asked = own.file(s(row.asked));
        EXPECT_EQ(pathExists(asked), *row.expected != '\0');
        if (*row.expected != '\0') {
            EXPECT_EQ(resolvePath(asked), own.file(s(row.expected)));
        }
        const QStringList listed = listFolder(own.path(), s("*.ini"));
        EXPECT_EQ(listed.contains(s(row.expected)), *row.expected != '\0') << listed.join(u',').toStdString();
    }
}

} // namespace
