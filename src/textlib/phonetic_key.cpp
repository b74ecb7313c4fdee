#include "phonetic_key.h"

#include "foundation/addon_library.h"
#include "runtime/strings.h"

#include <array>

namespace textlib {

namespace {

struct Ersetzung {
    const char16_t* find;
    const char16_t* replacement;
};

// Applied one after the other, in this order: later rows see the output of earlier ones.
constexpr std::array<Ersetzung, 31> ersetzungen{{
    {u"ce", u"ze"},  {u"ci", u"zi"}, {u"cy", u"zy"}, {u"cä", u"zä"}, {u"cö", u"zö"},
    {u"ay", u"ei"},  {u"ey", u"ei"}, {u"ae", u"ei"}, {u"ai", u"ei"}, {u"ou", u"au"},
    {u"ch", u"k"},   {u"c", u"k"},   {u"ieh", u"i"}, {u"ie", u"i"},  {u"ah", u"a"},
    {u"eh", u"e"},   {u"ih", u"i"},  {u"oh", u"o"},  {u"uh", u"u"},  {u"rh", u"r"},
    {u"ph", u"f"},   {u"th", u"t"},  {u"ß", u"ss"},  {u"t", u"d"},   {u"n", u"m"},
    {u"v", u"f"},    {u"w", u"f"},   {u"y", u"i"},   {u"ä", u"a"},   {u"ö", u"o"},
    {u"ü", u"u"},
}};

const QString& behalteneZeichen()
{
    static const QString zeichen = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüß;,\t\n\r");
    return zeichen;
}

} // namespace

QString PhonetikErsetzen(QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return text;
    if (find.size() == 1 && replacement.size() == 1) {
        foundation::ReplaceChar(text, find.at(0), replacement.at(0));
        return text;
    }
    if (!text.contains(find))
        return text;
    if (replacement.contains(find)) {
        // Replacing again and again would never end; one pass is all that can be done.
        text = rt::Replace(text, find, replacement);
        return text;
    }

    // Searching again from the first character after every replacement removes the occurrences
    // that a replacement forms with the characters before it. The same result in one pass: the
    // output never holds an occurrence; when it ends with one, the occurrence is replaced and
    // the replacement, together with the characters before it that could join a new
    // occurrence, goes back in front of the input still to be read.
    QString output;
    output.reserve(text.size());
    QString pending; // characters to read again, last one first
    qsizetype next = 0;
    const qsizetype keep = find.size() - 1;
    for (;;) {
        QChar ch;
        if (!pending.isEmpty()) {
            ch = pending.back();
            pending.chop(1);
        } else if (next < text.size()) {
            ch = text.at(next++);
        } else {
            break;
        }
        output.append(ch);
        if (!output.endsWith(find))
            continue;
        output.chop(find.size());
        const qsizetype back = std::min(keep, output.size());
        QString again = output.right(back) + replacement;
        output.chop(back);
        for (qsizetype i = again.size() - 1; i >= 0; --i)
            pending.append(again.at(i));
    }
    text = output;
    return text;
}

QString PhonetischerSchluessel(const QString& text, const QString& extraCharacters)
{
    const QString lower = rt::Trim(rt::LCase(text));
    if (lower.isEmpty())
        return {};

    QString gefiltert;
    gefiltert.reserve(lower.size());
    for (const QChar ch : lower) {
        if (behalteneZeichen().contains(ch) || (!extraCharacters.isEmpty() && extraCharacters.contains(ch)))
            gefiltert.append(ch);
    }

    for (const Ersetzung& e : ersetzungen)
        PhonetikErsetzen(gefiltert, QString::fromUtf16(e.find), QString::fromUtf16(e.replacement));

    QString schluessel;
    schluessel.reserve(gefiltert.size());
    QChar letztes;
    bool hatLetztes = false;
    for (const QChar ch : gefiltert) {
        const bool immer = (ch >= u'0' && ch <= u'9') || ch == u'\t';
        if (immer || !hatLetztes || ch != letztes) {
            schluessel.append(ch);
            letztes = ch;
            hatLetztes = true;
        }
    }
    return schluessel;
}

} // namespace textlib
