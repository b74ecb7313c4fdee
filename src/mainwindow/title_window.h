#pragma once
// The title window Titel, the program's start object: it shows the product name, the version and
// a picture of the day while its timer Zeit steps the start-up, offers two held-key displays
// (Ctrl alone: usage statistics; Ctrl+Alt: the folders in use), switches the debug log on when
// asked (Ctrl+Shift or "#debug" on the command line), then brings up the main window and unloads
// itself.
//
//   mainwindow::setHauptfensterZeigen([](std::optional<int> fensterStatus) {
//       ... create (and so load) the main window ...
//       if (fensterStatus)
//           main->setWindowStateVb(*fensterStatus);
//       main->show();
//   });
//   mainwindow::Titel::starten();
//
// The main window's load unloads the title window when it is done; should it not, the next tick
// of Zeit does.
#include "platform/form.h"

#include <QFont>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QPaintEvent;
class QResizeEvent;
class QTimer;

namespace mainwindow {

// Brings up the main window: creates it (which loads it), gives it the window state when one is
// given (platform::vbNormal, vbMinimized, vbMaximized; nullopt: it keeps the state of its own
// load) and shows it modeless. Returns the hook it replaces.
using HauptfensterZeigen = std::function<void(std::optional<int> fensterStatus)>;
HauptfensterZeigen setHauptfensterZeigen(HauptfensterZeigen zeigen);

// The number of the occasion picture for a day (0 to 10), nullopt for a day without one.
std::optional<int> feierBildNummer(int jahr, int monat, int tag);

class Titel : public platform::Form {
    Q_OBJECT

public:
    explicit Titel(QWidget* parent = nullptr);

    // Loads the title window and shows it unless the title display is switched off ("TitelAus");
    // its timer runs either way.
    static Titel* starten();

    // Whether the load left the title display on (shown by starten()).
    bool titelAnzeige() const { return titelAnzeige_; }

    // The handlers.
    void Zeit_Timer();

    // What the start-up has counted and remembered.
    int zeitTicks() const { return zeitTicks_; }
    int startFensterStatus() const { return startFensterStatus_; }

    // The product name as it is painted: its font and the top left of the orange text.
    QFont titelSchrift() const { return titelSchrift_; }
    QPoint titelPosition() const { return titelPosition_; }

    // The controls.
    QTimer* Zeit = nullptr;
    QLabel* bezInfoDo = nullptr;
    QLabel* bezInfoGroß = nullptr;
    QLabel* BezAutor = nullptr;
    std::array<QLabel*, 1> Emblem{};
    std::array<QLabel*, 11> ImageFeier{};

protected:
    void Form_Unload(bool& cancel) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Form_Resize();
    void titelEinpassen();
    void zeitTick();
    // Hands the failure of a step to the error handler; true when the tick goes on.
    bool fehlerMelden(int fehlerNummer);

    int zeitTicks_ = 0;
    int startFensterStatus_ = platform::vbNormal;
    bool ersteGroesse_ = true;   // the next resize is the first
    bool titelAnzeige_ = true;   // the title display is on
    bool imTick_ = false;        // a tick is running (timers fire inside dialogs and loads)
    bool hauptfensterGezeigt_ = false;
    bool alteDebugDateiEntfernt_ = false;
    QFont titelSchrift_;
    QPoint titelPosition_;
};

} // namespace mainwindow
