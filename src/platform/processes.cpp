#include "processes.h"

#include "service.h"

#include <QProcess>

namespace platform {

namespace {

class SystemProcesses final : public Processes {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        return process.startDetached();
    }
};

ServiceSlot<Processes>& slot()
{
    static ServiceSlot<Processes> instance([]() -> std::unique_ptr<Processes> {
        return std::make_unique<SystemProcesses>();
    });
    return instance;
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

} // namespace platform
