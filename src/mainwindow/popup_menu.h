#pragma once
// The editor's popup menu mnuPopUp as it adapts to the selection when it opens, and the two
// entries whose action depends on the selection: the jump to a selected date and the jump into
// a diary named by a reference "{abc}" at the start of the selection.
//
//   void Main::mnuPopUp_Oeffnen()
//   {
//       const auto menue = mainwindow::popupMenue(selText(), selLength(),
//                                                 !platform::clipboard().text().isEmpty());
//       actions->setEnabled(u"mnuPopAusschneiden"_qs, menue.ausschneiden);
//       actions->action(u"mnuPopHypersprung"_qs)->setText(menue.hypersprungCaption);
//       ...
//   }
#include "platform/main_port.h"
#include "runtime/dates.h"

#include <QString>

#include <functional>
#include <optional>

namespace mainwindow {

// The short name of the diary that a text refers to: "{", any three characters and "}" at its
// very start; the three characters upper-cased. Nothing when the text does not start so.
std::optional<QString> korvanelVerweis(const QString& text);

// The date formed by the first ten characters of the text ("12.03.2019 Treffen"); nothing when
// they are no date.
std::optional<rt::VbDate> datumAmAnfang(const QString& text);

// What the popup shows for a selection (taken trimmed) and the state of the clipboard.
struct PopupMenue {
    bool ausschneiden = false; // mnuPopAusschneiden enabled
    bool kopieren = false;     // mnuPopKopieren enabled
    bool einfuegen = false;    // mnuPopEinfügen enabled
    QString hypersprungCaption;  // mnuPopHypersprung
    QString datumWechselCaption; // mnuPopDatumWechsel
    friend bool operator==(const PopupMenue&, const PopupMenue&) = default;
};
PopupMenue popupMenue(const QString& selText, int selLength, bool zwischenablageHatText);

// mnuPopDatumWechsel: to the date at the start of the selection; without one, the main window's
// menu entry "mnuGeheZu" (the go-to-date question) runs.
void PopupDatumWechsel(platform::MainPort& main);
// mnuPopHypersprung: into the diary of the reference at the start of the selection, at the shown
// day (the hook below); without one, the menu entry "PulLaden" runs.
void PopupHypersprung(platform::MainPort& main);

// Opens the diary kuerzel at the day datum ("dd.mm.yyyy") in the main window; the main window
// installs its KorvanelHypersprung here.
using KorvanelHypersprung = std::function<void(const QString& kuerzel, const QString& datum)>;
void setKorvanelHypersprung(KorvanelHypersprung sprung);
const KorvanelHypersprung& korvanelHypersprung();

} // namespace mainwindow
