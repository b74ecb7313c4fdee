#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "foundation/mail_web.h"
#include "foundation/user_identity.h"
#include "foundation/version.h"
#include "runtime/error.h"
#include "support/fake_clipboard.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_random.h"
#include "support/fake_screen.h"
#include "support/fake_shell.h"
#include "support/fake_sound.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <gtest/gtest.h>

using foundation::FehlerBehandlung;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString fehlerWert(const char* key)
{
    return foundation::IniLesen(QString(), s("Fehler"), s(key), s("<fehlt>"));
}

const QString mailFrage = s("Möchten Sie ein Fehlerprotokoll per eMail versenden?\r\n"
                            "Evtl. ist es möglich, dass sich so das Problem beheben lässt.");
const QString updateFrage =
    s("Evtl. ist der Fehler durch das Installieren der aktuellen Version behoben.\r\n\r\n"
      "Möchten Sie jetzt die Internetseite mit Download-Möglichkeiten für Updates laden?");

class ErrorDialog : public ::testing::Test {
protected:
    ErrorDialog()
    {
        rt::clearError();
        foundation::resetDebugLogbuch();
        foundation::setAnmeldenameFuerTests(s("anna"));
        // Made this month: the dialog offers the e-mail.
        foundation::setVersionFuerTests(2024, 3, 1);
        foundation::VersionText();
        clipboard.setText(s("vorher"));
    }
    ~ErrorDialog() override
    {
        rt::clearError();
        foundation::resetDebugLogbuch();
        foundation::setAnmeldenameFuerTests(std::nullopt);
        foundation::resetVersion();
    }

    TempSettingsFolders folders;
    FakeClock clock; // 05.03.2024 12:00:00
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeClipboard clipboard;
    ScopedService<platform::Clipboard> clipboardGuard{platform::setClipboard, &clipboard};
    FakeSound sound;
    ScopedService<platform::Sound> soundGuard{platform::setSound, &sound};
    FakeShell shell;
    ScopedService<platform::Shell> shellGuard{platform::setShell, &shell};
    FakeMousePointer pointer;
    ScopedService<platform::MousePointer> pointerGuard{platform::setMousePointer, &pointer};
    FakeScreen screen;
    ScopedService<platform::Screen> screenGuard{platform::setScreen, &screen};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> paperGuard{platform::setPrinter, &paper};
    FakeRandom random;
    ScopedService<platform::Random> randomGuard{platform::setRandom, &random};
};

TEST_F(ErrorDialog, numberZeroShowsRecordsAndPlaysNothing)
{
    // Also when the current error is passed while none is pending.
    EXPECT_EQ(FehlerBehandlung(rt::Err().number, s("Beim Sichern")), 0);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(sound.beeps().empty());
    EXPECT_FALSE(folders.settingsFile(s("Brisol.ini")).contains("[Fehler]"));
}

