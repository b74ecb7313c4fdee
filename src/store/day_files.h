#pragma once
// Day files: one file per calendar day and diary, "<data folder>/<yyyy>/<yyyymmdd>.<short name>",
// holding the entry text exactly (plain), or the marker "..Korvanel verschlüsselt " and the cipher
// text of the 15-character password header and the entry text (enciphered, see cipher.h). An
// empty entry has no file. Every window reads and writes entries through these functions.
//
// Nothing here loses an entry: a file that exists but cannot be read is reported as such, never
// as an empty entry, and is neither overwritten nor deleted until it has been read again.
#include "runtime/dates.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace store {

// The day number "yyyymmdd" of a date.
QString DatumZuTagesnummer(rt::VbDate datum);
// The same for a date text ("05.03.2024" and the other German forms); "" when it is no date.
QString DatumZuTagesnummer(const QString& datumText);

// The length of the password header of an enciphered day file.
inline constexpr int kennwortKopfLaenge = 15;
// The header of a password as day files store it: padded with blanks and cut to 15 characters.
QString KennwortKopf(const QString& kennwort);

// The full path of a day file: ordnerDat + "/" + the first four characters of the name (the year
// folder) + "/" + the name. No check that anything exists.
QString TagesdateiPfad(const QString& dateiName);

// The bytes of the day file at pfad (spelt as on disk), read with one open, one fstat and one
// read; nothing when it is missing, no plain file, beyond the size limit of a day file or cannot
// be read. A link is followed: what it leads to is for the caller to judge (EintragLaden does).
std::optional<QByteArray> TagesdateiBytes(const QString& pfad);

// The outcome of loading an entry.
struct Eintrag {
    enum class Zustand {
        Geladen,        // text holds the entry
        KeineDatei,     // no year folder or no file: the day has no entry (text empty)
        Lesefehler,     // the file exists but cannot be read (fehlerNummer says why)
        KennwortFalsch, // enciphered under another password, and the prompt did not accept one
    };
    Zustand zustand = Zustand::KeineDatei;
    QString text;
    int fehlerNummer = 0; // for Lesefehler: 70 refused, 75 a folder or other failure, 57 ...
    QString pfad;         // the day file's path

    // Whether text is the day's entry (an empty one when there is no file).
    bool ok() const { return zustand == Zustand::Geladen || zustand == Zustand::KeineDatei; }
};

// Loads the entry of a day file. An enciphered file is deciphered; when its header differs from
// kennwortLesen (both cut to 15 characters, compared exactly), the password prompt
// (kennwortAbfrage) is shown with that header, and the text is given only when kennwortLesen
// matches afterwards. A header of 15 blanks belongs to a plain entry that begins with the marker
// and is given without a question. A file that cannot be read or opened is not given, and the
// file is locked against writes until a later load reads it.
Eintrag EintragLaden(const QString& dateiName);

// The German message for an entry that could not be loaded ("" when it loaded).
QString EintragLadefehlerText(const Eintrag& eintrag);

// Writes the day file, or deletes it when text is empty, and marks the day index stale. With
// kennwortSchreiben set, the file is enciphered with its header; so is a plain text whose file
// form would begin with the marker (with a header of 15 blanks), so that it loads back exactly.
// Returns the file content as written (the enciphered form read as Windows-1252; "" after a
// delete), or nothing when nothing was written: read-only mode (nurLesen), a file locked by a
// failed load or not readable (the user is told), or a failure reported through the error dialog
// ("#DS").
std::optional<QString> EintragDateiSchreiben(const QString& dateiName, const QString& text);

// Saves the editor text (without trailing blanks; tabs and line breaks stay) and the mood value
// under aktTagesdatei, when a diary is open, the program is not read-only and ungesichert is set;
// then clears ungesichert and shows it. False when the entry could not be written: ungesichert
// then stays set, so that the unsaved text is not taken for saved.
bool EintragSpeichern();

// Shows ungesichert in the status panel "Unsaved" (" * " and "Eingaben sind  noch nicht gesichert"
// while unsaved, else three blanks and "Eingaben sind gesichert"), only when its text changes.
void UngesichertAnzeigen();

// Tests: forgets which files are locked by a failed load.
void resetTagesdateien();

} // namespace store
