// Korvanel: start of the program.
#include "platform/command_line_text.h"
#include "platform/platform_services.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvanel"));
    QApplication::setOrganizationName(QStringLiteral("Brisols-Programme"));

    platform::installPlatformServices();
    // Qt has taken its own options out of the list already; the program name is no argument.
    platform::setCommandLine(QCoreApplication::arguments().mid(1));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Korvanel"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
