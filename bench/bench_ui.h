#pragma once
// Stand-ins for the benchmarks of windows: dialogs that answer at once, and a main window that
// is no more than an editor.
#include "bench_support.h"

#include "platform/dialogs.h"
#include "platform/main_port.h"

#include <QMainWindow>
#include <QString>

#include <functional>

namespace mainwindow {
class Main;
}

namespace platform {
class TextBox;
}

namespace bench {

// Installed while it lives. Every message box answers OK (noting its text, and calling
// beiMeldung when set); every question, file, colour, printer or font chooser is cancelled.
class StilleDialoge : public platform::Dialogs {
public:
    StilleDialoge();
    ~StilleDialoge() override;
    StilleDialoge(const StilleDialoge&) = delete;
    StilleDialoge& operator=(const StilleDialoge&) = delete;

    QString letzteMeldung;
    std::function<void()> beiMeldung;

protected:
    int showMessage(const QString& text, int, const QString&, const platform::HelpTopic&) override;
    std::optional<QString> askText(const QString&, const QString&, const QString&,
                                   const platform::HelpTopic&) override;
    std::optional<platform::FileAnswer> askFile(const platform::FileRequest&) override;
    std::optional<QColor> askColor(const QString&, const QColor&) override;
    std::optional<QString> askPrinter(const QString&) override;
    std::optional<platform::FontChoice> askFont(const platform::FontRequest&) override;

private:
    platform::Dialogs* vorher_;
};

// The main window as far as a window under measure needs it, installed while it lives: an editor
// (inserted text goes in at the caret), a date caption that does not move, one status text, a
// caption.
class EditorFenster : public platform::MainPort {
public:
    explicit EditorFenster(QString datum = QStringLiteral("05.03.2024"));
    ~EditorFenster() override;
    EditorFenster(const EditorFenster&) = delete;
    EditorFenster& operator=(const EditorFenster&) = delete;

    platform::TextBox* editor() const { return text_; }

    QString dateCaption() const override { return datum_; }
    void setDateCaption(const QString&) override {}
    QString text() const override;
    void setText(const QString& text) override;
    int selStart() const override;
    void setSelStart(int start) override;
    int selLength() const override;
    void setSelLength(int length) override;
    QString selText() const override;
    void setSelText(const QString& text) override;
    QFont textFont() const override;
    bool insertText(const QString& text) override;
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
    QString datum_;
    QString status_;
    platform::MainPort* vorher_;
};

// The program's real main window on the diary in ordner, shown on day datum: settings that ask
// nothing at the start (no regional hint, a fixed user, no tip of the day, a diary title, no
// instance guard) are written into the benchmark's folders first.
mainwindow::Main* hauptfensterStarten(const Umgebung& arbeit, const QString& ordner,
                                      const QString& datum);

} // namespace bench
