// The backup job: the folder asked for and kept with its placeholders, the confirmation, and the
// job itself run in a sandbox of real folders (copies, copies only what is newer the next time,
// finishes an interrupted run, follows no link, deletes itself).
#include "integration_fixture.h"

#include "foundation/folders.h"
#include "integration/data_backup.h"
#include "support/data_folder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

class Backup : public IntegrationTest {
protected:
    Backup()
    {
        resetDiaryState();
        daten.use();
        clock.setNow(rt::dateTimeOf(2025, 3, 3, 14, 7, 0));
        foundation::ordnerPrg = folders.programFolder();
        daten.write(u8("Info.Txt"), "Mein Tagebuch\r\n");
        daten.write(u8("2024/20240305.Txt"), "Eintrag");
        folders.writeSettingsFile(u8("Brisol.ini"), "[Korvanel]\r\n");
        folders.writeSettingsFile(u8("Bris_Prn.ini"), "[Korvanel_Druck]\r\n");
        folders.writeSettingsFile(u8("fremd.ini"), "x");
        folders.temp().write(u8("program/") + programm(), "ELF");
        folders.temp().write(u8("program/Tipps.Bot"), "Tipp");
        folders.temp().write(u8("program/CMakeCache.txt"), "build tree");
    }
    ~Backup() override { resetDiaryState(); }

    static QString programm()
    {
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    }
    QString job() const { return foundation::ordnerTmp + u8("/x-dsKorvanel.sh"); }
    QString standardZiel() const
    {
        return foundation::ordnerTmp + u8("/DS Brisols-Korvanel 2025-03-03 14-07");
    }

    // Asks, confirms with answer; the folder typed is ziel.
    void starten(const QString& ziel, int antwort = platform::vbOK)
    {
        dialogs.expectInputBox(ziel, u8("Platzhalter"));
        dialogs.expectMsgBox(antwort, u8("gesichert:"));
        integration::DatensicherungStarten({}, {});
    }

    // Runs the job as it was started, without a terminal: its messages into a log.
    QString ausfuehren()
    {
        folders.temp().write(u8("bin/xdg-open"), "#!/bin/sh\necho \"$@\" >>\"$(dirname \"$0\")/geoeffnet\"\n");
        QFile::setPermissions(folders.temp().file(u8("bin/xdg-open")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcess sh;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u8("PATH"), folders.temp().file(u8("bin")) + u8(":") + env.value(u8("PATH")));
        sh.setProcessEnvironment(env);
        const QString log = folders.temp().file(u8("ds.log"));
        sh.start(u8("/bin/sh"), {job(), log});
        EXPECT_TRUE(sh.waitForFinished(60000));
        return QString::fromUtf8(folders.temp().read(u8("ds.log")));
    }

    DataFolder daten{folders.temp(), u8("Daten")};
};

TEST_F(Backup, defaultFolderKeepsItsPlaceholdersAndCancelWritesNoJob)
{
    dialogs.expectInputBox(std::nullopt);
    integration::DatensicherungStarten({}, {});
    EXPECT_EQ(foundation::IniLesen({}, {}, u8("DSOrdner"), u8("<fehlt>")), u8("<fehlt>"));
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].defaultText,
              foundation::ordnerTmp + u8("/DS Brisols-Korvanel {jjjj-mm-tt} {hh-mm}"));

    starten(dialogs.calls()[0].defaultText, platform::vbCancel);
    EXPECT_EQ(foundation::IniLesen({}, {}, u8("DSOrdner"), u8("<fehlt>")),
              foundation::ordnerTmp + u8("/DS Brisols-Korvanel {jjjj-mm-tt} {hh-mm}"));
    const QString bestaetigung = dialogs.calls().back().text;
    EXPECT_TRUE(bestaetigung.contains(u8("»") + standardZiel() + u8("« gesichert:")));
    EXPECT_TRUE(bestaetigung.contains(foundation::ordnerDat + u8("/\r\n")));
    EXPECT_TRUE(bestaetigung.contains(folders.programFolder() + u8("/Tipps.Bot\r\n")));
    EXPECT_TRUE(bestaetigung.contains(folders.settingsFolder() + u8("/Bris_Prn.ini\r\n")));
    EXPECT_FALSE(bestaetigung.contains(u8("fremd.ini")));
    EXPECT_FALSE(bestaetigung.contains(u8("CMakeCache")));
    EXPECT_FALSE(QFileInfo::exists(job()));
    EXPECT_TRUE(processes.started().empty());
}

TEST_F(Backup, aFolderInsideWhatIsBackedUpIsRefused)
{
    folders.temp().makeFolder(u8("Verweis"));
    QFile::link(daten.path(), folders.temp().file(u8("Verweis/aufDaten")));
    const QString rows[] = {
        daten.path() + u8("/Sicherung"),
        folders.temp().file(u8("Verweis/aufDaten/Sicherung")), // through a link
        u8("/"),                                               // every copy onto its source
        u8("relativ/Sicherung"),
    };
    for (const QString& ziel : rows) {
        SCOPED_TRACE(ziel.toStdString());
        dialogs.expectInputBox(ziel);
        dialogs.expectMsgBox(platform::vbOK);
        integration::DatensicherungStarten({}, {});
        EXPECT_EQ(dialogs.calls().back().icon, platform::vbExclamation);
        EXPECT_FALSE(dialogs.calls().back().text.contains(u8("gesichert:")));
        EXPECT_FALSE(QFileInfo::exists(job()));
    }
    EXPECT_TRUE(processes.started().empty());
}

