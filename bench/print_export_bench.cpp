// The outputs of the print window over a generated diary of 30 years (about 11,000 day files,
// see diary_generator.h): the whole diary to a Korvanel-format file (target: under 1 s), the
// same as comma-separated text, and one year printed through the window into a PDF file (the
// time is reported; the PDF printer is used as when no printer is installed).
//
//   print_export_bench [folder]   without a folder the diary is generated into a temporary folder
#include "bench_diary.h"

#include "platform/print_surface.h"
#include "print/day_export.h"
#include "print/print_window.h"
#include "print/printer_set.h"
#include "store/store_state.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QTextStream>
#include <QTimer>


#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    // Settings, exports and PDF files go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const QString ordner = bench::tagebuchBereitstellen(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), arbeit, out);

    print::Tagesauswahl alles;
    alles.von = QStringLiteral("01.01.1996");
    alles.bis = QStringLiteral("31.12.2025");
    const QString datei = arbeit.pfad() + QStringLiteral("/Ausgabe.kv");
    bool gut = true;
    const bench::Messung korvanel = bench::messen(5, [&] {
        gut = print::KorvanelFormatAusgeben(datei, alles).geschrieben && gut;
    });
    out << "Gesamtes Korvanel im Korvanel-Format (" << QFileInfo(datei).size()
        << " Bytes): " << bench::ms(korvanel) << (korvanel.median < 1000 ? "" : "  ZU LANGSAM") << "\n";
    qint64 kommaBytes = 0;
    const bench::Messung komma = bench::messen(3, [&] {
        kommaBytes = print::DateiTextErstellen(1, alles).text.size();
    });
    out << "Gesamtes Korvanel kommagetrennt (" << kommaBytes << " Zeichen, im Speicher): "
        << bench::ms(komma) << "\n";

    // One year printed through the window into a PDF file.
    std::unique_ptr<platform::PrintSurface> pdf = platform::makeSystemPrintSurface(true);
    pdf->setPdfFolder(arbeit.pfad() + QStringLiteral("/Ausdrucke"));
    platform::setPrinter(pdf.get());
    // The message about the PDF file is answered at once.
    QTimer antworten;
    QObject::connect(&antworten, &QTimer::timeout, [] {
        if (auto* einstellungen = platform::findForm<print::PrinterSet>();
            einstellungen && einstellungen->isVisible())
            einstellungen->befOk_Click();
        if (QWidget* box = QApplication::activeModalWidget();
            box && !platform::findForm<print::PrinterSet>() && box->inherits("QMessageBox"))
            box->close();
    });
    antworten.start(10);
    auto* druck = new print::Druck;
    druck->BezDatumAb->setText(QStringLiteral("01.01.2011"));
    druck->BezDatumBis->setText(QStringLiteral("31.12.2011"));
    druck->show();
    QElapsedTimer uhr;
    const double cpuVorher = bench::prozessorMs();
    uhr.start();
    druck->befOk_Click();
    const double druckMs = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
    const QString pdfDatei = pdf->lastOutputFile();
    out << "Ein Jahr (2011) als PDF gedruckt (" << QFileInfo(pdfDatei).size() << " Bytes): "
        << QString::number(druckMs, 'f', 1) << " ms (Prozessorzeit "
        << QString::number(bench::prozessorMs() - cpuVorher, 'f', 1) << " ms)\n";
    antworten.stop();
    druck->unload();
    platform::setPrinter(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return gut && !pdfDatei.isEmpty() ? 0 : 1;
}
