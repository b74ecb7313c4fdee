// Format and CStr of a date value: VB's date patterns with German names and separators.
#include "format.h"

#include "dates_calendar.h"

#include <QList>

namespace rt {

namespace {

using namespace cal;

enum class Token {
    Literal,
    Day,           // d
    Day2,          // dd
    DayShortName,  // ddd
    DayName,       // dddd
    ShortDate,     // ddddd
    LongDate,      // dddddd
    WeekdayNumber, // w
    WeekOfYear,    // ww
    Month,         // m
    Month2,        // mm
    MonthShort,    // mmm
    MonthName,     // mmmm
    Quarter,       // q
    DayOfYear,     // y
    Year2,         // yy
    Year4,         // yyyy
    Hour,          // h
    Hour2,         // hh
    Minute,        // n, or m behind h
    Minute2,       // nn, or mm behind h
    Second,        // s
    Second2,       // ss
    LongTime,      // ttttt
    GeneralDate,   // c
    AmPm,          // AM/PM, am/pm, A/P, a/p, AMPM
};

struct Piece {
    Token token;
    QString text; // the literal, or for AmPm the morning designator
    QString pm;   // for AmPm the afternoon designator
};

const QString shortDatePattern = QStringLiteral("dd.mm.yyyy");
const QString longDatePattern = QStringLiteral("dddd, d. mmmm yyyy");
const QString longTimePattern = QStringLiteral("hh:nn:ss");

QString namedPattern(const QString& pattern)
{
    struct Named {
        const char16_t* name;
        const char16_t* pattern;
    };
    static constexpr Named named[] = {
        {u"Long Date", u"dddd, d. mmmm yyyy"},
        {u"Medium Date", u"dd. mmm yy"},
        {u"Short Date", u"dd.mm.yyyy"},
        {u"Long Time", u"hh:nn:ss"},
        {u"Medium Time", u"hh:nn AM/PM"},
        {u"Short Time", u"hh:nn"},
    };
    for (const Named& entry : named) {
        if (pattern.compare(QStringView(entry.name), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(entry.pattern);
    }
    return pattern;
}

// Splits a run of one letter into its longest tokens: "ddddddd" is "dddddd" then "d".
void addRun(QList<Piece>& pieces, QChar letter, qsizetype length)
{
    const char16_t lower = letter.toLower().unicode();
    while (length > 0) {
        qsizetype take = 1;
        Token token = Token::Literal;
        switch (lower) {
        case u'd': {
            static constexpr Token tokens[] = {Token::Day, Token::Day2, Token::DayShortName,
                                               Token::DayName, Token::ShortDate, Token::LongDate};
            take = std::min<qsizetype>(length, 6);
            token = tokens[take - 1];
            break;
        }
        case u'w':
            take = std::min<qsizetype>(length, 2);
            token = take == 1 ? Token::WeekdayNumber : Token::WeekOfYear;
            break;
        case u'm': {
            static constexpr Token tokens[] = {Token::Month, Token::Month2, Token::MonthShort,
                                               Token::MonthName};
            take = std::min<qsizetype>(length, 4);
            token = tokens[take - 1];
            break;
        }
        case u'y':
            take = length >= 4 ? 4 : (length >= 2 ? 2 : 1);
            token = take == 4 ? Token::Year4 : (take == 2 ? Token::Year2 : Token::DayOfYear);
            break;
        case u'h':
            take = std::min<qsizetype>(length, 2);
            token = take == 1 ? Token::Hour : Token::Hour2;
            break;
        case u'n':
            take = std::min<qsizetype>(length, 2);
            token = take == 1 ? Token::Minute : Token::Minute2;
            break;
        case u's':
            take = std::min<qsizetype>(length, 2);
            token = take == 1 ? Token::Second : Token::Second2;
            break;
        case u'q':
            token = Token::Quarter;
            break;
        case u'c':
            token = Token::GeneralDate;
            break;
        case u't':
            if (length >= 5) {
                take = 5;
                token = Token::LongTime;
            }
            break;
        default:
            break;
        }
        if (token == Token::Literal)
            pieces.append({Token::Literal, QString(take, letter), {}});
        else
            pieces.append({token, {}, {}});
        length -= take;
    }
}

QList<Piece> tokenize(const QString& pattern)
{
    QList<Piece> pieces;
    qsizetype i = 0;
    const qsizetype size = pattern.size();
    while (i < size) {
        const QChar ch = pattern[i];
        const QStringView rest = QStringView(pattern).sliced(i);
        if (ch == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? size : end;
            pieces.append({Token::Literal, pattern.mid(i + 1, stop - i - 1), {}});
            i = stop + 1;
        } else if (ch == u'\\') {
            if (i + 1 < size)
                pieces.append({Token::Literal, QString(pattern[i + 1]), {}});
            i += 2;
        } else if (rest.startsWith(u"am/pm", Qt::CaseInsensitive)) {
            pieces.append({Token::AmPm, rest.first(2).toString(), rest.sliced(3, 2).toString()});
            i += 5;
        } else if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
            pieces.append({Token::AmPm, QStringLiteral("AM"), QStringLiteral("PM")});
            i += 4;
        } else if (rest.startsWith(u"a/p", Qt::CaseInsensitive)) {
            pieces.append({Token::AmPm, rest.first(1).toString(), rest.sliced(2, 1).toString()});
            i += 3;
        } else if (ch == u'/') {
            pieces.append({Token::Literal, QStringLiteral("."), {}});
            ++i;
        } else if (QStringView(u"dwmyhnsqctDWMYHNSQCT").contains(ch)) {
            qsizetype end = i + 1;
            while (end < size && pattern[end].toLower() == ch.toLower())
                ++end;
            addRun(pieces, ch, end - i);
            i = end;
        } else {
            pieces.append({Token::Literal, QString(ch), {}});
            ++i;
        }
    }

    // "m" and "mm" right behind "h" or "hh" (literals between them allowed) are minutes.
    bool behindHour = false;
    for (Piece& piece : pieces) {
        switch (piece.token) {
        case Token::Literal:
            break;
        case Token::Hour:
        case Token::Hour2:
            behindHour = true;
            break;
        case Token::Month:
        case Token::Month2:
            if (behindHour)
                piece.token = piece.token == Token::Month ? Token::Minute : Token::Minute2;
            behindHour = false;
            break;
        default:
            behindHour = false;
            break;
        }
    }
    return pieces;
}

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, u'0');
}

QString yearDigits(qint64 year)
{
    const QString digits = QString::number(year < 0 ? -year : year).rightJustified(4, u'0');
    return year < 0 ? u'-' + digits : digits;
}

QString render(const QList<Piece>& pieces, VbDate value)
{
    bool twelveHours = false;
    for (const Piece& piece : pieces)
        twelveHours = twelveHours || piece.token == Token::AmPm;

    const Moment moment = momentOf(value);
    const Civil civil = civilFromDay(moment.day);
    const int hour = moment.seconds / 3600;
    const int minute = moment.seconds / 60 % 60;
    const int second = moment.seconds % 60;
    const int shownHour = twelveHours ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
    const int weekday = weekdayOfDay(moment.day, 1);

    QString out;
    for (const Piece& piece : pieces) {
        switch (piece.token) {
        case Token::Literal:
            out += piece.text;
            break;
        case Token::Day:
            out += QString::number(civil.day);
            break;
        case Token::Day2:
            out += twoDigits(civil.day);
            break;
        case Token::DayShortName:
            out += germanDayShort(weekday);
            break;
        case Token::DayName:
            out += germanDayName(weekday);
            break;
        case Token::ShortDate:
            out += Format(value, shortDatePattern);
            break;
        case Token::LongDate:
            out += Format(value, longDatePattern);
            break;
        case Token::WeekdayNumber:
            out += QString::number(weekday);
            break;
        case Token::WeekOfYear:
            out += QString::number(weekOfYear(moment.day, 1, 1));
            break;
        case Token::Month:
            out += QString::number(civil.month);
            break;
        case Token::Month2:
            out += twoDigits(civil.month);
            break;
        case Token::MonthShort:
            out += germanMonthShort(civil.month);
            break;
        case Token::MonthName:
            out += germanMonthName(civil.month);
            break;
        case Token::Quarter:
            out += QString::number((civil.month - 1) / 3 + 1);
            break;
        case Token::DayOfYear:
            out += QString::number(moment.day - dayFromCivil(civil.year, 1, 1) + 1);
            break;
        case Token::Year2:
            out += twoDigits(floorMod(civil.year, 100));
            break;
        case Token::Year4:
            out += yearDigits(civil.year);
            break;
        case Token::Hour:
            out += QString::number(shownHour);
            break;
        case Token::Hour2:
            out += twoDigits(shownHour);
            break;
        case Token::Minute:
            out += QString::number(minute);
            break;
        case Token::Minute2:
            out += twoDigits(minute);
            break;
        case Token::Second:
            out += QString::number(second);
            break;
        case Token::Second2:
            out += twoDigits(second);
            break;
        case Token::LongTime:
            out += Format(value, longTimePattern);
            break;
        case Token::GeneralDate:
            out += CStr(value);
            break;
        case Token::AmPm:
            out += hour < 12 ? piece.text : piece.pm;
            break;
        }
    }
    return out;
}

} // namespace

QString Format(VbDate value, const QString& pattern)
{
    if (refuseImpossible(value))
        return QString();
    if (pattern.isEmpty() || pattern.compare(u"General Date", Qt::CaseInsensitive) == 0)
        return CStr(value);
    return render(tokenize(namedPattern(pattern)), value);
}

QString CStr(VbDate value)
{
    if (refuseImpossible(value))
        return QString();
    const Moment moment = momentOf(value);
    const bool hasDate = moment.day != 0;
    const bool hasTime = moment.seconds != 0;
    if (hasDate && hasTime)
        return Format(value, shortDatePattern + u' ' + longTimePattern);
    if (hasDate)
        return Format(value, shortDatePattern);
    return Format(value, longTimePattern);
}

} // namespace rt
