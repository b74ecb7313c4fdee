#pragma once
// Command templates of the settings ("sendix -to {To} -file {BodyAsFile}", "xdg-open {Ordner}")
// turned into the argument list of the program they start. Nothing passes through a shell.
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace foundation {

// A placeholder with braces ("{Ordner}") and the value that takes its place.
using Platzhalter = std::pair<QString, QString>;

// The template split into arguments first, at blanks and tabs, where double quotes keep blanks
// inside one argument and are dropped (as QProcess::splitCommand does); then every placeholder
// of values in each argument (matched without regard to case) is replaced by its value, in one
// pass: a value that itself holds a placeholder stays as it is, and a value with blanks stays
// one argument. Braces that name no placeholder of values stay as they are.
QStringList befehlAusVorlage(const QString& vorlage, const std::vector<Platzhalter>& values);

} // namespace foundation
