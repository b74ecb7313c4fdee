#pragma once
// Texts about a day and about an entry that the windows show: the lines of the user's
// "Einzug*.txt" files for a day, the tidy-up of an entry text, the moon phase and the weekend
// mark of a date.
#include "runtime/dates.h"

#include <QString>

namespace store {

// Non-zero: entry texts are tidied up for display and printing (TextBereinigen). Set from the
// settings; 0 until then.
extern int autoFormat;

// The texts of the data folder's "Einzug*.txt" files for the day: every line that begins with
// the date as "dd.mm.yyyy" contributes the rest of the line (one "=" right after the date
// dropped), files in name order, each file's texts followed by an empty line. Tabs become
// blanks, the text is prepared for display (foundation::MeldungAufbereiten: "~" is a line
// break) and blanks at the start and end of the text and of every line are removed. "" when
// datum is no date. A file that cannot be read adds nothing.
QString EinzugTexteLesen(const QString& datum);
QString EinzugTexteLesen(rt::VbDate datum);

// Tidies text in place for display and printing and returns it; unchanged when it is empty or
// autoFormat is 0. The first character is upper-cased, Tabs become blanks, blanks, full stops,
// CR and LF are removed at both ends, and a text of more than 2 characters that does not end
// in one of "!?.,;-:" gets a full stop.
QString TextBereinigen(QString& text);

// The moon of the day, with "~" as line break of the display preparation:
//   "Mondalter: <age in days> Tage~<zu|ab>nehmend, Terminator bei ca. <degrees>° <O|W>~"
// The age is counted from the new moon of 17.04.1996 23:49 in synodic months of
// 29.530587962963 days, forwards and backwards alike. A text that is no date goes to the
// central error dialog and gives "".
QString MondphaseText(rt::VbDate datum);
QString MondphaseText(const QString& datum);
// Where in its lunation the moon of that moment is: 0 new moon, 0.5 full moon, up to 1.
double MondphaseAnteil(rt::VbDate datum);

// " " (one blank) for a Saturday or a Sunday, else "" (also for a text that is no date).
QString WochenendeKennung(rt::VbDate datum);
QString WochenendeKennung(const QString& datum);

// The text unchanged; the two further arguments are not used.
QString TextDurchreichen(const QString& text, const QString& = {}, const QString& = {});

// Tests: autoFormat back to 0.
void resetDayTexts();

} // namespace store
