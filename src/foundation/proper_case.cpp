// Proper case of names, with the small words that stay in lower case.
#include "name_format.h"

#include "text_replace.h"

#include "foundation/ini_store.h"
#include "runtime/strings.h"

namespace foundation {

namespace {

// After these characters a word begins. The point is none, so a file name keeps its extension
// in lower case.
bool istWorttrenner(QChar c)
{
    static const QString trenner = u" ,;!?°-_()[]{}=~<>«»\\/*+&:\""_qs;
    return c.unicode() < 32 || trenner.contains(c);
}

// The built-in small words; the setting adds to them.
constexpr char16_t kleineWorte[] =
    u",und,oder,von,med,am,an,im,in,der,die,das,dem,den,für,bei,auf,unter,c't,b.,u.,";

} // namespace

QString WorteGrossSchreiben(const QString& text)
{
    if (text.size() <= 1)
        return rt::UCase(text);

    QString ergebnis = text;
    ergebnis[0] = rt::UCaseChar(text.at(0));
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        ergebnis[i] = istWorttrenner(text.at(i - 1)) ? rt::UCaseChar(c) : rt::LCaseChar(c);
    }

    QString liste = QString::fromUtf16(kleineWorte)
                    + IniLesen({}, u"Movrenta"_qs, u"ImmerKlein"_qs, {});
    if (!liste.endsWith(u','))
        liste += u',';
    for (const QString& eintrag : liste.split(u',')) {
        const QString wort = rt::LCase(rt::Trim(eintrag));
        if (wort.isEmpty())
            continue;
        const QString gerahmt = u' ' + wort + u' ';
        ergebnis = TextErsetzen(ergebnis, gerahmt, gerahmt);
    }
    return ergebnis;
}

QString WorteGrossSchreibenRef(const QString& text)
{
    return WorteGrossSchreiben(text);
}

} // namespace foundation
