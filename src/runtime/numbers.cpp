#include "numbers.h"

#include "decimal_digits.h"
#include "error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace rt {

namespace {

enum class ParseStatus { Ok, NoNumber, Overflow };

struct Parsed {
    ParseStatus status = ParseStatus::NoNumber;
    double value = 0.0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads "&H1F" or "&O17" at the start of s. A value up to &HFFFF is an Integer
// (so &HFFFF is -1), a larger one a Long (&HFFFFFFFF is -1); a trailing "&" asks for a Long.
// `end` receives the position behind what was read.
Parsed readHexOrOctal(const std::string& s, std::size_t& end)
{
    end = 0;
    if (s.size() < 2)
        return {};
    const char kind = s[1];
    int base = 0;
    if (kind == 'h' || kind == 'H')
        base = 16;
    else if (kind == 'o' || kind == 'O')
        base = 8;
    else
        return {};
    std::size_t i = 2;
    quint64 value = 0;
    bool anyDigit = false;
    bool overflow = false;
    for (; i < s.size(); ++i) {
        const int digit = hexValue(s[i]);
        if (digit < 0 || digit >= base)
            break;
        anyDigit = true;
        if (!overflow) {
            value = value * static_cast<quint64>(base) + static_cast<quint64>(digit);
            overflow = value > 0xFFFFFFFFull;
        }
    }
    if (!anyDigit)
        return {};
    bool longSuffix = false;
    if (i < s.size() && s[i] == '&') {
        longSuffix = true;
        ++i;
    }
    end = i;
    if (overflow)
        return {ParseStatus::Overflow, 0.0};
    if (value <= 0xFFFF && !longSuffix)
        return {ParseStatus::Ok, static_cast<double>(static_cast<qint16>(static_cast<quint16>(value)))};
    return {ParseStatus::Ok, static_cast<double>(static_cast<qint32>(static_cast<quint32>(value)))};
}

// Adds one exponent digit, saturating far beyond any exponent a double can use.
void addExponentDigit(long& exponent, char digit)
{
    if (exponent < 1000000)
        exponent = exponent * 10 + (digit - '0');
}

// The value of sign, digits before and after the point, and a decimal exponent.
Parsed toDouble(bool negative, const std::string& whole, const std::string& fraction, long exponent)
{
    // Decimal position of the first significant digit, to tell an overflow from an underflow.
    long magnitude = 0;
    const std::size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) {
        magnitude = static_cast<long>(whole.size() - firstWhole) - 1;
    } else {
        const std::size_t firstFraction = fraction.find_first_not_of('0');
        if (firstFraction == std::string::npos)
            return {ParseStatus::Ok, 0.0};
        magnitude = -static_cast<long>(firstFraction) - 1;
    }
    magnitude += exponent;
    if (magnitude > 400)
        return {ParseStatus::Overflow, 0.0};
    if (magnitude < -400)
        return {ParseStatus::Ok, 0.0};

    std::string text = whole.empty() ? std::string("0") : whole;
    if (!fraction.empty()) {
        text.push_back('.');
        text.append(fraction);
    }
    text.push_back('e');
    text.append(std::to_string(exponent));
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        return magnitude > 0 ? Parsed{ParseStatus::Overflow, 0.0} : Parsed{ParseStatus::Ok, 0.0};
    if (result.ec != std::errc() || !std::isfinite(value))
        return {ParseStatus::Overflow, 0.0};
    return {ParseStatus::Ok, negative ? -value : value};
}

// Reads an exponent "E5", "e-3", "D+2" at s[pos] and moves pos behind it; leaves pos where it
// is when no digit follows the letter.
void readExponent(const std::string& s, std::size_t& pos, long& exponent)
{
    if (pos >= s.size())
        return;
    const char letter = s[pos];
    if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D')
        return;
    std::size_t i = pos + 1;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i >= s.size() || !isDigit(s[i]))
        return;
    long value = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        addExponentDigit(value, s[i]);
    exponent = negative ? -value : value;
    pos = i;
}

// Reads a number at the start of s: "&H"/"&O" digits, or a sign, whole digits (with the
// grouping character between digits when it is not 0), the decimal separator, fraction digits
// and an exponent. `end` receives the position behind what was read.
Parsed scanNumber(const std::string& s, char decimalSeparator, char grouping, std::size_t& end)
{
    end = 0;
    if (!s.empty() && s[0] == '&')
        return readHexOrOctal(s, end);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }
    std::string whole;
    for (; pos < s.size(); ++pos) {
        const bool groupingBetweenDigits = grouping != 0 && s[pos] == grouping && !whole.empty()
                                           && pos + 1 < s.size() && isDigit(s[pos + 1]);
        if (isDigit(s[pos]))
            whole.push_back(s[pos]);
        else if (!groupingBetweenDigits)
            break;
    }
    std::string fraction;
    if (pos < s.size() && s[pos] == decimalSeparator) {
        for (++pos; pos < s.size() && isDigit(s[pos]); ++pos)
            fraction.push_back(s[pos]);
    }
    if (whole.empty() && fraction.empty())
        return {};
    long exponent = 0;
    readExponent(s, pos, exponent);
    end = pos;
    return toDouble(negative, whole, fraction, exponent);
}

