#pragma once
// Other programs started by the program: always with an argument list, never through a shell
// with user text.
#include <QString>
#include <QStringList>

namespace platform {

// How a wait for a started program ended.
enum class WaitResult {
    NotStarted, // the program could not be started; nothing was waited for
    Ended,      // the program ended within the time
    TimedOut,   // the time ran out; the program goes on running on its own
};

class Processes {
public:
    virtual ~Processes() = default;

    // Starts program with arguments in the background, its input and output going nowhere;
    // true when it started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;

    // The same in workingFolder ("" = the current folder of the program); the process id of
    // the started program, 0 when it could not be started (a working folder that does not
    // exist included). The program's own current folder stays as it is.
    virtual qint64 startIn(const QString& program, const QStringList& arguments,
                           const QString& workingFolder) = 0;

    // Starts program in the background and waits until it ends or timeoutMs (at least 1) have
    // passed, whichever comes first. The wait runs through the clock service in short rounds in
    // which the events of every window are processed: the windows keep repainting and timers
    // fire. A program still running at the end of the time is left running.
    virtual WaitResult startAndWait(const QString& program, const QStringList& arguments,
                                    qint64 timeoutMs) = 0;
};

Processes& processes();
Processes* setProcesses(Processes* replacement); // returns the one it replaces (nullptr: the real one)

// Whether program can be started: a name without "/" is looked for in the folders of PATH, a
// path must name an executable file (found without regard to case).
bool programFound(const QString& program);

// The path under which program is started: a path as spelled on disk (found without regard to
// case, "\" taken as "/"); a bare name stays as it is, for PATH.
QString programPath(const QString& program);

} // namespace platform
