#pragma once
// The main window "Main": the editor Text with the day's entry, the date label BezDatum with its
// row of date buttons, the mood slider, the day's picture, the Einzug and reference labels, the
// tool bar Coolbar, the menu bar and the status bar with its keyed panels.
//
//   auto* main = new mainwindow::Main;      // builds the controls, registers itself
//   main->Form_Load();                      // start-up services, settings, today's date
//   main->show();
//   store::korvanelKuerzel = u"Txt"_qs;
//   main->KorvanelUmgebung(u"05.03.2024"_qs);
//
// Every window moves the main window to a day only by setting BezDatum's caption (through
// platform::MainPort::setDateCaption); the change event saves the old day first.
#include "platform/form.h"
#include "platform/main_port.h"
#include "store/store_host.h"

#include <QString>
#include <array>

class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QToolBar;
class QToolButton;

namespace platform {
class ActionRegistry;
class DateLabel;
class StatusPanels;
class TextBox;
} // namespace platform

namespace mainwindow {

class Main : public platform::MainForm, public platform::MainPort, public store::StoreHost {
    Q_OBJECT
public:
    Main();
    ~Main() override;

    // The load: start-up services in their order, read-only lock-down, settings, layout and
    // today's date. Ends the program (ordered) where a start-up service says so.
    void Form_Load();
    // Lays the controls out from the window's inner size and shows the picture at its size.
    void Form_Resize();
    void MainVorgabenLaden();
    void MainVorgabenSichern();

    // Goes to the day of BezDatum's caption: saves the old day, shows the new one.
    void TagWechseln();
    // Sets the window up for the diary store::korvanelKuerzel and shows the day datum.
    void KorvanelUmgebung(const QString& datum);
    // Opens the diary name of the data folder at the day datum (a link in an entry).
    void KorvanelHypersprung(const QString& name, const QString& datum);

    // The day's picture and the count of the day's pictures.
    void TagesbildLaden();
    void TagesbildZuordnen();
    void TagesbildZuordnungLoeschen();
    void TagesbilderZaehlen();

    // Leaves the program in order: saves the entry and the window's settings, releases the
    // reservation, counts the run and ends.
    void PulBeenden();

    // The menu's commands and every way out of the program connected to this window (called
    // once by the constructor; main_window_commands.cpp).
    void befehleVerbinden();
    // The procedures of this window that other layers call (main_hooks.h, the commands, the
    // editor's helpers), set in one place; the destructor clears them.
    void hooksSetzen();
    void hooksLoesen();
    // The desktop session ends: the ordered shutdown, as through the close box. False when the
    // user keeps the program open (an entry that cannot be saved), so the session's end is
    // cancelled.
    bool sitzungBeenden();

    // While a day is being loaded: changes of the editor and the slider are not edits.
    bool tagWirdGeladen() const { return laden_ > 0; }

    // The notification area (a minimise with "Min2Tray" = "1" goes there) and the double-clicks
    // on the status panels; made by the constructor (main_window_tray.cpp).
    void trayUndPanelsVerbinden();
    class TrayIcon* tray = nullptr;

    // Controls, named as the program's procedures name them.
    platform::TextBox* Text = nullptr;
    platform::DateLabel* BezDatum = nullptr;
    QLabel* BezWochentag = nullptr;
    QLabel* BezWieLange = nullptr;
    QLabel* BezWieLange2 = nullptr;
    QLabel* bezDCI = nullptr;
    QLabel* bezPicture = nullptr;
    QLabel* bezStimmung = nullptr;
    QLabel* ImageNotToday = nullptr;
    QLabel* BackPic = nullptr;
    QSlider* LaufStimmung = nullptr;
    QToolBar* Coolbar = nullptr;
    std::array<QPushButton*, 10> BefDatumWechsel{}; // index 3 stays empty
    platform::StatusPanels* panels = nullptr;
    platform::ActionRegistry* actions = nullptr;

    // platform::MainPort
    QString dateCaption() const override;
    void setDateCaption(const QString& caption) override;
    QString text() const override;
    void setText(const QString& text) override;
    int selStart() const override;
    void setSelStart(int start) override;
    int selLength() const override;
    void setSelLength(int length) override;
    QString selText() const override;
    void setSelText(const QString& text) override;
    QFont textFont() const override;
    bool insertText(const QString& text) override;
    bool runMenuEntry(const QString& name) override;
    QString panelText(const QString& key) const override;
    void setPanelText(const QString& key, const QString& text) override;
    void refreshStatusBar() override;
    int mousePointer() const override;
    void setMousePointer(int shape) override;
    QString caption() const override;
    void setCaption(const QString& caption) override;
    QIcon icon() const override;
    platform::TwipsGeometry geometryTwips() const override;
    QWidget* widget() const override;
    QPalette textPalette() const override;

    // store::StoreHost
    QString editorText() const override;
    int stimmung() const override;
    void setStimmung(int wert) override;
    void setPanelToolTip(const QString& key, const QString& toolTip) override;
    void repaintStatusBar() override;
    QString zuletztCaption(int index) const override;
    void setZuletztCaption(int index, const QString& caption) override;
    void setZuletztVisible(int index, bool visible) override;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void menusAufbauen();
    void werkzeugleisteAufbauen();
    void datumsleisteAufbauen(QWidget* flaeche);
    void statusleisteAufbauen();
    void nurLesenSperren();
    void anordnen();
    void EintragAnzeigen();
    void Text_Change();
    void LaufStimmung_Verschieben();
    void bezDCI_DblClick();
    void bezugZeileAnzeigen();
    // The editor after a load: locked with a message when the entry could not be read.
    void eintragSperren(const QString& meldung);
    void hintergrundbildLaden();

    // The editor's keys, mouse and drops, the moves, the commands of "&Bearbeiten" and the
    // popup menu mnuPopUp with its adaptation on opening (main_window_editor.cpp).
    void editorVerbinden();
    void popupAnpassen();

    QWidget* flaeche_ = nullptr;     // the central area holding the controls
    int laden_ = 0;                  // > 0 while a day is being loaded
    bool ohneTagWechsel_ = false;    // caption set back without a change of day
    bool eintragGesperrt_ = false;   // the shown entry could not be read
    bool imLayout_ = false;
    QString letzterGueltigerTag_;    // the last day shown successfully
    QString gezeigtesBild_;          // the picture file shown in bezPicture, "" when none
    QString stimmungKorvanel_;       // the diary the mood slider was set up for
};

} // namespace mainwindow
