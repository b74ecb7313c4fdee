#include "lines.h"

namespace rt {

namespace {

// Calls line(start, length) for every line of text.
template <class Line>
void forEachLine(const QString& text, Line line)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        line(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        line(start, text.size() - start);
}

} // namespace

QStringList splitLines(const QString& text)
{
    QStringList lines;
    forEachLine(text, [&](qsizetype start, qsizetype length) { lines.append(text.mid(start, length)); });
    return lines;
}

QString unifyLineEnds(const QString& text, const QString& ending)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString result;
    result.reserve(text.size() + text.size() / 16);
    qsizetype end = 0;
    forEachLine(text, [&](qsizetype start, qsizetype length) {
        if (start > 0)
            result += ending;
        result += QStringView(text).mid(start, length);
        end = start + length;
    });
    // A line end at the very end begins no line of its own; it is kept.
    if (end < text.size())
        result += ending;
    return result;
}

} // namespace rt
