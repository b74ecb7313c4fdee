#pragma once
// The window "Stichwörter": the list of keywords and text blocks the user inserts into an
// entry, kept in Korvanel.stw of the data folder (one file for every diary there). The user
// takes keywords in, deletes them, edits the field in the enlarged editor, prints the list and
// chooses one. The command that inserts a keyword opens it like this:
//
//   const QString stichwort = views::Stichworte::waehlen(rt::Trim(main.selText()));
//   if (!stichwort.isEmpty())
//       ... "~" to CR LF, placeholders expanded, inserted at the caret ...
//
// waehlen() loads the window, puts the proposal into the field Text (line breaks become "~"),
// shows it modally and, once it hides, hands back the caption of BezÜbergabe: the chosen
// keyword after "&Einfügen" (Enter or a double click in the list), "" after "&Zurück" or the
// close box. It unloads the window before it returns. Step by step, the same is:
//
//   auto* fenster = new views::Stichworte;
//   fenster->vorschlagSetzen(vorschlag);
//   fenster->showModal();
//   const QString stichwort = fenster->BezÜbergabe->text();
//   fenster->unload();
//
// The list is saved when the window is left either way, never in read-only mode (nurLesen,
// which also disables taking in, deleting and choosing) and never over a keyword file that
// exists but could not be read. A keyword is one line of the file: "~" stands for a line break.
#include "platform/form.h"

#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace platform {
class LineTextBox;
}

namespace views {

// The keyword file: ordnerDat + "/Korvanel.stw".
QString stichwortDatei();

// Whether keyword a stands before keyword b in the list: German alphabetical order without
// regard to letter case, and where that finds two keywords equal, the order of their character
// codes, so that "Alpha" stands before "alpha" and every list has one order.
bool stichwortVorher(const QString& a, const QString& b);

// The text as one line of the keyword file: every line break (CR LF, LF, CR) becomes "~".
QString alsEineZeile(const QString& text);

class Stichworte : public platform::Form {
    Q_OBJECT

public:
    explicit Stichworte(QWidget* parent = nullptr);

    // Loads the window, proposes vorschlag, shows it modally and returns the chosen keyword
    // ("" when none was chosen); the window is unloaded afterwards.
    static QString waehlen(const QString& vorschlag);

    // Puts a proposal into the field, its line breaks made "~".
    void vorschlagSetzen(const QString& vorschlag);

    // The file into the list (sorted) and the list into the file.
    void StichworteLaden();
    void StichworteSpeichern();

    // The handlers.
    void BefAufnehmen_Click();
    void befLöschen_Click();
    void befEinfügen_Click();
    void BefAbbruch_Click();
    void befDrucken_Click();
    void bezZoom_Click();
    void Liste_Click();
    void Liste_DblClick();
    void Text_Change();
    void Zeit_Timer();

    // The controls.
    QGroupBox* Rahmen2 = nullptr;
    platform::LineTextBox* Text = nullptr;
    QPushButton* bezZoom = nullptr;
    QGroupBox* Rahmen1 = nullptr;
    QListWidget* Liste = nullptr;
    QPushButton* BefAufnehmen = nullptr;
    QPushButton* befLöschen = nullptr;
    QPushButton* befEinfügen = nullptr;
    QPushButton* befDrucken = nullptr;
    QPushButton* BefAbbruch = nullptr;
    QLabel* BezÜbergabe = nullptr;
    QTimer* Zeit = nullptr;

    // The greatest length of a keyword.
    static constexpr int maxLaenge = 1024;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();
    // The row of the last keyword equal to text (exact comparison); -1 when there is none.
    int letzteGleiche(const QString& text) const;

    // False after a keyword file that exists could not be read: the list is then not the
    // file's, and leaving must not write it over the file.
    bool dateiGelesen_ = true;
};

} // namespace views