// The German conversion of a whole text: one leading sign, "." grouping between digits, ","
// decimal separator, an optional exponent, or "&H"/"&O"; blanks and Tabs around it.
Parsed parseGerman(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == u' ' || text[from] == u'\t'))
        ++from;
    while (to > from && (text[to - 1] == u' ' || text[to - 1] == u'\t'))
        --to;
    std::string s;
    s.reserve(static_cast<std::size_t>(to - from));
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return {};
        s.push_back(static_cast<char>(c));
    }
    std::size_t end = 0;
    const Parsed parsed = scanNumber(s, ',', '.', end);
    if (end != s.size())
        return {};
    return parsed;
}

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double rest = value - floor;
    if (rest < 0.5)
        return floor;
    if (rest > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

// Halves to even; outside [low, high] the current error 6 and 0.
qint32 roundToRange(double value, double low, double high)
{
    if (!std::isfinite(value)) {
        raiseError(ErrOverflow);
        return 0;
    }
    const double rounded = roundHalfEven(value);
    if (rounded < low || rounded > high) {
        raiseError(ErrOverflow);
        return 0;
    }
    return static_cast<qint32>(rounded);
}

// Converts text for CDbl/CInt/CLng: error 13 for no number, 6 for a number too large.
std::optional<double> convertOrRaise(const QString& text)
{
    const Parsed parsed = parseGerman(text);
    switch (parsed.status) {
    case ParseStatus::Ok:
        return parsed.value;
    case ParseStatus::Overflow:
        raiseError(ErrOverflow);
        return std::nullopt;
    case ParseStatus::NoNumber:
        break;
    }
    raiseError(ErrTypeMismatch);
    return std::nullopt;
}

QString generalText(double value, char decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    const detail::DecimalDigits digits = detail::decimalDigits(value);
    std::string text = detail::generalForm(digits, decimalSeparator);
    if (value < 0 && !digits.isZero())
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

double Val(const QString& text)
{
    // Blanks, Tabs and line feeds vanish wherever they stand; any other character ends the
    // number, so the scan works on the ASCII characters up to the first other one.
    std::string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (c >= 0x80)
            break;
        s.push_back(static_cast<char>(c));
    }
    std::size_t end = 0;
    const Parsed parsed = scanNumber(s, '.', 0, end);
    if (parsed.status == ParseStatus::Overflow)
        raiseError(ErrOverflow);
    return parsed.status == ParseStatus::Ok ? parsed.value : 0.0;
}

std::optional<double> parseGermanNumber(const QString& text)
{
    const Parsed parsed = parseGerman(text);
    if (parsed.status != ParseStatus::Ok)
        return std::nullopt;
    return parsed.value;
}

bool IsNumeric(const QString& text)
{
    return parseGerman(text).status == ParseStatus::Ok;
}

double CDbl(const QString& text)
{
    return convertOrRaise(text).value_or(0.0);
}

int CInt(double value)
{
    return roundToRange(value, -32768.0, 32767.0);
}

int CInt(const QString& text)
{
    const std::optional<double> value = convertOrRaise(text);
    return value ? CInt(*value) : 0;
}

qint32 CLng(double value)
{
    return roundToRange(value, -2147483648.0, 2147483647.0);
}

qint32 CLng(const QString& text)
{
    const std::optional<double> value = convertOrRaise(text);
    return value ? CLng(*value) : 0;
}

double Int(double value)
{
    return std::floor(value);
}

double Fix(double value)
{
    return std::trunc(value);
}

double Round(double value, int decimals)
{
    if (decimals < 0) {
        raiseError(ErrInvalidCall);
        return value;
    }
    // Beyond 2^52 every double is whole; beyond 22 decimals the scale is no longer exact.
    if (!std::isfinite(value) || std::fabs(value) >= 4503599627370496.0 || decimals > 22)
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled))
        return value;
    return roundHalfEven(scaled) / scale;
}

QString Str(double value)
{
    const QString text = generalText(value, '.');
    return value >= 0 || std::isnan(value) ? u' ' + text : text;
}

QString CStr(double value)
{
    return generalText(value, ',');
}

} // namespace rt
