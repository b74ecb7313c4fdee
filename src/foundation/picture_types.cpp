#include "foundation/picture_types.h"

#include "foundation/file_services.h"
#include "runtime/strings.h"

namespace foundation {

const QStringList& bildEndungen()
{
    static const QStringList endungen = {
        QStringLiteral("bmp"), QStringLiteral("ico"), QStringLiteral("rle"),
        QStringLiteral("wmf"), QStringLiteral("emf"), QStringLiteral("gif"),
        QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
    };
    return endungen;
}

QString bildMuster()
{
    QStringList muster;
    for (const QString& endung : bildEndungen())
        muster.append(QStringLiteral("*.") + endung);
    return muster.join(u';');
}

bool istBildEndung(const QString& pfad)
{
    const QString endung = PfadTeil(pfad, 2);
    return !endung.isEmpty() && bildEndungen().contains(rt::LCase(endung));
}

} // namespace foundation
