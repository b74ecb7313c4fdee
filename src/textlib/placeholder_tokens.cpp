#include "placeholder_tokens.h"

#include "calendar.h"
#include "date_names.h"
#include "foundation/addon_library.h"
#include "foundation/folders.h"
#include "foundation/name_format.h"
#include "foundation/product_info.h"
#include "foundation/user_identity.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QDir>
#include <QStorageInfo>

#include <array>

namespace textlib {

namespace {

using Bezug = PlatzhalterBezug;

QString fmt(const Bezug& b, const char16_t* code)
{
    return rt::Format(b.datum, QString::fromUtf16(code));
}

QString zahl(double value, const char16_t* muster)
{
    return rt::Format(value, QString::fromUtf16(muster));
}

int jahr(const Bezug& b)
{
    return rt::Year(b.datum);
}

int monat(const Bezug& b)
{
    return rt::Month(b.datum);
}

// Digits of the four-digit year, from position start (1-based).
QString ziffern(const Bezug& b, int start, int anzahl)
{
    return rt::Mid(fmt(b, u"yyyy"), start, anzahl);
}

double zahlAus(const Bezug& b, int start, int anzahl)
{
    return rt::Val(ziffern(b, start, anzahl));
}

// Days from 1 January of the reference year to the reference date (0 on 1 January).
double tageImJahr(const Bezug& b)
{
    return static_cast<double>(rt::dayNumber(b.datum)
                               - rt::dayNumber(rt::DateSerial(jahr(b), 1, 1)));
}

// The week of the year: the ISO week, but 52 for a late-December day in week 1 of the next year.
int wocheDesJahres(const Bezug& b)
{
    return b.woche < 10 && monat(b) == 12 ? 52 : b.woche;
}

QString wocheGerundet(const Bezug& b, int n)
{
    return zahl(rt::Int(wocheDesJahres(b) / static_cast<double>(n) + 0.5) * n, u"00");
}

QString quartalRoemisch(const Bezug& b)
{
    static const char16_t* const roemisch[] = {u"I", u"II", u"III", u"IV"};
    return QString::fromUtf16(roemisch[(monat(b) - 1) / 3]);
}

// Year and quarter of the month before the reference month ("2025-4" in January 2026).
QString quartalDesVormonats(const Bezug& b)
{
    int m = monat(b) - 1;
    int y = jahr(b);
    if (m < 1) {
        m = 12;
        y -= 1;
    }
    return zahl(y, u"0000") + u'-' + zahl((m - 1) / 3 + 1, u"0");
}

// The month k months before the reference month, 1 to 12.
QString monatDavor(const Bezug& b, int k)
{
    int m = monat(b) - k;
    if (m < 1)
        m += 12;
    return zahl(m, u"00");
}

QString monatZurueck(const Bezug& b, int k)
{
    return rt::Format(rt::DateAdd(QStringLiteral("m"), -k, b.datum), QStringLiteral("yyyy-mm"));
}

// The tick count as the 32-bit number of milliseconds that Windows counted (it wraps).
qint32 tickZahl()
{
    return static_cast<qint32>(static_cast<quint32>(platform::clock().tick()));
}

QString zufall(int stellen)
{
    const double r = platform::random().Rnd();
    double faktor = 1.0;
    for (int i = 0; i < stellen; ++i)
        faktor *= 10.0;
    return rt::Format(r * faktor, QString(stellen, u'0'));
}

// Linux paths have no drive letter: the drive of the current folder is the folder where its
// file system is mounted ("/" for the root file system).
QString laufwerk()
{
    const QStorageInfo info(QDir::currentPath());
    return info.isValid() ? info.rootPath() : QString();
}

using Rechnen = QString (*)(const Bezug&);

constexpr FesterPlatzhalter datum(QStringView token, QStringView code)
{
    return {token, code, nullptr};
}

constexpr FesterPlatzhalter wert(QStringView token, Rechnen rechnen)
{
    return {token, {}, rechnen};
}

constexpr FesterPlatzhalter zufallsWert(QStringView token, Rechnen rechnen)
{
    return {token, {}, rechnen, true};
}

QString nichts(const Bezug&)
{
    return QString();
}

const std::array feste = {
    // Control characters
    wert(u"{Tab}", [](const Bezug&) { return QStringLiteral("\t"); }),
    wert(u"{CR}", [](const Bezug&) { return QStringLiteral("\r"); }),
    wert(u"{LF}", [](const Bezug&) { return QStringLiteral("\n"); }),
    wert(u"{CRLF}", [](const Bezug&) { return QStringLiteral("\r\n"); }),
    wert(u"{Back}", [](const Bezug&) { return QString(QChar(8)); }),
    wert(u"{None}", nichts),
    wert(u"{Nichts}", nichts),
    // Day periods, dates and weeks
    wert(u"{K07}", [](const Bezug& b) { return zahl(tageImJahr(b) / 7.0, u"00"); }),
    wert(u"{K10}", [](const Bezug& b) { return zahl(tageImJahr(b) / 10.0, u"00"); }),
    datum(u"{datum}", u"d.m.yyyy"),
    datum(u"{datum0}", u"dd.mm.yyyy"),
    wert(u"{kw}", [](const Bezug& b) { return zahl(b.woche, u"00"); }),
    // Today's year and month from the clock, not from the reference date
    wert(u"{versionakt0}", [](const Bezug&) { return DatumKennung(0); }),
    wert(u"{kwj}", [](const Bezug& b) { return zahl(wocheDesJahres(b), u"00"); }),
    wert(u"{kwj2}", [](const Bezug& b) { return wocheGerundet(b, 2); }),
    wert(u"{kwj3}", [](const Bezug& b) { return wocheGerundet(b, 3); }),
    wert(u"{kwj4}", [](const Bezug& b) { return wocheGerundet(b, 4); }),
    wert(u"{kwj5}", [](const Bezug& b) { return wocheGerundet(b, 5); }),
    wert(u"{kw2}", [](const Bezug& b) { return zahl(b.woche / 2.0, u"00"); }),
    wert(u"{kw3}", [](const Bezug& b) { return zahl(b.woche / 3.0, u"00"); }),
    wert(u"{kw4}", [](const Bezug& b) { return zahl(b.woche / 4.0, u"00"); }),
    wert(u"{kw5}", [](const Bezug& b) { return zahl(b.woche / 5.0, u"00"); }),
    // Quarters
    datum(u"{q}", u"q"),
    wert(u"{qr}", quartalRoemisch),
    wert(u"{jjjjq-1m}", quartalDesVormonats),
    wert(u"{jjqr}", [](const Bezug& b) { return fmt(b, u"yy") + u'-' + quartalRoemisch(b); }),
    wert(u"{jjjjqr}", [](const Bezug& b) { return fmt(b, u"yyyy") + u'-' + quartalRoemisch(b); }),
    // Times
    datum(u"{hh}", u"hh"),
    datum(u"{hh-mm}", u"hh-nn"),
    datum(u"{hh-mm-ss}", u"hh-nn-ss"),
    datum(u"{hh:mm}", u"hh:nn"),
    datum(u"{hh:mm:ss}", u"hh:nn:ss"),
    wert(u"{SysTime}", [](const Bezug&) { return zahl(tickZahl(), u"0"); }),
    // Years
    wert(u"{jahr1}", [](const Bezug& b) { return ziffern(b, 4, 1); }),
    datum(u"{jahr2}", u"yy"),
    datum(u"{jahr4}", u"yyyy"),
    wert(u"{jahrzent}", [](const Bezug& b) { return ziffern(b, 3, 1); }),
    wert(u"{jahrzent0}", [](const Bezug& b) { return ziffern(b, 3, 1) + u'0'; }),
    wert(u"{jahrhundert}", [](const Bezug& b) { return ziffern(b, 1, 2); }),
    wert(u"{jahrhundert+1}", [](const Bezug& b) { return zahl(zahlAus(b, 1, 2) + 1, u"0"); }),
    wert(u"{jahrtausend}", [](const Bezug& b) { return ziffern(b, 1, 1); }),
    wert(u"{jahrtausend+1}", [](const Bezug& b) { return zahl(zahlAus(b, 1, 1) + 1, u"0"); }),
    wert(u"{j}", [](const Bezug& b) { return ziffern(b, 4, 1); }),
    datum(u"{jj}", u"yy"),
    datum(u"{yy}", u"yy"),
    wert(u"{jj-1}", [](const Bezug& b) { return zahl(zahlAus(b, 3, 2) - 1, u"00"); }),
    wert(u"{jj-2}", [](const Bezug& b) { return zahl(zahlAus(b, 3, 2) - 2, u"00"); }),
    wert(u"{jj+1}", [](const Bezug& b) { return zahl(zahlAus(b, 3, 2) + 1, u"00"); }),
    datum(u"{jjjj}", u"yyyy"),
    datum(u"{yyyy}", u"yyyy"),
    wert(u"{jjjj-1}", [](const Bezug& b) { return zahl(jahr(b) - 1, u"0000"); }),
    wert(u"{jjjj-2}", [](const Bezug& b) { return zahl(jahr(b) - 2, u"0000"); }),
    wert(u"{jjjj+1}", [](const Bezug& b) { return zahl(jahr(b) + 1, u"0000"); }),
    datum(u"{jj-mm-tt}", u"yy-mm-dd"),
    datum(u"{jjjj}", u"yyyy"),
    datum(u"{jjjj-mm-tt}", u"yyyy-mm-dd"),
    // Months
    datum(u"{jjjj-mm}", u"yyyy-mm"),
    wert(u"{jjjj-mm-1}", [](const Bezug& b) { return monatZurueck(b, 1); }),
    wert(u"{jjjj-mm-2}", [](const Bezug& b) { return monatZurueck(b, 2); }),
    datum(u"{jjmmtt}", u"yymmdd"),
    datum(u"{jjjjmmtt}", u"yyyymmdd"),
    wert(u"{jetzt}",
         [](const Bezug& b) {
             return fmt(b, u"Long Date") + QStringLiteral(" um ") + fmt(b, u"hh:nn")
                    + QStringLiteral(" Uhr");
         }),
    wert(u"{laufwerk}", [](const Bezug&) { return laufwerk(); }),
    datum(u"{mm}", u"mm"),
    wert(u"{mm-1}", [](const Bezug& b) { return monatDavor(b, 1); }),
    wert(u"{mm-2}", [](const Bezug& b) { return monatDavor(b, 2); }),
    datum(u"{monat}", u"mmmm"),
    datum(u"{m}", u"m"),
    datum(u"{monat0}", u"mm"),
    datum(u"{monatsname}", u"mmmm"),
    datum(u"{monatsname3}", u"mmm"),
    datum(u"{mmmm}", u"mmmm"),
    datum(u"{mmm}", u"mmm"),
    // Folders and drive
    wert(u"{label}",
         [](const Bezug&) {
             return foundation::WorteGrossSchreiben(rt::RTrim(foundation::GetVol(laufwerk())));
         }),
    wert(u"{pfad}", [](const Bezug&) { return QDir::currentPath(); }),
    wert(u"{ordner_app}", [](const Bezug&) { return foundation::ordnerPrg; }),
    wert(u"{ordner_prg}", [](const Bezug&) { return foundation::ordnerPrg; }),
    wert(u"{ordner_dat}", [](const Bezug&) { return foundation::ordnerDat; }),
    wert(u"{ordner_win}", [](const Bezug&) { return foundation::WindowsOrdner() + u'/'; }),
    wert(u"{ordner_sys}", [](const Bezug&) { return foundation::SystemOrdner() + u'/'; }),
    wert(u"{ordner_cur}", [](const Bezug&) { return QDir::currentPath(); }),
    // Program
    wert(u"{PrgTitel}", [](const Bezug&) { return rt::Trim(foundation::produktName()); }),
    wert(u"{PrgName}", [](const Bezug&) { return rt::Trim(foundation::exeName()); }),
    // Times
    datum(u"{s}", u"s"),
    datum(u"{ss}", u"ss"),
    datum(u"{sekunde}", u"s"),
    datum(u"{sekunde0}", u"ss"),
    datum(u"{n}", u"n"),
    datum(u"{nn}", u"nn"),
    datum(u"{minute}", u"n"),
    datum(u"{minute0}", u"nn"),
    datum(u"{stunde}", u"h"),
    datum(u"{stunde0}", u"hh"),
    datum(u"{h}", u"h"),
    datum(u"{hh}", u"hh"),
    // Days and weekdays
    datum(u"{tag}", u"d"),
    datum(u"{tag0}", u"dd"),
    datum(u"{t}", u"d"),
    datum(u"{tt}", u"dd"),
    datum(u"{dd}", u"dd"),
    datum(u"{tt-mm-jj}", u"dd-mm-yy"),
    datum(u"{tt-mm-jjjj}", u"dd-mm-yyyy"),
    datum(u"{tt.mm.jj}", u"dd.mm.yy"),
    datum(u"{tt.mm.jjjj}", u"dd.mm.yyyy"),
    datum(u"{uhrzeit}", u"h:n"),
    datum(u"{uhrzeit0}", u"hh:nn"),
    datum(u"{wochentag}", u"dddd"),
    wert(u"{wochentag2}", [](const Bezug& b) { return rt::Left(fmt(b, u"dddd"), 2); }),
    datum(u"{wwww}", u"dddd"),
    wert(u"{ww}", [](const Bezug& b) { return rt::Left(fmt(b, u"dddd"), 2); }),
    // Random numbers; a value can reach 10 to the power of the digit count
    zufallsWert(u"{zufall1}", [](const Bezug&) { return zufall(1); }),
    zufallsWert(u"{zufall2}", [](const Bezug&) { return zufall(2); }),
    zufallsWert(u"{zufall3}", [](const Bezug&) { return zufall(3); }),
    zufallsWert(u"{zufall4}", [](const Bezug&) { return zufall(4); }),
    zufallsWert(u"{zufall5}", [](const Bezug&) { return zufall(5); }),
    zufallsWert(u"{zufall6}", [](const Bezug&) { return zufall(6); }),
    zufallsWert(u"{zufall7}", [](const Bezug&) { return zufall(7); }),
    zufallsWert(u"{zufall8}", [](const Bezug&) { return zufall(8); }),
};

const std::array beiBedarf = {
    wert(u"{username}", [](const Bezug&) { return foundation::Benutzername(); }),
    // A new identifier on every expansion
    wert(u"{guid}", [](const Bezug&) { return foundation::NeueGUID(); }),
    // Seconds since 01.01.1901 plus the tick count plus a random part
    wert(u"{id}",
         [](const Bezug& b) {
             const auto sekunden = static_cast<double>(
                 rt::DateDiff(QStringLiteral("s"), rt::DateSerial(1901, 1, 1), b.datum));
             const double r = platform::random().Rnd();
             return zahl(sekunden + tickZahl() + r * 99.0, u"0");
         }),
    wert(u"{brisol.ini}",
         [](const Bezug&) { return foundation::ordnerSub + QStringLiteral("/Brisol.ini"); }),
};

} // namespace

QString FesterPlatzhalter::wert(const PlatzhalterBezug& bezug) const
{
    if (rechnen)
        return rechnen(bezug);
    return rt::Format(bezug.datum, datumsCode.toString());
}

PlatzhalterBezug platzhalterBezug(rt::VbDate datum)
{
    return {datum, Kalenderwoche(datum)};
}

std::span<const FesterPlatzhalter> festePlatzhalter()
{
    return feste;
}

std::span<const FesterPlatzhalter> platzhalterBeiBedarf()
{
    return beiBedarf;
}

} // namespace textlib
