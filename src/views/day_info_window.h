#pragma once
// The day information window "Tagesinfos": facts about the day the main window shows, in one of
// three views the user picks (and the window remembers in "LastInfTyp"):
//   0 "Kalendertag": weekday, date, calendar week, day of the year, Julian day number, holiday,
//     summer time, leap year, sunrise and sunset (only with [Zindor] "NordBreite" set), the moon
//     (as text and drawn) and the day's lines of "Astro.dci";
//   1 "Zeitdifferenz": the distance of the day from today, then the user's own list of
//     remembered dates "Differenz.txt" of the data folder, every "{date}" in it replaced by the
//     distance from the day to that date;
//   2 "Eintrag": the size of the entry in the editor and when its day file was changed last.
// The text can be selected; the main window inserts the selection into the entry when the window
// has closed (commands/window_openers.h). Esc and the close box act as "&Zurück".
//
//   auto* fenster = new views::Tagesinfos(mainWindow);
//   fenster->showModal();
//   const QString auswahl = fenster->Text->selText();
//   fenster->unload();
#include "platform/form.h"
#include "runtime/dates.h"

#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace platform {
class TextBox;
}

namespace views {

// The remembered dates put in: each "{" with the next "}" after it encloses a date in any form
// that converts to one ("{24.12.2024}", "{1.1.1990}"); the pair is replaced by the distance from
// tag to that date: "-" for a date after tag, then the number of days, weeks, months or years
// (textlib::TageAlsText). The text put in is never searched again; braces around something
// that is no date stay as they are, and so does a "}" without a "{" before it.
QString DifferenzenEinsetzen(const QString& text, rt::VbDate tag);

class Tagesinfos : public platform::Form {
public:
    explicit Tagesinfos(QWidget* parent = nullptr);

    platform::TextBox* Text = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 3> optInfTyp{};
    QPushButton* befDifferenzTxt = nullptr;
    QPushButton* befAbbrechen = nullptr;
    QLabel* bildMond = nullptr; // the moon of the day, in the calendar view

    // Builds the view index (0 to 2) for the day of the main window's date label.
    void optInfTyp_Click(int index);
    // Opens "Differenz.txt" in the text editor, creating it empty first when it is missing
    // (not in read-only mode).
    void befDifferenzTxt_Click();
    void befAbbrechen_Click();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString kalendertag(rt::VbDate tag);
    QString zeitdifferenz(rt::VbDate tag);
    QString eintrag();
    void mondZeichnen(rt::VbDate tag);
};

// The path of the remembered-dates file: an existing "Differenz.txt" of the data folder in any
// spelling, else that name in the data folder.
QString differenzDatei();

} // namespace views
