// The program started as another program hands text over to it:
//
//   korvanel /OrdnerDat=<data> Korvanel=Abc[:password] Datum=<day> AppendFile=<file>
//
// It opens the diary on that day, appends the file's text to the entry, saves it, deletes the
// file, releases the data folder and ends by itself. The process runs on the offscreen platform
// with its own settings, data and runtime folders; the day file on disk is the witness. Asked
// from outside to end, the same process runs its ordered shutdown.
#include "foundation/folders.h"
#include "platform/ini_file.h"
#include "runtime/codec.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/store_state.h"
#include "support/qt_print.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray ansi(const char* utf8)
{
    return rt::toAnsi(s(utf8));
}

class HandOver : public ::testing::Test {
protected:
    HandOver()
    {
        folders.temp().makeFolder(s("laufzeit"));
        folders.temp().setPermissions(s("laufzeit"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                         | QFileDevice::ExeOwner);
        folders.env().set("XDG_RUNTIME_DIR", folders.temp().file(s("laufzeit")));
        // No question about the desktop's regional settings (the run has LANG=C), and a fixed
        // user name for the reservation.
        folders.writeSettingsFile(s("Brisol.ini"),
                                  ansi("[Allgemein]\r\nLänderHinweis=0\r\nUser=Anna\r\n"));
        folders.temp().write(s("Meine Daten/Info.Abc"), "Mein Tagebuch\r\n");
    }

    ~HandOver() override
    {
        store::resetStoreState();
        foundation::resetOrdner();
    }

    QString daten() const { return folders.temp().file(s("Meine Daten")); }
    QString uebergabe() const { return folders.temp().file(s("Über gabe/Text für Abc.txt")); }
    QByteArray tagesdatei() const { return folders.temp().read(s("Meine Daten/2024/20240305.Abc")); }

    // Runs the program with these words after the data folder; its exit code, -1 when it did
    // not end by itself (the wait is only a safety net against a hanging run).
    int starten(const QStringList& worte, const QString& programmDatei = s(KORVANEL_PROGRAMM))
    {
        QProcess programm;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
        programm.setProcessEnvironment(umgebung);
        programm.start(programmDatei, QStringList{s("/OrdnerDat=") + daten()} + worte);
        if (!programm.waitForStarted(60000)) {
            ADD_FAILURE() << "korvanel did not start: " << programm.errorString().toStdString();
            return -1;
        }
        if (!programm.waitForFinished(180000)) {
            programm.kill();
            programm.waitForFinished();
            ADD_FAILURE() << "korvanel did not end by itself";
        }
        fehlerausgabe = programm.readAllStandardError();
        return programm.exitStatus() == QProcess::NormalExit ? programm.exitCode() : -1;
    }

    TempSettingsFolders folders;
    QByteArray fehlerausgabe;
};

} // namespace

TEST_F(HandOver, appendsToTheDaysEntrySavesDeletesTheFileReleasesTheFolderAndEnds)
{
    struct Fall {
        const char* name;
        const char* kennwort; // the diary's password, "" for a plain diary
    } faelle[] = {
        {"plain diary", ""},
        {"diary protected by a password given on the command line", "sesam:42"},
    };
    const QString alt = s("Alter Text\r\nzweite Zeile mit Umlauten äöüß.");
    const QString neu = alt + s("\r\nNeuer Text: Grüße für 5 €");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const QString kennwort = s(fall.kennwort);
        // The entry of the day, as the program itself writes it; the day before stays as it is.
        foundation::OrdnerBereitstellen();
        foundation::ordnerDat = daten();
        store::schluessel = QString::fromLatin1(store::festerSchluessel);
        store::kennwortSchreiben = kennwort;
        ASSERT_TRUE(store::EintragDateiSchreiben(s("20240305.Abc"), alt));
        ASSERT_TRUE(store::EintragDateiSchreiben(s("20240304.Abc"), s("Vortag")));
        const QByteArray vortag = folders.temp().read(s("Meine Daten/2024/20240304.Abc"));
        folders.temp().write(s("Über gabe/Text für Abc.txt"),
                             ansi("  Neuer Text: Grüße für 5 €\r\n\r\n"));

        const QString diary = kennwort.isEmpty() ? s("Abc") : s("Abc:") + kennwort;
        EXPECT_EQ(starten({s("Korvanel=") + diary, s("Datum=05.03.2024"),
                           s("AppendFile=") + uebergabe()}),
                  0)
            << fehlerausgabe.toStdString();

        const QString kopf = rt::Left(kennwort + rt::Space(15), 15);
        const QByteArray erwartet = kennwort.isEmpty() ? rt::toAnsi(neu)
                                                       : store::verschluesselteForm(kopf + neu);
        EXPECT_EQ(tagesdatei(), erwartet);
        EXPECT_EQ(folders.temp().read(s("Meine Daten/2024/20240304.Abc")), vortag);
        EXPECT_FALSE(folders.temp().exists(s("Über gabe/Text für Abc.txt")));
        const QString netWatch = daten() + s("/NetWatch.ini");
        EXPECT_EQ(platform::ini::read(netWatch, s("UserJetzt_"), s("User")), QString());
        EXPECT_FALSE(platform::ini::read(netWatch, s("UserJetzt_"), s("Seit")).value_or(QString()).isEmpty())
            << "the folder was reserved while the program ran";
    }
}

