#include "integration/sibling_programs.h"

#include "foundation/command_line.h"
#include "foundation/folders.h"
#include "foundation/product_info.h"
#include "foundation/read_only.h"
#include "integration_fixture.h"
#include "platform/command_line_text.h"

#include <QAction>

using namespace integration;

namespace {

// The family on disk: the address book in a folder whose path holds "korvanel", the notes
// program's section naming a folder without its program, the planner's program with ".exe" in
// upper case, and this diary in the program folder (its section written by the program itself).
class Siblings : public IntegrationTest {
protected:
    Siblings()
    {
        movrenta = makeProgram(u8("korvanel-familie/Movrenta Prg/movrenta"));
        makeProgram(u8("korvanel-familie/Movrenta Prg/Movrenta.exe"));
        setSection(u8("movrenta"), u8("ordnerPrg"), folders.temp().file(u8("korvanel-familie/Movrenta Prg")));
        folders.temp().makeFolder(u8("quelbar"));
        setSection(u8("quelbar"), u8("Dir"), folders.temp().file(u8("quelbar")) + u8("/"));
        zindor = makeProgram(u8("zindor/ZINDOR_EINGABE.EXE"));
        setSection(u8("Zindor"), u8("OrdnerPrg"), folders.temp().file(u8("zindor")));
        korvanel = makeProgram(u8("program/Korvanel"));
    }

    static void setSection(const QString& section, const QString& key, const QString& value)
    {
        foundation::IniSchreiben(QString(), section, key, value);
    }

    QString movrenta, zindor, korvanel;
};

TEST_F(Siblings, externPrgPfadFindsEachSiblingThroughItsSection)
{
    debugLogOn();
    const QString rows[] = {movrenta, QString(), zindor, korvanel};
    for (int index = 0; index < externPrgAnzahl; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(ExternPrgPfad(index), rows[index]);
    }
    EXPECT_EQ(ExternPrgPfad(-1), QString());
    EXPECT_EQ(ExternPrgPfad(4), QString());
    EXPECT_TRUE(debugLog().contains(u8("Prg.Extern.#1 Exe=Zindor;Zindor_Eingabe.exe")));
    EXPECT_TRUE(debugLog().contains(u8("Prg.Extern.#2 Ini=") + folders.temp().file(u8("quelbar"))
                                    + u8("\t")));
    EXPECT_TRUE(debugLog().contains(u8("Prg.Extern.#3 Run=") + zindor));

    // Without a section, nothing is installed.
    foundation::IniSchreiben(QString(), u8("Zindor"), u8("OrdnerPrg"), QString());
    EXPECT_EQ(ExternPrgPfad(2), QString());
}

TEST_F(Siblings, externPrgStartenStartsInTheSiblingsFolderOrSaysItIsMissing)
{
    ExternPrgStarten(0);
    ASSERT_EQ(processes.starts().size(), 1u);
    EXPECT_EQ(processes.starts()[0].command, QStringList{movrenta});
    EXPECT_EQ(processes.starts()[0].workingFolder,
              folders.temp().file(u8("korvanel-familie/Movrenta Prg")));

    dialogs.expectMsgBox(platform::vbOK);
    ExternPrgStarten(1);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, u8("Quelbar nicht installiert."));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(dialogs.calls()[0].text,
              u8("Das Programm »Quelbar« ist auf diesem System nicht installiert.\r\n\r\nSie können "
                 "die aktuelle Version kostenlos aus dem Internet unter der URL ")
                  + foundation::webSeite()
                  + u8(" laden.\r\n\r\nStarten Sie Quelbar bitte nach der Installation einmal "
                       "manuell, damit Korvanel es auf Ihrem System finden kann."));
    EXPECT_EQ(processes.starts().size(), 1u);
    EXPECT_EQ(pointer.get(), platform::vbIbeam);

    processes.setAnswer(false);
    ExternPrgStarten(2);
    EXPECT_EQ(errors,
              QStringList{u8("53 Es ist ein Fehler beim Starten des Brisols-Programms aufgetreten.")});
}

