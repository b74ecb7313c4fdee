#include "tray_icon.h"

#include "main_hooks.h"

#include "foundation/debug_log.h"
#include "runtime/strings.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace mainwindow {

TrayIcon::TrayIcon(QWidget* window, std::function<bool()> fensterMaximiert,
                   std::function<bool()> trayVorhanden)
    : QObject(window), window_(window), fensterMaximiert_(std::move(fensterMaximiert)),
      trayVorhanden_(std::move(trayVorhanden))
{
    if (!trayVorhanden_)
        trayVorhanden_ = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
}

void TrayIcon::setTrayVorhanden(std::function<bool()> trayVorhanden)
{
    if (trayVorhanden)
        trayVorhanden_ = std::move(trayVorhanden);
}

bool TrayIcon::trayStart()
{
    foundation::DebugLogbuch(u"Tray.Start"_s);
    if (!trayVorhanden_()) {
        foundation::DebugLogbuch(u"Tray.Start: kein Infobereich, Fenster bleibt minimiert"_s);
        return false;
    }
    if (icon_ == nullptr) {
        icon_ = new QSystemTrayIcon(this);
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason) { trayStopp(); });
    }
    // An icon without a picture stays invisible in the notification area, and the window, gone
    // from the taskbar, could no longer be reached: a window without an icon is
    // represented by the desktop style's (windowIcon() falls back to the program's already).
    QIcon bild = window_->windowIcon();
    if (bild.isNull())
        bild = window_->style()->standardIcon(QStyle::SP_DesktopIcon);
    icon_->setIcon(bild);
    foundation::DebugLogbuch(u"Tray.Start 1/5 Icon"_s);
    foundation::DebugLogbuch(u"Tray.Start 2/5 Style"_s);
    icon_->setToolTip(window_->windowTitle());
    foundation::DebugLogbuch(u"Tray.Start 3/5 Tooltip"_s);
    icon_->show();
    foundation::DebugLogbuch(u"Tray.Start 4/5 Show"_s);
    window_->hide();
    foundation::DebugLogbuch(u"Tray.Start 5/5 Untaskbar"_s);
    return true;
}

void TrayIcon::trayStopp()
{
    foundation::DebugLogbuch(u"Tray.Stopp"_s);
    // Read before the window is shown: showing it normal first runs its resize handler, which
    // takes the normal state for the last one.
    const bool maximiert = fensterMaximiert_ && fensterMaximiert_();
    window_->showNormal();
    QApplication::processEvents();
    if (maximiert)
        window_->showMaximized();
    else
        window_->showNormal();
    if (icon_ != nullptr)
        icon_->hide();
    QApplication::processEvents();
    QApplication::processEvents();
    window_->raise();
    window_->activateWindow();
}

bool TrayIcon::imTray() const
{
    return icon_ != nullptr && icon_->isVisible() && !window_->isVisible();
}

void StatusBar_Feldklick(const QString& key)
{
    const QString k = rt::LCase(key);
    if (k == u"aktuell"_s)
        befehlAusfuehren(mainHooks().tagInfo, u"mnuDayInf"_s);
    if (k == u"txteinf"_s && mainHooks().einfuegenUmschalten)
        mainHooks().einfuegenUmschalten();
    if (k == u"unsaved"_s)
        befehlAusfuehren(mainHooks().eintragSichern, u"mnuEintragSichern"_s);
}

} // namespace mainwindow
