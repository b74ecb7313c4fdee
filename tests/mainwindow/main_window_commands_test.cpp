// The real main window's menu: its tree, its shortcuts from the editor, and the diary, marker,
// picture and exit entries reaching their commands.
#include "main_fixture.h"

#include "commands/diary_commands.h"
#include "commands/window_openers.h"
#include "platform/form.h"
#include "store/diary_chooser.h"
#include "store/password_change.h"
#include "support/fake_help.h"
#include "support/fake_shell.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

class MenuWiring : public MainFixture {
protected:
    MenuWiring()
    {
        store::resetÖffnen();
        schreiben(s("Info.Txt"), "Tagebuch\r\n");
        schreiben(s("Info.Rei"), "Reisen\r\n");
        schreiben(s("2024/20240305.Txt"), "Im Tagebuch.");
        schreiben(s("2024/20240305.Rei"), "Auf Reisen.");
    }

    ~MenuWiring() override
    {
        commands::resetDiaryCommands();
        store::resetÖffnen();
    }

    QAction* eintrag(const char* name) const { return main->actions->action(s(name)); }

    // Types into the editor, as the user does: the entry becomes unsaved.
    void tippen(const QString& text)
    {
        main->Text->setFocus();
        main->Text->setSelStart(static_cast<int>(main->text().size()));
        QTest::keyClicks(main->Text, text);
        ASSERT_EQ(store::ungesichert, 1);
    }

    // Runs what the modal window of type W does once it is shown.
    template <class W>
    void imFenster(std::function<void(W&)> handeln)
    {
        QTimer::singleShot(0, main.get(), [this, handeln] {
            W* fenster = platform::findForm<W>();
            ASSERT_NE(fenster, nullptr);
            ++gezeigt;
            handeln(*fenster);
        });
    }

    int gezeigt = 0; // modal windows shown
    FakeHelp help;
    ScopedService<platform::Help> helpGuard{platform::setHelp, &help};
    FakeShell shell;
    ScopedService<platform::Shell> shellGuard{platform::setShell, &shell};
};

// The menu bar as it stands: level, name, caption ("-" for a separator) and shortcut.
struct Zeile {
    int ebene;
    QString name;
    QString text;
    QString taste;
    friend bool operator==(const Zeile&, const Zeile&) = default;
};

void PrintTo(const Zeile& z, std::ostream* os)
{
    *os << z.ebene << " " << z.name.toStdString() << " \"" << z.text.toStdString() << "\" "
        << z.taste.toStdString();
}

void menuZeilen(const QList<QAction*>& eintraege, int ebene, std::vector<Zeile>& zeilen)
{
    for (QAction* a : eintraege) {
        if (a->isSeparator()) {
            zeilen.push_back({ebene, a->objectName().startsWith(u"Strich") ? s("-") : a->objectName(),
                              s("-"), QString()});
            continue;
        }
        const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
        zeilen.push_back({ebene, name, a->text(), a->shortcut().toString()});
        if (a->menu())
            menuZeilen(a->menu()->actions(), ebene + 1, zeilen);
    }
}

