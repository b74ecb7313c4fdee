#pragma once
// The picture files the program takes, in one list for every place that takes one: a file
// dropped on the editor, the day's picture and the background picture. Types that cannot be
// shown here (rle, wmf, emf) are still taken and stored; their picture just stays hidden.
#include <QString>
#include <QStringList>

namespace foundation {

// The extensions in lower case, without the dot: bmp, ico, rle, wmf, emf, gif, jpg, jpeg, png.
const QStringList& bildEndungen();
// The same as the pattern of a file chooser's filter: "*.bmp;*.ico;...;*.png".
QString bildMuster();
// Whether the file name ends in one of them, in any case.
bool istBildEndung(const QString& pfad);

} // namespace foundation