// Asked from outside to end (the session ending, a system shutdown, `kill`, Ctrl+C), the program
// runs its ordered shutdown instead of dying: the folder's reservation is released, the debug log
// ends with "Programm-Ende", and the process ends normally.
TEST_F(HandOver, anEndRequestFromOutsideRunsTheOrderedShutdown)
{
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        folders.temp().write(s("Meine Daten/2024/20240305.Abc"), "Eintrag");
        QFile::remove(daten() + s("/Debug.txt"));
        const QString netWatch = daten() + s("/NetWatch.ini");
        QFile::remove(netWatch);

        QProcess programm;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
        programm.setProcessEnvironment(umgebung);
        programm.start(s(KORVANEL_PROGRAMM), {s("/OrdnerDat=") + daten(), s("Korvanel=Abc"),
                                              s("Datum=05.03.2024"), s("#debug")});
        ASSERT_TRUE(programm.waitForStarted(60000)) << programm.errorString().toStdString();
        // Open once the diary is shown and the folder reserved (the wait is only a safety net).
        const auto geoeffnet = [&] {
            return platform::ini::read(netWatch, s("UserJetzt_"), s("User")) == s("Anna")
                   && folders.temp().read(s("Meine Daten/Debug.txt")).contains("Eintrag laden Ende");
        };
        QElapsedTimer warten;
        warten.start();
        while (!geoeffnet() && programm.state() == QProcess::Running && warten.elapsed() < 120000)
            QThread::msleep(50);
        ASSERT_TRUE(geoeffnet()) << programm.readAllStandardError().toStdString();

        ::kill(static_cast<pid_t>(programm.processId()), signal);
        if (!programm.waitForFinished(120000)) {
            programm.kill();
            programm.waitForFinished();
            FAIL() << "korvanel did not end on the request";
        }
        EXPECT_EQ(programm.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(programm.exitCode(), 0);
        EXPECT_EQ(platform::ini::read(netWatch, s("UserJetzt_"), s("User")), QString());
        const QByteArray log = folders.temp().read(s("Meine Daten/Debug.txt"));
        EXPECT_EQ(log.count("Programm-Ende"), 1);
        EXPECT_EQ(folders.temp().read(s("Meine Daten/2024/20240305.Abc")), QByteArray("Eintrag"));
    }
}

// Starts the program with these words, waits until its debug log (in the data folder, or in the
// temporary folder for a read-only copy) holds the line, then asks it to end. False when the
// line did not come (the wait is only a safety net).
static bool laufenBisZeile(const QString& daten, const QStringList& worte, const QString& logbuch,
                    const QByteArray& zeile, QByteArray& fehlerausgabe)
{
    QProcess programm;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
    programm.setProcessEnvironment(umgebung);
    programm.start(s(KORVANEL_PROGRAMM), QStringList{s("/OrdnerDat=") + daten} + worte);
    if (!programm.waitForStarted(60000))
        return false;
    const auto lesen = [&logbuch] {
        QFile datei(logbuch);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    };
    QElapsedTimer warten;
    warten.start();
    while (!lesen().contains(zeile) && programm.state() == QProcess::Running
           && warten.elapsed() < 120000)
        QThread::msleep(50);
    const bool gesehen = lesen().contains(zeile);
    if (programm.state() == QProcess::Running)
        ::kill(static_cast<pid_t>(programm.processId()), SIGTERM);
    if (!programm.waitForFinished(120000)) {
        programm.kill();
        programm.waitForFinished();
    }
    fehlerausgabe = programm.readAllStandardError();
    return gesehen;
}

