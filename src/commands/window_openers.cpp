#include "commands/window_openers.h"

#include "commands/diary_commands.h"
#include "foundation/debug_log.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/ui_services.h"
#include "integration/links.h"
#include "integration/sibling_programs.h"
#include "mainwindow/editing_commands.h"
#include "platform/actions.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/main_port.h"
#include "platform/print_surface.h"
#include "platform/text_box.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "search/replace_window.h"
#include "search/statistics_window.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/diary_title.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/list_jobs.h"
#include "textlib/placeholder_expander.h"
#include "views/bookmarks.h"
#include "views/day_info_window.h"
#include "views/day_list.h"
#include "views/timeline.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <array>
#include <optional>

namespace commands {

using namespace Qt::StringLiterals;

int suchenWeiter = 0;
QString zindorArchivDatei;
bool updateBeenden = false;

namespace {

// What a row does beyond its flags, each step optional.
struct Ablauf {
    std::function<void()> vorSichern{};                // before the entry is saved
    std::function<bool()> darfOeffnen{};               // after the save; false: the row ends
    std::function<void(platform::Form&)> vorbelegen{}; // presets before the window shows
    std::function<void(platform::Form&)> danach{};     // after it closed, before its unload
    std::function<void()> nachEntladen{};              // last
};

struct Zeile {
    FensterZeile zeile;
    Ablauf ablauf;
};

QHash<QString, FensterAnschluss>& anschluesse()
{
    static QHash<QString, FensterAnschluss> tabelle;
    return tabelle;
}

QString schluessel(const QString& name)
{
    return rt::LCase(name);
}

void ereignisseVerarbeiten()
{
    QCoreApplication::processEvents();
}

// The controls a row reads or presets, whatever kind the window made them.
QObject* steuerelement(const platform::Form& fenster, const char* name)
{
    return fenster.control(QString::fromUtf8(name));
}

std::optional<textlib::ListControl> alsListe(QObject* steuer)
{
    if (auto* liste = qobject_cast<QListWidget*>(steuer))
        return textlib::ListControl(liste);
    if (auto* kombi = qobject_cast<QComboBox*>(steuer))
        return textlib::ListControl(kombi);
    return std::nullopt;
}

QString textVon(const QObject* steuer)
{
    if (const auto* box = qobject_cast<const platform::TextBox*>(steuer))
        return box->text();
    if (const auto* zeile = qobject_cast<const QLineEdit*>(steuer))
        return zeile->text();
    if (const auto* feld = qobject_cast<const QPlainTextEdit*>(steuer))
        return feld->toPlainText();
    if (const auto* kombi = qobject_cast<const QComboBox*>(steuer))
        return kombi->currentText();
    return {};
}

// The selected text with CR LF line ends.
QString auswahlVon(const QObject* steuer)
{
    if (const auto* box = qobject_cast<const platform::TextBox*>(steuer))
        return box->selText();
    if (const auto* zeile = qobject_cast<const QLineEdit*>(steuer))
        return zeile->selectedText();
    if (const auto* feld = qobject_cast<const QPlainTextEdit*>(steuer)) {
        QString text = feld->textCursor().selectedText();
        text.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
        text.replace(QChar(QChar::LineSeparator), QStringLiteral("\r\n"));
        return text;
    }
    return {};
}

QString gezeigterTag()
{
    const platform::MainPort* main = platform::mainPort();
    return main ? main->dateCaption() : store::aktDatum;
}

void statusZeigen(const QString& text, bool neuZeichnen)
{
    platform::MainPort* main = platform::mainPort();
    if (!main)
        return;
    main->setPanelText(QStringLiteral("Status"), text);
    if (neuZeichnen)
        main->refreshStatusBar();
}

void meldung(const QString& text, const QString& titel, int hilfeKontext = 0)
{
    int stil = platform::vbOKOnly | platform::vbExclamation;
    platform::HelpTopic hilfe;
    if (hilfeKontext != 0) {
        stil |= platform::vbMsgBoxHelpButton;
        hilfe = {foundation::hilfeDatei(), hilfeKontext};
    }
    platform::dialogs().msgBox(text, stil, titel, hilfe);
}

// The statistics need entries to count.
bool statistikMoeglich()
{
    store::TagesverzeichnisErstellen(false);
    if (store::tageAnzahl >= 1)
        return true;
    foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
    meldung(QStringLiteral("Eine Statistik ist nur möglich, wenn Sie bereits Text eingegeben "
                           "haben."),
            QStringLiteral("Statistik"));
    return false;
}

// The planner's appointments need its archive or its current file.
bool zindorDateienVorhanden()
{
    const QString ordner = foundation::OrdnerVonProgramm(QStringLiteral("Zindor"),
                                                         QStringLiteral("Daten"));
    const auto datei = [&ordner](const char* name) {
        if (ordner.isEmpty())
            return QString();
        const QString pfad = ordner + u'/' + QString::fromUtf8(name);
        return foundation::DateiExistiert(pfad) ? pfad : QString();
    };
    const QString archiv = datei("Zindor.old");
    const QString aktuell = datei("Zindor.pld");
    if (archiv.isEmpty() && aktuell.isEmpty()) {
        meldung(QStringLiteral("Der Brisols-Zindor scheint nicht installiert zu sein."),
                QStringLiteral("Zindor-Termine"), 240);
        return false;
    }
    zindorArchivDatei = archiv;
    return true;
}

void tagesinfoUebernehmen(platform::Form& fenster)
{
    const QString auswahl = auswahlVon(steuerelement(fenster, "Text"));
    platform::MainPort* main = platform::mainPort();
    if (auswahl.isEmpty() || main == nullptr)
        return;
    mainwindow::TextEinfuegen(*main, auswahl); // nothing in read-only mode
}

const std::vector<Zeile>& tabelle()
{
    using S = Sichern;
    static const std::vector<Zeile> zeilen = {
        {{u"mnuDayInf"_s, u"Tagesinfos"_s, u"Tagesinformationen"_s, true, S::Eintrag, false, true},
         {.danach = tagesinfoUebernehmen}},
        {{u"mnuErsetzen"_s, u"Ersetzen"_s, u"Ersetzen..."_s, false, S::Eintrag, false, false},
         {}},
        {{u"mnuImport"_s, u"Import"_s, u"Importieren..."_s, false, S::Eintrag, false, true}, {}},
        {{u"mnuLesezeichen"_s, u"Lesezeichen"_s, u"Lesezeichen..."_s, false, S::Nein, false, true}, {}},
        {{u"mnuSuchen"_s, u"Suchen"_s, u"Suchen..."_s, false, S::Eintrag, false, false},
         {.vorSichern = [] { suchenWeiter = 0; }}},
        {{u"mnuTagesliste"_s, u"Tagesliste"_s, u"Tagesliste..."_s, false, S::TagWechseln, false, true},
         {.vorbelegen =
              [](platform::Form& fenster) {
                  if (auto liste = alsListe(steuerelement(fenster, "Liste")))
                      liste->Clear();
                  if (QObject* zeit = steuerelement(fenster, "TimerInit"))
                      platform::setControlEnabled(zeit, true);
              }}},
        {{u"PulDrucken"_s, u"Druck"_s, u"Drucken..."_s, false, S::Eintrag, false, true}, {}},
        {{u"PulSetup"_s, u"Setup"_s, u"Einstellungen..."_s, false, S::Nein, false, true},
         {.danach =
              [](platform::Form&) {
                  ereignisseVerarbeiten();
                  if (hauptfenster().VorgabenSichern)
                      hauptfenster().VorgabenSichern();
                  if (hauptfenster().VorgabenLaden)
                      hauptfenster().VorgabenLaden();
              },
          .nachEntladen =
              [] {
                  if (hauptfenster().Anordnen)
                      hauptfenster().Anordnen();
              }}},
        {{u"PulStatistik"_s, u"Statist"_s, u"Statistik..."_s, false, S::Eintrag, false, true},
         {.darfOeffnen = statistikMoeglich}},
        {{u"mnuSuchenWeiter"_s, u"Suchen"_s, QString(), false, S::Eintrag, false, false},
         {.vorbelegen =
              [](platform::Form& fenster) {
                  if (!textVon(steuerelement(fenster, "Text")).isEmpty())
                      suchenWeiter = 1;
                  foundation::DebugLogbuch(QStringLiteral("Suche.Weitersuchen: ")
                                           + QString::number(suchenWeiter));
              }}},
        {{u"mnuZeitleiste"_s, u"Zeitleiste"_s, QString(), false, S::Nein, true, false}, {}},
        {{u"mnuTips"_s, u"Tips"_s, QString(), false, S::Nein, false, true}, {}},
        {{u"PulInfo"_s, u"Info"_s, QString(), false, S::Nein, false, true},
         {.vorbelegen =
              [](platform::Form& fenster) {
                  if (auto liste = alsListe(steuerelement(fenster, "SysInfo"))) {
                      const QString titel = store::KorvanelTitelLesen(store::korvanelKuerzel,
                                                                      store::titelKuerzel);
                      liste->AddItem(QStringLiteral("Aktuelles Korvanel: ") + titel
                                     + QStringLiteral(" (") + store::korvanelKuerzel + u')');
                  }
              }}},
        {{u"mnuDatenOrdner"_s, u"DatenOrdner"_s, QString(), false, S::Eintrag, false, true},
         {.vorSichern = ereignisseVerarbeiten,
          .darfOeffnen =
              [] {
                  ereignisseVerarbeiten();
                  return true;
              }}},
        {{u"mnuHlpWeb"_s, u"VersionsPrüfung"_s, QString(), false, S::Nein, true, false},
         {.vorSichern = [] { updateBeenden = false; },
          .nachEntladen =
              [] {
                  if (updateBeenden && hauptfenster().Beenden)
                      hauptfenster().Beenden();
              }}},
        {{u"mnuZindorMeldungen"_s, u"Altes"_s, QString(), false, S::Nein, false, true},
         {.darfOeffnen = zindorDateienVorhanden,
          .vorbelegen =
              [](platform::Form& fenster) {
                  const QString tag = gezeigterTag();
                  fenster.setWindowTitle(fenster.windowTitle() + QStringLiteral(" - Zindor"));
                  QObject* filter = steuerelement(fenster, "txtFilter");
                  if (auto liste = alsListe(filter)) {
                      liste->AddItem(QString());
                      liste->AddItem(tag);
                  }
                  if (auto* kombi = qobject_cast<QComboBox*>(filter))
                      kombi->setCurrentText(tag);
              },
          .danach = [](platform::Form&) { ereignisseVerarbeiten(); }}},
    };
    return zeilen;
}

const Zeile* zeileVon(const QString& befehl)
{
    for (const Zeile& zeile : tabelle()) {
        if (rt::equalsNoCase(zeile.zeile.befehl, befehl))
            return &zeile;
    }
    return nullptr;
}

// The window of the row: the one that is loaded, else a new one.
platform::Form* fensterLaden(const FensterZeile& zeile, const FensterAnschluss& anschluss)
{
    if (zeile.vorherEntladen) {
        if (platform::FormCore* alt = platform::findForm(zeile.fenster)) {
            alt->unload();
            ereignisseVerarbeiten();
        }
    }
    if (auto* geladen = dynamic_cast<platform::Form*>(platform::findForm(zeile.fenster))) {
        if (!geladen->isUnloaded())
            return geladen;
    }
    const platform::MainPort* main = platform::mainPort();
    return anschluss.laden(main ? main->widget() : nullptr);
}

void zeigen(platform::Form& fenster, const QString& status, bool neuZeichnen)
{
    if (!status.isEmpty())
        statusZeigen(status, neuZeichnen);
    fenster.showModal();
    if (!status.isEmpty())
        statusZeigen(QStringLiteral("Bereit"), neuZeichnen);
}

} // namespace

void fensterAnschliessen(const QString& fensterName, FensterAnschluss anschluss)
{
    if (anschluss.laden)
        anschluesse().insert(schluessel(fensterName), std::move(anschluss));
    else
        anschluesse().remove(schluessel(fensterName));
}

const std::vector<FensterZeile>& fensterZeilen()
{
    static const std::vector<FensterZeile> zeilen = [] {
        std::vector<FensterZeile> liste;
        for (const Zeile& zeile : tabelle())
            liste.push_back(zeile.zeile);
        return liste;
    }();
    return zeilen;
}

bool fensterOeffnen(const QString& befehl)
{
    const Zeile* eintrag = zeileVon(befehl);
    if (!eintrag)
        return false;
    const auto gefunden = anschluesse().constFind(schluessel(eintrag->zeile.fenster));
    if (gefunden == anschluesse().constEnd())
        return false;
    // A copy: the window's handlers may plug windows in and out meanwhile.
    const FensterAnschluss anschluss = gefunden.value();
    const FensterZeile& zeile = eintrag->zeile;
    const Ablauf& ablauf = eintrag->ablauf;

    if (ablauf.vorSichern)
        ablauf.vorSichern();
    if (zeile.sichern == Sichern::Eintrag)
        store::EintragSpeichern();
    else if (zeile.sichern == Sichern::TagWechseln && hauptfenster().TagWechseln)
        hauptfenster().TagWechseln();
    if (ablauf.darfOeffnen && !ablauf.darfOeffnen())
        return true;

    platform::Form* fenster = fensterLaden(zeile, anschluss);
    if (!fenster)
        return true;
    {
        const platform::FormCore::KeepAlive halten(*fenster);
        if (ablauf.vorbelegen)
            ablauf.vorbelegen(*fenster);
        if (anschluss.vorbelegen && !fenster->isUnloaded())
            anschluss.vorbelegen(*fenster);
        if (fenster->isUnloaded())
            return true;
        zeigen(*fenster, zeile.status, zeile.neuZeichnen);
        if (!fenster->isUnloaded()) {
            if (ablauf.danach)
                ablauf.danach(*fenster);
            if (anschluss.uebernehmen && !fenster->isUnloaded())
                anschluss.uebernehmen(*fenster);
            if (zeile.entladen)
                fenster->unload();
        }
    }
    if (ablauf.nachEntladen)
        ablauf.nachEntladen();
    return true;
}

void modalZeigen(platform::Form& fenster, const QString& status, bool neuZeichnen)
{
    zeigen(fenster, status.isEmpty() ? fenster.name() + QStringLiteral("...") : status,
           neuZeichnen);
}

void alleFensterAnschliessen()
{
    // One line for each window of the table.
    fensterAnschliessen(u"Tagesinfos"_s, {.laden = [](QWidget* besitzer) -> platform::Form* {
                                              return new views::Tagesinfos(besitzer);
                                          }});
    fensterAnschliessen(u"Zeitleiste"_s, {.laden = [](QWidget* besitzer) -> platform::Form* {
                                              return new views::Zeitleiste(besitzer);
                                          }});
    fensterAnschliessen(u"Tagesliste"_s, {.laden = [](QWidget* besitzer) -> platform::Form* {
                                              return new views::Tagesliste(besitzer);
                                          }});
    fensterAnschliessen(u"Lesezeichen"_s, {.laden = [](QWidget* besitzer) -> platform::Form* {
                                               return new views::Lesezeichen(besitzer);
                                           }});
    fensterAnschliessen(u"Statist"_s, {.laden = [](QWidget* besitzer) -> platform::Form* {
                                           return new search::Statist(besitzer);
                                       }});
    fensterAnschliessen(u"Ersetzen"_s, {.laden = [](QWidget* besitzer) -> platform::Form* {
                                            return new search::Ersetzen(besitzer);
                                        }});
}

void mnuGeheZu_Click()
{
    platform::MainPort* main = platform::mainPort();
    if (!main)
        return;
    const QString tag = main->dateCaption();
    QString vorschlag = tag;
    if (const std::optional<rt::VbDate> markiert = rt::CDate(main->selText()))
        vorschlag = rt::Format(*markiert, QStringLiteral("dd.mm.yyyy"));
    const QString fest = foundation::IniLesen({}, {}, QStringLiteral("GoToFix"));
    if (!fest.isEmpty())
        vorschlag = textlib::VariablenErsetzen(fest);

    const platform::HelpTopic hilfe{foundation::hilfeDatei(), 161};
    const std::optional<QString> antwort = platform::dialogs().inputBox(
        QStringLiteral("Geben Sie ein Datum oder einen relativen Sprung ein, zu welchem Sie "
                       "wechseln möchten."),
        QStringLiteral("Gehe zum Tag..."), vorschlag, hilfe);
    if (!antwort || antwort->isEmpty())
        return;

    const std::optional<rt::VbDate> ziel = textlib::DatumSprung(tag, *antwort);
    if (!ziel) {
        platform::dialogs().msgBox(QStringLiteral("Ihre Eingabe »") + *antwort
                                       + QStringLiteral("« ist nicht gültig."),
                                   platform::vbOKOnly | platform::vbExclamation
                                       | platform::vbMsgBoxHelpButton,
                                   QStringLiteral("Datum wechseln"), hilfe);
        return;
    }
    const int jahr = rt::Year(*ziel);
    if (jahr < 1500 || jahr > 2200) {
        meldung(QStringLiteral("Das Datum liegt außerhalb des gültigen Bereichs 1500-2200."),
                QStringLiteral("Datum wechseln"));
        return;
    }
    main->setDateCaption(rt::Format(*ziel, QStringLiteral("dd.mm.yyyy")));
}

void MnuDruckerEinrichten_Click()
{
    if (const std::optional<QString> drucker =
            platform::dialogs().choosePrinter(QStringLiteral("Druckereinrichtung")))
        platform::printer().selectPrinter(*drucker);
}

void PulAnleitung_Click()
{
    foundation::HilfeZeigen(foundation::hilfeDatei(), 0);
}

void mnuAGB_Click()
{
    integration::AGBZeigen();
}

void mnuWeiteres_Oeffnen(platform::ActionRegistry& actions)
{
    std::array<QAction*, integration::externPrgAnzahl> eintraege{};
    for (int i = 0; i < integration::externPrgAnzahl; ++i)
        eintraege[static_cast<std::size_t>(i)] =
            actions.action(platform::indexedName(QStringLiteral("mnuPrg"), i));
    integration::ExternPrgMenue(eintraege);
}

void mnuPrg_Click(int index)
{
    integration::ExternPrgStarten(index);
}

void resetFensterOeffner()
{
    anschluesse().clear();
    suchenWeiter = 0;
    zindorArchivDatei.clear();
    updateBeenden = false;
}

} // namespace commands
