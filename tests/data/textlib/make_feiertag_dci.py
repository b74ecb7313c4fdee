#!/usr/bin/env python3
# Writes Feiertag.dci, the holiday table of the day-information tests: fixed holidays in
# [Zyklisch], the movable ones of 1950-2100 in [Einmalig], Windows-1252 with CR LF line ends,
# as users keep it. Easter comes from dateutil (Debian package python3-dateutil); the tests check
# the file against their own Easter computation, so this script runs only when the table changes:
#   python3 make_feiertag_dci.py > Feiertag.dci
import datetime
import sys

from dateutil.easter import easter

FIXED = [
    ("01.01", "Neujahr"),
    ("06.01", "Heilige Drei Könige"),
    ("14.02", "Valentinstag"),
    ("01.05", "Tag der Arbeit"),
    ("15.08", "Mariä Himmelfahrt"),
    ("03.10", "Tag der Deutschen Einheit"),
    ("31.10", "Reformationstag"),
    ("01.11", "Allerheiligen"),
    ("24.12", "Heiligabend~"),
    ("25.12", "1. Weihnachtstag"),
    ("26.12", "2. Weihnachtstag"),
    ("31.12", "Silvester"),
]

# Days from Easter Sunday.
MOVABLE = [
    (-48, "Rosenmontag"),
    (-46, "Aschermittwoch"),
    (-2, "Karfreitag"),
    (0, "Ostersonntag"),
    (1, "Ostermontag"),
    (39, "Christi Himmelfahrt"),
    (49, "Pfingstsonntag"),
    (50, "Pfingstmontag"),
    (60, "Fronleichnam"),
]


def buss_und_bettag(year):
    # The Wednesday before 23 November.
    day = datetime.date(year, 11, 22)
    while day.weekday() != 2:
        day -= datetime.timedelta(days=1)
    return day


def main():
    fixed = dict(FIXED)
    lines = ["; Feiertage für Korvanel",
             "; Zyklisch: jedes Jahr, Einmalig: nur an diesem Datum",
             ""]
    lines.append("[Zyklisch]")
    lines += ["%s=%s" % (key, text) for key, text in FIXED]
    lines += ["", "[Einmalig]"]
    for year in range(1950, 2101):
        days = [(easter(year) + datetime.timedelta(days=offset), text) for offset, text in MOVABLE]
        days.append((buss_und_bettag(year), "Buß- und Bettag"))
        for day, text in sorted(days):
            cyclic = fixed.get(day.strftime("%d.%m"))
            if cyclic:
                text = "%s, %s" % (cyclic.rstrip("~"), text)
            lines.append("%s=%s" % (day.strftime("%d.%m.%Y"), text))
    sys.stdout.buffer.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


main()
