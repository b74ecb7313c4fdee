#include "platform_services.h"

#include "dialogs.h"
#include "help.h"
#include "runtime_hooks.h"

namespace platform {

void installPlatformServices()
{
    installRuntimeHooks();
    // The service is asked at the moment of the click, so a replaced one is used too.
    setDialogHelpHandler(
        [](const HelpTopic& topic) { help().showTopic(topic.file, topic.context); });
}

} // namespace platform
