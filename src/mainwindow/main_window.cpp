#include "main_window.h"

#include "character_picker.h"
#include "day_picture.h"
#include "editing_commands.h"
#include "main_hooks.h"
#include "main_state.h"
#include "main_timers.h"
#include "shutdown.h"
#include "title_window.h"
#include "tray_icon.h"

#include "commands/window_openers.h"
#include "foundation/debug_log.h"
#include "foundation/debug_log_hold.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/font_text.h"
#include "foundation/picture_types.h"
#include "foundation/ini_store.h"
#include "foundation/instance_guard.h"
#include "foundation/mail_web.h"
#include "foundation/read_only.h"
#include "foundation/regional_check.h"
#include "foundation/reservation.h"
#include "foundation/statistics.h"
#include "foundation/text_replace.h"
#include "foundation/ui_services.h"
#include "foundation/user_identity.h"
#include "foundation/window_positions.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/date_label.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/program_end.h"
#include "platform/screen.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/day_texts.h"
#include "store/diary_title.h"
#include "store/layout_update.h"
#include "store/mood_marker.h"
#include "store/password_check.h"
#include "store/store_state.h"
#include "store/transfer_files.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"
#include "textlib/day_info.h"
#include "textlib/placeholder_expander.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace mainwindow {

QString korvanelIni;
QString bildListIni;
int fontAutoSize = 0;
int bildAnzeigen = 0;
int fensterMaximiert = 0;
int textBeiTextverarbeitung = 0;
QString bezugDatum;
QString bezugText;
QString undoText;

void resetMainState()
{
    korvanelIni.clear();
    bildListIni.clear();
    fontAutoSize = 0;
    bildAnzeigen = 0;
    fensterMaximiert = 0;
    textBeiTextverarbeitung = 0;
    bezugDatum.clear();
    bezugText.clear();
    undoText.clear();
}

