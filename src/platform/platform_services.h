#pragma once
// Connects the platform services to each other and to the runtime at start-up.
namespace platform {

// main() calls this once, before the first window: the runtime's hooks (installRuntimeHooks)
// and the Help button of the message and input boxes, which opens the help service at the
// box's topic. A higher layer may set a handler of its own afterwards (setDialogHelpHandler).
void installPlatformServices();

} // namespace platform
