// The hand-over to the word processor as a file round trip, on a stand-in main window: the
// transfer file, the program's argument list, and what the take-back does with each file the
// word processor may leave behind.
#include "integration/word_processor.h"

#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "integration_fixture.h"
#include "store/store_state.h"
#include "support/fake_main_port.h"
#include "support/fake_word_processor.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <functional>

#include <sys/stat.h>

using namespace integration;

namespace {

const QByteArray bom("\xEF\xBB\xBF");

class WordProcessor : public IntegrationTest {
protected:
    WordProcessor()
    {
        programm = makeProgram(u8("Büro Programme/schreiber"));
        setPrgExe(programm);
        main.setDateCaption(u8("05.03.2024"));
        main.setText(u8("Liebes Tagebuch,\r\nGrüße → Straße  "));
        eintrag.setText(u8("&Text übertragen an Textverarbeitung..."));
        foundation::OrdnerBereitstellen();
    }
    ~WordProcessor() override
    {
        resetTextverarbeitung();
        store::resetStoreState();
        foundation::nurLesen = false;
    }

    static void setPrgExe(const QString& value)
    {
        foundation::IniSchreiben(QString(), u8("Textverarbeitung"), u8("PrgExe"), value);
    }

    void klick() { PulOleTxt2Word_Click(flag, &eintrag); }

    // The word processor saves the file with these bytes.
    void speichert(const QByteArray& bytes) const
    {
        writeFileBytes(textverarbeitungDatei(), bytes);
    }

    QString transfer(const char* name) const
    {
        return folders.tmpFolder() + u'/' + u8(name);
    }