TEST_F(MenuWiring, menuTreeHasEveryEntryInItsPlace)
{
    // As the window is made, before its load changes captions that follow a state.
    main = std::make_unique<mainwindow::Main>();
    // clang-format off
    const std::vector<Zeile> erwartet = {
        {1, s("PulDatei"), s("&Korvanel"), {}},
        {2, s("PulLaden"), s("Ö&ffnen..."), s("Ctrl+O")},
        {2, s("PulStatistik"), s("&Statistik..."), s("Ctrl+F4")},
        {2, s("PulBeschreiben"), s("&Beschreiben..."), {}},
        {2, s("PulKennwortschutz"), s("Kenn&wortschutz ändern..."), {}},
        {2, s("mnuKvLöschen"), s("&Löschen..."), {}},
        {2, s("-"), s("-"), {}},
        {2, s("mnuImport"), s("Im&portieren..."), {}},
        {2, s("mnuImportNurIch"), s("Importieren (Nur Ich)"), {}},
        {3, s("mnuImportDateiname"), s("Von Dateiname"), {}},
        {3, s("mnuImportGoogleKalender"), s("Von Google Kalender (ICS)"), s("Shift+F1")},
        {2, s("PulDrucken"), s("&Drucken / Exportieren..."), s("Ctrl+P")},
        {2, s("MnuDruckerEinrichten"), s("D&ruckereinrichtung..."), {}},
        {2, s("mnuDayInf"), s("Tages&informationen..."), s("Ctrl+I")},
        {2, s("-"), s("-"), {}},
        {2, s("mnuZuletzt(0)"), s("&1"), {}},
        {2, s("mnuZuletzt(1)"), s("&2"), s("Ctrl+R")},
        {2, s("mnuZuletzt(2)"), s("&3"), {}},
        {2, s("mnuZuletzt(3)"), s("&4"), {}},
        {2, s("-"), s("-"), {}},
        {2, s("PulBeenden"), s("Be&enden"), s("F12")},
        {1, s("PulBearbeiten"), s("&Bearbeiten"), {}},
        {2, s("mnuUndo"), s("&Rückgängig"), s("Ctrl+Z")},
        {2, s("-"), s("-"), {}},
        {2, s("PulAusschneiden"), s("&Ausschneiden"), s("Ctrl+X")},
        {2, s("PulKopieren"), s("&Kopieren"), s("Ctrl+C")},
        {2, s("mnuEinfügen"), s("&Einfügen"), {}},
        {3, s("mnuZAeinfg"), s("&Zwischenablage"), s("Ctrl+V")},
        {3, s("-"), s("-"), {}},
        {3, s("mnuUhrEinfg"), s("&Uhrzeit, aktuelle"), s("Ctrl+U")},
        {3, s("mnuDateEinfg"), s("&Datum, aktuelles"), s("Ctrl+D")},
        {3, s("mnuDateTimeEinfg"), s("Datum u&nd Uhrzeit, aktuell"), s("Ctrl+T")},
        {3, s("-"), s("-"), {}},
        {3, s("mnuStichWorteinfg"), s("Stich&wörter..."), s("Ctrl+F3")},
        {3, s("PulSonderzeichenEinfg"), s("&Sonderzeichen..."), {}},
        {3, s("mnuDateinameEinfg"), s("Datein&amen..."), {}},
        {2, s("mnuMarkierung"), s("&Markierung"), {}},
        {3, s("PulAllesMarkieren"), s("Alles &markieren und kopieren"), s("Ctrl+A")},
        {3, s("-"), s("-"), {}},
        {3, s("mnuMarkGänsefuss"), s("Markierung in &Anführungszeichen"), s("Ctrl+Shift+F2")},
        {3, s("mnuMarkUcase"), s("Markierung in &Großbuchstaben"), {}},
        {3, s("mnuMarkCRdel"), s("Markierung ohne Zeilenum&brüche"), {}},
        {3, s("mnuMark2EUR"), s("Markierung in &Euro umrechnen"), s("Shift+F2")},
        {3, s("PulOrdnen"), s("Markierung &ordnen"), {}},
        {3, s("mnuMarkPrint"), s("Markierung &drucken"), {}},
        {2, s("mnuMarker"), s("Mar&ker"), {}},
        {3, s("mnuMarkerSet(0)"), s("Marker für aktuellen Eintrag &setzen"), s("Ctrl+M")},
        {3, s("mnuMarkerSet(1)"), s("Marker für aktuellen Eintrag &löschen"), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuMarkerClr"), s("Marker für &aktuelles Korvanel löschen..."), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuAutoExpMarked"), s("&Exportiere markierte Einträge (für anderes Korvanel)..."), s("Ctrl+F9")},
        {3, s("mnuAutoImpMarked"), s("&Importiere Einträge (aus anderem Korvanel)..."), s("Shift+F9")},
        {2, s("-"), s("-"), {}},
        {2, s("mnuSuE"), s("&Suchen und ersetzen"), {}},
        {3, s("mnuSuchen"), s("Text &suchen..."), s("Ctrl+F")},
        {3, s("mnuSuchenWeiter"), s("&Nächsten Text suchen..."), s("F3")},
        {3, s("-"), s("-"), {}},
        {3, s("mnuErsetzen"), s("Text &ersetzen..."), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuKonvertASCII2Ansi"), s("Konvertierung von &ASCII (Dos) nach ANSI (Win)"), {}},
        {2, s("-"), s("-"), {}},
        {2, s("mnuEintrag"), s("Ein&trag"), {}},
        {3, s("mnuEintragSichern"), s("Jetzt &sichern"), s("Ctrl+S")},
        {3, s("PulOleTxt2Word"), s("Übertragen an &Textverarbeitung..."), {}},
        {3, s("mnuWordCheck"), s("Rechtschreibprüfung mit &Word..."), s("Ctrl+W")},
        {1, s("PulWechseln"), s("&Wechseln"), {}},
        {2, s("mnuLesezeichen"), s("&Lesezeichen..."), s("Ctrl+K")},
        {2, s("mnuTagesliste"), s("Tage&sliste..."), s("F4")},
        {2, s("mnuZeitleiste"), s("&Zeitleiste..."), s("Shift+F4")},
        {2, s("-"), s("-"), {}},
        {2, s("mnuGeheZu"), s("&Gehe zu..."), s("Ctrl+G")},
        {2, s("PulMonatsTabelle"), s("&Monatsblatt..."), s("F9")},
        {2, s("PulBlättern"), s("&Blättern"), {}},
        {3, s("PulHeute"), s("&Heute"), {}},
        {3, s("PulTagZur"), s("&Tag zurück"), s("F7")},
        {3, s("PulTagVor"), s("T&ag vor"), s("F8")},
        {3, s("PulWocheZur"), s("&Woche zurück"), s("Ctrl+F7")},
        {3, s("PulWocheVor"), s("W&oche vor"), s("Ctrl+F8")},
        {3, s("PulMonatZur"), s("&Monat zurück"), {}},
        {3, s("PulMonatVor"), s("Mo&nat vor"), {}},
        {3, s("PulJahrZur"), s("&Jahr zurück"), s("Ctrl+Shift+F7")},
        {3, s("PulJahrVor"), s("Jah&r vor"), s("Ctrl+Shift+F8")},
        {2, s("PulEintrag"), s("Ein&trag"), {}},
        {3, s("PulEintragZur"), s("&Zurück"), s("F5")},
        {3, s("PulEintragVor"), s("&Vor"), s("F6")},
        {3, s("PulEintragErster"), s("&Erster"), {}},
        {3, s("PulEintragLetzter"), s("&Letzter"), s("Ctrl+F6")},
        {2, s("-"), s("-"), {}},
        {2, s("mnuScrUnsichtbar"), s("Korvanel &verstecken / minimieren"), s("F2")},
        {2, s("mnuKorvanelExtern"), s("Korvanel, extern..."), s("Ctrl+Q")},
        {1, s("mnuMultiMedia"), s("&MultiMedia"), {}},
        {2, s("mnuBild"), s("&Bild"), {}},
        {3, s("mnuBildZuordnen"), s("Verknüpfung &erstellen/ändern..."), s("Ctrl+H")},
        {3, s("mnuBildZuordnenLöschen"), s("Verknüpfung &löschen"), {}},
        {3, s("mnuBildZuordnenExecute"), s("Verknüpfung &ausführen..."), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuBildNameTxtInst"), s("&Text aus Dateinamen übernehmen"), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuBildAnzeigen"), s("&Anzeigen"), {}},
        {2, s("mnuAudio"), s("&Audio"), {}},
        {3, s("mnuAudioZuordnen"), s("Verknüpfung &erstellen/ändern..."), {}},
        {3, s("mnuAudioZuordnenLöschen"), s("Verknüpfung &löschen"), {}},
        {3, s("mnuAudioZuordnenExecute"), s("Verknüpfung &ausführen..."), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuAudioAbspielen"), s("&Abspielen"), {}},
        {1, s("mnuWeiteres"), s("W&eiteres"), {}},
        {2, s("PulSetup"), s("&Einstellungen..."), {}},
        {2, s("mnuDatenOrdner"), s("&Daten-Ordner..."), {}},
        {2, s("-"), s("-"), {}},
        {2, s("mnuProgramme"), s("&Zusätzliche Programme"), {}},
        {3, s("mnuPrg(0)"), s("&Movrenta..."), {}},
        {3, s("mnuPrg(1)"), s("&Quelbar..."), {}},
        {3, s("mnuPrg(2)"), s("&Zindor..."), {}},
        {3, s("mnuPrg(3)"), s("&Korvanel..."), {}},
        {3, s("-"), s("-"), {}},
        {3, s("mnuZindorMeldungen"), s("Zindor, abgelaufene &Termine..."), s("Ctrl+J")},
        {3, s("-"), s("-"), {}},
        {3, s("mnuDatensicherung"), s("&Datensicherung..."), {}},
        {1, s("PulHilfe"), s("&Hilfe"), {}},
        {2, s("PulAnleitung"), s("&Anleitung..."), {}},
        {2, s("mnuTips"), s("&Tipps..."), {}},
        {2, s("mnuAGB"), s("Allgemeine &Geschäftsbedingungen..."), {}},
        {2, s("-"), s("-"), {}},
        {2, s("mnuHlpWeb"), s("Brisols-Korvanel im Inter&net / Updates..."), {}},
        {2, s("PulInfo"), s("&Info..."), {}},
        {1, s("mnuPopUp"), s("PopUp"), {}},
    };
    // clang-format on
    std::vector<Zeile> zeilen;
    const QList<QAction*> leiste = main->menuBar()->actions();
    menuZeilen(leiste, 1, zeilen);
    // The editor's popup menu has entries of its own.
    const auto popUp = std::find_if(zeilen.begin(), zeilen.end(),
                                    [](const Zeile& z) { return z.name == u"mnuPopUp"; });
    ASSERT_NE(popUp, zeilen.end());
    zeilen.erase(popUp + 1, zeilen.end());
    EXPECT_EQ(zeilen, erwartet);

    // Hidden until something asks for them.
    for (const char* name : {"mnuImportNurIch", "mnuAudio", "mnuPopUp", "mnuKorvanelExtern",
                             "mnuZuletzt(0)", "mnuZuletzt(3)"})
        EXPECT_FALSE(eintrag(name)->isVisible()) << name;
    EXPECT_TRUE(eintrag("mnuBildAnzeigen")->isChecked());
}

