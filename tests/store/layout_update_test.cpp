#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "runtime/error.h"
#include "store/layout_update.h"
#include "support/fake_dialogs.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_program_end.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using store::DatenUpdate606;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Meldung {
    int nummer;
    QString text;
};

// A program folder in the old layout: day files directly beside the program.
class LayoutUpdate : public ::testing::Test {
protected:
    LayoutUpdate()
    {
        foundation::resetNurLesen();
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            meldungen.push_back({nummer, text});
            const int antwort = antworten.empty() ? platform::vbIgnore : antworten.front();
            if (!antworten.empty())
                antworten.pop_front();
            return antwort;
        });
    }
    ~LayoutUpdate() override
    {
        foundation::setFehlerBehandlungFuerTests({});
        foundation::resetNurLesen();
    }

    void programmDatei(const char* name, const QByteArray& bytes)
    {
        folders.temp().write(s("program/") + s(name), bytes);
    }
    QByteArray programm(const char* name) const { return folders.temp().read(s("program/") + s(name)); }
    bool programmHat(const char* name) const { return folders.temp().exists(s("program/") + s(name)); }
    void einstellung(const char* wert)
    {
        folders.writeSettingsFile(s("Brisol.ini"),
                                  QByteArray("[Allgemein]\r\nUpdate1996_06=") + wert + "\r\n");
    }
    // The stored state of the update, "fehlt" when it was never written.
    static QString stand()
    {
        return foundation::IniLesen(QString(), s("Allgemein"), s("Update1996_06"), s("fehlt"));
    }

    TempSettingsFolders folders;
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeProgramEnd ende;
    ScopedService<platform::ProgramEnd> endeGuard{platform::setProgramEnd, &ende};
    FakeMousePointer zeiger;
    ScopedService<platform::MousePointer> zeigerGuard{platform::setMousePointer, &zeiger};
    std::vector<Meldung> meldungen;
    std::deque<int> antworten; // of the error dialog; "go on" when none is left
};

TEST_F(LayoutUpdate, withoutDayFilesOfThe19thOr20thCenturyNothingIsAskedWhateverTheSetting)
{
    struct Fall {
        const char* name;
        const char* einstellung; // nullptr: no Brisol.ini
    };
    for (const Fall& fall : {Fall{"keine Einstellung", nullptr}, Fall{"0", "0"}, Fall{"1", "1"}}) {
        SCOPED_TRACE(fall.name);
        TempSettingsFolders eigene;
        if (fall.einstellung)
            eigene.writeSettingsFile(s("Brisol.ini"), QByteArray("[Allgemein]\r\nUpdate1996_06=")
                                                           + fall.einstellung + "\r\n");
        // Already in the new layout, or of years the check does not look for.
        eigene.temp().write(s("program/1996/19960417.txt"), "Ostern");
        eigene.temp().write(s("program/18991231.txt"), "Silvester");
        eigene.temp().write(s("program/21000101.txt"), "Neujahr");
        eigene.temp().write(s("program/Info.txt"), "Tagebuch");

        DatenUpdate606();

        EXPECT_TRUE(dialogs.calls().empty());
        EXPECT_EQ(stand(), s(fall.einstellung ? fall.einstellung : "fehlt"));
        EXPECT_EQ(eigene.temp().read(s("program/18991231.txt")), QByteArray("Silvester"));
        EXPECT_EQ(eigene.temp().read(s("program/21000101.txt")), QByteArray("Neujahr"));
        EXPECT_FALSE(eigene.temp().exists(s("program/1899")));
    }
}

TEST_F(LayoutUpdate, settingOneSkipsTheUpdate)
{
    einstellung("1");
    programmDatei("19960417.txt", "Ostern");

    DatenUpdate606();

    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_EQ(programm("19960417.txt"), QByteArray("Ostern"));
    EXPECT_FALSE(programmHat("1996"));
}

TEST_F(LayoutUpdate, answerNoEndsTheProgramAndTheQuestionComesAgain)
{
    programmDatei("19960417.txt", "Ostern");
    dialogs.expectMsgBox(platform::vbNo, s("Möchten Sie das Update jetzt starten?"));

    EXPECT_THROW(DatenUpdate606(), ProgramEndedException);

    ASSERT_EQ(dialogs.calls().size(), 1u);
    const FakeDialogs::Call& frage = dialogs.calls()[0];
    EXPECT_EQ(frage.title, s("Korvanel, Update auf Version 6.06"));
    EXPECT_EQ(frage.text,
              s("Das Korvanel legt ab der Version 6.06 Ihre Eingaben in Unterverzeichnissen "
                "ab.\r\n\r\nDeshalb müssen Ihre vorhandenen Eingaben umkopiert werden.\r\n\r\n"
                "Bevor Sie das Update starten, sollten Sie Ihre Eingaben vorsichtshalber in "
                "einem getrennten Ordner sichern.\r\n\r\nMöchten Sie das Update jetzt starten?"));
    EXPECT_EQ(frage.buttons, platform::vbYesNo);
    EXPECT_EQ(frage.icon, platform::vbQuestion);
    EXPECT_TRUE(frage.helpButton);
    EXPECT_EQ(frage.help, (platform::HelpTopic{foundation::ordnerPrg + s("/Korvanel.chm"), 4002}));
    EXPECT_EQ(programm("19960417.txt"), QByteArray("Ostern"));
    EXPECT_FALSE(programmHat("1996"));
    EXPECT_EQ(stand(), s("0"));
}

