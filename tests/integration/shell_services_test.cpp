#include "integration/shell_services.h"

#include "foundation/folders.h"
#include "integration_fixture.h"

#include <QDir>

using namespace integration;

namespace {

using Start = FakeProcesses::Start;

class ShellServices : public IntegrationTest {};

// What no shell may ever see as code: command substitution, backticks, quotes, ";" and a line
// break.
const QString shellText = u8("$(rm -rf ~) `id` 'a' \"b\"; echo x\nzweite Zeile");

TEST_F(ShellServices, ordnerZeigenStartsTheFileManagerWithTheFolderAsOneArgument)
{
    debugLogOn();
    const QString fm = makeProgram(u8("Datei Manager/fm"));
    struct Row {
        const char* name;
        QString template_; // "" = the default
        QString folder;
        QStringList command;
    };
    const QString ordner = u8("/home/anna/Eigene Dateien/X");
    const Row rows[] = {
        {"default: xdg-open, a folder with blanks unquoted", {}, ordner,
         {u8("xdg-open"), ordner}},
        {"a folder in double quotes loses them", {}, u8("\"") + ordner + u8("\""),
         {u8("xdg-open"), ordner}},
        {"shell text stays one unchanged argument", {}, shellText, {u8("xdg-open"), shellText}},
        {"a configured manager with the caption", u8("\"") + fm + u8("\" --title {CAPTION} {ordner}"),
         ordner, {fm, u8("--title"), u8("Korvanel"), ordner}},
        {"a template without the folder is started as it is", u8("\"") + fm + u8("\" --home"),
         ordner, {fm, u8("--home")}},
        {"an old Windows template gives way to xdg-open", u8("Explorer /e,/root,{Ordner}"), ordner,
         {u8("xdg-open"), ordner}},
        {"an empty value is the default", u8("  "), ordner, {u8("xdg-open"), ordner}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setLink("DateiManager", row.template_);
        const std::size_t before = processes.starts().size();
        OrdnerZeigen(row.folder);
        ASSERT_EQ(processes.starts().size(), before + 1);
        EXPECT_EQ(processes.starts().back().command, row.command);
        EXPECT_FALSE(processes.starts().back().waited);
    }
    EXPECT_TRUE(debugLog().contains(u8("Verknüpfung.DateiManager: 'Explorer' lässt sich nicht "
                                       "starten, nehme xdg-open")));
    EXPECT_TRUE(dialogs.calls().empty());

    // Even xdg-open does not start: the user is told, and nothing ends.
    processes.setAnswer(false);
    dialogs.expectMsgBox(platform::vbOK, u8("Der Ordner »/tmp/x« kann deshalb nicht angezeigt"));
    OrdnerZeigen(u8("/tmp/x"));
}

TEST_F(ShellServices, textDateiOeffnenUsesTheEditorWithOrWithoutWaiting)
{
    const QString datei = folders.settingsFolder() + u8("/Brisol.ini");
    const QString editor = makeProgram(u8("Mein Editor/edit"));

    // Default, not waiting: xdg-open with the file, no working folder while the system-wide
    // defaults folder does not exist.
    TextDateiOeffnen(datei, 0);
    // Waiting: up to 30 minutes.
    TextDateiOeffnen(shellText, 1);
    // A configured editor whose path holds a blank; the defaults folder now exists.
    setLink("PrgTxtEdit", editor);
    folders.temp().makeFolder(u8("xdg/Brisols-Programme"));
    TextDateiOeffnen(datei, 0);
    // The old default of another system gives way to xdg-open.
    setLink("PrgTxtEdit", u8("NotePad.exe"));
    TextDateiOeffnen(datei, 0);

    const std::vector<Start> expected = {
        {{u8("xdg-open"), datei}, QString(), false, 0},
        {{u8("xdg-open"), shellText}, QString(), true, 1800000},
        {{editor, datei}, folders.defaultsFolder(), false, 0},
        {{u8("xdg-open"), datei}, folders.defaultsFolder(), false, 0},
    };
    ASSERT_EQ(processes.starts().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(processes.starts()[i].command, expected[i].command);
        EXPECT_EQ(processes.starts()[i].workingFolder, expected[i].workingFolder);
        EXPECT_EQ(processes.starts()[i].waited, expected[i].waited);
        EXPECT_EQ(processes.starts()[i].timeoutMs, expected[i].timeoutMs);
    }
    EXPECT_TRUE(errors.isEmpty());

    // An editor that cannot be started: waiting, the user is told; not waiting, the error
    // dialog of the program start reports it.
    processes.setAnswer(false);
    dialogs.expectMsgBox(platform::vbOK, u8("kann deshalb nicht geöffnet werden"));
    TextDateiOeffnen(datei, 1);
    TextDateiOeffnen(datei, 0);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(u8("53 Es ist ein Fehler beim Programmstart von~xdg-open ")));
}

TEST_F(ShellServices, prozessStartenWartenClampsTheTimeOut)
{
    struct Row {
        qint64 asked;
        qint64 waited;
    };
    const Row rows[] = {
        {0, 86400000}, {-5, 86400000}, {1, 1000},       {500, 1000},
        {1000, 1000},  {1001, 1001},   {1800000, 1800000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.asked);
        EXPECT_EQ(wartezeitBegrenzen(row.asked), row.waited);
        EXPECT_EQ(ProzessStartenWarten(u8("prog"), row.asked), platform::WaitResult::Ended);
        EXPECT_EQ(processes.starts().back().timeoutMs, row.waited);
        EXPECT_TRUE(processes.starts().back().waited);
    }

    // The command line is split like a command line, quotes keeping blanks; nothing else.
    processes.setWaitResult(platform::WaitResult::TimedOut);
    EXPECT_EQ(ProzessStartenWarten(u8("\"/opt/Mein Prog/p\" --a \"b c\" $(id) ;"), 0),
              platform::WaitResult::TimedOut);
    EXPECT_EQ(processes.started().back(),
              (QStringList{u8("/opt/Mein Prog/p"), u8("--a"), u8("b c"), u8("$(id)"), u8(";")}));
    // The list form passes every argument unchanged.
    ProzessStartenWarten(QStringList{u8("prog"), shellText}, 10);
    EXPECT_EQ(processes.started().back(), (QStringList{u8("prog"), shellText}));

    processes.setAnswer(false);
    EXPECT_EQ(ProzessStartenWarten(u8("prog"), 10), platform::WaitResult::NotStarted);
    EXPECT_EQ(ProzessStartenWarten(QString(), 10), platform::WaitResult::NotStarted);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ShellServices, programmStartenRunsTheProgramInItsWorkingFolder)
{
    const QString tools = folders.temp().file(u8("Tools Ordner"));
    const QString edit = makeProgram(u8("Tools Ordner/edit"));
    const QString vorher = QDir::currentPath();

    // No working folder given: the program's own folder.
    EXPECT_EQ(ProgrammStarten(QStringList{edit, u8("datei.txt")}, QString(), 1), 4711);
    // Given, with a final "/": used without it.
    EXPECT_EQ(ProgrammStarten(QStringList{edit, shellText}, folders.tmpFolder() + u8("/"), 0), 4712);
    // A bare program name has no folder of its own.
    EXPECT_EQ(ProgrammStarten(u8("xdg-open datei.txt"), QString(), 1), 4713);
    ASSERT_EQ(processes.starts().size(), 3u);
    EXPECT_EQ(processes.starts()[0].command, (QStringList{edit, u8("datei.txt")}));
    EXPECT_EQ(processes.starts()[0].workingFolder, tools);
    EXPECT_EQ(processes.starts()[1].command, (QStringList{edit, shellText}));
    EXPECT_EQ(processes.starts()[1].workingFolder, folders.tmpFolder());
    EXPECT_EQ(processes.starts()[2].workingFolder, QString());
    // The program's own current folder and the pointer are as before.
    EXPECT_EQ(QDir::currentPath(), vorher);
    EXPECT_EQ(pointer.get(), platform::vbIbeam);
    EXPECT_EQ(pointer.history().at(1), platform::vbHourglass);
    EXPECT_TRUE(errors.isEmpty());

    // A working folder that does not exist: reported; "go on" starts in the current folder,
    // "stop" starts nothing.
    const QString fehlt = folders.temp().file(u8("fehlt"));
    EXPECT_NE(ProgrammStarten(QStringList{edit}, fehlt, 1), 0);
    EXPECT_EQ(processes.starts().back().workingFolder, QString());
    errorAnswer = 2;
    EXPECT_EQ(ProgrammStarten(QStringList{edit}, fehlt, 1), 0);
    EXPECT_EQ(processes.starts().size(), 4u);
    // A program that cannot be started.
    errorAnswer = 5;
    processes.setAnswer(false);
    EXPECT_EQ(ProgrammStarten(QStringList{edit, u8("x")}, QString(), 1), 0);
    EXPECT_EQ(errors, (QStringList{
                          u8("76 Es ist ein Fehler beim Programmstart von~") + edit + u8("~") + fehlt
                              + u8(" aufgetreten."),
                          u8("76 Es ist ein Fehler beim Programmstart von~") + edit + u8("~") + fehlt
                              + u8(" aufgetreten."),
                          u8("53 Es ist ein Fehler beim Programmstart von~") + edit + u8(" x~")
                              + u8(" aufgetreten."),
                      }));
    EXPECT_EQ(pointer.get(), platform::vbIbeam);
}

// The trash of the test's own XDG_DATA_HOME.
class Trash : public ShellServices {
protected:
    Trash()
    {
        // The home folder on the same disk as the files, so that the desktop's trash in the
        // data folder takes them.
        folders.temp().makeFolder(u8("home"));
        folders.env().set("HOME", folders.temp().file(u8("home")));
        folders.temp().makeFolder(u8("data"));
    }

