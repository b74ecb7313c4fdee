#pragma once
// The window "Zeitleiste": every entry day of the open diary as a stroke on one time axis, by
// default from 1 January of the first entry's year to 31 December of the last one's. Pointing
// at the axis shows the day under the pointer (drawn to a nearby entry day), its entry, long
// date, calendar week, holiday and distance from today; the range narrows or widens around the
// pointed day, or becomes its year or the whole diary again. The main menu opens a fresh one
// each time:
//
//   if (platform::FormCore* alt = platform::findForm(QStringLiteral("Zeitleiste")))
//       alt->unload();
//   QCoreApplication::processEvents();
//   auto* zeitleiste = new views::Zeitleiste;
//   zeitleiste->showModal();                 // returns when "&Zurück" hides it
//
// The window only reads: the day index and the day files. It never moves the main window.
// Positions on the axis are twips (1/1440 inch), converted from the screen's pixels once, when
// the window is made.
#include "platform/form.h"
#include "runtime/dates.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace platform {
class ActionRegistry;
class StatusPanels;
} // namespace platform

namespace views {

class Zeitachse;

class Zeitleiste : public platform::Form {
    Q_OBJECT

public:
    explicit Zeitleiste(QWidget* parent = nullptr);
    ~Zeitleiste() override;

    // The displayed range (nothing: not set yet, the next redraw takes the whole diary), its
    // length in days (at least 100 after every redraw) and the day last pointed at.
    std::optional<rt::VbDate> leisteVon;
    std::optional<rt::VbDate> leisteBis;
    qint32 leisteTage = 0;
    std::optional<rt::VbDate> leisteTag;

    // The colour of the marker on an entry day.
    static QColor markerEintragFarbe();

    // The handlers. X and Y are twips from the axis's top left corner.
    void TimerRefresh_Timer();
    void mnuRefresh_Click();
    void mnuZoom_Click(int index);
    void mnuZurück_Click();
    void picZeitleiste_MouseMove(int button, int shift, double x, double y);

    // The usable width of the axis in twips: its inner width less 15.
    double achsenBreite() const;
    // Where the last redraw put the strokes that lie on the axis, in twips from its left.
    const std::vector<double>& striche() const { return striche_; }
    // Where the marker stands, in twips from the axis's left.
    double markerX() const { return markerX_; }

    // The controls.
    QWidget* picZeitleiste = nullptr;
    QWidget* LineZeitleiste = nullptr;
    QLabel* bezZeitleisteDatum = nullptr;
    QLabel* bezZeitleisteText = nullptr;
    QLabel* bezDateVon = nullptr;
    QLabel* bezDateBis = nullptr;
    QLabel* bezDateDiff = nullptr;
    platform::StatusPanels* StatusBar = nullptr;
    QTimer* TimerRefresh = nullptr;
    platform::ActionRegistry* menues = nullptr;
    QMenu* mnuZeitleisteX = nullptr;
    QAction* mnuRefresh = nullptr;
    QAction* mnuZurück = nullptr;
    QMenu* mnuBereichx = nullptr;
    std::array<QAction*, 4> mnuZoom{};

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class Zeitachse;

    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();
    void markerSetzen(double x, const QColor& farbe);

    Zeitachse* achse_ = nullptr;
    double twipsX_ = 15; // twips per pixel, taken once from the screen
    double twipsY_ = 15;
    std::vector<double> striche_;
    // The entry days of the last redraw as serial day numbers, ascending.
    std::vector<qint64> eintragsTage_;
    double markerX_ = 0;
    bool zeigt_ = false; // a pointer move is being handled (loading may ask for a password)
};

} // namespace views
