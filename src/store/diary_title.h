#pragma once
// The diary's title (the first line of "Info.<short name>" in the data folder, whose existence
// means that the diary exists), the standard form of short names, the main window's caption and
// the recent-diaries menu (mnuZuletzt(0..3), stored in Brisol.ini as "MnuZuletzt0".."3").
#include <QString>

#include <optional>

namespace store {

// Modes of KorvanelTitelLesen.
inline constexpr int titelNurLesen = -1;  // read the title only
inline constexpr int titelKuerzel = 0;    // also bring korvanelKuerzel into standard form
inline constexpr int titelUeberschrift = 1; // that, and set the main window's caption

// The title of the diary name ("" when its title file is missing or unreadable); name is
// rewritten in standard form ("TXT" becomes "Txt"). With a mode of 0 or 1 and no diary open,
// nothing is read or changed. Mode 1 sets the caption to the title, or "Korvanel, <name>" when
// there is none, followed by " - nur Leserechte" in read-only mode.
QString KorvanelTitelLesen(QString& name, int modus = titelKuerzel);

// The standard form of a short name: first character upper case, the rest lower case.
QString kuerzelStandardform(const QString& name);

// Whether name may be a diary's short name: exactly three characters, none of them a blank,
// "*", "?", "+", "$", "\", "|", "<", ">", ":", ",", ";", a double quote, "/" or a control
// character (a Tab among them), and not one of the reserved file types "exe", "com", "bat",
// "hlp", "bak", "tmp" (in any case). Every place that takes a short name from the user, the
// command line or the settings checks it here: the name becomes a file extension in the year
// folders, so "/" would lead into other folders.
bool kuerzelGueltig(const QString& name);

// A diary as the command line and a hand-over name it: "Abc", or "Abc:password" with the password
// it is opened with (the colon looked for from the second character on).
struct KorvanelAngabe {
    QString kuerzel;
    std::optional<QString> kennwort;
};
KorvanelAngabe KorvanelAngabeZerlegen(const QString& wert);

// Puts the open diary ("&1 <title> - <short name>") at the head of the recent-diaries menu,
// followed by up to three others in their stored order without it, numbers the items "&1".."&4",
// shows only the items with a caption longer than five characters and stores the captions.
void ZuletztMenüAufbauen();

} // namespace store
