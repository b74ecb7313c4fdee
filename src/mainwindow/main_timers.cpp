#include "main_timers.h"

#include "main_hooks.h"
#include "shutdown.h"

#include "foundation/command_line.h"
#include "foundation/debug_log.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "foundation/ui_services.h"
#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/path_resolver.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/diary_title.h"
#include "store/password_check.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/string_functions.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace mainwindow {

namespace {

// Sets flag for the lifetime of the guard.
class Laeuft {
public:
    explicit Laeuft(bool& flag) : flag_(flag) { flag_ = true; }
    ~Laeuft() { flag_ = false; }
    Laeuft(const Laeuft&) = delete;
    Laeuft& operator=(const Laeuft&) = delete;

private:
    bool& flag_;
};

// Occurrences of what in text, each counted once and not overlapping.
int vorkommen(const QString& text, const QString& what)
{
    int count = 0;
    for (qsizetype at = text.indexOf(what); at >= 0; at = text.indexOf(what, at + what.size()))
        ++count;
    return count;
}

void status(platform::MainPort& main, const QString& text)
{
    main.setPanelText(u"Status"_s, text);
    main.refreshStatusBar();
}

// The day a "Datum=" value asks for, "dd.mm.yyyy"; "" when it names none.
QString tagVon(const QString& d)
{
    std::optional<rt::VbDate> tag = rt::CDate(d);
    if (!tag && rt::Val(d) != 0)
        tag = textlib::DatumSprung(rt::DateOnly(platform::clock().now()), d);
    return tag ? rt::Format(*tag, u"dd.mm.yyyy"_s) : QString();
}

// The day the command line asks for; "" when it names none.
QString tagVonKommandozeile()
{
    return tagVon(foundation::ParameterWert(u"Datum="_s));
}

// Whether the diary opens without the prompt: its days carry no password, or one shown in this
// run (the memo). The prompt ends the program when given up, which must not happen to a copy
// that only receives a hand-over.
bool ohneFrageZuOeffnen(const QString& kuerzel)
{
    const QString offen = store::korvanelKuerzel;
    store::korvanelKuerzel = kuerzel;
    store::verzeichnisStatus = 0;
    const QString kopf = store::GespeichertesKennwortLesen();
    store::korvanelKuerzel = offen;
    store::verzeichnisStatus = 0;
    if (rt::RTrim(kopf).isEmpty())
        return true;
    const QString name = rt::UCase(kuerzel);
    for (const QString& eintrag : std::as_const(store::ListeKW)) {
        if (eintrag.startsWith(name) && store::KennwortKopf(eintrag.mid(name.size())) == kopf)
            return true;
    }
    return false;
}

// Tells that the text of the hand-over file did not go in (was, as a clause) and why; the file
// stays.
void dateiBleibt(const QString& datei, const QString& was, const QString& grund)
{
    platform::dialogs().msgBox(u"Der Text aus der Datei »"_s + datei + u"« "_s + was + u", "_s
                                   + grund + u"\r\n\r\nDie Datei bleibt erhalten."_s,
                               platform::vbExclamation);
}

// Whether path lies in folder or below it (both as they really are, links followed).
bool liegtIn(const QString& pfad, const QString& ordner)
{
    if (ordner.isEmpty())
        return false;
    const QString echterOrdner = QFileInfo(platform::resolvePath(ordner)).canonicalFilePath();
    return !echterOrdner.isEmpty()
           && (pfad == echterOrdner
               || pfad.startsWith(echterOrdner == u"/"_s ? echterOrdner : echterOrdner + u'/'));
}

// Why the hand-over named on the command line may not be taken; "" when it may. The file is
// deleted once its text is saved, so it must be no file of the program's own (a day file, a title
// or settings file): that would double an entry and then delete it. Only the transfer file that a
// sibling program writes into the temporary folder is allowed there. A short name or a date that
// is given but not valid would put the text into another diary or on another day.
QString uebergabeAblehnung(const QString& datei, const QString& kuerzelWert,
                           const QString& datumWert)
{
    const QString echt = QFileInfo(platform::resolvePath(datei)).canonicalFilePath();
    const QString transfer =
        QFileInfo(platform::resolvePath(foundation::ordnerTmp + u"/Zd2Kv.$$$"_s)).canonicalFilePath();
    if (!echt.isEmpty() && echt != transfer
        && (liegtIn(echt, foundation::ordnerDat) || liegtIn(echt, foundation::ordnerSub)
            || liegtIn(echt, foundation::WindowsOrdner())))
        return u"weil sie eine Datei des Korvanels selbst ist (im Daten- oder "
               u"Einstellungsordner). Eine solche Datei wird weder angefügt noch gelöscht."_s;
    if (!kuerzelWert.isEmpty()) {
        const QString name = store::KorvanelAngabeZerlegen(kuerzelWert).kuerzel;
        if (!store::kuerzelGueltig(name))
            return u"weil »"_s + name
                   + u"« kein gültiges Kürzel eines Tagebuchs ist (drei Buchstaben oder Ziffern)."_s;
        if (!platform::pathExists(foundation::ordnerDat + u"/Info."_s + name))
            return u"weil es kein Tagebuch mit dem Kürzel »"_s + name + u"« gibt."_s;
    }
    // A date, or a jump from today ("3d", "-1w"); a text that only begins like a date is none.
    static const QRegularExpression sprung(u"^[+-]?[0-9]+[A-Za-z]?$"_s);
    if (!datumWert.isEmpty() && !rt::CDate(datumWert)
        && !sprung.match(rt::Trim(datumWert)).hasMatch())
        return u"weil »"_s + datumWert + u"« kein gültiges Datum ist."_s;
    return {};
}

} // namespace