namespace {

const QString entwurfsDatum = QStringLiteral("00.00.0000");

QString ini(const char* key, const char* vorgabe = "")
{
    return foundation::IniLesen({}, {}, QString::fromUtf8(key), QString::fromUtf8(vorgabe));
}

int iniZahl(const char* key, const char* vorgabe)
{
    return static_cast<int>(rt::Val(ini(key, vorgabe)));
}

// The menu bar, in order: level, name, caption, shortcut. A name ending in "*" is a submenu.
struct MenuEintrag {
    int ebene;
    const char* name;
    const char* text;
    const char* taste;
};

// clang-format off
const MenuEintrag menuBaum[] = {
    {1, "PulDatei*", "&Korvanel", ""},
    {2, "PulLaden", "Ö&ffnen...", "Ctrl+O"},
    {2, "PulStatistik", "&Statistik...", "Ctrl+F4"},
    {2, "PulBeschreiben", "&Beschreiben...", ""},
    {2, "PulKennwortschutz", "Kenn&wortschutz ändern...", ""},
    {2, "mnuKvLöschen", "&Löschen...", ""},
    {2, "-", "-", ""},
    {2, "mnuImport", "Im&portieren...", ""},
    {2, "mnuImportNurIch*", "Importieren (Nur Ich)", ""},
    {3, "mnuImportDateiname", "Von Dateiname", ""},
    {3, "mnuImportGoogleKalender", "Von Google Kalender (ICS)", "Shift+F1"},
    {2, "PulDrucken", "&Drucken / Exportieren...", "Ctrl+P"},
    {2, "MnuDruckerEinrichten", "D&ruckereinrichtung...", ""},
    {2, "mnuDayInf", "Tages&informationen...", "Ctrl+I"},
    {2, "-", "-", ""},
    {2, "mnuZuletzt(0)", "&1", ""},
    {2, "mnuZuletzt(1)", "&2", "Ctrl+R"},
    {2, "mnuZuletzt(2)", "&3", ""},
    {2, "mnuZuletzt(3)", "&4", ""},
    {2, "-", "-", ""},
    {2, "PulBeenden", "Be&enden", "F12"},
    {1, "PulBearbeiten*", "&Bearbeiten", ""},
    {2, "mnuUndo", "&Rückgängig", "Ctrl+Z"},
    {2, "-", "-", ""},
    {2, "PulAusschneiden", "&Ausschneiden", "Ctrl+X"},
    {2, "PulKopieren", "&Kopieren", "Ctrl+C"},
    {2, "mnuEinfügen*", "&Einfügen", ""},
    {3, "mnuZAeinfg", "&Zwischenablage", "Ctrl+V"},
    {3, "-", "-", ""},
    {3, "mnuUhrEinfg", "&Uhrzeit, aktuelle", "Ctrl+U"},
    {3, "mnuDateEinfg", "&Datum, aktuelles", "Ctrl+D"},
    {3, "mnuDateTimeEinfg", "Datum u&nd Uhrzeit, aktuell", "Ctrl+T"},
    {3, "-", "-", ""},
    {3, "mnuStichWorteinfg", "Stich&wörter...", "Ctrl+F3"},
    {3, "PulSonderzeichenEinfg", "&Sonderzeichen...", ""},
    {3, "mnuDateinameEinfg", "Datein&amen...", ""},
    {2, "mnuMarkierung*", "&Markierung", ""},
    {3, "PulAllesMarkieren", "Alles &markieren und kopieren", "Ctrl+A"},
    {3, "-", "-", ""},
    {3, "mnuMarkGänsefuss", "Markierung in &Anführungszeichen", "Ctrl+Shift+F2"},
    {3, "mnuMarkUcase", "Markierung in &Großbuchstaben", ""},
    {3, "mnuMarkCRdel", "Markierung ohne Zeilenum&brüche", ""},
    {3, "mnuMark2EUR", "Markierung in &Euro umrechnen", "Shift+F2"},
    {3, "PulOrdnen", "Markierung &ordnen", ""},
    {3, "mnuMarkPrint", "Markierung &drucken", ""},
    {2, "mnuMarker*", "Mar&ker", ""},
    {3, "mnuMarkerSet(0)", "Marker für aktuellen Eintrag &setzen", "Ctrl+M"},
    {3, "mnuMarkerSet(1)", "Marker für aktuellen Eintrag &löschen", ""},
    {3, "-", "-", ""},
    {3, "mnuMarkerClr", "Marker für &aktuelles Korvanel löschen...", ""},
    {3, "-", "-", ""},
    {3, "mnuAutoExpMarked", "&Exportiere markierte Einträge (für anderes Korvanel)...", "Ctrl+F9"},
    {3, "mnuAutoImpMarked", "&Importiere Einträge (aus anderem Korvanel)...", "Shift+F9"},
    {2, "-", "-", ""},
    {2, "mnuSuE*", "&Suchen und ersetzen", ""},
    {3, "mnuSuchen", "Text &suchen...", "Ctrl+F"},
    {3, "mnuSuchenWeiter", "&Nächsten Text suchen...", "F3"},
    {3, "-", "-", ""},
    {3, "mnuErsetzen", "Text &ersetzen...", ""},
    {3, "-", "-", ""},
    {3, "mnuKonvertASCII2Ansi", "Konvertierung von &ASCII (Dos) nach ANSI (Win)", ""},
    {2, "-", "-", ""},
    {2, "mnuEintrag*", "Ein&trag", ""},
    {3, "mnuEintragSichern", "Jetzt &sichern", "Ctrl+S"},
    {3, "PulOleTxt2Word", "Übertragen an &Textverarbeitung...", ""},
    {3, "mnuWordCheck", "Rechtschreibprüfung mit &Word...", "Ctrl+W"},
    {1, "PulWechseln*", "&Wechseln", ""},
    {2, "mnuLesezeichen", "&Lesezeichen...", "Ctrl+K"},
    {2, "mnuTagesliste", "Tage&sliste...", "F4"},
    {2, "mnuZeitleiste", "&Zeitleiste...", "Shift+F4"},
    {2, "-", "-", ""},
    {2, "mnuGeheZu", "&Gehe zu...", "Ctrl+G"},
    {2, "PulMonatsTabelle", "&Monatsblatt...", "F9"},
    {2, "PulBlättern*", "&Blättern", ""},
    {3, "PulHeute", "&Heute", ""},
    {3, "PulTagZur", "&Tag zurück", "F7"},
    {3, "PulTagVor", "T&ag vor", "F8"},
    {3, "PulWocheZur", "&Woche zurück", "Ctrl+F7"},
    {3, "PulWocheVor", "W&oche vor", "Ctrl+F8"},
    {3, "PulMonatZur", "&Monat zurück", ""},
    {3, "PulMonatVor", "Mo&nat vor", ""},
    {3, "PulJahrZur", "&Jahr zurück", "Ctrl+Shift+F7"},
    {3, "PulJahrVor", "Jah&r vor", "Ctrl+Shift+F8"},
    {2, "PulEintrag*", "Ein&trag", ""},
    {3, "PulEintragZur", "&Zurück", "F5"},
    {3, "PulEintragVor", "&Vor", "F6"},
    {3, "PulEintragErster", "&Erster", ""},
    {3, "PulEintragLetzter", "&Letzter", "Ctrl+F6"},
    {2, "-", "-", ""},
    {2, "mnuScrUnsichtbar", "Korvanel &verstecken / minimieren", "F2"},
    {2, "mnuKorvanelExtern", "Korvanel, extern...", "Ctrl+Q"},
    {1, "mnuMultiMedia*", "&MultiMedia", ""},
    {2, "mnuBild*", "&Bild", ""},
    {3, "mnuBildZuordnen", "Verknüpfung &erstellen/ändern...", "Ctrl+H"},
    {3, "mnuBildZuordnenLöschen", "Verknüpfung &löschen", ""},
    {3, "mnuBildZuordnenExecute", "Verknüpfung &ausführen...", ""},
    {3, "-", "-", ""},
    {3, "mnuBildNameTxtInst", "&Text aus Dateinamen übernehmen", ""},
    {3, "-", "-", ""},
    {3, "mnuBildAnzeigen", "&Anzeigen", ""},
    {2, "mnuAudio*", "&Audio", ""},
    {3, "mnuAudioZuordnen", "Verknüpfung &erstellen/ändern...", ""},
    {3, "mnuAudioZuordnenLöschen", "Verknüpfung &löschen", ""},
    {3, "mnuAudioZuordnenExecute", "Verknüpfung &ausführen...", ""},
    {3, "-", "-", ""},
    {3, "mnuAudioAbspielen", "&Abspielen", ""},
    {1, "mnuWeiteres*", "W&eiteres", ""},
    {2, "PulSetup", "&Einstellungen...", ""},
    {2, "mnuDatenOrdner", "&Daten-Ordner...", ""},
    {2, "-", "-", ""},
    {2, "mnuProgramme*", "&Zusätzliche Programme", ""},
    {3, "mnuPrg(0)", "&Movrenta...", ""},
    {3, "mnuPrg(1)", "&Quelbar...", ""},
    {3, "mnuPrg(2)", "&Zindor...", ""},
    {3, "mnuPrg(3)", "&Korvanel...", ""},
    {3, "-", "-", ""},
    {3, "mnuZindorMeldungen", "Zindor, abgelaufene &Termine...", "Ctrl+J"},
    {3, "-", "-", ""},
    {3, "mnuDatensicherung", "&Datensicherung...", ""},
    {1, "PulHilfe*", "&Hilfe", ""},
    {2, "PulAnleitung", "&Anleitung...", ""},
    {2, "mnuTips", "&Tipps...", ""},
    {2, "mnuAGB", "Allgemeine &Geschäftsbedingungen...", ""},
    {2, "-", "-", ""},
    {2, "mnuHlpWeb", "Brisols-Korvanel im Inter&net / Updates...", ""},
    {2, "PulInfo", "&Info...", ""},
    {1, "mnuPopUp*", "PopUp", ""},
};

// The date buttons: index, caption, tool tip, left click, right click.
struct DatumsKnopf {
    int index;
    const char* text;
    const char* tipp;
    const char* links;
    const char* rechts;
};

const DatumsKnopf datumsKnoepfe[] = {
    {0, "< Tag", "Einen Tag zurück", "PulTagZur", ""},
    {1, "Tag >", "Einen Tag vor", "PulTagVor", ""},
    {2, "Heute", "Zum heutigen Datum", "PulHeute", ""},
    {4, "< Monat", "Einen Monat zurück (rechts=eine Woche zurück)", "PulMonatZur", "PulWocheZur"},
    {5, "Monat >", "Einen Monat vor (rechts=eine Woche vor)", "PulMonatVor", "PulWocheVor"},
    {6, "< Jahr", "Eine Jahr zurück", "PulJahrZur", ""},
    {7, "Jahr >", "Eine Jahr vor", "PulJahrVor", ""},
    {8, "< Eintrag", "Einen Eintrag zurück (rechts=erster Eintrag)", "PulEintragZur", "PulEintragErster"},
    {9, "Eintrag >", "Einen Eintrag vor (rechts=letzter Eintrag)", "PulEintragVor", "PulEintragLetzter"},
};

// The tool-bar buttons: key, caption, tool tip, menu entry run.
struct Knopf {
    const char* key;
    const char* text;
    const char* tipp;
    const char* befehl;
};

const Knopf werkzeugKnoepfe[] = {
    {"btnEnde", "Ende", "Korvanel beenden", "PulBeenden"},
    {"btnOpen", "Öffnen", "Ein anderes Korvanel öffnen", "PulLaden"},
    {"btnInfo", "Info", "Tagesinformationen", "mnuDayInf"},
    {"btnAuschneiden", "Ausschneiden", "Markierten Text ausschneiden", "PulAusschneiden"},
    {"btnKopieren", "Kopieren", "Markierten Text kopieren", "PulKopieren"},
    {"btnEinfügen", "Einfügen", "Text aus der Zwischenablage einfügen", "mnuZAeinfg"},
    {"btnPrint", "Drucken", "Drucken oder exportieren", "PulDrucken"},
    {"btnSearch", "Suchen", "Text suchen", "mnuSuchen"},
    {"btnKalender", "Monatsblatt", "Monatsblatt zeigen", "PulMonatsTabelle"},
    {"btnLesezeichen", "Lesezeichen", "Lesezeichen zeigen", "mnuLesezeichen"},
    {"btnRechtschreib", "Rechtschreibung", "Rechtschreibprüfung", "mnuWordCheck"},
    {"btnWord", "Textverarbeitung", "Text an die Textverarbeitung übertragen", "PulOleTxt2Word"},
};

const Knopf einfuegenEintraege[] = {
    {"btnEinfügenZA", "Zwischenablage", "", "mnuZAeinfg"},
    {"btnEinfügenStichwort", "Stichwörter...", "", "mnuStichWorteinfg"},
    {"btnEinfügenBild", "Bild-Verknüpfung...", "", "mnuBildZuordnen"},
};
// clang-format on

// Counts a load in progress for as long as it lives.
class Laden {
public:
    explicit Laden(int& zaehler) : zaehler_(zaehler) { ++zaehler_; }
    ~Laden() { --zaehler_; }
    Laden(const Laden&) = delete;
    Laden& operator=(const Laden&) = delete;

private:
    int& zaehler_;
};

} // namespace

