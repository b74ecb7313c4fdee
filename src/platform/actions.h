#pragma once
// Menu entries and tool-bar buttons by name: every QAction of a window's menus and tool bar is
// registered under the name the program uses for it ("PulTagVor", "mnuSuchen", "btnPrint"),
// found by that name, and triggered by it. Elements of a menu array carry their index in the
// name: indexedName("mnuZuletzt", 1) is "mnuZuletzt(1)".
//
//   auto* actions = new platform::ActionRegistry(this);         // one per window, its child
//   QMenu* datei = actions->addMenu(menuBar(), u"PulDatei"_qs, u"&Korvanel"_qs);
//   actions->addAction(datei, u"PulLaden"_qs, u"Ö&ffnen..."_qs, QKeySequence(u"Ctrl+O"_qs));
//   actions->addSeparator(datei, u"Strich1"_qs);
//   connect(actions->action(u"PulLaden"_qs), &QAction::triggered, this, &Main::PulLaden_Click);
//
// Enabled works as it did for menus: an entry can be used only when it is enabled itself and
// every menu above it is enabled. Qt greys out the entries of a disabled menu but still runs
// their shortcuts; here disabling a menu disables the entries below it, shortcuts included, and
// enabling it again gives each entry back its own state. Set Enabled through setEnabled() here,
// setActionEnabled() or setControlEnabled() (form.h), not through QAction::setEnabled().
//
// While a text box of the window has the focus, a shortcut that an enabled entry owns runs the
// entry, also where the text box has a meaning of its own for the key (Ctrl+A, Ctrl+C, Ctrl+X,
// Ctrl+V, Ctrl+Z): the entry's command decides what happens to the text.
#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace platform {

class ActionRegistry : public QObject {
    Q_OBJECT

public:
    // window owns the registry (it becomes the registry's parent).
    explicit ActionRegistry(QWidget* window);

    // The registry of the window that widget belongs to; nullptr when that window has none.
    static ActionRegistry* of(const QWidget* widget);

    // A menu in the menu bar or below another menu. The QMenu gets name as its object name.
    QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption);
    QMenu* addMenu(QMenu* parent, const QString& name, const QString& caption);
    // An entry of a menu.
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption,
                       const QKeySequence& shortcut = {});
    // A separator line (the caption "-" of a menu tree), drawn without text, registered under
    // name like any entry.
    QAction* addSeparator(QMenu* menu, const QString& name);
    // An action made elsewhere (a tool-bar button, an entry of a drop-down button), registered
    // under name; it gets name as its object name. A name registered before is replaced.
    void registerAction(const QString& name, QAction* action);

    // By name, without regard to case; for a menu its menu action. nullptr when not registered.
    QAction* action(const QString& name) const;
    // The menu of that name; nullptr when there is none.
    QMenu* menu(const QString& name) const;
    // The names in the order of registration.
    QStringList names() const { return order_; }

    // Runs the entry as a click would: only when it exists, is enabled (with every menu above
    // it) and visible. Returns whether it ran.
    bool trigger(const QString& name);

    // The entry's own Enabled state, and setting it (see above). Unknown names: false / nothing.
    bool isEnabled(const QString& name) const;
    void setEnabled(const QString& name, bool enabled);

    // Whether an enabled, visible registered entry has the key combination as its shortcut.
    bool ownsShortcut(QKeyCombination key) const;

private:
    QHash<QString, QAction*> byName_; // keys lower-cased
    QHash<QString, QMenu*> menus_;
    QStringList order_;
};

// "name(index)": the name of an element of a menu array.
QString indexedName(const QString& name, int index);

// The own Enabled state of an action: what was last set for it, whatever the menus above it say.
bool actionEnabled(const QAction* action);
// Sets the own state. The action is usable when its own state and that of every menu it sits in
// are enabled; for the menu action of a submenu, the entries below follow.
void setActionEnabled(QAction* action, bool enabled);

} // namespace platform
