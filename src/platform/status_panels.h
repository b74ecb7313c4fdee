#pragma once
// The panels of a status bar, addressed by key (VB's StatusBar.Panels("Status")): each has a
// text, a tool tip, a visibility and a width, and a double-click on it is reported with its key.
//
//   auto* panels = new platform::StatusPanels(statusBar());
//   panels->addPanel(u"Aktuell"_qs, u"Aktueller Tag"_qs, QString(), platform::PanelSize::Spring);
//   panels->addPanel(u"Status"_qs, u" Lade Tag... "_qs, u"Allgemeiner Hinweis"_qs);
//   connect(panels, &platform::StatusPanels::doubleClicked, this, &Main::StatusBar_Feldklick);
//   panels->setText(u"Status"_qs, u"Bereit"_qs);
//   panels->refresh();                         // drawn now, before a long job goes on
//
// Keys are compared without regard to case. A key that names no panel reads as "" and setting
// anything on it changes nothing (the calls say so by returning false). A panel is never
// narrower than its design text (the text given to addPanel) in the bar's font, whatever it
// shows later; a longer text widens it.
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class QLabel;
class QStatusBar;

namespace platform {

// How a panel's width follows its text (VB's AutoSize).
enum class PanelSize {
    Contents, // as wide as its text, at least its minimum width
    Spring,   // takes the room the other panels leave
    Fixed,    // the width set, whatever the text
};

class StatusPanels : public QObject {
    Q_OBJECT

public:
    // The panels live in bar, which owns this object.
    explicit StatusPanels(QStatusBar* bar);

    QStatusBar* bar() const { return bar_; }

    // Adds a panel at the right end. A key that exists already is not added again.
    bool addPanel(const QString& key, const QString& text = QString(),
                  const QString& toolTip = QString(), PanelSize size = PanelSize::Contents,
                  int widthPixels = 0);
    bool contains(const QString& key) const;
    // The keys in the order of the panels.
    QStringList keys() const;

    QString text(const QString& key) const;
    bool setText(const QString& key, const QString& text);
    QString toolTip(const QString& key) const;
    bool setToolTip(const QString& key, const QString& toolTip);
    // The panel's own visibility (also while the bar itself is hidden).
    bool isVisible(const QString& key) const;
    bool setVisible(const QString& key, bool visible);
    // Width in pixels: the minimum width (Contents, Spring) or the width (Fixed).
    int width(const QString& key) const;
    bool setWidth(const QString& key, int widthPixels);

    // The label showing the panel, for layout and tests; nullptr for an unknown key.
    QLabel* label(const QString& key) const;

    // Draws what changed in the status bar at once, without waiting for the event loop (VB's
    // Refresh), each panel as wide as its text needs.
    void refresh();

signals:
    // A double-click on the panel of that key (the key as it was added).
    void doubleClicked(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QString key;
        QLabel* label;
        PanelSize size;
    };
    const Panel* find(const QString& key) const;

    QStatusBar* bar_;
    std::vector<Panel> panels_;
};

} // namespace platform
