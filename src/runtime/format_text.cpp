// Format of a text: a text that is a number or a date goes through the number or date form,
// any other text through the character placeholders "@", "&", "<", ">" and "!".
#include "format.h"
#include "numbers.h"
#include "strings.h"

namespace rt {

namespace {

struct TextPattern {
    QString items;        // the pattern without quotes and escapes; placeholders marked below
    QList<bool> placeholder; // per item: true for "@" or "&"
    QList<bool> blankFill;   // per item: true for "@" (an empty placeholder shows a blank)
    bool upper = false;
    bool lower = false;
    bool leftToRight = false;
    bool isTextPattern = false;
};

TextPattern parseTextPattern(const QString& pattern)
{
    TextPattern p;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = pattern.at(i);
        const auto literal = [&p](QChar c) {
            p.items.append(c);
            p.placeholder.append(false);
            p.blankFill.append(false);
        };
        if (ch == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            for (qsizetype j = i + 1; j < stop; ++j)
                literal(pattern.at(j));
            i = stop;
        } else if (ch == u'\\') {
            if (i + 1 < pattern.size())
                literal(pattern.at(++i));
        } else if (ch == u'@' || ch == u'&') {
            p.items.append(ch);
            p.placeholder.append(true);
            p.blankFill.append(ch == u'@');
            p.isTextPattern = true;
        } else if (ch == u'<') {
            p.lower = true;
            p.upper = false;
            p.isTextPattern = true;
        } else if (ch == u'>') {
            p.upper = true;
            p.lower = false;
            p.isTextPattern = true;
        } else if (ch == u'!') {
            p.leftToRight = true;
            p.isTextPattern = true;
        } else {
            literal(ch);
        }
    }
    return p;
}

bool isDatePattern(const QString& pattern)
{
    static const QStringList named{u"general date"_qs, u"long date"_qs, u"medium date"_qs, u"short date"_qs,
                                   u"long time"_qs,    u"medium time"_qs, u"short time"_qs};
    if (named.contains(LCase(pattern)))
        return true;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = LCaseChar(pattern.at(i));
        if (ch == u'"') {
            quoted = !quoted;
        } else if (!quoted && ch == u'\\') {
            ++i;
        } else if (!quoted && QStringView(u"dmyhnswqc").contains(ch)) {
            return true;
        }
    }
    return false;
}

QString formatAsText(const QString& text, const TextPattern& p)
{
    QString source = p.upper ? UCase(text) : p.lower ? LCase(text) : text;
    const qsizetype placeholderCount = p.placeholder.count(true);
    QString result;
    if (p.leftToRight) {
        qsizetype next = 0;
        for (qsizetype i = 0; i < p.items.size(); ++i) {
            if (!p.placeholder[i])
                result.append(p.items[i]);
            else if (next < source.size())
                result.append(source[next++]);
            else if (p.blankFill[i])
                result.append(u' ');
        }
        result.append(source.mid(next));
        return result;
    }
    // Right to left: the last placeholder takes the last character; characters beyond the
    // placeholders stand in front.
    const qsizetype extra = std::max<qsizetype>(0, source.size() - placeholderCount);
    qsizetype next = source.size() - 1;
    for (qsizetype i = p.items.size() - 1; i >= 0; --i) {
        if (!p.placeholder[i])
            result.prepend(p.items[i]);
        else if (next >= extra)
            result.prepend(source[next--]);
        else if (p.blankFill[i])
            result.prepend(u' ');
    }
    return source.left(extra) + result;
}

} // namespace

QString Format(const QString& text, const QString& pattern)
{
    if (pattern.isEmpty())
        return text;
    const TextPattern p = parseTextPattern(pattern);
    if (p.isTextPattern)
        return formatAsText(text, p);
    // A date pattern takes a date text as a date ("5.3.2024" would otherwise pass as a number
    // with grouping dots) and a number as a date value.
    const auto number = parseGermanNumber(text);
    if (isDatePattern(pattern)) {
        if (const auto date = CDate(text))
            return Format(*date, pattern);
        if (number)
            return Format(VbDate(*number), pattern);
        return text;
    }
    if (number)
        return Format(*number, pattern);
    return text;
}

} // namespace rt