Main::Main()
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Korvanel"));
    setMinimumSize(640, 420);
    resize(960, 680);

    actions = new platform::ActionRegistry(this);
    menusAufbauen();
    werkzeugleisteAufbauen();

    flaeche_ = new QWidget(this);
    flaeche_->setObjectName(QStringLiteral("Flaeche"));
    setCentralWidget(flaeche_);
    flaeche_->installEventFilter(this);

    BackPic = new QLabel(flaeche_);
    BackPic->setObjectName(QStringLiteral("BackPic"));
    BackPic->setScaledContents(true);
    BackPic->hide();

    datumsleisteAufbauen(flaeche_);

    Text = new platform::TextBox(flaeche_);
    Text->setObjectName(QStringLiteral("Text"));
    connect(Text, &platform::TextBox::changed, this, [this] { Text_Change(); });

    bezPicture = new QLabel(flaeche_);
    bezPicture->setObjectName(QStringLiteral("bezPicture"));
    bezPicture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    bezPicture->setWordWrap(true);
    bezPicture->setToolTip(QStringLiteral("Doppelklick: Bild-Verknüpfung erstellen oder ändern"));
    bezPicture->installEventFilter(this);
    bezPicture->hide();

    bezDCI = new QLabel(flaeche_);
    bezDCI->setObjectName(QStringLiteral("bezDCI"));
    bezDCI->setWordWrap(true);
    bezDCI->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bezDCI->setToolTip(QStringLiteral("Doppelklick: alle Hinweise zum Tag"));
    bezDCI->installEventFilter(this);

    statusleisteAufbauen();
    editorVerbinden();
    befehleVerbinden();

    platform::setMainPort(this);
    store::setStoreHost(this);
    trayUndPanelsVerbinden();
}

Main::~Main()
{
    hooksLoesen();
    if (platform::mainPort() == this)
        platform::setMainPort(nullptr);
    if (&store::storeHost() == this)
        store::setStoreHost(nullptr);
}

void Main::menusAufbauen()
{
    std::vector<QMenu*> ebenen(4, nullptr);
    int strich = 0;
    for (const MenuEintrag& eintrag : menuBaum) {
        QString name = QString::fromUtf8(eintrag.name);
        const QString text = QString::fromUtf8(eintrag.text);
        QMenu* oben = ebenen[static_cast<std::size_t>(eintrag.ebene - 1)];
        if (name.endsWith(u'*')) {
            name.chop(1);
            QMenu* menu = eintrag.ebene == 1 ? actions->addMenu(menuBar(), name, text)
                                             : actions->addMenu(oben, name, text);
            ebenen[static_cast<std::size_t>(eintrag.ebene)] = menu;
        } else if (name == u"-") {
            actions->addSeparator(oben, QStringLiteral("Strich") + QString::number(++strich));
        } else {
            actions->addAction(oben, name, text, QKeySequence(QString::fromUtf8(eintrag.taste)));
        }
    }
    actions->menu(QStringLiteral("mnuPopUp"))->menuAction()->setVisible(false);
    actions->menu(QStringLiteral("mnuAudio"))->menuAction()->setVisible(false);
    actions->menu(QStringLiteral("mnuImportNurIch"))->menuAction()->setVisible(false);
    actions->action(QStringLiteral("mnuKorvanelExtern"))->setVisible(false);
    for (int i = 0; i < 4; ++i)
        actions->action(platform::indexedName(QStringLiteral("mnuZuletzt"), i))->setVisible(false);

    QAction* anzeigen = actions->action(QStringLiteral("mnuBildAnzeigen"));
    anzeigen->setCheckable(true);
    anzeigen->setChecked(true);

}

void Main::werkzeugleisteAufbauen()
{
    Coolbar = new QToolBar(QStringLiteral("Werkzeugleiste"), this);
    Coolbar->setObjectName(QStringLiteral("Coolbar"));
    Coolbar->setMovable(false);
    Coolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, Coolbar);
    for (const Knopf& knopf : werkzeugKnoepfe) {
        const QString key = QString::fromUtf8(knopf.key);
        const QString befehl = QString::fromUtf8(knopf.befehl);
        auto* action = new QAction(QString::fromUtf8(knopf.text), Coolbar);
        action->setToolTip(QString::fromUtf8(knopf.tipp));
        actions->registerAction(key, action);
        if (key == u"btnEinfügen") {
            auto* knopfWidget = new QToolButton(Coolbar);
            knopfWidget->setDefaultAction(action);
            knopfWidget->setPopupMode(QToolButton::MenuButtonPopup);
            auto* liste = new QMenu(knopfWidget);
            for (const Knopf& eintrag : einfuegenEintraege) {
                auto* unter = liste->addAction(QString::fromUtf8(eintrag.text));
                actions->registerAction(QString::fromUtf8(eintrag.key), unter);
                const QString ziel = QString::fromUtf8(eintrag.befehl);
                connect(unter, &QAction::triggered, this, [this, ziel] { actions->trigger(ziel); });
            }
            knopfWidget->setMenu(liste);
            Coolbar->addWidget(knopfWidget);
        } else {
            Coolbar->addAction(action);
        }
        if (key == u"btnEnde") {
            connect(action, &QAction::triggered, this, [this] {
                Coolbar->hide();
                PulBeenden();
            });
        } else if (key == u"btnSearch") {
            // Searching only reads: the button opens the search also while the menu
            // "&Bearbeiten" with its entry is locked (read-only mode).
            connect(action, &QAction::triggered, this, [this, befehl] {
                if (!actions->trigger(befehl))
                    commands::fensterOeffnen(befehl);
            });
        } else {
            connect(action, &QAction::triggered, this,
                    [this, befehl] { actions->trigger(befehl); });
        }
    }
    actions->action(QStringLiteral("btnRechtschreib"))->setVisible(false);
    actions->action(QStringLiteral("btnWord"))->setVisible(false);
}

