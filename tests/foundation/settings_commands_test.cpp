#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/settings_commands.h"
#include "foundation/version.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_mouse_pointer.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using foundation::EinstellungenSpezial;
using foundation::IniLesen;
using foundation::IniSchreiben;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

constexpr QFileDevice::Permissions nurLesbar =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions ordnerNurLesbar = nurLesbar | QFileDevice::ExeOwner
    | QFileDevice::ExeGroup | QFileDevice::ExeOther;

const QString titel = QStringLiteral("Einstellungen spezial");

// Settings in temporary folders, a clock at 05.03.2024 12:00:00, no printer installed.
class SpecialSettings : public ::testing::Test {
protected:
    SpecialSettings()
    {
        foundation::setVersionFuerTests(2026, 12, 1);
        foundation::VersionText();
        foundation::OrdnerFestlegen();
    }
    ~SpecialSettings() override { foundation::resetVersion(); }

    // The explanation is acknowledged and the input box answers answer.
    void type(std::optional<QString> answer)
    {
        dialogs.expectMsgBox(platform::vbOK, s("spezialle Einstellungen"));
        dialogs.expectInputBox(std::move(answer), s("Achten Sie bitte auf das Semikolon."));
    }
    // The message after the command.
    const FakeDialogs::Call& last() const { return dialogs.calls().back(); }

    static QString debugMode()
    {
        return IniLesen(QString(), s("Allgemein"), s("DebugMode"), s("<fehlt>"));
    }

    TempSettingsFolders folders;
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 12, 0, 0)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeMousePointer pointer;
    ScopedService<platform::MousePointer> pointerGuard{platform::setMousePointer, &pointer};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> paperGuard{platform::setPrinter, &paper};
};

TEST_F(SpecialSettings, explainsThenCancelOrAnEmptyAnswerEndsWithoutAMessage)
{
    for (const std::optional<QString>& answer : {std::optional<QString>(), std::optional(s("   "))}) {
        SCOPED_TRACE(answer ? "blank answer" : "cancel");
        const std::size_t before = dialogs.calls().size();
        type(answer);
        EXPECT_FALSE(EinstellungenSpezial());
        EXPECT_EQ(dialogs.calls().size(), before + 2);
    }
    const FakeDialogs::Call& erklaerung = dialogs.calls().at(0);
    EXPECT_EQ(erklaerung.title, titel);
    EXPECT_EQ(erklaerung.icon, platform::vbInformation);
    EXPECT_EQ(erklaerung.buttons, platform::vbOKOnly);
    EXPECT_TRUE(erklaerung.text.startsWith(
        s("Sie möchten spezialle Einstellungen vornehmen? Was bedeutet das?\r\n\r\nEinige ")));
    EXPECT_TRUE(erklaerung.text.endsWith(s("für jede Station vornehmen.")));
    const FakeDialogs::Call& eingabe = dialogs.calls().at(1);
    EXPECT_EQ(eingabe.title, titel);
    EXPECT_EQ(eingabe.defaultText, QString());
    EXPECT_EQ(debugMode(), s("<fehlt>"));
}

