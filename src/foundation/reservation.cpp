#include "reservation.h"

#include "folders.h"
#include "ini_store.h"
#include "message_text.h"
#include "name_format.h"
#include "number_format.h"
#include "product_info.h"
#include "read_only.h"
#include "ui_services.h"
#include "user_identity.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_lock.h"
#include "platform/form.h"
#include "platform/path_resolver.h"
#include "platform/processes.h"
#include "platform/program_end.h"
#include "platform/text_file.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>

namespace foundation {

QString reservierterName;

namespace {

const QString allgemein = QStringLiteral("Allgemein");
const QString noNetWatch = QStringLiteral("NoNetWatch");
const QString benachrichtigen = QStringLiteral("Benachrichtigen");
const QString noUnlockWatch = QStringLiteral("NoUnlockWatch");
const QString userJetzt = QStringLiteral("UserJetzt_");
const QString schluesselUser = QStringLiteral("User");
const QString schluesselSeit = QStringLiteral("Seit");
const QString nachricht = QStringLiteral("Nachricht");
// What a read of "User" gives when the key or the whole file cannot be read: no user name
// looks like this, so "not readable" is never taken for "released".
const QString nichtLesbar = QStringLiteral("\u0001?");

constexpr int hilfeKontext = 3004;
// A reservation further away from now than this (either way) no longer counts.
constexpr double gueltigStunden = 5;
// The holder rewrites "Seit" this often.
constexpr qint64 auffrischenSekunden = 600;

// One copy at a time reads the reservation, decides and writes under the lock of NetWatch.ini
// (platform::FileLock; the settings store's own writes nest in it). Where the lock cannot be had,
// the reservation goes on unguarded, as it always could; reading "User" back after the write
// still shows a copy that lost. Nothing that asks the user runs while the lock is held.
using ReservierungsSperre = platform::FileLock;

// The own user name in the form a read of "User" gives it back, so that this copy recognises
// its own reservation whatever the store changes in a name (a line break for "**", a double
// quote for a closing German quote).
QString eigenerName()
{
    return IniGespeicherteForm(Benutzername());
}

// The reservation this copy wrote and keeps alive.
struct Haltung {
    bool gehalten = false;
    QString datei;
    QString abschnitt;
    QString benutzer; // as a read of "User" gives it
    rt::VbDate geschrieben;
};

Haltung haltung;
// The release watch serves the reservation this copy gave way to.
bool freigabeBeobachten = false;
// A question of the watch is open (its message box lets the clock timer run).
bool frageOffen = false;

QString netWatchDatei()
{
    if (ordnerDat.isEmpty())
        OrdnerFestlegen();
    return ordnerDat + QStringLiteral("/NetWatch.ini");
}

// A numeric switch of [Allgemein]: the number at the start of its text.
double schalter(const QString& datei, const QString& schluessel)
{
    return rt::Val(IniLesen(datei, allgemein, schluessel, QStringLiteral("0")));
}

QString zeitText(rt::VbDate zeit)
{
    return rt::Format(zeit, QStringLiteral("dd.mm.yyyy hh:nn:ss"));
}

QString titel()
{
    return produktName() + QStringLiteral(" Datei-Reservierung");
}

platform::HelpTopic hilfe()
{
    return {hilfeDatei(), hilfeKontext};
}

QString produktMitName(const QString& name)
{
    return name.isEmpty() ? produktName() : produktName() + QStringLiteral(" (") + name + u')';
}

// Minutes between two times, each truncated to its whole minute.
qint64 minutenAbstand(rt::VbDate von, rt::VbDate bis)
{
    return rt::DateDiff(QStringLiteral("n"), von, bis);
}

void freigeben(const QString& datei, const QString& abschnitt)
{
    const bool meine = haltung.gehalten && haltung.datei == datei && haltung.abschnitt == abschnitt;
    const QString eigener = meine ? haltung.benutzer : eigenerName();
    // Another user's reservation stays: that user took it over after this copy's had run out.
    {
        const ReservierungsSperre sperre(datei);
        const QString inhaber = IniLesen(datei, abschnitt, schluesselUser, QString());
        if (!inhaber.isEmpty() && inhaber == eigener)
            IniSchreiben(datei, abschnitt, schluesselUser, QString());
    }
    if (meine)
        haltung = Haltung();
}

// The other user holds the data folder: read-only (returns) or no start (ends the program).
void ausweichen(const QString& datei, const QString& name, const QString& inhaber,
                rt::VbDate seit, rt::VbDate jetzt, const QString& eigener)
{
    const double sekunden = static_cast<double>(rt::DateDiff(QStringLiteral("s"), seit, jetzt));
    const QString text = produktMitName(name) + QStringLiteral(" wird seit ")
        + DauerAlsText(sekunden, 0) + QStringLiteral(" von ") + inhaber
        + QStringLiteral(" genutzt.")
        + QStringLiteral("~~Wählen Sie bitte ...")
        + QStringLiteral("~~OK, um das Programm schreibgeschützt zu öffnen.")
        + QStringLiteral("~~Abbrechen, um das Programm nicht zu starten.~");
    TonAusgeben(QStringLiteral("#SystemHand"));
    const int antwort = platform::dialogs().msgBox(
        MeldungAufbereiten(text),
        platform::vbOKCancel | platform::vbCritical | platform::vbDefaultButton2
            | platform::vbMsgBoxHelpButton,
        titel(), hilfe());

    if (antwort == platform::vbOK) {
        nurLesen = true;
        reservierterName = name;
        freigabeBeobachten = true;
        return;
    }

    if (schalter(datei, benachrichtigen) != 0) {
        const std::optional<QString> mitteilung = platform::dialogs().inputBox(
            QStringLiteral("Bitte geben Sie eine Nachricht für ") + inhaber
                + QStringLiteral(" ein."),
            titel(),
            eigener + QStringLiteral(" möchte auch mal ") + produktName()
                + QStringLiteral(" benutzen."),
            hilfe());
        if (mitteilung && !mitteilung->isEmpty()) {
            IniSchreiben(datei, nachricht, QStringLiteral("Text"), *mitteilung);
            IniSchreiben(datei, nachricht, QStringLiteral("User"), inhaber);
            IniSchreiben(datei, nachricht, QStringLiteral("Date"),
                         zeitText(platform::clock().now()));
        }
    }
    // Unloading by code does not run the main window's exit command: nothing is saved,
    // released or counted.
    nurLesen = true;
    if (platform::MainForm* haupt = platform::findForm<platform::MainForm>())
        haupt->unload(platform::UnloadMode::Code);
    platform::programEnd().end(0);
}

// A reservation file that is there but cannot be read may hold another user's reservation:
// nothing may be written on the strength of a failed read, so the program opens read-only.
bool unlesbarSchreibgeschuetztOeffnen(const QString& datei)
{
    const QString pfad = platform::resolvePath(datei);
    if (!QFileInfo::exists(pfad) || platform::readTextFile(pfad))
        return false;
    nurLesen = true;
    TonAusgeben(QStringLiteral("#SystemExclamation"));
    platform::dialogs().msgBox(
        MeldungAufbereiten(QStringLiteral("Die Reservierungsdatei ´") + pfad
                           + QStringLiteral("´ kann nicht gelesen werden.~~")
                           + produktName()
                           + QStringLiteral(" wird schreibgeschützt geöffnet, damit die Einträge "
                                            "anderer Benutzer nicht überschrieben werden.")),
        platform::vbOKOnly | platform::vbExclamation, titel());
    return true;
}

void reservieren(const QString& datei, const QString& name)
{
    if (unlesbarSchreibgeschuetztOeffnen(datei))
        return;
    const QString abschnitt = userJetzt + name;
    // Asked before the lock is taken: the name may need an input box.
    const QString eigener = eigenerName();
    QString inhaber;
    rt::VbDate seit;
    rt::VbDate jetzt;
    {
        // Two copies starting at the same moment must not both find the folder free.
        const ReservierungsSperre sperre(datei);
        inhaber = IniLesen(datei, abschnitt, schluesselUser, QString());
        const QString seitText = IniLesen(datei, abschnitt, schluesselSeit, QString());
        jetzt = platform::clock().now();
        // A damaged "Seit" never blocks a user.
        seit = rt::CDate(seitText).value_or(rt::dateTimeOf(1970, 1, 1));

        if (std::abs(static_cast<double>(minutenAbstand(seit, jetzt))) / 60.0 > gueltigStunden)
            inhaber.clear();
        if (inhaber == eigener)
            inhaber.clear();

        if (inhaber.isEmpty()) {
            IniSchreiben(datei, abschnitt, schluesselUser, eigener);
            IniSchreiben(datei, abschnitt, schluesselSeit, zeitText(jetzt));
        }
    }

    // Read back: a copy that had no lock may have written its own name at the same moment, and
    // the later write holds the folder.
    if (inhaber.isEmpty()) {
        const QString danach = IniLesen(datei, abschnitt, schluesselUser, QString());
        if (!danach.isEmpty() && danach != eigener) {
            inhaber = danach;
            seit = rt::CDate(IniLesen(datei, abschnitt, schluesselSeit, QString()))
                       .value_or(jetzt);
        }
    }

    if (!inhaber.isEmpty()) {
        ausweichen(datei, name, inhaber, seit, jetzt, eigener);
        return;
    }

    haltung.gehalten = true;
    haltung.datei = datei;
    haltung.abschnitt = abschnitt;
    haltung.benutzer = eigener;
    haltung.geschrieben = jetzt;
}

// The program and the arguments that a job starts again.
std::optional<QStringList>& aufrufFuerTests()
{
    static std::optional<QStringList> aufruf;
    return aufruf;
}

QStringList programmAufruf()
{
    if (aufrufFuerTests())
        return *aufrufFuerTests();
    QStringList aufruf = QCoreApplication::arguments();
    if (aufruf.isEmpty())
        aufruf.append(QString());
    aufruf[0] = QCoreApplication::applicationFilePath();
    return aufruf;
}

// A text in single quotes for sh: every "'" inside becomes '\''.
QString shellZitat(const QString& text)
{
    QString zitat = text;
    zitat.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + zitat + u'\'';
}

QString aufrufZeile(const QStringList& aufruf)
{
    QStringList teile;
    for (const QString& teil : aufruf)
        teile.append(shellZitat(teil));
    return QStringLiteral("exec ") + teile.join(u' ');
}

QString warteZeile()
{
    return QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done")
        .arg(QCoreApplication::applicationPid());
}

// The job of the release watch: waits until this process has ended, removes itself and starts
// the program again with the arguments of this run, in the current folder of this run. The job
// removes itself before it starts the program: the shell has the file open already, and nothing
// is left behind even when the start fails.
QString neustartJob(const QString& pfad)
{
    return QStringLiteral("#!/bin/sh\n")
        + QStringLiteral("echo 'Warte einige Sekunden bis Programm beendet ist'\n")
        + warteZeile() + u'\n'
        + QStringLiteral("echo 'Aufraeumen'\n")
        + QStringLiteral("rm -f -- ") + shellZitat(pfad) + u'\n'
        + QStringLiteral("echo 'Starte Programm neu'\n")
        + aufrufZeile(programmAufruf()) + u'\n';
}

// The job after a move of the data folder: as neustartJob, but started from the program folder
// and without "/OrdnerDat=", which would hold the old data folder against the new setting.
QString setupJob(const QString& pfad)
{
    QStringList aufruf = programmAufruf();
    for (qsizetype i = aufruf.size() - 1; i >= 1; --i) {
        if (rt::LCase(aufruf.at(i)).startsWith(u"/ordnerdat="))
            aufruf.removeAt(i);
    }
    return QStringLiteral("#!/bin/sh\n")
        + QStringLiteral("# ") + produktName() + QStringLiteral(" - Restart\n")
        + QStringLiteral("echo 'Warte kurz bis Programm beendet ist'\n")
        + warteZeile() + u'\n'
        + QStringLiteral("echo '...'\n")
        + QStringLiteral("echo 'Aufraeumen'\n")
        + QStringLiteral("rm -f -- ") + shellZitat(pfad) + u'\n'
        + QStringLiteral("echo 'Starte Programm'\n")
        + QStringLiteral("cd -- ") + shellZitat(ordnerPrg) + u'\n'
        + aufrufZeile(aufruf) + u'\n';
}

// Writes a job file (sh, LF line ends, UTF-8) into the program folder, or into the temporary
// folder when the program folder cannot be written, replacing one that is there; its text is
// made from the path it gets. Returns the path; "" when neither folder could take it.
QString jobSchreiben(const QString& dateiname,
                     const std::function<QString(const QString& pfad)>& inhalt)
{
    for (const QString& ordner : {ordnerPrg, ordnerTmp}) {
        if (ordner.isEmpty())
            continue;
        const QString pfad = platform::resolvePath(
            (ordner.endsWith(u'/') ? ordner : ordner + u'/') + dateiname);
        if (platform::writeFile(pfad, inhalt(pfad).toUtf8()))
            return pfad;
    }
    return QString();
}

// Starts a job file detached as "/bin/sh <file>", without waiting; whether it started.
bool jobStarten(const QString& skript)
{
    return platform::processes().startDetached(QStringLiteral("/bin/sh"), {skript});
}

// While this copy holds the reservation (not read-only, NoNetWatch 0, the holder still this
// copy's user), rewrites "Seit" once 10 minutes have passed since it was last written. A copy
// that crashed stops doing so, and its reservation runs out after 300 minutes.
void ReservierungAuffrischen()
{
    if (!haltung.gehalten || nurLesen)
        return;
    const rt::VbDate jetzt = platform::clock().now();
    if (std::abs(rt::DateDiff(QStringLiteral("s"), haltung.geschrieben, jetzt))
        < auffrischenSekunden)
        return;
    haltung.geschrieben = jetzt; // the next look in 10 minutes, whether written now or not
    if (schalter(haltung.datei, noNetWatch) != 0)
        return;
    const ReservierungsSperre sperre(haltung.datei);
    if (IniLesen(haltung.datei, haltung.abschnitt, schluesselUser, nichtLesbar)
        != haltung.benutzer)
        return;
    IniSchreiben(haltung.datei, haltung.abschnitt, schluesselSeit, zeitText(jetzt));
}

} // namespace

void DateiReservierung(int mode, QString& name)
{
    if (nurLesen)
        return;
    if (!name.isEmpty())
        name = WorteGrossSchreibenRef(name);
    const QString datei = netWatchDatei();
    if (schalter(datei, noNetWatch) != 0)
        return;
    if (mode == 0)
        freigeben(datei, userJetzt + name);
    else if (mode == 1)
        reservieren(datei, name);
}

void DateiReservierung(int mode)
{
    QString ganzerOrdner;
    DateiReservierung(mode, ganzerOrdner);
}

void NetzFreigabePruefen()
{
    ReservierungAuffrischen();

    if (!nurLesen || !freigabeBeobachten || frageOffen)
        return;
    const QString datei = netWatchDatei();
    if (schalter(datei, noUnlockWatch) != 0)
        return;
    // Still held (neither the age of "Seit" nor the holder's name counts), or not readable.
    if (!IniLesen(datei, userJetzt + reservierterName, schluesselUser, nichtLesbar).isEmpty())
        return;

    const QScopedValueRollback<bool> sperre(frageOffen, true);
    const QString name = reservierterName;
    freigabeBeobachten = false;
    reservierterName.clear();

    const QString text = produktMitName(name)
        + QStringLiteral(" wird nicht mehr von anderen Usern genutzt.")
        + QStringLiteral("~~Möchten Sie das Programm neu starten um auch Schreibrechte zu "
                         "erlangen?");
    const int antwort = platform::dialogs().msgBox(
        MeldungAufbereiten(text),
        platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2
            | platform::vbMsgBoxHelpButton,
        titel(), hilfe());
    if (antwort != platform::vbYes)
        return;

    const QString job = jobSchreiben(QStringLiteral("Restart.sh"), neustartJob);
    if (!job.isEmpty())
        jobStarten(job);
    ProgrammBeenden();
}

void NeustartSetupJob()
{
    if (ordnerPrg.isEmpty())
        OrdnerFestlegen();
    const QString job = jobSchreiben(QStringLiteral("x-Setup_Job.sh"), setupJob);
    if (!job.isEmpty())
        jobStarten(job);
    platform::programEnd().end(0);
    std::abort(); // end() does not return; should one ever do so, nothing more runs either
}

void resetReservierung()
{
    reservierterName.clear();
    haltung = Haltung();
    freigabeBeobachten = false;
    frageOffen = false;
}

void setAufrufFuerTests(std::optional<QStringList> aufruf)
{
    aufrufFuerTests() = std::move(aufruf);
}

} // namespace foundation
