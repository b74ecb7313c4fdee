#pragma once
// The placeholder expander: a user-defined pattern such as "Sicherung {jjjj-mm-tt} {hh-mm}" or
// "{ordner_dat}/Bilder/{jjjj}/{tt}.jpg" becomes a concrete text.
//
// - Fixed tokens in braces ("{datum}", "{kw}", "{ordner_dat}", ..., the list is in
//   placeholder_tokens.cpp) are replaced wherever they occur, without regard to case.
// - Argument forms carry their own argument up to the closing "}": "{wt+N}", "{wochentagDATE}",
//   "{zufall$A,B,C}", "{counterN}", "{index:NAME,FROM,TO}", "{iniread,FILE,SECTION,KEY,DEFAULT}",
//   "{variable:NAME}", "{a7b:TEXT}", "{aig:TEXT}", "{$PATTERN}", "{alter:DATE}", "{alterd:DATE}"
//   and "{&PATTERN}". Of each form only the first token of the text is expanded per call (with
//   every identical copy of it).
// - Counters ("VarioCount<N>") and cycling indexes ("VarioIndex_<NAME>") live in section
//   [Variablen] of Brisol.ini, where the user also defines the variables of "{variable:".
// - "%NAME%" is replaced by the environment variable NAME.
//
// The text may be any user text, a pasted page of code included: time and memory stay linear in
// its length. A word in braces ends at the next "}" or "{", whichever comes first; the values of
// environment variables are not searched for references again; and the expanded text grows to
// at most maximaleErgebnislaenge characters (or the length of the text given, when that is
// longer): a replacement that would take it beyond is not made, and that token and the rest of
// its kind stay as written.
//
// Date and time tokens describe the reference date varioDatum, or the moment of the call.
#include "runtime/dates.h"

#include <QString>

#include <variant>

namespace textlib {

// 1,048,576 characters (2 MiB of text).
inline constexpr qsizetype maximaleErgebnislaenge = qsizetype(1) << 20;

// The reference date of the next expansion, a date value or a date text ("dd.mm.yyyy"): a
// caller that expands a pattern for a particular day assigns it directly before calling
// VariablenErsetzen. An empty text or a text that is no date means now. Every expansion ends by
// setting it to an empty text, so an assignment counts for one call only.
using VarioDatum = std::variant<QString, rt::VbDate>;
extern VarioDatum varioDatum;

// The work text of the expansion; keeps the last result until the next call.
extern QString varioText;

// The text with every token expanded. Reads and clears varioDatum. Never fails: a step that
// cannot be done leaves its token as written. A token that begins after character 32767 of the
// work text is not replaced.
QString VariablenErsetzen(const QString& text);

// The text with "%NAME%" replaced by the environment variable NAME (upper-cased; found without
// regard to case, as on Windows; nothing when it is not set). "%ERRORLEVEL%" stays, for command
// scripts. At most 8 passes, each on the first pair of percent signs of the text; percent signs
// inside a value put in are not looked at again, so a variable that holds its own reference is
// put in once. The result grows to at most maximaleErgebnislaenge characters (or the length of
// text, when that is longer); references that would take it beyond stay as written.
QString UmgebungErsetzen(const QString& text);

// Tests: empties varioDatum and varioText.
void resetVario();

} // namespace textlib