MainTimers::MainTimers(QObject* parent)
    : QObject(parent), zeitInit_(new QTimer(this)), zeitAutosave_(new QTimer(this)),
      zeitTextInfo_(new QTimer(this)), zeitTxtInfo_(new QTimer(this))
{
    zeitInit_->setInterval(100);
    zeitInit_->setSingleShot(true);
    zeitAutosave_->setInterval(60000);
    zeitTextInfo_->setInterval(2000);
    zeitTxtInfo_->setInterval(750);
    connect(zeitInit_, &QTimer::timeout, this, &MainTimers::zeitInitTimer);
    connect(zeitAutosave_, &QTimer::timeout, this, &MainTimers::zeitAutosaveTimer);
    connect(zeitTextInfo_, &QTimer::timeout, this, &MainTimers::zeitTextInfoTimer);
    connect(zeitTxtInfo_, &QTimer::timeout, this, &MainTimers::zeitTxtInfoTimer);
    zeitAutosave_->start();
    zeitTxtInfo_->start();
}

void MainTimers::startInitAndClock()
{
    zeitInit_->start();
    zeitTextInfo_->start();
}

void MainTimers::zeitInitTimer()
{
    zeitInit_->stop();
    if (initLaeuft_)
        return;
    Laeuft laeuft(initLaeuft_);

    foundation::ParameterZerlegen(platform::Command());
    const QString tag = tagVonKommandozeile();

    const store::KorvanelAngabe angabe =
        store::KorvanelAngabeZerlegen(foundation::ParameterWert(u"Korvanel="_s));
    QString k = angabe.kuerzel;
    if (angabe.kennwort && mainHooks().kennwortMerken)
        mainHooks().kennwortMerken(k, *angabe.kennwort);
    // The short name becomes the extension of files in the data folder: only a valid one counts.
    if (!store::kuerzelGueltig(k))
        k.clear();

    if (rt::Val(foundation::IniLesen(QString(), QString(), u"AuswahlÖffnen"_s, u"0"_s)) != 0
        && k.isEmpty())
        befehlAusfuehren(mainHooks().korvanelAuswahl, u"PulLaden"_s);

    if (store::korvanelKuerzel.isEmpty()) {
        if (k.isEmpty()) {
            k = foundation::IniLesen(QString(), QString(), u"KorvanelName"_s, u"Txt"_s);
            if (!store::kuerzelGueltig(k))
                k = u"Txt"_s;
        }
        store::korvanelKuerzel = k;
        const QString zeigen =
            tag.isEmpty() ? rt::Format(platform::clock().now(), u"dd.mm.yyyy"_s) : tag;
        if (mainHooks().korvanelUmgebung)
            mainHooks().korvanelUmgebung(zeigen);
    }

    const QString datei = foundation::ParameterWert(u"AppendFile="_s);
    if (!datei.isEmpty() && foundation::DateiExistiert(datei)) {
        const QString ablehnung =
            uebergabeAblehnung(datei, foundation::ParameterWert(u"Korvanel="_s),
                               foundation::ParameterWert(u"Datum="_s));
        if (ablehnung.isEmpty())
            textAnfuegen(datei);
        else
            uebergabeAbgelehnt(datei, ablehnung);
    }

    if (!tippEntschieden_) {
        tippEntschieden_ = true;
        if (rt::Val(foundation::IniLesen(QString(), QString(), u"AutoTip"_s, u"1"_s)) != 0
            && rt::Val(foundation::IniLesen(QString(), QString(), u"Stat_Starts"_s, u"0"_s)) > 5)
            befehlAusfuehren(mainHooks().tippDesTages, u"mnuTips"_s);
    }
}

