#pragma once
// A list printed through the printer-settings window of its print job: the day list, the
// bookmarks, the keyword list and the planner's appointments all print this way.
//
//   print::ListeMitEinstellungenDrucken(Liste, u"Korvanel_Tagesliste"_qs, windowTitle(),
//                                       u"Tagesliste, Seite &[Seite]"_qs,
//                                       platform::mainPort()->textFont().family(), 10);
//
// The window PrinterSet of that job is shown modally (a window of another job still loaded is
// unloaded first), with ", " and the caller's caption behind its own. Cancelled there, nothing is
// printed and the result is false. Otherwise the list is printed in as many copies as the window
// asks (one when the output is a PDF file, where copies would only make further files), each
// copy a document of its own with the top margin kept on every page and the left margin as the
// lines' x position. The window is unloaded afterwards, and when the output went to a PDF file
// the user is told where it lies.
#include "textlib/list_jobs.h"

#include <QString>

namespace print {

bool ListeMitEinstellungenDrucken(textlib::ListControl liste, const QString& job,
                                  const QString& fensterCaption, const QString& kopfzeile,
                                  const QString& schriftName, double schriftGroesse);

} // namespace print
