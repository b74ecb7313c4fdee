// The statistics and the replace search over a generated diary of 30 years (about 11,000 day
// files, see diary_generator.h) with a mood file for each year: a whole calculation of the
// statistics window (per month, so every counter is read), the mood export, and a replace search
// for a text no entry holds, which tests every entry once.
//
//   statistics_replace_bench [folder]   without a folder the diary is generated into a
//                                       temporary folder
#include "bench_support.h"
#include "bench_ui.h"
#include "bench_diary.h"

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/text_box.h"
#include "runtime/format.h"
#include "search/replace_window.h"
#include "search/statistics_window.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>


#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Stimmung<yyyy>.ini for every year of the diary, a value on every third day.
int stimmungsDateienSchreiben(const QString& ordner)
{
    int werte = 0;
    for (int jahr = 1996; jahr <= 2025; ++jahr) {
        QByteArray text = "[Txt]\r\n";
        for (int tag = 0; tag < 365; tag += 3) {
            const rt::VbDate datum = rt::DateAdd(QStringLiteral("d"), tag, rt::DateSerial(jahr, 1, 1));
            text += rt::Format(datum, QStringLiteral("dd.mm.yyyy")).toLatin1() + '='
                    + QByteArray::number(tag % 21 - 10) + "\r\n";
            ++werte;
        }
        QFile datei(ordner + QStringLiteral("/Stimmung") + QString::number(jahr)
                    + QStringLiteral(".ini"));
        if (!datei.open(QIODevice::WriteOnly) || datei.write(text) != text.size())
            return -1;
    }
    return werte;
}

} // namespace

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const QString ordner = bench::tagebuchBereitstellen(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), arbeit, out);
    if (!QFileInfo::exists(ordner + QStringLiteral("/Stimmung2011.ini")))
        out << "Stimmungswerte: " << stimmungsDateienSchreiben(ordner) << "\n";
    store::aktTagesdatei = QStringLiteral("20110305.Txt");
    const bench::StilleDialoge dialoge;
    bench::EditorFenster main(store::aktDatum);
    store::TagesverzeichnisErstellen(true);

    auto* statistik = new search::Statist;
    statistik->zeitStart->stop();
    statistik->opt[2]->setChecked(true);
    statistik->optProzent[1]->setChecked(true);
    const bench::Messung berechnung = bench::messen(5, [&] { statistik->mnuStatCalc_Click(); });
    out << "Statistik, alle Monate (" << store::tageAnzahl << " Tage, "
        << statistik->Liste->topLevelItemCount() << " Zeilen): " << bench::ms(berechnung) << "\n";
    const bench::Messung stimmungen = bench::messen(5, [&] { statistik->mnuStimmungenKopieren_Click(); });
    const int zeilen = static_cast<int>(platform::clipboard().text().count(QStringLiteral("\r\n")));
    out << "Stimmungen exportieren (" << zeilen << " Zeilen): " << bench::ms(stimmungen) << "\n";
    statistik->unload();

    auto* ersetzen = new search::Ersetzen;
    ersetzen->Txt1->setText(QStringLiteral("Zeppelinhangar"));
    ersetzen->Txt2->setText(QStringLiteral("Luftschiff"));
    main.setText(QStringLiteral("Ein Eintrag ohne den gesuchten Text."));
    const bench::Messung suche = bench::messen(5, [&] { ersetzen->BefSuche_Click(); });
    out << "Ersetzen, Suche ohne Treffer über alle Einträge: " << bench::ms(suche)
        << (ersetzen->BefErsetzen->isEnabled() ? " (FEHLER: Treffer)" : "") << "\n";
    ersetzen->unload();

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
