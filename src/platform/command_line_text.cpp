#include "command_line_text.h"

namespace platform {

namespace {

QString commandText;

bool holdsSeparator(QStringView text)
{
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u' ':
        case u'/':
        case u',':
        case u';':
        case u'|':
        case u'\t':
        case u'\n':
        case u'\r':
            return true;
        default:
            break;
        }
    }
    return false;
}

bool enclosedInQuotes(QStringView text)
{
    return text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"');
}

QString quotedIfNeeded(QStringView text)
{
    if (!holdsSeparator(text) || enclosedInQuotes(text))
        return text.toString();
    return u'"' + text.toString() + u'"';
}

// The position of the "=" that ends the name of an option, or -1 when the argument is none:
// the name is not empty and holds no separator; a leading "/" does not belong to it.
qsizetype nameEnd(QStringView argument)
{
    const qsizetype nameStart = argument.startsWith(u'/') ? 1 : 0;
    const qsizetype equals = argument.indexOf(u'=', nameStart);
    if (equals <= nameStart)
        return -1;
    if (holdsSeparator(argument.mid(nameStart, equals - nameStart)))
        return -1;
    return equals;
}

QString argumentText(const QString& argument)
{
    const qsizetype equals = nameEnd(argument);
    if (equals < 0)
        return quotedIfNeeded(argument);
    return argument.left(equals + 1) + quotedIfNeeded(QStringView(argument).mid(equals + 1));
}

} // namespace

QString commandLineText(const QStringList& arguments)
{
    QStringList parts;
    parts.reserve(arguments.size());
    for (const QString& argument : arguments)
        parts.append(argumentText(argument));
    return parts.join(u' ');
}

void setCommandLine(const QStringList& arguments)
{
    commandText = commandLineText(arguments);
}

QString Command()
{
    return commandText;
}

void resetCommandLine()
{
    commandText.clear();
}

} // namespace platform
