#include "decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace rt::detail {

namespace {

void stripZeros(DecimalDigits& d)
{
    const std::size_t last = d.digits.find_last_not_of('0');
    if (last == std::string::npos) {
        d.digits.clear();
        d.pointPos = 0;
        return;
    }
    d.digits.erase(last + 1);
    const std::size_t first = d.digits.find_first_not_of('0');
    d.digits.erase(0, first);
    d.pointPos -= static_cast<int>(first);
}

} // namespace

DecimalDigits decimalDigits(double value, int significant)
{
    DecimalDigits d;
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value))
        return d;
    // "d.ddddde+XX": independent of the C locale, correctly rounded from the binary value.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significant - 1);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    d.digits.reserve(static_cast<std::size_t>(significant));
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    }
    d.pointPos = std::atoi(text.c_str() + e + 1) + 1;
    stripZeros(d);
    return d;
}

DecimalDigits decimalDigits(quint64 magnitude)
{
    DecimalDigits d;
    d.digits = std::to_string(magnitude);
    d.pointPos = static_cast<int>(d.digits.size());
    stripZeros(d);
    return d;
}

void roundToDecimals(DecimalDigits& d, int decimals)
{
    if (d.isZero())
        return;
    const long keep = static_cast<long>(d.pointPos) + decimals;
    if (keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d = DecimalDigits{};
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.erase(static_cast<std::size_t>(keep));
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        } else {
            ++d.digits[i - 1];
        }
    }
    stripZeros(d);
}

std::string integerDigits(const DecimalDigits& d)
{
    if (d.pointPos <= 0)
        return {};
    const auto point = static_cast<std::size_t>(d.pointPos);
    if (point >= d.digits.size())
        return d.digits + std::string(point - d.digits.size(), '0');
    return d.digits.substr(0, point);
}

std::string fractionDigits(const DecimalDigits& d, int count)
{
    std::string result;
    result.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const long index = static_cast<long>(d.pointPos) + i;
        if (index >= 0 && index < static_cast<long>(d.digits.size()))
            result.push_back(d.digits[static_cast<std::size_t>(index)]);
        else
            result.push_back('0');
    }
    return result;
}

std::string generalForm(const DecimalDigits& d, char decimalSeparator)
{
    if (d.isZero())
        return "0";
    const int exponent = d.pointPos - 1;
    const auto size = static_cast<int>(d.digits.size());
    std::string text;
    if (exponent >= -4 && exponent < 15) {
        if (d.pointPos <= 0) {
            text = "0";
            text.push_back(decimalSeparator);
            text.append(static_cast<std::size_t>(-d.pointPos), '0');
            text.append(d.digits);
        } else if (d.pointPos >= size) {
            text = d.digits;
            text.append(static_cast<std::size_t>(d.pointPos - size), '0');
        } else {
            text = d.digits.substr(0, static_cast<std::size_t>(d.pointPos));
            text.push_back(decimalSeparator);
            text.append(d.digits.substr(static_cast<std::size_t>(d.pointPos)));
        }
        return text;
    }
    text.push_back(d.digits[0]);
    if (size > 1) {
        text.push_back(decimalSeparator);
        text.append(d.digits.substr(1));
    }
    text.push_back('E');
    text.push_back(exponent < 0 ? '-' : '+');
    const std::string expDigits = std::to_string(std::abs(exponent));
    if (expDigits.size() < 2)
        text.push_back('0');
    text.append(expDigits);
    return text;
}

} // namespace rt::detail
