#include "day_picture.h"

#include "main_state.h"

#include "foundation/file_services.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/text_replace.h"
#include "platform/main_port.h"
#include "platform/path_resolver.h"
#include "runtime/format.h"
#include "store/day_files.h"
#include "store/store_state.h"

#include <QStringList>

namespace mainwindow {

namespace {

QString mitDatum(const QString& muster, rt::VbDate datum, bool mitTagUndMonat)
{
    QString text = foundation::TextErsetzen(muster, QStringLiteral("{jjjj}"),
                                            rt::Format(datum, QStringLiteral("yyyy")));
    if (mitTagUndMonat) {
        text = foundation::TextErsetzen(text, QStringLiteral("{mm}"),
                                        rt::Format(datum, QStringLiteral("mm")));
        text = foundation::TextErsetzen(text, QStringLiteral("{tt}"),
                                        rt::Format(datum, QStringLiteral("dd")));
    }
    return text;
}

// The first file that a path pattern (wildcards in its name) finds; "" when none.
QString ersterTreffer(const QString& muster)
{
    QString pfad = muster;
    pfad.replace(u'\\', u'/');
    const int trenner = pfad.lastIndexOf(u'/');
    const QString ordner = trenner < 0 ? QStringLiteral(".") : pfad.left(trenner);
    const QString name = pfad.mid(trenner + 1);
    if (name.isEmpty())
        return {};
    const QStringList namen = platform::listFolder(ordner, name);
    for (const QString& gefunden : namen) {
        const QString voll = (trenner < 0 ? QString() : pfad.left(trenner + 1)) + gefunden;
        if (foundation::DateiExistiert(voll))
            return voll;
    }
    return {};
}

} // namespace

QString TagesbildDatei(rt::VbDate datum)
{
    if (store::korvanelKuerzel.isEmpty())
        return {};
    const QString datei = foundation::IniLesen(bildListIni, store::korvanelKuerzel,
                                               store::DatumZuTagesnummer(datum));
    if (!datei.isEmpty())
        return datei;
    const QString muster =
        foundation::IniLesen(bildListIni, store::korvanelKuerzel, QStringLiteral("MediaAuto"));
    if (muster.isEmpty())
        return {};
    return ersterTreffer(mitDatum(muster, datum, true));
}

QSize TagesbildGroesse(QSize bild, QSizeF grenze)
{
    double breite = bild.width();
    double hoehe = bild.height();
    for (int schritt = 0; schritt < 100 && (breite > grenze.width() || hoehe > grenze.height());
         ++schritt) {
        breite /= 1.1;
        hoehe /= 1.1;
    }
    return {qMax(1, static_cast<int>(breite)), qMax(1, static_cast<int>(hoehe))};
}

QString TagesbilderText(rt::VbDate datum)
{
    QString ordner = foundation::IniLesen({}, {}, QStringLiteral("MediaAutoInfFold"));
    ordner.replace(u'\\', u'/');
    while (ordner.size() > 1 && ordner.endsWith(u'/'))
        ordner.chop(1);
    ordner = mitDatum(ordner, datum, false);
    const QString maske = mitDatum(
        foundation::IniLesen({}, {}, QStringLiteral("MediaAutoInfMask"),
                             QStringLiteral("{jjjj}-{mm}-{tt}*.*")),
        datum, true);
    const qsizetype anzahl = platform::listFolder(ordner.isEmpty() ? QStringLiteral(".") : ordner,
                                                  maske)
                                 .size();
    if (anzahl == 0)
        return QStringLiteral("-");
    if (anzahl == 1)
        return QStringLiteral("1 Bild");
    return QString::number(anzahl) + QStringLiteral(" Bilder");
}

bool TagesbildVerknuepfen(rt::VbDate datum, const QString& datei)
{
    if (foundation::nurLesen || store::korvanelKuerzel.isEmpty())
        return false;
    foundation::IniSchreiben(bildListIni, store::korvanelKuerzel, store::DatumZuTagesnummer(datum),
                             datei);
    return true;
}

} // namespace mainwindow