TEST_F(Siblings, externPrgMenueHidesOnlyTheRunningProgram)
{
    std::array<QAction*, externPrgAnzahl> mnuPrg{};
    std::vector<std::unique_ptr<QAction>> actions;
    for (int index = 0; index < externPrgAnzahl; ++index) {
        actions.push_back(std::make_unique<QAction>(externPrgMenueText(index)));
        mnuPrg[static_cast<std::size_t>(index)] = actions.back().get();
    }
    EXPECT_EQ(externPrgMenueText(0), u8("&Movrenta..."));
    EXPECT_EQ(externPrgMenueText(3), u8("&Korvanel..."));
    ExternPrgMenue(mnuPrg);
    EXPECT_TRUE(mnuPrg[0]->isVisible()); // its folder's path holds "korvanel": still shown
    EXPECT_TRUE(mnuPrg[1]->isVisible()); // not installed: shown, says so when chosen
    EXPECT_TRUE(mnuPrg[2]->isVisible());
    EXPECT_FALSE(mnuPrg[3]->isVisible());
    EXPECT_TRUE(mnuPrg[0]->isEnabled());
}

// The main window's side of a hand-over, recorded.
class FakeZiel : public TextUebergabeZiel {
public:
    void EintragSpeichern() override { calls.append(u8("speichern")); }
    bool TagebuchOeffnen(const QString& korvanel) override
    {
        calls.append(u8("tagebuch ") + korvanel);
        return opens;
    }
    void TagZeigen(const QString& datum) override
    {
        calls.append(u8("tag ") + datum);
        text = entries.value(datum);
    }
    QString Text() override { return text; }
    void setText(const QString& neu) override
    {
        calls.append(u8("text ") + neu);
        text = neu;
    }
    void UngesichertSetzen() override { calls.append(u8("ungesichert")); }

    QStringList calls;
    QString text = u8("Heute");
    QMap<QString, QString> entries;
    bool opens = true;
};

class HandOver : public Siblings {
protected:
    HandOver() { setTextUebergabeZiel(&ziel); }
    ~HandOver() override
    {
        setTextUebergabeZiel(nullptr);
        foundation::nurLesen = false;
    }

    QString transferFile() const { return foundation::ordnerTmp + u8("/Zd2Kv.$$$"); }

    FakeZiel ziel;
};

TEST_F(HandOver, toThisVeryProgramTheTextIsAppendedInProcess)
{
    ziel.entries[u8("05.03.2024")] = u8("Alter Text");
    ziel.entries[u8("06.03.2024")] = QString();
    struct Row {
        const char* name;
        QString date;
        QString text;
        QStringList calls;
    };
    const Row rows[] = {
        {"after a line break", u8("5.3.2024"), u8("  \r\nTermin: Zahnarzt\r\n\r\n "),
         {u8("speichern"), u8("tagebuch Txt"), u8("tag 05.03.2024"),
          u8("text Alter Text\r\nTermin: Zahnarzt"), u8("ungesichert")}},
        {"an empty entry takes the text alone", u8("06.03.2024"), u8("Termin\r\nzweite Zeile"),
         {u8("speichern"), u8("tagebuch Txt"), u8("tag 06.03.2024"),
          u8("text Termin\r\nzweite Zeile"), u8("ungesichert")}},
        {"no date: the shown day", u8("morgen"), u8("$(id) \"x\""),
         {u8("speichern"), u8("tagebuch Txt"), u8("text Heute\r\n$(id) \"x\""),
          u8("ungesichert")}},
        {"an empty text appends nothing", u8("5.3.2024"), u8(" \r\n "), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ziel.calls.clear();
        ziel.text = u8("Heute");
        TextUebergeben(row.date, row.text);
        EXPECT_EQ(ziel.calls, row.calls);
    }
    EXPECT_TRUE(processes.started().empty());
    EXPECT_FALSE(QFile::exists(transferFile()));
    EXPECT_EQ(pointer.get(), platform::vbIbeam);

    // The diary named by "KVApp"; one that cannot be opened gets nothing.
    foundation::IniSchreiben(QString(), QString(), u8("KVApp"), u8("Abc:geheim"));
    ziel.calls.clear();
    ziel.opens = false;
    TextUebergeben(u8("5.3.2024"), u8("x"));
    EXPECT_EQ(ziel.calls, (QStringList{u8("speichern"), u8("tagebuch Abc:geheim")}));

    // Without a program file of the diary the target is this program all the same.
    QFile::remove(korvanel);
    ziel.calls.clear();
    ziel.opens = true;
    TextUebergeben(QString(), u8("x"));
    EXPECT_EQ(ziel.calls.size(), 4);

    // Read-only: nothing appended, the user is told.
    foundation::nurLesen = true;
    ziel.calls.clear();
    dialogs.expectMsgBox(platform::vbOK, u8("nur zum Lesen geöffnet"));
    TextUebergeben(QString(), u8("x"));
    EXPECT_TRUE(ziel.calls.isEmpty());
}

// A receiving program that takes the transfer file at once.
class ReceivingProcesses : public FakeProcesses {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        for (const QString& argument : arguments) {
            if (argument.startsWith(u8("/AppendFile=")))
                received = QFile::exists(argument.mid(12)) && QFile::remove(argument.mid(12));
        }
        return FakeProcesses::startDetached(program, arguments);
    }
    bool received = false;
};

