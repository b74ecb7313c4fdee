#pragma once
// The window "Tips": one hint of the tips file Tipps.Bot in the program folder, chosen at random,
// shown at start-up (unless [Korvanel] "AutoTip" is 0) and from the menu (mnuTips).
//
//   auto* tipps = new commands::Tips(main);   // reads the tips, shows the first one
//   tipps->showModal();                       // "&Schließen", the close box or Escape end it
//   tipps->unload();
//
// The tips file is an INI file and a list at once: [Infos] "Frage" is the question above the
// tip and "Header" the caption ("{Major}" the major version in two digits); every other line
// that is not empty, not a section or comment line and holds no "=" is a tip, "~" a paragraph
// break, "{URL}" the product's web address. Tip numbers count from 0 in file order. Tip 0 is
// never chosen: the memory [Korvanel] "TippsZuletzt" starts as ".0000" and remembers the tips
// shown as "." and four digits each, keeping its oldest 50 characters, so once full it no
// longer changes, and after 10000 tries without a fresh tip tip 1 is shown.
#include "platform/form.h"

#include <QString>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace commands {

// The tips file: ordnerPrg + "/Tipps.Bot".
QString tippsDatei();

class Tips : public platform::Form {
public:
    explicit Tips(QWidget* parent = nullptr);

    QLabel* bezTip0 = nullptr;
    QLabel* bezTip = nullptr;
    QLabel* Anzeige = nullptr;
    QCheckBox* strgAutoTipp = nullptr;
    QPushButton* befNext = nullptr;
    QPushButton* befAbbrechen = nullptr;
    QListWidget* lstTipps = nullptr; // hidden: the tip lines in file order

    // The tip shown, as prepared (CR LF line breaks); bezTip shows it.
    QString tipp;

    void befNext_Click();
    void strgAutoTipp_Click();
    void befAbbrechen_Click();
    void KeineTippsAnzeigen();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;

private:
    void TippsLaden();
    void tippZeigen(const QString& text);

    QString datei_;
};

} // namespace commands
