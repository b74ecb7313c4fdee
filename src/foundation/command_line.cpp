#include "command_line.h"

#include "platform/command_line_text.h"
#include "runtime/strings.h"

namespace foundation {

std::array<QString, 256> parameterListe;
int parameterAnzahl = 0;

QString standardTrennzeichen()
{
    return QStringLiteral(" /,;|\t\n\r");
}

static bool enclosedInQuotes(const QString& text)
{
    return text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"');
}

namespace {

void teilAnfuegen(const QString& part)
{
    if (parameterAnzahl < 255)
        ++parameterAnzahl;
    parameterListe[static_cast<std::size_t>(parameterAnzahl)] = part;
}

} // namespace

int ParameterZerlegen(const QString& text, QString& separators)
{
    if (separators.isEmpty())
        separators = standardTrennzeichen();
    for (std::size_t i = 1; i < parameterListe.size(); ++i)
        parameterListe[i].clear();
    parameterAnzahl = 0;

    // The program's own command line is split at its arguments, which the text stands for: a
    // double quote inside one of them must not cut or swallow the others.
    if (!text.isEmpty() && text == platform::Command() && separators == standardTrennzeichen()) {
        for (const QString& part : platform::commandLineParts())
            teilAnfuegen(part);
        return parameterAnzahl;
    }

    const QString line = text + separators.at(0);
    qsizetype partStart = 0;
    bool quoted = false;
    for (qsizetype pos = 0; pos < line.size(); ++pos) {
        const QChar ch = line.at(pos);
        if (ch == u'"')
            quoted = !quoted;
        if (quoted || !separators.contains(ch))
            continue;
        if (pos > partStart) {
            QString part = line.mid(partStart, pos - partStart);
            if (enclosedInQuotes(part))
                part = part.mid(1, part.size() - 2);
            teilAnfuegen(part);
        }
        partStart = pos + 1;
    }
    return parameterAnzahl;
}

int ParameterZerlegen(const QString& text)
{
    QString separators;
    return ParameterZerlegen(text, separators);
}

QString ParameterWert(const QString& name)
{
    const QString lowerName = rt::LCase(name);
    QString value;
    for (int i = 1; i <= parameterAnzahl; ++i) {
        const QString& part = parameterListe[static_cast<std::size_t>(i)];
        if (rt::LCase(part.left(lowerName.size())) == lowerName)
            value = part.mid(lowerName.size());
    }
    if (enclosedInQuotes(value))
        value = value.mid(1, value.size() - 2);
    return value;
}

void resetParameter()
{
    for (QString& entry : parameterListe)
        entry.clear();
    parameterAnzahl = 0;
}

} // namespace foundation