void Main::datumsleisteAufbauen(QWidget* flaeche)
{
    BezDatum = new platform::DateLabel(flaeche);
    BezDatum->setObjectName(QStringLiteral("BezDatum"));
    BezDatum->setCaption(entwurfsDatum);
    BezDatum->setAlignment(Qt::AlignCenter);
    BezDatum->setToolTip(QStringLiteral("Doppelklick: zu einem Datum wechseln"));
    QFont gross = BezDatum->font();
    gross.setBold(true);
    gross.setPointSizeF(gross.pointSizeF() * 1.25);
    BezDatum->setFont(gross);
    connect(BezDatum, &platform::DateLabel::changed, this, [this] {
        if (!ohneTagWechsel_)
            TagWechseln();
    });
    connect(BezDatum, &platform::DateLabel::doubleClicked, this,
            [this] { actions->trigger(QStringLiteral("mnuGeheZu")); });

    BezWochentag = new QLabel(flaeche);
    BezWochentag->setObjectName(QStringLiteral("BezWochentag"));
    BezWochentag->setFont(gross);

    ImageNotToday = new QLabel(flaeche);
    ImageNotToday->setObjectName(QStringLiteral("ImageNotToday"));
    ImageNotToday->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    ImageNotToday->setToolTip(QStringLiteral("Nicht der heutige Tag"));
    ImageNotToday->hide();

    for (const DatumsKnopf& knopf : datumsKnoepfe) {
        auto* button = new QPushButton(QString::fromUtf8(knopf.text), flaeche);
        button->setObjectName(platform::indexedName(QStringLiteral("BefDatumWechsel"), knopf.index));
        button->setToolTip(QString::fromUtf8(knopf.tipp));
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty("rechts", QString::fromUtf8(knopf.rechts));
        const QString links = QString::fromUtf8(knopf.links);
        connect(button, &QPushButton::clicked, this, [this, links] {
            actions->trigger(links);
            Text->setFocus();
        });
        button->installEventFilter(this);
        BefDatumWechsel[static_cast<std::size_t>(knopf.index)] = button;
    }

    BezWieLange = new QLabel(flaeche);
    BezWieLange->setObjectName(QStringLiteral("BezWieLange"));
    BezWieLange2 = new QLabel(flaeche);
    BezWieLange2->setObjectName(QStringLiteral("BezWieLange2"));

    bezStimmung = new QLabel(flaeche);
    bezStimmung->setObjectName(QStringLiteral("bezStimmung"));
    bezStimmung->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LaufStimmung = new QSlider(Qt::Horizontal, flaeche);
    LaufStimmung->setObjectName(QStringLiteral("LaufStimmung"));
    LaufStimmung->setRange(-10, 10);
    LaufStimmung->setSingleStep(1);
    LaufStimmung->setPageStep(1);
    LaufStimmung->setTickPosition(QSlider::TicksBelow);
    LaufStimmung->setToolTip(QStringLiteral("Stimmung des Tages (0 = keine Angabe)"));
    LaufStimmung->setFocusPolicy(Qt::NoFocus);
    LaufStimmung->hide(); // each diary says whether it shows (KorvanelUmgebung)
    connect(LaufStimmung, &QSlider::valueChanged, this, [this] { LaufStimmung_Verschieben(); });
}

void Main::statusleisteAufbauen()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    panels = new platform::StatusPanels(statusBar());
    using platform::PanelSize;
    // Key, text until the first day is shown, tool tip.
    panels->addPanel(QStringLiteral("Aktuell"), QStringLiteral("Aktueller Tag"), QString(),
                     PanelSize::Spring);
    panels->addPanel(QStringLiteral("Status"), QStringLiteral(" Lade Tag... "),
                     QStringLiteral("Allgemeiner Hinweis"));
    panels->addPanel(QStringLiteral("Position"), QStringLiteral(" 1 Ab  888 / 888 Zeichen "),
                     QStringLiteral("Position innerhalb des aktuellen Textes"));
    panels->addPanel(QStringLiteral("txtEinf"), QStringLiteral(" Einf "),
                     QStringLiteral("Text einfügen oder überschreiben"));
    panels->addPanel(QStringLiteral("StatMark"), QStringLiteral(" M "),
                     QStringLiteral("M für Eintrag markiert"));
    panels->addPanel(QStringLiteral("Bild"), QStringLiteral(" 88 Bilder"),
                     QStringLiteral("Bilder zu diesem Tag vorhanden?"));
    panels->addPanel(QStringLiteral("Unsaved"), QStringLiteral(" * "),
                     QStringLiteral("* für noch nicht gespeichert"));
    panels->addPanel(QStringLiteral("Datum"), QString(), QStringLiteral("Aktuelles Datum"));
    panels->addPanel(QStringLiteral("Zeit"), QString(), QStringLiteral("Aktuelle Uhrzeit"));
    panels->setVisible(QStringLiteral("Bild"), false);
}

// ---------------------------------------------------------------------------------------------
// Load, settings and layout

void Main::Form_Load()
{
    // Until the read-only check and the reservation have decided, the debug log writes nothing:
    // a read-only copy must leave the data folder of the user who holds it as it is.
    foundation::DebugLogbuchZurueckhalten();
    foundation::OrdnerFestlegen();
    actions->menu(QStringLiteral("mnuPopUp"))->menuAction()->setVisible(false);
    foundation::LaendereinstellungPruefen(1);
    foundation::InstanzWaechter();

    if (rt::LCase(platform::Command()).contains(QStringLiteral("nur1xtäglich"))) {
        const auto letzter = rt::CDate(ini("Stat_StartLast"));
        if (letzter
            && rt::DateDiff(QStringLiteral("d"), *letzter, platform::clock().now()) <= 0)
            platform::programEnd().end(0);
    }

    foundation::DebugLogbuch(QStringLiteral("clr"));
    foundation::SignaturSetzen();

    store::DatenUpdate606();
    foundation::SchreibrechtePruefen();
    foundation::DateiReservierung(1);
    foundation::DebugLogbuchFreigeben();
    foundation::StartStatistik();

    actions->action(QStringLiteral("mnuKorvanelExtern"))->setVisible(!ini("ExternesBuch").isEmpty());
    actions->menu(QStringLiteral("mnuImportNurIch"))
        ->menuAction()
        ->setVisible(foundation::IstInterneInstallation());

    if (foundation::nurLesen)
        nurLesenSperren();

    panels->setVisible(QStringLiteral("Bild"), !ini("MediaAutoInfFold").isEmpty());

    store::schluessel = QString::fromLatin1(store::festerSchluessel);
    bildListIni = foundation::ordnerDat + QStringLiteral("/BildList.ini");
    korvanelIni = foundation::ordnerDat + QStringLiteral("/Korvanel.ini");

    actions->action(QStringLiteral("PulOleTxt2Word"))
        ->setText(QStringLiteral("&Text zurückholen von Textverarbeitung..."));

    MainVorgabenLaden();
    Form_Resize();

    // The word processor: the one set, else the one the desktop's old association names.
    QString programm = foundation::IniLesen({}, QStringLiteral("Textverarbeitung"),
                                            QStringLiteral("PrgExe"));
    if (programm.isEmpty()) {
        programm = foundation::IniLesen(QStringLiteral("win.ini"), QStringLiteral("Extensions"),
                                        QStringLiteral("doc"));
        const int blank = static_cast<int>(programm.indexOf(u' '));
        if (blank >= 0)
            programm = programm.left(blank);
        if (!foundation::DateiExistiert(programm))
            programm.clear();
    }
    if (foundation::IniSchreiben({}, QStringLiteral("Textverarbeitung"), QStringLiteral("PrgExe"),
                                 programm)
            .isEmpty())
        actions->setEnabled(QStringLiteral("PulOleTxt2Word"), false);

    if (BezDatum->caption() == entwurfsDatum)
        BezDatum->setCaption(rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy")));

    foundation::DebugLogbuch(QStringLiteral("Main geladen, unload Title"));
    if (auto* titel = platform::findForm<Titel>())
        titel->unload();
    panels->setText(QStringLiteral("Status"), QStringLiteral("Bereit"));
    panels->setText(QStringLiteral("Position"), QString());
}

void Main::nurLesenSperren()
{
    for (const char* name : {"PulKennwortschutz", "PulBeschreiben", "PulBearbeiten", "mnuHlpWeb",
                             "mnuKvLöschen", "mnuBild", "PulSetup", "mnuMarker", "mnuImport"})
        actions->setEnabled(QString::fromUtf8(name), false);
    for (const char* name :
         {"btnAuschneiden", "btnKopieren", "btnEinfügen", "btnRechtschreib", "btnWord"}) {
        actions->setEnabled(QString::fromUtf8(name), false);
        actions->action(QString::fromUtf8(name))->setToolTip(QString());
    }
    for (const Knopf& eintrag : einfuegenEintraege)
        actions->setEnabled(QString::fromUtf8(eintrag.key), false);
    Text->setLocked(true);
    LaufStimmung->setEnabled(false);
}

void Main::MainVorgabenLaden()
{
    foundation::Fenster_PosLoad(*this, QStringLiteral("Main"));
    store::autoFormat = iniZahl("AutoFormat", "1");
    fontAutoSize = iniZahl("FontAutoSize", "0");
    QAction* anzeigen = actions->action(QStringLiteral("mnuBildAnzeigen"));
    anzeigen->setChecked(iniZahl("BildAnzeigen", "1") == 0);
    anzeigen->trigger(); // toggles it and applies the picture display
    actions->action(QStringLiteral("btnRechtschreib"))->setVisible(iniZahl("WordButtons", "0") != 0);
    actions->action(QStringLiteral("btnWord"))->setVisible(iniZahl("WordButtons", "0") != 0);
}

void Main::MainVorgabenSichern()
{
    if (foundation::nurLesen)
        return;
    foundation::Fenster_PosSave(*this, QStringLiteral("Main"));
    foundation::IniSchreiben({}, {}, QStringLiteral("AutoFormat"), QString::number(store::autoFormat));
    foundation::IniSchreiben({}, {}, QStringLiteral("FontAutoSize"), QString::number(fontAutoSize));
    // Only for the diary the slider was set up for: while another one opens (its password
    // prompt is up) the slider still stands as the previous diary left it.
    if (!store::korvanelKuerzel.isEmpty()
        && rt::equalsNoCase(stimmungKorvanel_, store::korvanelKuerzel))
        foundation::IniSchreiben(foundation::ordnerDat + QStringLiteral("/Stimmung.ini"),
                                 store::korvanelKuerzel, QStringLiteral("Barometer"),
                                 LaufStimmung->isHidden() ? QStringLiteral("0") : QStringLiteral("1"));
    foundation::IniSchreiben({}, {}, QStringLiteral("BildAnzeigen"),
                             actions->action(QStringLiteral("mnuBildAnzeigen"))->isChecked()
                                 ? QStringLiteral("1")
                                 : QStringLiteral("0"));
}

bool Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == flaeche_ && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == bezPicture) {
            TagesbildZuordnen();
            return true;
        }
        if (watched == bezDCI) {
            bezDCI_DblClick();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* maus = static_cast<QMouseEvent*>(event);
        if (maus->button() == Qt::RightButton) {
            if (watched == bezPicture) {
                actions->menu(QStringLiteral("mnuBild"))->popup(maus->globalPosition().toPoint());
                return true;
            }
            const QString rechts = watched->property("rechts").toString();
            if (qobject_cast<QPushButton*>(watched) && !rechts.isEmpty()) {
                actions->trigger(rechts);
                Text->setFocus();
                return true;
            }
        }
    }
    return MainForm::eventFilter(watched, event);
}

