#pragma once
#include <QString>

namespace foundation {

// Replaces every occurrence of search in text by replacement, matched without regard to case;
// the replacement is inserted as given and never searched again. An empty search text changes
// nothing.
QString TextErsetzen(const QString& text, const QString& search, const QString& replacement);

} // namespace foundation
