#pragma once
// What the diary store needs of the main window, and nothing more: the editor text, the mood
// slider, the status panels, the caption and the recent-diaries menu. The main window implements
// StoreHost and installs itself with setStoreHost; tests install a fake. Until a host is set,
// the store talks to a silent host: no editor text, mood 0, panels and menu that keep nothing.
//
// The busy pointer is the program's one mouse pointer (platform::BusyPointer), not the host's.
#include <QString>

#include <functional>

namespace store {

class StoreHost {
public:
    virtual ~StoreHost() = default;

    // The editor text with CR LF line ends.
    virtual QString editorText() const = 0;

    // The mood slider LaufStimmung (-10 .. 10; 0 = no mood value).
    virtual int stimmung() const = 0;
    virtual void setStimmung(int wert) = 0;

    // Status-bar panels by key ("Status", "Unsaved", "StatMark", ...).
    virtual QString panelText(const QString& key) const = 0;
    virtual void setPanelText(const QString& key, const QString& text) = 0;
    virtual void setPanelToolTip(const QString& key, const QString& toolTip) = 0;
    // Paints the status bar at once (the store does not pump events during its scans).
    virtual void repaintStatusBar() = 0;

    // The main window's caption.
    virtual void setCaption(const QString& caption) = 0;

    // The recent-diaries menu items mnuZuletzt(0) .. mnuZuletzt(3).
    virtual QString zuletztCaption(int index) const = 0;
    virtual void setZuletztCaption(int index, const QString& caption) = 0;
    virtual void setZuletztVisible(int index, bool visible) = 0;
};

// The installed host, or the silent one.
StoreHost& storeHost();
// Installs host (nullptr: the silent one again); returns the one it replaces (nullptr when the
// silent one was installed).
StoreHost* setStoreHost(StoreHost* host);

// The password prompt shown while an entry is loaded whose stored password header differs from
// kennwortLesen. It gets the day-file name and the 15-character header of that very file (the
// password padded with blanks) and compares the typed password with the header without its
// trailing blanks. It returns after setting kennwortLesen and kennwortSchreiben to the accepted
// password, or ends the program. The prompt window installs itself here at start-up.
using KennwortAbfrage =
    std::function<void(const QString& dateiName, const QString& gespeicherterKopf)>;
void setKennwortAbfrage(KennwortAbfrage abfrage);
// The installed prompt; empty when none is installed (an entry with another password then stays
// closed).
const KennwortAbfrage& kennwortAbfrage();

} // namespace store