void Main::Form_Resize()
{
    const int zustand = windowStateVb();
    static const char* const zustaende[] = {"0:Nor", "1:Min", "2:Max"};
    foundation::DebugLogbuch(QStringLiteral("Main.Resize.in ") + QString::fromUtf8(zustaende[zustand])
                             + QStringLiteral(" -> ") + QString::number(flaeche_->width())
                             + QStringLiteral(" x ") + QString::number(flaeche_->height()));
    if (zustand != platform::vbMinimized)
        fensterMaximiert = zustand == platform::vbMaximized ? 1 : 0;
    if (zustand == platform::vbMinimized && ini("Min2Tray", "0") == u"1") {
        if (tray)
            tray->trayStart(); // without a notification area the window stays minimised
        return;
    }
    anordnen();
    TagesbildLaden();
}

void Main::anordnen()
{
    const double tpp = platform::screen().twipsPerPixelX();
    const int breite = flaeche_->width();
    const int hoehe = flaeche_->height();
    if (breite * tpp <= 3000 || imLayout_)
        return;
    imLayout_ = true;
    const auto px = [tpp](double twips) { return static_cast<int>(twips / tpp + 0.5); };
    const int rand = px(240);
    const int abstand = px(120);
    const int luecke = px(400);
    const int dciHoehe = qMax(px(450), 2 * bezDCI->fontMetrics().height() + 4);

    if (fontAutoSize > 0) {
        QFont schrift = Text->font();
        schrift.setPointSizeF(qMax(4.0, fontAutoSize / 6.0 * breite * tpp / 5000.0));
        Text->setFont(schrift);
    }

    // Row 1: years, months and days around the date; the mood at its right end.
    const auto knopf = [this](int index) { return BefDatumWechsel[static_cast<std::size_t>(index)]; };
    int zeile = 0;
    for (QPushButton* b : BefDatumWechsel)
        if (b)
            zeile = qMax(zeile, b->sizeHint().height());
    zeile = qMax(zeile, BezDatum->sizeHint().height());
    int x = rand;
    const int y1 = abstand;
    const auto setze = [&](QWidget* w, int y, int w0) {
        w->setGeometry(x, y, w0, zeile);
        x += w0;
    };
    // Buttons as wide as their caption needs, not the style's minimum width.
    const auto knopfBreite = [&](int index) {
        QPushButton* b = knopf(index);
        return qMin(b->sizeHint().width(), b->fontMetrics().horizontalAdvance(b->text()) + 2 * abstand + 4);
    };
    for (int index : {6, 4, 0})
        setze(knopf(index), y1, knopfBreite(index));
    x += abstand;
    setze(BezDatum, y1, BezDatum->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 8);
    x += abstand / 2;
    setze(BezWochentag, y1, BezWochentag->fontMetrics().horizontalAdvance(QStringLiteral("Mo")) + 6);
    ImageNotToday->setGeometry(x, y1 + (zeile - 16) / 2, 16, 16);
    x += 16 + abstand;
    for (int index : {1, 5, 7})
        setze(knopf(index), y1, knopfBreite(index));
    const int ende1 = x;

    // Row 2: today and the entries, then the distance and the reference line.
    const int y2 = y1 + zeile + abstand / 2;
    x = rand;
    setze(knopf(2), y2, knopfBreite(2));
    x += abstand;
    setze(knopf(8), y2, knopfBreite(8));
    setze(knopf(9), y2, knopfBreite(9));
    x += luecke;

    const int stimmungBreite = bezStimmung->fontMetrics().horizontalAdvance(
                                   QStringLiteral("Stimmung: -10")) + 8;
    const int reglerBreite = qMax(120, px(2400));
    const int stimmungGesamt = stimmungBreite + abstand + reglerBreite;
    const bool stimmungOben = ende1 + luecke + stimmungGesamt <= breite - rand;
    const int stimmungY = stimmungOben ? y1 : y2;
    const int stimmungX = breite - rand - stimmungGesamt;
    bezStimmung->setGeometry(stimmungX, stimmungY, stimmungBreite, zeile);
    LaufStimmung->setGeometry(stimmungX + stimmungBreite + abstand, stimmungY, reglerBreite, zeile);

    const int textEnde = (stimmungOben || LaufStimmung->isHidden()) ? breite - rand : stimmungX - abstand;
    const int wieLangeBreite =
        qMin(qMax(BezWieLange->sizeHint().width(), px(1800)), qMax(0, textEnde - x));
    setze(BezWieLange, y2, wieLangeBreite);
    x += abstand;
    // The reference line gets a row of its own when the rest of row 2 is too narrow for it.
    int unten = y2 + zeile;
    if (BezWieLange2->text().isEmpty() || textEnde - x >= BezWieLange2->sizeHint().width()) {
        BezWieLange2->setGeometry(x, y2, qMax(0, textEnde - x), zeile);
    } else {
        unten += abstand / 2;
        BezWieLange2->setGeometry(rand, unten, breite - 2 * rand, zeile);
        unten += zeile;
    }

    // The editor, the picture beside it, the Einzug texts below.
    const int oben = unten + abstand;
    const int dciOben = hoehe - rand / 2 - dciHoehe;
    const int textHoehe = qMax(zeile, dciOben - abstand - oben);
    const int bildBreite = bezPicture->isHidden() ? 0 : (breite - 2 * rand) / 3;
    const int textBreite = breite - 2 * rand - (bildBreite > 0 ? bildBreite + abstand : 0);
    Text->setGeometry(rand, oben, textBreite, textHoehe);
    BackPic->setGeometry(Text->geometry());
    bezPicture->setGeometry(rand + textBreite + abstand, oben, bildBreite, textHoehe);
    bezDCI->setGeometry(rand, dciOben, breite - 2 * rand, dciHoehe);
    imLayout_ = false;
}

