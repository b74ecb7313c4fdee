#include "strings.h"

#include <algorithm>

namespace rt {

QChar UCaseChar(QChar ch)
{
    // The micro sign keeps its form: its capital would be the Greek letter, which the
    // Windows-1252 files the program writes cannot hold.
    if (ch == QChar(0x00B5))
        return ch;
    return ch.toUpper();
}

QChar LCaseChar(QChar ch)
{
    return ch.toLower();
}

namespace {

// The text with every UTF-16 unit mapped on its own (the length never changes). ASCII, most of
// any diary, is mapped in place; only the other units ask Qt's tables. Searches lower whole
// diaries this way, so it is written for speed.
template <char16_t erstes, char16_t letztes, typename Andere>
QString einzelnAbbilden(const QString& text, Andere andere)
{
    if (text.isEmpty())
        return text;
    QString result(text.size(), Qt::Uninitialized);
    const auto* von = reinterpret_cast<const char16_t*>(text.constData());
    char16_t* nach = reinterpret_cast<char16_t*>(result.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = von[i];
        if (ch < 0x80) {
            const bool betroffen = static_cast<char16_t>(ch - erstes) <= letztes - erstes;
            nach[i] = betroffen ? static_cast<char16_t>(ch ^ 0x20) : ch;
        } else {
            nach[i] = andere(QChar(ch)).unicode();
        }
    }
    return result;
}

} // namespace

QString UCase(const QString& text)
{
    return einzelnAbbilden<u'a', u'z'>(text, UCaseChar);
}

QString LCase(const QString& text)
{
    return einzelnAbbilden<u'A', u'Z'>(text, LCaseChar);
}

static bool isWordSeparator(QChar ch)
{
    switch (ch.unicode()) {
    case 0: case 9: case 10: case 11: case 12: case 13: case 32:
        return true;
    default:
        return false;
    }
}

QString ProperCase(const QString& text)
{
    QString result(text);
    bool wordStart = true;
    for (QChar& ch : result) {
        if (isWordSeparator(ch)) {
            wordStart = true;
            continue;
        }
        ch = wordStart ? UCaseChar(ch) : LCaseChar(ch);
        wordStart = false;
    }
    return result;
}

bool equalsNoCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (LCaseChar(a[i]) != LCaseChar(b[i]))
            return false;
    }
    return true;
}

int Len(const QString& text)
{
    return static_cast<int>(text.size());
}

QString Mid(const QString& text, int start, int length)
{
    if (start < 1)
        start = 1;
    if (start > text.size())
        return {};
    if (length < 0)
        return text.mid(start - 1);
    return text.mid(start - 1, length);
}

QString Left(const QString& text, int length)
{
    if (length <= 0)
        return {};
    return text.left(length);
}

QString leftWhole(const QString& text, int length)
{
    if (length <= 0)
        return {};
    if (length < text.size() && text[length - 1].isHighSurrogate() && text[length].isLowSurrogate())
        --length;
    return text.left(length);
}

QString Right(const QString& text, int length)
{
    if (length <= 0)
        return {};
    return text.right(length);
}

int InStr(int start, const QString& text, const QString& find, bool caseInsensitive)
{
    if (start < 1)
        start = 1;
    if (find.isEmpty())
        return start <= text.size() + 1 ? start : 0;
    if (start > text.size())
        return 0;
    qsizetype pos;
    if (caseInsensitive)
        pos = LCase(text).indexOf(LCase(find), start - 1);
    else
        pos = text.indexOf(find, start - 1);
    return pos < 0 ? 0 : static_cast<int>(pos + 1);
}

int InStr(const QString& text, const QString& find, bool caseInsensitive)
{
    return InStr(1, text, find, caseInsensitive);
}

int InStrRev(const QString& text, const QString& find, int start, bool caseInsensitive)
{
    if (start == -1)
        start = static_cast<int>(text.size());
    if (start < 1 || start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    // The match must end at or before start.
    const qsizetype from = start - find.size();
    if (from < 0)
        return 0;
    qsizetype pos;
    if (caseInsensitive)
        pos = LCase(text).lastIndexOf(LCase(find), from);
    else
        pos = text.lastIndexOf(find, from);
    return pos < 0 ? 0 : static_cast<int>(pos + 1);
}

QString LTrim(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

QString RTrim(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    return text.left(n);
}

QString Trim(const QString& text)
{
    return LTrim(RTrim(text));
}

QString Space(int count)
{
    return StringOf(count, u' ');
}

QString StringOf(int count, QChar ch)
{
    if (count <= 0)
        return {};
    return QString(count, ch);
}

QString Replace(const QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty() || text.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype pos = text.indexOf(find, from);
        if (pos < 0)
            break;
        result.append(QStringView(text).mid(from, pos - from));
        result.append(replacement);
        from = pos + find.size();
    }
    result.append(QStringView(text).mid(from));
    return result;
}

} // namespace rt
