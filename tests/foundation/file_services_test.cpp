#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

using foundation::DateiExistiert;
using foundation::DateiSuchen;
using foundation::OrdnerVonProgramm;
using foundation::PfadTeil;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(PfadTeil, givesThePartsOfLinuxPaths)
{
    struct Row {
        QString path;
        QString parts[6]; // modes -2, -1, 0, 1, 2, 3
    };
    const Row rows[] = {
        {s("/home/anna/Brief.txt"), {"", "/home/anna", "/home/anna/", "Brief", "txt", "Brief.txt"}},
        {s("  /srv/Freigabe/Ordner/a.b.c  "),
         {"", "/srv/Freigabe/Ordner", "/srv/Freigabe/Ordner/", "a.b", "c", "a.b.c"}},
        {s("Liesmich"), {"", "", "", "Liesmich", "", "Liesmich"}},
        {s("/Brief.txt"), {"", "/", "/", "Brief", "txt", "Brief.txt"}},
        {s("/home/anna/"), {"", "/home/anna", "/home/anna/", "", "", ""}},
        {s("C:\\Daten\\Brief.txt"), {"", "C:/Daten", "C:/Daten/", "Brief", "txt", "Brief.txt"}},
        {s("/a.b/datei"), {"", "/a.b", "/a.b/", "datei", "", "datei"}},
        {s("/home/anna/.profil"), {"", "/home/anna", "/home/anna/", "", "profil", ".profil"}},
        {s("Tage buch/Eintrag. "), {"", "Tage buch", "Tage buch/", "Eintrag", "", "Eintrag."}},
        {s(""), {"", "", "", "", "", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        for (int mode = -2; mode <= 3; ++mode)
            EXPECT_EQ(PfadTeil(row.path, mode), row.parts[mode + 2]) << "mode " << mode;
        EXPECT_EQ(PfadTeil(row.path, 4), QString());
        EXPECT_EQ(PfadTeil(row.path, -3), QString());
    }
}

TEST(DateiExistiert, onlyReadableFilesInAnySpellingExist)
{
    TempFolder temp;
    temp.write(s("Ordner/Brief.txt"), "x");
    temp.write(s("Ordner/Leer.txt"), "");
    temp.makeFolder(s("Ordner/Unter"));
    struct Row {
        QString path;
        bool exists;
    };
    const Row rows[] = {
        {temp.file(s("Ordner/Brief.txt")), true},
        {temp.file(s("ORDNER/brief.TXT")), true},
        {temp.file(s("Ordner\\Brief.txt")), true},
        {temp.file(s("Ordner/Leer.txt")), true},
        {temp.file(s("Ordner/Unter")), false},
        {temp.file(s("Ordner")), false},
        {temp.file(s("Ordner/*.txt")), false},
        {temp.file(s("Ordner/Brief.tx?")), false},
        {temp.file(s("Ordner/Fehlt.txt")), false},
        {QString(), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        EXPECT_EQ(DateiExistiert(row.path), row.exists);
    }

    if (!runningAsRoot()) {
        PermissionGuard guard(temp.file(s("Ordner/Brief.txt")));
        temp.setPermissions(s("Ordner/Brief.txt"), QFileDevice::WriteOwner);
        EXPECT_FALSE(DateiExistiert(temp.file(s("Ordner/Brief.txt"))));
    }
}

TEST(DateiSuchen, triesTheProgramsFoldersInOrder)
{
    TempSettingsFolders folders;
    foundation::OrdnerFestlegen();
    // Data and program folder are one folder by default; give the data its own.
    foundation::ordnerDat = folders.temp().file(s("daten"));
    folders.temp().makeFolder(s("daten"));

    folders.temp().write(s("program/Hilfe.txt"), "prg");
    EXPECT_EQ(DateiSuchen(s("hilfe.TXT")), folders.programFolder() + s("/Hilfe.txt"));
    folders.temp().write(s("daten/hilfe.txt"), "dat");
    EXPECT_EQ(DateiSuchen(s("Hilfe.txt")), folders.temp().file(s("daten/hilfe.txt")));

    folders.writeSettingsFile(s("Nur.ini"), "");
    EXPECT_EQ(DateiSuchen(s("Nur.ini")), folders.settingsFolder() + s("/Nur.ini"));
    folders.temp().write(s("xdg/Brisols-Programme/win.ini"), "");
    EXPECT_EQ(DateiSuchen(s("win.ini")), folders.defaultsFolder() + s("/win.ini"));
    EXPECT_EQ(DateiSuchen(s("Gibt es nicht.txt")), QString());
    EXPECT_EQ(DateiSuchen(s("*.txt")), QString());
}

TEST(DateiSuchen, foldersNotSetUpAreSkipped)
{
    TempSettingsFolders folders;
    const QString before = QDir::currentPath();
    QDir::setCurrent(folders.temp().path());
    folders.temp().write(s("Hier.txt"), "x");
    EXPECT_EQ(DateiSuchen(s("Hier.txt")), folders.temp().file(s("Hier.txt")));
    QDir::setCurrent(before);

    // Folders that are not set up must not make the root folder a place to search.
    const QStringList inRoot = QDir(s("/")).entryList(QDir::Files | QDir::Hidden | QDir::Readable);
    if (inRoot.isEmpty())
        GTEST_SKIP() << "no file in the root folder to look for";
    EXPECT_EQ(DateiSuchen(inRoot.first()), QString());
}

TEST(OrdnerVonProgramm, readsTheFamilyProgramsSectionOfBrisolIni)
{
    TempSettingsFolders folders;
    folders.writeSettingsFile(s("Brisol.ini"),
                              "[Zindor]\r\nOrdnerPrg=/opt/zindor/\r\n"
                              "OrdnerDat#=/srv/zindor/daten/\r\nOrdnerDat=/alt\r\n"
                              "[Movrenta]\r\nDir=C:\\Programme\\Movrenta\\\r\n"
                              "[Lintaram]\r\nordnerPrg=/opt/lintaram\r\n"
                              "ordnerDat={APPDIR}/Daten\r\nDirData=/nicht/gefragt\r\n"
                              "[Sendix]\r\nDirData=/srv/sendix\r\nordnerPrg=/opt/sendix\r\n");
    foundation::OrdnerFestlegen(); // writes this program's own keys
    struct Row {
        const char* word;
        const char* kind;
        QString expected;
    };
    const Row rows[] = {
        {"Zindor", "Prg", s("/opt/zindor")},
        {"zindor", "Daten", s("/srv/zindor/daten")},
        {"Zindor", "DAT", s("/srv/zindor/daten")},
        {"Zindor", "da", s("/opt/zindor")},
        {"Movrenta", "Daten", s("C:/Programme/Movrenta")},
        {"Movrenta", "Prg", s("C:/Programme/Movrenta")},
        {"Lintaram", "Daten", s("/opt/lintaram/Daten")},
        {"Sendix", "Daten", s("/srv/sendix")},
        {"Fehlt", "Daten", QString()},
        {"", "Prg", folders.programFolder()},
        {"", "Daten", folders.programFolder()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.word) + " " + row.kind);
        EXPECT_EQ(OrdnerVonProgramm(s(row.word), s(row.kind)), row.expected);
    }
}

TEST(Warten, processesEventsInRoundsOf100MsWithoutSleeping)
{
    FakeClock clock;
    ScopedService guard(platform::setClock, &clock);
    struct Row {
        float seconds;
        qint64 waited;
    };
    const Row rows[] = {{0.0f, 100}, {-3.0f, 100}, {0.25f, 300}, {1.0f, 1000}, {0.1f, 100}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.seconds);
        const qint64 start = clock.tick();
        foundation::Warten(row.seconds);
        EXPECT_EQ(clock.tick() - start, row.waited);
    }

    int handled = 0;
    QTimer::singleShot(0, qApp, [&handled] { ++handled; });
    QMetaObject::invokeMethod(qApp, [&handled] { ++handled; }, Qt::QueuedConnection);
    foundation::Warten(0);
    EXPECT_EQ(handled, 2);
}

TEST(Warten, endsAfterTheTimeEvenWithAHugeTickCount)
{
    FakeClock clock;
    clock.setTick(qint64(1) << 40); // far beyond what 32 bits or a float could count exactly
    ScopedService guard(platform::setClock, &clock);
    foundation::Warten(0.5f);
    EXPECT_EQ(clock.tick(), (qint64(1) << 40) + 500);
}

TEST(ZumProgrammOrdner, makesTheProgramFolderCurrent)
{
    TempSettingsFolders folders;
    const QString before = QDir::currentPath();
    foundation::ordnerPrg = folders.temp().path() + s("/PROGRAM");
    foundation::ZumProgrammOrdner();
    EXPECT_EQ(QDir::currentPath(), folders.programFolder());

    foundation::ordnerPrg = folders.temp().file(s("fehlt"));
    foundation::ZumProgrammOrdner();
    EXPECT_EQ(QDir::currentPath(), folders.programFolder());
    QDir::setCurrent(before);
}

} // namespace
