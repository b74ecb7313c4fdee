#include "commands/date_insert_commands.h"

#include "foundation/ini_store.h"
#include "platform/clock.h"
#include "platform/main_port.h"
#include "runtime/format.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"

namespace commands {

namespace {

QString einstellung(const char* key)
{
    return foundation::IniLesen({}, {}, QString::fromUtf8(key), QString());
}

} // namespace

QString DatumText(rt::VbDate jetzt)
{
    QString format = einstellung("StrgDForm");
    if (format.isEmpty())
        format = QStringLiteral("dd.mm.yyyy");
    return rt::Format(jetzt, format) + u' ';
}

QString DatumUhrzeitText(rt::VbDate jetzt)
{
    textlib::ZeitenBerechnen(jetzt);
    rt::VbDate zeit = jetzt;
    QString zusatz = QStringLiteral(" Uhr");
    if (einstellung("InstDatTime") == u"MEZ" && textlib::mezZeit) {
        zeit = *textlib::mezZeit;
        zusatz = QStringLiteral(" MEZ");
    }
    // Date and time of one moment: at 00:30 in summer the MEZ time is 23:30 of the day before.
    return rt::Format(zeit, QStringLiteral("dd")) + QStringLiteral(". ")
           + textlib::NameVonDatum(rt::Month(zeit), QStringLiteral("MO")) + u' '
           + rt::Format(zeit, QStringLiteral("yyyy")) + QStringLiteral(" um ")
           + rt::Format(zeit, QStringLiteral("hh:nn")) + zusatz + u' ';
}

void DatumEinfuegen(platform::MainPort& main)
{
    main.insertText(DatumText(platform::clock().now()));
}

void DatumUhrzeitEinfuegen(platform::MainPort& main)
{
    main.insertText(DatumUhrzeitText(platform::clock().now()));
}

} // namespace commands
