#include "actions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

// The own Enabled state, kept beside the one Qt shows (which also follows the menus above).
const char* const ownEnabledProperty = "korvanelOwnEnabled";

QString nameKey(const QString& name)
{
    return name.toLower();
}

bool menusAboveEnabled(const QAction* action);

// Whether the entries of the menu can be used. A shown menu's state is up to date, since a
// change of a menu is passed down to its entries. Qt also disables what it hides: a hidden menu
// of the menu bar is the window's own popup menu, shown by the program, and counts with the
// state it was given; a hidden submenu cannot be reached, and neither can its entries.
bool menuUsable(const QMenu* menu)
{
    const QAction* menuAction = menu->menuAction();
    if (menuAction->isVisible())
        return menuAction->isEnabled();
    bool inMenuBar = false;
    for (QObject* container : menuAction->associatedObjects())
        inMenuBar = inMenuBar || qobject_cast<const QMenuBar*>(container) != nullptr;
    const QVariant own = menuAction->property(ownEnabledProperty);
    return inMenuBar && (!own.isValid() || own.toBool()) && menusAboveEnabled(menuAction);
}

// Whether every menu the action sits in is usable.
bool menusAboveEnabled(const QAction* action)
{
    for (QObject* container : action->associatedObjects()) {
        const auto* menu = qobject_cast<const QMenu*>(container);
        if (menu && menu->menuAction() != action && !menuUsable(menu))
            return false;
    }
    return true;
}

void applyEnabled(QAction* action)
{
    if (!action->property(ownEnabledProperty).isValid())
        action->setProperty(ownEnabledProperty, action->isEnabled());
    action->setEnabled(actionEnabled(action) && menusAboveEnabled(action));
    if (QMenu* submenu = action->menu()) {
        const QList<QAction*> entries = submenu->actions();
        for (QAction* entry : entries)
            applyEnabled(entry);
    }
}

} // namespace

ActionRegistry::ActionRegistry(QWidget* window) : QObject(window) {}

ActionRegistry* ActionRegistry::of(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    return widget->window()->findChild<ActionRegistry*>(QString(), Qt::FindDirectChildrenOnly);
}

QMenu* ActionRegistry::addMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menus_.insert(nameKey(name), menu);
    registerAction(name, menu->menuAction());
    menu->menuAction()->setObjectName(QString()); // the QMenu is the control of that name
    return menu;
}

QMenu* ActionRegistry::addMenu(QMenu* parent, const QString& name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menus_.insert(nameKey(name), menu);
    registerAction(name, menu->menuAction());
    menu->menuAction()->setObjectName(QString());
    applyEnabled(menu->menuAction());
    return menu;
}

QAction* ActionRegistry::addAction(QMenu* menu, const QString& name, const QString& caption,
                                   const QKeySequence& shortcut)
{
    auto* action = new QAction(caption, menu);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    menu->addAction(action);
    registerAction(name, action);
    applyEnabled(action);
    return action;
}

QAction* ActionRegistry::addSeparator(QMenu* menu, const QString& name)
{
    // No text: styles draw a separator's text beside its line.
    QAction* separator = menu->addSeparator();
    registerAction(name, separator);
    return separator;
}

void ActionRegistry::registerAction(const QString& name, QAction* action)
{
    if (!action)
        return;
    if (!action->parent())
        action->setParent(this);
    action->setObjectName(name);
    const QString key = nameKey(name);
    if (!byName_.contains(key))
        order_.append(name);
    byName_.insert(key, action);
}

QAction* ActionRegistry::action(const QString& name) const
{
    return byName_.value(nameKey(name));
}

QMenu* ActionRegistry::menu(const QString& name) const
{
    return menus_.value(nameKey(name));
}

bool ActionRegistry::trigger(const QString& name)
{
    QAction* found = action(name);
    if (!found || !found->isEnabled() || !found->isVisible())
        return false;
    if (QMenu* submenu = found->menu())
        emit submenu->aboutToShow(); // what opening the menu runs
    else
        found->trigger();
    return true;
}

bool ActionRegistry::isEnabled(const QString& name) const
{
    const QAction* found = action(name);
    return found && actionEnabled(found);
}

void ActionRegistry::setEnabled(const QString& name, bool enabled)
{
    if (QAction* found = action(name))
        setActionEnabled(found, enabled);
}

bool ActionRegistry::ownsShortcut(QKeyCombination key) const
{
    const QKeyCombination plain(key.keyboardModifiers() & ~Qt::KeypadModifier, key.key());
    for (const QAction* registered : byName_) {
        if (!registered->isEnabled() || !registered->isVisible())
            continue;
        const QList<QKeySequence> shortcuts = registered->shortcuts();
        for (const QKeySequence& shortcut : shortcuts) {
            if (shortcut.count() == 1 && (shortcut[0] == key || shortcut[0] == plain))
                return true;
        }
    }
    return false;
}

QString indexedName(const QString& name, int index)
{
    return name + u'(' + QString::number(index) + u')';
}

bool actionEnabled(const QAction* action)
{
    if (!action)
        return false;
    const QVariant own = action->property(ownEnabledProperty);
    return own.isValid() ? own.toBool() : action->isEnabled();
}

void setActionEnabled(QAction* action, bool enabled)
{
    if (!action)
        return;
    action->setProperty(ownEnabledProperty, enabled);
    applyEnabled(action);
}

} // namespace platform
