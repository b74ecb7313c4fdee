// IsDate and CDate: German date and time texts, read the same way whatever the system locale.
//
//   date [blanks time] | time
//   date: d.m.y | d.m. | d.m | d/m/y | d-m-y | yyyy-m-d | d[.] month-name[.] [y]
//   time: h:n | h:n:s
//
// Blanks may stand around the text and after the dots of a date. Month names are the German
// ones, in full or short ("März", "Mär"), in any case. A year of one or two digits takes the
// century from 00-29 = 20xx, 30-99 = 19xx; three or four digits are the year itself (100-9999).
// A date without a year falls into the current year of runtimeToday().
#include "dates.h"

#include "dates_calendar.h"

namespace rt {

namespace {

using namespace cal;

struct Number {
    int value = 0;
    int digits = 0;
};

class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    qsizetype pos() const { return pos_; }
    void setPos(qsizetype pos) { pos_ = pos; }

    QChar peek(qsizetype ahead = 0) const
    {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : QChar();
    }

    bool take(QChar ch)
    {
        if (peek() != ch)
            return false;
        ++pos_;
        return true;
    }

    static bool isBlank(QChar ch) { return ch == u' ' || ch == u'\t'; }
    static bool isDigit(QChar ch) { return ch >= u'0' && ch <= u'9'; }

    int skipBlanks()
    {
        int count = 0;
        while (isBlank(peek())) {
            ++pos_;
            ++count;
        }
        return count;
    }

    bool atDigit() const { return isDigit(peek()); }
    bool atLetter() const { return peek().isLetter(); }

    // A run of up to maxDigits digits; nothing when the run is empty or longer.
    std::optional<Number> number(int maxDigits)
    {
        const qsizetype start = pos_;
        Number result;
        while (isDigit(peek())) {
            if (++result.digits > maxDigits) {
                pos_ = start;
                return std::nullopt;
            }
            result.value = result.value * 10 + (peek().unicode() - u'0');
            ++pos_;
        }
        if (result.digits == 0)
            return std::nullopt;
        return result;
    }

