// Start-up of the program on the generated diary of 30 years (about 11,000 day files, see
// diary_generator.h): the real executable, on the offscreen platform, with its own settings,
// data and runtime folders.
//
// How it is measured. The program has no "started and idle" signal of its own, and none is added
// for the benchmark. Two kinds of runs are used instead:
//
// 1. CPU time and memory: the program is started as a hand-over would start it,
//      korvanel /OrdnerDat=<data> Korvanel=Txt Datum=05.03.2011 AppendFile=<one-line file>
//    so it opens the diary on that day (building the day index over every year folder, loading
//    and showing the entry), appends the line, saves the day, deletes the file and ends by
//    itself. The child's user+system CPU time and its peak resident memory come from wait4()
//    (ru_utime, ru_stime, ru_maxrss) of the whole run, start to end, so they include the
//    little work of appending, saving and the ordered shutdown: an upper bound for the start-up.
//    Wall time of the run is reported less its fixed waits (the title window's first tick after
//    200 ms, the main window's start-up timer after 100 ms, the one second before a hand-over
//    ends: 1,300 ms), during which the program is idle.
// 2. Time until the entry is shown: the same start with "#debug", which makes the program write
//    its debug log (Debug.txt in the data folder) with a monotonic millisecond tick on each line
//    (the same clock as QElapsedTimer here). The tick of the line "Eintrag laden Ende ***"
//    (the day's entry is in the editor) less the moment of the spawn, less the 300 ms of the two
//    start-up timers, is the active time to the shown entry. These runs write the log, so their
//    CPU time is not used.
//
// Targets: under 150 ms CPU and under 60 MiB peak resident memory.
//
//   startup_bench [runs]   default 10 runs of each kind, after one warm-up run
#include "diary_generator.h"

#include "runtime/codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr double festeWartezeitMs = 1300; // title tick 200 + start-up timer 100 + hand-over 1000
constexpr double startTimerMs = 300;      // title tick 200 + start-up timer 100

struct Lauf {
    int status = -1;
    double cpuMs = 0;
    double wandMs = 0;
    double speicherMiB = 0;
    qint64 startTick = 0;
};

