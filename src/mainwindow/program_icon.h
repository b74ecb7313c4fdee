#pragma once
// The program's icon: an open diary with an orange bookmark ribbon (data/icons/korvanel.svg,
// drawn in fixed sizes from 16 to 256 pixels and compiled into the program).
//
//   mainwindow::ProgrammSymbolSetzen();   // main(), before the first window
//
// Set on the application, it is the icon of every window that has none of its own (the title
// window, the main window, the dialogs), of the task bar's buttons, and of the notification
// area while the main window is there. The desktop's application menu finds the same picture
// under the name "korvanel" in the icon theme, where the installation puts it.
#include <QIcon>

namespace mainwindow {

// The icon with all its sizes.
QIcon programmSymbol();
// The application's icon := programmSymbol().
void ProgrammSymbolSetzen();

} // namespace mainwindow
