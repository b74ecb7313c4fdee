// The main window's menu entries connected to their commands, the procedures and hooks the
// other layers reach the window by (set here, in one place, and cleared when the window goes),
// and every way out of the program (exit command, close box, a close request of the desktop, the
// end of the session, the end of the event loop) led into the one ordered shutdown.
//
// The entries that open another window run the opener's rows (commands/window_openers.h); a
// window plugs into its rows there. The other entries whose command comes with a later step keep
// their caption, shortcut and enabled state and stay unconnected here until then.
#include "main_window.h"

#include "character_picker.h"
#include "main_hooks.h"
#include "main_state.h"
#include "main_timers.h"
#include "shutdown.h"

#include "mainwindow/drop_handling.h"
#include "mainwindow/editor_keys.h"
#include "mainwindow/navigation.h"
#include "mainwindow/popup_menu.h"

#include "commands/batch_commands.h"
#include "commands/diary_commands.h"
#include "commands/marked_export.h"
#include "commands/marker_picture_commands.h"
#include "commands/window_openers.h"
#include "foundation/font_text.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "integration/data_backup.h"
#include "integration/sibling_programs.h"
#include "integration/spelling.h"
#include "integration/word_processor.h"
#include "platform/actions.h"
#include "platform/form.h"
#include "platform/dialogs.h"
#include "platform/text_box.h"
#include "runtime/strings.h"
#include "store/diary_chooser.h"
#include "store/diary_title.h"
#include "store/password_change.h"
#include "store/day_files.h"
#include "store/password_check.h"
#include "store/store_state.h"
#include "views/month_sheet.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QSlider>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

namespace mainwindow {

namespace {

constexpr int tasteEinfg = 45; // the Insert key's code

// The diary chooser, shown modally and unloaded again, so each opening starts afresh.
commands::KorvanelWahl korvanelWaehlen(QWidget* fenster, const QString& name,
                                       const QString& datumJetzt)
{
    auto* auswahl = new store::Öffnen(fenster);
    auswahl->TxtName->setText(name);
    auswahl->optStartAt[1]->setText(datumJetzt);
    commands::modalZeigen(*auswahl);
    commands::KorvanelWahl wahl;
    if (!auswahl->isUnloaded()) {
        wahl.name = auswahl->gewaehlterName();
        wahl.startDatum = auswahl->gewaehltesDatum();
        auswahl->unload();
    }
    // Only a name that can be a diary's file extension opens a diary.
    if (!store::kuerzelGueltig(wahl.name))
        wahl.name.clear();
    return wahl;
}

void kennwortAendern(QWidget* fenster)
{
    auto* aendern = new store::PaßwortÄndern(fenster);
    commands::modalZeigen(*aendern);
    if (!aendern->isUnloaded())
        aendern->unload();
}

// Every other window of the program, the last loaded first; the main window itself ends with
// the process.
void andereFensterEntladen()
{
    const std::vector<platform::FormCore*> fenster = platform::openForms();
    const platform::MainPort* main = platform::mainPort();
    for (auto it = fenster.rbegin(); it != fenster.rend(); ++it) {
        if (main == nullptr || (*it)->widget() != main->widget())
            (*it)->unload(platform::UnloadMode::Code);
    }
}

// A text handed to this very program (the planner's Shift+F4, a sibling's hand-over) goes into
// this window's entry, in process: the entry saved, the diary opened, the day shown.
class UebergabeAnMain final : public integration::TextUebergabeZiel {
public:
    QPointer<Main> main;

    void EintragSpeichern() override { store::EintragSpeichern(); }

