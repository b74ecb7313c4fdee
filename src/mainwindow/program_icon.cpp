#include "program_icon.h"

#include <QApplication>

namespace mainwindow {

QIcon programmSymbol()
{
    QIcon symbol;
    for (int groesse : {16, 22, 24, 32, 48, 64, 128, 256})
        symbol.addFile(QStringLiteral(":/korvanel/icons/korvanel-%1.png").arg(groesse),
                       QSize(groesse, groesse));
    return symbol;
}

void ProgrammSymbolSetzen()
{
    QApplication::setWindowIcon(programmSymbol());
}

} // namespace mainwindow