TEST_F(MenuWiring, everyShortcutRunsItsEntryWhileTheEditorHasTheFocus)
{
    foundation::IniSchreiben({}, {}, s("ExternesBuch"), s("korvanel Datum={Aktuell}"));
    oeffnen(s("Txt"), s("05.03.2024"));
    oeffnen(s("Rei"), s("05.03.2024")); // "&2" is the diary open before
    eintrag("mnuImportNurIch")->setVisible(true);
    ASSERT_TRUE(eintrag("mnuKorvanelExtern")->isVisible());
    ASSERT_TRUE(eintrag("mnuZuletzt(1)")->isVisible());

    const struct {
        const char* name;
        Qt::Key taste;
        Qt::KeyboardModifiers mit;
    } faelle[] = {
        {"PulLaden", Qt::Key_O, Qt::ControlModifier},
        {"PulStatistik", Qt::Key_F4, Qt::ControlModifier},
        {"mnuImportGoogleKalender", Qt::Key_F1, Qt::ShiftModifier},
        {"PulDrucken", Qt::Key_P, Qt::ControlModifier},
        {"mnuDayInf", Qt::Key_I, Qt::ControlModifier},
        {"mnuZuletzt(1)", Qt::Key_R, Qt::ControlModifier},
        {"PulBeenden", Qt::Key_F12, Qt::NoModifier},
        {"mnuUndo", Qt::Key_Z, Qt::ControlModifier},
        {"PulAusschneiden", Qt::Key_X, Qt::ControlModifier},
        {"PulKopieren", Qt::Key_C, Qt::ControlModifier},
        {"mnuZAeinfg", Qt::Key_V, Qt::ControlModifier},
        {"mnuUhrEinfg", Qt::Key_U, Qt::ControlModifier},
        {"mnuDateEinfg", Qt::Key_D, Qt::ControlModifier},
        {"mnuDateTimeEinfg", Qt::Key_T, Qt::ControlModifier},
        {"mnuStichWorteinfg", Qt::Key_F3, Qt::ControlModifier},
        {"PulAllesMarkieren", Qt::Key_A, Qt::ControlModifier},
        {"mnuMarkGänsefuss", Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier},
        {"mnuMark2EUR", Qt::Key_F2, Qt::ShiftModifier},
        {"mnuMarkerSet(0)", Qt::Key_M, Qt::ControlModifier},
        {"mnuAutoExpMarked", Qt::Key_F9, Qt::ControlModifier},
        {"mnuAutoImpMarked", Qt::Key_F9, Qt::ShiftModifier},
        {"mnuSuchen", Qt::Key_F, Qt::ControlModifier},
        {"mnuSuchenWeiter", Qt::Key_F3, Qt::NoModifier},
        {"mnuEintragSichern", Qt::Key_S, Qt::ControlModifier},
        {"mnuWordCheck", Qt::Key_W, Qt::ControlModifier},
        {"mnuLesezeichen", Qt::Key_K, Qt::ControlModifier},
        {"mnuTagesliste", Qt::Key_F4, Qt::NoModifier},
        {"mnuZeitleiste", Qt::Key_F4, Qt::ShiftModifier},
        {"mnuGeheZu", Qt::Key_G, Qt::ControlModifier},
        {"PulMonatsTabelle", Qt::Key_F9, Qt::NoModifier},
        {"PulTagZur", Qt::Key_F7, Qt::NoModifier},
        {"PulTagVor", Qt::Key_F8, Qt::NoModifier},
        {"PulWocheZur", Qt::Key_F7, Qt::ControlModifier},
        {"PulWocheVor", Qt::Key_F8, Qt::ControlModifier},
        {"PulJahrZur", Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier},
        {"PulJahrVor", Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier},
        {"PulEintragZur", Qt::Key_F5, Qt::NoModifier},
        {"PulEintragVor", Qt::Key_F6, Qt::NoModifier},
        {"PulEintragLetzter", Qt::Key_F6, Qt::ControlModifier},
        {"mnuScrUnsichtbar", Qt::Key_F2, Qt::NoModifier},
        {"mnuKorvanelExtern", Qt::Key_Q, Qt::ControlModifier},
        {"mnuBildZuordnen", Qt::Key_H, Qt::ControlModifier},
        {"mnuZindorMeldungen", Qt::Key_J, Qt::ControlModifier},
    };

    // Only the key's way to the entry counts here: what the entries do is cut off, and every
    // entry of the window counts its runs.
    std::map<QString, std::unique_ptr<QSignalSpy>> laeufe;
    for (const QString& name : main->actions->names()) {
        QAction* a = main->actions->action(name);
        if (a->menu() || a->isSeparator())
            continue;
        QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
        laeufe[name] = std::make_unique<QSignalSpy>(a, &QAction::triggered);
    }
    QApplication::setActiveWindow(main.get());
    main->Text->setFocus();
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        ASSERT_TRUE(main->Text->hasFocus());
        QTest::keyClick(main->Text, fall.taste, fall.mit);
        for (const auto& [name, spion] : laeufe) {
            EXPECT_EQ(spion->count(), name == s(fall.name) ? 1 : 0) << name.toStdString();
            spion->clear();
        }
    }
    EXPECT_EQ(main->text(), s("Auf Reisen.")) << "no key reached the text";
}

