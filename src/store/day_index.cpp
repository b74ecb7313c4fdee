#include "store/day_index.h"

#include "runtime/format.h"

#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/ui_services.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_file_batch.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <QDate>
#include <QSet>

#include <algorithm>

namespace store {

TageslisteRef tagesverzeichnis = std::make_shared<const Tagesliste>();
qint32 tageAnzahl = 0;
qint16 verzeichnisStatus = 0;
qint32 tagesIndex = -1;

namespace {

// The data folder whose leftovers of killed passes were removed in this process.
QString aufgeraeumterOrdner;

constexpr int ersterJahrgang = 1500;
constexpr int letzterJahrgang = 2200;

// The value of a run of ASCII digits; -1 when a character is no digit.
int ziffernWert(QStringView text)
{
    int wert = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return -1;
        wert = wert * 10 + (ch.unicode() - u'0');
    }
    return wert;
}

// The day number of "yyyymmdd.<short name>" when its eight digits form a valid date of the
// supported years; nothing otherwise.
std::optional<qint32> tagesnummerAusName(const QString& name)
{
    const int jahr = ziffernWert(QStringView(name).first(4));
    const int monat = ziffernWert(QStringView(name).sliced(4, 2));
    const int tag = ziffernWert(QStringView(name).sliced(6, 2));
    if (jahr < ersterJahrgang || jahr > letzterJahrgang || !QDate::isValid(jahr, monat, tag))
        return std::nullopt;
    return jahr * 10000 + monat * 100 + tag;
}

// The year folders of the data folder that may hold day files, ascending.
std::vector<int> jahrgaenge(const QString& datenOrdner)
{
    std::vector<int> jahre;
    const QStringList ordner =
        platform::listFolder(datenOrdner, QStringLiteral("????"), platform::EntryKind::Folders);
    for (const QString& name : ordner) {
        const int jahr = ziffernWert(name);
        if (jahr >= ersterJahrgang && jahr <= letzterJahrgang)
            jahre.push_back(jahr);
    }
    std::sort(jahre.begin(), jahre.end());
    return jahre;
}

void grenzeMelden()
{
    foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
    platform::dialogs().msgBox(
        QStringLiteral("Das Korvanel ist in der derzeitigen Version für 30000 Termine ausgelegt. "
                       "Sie haben bereits diese Grenze erreicht. Einige Funktionen werden nicht "
                       "alle Tage berücksichtigen können, Daten werden Ihnen aber nicht verloren "
                       "gehen!"),
        platform::vbOKOnly | platform::vbInformation);
}

std::shared_ptr<Tagesliste> ordnerDurchsuchen()
{
    auto liste = std::make_shared<Tagesliste>();
    const QString datenOrdner = platform::resolvePath(foundation::ordnerDat);
    const QString maske = QStringLiteral("????????.") + korvanelKuerzel;
    for (const int jahr : jahrgaenge(datenOrdner)) {
        const QString ordner = datenOrdner + u'/' + QString::number(jahr);
        const QStringList namen = platform::listFolder(ordner, maske);
        // A day whose file is there in two spellings ("20240301.txt", "20240301.TXT") is one
        // day of the index.
        QSet<qint32> gesehen;
        for (const QString& name : namen) {
            const std::optional<qint32> tag = tagesnummerAusName(name);
            if (tag && gesehen.contains(*tag))
                continue;
            if (tag)
                gesehen.insert(*tag);
            if (!tag) {
                foundation::DebugLogbuch(QStringLiteral("Tagesverzeichnis: »") + ordner + u'/'
                                         + name
                                         + QStringLiteral("« ist kein Tag und bleibt außen vor"));
                continue;
            }
            if (static_cast<qint32>(liste->size()) >= tageGrenze) {
                grenzeMelden();
                return liste;
            }
            liste->push_back(*tag);
        }
    }
    return liste;
}

void statusZeigen(const QString& text)
{
    storeHost().setPanelText(QStringLiteral("Status"), text);
    storeHost().repaintStatusBar();
}

void tagesIndexBerechnen()
{
    const qint32 gesucht = tagesnummerVonDatumText(aktDatum);
    const Tagesliste& tage = *tagesverzeichnis;
    tagesIndex = -1;
    for (qsizetype i = 0; i < static_cast<qsizetype>(tage.size()); ++i) {
        if (tage[i] == gesucht)
            tagesIndex = static_cast<qint32>(i + 1);
    }
    if (tagesIndex != -1)
        return;
    const auto spaeter = std::find_if(tage.begin(), tage.end(),
                                      [gesucht](qint32 tag) { return tag >= gesucht; });
    if (spaeter != tage.end())
        tagesIndex = static_cast<qint32>(spaeter - tage.begin() + 1);
}

} // namespace

rt::VbDate TagesnummerDatum(qint32 nummer)
{
    return rt::DateSerial(nummer / 10000, nummer / 100 % 100, nummer % 100);
}

QString TagesnummerText(qint32 nummer)
{
    return rt::Format(TagesnummerDatum(nummer), QStringLiteral("dd.mm.yyyy"));
}

qint32 DatumTagesnummer(rt::VbDate datum)
{
    return rt::Year(datum) * 10000 + rt::Month(datum) * 100 + rt::Day(datum);
}

qint32 tagesnummerVonDatumText(const QString& datumText)
{
    const QString ziffern =
        rt::Mid(datumText, 7, 4) + rt::Mid(datumText, 4, 2) + rt::Mid(datumText, 1, 2);
    return static_cast<qint32>(rt::Val(ziffern));
}

void TagesverzeichnisErstellen(bool sortieren)
{
    platform::BusyPointer busy;
    if (verzeichnisStatus == 0) {
        statusZeigen(QStringLiteral(" Erstelle Tagesverzeichnis... "));
        if (aufgeraeumterOrdner != foundation::ordnerDat) {
            // The first look at a data folder: what a killed pass over many days left behind.
            aufgeraeumterOrdner = foundation::ordnerDat;
            StapelResteEntfernen();
        }
        std::shared_ptr<Tagesliste> liste = ordnerDurchsuchen();
        tageAnzahl = static_cast<qint32>(liste->size());
        tagesverzeichnis = std::move(liste);
        verzeichnisStatus = 1;
        foundation::IniSchreiben(QString(), QString(), QStringLiteral("SWTageN"),
                                 QString::number(tageAnzahl));
        statusZeigen(QStringLiteral("Bereit"));
    }
    if (verzeichnisStatus < 2 && sortieren) {
        statusZeigen(QStringLiteral("Sortiere Tagesliste..."));
        auto sortiert = std::make_shared<Tagesliste>(*tagesverzeichnis);
        std::sort(sortiert->begin(), sortiert->end());
        tagesverzeichnis = std::move(sortiert);
        verzeichnisStatus = 2;
        statusZeigen(QStringLiteral("Bereit"));
    }
    tagesIndexBerechnen();
}

void resetTagesverzeichnis()
{
    tagesverzeichnis = std::make_shared<const Tagesliste>();
    tageAnzahl = 0;
    verzeichnisStatus = 0;
    tagesIndex = -1;
    aufgeraeumterOrdner.clear();
}

} // namespace store
