#include "main_hooks.h"

#include "platform/actions.h"
#include "platform/main_port.h"

#include <QAction>

namespace mainwindow {

namespace {
MainHooks hooks;
}

MainHooks& mainHooks()
{
    return hooks;
}

void resetMainHooks()
{
    hooks = MainHooks();
}

void befehlAusfuehren(const std::function<void()>& hook, const QString& actionName)
{
    if (hook) {
        hook();
        return;
    }
    platform::MainPort* main = platform::mainPort();
    if (main == nullptr || main->widget() == nullptr)
        return;
    if (platform::ActionRegistry* actions = platform::ActionRegistry::of(main->widget())) {
        if (QAction* action = actions->action(actionName))
            action->trigger();
    }
}

} // namespace mainwindow
