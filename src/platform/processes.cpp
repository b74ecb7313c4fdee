#include "processes.h"

#include "clock.h"
#include "path_resolver.h"
#include "service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace platform {

namespace {

// Whether the process with that id still runs. A started program is not our child (it is
// started detached), so the system reaps it; an ended one that is not reaped yet (a zombie)
// counts as ended.
bool running(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0)
        return errno == EPERM;
    QFile stat(QStringLiteral("/proc/") + QString::number(pid) + QStringLiteral("/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (nameEnd >= 0 && nameEnd + 2 < line.size() && line.at(nameEnd + 2) == 'Z')
            return false;
    }
    return true;
}

class SystemProcesses final : public Processes {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        return startIn(program, arguments, QString()) != 0;
    }

    qint64 startIn(const QString& program, const QStringList& arguments,
                   const QString& workingFolder) override
    {
        if (program.isEmpty())
            return 0;
        QProcess process;
        process.setProgram(programPath(program));
        process.setArguments(arguments);
        if (!workingFolder.isEmpty()) {
            const QString folder = resolvePath(QString(workingFolder).replace(u'\\', u'/'));
            if (!QFileInfo(folder).isDir())
                return 0;
            process.setWorkingDirectory(folder);
        }
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        qint64 pid = 0;
        if (!process.startDetached(&pid))
            return 0;
        return pid;
    }

    WaitResult startAndWait(const QString& program, const QStringList& arguments,
                            qint64 timeoutMs) override
    {
        const qint64 pid = startIn(program, arguments, QString());
        if (pid == 0)
            return WaitResult::NotStarted;
        Clock& uhr = clock();
        const qint64 ende = uhr.tick() + std::max<qint64>(timeoutMs, 1);
        while (running(pid)) {
            if (uhr.tick() >= ende)
                return WaitResult::TimedOut;
            QCoreApplication::processEvents();
            uhr.sleep(50);
        }
        return WaitResult::Ended;
    }
};

ServiceSlot<Processes>& slot()
{
    static ServiceSlot<Processes> instance([]() -> std::unique_ptr<Processes> {
        return std::make_unique<SystemProcesses>();
    });
    return instance;
}

bool isBareName(const QString& program)
{
    return !program.contains(u'/') && !program.contains(u'\\');
}

} // namespace

Processes& processes()
{
    return slot().get();
}

Processes* setProcesses(Processes* replacement)
{
    return slot().set(replacement);
}

QString programPath(const QString& program)
{
    if (program.isEmpty() || isBareName(program))
        return program;
    return resolvePath(QString(program).replace(u'\\', u'/'));
}

bool programFound(const QString& program)
{
    if (program.isEmpty())
        return false;
    if (isBareName(program))
        return !QStandardPaths::findExecutable(program).isEmpty();
    const QFileInfo info(programPath(program));
    return info.isFile() && info.isExecutable();
}

} // namespace platform
