#include "text_replace.h"

#include "runtime/strings.h"

namespace foundation {

QString TextErsetzen(const QString& text, const QString& search, const QString& replacement)
{
    if (text.isEmpty() || search.isEmpty())
        return text;
    // The search goes on behind each inserted replacement, so the result is one left-to-right
    // pass over the original text. Lower-casing keeps positions, so the lower-case copy finds
    // the same places.
    const QString lowerText = rt::LCase(text);
    const QString lowerSearch = rt::LCase(search);
    qsizetype pos = lowerText.indexOf(lowerSearch);
    if (pos < 0)
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (pos >= 0) {
        result.append(QStringView(text).mid(from, pos - from));
        result.append(replacement);
        from = pos + lowerSearch.size();
        pos = lowerText.indexOf(lowerSearch, from);
    }
    result.append(QStringView(text).mid(from));
    return result;
}

} // namespace foundation
