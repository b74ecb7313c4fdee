#include "form.h"

#include "actions.h"
#include "screen.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

const char* const tagProperty = "Tag";

std::vector<FormCore*>& registry()
{
    static std::vector<FormCore*> forms;
    return forms;
}

void forget(FormCore* form)
{
    std::vector<FormCore*>& forms = registry();
    forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

bool isControl(const QObject* object)
{
    const QString name = object->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"))
        && !qobject_cast<const QLayout*>(object);
}

// Depth first in the order of each object's children; another window of the program (a dialog
// whose parent is this window) has controls of its own.
void collectControls(const QObject* parent, QList<QObject*>& controls)
{
    for (QObject* child : parent->children()) {
        if (dynamic_cast<FormCore*>(child))
            continue;
        if (isControl(child))
            controls.append(child);
        collectControls(child, controls);
    }
}

int pixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// FormCore

FormCore::FormCore(QWidget* self) : self_(self)
{
    registry().push_back(this);
}

FormCore::~FormCore()
{
    forget(this);
}

QString FormCore::name() const
{
    return self_->objectName();
}

void FormCore::Form_QueryUnload(bool& /*cancel*/, UnloadMode /*unloadMode*/) {}

void FormCore::Form_Unload(bool& /*cancel*/) {}

bool FormCore::unload(UnloadMode mode)
{
    if (unloaded_ || unloading_)
        return true;
    // Held while the handlers run, so that nothing they start destroys the object under them.
    KeepAlive keep(*this);
    struct Unloading {
        bool& flag;
        explicit Unloading(bool& f) : flag(f) { flag = true; }
        ~Unloading() { flag = false; }
    } unloading(unloading_);

    bool cancel = false;
    Form_QueryUnload(cancel, mode);
    if (!cancel)
        Form_Unload(cancel);
    if (cancel)
        return false;

    unloaded_ = true;
    forget(this);
    self_->hide();
    deletePending_ = true; // done by the last KeepAlive, at the latest by keep above
    return true;
}

FormCore::KeepAlive::KeepAlive(FormCore& form) : widget_(form.widget()), form_(&form)
{
    ++form_->keepAlive_;
}

FormCore::KeepAlive::~KeepAlive()
{
    if (!widget_)
        return;
    if (--form_->keepAlive_ == 0 && form_->deletePending_)
        form_->releaseObject();
}

void FormCore::releaseObject()
{
    deletePending_ = false;
    self_->deleteLater();
}

QList<QObject*> FormCore::controls() const
{
    QList<QObject*> found;
    collectControls(self_, found);
    return found;
}

QObject* FormCore::control(const QString& name) const
{
    const QList<QObject*> all = controls();
    const auto match = std::find_if(all.begin(), all.end(), [&name](const QObject* control) {
        return control->objectName().compare(name, Qt::CaseInsensitive) == 0;
    });
    return match == all.end() ? nullptr : *match;
}

TwipsGeometry FormCore::geometryTwips() const
{
    Screen& metrics = screen();
    const double x = metrics.twipsPerPixelX();
    const double y = metrics.twipsPerPixelY();
    const QPoint position = self_->pos();
    const QSize size = self_->size();
    return {position.x() * x, position.y() * y, size.width() * x, size.height() * y};
}

void FormCore::moveTwips(double left, double top, double width, double height)
{
    Screen& metrics = screen();
    const double x = metrics.twipsPerPixelX();
    const double y = metrics.twipsPerPixelY();
    self_->move(pixels(left, x), pixels(top, y));
    if (isSizable())
        self_->resize(pixels(width, x), pixels(height, y));
}

int FormCore::windowStateVb() const
{
    const Qt::WindowStates state = self_->windowState();
    if (state.testFlag(Qt::WindowMinimized))
        return vbMinimized;
    if (state.testFlag(Qt::WindowMaximized))
        return vbMaximized;
    return vbNormal;
}

void FormCore::setWindowStateVb(int state)
{
    switch (state) {
    case vbMinimized:
        self_->setWindowState(Qt::WindowMinimized);
        break;
    case vbMaximized:
        self_->setWindowState(Qt::WindowMaximized);
        break;
    case vbNormal:
        self_->setWindowState(Qt::WindowNoState);
        break;
    default:
        break;
    }
}

void FormCore::setBorderStyle(int style)
{
    if (style < borderNone || style > borderSizableToolWindow)
        return;
    borderStyle_ = style;
    if (isSizable()) {
        self_->setMinimumSize(0, 0);
        self_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (self_->isVisible()) {
        lockSizeWhenFixed();
    }
}

bool FormCore::isSizable() const
{
    return borderStyle_ == borderSizable || borderStyle_ == borderSizableToolWindow;
}

bool FormCore::minButton() const
{
    return self_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint);
}

void FormCore::setMinButton(bool on)
{
    setTitleButton(Qt::WindowMinimizeButtonHint, on);
}

bool FormCore::maxButton() const
{
    return self_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint);
}

