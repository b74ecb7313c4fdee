#pragma once
// The four timers of the main window and what they run: the one-shot start-up that reads the
// command line and opens the diary, the auto-save, the clock with the multi-user watch, and the
// cursor-position panel.
//
//   timers_ = new mainwindow::MainTimers(this);   // auto-save and cursor panel run from here on
//   ...                                           // end of the window's load:
//   timers_->startInitAndClock();                 // start-up in 100 ms, clock every 2 s
//
// The handlers are public: the entry display calls zeitTextInfoTimer() to refresh the date and
// time panels at once, and tests drive them tick by tick. Every handler that saves, asks or
// restarts returns at once when a tick arrives while it runs (timers fire inside dialogs and
// waits).
#include <QObject>
#include <QString>

class QTimer;

namespace platform {
class MainPort;
}

namespace mainwindow {

// The panels "Datum" (" dd.mm.yyyy ") and "Zeit" (" hh:mm ") of the main window set to now: the
// clock's tick, and the entry display once a day is loaded.
void datumUndZeitAnzeigen(platform::MainPort& main);

class MainTimers : public QObject {
    Q_OBJECT

public:
    explicit MainTimers(QObject* parent = nullptr);

    // Switches on the start-up timer (once, after 100 ms) and the clock (every 2 s).
    void startInitAndClock();

    QTimer* zeitInit() const { return zeitInit_; }
    QTimer* zeitAutosave() const { return zeitAutosave_; }
    QTimer* zeitTextInfo() const { return zeitTextInfo_; }
    QTimer* zeitTxtInfo() const { return zeitTxtInfo_; }

    // The start-up: command line ("Datum=", "Korvanel=", "AppendFile="), the diary chooser or the
    // diary environment, the appended text, the tip of the day.
    void zeitInitTimer();
    // A hand-over passed on by a later copy of the program: this copy saves its entry, goes to
    // that diary and day, appends the file's text, saves and deletes the file, and stays open.
    // When it cannot (read-only, a dialog open, a diary whose password it does not know, values
    // that are not valid), the user is told and the file stays.
    void uebergabeEmpfangen(const QString& korvanel, const QString& datum, const QString& datei);
    // Saves the entry on the first tick and then every "Autosave" minutes; "Autosave" = 0 saves
    // once and switches the timer off.
    void zeitAutosaveTimer();
    // The panels "Datum" and "Zeit", then the multi-user watch.
    void zeitTextInfoTimer();
    // The panel "Position": paragraph, cursor position and length of the entry.
    void zeitTxtInfoTimer();

    // Whether the auto-save is still switched on.
    bool autosaveAktiv() const { return autosaveAktiv_; }
    // Switches the auto-save on again (after a change of its interval): the next tick saves
    // and reads the interval anew.
    void autosaveEinschalten();

private:
    void textAnfuegen(const QString& datei, bool danachBeenden = true);
    // Tells that the hand-over file is not taken, and why; the file stays.
    void uebergabeAbgelehnt(const QString& datei, const QString& grund);

    QTimer* zeitInit_;
    QTimer* zeitAutosave_;
    QTimer* zeitTextInfo_;
    QTimer* zeitTxtInfo_;
    int autosaveZaehler_ = 0;
    bool autosaveAktiv_ = true;
    bool tippEntschieden_ = false;
    bool initLaeuft_ = false;
    bool uebergabeLaeuft_ = false;
    bool autosaveLaeuft_ = false;
    bool textInfoLaeuft_ = false;
};

} // namespace mainwindow
