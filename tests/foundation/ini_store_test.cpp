#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "runtime/error.h"
#include "support/qt_print.h"
#include "support/temp_settings.h"

#include <QDir>
#include <gtest/gtest.h>

using foundation::IniLesen;
using foundation::IniLesenVorgabe;
using foundation::IniSchreiben;
using foundation::IniZaehlen;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class IniStore : public ::testing::Test {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }

    // Test.ini in the settings folder: a bare name that no program file uses.
    QByteArray testIni() const { return folders.settingsFile(s("Test.ini")); }

    TempSettingsFolders folders;
};

TEST_F(IniStore, emptyFileSectionAndKeyMeanNoKeyInTheProgramSectionOfBrisolIni)
{
    EXPECT_EQ(IniLesen(QString(), QString(), QString(), s("x")), s("x"));

    IniSchreiben(QString(), QString(), s("  "), s("gesetzt"));
    EXPECT_EQ(IniLesen(s("brisol"), s("Korvanel"), s("NoKey"), s("x")), s("gesetzt"));
    EXPECT_TRUE(folders.settingsFile(s("Brisol.ini")).contains("[Korvanel]\r\n"));
    EXPECT_TRUE(folders.settingsFile(s("Brisol.ini")).contains("\r\nNoKey=gesetzt\r\n"));
}

TEST_F(IniStore, fileNamesResolveToTheSettingsFolderOrTheSystemDefaults)
{
    folders.temp().makeFolder(s("xdg/Brisols-Programme"));
    folders.temp().makeFolder(s("andere"));
    struct Row {
        QString file;
        QString whereRelative; // below the temporary folder, exact spelling on disk
    };
    const Row rows[] = {
        {s("bris_prn"), s("config/Brisols-Programme/bris_prn.ini")},
        {s("  Test.ini  "), s("config/Brisols-Programme/Test.ini")},
        {s("WIN.INI"), s("xdg/Brisols-Programme/WIN.INI")},
        {s("system"), s("xdg/Brisols-Programme/system.ini")},
        {s("Feiertag.dci"), s("config/Brisols-Programme/Feiertag.dci")},
        {s("Keys.txt"), s("config/Brisols-Programme/Keys.txt")},
        {s("Seite.html"), s("config/Brisols-Programme/Seite.html.ini")},
        {s("ab"), s("config/Brisols-Programme/ab.ini")},
        {s(".x"), s("config/Brisols-Programme/.x")},
        {folders.temp().file(s("andere/Brisol.ini")), s("andere/Brisol.ini")},
        {folders.temp().file(s("andere\\Mit Umweg.ini")).replace(u'/', u'\\'),
         s("andere/Mit Umweg.ini")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file.toStdString());
        EXPECT_EQ(IniSchreiben(row.file, s("S"), s("k"), s("v")), s("v"));
        EXPECT_EQ(folders.temp().read(row.whereRelative), QByteArray("[S]\r\nk=v\r\n"));
        EXPECT_EQ(IniLesen(row.file, s("s"), s("K")), s("v"));
    }
}

TEST_F(IniStore, anySpellingOfFileSectionAndKeyNamesTheSameValue)
{
    folders.writeSettingsFile(s("Brisol.ini"), "[Fenster]\r\nForm_H\xF6he=500\r\n");
    IniSchreiben(s("BRISOL.INI"), s("FENSTER"), s("FORM_HÖHE"), s("600"));
    IniSchreiben(s("brisol"), s("fenster"), s("neu"), s("1"));

    EXPECT_EQ(IniLesen(s("Brisol.ini"), s("Fenster"), s("form_höhe")), s("600"));
    EXPECT_EQ(IniLesen(s("bRiSoL.iNi"), s("FeNsTeR"), s("NEU")), s("1"));
    EXPECT_EQ(QDir(folders.settingsFolder()).entryList(QDir::Files), QStringList{s("Brisol.ini")});
    EXPECT_TRUE(folders.settingsFile(s("Brisol.ini"))
                    .startsWith("[Fenster]\r\nForm_H\xF6he=600\r\nneu=1\r\n"));
}

TEST_F(IniStore, writeStoresLineBreaksAndQuotesOnOneLineAndKeepsTheRestOfTheFile)
{
    folders.writeSettingsFile(s("Test.ini"),
                              "; Notiz\n[Sektion]\nalt = 1 \n\nfremd ohne Zuweisung\n");
    const QString stored =
        IniSchreiben(s("Test"), s("Sektion"), s("Zitat"), s("  Er sagte \"Hallo\"\r\nZeile 2  "));

    EXPECT_EQ(stored, s("Er sagte “Hallo“**Zeile 2"));
    EXPECT_EQ(testIni(), QByteArray("; Notiz\n[Sektion]\nalt = 1 \n"
                                    "Zitat=Er sagte \x93Hallo\x93**Zeile 2\r\n"
                                    "\nfremd ohne Zuweisung\n"));
    EXPECT_EQ(IniLesen(s("Test"), s("Sektion"), s("Zitat")), s("Er sagte \"Hallo\"\r\nZeile 2"));
    EXPECT_EQ(IniLesen(s("Test"), s("Sektion"), s("alt")), s("1"));
}