void FormCore::setMaxButton(bool on)
{
    setTitleButton(Qt::WindowMaximizeButtonHint, on);
}

void FormCore::setTitleButton(Qt::WindowType hint, bool on)
{
    Qt::WindowFlags flags = self_->windowFlags();
    if (flags.testFlag(hint) == on)
        return;
    // With CustomizeWindowHint the title bar shows the buttons the flags name, no others.
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
    flags.setFlag(hint, on);
    if (on && (flags & Qt::WindowType_Mask) == Qt::Dialog)
        flags = (flags & ~Qt::WindowType_Mask) | Qt::Window;
    const bool visible = self_->isVisible();
    self_->setWindowFlags(flags);
    if (visible)
        self_->show(); // changing the flags hides a window
}

void FormCore::lockSizeWhenFixed()
{
    if (!isSizable())
        self_->setFixedSize(self_->size());
}

void FormCore::handleCloseEvent(QCloseEvent* event)
{
    // unload() hides the window; when a handler cancels, it stays.
    event->setAccepted(unload(UnloadMode::ControlMenu));
}

void FormCore::handleShowEvent()
{
    lockSizeWhenFixed();
}

// ---------------------------------------------------------------------------------------------
// The list of windows

std::vector<FormCore*> openForms()
{
    return registry();
}

bool isLoaded(const FormCore* form)
{
    const std::vector<FormCore*>& forms = registry();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

FormCore* activeForm()
{
    QWidget* active = QApplication::activeWindow();
    if (!active)
        return nullptr;
    for (FormCore* form : registry()) {
        if (form->widget() == active)
            return form;
    }
    return nullptr;
}

FormCore* findForm(const QString& name)
{
    for (FormCore* form : registry()) {
        if (form->name().compare(name, Qt::CaseInsensitive) == 0)
            return form;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Form and MainForm

Form::Form(QWidget* parent) : QDialog(parent), FormCore(this) {}

void Form::showModal()
{
    if (isUnloaded())
        return;
    KeepAlive keep(*this);
    exec();
}

void Form::setCancelButton(QAbstractButton* button)
{
    cancelButton_ = button;
}

void Form::closeEvent(QCloseEvent* event)
{
    handleCloseEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled())
            cancelButton_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    handleShowEvent();
}

MainForm::MainForm(QWidget* parent) : QMainWindow(parent), FormCore(this) {}

void MainForm::closeEvent(QCloseEvent* event)
{
    handleCloseEvent(event);
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    handleShowEvent();
}

// ---------------------------------------------------------------------------------------------
// Tag and Enabled

void setTag(QObject* control, const QString& tag)
{
    if (control)
        control->setProperty(tagProperty, tag);
}

QString tag(const QObject* control)
{
    return control ? control->property(tagProperty).toString() : QString();
}

std::optional<bool> controlEnabled(const QObject* control)
{
    if (const auto* menu = qobject_cast<const QMenu*>(control))
        return actionEnabled(menu->menuAction());
    if (const auto* widget = qobject_cast<const QWidget*>(control))
        return !widget->testAttribute(Qt::WA_ForceDisabled);
    if (const auto* action = qobject_cast<const QAction*>(control))
        return actionEnabled(action);
    if (const auto* timer = qobject_cast<const QTimer*>(control))
        return timer->isActive();
    return std::nullopt;
}

bool setControlEnabled(QObject* control, bool enabled)
{
    if (auto* menu = qobject_cast<QMenu*>(control)) {
        setActionEnabled(menu->menuAction(), enabled);
        return true;
    }
    if (auto* widget = qobject_cast<QWidget*>(control)) {
        widget->setEnabled(enabled);
        return true;
    }
    if (auto* action = qobject_cast<QAction*>(control)) {
        setActionEnabled(action, enabled);
        return true;
    }
    if (auto* timer = qobject_cast<QTimer*>(control)) {
        if (!enabled)
            timer->stop();
        else if (!timer->isActive() && timer->interval() > 0)
            timer->start();
        return true;
    }
    return false;
}

} // namespace platform