void MainTimers::uebergabeEmpfangen(const QString& korvanel, const QString& datum,
                                    const QString& datei)
{
    platform::MainPort* main = platform::mainPort();
    if (main == nullptr || datei.isEmpty() || !foundation::DateiExistiert(datei))
        return;
    QString grund;
    if (initLaeuft_ || uebergabeLaeuft_)
        grund = u"weil das Korvanel gerade beschäftigt ist. Bitte übergeben Sie den Text noch "
                u"einmal."_s;
    else if (foundation::nurLesen)
        grund = u"weil das Korvanel nur zum Lesen geöffnet ist."_s;
    else if (QApplication::activeModalWidget() != nullptr)
        grund = u"weil im Korvanel gerade ein Dialog geöffnet ist. Bitte schließen Sie ihn und "
                u"übergeben Sie den Text noch einmal."_s;
    else
        grund = uebergabeAblehnung(datei, korvanel, datum);
    if (!grund.isEmpty()) {
        uebergabeAbgelehnt(datei, grund);
        return;
    }
    Laeuft laeuft(uebergabeLaeuft_);
    const QString tag = datum.isEmpty() ? rt::Format(platform::clock().now(), u"dd.mm.yyyy"_s)
                                        : tagVon(datum);
    const store::KorvanelAngabe angabe = store::KorvanelAngabeZerlegen(korvanel);
    const QString& name = angabe.kuerzel;
    if (angabe.kennwort && mainHooks().kennwortMerken)
        mainHooks().kennwortMerken(name, *angabe.kennwort);
    if (!name.isEmpty() && rt::LCase(name) != rt::LCase(store::korvanelKuerzel)) {
        if (!ohneFrageZuOeffnen(name)) {
            uebergabeAbgelehnt(datei, u"weil das Tagebuch »"_s + name
                                          + u"« mit einem Kennwort geschützt ist, das dieses "
                                            u"Korvanel nicht kennt."_s);
            return;
        }
        if (!store::EintragSpeichern() || !mainHooks().korvanelUmgebung) {
            uebergabeAbgelehnt(datei, u"weil der angezeigte Eintrag nicht gespeichert werden "
                                      u"konnte."_s);
            return;
        }
        store::korvanelKuerzel = name;
        mainHooks().korvanelUmgebung(tag);
    }
    if (main->dateCaption() != tag)
        main->setDateCaption(tag);
    if (main->dateCaption() != tag
        || (!name.isEmpty() && rt::LCase(store::korvanelKuerzel) != rt::LCase(name))) {
        uebergabeAbgelehnt(datei, u"weil der Tag nicht angezeigt werden konnte."_s);
        return;
    }
    textAnfuegen(datei, false);
}

void MainTimers::uebergabeAbgelehnt(const QString& datei, const QString& grund)
{
    foundation::DebugLogbuch(u"Text aus Datei anfügen abgelehnt: "_s + datei);
    dateiBleibt(datei, u"wird nicht in das Korvanel übernommen"_s, grund);
}

