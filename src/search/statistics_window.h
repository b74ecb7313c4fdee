#pragma once
// The window "Statist": counts the entries of the open diary and the sizes of their day files
// for a range of years, as one total, per year or per month, each row with a percentage of the
// days of its period ("&Zeit-Intervall") or of all entries of the diary ("&Korvanel"). Its menus
// copy the list to the clipboard, print it, and copy the mood values of every entry day.
//
//   auto* statistik = new search::Statist(main);  // loads: years, settings; calculates shortly
//   statistik->showModal();                       // hidden by "Zu&rück", Escape, the close box
//   statistik->unload();
//
// Sizes come from the file system, never from reading a day file; an enciphered diary (a read
// password is set) counts 40 bytes less per file, its marker and password header. While a
// calculation or the mood export runs, only the cancel button acts, and no second one starts.
// Progress and events are pumped at most every 0.3 seconds of the monotonic clock.
#include "platform/form.h"

#include <QString>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;

namespace platform {
class ActionRegistry;
} // namespace platform

namespace search {

class Statist : public platform::Form {
public:
    explicit Statist(QWidget* parent = nullptr);

    // 1 while the calculation or the mood export runs; the cancel button sets it to 0.
    int berechnungLaeuft = 0;
    // 1 percentages of all entries ("&Korvanel"), 0 of the days of each row's period.
    int prozentBezug = 0;
    // The index days the last calculation walked.
    qint32 anzahl = 0;
    // Added to every file size: -40 with a read password, else 0.
    qint32 korrektur = 0;

    QMenuBar* Menue = nullptr;
    platform::ActionRegistry* actions = nullptr;
    QTreeWidget* Liste = nullptr;
    QGroupBox* Rahmen1 = nullptr;
    std::array<QRadioButton*, 3> opt{};
    QGroupBox* Rahmen3 = nullptr;
    QLabel* Bezeichnung1 = nullptr;
    QLabel* Bezeichnung2 = nullptr;
    QComboBox* KombiJ1 = nullptr;
    QComboBox* KombiJ2 = nullptr;
    QGroupBox* Rahmen2 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QRadioButton*, 2> optProzent{};
    QPushButton* befAbbrechen = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QTimer* zeitStart = nullptr;

    // 0 busy, any other value idle.
    void StatistikTitelSetzen(int modus);

    void befAbbrechen_Click();
    void mnuEnde_Click();
    void mnuStatCalc_Click();
    void zeitStart_Timer();
    void KombiJ1_Click();
    void KombiJ2_Click();
    void opt_Click(int index);
    void optProzent_Click(int index);
    void mnuBereichGesamt_Click();
    void mnuBereichJznt_Click();
    void mnuBereichJzntLast_Click();
    void mnuSetupSpeichern_Click();

    // The outputs of the finished list.
    void mnuStatKopieren_Click();
    void mnuStatPrint_Click();
    void mnuStimmungenKopieren_Click();

    // The list as the clipboard gets it: the four header texts each followed by a Tab, CR LF,
    // then each row's cells joined by Tabs, CR LF.
    QString listenText() const;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;

private:
    void createControls();
    void createMenus();
    void layOut();
    void connectHandlers();
    void Form_Load();

    void zeileAnfuegen(const QString& zeile);
    // The years of this decade (zurueck 0) or of the one before (1); the calculation follows.
    void jahrzehntSetzen(int zurueck);
    // Runs one progress step when its time has come: the bar, the events; false when the job is
    // to stop (cancelled, or the window was unloaded meanwhile).
    bool fortschritt(qint64& naechsterSchritt, qint64 i, qint64 gesamt);
};

} // namespace search
