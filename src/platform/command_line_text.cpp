#include "command_line_text.h"

#include "runtime/strings.h"

namespace platform {

namespace {

QString commandText;
QStringList commandArguments;

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
    commandArguments = arguments;
}

QString Command()
{
    return commandText;
}

QStringList commandLineArguments()
{
    return commandArguments;
}

QStringList commandLineParts()
{
    QStringList parts;
    parts.reserve(commandArguments.size());
    for (const QString& argument : commandArguments) {
        if (argument.isEmpty())
            continue;
        if (nameEnd(argument) >= 0)
            parts.append(argument.startsWith(u'/') ? argument.mid(1) : argument);
        else if (enclosedInQuotes(argument))
            parts.append(argument.mid(1, argument.size() - 2));
        else
            parts.append(argument);
    }
    return parts;
}

bool commandLineHolds(const QString& word)
{
    const QString lowerWord = rt::LCase(word);
    for (const QString& argument : commandArguments) {
        if (rt::LCase(argument).contains(lowerWord))
            return true;
    }
    return false;
}

void resetCommandLine()
{
    commandText.clear();
    commandArguments.clear();
}

} // namespace platform
