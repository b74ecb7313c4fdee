#include "shell.h"

#include "path_resolver.h"
#include "service.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace platform {

namespace {

class DesktopShell final : public Shell {
public:
    bool openUrl(const QString& target) override
    {
        const QUrl url = urlForOpening(target);
        if (url.isEmpty() || !url.isValid())
            return false;
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return false;
        return QDesktopServices::openUrl(url);
    }
};

ServiceSlot<Shell>& slot()
{
    static ServiceSlot<Shell> instance([]() -> std::unique_ptr<Shell> {
        return std::make_unique<DesktopShell>();
    });
    return instance;
}

bool hasScheme(const QString& target)
{
    // Two letters at least, so that a drive letter ("C:") is no scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]+:"));
    return scheme.match(target).hasMatch();
}

} // namespace

QUrl urlForOpening(const QString& target)
{
    if (target.isEmpty())
        return {};
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + target, QUrl::TolerantMode);
    if (hasScheme(target))
        return QUrl(target, QUrl::TolerantMode);
    QString path = target;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QUrl::fromLocalFile(QFileInfo(resolvePath(path)).absoluteFilePath());
}

Shell& shell()
{
    return slot().get();
}

Shell* setShell(Shell* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
