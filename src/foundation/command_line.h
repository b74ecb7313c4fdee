#pragma once
// Start options as name=value parts of a command line: ParameterZerlegen cuts a text into parts
// and keeps them in the module-wide list, ParameterWert finds the value of a named option there.
#include <QString>

#include <array>

namespace foundation {

// Entries 1..parameterAnzahl hold the parts of the last split; entry 0 is never used.
extern std::array<QString, 256> parameterListe;
extern int parameterAnzahl;

// Blank, "/", ",", ";", "|", Tab, LF, CR.
QString standardTrennzeichen();

// Splits text at every character of separators (the defaults when it is empty, and the caller's
// variable then holds them). Double quotes keep separators inside a part; a part enclosed in
// double quotes as a whole loses them. At most 255 parts: a further part replaces entry 255.
// The program's own command line (the text platform::Command() gives), split with the default
// separators, is split at the arguments it was built from instead (platform::commandLineParts):
// every value comes through exactly, whatever double quotes any argument holds.
int ParameterZerlegen(const QString& text, QString& separators);
int ParameterZerlegen(const QString& text);

// The value behind the name (compared without regard to case) of the last part that starts
// with it, without enclosing double quotes; "" when no part carries the name.
QString ParameterWert(const QString& name);

void resetParameter();

} // namespace foundation
