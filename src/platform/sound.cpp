#include "sound.h"

#include "path_resolver.h"
#include "processes.h"
#include "service.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

class DesktopSound final : public Sound {
public:
    void beep(int /*messageBeepType*/) override
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::beep();
    }

    bool playWave(const QString& path) override
    {
        const std::optional<WaveCommand> command = waveCommand(path);
        return command && processes().startDetached(command->program, command->arguments);
    }
};

ServiceSlot<Sound>& slot()
{
    static ServiceSlot<Sound> instance([]() -> std::unique_ptr<Sound> {
        return std::make_unique<DesktopSound>();
    });
    return instance;
}

} // namespace

std::optional<WaveCommand> waveCommand(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo file(resolvePath(path));
    if (!file.isFile())
        return std::nullopt;
    // The absolute path begins with "/", so a player never takes the name for an option.
    const QString absolute = file.absoluteFilePath();
    if (const QString paplay = QStandardPaths::findExecutable(QStringLiteral("paplay"));
        !paplay.isEmpty())
        return WaveCommand{paplay, {absolute}};
    if (const QString aplay = QStandardPaths::findExecutable(QStringLiteral("aplay"));
        !aplay.isEmpty())
        return WaveCommand{aplay, {QStringLiteral("-q"), absolute}};
    return std::nullopt;
}

Sound& sound()
{
    return slot().get();
}

Sound* setSound(Sound* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
