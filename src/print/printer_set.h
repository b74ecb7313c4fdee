#pragma once
// The printer-settings window that every print of the program goes through: printer, copies,
// margins, size and orientation, remembered per print job in Bris_Prn.ini (one section per job).
//
// How a print uses it:
//
//   if (auto* alt = platform::findForm<print::PrinterSet>())
//       alt->unload();
//   print::druckJob = QStringLiteral("Korvanel_Tagesliste");
//   auto* einstellungen = new print::PrinterSet;        // loads the job's settings
//   einstellungen->setWindowTitle(einstellungen->windowTitle() + QStringLiteral(", Tagesliste"));
//   einstellungen->showModal();
//   QCoreApplication::processEvents();
//   if (einstellungen->abgebrochen()) {
//       einstellungen->unload();
//       return;
//   }
//   ... print with einstellungen->anzahl(), randLinks(), randOben() ...
//   einstellungen->unload();                             // switches the printer back
//
// A confirmed printer choice is the current printer from the confirmation until the window is
// unloaded; then the printer that was current before is current again.
#include "platform/form.h"

#include <QString>

#include <array>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

namespace print {

// The current print job: its name is the section of Bris_Prn.ini that PrinterSet loads and
// saves. Every print sets it before it loads the window.
extern QString druckJob;

// The first entry of the printer list: whatever printer is current.
QString standardDruckerEintrag();

class PrinterSet : public platform::Form {
    Q_OBJECT

public:
    explicit PrinterSet(QWidget* parent = nullptr);

    // The job's settings into the controls; the controls' settings into the job's section.
    // Neither does anything while the trimmed druckJob is empty.
    void PresetLoad();
    void PresetSave();

    // What the caller reads after the window returned.
    bool abgebrochen() const;  // cancelled: Abbruch is ticked
    int anzahl() const;        // copies, 1 to 9
    double randLinks() const;  // left margin in cm
    double randOben() const;   // top margin in cm
    double breite() const;     // width of the printout in cm, 0: not set
    double hoehe() const;      // height of the printout in cm, 0: not set
    bool hochformat() const;   // portrait (else landscape)

    // The handlers.
    void befOk_Click();
    void befAbbrechen_Click();
    void befRand_Click(int index);
    void ComboDrucker_Click();
    void bezDrucker_DblClick();
    void optAusrichtung_Click(int index);
    void mnuEinstellungenSave_Click();
    void mnuEinstellungenAutoPrint_Click();
    void TimerInit_Timer();
    void TimerAutoPrint_Timer();

    // The controls, named as the callers and the settings know them.
    QGroupBox* frame6 = nullptr;
    QPushButton* befOk = nullptr;
    QPushButton* befAbbrechen = nullptr;
    QCheckBox* Abbruch = nullptr;
    QGroupBox* Frame4 = nullptr;
    QComboBox* ComboDrucker = nullptr;
    QLabel* bezDrucker = nullptr;
    QGroupBox* frmAnzahl = nullptr;
    QLabel* bezAnzahl = nullptr;
    QComboBox* ComboAnzahl = nullptr;
    QLabel* ImageAnzahl = nullptr;
    QGroupBox* frmRänder = nullptr;
    QLabel* bezRandX = nullptr;
    QComboBox* ComboRandX = nullptr;
    QLabel* bezRandY = nullptr;
    QComboBox* ComboRandY = nullptr;
    QFrame* frmWeiten = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboRandW = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* ComboRandH = nullptr;
    // Members 0 "A4", 1 "A5", 2 "A6" and 9 "0"; 3 to 8 carry nothing and do not exist.
    std::array<QPushButton*, 10> befRand{};
    QGroupBox* frmAusrichtung = nullptr;
    std::array<QRadioButton*, 2> optAusrichtung{};
    std::array<QLabel*, 2> imgAusrichtung{};
    QGroupBox* frmBereich = nullptr;
    std::array<QRadioButton*, 2> optBereich{};
    QMenu* mnuEinstellungenX = nullptr;
    QAction* mnuEinstellungenSave = nullptr;
    QAction* mnuEinstellungenAutoPrint = nullptr;
    QTimer* TimerInit = nullptr;
    QTimer* TimerAutoPrint = nullptr;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void Form_Unload(bool& cancel) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();
    void fillMarginLists();
    void showPrinterInformation(const QString& text, bool grey);

    bool druckerAktiv_ = false; // the printer list is offered
    // The printer that was current when this window switched to another one; it is current
    // again when the window is unloaded.
    std::optional<QString> druckerVorher_;
};

} // namespace print
