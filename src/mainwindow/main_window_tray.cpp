// The main window's notification-area icon and its status panels' double-clicks.
#include "main_state.h"
#include "main_window.h"
#include "tray_icon.h"

#include "platform/status_panels.h"

#include <QEvent>

namespace mainwindow {

namespace {

// A change of the window's state need not change its size (minimising never does, and a window
// may be as large normal as maximised), so no resize reaches the layout: the window's resize
// handler is run for it here. It remembers whether the window is maximised and hands a minimised
// window to the notification area when "Min2Tray" asks for it. It runs once the change is
// complete (showMinimized() shows the window again after announcing the new state).
class ZustandBeobachter : public QObject {
public:
    explicit ZustandBeobachter(Main* main) : QObject(main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == main_ && event->type() == QEvent::WindowStateChange)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (main_->isVisible())
                        main_->Form_Resize();
                },
                Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    Main* main_;
};

} // namespace

void Main::trayUndPanelsVerbinden()
{
    tray = new TrayIcon(this, [] { return fensterMaximiert != 0; });
    installEventFilter(new ZustandBeobachter(this));
    connect(panels, &platform::StatusPanels::doubleClicked, this,
            [](const QString& key) { StatusBar_Feldklick(key); });
}

} // namespace mainwindow
