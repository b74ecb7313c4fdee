#pragma once
// The window "Zoom": edits a short text in a large font of free size and shows while typing
// where the caret stands and how much of the permitted length is used. Its opener fills it,
// shows it modally and reads the result afterwards; the window only hides itself:
//
//   auto* zoom = new views::ZoomText;                  // font size from "ZoomFntSize"
//   zoom->Text->setText(text);                         // CR LF line ends
//   zoom->Text->setMaxLength(1024);
//   zoom->setWindowTitle(QStringLiteral("Zoom (Neues Stichwort)"));
//   zoom->showModal();
//   if (!zoom->abgebrochen())                          // Ok, or the close box
//       text = zoom->Text->text();
//   zoom->unload();
//
// Ok (also the close box) stores the font size in Brisol.ini ("ZoomFntSize", points times 100)
// and the window's position; Cancel stores nothing. Sizes stay within 4 and 99 points.
#include "platform/form.h"

#include <QString>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace platform {
class ActionRegistry;
class StatusPanels;
class TextBox;
} // namespace platform

namespace views {

class ZoomText : public platform::Form {
    Q_OBJECT

public:
    explicit ZoomText(QWidget* parent = nullptr);

    // Cancelled: Abbruch is ticked (Cancel); not ticked after Ok and the close box.
    bool abgebrochen() const;

    // The smallest and the largest font size in points.
    static constexpr double kleinsteGroesse = 4;
    static constexpr double groessteGroesse = 99;

    // The handlers.
    void befOk_Click();
    void befAbbrechen_Click();
    void befFontSize_Click(int index);
    void mnuSchriftSize_Click(int index);
    void mnuTxtPrint_Click();
    void Text_KeyDown(int& keyCode, int shift);
    void Text_DblClick();
    void ZeitInfo_Timer();

    // The controls.
    platform::TextBox* Text = nullptr;
    QCheckBox* Abbruch = nullptr;
    QPushButton* befOk = nullptr;
    QPushButton* befAbbrechen = nullptr;
    std::array<QPushButton*, 3> befFontSize{};
    QLabel* bezProzent = nullptr;
    QFrame* ShapeProzent1 = nullptr;
    QFrame* ShapeProzent2 = nullptr;
    platform::StatusPanels* StatusBar = nullptr;
    QTimer* ZeitInfo = nullptr;
    platform::ActionRegistry* menues = nullptr;
    QMenu* mnuZoom = nullptr;
    QAction* mnuOk = nullptr;
    QAction* mnuAbbrechen = nullptr;
    QMenu* mnuText = nullptr;
    QAction* mnuTxtPrint = nullptr;
    QMenu* mnuSchrift = nullptr;
    std::array<QAction*, 4> mnuSchriftSize{};

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectHandlers();
    void Form_Load();
    void schriftGroesseSetzen(double punkte);
    void fuellBalkenSetzen();

    int fuellLaenge_ = 0; // the length the fill bar shows
};

} // namespace views
