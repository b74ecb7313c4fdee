#include "fake_shell.h"

#include <QFileInfo>

bool FakeShell::openUrl(const QString& target)
{
    const QUrl url = platform::urlForOpening(target);
    opened_.append(target);
    urls_.push_back(url);
    if (url.isEmpty() || !url.isValid())
        return false;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return answer_;
}
