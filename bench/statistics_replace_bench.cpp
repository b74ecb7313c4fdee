// The statistics and the replace search over a generated diary of 30 years (about 11,000 day
// files, see diary_generator.h) with a mood file for each year: a whole calculation of the
// statistics window (per month, so every counter is read), the mood export, and a replace search
// for a text no entry holds, which tests every entry once.
//
//   statistics_replace_bench [folder]   without a folder the diary is generated into a
//                                       temporary folder
#include "diary_generator.h"

#include "foundation/folders.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/text_box.h"
#include "runtime/format.h"
#include "search/replace_window.h"
#include "search/statistics_window.h"
#include "store/cipher.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>

#include <time.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

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

// Milliseconds of runs repetitions of job, the first run left out as warm-up.
Messung messen(int runs, const std::function<void()>& job)
{
    job();
    std::vector<double> zeiten;
    std::vector<double> prozessor;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpuVorher = prozessorMs();
        timer.start();
        job();
        zeiten.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
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

// Every message box answers OK at once.
class StilleDialoge : public platform::Dialogs {
protected:
    int showMessage(const QString&, int, const QString&, const platform::HelpTopic&) override
    {
        return platform::vbOK;
    }
    std::optional<QString> askText(const QString&, const QString&, const QString&,
                                   const platform::HelpTopic&) override
    {
        return std::nullopt;
    }
    std::optional<platform::FileAnswer> askFile(const platform::FileRequest&) override { return std::nullopt; }
    std::optional<QColor> askColor(const QString&, const QColor&) override { return std::nullopt; }
    std::optional<QString> askPrinter(const QString&) override { return std::nullopt; }
};

// The main window as far as the replace needs it: an editor and a date label that does not move.
class BenchMain : public platform::MainPort {
public:
    BenchMain()
    {
        text_ = new platform::TextBox(&window_);
        window_.setCentralWidget(text_);
        platform::setMainPort(this);
    }
    ~BenchMain() override { platform::setMainPort(nullptr); }

    QString dateCaption() const override { return store::aktDatum; }
    void setDateCaption(const QString&) override {}
    QString text() const override { return text_->text(); }
    void setText(const QString& text) override { text_->setText(text); }
    int selStart() const override { return text_->selStart(); }
    void setSelStart(int start) override { text_->setSelStart(start); }
    int selLength() const override { return text_->selLength(); }
    void setSelLength(int length) override { text_->setSelLength(length); }
    QString selText() const override { return text_->selText(); }
    void setSelText(const QString& text) override { text_->setSelText(text); }
    QFont textFont() const override { return text_->font(); }
    bool insertText(const QString&) override { return false; }
    bool runMenuEntry(const QString&) override { return false; }
    QString panelText(const QString&) const override { return {}; }
    void setPanelText(const QString&, const QString&) override {}
    void refreshStatusBar() override {}
    int mousePointer() const override { return 0; }
    void setMousePointer(int) override {}
    QString caption() const override { return QStringLiteral("Tagebuch"); }
    void setCaption(const QString&) override {}
    QIcon icon() const override { return {}; }
    platform::TwipsGeometry geometryTwips() const override { return {}; }
    QWidget* widget() const override { return &window_; }

private:
    mutable QMainWindow window_;
    platform::TextBox* text_;
};

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
    QTemporaryDir arbeit;
    qputenv("XDG_CONFIG_HOME", (arbeit.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (arbeit.path() + QStringLiteral("/xdg")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (arbeit.path() + QStringLiteral("/data")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QString ordner = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (ordner.isEmpty()) {
        ordner = arbeit.path() + QStringLiteral("/Daten");
        const bench::GenerierteTage tage = bench::tagebuchErzeugen(ordner);
        out << "Tagebuch erzeugt: " << tage.dateien << " Tagesdateien, " << tage.bytes
            << " Bytes\n";
        out << "Stimmungswerte: " << stimmungsDateienSchreiben(ordner) << "\n";
    }
    foundation::OrdnerBereitstellen();
    foundation::ordnerDat = ordner;
    store::korvanelKuerzel = QStringLiteral("Txt");
    store::schluessel = QString::fromLatin1(store::festerSchluessel);
    store::aktDatum = QStringLiteral("05.03.2011");
    store::aktTagesdatei = QStringLiteral("20110305.Txt");
    StilleDialoge dialoge;
    platform::setDialogs(&dialoge);
    BenchMain main;
    store::TagesverzeichnisErstellen(true);

    auto* statistik = new search::Statist;
    statistik->zeitStart->stop();
    statistik->opt[2]->setChecked(true);
    statistik->optProzent[1]->setChecked(true);
    const Messung berechnung = messen(5, [&] { statistik->mnuStatCalc_Click(); });
    out << "Statistik, alle Monate (" << store::tageAnzahl << " Tage, "
        << statistik->Liste->topLevelItemCount() << " Zeilen): " << ms(berechnung) << "\n";
    const Messung stimmungen = messen(5, [&] { statistik->mnuStimmungenKopieren_Click(); });
    const int zeilen = static_cast<int>(platform::clipboard().text().count(QStringLiteral("\r\n")));
    out << "Stimmungen exportieren (" << zeilen << " Zeilen): " << ms(stimmungen) << "\n";
    statistik->unload();

    auto* ersetzen = new search::Ersetzen;
    ersetzen->Txt1->setText(QStringLiteral("Zeppelinhangar"));
    ersetzen->Txt2->setText(QStringLiteral("Luftschiff"));
    main.setText(QStringLiteral("Ein Eintrag ohne den gesuchten Text."));
    const Messung suche = messen(5, [&] { ersetzen->BefSuche_Click(); });
    out << "Ersetzen, Suche ohne Treffer über alle Einträge: " << ms(suche)
        << (ersetzen->BefErsetzen->isEnabled() ? " (FEHLER: Treffer)" : "") << "\n";
    ersetzen->unload();

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setDialogs(nullptr);
    return 0;
}
