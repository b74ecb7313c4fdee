#include "foundation/ini_store.h"
#include "foundation/user_identity.h"
#include "support/fake_dialogs.h"
#include "support/fake_sound.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using foundation::Benutzername;
using foundation::IniLesen;
using foundation::IniSchreiben;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Settings in temporary folders, no name in the environment and a logon name set by the test.
class UserIdentity : public ::testing::Test {
protected:
    UserIdentity()
    {
        for (const char* name : {"User", "USERID", "Station", "Username"})
            folders.env().unset(name);
        foundation::setAnmeldenameFuerTests(QString());
    }
    ~UserIdentity() override { foundation::setAnmeldenameFuerTests(std::nullopt); }

    static QString storedUser()
    {
        return IniLesen(QString(), s("Allgemein"), s("User"), s("<fehlt>"));
    }
    static QString storedGuid()
    {
        return IniLesen(QString(), s("Allgemein"), s("UserGUID"), s("<fehlt>"));
    }

    TempSettingsFolders folders;
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeSound sound;
    ScopedService<platform::Sound> soundGuard{platform::setSound, &sound};
};

TEST_F(UserIdentity, nameComesFromTheSettingOrTheLogonNameInProperCase)
{
    const QString lang = QString(120, u'x');
    struct Row {
        const char* name;
        QString stored;    // "User" before; "<fehlt>" for no key
        QString logon;
        QString result;
        QString storedAfter;
    };
    const Row rows[] = {
        {"%user in capitals follows the logon name exactly", s("%USER"), s("anna.MEIER"),
         s("anna.MEIER"), s("%USER")},
        {"empty setting: trimmed logon name in proper case, stored", s("<fehlt>"),
         s("  anna meier  "), s("Anna Meier"), s("Anna Meier")},
        {"hand-written name in small letters: proper case, file unchanged", s("bernd von berg"),
         s("anna"), s("Bernd von Berg"), s("bernd von berg")},
        {"long name cut to 99 characters", s("<fehlt>"), lang, s("X") + QString(98, u'x'),
         s("X") + QString(98, u'x')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        IniSchreiben(QString(), s("Allgemein"), s("User"),
                     row.stored == u"<fehlt>" ? QString() : row.stored);
        foundation::setAnmeldenameFuerTests(row.logon);
        EXPECT_EQ(Benutzername(), row.result);
        EXPECT_EQ(storedUser(), row.storedAfter);
    }
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(sound.beeps().empty());
}

TEST_F(UserIdentity, withoutALogonNameTheEnvironmentAndWinIniAreAskedInOrder)
{
    folders.temp().write(s("xdg/Brisols-Programme/win.ini"),
                         "[MS User Info]\r\nDefName=carla von win.ini\r\n");
    EXPECT_EQ(Benutzername(), s("Carla von Win.ini"));

    struct Row {
        const char* variable;
        const char* value;
        QString result;
    };
    const Row rows[] = {
        {"Username", "dora", s("Dora")},
        {"Station", "emil", s("Emil")},
        {"USERID", "frida", s("Frida")},
        {"User", "gustav", s("Gustav")},
    };
    // Each row adds a variable that comes before the ones already set.
    for (const Row& row : rows) {
        SCOPED_TRACE(row.variable);
        IniSchreiben(QString(), s("Allgemein"), s("User"), QString());
        folders.env().set(row.variable, s(row.value));
        EXPECT_EQ(Benutzername(), row.result);
    }

    // "%user" without a logon name takes the next source and leaves the setting as it is.
    IniSchreiben(QString(), s("Allgemein"), s("User"), s("%user"));
    EXPECT_EQ(Benutzername(), s("Gustav"));
    EXPECT_EQ(storedUser(), s("%user"));
}

TEST_F(UserIdentity, withoutAnyNameTheInputBoxAsksUntilANameIsTyped)
{
    folders.env().set("User", s("   "));
    dialogs.expectInputBox(std::nullopt)
        .expectInputBox(s("    "))
        .expectInputBox(s("  hanna  "));
    // Stored as typed; returned in proper case, as every later call reads it.
    EXPECT_EQ(Benutzername(), s("Hanna"));
    EXPECT_EQ(storedUser(), s("hanna"));
    EXPECT_EQ(Benutzername(), s("Hanna"));

    ASSERT_EQ(dialogs.calls().size(), 3u);
    for (const FakeDialogs::Call& call : dialogs.calls()) {
        EXPECT_EQ(call.kind, FakeDialogs::Kind::InputBox);
        EXPECT_EQ(call.text, s("Wählen Sie bitte einen Benutzernamen aus."));
        EXPECT_EQ(call.title, s("Benutzername"));
        EXPECT_EQ(call.defaultText, QString());
    }
    EXPECT_EQ(sound.beeps(), (std::vector<int>(3, platform::beepQuestion)));

    // A typed name is cut to 99 characters.
    IniSchreiben(QString(), s("Allgemein"), s("User"), QString());
    dialogs.expectInputBox(QString(150, u'z'));
    EXPECT_EQ(Benutzername(), s("Z") + QString(98, u'z'));
}

TEST_F(UserIdentity, theNameIsTheSameInEveryCallWhereverItCameFrom)
{
    enum class Quelle { Eingabe, Anmeldung, Umgebung };
    struct Row {
        const char* name;
        Quelle quelle;
        QString roh;
        QString ergebnis;
    };
    const Row rows[] = {
        {"typed in small letters", Quelle::Eingabe, s("anna berg"), s("Anna Berg")},
        {"typed with German quotes", Quelle::Eingabe, s("Anna „Nanni“ Berg"),
         s("Anna „nanni\" Berg")},
        {"typed with stars", Quelle::Eingabe, s("Anna**Berg"), s("Anna\r\nBerg")},
        {"typed with blanks inside", Quelle::Eingabe, s("  anna   berg "), s("Anna   Berg")},
        {"typed with umlauts", Quelle::Eingabe, s("jürgen ößwald"), s("Jürgen Ößwald")},
        {"logon name with stars", Quelle::Anmeldung, s("anna**berg"), s("Anna\r\nBerg")},
        {"logon name with German quotes", Quelle::Anmeldung, s("„anna“"), s("„anna\"")},
        {"variable with German quotes", Quelle::Umgebung, s("„bernd“ **"), s("„bernd\" \r\n")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        IniSchreiben(QString(), s("Allgemein"), s("User"), QString());
        foundation::setAnmeldenameFuerTests(row.quelle == Quelle::Anmeldung ? row.roh : QString());
        if (row.quelle == Quelle::Umgebung)
            folders.env().set("User", row.roh);
        else
            folders.env().unset("User");
        if (row.quelle == Quelle::Eingabe)
            dialogs.expectInputBox(row.roh);

        const QString erster = Benutzername();
        EXPECT_EQ(erster, row.ergebnis);
        EXPECT_EQ(Benutzername(), erster);
    }
}

TEST_F(UserIdentity, newGuidsHaveTheBracedUpperCaseFormAndDiffer)
{
    const QRegularExpression form(
        s("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    const QString eins = foundation::NeueGUID();
    const QString zwei = foundation::NeueGUID();
    EXPECT_TRUE(form.match(eins).hasMatch()) << eins.toStdString();
    EXPECT_TRUE(form.match(zwei).hasMatch()) << zwei.toStdString();
    EXPECT_NE(eins, zwei);
}

TEST_F(UserIdentity, installationIdIsCreatedOnceAndShortValuesAreReplaced)
{
    const QString erste = foundation::UserGUIDLesen();
    EXPECT_EQ(erste.length(), 38);
    EXPECT_EQ(storedGuid(), erste);
    EXPECT_EQ(foundation::UserGUIDLesen(), erste);

    IniSchreiben(QString(), s("Allgemein"), s("UserGUID"), s("{1234567890"));
    const QString neue = foundation::UserGUIDLesen();
    EXPECT_EQ(neue.length(), 38);
    EXPECT_NE(neue, erste);
    EXPECT_EQ(storedGuid(), neue);

    IniSchreiben(QString(), s("Allgemein"), s("UserGUID"), s("irgendwas-12"));
    EXPECT_EQ(foundation::UserGUIDLesen(), s("irgendwas-12"));
}

TEST_F(UserIdentity, internalInstallationsAreTheFourFixedIdsExactly)
{
    struct Row {
        QString guid;
        bool internal;
    };
    const Row rows[] = {
        {s("{7D1C4E93-2B6A-4F08-9E35-C81A0B62D4F7}"), true},
        {s("{7D1C4E93-2B6A-4F08-9E35-C81A0B62-QRX}"), true},
        {s("{E58A2F17-6C3D-4B91-8D4E-3F72C9A01B56}"), true},
        {s("{29B6D0C8-A4E1-4F73-B5C2-6E19D8F4-K42}"), true},
        {s("{e58a2f17-6c3d-4b91-8d4e-3f72c9a01b56}"), false},
        {s("{E58A2F17-6C3D-4B91-8D4E-3F72C9A01B57}"), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.guid.toStdString());
        IniSchreiben(QString(), s("Allgemein"), s("UserGUID"), row.guid);
        EXPECT_EQ(foundation::IstInterneInstallation(), row.internal);
    }

    // A new installation gets its identifier on the first question and is not internal.
    IniSchreiben(QString(), s("Allgemein"), s("UserGUID"), QString());
    EXPECT_FALSE(foundation::IstInterneInstallation());
    EXPECT_EQ(storedGuid().length(), 38);
}

} // namespace
