// The search window over a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h): a run over the whole range for a query that occurs in no entry, from the
// click on "&Suchen" until the message "Keinen passenden Eintrag gefunden." (answered by a
// script), strict (without and with the case option), phonetic and by pattern; beside it the
// floor, every entry of the index loaded once through the store, and the peak memory.
// One thread, offscreen.
//
//   search_bench [folder [runs]]   without a folder (or with "") the diary is generated into a
//                                   temporary folder; runs: measured runs of each figure (5)
#include "diary_generator.h"

#include "foundation/folders.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/text_box.h"
#include "search/search_window.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Answers every message box with OK and notes when the last one came and what it said.
class SkriptDialoge : public platform::Dialogs {
public:
    QElapsedTimer* uhr = nullptr;
    double meldungMs = 0;
    QString letzteMeldung;

protected:
    int showMessage(const QString& text, int, const QString&, const platform::HelpTopic&) override
    {
        meldungMs = static_cast<double>(uhr->nsecsElapsed()) / 1e6;
        letzteMeldung = text;
        return platform::vbOK;
    }
    std::optional<QString> askText(const QString&, const QString&, const QString&,
                                   const platform::HelpTopic&) override
    {
        return std::nullopt;
    }
    std::optional<platform::FileAnswer> askFile(const platform::FileRequest&) override
    {
        return std::nullopt;
    }
    std::optional<QColor> askColor(const QString&, const QColor&) override { return std::nullopt; }
    std::optional<QString> askPrinter(const QString&) override { return std::nullopt; }
    std::optional<platform::FontChoice> askFont(const platform::FontRequest&) override
    {
        return std::nullopt;
    }
};

struct Messung {
    double min = 0;
    double median = 0;
    double cpuMin = 0; // processor time of this process: tells a slow job from a busy machine
};

double prozessorMs()
{
    timespec zeit{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &zeit);
    return static_cast<double>(zeit.tv_sec) * 1e3 + static_cast<double>(zeit.tv_nsec) / 1e6;
}

// runs repetitions of job after one for warm-up; job gives its own milliseconds.
Messung messen(int runs, const std::function<double()>& job)
{
    job();
    std::vector<double> zeiten;
    std::vector<double> prozessor;
    for (int i = 0; i < runs; ++i) {
        const double cpuVorher = prozessorMs();
        zeiten.push_back(job());
        prozessor.push_back(prozessorMs() - cpuVorher);
    }
    std::sort(zeiten.begin(), zeiten.end());
    return {zeiten.front(), zeiten[zeiten.size() / 2],
            *std::min_element(prozessor.begin(), prozessor.end())};
}

QString ms(const Messung& m)
{
    return QStringLiteral("min %1 ms, Median %2 ms (Prozessorzeit min %3 ms)")
        .arg(QString::number(m.min, 'f', 1), QString::number(m.median, 'f', 1),
             QString::number(m.cpuMin, 'f', 1));
}

long spitzenspeicherKB()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    QTemporaryDir arbeit;
    qputenv("XDG_CONFIG_HOME", (arbeit.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (arbeit.path() + QStringLiteral("/xdg")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (arbeit.path() + QStringLiteral("/data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QString ordner = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int runden = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5;
    if (ordner.isEmpty()) {
        ordner = arbeit.path() + QStringLiteral("/Daten");
        const bench::GenerierteTage tage = bench::tagebuchErzeugen(ordner);
        out << "Tagebuch erzeugt: " << tage.dateien << " Tagesdateien, " << tage.bytes
            << " Bytes" << Qt::endl;
    }
    foundation::OrdnerBereitstellen();
    foundation::ordnerDat = ordner;
    store::korvanelKuerzel = QStringLiteral("Txt");
    store::schluessel = QString::fromLatin1(store::festerSchluessel);
    store::aktDatum = QStringLiteral("05.03.2011");

    SkriptDialoge dialoge;
    QElapsedTimer uhr;
    dialoge.uhr = &uhr;
    platform::setDialogs(&dialoge);

    // The floor: every entry of the index loaded once, and its characters counted.
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    qint64 zeichen = 0;
    const Messung boden = messen(runden, [&] {
        QElapsedTimer zeit;
        zeit.start();
        zeichen = 0;
        for (const qint32 tag : *tage) {
            zeichen += store::EintragLaden(QString::number(tag) + QStringLiteral(".Txt"))
                           .text.size();
        }
        return static_cast<double>(zeit.nsecsElapsed()) / 1e6;
    });
    out << "Alle " << tage->size() << " Einträge laden (" << zeichen << " Zeichen): " << ms(boden)
        << Qt::endl;
    const long speicherVorher = spitzenspeicherKB();

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
        const Messung m = messen(runden, [&] {
            store::verzeichnisStatus = 0; // the index is built afresh, as after an edit
            dialoge.letzteMeldung.clear();
            uhr.start();
            fenster->BefSuche_Click();
            return dialoge.meldungMs;
        });
        const bool keinTreffer = dialoge.letzteMeldung
                                 == QStringLiteral("Keinen passenden Eintrag gefunden.");
        const bool imZiel = lauf.ziel <= 0 || m.median < lauf.ziel;
        allesGut = allesGut && keinTreffer;
        out << "Suche " << lauf.name << ": " << ms(m);
        if (lauf.ziel > 0)
            out << " (Ziel unter " << lauf.ziel << " ms: " << (imZiel ? "ja" : "NEIN") << ")";
        if (!keinTreffer)
            out << " FEHLER: keine Meldung \"Keinen passenden Eintrag gefunden.\"";
        out << Qt::endl;
    }
    out << "Spitzenspeicher: " << spitzenspeicherKB() << " KB (vor dem Fenster " << speicherVorher
        << " KB)" << Qt::endl;

    fenster->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setDialogs(nullptr);
    return allesGut ? 0 : 1;
}
