#pragma once
// The special-character picker Sonderzeichen: the user collects one or more characters that are
// awkward to type (German, Danish and Spanish letters, symbols, number signs, paired brackets,
// or any character of the code page that is no digit or Latin letter) and inserts them into the
// entry at the caret.
//
// The main window's command PulSonderzeichenEinfg runs SonderzeichenEinfuegen(): it opens the
// picker modal with the editor's font, and inserts what was collected in place of the editor's
// selection when the user chose "Einfügen".
#include "platform/form.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;
class QPushButton;
class QResizeEvent;

namespace platform {
class LineTextBox;
}

namespace mainwindow {

// Opens the picker from the main window (platform::mainPort()) and inserts the collected
// characters at the caret; nothing happens without a main window.
void SonderzeichenEinfuegen();

// The items of the character-set list, in order: the set's name padded to 12 characters, 29
// blanks, ";" and the set's characters.
QStringList zeichenSaetze();

class Sonderzeichen : public platform::Form {
    Q_OBJECT

public:
    explicit Sonderzeichen(QWidget* parent = nullptr);

    // The handlers.
    void ComboSatz_Click();
    void befKopieren_Click();
    void Liste_DblClick();
    // KeyAscii 0 swallows the key.
    void Liste_KeyPress(int& keyAscii);
    void befLöschen_Click();
    void BefOk_Click();
    void BefAbbruch_Click();

    // The controls.
    QComboBox* ComboSatz = nullptr;
    QListWidget* Liste = nullptr;
    platform::LineTextBox* Text = nullptr;
    QPushButton* befKopieren = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* befLöschen = nullptr;
    QPushButton* BefAbbruch = nullptr;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void Form_Load();
    void Form_Resize();
};

} // namespace mainwindow