    InstalledFake<FakeWordProcessor> textverarbeitung{platform::setProcesses};
    FakeMainPort main;
    QAction eintrag;
    int flag = 0;
    QString programm;
};

TEST_F(WordProcessor, handOver_newPrivateUtf8FileAsOneArgument_nothingThereOverwritten)
{
    // A file of an earlier hand-over and a link planted under the next name stay as they are.
    folders.temp().write(u8("tmp/Korvanel-Eintrag 05.03.2024.txt"), "alte Korrekturen");
    folders.temp().write(u8("fremd.txt"), "fremd");
    ASSERT_TRUE(QFile::link(folders.temp().file(u8("fremd.txt")),
                            transfer("Korvanel-Eintrag 05.03.2024 (2).txt")));

    klick();

    const QString datei = transfer("Korvanel-Eintrag 05.03.2024 (3).txt");
    ASSERT_EQ(textverarbeitung.started().size(), 1u);
    EXPECT_EQ(textverarbeitung.started()[0], (QStringList{programm, datei}));
    EXPECT_EQ(textverarbeitungDatei(), datei);
    EXPECT_EQ(readFileBytes(datei),
              bom + u8("Liebes Tagebuch,\r\nGrüße → Straße  \r\n").toUtf8());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(datei).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "for the user's eyes only";
    EXPECT_EQ(folders.temp().read(u8("tmp/Korvanel-Eintrag 05.03.2024.txt")), "alte Korrekturen");
    EXPECT_EQ(folders.temp().read(u8("fremd.txt")), "fremd");
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(eintrag.text(), u8("&Text zurückholen von Textverarbeitung..."));
    EXPECT_EQ(main.text(), u8("Liebes Tagebuch,\r\nGrüße → Straße  ")) << "the entry stays";
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(WordProcessor, prgExe_pathOrSmallCommandLineNeverAShell)
{
    struct Row {
        const char* name;
        QString prgExe;
        QStringList programm; // without the file
    };
    const Row rows[] = {
        {"a path with blanks, unquoted", programm, {programm}},
        {"a quoted path with an option", u8("\"") + programm + u8("\" --neu"), {programm, u8("--neu")}},
        {"a program of PATH with options", u8("soffice --writer --norestore"),
         {u8("soffice"), u8("--writer"), u8("--norestore")}},
        {"shell text stays text", u8("schreiber $(rm -rf ~);x"),
         {u8("schreiber"), u8("$(rm"), u8("-rf"), u8("~);x")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setPrgExe(row.prgExe);
        flag = 0;
        const std::size_t vorher = textverarbeitung.started().size();
        klick();
        ASSERT_EQ(textverarbeitung.started().size(), vorher + 1);
        EXPECT_EQ(textverarbeitung.started().back(), row.programm + QStringList{textverarbeitungDatei()});
    }
}

TEST_F(WordProcessor, takeBack_readsWhatTheWordProcessorSaved)
{
    struct Row {
        const char* name;
        QByteArray gespeichert;
        QString text; // the entry afterwards
    };
    const Row rows[] = {
        {"UTF-8 without mark, LF", QByteArray("Gr\xC3\xBC\xC3\x9F" "e an Stra\xC3\x9F" "e\n"),
         u8("Grüße an Straße")},
        {"mark and CR LF, lines kept", bom + QByteArray("Zeile 1\r\n\r\nZeile 2 \xE2\x86\x92\r\n"),
         u8("Zeile 1\r\n\r\nZeile 2 →")},
        {"Windows-1252, lone CR", QByteArray("Gr\xFC\xDF" "e\rund \x80\r"), u8("Grüße\r\nund €")},
        {"no final line end", QByteArray("ohne Ende"), u8("ohne Ende")},
        {"only the last of two line ends goes", QByteArray("Absatz\n\n"), u8("Absatz\r\n")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        main.setText(u8("alt"));
        klick();
        ASSERT_EQ(flag, 1);
        const QString datei = textverarbeitungDatei();
        speichert(row.gespeichert);
        store::ungesichert = 0;
        klick();
        EXPECT_EQ(main.text(), row.text);
        EXPECT_EQ(store::ungesichert, 1) << "marked unsaved";
        EXPECT_EQ(flag, 0);
        EXPECT_EQ(eintrag.text(), u8("&Text übertragen an Textverarbeitung..."));
        EXPECT_FALSE(QFileInfo::exists(datei)) << "taken back, the file goes";
        EXPECT_EQ(textverarbeitungDatei(), QString());
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(WordProcessor, takeBack_keepsTheEntryUntilTheFileWasSavedWithText)
{
    klick();
    const QString datei = textverarbeitungDatei();
    const QString vorher = main.text();
    struct Row {
        const char* name;
        std::function<void()> dateiAendern;
        const char* satz;
    };
    const Row rows[] = {
        {"not saved yet", [] {}, "hat den Text noch nicht in die Datei »"},
        {"saved empty", [&] { speichert(QByteArray()); }, "ist leer; der Eintrag bleibt, wie er ist."},
        {"saved as the mark and a line end", [&] { speichert(bom + "\r\n"); }, "ist leer;"},
        {"binary, not text", [&] { speichert(QByteArray("PK\x03\x04\0\0", 6)); },
         "lässt sich nicht als Text lesen;"},
        {"a pipe in its place",
         [&] {
             QFile::remove(datei);
             ASSERT_EQ(::mkfifo(QFile::encodeName(datei).constData(), 0600), 0);
         },
         "lässt sich nicht als Text lesen;"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.dateiAendern();
        dialogs.expectMsgBox(platform::vbOK, u8(row.satz));
        klick();
        EXPECT_EQ(dialogs.calls().back().title, u8("Text zurückholen"));
        EXPECT_EQ(main.text(), vorher);
        EXPECT_EQ(flag, 1) << "the take-back stays offered";
        EXPECT_EQ(eintrag.text(), u8("&Text zurückholen von Textverarbeitung..."));
        EXPECT_EQ(textverarbeitung.started().size(), 1u) << "no second hand-over";
    }

    // Gone: nothing to take back any more, the toggle starts afresh.
    QFile::remove(datei);
    dialogs.expectMsgBox(platform::vbOK, u8("ist nicht mehr vorhanden; der Eintrag bleibt"));
    klick();
    EXPECT_EQ(main.text(), vorher);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(eintrag.text(), u8("&Text übertragen an Textverarbeitung..."));
}

TEST_F(WordProcessor, takeBack_savedUnchanged_countsAsSaved)
{
    klick();
    const QByteArray bytes = readFileBytes(textverarbeitungDatei());
    speichert(bytes);
    QFile datei(textverarbeitungDatei()); // saved a moment later
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datei.setFileTime(QDateTime::currentDateTime().addSecs(2),
                                  QFileDevice::FileModificationTime));
    datei.close();
    klick();
    EXPECT_EQ(main.text(), u8("Liebes Tagebuch,\r\nGrüße → Straße  "));
    EXPECT_EQ(flag, 0);
}

TEST_F(WordProcessor, startFails_messageAndNothingHandedOver)
{
    struct Row {
        const char* name;
        QString prgExe;
    };
    const Row rows[] = {
        {"the program does not start", programm},
        {"no program set", QString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setPrgExe(row.prgExe);
        textverarbeitung.setAnswer(row.prgExe.isEmpty());
        dialogs.expectMsgBox(platform::vbOK,
                             u8("Das Starten der Textverarbeitung hat nicht einwandfrei funktioniert."));
        klick();
        const FakeDialogs::Call& meldung = dialogs.calls().back();
        EXPECT_EQ(meldung.icon, platform::vbCritical);
        EXPECT_TRUE(meldung.helpButton);
        EXPECT_EQ(meldung.help.context, 162);
        EXPECT_TRUE(meldung.help.file.endsWith(u8("/Korvanel.chm")));
        EXPECT_EQ(meldung.title, row.prgExe);
        EXPECT_EQ(flag, 0);
        EXPECT_EQ(eintrag.text(), u8("&Text übertragen an Textverarbeitung..."));
        EXPECT_EQ(textverarbeitungDatei(), QString());
        EXPECT_EQ(QDir(folders.tmpFolder()).entryList(QDir::Files), QStringList())
            << "no transfer file left behind";
        EXPECT_EQ(main.text(), u8("Liebes Tagebuch,\r\nGrüße → Straße  "));
    }
}

TEST_F(WordProcessor, transferFileCannotBeWritten_errorDialogAndNoStart)
{
    foundation::ordnerTmp = folders.temp().file(u8("fehlt"));
    klick();
    EXPECT_EQ(errors, QStringList{u8("76 Die Verbindung zur Textverarbeitung funktioniert nicht "
                                     "einwandfrei.' Text in Datei")});
    EXPECT_TRUE(textverarbeitung.started().empty());
    EXPECT_EQ(flag, 0);
}

TEST_F(WordProcessor, readOnly_doesNothing)
{
    foundation::nurLesen = true;
    klick();
    flag = 1;
    klick();
    EXPECT_TRUE(textverarbeitung.started().empty());
    EXPECT_EQ(QDir(folders.tmpFolder()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(main.text(), u8("Liebes Tagebuch,\r\nGrüße → Straße  "));
    EXPECT_TRUE(dialogs.calls().empty());
}

} // namespace
