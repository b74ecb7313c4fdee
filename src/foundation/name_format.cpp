#include "name_format.h"

#include "text_replace.h"

#include "runtime/codec.h"

#include <array>

namespace foundation {

QString CopyrightZeile(const QString& line)
{
    const QString praefix = QString::fromUtf16(copyrightPraefix);
    const QString jahr = QString::fromUtf16(copyrightErstesJahr);
    QString zeile = line;
    const qsizetype stelle = zeile.indexOf(praefix);
    if (stelle >= 0 && !zeile.contains(jahr)) {
        // The year goes behind the prefix where it stands, so text in front of it is kept.
        zeile.insert(stelle + praefix.size(), jahr + u'-');
    }
    return TextErsetzen(zeile, u"~"_qs, u"\r\n"_qs);
}

QString DosNachAnsi(QString& text)
{
    struct Paar {
        int code;
        char16_t buchstabe;
    };
    static constexpr std::array<Paar, 7> paare{{
        {132, u'ä'}, {148, u'ö'}, {129, u'ü'}, {225, u'ß'}, {142, u'Ä'}, {153, u'Ö'}, {154, u'Ü'},
    }};
    for (const Paar& p : paare)
        text.replace(rt::Chr(p.code), QChar(p.buchstabe));
    return text;
}

} // namespace foundation
