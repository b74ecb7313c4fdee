#pragma once
// Phonetic key of a German text for the fuzzy search: forms that sound alike (Mayer, Maier,
// Meyer, Meier) give the same key. The search looks for the key of a term inside the key of an
// entry, so the key only has to be the same function on both sides.
#include <QString>

namespace textlib {

// Empty for an empty text or one of blanks only. extraCharacters are kept by the character
// filter in addition to digits, a-z, äöüß, ";", ",", Tab, LF and CR.
QString PhonetischerSchluessel(const QString& text, const QString& extraCharacters = {});

// Replaces find by replacement in text until no occurrence is left, also those that a
// replacement forms with its neighbours; returns the changed text, which also stays in text.
// A replacement must not contain its find text.
QString PhonetikErsetzen(QString& text, const QString& find, const QString& replacement);

} // namespace textlib
