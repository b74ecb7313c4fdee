#include "store/mood_marker.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <algorithm>

namespace store {

namespace {

// The slider runs from -10 to 10; a value edited by hand beyond that is taken as the nearest end.
int stimmungswert(const QString& text)
{
    return static_cast<int>(std::clamp(rt::Round(rt::Val(text)), -10.0, 10.0));
}

// aktDatum when it is a date and a diary is open.
bool tagBereit()
{
    return !korvanelKuerzel.isEmpty() && rt::CDate(aktDatum).has_value();
}

QString datumsSchluessel(rt::VbDate datum)
{
    return rt::Format(datum, QStringLiteral("dd.mm.yyyy"));
}

} // namespace

QString stimmungJahresdatei(const QString& datumText)
{
    const std::optional<rt::VbDate> datum = rt::CDate(datumText);
    const QString jahr = datum ? rt::Format(*datum, QStringLiteral("yyyy")) : QString();
    return foundation::ordnerDat + QStringLiteral("/Stimmung") + jahr + QStringLiteral(".ini");
}

QString stimmungAltdatei()
{
    return foundation::ordnerDat + QStringLiteral("/Stimmung.ini");
}

QString markerDatei()
{
    return foundation::ordnerDat + QStringLiteral("/Marker_") + korvanelKuerzel
           + QStringLiteral(".ini");
}

void StimmungLesen()
{
    if (!tagBereit())
        return;
    const QString alt = foundation::IniLesen(stimmungAltdatei(), korvanelKuerzel, aktDatum);
    const QString neu =
        foundation::IniLesen(stimmungJahresdatei(aktDatum), korvanelKuerzel, aktDatum);
    bool uebernommen = true;
    if (!neu.isEmpty()) {
        storeHost().setStimmung(stimmungswert(neu));
    } else {
        storeHost().setStimmung(stimmungswert(alt));
        StimmungSchreiben();
        // The old value goes only once the year file holds it.
        uebernommen = rt::Val(foundation::IniLesen(stimmungJahresdatei(aktDatum), korvanelKuerzel,
                                                   aktDatum, QStringLiteral("0")))
                      == storeHost().stimmung();
    }
    if (!alt.isEmpty() && uebernommen && !foundation::nurLesen)
        foundation::IniSchreiben(stimmungAltdatei(), korvanelKuerzel, aktDatum, QString());
}

void StimmungSchreiben()
{
    if (foundation::nurLesen || !tagBereit())
        return;
    const QString datei = stimmungJahresdatei(aktDatum);
    const double gespeichert =
        rt::Val(foundation::IniLesen(datei, korvanelKuerzel, aktDatum, QStringLiteral("0")));
    const int wert = storeHost().stimmung();
    if (gespeichert != wert)
        foundation::IniSchreiben(datei, korvanelKuerzel, aktDatum, QString::number(wert));
}

void MarkerSetzen(rt::VbDate datum, int an)
{
    if (foundation::nurLesen || korvanelKuerzel.isEmpty())
        return;
    foundation::IniSchreiben(markerDatei(), QStringLiteral("Marker"), datumsSchluessel(datum),
                             an != 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

bool MarkerSetzen(const std::vector<rt::VbDate>& tage, int an)
{
    if (foundation::nurLesen || korvanelKuerzel.isEmpty() || tage.empty())
        return true;
    const QString wert = an != 0 ? QStringLiteral("1") : QStringLiteral("0");
    std::vector<std::pair<QString, QString>> schluessel;
    schluessel.reserve(tage.size());
    for (const rt::VbDate tag : tage)
        schluessel.emplace_back(datumsSchluessel(tag), wert);
    return foundation::IniSchreibenListe(markerDatei(), QStringLiteral("Marker"), schluessel);
}

int MarkerLesen(rt::VbDate datum)
{
    const double wert = rt::Val(foundation::IniLesen(markerDatei(), QStringLiteral("Marker"),
                                                     datumsSchluessel(datum),
                                                     QStringLiteral("0")));
    const int markiert = wert != 0 ? 1 : 0;
    storeHost().setPanelText(QStringLiteral("StatMark"),
                             markiert ? QStringLiteral("M") : QString());
    return markiert;
}

} // namespace store