TEST_F(LayoutUpdate, answerYesMovesEveryDayFileOf1500To2200IntoItsYearFolder)
{
    einstellung("0");
    const QByteArray ostern = QString(s("Frohe Ostern, schöne Grüße\r\n")).toLatin1();
    programmDatei("19960417.Txt", ostern);
    programmDatei("20240305.txt", "Dienstag");
    programmDatei("20240305.Abc", "anderes Tagebuch");
    programmDatei("15000101.txt", "ganz alt");
    programmDatei("22001231.txt", "ganz neu");
    programmDatei("19970101", "ohne Endung");
    // Already in the year folder: stays as it is.
    folders.temp().write(s("program/1996/19960101.txt"), "Neujahr");
    // Not day files of the supported years.
    programmDatei("15000000.txt", "Jahr 1500 ohne Tag");
    programmDatei("1996abcd.txt", "kein Tag");
    programmDatei("22010101.txt", "zu spät");
    programmDatei("Info.txt", "Titel");
    dialogs.expectMsgBox(platform::vbYes);

    DatenUpdate606();

    EXPECT_TRUE(meldungen.empty());
    struct Verschoben {
        const char* alt;
        const char* neu;
        QByteArray bytes;
    };
    for (const Verschoben& v : {Verschoben{"19960417.Txt", "1996/19960417.Txt", ostern},
                                Verschoben{"20240305.txt", "2024/20240305.txt", "Dienstag"},
                                Verschoben{"20240305.Abc", "2024/20240305.Abc", "anderes Tagebuch"},
                                Verschoben{"15000101.txt", "1500/15000101.txt", "ganz alt"},
                                Verschoben{"22001231.txt", "2200/22001231.txt", "ganz neu"},
                                Verschoben{"19970101", "1997/19970101", "ohne Endung"}}) {
        SCOPED_TRACE(v.alt);
        EXPECT_FALSE(programmHat(v.alt));
        EXPECT_EQ(programm(v.neu), v.bytes);
    }
    EXPECT_EQ(programm("1996/19960101.txt"), QByteArray("Neujahr"));
    for (const char* bleibt : {"15000000.txt", "1996abcd.txt", "22010101.txt", "Info.txt"}) {
        SCOPED_TRACE(bleibt);
        EXPECT_TRUE(programmHat(bleibt));
    }
    EXPECT_FALSE(programmHat("2201"));
    EXPECT_EQ(stand(), s("1"));
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(zeiger.history(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
}

TEST_F(LayoutUpdate, aFileAlreadyInTheYearFolderIsNeverReplacedAndBothStay)
{
    struct Fall {
        const char* name;
        const char* vorhanden; // in the year folder 1996
    };
    for (const Fall& fall : {Fall{"same spelling", "19960417.txt"},
                             Fall{"other case", "19960417.TXT"}}) {
        SCOPED_TRACE(fall.name);
        TempSettingsFolders eigene;
        eigene.temp().write(s("program/19960417.txt"), "alte Fassung");
        eigene.temp().write(s("program/1996/") + s(fall.vorhanden), "neue Fassung");
        eigene.temp().write(s("program/20240305.txt"), "Dienstag");
        meldungen.clear();
        dialogs.expectMsgBox(platform::vbYes);
        dialogs.expectMsgBox(platform::vbOK, s("erneut angeboten"));

        DatenUpdate606();

        EXPECT_EQ(eigene.temp().read(s("program/19960417.txt")), QByteArray("alte Fassung"));
        EXPECT_EQ(eigene.temp().read(s("program/1996/") + s(fall.vorhanden)),
                  QByteArray("neue Fassung"));
        // The other files are moved all the same.
        EXPECT_EQ(eigene.temp().read(s("program/2024/20240305.txt")), QByteArray("Dienstag"));
        EXPECT_FALSE(eigene.temp().exists(s("program/20240305.txt")));
        ASSERT_EQ(meldungen.size(), 1u);
        EXPECT_EQ(meldungen[0].nummer, rt::ErrFileExists);
        EXPECT_TRUE(meldungen[0].text.startsWith(
            s("Es ist ein Fehler aufgetreten. #Update_1996_06~~")));
        EXPECT_TRUE(meldungen[0].text.contains(s("liegt schon eine Datei »19960417.txt«")));
        // Offered again at the next start, so the user can sort the pair out.
        EXPECT_EQ(stand(), s("0"));
    }
}

TEST_F(LayoutUpdate, aCopyThatIsNotCompleteLeavesTheOriginalAndNoCopy)
{
    // The link's target reports the size 0 but reads as text: the copy cannot match it.
    ASSERT_TRUE(QFile::link(s("/proc/self/status"), folders.temp().file(s("program/19960417.txt"))));
    programmDatei("19960418.txt", "Donnerstag");
    dialogs.expectMsgBox(platform::vbYes);
    dialogs.expectMsgBox(platform::vbOK, s("erneut angeboten"));

    DatenUpdate606();

    EXPECT_TRUE(QFileInfo(folders.temp().file(s("program/19960417.txt"))).isSymLink());
    EXPECT_FALSE(programmHat("1996/19960417.txt"));
    EXPECT_EQ(programm("1996/19960418.txt"), QByteArray("Donnerstag"));
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].nummer, rt::ErrDeviceIO);
    EXPECT_TRUE(meldungen[0].text.contains(s("bleibt, wo sie ist")));
    EXPECT_EQ(stand(), s("0"));
}

