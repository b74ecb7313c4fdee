#include "number_format.h"

#include "text_replace.h"

#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace foundation {

namespace {

struct Vorsilbe {
    double faktor;
    const char16_t* text;
};

// From the smallest power up; the largest one that the number reaches wins.
constexpr std::array<Vorsilbe, 3> vorsilbenDeutsch{{{1e3, u"Tsd"}, {1e6, u"Mio"}, {1e9, u"Mrd"}}};
constexpr std::array<Vorsilbe, 8> vorsilbenMetrisch{{
    {1e3, u"k"}, {1e6, u"M"}, {1e9, u"G"}, {1e12, u"T"},
    {1e15, u"P"}, {1e18, u"E"}, {1e21, u"Zetta"}, {1e24, u"Yotta"},
}};
constexpr std::array<Vorsilbe, 4> vorsilbenKlein{{
    {1e3, u"m"}, {1e6, u"µ"}, {1e9, u"n"}, {1e12, u"p"},
}};

// Above 100 without a decimal, else with one: "250", "100,0", "1,5".
QString mitGruppen(double x)
{
    return rt::Format(x, x > 100 ? u"#,##0"_qs : u"#,##0.0"_qs);
}

QString ausgerichtet(double wert, bool negativ, const QString& muster)
{
    QString text = rt::Format(wert, muster);
    const qsizetype breite = text.size();
    // Leading zeros and a grouping point left in front by them go: "0001.234" -> "1.234".
    QString vorher;
    while (text.size() >= 2 && text != vorher) {
        vorher = text;
        const QChar zweites = text.at(1);
        if (zweites.isDigit() || zweites == u'.' || zweites == u',') {
            if (text.startsWith(u'0'))
                text.remove(0, 1);
            if (text.startsWith(u'.'))
                text.remove(0, 1);
        }
    }
    if (text.size() < breite)
        text.prepend(QString(breite - text.size(), u' '));
    if (negativ) {
        if (text.startsWith(u' '))
            text[0] = u'-';
        else
            text.prepend(u'-');
    }
    return text;
}

} // namespace

QString ZahlMitEinheit(double number, int mode)
{
    const double n = std::fabs(number);
    if (!std::isfinite(n))
        return {};
    QString ergebnis = rt::Format(n, u"0"_qs) + u' ';
    if (n < 1)
        ergebnis = rt::Format(n, u"0.0"_qs) + u' ';
    if (n < 0.1)
        ergebnis = rt::Format(n, u"0.00"_qs) + u' ';
    if (n < 0.01)
        ergebnis = rt::Format(n, u"0.000"_qs) + u' ';
    if (n >= 1000) {
        const auto vorsilbeWaehlen = [&](const auto& vorsilben) {
            for (const Vorsilbe& v : vorsilben) {
                if (n >= v.faktor)
                    ergebnis = mitGruppen(n / v.faktor) + u' ' + QString::fromUtf16(v.text);
            }
        };
        if (mode == 1)
            vorsilbeWaehlen(vorsilbenDeutsch);
        else
            vorsilbeWaehlen(vorsilbenMetrisch);
    }
    if (n <= 0.001) {
        for (const Vorsilbe& v : vorsilbenKlein) {
            if (n <= 1 / v.faktor)
                ergebnis = rt::Format(n * v.faktor, u"0.0000"_qs) + u' '
                           + QString::fromUtf16(v.text);
        }
    }
    if (n == 0)
        ergebnis = u"0 "_qs;
    return ergebnis;
}

QString GroesseAlsText(double count)
{
    if (!std::isfinite(count))
        return {};
    QString ergebnis = rt::Format(count, u"0"_qs) + u' ';
    static constexpr char16_t buchstaben[] = u"KMGTPEZY";
    const double n = std::fabs(count);
    double potenz = 1;
    for (int i = 0; i < 8; ++i) {
        potenz *= 1024;
        if (n >= potenz)
            ergebnis = mitGruppen(n / potenz) + u' ' + QChar(buchstaben[i]) + u'i';
    }
    return ergebnis;
}

QString DauerAlsText(double seconds, int mode)
{
    if (!std::isfinite(seconds)) {
        rt::raiseError(rt::ErrOverflow, {}, u"DauerAlsText"_qs);
        return {};
    }
    double s = std::fabs(seconds);
    if (s < 2147483000)
        s = rt::Round(s);
    const bool kurz = mode == 1;
    QString ergebnis;
    if (kurz)
        ergebnis = rt::Format(s, u"0"_qs) + u" Sek"_qs;
    else if (s == 1)
        ergebnis = u"1 Sekunde"_qs;
    else
        ergebnis = rt::Format(s, u"0"_qs) + u" Sekunden"_qs;
    if (s >= 120)
        ergebnis = rt::Format(s / 60, u"#.0"_qs) + (kurz ? u" Min"_qs : u" Minuten"_qs);
    if (s >= 3600)
        ergebnis = rt::Format(s / 3600, u"#.0"_qs) + (kurz ? u" Std"_qs : u" Stunden"_qs);
    if (s >= 129600)
        ergebnis = rt::Format(s / 86400, u"#.0"_qs) + (kurz ? u" Tg"_qs : u" Tage"_qs);
    if (s >= 604800)
        ergebnis = rt::Format(s / 86400, u"#"_qs) + (kurz ? u" Tg"_qs : u" Tage"_qs);
    if (s >= 31557600)
        ergebnis = rt::Format(s / 31557600, u"#.0"_qs) + (kurz ? u" J"_qs : u" Jahre"_qs);
    return ergebnis;
}

QString ZahlFormatieren(double number, const QString& pattern)
{
    // The value goes through its text form, as a number given as text does: at most 15
    // significant digits count.
    if (!std::isfinite(number)) {
        rt::raiseError(rt::ErrOverflow, {}, u"ZahlFormatieren"_qs);
        return {};
    }
    const bool negativ = number < 0;
    const double wert = rt::Val(TextErsetzen(rt::CStr(std::fabs(number)), u","_qs, u"."_qs));
    return ausgerichtet(wert, negativ, pattern);
}

QString ZahlFormatieren(const QString& number, const QString& pattern)
{
    const QString text = TextErsetzen(number, u","_qs, u"."_qs);
    // The number is read from the beginning of the text; a text that does not begin with one is
    // no number.
    static const QRegularExpression zahlAmAnfang(u"^[ \\t]*[-+]?[ \\t]*\\.?[0-9]"_qs);
    if (!zahlAmAnfang.match(text).hasMatch()) {
        rt::raiseError(rt::ErrTypeMismatch, {}, u"ZahlFormatieren"_qs);
        return {};
    }
    const double gelesen = rt::Val(text);
    return ausgerichtet(std::fabs(gelesen), gelesen < 0, pattern);
}

} // namespace foundation