TEST_F(IniStore, loneCarriageReturnsAndLineFeedsAreStoredAsLineBreaks)
{
    struct Row {
        const char* name;
        QString value;
        QString stored;
        QString readBack;
    };
    const Row rows[] = {
        {"lone line feed", s("a\nb"), s("a**b"), s("a\r\nb")},
        {"lone carriage return", s("a\rb"), s("a**b"), s("a\r\nb")},
        {"carriage return before a pair", s("a\r\r\nb"), s("a****b"), s("a\r\n\r\nb")},
        {"line feed before carriage return", s("a\n\rb"), s("a****b"), s("a\r\n\r\nb")},
        {"line break at the end", s("a\n"), s("a**"), s("a\r\n")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IniSchreiben(s("Test"), s("S"), s("k"), row.value), row.stored);
        EXPECT_EQ(testIni(), QByteArray("[S]\r\nk=") + row.stored.toLatin1() + "\r\n");
        EXPECT_EQ(IniLesen(s("Test"), s("S"), s("k")), row.readBack);
    }
}

TEST_F(IniStore, readRestoresStoredFormsAndCutsAt998Characters)
{
    const QByteArray lang(1200, 'x');
    folders.writeSettingsFile(s("Test.ini"), "[S]\r\n"
                                             "sterne=a***b\r\n"
                                             "getippt=\x93zitiert\x93\r\n"
                                             "umbruch=a**b**\r\n"
                                             "leer=\r\n"
                                             "blanks=  innen  bleibt  \r\n"
                                             "lang=" + lang + "\r\n");
    struct Row {
        const char* key;
        QString defaultValue;
        QString expected;
    };
    const Row rows[] = {
        {"sterne", {}, s("a\r\n*b")},
        {"getippt", {}, s("\"zitiert\"")},
        {"umbruch", {}, s("a\r\nb\r\n")},
        {"leer", s("vorgabe"), QString()},
        {"blanks", {}, s("innen  bleibt")},
        {"lang", {}, QString(998, u'x')},
        {"fehlt", s(" a\r\nb  "), s(" a\r\nb")},
        {"fehlt", QString(1000, u'y'), QString(998, u'y')},
        {"fehlt", s("Vorgabe mit “Zeichen”"), s("Vorgabe mit \"Zeichen”")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(IniLesen(s("Test"), s("S"), s(row.key), row.defaultValue), row.expected);
    }
    EXPECT_EQ(IniLesen(s("Fehlt.ini"), s("S"), s("k"), s("d")), s("d"));
    EXPECT_FALSE(folders.temp().exists(s("config/Brisols-Programme/Fehlt.ini")));
}

TEST_F(IniStore, cutAt998CharactersNeverSplitsACharacterBeyondTheBmp)
{
    const QString emoji = s("\U0001F600"); // two UTF-16 units
    struct Row {
        const char* name;
        QString stored;
        QString read;
    };
    const Row rows[] = {
        {"halbes Zeichen am Schnitt", QString(997, u'x') + emoji + s("yz"), QString(997, u'x')},
        {"ganzes Zeichen vor dem Schnitt", QString(996, u'x') + emoji + s("yz"),
         QString(996, u'x') + emoji},
        {"Zeichen hinter dem Schnitt", QString(998, u'x') + emoji, QString(998, u'x')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        folders.writeSettingsFile(s("Test.ini"), "\xEF\xBB\xBF[S]\r\nk=" + row.stored.toUtf8() + "\r\n");
        const QString read = IniLesen(s("Test"), s("S"), s("k"));
        EXPECT_EQ(read, row.read);
        // Written back, the value stays as it was read: no character turns into "?".
        IniSchreiben(s("Test"), s("S"), s("zurueck"), read);
        EXPECT_EQ(IniLesen(s("Test"), s("S"), s("zurueck")), row.read);
    }
}

TEST_F(IniStore, textOutsideWindows1252TurnsTheFileIntoUtf8)
{
    folders.writeSettingsFile(s("Test.ini"), "[S]\r\nalt=M\xE4rz\r\n");
    EXPECT_EQ(IniSchreiben(s("Test"), s("S"), s("Ort"), s("Győr")), s("Győr"));
    EXPECT_EQ(testIni(), QByteArray("\xEF\xBB\xBF[S]\r\nalt=M\xC3\xA4rz\r\nOrt=Gy\xC5\x91r\r\n"));
    EXPECT_EQ(IniLesen(s("Test"), s("S"), s("ort")), s("Győr"));
    EXPECT_EQ(IniLesen(s("Test"), s("S"), s("alt")), s("März"));
}

TEST_F(IniStore, theStoredFormIsWhatAReadGivesBackAfterAWrite)
{
    struct Row {
        const char* name;
        QString value;
        QString stored; // as a read gives it back
    };
    const Row rows[] = {
        {"plain", s("Anna Berg"), s("Anna Berg")},
        {"blanks around, blanks inside", s("  anna  berg  "), s("anna  berg")},
        {"German quotes", s("Anna „Nanni“ Berg"), s("Anna „Nanni\" Berg")},
        {"double quotes round the whole value", s("\"Anna\""), s("\"Anna\"")},
        {"stars", s("Anna**Berg"), s("Anna\r\nBerg")},
        {"three stars", s("a***b"), s("a\r\n*b")},
        {"lone line feed and carriage return", s("a\nb\rc"), s("a\r\nb\r\nc")},
        {"tab kept", s("Anna\t"), s("Anna\t")},
        {"umlauts and a character outside Windows-1252", s("Jürgen Ößwald Győr"),
         s("Jürgen Ößwald Győr")},
        {"only blanks", s("   "), QString()},
        {"longer than the read limit", QString(1200, u'x'), QString(998, u'x')},
        {"a character of two units across the read limit",
         QString(997, u'x') + QString::fromUtf8("\xF0\x9F\x98\x80 und mehr"), QString(997, u'x')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(foundation::IniGespeicherteForm(row.value), row.stored);
        IniSchreiben(s("Test"), s("S"), s("k"), row.value);
        EXPECT_EQ(IniLesen(s("Test"), s("S"), s("k")), row.stored);
        // Stored once more, the stored form stays as it is.
        EXPECT_EQ(foundation::IniGespeicherteForm(row.stored), row.stored);
    }
}

TEST_F(IniStore, defaultIsStoredOnFirstUseAndReturnedInItsStoredForm)
{
    folders.writeSettingsFile(s("Test.ini"), "[S]\r\nleer=\r\nda=schon\r\n");
    struct Row {
        const char* key;
        QString defaultValue;
        QString first;
        QString second;
    };
    const Row rows[] = {
        {"fehlt", s(" Zeile 1\r\n\"Zeile 2\" "), s("Zeile 1**“Zeile 2“"),
         s("Zeile 1\r\n\"Zeile 2\"")},
        {"leer", s("v"), s("v"), s("v")},
        {"da", s("v"), s("schon"), s("schon")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(IniLesenVorgabe(s("Test"), s("S"), s(row.key), row.defaultValue), row.first);
        EXPECT_EQ(IniLesenVorgabe(s("Test"), s("S"), s(row.key), s("anders")), row.second);
    }
    EXPECT_EQ(testIni(),
              QByteArray("[S]\r\nleer=v\r\nda=schon\r\nfehlt=Zeile 1**\x93Zeile 2\x93\r\n"));
}

TEST_F(IniStore, countReadsGermanNumbersAndStoresWholeNumbers)
{
    struct Row {
        const char* name;
        const char* stored; // nullptr: key missing
        double step;
        double result;
        const char* storedAfter;
    };
    const Row rows[] = {
        {"missing key", nullptr, 1, 1, "1"},
        {"fraction step", "2", 0.6, 2.6, "3"},
        {"German decimal comma", "2,6", 0, 2.6, "3"},
        {"grouping dot", "1.000", 1, 1001, "1001"},
        {"negative", "-2,5", 0, -2.5, "-3"},
        {"not a number", "abc", 1, 1, "1"},
        {"empty value", "", 5, 5, "5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray before =
            row.stored ? QByteArray("[S]\r\nn=") + row.stored + "\r\n" : QByteArray("[S]\r\n");
        folders.writeSettingsFile(s("Test.ini"), before);
        EXPECT_DOUBLE_EQ(IniZaehlen(s("Test"), s("S"), s("n"), row.step), row.result);
        EXPECT_EQ(testIni(), QByteArray("[S]\r\nn=") + row.storedAfter + "\r\n");
    }
}

TEST_F(IniStore, refusedWriteIsLostQuietlyAndLeavesTheErrorRecord)
{
    rt::raiseError(rt::ErrFileNotFound);
    const QString nowhere = folders.temp().file(s("fehlt/Ordner/x.ini"));
    EXPECT_EQ(IniSchreiben(nowhere, s("S"), s("k"), s("v")), s("v"));
    EXPECT_EQ(rt::Err().number, rt::ErrFileNotFound);
    EXPECT_FALSE(folders.temp().exists(s("fehlt")));
    EXPECT_EQ(IniLesen(nowhere, s("S"), s("k"), s("d")), s("d"));
}

TEST_F(IniStore, firstAccessDeterminesTheFolders)
{
    EXPECT_TRUE(foundation::ordnerSub.isEmpty());
    IniLesen(s("Test"), s("S"), s("k"));
    EXPECT_EQ(foundation::ordnerSub, folders.settingsFolder());
    EXPECT_EQ(foundation::ordnerDat, folders.programFolder());
}

} // namespace
