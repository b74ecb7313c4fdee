#pragma once
// The settings window "Setup": the open diary's own settings (mood barometer, age line, font,
// colours, background picture; in Korvanel.ini of the data folder under the diary's short name)
// and the program's settings (Brisol.ini [Korvanel] and [Textverarbeitung]).
//
//   auto* setup = new commands::Setup(main);   // every control loaded from the settings
//   setup->showModal();                        // left only through befOk
//   setup->unload();                           // then the main window saves and reloads its own
//
// Everything is stored by befOk, which the close box and a double-click on a diary run too;
// Escape does nothing. Only the font, the back colour and the word processor are stored at once
// by their buttons, and the recent-diaries list is emptied at once. What the main window keeps
// for itself (automatic tidy-up, automatic font size, the mood barometer's visibility) is handed
// to it, and it stores that after the window has closed. The check boxes keep the values 0, 1
// and 2 (grey) and store them as that digit.
#include "platform/form.h"

#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QSlider;
class QTabWidget;

namespace commands {

// The six key sequences for the word processor: the INI key (the combo's Tag), the label and the
// entry offered.
struct TextverarbeitungsBefehl {
    const char* schluessel;
    const char* bezeichnung;
    const char* angebot;
};
extern const std::array<TextverarbeitungsBefehl, 6> textverarbeitungsBefehle;

class Setup : public platform::Form {
public:
    explicit Setup(QWidget* parent = nullptr);

    QTabWidget* SSTab1 = nullptr;
    // "Lokales"
    QLabel* LabelLokal = nullptr;
    QCheckBox* strgStimmung = nullptr;
    QGroupBox* rahmenAlter = nullptr;
    QLineEdit* txtBezugD = nullptr;
    QComboBox* txtBezugT = nullptr;
    QPushButton* befSchrift = nullptr;
    QPushButton* befBackColor = nullptr;
    QLineEdit* txtBackPic = nullptr;
    QPushButton* befBackPic = nullptr;
    // "Globales"
    QLabel* Label1 = nullptr;
    QCheckBox* strgMin2Tray = nullptr;
    QCheckBox* strgDblClickIgn = nullptr;
    QCheckBox* strgDrDrCls = nullptr;
    QCheckBox* strgKWmemo = nullptr;
    QCheckBox* strgAutoformat = nullptr;
    QSlider* SliderAutoSave = nullptr;
    QLabel* Bezeichnung6 = nullptr;
    QPushButton* befDelZuletzt = nullptr;
    QCheckBox* StrgAuswahl = nullptr;
    QListWidget* ListeNamen = nullptr;
    QCheckBox* strgFontAutoSize = nullptr;
    QScrollBar* laufFontAutoSize = nullptr;
    // " Textverarbeitung"
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLabel*, 6> bezTVOrder{};
    std::array<QComboBox*, 6> comboTVOrder{};
    QLabel* bezTVHinweis = nullptr;
    QPushButton* befTVanmelden = nullptr;
    QCheckBox* StrgWordButtons = nullptr;

    QPushButton* befOk = nullptr;

    void Form_Load();
    void befOk_Click();
    void ListeNamen_Click();
    void ListeNamen_DblClick();
    void StrgAuswahl_Click();
    void SliderAutoSave_Change();
    void strgFontAutoSize_Click();
    void Label2_DblClick();
    // A key let go with the shift state (1 Shift, 2 Ctrl, 4 Alt): Ctrl+F1 opens the special
    // settings.
    void Form_KeyUp(int tastenCode, int umschalt);
    void befBackColor_Click();
    void befSchrift_Click();
    void befBackPic_Click();
    void befTVanmelden_Click();
    void befDelZuletzt_Click();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
};

} // namespace commands
