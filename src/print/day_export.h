#pragma once
// How a range of diary days leaves the program as text: the selection of the days (range, date
// filter, keyword, markers, days without entry), the one walk over them that the printer, file
// and clipboard outputs share, and the three text layouts.
//
// The Korvanel-format file without any dialog, as the export of marked entries writes it:
//
//   print::Tagesauswahl auswahl;
//   auswahl.von = u"01.02.2024"_s;
//   auswahl.bis = u"29.02.2024"_s;
//   auswahl.nurMarkierte = true;
//   const print::DateiAusgabe aus = print::KorvanelFormatAusgeben(datei, auswahl);
//   if (!aus.geschrieben) ... aus.meldung says why (German); the old file is as it was
//
// The layouts (all with CR LF line ends):
//   Korvanel format: "Korvanel vom 01.02.2024 bis zum 03.02.2024." CR LF CR LF, then per day
//       prefix + "01.02.2024, Do" + suffix + the entry as stored + CR LF CR LF. Prefix and suffix
//       are "ExpPre" ("@_") and "ExpSuf" (":_") of Brisol.ini with every "_" as a blank.
//   comma-separated: per day "01.02.2024," + '"' + the entry with '"' made "'" + '"' + CR LF.
//   clipboard: the same title, then per day "01.02.2024, Do" + the suffix ("ExpSuf" as message
//       text, then "_" as blank) + the entry without CR and LF at its ends + the record end
//       ("ExpSufZA", default "~~", as message text: CR LF CR LF).
// Dates are always "dd.mm.yyyy" and weekdays the program's German two-letter names.
#include "runtime/dates.h"

#include <QString>

#include <functional>

namespace print {

// The days that leave the diary.
struct Tagesauswahl {
    QString von; // the first day, "dd.mm.yyyy"
    QString bis; // the last day; a start after it walks the start day alone
    // A day passes only when this text (blanks at both ends removed) occurs, with exact case, in
    // "<weekday>, dd.mm.yyyy" with the German weekday name ("Montag, 05.02.2024"): "Mo", "24.12."
    QString datumFilter;
    // A day passes only when its entry holds this text, without regard to case.
    QString stichwort;
    bool nurMarkierte = false;  // only days that carry a marker
    bool auchLeereTage = false; // days without entry too (never with a keyword)
};

// One day that passed the selection.
struct Ausgabetag {
    QString datum;     // "dd.mm.yyyy"
    QString wochentag; // "Do"
    QString text;      // the entry as the store gives it, CR LF line ends; "" without entry
    rt::VbDate tag;
};

// Whether a day with that entry text passes the selection (the marker read only when asked for).
bool TagAusgeben(const Tagesauswahl& auswahl, rt::VbDate tag, const QString& text);

// How a walk ended.
struct Tagesgang {
    enum class Ende {
        Fertig,      // every day of the range was walked
        Angehalten,  // weiter() said stop: the days so far were handed out
        Lesefehler,  // a day's entry could not be loaded: the walk stopped before it
    };
    Ende ende = Ende::Fertig;
    int tageGegangen = 0;   // days walked, handed out or not
    int tageAusgegeben = 0;
    QString fehlerText;     // for Lesefehler: the store's German message for that day
    int fehlerNummer = 0;   // and its error number (rt::Err numbering)
};

// Walks the days of the range in ascending order: each day's entry is loaded (deciphered), and
// every day that passes the selection goes to ausgeben. Before each day weiter() is asked (an
// empty function: always on); it is where the caller lets events run and sees a cancel. Every
// day, fortschritt gets the percentage walked when the random number drawn is above
// fortschrittAb (0.8 for the text outputs, 0.7 for the print); a single day counts as 100.
// A day whose entry exists but cannot be read is never taken for an empty day: the walk stops.
Tagesgang TageDurchgehen(const Tagesauswahl& auswahl,
                         const std::function<void(const Ausgabetag&)>& ausgeben,
                         const std::function<bool()>& weiter = {},
                         const std::function<void(int)>& fortschritt = {},
                         double fortschrittAb = 0.8);

// The settings of the layouts, read anew; an empty value is replaced by its default, which is
// written back.
QString ExportPraefix();          // "ExpPre", "_" made blanks: "@ "
QString ExportSuffix();           // "ExpSuf", "_" made blanks: ": "
QString ZwischenablageSuffix();   // "ExpSuf" as message text, then "_" made blanks
QString ZwischenablageSatzEnde(); // "ExpSufZA" as message text: CR LF CR LF

// The layouts.
QString ExportTitel(const QString& von, const QString& bis);
QString KorvanelSatz(const Ausgabetag& tag, const QString& praefix, const QString& suffix);
QString KommaSatz(const Ausgabetag& tag);
QString ZwischenablageSatz(const Ausgabetag& tag, const QString& suffix, const QString& satzEnde);

// The outcome of a file output.
struct DateiAusgabe {
    bool geschrieben = false;
    bool vollstaendig = false; // every day of the range was walked
    int tage = 0;              // days written
    int fehlerNummer = 0;      // when nothing was written: the file error (rt::Err numbering)
    QString meldung;           // when nothing was written: why, in German
};

// The Korvanel-format file of the selection, written whole (atomically, the old file stays as it
// was on any failure) without a dialog. Stores the file in "FileNameExp" and the time in
// "DateiDruckZuletzt". In read-only mode a file inside the data folder is refused. weiter and
// fortschritt as for TageDurchgehen; a stop writes the days walked so far.
DateiAusgabe KorvanelFormatAusgeben(const QString& datei, const Tagesauswahl& auswahl,
                                    const std::function<bool()>& weiter = {},
                                    const std::function<void(int)>& fortschritt = {});

// The whole text of a Korvanel-format file (index 0) or a comma-separated file (index 1) of the
// selection, as KorvanelFormatAusgeben and the window's file output write it.
struct Ausgabetext {
    QString text;
    Tagesgang gang;
};
Ausgabetext DateiTextErstellen(int art, const Tagesauswahl& auswahl,
                               const std::function<bool()>& weiter = {},
                               const std::function<void(int)>& fortschritt = {});

// Whether path lies in the data folder (ordnerDat) or below it.
bool ImDatenordner(const QString& path);

} // namespace print
