#pragma once
// Moving the main window from day to day: one day, week, month or year forward or back, to
// today, to the first or last day with an entry, to the next or previous day whose day file
// exists, and through the month sheet. Every move ends in one step only: the caption of the date
// label BezDatum gets the new day "dd.mm.yyyy", and the main window's change of day does the rest
// (saving the old day, loading the new one). Nothing here loads or saves an entry.
//
//   Main::PulTagVor_Click()        { mainwindow::Navigieren(*this, Navigation::TagVor); }
//   Main::PulEintragVor_Click()    { mainwindow::Navigieren(*this, Navigation::EintragVor); }
//   Main::PulMonatsTabelle_Click() { mainwindow::MonatsblattWaehlen(*this); }
//
// Every move lands on a real calendar day of the years 1500 to 2200: a caption that is no date
// falls back to aktDatum (and when that is no date either, nothing moves), and a move beyond the
// years stops at 01.01.1500 or 31.12.2200.
#include "platform/main_port.h"
#include "runtime/dates.h"

#include <QKeyCombination>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace mainwindow {

enum class Navigation {
    TagVor,
    TagZur,
    WocheVor,
    WocheZur,
    MonatVor,
    MonatZur,
    JahrVor,
    JahrZur,
    Heute,
    EintragErster,
    EintragLetzter,
    EintragVor,
    EintragZur,
};

// The menu entries of the moves, in menu order: name, caption and shortcut (none: an empty
// combination), for the main window's menus "&Blättern" and "Ein&trag".
struct NavigationsEintrag {
    Navigation befehl;
    QString name;
    QString caption;
    QKeyCombination kuerzel;
};
const std::vector<NavigationsEintrag>& navigationsMenue();

// The move of a registered menu name ("PulTagVor", any case); nothing for other names.
std::optional<Navigation> navigationVonName(const QString& name);

// Runs the move on the main window.
// - Relative moves: the caption as a date, moved by calendar arithmetic (a month or a year
//   later clips the day to the end of a shorter month), within 01.01.1500 .. 31.12.2200.
// - Heute: today's date from the clock service.
// - EintragErster / EintragLetzter: the first or last day of the sorted day index; with an empty
//   index the day stays. Busy pointer and "Suche Eintrag..." meanwhile, "Bereit" afterwards.
// - EintragVor / EintragZur: the next later or earlier day from aktDatum whose day file
//   "<ordnerDat>/<yyyy>/<yyyymmdd>.<short name>" exists (names in any case); a year without its
//   year folder is skipped whole. Not found before 2200 or after 1500: the panel "Status" keeps
//   "Keinen nächsten Eintrag gefunden " or "Keinen vorherigen Eintrag gefunden " and the day
//   stays.
void Navigieren(platform::MainPort& main, Navigation befehl);

// The month sheet (PulMonatsTabelle). For a shown day outside the years 1500 to 2200 the user is
// asked whether to type the date instead ("Monatsblatt", Yes/No); Yes runs the registered menu
// entry "mnuGeheZu". Otherwise the status shows "Tag wechseln...", the month sheet window (the
// hook below) is shown for the day, and the day it returns becomes the caption; "Bereit"
// afterwards.
void MonatsblattWaehlen(platform::MainPort& main);

// The month sheet window: opened modally with the caption "Tag wechseln" on the given day
// ("dd.mm.yyyy"); returns the day in its label Datum when it closes. The month sheet installs
// itself here; without it the day stays.
using MonatsblattFenster = std::function<std::optional<QString>(const QString& datum)>;
void setMonatsblattFenster(MonatsblattFenster fenster);

// The day as a caption "dd.mm.yyyy" (the time of day dropped), kept within 01.01.1500 ..
// 31.12.2200.
QString tagAlsCaption(rt::VbDate tag);

// The shown day: the caption when it is a date, else aktDatum when that is one.
std::optional<rt::VbDate> angezeigterTag(const platform::MainPort& main);

} // namespace mainwindow
