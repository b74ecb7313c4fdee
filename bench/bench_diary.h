#pragma once
// The diary a benchmark works on, and the real main window on it.
#include "bench_support.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace mainwindow {
class Main;
}

namespace bench {

// The folder given on the command line, else a diary of 30 years generated into the benchmark's
// temporary folder (its size told on out). The store is then set up for the diary "Txt" with the
// program's fixed key, shown day 05.03.2011.
QString tagebuchBereitstellen(const QString& gegeben, const Umgebung& arbeit, QTextStream& out);

// Every day file below ordner ("yyyymmdd.Txt"), by path, sorted.
QStringList tagesdateien(const QString& ordner);

// A hash over the paths and bytes of the files: tells whether a pass left them as they were.
QByteArray fingerabdruck(const QStringList& pfade);

} // namespace bench
