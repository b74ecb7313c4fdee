#pragma once
// The one-line page footer that every printout of the program may end with:
//   "Brisols-Korvanel 2026 · Ausdruck vom 05.03.2024"
// in Arial 6 pt italic, black, near the bottom of the printer's current page. Whether it is
// printed at all is the setting "Fusszeile" of Brisol.ini (default section): "0" or missing
// switches it off, any other value on.
//
//   platform::PrintSurface& p = platform::printer();
//   p.setScaleMode(platform::vbCentimeters);
//   ... the page's body, down to at most FusszeileOben() when FusszeileEingeschaltet() ...
//   DruckFusszeile(linkerRand, false);
//   p.EndDoc();
//
// The footer works on the printer's current page and never starts or ends a page or document.
// It relies on the scale being in centimetres (vbCentimeters, or a user scale in centimetres
// whose ScaleTop moves the origin down for a top margin).
#include <QString>

namespace textlib {

// "Brisols-Korvanel" + " " + the major version number + " · Ausdruck vom " + today as
// "dd.mm.yyyy" (the character between the blanks is the middle dot U+00B7).
QString FusszeilenText();

// Whether the settings ask for the footer: "Fusszeile" of Brisol.ini is not "0" (read afresh).
bool FusszeileEingeschaltet();

// Where DruckFusszeile puts the top of the footer line, in the printer's current scale: two and
// a half footer lines above the bottom of the printable area, but never lower than 27.4 cm below
// its top, whatever ScaleTop the caller set. The printer's font and position stay as they are.
double FusszeileOben();

// Prints the footer at x (horizontal, in the current scale) unless ohne is true or the settings
// switch it off. Sets the printer font to Arial 6 pt, not bold, black and italic, moves the print
// position to x and FusszeileOben(), prints the text without line end, and switches italic off
// again; the rest of the footer font stays on the printer, and the print position stays behind
// the footer (or at its start when nothing was printed). A failing printer is passed over.
void DruckFusszeile(double x, bool ohne);

} // namespace textlib
