#include "program_end.h"

#include "service.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

#include <sys/socket.h>
#include <unistd.h>

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

// The signal handler only writes a byte into a socket pair; the event loop reads it. Both ends
// never block: a flood of signals must not stop the handler on a full socket (the bytes already
// there call the function anyway), nor the reader on an empty one.
int signalSockets[2] = {-1, -1};

std::function<void()>& terminationHandler()
{
    static std::function<void()> handler;
    return handler;
}

extern "C" void onSignal(int)
{
    // The interrupted code may be about to read errno.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

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

void onTerminationRequest(std::function<void()> beenden)
{
    terminationHandler() = std::move(beenden);
    if (signalSockets[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) != 0)
        return; // the signals keep their default action
    auto* notifier =
        new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        // Every request that came in meanwhile is answered by one call.
        char bytes[256];
        while (::read(signalSockets[1], bytes, sizeof bytes) > 0) {
        }
        if (terminationHandler())
            terminationHandler()();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        // A signal ignored from the start stays ignored: a copy started with nohup must outlive
        // its terminal, one started in the background of a script must not end on Ctrl+C.
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        sigaction(signal, &action, nullptr);
    }
}

} // namespace platform
