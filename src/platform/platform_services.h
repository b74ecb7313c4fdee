#pragma once
// Connects the platform services to each other and to the runtime at start-up.
namespace platform {

// main() calls this once, before the first window: the runtime's hooks (installRuntimeHooks),
// the Help button of the message and input boxes, which opens the help service at the box's
// topic, and Qt's own texts in German (installGermanQtTexts). A higher layer may set a help
// handler of its own afterwards (setDialogHelpHandler). Calling it again changes nothing more.
void installPlatformServices();

// Qt's own texts in German, whatever the system's locale: the names of keys in menus ("Strg+O"),
// the context menu of every text field ("Rückgängig", "Einfügen"), the file, colour, font and
// print dialogs; and German as the default locale of Qt's widgets (day names of the calendar,
// dates and sizes in the file dialog). The program is German throughout; its own number and
// date formats never depend on a locale. Needs an application object. Returns whether Qt's
// German translation was found (Debian: qt6-translations-l10n); without it Qt stays English.
bool installGermanQtTexts();

} // namespace platform