// A hand-over that names a file of the program's own, or a diary or day that is not valid, is
// refused with a message: the program stays open, nothing is appended and nothing deleted.
// Before, a hand-over of the day file itself doubled the entry and then deleted its file.
TEST_F(HandOver, aMisdirectedHandOverIsRefusedAndTheDataFolderStaysAsItWas)
{
    struct Fall {
        const char* name;
        QStringList worte;
    };
    const QString tag = daten() + s("/2024/20240305.Abc");
    const std::vector<Fall> faelle = {
        {"the day file itself", {s("Korvanel=Abc"), s("Datum=05.03.2024"), s("AppendFile=") + tag}},
        {"the diary's title file",
         {s("Korvanel=Abc"), s("Datum=05.03.2024"), s("AppendFile=") + daten() + s("/Info.Abc")}},
        {"a day that does not exist",
         {s("Korvanel=Abc"), s("Datum=31.02.2024"), s("AppendFile=") + uebergabe()}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        folders.temp().write(s("Meine Daten/2024/20240305.Abc"), ansi("Eintrag vom Dienstag"));
        folders.temp().write(s("Über gabe/Text für Abc.txt"), "Neu");
        QFile::remove(daten() + s("/Debug.txt"));
        QFile::remove(daten() + s("/NetWatch.ini"));
        QStringList worte = fall.worte;
        worte.append(s("#debug"));
        EXPECT_TRUE(laufenBisZeile(daten(), worte, daten() + s("/Debug.txt"),
                                   "abgelehnt: ", fehlerausgabe))
            << fehlerausgabe.toStdString();
        EXPECT_EQ(tagesdatei(), ansi("Eintrag vom Dienstag"));
        EXPECT_EQ(folders.temp().read(s("Meine Daten/Info.Abc")), QByteArray("Mein Tagebuch\r\n"));
        EXPECT_EQ(folders.temp().read(s("Über gabe/Text für Abc.txt")), QByteArray("Neu"));
    }
}

// A copy that runs read-only (another user holds the folder, or "readonly" was asked for) leaves
// the data folder byte for byte: the instance guard stores no default in NetWatch.ini, and the
// debug log of the user who holds the folder is neither emptied nor written; this copy's log
// goes to the temporary folder.
TEST_F(HandOver, aReadOnlyCopyLeavesTheDataFolderByteForByte)
{
    folders.writeSettingsFile(s("Brisol.ini"),
                              ansi("[Allgemein]\r\nLänderHinweis=0\r\nUser=Anna\r\nDebugMode=1\r\n"));
    folders.temp().write(s("Meine Daten/2024/20240305.Abc"), ansi("Eintrag vom Dienstag"));
    folders.temp().write(s("Meine Daten/Debug.txt"), "Logbuch der Besitzerin\r\n");
    folders.temp().write(s("Meine Daten/NetWatch.ini"), "[Allgemein]\r\nNoUnlockWatch=1\r\n");
    const auto vorher = folderContents(daten());

    EXPECT_TRUE(laufenBisZeile(daten(), {s("Korvanel=Abc"), s("Datum=05.03.2024"), s("readonly")},
                               folders.temp().file(s("tmp/Debug.txt")), "Eintrag laden Ende",
                               fehlerausgabe))
        << fehlerausgabe.toStdString();
    EXPECT_EQ(folderContents(daten()), vorher);
}

// A hand-over to a copy that already runs is passed to it: the running copy goes to the day,
// appends and saves, deletes the file only after the save and stays open; the copy started for
// the hand-over ends at once. Nothing is lost, as it was when the later copy only brought the
// first to the front.
TEST_F(HandOver, aHandOverToARunningCopyIsAppendedThere)
{
    folders.temp().write(s("Meine Daten/2024/20240305.Abc"), ansi("Alter Text"));
    folders.temp().write(s("Meine Daten/2024/20240304.Abc"), ansi("Vortag"));
    folders.temp().write(s("Über gabe/Text für Abc.txt"), QString(s("Grüße aus der Übergabe")).toUtf8());

    QProcess erste;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
    erste.setProcessEnvironment(umgebung);
    erste.start(s(KORVANEL_PROGRAMM), {s("/OrdnerDat=") + daten(), s("Korvanel=Abc"),
                                       s("Datum=04.03.2024"), s("#debug")});
    ASSERT_TRUE(erste.waitForStarted(60000));
    const auto warteBis = [&erste](const std::function<bool()>& bedingung) {
        QElapsedTimer warten;
        warten.start();
        while (!bedingung() && erste.state() == QProcess::Running && warten.elapsed() < 120000)
            QThread::msleep(50);
        return bedingung();
    };
    ASSERT_TRUE(warteBis([this] {
        return folders.temp().read(s("Meine Daten/Debug.txt")).contains("Eintrag laden Ende");
    })) << erste.readAllStandardError().toStdString();

    EXPECT_EQ(starten({s("Korvanel=Abc"), s("Datum=05.03.2024"), s("AppendFile=") + uebergabe()}), 0)
        << fehlerausgabe.toStdString();
    EXPECT_TRUE(warteBis([this] { return !folders.temp().exists(s("Über gabe/Text für Abc.txt")); }))
        << "the running copy did not take the hand-over";
    EXPECT_TRUE(tagesdatei().startsWith("Alter Text")) << tagesdatei().toStdString();
    EXPECT_TRUE(tagesdatei().endsWith(rt::toAnsi(s("\r\nGrüße aus der Übergabe"))));
    EXPECT_EQ(folders.temp().read(s("Meine Daten/2024/20240304.Abc")), ansi("Vortag"));
    EXPECT_EQ(erste.state(), QProcess::Running) << "the running copy stays open";

    ::kill(static_cast<pid_t>(erste.processId()), SIGTERM);
    if (!erste.waitForFinished(120000)) {
        erste.kill();
        erste.waitForFinished();
    }
    EXPECT_TRUE(tagesdatei().endsWith(rt::toAnsi(s("\r\nGrüße aus der Übergabe"))));
}

// "cmake --install" puts the program where the desktop finds it: the command in bin, a link to
// the program in its own program folder, the desktop entry and the icon in the icon theme. Run
// through the link, the program takes the folder it really lies in as its program folder.
TEST_F(HandOver, theInstalledProgramIsInTheDesktopsPlacesAndRunsThroughItsLink)
{
    const QString ziel = folders.temp().file(s("installiert"));
    QProcess installieren;
    installieren.setProcessChannelMode(QProcess::MergedChannels);
    installieren.start(s(KORVANEL_CMAKE), {s("--install"), s(KORVANEL_BAUORDNER), s("--prefix"), ziel});
    ASSERT_TRUE(installieren.waitForFinished(120000));
    ASSERT_EQ(installieren.exitCode(), 0) << installieren.readAll().toStdString();

    const QFileInfo befehl(ziel + s("/bin/korvanel"));
    ASSERT_TRUE(befehl.isSymLink());
    const QFileInfo programm(befehl.canonicalFilePath());
    EXPECT_TRUE(programm.isExecutable());
    EXPECT_EQ(programm.canonicalPath(), QFileInfo(ziel + s("/lib/korvanel")).canonicalFilePath());

    const QStringList eintrag =
        QString::fromUtf8(readFileBytes(ziel + s("/share/applications/korvanel.desktop")))
            .split(u'\n');
    ASSERT_FALSE(eintrag.isEmpty());
    EXPECT_EQ(eintrag.first(), s("[Desktop Entry]"));
    for (const char* zeile : {"Type=Application", "Name=Korvanel", "GenericName=Tagebuch",
                              "Exec=korvanel", "Icon=korvanel", "Terminal=false",
                              "Comment=Tagebuch mit einem Eintrag für jeden Tag: schreiben, "
                              "blättern, suchen, drucken"})
        EXPECT_TRUE(eintrag.contains(s(zeile))) << zeile;

    const QString symbole = ziel + s("/share/icons/hicolor");
    EXPECT_TRUE(QFile(symbole + s("/scalable/apps/korvanel.svg")).size() > 0);
    for (int groesse : {16, 32, 48, 256}) {
        const QImage bild(symbole + QStringLiteral("/%1x%1/apps/korvanel.png").arg(groesse));
        EXPECT_EQ(bild.size(), QSize(groesse, groesse)) << groesse;
    }

    folders.temp().write(s("Über gabe/Text für Abc.txt"), "Vom Schreibtisch\r\n");
    EXPECT_EQ(starten({s("Korvanel=Abc"), s("Datum=05.03.2024"), s("AppendFile=") + uebergabe()},
                      befehl.filePath()),
              0)
        << fehlerausgabe.toStdString();
    EXPECT_EQ(folders.temp().read(s("Meine Daten/2024/20240305.ABC")), QByteArray("Vom Schreibtisch"));
    EXPECT_EQ(platform::ini::read(folders.settingsFolder() + s("/Brisol.ini"), s("Korvanel"),
                                  s("OrdnerPrg")),
              programm.canonicalPath());
}

