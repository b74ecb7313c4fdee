#include "user_identity.h"

#include "ini_store.h"
#include "name_format.h"
#include "platform/dialogs.h"
#include "runtime/strings.h"
#include "ui_services.h"

#include <QUuid>

#include <pwd.h>
#include <unistd.h>

namespace foundation {

namespace {

const QString allgemein = QStringLiteral("Allgemein");
const QString schluesselUser = QStringLiteral("User");
const QString schluesselGuid = QStringLiteral("UserGUID");

constexpr int maxNamenLaenge = 99;

std::optional<QString>& anmeldenameFuerTests()
{
    static std::optional<QString> name;
    return name;
}

} // namespace

QString Benutzername()
{
    const QString gelesen = IniLesen(QString(), allgemein, schluesselUser, QString());
    const bool warLeer = gelesen.isEmpty();
    QString name = gelesen;

    if (rt::LCase(name) == u"%user") {
        const QString anmeldename = WindowsAnmeldename();
        if (!anmeldename.isEmpty())
            return anmeldename;
        name.clear();
    }

    if (name.isEmpty())
        name = WindowsAnmeldename();
    for (const char* variable : {"User", "USERID", "Station", "Username"}) {
        if (!name.isEmpty())
            break;
        name = qEnvironmentVariable(variable);
    }
    if (name.isEmpty())
        name = IniLesen(QStringLiteral("win.ini"), QStringLiteral("MS User Info"),
                        QStringLiteral("DefName"), QString());

    name = rt::Left(rt::Trim(name), maxNamenLaenge);
    if (!name.isEmpty())
        name = WorteGrossSchreiben(name);

    // A name of blanks would be no name: the reservation of the data folder would name nobody.
    while (rt::Trim(name).isEmpty()) {
        TonAusgeben(QStringLiteral("#SystemQuestion"));
        const std::optional<QString> antwort = platform::dialogs().inputBox(
            QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."),
            QStringLiteral("Benutzername"), QString());
        name = rt::Trim(rt::Left(rt::Trim(antwort.value_or(QString())), maxNamenLaenge));
    }

    if (warLeer) {
        IniSchreiben(QString(), allgemein, schluesselUser, name);
        // Every later call reads the name from the settings and puts it into proper case: this
        // call gives that same form, so that the user is the same person in every run (the
        // reservation of the data folder recognises its own holder by this name).
        const QString gespeichert = rt::Left(rt::Trim(IniGespeicherteForm(name)), maxNamenLaenge);
        if (!gespeichert.isEmpty() && rt::LCase(gespeichert) != u"%user")
            name = WorteGrossSchreiben(gespeichert);
    }
    return name;
}

QString WindowsAnmeldename()
{
    if (anmeldenameFuerTests())
        return rt::Trim(*anmeldenameFuerTests());
    QString name;
    if (const passwd* eintrag = getpwuid(geteuid()); eintrag && eintrag->pw_name)
        name = QString::fromLocal8Bit(eintrag->pw_name);
    if (name.isEmpty())
        name = qEnvironmentVariable("USER");
    return rt::Trim(name);
}

QString UserGUIDLesen()
{
    QString guid = IniLesen(QString(), allgemein, schluesselGuid, QString());
    if (guid.length() < 12)
        guid = IniSchreiben(QString(), allgemein, schluesselGuid, NeueGUID());
    return guid;
}

QString NeueGUID()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

bool IstInterneInstallation()
{
    static const QString interne[] = {
        QStringLiteral("{7D1C4E93-2B6A-4F08-9E35-C81A0B62D4F7}"),
        QStringLiteral("{7D1C4E93-2B6A-4F08-9E35-C81A0B62-QRX}"),
        QStringLiteral("{E58A2F17-6C3D-4B91-8D4E-3F72C9A01B56}"),
        QStringLiteral("{29B6D0C8-A4E1-4F73-B5C2-6E19D8F4-K42}"),
    };
    const QString guid = UserGUIDLesen();
    for (const QString& kennung : interne) {
        if (guid == kennung)
            return true;
    }
    return false;
}

void setAnmeldenameFuerTests(std::optional<QString> name)
{
    anmeldenameFuerTests() = std::move(name);
}

} // namespace foundation
