#include "main_fixture.h"

#include "commands/diary_commands.h"
#include "foundation/font_text.h"
#include "platform/folder_memory.h"

#include <QDateTime>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

namespace {

using MainWindow = MainFixture;

TEST_F(MainWindow, menuTreeHasTheCaptionsOrderAndShortcuts)
{
    laden();
    QStringList oben;
    for (QAction* eintrag : main->menuBar()->actions())
        if (eintrag->isVisible())
            oben << eintrag->text();
    EXPECT_EQ(oben, (QStringList{s("&Korvanel"), s("&Bearbeiten"), s("&Wechseln"), s("&MultiMedia"),
                                 s("W&eiteres"), s("&Hilfe")}));

    struct Fall {
        const char* name;
        const char* text;
        const char* taste;
    };
    for (const Fall& fall : {Fall{"PulLaden", "Ö&ffnen...", "Ctrl+O"},
                             Fall{"PulBeenden", "Be&enden", "F12"},
                             Fall{"mnuMarkGänsefuss", "Markierung in &Anführungszeichen", "Ctrl+Shift+F2"},
                             Fall{"PulJahrVor", "Jah&r vor", "Ctrl+Shift+F8"},
                             Fall{"mnuBildZuordnen", "Verknüpfung &erstellen/ändern...", "Ctrl+H"},
                             Fall{"mnuZuletzt(0)", "&1", ""},
                             Fall{"mnuZuletzt(1)", "&2", "Ctrl+R"},
                             Fall{"PulEintragErster", "&Erster", ""}}) {
        SCOPED_TRACE(fall.name);
        QAction* eintrag = main->actions->action(s(fall.name));
        ASSERT_NE(eintrag, nullptr);
        EXPECT_EQ(eintrag->text(), s(fall.text));
        EXPECT_EQ(eintrag->shortcut(), QKeySequence(s(fall.taste)));
    }
    QStringList blaettern;
    for (QAction* eintrag : main->actions->menu(s("PulBlättern"))->actions())
        blaettern << eintrag->objectName();
    EXPECT_EQ(blaettern, (QStringList{s("PulHeute"), s("PulTagZur"), s("PulTagVor"), s("PulWocheZur"),
                                      s("PulWocheVor"), s("PulMonatZur"), s("PulMonatVor"),
                                      s("PulJahrZur"), s("PulJahrVor")}));
    EXPECT_TRUE(main->actions->action(s("mnuBildAnzeigen"))->isChecked());
    EXPECT_FALSE(main->actions->action(s("mnuPopUp"))->isVisible());
    EXPECT_EQ(main->actions->action(s("PulOleTxt2Word"))->text(),
              s("&Text übertragen an Textverarbeitung..."));
    // No word processor is known: the hand-over stays off, and the empty setting is stored.
    EXPECT_FALSE(main->actions->isEnabled(s("PulOleTxt2Word")));
    EXPECT_TRUE(folders.settingsFile(s("Brisol.ini")).contains("PrgExe="));
}

TEST_F(MainWindow, controlsCarryTheirNames)
{
    laden();
    for (const char* name : {"Text", "BezDatum", "BezWochentag", "BezWieLange", "BezWieLange2", "bezDCI",
                             "bezPicture", "bezStimmung", "LaufStimmung", "Coolbar", "ImageNotToday",
                             "BackPic", "BefDatumWechsel(0)", "BefDatumWechsel(9)"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(main->control(s(name)), nullptr);
    }
    EXPECT_EQ(main->panels->keys(),
              (QStringList{s("Aktuell"), s("Status"), s("Position"), s("txtEinf"), s("StatMark"), s("Bild"),
                           s("Unsaved"), s("Datum"), s("Zeit")}));
    // The tool tips of the panels the program does not rewrite, and the one the entry display
    // sets for the saved entry.
    const std::pair<const char*, const char*> tipps[] = {
        {"Status", "Allgemeiner Hinweis"},      {"txtEinf", "Text einfügen oder überschreiben"},
        {"StatMark", "M für Eintrag markiert"}, {"Bild", "Bilder zu diesem Tag vorhanden?"},
        {"Datum", "Aktuelles Datum"},           {"Zeit", "Aktuelle Uhrzeit"},
        {"Unsaved", "Eingaben sind gesichert"}};
    for (const auto& [key, tipp] : tipps)
        EXPECT_EQ(main->panels->toolTip(s(key)), s(tipp)) << key;
    EXPECT_EQ(main->BefDatumWechsel[6]->toolTip(), s("Eine Jahr zurück"));
    for (const char* key : {"btnEnde", "btnOpen", "btnInfo", "btnAuschneiden", "btnKopieren", "btnEinfügen",
                            "btnPrint", "btnSearch", "btnKalender", "btnLesezeichen", "btnRechtschreib",
                            "btnWord", "btnEinfügenZA", "btnEinfügenStichwort", "btnEinfügenBild"})
        EXPECT_NE(main->actions->action(s(key)), nullptr) << key;
    EXPECT_EQ(main->LaufStimmung->minimum(), -10);
    EXPECT_EQ(main->LaufStimmung->maximum(), 10);
    EXPECT_EQ(platform::mainPort(), main.get());
    EXPECT_EQ(&store::storeHost(), main.get());
}

TEST_F(MainWindow, toolBarButtonsRunTheirMenuEntries)
{
    laden();
    // Only the way to the entries counts: the search window they open is not connected.
    commands::fensterAnschliessen(s("Suchen"), {});
    QSignalSpy suchen(main->actions->action(s("mnuSuchen")), &QAction::triggered);
    QSignalSpy bild(main->actions->action(s("mnuBildZuordnen")), &QAction::triggered);
    main->actions->action(s("btnSearch"))->trigger();
    main->actions->action(s("btnEinfügenBild"))->trigger();
    EXPECT_EQ(suchen.count(), 1);
    EXPECT_EQ(bild.count(), 1);
}

TEST_F(MainWindow, readOnlyLocksEntriesButtonsEditorAndShortcutsAndWritesNothing)
{
    schreiben(s("Info.Txt"), "Tagebuch\r\n");
    schreiben(s("2024/20240305.Txt"), "Nur lesen.");
    schreiben(s("Stimmung2024.ini"), "[Txt]\r\n05.03.2024=2\r\n");
    laden({s("readonly")});
    ASSERT_TRUE(foundation::nurLesen);
    // No picture chooser opens: the strict dialogs would fail the test.
    const auto vorher = datenordnerInhalt();

    for (const char* name : {"PulKennwortschutz", "PulBeschreiben", "PulBearbeiten", "mnuHlpWeb",
                             "mnuKvLöschen", "mnuBild", "PulSetup", "mnuMarker", "mnuImport",
                             "btnAuschneiden", "btnKopieren", "btnEinfügen", "btnRechtschreib", "btnWord"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(main->actions->isEnabled(s(name)));
        EXPECT_FALSE(main->actions->trigger(s(name)));
    }
    EXPECT_FALSE(main->actions->action(s("btnAuschneiden"))->isEnabled());
    // The entries below a locked menu keep no shortcut either.
    for (QKeyCombination taste : {QKeyCombination(Qt::CTRL, Qt::Key_X), QKeyCombination(Qt::CTRL, Qt::Key_V),
                                  QKeyCombination(Qt::CTRL, Qt::Key_H), QKeyCombination(Qt::CTRL, Qt::Key_M)})
        EXPECT_FALSE(main->actions->ownsShortcut(taste)) << QKeySequence(taste).toString().toStdString();
    EXPECT_FALSE(main->actions->action(s("PulAusschneiden"))->isEnabled());
    EXPECT_TRUE(main->actions->ownsShortcut(QKeyCombination(Qt::CTRL, Qt::Key_O)));

    oeffnen(s("Txt"), s("05.03.2024"));
    EXPECT_TRUE(main->Text->locked());
    EXPECT_FALSE(main->LaufStimmung->isEnabled());
    EXPECT_EQ(main->text(), s("Nur lesen."));
    main->Text->setFocus();
    QTest::keyClicks(main->Text, s("xyz"));
    EXPECT_EQ(main->text(), s("Nur lesen."));
    main->setText(s("vom Programm geändert"));
    main->LaufStimmung->setValue(-4);
    main->TagesbildZuordnen();
    main->TagesbildZuordnungLoeschen();
    main->MainVorgabenSichern();
    main->setDateCaption(s("06.03.2024"));
    EXPECT_TRUE(main->Text->locked());
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_EQ(main->caption(), s("Tagebuch - nur Leserechte"));
}

TEST_F(MainWindow, switchingDiariesReReadsTitleFontColourSliderAndReferenceLine)
{
    folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nSchrift=Courier New; 11;0;0;0;0;\r\n"
                                               "SchriftBackCol=15790320\r\n");
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(s("Info.Rei"), "Reisen\r\n");
    schreiben(s("Stimmung.ini"), "[Txt]\r\nBarometer=1\r\n[Rei]\r\nBarometer=0\r\n");
    schreiben(s("Korvanel.ini"), "[Txt]\r\nSchrift=Times New Roman; 14;-1;0;0;0;\r\nSchriftBackCol=255\r\n"
                                 "BezugDatum=05.03.2023\r\nBezugText=Seit * verheiratet\r\n"
                                 "[Rei]\r\nBezugDatum=15.03.2024\r\n");
    schreiben(s("2024/20240305.Rei"), "In Rom.");

    oeffnen(s("Txt"), s("05.03.2024"));
    EXPECT_EQ(main->caption(), s("Mein Tagebuch"));
    EXPECT_EQ(main->Text->font().family(), s("Times New Roman"));
    EXPECT_EQ(main->Text->font().pointSize(), 14);
    EXPECT_TRUE(main->Text->font().bold());
    EXPECT_EQ(main->Text->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_FALSE(main->LaufStimmung->isHidden());
    EXPECT_EQ(main->BezWieLange2->text(), s("Seit 12,0 Monaten verheiratet"));

    main->setText(s("Unterwegs geschrieben"));
    store::korvanelKuerzel = s("Rei");
    main->KorvanelUmgebung(s("05.03.2024"));

    EXPECT_EQ(lesen(s("2024/20240305.Txt")), QByteArray("Unterwegs geschrieben"));
    EXPECT_EQ(main->caption(), s("Reisen"));
    EXPECT_EQ(main->text(), s("In Rom."));
    EXPECT_EQ(store::aktTagesdatei, s("20240305.REI"));
    EXPECT_EQ(main->Text->font().family(), s("Courier New"));
    EXPECT_EQ(main->Text->font().pointSize(), 11);
    EXPECT_FALSE(main->Text->font().bold());
    EXPECT_EQ(main->Text->palette().color(QPalette::Base), QColor(240, 240, 240));
    EXPECT_TRUE(main->LaufStimmung->isHidden());
    EXPECT_EQ(main->BezWieLange2->text(), s("-10 Tagen"));
    EXPECT_EQ(main->zuletztCaption(0), s("&1 Reisen - Rei"));
    EXPECT_EQ(main->zuletztCaption(1), s("&2 Mein Tagebuch - Txt"));
}

// What the settings window changes in the main window, through the functions it installs.
TEST_F(MainWindow, settingsWindowChangesFontColourPictureSliderAndGeometryThroughItsFunctions)
{
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(s("Stimmung.ini"), "[Txt]\r\nBarometer=1\r\n");
    oeffnen(s("Txt"), s("05.03.2024"));
    const commands::Hauptfenster& haupt = commands::hauptfenster();

    QFont schrift(s("Liberation Serif"));
    schrift.setPointSize(16);
    schrift.setBold(true);
    schrift.setStrikeOut(true);
    haupt.SchriftSetzen(schrift, QColor(0, 0, 255));
    EXPECT_EQ(main->Text->font().family(), s("Liberation Serif"));
    EXPECT_EQ(main->Text->font().pointSize(), 16);
    EXPECT_TRUE(main->Text->font().strikeOut());
    EXPECT_EQ(haupt.SchriftText(), s("Liberation Serif; 16;-1;0;0;16711680;"));
    EXPECT_EQ(haupt.SchriftText(), foundation::SchriftAlsText(main->Text));

    haupt.HintergrundfarbeSetzen(QColor(1, 2, 3));
    EXPECT_EQ(main->textPalette().color(QPalette::Base), QColor(1, 2, 3));

    EXPECT_TRUE(haupt.StimmungSichtbar());
    haupt.StimmungZeigen(false);
    EXPECT_TRUE(main->LaufStimmung->isHidden());
    EXPECT_TRUE(main->bezStimmung->isHidden());
    EXPECT_FALSE(haupt.StimmungSichtbar());

    QImage bild(8, 8, QImage::Format_RGB32);
    bild.fill(Qt::green);
    ASSERT_TRUE(bild.save(pfad(s("wiese.png"))));
    schreiben(s("alt.emf"), "kein Bild, das sich zeigen ließe");
    haupt.HintergrundbildZeigen(pfad(s("wiese.png")));
    EXPECT_FALSE(main->BackPic->isHidden());
    haupt.HintergrundbildZeigen(pfad(s("alt.emf")));
    EXPECT_TRUE(main->BackPic->isHidden());
    haupt.HintergrundbildZeigen(QString());
    EXPECT_TRUE(main->BackPic->isHidden());

    haupt.Bewegen(platform::TwipsGeometry{1500, 750, 9600, 7320});
    const platform::TwipsGeometry jetzt = main->geometryTwips();
    EXPECT_EQ(jetzt.width, 9600);
    EXPECT_EQ(jetzt.height, 7320);
}

TEST_F(MainWindow, diaryWithoutTitleRunsTheDescribeCommand)
{
    laden();
    QSignalSpy beschreiben(main->actions->action(s("PulBeschreiben")), &QAction::triggered);
    // Cancelled: the short name becomes the title.
    dialogs.expectInputBox(std::nullopt, s("Beschreibung zum Korvanel »Neu«"));
    oeffnen(s("Neu"), s("05.03.2024"));
    EXPECT_EQ(beschreiben.count(), 1);
    EXPECT_EQ(lesen(s("Info.Neu")), QByteArray("Neu\r\n"));
    EXPECT_EQ(main->caption(), s("Neu"));
}

TEST_F(MainWindow, linkToAMissingDiaryKeepsTheOpenOne)
{
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    oeffnen(s("Txt"), s("05.03.2024"));
    dialogs.expectMsgBox(platform::vbOK, s("Kann das per Hypersprung angewählte Korvanel »Xyz« nicht finden."));
    main->KorvanelHypersprung(s("Xyz"), s("01.01.2024"));
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(main->dateCaption(), s("05.03.2024"));
    ASSERT_EQ(dialogs.calls().size(), 1U);
    EXPECT_EQ(dialogs.calls()[0].title, s("Korvanel Hypersprung"));
}

// A link whose name would lead out of the data folder's own files is no diary, even where a
// file of that path exists.
TEST_F(MainWindow, linkWithAPathInItsNameIsRefused)
{
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(s("Info.A/B"), "Fremd\r\n");
    oeffnen(s("Txt"), s("05.03.2024"));
    dialogs.expectMsgBox(platform::vbOK, s("Kann das per Hypersprung angewählte Korvanel »A/B« nicht finden."));
    main->KorvanelHypersprung(s("A/B"), s("01.01.2024"));
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(main->dateCaption(), s("05.03.2024"));
}

// Every visible control lies inside the area and none overlaps another.
void pruefeAnordnung(const mainwindow::Main& main)
{
    const QWidget* flaeche = main.centralWidget();
    std::vector<const QWidget*> sichtbar;
    for (QObject* kind : flaeche->children()) {
        auto* w = qobject_cast<QWidget*>(kind);
        if (w && !w->isHidden() && w->objectName() != u"BackPic")
            sichtbar.push_back(w);
    }
    for (const QWidget* w : sichtbar) {
        EXPECT_TRUE(flaeche->rect().contains(w->geometry())) << w->objectName().toStdString();
        EXPECT_GE(w->width(), w == main.BezWieLange2 ? 0 : 1) << w->objectName().toStdString();
    }
    for (std::size_t i = 0; i < sichtbar.size(); ++i)
        for (std::size_t j = i + 1; j < sichtbar.size(); ++j)
            EXPECT_FALSE(sichtbar[i]->geometry().intersects(sichtbar[j]->geometry()))
                << sichtbar[i]->objectName().toStdString() << " / " << sichtbar[j]->objectName().toStdString();
}

TEST_F(MainWindow, layoutFollowsTheWindowSizeWithoutOverlaps)
{
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(s("Stimmung.ini"), "[Txt]\r\nBarometer=1\r\n");
    schreiben(s("Korvanel.ini"), "[Txt]\r\nBezugDatum=01.06.2020\r\n"
                                 "BezugText=Seit * wohnen wir im neuen Haus am See und freuen uns\r\n");
    QImage bild(400, 300, QImage::Format_RGB32);
    bild.fill(Qt::darkGreen);
    ASSERT_TRUE(bild.save(pfad(s("bild.png"))));
    schreiben(s("BildList.ini"), (QStringLiteral("[Txt]\r\n20240305=") + pfad(s("bild.png")) + s("\r\n")).toUtf8());
    oeffnen(s("Txt"), s("05.03.2024"));

    int letzteBreite = 0;
    for (QSize groesse : {QSize(640, 420), QSize(1000, 700), QSize(1600, 1000)}) {
        SCOPED_TRACE(groesse.width());
        main->resize(groesse);
        QCoreApplication::processEvents();
        ASSERT_FALSE(main->bezPicture->isHidden());
        ASSERT_FALSE(main->BezWieLange2->text().isEmpty());
        EXPECT_GE(main->BezWieLange2->width(), main->BezWieLange2->sizeHint().width());
        pruefeAnordnung(*main);
        // 240 twips of margin at 15 twips per pixel; the editor grows with the window.
        EXPECT_EQ(main->Text->x(), 16);
        EXPECT_GT(main->Text->width(), letzteBreite);
        letzteBreite = main->Text->width();
        EXPECT_EQ(main->bezDCI->geometry().bottom() + 1 + 8, main->centralWidget()->height());
    }

    // Without a picture the editor takes the whole width.
    main->TagesbildZuordnungLoeschen();
    EXPECT_TRUE(main->bezPicture->isHidden());
    EXPECT_EQ(main->Text->width(), main->centralWidget()->width() - 32);
    pruefeAnordnung(*main);
}

TEST_F(MainWindow, fontFollowsTheWindowWidthWhenAutoSizeIsSet)
{
    folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nFontAutoSize=12\r\n");
    laden();
    EXPECT_EQ(mainwindow::fontAutoSize, 12);
    for (int breite : {700, 1300}) {
        main->resize(breite, 600);
        QCoreApplication::processEvents();
        const double erwartet = 12 / 6.0 * main->centralWidget()->width() * 15 / 5000.0;
        EXPECT_NEAR(main->Text->font().pointSizeF(), erwartet, 0.01) << breite;
    }
}

TEST_F(MainWindow, settingsAreSavedAndLoadedBack)
{
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nBildAnzeigen=0\r\nWordButtons=1\r\nAutoFormat=0\r\n");
    oeffnen(s("Txt"), s("05.03.2024"));
    EXPECT_FALSE(main->actions->action(s("mnuBildAnzeigen"))->isChecked());
    EXPECT_EQ(mainwindow::bildAnzeigen, 0);
    EXPECT_EQ(store::autoFormat, 0);
    EXPECT_TRUE(main->actions->action(s("btnWord"))->isVisible());
    EXPECT_TRUE(main->LaufStimmung->isHidden());

    main->LaufStimmung->show();
    main->MainVorgabenSichern();
    EXPECT_EQ(foundation::IniLesen(pfad(s("Stimmung.ini")), s("Txt"), s("Barometer")), s("1"));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("BildAnzeigen")), s("0"));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("AutoFormat")), s("0"));
}

