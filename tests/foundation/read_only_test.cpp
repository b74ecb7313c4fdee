#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "platform/command_line_text.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_random.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>

using foundation::nurLesen;
using foundation::SchreibrechtePruefen;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

constexpr QFileDevice::Permissions nurLesbar =
    QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions ordnerNurLesbar = nurLesbar | QFileDevice::ExeOwner
    | QFileDevice::ExeGroup | QFileDevice::ExeOther;

// Program folder <temp>/program, data folder <temp>/daten given with "/OrdnerDat=", a clock at
// 12:00:00 and a random number of 0.5, so that the write test writes 21600000.
class ReadOnlyDecision : public ::testing::Test {
protected:
    ReadOnlyDecision()
    {
        foundation::resetDebugLogbuch();
        folders.temp().makeFolder(s("daten"));
    }
    ~ReadOnlyDecision() override
    {
        foundation::resetDebugLogbuch();
        foundation::resetReservierung();
        foundation::resetNurLesen();
    }

    QString dataFolder() const { return folders.temp().file(s("daten")); }

    // Sets the folders up with these arguments on the command line and decides.
    bool decide(QStringList arguments = {})
    {
        prepare(std::move(arguments));
        SchreibrechtePruefen();
        return nurLesen;
    }
    void prepare(QStringList arguments = {})
    {
        arguments.append(s("/OrdnerDat=") + dataFolder());
        platform::setCommandLine(arguments);
        foundation::resetOrdner();
        foundation::setProgrammOrdnerFuerTests(folders.programFolder());
        foundation::OrdnerFestlegen();
    }

    TempSettingsFolders folders;
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeClock clock;
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeRandom random{{0.5}};
    ScopedService<platform::Random> randomGuard{platform::setRandom, &random};
};

