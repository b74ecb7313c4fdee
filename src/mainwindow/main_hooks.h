#pragma once
// What only the main window can do, handed to the start-up, the timers, the tray and the
// shutdown as plain functions. The main window sets them when it is made; an unset hook does
// nothing (a test sets the ones it watches).
//
//   mainwindow::mainHooks().korvanelUmgebung = [this](const QString& tag) { KorvanelUmgebung(tag); };
//
// For the commands of the menu (the day information, saving the entry, the diary chooser, the tip
// of the day) an unset hook falls back to the action registered under the command's name in the
// main window's ActionRegistry, so that a window of a later step is reached once its action does
// something.
#include <QString>

#include <functional>

namespace mainwindow {

struct MainHooks {
    // Sets up the diary environment of store::korvanelKuerzel and shows the day given as
    // "dd.mm.yyyy" (the main window's KorvanelUmgebung).
    std::function<void(const QString& tag)> korvanelUmgebung;
    // Puts the password given on the command line into the password memo (store's
    // KennwortMerken): the short name as given and the password.
    std::function<void(const QString& kuerzel, const QString& kennwort)> kennwortMerken;
    // True while the main window loads a day: the auto-save waits for the next tick then.
    std::function<bool()> tagWirdGeladen;
    // Switches insert/overwrite typing of the editor (Insert key in the editor).
    std::function<void()> einfuegenUmschalten;
    // Saves the main window's position and settings (MainVorgabenSichern).
    std::function<void()> vorgabenSichern;
    // Unloads every window of the program before it ends.
    std::function<void()> fensterEntladen;

    // Commands of the menu; unset: the registered action of that name runs.
    std::function<void()> korvanelAuswahl; // "PulLaden": the diary chooser
    std::function<void()> tippDesTages;    // "mnuTips"
    std::function<void()> tagInfo;         // "mnuDayInf"
    std::function<void()> eintragSichern;  // "mnuEintragSichern"
};

MainHooks& mainHooks();
// Tests: every hook unset again.
void resetMainHooks();

// Runs hook when it is set, else triggers the action actionName of the main window's
// ActionRegistry (nothing when there is no main window or no such action).
void befehlAusfuehren(const std::function<void()>& hook, const QString& actionName);

} // namespace mainwindow