TEST_F(Backup, jobCopiesThenOnlyWhatIsNewerFinishesAnInterruptedRunAndDeletesItself)
{
    folders.temp().write(u8("anderswo/geheim.txt"), "nicht folgen");
    QFile::link(folders.temp().file(u8("anderswo")), daten.path() + u8("/verweis"));
    const QString ziel = folders.temp().file(u8("Stick/Sicherung {jjjj-mm-tt}"));
    const QString wirklich = folders.temp().file(u8("Stick/Sicherung 2025-03-03"));
    starten(ziel);
    ASSERT_EQ(processes.started().size(), 1u);
    ASSERT_TRUE(QFileInfo::exists(job()));
    EXPECT_TRUE(processes.started()[0].contains(job()));

    const QString log = ausfuehren();
    EXPECT_TRUE(log.contains(u8("*** Das wars ***"))) << log.toStdString();
    EXPECT_FALSE(QFileInfo::exists(job())) << "the job deletes itself";
    const QString kopieDaten = wirklich + daten.path();
    EXPECT_EQ(readFileBytes(kopieDaten + u8("/2024/20240305.Txt")), QByteArray("Eintrag"));
    EXPECT_EQ(readFileBytes(wirklich + folders.settingsFolder() + u8("/Bris_Prn.ini")),
              QByteArray("[Korvanel_Druck]\r\n"));
    EXPECT_EQ(readFileBytes(wirklich + folders.programFolder() + u8("/Tipps.Bot")), QByteArray("Tipp"));
    EXPECT_FALSE(QFileInfo::exists(wirklich + folders.programFolder() + u8("/CMakeCache.txt")));
    EXPECT_FALSE(QFileInfo::exists(wirklich + folders.settingsFolder() + u8("/fremd.ini")));
    EXPECT_TRUE(QFileInfo(kopieDaten + u8("/verweis")).isSymLink()) << "a link stays a link";
    EXPECT_FALSE(QFileInfo::exists(wirklich + u8("/.x-dsKorvanel-laeuft")));

    // The second time: a changed source is copied, a backup copy newer than its source stays.
    const QDateTime frueher = QDateTime::currentDateTime().addSecs(-3600);
    const QDateTime spaeter = QDateTime::currentDateTime().addSecs(3600);
    daten.write(u8("2024/20240305.Txt"), "Eintrag geändert");
    QFile quelle(daten.path() + u8("/2024/20240305.Txt"));
    ASSERT_TRUE(quelle.open(QIODevice::ReadWrite));
    quelle.setFileTime(spaeter, QFileDevice::FileModificationTime);
    quelle.close();
    QFile kopie(kopieDaten + u8("/Info.Txt"));
    ASSERT_TRUE(kopie.open(QIODevice::WriteOnly | QIODevice::Truncate));
    kopie.write("halb geschrieben");
    kopie.setFileTime(spaeter, QFileDevice::FileModificationTime);
    kopie.close();
    QFile alt(daten.path() + u8("/Info.Txt"));
    ASSERT_TRUE(alt.open(QIODevice::ReadWrite));
    alt.setFileTime(frueher, QFileDevice::FileModificationTime);
    alt.close();

    starten(ziel);
    ausfuehren();
    EXPECT_EQ(readFileBytes(kopieDaten + u8("/2024/20240305.Txt")), QByteArray("Eintrag geändert"));
    EXPECT_EQ(readFileBytes(kopieDaten + u8("/Info.Txt")), QByteArray("halb geschrieben"));

    // A run that did not finish left its mark: the next run copies everything again.
    folders.temp().write(u8("Stick/Sicherung 2025-03-03/.x-dsKorvanel-laeuft"), "");
    starten(ziel);
    ausfuehren();
    EXPECT_EQ(readFileBytes(kopieDaten + u8("/Info.Txt")), QByteArray("Mein Tagebuch\r\n"));
    EXPECT_FALSE(QFileInfo::exists(wirklich + u8("/.x-dsKorvanel-laeuft")));
    EXPECT_EQ(readFileBytes(daten.path() + u8("/Info.Txt")), QByteArray("Mein Tagebuch\r\n"))
        << "the sources are only read";
}

TEST_F(Backup, aJobThatCannotBeWrittenIsToldAndNothingStarts)
{
    foundation::ordnerTmp = folders.temp().file(u8("fehlt/ganz"));
    folders.temp().write(u8("fehlt"), "eine Datei, kein Ordner");
    dialogs.expectInputBox(folders.temp().file(u8("Ziel")));
    dialogs.expectMsgBox(platform::vbOK, u8("gesichert:"));
    dialogs.expectMsgBox(platform::vbOK, u8("konnte nicht geschrieben werden"));
    integration::DatensicherungStarten({}, {});
    EXPECT_TRUE(processes.started().empty());
    EXPECT_EQ(dialogs.calls().back().icon, platform::vbExclamation);
}

} // namespace
