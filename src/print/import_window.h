#pragma once
// The window "Korvanel-Einträge importieren" (Import): brings the entries of an export file in
// the program's own layout (from this or another diary, see the export of the print window) into
// the open diary, one text per day, merged into that day's entry. Five steps: the file, the
// marks that frame the date of a heading line, the preview, how a new text joins an existing
// entry, texts to put before and after each new text; then "Importierung &starten".
//
// The main window's import entry (mnuImport, also mnuAutoImpMarked) saves the entry, shows the
// window modally and unloads it afterwards (commands/window_openers.h):
//
//   auto* fenster = new print::Import(main.widget());
//   fenster->showModal();
//   fenster->unload();
//
// The entries are written through the main window: for each day the window moves it there
// (MainPort::setDateCaption, which saves the day left) and puts the merged text in through the
// main window's one insertion, so a day whose entry could not be read is left alone. The last
// day imported stays unsaved in the editor until the main window's next change of day.
//
// The import takes the records of the last preview, held in memory with their real line breaks;
// choosing another file or changing a mark clears the preview and switches the start off again.
// Entry texts pass unchanged: only the texts before and after go through the message markup
// ("~" a line break). The preview file x-import.tmp in the data folder lists the preview, one
// line per entry ("dd.mm.yyyy <text with ~ for line breaks>"); it goes when the window closes.
#include "platform/form.h"

#include <QString>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace print {

// One entry of an export file: its day "dd.mm.yyyy" and its text (CR LF line breaks).
struct ImportEintrag {
    QString datum;
    QString text;
    friend bool operator==(const ImportEintrag&, const ImportEintrag&) = default;
};

// A mark as the window uses it from its setting (ExpPre, ExpSuf): every "_" a blank, the blanks
// at its end cut off; nachLeer gets the number of blanks cut (those stand between a heading's
// closing mark and the entry's first line).
QString ImportMarke(const QString& einstellung, int* nachLeer = nullptr);

// The day of a heading line as "dd.mm.yyyy", "" when the line is none: the line begins with the
// opening mark vor (an empty one counts as found), the closing mark nach (an empty one counts as
// one blank) follows at character 10 or later, and the text behind the opening mark, trimmed,
// begins with a date of the years 1500 to 2200. The weekday between is not looked at.
QString ImportKopfzeileDatum(const QString& zeile, const QString& vor, const QString& nach);

// The entries of an export text in file order. Lines end at CR LF, LF or CR. An entry is a
// heading line and the lines up to the next one; its text begins behind the closing mark (and
// up to nachLeer blanks), the one empty line that ends a record in the export layout is not
// part of it, blanks at its end go. Lines before the first heading, and records whose text is
// only blanks and line breaks, give nothing.
std::vector<ImportEintrag> ImportEintraegeLesen(const QString& text, const QString& vor,
                                                const QString& nach, int nachLeer = 1);

// The line of the preview list and the preview file: the day, a blank, the text with "~" for
// each line break.
QString ImportVorschauZeile(const ImportEintrag& eintrag);

// The merge modes of kombiIntegration, in list order.
enum ImportModus {
    importErsetzen = 0, // the entry is replaced
    importAnhaengen = 1, // appended behind a line break unless the entry holds it already
    importVoranstellen = 2, // put in front, followed by a line break, unless the entry holds it
    importNurLeere = 3, // only a day without entry takes the new text
};
// The entry after merging neu into eintrag in that mode (exact, case-sensitive test whether the
// entry holds the new text already). A day without entry takes the new text alone.
QString ImportZusammenfuehren(const QString& eintrag, const QString& neu, int modus);

class Import : public platform::Form {
public:
    explicit Import(QWidget* parent = nullptr);

    QLabel* LabelLokal;
    QPushButton* befDatei;
    QLabel* bezQuellDatei;
    QLabel* Label5;
    std::array<QLineEdit*, 2> txtVorNach{};
    QLabel* Label6;
    QPushButton* befVorschau;
    QListWidget* ListeVorschau;
    QLabel* bezVorschauInfo;
    QLabel* Label7;
    QComboBox* kombiIntegration;
    QLabel* Label8;
    QLabel* Label3;
    QLabel* Label4;
    std::array<QComboBox*, 2> kombiTxtZusatz{};
    QLabel* Bezeichnung9;
    QLabel* Label1;
    QPushButton* befOk;
    QPushButton* BefAbruch;
    QLabel* Bezeichnung12;
    QCheckBox* chkFotoTxt;

    // The preview file: ordnerDat + "/x-import.tmp".
    static QString vorschauDatei();
    // The entries of the last preview.
    const std::vector<ImportEintrag>& vorschau() const { return eintraege_; }

    void befDatei_Click();
    void befVorschau_Click();
    void befOk_Click();
    void BefAbruch_Click();
    void ListeVorschau_DblClick();
    void chkFotoTxt_Click();
    void txtVorNach_Change();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();

    void ImportBereichMelden();
    void vorschauVerwerfen();
    void quelleSetzen(const QString& datei);
    std::vector<ImportEintrag> fotoEintraege();

    std::vector<ImportEintrag> eintraege_;
    QString vorschauQuelle_; // the file the preview was built from
    int nachLeer_ = 1;
    bool fotoModus_ = false;
    bool laeuft_ = false;
};

} // namespace print
