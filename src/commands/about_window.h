#pragma once
// The window "Info": which program and version the user runs, who makes it and how to reach
// them, and the lines support asks for (user, version, program date, folders, settings file,
// memo files). It also opens the debug log, the terms of use and the usage statistics, and
// knows one hidden command: "@" gives the main window a new size.
//
//   auto* info = new commands::Info(main);  // caption, maker's lines, SysInfo filled
//   info->SysInfo->addItem(...);            // the opener adds the open diary's line
//   info->showModal();                      // Esc, Enter, blank, "OK" or the close box end it
//   info->unload();
//
// SysInfo holds "label<Tab>value" lines and shows them in two columns. A label beginning with
// "$:" marks a file that a double-click opens; any other line is shown in a message box.
#include "platform/form.h"

#include <QString>

class QLabel;
class QListWidget;
class QPaintEvent;
class QPushButton;

namespace commands {

class Info : public platform::Form {
public:
    explicit Info(QWidget* parent = nullptr);

    QLabel* CopyrightName = nullptr;
    QLabel* CopyrightEmail = nullptr;
    QLabel* CopyrightWww = nullptr;
    QLabel* CopyrightHinweis = nullptr;
    QListWidget* SysInfo = nullptr;
    QPushButton* befDebug = nullptr;
    QPushButton* befLizenz = nullptr;
    QPushButton* befAbbrechen = nullptr;

    // A key typed anywhere in the window, as its character code: 27, 13 and 32 close it, "@"
    // asks for the main window's new size.
    void Form_KeyPress(int zeichen);
    void befAbbrechen_Click();
    void befDebug_Click();
    void befLizenz_Click();
    void CopyrightEmail_Click();
    void CopyrightWww_Click();
    void CopyrightHinweis_DblClick();
    void SysInfo_DblClick();
    // "@": asks for "<width>x<height>" in pixels of a 640 x 480 screen and gives the main window
    // that size, centred on the screen. Nothing happens unless both are above 100.
    void HauptfensterGroesse();

    // The banner's band at the top, in pixels.
    int bannerHoehe() const;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void systemZeilenFuellen();
};

} // namespace commands