// A process that dies while it copies (here: stopped by the file-size limit at 2 MB of a 4 MB
// day file, as a kill would stop it) leaves no partial file under the day file's name, where it
// would be shown and edited as the entry and the original be called surplus. The next start
// removes the partial copy and moves every day file whole.
TEST_F(LayoutUpdate, aProcessKilledDuringTheCopyLeavesNoPartialDayFileAndTheNextStartFinishes)
{
    QByteArray gross(4 * 1024 * 1024, 'x');
    for (qsizetype i = 0; i < gross.size(); i += 1000)
        gross[i] = '\n';
    programmDatei("19960417.txt", gross);
    programmDatei("19960418.txt", "Donnerstag");
    dialogs.expectMsgBox(platform::vbYes);

    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        const rlimit groesse{2 * 1024 * 1024, 2 * 1024 * 1024};
        const rlimit keinAbbild{0, 0};
        ::setrlimit(RLIMIT_CORE, &keinAbbild);
        ::setrlimit(RLIMIT_FSIZE, &groesse);
        ::signal(SIGXFSZ, SIG_DFL);
        DatenUpdate606();
        ::_exit(0);
    }
    dialogs.dropPendingAnswers();
    int status = 0;
    ASSERT_EQ(::waitpid(kind, &status, 0), kind);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the copy was not stopped half-way";
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);

    EXPECT_EQ(programm("19960417.txt"), gross);
    EXPECT_FALSE(programmHat("1996/19960417.txt")) << "a partial copy carries the day's name";
    EXPECT_FALSE(programmHat("1996/19960418.txt"));

    dialogs.expectMsgBox(platform::vbYes);
    DatenUpdate606();

    EXPECT_TRUE(meldungen.empty());
    EXPECT_EQ(programm("1996/19960417.txt"), gross);
    EXPECT_EQ(programm("1996/19960418.txt"), QByteArray("Donnerstag"));
    EXPECT_FALSE(programmHat("19960417.txt"));
    EXPECT_EQ(QDir(folders.temp().file(s("program/1996"))).entryList(QDir::Files | QDir::Hidden),
              (QStringList{s("19960417.txt"), s("19960418.txt")}));
    EXPECT_EQ(stand(), s("1"));
}

// A run that ended after a complete copy but before the delete of the original finds the copy
// byte for byte equal to the original: the original is deleted, nobody is asked to sort it out.
TEST_F(LayoutUpdate, aCompleteCopyLeftByAnEarlierRunOnlyNeedsTheDelete)
{
    programmDatei("19960417.txt", "Ostern");
    folders.temp().write(s("program/1996/19960417.txt"), "Ostern");
    dialogs.expectMsgBox(platform::vbYes);

    DatenUpdate606();

    EXPECT_TRUE(meldungen.empty());
    EXPECT_FALSE(programmHat("19960417.txt"));
    EXPECT_EQ(programm("1996/19960417.txt"), QByteArray("Ostern"));
    EXPECT_EQ(stand(), s("1"));
}

TEST_F(LayoutUpdate, stopInTheErrorDialogEndsTheUpdateWithTheRestInPlace)
{
    // A file stands where the year folder 1996 belongs.
    programmDatei("1996", "kein Ordner");
    programmDatei("19960417.txt", "Ostern");
    programmDatei("20240305.txt", "Dienstag");
    antworten = {platform::vbCancel};
    dialogs.expectMsgBox(platform::vbYes);
    dialogs.expectMsgBox(platform::vbOK, s("erneut angeboten"));

    DatenUpdate606();

    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_TRUE(meldungen[0].text.contains(s("lässt sich nicht anlegen")));
    EXPECT_EQ(programm("1996"), QByteArray("kein Ordner"));
    EXPECT_EQ(programm("19960417.txt"), QByteArray("Ostern"));
    EXPECT_EQ(programm("20240305.txt"), QByteArray("Dienstag"));
    EXPECT_FALSE(programmHat("2024"));
    EXPECT_EQ(stand(), s("0"));
}

TEST_F(LayoutUpdate, readOnlyModeAsksNothingAndMovesNothing)
{
    programmDatei("19960417.txt", "Ostern");
    foundation::nurLesen = true;

    DatenUpdate606();

    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_EQ(programm("19960417.txt"), QByteArray("Ostern"));
    EXPECT_FALSE(programmHat("1996"));
    EXPECT_EQ(stand(), s("fehlt"));
}

} // namespace
