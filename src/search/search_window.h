#pragma once
// The window "Suchen": finds the next entry of the open diary that matches a query (see
// search_query.h) and moves the main window there, with the caret at the hit. The main menu's
// "Text &suchen..." and "&Nächsten Text suchen..." open it through the window opener; it is
// hidden, not unloaded, when the user leaves it, so query, options, range and keywords stay:
//
//   auto* suchen = new search::Suchen(hauptfenster);   // loads: keywords, settings, whole range
//   commands::suchenWeiter = 1;                         // go on with the query at once
//   suchen->showModal();                                // hidden by "Zu&rück", Escape, a hit
//
// A run walks the day index as it stood at the run's start, from the shown day backwards or
// forwards, wraps at the ends, loads every index day inside the range and tests it. After each
// day it lets pending events run, with "&Suchen" and the option frames off: "Abb&rechen" stops
// the run after the day it is testing. A run only reads entries; it moves the main window and
// writes nothing but the settings in Brisol.ini.
#include "platform/form.h"
#include "search/search_query.h"

#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QShowEvent;
class QTimer;

namespace platform {
class ActionRegistry;
class StatusPanels;
class TextBox;
} // namespace platform

namespace search {

class Suchen : public platform::Form {
public:
    explicit Suchen(QWidget* parent = nullptr);

    // The range of days a run loads and tests, yyyymmdd, both included.
    static constexpr qint32 bereichErster = 15000101;
    static constexpr qint32 bereichLetzter = 22001231;
    qint32 bereichAnfang = bereichErster;
    qint32 bereichEnde = bereichLetzter;
    // 1 while a run goes; the close action and Cancel at a wrap prompt set it to 0.
    int laeuft = 0;
    // The search type of the last run (suchTypStreng, suchTypPhonetisch, suchTypMuster).
    int suchTyp = suchTypStreng;

    QMenuBar* Menue = nullptr;
    platform::ActionRegistry* actions = nullptr;
    QTabWidget* SSTab = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* Liste = nullptr;
    platform::TextBox* Text = nullptr;
    QGroupBox* RahmRicht = nullptr;
    std::array<QRadioButton*, 2> OptRichtung{};
    QGroupBox* RahmTyp = nullptr;
    std::array<QRadioButton*, 3> optSuchTyp{};
    QGroupBox* RahmOpt = nullptr;
    QCheckBox* CheckMsgAtSE = nullptr;
    QCheckBox* CheckNoLcase = nullptr;
    QPushButton* BefSuche = nullptr;
    QPushButton* BefAbbruch = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QStatusBar* StatusBar = nullptr;
    platform::StatusPanels* panels = nullptr; // "Status", "Sucheintrag", "Suchzeit"
    QTimer* Zeit = nullptr;

    // The query of the search text, parsed with the chosen type and case option.
    void SuchbegriffeZerlegen();
    // The test of one text against the parsed query (search_query.h).
    qint32 EintragPasst(qint32 start, const QString& text) const;
    const Suchbegriffe& begriffe() const { return begriffe_; }

    // A run.
    void BefSuche_Click();
    // The close action: during a run it stops the run, else it hides the window.
    void BefAbbruch_Click();
    // Every 500 ms: "&Suchen" follows the search text; opened to go on, the run starts.
    void Zeit_Timer();
    void Liste_Click(int index);
    void optSuchTyp_Click(int index);
    void OptRichtung_DblClick(int index);
    void SSTab_Click();

    void mnuBereichGesamt_Click();
    void mnuBereichJznt_Click(int index);
    void mnuBereichLast_Click(int index);
    void mnuSetupSave_Click();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createMenus();
    void layOut();
    void connectHandlers();
    void Form_Load();
    // The caption for the range.
    void titelSetzen();
    // The run's end: controls on, panels, the message without a hit, the caret at the hit.
    void laufBeenden(qint32 ergebnis);

    Suchbegriffe begriffe_;
};

} // namespace search
