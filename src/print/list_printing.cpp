#include "list_printing.h"

#include "printer_set.h"
#include "text_printing.h"

#include "platform/form.h"
#include "platform/print_surface.h"

#include <QCoreApplication>
#include <QPointer>

namespace print {

bool ListeMitEinstellungenDrucken(textlib::ListControl liste, const QString& job,
                                  const QString& fensterCaption, const QString& kopfzeile,
                                  const QString& schriftName, double schriftGroesse)
{
    if (auto* alt = platform::findForm<PrinterSet>())
        alt->unload();
    druckJob = job;
    QPointer<PrinterSet> einstellungen = new PrinterSet;
    einstellungen->setWindowTitle(einstellungen->windowTitle() + QStringLiteral(", ")
                                  + fensterCaption);
    einstellungen->showModal();
    QCoreApplication::processEvents();
    if (!einstellungen || einstellungen->isUnloaded())
        return false;
    if (einstellungen->abgebrochen()) {
        einstellungen->unload();
        return false;
    }

    platform::PrintSurface& p = platform::printer();
    const int kopien = p.DeviceName() == platform::pdfDeviceName() ? 1 : einstellungen->anzahl();
    const double links = einstellungen->randLinks();
    const double oben = einstellungen->randOben();
    for (int kopie = 0; kopie < kopien; ++kopie) {
        // Position 0 lies the top margin below the page's edge; the list keeps that origin on
        // every page of the copy.
        p.setScaleMode(platform::vbCentimeters);
        p.setScaleTop(-oben);
        p.Print(QStringLiteral(" "));
        p.setCurrentY(0);
        textlib::ListeDrucken(liste, kopfzeile, schriftName, schriftGroesse, links);
    }
    einstellungen->unload();
    PdfAusgabeMelden();
    return true;
}

} // namespace print
