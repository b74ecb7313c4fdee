#pragma once
// Printer services shared by every print of the program: long texts word-wrapped between
// margins, the choice of the current printer by its name, the font of a control on the printer,
// and the closing messages of a print. The page footer is textlib::DruckFusszeile.
//
//   platform::PrintSurface& p = platform::printer();
//   p.setScaleMode(platform::vbCentimeters);
//   const QString rest = print::TextDruckenMitSeitenwechsel(text, 2, 1.5, -1, -1, [&] {
//       textlib::DruckFusszeile(2, false);
//       p.NewPage();
//   });
//   if (!rest.isEmpty())
//       print::SeiteZuKleinMelden();
//   textlib::DruckFusszeile(2, false);
//   p.EndDoc();
//   print::PdfAusgabeMelden();
//
// None of them starts or ends a page or a document unless the caller's page change does.
#include <QString>

#include <functional>

class QWidget;

namespace print {

// Lays out text word by word on the current page of the printer, in the units of its scale:
// x1, y1 the left edge and the top (a negative one keeps the current position in that
// direction), x2, y2 the right edge and the bottom (one that is negative or not beyond x1 or y1
// stands for ScaleWidth - 1, or ScaleHeight - 2 lines of "Ay").
// - A word ends after one of the break characters " -:=/&!?" or CR, which stays with it; an LF
//   is dropped. Words are never split.
// - A word goes to a new line (starting at x1 when x1 >= 0) when the position plus its width
//   and two blanks reaches x2. A word wider than the whole line runs past the right edge.
// - When the position plus one and a half lines of "ABCxyz" reaches y2, the page is full: the
//   word and everything after it come back unprinted.
// - The last line is not ended, so a following call with y1 < 0 continues behind it.
// Returns the unprinted rest, empty when everything was printed. A failing printer goes to the
// central error dialog ("Fehler beim Textausdruck #1"); going on prints the next word, any
// other answer gives up and returns empty.
QString TextDrucken(const QString& text, double x1, double y1, double x2, double y2);

// TextDrucken across pages: while a rest is left, neueSeite closes the page and begins the next
// one (footer, NewPage, the caller's page start), and the rest, its leading blanks removed,
// goes on at x1 and y1 (y1 < 0: where neueSeite left the print position). When even a fresh
// page takes nothing of the rest (margins or font leave no room for a line), that rest comes
// back at once instead of emptying page after page; empty when everything was printed.
QString TextDruckenMitSeitenwechsel(const QString& text, double x1, double y1, double x2,
                                    double y2, const std::function<void()>& neueSeite);

// Tells the user that the rest of a text found no room on a fresh page.
void SeiteZuKleinMelden();

// After EndDoc: when the document went to a PDF file (no printer is installed), tells the user
// where the file is. Nothing otherwise.
void PdfAusgabeMelden();

// Makes every installed printer whose device name equals name, without regard to case, the
// current printer, in the order of the list; true when one matched. An unknown name changes
// nothing. False also when a match could not be switched to (rt::Err says why).
bool DruckerWaehlen(const QString& name);

// Gives the printer the font of the control: name, size, underline, strikethrough, italic, bold
// and the control's text colour.
void DruckerSchriftSetzen(const QWidget& ctrl);

} // namespace print
