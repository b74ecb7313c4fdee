#pragma once
// The fixed tokens of the placeholder expander: words in braces that are replaced wherever they
// occur, without regard to case, by a value of the reference date, the clock, the folders or the
// user. Used by placeholder_expander.cpp only.
#include "runtime/dates.h"

#include <QString>
#include <QStringView>

#include <span>

namespace textlib {

// What the values of one expansion are worked out from: the reference date and its week.
struct PlatzhalterBezug {
    rt::VbDate datum;
    int woche = 0; // the ISO week of datum
};

PlatzhalterBezug platzhalterBezug(rt::VbDate datum);

struct FesterPlatzhalter {
    QStringView token;       // as written, "{datum}"
    QStringView datumsCode;  // the value is the reference date laid out by this code, or
    QString (*rechnen)(const PlatzhalterBezug& bezug); // the value is worked out by this
    // Worked out on every expansion, whether or not the token occurs: the random tokens, so
    // that every expansion draws the same numbers from the shared generator.
    bool immer = false;

    QString wert(const PlatzhalterBezug& bezug) const;
};

// The tokens of every expansion, in the order of their replacement. "{jjjj}" and "{hh}" stand in
// the list twice: they are replaced again later on.
std::span<const FesterPlatzhalter> festePlatzhalter();
// "{username}", "{guid}", "{id}" and "{brisol.ini}": worked out and replaced only when the text
// contains them, after the tokens above.
std::span<const FesterPlatzhalter> platzhalterBeiBedarf();

} // namespace textlib
