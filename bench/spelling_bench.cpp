// The spelling check of an entry of 3,000 characters with the system's German dictionary: the
// time from the command to its open window, the dictionary's load included (it is loaded for
// every check). Two entries: the unknown word at the start, and the only unknown word at the end
// (every word before it checked first).
#include "integration/spelling.h"
#include "integration/spelling_dialog.h"
#include "platform/main_port.h"
#include "platform/spell_checker.h"
#include "platform/text_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

// The main window as far as the check needs it: an editor, a status text, a window.
class BenchMain : public platform::MainPort {
public:
    BenchMain()
    {
        text_ = new platform::TextBox(&window_);
        text_->setObjectName(QStringLiteral("Text"));
        window_.setCentralWidget(text_);
        window_.resize(900, 600);
        window_.show();
        platform::setMainPort(this);
    }
    ~BenchMain() override { platform::setMainPort(nullptr); }

    QString dateCaption() const override { return QStringLiteral("05.03.2024"); }
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
    bool insertText(const QString& text) override
    {
        text_->setSelText(text);
        return true;
    }
    bool runMenuEntry(const QString&) override { return false; }
    QString panelText(const QString&) const override { return status_; }
    void setPanelText(const QString&, const QString& text) override { status_ = text; }
    void refreshStatusBar() override {}
    int mousePointer() const override { return 0; }
    void setMousePointer(int) override {}
    QString caption() const override { return window_.windowTitle(); }
    void setCaption(const QString& caption) override { window_.setWindowTitle(caption); }
    QIcon icon() const override { return {}; }
    platform::TwipsGeometry geometryTwips() const override { return {}; }
    QWidget* widget() const override { return &window_; }

private:
    mutable QMainWindow window_;
    platform::TextBox* text_;
    QString status_;
};

// About 3,000 characters of plain German diary prose, the typo put first or last.
QString eintrag(bool fehlerAmEnde)
{
    const QString satz = QStringLiteral(
        "Heute waren wir am Nachmittag mit den Kindern am See spazieren, und es war trotz des "
        "Windes ein schöner Tag. Am Abend haben wir Grüße an die Großeltern geschrieben.\r\n");
    QString text = fehlerAmEnde ? QString() : QStringLiteral("Liebes Tagebuhc, ");
    while (text.size() < 2980)
        text += satz;
    if (fehlerAmEnde)
        text += QStringLiteral("Gute Nahct.");
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (!platform::spellChecker().hasDictionary(QStringLiteral("de_DE"))) {
        out << "Kein Wörterbuch de_DE installiert (Paket hunspell-de-de).\n";
        return 1;
    }
    BenchMain main;
    const int runden = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;

    QElapsedTimer laden;
    laden.start();
    platform::spellChecker().loadDictionary(QStringLiteral("de_DE"));
    out << "Wörterbuch de_DE laden allein: " << static_cast<double>(laden.nsecsElapsed()) / 1e6
        << " ms\n";

    for (const bool amEnde : {false, true}) {
        main.setText(eintrag(amEnde));
        std::vector<double> zeiten;
        for (int i = 0; i < runden; ++i) {
            QElapsedTimer uhr;
            double ms = -1;
            QTimer::singleShot(0, [&] {
                auto* fenster = platform::findForm<integration::Rechtschreibung>();
                if (fenster != nullptr && fenster->isVisible()) {
                    ms = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
                    fenster->befAbbrechen->click();
                }
            });
            uhr.start();
            integration::mnuWordCheck_Click();
            QCoreApplication::processEvents();
            zeiten.push_back(ms);
        }
        std::sort(zeiten.begin(), zeiten.end());
        out << "Befehl bis offenes Fenster, " << main.text().size() << " Zeichen, unbekanntes Wort "
            << (amEnde ? "am Ende" : "am Anfang") << ": Median " << zeiten[zeiten.size() / 2]
            << " ms, schlechtester " << zeiten.back() << " ms (" << runden << " Läufe)\n";
    }
    return 0;
}