    bool TagebuchOeffnen(const QString& korvanel) override
    {
        if (!main)
            return false;
        const store::KorvanelAngabe angabe = store::KorvanelAngabeZerlegen(korvanel);
        const QString& name = angabe.kuerzel;
        if (name.isEmpty() || rt::equalsNoCase(name, store::korvanelKuerzel))
            return !store::korvanelKuerzel.isEmpty();
        if (!store::kuerzelGueltig(name)
            || !foundation::DateiExistiert(foundation::ordnerDat + QStringLiteral("/Info.") + name)) {
            platform::dialogs().msgBox(QStringLiteral("Das Korvanel »") + name
                                           + QStringLiteral("« wurde im Daten-Ordner nicht "
                                                            "gefunden. Der Text wurde nicht "
                                                            "übernommen."),
                                       platform::vbOKOnly | platform::vbExclamation,
                                       QStringLiteral("Text übergeben"));
            return false;
        }
        if (angabe.kennwort)
            store::KennwortMerken(name, *angabe.kennwort);
        const QString tag = store::aktDatum;
        store::korvanelKuerzel = name;
        main->KorvanelUmgebung(tag);
        return rt::equalsNoCase(store::korvanelKuerzel, name);
    }

    void TagZeigen(const QString& datum) override
    {
        if (main)
            main->setDateCaption(datum);
    }
    QString Text() override { return main ? main->text() : QString(); }
    void setText(const QString& text) override
    {
        if (main)
            main->setText(text);
    }
    void UngesichertSetzen() override
    {
        store::ungesichert = 1;
        store::UngesichertAnzeigen();
    }
};

UebergabeAnMain& uebergabeZiel()
{
    static UebergabeAnMain ziel;
    return ziel;
}

} // namespace

void Main::hooksSetzen()
{
    // Every hook asks whether the window is still there; the destructor clears them all.
    const QPointer<Main> selbst(this);
    const auto mitFenster = [selbst](auto schritt) {
        return [selbst, schritt](auto&&... argumente) {
            if (selbst)
                schritt(*selbst, std::forward<decltype(argumente)>(argumente)...);
        };
    };

    MainHooks& hooks = mainHooks();
    hooks.korvanelUmgebung =
        mitFenster([](Main& main, const QString& tag) { main.KorvanelUmgebung(tag); });
    hooks.kennwortMerken = [](const QString& kuerzel, const QString& kennwort) {
        store::KennwortMerken(kuerzel, kennwort);
    };
    hooks.tagWirdGeladen = [selbst] { return selbst && selbst->tagWirdGeladen(); };
    hooks.einfuegenUmschalten = mitFenster([](Main& main) {
        int code = tasteEinfg;
        EditorTasteUnten(main, code, 0);
    });
    hooks.vorgabenSichern = mitFenster([](Main& main) { main.MainVorgabenSichern(); });
    hooks.fensterEntladen = andereFensterEntladen;

    commands::setHauptfenster({
        .TagWechseln = mitFenster([](Main& main) { main.TagWechseln(); }),
        .KorvanelUmgebung =
            mitFenster([](Main& main, const QString& datum) { main.KorvanelUmgebung(datum); }),
        .VorgabenSichern = mitFenster([](Main& main) { main.MainVorgabenSichern(); }),
        .VorgabenLaden = mitFenster([](Main& main) { main.MainVorgabenLaden(); }),
        .Anordnen = mitFenster([](Main& main) { main.Form_Resize(); }),
        .Beenden = mitFenster([](Main& main) { main.PulBeenden(); }),
        .Bewegen = mitFenster([](Main& main, const platform::TwipsGeometry& twips) {
            main.moveTwips(twips.left, twips.top, twips.width, twips.height);
        }),
        .SchriftText = [selbst] { return selbst ? foundation::SchriftAlsText(selbst->Text) : QString(); },
        .SchriftSetzen = mitFenster([](Main& main, const QFont& schrift, const QColor& farbe) {
            // Name, size and the four styles; the rest of the editor's font stays.
            QFont neu = main.Text->font();
            neu.setFamily(schrift.family());
            if (schrift.pointSizeF() > 0)
                neu.setPointSizeF(schrift.pointSizeF());
            neu.setBold(schrift.bold());
            neu.setItalic(schrift.italic());
            neu.setUnderline(schrift.underline());
            neu.setStrikeOut(schrift.strikeOut());
            main.Text->setFont(neu);
            QPalette farben = main.Text->palette();
            farben.setColor(QPalette::Text, farbe);
            main.Text->setPalette(farben);
        }),
        .HintergrundfarbeSetzen = mitFenster([](Main& main, const QColor& farbe) {
            QPalette farben = main.Text->palette();
            farben.setColor(QPalette::Base, farbe);
            main.Text->setPalette(farben);
        }),
        .HintergrundbildZeigen =
            mitFenster([](Main& main, const QString& pfad) { main.hintergrundbildZeigen(pfad); }),
        .StimmungSichtbar = [selbst] { return selbst && !selbst->LaufStimmung->isHidden(); },
        .StimmungZeigen = mitFenster([](Main& main, bool sichtbar) {
            main.LaufStimmung->setVisible(sichtbar);
            main.bezStimmung->setVisible(sichtbar);
        }),
        .AutosaveEinschalten = mitFenster([](Main& main) {
            if (auto* zeiten = main.findChild<MainTimers*>())
                zeiten->autosaveEinschalten();
        }),
    });
    commands::setKorvanelAuswahl([selbst](const QString& name, const QString& datumJetzt) {
        return korvanelWaehlen(selbst, name, datumJetzt);
    });
    commands::setKennwortAendern([selbst] { kennwortAendern(selbst); });

    setKorvanelHypersprung(mitFenster([](Main& main, const QString& kuerzel,
                                         const QString& datum) {
        main.KorvanelHypersprung(kuerzel, datum);
    }));
    setTagesbildLaden(mitFenster([](Main& main) { main.TagesbildLaden(); }));
    setPopupZeigen(mitFenster([](Main& main, QPoint wo) {
        main.actions->menu(QStringLiteral("mnuPopUp"))->popup(wo);
    }));
    setMonatsblattFenster([selbst](const QString& tag) {
        return views::Monatsblatt::DatumWaehlen(selbst, QStringLiteral("Tag wechseln"), tag);
    });

    commands::alleFensterAnschliessen();
}

void Main::hooksLoesen()
{
    if (uebergabeZiel().main == this || !uebergabeZiel().main) {
        integration::setTextUebergabeZiel(nullptr);
        uebergabeZiel().main = nullptr;
    }
    resetMainHooks();
    commands::setHauptfenster({});
    commands::setKorvanelAuswahl({});
    commands::setKennwortAendern({});
    setKorvanelHypersprung({});
    setTagesbildLaden({});
    setPopupZeigen({});
    setMonatsblattFenster({});
}

void Main::befehleVerbinden()
{
    hooksSetzen();
    // Texts handed to this program arrive in this window.
    uebergabeZiel().main = this;
    integration::setTextUebergabeZiel(&uebergabeZiel());

    const auto verbinden = [this](const QString& name, auto handler) {
        connect(actions->action(name), &QAction::triggered, this, handler);
    };
    const auto name = [](const char* utf8) { return QString::fromUtf8(utf8); };

    // "&Korvanel"
    connect(actions->menu(name("PulDatei")), &QMenu::aboutToShow, this, [this] {
        for (const commands::Freigabe& freigabe : commands::PulDatei_Oeffnen())
            actions->setEnabled(freigabe.name, freigabe.an);
    });
    verbinden(name("PulLaden"), [] { commands::PulLaden_Click(); });
    for (int i = 0; i < 4; ++i)
        verbinden(platform::indexedName(name("mnuZuletzt"), i),
                  [i] { commands::mnuZuletzt_Click(i); });
    verbinden(name("PulBeschreiben"), [] { commands::PulBeschreiben_Click(); });
    verbinden(name("PulKennwortschutz"), [] { commands::PulKennwortschutz_Click(); });
    verbinden(name("mnuKvLöschen"), [] { commands::mnuKvLöschen_Click(); });
    verbinden(name("PulBeenden"), [this] { PulBeenden(); });

    // "Ein&trag" of "&Bearbeiten", and the diary entries of "&Wechseln"
    verbinden(name("mnuEintragSichern"), [] { commands::mnuEintragSichern_Click(); });
    verbinden(name("mnuScrUnsichtbar"), [] { commands::mnuScrUnsichtbar_Click(); });
    verbinden(name("mnuKorvanelExtern"), [] { commands::mnuKorvanelExtern_Click(); });
    verbinden(name("PulOleTxt2Word"), [this] {
        integration::PulOleTxt2Word_Click(textBeiTextverarbeitung,
                                          actions->action(QStringLiteral("PulOleTxt2Word")));
    });
    verbinden(name("mnuWordCheck"), [] { integration::mnuWordCheck_Click(); });

    // "Mar&ker"
    for (int i = 0; i < 2; ++i)
        verbinden(platform::indexedName(name("mnuMarkerSet"), i),
                  [i] { commands::mnuMarkerSet_Click(i); });
    verbinden(name("mnuMarkerClr"), [] { commands::mnuMarkerClr_Click(); });
    verbinden(name("mnuAutoExpMarked"), [this] { commands::mnuAutoExpMarked_Click(*this); });
    verbinden(name("mnuAutoImpMarked"), [this] { runMenuEntry(QStringLiteral("mnuImport")); });

    // The imports and the conversion that run over many days.
    verbinden(name("mnuKonvertASCII2Ansi"), [this] { commands::mnuKonvertASCII2Ansi_Click(*this); });
    verbinden(name("mnuImportDateiname"), [this] { commands::mnuImportDateiname_Click(*this); });
    verbinden(name("mnuImportGoogleKalender"),
              [this] { commands::mnuImportGoogleKalender_Click(*this); });

    // "&Einfügen" of "&Bearbeiten"
    verbinden(name("PulSonderzeichenEinfg"), [] { SonderzeichenEinfuegen(); });

    // The windows of the menus, and the commands that hand over to a service.
    for (const commands::FensterZeile& zeile : commands::fensterZeilen()) {
        const QString befehl = zeile.befehl;
        verbinden(befehl, [befehl] { commands::fensterOeffnen(befehl); });
    }
    verbinden(name("mnuGeheZu"), [] { commands::mnuGeheZu_Click(); });
    verbinden(name("MnuDruckerEinrichten"), [] { commands::MnuDruckerEinrichten_Click(); });
    verbinden(name("PulAnleitung"), [] { commands::PulAnleitung_Click(); });
    verbinden(name("mnuAGB"), [] { commands::mnuAGB_Click(); });
    verbinden(name("mnuDatensicherung"), [] { integration::DatensicherungStarten({}, {}); });
    connect(actions->menu(name("mnuWeiteres")), &QMenu::aboutToShow, this,
            [this] { commands::mnuWeiteres_Oeffnen(*actions); });
    for (int i = 0; i < 4; ++i)
        verbinden(platform::indexedName(name("mnuPrg"), i), [i] { commands::mnuPrg_Click(i); });

    // "&Bild"
    verbinden(name("mnuBildZuordnen"), [this] { TagesbildZuordnen(); });
    verbinden(name("mnuBildZuordnenLöschen"), [this] { TagesbildZuordnungLoeschen(); });
    verbinden(name("mnuBildZuordnenExecute"),
              [] { commands::mnuBildZuordnenExecute_Click(bildListIni); });
    verbinden(name("mnuBildAnzeigen"), [this](bool an) {
        // The entry has ticked itself already; the command inverts the tick on its own.
        actions->action(QStringLiteral("mnuBildAnzeigen"))->setChecked(!an);
        bildAnzeigen = commands::mnuBildAnzeigen_Click(*actions) ? 1 : 0;
        TagesbildLaden();
    });

    // The session of the desktop ends: the program ends in order, or, when the user keeps it
    // open (an entry that cannot be saved), the session's end is cancelled.
#if QT_CONFIG(sessionmanager)
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& sitzung) {
        sitzung.allowsInteraction(); // the shutdown may have to ask
        if (!sitzungBeenden())
            sitzung.cancel();
        sitzung.release();
    });
#endif
    // The event loop ends by any other means (the last window closed while this one is in the
    // notification area, a quit of the desktop): the same shutdown, which runs only once.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { PulBeenden(); });
}

bool Main::sitzungBeenden()
{
    // As the close box, with the session's reason; the window's handler runs the shutdown.
    unload(platform::UnloadMode::AppWindows);
    return beendenLaeuft();
}

} // namespace mainwindow
