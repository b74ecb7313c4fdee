#pragma once
// Small services the windows use around their own work: sounds, the help, the end of the
// program, the state of the modifier keys, and switching all controls of a window off and on.
#include <QString>

#include <functional>

namespace platform {
class FormCore;
}

namespace foundation {

// Plays a sound given by name:
// - "#SystemHand", "#SystemQuestion", "#SystemExclamation", "#SystemAsterisk", "#RingIn" and
//   "#RingOut" (compared exactly) are system beeps;
// - any other name beginning with "#" is looked up, without the "#", in [Sounds] of win.ini
//   (in WindowsOrdner()); the value up to its first "," names a wave file;
// - any other name is the path of a wave file.
// A wave file is played in the background when it exists; otherwise nothing is played and
// nothing reported. A step that fails (leaves an error in the record) is reported through the
// central error dialog with "Fehler bei Tonausgabe"; its answer 5 goes on with the next step,
// any other ends the output. "Path not found" (76) ends it silently. The caller's error record
// is as it was afterwards.
void TonAusgeben(const QString& name);
// The same without ever reporting a failure: for the error dialog's own sound, which must not
// lead back into the error dialog. (While a failure is being reported, TonAusgeben reports
// nothing either.)
void TonAusgebenOhneMeldung(const QString& name);

// Opens or closes the help of a help file ("….chm" or "….hlp", any case) through the help
// service: context -1 closes the help, 0 shows the default topic, 1 or more the topic of that
// context number. For a ".hlp" file whose help is missing the user is told so; any other file
// ending or a context below -1 does nothing.
void HilfeZeigen(const QString& file, qint32 context);

// Unloads every loaded window in the order they were loaded, by program code (each window's own
// unload handling runs; the main window's exit command does not), lets pending events run once
// and ends the program through the program-end service. Does not return.
[[noreturn]] void ProgrammBeenden();

// Whether Alt, Shift or Ctrl is held down at the moment of the call.
bool AltGedrueckt();
bool ShiftGedrueckt();
bool StrgGedrueckt();

// Switches every control of window (widgets, menu entries, timers) off (false) or on (true),
// except those whose Tag contains "NoDisable" in any case, while the busy pointer shows. The
// caller passes its own window. Switching on starts again only the timers that switching off
// stopped: a timer that was off before stays off.
void SteuerelementeSperren(platform::FormCore& window, bool enabled);

} // namespace foundation