TEST_F(MenuWiring, openingTheDiaryMenuLocksThePasswordChangeInReadOnlyMode)
{
    for (const bool nurLesen : {false, true}) {
        SCOPED_TRACE(nurLesen);
        main.reset();
        resetAll();
        laden(nurLesen ? QStringList{s("readonly")} : QStringList{});
        ASSERT_EQ(foundation::nurLesen, nurLesen);
        QMenu* datei = main->actions->menu(s("PulDatei"));
        // Whatever the load set, the opening decides.
        main->actions->setEnabled(s("PulKennwortschutz"), true);
        emit datei->aboutToShow();
        EXPECT_EQ(main->actions->isEnabled(s("PulKennwortschutz")), !nurLesen);
        EXPECT_TRUE(main->actions->isEnabled(s("PulLaden")));
        EXPECT_EQ(main->actions->isEnabled(s("PulBeschreiben")), !nurLesen);
        EXPECT_EQ(main->actions->isEnabled(s("mnuKvLöschen")), !nurLesen);
        EXPECT_EQ(main->actions->isEnabled(s("mnuMarker")), !nurLesen);
        EXPECT_EQ(main->actions->isEnabled(s("mnuBild")), !nurLesen);
    }
}

TEST_F(MenuWiring, openingAnotherDiarySavesFirstAndSwitchesOnlyWhenOneIsChosen)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    main->setDateCaption(s("05.03.2024"));
    tippen(s(" Noch ein Satz."));

    // Cancelled: the entry is saved, the diary stays.
    imFenster<store::Öffnen>([this](store::Öffnen& wahl) {
        EXPECT_EQ(panel("Status"), s("Öffnen..."));
        EXPECT_EQ(wahl.TxtName->text(), s("Txt"));
        EXPECT_EQ(wahl.optStartAt[1]->text(), s("05.03.2024"));
        wahl.befAbbrechen_Click();
    });
    ASSERT_TRUE(main->actions->trigger(s("PulLaden")));
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(lesen(s("2024/20240305.TXT")), QByteArray("Im Tagebuch. Noch ein Satz."));
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(main->text(), s("Im Tagebuch. Noch ein Satz."));
    EXPECT_EQ(panel("Status"), s("Bereit"));

    // Chosen, at the day shown.
    tippen(s(" Und noch einer."));
    imFenster<store::Öffnen>([](store::Öffnen& wahl) {
        wahl.TxtName->setText(s("Rei"));
        wahl.optStartAt[1]->setChecked(true);
        wahl.befOk_Click();
    });
    ASSERT_TRUE(main->actions->trigger(s("PulLaden")));
    EXPECT_EQ(gezeigt, 2);
    EXPECT_EQ(lesen(s("2024/20240305.TXT")),
              QByteArray("Im Tagebuch. Noch ein Satz. Und noch einer."));
    EXPECT_EQ(store::korvanelKuerzel, s("Rei"));
    EXPECT_EQ(main->caption(), s("Reisen"));
    EXPECT_EQ(main->dateCaption(), s("05.03.2024"));
    EXPECT_EQ(main->text(), s("Auf Reisen."));
    EXPECT_TRUE(platform::findForm<store::Öffnen>() == nullptr) << "the chooser is unloaded";
}

