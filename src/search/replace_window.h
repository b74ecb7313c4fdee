#pragma once
// The window "Ersetzen": replaces a text by another across the entries of the open diary, one
// occurrence at a time, always in the main window's editor, never in a day file itself. The
// main window saves a changed entry as it saves a typed change.
//
//   auto* ersetzen = new search::Ersetzen(main);  // loaded once, then only hidden
//   ersetzen->showModal();                        // hidden by "Zu&rück", Escape, the close box
//
// "&Suche weiter" looks for Txt1 behind the caret in the shown entry, then, the shown entry
// saved first, through the entries of the day index from the next entry day on, wrapping round,
// the shown day last. A hit moves the main window to its day and selects the occurrence as it
// stands in the editor, so the selection only ever covers Txt1. "&Ersetzen" replaces the
// editor's selection only while it still is Txt1 (else it searches again), selects the
// replacement and searches on unless Shift is held.
#include "platform/form.h"

#include <QString>

class QEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace platform {
class LineTextBox;
class TextBox;
} // namespace platform

namespace search {

class Ersetzen : public platform::Form {
public:
    explicit Ersetzen(QWidget* parent = nullptr);

    // The most characters of each of the two texts.
    static constexpr int textGrenze = 128;

    // 1 while a search runs; the cancel button sets it to 0.
    int laeuft = 0;
    // The position (from 1) in the day index of the day being tested.
    qint32 indexPosition = 0;

    QLabel* Bezeichnung1 = nullptr;
    platform::LineTextBox* Txt1 = nullptr;
    QLabel* Bezeichnung2 = nullptr;
    platform::LineTextBox* Txt2 = nullptr;
    QLabel* Bezeichnung3 = nullptr;
    platform::TextBox* text = nullptr;
    QPushButton* BefSuche = nullptr;
    QPushButton* BefErsetzen = nullptr;
    QPushButton* BefAbbruch = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QTimer* Zeit = nullptr;

    void BefSuche_Click();
    void BefErsetzen_Click();
    void BefAbbruch_Click();
    void Zeit_Timer();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();

    // The search through the day index; the position (from 1) of the occurrence as found again
    // in the editor once the main window shows its day, 0 when none.
    int eintraegeDurchsuchen(const QString& suchText);
};

} // namespace search
