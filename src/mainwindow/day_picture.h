#pragma once
// Pictures of a day: a file linked to the day in BildList.ini ([<short name>] yyyymmdd=<path>),
// or the first file that the diary's "MediaAuto" pattern finds for the date ("{jjjj}", "{mm}",
// "{tt}" replaced, wildcards allowed in the name). The main window shows it (Main::TagesbildLaden).
#include "runtime/dates.h"

#include <QSize>
#include <QSizeF>
#include <QString>

namespace mainwindow {

// The picture file of the day of the open diary: the linked one, else the one the pattern finds;
// "" when there is none.
QString TagesbildDatei(rt::VbDate datum);

// The size a picture of size bild is shown at in an area of size grenze (already reduced to the
// usable part): both sides are divided by 1.1 as long as either exceeds its limit, at most 100
// times.
QSize TagesbildGroesse(QSize bild, QSizeF grenze);

// The text of the status panel "Bild" for the day: "-" for none, "1 Bild", "<n> Bilder", counted
// in the folder "MediaAutoInfFold" with the mask "MediaAutoInfMask".
QString TagesbilderText(rt::VbDate datum);

// Links file to the day (an empty file removes the link). Nothing is written in read-only mode
// or without an open diary; returns whether it was written.
bool TagesbildVerknuepfen(rt::VbDate datum, const QString& datei);

} // namespace mainwindow
