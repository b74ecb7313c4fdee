#include "commands_fixture.h"

#include "commands/marker_picture_commands.h"
#include "foundation/ini_store.h"
#include "platform/actions.h"
#include "platform/sound.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

class MarkerCommands : public CommandsTest {
protected:
    MarkerCommands() { zeigeTag(u8("05.03.2024")); }
};

TEST_F(MarkerCommands, settingAndClearingTheMarkerOfTheShownDay)
{
    struct Schritt {
        int index;
        QByteArray datei;
        QString panel;
    };
    const Schritt schritte[] = {
        {0, "[Marker]\r\n05.03.2024=1\r\n", u8("M")},
        {0, "[Marker]\r\n05.03.2024=1\r\n", u8("M")}, // twice: still one marker
        {1, "[Marker]\r\n05.03.2024=0\r\n", QString()},
        {1, "[Marker]\r\n05.03.2024=0\r\n", QString()},
    };
    for (const Schritt& schritt : schritte) {
        sound.clear();
        commands::mnuMarkerSet_Click(schritt.index);
        EXPECT_EQ(lesen(u8("Marker_Txt.ini")), schritt.datei);
        EXPECT_EQ(host.panels.value(u8("StatMark")), schritt.panel);
        EXPECT_EQ(sound.beeps(), std::vector<int>{platform::beepExclamation});
    }
}

TEST_F(MarkerCommands, clearingAllMarkersDeletesTheMarkerFileOnlyAfterYes)
{
    schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(u8("MARKER_TXT.INI"), "[Marker]\r\n05.03.2024=1\r\n01.01.2024=1\r\n");
    schreiben(u8("Marker_Rei.ini"), "[Marker]\r\n05.03.2024=1\r\n");
    host.panels[u8("StatMark")] = u8("M");

    dialogs.expectMsgBox(platform::vbNo, u8("Alle Marker für das Korvanel »Mein Tagebuch« löschen?"));
    commands::mnuMarkerClr_Click();
    EXPECT_TRUE(vorhanden(u8("MARKER_TXT.INI")));
    EXPECT_EQ(dialogs.calls().back().title, u8("Alle Marker löschen?"));
    EXPECT_EQ(dialogs.calls().back().buttons, platform::vbYesNo);
    EXPECT_EQ(dialogs.calls().back().icon, platform::vbQuestion);

    dialogs.expectMsgBox(platform::vbYes);
    commands::mnuMarkerClr_Click();
    EXPECT_FALSE(vorhanden(u8("MARKER_TXT.INI")));
    EXPECT_TRUE(vorhanden(u8("Marker_Rei.ini")));
    EXPECT_EQ(host.panels.value(u8("StatMark")), QString());

    // No markers at all: asks, then only the panel.
    dialogs.expectMsgBox(platform::vbYes);
    commands::mnuMarkerClr_Click();
    EXPECT_EQ(dialogs.calls().size(), 3u);
}

TEST_F(MarkerCommands, readOnlyModeLeavesTheMarkersAlone)
{
    schreiben(u8("Marker_Txt.ini"), "[Marker]\r\n05.03.2024=1\r\n");
    foundation::nurLesen = true;
    commands::mnuMarkerSet_Click(1);
    commands::mnuMarkerClr_Click();
    EXPECT_EQ(lesen(u8("Marker_Txt.ini")), QByteArray("[Marker]\r\n05.03.2024=1\r\n"));
    EXPECT_EQ(host.panels.value(u8("StatMark")), u8("M"));
    EXPECT_TRUE(dialogs.calls().empty());
}

// The picture menu of the main window, registered as the main window registers it.
class PictureCommands : public MarkerCommands {
protected:
    PictureCommands()
    {
        actions = new platform::ActionRegistry(&main.window());
        QMenu* multimedia =
            actions->addMenu(main.window().menuBar(), u8("mnuMultiMedia"), u8("&MultiMedia"));
        QMenu* bild = actions->addMenu(multimedia, u8("mnuBild"), u8("&Bild"));
        actions->addAction(bild, u8("mnuBildZuordnen"), u8("Verknüpfung &erstellen/ändern..."));
        actions->addAction(bild, u8("mnuBildZuordnenLöschen"), u8("Verknüpfung &löschen"));
        actions->addAction(bild, u8("mnuBildZuordnenExecute"), u8("Verknüpfung &ausführen..."));
        QAction* anzeigen = actions->addAction(bild, u8("mnuBildAnzeigen"), u8("&Anzeigen"));
        anzeigen->setCheckable(true);
        anzeigen->setChecked(true);
    }

    platform::ActionRegistry* actions = nullptr;
};

TEST_F(PictureCommands, theDisplayToggleSwitchesTheLinkEntries)
{
    const bool erwartet[] = {false, true, false};
    for (const bool an : erwartet) {
        EXPECT_EQ(commands::mnuBildAnzeigen_Click(*actions), an);
        EXPECT_EQ(actions->action(u8("mnuBildAnzeigen"))->isChecked(), an);
        EXPECT_EQ(actions->isEnabled(u8("mnuBildZuordnen")), an);
        EXPECT_EQ(actions->isEnabled(u8("mnuBildZuordnenLöschen")), an);
        EXPECT_TRUE(actions->isEnabled(u8("mnuBildZuordnenExecute")));
    }
    // Read-only: the tick still follows, linking stays off.
    foundation::nurLesen = true;
    EXPECT_TRUE(commands::mnuBildAnzeigen_Click(*actions));
    EXPECT_FALSE(actions->isEnabled(u8("mnuBildZuordnen")));
    EXPECT_FALSE(actions->isEnabled(u8("mnuBildZuordnenLöschen")));
}

TEST_F(PictureCommands, openingTheLinkedFile)
{
    folders.temp().write(u8("Bilder/Foto.JPG"), "jpg");
    const QString foto = folders.temp().file(u8("Bilder/Foto.JPG"));
    const QString bildListe = foundation::ordnerDat + u8("/BildList.ini");
    foundation::IniSchreiben(bildListe, u8("Txt"), u8("20240305"), foto);
    foundation::IniSchreiben(bildListe, u8("Txt"), u8("20240306"),
                             folders.temp().file(u8("Bilder/fehlt.jpg")));
    foundation::IniSchreiben(bildListe, u8("Rei"), u8("20240307"), foto);

    // The display switched off does not matter.
    commands::mnuBildAnzeigen_Click(*actions);
    const struct {
        const char* tag;
        QStringList geoeffnet;
    } faelle[] = {
        {"05.03.2024", {foto}},
        {"06.03.2024", {}}, // the linked file is missing
        {"07.03.2024", {}}, // linked in another diary only
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.tag);
        shell.clear();
        zeigeTag(u8(fall.tag));
        commands::mnuBildZuordnenExecute_Click(bildListe);
        EXPECT_EQ(shell.opened(), fall.geoeffnet);
    }
    EXPECT_EQ(pointer.get(), platform::vbDefault);
}

} // namespace