TEST_F(SpecialSettings, debugCommandsInAnyCaseAndWithBlanks)
{
    struct Row {
        QString answer;
        QString stored;
        QString message;
    };
    const Row rows[] = {
        {s("+debug"), s("1"), s("Der Debug-Modus wurde aktiviert.")},
        {s("  -debug  "), s("0"), s("Der Debug-Modus wurde deaktiviert.")},
        {s("+DEBUG"), s("1"), s("Der Debug-Modus wurde aktiviert.")},
        {s("-Debug"), s("0"), s("Der Debug-Modus wurde deaktiviert.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer.toStdString());
        type(row.answer);
        dialogs.expectMsgBox(platform::vbOK);
        EXPECT_FALSE(EinstellungenSpezial());
        EXPECT_EQ(debugMode(), row.stored);
        EXPECT_EQ(last().text, row.message);
        EXPECT_EQ(last().title, titel);
        EXPECT_EQ(last().icon, platform::vbInformation);
    }
}

TEST_F(SpecialSettings, writeTestTellsWhetherTheSettingsFileCanBeWritten)
{
    const QString ort = s("Der Schreib-/Lesetest für Einstellungen in \r\n")
        + folders.settingsFolder() + s("/Brisol.ini\r\nist ");
    type(s(" SchreibTest "));
    dialogs.expectMsgBox(platform::vbOK);
    EXPECT_FALSE(EinstellungenSpezial());
    EXPECT_EQ(last().text, ort + s("in Ordnung."));
    EXPECT_EQ(IniLesen(QString(), s("Allgemein"), s("Schreibtest")), s("43200"));
    EXPECT_EQ(pointer.history(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));

    folders.temp().setPermissions(s("config/Brisols-Programme/Brisol.ini"), nurLesbar);
    clock.advance(1000);
    type(s("schreibtest"));
    dialogs.expectMsgBox(platform::vbOK);
    EXPECT_FALSE(EinstellungenSpezial());
    EXPECT_EQ(last().text, ort + s("fehlerhaft!!!"));
    EXPECT_EQ(IniLesen(QString(), s("Allgemein"), s("Schreibtest")), s("43200"));
}

TEST_F(SpecialSettings, removingTheWriteProtectionReachesTheProgramsFoldersAndSettingsFiles)
{
    const TempFolder& t = folders.temp();
    t.write(s("program/Info.Txt"), "Titel\r\n");
    t.write(s("program/2024/20240305.Txt"), "Eintrag\r\n");
    t.write(s("config/Brisols-Programme/Bris_Prn.ini"), "[Drucker]\r\n");
    t.write(s("config/Brisols-Programme/Registry.ini"), "[x]\r\n");
    const QStringList geschuetzt = {s("program/Info.Txt"), s("program/2024/20240305.Txt"),
                                    s("program/2024"), s("config/Brisols-Programme/Brisol.ini"),
                                    s("config/Brisols-Programme/Bris_Prn.ini"),
                                    s("config/Brisols-Programme/Registry.ini")};
    for (const QString& pfad : geschuetzt)
        t.setPermissions(pfad, QFileInfo(t.file(pfad)).isDir() ? ordnerNurLesbar : nurLesbar);

    type(s("-R"));
    dialogs.expectMsgBox(platform::vbOK);
    EXPECT_FALSE(EinstellungenSpezial());
    EXPECT_EQ(last().text, s("Es wurde versucht den Schreibschutz zu entfernen.\r\n\r\nBitte "
                             "beenden Sie jetzt das Programm und starten Sie es neu."));
    for (const QString& pfad : geschuetzt) {
        SCOPED_TRACE(pfad.toStdString());
        const bool beschreibbar = QFileInfo(t.file(pfad)).permissions() & QFileDevice::WriteOwner;
        EXPECT_EQ(beschreibbar, !pfad.endsWith(u"Registry.ini"));
    }
    // The settings folder's other files keep their protection; the pointer is normal again
    // before the message.
    EXPECT_EQ(pointer.history(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
    t.setPermissions(s("config/Brisols-Programme/Registry.ini"),
                     nurLesbar | QFileDevice::WriteOwner);
}

TEST_F(SpecialSettings, anAssignmentSetsAnyKeyAndShowsTheOldAndTheNewValue)
{
    struct Row {
        const char* name;
        QString answer;
        QString file;    // as IniLesen takes it
        QString section;
        QString key;
        QString old;     // written before; "" for none
        QString stored;  // as the confirmation shows it
        QString readBack;
    };
    const Row rows[] = {
        {"settings file, section Allgemein", s(";Allgemein;DebugMode;2"), QString(),
         s("Allgemein"), s("DebugMode"), s("0"), s("2"), s("2")},
        {"three fields write an empty value", s("Test.ini;Farben;Hintergrund"), s("Test.ini"),
         s("Farben"), s("Hintergrund"), s("blau"), QString(), QString()},
        {"the fifth field is ignored", s(";;Farbe; rot ;blau"), QString(), QString(),
         s("Farbe"), QString(), s("rot"), s("rot")},
        {"quotes are stored as the store keeps them", s(";Allgemein;Gruß;sag \"Hallo\""),
         QString(), s("Allgemein"), s("Gruß"), s("alt"), s("sag “Hallo“"), s("sag \"Hallo\"")},
        {"a value beginning with a question mark", s(";;Frage;?"), QString(), QString(),
         s("Frage"), QString(), s("?"), s("?")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.old.isEmpty())
            IniSchreiben(row.file, row.section, row.key, row.old);
        type(row.answer);
        dialogs.expectMsgBox(platform::vbNo);
        EXPECT_TRUE(EinstellungenSpezial());
        EXPECT_EQ(IniLesen(row.file, row.section, row.key, s("<fehlt>")), row.readBack);
        EXPECT_EQ(last().text, s("Entsprechend Ihrer Eingabe\r\n\r\n»") + row.answer
                                   + s("«\r\n\r\nwurde der Wert von\r\n\r\n»") + row.old
                                   + s("«\r\n\r\nin\r\n\r\n»") + row.stored
                                   + s("«\r\n\r\ngeändert.\r\n\r\nWünschen Sie einen Ausdruck?"));
        EXPECT_EQ(last().buttons, platform::vbYesNo);
        EXPECT_EQ(last().icon, platform::vbInformation);
        EXPECT_EQ(last().defaultAnswer, platform::vbNo);
    }
    EXPECT_TRUE(paper.documents().empty());
    // An empty section is the program's own.
    EXPECT_EQ(IniLesen(QString(), s("Korvanel"), s("Farbe")), s("rot"));
}

TEST_F(SpecialSettings, anAnswerWithoutAKeyIsRefused)
{
    const QByteArray before = folders.settingsFile(s("Brisol.ini"));
    for (const QString& answer : {s("debug"), s(";Allgemein;;1"), s("a;b;  ;c")}) {
        SCOPED_TRACE(answer.toStdString());
        type(answer);
        dialogs.expectMsgBox(platform::vbOK);
        EXPECT_FALSE(EinstellungenSpezial());
        EXPECT_EQ(last().text, s("Überprüfen Sie bitte noch einmal Ihre Eingabe »") + answer
                                   + s("«."));
        EXPECT_EQ(last().icon, platform::vbCritical);
        EXPECT_EQ(last().title, titel);
    }
    EXPECT_EQ(folders.settingsFile(s("Brisol.ini")), before);
}

TEST_F(SpecialSettings, anAssignmentThatCannotBeStoredSaysSo)
{
    IniSchreiben(QString(), s("Allgemein"), s("DebugMode"), s("0"));
    folders.temp().setPermissions(s("config/Brisols-Programme/Brisol.ini"), nurLesbar);
    const QByteArray before = folders.settingsFile(s("Brisol.ini"));

    type(s(";Allgemein;DebugMode;1"));
    dialogs.expectMsgBox(platform::vbOK, s("fehlgeschlagen"));
    EXPECT_FALSE(EinstellungenSpezial());
    EXPECT_EQ(last().text,
              s("Entsprechend Ihrer Eingabe\r\n\r\n»;Allgemein;DebugMode;1«\r\n\r\nsollte der Wert "
                "von\r\n\r\n»0«\r\n\r\nin\r\n\r\n»1«\r\n\r\ngeändert werden. Das Speichern ist "
                "aber fehlgeschlagen: Die Einstellungsdatei ist schreibgeschützt oder nicht "
                "erreichbar. Der Wert wurde nicht geändert."));
    EXPECT_EQ(last().buttons, platform::vbOKOnly);
    EXPECT_EQ(last().icon, platform::vbCritical);
    EXPECT_EQ(folders.settingsFile(s("Brisol.ini")), before);

    // A file in a folder that does not exist cannot take a new key either.
    type(s("/gibt/es/nicht/Test.ini;Sektion;Schluessel;Wert"));
    dialogs.expectMsgBox(platform::vbOK, s("fehlgeschlagen"));
    EXPECT_FALSE(EinstellungenSpezial());
}

TEST_F(SpecialSettings, aPrintoutOfTheChangeOnRequest)
{
    type(s(";;Farbe;rot"));
    dialogs.expectMsgBox(platform::vbYes);
    dialogs.expectMsgBox(platform::vbOK, s("PDF-Datei"));
    EXPECT_TRUE(EinstellungenSpezial());

    EXPECT_EQ(paper.documents().size(), 1u);
    if (paper.documents().empty())
        return;
    const RecordingPrintSurface::Document& druck = paper.documents().front();
    EXPECT_TRUE(druck.ended);
    EXPECT_EQ(druck.pages.size(), 1u);
    // Empty lines leave no text, only their height (13 points: 0.65 cm).
    EXPECT_EQ(druck.pages.front().strings(),
              QStringList({s("Einstellung Spezial Brisols-Korvanel Version 2026.12.0001"),
                           s("Datum 05.03.2024 12:00"), s("Entsprechend Ihrer Eingabe"),
                           s("»;;Farbe;rot«"), s("wurde der Wert von"), s("»«"), s("in"),
                           s("»rot«"), s("geändert.")}));
    std::vector<double> zeilen;
    for (const RecordingPrintSurface::Text& text : druck.pages.front().texts)
        zeilen.push_back(text.y / RecordingPrintSurface::lineHeight(13));
    const std::vector<double> erwartet = {0, 2, 5, 7, 9, 11, 13, 15, 17};
    EXPECT_EQ(zeilen.size(), erwartet.size());
    for (std::size_t i = 0; i < std::min(zeilen.size(), erwartet.size()); ++i)
        EXPECT_NEAR(zeilen[i], erwartet[i], 1e-9) << "line " << i;
    for (const RecordingPrintSurface::Text& text : druck.pages.front().texts)
        EXPECT_EQ(text.font.size, 13);
    EXPECT_EQ(last().text,
              s("Der Ausdruck wurde als PDF-Datei gespeichert:\r\n\r\n") + druck.file);
}

} // namespace
