#include "platform/ini_file.h"

#include "platform/folder_memory.h"

#include "runtime/error.h"
#include "support/qt_print.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <vector>

namespace ini = platform::ini;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }

    // The test file in the temporary folder, written with exactly these bytes.
    QString given(const QByteArray& bytes, const char* name = "Brisol.ini")
    {
        temp.write(s(name), bytes);
        return temp.file(s(name));
    }
    QByteArray bytes(const char* name = "Brisol.ini") const { return temp.read(s(name)); }

    TempFolder temp;
};

const QByteArray settings =
    "; Einstellungen\r\n"
    "[Korvanel]\r\n"
    "OrdnerDat=/home/anna/Tagebuch\r\n"
    "  Breite  =  1200  \r\n"
    "Titel=\"  Mein Tagebuch  \"\r\n"
    "Doppelt=\"\"innen\"\"\r\n"
    "Halb=\"offen\r\n"
    "Leer=\r\n"
    ";Kommentar=kein Schluessel\r\n"
    "keine Zuweisung\r\n"
    "Gleich=a=b\r\n"
    "\r\n"
    "[ Fenster ]\r\n"
    "Form_H\xF6he=500\r\n"
    "\r\n"
    "[KORVANEL]\r\n"
    "OrdnerDat=/zweite/Sektion\r\n"
    "NurHier=unsichtbar\r\n"
    "[Doppelt]\r\n"
    "x=1\r\n"
    "X=2\r\n";

TEST_F(IniFileTest, readFindsTrimmedValuesWithoutRegardToCase)
{
    const QString file = given(settings);
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        std::optional<QString> expected;
    };
    const Row rows[] = {
        {"plain", "Korvanel", "OrdnerDat", s("/home/anna/Tagebuch")},
        {"other case of section and key", "korvanel", "ORDNERDAT", s("/home/anna/Tagebuch")},
        {"blanks around key and value", "Korvanel", "Breite", s("1200")},
        {"key argument trimmed", "Korvanel", " breite ", s("1200")},
        {"enclosing quotes removed, blanks inside kept", "Korvanel", "Titel",
         s("  Mein Tagebuch  ")},
        {"only one pair of quotes removed", "Korvanel", "Doppelt", s("\"innen\"")},
        {"a lone quote stays", "Korvanel", "Halb", s("\"offen")},
        {"empty value is present", "Korvanel", "Leer", QString()},
        {"value holding =", "Korvanel", "Gleich", s("a=b")},
        {"section name trimmed in the file", "fenster", "form_höhe", s("500")},
        {"umlaut key in other case", "Fenster", "FORM_HÖHE", s("500")},
        {"comment line is no key", "Korvanel", ";Kommentar", std::nullopt},
        {"line without = is no key", "Korvanel", "keine Zuweisung", std::nullopt},
        {"missing key", "Korvanel", "Fehlt", std::nullopt},
        {"missing section", "Fehlt", "OrdnerDat", std::nullopt},
        {"first of duplicate sections wins", "KORVANEL", "OrdnerDat", s("/home/anna/Tagebuch")},
        {"key of a later duplicate section is not seen", "Korvanel", "NurHier", std::nullopt},
        {"first of duplicate keys wins", "Doppelt", "X", s("1")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ini::read(file, s(row.section), s(row.key)), row.expected);
    }
    EXPECT_EQ(ini::read(temp.file(s("Fehlt.ini")), s("Korvanel"), s("OrdnerDat")), std::nullopt);
    EXPECT_EQ(rt::Err().number, 0);
}