TEST_F(MenuWiring, recentDiariesReopenAtTheShownDayOrSayTheyAreGone)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    oeffnen(s("Rei"), s("05.03.2024"));
    ASSERT_EQ(eintrag("mnuZuletzt(0)")->text(), s("&1 Reisen - Rei"));
    ASSERT_EQ(eintrag("mnuZuletzt(1)")->text(), s("&2 Tagebuch - Txt"));
    tippen(s(" Weiter."));

    ASSERT_TRUE(main->actions->trigger(s("mnuZuletzt(1)")));
    EXPECT_EQ(lesen(s("2024/20240305.REI")), QByteArray("Auf Reisen. Weiter."));
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(main->text(), s("Im Tagebuch."));
    EXPECT_EQ(eintrag("mnuZuletzt(1)")->text(), s("&2 Reisen - Rei"));

    // The other diary's title file has gone meanwhile.
    QFile::remove(pfad(s("Info.Rei")));
    dialogs.expectMsgBox(platform::vbOK,
                         s("Kann das zuletzt benutzte Korvanel »Rei« nicht finden."));
    ASSERT_TRUE(main->actions->trigger(s("mnuZuletzt(1)")));
    EXPECT_EQ(dialogs.calls().back().title, s("Korvanel nicht gefunden"));
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(main->text(), s("Im Tagebuch."));
}

