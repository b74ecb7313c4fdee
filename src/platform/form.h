#pragma once
// The program's windows (VB's forms): the list of loaded windows in the order they were
// loaded, unloading by code told apart from closing by the user, destruction that waits until no
// handler of the window is on the stack, the controls of a window with their Tag texts, and the
// window's geometry in twips.
//
// A dialog, modal or modeless, derives from Form (a QDialog); the main window from MainForm (a
// QMainWindow). Both are a FormCore, which holds what the two share:
//
//   class Suchen : public platform::Form {
//   public:
//       Suchen() { setObjectName(QStringLiteral("Suchen")); ... build the controls ... }
//   protected:
//       void Form_QueryUnload(bool& cancel, platform::UnloadMode mode) override;
//   };
//
// Loading is construction: a window is in openForms() from its construction until it is
// unloaded (or destroyed). Show it with show() or, modal, with showModal(), which returns when
// the window is hidden or unloaded. unload() is VB's Unload; the close box and QWidget::close()
// are closing by other means (UnloadMode::ControlMenu) and go through the same handlers.
#include <QDialog>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QAbstractButton;
class QCloseEvent;
class QKeyEvent;
class QShowEvent;

namespace platform {

// Why a window is being unloaded (VB's UnloadMode).
enum class UnloadMode {
    ControlMenu = 0, // the close box, the window menu, QWidget::close()
    Code = 1,        // unload() by the program
    AppWindows = 2,  // the desktop session ends
    TaskManager = 3, // the system asks the program to end
};

// VB's BorderStyle: 2 and 5 may be sized by the user, the others keep their size.
inline constexpr int borderNone = 0;
inline constexpr int borderFixedSingle = 1;
inline constexpr int borderSizable = 2;
inline constexpr int borderFixedDialog = 3;
inline constexpr int borderFixedToolWindow = 4;
inline constexpr int borderSizableToolWindow = 5;

// VB's WindowState.
inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;

// Left, top, width and height in twips.
struct TwipsGeometry {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const TwipsGeometry&, const TwipsGeometry&) = default;
};

class FormCore {
public:
    virtual ~FormCore();
    FormCore(const FormCore&) = delete;
    FormCore& operator=(const FormCore&) = delete;

    QWidget* widget() const { return self_; }
    // The window's name: its objectName.
    QString name() const;

    // Unloads the window: runs Form_QueryUnload(cancel, mode), then Form_Unload(cancel). When
    // neither cancels, the window leaves openForms(), is hidden (which ends a modal display) and
    // is destroyed once no KeepAlive holds it, never while one of its handlers is on the stack
    // (QObject::deleteLater). Returns false when a handler cancelled. A window that is unloaded
    // already, or whose unload is running, answers true and runs nothing again.
    bool unload(UnloadMode mode = UnloadMode::Code);
    // True from the moment unload() succeeded: the object may still exist, the window does not.
    bool isUnloaded() const { return unloaded_; }

    // Keeps the window's object alive while it exists: a handler that pumps events (DoEvents,
    // waiting, a modal dialog of its own) holds one, because the window may be unloaded
    // meanwhile; afterwards it asks isUnloaded() before it goes on with the window.
    class KeepAlive {
    public:
        explicit KeepAlive(FormCore& form);
        ~KeepAlive();
        KeepAlive(const KeepAlive&) = delete;
        KeepAlive& operator=(const KeepAlive&) = delete;

    private:
        QPointer<QWidget> widget_;
        FormCore* form_;
    };

    // The controls of the window: its named descendants (objectName set and not beginning with
    // "qt_"): widgets, menus and their entries (QAction), timers (QTimer) and other named
    // objects, but no layouts and nothing inside another window of the program. They come in
    // the order of the object tree, depth first, each object's children in the order they became
    // its children, which for a window built in sections is the order of creation.
    QList<QObject*> controls() const;
    // The first control of that name (compared without regard to case); nullptr when none.
    QObject* control(const QString& name) const;