// Starts the program and waits for its end (at most 120 s, then it is killed).
std::optional<Lauf> starten(const QStringList& argumente)
{
    std::vector<std::string> worte{KORVANEL_PROGRAMM};
    for (const QString& a : argumente)
        worte.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& w : worte)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    Lauf lauf;
    QElapsedTimer uhr;
    uhr.start();
    lauf.startTick = uhr.msecsSinceReference();
    pid_t pid = 0;
    if (posix_spawn(&pid, KORVANEL_PROGRAMM, nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    int status = 0;
    rusage nutzung{};
    for (;;) {
        const pid_t fertig = wait4(pid, &status, WNOHANG, &nutzung);
        if (fertig == pid)
            break;
        if (fertig < 0)
            return std::nullopt;
        if (uhr.elapsed() > 120000) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &nutzung);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    lauf.wandMs = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
    lauf.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    lauf.cpuMs = ms(nutzung.ru_utime) + ms(nutzung.ru_stime);
    lauf.speicherMiB = static_cast<double>(nutzung.ru_maxrss) / 1024.0;
    return lauf;
}

// The tick of the last debug-log line with that text; nullopt when there is none. (The load of
// the window shows its empty day before the diary is opened: the last load is the day's entry.)
std::optional<qint64> tickDerZeile(const QString& logDatei, const QString& text)
{
    QFile datei(logDatei);
    if (!datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString inhalt = rt::decodeText(datei.readAll());
    std::optional<qint64> tick;
    for (const QString& zeile : inhalt.split(QStringLiteral("\r\n"))) {
        const QStringList teile = zeile.split(u'\t');
        if (teile.size() >= 3 && teile.at(2) == text)
            tick = teile.at(1).toLongLong();
    }
    return tick;
}

struct Werte {
    double min = 0;
    double median = 0;
    double max = 0;
};

Werte auswerten(std::vector<double> werte)
{
    if (werte.empty())
        return {};
    std::sort(werte.begin(), werte.end());
    return {werte.front(), werte[werte.size() / 2], werte.back()};
}

QString zahl(double wert, int stellen = 1)
{
    return QString::number(wert, 'f', stellen);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    // Settings, data and the instance socket in a temporary folder, never the user's own.
    QTemporaryDir arbeit;
    const QString wurzel = arbeit.path();
    QDir().mkpath(wurzel + QStringLiteral("/config/Brisols-Programme"));
    QDir().mkpath(wurzel + QStringLiteral("/laufzeit"));
    QFile::setPermissions(wurzel + QStringLiteral("/laufzeit"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(wurzel + QStringLiteral("/tmp"));
    qputenv("XDG_CONFIG_HOME", (wurzel + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (wurzel + QStringLiteral("/xdg")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (wurzel + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (wurzel + QStringLiteral("/laufzeit")).toLocal8Bit());
    qputenv("Tmp", (wurzel + QStringLiteral("/tmp")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    const QString daten = wurzel + QStringLiteral("/Daten");
    QElapsedTimer timer;
    timer.start();
    const bench::GenerierteTage tage = bench::tagebuchErzeugen(daten);
    out << "Tagebuch erzeugt: " << tage.dateien << " Tagesdateien, " << tage.bytes << " Bytes in "
        << timer.elapsed() << " ms\n";
    out.flush();

    const auto schreiben = [](const QString& pfad, const QByteArray& bytes) {
        QFile datei(pfad);
        return datei.open(QIODevice::WriteOnly) && datei.write(bytes) == bytes.size();
    };
    // No question about the desktop's regional settings, a fixed user, no tip of the day; the
    // diary has a title, so no description is asked for.
    schreiben(wurzel + QStringLiteral("/config/Brisols-Programme/Brisol.ini"),
              rt::toAnsi(QStringLiteral("[Allgemein]\r\nLänderHinweis=0\r\nUser=Bench\r\n"
                                        "[Korvanel]\r\nAutoTip=0\r\n")));
    schreiben(daten + QStringLiteral("/Info.Txt"), "Bench-Tagebuch\r\n");

    const QString uebergabe = wurzel + QStringLiteral("/tmp/Messlauf.txt");
    const QStringList worte{QStringLiteral("/OrdnerDat=") + daten, QStringLiteral("Korvanel=Txt"),
                            QStringLiteral("Datum=05.03.2011"),
                            QStringLiteral("AppendFile=") + uebergabe};
    const auto lauf = [&](bool debug) {
        schreiben(uebergabe, "Messlauf\r\n");
        QStringList a = worte;
        if (debug)
            a << QStringLiteral("#debug");
        std::optional<Lauf> ergebnis = starten(a);
        if (!ergebnis || ergebnis->status != 0 || QFile::exists(uebergabe)) {
            out << "Lauf gescheitert (Status " << (ergebnis ? ergebnis->status : -1)
                << "; Übergabedatei " << (QFile::exists(uebergabe) ? "noch da" : "gelöscht")
                << ")\n";
            return std::optional<Lauf>();
        }
        return ergebnis;
    };

    if (!lauf(false))
        return 1; // warm-up

    std::vector<double> cpu, speicher, wand;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Lauf> l = lauf(false);
        if (!l)
            return 1;
        cpu.push_back(l->cpuMs);
        speicher.push_back(l->speicherMiB);
        wand.push_back(l->wandMs - festeWartezeitMs);
    }
    std::vector<double> bisEintrag;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Lauf> l = lauf(true);
        if (!l)
            return 1;
        const std::optional<qint64> tick =
            tickDerZeile(daten + QStringLiteral("/Debug.txt"), QStringLiteral("Eintrag laden Ende ***"));
        if (!tick) {
            out << "Keine Zeile \"Eintrag laden Ende ***\" im Debug-Logbuch\n";
            return 1;
        }
        bisEintrag.push_back(static_cast<double>(*tick - l->startTick) - startTimerMs);
    }

    const Werte c = auswerten(cpu);
    const Werte s = auswerten(speicher);
    const Werte w = auswerten(wand);
    const Werte e = auswerten(bisEintrag);
    out << "Start mit Übergabe bis zum Ende (" << runs << " Läufe, " << tage.dateien
        << " Tage im Tagebuch):\n";
    out << "  CPU-Zeit (user+sys):       min " << zahl(c.min) << " ms, Median " << zahl(c.median)
        << " ms, max " << zahl(c.max) << " ms   (Ziel < 150 ms)\n";
    out << "  Spitzenspeicher (maxrss):  min " << zahl(s.min) << " MiB, Median " << zahl(s.median)
        << " MiB, max " << zahl(s.max) << " MiB   (Ziel < 60 MiB)\n";
    out << "  Laufzeit ohne feste Wartezeiten (1300 ms): min " << zahl(w.min) << " ms, Median "
        << zahl(w.median) << " ms\n";
    out << "Vom Start bis der Eintrag angezeigt ist, ohne die 300 ms der Start-Zeitgeber "
           "(mit #debug):\n";
    out << "  min " << zahl(e.min) << " ms, Median " << zahl(e.median) << " ms, max "
        << zahl(e.max) << " ms\n";
    const bool erreicht = c.median < 150 && s.max < 60;
    out << (erreicht ? "Ziele erreicht\n" : "Ziele verfehlt\n");
    return 0;
}
