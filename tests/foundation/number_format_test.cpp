#include "foundation/number_format.h"

#include "runtime/error.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <limits>

using foundation::DauerAlsText;
using foundation::GroesseAlsText;
using foundation::ZahlFormatieren;
using foundation::ZahlMitEinheit;

namespace {

struct ZahlFall {
    const char* name;
    double zahl;
    int mode;
    QString erwartet;
};

} // namespace

TEST(ZahlMitEinheit, givesGermanNumbersWithDecimalPrefixes)
{
    const ZahlFall faelle[] = {
        {"below a thousand, mode 0", 999, 0, u"999 "_qs},
        {"below a thousand, mode 1", 999, 1, u"999 "_qs},
        {"whole number rounded", 12.5, 0, u"13 "_qs},
        {"thousands in words", 1500, 1, u"1,5 Tsd"_qs},
        {"thousands metric", 1500, 0, u"1,5 k"_qs},
        {"exactly a thousand", 1000, 0, u"1,0 k"_qs},
        {"above 100 without decimal", 250000, 0, u"250 k"_qs},
        {"exactly 100 keeps the decimal", 100000, 0, u"100,0 k"_qs},
        {"millions in words", 2.5e6, 1, u"2,5 Mio"_qs},
        {"millions metric", 1234567, 2, u"1,2 M"_qs},
        {"billions in words", 7.5e9, 1, u"7,5 Mrd"_qs},
        {"billions metric", 7.5e9, 0, u"7,5 G"_qs},
        {"words stay in Mrd", 5e12, 1, u"5.000 Mrd"_qs},
        {"tera", 5e12, 0, u"5,0 T"_qs},
        {"peta", 2e15, 0, u"2,0 P"_qs},
        {"exa", 3e18, 0, u"3,0 E"_qs},
        {"zetta", 1e21, 0, u"1,0 Zetta"_qs},
        {"yotta", 3e24, 0, u"3,0 Yotta"_qs},
        {"beyond yotta grows", 5e27, 0, u"5.000 Yotta"_qs},
        {"sign dropped", -1500, 1, u"1,5 Tsd"_qs},
        {"negative small", -3, 0, u"3 "_qs},
        {"below one", 0.5, 0, u"0,5 "_qs},
        {"below a tenth", 0.05, 0, u"0,05 "_qs},
        {"below a hundredth", 0.005, 0, u"0,005 "_qs},
        {"just above a thousandth", 0.002, 1, u"0,002 "_qs},
        {"exactly a thousandth", 0.001, 0, u"1,0000 m"_qs},
        {"milli", 0.0005, 0, u"0,5000 m"_qs},
        {"milli in mode 1", 0.0005, 1, u"0,5000 m"_qs},
        {"micro", 0.0000005, 0, u"0,5000 µ"_qs},
        {"nano", 5e-10, 0, u"0,5000 n"_qs},
        {"pico", 5e-13, 0, u"0,5000 p"_qs},
        {"below pico stays in pico", 1e-16, 0, u"0,0001 p"_qs},
        {"zero", 0, 0, u"0 "_qs},
        {"zero in mode 1", 0, 1, u"0 "_qs},
    };
    for (const ZahlFall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(ZahlMitEinheit(f.zahl, f.mode), f.erwartet);
    }
}