// ---------------------------------------------------------------------------------------------
// Going to a day

void Main::TagWechseln()
{
    panels->setText(QStringLiteral("Status"), QStringLiteral("Lade Tag..."));
    panels->refresh();
    textBeiTextverarbeitung = 0;
    actions->action(QStringLiteral("PulOleTxt2Word"))
        ->setText(QStringLiteral("&Text übertragen an Textverarbeitung..."));

    // The old day first. A save that fails keeps the old day shown, with its text unsaved.
    if (!tagWirdGeladen() && !store::EintragSpeichern()) {
        if (!store::aktDatum.isEmpty() && BezDatum->caption() != store::aktDatum) {
            ohneTagWechsel_ = true;
            BezDatum->setCaption(store::aktDatum);
            ohneTagWechsel_ = false;
        }
        panels->setText(QStringLiteral("Status"), QStringLiteral("Bereit"));
        return;
    }

    const QString eingabe = BezDatum->caption();
    std::optional<rt::VbDate> datum = rt::CDate(eingabe);
    if (!datum) {
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        const int antwort = platform::dialogs().msgBox(
            eingabe + QStringLiteral(" ist kein gültiges Datum"),
            platform::vbOKCancel | platform::vbExclamation | platform::vbDefaultButton2,
            QStringLiteral("Korvanel, ungültiges Datum"));
        if (letzterGueltigerTag_.isEmpty()) {
            BezDatum->setCaption(rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy")));
        } else {
            ohneTagWechsel_ = true;
            BezDatum->setCaption(letzterGueltigerTag_);
            ohneTagWechsel_ = false;
            panels->setText(QStringLiteral("Status"), QStringLiteral("Bereit"));
        }
        if (antwort == platform::vbCancel)
            PulBeenden();
        return;
    }
    rt::VbDate tag = rt::DateOnly(*datum);
    if (rt::Year(tag) < 1500)
        tag = rt::DateSerial(1500, 1, 1);
    else if (rt::Year(tag) > 2200)
        tag = rt::DateSerial(2200, 12, 31);
    const QString normal = rt::Format(tag, QStringLiteral("dd.mm.yyyy"));
    if (normal != eingabe) {
        BezDatum->setCaption(normal); // the change event shows that day
        return;
    }

    Laden laden(laden_);
    store::aktDatum = normal;

    QString feiertag = textlib::FeiertagText(tag);
    if (!feiertag.isEmpty())
        feiertag = QStringLiteral(", ") + feiertag;
    const QString kopf =
        store::korvanelKuerzel.isEmpty()
            ? QStringLiteral("Kein Korvanel geladen")
            : textlib::DatumFormatieren(QStringLiteral("dddd, d. mmmm yyyy"), normal)
                  + QStringLiteral(", ") + QString::number(textlib::Kalenderwoche(tag))
                  + QStringLiteral(". Woche") + feiertag;
    if (panels->text(QStringLiteral("Aktuell")) != kopf) {
        panels->setText(QStringLiteral("Aktuell"), kopf);
        panels->setToolTip(QStringLiteral("Aktuell"), QStringLiteral("Eintrag vom ") + normal + feiertag);
    }

    BezWochentag->setText(textlib::NameVonDatum(rt::Weekday(tag), QStringLiteral("wt")).left(2));
    store::aktTagesdatei = rt::Format(tag, QStringLiteral("yyyymmdd")) + u'.'
                           + rt::UCase(store::korvanelKuerzel);

    EintragAnzeigen();

    TagesbildLaden();
    TagesbilderZaehlen();
    bezDCI->setText(store::EinzugTexteLesen(tag));
    store::MarkerLesen(tag);
    if (rt::Val(ini("NotTodayInf", "0")) == 1)
        ImageNotToday->setVisible(
            rt::DateDiff(QStringLiteral("d"), platform::clock().now(), tag) != 0);
    letzterGueltigerTag_ = normal;
    // Drawn with everything else the day changed, as soon as the event loop runs: drawn at once
    // here, the window would be drawn twice per day.
    panels->setText(QStringLiteral("Status"), QStringLiteral("Bereit"));
}

void Main::EintragAnzeigen()
{
    Laden laden(laden_);
    foundation::DebugLogbuch(QStringLiteral("[]-> Eintrag laden -------------"));
    LaufStimmung->setValue(1);
    LaufStimmung->setValue(0);
    if (!store::korvanelKuerzel.isEmpty()) {
        foundation::DebugLogbuch(QStringLiteral("Stimmungsbarometer, Wert laden"));
        store::StimmungLesen();
    }

    foundation::DebugLogbuch(QStringLiteral("Datei laden"));
    store::Eintrag eintrag;
    if (!store::korvanelKuerzel.isEmpty())
        eintrag = store::EintragLaden(store::aktTagesdatei);
    if (eintrag.ok()) {
        eintragSperren(QString());
        QString text = eintrag.text;
        store::TextBereinigen(text);
        Text->setText(text);
    } else {
        Text->setText(QString());
        eintragSperren(store::EintragLadefehlerText(eintrag));
    }

    const rt::VbDate tag = rt::CDateOrError(store::aktDatum);
    BezWieLange->setText(textlib::TagAbstandText(static_cast<double>(
        rt::DateDiff(QStringLiteral("d"), rt::DateOnly(platform::clock().now()), tag))));

    if (bezugText.isEmpty() && !store::korvanelKuerzel.isEmpty()) {
        bezugDatum = foundation::IniLesen(korvanelIni, store::korvanelKuerzel, QStringLiteral("BezugDatum"));
        bezugText = foundation::IniLesen(korvanelIni, store::korvanelKuerzel, QStringLiteral("BezugText"),
                                         QStringLiteral("*"));
    }
    bezugZeileAnzeigen();

    undoText = Text->text();
    store::ungesichert = 0;
    store::UngesichertAnzeigen();
    Text->setSelStart(0);
    datumUndZeitAnzeigen(*this);
    Text->setFocus();
    platform::setWidgetMousePointer(this, platform::vbDefault);
    foundation::DebugLogbuch(QStringLiteral("Eintrag laden Ende ***"));
}

void Main::bezugZeileAnzeigen()
{
    const auto bezug = rt::CDate(bezugDatum);
    const auto tag = rt::CDate(store::aktDatum);
    if (!bezug || !tag) {
        if (!BezWieLange2->text().isEmpty())
            BezWieLange2->clear();
        anordnen();
        return;
    }
    const qint64 tage = rt::DateDiff(QStringLiteral("d"), *tag, *bezug);
    QString abstand = (tage > 0 ? QStringLiteral("-") : QString())
                      + textlib::TageAlsText(static_cast<double>(tage),
                                             ini("AltersFormat", "#.0"));
    if (bezugText.startsWith(QStringLiteral("Als "))) {
        abstand = foundation::TextErsetzen(abstand, QStringLiteral("Jahren"), QStringLiteral("Jahre"));
        abstand = foundation::TextErsetzen(abstand, QStringLiteral("Monaten"), QStringLiteral("Monate"));
        abstand = foundation::TextErsetzen(abstand, QStringLiteral("Tagen"), QStringLiteral("Tage"));
    }
    QString zeile = bezugText;
    zeile.replace(u'*', abstand);
    if (BezWieLange2->text() != zeile) {
        BezWieLange2->setText(zeile);
        anordnen(); // its length may need a row of its own
    }
}

void Main::eintragSperren(const QString& meldung)
{
    eintragGesperrt_ = !meldung.isEmpty();
    Text->setPlaceholderText(meldung);
    // Without an open diary there is nowhere to keep a text.
    Text->setLocked(eintragGesperrt_ || foundation::nurLesen || store::korvanelKuerzel.isEmpty());
    if (eintragGesperrt_)
        panels->setText(QStringLiteral("Status"), QStringLiteral("Eintrag gesperrt"));
}

void Main::Text_Change()
{
    if (tagWirdGeladen() || eintragGesperrt_)
        return;
    store::ungesichert = 1;
    store::UngesichertAnzeigen();
}

void Main::LaufStimmung_Verschieben()
{
    const int wert = LaufStimmung->value();
    bezStimmung->setText(wert == 0 ? QString() : QStringLiteral("Stimmung: ") + QString::number(wert));
    const int i = qAbs(wert) * 150 / LaufStimmung->maximum() + 100;
    const QColor farbe = wert < 0 ? QColor(i, 0, 0) : QColor(0, 0, i);
    if (bezStimmung->palette().color(QPalette::WindowText) != farbe) {
        QPalette farben = bezStimmung->palette();
        farben.setColor(QPalette::WindowText, farbe);
        bezStimmung->setPalette(farben);
    }
    if (tagWirdGeladen() || eintragGesperrt_)
        return;
    store::ungesichert = 1;
    store::UngesichertAnzeigen();
}

void Main::bezDCI_DblClick()
{
    platform::dialogs().msgBox(bezDCI->text(), platform::vbOKOnly | platform::vbInformation,
                               QStringLiteral("Sonstige Hinweise zum ") + BezDatum->caption());
}

// ---------------------------------------------------------------------------------------------
// The diary

void Main::KorvanelUmgebung(const QString& datum)
{
    // What is still unsaved belongs to the diary shown so far, under its own passwords.
    if (store::ungesichert != 0 && !store::aktTagesdatei.isEmpty()) {
        const QString neu = store::korvanelKuerzel;
        store::korvanelKuerzel = store::aktTagesdatei.mid(store::aktTagesdatei.lastIndexOf(u'.') + 1);
        const bool gesichert = store::EintragSpeichern();
        store::korvanelKuerzel = neu;
        if (!gesichert)
            return; // the old entry could not be written: it stays shown
    }
    store::kennwortSchreiben.clear();
    store::kennwortLesen.clear();
    // A protected diary is shown only after its password (from the memo or typed); otherwise the
    // program ends here.
    store::KennwortBeimÖffnenPrüfen();

    store::KorvanelTitelLesen(store::korvanelKuerzel, store::titelUeberschrift);

    LaufStimmung->setVisible(
        rt::Val(foundation::IniLesen(foundation::ordnerDat + QStringLiteral("/Stimmung.ini"),
                                     store::korvanelKuerzel, QStringLiteral("Barometer"),
                                     QStringLiteral("0")))
        != 0);
    stimmungKorvanel_ = store::korvanelKuerzel;

    const auto schriftUndFarbe = [this](const QString& datei, const QString& abschnitt) {
        foundation::SchriftAusText(
            Text,
            foundation::IniLesen(datei, abschnitt, QStringLiteral("Schrift"),
                                 foundation::SchriftAlsText(Text)),
            QStringLiteral("Alles"));
        const QColor jetzt = Text->palette().color(QPalette::Base);
        if (const auto farbe = foundation::farbeAusText(
                foundation::IniLesen(datei, abschnitt, QStringLiteral("SchriftBackCol"),
                                     QString::number(foundation::farbNummer(jetzt))),
                Text)) {
            QPalette farben = Text->palette();
            farben.setColor(QPalette::Base, *farbe);
            Text->setPalette(farben);
        }
    };
    schriftUndFarbe({}, {});
    schriftUndFarbe(korvanelIni, store::korvanelKuerzel);

    Form_Resize();
    bezugText.clear();

    const auto tag = rt::CDate(datum);
    const QString text = tag ? rt::Format(*tag, QStringLiteral("dd.mm.yyyy")) : datum;
    if (BezDatum->caption() != text)
        BezDatum->setCaption(text);
    else
        TagWechseln();

    if (store::KorvanelTitelLesen(store::korvanelKuerzel, store::titelKuerzel).isEmpty())
        actions->trigger(QStringLiteral("PulBeschreiben"));
    store::ZuletztMenüAufbauen();
    hintergrundbildLaden();
}

void Main::hintergrundbildLaden()
{
    hintergrundbildZeigen(foundation::IniLesen(korvanelIni, store::korvanelKuerzel,
                                               QStringLiteral("Hintergrundbild")));
}

void Main::hintergrundbildZeigen(const QString& pfad)
{
    QPixmap bild;
    if (foundation::DateiExistiert(pfad))
        bild.load(pfad);
    BackPic->setPixmap(bild);
    BackPic->setVisible(!bild.isNull());
    // The picture shows through the editor's own background.
    Text->viewport()->setAutoFillBackground(bild.isNull());
    Text->setAutoFillBackground(bild.isNull());
    if (!bild.isNull())
        BackPic->lower();
}

void Main::KorvanelHypersprung(const QString& name, const QString& datum)
{
    store::verzeichnisStatus = 0;
    TagWechseln();
    if (!store::kuerzelGueltig(name)
        || !foundation::DateiExistiert(foundation::ordnerDat + QStringLiteral("/Info.") + name)) {
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        platform::dialogs().msgBox(QStringLiteral("Kann das per Hypersprung angewählte Korvanel »") + name
                                       + QStringLiteral("« nicht finden."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Korvanel Hypersprung"));
        return;
    }
    store::korvanelKuerzel = name;
    KorvanelUmgebung(datum);
}

// ---------------------------------------------------------------------------------------------
// Pictures of the day

void Main::TagesbildLaden()
{
    platform::BusyPointer busy;
    const bool warSichtbar = !bezPicture->isHidden();
    bezPicture->hide();
    bezPicture->clear();
    gezeigtesBild_.clear();
    const auto fertig = [&] {
        if (warSichtbar != !bezPicture->isHidden())
            anordnen();
    };
    const auto tag = rt::CDate(store::aktDatum);
    if (store::korvanelKuerzel.isEmpty() || bildAnzeigen == 0 || !tag) {
        fertig();
        return;
    }
    const QString datei = TagesbildDatei(*tag);
    if (datei.isEmpty()) {
        fertig();
        return;
    }
    if (!foundation::DateiExistiert(datei)) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        bezPicture->setText(QStringLiteral("Kann das Bild »") + datei + QStringLiteral("« nicht finden."));
        bezPicture->show();
        fertig();
        return;
    }
    QImageReader leser(datei);
    leser.setAutoTransform(true);
    const QImage bild = leser.read();
    if (bild.isNull()) {
        bezPicture->setText(QStringLiteral("Kann das Bild »") + datei
                            + QStringLiteral("« nicht anzeigen: Das Dateiformat wird nicht unterstützt."));
        bezPicture->show();
        fertig();
        return;
    }
    gezeigtesBild_ = datei;
    bezPicture->show();
    fertig();
    const QSize groesse =
        TagesbildGroesse(bild.size(), QSizeF(bezPicture->width() * 0.95, bezPicture->height() * 0.95));
    bezPicture->setPixmap(QPixmap::fromImage(
        bild.scaled(groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void Main::TagesbildZuordnen()
{
    const auto tag = rt::CDate(store::aktDatum);
    if (foundation::nurLesen || store::korvanelKuerzel.isEmpty() || !tag)
        return;
    foundation::DebugLogbuch(QStringLiteral("[]BildZordnen"));
    QString datei = foundation::IniLesen(bildListIni, store::korvanelKuerzel,
                                         store::DatumZuTagesnummer(*tag));
    if (datei.isEmpty()) {
        textlib::varioDatum = *tag;
        datei = textlib::VariablenErsetzen(
            foundation::IniLesen(bildListIni, store::korvanelKuerzel, QStringLiteral("MediaAuto")));
    }
    QString start = ini("MediaOrdner");
    if (!datei.isEmpty())
        start = foundation::PfadTeil(datei, -1);
    const QString filter = QStringLiteral("Bilder|") + foundation::bildMuster() + QStringLiteral("|Dateien (")
                           + store::aktDatum + QStringLiteral(")|")
                           + rt::Format(*tag, QStringLiteral("yyyy-mm-dd")) + QStringLiteral("*.*");
    int filterIndex = qMax(1, iniZahl("MediaFltIdx", "1"));
    const std::optional<QString> gewaehlt =
        platform::dialogs().openFile(QStringLiteral("Bild-Verknüpfung herstellen"), filter, start,
                                     &filterIndex);
    foundation::DebugLogbuch(QStringLiteral("Datei: ") + gewaehlt.value_or(QString()));
    if (!gewaehlt || !foundation::DateiExistiert(*gewaehlt))
        return;
    foundation::IniSchreiben({}, {}, QStringLiteral("MediaOrdner"), foundation::PfadTeil(*gewaehlt, -1));
    foundation::IniSchreiben({}, {}, QStringLiteral("MediaFltIdx"), QString::number(filterIndex));
    TagesbildVerknuepfen(*tag, *gewaehlt);
    foundation::DebugLogbuch(QStringLiteral("DateiSave: ") + *gewaehlt);
    TagesbildLaden();
}

void Main::TagesbildZuordnungLoeschen()
{
    const auto tag = rt::CDate(store::aktDatum);
    if (!tag || !TagesbildVerknuepfen(*tag, QString()))
        return;
    TagesbildLaden();
}

void Main::TagesbilderZaehlen()
{
    const auto tag = rt::CDate(store::aktDatum);
    if (!tag || !panels->isVisible(QStringLiteral("Bild")))
        return;
    panels->setText(QStringLiteral("Bild"), TagesbilderText(*tag));
}

// ---------------------------------------------------------------------------------------------
// Ending

void Main::PulBeenden()
{
    // The one ordered shutdown of the program: entry saved (or the user asked when it cannot
    // be), transfer files gone, settings saved (mainHooks().vorgabenSichern), reservation
    // released, statistics, log, end.
    mainwindow::PulBeenden();
}

void Main::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::Code) {
        cancel = true;
        PulBeenden();
    }
}

// ---------------------------------------------------------------------------------------------
// What the other windows and the store see

QString Main::dateCaption() const { return BezDatum->caption(); }
void Main::setDateCaption(const QString& caption) { BezDatum->setCaption(caption); }
QString Main::text() const { return Text->text(); }
void Main::setText(const QString& text) { Text->setText(text); }
int Main::selStart() const { return Text->selStart(); }
void Main::setSelStart(int start) { Text->setSelStart(start); }
int Main::selLength() const { return Text->selLength(); }
void Main::setSelLength(int length) { Text->setSelLength(length); }
QString Main::selText() const { return Text->selText(); }
void Main::setSelText(const QString& text) { Text->setSelText(text); }
QFont Main::textFont() const { return Text->font(); }
bool Main::insertText(const QString& text) { return TextEinfuegen(*this, text); }
bool Main::runMenuEntry(const QString& name) { return actions->trigger(name); }
QString Main::panelText(const QString& key) const { return panels->text(key); }
void Main::setPanelText(const QString& key, const QString& text) { panels->setText(key, text); }
void Main::refreshStatusBar() { panels->refresh(); }
int Main::mousePointer() const { return platform::widgetMousePointer(this); }
void Main::setMousePointer(int shape) { platform::setWidgetMousePointer(this, shape); }
QString Main::caption() const { return windowTitle(); }
void Main::setCaption(const QString& caption) { setWindowTitle(caption); }
QIcon Main::icon() const { return windowIcon(); }
platform::TwipsGeometry Main::geometryTwips() const { return FormCore::geometryTwips(); }
QWidget* Main::widget() const { return const_cast<Main*>(this); }
QPalette Main::textPalette() const { return Text->palette(); }

QString Main::editorText() const { return Text->text(); }
int Main::stimmung() const { return LaufStimmung->value(); }
void Main::setStimmung(int wert) { LaufStimmung->setValue(wert); }
void Main::setPanelToolTip(const QString& key, const QString& toolTip) { panels->setToolTip(key, toolTip); }
void Main::repaintStatusBar() { panels->refresh(); }

QString Main::zuletztCaption(int index) const
{
    const QAction* eintrag = actions->action(platform::indexedName(QStringLiteral("mnuZuletzt"), index));
    return eintrag ? eintrag->text() : QString();
}

void Main::setZuletztCaption(int index, const QString& caption)
{
    if (QAction* eintrag = actions->action(platform::indexedName(QStringLiteral("mnuZuletzt"), index)))
        eintrag->setText(caption);
}

void Main::setZuletztVisible(int index, bool visible)
{
    if (QAction* eintrag = actions->action(platform::indexedName(QStringLiteral("mnuZuletzt"), index)))
        eintrag->setVisible(visible);
}

} // namespace mainwindow