    QStringView word()
    {
        const qsizetype start = pos_;
        while (atLetter())
            ++pos_;
        return text_.sliced(start, pos_ - start);
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

struct DateFields {
    qint64 year = 0;
    int month = 0;
    int day = 0;
};

std::optional<int> yearOf(Number number)
{
    if (number.digits <= 2)
        return number.value < 30 ? 2000 + number.value : 1900 + number.value;
    if (number.value < 100)
        return std::nullopt;
    return number.value;
}

std::optional<int> monthOfName(QStringView name)
{
    for (int month = 1; month <= 12; ++month) {
        if (name.compare(germanMonthName(month), Qt::CaseInsensitive) == 0
            || name.compare(germanMonthShort(month), Qt::CaseInsensitive) == 0)
            return month;
    }
    return std::nullopt;
}

int currentYear()
{
    return Year(runtimeToday());
}

// An optional year behind blanks; a number followed by ":" is the time, not a year.
bool optionalYear(Reader& in, DateFields& fields, bool needsBlank)
{
    const qsizetype start = in.pos();
    const int blanks = in.skipBlanks();
    if (!in.atDigit() || (needsBlank && blanks == 0)) {
        in.setPos(start);
        fields.year = currentYear();
        return true;
    }
    const std::optional<Number> number = in.number(4);
    if (!number)
        return false;
    if (in.peek() == u':') {
        in.setPos(start);
        fields.year = currentYear();
        return true;
    }
    const std::optional<int> year = yearOf(*number);
    if (!year)
        return false;
    fields.year = *year;
    return true;
}

// d[.] month-name[.] [year], the reader standing behind the day and its dot.
bool monthNameForm(Reader& in, DateFields& fields)
{
    const std::optional<int> month = monthOfName(in.word());
    if (!month)
        return false;
    fields.month = *month;
    in.take(u'.');
    return optionalYear(in, fields, true);
}

std::optional<DateFields> readDate(Reader& in)
{
    DateFields fields;
    const std::optional<Number> first = in.number(4);
    if (!first)
        return std::nullopt;

    if (first->digits >= 3) { // yyyy-m-d
        const std::optional<int> year = yearOf(*first);
        if (!year || !in.take(u'-'))
            return std::nullopt;
        const std::optional<Number> month = in.number(2);
        if (!month || !in.take(u'-'))
            return std::nullopt;
        const std::optional<Number> day = in.number(2);
        if (!day)
            return std::nullopt;
        return DateFields{*year, month->value, day->value};
    }

    fields.day = first->value;
    const QChar separator = in.peek();
    if (separator == u'.') {
        in.take(u'.');
        in.skipBlanks();
        if (in.atLetter())
            return monthNameForm(in, fields) ? std::optional(fields) : std::nullopt;
        const std::optional<Number> month = in.number(2);
        if (!month)
            return std::nullopt;
        fields.month = month->value;
        if (!in.take(u'.')) { // "5.3": day and month of the current year
            fields.year = currentYear();
            return fields;
        }
        return optionalYear(in, fields, false) ? std::optional(fields) : std::nullopt;
    }
    if (separator == u'/' || separator == u'-') {
        in.take(separator);
        const std::optional<Number> month = in.number(2);
        if (!month || !in.take(separator))
            return std::nullopt;
        const std::optional<Number> yearNumber = in.number(4);
        if (!yearNumber)
            return std::nullopt;
        const std::optional<int> year = yearOf(*yearNumber);
        if (!year)
            return std::nullopt;
        return DateFields{*year, month->value, fields.day};
    }
    if (in.skipBlanks() > 0 && in.atLetter())
        return monthNameForm(in, fields) ? std::optional(fields) : std::nullopt;
    return std::nullopt;
}

// Seconds since midnight.
std::optional<int> readTime(Reader& in)
{
    const std::optional<Number> hour = in.number(2);
    if (!hour || !in.take(u':'))
        return std::nullopt;
    const std::optional<Number> minute = in.number(2);
    if (!minute)
        return std::nullopt;
    int second = 0;
    if (in.take(u':')) {
        const std::optional<Number> seconds = in.number(2);
        if (!seconds)
            return std::nullopt;
        second = seconds->value;
    }
    if (hour->value > 23 || minute->value > 59 || second > 59)
        return std::nullopt;
    return hour->value * 3600 + minute->value * 60 + second;
}

bool validDate(const DateFields& fields)
{
    return fields.year >= 100 && fields.year <= 9999 && fields.month >= 1 && fields.month <= 12
        && fields.day >= 1 && fields.day <= daysInMonth(fields.year, fields.month);
}

std::optional<VbDate> parseDate(QStringView text)
{
    Reader in(text);
    in.skipBlanks();

    // A time alone lies on day 0, 30.12.1899.
    const qsizetype start = in.pos();
    if (const std::optional<int> seconds = readTime(in)) {
        in.skipBlanks();
        if (in.atEnd())
            return fromMoment(0, *seconds);
    }
    in.setPos(start);

    const std::optional<DateFields> fields = readDate(in);
    if (!fields || !validDate(*fields))
        return std::nullopt;
    int seconds = 0;
    if (in.skipBlanks() > 0 && !in.atEnd()) {
        const std::optional<int> time = readTime(in);
        if (!time)
            return std::nullopt;
        seconds = *time;
        in.skipBlanks();
    }
    if (!in.atEnd())
        return std::nullopt;
    return fromMoment(dayFromCivil(fields->year, fields->month, fields->day), seconds);
}

} // namespace

bool IsDate(const QString& text)
{
    return parseDate(text).has_value();
}

std::optional<VbDate> CDate(const QString& text)
{
    return parseDate(text);
}

} // namespace rt
