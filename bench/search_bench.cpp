// The search window over a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h): a run over the whole range for a query that occurs in no entry, from the
// click on "&Suchen" until the message "Keinen passenden Eintrag gefunden." (answered by a
// script), strict (without and with the case option), phonetic and by pattern; beside it the
// floor, every entry of the index loaded once through the store, and the peak memory.
// One thread, offscreen.
//
//   search_bench [folder [runs]]   without a folder (or with "") the diary is generated into a
//                                   temporary folder; runs: measured runs of each figure (5)
#include "bench_support.h"
#include "bench_ui.h"
#include "bench_diary.h"

#include "platform/clock.h"
#include "platform/text_box.h"
#include "search/search_window.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTextStream>
#include <QTimer>


#include <algorithm>

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const int runden = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;
    const QString ordner = bench::tagebuchBereitstellen(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), arbeit, out);

    // The time of a run is taken when its last message comes.
    bench::StilleDialoge dialoge;
    QElapsedTimer uhr;
    double meldungMs = 0;
    dialoge.beiMeldung = [&] { meldungMs = static_cast<double>(uhr.nsecsElapsed()) / 1e6; };

    // The floor: every entry of the index loaded once, and its characters counted.
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    qint64 zeichen = 0;
    const bench::Messung boden = bench::messen(runden, [&] {
        zeichen = 0;
        for (const qint32 tag : *tage) {
            zeichen += store::EintragLaden(QString::number(tag) + QStringLiteral(".Txt"))
                           .text.size();
        }
    });
    out << "Alle " << tage->size() << " Einträge laden (" << zeichen << " Zeichen): " << bench::ms(boden)
        << Qt::endl;
    const long speicherVorher = bench::spitzenspeicherKB();

    auto* fenster = new search::Suchen;
    fenster->Zeit->stop();
    fenster->show();
    QApplication::processEvents();

    struct Lauf {
        const char* name;
        int typ;
        bool gross;
        const char* anfrage;
        double ziel; // ms; 0 none
    } laeufe[] = {
        {"streng", 0, false, "Quarzuhrwerk", 260},
        {"streng, Groß-/Kleinschreibung beachten", 0, true, "Quarzuhrwerk", 260},
        {"streng, zwei Zeilen mit je zwei Begriffen", 0, false,
         "Quarzuhrwerk Sonne\r\n\"Regen im Juli\" Zugspitze", 260},
        {"phonetisch", 1, false, "Quarzuhrwerk", 1000},
        {"Mustervergleich", 2, false, "Qu?rz#uhr", 0},
    };
    bool allesGut = true;
    for (const Lauf& lauf : laeufe) {
        fenster->optSuchTyp[lauf.typ]->setChecked(true);
        fenster->optSuchTyp_Click(lauf.typ);
        fenster->CheckNoLcase->setChecked(lauf.gross);
        fenster->Text->setText(QString::fromUtf8(lauf.anfrage));
        const bench::Messung m = bench::messenEigeneZeit(runden, [&] {
            store::verzeichnisStatus = 0; // the index is built afresh, as after an edit
            dialoge.letzteMeldung.clear();
            uhr.start();
            fenster->BefSuche_Click();
            return meldungMs;
        });
        const bool keinTreffer = dialoge.letzteMeldung
                                 == QStringLiteral("Keinen passenden Eintrag gefunden.");
        const bool imZiel = lauf.ziel <= 0 || m.median < lauf.ziel;
        allesGut = allesGut && keinTreffer;
        out << "Suche " << lauf.name << ": " << bench::ms(m);
        if (lauf.ziel > 0)
            out << " (Ziel unter " << lauf.ziel << " ms: " << (imZiel ? "ja" : "NEIN") << ")";
        if (!keinTreffer)
            out << " FEHLER: keine Meldung \"Keinen passenden Eintrag gefunden.\"";
        out << Qt::endl;
    }
    out << "Spitzenspeicher: " << bench::spitzenspeicherKB() << " KB (vor dem Fenster " << speicherVorher
        << " KB)" << Qt::endl;

    fenster->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return allesGut ? 0 : 1;
}
