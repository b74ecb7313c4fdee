#pragma once
// Sunrise, sunset and culmination of the sun by a short closed formula, to the nearest ten
// minutes.
#include "runtime/dates.h"

#include <QString>

namespace textlib {

// Three lines "hh:m0 Sonnenaufgang", "hh:m0 Sonnenuntergang", "hh:m0 Kulmination" joined by
// CR LF, no line break at the end. Only the day and month of the date enter the formula (and the
// year into the summer-time test). Latitude and longitude are DD.MMSS (53.55 is 53° 55′), north
// and east positive, south and west negative. hoursToUt is the zone's distance to universal
// time (1 for central Europe). With a summerTimeSwitch other than 0 the times are in summer time
// where it applies and the last line ends with " (MEZ)" or " (MESZ)"; with 0 they are in
// standard time without a label. Where the sun does not rise on that day, sunrise and sunset lie
// a few minutes apart around the culmination; where it does not set, they lie twelve hours
// before and after it.
QString SonnenZeiten(rt::VbDate date, float northLatitude, float eastLongitude, float hoursToUt,
                     float summerTimeSwitch);

} // namespace textlib
