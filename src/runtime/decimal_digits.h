#pragma once
// Numbers as strings of decimal digits, the form in which VB rounds and writes a Double: at most
// 15 significant digits, rounded half away from zero on those digits. Shared by the number
// conversions and Format; not meant for callers outside the runtime.
#include <QtGlobal>
#include <string>

namespace rt::detail {

// A magnitude (never negative): the value is 0.d1d2d3... x 10^pointPos, that is, the decimal
// point stands after pointPos digits (pointPos may be negative or beyond the digits). No
// leading or trailing zeros in digits; zero has no digits.
struct DecimalDigits {
    std::string digits;
    int pointPos = 0;

    bool isZero() const { return digits.empty(); }
};

// The magnitude of a finite value with the given number of significant digits (1..17).
DecimalDigits decimalDigits(double value, int significant = 15);
// The exact magnitude of a whole number.
DecimalDigits decimalDigits(quint64 magnitude);

// Rounds half away from zero so that at most `decimals` digits follow the point (decimals may
// be negative: -2 rounds to hundreds).
void roundToDecimals(DecimalDigits& d, int decimals);

// The digits before the point ("" when the value is below 1) and the first `count` digits
// after it (padded with zeros).
std::string integerDigits(const DecimalDigits& d);
std::string fractionDigits(const DecimalDigits& d, int count);

// VB's general form ("%.15G"): fixed notation for decimal exponents -5 < x < 15, otherwise
// "1.5E-07", "1E+16". The decimal separator is the given character; no sign.
std::string generalForm(const DecimalDigits& d, char decimalSeparator);

} // namespace rt::detail
