// Korvanel: start of the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvanel"));
    QApplication::setOrganizationName(QStringLiteral("Brisols-Programme"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Korvanel"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
