#include "command_template.h"

#include "runtime/strings.h"

#include <QProcess>

namespace foundation {

QStringList befehlAusVorlage(const QString& vorlage, const std::vector<Platzhalter>& values)
{
    QStringList argumente = QProcess::splitCommand(vorlage);
    for (QString& argument : argumente) {
        QString gefuellt;
        qsizetype pos = 0;
        while (pos < argument.size()) {
            bool ersetzt = false;
            if (argument.at(pos) == u'{') {
                const qsizetype ende = argument.indexOf(u'}', pos);
                if (ende > pos) {
                    const QString name = rt::LCase(argument.mid(pos, ende - pos + 1));
                    for (const auto& [platzhalter, wert] : values) {
                        if (rt::LCase(platzhalter) == name) {
                            gefuellt += wert;
                            pos = ende + 1;
                            ersetzt = true;
                            break;
                        }
                    }
                }
            }
            if (!ersetzt)
                gefuellt += argument.at(pos++);
        }
        argument = gefuellt;
    }
    return argumente;
}

} // namespace foundation
