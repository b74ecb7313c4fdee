// Korvanel: start of the program.
//
// For now the main window is loaded and shown at once and opens the diary named by
// "KorvanelName" at today's date; the title window and the start-up timer take this over later.
#include "foundation/ini_store.h"
#include "mainwindow/main_window.h"
#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/platform_services.h"
#include "runtime/format.h"
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

    auto* main = new mainwindow::Main;
    main->Form_Load();
    main->show();
    store::korvanelKuerzel =
        foundation::IniLesen({}, {}, QStringLiteral("KorvanelName"), QStringLiteral("Txt"));
    main->KorvanelUmgebung(rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy")));
    return QApplication::exec();
}
