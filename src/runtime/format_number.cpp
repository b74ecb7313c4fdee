// Format of numbers: VB's number patterns with German symbols, whatever the system locale.
#include "format.h"

#include "decimal_digits.h"
#include "numbers.h"

#include <QList>
#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

using detail::DecimalDigits;

constexpr QChar decimalSeparator = u',';
constexpr QChar groupSeparator = u'.';

enum class TokenKind { Zero, Hash, Point, Comma, Literal };

struct Token {
    TokenKind kind;
    QString text; // for literals
};

bool isPlaceholder(const Token& token)
{
    return token.kind == TokenKind::Zero || token.kind == TokenKind::Hash;
}

// One section of a number pattern, taken apart.
struct NumberSection {
    QList<Token> integerPart;  // before the decimal point
    QList<Token> fractionPart; // after it, up to an exponent
    QList<Token> exponentPart; // after "E+"/"E-"
    bool hasPoint = false;
    bool hasExponent = false;
    QChar exponentLetter;
    bool exponentPlus = false;
    bool grouping = false;
    int thousandsScale = 0; // each "," at the end of the whole digits divides by 1000
    int percent = 0;        // each "%" multiplies by 100
};

// Splits at ";" outside quotes and "\" escapes.
QList<QStringView> splitSections(QStringView pattern)
{
    QList<QStringView> sections;
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u'\\') {
            ++i;
        } else if (c == u';') {
            sections.append(pattern.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(pattern.mid(start));
    return sections;
}

// Decides what each "," of the whole-number part means: with a digit placeholder after it, it
// switches on digit grouping; after the last placeholder, it scales by 1000; without any
// placeholder it is plain text.
void resolveCommas(NumberSection& section)
{
    QList<Token>& tokens = section.integerPart;
    qsizetype firstPlaceholder = -1;
    qsizetype lastPlaceholder = -1;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (isPlaceholder(tokens[i])) {
            if (firstPlaceholder < 0)
                firstPlaceholder = i;
            lastPlaceholder = i;
        }
    }
    QList<Token> kept;
    kept.reserve(tokens.size());
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != TokenKind::Comma) {
            kept.append(tokens[i]);
        } else if (i < lastPlaceholder) {
            section.grouping = true;
        } else if (firstPlaceholder >= 0) {
            ++section.thousandsScale;
        } else {
            kept.append(Token{TokenKind::Literal, QStringLiteral(",")});
        }
    }
    tokens = kept;
}

NumberSection parseSection(QStringView text)
{
    NumberSection section;
    QList<Token>* out = &section.integerPart;
    auto literal = [&](QString s) {
        if (!out->isEmpty() && out->last().kind == TokenKind::Literal)
            out->last().text += s;
        else
            out->append(Token{TokenKind::Literal, std::move(s)});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            qsizetype end = text.indexOf(u'"', i + 1);
            if (end < 0)
                end = text.size();
            literal(text.mid(i + 1, end - i - 1).toString());
            i = end;
        } else if (c == u'\\') {
            if (i + 1 < text.size())
                literal(QString(text[++i]));
        } else if (c == u'0') {
            out->append(Token{TokenKind::Zero, {}});
        } else if (c == u'#') {
            out->append(Token{TokenKind::Hash, {}});
        } else if (c == u'.' && out == &section.integerPart) {
            section.hasPoint = true;
            out = &section.fractionPart;
        } else if (c == u',') {
            // Meaningful only among the whole digits; elsewhere VB drops it.
            if (out == &section.integerPart)
                out->append(Token{TokenKind::Comma, {}});
        } else if (c == u'%') {
            ++section.percent;
            literal(QStringLiteral("%"));
        } else if ((c == u'E' || c == u'e') && !section.hasExponent && i + 2 < text.size()
                   && (text[i + 1] == u'+' || text[i + 1] == u'-')
                   && (text[i + 2] == u'0' || text[i + 2] == u'#')) {
            section.hasExponent = true;
            section.exponentLetter = c;
            section.exponentPlus = text[i + 1] == u'+';
            out = &section.exponentPart;
            ++i;
        } else {
            literal(QString(c));
        }
    }
    resolveCommas(section);
    return section;
}

