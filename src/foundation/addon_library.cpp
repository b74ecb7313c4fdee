#include "addon_library.h"

#include <QStorageInfo>

namespace foundation {

void ReplaceChar(QString& text, QChar find, QChar replacement)
{
    text.replace(find, replacement);
}

QString GetVol(const QString& path)
{
    const QStorageInfo info(path);
    if (!info.isValid())
        return {};
    return info.name();
}

} // namespace foundation
