#include "phonetic_key.h"

#include "foundation/addon_library.h"
#include "runtime/strings.h"

#include <array>
#include <string>
#include <string_view>

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

struct Regeln {
    std::array<std::pair<QString, QString>, ersetzungen.size()> paare;
    std::array<bool, 256> behalten{};

    Regeln()
    {
        for (std::size_t i = 0; i < ersetzungen.size(); ++i)
            paare[i] = {QString::fromUtf16(ersetzungen[i].find), QString::fromUtf16(ersetzungen[i].replacement)};
        for (const QChar ch : QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüß;,\t\n\r"))
            behalten[ch.unicode()] = true;
    }
};

const Regeln& regeln()
{
    static const Regeln r;
    return r;
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
    const std::u16string_view f(reinterpret_cast<const char16_t*>(find.utf16()), static_cast<std::size_t>(find.size()));
    const std::u16string_view r(reinterpret_cast<const char16_t*>(replacement.utf16()), static_cast<std::size_t>(replacement.size()));
    const std::u16string_view input(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    std::u16string output;
    output.reserve(input.size() + r.size());
    std::u16string pending; // characters to read again, last one first
    std::size_t next = 0;
    const std::size_t keep = f.size() - 1;
    for (;;) {
        char16_t ch;
        if (!pending.empty()) {
            ch = pending.back();
            pending.pop_back();
        } else if (next < input.size()) {
            ch = input[next++];
        } else {
            break;
        }
        output.push_back(ch);
        if (ch != f.back() || output.size() < f.size()
            || std::u16string_view(output).substr(output.size() - f.size()) != f)
            continue;
        output.resize(output.size() - f.size());
        const std::size_t back = std::min(keep, output.size());
        pending.append(r.rbegin(), r.rend());
        pending.append(output.rbegin(), output.rbegin() + static_cast<std::ptrdiff_t>(back));
        output.resize(output.size() - back);
    }
    text = QString::fromUtf16(output.data(), static_cast<qsizetype>(output.size()));
    return text;
}

QString PhonetischerSchluessel(const QString& text, const QString& extraCharacters)
{
    const QString lower = rt::Trim(rt::LCase(text));
    if (lower.isEmpty())
        return {};

    const Regeln& r = regeln();
    QString gefiltert;
    gefiltert.reserve(lower.size());
    for (const QChar ch : lower) {
        const bool behalten = ch.unicode() < r.behalten.size() && r.behalten[ch.unicode()];
        if (behalten || (!extraCharacters.isEmpty() && extraCharacters.contains(ch)))
            gefiltert.append(ch);
    }

    for (const auto& [find, replacement] : r.paare)
        PhonetikErsetzen(gefiltert, find, replacement);

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