// The text of the hand-over file goes into the entry only when the entry can be saved with it:
// it is saved before the file is deleted, and a copy that cannot save keeps the file and says so.
void MainTimers::textAnfuegen(const QString& datei, bool danachBeenden)
{
    platform::MainPort* main = platform::mainPort();
    if (main == nullptr)
        return;
    status(*main, u"Text aus Datei anfügen läuft..."_s);

    const auto nichtUebernommen = [&](const QString& grund) {
        dateiBleibt(datei, u"konnte nicht in den Eintrag übernommen werden"_s, grund);
        status(*main, u"Bereit"_s);
    };

    if (foundation::nurLesen) {
        nichtUebernommen(u"weil das Korvanel nur zum Lesen geöffnet ist."_s);
        return;
    }
    const std::optional<QString> gelesen = textlib::FremdeDateiEinlesen(datei);
    if (!gelesen) {
        nichtUebernommen(u"weil sie nicht gelesen werden konnte."_s);
        return;
    }
    QString text = textlib::ZeilenumbruchKuerzen(rt::Trim(*gelesen));

    const QString vorher = main->text();
    const int vorherStart = main->selStart();
    const int vorherLaenge = main->selLength();
    const int vorherUngesichert = store::ungesichert;
    if (!vorher.isEmpty())
        text = u"\r\n"_s + text;
    QCoreApplication::processEvents();
    main->setSelStart(int(main->text().size()));
    main->setSelLength(0);
    main->setSelText(text);
    store::ungesichert = 1;

    if (!store::EintragSpeichern()) {
        // The entry goes back to what it was; the text stays in the file only.
        main->setText(vorher);
        main->setSelStart(vorherStart);
        main->setSelLength(vorherLaenge);
        store::ungesichert = vorherUngesichert;
        store::UngesichertAnzeigen();
        nichtUebernommen(u"weil der Eintrag nicht gespeichert werden konnte."_s);
        return;
    }
    QFile::remove(platform::resolvePath(datei));
    if (danachBeenden) {
        foundation::Warten(1);
        if (!foundation::ShiftGedrueckt())
            PulBeenden();
    }
    status(*main, u"Bereit"_s);
}

void MainTimers::zeitAutosaveTimer()
{
    if (autosaveLaeuft_ || !autosaveAktiv_)
        return;
    if (mainHooks().tagWirdGeladen && mainHooks().tagWirdGeladen())
        return;
    Laeuft laeuft(autosaveLaeuft_);
    if (autosaveZaehler_ < 1) {
        store::EintragSpeichern();
        const double minuten =
            rt::Val(foundation::IniLesen(QString(), QString(), u"Autosave"_s, u"1"_s));
        autosaveZaehler_ = int(std::min(std::fabs(std::floor(minuten)), 1e6));
        if (autosaveZaehler_ < 1) {
            autosaveAktiv_ = false;
            zeitAutosave_->stop();
        }
    }
    --autosaveZaehler_;
}

void MainTimers::autosaveEinschalten()
{
    autosaveAktiv_ = true;
    if (!zeitAutosave_->isActive())
        zeitAutosave_->start();
}

void datumUndZeitAnzeigen(platform::MainPort& main)
{
    const rt::VbDate jetzt = platform::clock().now();
    main.setPanelText(u"Datum"_s, u" "_s + rt::Format(jetzt, u"dd.mm.yyyy"_s) + u" "_s);
    main.setPanelText(u"Zeit"_s, u" "_s + rt::Format(jetzt, u"hh:nn"_s) + u" "_s);
}

void MainTimers::zeitTextInfoTimer()
{
    if (platform::MainPort* main = platform::mainPort())
        datumUndZeitAnzeigen(*main);
    if (textInfoLaeuft_)
        return;
    Laeuft laeuft(textInfoLaeuft_);
    foundation::NetzFreigabePruefen();
}

void MainTimers::zeitTxtInfoTimer()
{
    platform::MainPort* main = platform::mainPort();
    if (main == nullptr)
        return;
    const QString text = main->text();
    const int laenge = int(text.size());
    const int pos = std::min(main->selStart() + 1, laenge);
    const int absatz = 1 + vorkommen(text.left(pos), u"\r\n\r\n"_s);
    QString anzeige = u"kein Eintrag"_s;
    QString tipp = anzeige;
    if (laenge > 0) {
        const QString a = QString::number(absatz);
        const QString p = QString::number(pos);
        const QString l = QString::number(laenge);
        anzeige = u" "_s + a + u" Ab "_s + u" "_s + p + u" / "_s + l + u" Zeichen "_s;
        tipp = u"Cursor Position  "_s + a + u". Absatz   "_s + p + u" / "_s + l + u" Zeichen"_s;
    }
    if (main->panelText(u"Position"_s) != anzeige) {
        main->setPanelText(u"Position"_s, anzeige);
        store::storeHost().setPanelToolTip(u"Position"_s, tipp);
    }
}

} // namespace mainwindow
