#pragma once
// Proper case ("brief an anna" -> "Brief An Anna") as the text library's WorteGrossSchreiben makes
// it. The foundation may not call the text library, so the text library (or main()) hands its
// function in at start-up; until then, and after an empty function, rt::ProperCase stands in.
// The registry value "Dir" holds the program folder in this form.
#include <QString>

#include <functional>

namespace foundation {

using WorteGrossSchreibenFunktion = std::function<QString(const QString&)>;

void setWorteGrossSchreiben(WorteGrossSchreibenFunktion function);
QString worteGrossSchreiben(const QString& text);

} // namespace foundation