    QString trashed(const QString& name) const
    {
        return folders.dataHome() + u8("/Trash/files/") + name;
    }
};

TEST_F(Trash, inPapierkorbMovesEveryFileOfTheListIntoTheTrash)
{
    const QString tag = u8("Tage buch/2024/20240305.Txt");
    folders.temp().write(tag, "Eintrag");
    folders.temp().write(u8("Tage buch/Info.Txt"), "Titel");
    folders.temp().write(u8("einzeln.txt"), "x");
    const QString a = folders.temp().file(tag);
    const QString b = folders.temp().file(u8("Tage buch/Info.Txt"));

    struct Row {
        const char* name;
        QString list;
        QStringList gone;
    };
    const Row rows[] = {
        {"two paths, the list ended by two zeros", a + QChar(0) + b + QChar(0) + QChar(0), {a, b}},
        {"one path without any zero", folders.temp().file(u8("einzeln.txt")),
         {folders.temp().file(u8("einzeln.txt"))}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<QStringList> failed = InPapierkorb(row.list, false);
        ASSERT_TRUE(failed.has_value());
        EXPECT_TRUE(failed->isEmpty());
        for (const QString& path : row.gone) {
            EXPECT_FALSE(QFile::exists(path));
            EXPECT_TRUE(QFile::exists(trashed(QFileInfo(path).fileName())));
        }
    }
    EXPECT_EQ(QFile(trashed(u8("20240305.Txt"))).size(), 7);
    EXPECT_TRUE(QFile::exists(folders.dataHome() + u8("/Trash/info/20240305.Txt.trashinfo")));
    EXPECT_FALSE(InPapierkorb(QString(), true).has_value());
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Trash, aTrashThatCannotBeSetUpLeavesTheFilesWhereTheyAre)
{
    // A file where the trash folder belongs. The desktop's move then reports success and puts
    // the file into "files" below the current folder; it must come back and be reported.
    folders.temp().write(u8("data/Trash"), "kein Ordner");
    folders.temp().makeFolder(u8("arbeit"));
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(folders.temp().file(u8("arbeit")));
    folders.temp().write(u8("Tage buch/2024/20240305.Txt"), "Eintrag");
    const QString tag = folders.temp().file(u8("Tage buch/2024/20240305.Txt"));

    dialogs.expectMsgBox(platform::vbOK, u8("nicht in den Papierkorb verschoben"));
    const std::optional<QStringList> failed = InPapierkorb(tag, false);
    QDir::setCurrent(vorher);

    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(*failed, QStringList{tag});
    EXPECT_EQ(folders.temp().read(u8("Tage buch/2024/20240305.Txt")), QByteArray("Eintrag"));
    EXPECT_FALSE(folders.temp().exists(u8("arbeit/files")));
    EXPECT_FALSE(folders.temp().exists(u8("arbeit/info")));
}

TEST_F(Trash, aFileThatCannotBeMovedIsReportedAndTheOthersStillGo)
{
    folders.temp().write(u8("a.txt"), "neu");
    folders.temp().write(u8("tmp/a.txt"), "alte Kopie");
    const QString a = folders.temp().file(u8("a.txt"));
    const QString fehlt = folders.temp().file(u8("fehlt.txt"));

    dialogs.expectMsgBox(platform::vbOK, u8("nicht in den Papierkorb verschoben"));
    const std::optional<QStringList> failed =
        InPapierkorb(fehlt + QChar(0) + a + QChar(0) + QChar(0), true);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(*failed, QStringList{fehlt});
    EXPECT_TRUE(dialogs.calls()[0].text.contains(fehlt));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    // Copied into the temporary folder first, the older copy replaced; then moved.
    EXPECT_EQ(folders.temp().read(u8("tmp/a.txt")), QByteArray("neu"));
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(QFile::exists(trashed(u8("a.txt"))));
}

TEST_F(Trash, aFileInTheTemporaryFolderIsItsOwnCopyAndStillGoesToTheTrash)
{
    folders.temp().write(u8("tmp/Notiz.txt"), "einzige Fassung");
    const QString notiz = folders.temp().file(u8("tmp/Notiz.txt"));

    const std::optional<QStringList> failed = InPapierkorb(notiz, true);
    ASSERT_TRUE(failed.has_value());
    EXPECT_TRUE(failed->isEmpty());
    EXPECT_TRUE(dialogs.calls().empty());
    QFile imPapierkorb(trashed(u8("Notiz.txt")));
    ASSERT_TRUE(imPapierkorb.open(QIODevice::ReadOnly));
    EXPECT_EQ(imPapierkorb.readAll(), QByteArray("einzige Fassung"));
}

} // namespace
