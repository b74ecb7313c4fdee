#pragma once
// The query language of the text search, and the test of one entry against a query.
//
// Every non-empty line of the query is one alternative; the words of a line, separated by
// blanks, are terms that must all occur in the entry (in any order, anywhere, also inside
// longer words); text between double quotes is one term with its blanks. An entry matches when
// all terms of at least one line occur. The search window parses its query once per run and
// tests every entry it visits:
//
//   const search::Suchbegriffe begriffe =
//       search::SuchbegriffeZerlegen(query, search::suchTypStreng, false);
//   if (const qint32 treffer = search::EintragPasst(begriffe, 1, eintrag); treffer > 0)
//       ... the caret goes to treffer - 1 ...
//
// Limits: 11 alternatives and 11 terms per alternative. A 12th and every later non-empty line
// writes into the slots of the 11th alternative from its first slot, so that terms of the 11th
// line that are not overwritten stay in place; a 12th and every later term of a line overwrites
// its 11th slot, so the line keeps its first ten terms and its last.
#include <QString>
#include <QStringList>

#include <array>

namespace search {

// The search types, as the window's option buttons number them.
inline constexpr int suchTypStreng = 0;     // "str&eng": the text itself
inline constexpr int suchTypPhonetisch = 1; // "&phonetisch": the phonetic keys of term and text
inline constexpr int suchTypMuster = 2;     // "&Mustervergleich": "?", "*", "#", "[a-z]", "[!x]"

inline constexpr int alternativenGrenze = 11;
inline constexpr int begriffeGrenze = 11;

// A parsed query.
struct Suchbegriffe {
    // tabelle[alternative][term]; an empty text marks a free slot.
    std::array<std::array<QString, begriffeGrenze>, alternativenGrenze> tabelle{};
    // The index of the last alternative written; -1 when the query has no non-empty line.
    int letzteAlternative = -1;
    // The highest term index written in any alternative (0 when none).
    int hoechsterBegriff = 0;
    int suchTyp = suchTypStreng;
    // Whether case counts: when not, terms and texts are compared in lower case.
    bool grossKleinBeachten = false;
    // In pattern mode: the terms (as typed) that are no valid pattern. Such a term never
    // matches; the caller tells the user once.
    QStringList ungueltigeMuster;
};

// Parses the query text (lines ended by CR LF, LF or CR). Terms are stored as they are compared:
// in lower case unless grossKleinBeachten, as their phonetic key in phonetic mode. A line with an
// unclosed double quote keeps the open phrase up to the end of the line.
Suchbegriffe SuchbegriffeZerlegen(const QString& suchText, int suchTyp, bool grossKleinBeachten);

// Tests text from the 1-based position start on (a start below 1 counts as 1). 0 when no
// alternative matches; else the value of the last non-empty term of the first matching
// alternative: in strict and phonetic mode the 1-based position of that term at or after start
// (in phonetic mode a position in the phonetic key of the text), in pattern mode always 1.
qint32 EintragPasst(const Suchbegriffe& begriffe, qint32 start, const QString& text);

} // namespace search
