#include "bench_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <vector>

namespace bench {

double prozessorMs()
{
    timespec zeit{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &zeit);
    return static_cast<double>(zeit.tv_sec) * 1e3 + static_cast<double>(zeit.tv_nsec) / 1e6;
}

Messung messenEigeneZeit(int runs, const std::function<double()>& job, bool warmUp,
                         const std::function<void()>& prepare)
{
    if (warmUp) {
        if (prepare)
            prepare();
        job();
    }
    std::vector<double> zeiten;
    std::vector<double> prozessor;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        const double cpuVorher = prozessorMs();
        zeiten.push_back(job());
        prozessor.push_back(prozessorMs() - cpuVorher);
    }
    std::sort(zeiten.begin(), zeiten.end());
    return {zeiten.front(), zeiten[zeiten.size() / 2], zeiten.back(),
            *std::min_element(prozessor.begin(), prozessor.end())};
}

Messung messen(int runs, const std::function<void()>& job, bool warmUp,
               const std::function<void()>& prepare)
{
    return messenEigeneZeit(
        runs,
        [&job] {
            QElapsedTimer timer;
            timer.start();
            job();
            return static_cast<double>(timer.nsecsElapsed()) / 1e6;
        },
        warmUp, prepare);
}

long spitzenspeicherKB()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_maxrss;
}

QString ms(const Messung& m, int stellen)
{
    return QStringLiteral("min %1 ms, Median %2 ms, max %3 ms (Prozessor %4 ms)")
        .arg(QString::number(m.min, 'f', stellen), QString::number(m.median, 'f', stellen),
             QString::number(m.max, 'f', stellen), QString::number(m.cpuMin, 'f', stellen));
}

Umgebung::Umgebung()
{
    const QString wurzel = arbeit_.path();
    qputenv("XDG_CONFIG_HOME", (wurzel + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (wurzel + QStringLiteral("/xdg")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (wurzel + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (wurzel + QStringLiteral("/laufzeit")).toLocal8Bit());
    QDir().mkpath(wurzel + QStringLiteral("/laufzeit"));
    QFile::setPermissions(wurzel + QStringLiteral("/laufzeit"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void Umgebung::schreiben(const QString& pfad, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly))
        datei.write(bytes);
}

} // namespace bench