TEST_F(ReadOnlyDecision, withoutACauseTheProgramWritesAndTheWriteTestIsStored)
{
    folders.temp().write(s("daten/Info.Txt"), "Mein Tagebuch\r\n");
    folders.temp().write(s("program/Info.Txt"), "Mein Tagebuch\r\n");
    nurLesen = true; // a former decision does not count
    prepare({s("Datum=05.03.2024")});
    foundation::IniSchreiben(QString(), s("Allgemein"), s("DebugMode"), s("1"));
    SchreibrechtePruefen();
    EXPECT_FALSE(nurLesen);
    EXPECT_EQ(foundation::IniLesen(QString(), s("Allgemein"), s("Schreibtest")), s("21600000"));

    // The debug log traces the check, the usage log takes its lines.
    const QByteArray log = folders.temp().read(s("daten/Debug.txt"));
    EXPECT_TRUE(log.contains("\tPr\xFC" "fe Schreib-/Leserechte\t")) << log.constData();
    EXPECT_TRUE(log.contains("\tNur Leserechte: Falsch\t")) << log.constData();
    foundation::NutzungProtokollieren(s("Kennwort geändert"));
    EXPECT_TRUE(folders.temp().exists(s("daten/Korvanel.use")));

    foundation::IniSchreiben(QString(), s("Allgemein"), s("User"), s("Anna"));
    foundation::DateiReservierung(1);
    EXPECT_EQ(folders.temp().read(s("daten/NetWatch.ini")),
              "[UserJetzt_]\r\nUser=Anna\r\nSeit=05.03.2024 12:00:00\r\n");
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ReadOnlyDecision, eachCauseForcesReadOnlyOnItsOwn)
{
    struct Row {
        const char* name;
        QStringList arguments;
        // Runs after the folders are set up, before the decision.
        std::function<void(TempSettingsFolders&)> setUp;
        bool settingsKept = false; // Brisol.ini must keep its bytes
    };
    const auto nothing = [](TempSettingsFolders&) {};
    const Row rows[] = {
        {"the word on the command line", {s("readonly")}, nothing},
        {"in capitals after a slash", {s("/READONLY")}, nothing},
        {"inside a longer word", {s("Modus=ganzReadOnlyBitte")}, nothing},
        {"write-protected title file in the data folder", {},
         [](TempSettingsFolders& f) {
             f.temp().write(s("daten/Info.Txt"), "Mein Tagebuch\r\n");
             f.temp().setPermissions(s("daten/Info.Txt"), nurLesbar);
         }},
        {"write-protected title file in the program folder, none in the data folder", {},
         [](TempSettingsFolders& f) {
             f.temp().write(s("program/Info.Txt"), "Mein Tagebuch\r\n");
             f.temp().setPermissions(s("program/Info.Txt"), nurLesbar);
         }},
        {"write-protected data folder", {},
         [](TempSettingsFolders& f) { f.temp().setPermissions(s("daten"), ordnerNurLesbar); }},
        {"empty notice file in the program folder", {},
         [](TempSettingsFolders& f) { f.temp().write(s("program/ReadOnly.txt"), ""); }},
        {"notice file spelled in capitals", {},
         [](TempSettingsFolders& f) { f.temp().write(s("program/READONLY.TXT"), ""); }},
        {"write-protected settings file", {},
         [](TempSettingsFolders& f) {
             f.temp().setPermissions(s("config/Brisols-Programme/Brisol.ini"), nurLesbar);
         },
         true},
        {"settings folder gone, write test on a first start", {},
         [](TempSettingsFolders& f) {
             QDir(f.settingsFolder()).removeRecursively();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempSettingsFolders eigene;
        eigene.temp().makeFolder(s("daten"));
        PermissionGuard datenGuard(eigene.temp().file(s("daten")));
        QStringList arguments = row.arguments;
        arguments.append(s("/OrdnerDat=") + eigene.temp().file(s("daten")));
        platform::setCommandLine(arguments);
        foundation::setProgrammOrdnerFuerTests(eigene.programFolder());
        foundation::OrdnerFestlegen();
        foundation::IniSchreiben(QString(), s("Allgemein"), s("DebugMode"), s("1"));
        const QByteArray settingsBefore = eigene.settingsFile(s("Brisol.ini"));

        // Another user holds the data folder.
        const QByteArray netWatch = "[UserJetzt_]\r\nUser=Bernd\r\nSeit=05.03.2024 11:00:00\r\n";
        eigene.temp().write(s("daten/NetWatch.ini"), netWatch);
        row.setUp(eigene);

        SchreibrechtePruefen();
        EXPECT_TRUE(nurLesen);
        // No log is written ...
        foundation::DebugLogbuch(s("Eintrag gesichert"));
        foundation::NutzungProtokollieren(s("Kennwort geändert"));
        EXPECT_FALSE(eigene.temp().exists(s("daten/Debug.txt")));
        EXPECT_FALSE(eigene.temp().exists(s("daten/Korvanel.use")));
        foundation::resetDebugLogbuch();
        // ... and the read-only copy neither asks about the reservation nor reserves nor releases.
        foundation::DateiReservierung(1);
        foundation::DateiReservierung(0);
        EXPECT_EQ(eigene.temp().read(s("daten/NetWatch.ini")), netWatch);
        foundation::resetReservierung();
        if (row.settingsKept) {
            EXPECT_EQ(eigene.settingsFile(s("Brisol.ini")), settingsBefore);
        }
        foundation::resetOrdner();
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(ReadOnlyDecision, theProgramsPathIsNoPartOfTheCommandLine)
{
    const QString programm = folders.temp().file(s("ReadOnly-Programm"));
    folders.temp().makeFolder(s("ReadOnly-Programm"));
    foundation::setProgrammOrdnerFuerTests(programm);
    platform::setCommandLine({s("/OrdnerDat=") + dataFolder()});
    foundation::OrdnerFestlegen();
    SchreibrechtePruefen();
    EXPECT_FALSE(nurLesen);
}

TEST_F(ReadOnlyDecision, theFirstTitleFileOfTheDataFolderDecidesOverTheProgramFolder)
{
    struct Row {
        const char* name;
        QStringList programFiles;  // "!" in front: write-protected
        QStringList dataFiles;
        bool readOnly;
    };
    const Row rows[] = {
        {"no title file anywhere", {}, {}, false},
        {"protected in the program folder, writable in the data folder", {s("!Info.Txt")},
         {s("Info.Txt")}, false},
        {"writable in the program folder, protected in the data folder", {s("Info.Txt")},
         {s("!Info.Txt")}, true},
        {"the first in name order is writable", {}, {s("Info.abc"), s("!Info.xyz")}, false},
        {"the first in name order is protected", {}, {s("!Info.abc"), s("Info.xyz")}, true},
        {"other files of the folder do not count", {}, {s("!Brief.Txt"), s("!20240305.Txt")},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempSettingsFolders eigene;
        for (const auto& [folder, files] :
             {std::pair{s("program/"), row.programFiles}, std::pair{s("daten/"), row.dataFiles}}) {
            eigene.temp().makeFolder(folder);
            for (QString file : files) {
                const bool geschuetzt = file.startsWith(u'!');
                file.remove(u'!');
                eigene.temp().write(folder + file, "Titel\r\n");
                if (geschuetzt)
                    eigene.temp().setPermissions(folder + file, nurLesbar);
            }
        }
        platform::setCommandLine({s("/OrdnerDat=") + eigene.temp().file(s("daten"))});
        foundation::setProgrammOrdnerFuerTests(eigene.programFolder());
        foundation::OrdnerFestlegen();
        SchreibrechtePruefen();
        EXPECT_EQ(nurLesen, row.readOnly);
        foundation::resetOrdner();
    }
}

TEST_F(ReadOnlyDecision, theLinesOfTheNoticeFileAreShownEachEndedByALineBreak)
{
    struct Row {
        const char* name;
        QByteArray file;
        QString message; // empty: no message box
    };
    const Row rows[] = {
        {"empty file: no message", "", QString()},
        {"one empty line: only a line break", "\r\n", s("\r\n")},
        {"two lines in Windows-1252, the last without a line break",
         "Nur lesen!\r\nGru\xDF, Admin", s("Nur lesen!\r\nGruß, Admin\r\n")},
        {"Unix line ends", "Erste\nZweite\n", s("Erste\r\nZweite\r\n")},
        {"markup of the message text", "Bitte \xB4nicht\xB4 schreiben\r\n",
         s("Bitte »nicht« schreiben\r\n")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        folders.temp().write(s("program/ReadOnly.txt"), row.file);
        const std::size_t before = dialogs.calls().size();
        if (!row.message.isEmpty())
            dialogs.expectMsgBox(platform::vbOK);
        EXPECT_TRUE(decide());
        if (row.message.isEmpty()) {
            EXPECT_EQ(dialogs.calls().size(), before);
            continue;
        }
        EXPECT_EQ(dialogs.calls().size(), before + 1);
        const FakeDialogs::Call& call = dialogs.calls().back();
        EXPECT_EQ(call.text, row.message);
        EXPECT_EQ(call.title, s("Brisols-Korvanel, nur Leserechte"));
        EXPECT_EQ(call.buttons, platform::vbOKOnly);
        EXPECT_EQ(call.icon, platform::vbInformation);
    }
}

} // namespace
