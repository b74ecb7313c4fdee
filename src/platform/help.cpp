#include "help.h"

#include "path_resolver.h"
#include "service.h"
#include "shell.h"

#include <QFileInfo>

namespace platform {

namespace {

QString existingFile(const QString& path)
{
    const QString resolved = resolvePath(path);
    return QFileInfo(resolved).isFile() ? resolved : QString();
}

class BrowserHelp final : public Help {
public:
    bool available(const QString& helpFile) override { return !helpPage(helpFile, 0).isEmpty(); }

    bool showTopic(const QString& helpFile, int context) override
    {
        const QString page = helpPage(helpFile, context);
        return !page.isEmpty() && shell().openUrl(page);
    }

    void closeAll() override {}
};

ServiceSlot<Help>& slot()
{
    static ServiceSlot<Help> instance([]() -> std::unique_ptr<Help> {
        return std::make_unique<BrowserHelp>();
    });
    return instance;
}

} // namespace

QString helpFolder(const QString& helpFile)
{
    if (helpFile.isEmpty())
        return {};
    QString path = helpFile;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot > slash + 1)
        path.truncate(dot);
    return path + QStringLiteral("-hilfe");
}

QString helpPage(const QString& helpFile, int context)
{
    if (context < 0)
        return {};
    const QString folder = helpFolder(helpFile);
    if (folder.isEmpty())
        return {};
    const QString index = existingFile(folder + QStringLiteral("/index.html"));
    if (index.isEmpty())
        return {};
    if (context > 0) {
        const QString topic = existingFile(folder + QLatin1Char('/') + QString::number(context)
                                           + QStringLiteral(".html"));
        if (!topic.isEmpty())
            return topic;
    }
    return index;
}

Help& help()
{
    return slot().get();
}

Help* setHelp(Help* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