TEST_F(HandOver, toAnotherProgramTheCommandLineReadsBackExactly)
{
    // Another copy of the diary in a folder with blanks; a temporary folder with blanks too.
    const QString andere = makeProgram(u8("Andere Kopie/Tage buch/korvanel"));
    setSection(u8("korvanel"), u8("OrdnerPrg"), folders.temp().file(u8("Andere Kopie/Tage buch")));
    folders.temp().makeFolder(u8("Temp Ordner/a b"));
    foundation::ordnerTmp = folders.temp().file(u8("Temp Ordner/a b"));
    foundation::IniSchreiben(QString(), QString(), u8("KVApp"), u8("Abc:geheim"));

    ReceivingProcesses empfaenger;
    ScopedService guard(platform::setProcesses, &empfaenger);
    const qint64 start = clock.tick();
    TextUebergeben(u8("5.3.2024"), u8("Termin über Mittag; $(rm -rf ~) \"x\""));
    ASSERT_EQ(empfaenger.started().size(), 1u);
    const QStringList started = empfaenger.started()[0];
    EXPECT_EQ(started,
              (QStringList{andere, u8("/Korvanel=Abc:geheim"), u8("/Datum=05.03.2024"),
                           u8("/AppendFile=") + transferFile()}));
    EXPECT_TRUE(empfaenger.received);
    EXPECT_EQ(clock.tick() - start, 2000);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(ziel.calls.isEmpty());

    // The receiver's own parser reads the exact values back from its command line.
    foundation::ParameterZerlegen(platform::commandLineText(started.mid(1)));
    EXPECT_EQ(foundation::ParameterWert(u8("Korvanel=")), u8("Abc:geheim"));
    EXPECT_EQ(foundation::ParameterWert(u8("Datum=")), u8("05.03.2024"));
    EXPECT_EQ(foundation::ParameterWert(u8("AppendFile=")), transferFile());
}

TEST_F(HandOver, aTransferFileNotTakenIsToldAndKept)
{
    const QString andere = makeProgram(u8("andere/Korvanel.exe"));
    setSection(u8("korvanel"), u8("OrdnerPrg"), folders.temp().file(u8("andere")));
    dialogs.expectMsgBox(platform::vbOK, u8("Der Text ist nicht im Tagebuch angekommen"));
    TextUebergeben(u8("kein Datum"), u8("Termin über Mittag"));
    ASSERT_EQ(processes.started().size(), 1u);
    EXPECT_EQ(processes.started()[0],
              (QStringList{andere, u8("/Korvanel=Txt"), u8("/AppendFile=") + transferFile()}));
    EXPECT_EQ(folders.temp().read(u8("tmp/Zd2Kv.$$$")), QByteArray("Termin \xFC" "ber Mittag\r\n"));
    EXPECT_TRUE(dialogs.calls()[0].text.contains(transferFile()));
}

TEST_F(HandOver, withoutTheMainWindowTheProgramFileIsStartedOrTheDiaryIsMissing)
{
    setTextUebergabeZiel(nullptr);
    dialogs.expectMsgBox(platform::vbOK, u8("nicht im Tagebuch angekommen"));
    TextUebergeben(u8("05.03.2024"), u8("x"));
    ASSERT_EQ(processes.started().size(), 1u);
    EXPECT_EQ(processes.started()[0].front(), korvanel);

    QFile::remove(korvanel);
    dialogs.expectMsgBox(platform::vbOK);
    TextUebergeben(u8("05.03.2024"), u8("x"));
    EXPECT_EQ(processes.started().size(), 1u);
    const FakeDialogs::Call& meldung = dialogs.calls().back();
    EXPECT_EQ(meldung.title, u8("Brisols-Korvanel nicht installiert."));
    EXPECT_EQ(meldung.text,
              u8("Das Brisols-Korvanel ist auf diesem System nicht installiert.\r\n\r\nSie können "
                 "die aktuelle Version kostenlos aus dem Internet unter der URL ")
                  + foundation::webSeite()
                  + u8(" laden.\r\n\r\nStarten Sie das Programm bitte nach der Installation "
                       "einmal manuell, damit Korvanel es auf Ihrem System finden kann."));
}

} // namespace
