#include "development_mode.h"

#include <QByteArray>
#include <QtGlobal>

namespace foundation {

namespace {
// 0 = not yet known, 1 = released program, 2 = development mode.
int entwicklungsFlag = 0;
}

bool InEntwicklungsumgebung()
{
    if (entwicklungsFlag == 0)
        entwicklungsFlag = qEnvironmentVariable("KORVANEL_ENTWICKLUNG") == QLatin1String("1") ? 2 : 1;
    return entwicklungsFlag == 2;
}

void resetEntwicklungsumgebung()
{
    entwicklungsFlag = 0;
}

} // namespace foundation