TEST(GroesseAlsText, givesBinaryPrefixes)
{
    const struct {
        const char* name;
        double anzahl;
        QString erwartet;
    } faelle[] = {
        {"zero", 0, u"0 "_qs},
        {"below 1024", 1023, u"1023 "_qs},
        {"below 1024 keeps the sign", -5, u"-5 "_qs},
        {"exactly 1024", 1024, u"1,0 Ki"_qs},
        {"one and a half", 1536, u"1,5 Ki"_qs},
        {"exactly 100 keeps the decimal", 100 * 1024, u"100,0 Ki"_qs},
        {"above 100 without decimal", 200 * 1024, u"200 Ki"_qs},
        {"large negative loses the sign", -2048, u"2,0 Ki"_qs},
        {"mebi", 1048576, u"1,0 Mi"_qs},
        {"gibi", 5368709120.0, u"5,0 Gi"_qs},
        {"largest prefix", 1208925819614629174706176.0, u"1,0 Yi"_qs},
        {"beyond the largest prefix", 1208925819614629174706176.0 * 1024, u"1.024 Yi"_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(GroesseAlsText(f.anzahl), f.erwartet);
    }
}

TEST(DauerAlsText, givesTheLastStepThatTheValueReaches)
{
    const ZahlFall faelle[] = {
        {"one second", 1, 0, u"1 Sekunde"_qs},
        {"zero seconds", 0, 0, u"0 Sekunden"_qs},
        {"below two minutes", 119, 0, u"119 Sekunden"_qs},
        {"two minutes", 120, 0, u"2,0 Minuten"_qs},
        {"just below an hour", 3599, 0, u"60,0 Minuten"_qs},
        {"an hour", 3600, 0, u"1,0 Stunden"_qs},
        {"just below 36 hours", 129599, 0, u"36,0 Stunden"_qs},
        {"36 hours", 129600, 0, u"1,5 Tage"_qs},
        {"just below a week", 604799, 0, u"7,0 Tage"_qs},
        {"a week", 604800, 0, u"7 Tage"_qs},
        {"two weeks", 1209600, 0, u"14 Tage"_qs},
        {"a year of 365.25 days", 31557600, 0, u"1,0 Jahre"_qs},
        {"two years", 63115200, 0, u"2,0 Jahre"_qs},
        {"beyond the rounding limit", 3e9, 0, u"95,1 Jahre"_qs},
        {"sign dropped", -90, 0, u"90 Sekunden"_qs},
        {"half rounds to even down", 2.5, 0, u"2 Sekunden"_qs},
        {"half rounds to even up", 3.5, 0, u"4 Sekunden"_qs},
        {"rounded to one is singular", 0.6, 0, u"1 Sekunde"_qs},
        {"rounded up to two minutes", 119.5, 0, u"2,0 Minuten"_qs},
        {"short seconds", 90, 1, u"90 Sek"_qs},
        {"short one second", 1, 1, u"1 Sek"_qs},
        {"short zero", 0, 1, u"0 Sek"_qs},
        {"short minutes", 150, 1, u"2,5 Min"_qs},
        {"short hours", 7200, 1, u"2,0 Std"_qs},
        {"short days with decimal", 129600, 1, u"1,5 Tg"_qs},
        {"short whole days", 604800, 1, u"7 Tg"_qs},
        {"short years", 31557600, 1, u"1,0 J"_qs},
        {"mode 2 is long", 1, 2, u"1 Sekunde"_qs},
    };
    for (const ZahlFall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(DauerAlsText(f.zahl, f.mode), f.erwartet);
    }
}

TEST(ZahlFormatieren, rightAlignsInTheWidthOfThePattern)
{
    const struct {
        const char* name;
        double zahl;
        QString muster, erwartet;
    } faelle[] = {
        {"leading zeros become blanks", 1234, u"0000000"_qs, u"   1234"_qs},
        {"minus takes the first blank", -1234, u"0000000"_qs, u"-  1234"_qs},
        {"no room: all digits kept", 12345678, u"0000"_qs, u"12345678"_qs},
        {"no room, negative: minus in front", -12345678, u"0000"_qs, u"-12345678"_qs},
        {"zero keeps one digit", 0, u"0000000"_qs, u"      0"_qs},
        {"grouping and decimal comma", 1234.5, u"#,##0.0"_qs, u"1.234,5"_qs},
        {"grouping point behind zeros goes", 123, u"000,000"_qs, u"    123"_qs},
        {"grouping point inside the number stays", 1234, u"000,000"_qs, u"  1.234"_qs},
        {"zero before the decimal comma goes", 0.5, u"0.00"_qs, u" ,50"_qs},
        {"fraction rounded half away from zero", 2.345, u"0.00"_qs, u"2,35"_qs},
        {"value through its text of 15 digits",
         0.1 + 0.2, u"0.000000000000000000"_qs, u" ,300000000000000000"_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(ZahlFormatieren(f.zahl, f.muster), f.erwartet);
    }
}

TEST(ZahlFormatieren, textOrValueThatIsNoNumberIsAnError)
{
    const QString texte[] = {u"abc"_qs, u""_qs, u"  "_qs, u"kg 12"_qs, u"-"_qs};
    for (const QString& text : texte) {
        SCOPED_TRACE(text.toStdString());
        rt::clearError();
        EXPECT_EQ(ZahlFormatieren(text, u"000"_qs), QString());
        EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
    }
    rt::clearError();
    EXPECT_EQ(ZahlFormatieren(std::numeric_limits<double>::infinity(), u"0"_qs), QString());
    EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
    rt::clearError();
    EXPECT_EQ(DauerAlsText(std::numeric_limits<double>::quiet_NaN(), 0), QString());
    EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
    rt::clearError();
}

TEST(ZahlFormatieren, readsTextWithEitherDecimalSeparator)
{
    const struct {
        const char* name;
        QString zahl, muster, erwartet;
    } faelle[] = {
        {"decimal comma", u"1,5"_qs, u"000.00"_qs, u"  1,50"_qs},
        {"decimal point", u"1.5"_qs, u"000.00"_qs, u"  1,50"_qs},
        {"negative text", u"-1,5"_qs, u"00.0"_qs, u"-1,5"_qs},
        {"reading stops at the first other character", u"12 kg"_qs, u"0000"_qs, u"  12"_qs},
        {"grouping of the text is not read", u"1.234,5"_qs, u"0.000"_qs, u"1,234"_qs},
        {"blanks and sign before the number", u" - 7"_qs, u"000"_qs, u"- 7"_qs},
        {"leading decimal separator", u",5"_qs, u"0.0"_qs, u" ,5"_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(ZahlFormatieren(f.zahl, f.muster), f.erwartet);
    }
}
