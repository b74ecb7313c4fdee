#pragma once
// A control's font and text colour as one settings text of six fields, each ended by ";":
// name; size (whole points with a blank in front); bold; italic; underline ("-1" or "0");
// colour (0x00BBGGRR as a signed decimal number). Example: "Arial; 10;-1;0;0;255;".
#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace foundation {

// The font text of the control. The colour is that of the control's text: the palette role
// Text for text entry controls, WindowText for the others.
QString SchriftAlsText(const QWidget* control);

// Applies a font text to the control. options, compared in lower case by containment: empty or
// "alle" applies everything, "schr" or "print" the font (name, size, bold, italic, underline),
// "farb" the colour; several words combine. Empty or unreadable fields leave that part as it
// is; missing fields count as empty and text behind the sixth field is ignored. A negative
// colour is a system colour (0x80000000 + index) and takes the matching colour of the
// application's palette.
void SchriftAusText(QWidget* control, const QString& fontText, const QString& options);

// The colour number of the settings files: red in the lowest byte, blue in the third (red is
// 255, light grey 12632256).
qint32 farbNummer(const QColor& farbe);
// A colour number as a colour: 0 to 0xFFFFFF is RGB; 0x80000000 plus an index is the system
// colour of that index, taken from the application's palette (the text colour of control where
// the index means it). Anything else is no colour.
std::optional<QColor> farbeAusNummer(qint64 nummer, const QWidget* control = nullptr);
// A colour number as the settings files write it, in decimal (blanks around it are allowed);
// nothing for an empty or malformed text and for a number that is no colour.
std::optional<QColor> farbeAusText(const QString& text, const QWidget* control = nullptr);

} // namespace foundation
