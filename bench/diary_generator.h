#pragma once
// A generated diary for the benchmarks: one day file per day of 30 years (1996-2025), "Txt",
// each of 300 to 3,000 characters of German text with umlauts, Windows-1252, CR LF line ends.
// The same seed gives the same files on every run.
#include <QString>

namespace bench {

struct GenerierteTage {
    int dateien = 0;
    qint64 bytes = 0;
};

// Writes the day files into dataFolder/<yyyy>/<yyyymmdd>.Txt; existing files are replaced.
GenerierteTage tagebuchErzeugen(const QString& dataFolder, quint32 seed = 20240305);

} // namespace bench
