// Korvanel: start of the program.
//
// The title window is the start object: its timer brings up the main window, whose load runs
// the start-up services, and then unloads the title window. The main window's start-up timer then
// opens the diary (command line, chooser or "KorvanelName") and the auto-save runs every minute.
#include "foundation/debug_log_hold.h"
#include "foundation/instance_guard.h"
#include "mainwindow/main_timers.h"
#include "mainwindow/main_window.h"
#include "mainwindow/program_icon.h"
#include "mainwindow/title_window.h"
#include "platform/command_line_text.h"
#include "platform/platform_services.h"
#include "platform/program_end.h"
#include "store/password_prompt.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvanel"));
    QApplication::setOrganizationName(QStringLiteral("Brisols-Programme"));
    // The desktop entry korvanel.desktop: the task bar and Wayland find name and icon through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("korvanel"));
    mainwindow::ProgrammSymbolSetzen();

    // Also Qt's own texts in German, before the first window.
    platform::installPlatformServices();
    // Qt has taken its own options out of the list already; the program name is no argument.
    platform::setCommandLine(QCoreApplication::arguments().mid(1));
    // Nothing goes into the data folder's debug log before the main window knows it may write.
    foundation::DebugLogbuchZurueckhalten();
    // Loading an entry under another password asks for it.
    store::PaßwortEingabeEinrichten();

    // Asked from outside to end (the session, `kill`, Ctrl+C in a terminal): the main window's
    // ordered shutdown saves the entry; before the main window exists there is nothing to save.
    QPointer<mainwindow::Main> hauptfenster;
    platform::onTerminationRequest([&hauptfenster] {
        if (hauptfenster)
            hauptfenster->PulBeenden();
        else
            QCoreApplication::quit();
    });

    mainwindow::setHauptfensterZeigen([&hauptfenster](std::optional<int> fensterStatus) {
        // The window sets the hooks the timers and the commands reach it by.
        auto* main = new mainwindow::Main;
        hauptfenster = main;
        auto* timers = new mainwindow::MainTimers(main);
        // A later copy started to hand text over passes it to this one.
        foundation::setUebergabeEmpfaenger(
            [timers = QPointer<mainwindow::MainTimers>(timers)](
                const QString& korvanel, const QString& datum, const QString& datei) {
                if (timers)
                    timers->uebergabeEmpfangen(korvanel, datum, datei);
            });
        main->Form_Load();
        if (fensterStatus)
            main->setWindowStateVb(*fensterStatus);
        main->show();
        timers->startInitAndClock();
    });
    mainwindow::Titel::starten();
    return QApplication::exec();
}