TEST_F(IniFileTest, readAcceptsEveryLineEnd)
{
    struct Row {
        const char* name;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"CR LF", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n"},
        {"LF", "[A]\nx=1\ny=2\n[B]\nz=3\n"},
        {"CR", "[A]\rx=1\ry=2\r[B]\rz=3\r"},
        {"mixed, no final line end", "[A]\r\nx=1\ny=2\r[B]\n\rz=3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = given(row.bytes);
        EXPECT_EQ(ini::read(file, s("A"), s("x")), s("1"));
        EXPECT_EQ(ini::read(file, s("A"), s("y")), s("2"));
        EXPECT_EQ(ini::read(file, s("B"), s("z")), s("3"));
        EXPECT_EQ(ini::read(file, s("A"), s("z")), std::nullopt);
    }
}

TEST_F(IniFileTest, anySpellingOfTheFileNameFindsTheFile)
{
    given("[Korvanel]\r\nx=1\r\n", "Brisol.ini");
    EXPECT_EQ(ini::read(temp.file(s("brisol.ini")), s("Korvanel"), s("x")), s("1"));
    EXPECT_EQ(ini::read(temp.file(s("BRISOL.INI")), s("Korvanel"), s("x")), s("1"));
    EXPECT_TRUE(ini::write(temp.file(s("BRISOL.INI")), s("Korvanel"), s("x"), s("2")));
    EXPECT_TRUE(ini::write(temp.path() + s("\\brisol.ini"), s("Korvanel"), s("y"), s("3")));
    EXPECT_EQ(bytes("Brisol.ini"), QByteArray("[Korvanel]\r\nx=2\r\ny=3\r\n"));
    EXPECT_FALSE(temp.exists(s("BRISOL.INI")));
    EXPECT_FALSE(temp.exists(s("brisol.ini")));
}

TEST_F(IniFileTest, writeCreatesFileSectionsAndKeysWithCrLf)
{
    const QString file = temp.file(s("Neu.ini"));
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("OrdnerDat"), s("/home/anna")));
    EXPECT_EQ(bytes("Neu.ini"), QByteArray("[Korvanel]\r\nOrdnerDat=/home/anna\r\n"));
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("Leer"), QString()));
    EXPECT_TRUE(ini::write(file, s(" Fenster "), s(" Form_Weite "), s("800")));
    EXPECT_TRUE(ini::write(file, s("korvanel"), s("Zahl"), s("3")));
    EXPECT_EQ(bytes("Neu.ini"), QByteArray("[Korvanel]\r\n"
                                           "OrdnerDat=/home/anna\r\n"
                                           "Leer=\r\n"
                                           "Zahl=3\r\n"
                                           "[Fenster]\r\n"
                                           "Form_Weite=800\r\n"));
    EXPECT_EQ(ini::read(file, s("Korvanel"), s("Leer")), QString());
}

TEST_F(IniFileTest, replacingAValueKeepsEveryOtherByte)
{
    const QByteArray before =
        "; Kopf mit Umlaut \xE4 und \x93Zitat\x94\r\n"
        "[Korvanel]\n"
        "  Breite = 1200   \r\n"
        "Titel=\"alt\"\r"
        "Text ohne Gleichheitszeichen\r\n"
        "\tTab=1\r\n"
        "\r\n"
        "[Andere]\r\n"
        "Breite=7";
    const QString file = given(before);
    EXPECT_TRUE(ini::write(file, s("KORVANEL"), s("breite"), s("800")));
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("Titel"), s("neu")));
    EXPECT_TRUE(ini::write(file, s("Korvanel"), s("tab"), QString()));
    EXPECT_TRUE(ini::write(file, s("Andere"), s("Breite"), s("8")));
    EXPECT_EQ(bytes(), QByteArray("; Kopf mit Umlaut \xE4 und \x93Zitat\x94\r\n"
                                  "[Korvanel]\n"
                                  "  Breite = 800\r\n"
                                  "Titel=neu\r"
                                  "Text ohne Gleichheitszeichen\r\n"
                                  "\tTab=\r\n"
                                  "\r\n"
                                  "[Andere]\r\n"
                                  "Breite=8"));
}

