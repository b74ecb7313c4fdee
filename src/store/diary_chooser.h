#pragma once
// The window "Korvanel öffnen": lists the diaries of the data folder (each "Info.<short name>"
// with its title), takes a short name typed by hand (which may name a new diary) and offers two
// days to show after the switch. It only collects the choice; the caller opens the diary.
//
//   auto* fenster = new store::Öffnen;
//   fenster->TxtName->setText(store::korvanelKuerzel);
//   fenster->optStartAt[1]->setText(<the date shown now>);
//   fenster->showModal();
//   const QString name = fenster->gewaehlterName();   // "" = cancelled
//   const QString datum = fenster->gewaehltesDatum(); // caption of the chosen start option
//   fenster->unload();
//
// A name reaches the caller only when it passes kuerzelGueltig (diary_title.h), whether it was
// typed, clicked or double-clicked.
#include "platform/form.h"

#include <QString>

#include <array>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace store {

// The start option last chosen (0: today, 1: the day shown); kept for the run and preselected
// whenever the chooser is loaded.
extern int startAt;

class Öffnen : public platform::Form {
public:
    explicit Öffnen(QWidget* parent = nullptr);

    QLineEdit* TxtName;
    QListWidget* ListeNamen;
    QListWidget* Datei; // the data folder's "Info.*" files (not shown)
    std::array<QRadioButton*, 2> optStartAt;
    QTimer* Zeit;
    QPushButton* befOk;
    QPushButton* befAbbrechen;

    void befOk_Click();
    void befAbbrechen_Click();
    void ListeNamen_Click();
    void ListeNamen_DblClick();
    void optStartAt_Click(int index);
    void Zeit_Timer();

    // The chosen short name; "" when the user cancelled.
    QString gewaehlterName() const;
    // The caption of the chosen start option ("dd.mm.yyyy").
    QString gewaehltesDatum() const;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listeFuellen();
};

// Tests: startAt back to 0.
void resetÖffnen();

} // namespace store
