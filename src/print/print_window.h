#pragma once
// The window "Druck": a range of days, filters and options, a schematic preview of the printed
// layout, and the outputs of the selected days to the printer, to a file (Korvanel format or
// comma-separated) or to the clipboard. The main window opens it modally from "&Drucken /
// Exportieren..." and unloads it afterwards:
//
//   auto* druck = new print::Druck(besitzer);   // range: the month shown in the main window
//   druck->showModal();                         // every output and "Abbr&echen" close it
//   druck->unload();
//
// While an output runs (ausgabeLaeuft) every control but "Abbr&echen" is off; that button and
// the close box stop the output after the day in hand, and the output finishes with the days so
// far. The days and their layouts are day_export.h's; the window keeps four settings of
// Brisol.ini: "DruckenAlleTage", "DruckenSeiteProTag", "DruckenEinrücken" and "SchriftDruck".
#include "platform/form.h"

#include <QString>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace platform {
class ActionRegistry;
}

namespace print {

struct Tagesauswahl;
struct Tagesgang;

class Druck : public platform::Form {
public:
    explicit Druck(QWidget* parent = nullptr);

    // True while an output walks the days; false asks the walk to stop.
    bool ausgabeLaeuft = false;

    // The printer gets the preview's font name, bold, italic, size and colour, then the scale in
    // centimetres.
    void PrnSetzeAttribute();
    // PrnSetzeAttribute, then the print position top cm below the top of the printable area.
    void PrnSetzteSeitenEinstellung(double top);

    // The handlers.
    void VorschauAnzeigen();
    void mnuBereichGesamt_Click();
    void mnuBereichJahr_Click();
    void mnuBereichMonat_Click();
    void mnuBereichTag_Click();
    void BezDatumAb_Click();
    void BezDatumBis_Click();
    void kombiSuche_Change();
    void kombiSuche_Click();
    void kombiSuche_LostFocus();
    void BefSetSchrift_Click();
    void befOk_Click();
    void mnuAusgabeDrucker_Click(int index);
    void mnuAusgabeDatei_Click(int index);
    void mnuAusgabeZA_Click(int index);
    void BefAbruch_Click();

    // The selection the controls make (the print passes no marker filter itself).
    Tagesauswahl auswahl() const;

    // The controls, named as the window's procedures name them.
    QMenuBar* Menue = nullptr;
    platform::ActionRegistry* actions = nullptr;
    QGroupBox* Rahmen1 = nullptr;
    QLabel* Bezeichnung5 = nullptr;
    QLabel* BezDatumAb = nullptr;
    QLabel* Bezeichnung1 = nullptr;
    QLabel* BezDatumBis = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* kombiDatumFilter = nullptr;
    QLabel* Bezeichnung3 = nullptr;
    QComboBox* kombiSuche = nullptr;
    QGroupBox* Rahmen2 = nullptr;
    QCheckBox* OMarkedOnly = nullptr;
    QCheckBox* ODruckenEinrücken = nullptr;
    QCheckBox* ODruckenSeiteProTag = nullptr;
    QCheckBox* ODruckenAlleTage = nullptr;
    QPushButton* BefSetSchrift = nullptr;
    QGroupBox* Rahmen3 = nullptr;
    QPlainTextEdit* txtVorschau = nullptr;
    QPushButton* befOk = nullptr;
    QPushButton* BefAbruch = nullptr;
    QProgressBar* ProgressBar = nullptr;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void layOut();
    void connectHandlers();
    void Form_Load();

    // Both range labels at once; the preview follows.
    void bereichSetzen(const QString& von, const QString& bis);
    // After a walk over the days: when a day could not be read, the error dialog (titel) decides
    // whether the output goes on with the days before it. False when it ends here.
    bool nachLesefehlerWeiter(const Tagesgang& gang, const QString& titel);
    // One range label from the month sheet, titled titel.
    void datumWaehlen(QLabel* label, const QString& titel);
    // The outputs' start and end: controls off but "Abbr&echen", hourglass; and back.
    void ausgabeBeginnen();
    void ausgabeBeenden();
    // Lets events run once; false when the window was unloaded meanwhile or the output stopped.
    bool weiter();
    void fortschritt(int prozent);
    // The print of the selected days, once per copy; false when the walk was stopped.
    bool druckDurchgang(double oben, double links, double breite, double unten, bool& zuKlein);
};

} // namespace print
