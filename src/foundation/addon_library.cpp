#include "addon_library.h"

#include "platform/keyboard.h"

#include <QStorageInfo>

namespace foundation {

qint32 ShiftKey()
{
    return platform::keyboard().shiftHeld() ? 1 : 0;
}

qint32 CtrlKey()
{
    return platform::keyboard().ctrlHeld() ? 1 : 0;
}

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
