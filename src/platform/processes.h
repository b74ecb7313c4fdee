#pragma once
// Other programs started by the program: always with an argument list, never through a shell
// with user text.
#include <QString>
#include <QStringList>

namespace platform {

class Processes {
public:
    virtual ~Processes() = default;

    // Starts program with arguments in the background, its input and output going nowhere;
    // true when it started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

Processes& processes();
Processes* setProcesses(Processes* replacement); // returns the one it replaces (nullptr: the real one)

} // namespace platform
