#pragma once
// The main window in the notification area, and the status panels that run a command on a
// double-click.
//
// Minimised with "Min2Tray" = "1", the resize handler calls trayStart(): where the desktop has a
// notification area, the window leaves the taskbar and an icon with the window's caption stands
// for it; a click on the icon brings it back (trayStopp), maximised when it was maximised before.
// Where the desktop has none, trayStart() does nothing and returns false: the window stays a
// plain minimised window, so it can always be reached.
#include <QObject>
#include <QString>

#include <functional>

class QSystemTrayIcon;
class QWidget;

namespace mainwindow {

class TrayIcon : public QObject {
    Q_OBJECT

public:
    // window is the main window; fensterMaximiert says whether it was maximised at its last
    // resize that was not a minimise. trayVorhanden says whether the desktop has a notification
    // area (QSystemTrayIcon::isSystemTrayAvailable unless a test says otherwise).
    TrayIcon(QWidget* window, std::function<bool()> fensterMaximiert,
             std::function<bool()> trayVorhanden = {});

    // Puts the window into the notification area; false (and nothing changed) without one.
    bool trayStart();
    // Brings the window back from the notification area and to the front.
    void trayStopp();

    // Whether the desktop has a notification area, asked at each trayStart() (tests give their
    // own answer).
    void setTrayVorhanden(std::function<bool()> trayVorhanden);

    // Whether the window is represented by the icon now.
    bool imTray() const;
    QSystemTrayIcon* icon() const { return icon_; }

private:
    QWidget* window_;
    std::function<bool()> fensterMaximiert_;
    std::function<bool()> trayVorhanden_;
    QSystemTrayIcon* icon_ = nullptr;
};

// A double-click on a status panel (the key as the panel has it): "Aktuell" opens the day
// information, "txtEinf" switches insert/overwrite typing (as the Insert key in the editor does),
// "Unsaved" saves the entry; other panels do nothing.
void StatusBar_Feldklick(const QString& key);

} // namespace mainwindow
