#include "bench_ui.h"

#include "mainwindow/main_window.h"
#include "platform/command_line_text.h"
#include "platform/platform_services.h"
#include "platform/text_box.h"
#include "runtime/codec.h"
#include "store/store_state.h"

#include <QApplication>

namespace bench {

StilleDialoge::StilleDialoge() : vorher_(platform::setDialogs(this)) {}

StilleDialoge::~StilleDialoge()
{
    platform::setDialogs(vorher_);
}

int StilleDialoge::showMessage(const QString& text, int, const QString&, const platform::HelpTopic&)
{
    letzteMeldung = text;
    if (beiMeldung)
        beiMeldung();
    return platform::vbOK;
}

std::optional<QString> StilleDialoge::askText(const QString&, const QString&, const QString&,
                                              const platform::HelpTopic&)
{
    return std::nullopt;
}

std::optional<platform::FileAnswer> StilleDialoge::askFile(const platform::FileRequest&)
{
    return std::nullopt;
}

std::optional<QColor> StilleDialoge::askColor(const QString&, const QColor&)
{
    return std::nullopt;
}

std::optional<QString> StilleDialoge::askPrinter(const QString&)
{
    return std::nullopt;
}

std::optional<platform::FontChoice> StilleDialoge::askFont(const platform::FontRequest&)
{
    return std::nullopt;
}

EditorFenster::EditorFenster(QString datum) : datum_(std::move(datum))
{
    text_ = new platform::TextBox(&window_);
    text_->setObjectName(QStringLiteral("Text"));
    window_.setCentralWidget(text_);
    window_.resize(900, 600);
    vorher_ = platform::setMainPort(this);
}

EditorFenster::~EditorFenster()
{
    platform::setMainPort(vorher_);
}

QString EditorFenster::text() const { return text_->text(); }
void EditorFenster::setText(const QString& text) { text_->setText(text); }
int EditorFenster::selStart() const { return text_->selStart(); }
void EditorFenster::setSelStart(int start) { text_->setSelStart(start); }
int EditorFenster::selLength() const { return text_->selLength(); }
void EditorFenster::setSelLength(int length) { text_->setSelLength(length); }
QString EditorFenster::selText() const { return text_->selText(); }
void EditorFenster::setSelText(const QString& text) { text_->setSelText(text); }
QFont EditorFenster::textFont() const { return text_->font(); }

bool EditorFenster::insertText(const QString& text)
{
    text_->setSelText(text);
    return true;
}

mainwindow::Main* hauptfensterStarten(const Umgebung& arbeit, const QString& ordner,
                                      const QString& datum)
{
    Umgebung::schreiben(arbeit.pfad() + QStringLiteral("/config/Brisols-Programme/Brisol.ini"),
                        rt::toAnsi(QStringLiteral("[Allgemein]\r\nLänderHinweis=0\r\nUser=Bench\r\n"
                                                  "[Korvanel]\r\nAutoTip=0\r\n")));
    Umgebung::schreiben(ordner + QStringLiteral("/Info.Txt"), "Bench-Tagebuch\r\n");
    Umgebung::schreiben(ordner + QStringLiteral("/NetWatch.ini"),
                        "[Allgemein]\r\nNoInstanceWatch=1\r\n");
    platform::installPlatformServices();
    platform::setCommandLine({QStringLiteral("/OrdnerDat=") + ordner});
    auto* hauptfenster = new mainwindow::Main;
    hauptfenster->Form_Load();
    hauptfenster->resize(1000, 700);
    hauptfenster->show();
    store::korvanelKuerzel = QStringLiteral("Txt");
    hauptfenster->KorvanelUmgebung(datum);
    QApplication::processEvents();
    return hauptfenster;
}

} // namespace bench