TEST_F(MenuWiring, describingWritesTheTitleAsTheOneLineOfItsFile)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    const struct {
        std::optional<QString> antwort;
        QByteArray datei;
        QString titel;
    } faelle[] = {
        {s("Mein Jahr"), "Mein Jahr\r\n", s("Mein Jahr")},
        {std::nullopt, "Mein Jahr\r\n", s("Mein Jahr")}, // Cancel writes the old one again
    };
    for (const auto& fall : faelle) {
        dialogs.expectInputBox(fall.antwort, s("Beschreibung zum Korvanel »Txt«"));
        ASSERT_TRUE(main->actions->trigger(s("PulBeschreiben")));
        EXPECT_EQ(lesen(s("Info.Txt")), fall.datei);
        EXPECT_EQ(main->caption(), fall.titel);
    }
}

TEST_F(MenuWiring, thePasswordChangeOpensItsWindowForADiaryWithEntries)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    tippen(s(" Vorher gesichert."));
    imFenster<store::PaßwortÄndern>([this](store::PaßwortÄndern& fenster) {
        EXPECT_EQ(panel("Status"), s("PaßwortÄndern..."));
        fenster.befAbbruch_Click();
    });
    ASSERT_TRUE(main->actions->trigger(s("PulKennwortschutz")));
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(lesen(s("2024/20240305.TXT")), QByteArray("Im Tagebuch. Vorher gesichert."));
    EXPECT_TRUE(platform::findForm<store::PaßwortÄndern>() == nullptr);
}

TEST_F(MenuWiring, deletingADiaryMovesItsFilesToTheTrashAndOffersTheChooser)
{
    schreiben(s("Info.Alt"), "Altes Buch\r\n");
    schreiben(s("2023/20231224.Alt"), "Heiligabend.");
    schreiben(s("2024/20240305.Alt"), "Dienstag.");
    schreiben(s("LeseZeic.Alt"), "Lesezeichen");
    schreiben(s("Marker_Alt.ini"), "[Marker]\r\n05.03.2024=1\r\n");
    // The desktop's trash of the test's own home.
    folders.temp().makeFolder(s("home"));
    folders.env().set("HOME", folders.temp().file(s("home")));
    folders.temp().makeFolder(s("data"));
    oeffnen(s("Alt"), s("05.03.2024"));

    dialogs.expectMsgBox(platform::vbOK, s("»Altes Buch« mit dem Kürzel »ALT«"));
    imFenster<store::Öffnen>([](store::Öffnen& wahl) {
        wahl.TxtName->setText(s("Txt"));
        wahl.optStartAt[1]->setChecked(true);
        wahl.befOk_Click();
    });
    ASSERT_TRUE(main->actions->trigger(s("mnuKvLöschen")));

    const QString papierkorb = folders.dataHome() + s("/Trash/files/");
    for (const char* datei : {"20231224.Alt", "20240305.Alt", "Info.Alt", "LeseZeic.Alt"}) {
        SCOPED_TRACE(datei);
        EXPECT_TRUE(QFileInfo::exists(papierkorb + s(datei)));
    }
    EXPECT_FALSE(vorhanden(s("Info.Alt")));
    EXPECT_FALSE(vorhanden(s("2023/20231224.Alt")));
    for (const char* bleibt : {"Marker_Alt.ini", "Info.Txt", "Info.Rei", "2024/20240305.Txt",
                               "2024/20240305.Rei"})
        EXPECT_TRUE(vorhanden(s(bleibt))) << bleibt;
    EXPECT_EQ(gezeigt, 1);
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(main->text(), s("Im Tagebuch."));
    EXPECT_EQ(panel("Status"), s("Bereit"));
}

