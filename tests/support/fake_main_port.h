#pragma once
// A main window for the tests of the other windows: the real editor, date label and status
// panels behind MainPort, with a diary of day texts in memory instead of day files.
//
//   FakeMainPort main;                                      // installed as platform::mainPort()
//   main.days[u"05.03.2024"_qs] = u"Zeile 1\r\nZeile 2"_qs;
//   main.setDateCaption(u"5.3.24"_qs);                      // shows 05.03.2024 and its text
//   main.setSelStart(9);
//   main.setSelText(u"Satz"_qs);                            // the entry is unsaved now
//   main.setDateCaption(u"06.03.2024"_qs);                  // ... and saved into days
//   EXPECT_EQ(main.days[u"05.03.2024"_qs], u"Zeile 1\r\nSatz 2"_qs);
//
// A change of day saves the shown text under the old day when it is unsaved, writes a caption
// that is a date back as "dd.mm.yyyy" (a nested change, as the main window does), and shows the
// new day's text (empty when the day has none) with the caret at 0. Every change of the text
// that is not the loading of a day makes the entry unsaved.
//
// insertText() and runMenuEntry() are recorded, then act as the main window's do: the text goes
// in at the caret (not when empty or while textBox() is locked: lock it to play read-only mode),
// and a menu entry runs through the window's ActionRegistry, which a test adds when it needs
// entries:
//
//   auto* actions = new platform::ActionRegistry(&main.window());
//   QMenu* menu = actions->addMenu(main.window().menuBar(), u"PulWechseln"_qs, u"&Wechseln"_qs);
//   actions->addAction(menu, u"mnuGeheZu"_qs, u"&Gehe zu..."_qs);
//   ... the window under test ...
//   EXPECT_EQ(main.insertions, QStringList{u"Hafen"_qs});
//   EXPECT_EQ(main.menuRuns, QStringList{u"mnuGeheZu"_qs});
#include "platform/date_label.h"
#include "platform/main_port.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class FakeMainPort : public platform::MainPort {
public:
    FakeMainPort();
    ~FakeMainPort() override;
    FakeMainPort(const FakeMainPort&) = delete;
    FakeMainPort& operator=(const FakeMainPort&) = delete;

    // The diary: day "dd.mm.yyyy" -> entry text (CR LF).
    std::map<QString, QString> days;
    // The days shown, in order, one for each completed change of day.
    QStringList shownDays;
    // Runs after a day is shown (caption normalised, text loaded).
    std::function<void(const QString& day)> onDayShown;
    // Every text handed to insertText() and every name handed to runMenuEntry(), in order,
    // also those that were refused.
    QStringList insertions;
    QStringList menuRuns;

    bool unsaved() const { return unsaved_; }
    // Every pointer shape set on the window, in order.
    const std::vector<int>& pointerHistory() const { return pointerHistory_; }

    platform::TextBox& textBox() { return *text_; }
    platform::DateLabel& dateLabel() { return *bezDatum_; }
    platform::StatusPanels& panels() { return *panels_; }
    QMainWindow& window() { return window_; }

    QString dateCaption() const override;
    void setDateCaption(const QString& caption) override;
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
    bool runMenuEntry(const QString& name) override;
    QString panelText(const QString& key) const override;
    void setPanelText(const QString& key, const QString& text) override;
    void refreshStatusBar() override;
    int mousePointer() const override;
    void setMousePointer(int shape) override;
    QString caption() const override;
    void setCaption(const QString& caption) override;
    QIcon icon() const override;
    platform::TwipsGeometry geometryTwips() const override;
    QWidget* widget() const override;
    QPalette textPalette() const override;

private:
    void changeDay();

    mutable QMainWindow window_; // mutable: widget() hands it out as the owner of dialogs
    platform::TextBox* text_;
    platform::DateLabel* bezDatum_;
    platform::StatusPanels* panels_;
    QString shownDay_;
    bool loading_ = false;
    bool unsaved_ = false;
    std::vector<int> pointerHistory_;
    platform::MainPort* previous_;
};
