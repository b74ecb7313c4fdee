#pragma once
// The window "DatenOrdner" (caption "Brisols-Korvanel - Ordner"): where the program keeps its
// settings file, where it is installed and where it reads and writes its data, what it finds in
// each place, whether it may write there; the overview copied or printed as a report; and the
// data-folder pointer (the setting "OrdnerDat") moved to another folder, after which the
// program restarts. It moves no file.
//
//   auto* fenster = new integration::DatenOrdner(main);
//   fenster->showModal();          // TimerReadData fills the sections once it shows
//   fenster->unload();
//
// Sections by index: 0 the settings file, 1 the program folder, 2 the data folder. Each write
// test writes a file of a name that does not exist yet and removes it again; in read-only mode
// the data folder is neither written to nor logged into.
#include "platform/form.h"

#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QTimer;

namespace platform {
class ActionRegistry;
} // namespace platform

namespace integration {

class DatenOrdner : public platform::Form {
public:
    explicit DatenOrdner(QWidget* parent = nullptr);

    // The data folder's files that are listed, and its listed year folders.
    static QString datenMasken();

    QMenuBar* Menue = nullptr;
    platform::ActionRegistry* actions = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QGroupBox*, 3> Frame1{};
    std::array<QLabel*, 3> bezInfo{};
    std::array<QLabel*, 3> bezDo{};
    std::array<QLabel*, 3> bezError{};
    std::array<QListWidget*, 3> lstDo{};
    std::array<QPushButton*, 3> befDo{};
    QPushButton* befDatenOrdnerVerlegen = nullptr;
    QPushButton* befOk = nullptr;
    QTimer* TimerReadData = nullptr;
    // The three sections, scrolled where the screen is too small for them.
    QScrollArea* Flaeche = nullptr;

    void TimerReadData_Timer();
    void befDo_Click(int index);
    void bezDo_DblClick(int index);
    void bezInfo_DblClick(int index);
    void befDatenOrdnerVerlegen_Click();
    void befOk_Click();
    void mnuBericht_Click(int index);
    void mnuZurück_Click();
    void mnuHilfe_Click();

    // The report as mnuBericht copies and prints it.
    QString Bericht() const;

    // The folder chooser (the owner's window, the title); "" when the user cancels.
    static QString BrowseForFolder(QWidget* owner, const QString& title = {});

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void layOut();
    void connectHandlers();
    void Form_Load();
    void berichtDrucken(const QString& text);
};

} // namespace integration