TEST_F(ErrorDialog, recordsTheErrorAndShowsItWithTheTip)
{
    pointer.set(platform::vbHourglass);
    rt::raiseError(rt::ErrFileNotFound, {}, s("Korvanel"));
    dialogs.expectMsgBox(platform::vbNo);

    EXPECT_EQ(FehlerBehandlung(rt::Err().number, s("Beim Laden der Datei ´Brief.txt´")), 5);

    const QByteArray brisol = folders.settingsFile(s("Brisol.ini"));
    EXPECT_TRUE(brisol.contains("[Fehler]\r\n"
                                "Programm=Korvanel\r\n"
                                "Wann=05.03.2024 12:00:00\r\n"
                                "Nummer=53, Datei nicht gefunden\r\n"
                                "Pos=0\r\n"
                                "Txt1=Beim Laden der Datei \xB4" "Brief.txt\xB4~~\r\n"
                                "Txt2=Fehler \xB4" "Datei nicht gefunden #53\xB4 in \xB4"
                                "Korvanel\xB4.~~\r\n"))
        << brisol.toStdString();

    ASSERT_EQ(dialogs.calls().size(), 1u);
    const FakeDialogs::Call& box = dialogs.calls()[0];
    EXPECT_EQ(box.title, s("Fehler im Programm Korvanel"));
    EXPECT_EQ(box.text, s("Es ist ein Fehler im Programm Korvanel aufgetreten.\r\n\r\n"
                          "Beim Laden der Datei »Brief.txt«\r\n\r\n"
                          "Fehler »Datei nicht gefunden #53« in »Korvanel«.\r\n\r\n"
                          "Tipp: Ist der Dateiname in Ordnung?\r\n\r\n")
                  + mailFrage);
    EXPECT_EQ(box.style, platform::vbYesNoCancel + platform::vbCritical
                             + platform::vbDefaultButton2 + platform::vbSystemModal);
    EXPECT_EQ(box.defaultAnswer, platform::vbNo);

    EXPECT_EQ(sound.beeps(), std::vector<int>{platform::beepHand});
    EXPECT_EQ(pointer.history(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
    // No opens nothing and leaves the clipboard and the current error alone.
    EXPECT_TRUE(shell.opened().isEmpty());
    EXPECT_EQ(clipboard.text(), s("vorher"));
    EXPECT_EQ(rt::Err().number, rt::ErrFileNotFound);
}

TEST_F(ErrorDialog, tipAndStandardTextGoByTheNumberPassed)
{
    struct Row {
        int number;
        const char* nummer;
        const char* tipp; // "" for none
    };
    const Row rows[] = {
        {482, "482, Druckerfehler", "Tipp: Ist der Drucker angeschaltet?"},
        {52, "52, Dateiname oder -nummer falsch", "Tipp: Ist der Dateiname in Ordnung?"},
        {64, "64, Dateiname ungültig", "Tipp: Ist der Dateiname in Ordnung?"},
        {75, "75, Fehler beim Zugriff auf Pfad/Datei", "Tipp: Ist der Dateiname in Ordnung?"},
        {76, "76, Pfad nicht gefunden", "Tipp: Ist der Dateiname in Ordnung?"},
        {70, "70, Zugriff verweigert", "Tipp: Ist der Schreibschutz entfernt?"},
        {71, "71, Datenträger nicht bereit", "Tipp: Ist eine Diskette eingelegt?"},
        {380, "380, Unzulässiger Eigenschaftswert", "Tipp: Evtl. andere Schriftart wählen."},
        {5, "5, Unzulässiger Prozeduraufruf oder ungültiges Argument", ""},
    };
    // The error line keeps showing the current error, not the number passed.
    rt::raiseError(rt::ErrDiskFull, s("Kein Platz mehr"), s("Sicherung"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.number);
        dialogs.expectMsgBox(platform::vbCancel);
        EXPECT_EQ(FehlerBehandlung(row.number, QString()), 2);
        EXPECT_EQ(fehlerWert("Nummer"), s(row.nummer));
        EXPECT_EQ(fehlerWert("Txt1"), QString());
        EXPECT_EQ(fehlerWert("Txt2"), s("Fehler ´Kein Platz mehr #61´ in ´Sicherung´.~~"));

        const QString tipp = s(row.tipp);
        EXPECT_EQ(dialogs.calls().back().text,
                  s("Es ist ein Fehler im Programm Korvanel aufgetreten.\r\n\r\n"
                    "Fehler »Kein Platz mehr #61« in »Sicherung«.\r\n\r\n")
                      + (tipp.isEmpty() ? QString() : tipp + s("\r\n\r\n")) + mailFrage);
    }
}

TEST_F(ErrorDialog, yesPutsTheReportOnTheClipboardAndWritesToSupport)
{
    rt::raiseError(rt::ErrPermissionDenied, {}, s("Korvanel"));
    dialogs.expectMsgBox(platform::vbYes, mailFrage);

    EXPECT_EQ(FehlerBehandlung(rt::ErrPermissionDenied, s("Speichern~Zweite Zeile")), 5);

    const QString meldung = s("Es ist ein Fehler im Programm Korvanel aufgetreten.\r\n\r\n"
                              "Speichern\r\nZweite Zeile\r\n\r\n"
                              "Fehler »Zugriff verweigert #70« in »Korvanel«.\r\n\r\n"
                              "Tipp: Ist der Schreibschutz entfernt?\r\n\r\n");
    const QString ablage = clipboard.text();
    // The message, two line breaks, and the report, which begins with its own line break.
    EXPECT_TRUE(ablage.startsWith(meldung + s("\r\n\r\n\r\nProgramm: Korvanel | ")))
        << ablage.left(400).toStdString();
    EXPECT_TRUE(ablage.contains(s("\r\n*** Kontrollen ***\r\n")));
    EXPECT_TRUE(ablage.endsWith(s("\r\n-")));

    ASSERT_EQ(shell.opened().size(), 1);
    const QString mail = shell.opened().front();
    EXPECT_TRUE(mail.startsWith(s("mailto:support@brisols-programme.example?")))
        << mail.toStdString();
    EXPECT_TRUE(shell.urls().front().toString().contains(s("Diagnose-Bericht")))
        << shell.urls().front().toString().toStdString();
}

TEST_F(ErrorDialog, anOlderProgramOffersTheDownloadPageInstead)
{
    struct Row {
        const char* name;
        int year, month;
        bool update;
    };
    const Row rows[] = {
        {"two months old", 2024, 1, false},
        {"three months old", 2023, 12, true},
        {"a year old", 2023, 3, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        shell.clear();
        clipboard.setText(s("vorher"));
        foundation::setVersionFuerTests(row.year, row.month, 1);
        dialogs.expectMsgBox(platform::vbYes, row.update ? updateFrage : mailFrage);
        EXPECT_EQ(FehlerBehandlung(rt::ErrPathNotFound, QString()), 5);
        ASSERT_EQ(shell.opened().size(), 1);
        if (row.update) {
            EXPECT_EQ(shell.opened().front(), foundation::webSeitenAdresse(s("Download")));
            EXPECT_EQ(clipboard.text(), s("vorher"));
        } else {
            EXPECT_TRUE(shell.opened().front().startsWith(s("mailto:")));
        }
    }
}

} // namespace
