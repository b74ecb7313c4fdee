// Korvanel: start of the program.
//
// The title window is the start object: its timer brings up the main window, whose load runs
// the start-up services, and then unloads the title window. The main window then opens the diary
// named by "KorvanelName" at today's date.
#include "foundation/ini_store.h"
#include "mainwindow/main_window.h"
#include "mainwindow/title_window.h"
#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/platform_services.h"
#include "runtime/format.h"
#include "store/password_prompt.h"
#include "store/store_state.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvanel"));
    QApplication::setOrganizationName(QStringLiteral("Brisols-Programme"));

    platform::installPlatformServices();
    // Qt has taken its own options out of the list already; the program name is no argument.
    platform::setCommandLine(QCoreApplication::arguments().mid(1));
    // Loading an entry under another password asks for it.
    store::PaßwortEingabeEinrichten();

    mainwindow::setHauptfensterZeigen([](std::optional<int> fensterStatus) {
        auto* main = new mainwindow::Main;
        main->Form_Load();
        if (fensterStatus)
            main->setWindowStateVb(*fensterStatus);
        main->show();
        store::korvanelKuerzel =
            foundation::IniLesen({}, {}, QStringLiteral("KorvanelName"), QStringLiteral("Txt"));
        main->KorvanelUmgebung(rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy")));
    });
    mainwindow::Titel::starten();
    return QApplication::exec();
}
