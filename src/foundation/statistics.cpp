#include "statistics.h"

#include "development_mode.h"
#include "folders.h"
#include "instance_guard.h"
#include "ini_store.h"
#include "message_text.h"
#include "number_format.h"
#include "platform/clock.h"
#include "registry.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "version.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace foundation {

namespace {

const QString schluesselStarts = QStringLiteral("Stat_Starts");
const QString schluesselErsterStart = QStringLiteral("Stat_StartFirst");
const QString schluesselLetzterStart = QStringLiteral("Stat_StartLast");
const QString schluesselLaufzeit = QStringLiteral("Stat_RunMinutes");
const QString schluesselNutzzeit = QStringLiteral("Stat_UseMinutes");

constexpr qint64 msProMinute = 60 * 1000;
constexpr double msProTag = 24.0 * 60 * 60 * 1000;

// The start of this run: the monotonic tick and how far the wall clock then was into its minute.
struct LaufStart {
    qint64 tick = 0;
    qint64 msInDerMinute = 0;
};

std::optional<LaufStart> laufStart;

QString zeitText(rt::VbDate zeit)
{
    return rt::Format(zeit, QStringLiteral("dd.mm.yyyy hh:nn:ss"));
}

// A stored counter: the number at the start of its text, 0 when it is none.
double zaehler(const QString& key)
{
    return rt::Val(IniLesen(QString(), QString(), key, QString()));
}

} // namespace

void StartStatistik()
{
    platform::Clock& uhr = platform::clock();
    const rt::VbDate jetzt = uhr.now();
    const qint64 msSeitMitternacht = std::llround(rt::timeFraction(jetzt) * msProTag);
    laufStart = LaufStart{uhr.tick(), msSeitMitternacht % msProMinute};

    IniZaehlen(QString(), QString(), schluesselStarts, 1);
    if (!rt::IsDate(IniLesen(QString(), QString(), schluesselErsterStart, QString())))
        IniSchreiben(QString(), QString(), schluesselErsterStart,
                     rt::Format(jetzt, QStringLiteral("dd.mm.yyyy")));
    IniSchreiben(QString(), QString(), schluesselLetzterStart, zeitText(jetzt));

    if (versionPunkt.isEmpty())
        VersionText();
    IniSchreiben(QString(), QStringLiteral("Version"), QStringLiteral("Korvanel"), versionPunkt);

    FernSchliessenFlag(0);
}

void EndeStatistik()
{
    double minuten = 0;
    if (laufStart) {
        const qint64 vergangen = std::max<qint64>(0, platform::clock().tick() - laufStart->tick);
        minuten = static_cast<double>((laufStart->msInDerMinute + vergangen) / msProMinute);
        // Counted once: a second call in the same run adds nothing.
        laufStart.reset();
    }
    IniZaehlen(QString(), QString(), schluesselLaufzeit, minuten);

    if (InEntwicklungsumgebung())
        return;
    if (versionText.isEmpty())
        VersionText();
    IniSchreiben(QString(), QString(), QStringLiteral("Dir"), ordnerPrg);
    IniSchreiben(QString(), QString(), QStringLiteral("Ver"), versionText);
    IniSchreiben(QString(), QString(), QStringLiteral("VerBit"), QStringLiteral("32") + versionText);
    // As it is: a Linux path in proper case would name another folder.
    RegSchreiben(QString(), QStringLiteral("Dir"), ordnerPrg);
}

QString NutzungsStatistikText(int mode)
{
    const QString ohneDaten = QStringLiteral("Sorry, aber keine Datengrundlage vorhanden.");
    const QString ersterStart = IniLesen(QString(), QString(), schluesselErsterStart, QString());
    const std::optional<rt::VbDate> ersterTag = rt::CDate(ersterStart);
    if (ersterStart.isEmpty() || !ersterTag)
        return ohneDaten;

    const double starts = zaehler(schluesselStarts);
    const double laufzeit = zaehler(schluesselLaufzeit);
    const QString nutzzeitText = IniLesen(QString(), QString(), schluesselNutzzeit, QString());
    const double nutzzeit = rt::Val(nutzzeitText);

    const rt::VbDate jetzt = platform::clock().now();
    const qint64 tage = rt::DateDiff(QStringLiteral("d"), *ersterTag, jetzt);
    // A first start today, or one that the clock puts in the future, gives no average.
    const auto proTag = [tage](double summe) { return tage > 0 ? summe / tage : 0.0; };

    const QString jeTag = ZahlMitEinheit(proTag(starts), 0) + QStringLiteral("Starts pro Tag und ")
        + DauerAlsText(proTag(laufzeit * 60), 0);
    QString text;
    if (mode == 2) {
        text = jeTag + QStringLiteral(" pro Tag.");
    } else {
        const double sekundenSeit =
            (jetzt.serial - rt::DateOnly(*ersterTag).serial) * 24 * 60 * 60;
        text = QStringLiteral("Seit dem ") + ersterStart + QStringLiteral(" (vor ")
            + DauerAlsText(sekundenSeit, 1) + QStringLiteral(") wurde das Programm ")
            + rt::Format(starts, QStringLiteral("#,##0")) + QStringLiteral(" mal gestartet und ")
            + QStringLiteral("lief dabei ") + DauerAlsText(laufzeit * 60, 0);
        if (!nutzzeitText.isEmpty())
            text += QStringLiteral(" [") + DauerAlsText(nutzzeit * 60, 0)
                + QStringLiteral(" Nutzzeit]");
        text += QStringLiteral(".\r\n~Das entspricht durchschnittlich ") + jeTag;
        if (!nutzzeitText.isEmpty())
            text += QStringLiteral(" [") + DauerAlsText(proTag(nutzzeit * 60), 0)
                + QStringLiteral(" Nutzzeit]");
        text += QStringLiteral(" pro Tag.");
    }

    text = MeldungAufbereiten(text);
    return text.isEmpty() ? ohneDaten : text;
}

void resetStatistik()
{
    laufStart.reset();
}

} // namespace foundation