TEST_F(MenuWiring, markersOfTheShownDayAndOfTheWholeDiary)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    const struct {
        const char* eintrag;
        int antwort; // of the question, 0: none
        const char* datei;
        const char* panel;
    } schritte[] = {
        {"mnuMarkerSet(0)", 0, "[Marker]\r\n05.03.2024=1\r\n", "M"},
        {"mnuMarkerSet(0)", 0, "[Marker]\r\n05.03.2024=1\r\n", "M"},
        {"mnuMarkerSet(1)", 0, "[Marker]\r\n05.03.2024=0\r\n", ""},
        {"mnuMarkerSet(0)", 0, "[Marker]\r\n05.03.2024=1\r\n", "M"},
        {"mnuMarkerClr", platform::vbNo, "[Marker]\r\n05.03.2024=1\r\n", "M"},
        {"mnuMarkerClr", platform::vbYes, "", ""},
    };
    for (const auto& schritt : schritte) {
        SCOPED_TRACE(schritt.eintrag);
        if (schritt.antwort != 0)
            dialogs.expectMsgBox(schritt.antwort, s("Alle Marker für das Korvanel »Tagebuch«"));
        ASSERT_TRUE(main->actions->trigger(s(schritt.eintrag)));
        EXPECT_EQ(lesen(s("Marker_Txt.ini")), QByteArray(schritt.datei));
        EXPECT_EQ(panel("StatMark"), s(schritt.panel));
    }
    EXPECT_FALSE(vorhanden(s("Marker_Txt.ini")));
}

TEST_F(MenuWiring, thePictureDisplayTogglesAndTheLinkedFileOpens)
{
    folders.temp().write(s("Bilder/Foto.txt"), "kein Bild");
    const QString foto = folders.temp().file(s("Bilder/Foto.txt"));
    schreiben(s("BildList.ini"), "[Txt]\r\n20240305=" + foto.toUtf8() + "\r\n");
    oeffnen(s("Txt"), s("05.03.2024"));
    ASSERT_FALSE(main->bezPicture->isHidden()) << "the link is shown (as a message)";

    const bool erwartet[] = {false, true};
    for (const bool an : erwartet) {
        SCOPED_TRACE(an);
        ASSERT_TRUE(main->actions->trigger(s("mnuBildAnzeigen")));
        EXPECT_EQ(eintrag("mnuBildAnzeigen")->isChecked(), an);
        EXPECT_EQ(mainwindow::bildAnzeigen != 0, an);
        EXPECT_EQ(main->bezPicture->isHidden(), !an);
        EXPECT_EQ(main->actions->isEnabled(s("mnuBildZuordnen")), an);
        EXPECT_EQ(main->actions->isEnabled(s("mnuBildZuordnenLöschen")), an);
    }

    // With the display off too, the linked file opens.
    ASSERT_TRUE(main->actions->trigger(s("mnuBildAnzeigen")));
    ASSERT_TRUE(main->actions->trigger(s("mnuBildZuordnenExecute")));
    EXPECT_EQ(shell.opened(), QStringList{foto});

    // The tick is kept with the window's settings.
    main->MainVorgabenSichern();
    EXPECT_EQ(foundation::IniLesen({}, {}, s("BildAnzeigen")), s("0"));
}

// Every entry of the opener's table, the tool-bar button and the status panel of the day
// information reach their row; the hooks the window set go with it.
TEST_F(MenuWiring, windowEntriesRunTheOpenersRowsAndTheHooksGoWithTheWindow)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    foundation::IniSchreiben({}, s("Zindor"), s("ordnerDat"), datenOrdner());
    schreiben(s("Zindor.pld"), "Termine");
    QStringList geladen;
    for (const commands::FensterZeile& zeile : commands::fensterZeilen()) {
        const QString name = zeile.fenster;
        commands::fensterAnschliessen(name, {.laden = [&geladen, name](QWidget* besitzer) {
                                           geladen << name;
                                           auto* fenster = new platform::Form(besitzer);
                                           fenster->setObjectName(name);
                                           QTimer::singleShot(0, fenster, [fenster] { fenster->hide(); });
                                           return fenster;
                                       }});
    }
    QStringList erwartet;
    for (const commands::FensterZeile& zeile : commands::fensterZeilen()) {
        SCOPED_TRACE(qPrintable(zeile.befehl));
        for (platform::FormCore* fenster : platform::openForms())
            if (fenster->name() == zeile.fenster)
                fenster->unload();
        EXPECT_TRUE(main->actions->trigger(zeile.befehl));
        erwartet << zeile.fenster;
    }
    EXPECT_EQ(geladen, erwartet);

    geladen.clear();
    ASSERT_TRUE(main->actions->trigger(s("btnInfo")));
    emit main->panels->doubleClicked(s("Aktuell"));
    EXPECT_EQ(geladen, (QStringList{s("Tagesinfos"), s("Tagesinfos")}));
    EXPECT_EQ(panel("Status"), s("Bereit"));

    main.reset();
    EXPECT_FALSE(mainwindow::mainHooks().korvanelUmgebung);
    EXPECT_FALSE(mainwindow::mainHooks().vorgabenSichern);
    EXPECT_FALSE(commands::hauptfenster().TagWechseln);
    EXPECT_FALSE(commands::hauptfenster().Beenden);
}