// The insertion other windows use: in at the caret wherever the user could type, nowhere else.
TEST_F(MainWindow, insertTextGoesInAtTheCaretOnlyWhereTheUserCouldType)
{
    schreiben(s("Info.Txt"), "Tagebuch\r\n");
    schreiben(s("2024/20240305.Txt"), "Heute Hafen.");
    folders.temp().makeFolder(s("daten/2024/20240306.Txt")); // exists, cannot be read

    struct Fall {
        const char* name;
        QStringList worte;   // command line
        const char* tag;     // "" no diary open
        const char* text;
        bool hinein;
    };
    const Fall faelle[] = {
        {"open entry", {}, "05.03.2024", "am ", true},
        {"empty text", {}, "05.03.2024", "", false},
        {"no diary open", {}, "", "am ", false},
        {"unreadable entry", {}, "06.03.2024", "am ", false},
        {"read-only", {s("readonly")}, "05.03.2024", "am ", false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        main.reset();
        resetAll();
        laden(fall.worte);
        if (*fall.tag)
            oeffnen(s("Txt"), s(fall.tag));
        const QString vorher = main->text();
        main->setSelStart(6);
        main->setSelLength(0);
        QApplication::setActiveWindow(main.get());
        main->Text->clearFocus();
        ASSERT_FALSE(main->Text->hasFocus());
        const auto dateien = datenordnerInhalt();

        EXPECT_EQ(main->insertText(s(fall.text)), fall.hinein);
        if (fall.hinein) {
            EXPECT_EQ(main->text(), s("Heute am Hafen."));
            EXPECT_EQ(main->selStart(), 9);
            EXPECT_EQ(main->selLength(), 0);
            EXPECT_TRUE(main->Text->hasFocus());
            EXPECT_EQ(store::ungesichert, 1);
            EXPECT_EQ(panel("Unsaved"), s(" * "));
        } else {
            EXPECT_EQ(main->text(), vorher);
            EXPECT_EQ(store::ungesichert, 0);
        }
        main->setDateCaption(s("07.03.2024")); // saves what is unsaved
        if (!fall.hinein) {
            EXPECT_EQ(datenordnerInhalt(), dateien);
        }
    }
    EXPECT_EQ(lesen(s("2024/20240305.Txt")), QByteArray("Heute am Hafen."));
}

// Running a menu entry by name, as other windows' buttons do: as a click, only where a click
// could run it.
TEST_F(MainWindow, runMenuEntryRunsOnlyWhatTheUserCouldClick)
{
    laden({s("readonly")});
    QSignalSpy gehezu(main->actions->action(s("mnuGeheZu")), &QAction::triggered);
    QSignalSpy zuletzt(main->actions->action(s("mnuZuletzt(1)")), &QAction::triggered);
    QSignalSpy datum(main->actions->action(s("mnuDateEinfg")), &QAction::triggered);

    dialogs.expectInputBox(std::nullopt, s("relativen Sprung"));
    EXPECT_TRUE(main->runMenuEntry(s("MNUGEHEZU")));
    EXPECT_EQ(gehezu.count(), 1);
    EXPECT_FALSE(main->runMenuEntry(s("mnuDateEinfg"))) << "below the menu read-only locks";
    EXPECT_FALSE(main->runMenuEntry(s("mnuZuletzt(1)"))) << "hidden until a diary was used";
    EXPECT_FALSE(main->runMenuEntry(s("mnuGibtEsNicht")));
    EXPECT_EQ(zuletzt.count(), 0);
    EXPECT_EQ(datum.count(), 0);
}

// The mood slider belongs to the open diary: hidden while none is open (the start, a password
// prompt), shown for a diary that uses it, and stored only for the diary it was set up for.
TEST_F(MainWindow, moodSliderShowsOnlyForTheOpenDiaryThatUsesIt)
{
    for (const char* name : {"Info.Abc", "Info.Txt", "Info.Pwd"})
        schreiben(s(name), "Tagebuch\r\n");
    schreiben(s("Stimmung.ini"), "[Abc]\r\nBarometer=1\r\n[Pwd]\r\nBarometer=1\r\n");
    laden();
    EXPECT_TRUE(main->LaufStimmung->isHidden());
    EXPECT_EQ(panel("Aktuell"), s("Kein Korvanel geladen"));
    store::korvanelKuerzel = s("Pwd");
    store::kennwortSchreiben = s("geheim");
    ASSERT_TRUE(store::EintragDateiSchreiben(s("20240305.PWD"), s("Geheim")));
    store::kennwortSchreiben.clear();
    store::korvanelKuerzel.clear();

    oeffnen(s("Abc"), s("05.03.2024"));
    EXPECT_FALSE(main->LaufStimmung->isHidden());
    oeffnen(s("Txt"), s("05.03.2024"));
    EXPECT_TRUE(main->LaufStimmung->isHidden());

    // The program ends in order while the password prompt of the next diary is up.
    const QByteArray stimmungVorher = lesen(s("Stimmung.ini"));
    bool abgefragt = false;
    store::setPaßwortEingabeAnzeige([&](store::PaßwortEingabe& fenster) {
        abgefragt = true;
        EXPECT_TRUE(main->LaufStimmung->isHidden()) << "still as the diary before left it";
        main->MainVorgabenSichern();
        fenster.TxtPWin->setText(s("geheim"));
        fenster.befOk_Click();
    });
    oeffnen(s("Pwd"), s("05.03.2024"));
    ASSERT_TRUE(abgefragt);
    EXPECT_EQ(lesen(s("Stimmung.ini")), stimmungVorher) << "not the previous diary's slider";
    EXPECT_FALSE(main->LaufStimmung->isHidden());
    main->MainVorgabenSichern();
    EXPECT_EQ(lesen(s("Stimmung.ini")), stimmungVorher);
}

// Side files that another process writes while the diary is shown are seen at the next day
// switch, also where the data folder and the file keep their modification times to the
// nanosecond (a share that counts whole seconds): a marker file replaced with the same size, a
// year's mood file created in another spelling.
TEST_F(MainWindow, sideFilesOfAnotherProcessAreSeenAtTheNextDaySwitch)
{
    // What was read is used again at once, not only once the last change lies back far enough.
    platform::setSettleTimeForTests(0);
    struct Zurueck {
        ~Zurueck() { platform::setSettleTimeForTests(std::nullopt); }
    } zurueckstellen;
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(s("Marker_Txt.ini"), "[Marker]\r\n07.03.2024=0\r\n");
    schreiben(s("2024/20240306.Txt"), "Mittwoch");
    // The times the other process keeps.
    const qint64 stunde = QDateTime::currentSecsSinceEpoch() - 3600;
    const auto zurueck = [&](const QString& wo) {
        QProcess p;
        p.start(s("touch"), {s("-d"), QStringLiteral("@%1.25").arg(stunde), wo});
        return p.waitForFinished() && p.exitCode() == 0;
    };
    ASSERT_TRUE(zurueck(pfad(s("Marker_Txt.ini"))));
    ASSERT_TRUE(zurueck(datenOrdner()));

    oeffnen(s("Txt"), s("05.03.2024"));
    main->setDateCaption(s("07.03.2024"));
    main->setDateCaption(s("06.03.2024"));
    EXPECT_TRUE(main->text().startsWith(s("Mittwoch")));
    EXPECT_EQ(panel("StatMark"), QString());
    EXPECT_EQ(main->LaufStimmung->value(), 0);

    QProcess anderer;
    anderer.setWorkingDirectory(datenOrdner());
    anderer.start(s("/bin/sh"),
                  {s("-c"), QStringLiteral("printf '[Marker]\\r\\n07.03.2024=1\\r\\n' > neu.tmp"
                                           " && touch -r Marker_Txt.ini neu.tmp"
                                           " && mv neu.tmp Marker_Txt.ini"
                                           " && printf '[Txt]\\r\\n07.03.2024=5\\r\\n' > stimmung2024.INI"
                                           " && touch -d @%1.25 .")
                                .arg(stunde)});
    ASSERT_TRUE(anderer.waitForFinished());
    ASSERT_EQ(anderer.exitCode(), 0);

    main->setDateCaption(s("07.03.2024"));
    EXPECT_EQ(panel("StatMark"), s("M"));
    EXPECT_EQ(main->LaufStimmung->value(), 5);
}

} // namespace
