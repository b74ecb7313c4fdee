#pragma once
// The commands that change many entries in one run by moving the main window from day to day
// (MainPort::setDateCaption saves the day left and shows the next): the conversion of every
// entry from the DOS character set, and the two imports of "Importieren (Nur Ich)" that append
// texts to past days, names of files found by a pattern and events of a calendar file. While one
// runs, the main window takes no input and its panel "Status" shows how far it got. Each entry
// changes through the main window's one insertion, so a day whose entry could not be read (the
// editor locked) is left as it is.
//
//   connect(actions->action(u"mnuKonvertASCII2Ansi"_qs), &QAction::triggered,
//           [this] { commands::mnuKonvertASCII2Ansi_Click(*this); });
#include <QString>
#include <QStringList>

#include <vector>

namespace platform {
class MainPort;
}

namespace commands {

// mnuKonvertASCII2Ansi: asks, then walks the days of the day index (the snapshot taken at the
// start) in ascending order; an entry whose text holds DOS umlauts or ß is converted and saved
// at once, every other entry is left untouched (its file is not written). Ends on the last day
// with "Es wurden <n> Einträge angepasst.".
void mnuKonvertASCII2Ansi_Click(platform::MainPort& main);

// The names of the files that the expanded pattern finds ("<folder>/<mask>"), as the file-name
// import appends them: file name without extension, without the digits, underlines, dashes and
// blanks it begins with, trimmed; empty names, names holding "°" and repeats (without regard to
// case) left out. In the order of the folder listing.
QStringList DateinamenTexte(const QString& maske);

// mnuImportDateiname: asks "Anzahl Tage zurück" (Cancel, 0 or no number: nothing happens; more
// than 36500 counts as 365) and walks from that many days before the shown day up to the shown
// day. For each day the pattern [Korvanel] "ImportDateinamePattern01" is expanded for the day;
// the names found are appended to the entry behind a line break and the tag
// "ImportDateinameTextPre01" (default "[Von Foto-Text]") unless the entry already holds them.
// An empty pattern imports nothing, with a message. In read-only mode only a message.
void mnuImportDateiname_Click(platform::MainPort& main);

// An event of a calendar file: start and end as "yyyymmdd" ("" when missing), its title.
struct KalenderEreignis {
    QString beginn;
    QString ende;
    QString titel;
    friend bool operator==(const KalenderEreignis&, const KalenderEreignis&) = default;
};
// The events of a calendar text in file order: lines "BEGIN:VEVENT" to "END:VEVENT", with
// "DTSTART:" (the date of characters 9-16), "DTEND:" (7-14) and "SUMMARY:" (from character 9,
// trimmed); keywords in any case at the start of a line, line ends CR LF, LF or CR.
std::vector<KalenderEreignis> KalenderEreignisse(const QString& text);

// mnuImportGoogleKalender: asks "Anzahl Tage zurück" (Cancel or empty: nothing happens; below 1,
// no number or above 36500 counts as 365) and for the calendar file (read as UTF-8). Each event
// with a title that starts between that many days before today and today is appended to the
// entry of its start day behind a line break and the tag "ImportDateinameTextPre02" (default
// "[Von Kalender-Text]"), with " (bis <end>)" for an event of several days, unless the entry
// already holds the title. In read-only mode only a message.
void mnuImportGoogleKalender_Click(platform::MainPort& main);

} // namespace commands
