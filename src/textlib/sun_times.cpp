#include "sun_times.h"

#include "calendar.h"
#include "date_names.h"

#include <cmath>

namespace textlib {

namespace {

constexpr double pi = 3.141592654;
constexpr double rad = pi / 180.0;

double frac(double x)
{
    return x - std::floor(x);
}

// DD.MMSS to decimal degrees. The place arrives in single precision, and 100 v is taken in
// single precision too, so that 53.55 gives 5355 and not 5354.9999. A southern or western place
// is decoded like its positive mirror and then negated.
double degreesOf(float value)
{
    const float v = std::fabs(value);
    const float hundred = 100.0f * v;
    const double degrees
        = std::floor(v) + frac(std::floor(hundred) / 100.0) / 0.6 + frac(hundred) / 36.0;
    return value < 0.0f ? -degrees : degrees;
}

QString shownTime(float hours)
{
    return ZeitFormatieren(static_cast<double>(hours * 3600.0f), QStringLiteral("HH:M0"));
}

} // namespace

QString SonnenZeiten(rt::VbDate date, float northLatitude, float eastLongitude, float hoursToUt,
                     float summerTimeSwitch)
{
    double meridian = 15.0;
    QString zone;
    if (summerTimeSwitch != 0.0f) {
        if (Sommerzeit(date)) {
            meridian = 30.0;
            zone = QStringLiteral("MESZ");
        } else {
            zone = QStringLiteral("MEZ");
        }
    }
    // The formula gives the times of the zone one hour ahead of universal time; a zone further
    // ahead sees every time later by the difference.
    const double shift = hoursToUt - 1.0;
    const double phi = degreesOf(northLatitude);
    const double lambda = degreesOf(eastLongitude);
    const double dL = meridian - lambda;

    const double w = 10.0 + 0.9863 * (rt::Day(date) + 30.3 * (rt::Month(date) - 1) - 1);
    // The sun's declination with the opposite sign: positive in winter.
    const double delta = 23.5 * std::cos(w * rad);
    const double equationOfTime
        = 0.123 * std::cos((w + 77.0) * rad) - std::sin(2.0 * w * rad) / 6.0;
    const double c = std::sin(phi * rad) * (std::sin(delta * rad) / std::cos(phi * rad))
                     / std::cos(delta * rad);
    // The hour angle arccos c in degrees; beyond ±1 the sun stays below (0) or above (180) the
    // horizon all day.
    double hourAngle = 0.0;
    if (c <= -1.0)
        hourAngle = 180.0;
    else if (c < 1.0)
        hourAngle = (pi / 2.0 - std::atan(c / std::sqrt(1.0 - c * c))) / rad;

    const float sunrise
        = static_cast<float>((180.0 - hourAngle + dL) / 15.0 - equationOfTime - 0.08 + shift);
    const float sunset
        = static_cast<float>((180.0 + hourAngle + dL) / 15.0 - equationOfTime + 0.08 + shift);
    const float culmination = sunrise + (sunset - sunrise) / 2.0f;

    QString text = shownTime(sunrise) + QStringLiteral(" Sonnenaufgang\r\n")
                   + shownTime(sunset) + QStringLiteral(" Sonnenuntergang\r\n")
                   + shownTime(culmination) + QStringLiteral(" Kulmination");
    if (!zone.isEmpty())
        text += QStringLiteral(" (") + zone + u')';
    return text;
}

} // namespace textlib
