#pragma once
// The window "Lesezeichen": the diary's dated notes, kept in "LeseZeic.<short name>" in the data
// folder. The user creates, changes, deletes and prints bookmarks and moves the main window to
// a bookmark's day.
//
//   auto* fenster = new views::Lesezeichen;   // reads the file, presets date and note
//   fenster->showModal();                     // hidden by "Gehe zu", "Abbrechen" or Escape
//   fenster->unload();
//
// The file holds one line "dd.mm.yyyy note" per bookmark, each ended by CR LF, in list order;
// with a write password it is the marker "..Korvanel verschlüsselt " and the cipher text of that
// plain form (no password header), which opens without a password. Reading takes every line
// that begins with a date and has a note, whatever its line end; other lines are dropped. The
// file is written whole after each create, change and delete, and never in read-only mode. A
// file that exists but cannot be read is reported, and the window then writes nothing, so that
// what the file holds is never replaced by the part that could be read.
#include "platform/form.h"

#include <QString>

#include <array>

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QListWidget;
class QMenuBar;
class QPushButton;
class QTimer;

namespace platform {
class ActionRegistry;
class LineTextBox;
} // namespace platform

namespace views {

// The bookmark file of the open diary.
QString lesezeichenDatei();

class Lesezeichen : public platform::Form {
public:
    explicit Lesezeichen(QWidget* parent = nullptr);

    QMenuBar* Menue = nullptr;
    platform::ActionRegistry* actions = nullptr;
    QListWidget* Liste = nullptr;
    QGroupBox* Rahmen1 = nullptr;
    platform::LineTextBox* txtDatum = nullptr;
    platform::LineTextBox* txtBem = nullptr;
    QCheckBox* CheckSortABC = nullptr;
    std::array<QPushButton*, 2> befSetzen{}; // 0 create, 1 change
    QPushButton* befGeheZu = nullptr;
    QTimer* Zeit = nullptr;

    // The file into the list, the list sorted (same days merged), the list into the file.
    void LesezeichenLaden();
    void LesezeichenSortieren();
    void LesezeichenSpeichern();

    void Liste_Click();
    void Liste_DblClick();
    void befSetzen_Click(int index);
    void befGeheZu_Click();
    void CheckSortABC_Click();
    void mnuLesezeichenLöschen_Click();
    void mnuLesezeichenDrucken_Click();
    void mnuAbbrechen_Click();
    void Zeit_Timer();

    // Whether the window writes the file: not in read-only mode, not after a failed read.
    bool schreibbar() const { return !gesperrt_; }

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void layOut();
    void connectHandlers();
    void Form_Load();
    void sperren();
    // Selects the last entry whose text is text; none when there is none.
    void zeileWaehlen(const QString& text);

    bool gesperrt_ = false;
};

} // namespace views