TEST_F(MenuWiring, saveNowAndHide)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    tippen(s(" Jetzt."));
    ASSERT_TRUE(main->actions->trigger(s("mnuEintragSichern")));
    EXPECT_EQ(lesen(s("2024/20240305.TXT")), QByteArray("Im Tagebuch. Jetzt."));
    EXPECT_EQ(store::ungesichert, 0);

    ASSERT_TRUE(main->actions->trigger(s("mnuScrUnsichtbar")));
    EXPECT_TRUE(main->isMinimized());
}

// The ways out of the program, as the user and the desktop take them.
struct Ausweg {
    const char* weg;
    std::function<void(mainwindow::Main&)> gehen;
};

const std::vector<Ausweg>& auswege()
{
    static const std::vector<Ausweg> wege = {
        {"Be&enden", [](mainwindow::Main& m) { m.actions->trigger(s("PulBeenden")); }},
        {"F12",
         [](mainwindow::Main& m) {
             QApplication::setActiveWindow(&m);
             m.Text->setFocus();
             QTest::keyClick(m.Text, Qt::Key_F12);
         }},
        {"Ende-Knopf", [](mainwindow::Main& m) { m.actions->trigger(s("btnEnde")); }},
        {"Schließfeld", [](mainwindow::Main& m) { m.close(); }},
        {"Alt+F4 (Schließen-Anforderung an das Fenster)",
         [](mainwindow::Main& m) {
             QCloseEvent schliessen;
             QCoreApplication::sendEvent(m.windowHandle(), &schliessen);
         }},
        {"Sitzungsende", [](mainwindow::Main& m) { m.sitzungBeenden(); }},
        {"Ende der Ereignisschleife",
         [](mainwindow::Main&) {
             QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection);
         }},
    };
    return wege;
}

// Every way out reaches the ordered shutdown. Its first step is seen here: an entry that
// cannot be saved makes it ask, and "Nein" keeps the program open with the text, the session's
// end refused.
TEST_F(MenuWiring, everyWayOutRunsTheShutdown)
{
    oeffnen(s("Txt"), s("05.03.2023"));
    tippen(s(" Wichtig."));
    schreiben(s("2023"), "kein Ordner"); // where the year's folder belongs

    for (const Ausweg& weg : auswege()) {
        SCOPED_TRACE(weg.weg);
        const std::size_t vorher = dialogs.calls().size();
        dialogs.expectMsgBox(platform::vbNo, s("nicht gespeichert"));
        weg.gehen(*main);
        EXPECT_EQ(dialogs.calls().size(), vorher + 1) << "asked once";
        EXPECT_EQ(ende.endCalls(), 0);
        EXPECT_FALSE(mainwindow::beendenLaeuft());
        EXPECT_EQ(main->text(), s(" Wichtig."));
        EXPECT_EQ(store::ungesichert, 1);
        EXPECT_TRUE(main->isVisible());
        EXPECT_FALSE(main->isUnloaded());
    }
    dialogs.expectMsgBox(platform::vbNo, s("nicht gespeichert"));
    EXPECT_FALSE(main->sitzungBeenden()) << "the session's end is refused";
}

// The shutdown runs once: after it, no way out runs it again.
TEST_F(MenuWiring, theShutdownRunsOnlyOnce)
{
    oeffnen(s("Txt"), s("05.03.2024"));
    tippen(s(" Zum Schluss."));
    int gesichert = 0;
    mainwindow::mainHooks().vorgabenSichern = [&] { ++gesichert; };
    // A window of the program that is still open goes with it.
    auto* tagesliste = new platform::Form(main.get());
    tagesliste->setObjectName(s("Tagesliste"));
    tagesliste->show();

    EXPECT_THROW(main->sitzungBeenden(), ProgramEndedException);
    EXPECT_TRUE(tagesliste->isUnloaded());
    EXPECT_FALSE(main->isUnloaded());
    EXPECT_EQ(ende.endCalls(), 1);
    EXPECT_EQ(gesichert, 1);
    EXPECT_EQ(lesen(s("2024/20240305.TXT")), QByteArray("Im Tagebuch. Zum Schluss."));
    EXPECT_TRUE(lesen(s("NetWatch.ini")).contains("User=\r\n"));

    for (const Ausweg& weg : auswege()) {
        SCOPED_TRACE(weg.weg);
        weg.gehen(*main);
        EXPECT_EQ(ende.endCalls(), 1);
        EXPECT_EQ(gesichert, 1);
        EXPECT_TRUE(main->sitzungBeenden()) << "the session may end";
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

} // namespace