TEST_F(IniFileTest, newKeyGoesBehindTheLastKeyOfItsSection)
{
    struct Row {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const Row rows[] = {
        {"before blank lines and the next section",
         "[A]\r\nx=1\r\n\r\n\r\n[B]\r\ny=2\r\n",
         "[A]\r\nx=1\r\nneu=9\r\n\r\n\r\n[B]\r\ny=2\r\n"},
        {"before a comment that follows the last key",
         "[A]\nx=1\n; zu B\n[B]\n",
         "[A]\nx=1\nneu=9\r\n; zu B\n[B]\n"},
        {"section without keys: behind its header",
         "[A]\r\n\r\n[B]\r\n",
         "[A]\r\nneu=9\r\n\r\n[B]\r\n"},
        {"last line without line end",
         "[A]\rx=1",
         "[A]\rx=1\r\nneu=9\r\n"},
        {"only in the first of duplicate sections",
         "[A]\r\nx=1\r\n[a]\r\ny=2\r\n",
         "[A]\r\nx=1\r\nneu=9\r\n[a]\r\ny=2\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = given(row.before);
        EXPECT_TRUE(ini::write(file, s("a"), s("neu"), s("9")));
        EXPECT_EQ(bytes(), row.after);
    }
}

TEST_F(IniFileTest, newSectionGoesToTheEndOfTheFile)
{
    struct Row {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const Row rows[] = {
        {"file ending with CR LF", "[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n[Neu]\r\nk=v\r\n"},
        {"file ending with LF", "[A]\nx=1\n", "[A]\nx=1\n[Neu]\r\nk=v\r\n"},
        {"file ending with CR", "[A]\rx=1\r", "[A]\rx=1\r[Neu]\r\nk=v\r\n"},
        {"file without final line end", "[A]\nx=1", "[A]\nx=1\r\n[Neu]\r\nk=v\r\n"},
        {"empty file", "", "[Neu]\r\nk=v\r\n"},
        {"file of comments only", "; nur Text\n", "; nur Text\n[Neu]\r\nk=v\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = given(row.before);
        EXPECT_TRUE(ini::write(file, s("Neu"), s("k"), s("v")));
        EXPECT_EQ(bytes(), row.after);
    }
}

TEST_F(IniFileTest, writeAllGivesTheBytesOfOneWriteAfterTheOther)
{
    using Pairs = std::vector<std::pair<QString, QString>>;
    struct Row {
        const char* name;
        QByteArray before;
        Pairs pairs;
    };
    const Row rows[] = {
        {"new file", "", {{s("01.03.2024"), s("1")}, {s("02.03.2024"), s("1")}}},
        {"section missing, file without final line end", "[A]\nx=1",
         {{s("k"), s("1")}, {s("l"), s("2")}}},
        {"replaced in place and added behind the last key, before the next section",
         "[Marker]\r\n01.03.2024 =  0\r\n; Notiz\r\n02.03.2024=1\r\n\r\n[B]\r\nx=1\r\n",
         {{s("02.03.2024"), s("0")}, {s("03.03.2024"), s("1")}, {s("01.03.2024"), s("1")},
          {s("04.03.2024"), s("1")}}},
        {"a key given again, an empty value between, in any case",
         "[A]\r\nk=  1\r\n",
         {{s("k"), s("x")}, {s("K"), QString()}, {s("k"), s("y")}, {s("Neu"), s("  a")},
          {s("NEU"), s("b")}, {s("neu"), QString()}}},
        {"last key without value and without line end", "[A]\r\nx=",
         {{s("x"), s("1")}, {s("y"), s("2")}}},
        {"header without line end", "[A]", {{s("y"), s("2")}, {s("z"), s("3")}}},
        {"only the first of duplicate sections and keys", "[A]\r\nx=1\r\nX=2\r\n[a]\r\ny=2\r\n",
         {{s("x"), s("9")}, {s("y"), s("8")}}},
        {"a character outside Windows-1252 makes the file UTF-8",
         "[A]\r\nalt=\xE4\r\n", {{s("k"), s("\xC3\xA4")}, {s("l"), s("\xE2\x82\xAC \xC5\x81")}}},
        {"nothing changes", "[A]\r\nk=1\r\n", {{s("k"), s("1")}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString einzeln = given(row.before, "Einzeln.ini");
        for (const auto& [key, value] : row.pairs)
            EXPECT_TRUE(ini::write(einzeln, s("a"), key, value));
        const QString alle = given(row.before, "Alle.ini");
        EXPECT_TRUE(ini::writeAll(alle, s("a"), row.pairs));
        EXPECT_EQ(bytes("Alle.ini"), bytes("Einzeln.ini"));
    }
    EXPECT_EQ(bytes("Alle.ini"), QByteArray("[A]\r\nk=1\r\n"));
}

TEST_F(IniFileTest, writeAllWithAnUnusableKeyWritesNothing)
{
    const QString file = given("[A]\r\nk=1\r\n");
    EXPECT_FALSE(ini::writeAll(file, s("A"), {{s("k"), s("2")}, {s("x=y"), s("3")}}));
    EXPECT_EQ(rt::Err().number, rt::ErrInvalidCall);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nk=1\r\n"));
}

TEST_F(IniFileTest, windows1252BytesReadAsTheirCharacters)
{
    const QString file = given("[A]\r\nZitat=\x93hallo\x93\r\nUmlaut=\xC4rger \x80\r\n");
    EXPECT_EQ(ini::read(file, s("A"), s("Zitat")), s("\u201Challo\u201C"));
    EXPECT_EQ(ini::read(file, s("A"), s("Umlaut")), s("Ärger €"));
    EXPECT_TRUE(ini::write(file, s("A"), s("Neu"), s("\u201Cö\u201C")));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nZitat=\x93hallo\x93\r\nUmlaut=\xC4rger \x80\r\n"
                                  "Neu=\x93\xF6\x93\r\n"));
}

TEST_F(IniFileTest, characterOutsideWindows1252TurnsTheWholeFileIntoUtf8)
{
    const QString file = given("; \xE4\r\n[A]\nx=\xFC\r\n");
    EXPECT_TRUE(ini::write(file, s("A"), s("Name"), s("Jenő")));
    EXPECT_EQ(bytes(),
              QByteArray("\xEF\xBB\xBF; \xC3\xA4\r\n[A]\nx=\xC3\xBC\r\nName=Jen\xC5\x91\r\n"));
    EXPECT_EQ(ini::read(file, s("a"), s("name")), s("Jenő"));
    EXPECT_EQ(ini::read(file, s("A"), s("x")), s("ü"));

    // A UTF-8 file stays UTF-8; untouched lines keep their bytes.
    EXPECT_TRUE(ini::write(file, s("A"), s("Name"), s("Anna")));
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF; \xC3\xA4\r\n[A]\nx=\xC3\xBC\r\nName=Anna\r\n"));
}

TEST_F(IniFileTest, utf8FileWithByteOrderMarkIsReadAsUtf8)
{
    const QString file =
        given("\xEF\xBB\xBF[S\xC3\xBC\x64]\r\nK\xC3\xA4se=Gr\xC3\xBC\xC3\x9F\x65 \xC5\x91\r\n");
    EXPECT_EQ(ini::read(file, s("SÜD"), s("KÄSE")), s("Grüße ő"));
    EXPECT_EQ(ini::sectionNames(file), QStringList{s("Süd")});
}

TEST_F(IniFileTest, missingFolderFailsWithPathNotFound)
{
    const QString file = temp.file(s("Fehlt/Brisol.ini"));
    EXPECT_FALSE(ini::write(file, s("A"), s("x"), s("1")));
    EXPECT_EQ(rt::Err().number, rt::ErrPathNotFound);
    EXPECT_FALSE(temp.exists(s("Fehlt")));
}

TEST_F(IniFileTest, writeProtectedFileIsLeftAsItWas)
{
    const QByteArray before = "[A]\r\nx=1\r\n";
    const QString file = given(before);
    PermissionGuard guard(file);
    temp.setPermissions(s("Brisol.ini"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    EXPECT_FALSE(ini::write(file, s("A"), s("x"), s("2")));
    EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
    rt::clearError();
    EXPECT_FALSE(ini::write(file, s("B"), s("y"), s("2")));
    EXPECT_FALSE(ini::removeKey(file, s("A"), s("x")));
    EXPECT_EQ(bytes(), before);

    // Storing the value the file already holds changes nothing and succeeds.
    rt::clearError();
    EXPECT_TRUE(ini::write(file, s("a"), s("X"), s("1")));
    EXPECT_EQ(rt::Err().number, 0);
}

TEST_F(IniFileTest, writableFileInWriteProtectedFolderIsRewrittenInPlace)
{
    temp.makeFolder(s("Geschuetzt"));
    const QString file = given("[A]\r\nx=1\r\n; Ende\r\n", "Geschuetzt/Brisol.ini");
    const QString folder = temp.file(s("Geschuetzt"));
    PermissionGuard guard(folder);
    temp.setPermissions(s("Geschuetzt"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    EXPECT_TRUE(ini::write(file, s("A"), s("x"), s("langer neuer Wert")));
    EXPECT_TRUE(ini::write(file, s("A"), s("x"), s("2")));
    EXPECT_EQ(bytes("Geschuetzt/Brisol.ini"), QByteArray("[A]\r\nx=2\r\n; Ende\r\n"));

    if (!runningAsRoot()) {
        // No new file in a folder without write permission.
        EXPECT_FALSE(ini::write(temp.file(s("Geschuetzt/Neu.ini")), s("A"), s("x"), s("1")));
        EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
    }
}

TEST_F(IniFileTest, unreadableFileIsNeverOverwritten)
{
    if (runningAsRoot())
        GTEST_SKIP() << "the super-user reads every file";
    const QByteArray before = "[A]\r\nx=1\r\n";
    const QString file = given(before);
    PermissionGuard guard(file);
    temp.setPermissions(s("Brisol.ini"), QFileDevice::WriteOwner);

    EXPECT_EQ(ini::read(file, s("A"), s("x")), std::nullopt);
    EXPECT_FALSE(ini::write(file, s("A"), s("y"), s("2")));
    EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
    temp.setPermissions(s("Brisol.ini"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(bytes(), before);
}

TEST_F(IniFileTest, textThatWouldBreakTheFileIsRefused)
{
    const QByteArray before = "[A]\r\nx=1\r\n";
    const QString file = given(before);
    struct Row {
        const char* name;
        QString section;
        QString key;
        QString value;
    };
    const Row rows[] = {
        {"line feed in value", s("A"), s("x"), s("1\nFremd=2")},
        {"carriage return in value", s("A"), s("x"), s("1\r")},
        {"line break in section", s("A\r\n[B"), s("x"), s("1")},
        {"empty section", s("  "), s("x"), s("1")},
        {"empty key", s("A"), s(" "), s("1")},
        {"key with =", s("A"), s("a=b"), s("1")},
        {"key that reads as comment", s("A"), s(";x"), s("1")},
        {"key that reads as section", s("A"), s("[B]"), s("1")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rt::clearError();
        EXPECT_FALSE(ini::write(file, row.section, row.key, row.value));
        EXPECT_EQ(rt::Err().number, rt::ErrInvalidCall);
        EXPECT_EQ(bytes(), before);
    }
}

TEST_F(IniFileTest, removeKeyTakesEveryLineOfTheKeyInTheFirstSectionOnly)
{
    const QString file = given("; Kopf\r\n"
                               "[A]\r\n"
                               "x=1\r\n"
                               "y=2\n"
                               "X=3\r\n"
                               "[B]\r\n"
                               "x=4\r\n"
                               "[a]\r\n"
                               "x=5");
    EXPECT_TRUE(ini::removeKey(file, s("a"), s("x")));
    EXPECT_EQ(ini::read(file, s("A"), s("x")), std::nullopt);
    EXPECT_EQ(bytes(), QByteArray("; Kopf\r\n"
                                  "[A]\r\n"
                                  "y=2\n"
                                  "[B]\r\n"
                                  "x=4\r\n"
                                  "[a]\r\n"
                                  "x=5"));

    EXPECT_TRUE(ini::removeKey(file, s("A"), s("fehlt")));
    EXPECT_TRUE(ini::removeKey(file, s("Fehlt"), s("x")));
    EXPECT_TRUE(ini::removeKey(temp.file(s("Fehlt.ini")), s("A"), s("x")));
    EXPECT_FALSE(temp.exists(s("Fehlt.ini")));
}

TEST_F(IniFileTest, listsSectionsInFileOrder)
{
    const QString file = given(settings);
    EXPECT_EQ(ini::sectionNames(file), (QStringList{s("Korvanel"), s("Fenster"), s("Doppelt")}));
    EXPECT_TRUE(ini::sectionNames(temp.file(s("Fehlt.ini"))).isEmpty());
}

TEST_F(IniFileTest, bareFileNameLivesInTheBareNameFolder)
{
    ScopedEnvironment env;
    env.set("XDG_CONFIG_DIRS", temp.path() + s("/xdg/:/etc/xdg"));
    EXPECT_EQ(ini::bareNameFolder(), temp.path() + s("/xdg/Brisols-Programme"));
    env.unset("XDG_CONFIG_DIRS");
    EXPECT_EQ(ini::bareNameFolder(), s("/etc/xdg/Brisols-Programme"));

    env.set("XDG_CONFIG_DIRS", temp.path());
    temp.makeFolder(s("Brisols-Programme"));
    given("[Sounds]\r\nRing=klang.wav\r\n", "Brisols-Programme/WIN.INI");
    EXPECT_EQ(ini::read(s("win.ini"), s("sounds"), s("ring")), s("klang.wav"));
    EXPECT_TRUE(ini::write(s("system.ini"), s("A"), s("x"), s("1")));
    EXPECT_EQ(bytes("Brisols-Programme/system.ini"), QByteArray("[A]\r\nx=1\r\n"));
}

TEST_F(IniFileTest, largeFileIsReadAndChangedInPlace)
{
    QByteArray before;
    for (int section = 0; section < 100; ++section) {
        before += "[Abschnitt" + QByteArray::number(section) + "]\r\n";
        for (int key = 0; key < 19; ++key)
            before += "Schluessel" + QByteArray::number(key) + "=Wert " + QByteArray::number(key)
                + "\r\n";
    }
    const QString file = given(before);
    EXPECT_EQ(ini::read(file, s("abschnitt99"), s("schluessel18")), s("Wert 18"));

    EXPECT_TRUE(ini::write(file, s("Abschnitt50"), s("Schluessel7"), s("geändert")));
    QByteArray expected = before;
    const QByteArray old = "[Abschnitt50]\r\nSchluessel0=Wert 0\r\n";
    const qsizetype at = expected.indexOf(old);
    const qsizetype line = expected.indexOf("Schluessel7=Wert 7\r\n", at);
    expected.replace(line, 20, "Schluessel7=ge\xE4ndert\r\n");
    EXPECT_EQ(bytes(), expected);
}

// Another process rewrites the file between two reads, with the same size and the same
// modification time to the nanosecond (as a network share that counts whole seconds shows it):
// by the program's way (a new file renamed over the old one) or in place. The parsed form is
// kept at once here, not only once the file's last change lies back far enough.
TEST_F(IniFileTest, fileRewrittenByAnotherProcessIsReadAnew)
{
    platform::setSettleTimeForTests(0);
    struct Back {
        ~Back() { platform::setSettleTimeForTests(std::nullopt); }
    } back;
    struct Row {
        const char* what;
        const char* shell; // run in the folder; "ref" holds the file's old times
    };
    const std::vector<Row> rows = {
        {"renamed over it", "printf '[Korvanel]\\r\\nx=neu\\r\\n' > neu.tmp && touch -r ref neu.tmp"
                            " && mv neu.tmp Brisol.ini"},
        {"written in place", "printf '[Korvanel]\\r\\nx=neu\\r\\n' 1<> Brisol.ini"
                             " && touch -r ref Brisol.ini"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString file = given("[Korvanel]\r\nx=alt\r\n");
        const QByteArray local = QFile::encodeName(file);
        const timespec hourAgo{time(nullptr) - 3600, 500000000};
        const timespec times[2] = {hourAgo, hourAgo};
        ASSERT_EQ(utimensat(AT_FDCWD, local.constData(), times, 0), 0);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(ini::read(file, s("Korvanel"), s("x")), s("alt"));

        QProcess other;
        other.setWorkingDirectory(temp.path());
        other.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"),
                     QStringLiteral("touch -r Brisol.ini ref && ") + s(row.shell)});
        ASSERT_TRUE(other.waitForFinished());
        ASSERT_EQ(other.exitCode(), 0);
        struct stat after {};
        ASSERT_EQ(stat(local.constData(), &after), 0);
        ASSERT_EQ(after.st_size, 19);
        ASSERT_EQ(after.st_mtim.tv_sec, hourAgo.tv_sec);
        ASSERT_EQ(after.st_mtim.tv_nsec, hourAgo.tv_nsec);

        EXPECT_EQ(ini::read(file, s("Korvanel"), s("x")), s("neu"));
        EXPECT_EQ(ini::sectionNames(file), QStringList{s("Korvanel")});
        // Our own write after the remembered read is seen too.
        ASSERT_TRUE(ini::write(file, s("Korvanel"), s("x"), s("unsere")));
        EXPECT_EQ(ini::read(file, s("Korvanel"), s("x")), s("unsere"));
    }
}

// An INI file that is missing is looked for again and again (an optional side file, at every
// day switch); when another process creates it, in any spelling, the next read finds it, also
// when the folder's modification time is set back to the very same value. Our own first write
// is seen at once too.
TEST_F(IniFileTest, fileMissingAtFirstIsFoundOnceItIsCreated)
{
    platform::setSettleTimeForTests(0);
    struct Back {
        ~Back() { platform::setSettleTimeForTests(std::nullopt); }
    } back;
    struct Row {
        const char* what;
        const char* shell; // run in the folder, empty: written by this process
    };
    const std::vector<Row> rows = {
        {"created by another process", "printf '[Korvanel]\\r\\nx=neu\\r\\n' > Stimmung2024.ini"},
        {"in another spelling", "printf '[Korvanel]\\r\\nx=neu\\r\\n' > STIMMUNG2024.INI"},
        {"written by us", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder own;
        const QString file = own.file(s("Stimmung2024.ini"));
        const QByteArray folder = QFile::encodeName(own.path());
        const timespec hourAgo{time(nullptr) - 3600, 250000000};
        const timespec times[2] = {hourAgo, hourAgo};
        ASSERT_EQ(utimensat(AT_FDCWD, folder.constData(), times, 0), 0);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(ini::read(file, s("Korvanel"), s("x")), std::nullopt);

        if (*row.shell == '\0') {
            ASSERT_TRUE(ini::write(file, s("Korvanel"), s("x"), s("neu")));
        } else {
            QProcess other;
            other.setWorkingDirectory(own.path());
            other.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"),
                         s(row.shell) + QStringLiteral(" && touch -d @%1.25 .")
                                            .arg(static_cast<qint64>(hourAgo.tv_sec))});
            ASSERT_TRUE(other.waitForFinished());
            ASSERT_EQ(other.exitCode(), 0);
            struct stat after {};
            ASSERT_EQ(stat(folder.constData(), &after), 0);
            ASSERT_EQ(after.st_mtim.tv_sec, hourAgo.tv_sec);
            ASSERT_EQ(after.st_mtim.tv_nsec, hourAgo.tv_nsec);
        }
        EXPECT_EQ(ini::read(file, s("Korvanel"), s("x")), s("neu"));
    }
}

// A pipe in place of an INI file is no file: reading it neither waits nor finds a value.
TEST_F(IniFileTest, pipeInPlaceOfTheFileIsNotWaitedFor)
{
    const QString file = temp.file(s("Brisol.ini"));
    ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    EXPECT_EQ(ini::read(file, s("Korvanel"), s("x")), std::nullopt);
    EXPECT_TRUE(ini::sectionNames(file).isEmpty());
}

} // namespace
