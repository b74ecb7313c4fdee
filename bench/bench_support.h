#pragma once
// What the benchmarks share: timing with processor time beside wall time, and a private set of
// settings folders so that no benchmark reads or writes the user's own.
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace bench {

struct Messung {
    double min = 0;
    double median = 0;
    double max = 0;
    double cpuMin = 0; // processor time of this process: tells a slow job from a busy machine
};

// Processor time of this process so far, in milliseconds.
double prozessorMs();

// Milliseconds of runs repetitions of job, after one warm-up run when warmUp is set; prepare,
// when given, runs before each repetition and is not measured.
Messung messen(int runs, const std::function<void()>& job, bool warmUp = true,
               const std::function<void()>& prepare = {});

// The same for a job that measures itself (up to the moment that counts) and gives its
// milliseconds; prepare, warm-up and processor time as above.
Messung messenEigeneZeit(int runs, const std::function<double()>& job, bool warmUp = true,
                         const std::function<void()>& prepare = {});

// The peak resident memory of this process so far, in KB.
long spitzenspeicherKB();

// "min … ms, Median … ms, max … ms (Prozessor … ms)".
QString ms(const Messung& m, int stellen = 1);

// Settings, data and runtime folders of the freedesktop rules inside a temporary folder, and
// the offscreen platform unless another was asked for. Call before QApplication is made.
class Umgebung {
public:
    Umgebung();
    QString pfad() const { return arbeit_.path(); }
    // For a benchmark that ends with std::_Exit, where no destructor runs.
    bool entfernen() { return arbeit_.remove(); }
    // Writes bytes to path, making its folders.
    static void schreiben(const QString& pfad, const QByteArray& bytes);

private:
    QTemporaryDir arbeit_;
};

} // namespace bench
