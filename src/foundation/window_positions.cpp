#include "window_positions.h"

#include "ini_store.h"

#include "platform/command_line_text.h"
#include "platform/form.h"
#include "platform/screen.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QStringList>

#include <cmath>
#include <optional>

namespace foundation {

namespace {

const QString hoeheSchluessel = QStringLiteral("Form_Höhe");
const QString weiteSchluessel = QStringLiteral("Form_Weite");
const QString linksSchluessel = QStringLiteral("Form_Links");
const QString obenSchluessel = QStringLiteral("Form_Oben");
const QString stateSchluessel = QStringLiteral("Form_State");

// The smallest size of a restored window, and the room kept free below it for a panel.
constexpr double mindestGroesse = 2000;
constexpr double untererRand = 733;

// A number with a decimal point and without a leading blank: "7200", "1237.5", "-75".
QString zahlText(double zahl)
{
    return rt::Trim(rt::Str(zahl));
}

// The stored number of the key, or vorgabe when the key is missing.
double lesen(const QString& schluessel, double vorgabe)
{
    return rt::Val(IniLesen(QString(), QString(), schluessel, zahlText(vorgabe)));
}

void schreiben(const QString& schluessel, const QString& wert)
{
    IniSchreiben(QString(), QString(), schluessel, wert);
}

// The value of "fenster=" in the program's arguments: in the first argument that holds it
// (without regard to case, also behind a slash or inside another word), from behind the name to
// the next blank; nothing when no argument holds it. An argument that is the option itself
// (name=value) gives its whole value, which may hold blanks; enclosing double quotes are removed.
std::optional<QString> fensterOption(const QStringList& argumente)
{
    const QString name = QStringLiteral("fenster=");
    for (const QString& argument : argumente) {
        const qsizetype stelle = rt::LCase(argument).indexOf(name);
        if (stelle < 0)
            continue;
        QString wert = argument.mid(stelle + name.size());
        const bool ganzeOption = stelle == (argument.startsWith(u'/') ? 1 : 0);
        if (wert.size() >= 2 && wert.startsWith(u'"') && wert.endsWith(u'"'))
            wert = wert.mid(1, wert.size() - 2);
        else if (!ganzeOption && wert.contains(u' '))
            wert.truncate(wert.indexOf(u' '));
        return wert;
    }
    return std::nullopt;
}

} // namespace

void Fenster_PosLoad(platform::FormCore& fenster, const QString& name)
{
    platform::Screen& bildschirm = platform::screen();
    const double twipsX = bildschirm.twipsPerPixelX();
    const double twipsY = bildschirm.twipsPerPixelY();
    const double bildBreite = bildschirm.widthTwips();
    const double bildHoehe = bildschirm.heightTwips();
    const platform::TwipsGeometry jetzt = fenster.geometryTwips();

    double hoehe = lesen(hoeheSchluessel + name, jetzt.height);
    double weite = lesen(weiteSchluessel + name, jetzt.width);
    double links = lesen(linksSchluessel + name, (bildBreite - jetzt.width) / 2);
    double oben = lesen(obenSchluessel + name, (bildHoehe - jetzt.height) / 2);
    double state = lesen(stateSchluessel + name, platform::vbNormal);

    if (const std::optional<QString> option = fensterOption(platform::commandLineArguments())) {
        const QStringList felder = option->split(u',');
        const auto feld = [&felder](qsizetype index) {
            return index < felder.size() ? rt::Val(felder.at(index)) : 0.0;
        };
        weite = feld(0) * twipsX;
        hoehe = feld(1) * twipsY;
        links = feld(2) * twipsX;
        oben = feld(3) * twipsY;
        if (weite < -1)
            weite = std::abs(weite / twipsX) * bildBreite / 100;
        if (hoehe < -1)
            hoehe = std::abs(hoehe / twipsY) * bildHoehe / 100;
        if (links < 0)
            links = (bildBreite - weite) / 2;
        if (oben < 0)
            oben = (bildHoehe - hoehe) / 2;
    }

    if (hoehe < mindestGroesse)
        hoehe = mindestGroesse;
    if (hoehe > bildHoehe)
        hoehe = bildHoehe;
    if (weite < mindestGroesse)
        weite = mindestGroesse;
    if (weite > bildBreite)
        weite = bildBreite;

    if (!fenster.isSizable()) {
        hoehe = jetzt.height;
        weite = jetzt.width;
    }

    if (links < 0)
        links = 0;
    if (links + weite > bildBreite)
        links = bildBreite - weite;
    if (oben < 0)
        oben = 0;
    if (oben + hoehe > bildHoehe - untererRand)
        oben = bildHoehe - untererRand - hoehe;
    if (oben < 0)
        oben = 0;

    if (state == platform::vbMinimized && !fenster.minButton())
        state = platform::vbNormal;
    if (state == platform::vbMaximized && !fenster.maxButton())
        state = platform::vbNormal;

    if (state == platform::vbMinimized || state == platform::vbMaximized)
        fenster.setWindowStateVb(static_cast<int>(state));
    else
        fenster.moveTwips(links, oben, weite, hoehe);
}

void Fenster_PosSave(platform::FormCore& fenster, const QString& name)
{
    const int state = fenster.windowStateVb();
    if (state == platform::vbMinimized)
        return;
    const platform::TwipsGeometry jetzt = fenster.geometryTwips();
    schreiben(hoeheSchluessel + name, zahlText(jetzt.height));
    schreiben(weiteSchluessel + name, zahlText(jetzt.width));
    schreiben(linksSchluessel + name, zahlText(jetzt.left));
    schreiben(obenSchluessel + name, zahlText(jetzt.top));
    schreiben(stateSchluessel + name, QString::number(state));
}

} // namespace foundation
