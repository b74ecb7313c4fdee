#include "program_end.h"

#include "service.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

namespace platform {

namespace {

std::vector<std::function<void()>>& cleanUps()
{
    static std::vector<std::function<void()>> list;
    return list;
}

// std::_Exit rather than std::exit or QCoreApplication::exit: exit() would run the destructors
// of static objects while windows and handlers are still on the stack, and
// QCoreApplication::exit() only asks the event loop to end later, so the caller would go on.
class ProcessEnd final : public ProgramEnd {
public:
    [[noreturn]] void end(int exitCode) override
    {
        runCleanUps();
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
};

ServiceSlot<ProgramEnd>& slot()
{
    static ServiceSlot<ProgramEnd> instance([]() -> std::unique_ptr<ProgramEnd> {
        return std::make_unique<ProcessEnd>();
    });
    return instance;
}

} // namespace

ProgramEnd& programEnd()
{
    return slot().get();
}

ProgramEnd* setProgramEnd(ProgramEnd* replacement)
{
    return slot().set(replacement);
}

void registerCleanUp(std::function<void()> cleanUp)
{
    if (cleanUp)
        cleanUps().push_back(std::move(cleanUp));
}

void runCleanUps()
{
    // Taken out first, so a clean-up that registers another or ends again cannot loop.
    std::vector<std::function<void()>> pending;
    pending.swap(cleanUps());
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        try {
            (*it)();
        } catch (...) {
            // Passed over: the program ends anyway.
        }
    }
}

void clearCleanUps()
{
    cleanUps().clear();
}

} // namespace platform
