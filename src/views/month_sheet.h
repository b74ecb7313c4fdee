#pragma once
// The month sheet "Monatsblatt": a date picker around a month calendar. The user moves the date
// by day, week, month and year with the buttons or the letter keys (t/T, w/W, m/M, j/J, h for
// today), Saturdays and Sundays are bold, and the status bar shows the date, its calendar week,
// its distance from today and its holiday. Every way out (Ok, Enter, Esc, the close box, a
// double-click when "Doppelklick" is ticked) takes the date shown; there is no cancel.
//
// The one call of its callers (the main window's "Tag wechseln", the print window's dates):
//
//   if (std::optional<QString> tag = views::Monatsblatt::DatumWaehlen(this, u"Drucken ab dem"_s,
//                                                                      u"05.03.2024"_s))
//       ... *tag is the date chosen, "dd.mm.yyyy" (nothing only when the program ended meanwhile)
//
// Settings in [_MonBlatt] of Brisol.ini: "MonBlattFarbe", the colour of the calendar's title and
// of the weekend mark as a colour number (0x00BBGGRR, red is 255; default 12632256, light grey),
// and "MonBlatt2Click" (not 0: a double-click takes the date). The window's place is kept under
// the name "Korvanel".
#include "platform/form.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>

class QCalendarWidget;
class QLabel;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTimer;

namespace platform {
class ActionRegistry;
class StatusPanels;
} // namespace platform

namespace views {

class Monatsblatt : public platform::Form {
public:
    explicit Monatsblatt(QWidget* parent = nullptr);

    // Shows the sheet modally with the caption titel on the date datum ("dd.mm.yyyy"; a text
    // that is no date shows today, a year outside 1500 to 2200 its nearest day) and gives the
    // date shown when it closed; nothing when it was unloaded meanwhile.
    static std::optional<QString> DatumWaehlen(QWidget* besitzer, const QString& titel,
                                               const QString& datum);

    // Controls, named as the window's procedures name them.
    QLabel* Datum = nullptr; // the date exchanged with the caller, always "dd.mm.yyyy"
    QCalendarWidget* MonthView = nullptr;
    std::array<QPushButton*, 10> BefDatumWechsel{}; // index 3 stays empty
    QPushButton* befOk = nullptr;
    QLabel* Tooltipp = nullptr; // the weekend mark
    QStatusBar* StatusBar = nullptr;
    platform::StatusPanels* panels = nullptr; // "Datum", "KW", "vor", "Feiertag"
    QTimer* TimerInit = nullptr;
    QMenuBar* menu = nullptr;
    platform::ActionRegistry* actions = nullptr; // mnuSetupX, mnuSetupFarbe, mnuSetupDoppelklick

    // Brings Datum (today when it is no date; kept within 1500 to 2200), the weekend mark and
    // the status panels up to date.
    void AnzeigeAuffrischen();
    // The start step: the calendar gets Datum's date and shows, the focus goes to Ok.
    void TimerInit_Timer();
    // A key of the sheet (also sent by the date buttons): Enter takes the date; h today; t, d a
    // day on, T, D back; w, W a week; m, M a month; j, y, J, Y a year. Any key refreshes.
    void Form_KeyPress(int keyAscii);
    void BefDatumWechsel_Click(int index);
    void befOk_Click();
    void MonthView_SelChange();
    void MonthView_DblClick();
    void mnuSetupFarbe_Click();
    void mnuSetupDoppelklick_Click();

    // The colour of the title and the weekend mark.
    QColor farbe() const { return farbe_; }

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void farbeSetzen(const QColor& farbe);
    void kalenderAuf(const QDate& tag);
    void datumVomKalender();

    QColor farbe_;
};

} // namespace views