int countPlaceholders(const QList<Token>& tokens)
{
    int count = 0;
    for (const Token& token : tokens)
        count += isPlaceholder(token) ? 1 : 0;
    return count;
}

// Placeholders from the first "0" on always show a digit ("#00" of 5 is "05").
int minimumLeadingDigits(const QList<Token>& tokens)
{
    int count = 0;
    bool zeroSeen = false;
    for (const Token& token : tokens) {
        if (token.kind == TokenKind::Zero)
            zeroSeen = true;
        if (zeroSeen && isPlaceholder(token))
            ++count;
    }
    return count;
}

// Fraction placeholders up to the last "0" always show a digit ("0.0#" of 1.5 is "1,5").
int minimumFractionDigits(const QList<Token>& tokens)
{
    int count = 0;
    int index = 0;
    for (const Token& token : tokens) {
        if (!isPlaceholder(token))
            continue;
        ++index;
        if (token.kind == TokenKind::Zero)
            count = index;
    }
    return count;
}

// Lays whole digits out over the placeholders, right-aligned: the first placeholder takes all
// digits the pattern has no room for; literals stay where they stand.
void layOutWhole(QString& result, const QList<Token>& tokens, std::string digits, bool grouping)
{
    const int placeholders = countPlaceholders(tokens);
    const int minimum = minimumLeadingDigits(tokens);
    if (static_cast<int>(digits.size()) < minimum)
        digits.insert(0, static_cast<std::size_t>(minimum) - digits.size(), '0');
    const int n = static_cast<int>(digits.size());
    int next = 0;
    auto put = [&](int count) {
        for (int k = 0; k < count; ++k) {
            result += QLatin1Char(digits[static_cast<std::size_t>(next)]);
            ++next;
            const int remaining = n - next;
            if (grouping && remaining > 0 && remaining % 3 == 0)
                result += groupSeparator;
        }
    };
    int index = 0;
    for (const Token& token : tokens) {
        if (!isPlaceholder(token)) {
            if (token.kind == TokenKind::Literal)
                result += token.text;
            continue;
        }
        if (index == 0)
            put(std::max(0, n - (placeholders - 1)));
        else if (placeholders - index <= n)
            put(1);
        ++index;
    }
}

void layOutFraction(QString& result, const QList<Token>& tokens, const std::string& digits)
{
    std::size_t next = 0;
    for (const Token& token : tokens) {
        if (!isPlaceholder(token)) {
            if (token.kind == TokenKind::Literal)
                result += token.text;
            continue;
        }
        if (next < digits.size())
            result += QLatin1Char(digits[next]);
        ++next;
    }
}

QString formatSection(const NumberSection& section, DecimalDigits d)
{
    if (!d.isZero())
        d.pointPos += 2 * section.percent - 3 * section.thousandsScale;
    const int wholePlaces = countPlaceholders(section.integerPart);
    const int fractionPlaces = countPlaceholders(section.fractionPart);

    int exponent = 0;
    if (section.hasExponent && !d.isZero()) {
        exponent = d.pointPos - wholePlaces;
        d.pointPos = wholePlaces;
        detail::roundToDecimals(d, fractionPlaces);
        if (d.pointPos > wholePlaces) { // 9,999 rounded up to 10,00: one more power of ten
            d.pointPos = wholePlaces;
            ++exponent;
        }
    } else {
        detail::roundToDecimals(d, fractionPlaces);
    }

    std::string fraction = detail::fractionDigits(d, fractionPlaces);
    const auto minimumFraction = static_cast<std::size_t>(minimumFractionDigits(section.fractionPart));
    while (fraction.size() > minimumFraction && fraction.back() == '0')
        fraction.pop_back();

    QString result;
    std::string whole = detail::integerDigits(d);
    if (wholePlaces == 0) {
        // No place for whole digits: they still stand before the decimal point (".00" of 12.5
        // is "12,50"); a pattern of plain text shows no digits at all.
        for (const Token& token : section.integerPart)
            result += token.text;
        if (section.hasPoint)
            result += QString::fromLatin1(whole.data(), static_cast<qsizetype>(whole.size()));
    } else {
        layOutWhole(result, section.integerPart, whole, section.grouping);
    }
    if (section.hasPoint)
        result += decimalSeparator;
    layOutFraction(result, section.fractionPart, fraction);
    if (section.hasExponent) {
        result += section.exponentLetter;
        if (exponent < 0)
            result += u'-';
        else if (section.exponentPlus)
            result += u'+';
        layOutWhole(result, section.exponentPart, std::to_string(std::abs(exponent)), false);
    }
    return result;
}

