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
    // The rows from this one on each replace a single character, so together they map every
    // character on its own: to the one or two characters of abbildung (0 for no second one;
    // characters from 256 on stay).
    std::size_t einzelneAb = ersetzungen.size();
    std::array<std::array<char16_t, 2>, 256> abbildung{};

    Regeln()
    {
        for (std::size_t i = 0; i < ersetzungen.size(); ++i)
            paare[i] = {QString::fromUtf16(ersetzungen[i].find), QString::fromUtf16(ersetzungen[i].replacement)};
        for (const QChar ch : QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüß;,\t\n\r"))
            behalten[ch.unicode()] = true;
        while (einzelneAb > 0 && paare[einzelneAb - 1].first.size() == 1
               && !paare[einzelneAb - 1].second.contains(paare[einzelneAb - 1].first))
            --einzelneAb;
        for (std::size_t c = 0; c < abbildung.size(); ++c) {
            QString zeichen(QChar(static_cast<char16_t>(c)));
            for (std::size_t i = einzelneAb; i < paare.size(); ++i)
                zeichen.replace(paare[i].first, paare[i].second);
            Q_ASSERT(zeichen.size() >= 1 && zeichen.size() <= 2);
            abbildung[c] = {zeichen.at(0).unicode(), zeichen.size() > 1 ? zeichen.at(1).unicode() : u'\0'};
        }
    }
};

const Regeln& regeln()
{
    static const Regeln r;
    return r;
}

// The first occurrence of find in text at or after from, -1 when none. Qt's own search is slow
// for the short texts of the table; its search for one character is not: candidates by the
// first character, then the rest compared.
qsizetype finden(QStringView text, QStringView find, qsizetype from)
{
    const QChar erstes = find.front();
    const QStringView rest = find.mid(1);
    const qsizetype ende = text.size() - find.size();
    while (from <= ende) {
        const qsizetype p = text.indexOf(erstes, from);
        if (p < 0 || p > ende)
            return -1;
        if (text.mid(p + 1, rest.size()) == rest)
            return p;
        from = p + 1;
    }
    return -1;
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
    if (finden(text, find, 0) < 0)
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
    // occurrence, goes back in front of the input still to be read. Stretches of input without
    // an occurrence are copied whole: once the last keep characters of the output are plain
    // input, the next occurrence can only be one of the input itself.
    const std::u16string_view f(reinterpret_cast<const char16_t*>(find.utf16()), static_cast<std::size_t>(find.size()));
    const std::u16string_view r(reinterpret_cast<const char16_t*>(replacement.utf16()), static_cast<std::size_t>(replacement.size()));
    const QStringView eingabe(text);
    const std::u16string_view input(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    std::u16string output;
    output.reserve(input.size() + r.size());
    std::u16string pending; // characters to read again, last one first
    std::size_t next = 0;
    const std::size_t keep = f.size() - 1;
    std::size_t plain = keep; // trailing output characters that are the input just before next
    for (;;) {
        char16_t ch;
        if (!pending.empty()) {
            ch = pending.back();
            pending.pop_back();
            plain = 0;
        } else if (next < input.size()) {
            if (plain >= keep) {
                const qsizetype q = finden(eingabe, find, static_cast<qsizetype>(next - std::min(keep, next)));
                if (q < 0) {
                    output.append(input.substr(next));
                    break;
                }
                // Up to the last character of the occurrence, which is read on its own below.
                const std::size_t letztes = static_cast<std::size_t>(q) + keep;
                output.append(input.substr(next, letztes - next));
                next = letztes;
            }
            ch = input[next++];
            plain = std::min(plain + 1, keep);
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
        plain = 0;
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
    QString gefiltert(lower.size(), Qt::Uninitialized);
    qsizetype gefiltertLaenge = 0;
    {
        char16_t* nach = reinterpret_cast<char16_t*>(gefiltert.data());
        for (const QChar zeichen : QStringView(lower)) {
            const char16_t ch = zeichen.unicode();
            const bool behalten = ch < r.behalten.size() && r.behalten[ch];
            if (behalten || (!extraCharacters.isEmpty() && extraCharacters.contains(QChar(ch))))
                nach[gefiltertLaenge++] = ch;
        }
    }
    gefiltert.truncate(gefiltertLaenge);

    for (std::size_t i = 0; i < r.einzelneAb; ++i)
        PhonetikErsetzen(gefiltert, r.paare[i].first, r.paare[i].second);

    // The single-character rows, then runs of one character collapsed (digits and tabs never).
    std::u16string schluessel;
    schluessel.reserve(static_cast<std::size_t>(gefiltert.size()));
    char16_t letztes = 0;
    bool hatLetztes = false;
    const auto anhaengen = [&](char16_t ch) {
        const bool immer = (ch >= u'0' && ch <= u'9') || ch == u'\t';
        if (immer || !hatLetztes || ch != letztes) {
            schluessel.push_back(ch);
            letztes = ch;
            hatLetztes = true;
        }
    };
    for (const QChar zeichen : QStringView(gefiltert)) {
        const char16_t ch = zeichen.unicode();
        if (ch >= r.abbildung.size()) {
            anhaengen(ch);
            continue;
        }
        const auto& aus = r.abbildung[ch];
        anhaengen(aus[0]);
        if (aus[1] != 0)
            anhaengen(aus[1]);
    }
    return QString::fromUtf16(schluessel.data(), static_cast<qsizetype>(schluessel.size()));
}

} // namespace textlib
