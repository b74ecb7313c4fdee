#pragma once
// Ending the program at once (VB's End). Nothing after a call of end() runs.
#include <functional>

namespace platform {

class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;

    // The real service runs the registered clean-ups (last registered first), flushes the
    // standard streams and ends the process with exitCode at once: no destructor, no event
    // handler and no further statement of the caller runs, so whatever must be kept has to be
    // written (and its file closed) before the call. The test service throws instead, so that
    // the rest of the caller does not run either.
    [[noreturn]] virtual void end(int exitCode) = 0;
};

ProgramEnd& programEnd();
ProgramEnd* setProgramEnd(ProgramEnd* replacement); // returns the one it replaces (nullptr: the real one)

// A step that must run when the program ends through end(), such as removing a file of this
// run. Clean-ups must not show windows and must not fail; a throwing one is passed over.
void registerCleanUp(std::function<void()> cleanUp);
// Runs the registered clean-ups, last registered first, each once, and forgets them.
void runCleanUps();
// Forgets them without running them (for tests).
void clearCleanUps();

// A request from outside to end the program: SIGTERM (the desktop session ending, a system
// shutdown, `kill`), SIGHUP (its terminal closed) or SIGINT (Ctrl+C in the terminal). Instead of
// the process dying with the entry unsaved, beenden runs on the user-interface thread from its
// event loop, where the ordered shutdown can save and release everything. A signal that was
// ignored when the program started (nohup) stays ignored. Call once, after the application
// object exists; a later call replaces the function.
void onTerminationRequest(std::function<void()> beenden);

} // namespace platform
