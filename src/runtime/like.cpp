#include "like.h"

#include <QList>
#include <optional>

namespace rt {

namespace {

enum class ElementKind { Star, AnyChar, Digit, Exact, Set };

struct Range {
    char16_t low;
    char16_t high;
};

struct Element {
    explicit Element(ElementKind k) : kind(k) {}

    ElementKind kind;
    char16_t ch = 0;     // Exact
    bool negated = false; // Set
    QList<Range> ranges;  // Set

    bool matches(char16_t c) const
    {
        switch (kind) {
        case ElementKind::AnyChar:
            return true;
        case ElementKind::Digit:
            return c >= u'0' && c <= u'9';
        case ElementKind::Exact:
            return c == ch;
        case ElementKind::Set: {
            bool inSet = false;
            for (const Range& range : ranges) {
                if (c >= range.low && c <= range.high) {
                    inSet = true;
                    break;
                }
            }
            return inSet != negated;
        }
        case ElementKind::Star:
            break;
        }
        return false;
    }
};

// Every element except "*" takes exactly one character: "[]" takes none and is dropped, and
// runs of "*" are one "*". Nothing when the pattern is invalid.
std::optional<QList<Element>> compile(const QString& pattern)
{
    QList<Element> elements;
    const qsizetype size = pattern.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = pattern[i].unicode();
        if (c == u'*') {
            if (elements.isEmpty() || elements.last().kind != ElementKind::Star)
                elements.append(Element(ElementKind::Star));
        } else if (c == u'?') {
            elements.append(Element(ElementKind::AnyChar));
        } else if (c == u'#') {
            elements.append(Element(ElementKind::Digit));
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0)
                return std::nullopt;
            qsizetype j = i + 1;
            if (j == close) { // "[]" matches the empty string
                i = close;
                continue;
            }
            Element set(ElementKind::Set);
            if (pattern[j] == u'!') {
                set.negated = true;
                ++j;
            }
            bool first = true;
            while (j < close) {
                const char16_t low = pattern[j].unicode();
                // "-" first or last in the list stands for itself.
                const bool range = j + 2 < close && pattern[j + 1] == u'-' && !(first && low == u'-');
                if (range) {
                    const char16_t high = pattern[j + 2].unicode();
                    if (high < low)
                        return std::nullopt;
                    set.ranges.append(Range{low, high});
                    j += 3;
                } else {
                    set.ranges.append(Range{low, low});
                    ++j;
                }
                first = false;
            }
            elements.append(set);
            i = close;
        } else {
            Element exact(ElementKind::Exact);
            exact.ch = c;
            elements.append(exact);
        }
    }
    return elements;
}

// Greedy matching that falls back only to the last "*": each "*" can only take more
// characters, so earlier stars never need to be revisited and the work stays at most
// text length x pattern length.
bool matchElements(const QString& text, const QList<Element>& elements)
{
    const qsizetype textSize = text.size();
    const qsizetype count = elements.size();
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starElement = -1;
    qsizetype starText = 0;
    while (t < textSize) {
        if (p < count && elements[p].kind == ElementKind::Star) {
            starElement = p++;
            starText = t;
        } else if (p < count && elements[p].matches(text[t].unicode())) {
            ++p;
            ++t;
        } else if (starElement >= 0) {
            p = starElement + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < count && elements[p].kind == ElementKind::Star)
        ++p;
    return p == count;
}

} // namespace

bool Like(const QString& text, const QString& pattern)
{
    const std::optional<QList<Element>> elements = compile(pattern);
    return elements && matchElements(text, *elements);
}

bool LikePatternValid(const QString& pattern)
{
    return compile(pattern).has_value();
}

} // namespace rt