QString generalText(bool negative, const DecimalDigits& magnitude)
{
    const std::string text = detail::generalForm(magnitude, ',');
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    if (negative && !magnitude.isZero())
        result.prepend(u'-');
    return result;
}

// Named formats other than "General Number"; an empty text when the name is none of them.
QString namedPattern(const QString& name)
{
    static const struct {
        const char* name;
        const char* pattern;
    } table[] = {
        {"Currency", "#,##0.00 \xE2\x82\xAC"},
        {"Fixed", "0.00"},
        {"Standard", "#,##0.00"},
        {"Percent", "0.00%"},
        {"Scientific", "0.00E+00"},
    };
    for (const auto& entry : table) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(entry.pattern);
    }
    return {};
}

// "Yes/No", "True/False", "On/Off": the German word for a value that is not zero, or for zero.
std::optional<QString> booleanWord(const QString& name, bool nonZero)
{
    if (name.compare(QLatin1String("Yes/No"), Qt::CaseInsensitive) == 0)
        return nonZero ? QStringLiteral("Ja") : QStringLiteral("Nein");
    if (name.compare(QLatin1String("True/False"), Qt::CaseInsensitive) == 0)
        return nonZero ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    if (name.compare(QLatin1String("On/Off"), Qt::CaseInsensitive) == 0)
        return nonZero ? QStringLiteral("Ein") : QStringLiteral("Aus");
    return std::nullopt;
}

// The shared part of both overloads once the value is sign and decimal digits. `general` is
// the text of an empty pattern.
QString formatNumber(bool negative, const DecimalDigits& magnitude, const QString& pattern,
                     const QString& general)
{
    if (pattern.isEmpty() || pattern.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0)
        return general;
    if (const std::optional<QString> word = booleanWord(pattern, !magnitude.isZero()))
        return *word;
    const QString named = namedPattern(pattern);
    const QString& effective = named.isEmpty() ? pattern : named;

    // One section serves all values, a negative one with "-" in front. A second section is for
    // negative values and shows no sign of its own; a third is for zero. The section follows the
    // value itself, not its rounded form, so -0.4 with "0" gives "-0", as in VB.
    const QList<QStringView> sections = splitSections(effective);
    QStringView chosen = sections[0];
    bool minus = negative;
    if (negative && sections.size() >= 2 && !sections[1].isEmpty()) {
        chosen = sections[1];
        minus = false;
    } else if (magnitude.isZero() && sections.size() >= 3 && !sections[2].isEmpty()) {
        chosen = sections[2];
    }
    if (chosen.isEmpty())
        return generalText(negative, magnitude);
    QString result = formatSection(parseSection(chosen), magnitude);
    if (minus)
        result.prepend(u'-');
    return result;
}

} // namespace

QString Format(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        return CStr(value);
    return formatNumber(value < 0, detail::decimalDigits(value), pattern, CStr(value));
}

QString Format(qint64 value, const QString& pattern)
{
    const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    return formatNumber(value < 0, detail::decimalDigits(magnitude), pattern, QString::number(value));
}

} // namespace rt