    // Geometry in twips (through the screen service's twips per pixel): left and top of the
    // window's frame, width and height of its inside, as Qt's pos() and size() give them, so
    // that storing and restoring never make a window grow by its frame.
    TwipsGeometry geometryTwips() const;
    // Moves and sizes the window in one call (VB's Move); a window of fixed size keeps its size.
    void moveTwips(double left, double top, double width, double height);

    // vbNormal, vbMinimized or vbMaximized; setting it on a hidden window takes effect when it
    // is shown.
    int windowStateVb() const;
    void setWindowStateVb(int state);

    // The border style (default borderSizable). A fixed style locks the window's present size
    // when it is shown (and at once when it is visible).
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    bool isSizable() const;

    // The minimise and maximise buttons of the title bar. Set them before the window is shown;
    // a dialog window that gets one becomes a normal window, as dialog windows have none.
    bool minButton() const;
    void setMinButton(bool on);
    bool maxButton() const;
    void setMaxButton(bool on);

protected:
    // self is the window itself (the QDialog or QMainWindow part of the derived class).
    explicit FormCore(QWidget* self);

    // VB's QueryUnload and Unload events; the defaults let the window go.
    virtual void Form_QueryUnload(bool& cancel, UnloadMode unloadMode);
    virtual void Form_Unload(bool& cancel);

    // For the derived widget classes: their closeEvent and showEvent hand over to these.
    void handleCloseEvent(QCloseEvent* event);
    void handleShowEvent();

private:
    void setTitleButton(Qt::WindowType hint, bool on);
    void lockSizeWhenFixed();
    void releaseObject();

    QWidget* self_;
    int borderStyle_ = borderSizable;
    int keepAlive_ = 0;
    bool unloading_ = false;
    bool unloaded_ = false;
    bool deletePending_ = false;
};

// The loaded windows, in the order they were loaded (VB's Forms collection). A loop that
// unloads them one by one asks isLoaded() before each step, since a handler that ran before
// may have unloaded a later window and pumped events, which destroys it:
//
//   for (FormCore* form : openForms())
//       if (isLoaded(form))
//           form->unload();
std::vector<FormCore*> openForms();
// Whether form is still in openForms(); the pointer is only compared, never followed.
bool isLoaded(const FormCore* form);
// The loaded window that is the active window of the application; nullptr when none is (or the
// active window is a message box).
FormCore* activeForm();
// The first loaded window of that name (compared without regard to case); nullptr when none.
FormCore* findForm(const QString& name);
// The first loaded window of that class; nullptr when none.
template <class T>
T* findForm()
{
    for (FormCore* form : openForms()) {
        if (T* match = dynamic_cast<T*>(form))
            return match;
    }
    return nullptr;
}

// A dialog window, modal or modeless. Escape does not hide it (Qt's dialogs would): it clicks
// the cancel button when one is set (VB's Cancel property), else it does nothing.
class Form : public QDialog, public FormCore {
    Q_OBJECT

public:
    explicit Form(QWidget* parent = nullptr);

    // Shows the window modal (VB's Show vbModal) and returns when it is hidden or unloaded. The
    // object stays alive until showModal returns, so the caller may read its controls then,
    // unless isUnloaded() says that it is gone.
    void showModal();

    void setCancelButton(QAbstractButton* button);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPointer<QAbstractButton> cancelButton_;
};

// The main window.
class MainForm : public QMainWindow, public FormCore {
    Q_OBJECT

public:
    explicit MainForm(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// The Tag text of a control (any QObject), kept as its dynamic property "Tag".
void setTag(QObject* control, const QString& tag);
QString tag(const QObject* control);

// The Enabled property of a control: a widget's own enabled flag (not the one it inherits from a
// disabled parent), a QAction's own enabled state (not the one it takes from a disabled menu
// above it, see actions.h), for a QMenu that of its menu action, and for a QTimer whether it
// runs. nullopt for an object without one.
std::optional<bool> controlEnabled(const QObject* control);
// Sets it; enabling a timer starts it unless it runs already or its interval is 0 (a VB timer
// with interval 0 never fires). Returns false, changing nothing, for an object without Enabled.
bool setControlEnabled(QObject* control, bool enabled);

} // namespace platform
