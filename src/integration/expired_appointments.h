#pragma once
// The window "Altes" (caption "Abgelaufene Termine"): the expired appointments of the planner's
// archive "Zindor.old", one per line "dd.mm.yyyy text" ("°°" in the text stands for a line
// break), filtered, sorted by date, previewed, copied, printed and handed to the diary.
//
//   commands::zindorArchivDatei = ordner + u"/Zindor.old"_qs;   // the opener's row does this
//   auto* fenster = new integration::Altes(main);
//   fenster->txtFilter->addItem(...);                           // presets of the opener
//   fenster->showModal();        // TimerInit reads the archive once it shows
//   fenster->unload();
//
// The archive is read as Windows-1252 with the planner's DOS umlauts turned into letters
// (foundation::DosNachAnsi); only a plain file of sane size is read, and it is never written.
// Shift+F4 hands the selected appointment to the day it names (integration::TextUebergeben).
#include "platform/form.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTimer;

namespace platform {
class StatusPanels;
} // namespace platform

namespace integration {

class Altes : public platform::Form {
public:
    explicit Altes(QWidget* parent = nullptr);

    // The most lines the list holds; the oldest lines of the file go first.
    static constexpr int zeilenGrenze = 32000;
    // The largest archive that is read.
    static constexpr qint64 groessteDatei = 256LL * 1024 * 1024;

    QGroupBox* RahmenListe = nullptr;
    QGroupBox* RahmenMeldung = nullptr;
    QListWidget* Liste = nullptr;
    QComboBox* txtFilter = nullptr;
    QLabel* BezFilter = nullptr;
    QLabel* BezÜbergabe = nullptr;
    QPushButton* befListeLesen = nullptr;
    QPushButton* befListeKopieren = nullptr;
    QPushButton* befListeDrucken = nullptr;
    QPushButton* befExportKorvanel = nullptr;
    QPushButton* befKopieren = nullptr;
    QPushButton* befLöschen = nullptr;
    QPushButton* befEinfügen = nullptr;
    QPushButton* BefZurück = nullptr;
    QStatusBar* StatusBar = nullptr;
    platform::StatusPanels* panels = nullptr; // "Status", "Position", "Date", "DateWT", "DateKW"
    QTimer* TimerInit = nullptr;

    // Counters of the last read.
    int zeilenGelesen = 0;
    int zeilenGelistet = 0;

    void befListeLesen_Click();
    void TimerInit_Timer();
    void Liste_Click();
    void Liste_DblClick();
    void befListeKopieren_Click();
    void befListeDrucken_Click();
    void BefZurück_Click();
    // Shift+F4: the selected appointment to the diary.
    void TerminUebergeben();
    // Key up with key code and the VB shift state (1 Shift, 2 Ctrl, 4 Alt).
    void Form_KeyUp(int keyCode, int shift);

    // Sorts the lines by year, month, day and text, dropping lines equal to the one before.
    static QStringList TermineSortieren(const QStringList& zeilen);

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();
    // The archive's lines as the list shows them; false when the file could not be read.
    bool archivLesen(const QString& muster, QStringList& liste);
    void status(const QString& text);
};

} // namespace integration
