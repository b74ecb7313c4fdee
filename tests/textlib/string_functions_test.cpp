#include "textlib/string_functions.h"

#include "foundation/ini_store.h"
#include "platform/text_box.h"
#include "runtime/codec.h"
#include "runtime/error.h"

#include "support/fake_dialogs.h"
#include "support/fake_keyboard.h"
#include "support/fake_mouse_pointer.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <iconv.h>

using namespace textlib;

namespace {

const QString crLf = QStringLiteral("\r\n");

// The UTF-8 bytes of text read back as Windows-1252, as a program without UTF-8 support saw them.
QString readAsAnsi(const QString& text)
{
    return rt::fromAnsi(text.toUtf8());
}

} // namespace

TEST(Utf8Korrigieren, repairsTheGermanLettersAndLeavesTheRest)
{
    struct Case {
        const char* name;
        QString text, expected;
    } cases[] = {
        {"pair inside a word", u"M"_qs + readAsAnsi(u"ä"_qs) + u"dchen"_qs, u"Mädchen"_qs},
        {"all eight", readAsAnsi(u"üÜäÄöÖßé"_qs), u"üÜäÄöÖßé"_qs},
        {"capitals whose second byte lies in 0x80-0x9F", readAsAnsi(u"ÜBER ÄRGER ÖL"_qs),
         u"ÜBER ÄRGER ÖL"_qs},
        {"correct umlaut stays", u"Käse"_qs, u"Käse"_qs},
        {"Ã before another character stays", u"Ãx Ã"_qs, u"Ãx Ã"_qs},
        {"other characters are not repaired", readAsAnsi(u"à"_qs), readAsAnsi(u"à"_qs)},
        {"empty", u""_qs, u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8Korrigieren(c.text), c.expected);
    }
}

TEST(HtmlNachText, givesPlainText)
{
    struct Case {
        const char* name;
        QString html;
        bool tagsRemoved;
        QString expected;
    } cases[] = {
        {"paragraph and ampersand", u"<p>a&amp;b</p>"_qs, false, u"a&b"_qs},
        {"br is a line break", u"x<br>y"_qs, false, u"x\r\ny"_qs},
        {"br in capitals", u"x<BR>y"_qs, false, u"x\r\ny"_qs},
        {"line breaks of the page go", u"a\r\nb\nc\rd"_qs, false, u"abcd"_qs},
        {"entity names in any case", u"&Auml;rger"_qs, false, u"ärger"_qs},
        {"amp is decoded last", u"&amp;auml;"_qs, false, u"&auml;"_qs},
        {"all decoded entities", u"&nbsp;&gt;&ouml;&uuml;&szlig;&quot;"_qs, false, u" >öüß\""_qs},
        {"less-than entity stays", u"&lt;b"_qs, false, u"&lt;b"_qs},
        {"unclosed tag drops the rest", u"ab<c d e"_qs, false, u"ab"_qs},
        {"greater-than outside tags goes", u"a>b"_qs, false, u"ab"_qs},
        {"greater-than goes with tags removed", u"a>b"_qs, true, u"ab"_qs},
        {"tags kept when said to be removed", u"<p>a</p>"_qs, true, u"<pa</p"_qs},
        {"line breaks kept when tags are removed", u"a\r\nb"_qs, true, u"a\r\nb"_qs},
        {"two to four blanks become one", u"a  b    c"_qs, false, u"a b c"_qs},
        {"five blanks become two", u"a     b"_qs, false, u"a  b"_qs},
        {"nbsp run collapses too", u"a&nbsp;&nbsp;&nbsp;b"_qs, false, u"a b"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HtmlNachText(c.html, c.tagsRemoved), c.expected);
    }
}

TEST(TeiltextZaehlen, countsOverlappingHitsWithoutRegardToCase)
{
    struct Case {
        QString text, part;
        qint32 count;
    } cases[] = {
        {u"aaa"_qs, u"aa"_qs, 2},
        {u"Abc abc"_qs, u"ABC"_qs, 2},
        {u"<a><b>c"_qs, u"<"_qs, 2},
        {u"ÄÄ ää"_qs, u"ä"_qs, 4},
        {u"abc"_qs, u"x"_qs, 0},
        {u""_qs, u"a"_qs, 0},
        {u"abc"_qs, u""_qs, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.part.toStdString());
        EXPECT_EQ(TeiltextZaehlen(c.text, c.part), c.count);
    }
}

TEST(EndungEntfernen, cutsEveryRepetitionOfTheSuffix)
{
    struct Case {
        QString text, suffix, expected;
    } cases[] = {
        {u"a, b, , "_qs, u", "_qs, u"a, b"_qs},
        {u"a, b,"_qs, u", "_qs, u"a, b,"_qs},
        {u"Bild.JPG"_qs, u".jpg"_qs, u"Bild"_qs},
        {u", , "_qs, u", "_qs, u""_qs},
        {u""_qs, u", "_qs, u""_qs},
        {u"abc"_qs, u""_qs, u"abc"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(EndungEntfernen(c.text, c.suffix), c.expected);
    }
}

TEST(AusserhalbZitatErsetzen, protectsCharactersInsideQuotes)
{
    const QString one(QChar(1));
    struct Case {
        const char* name;
        QString text, quote, characters, replacement, expected;
    } cases[] = {
        {"search expression", u"\"guten tag\" welt"_qs, u""_qs, u" "_qs, one,
         u"guten"_qs + one + u"tag welt"_qs},
        {"unclosed quote protects to the end", u"a \"b c d"_qs, u""_qs, u" "_qs, one,
         u"a b"_qs + one + u"c"_qs + one + u"d"_qs},
        {"two quoted phrases", u"\"a b\" c \"d e\""_qs, u""_qs, u" "_qs, u"_"_qs, u"a_b c d_e"_qs},
        {"defaults: blank by blank", u"\"a b\" c"_qs, u""_qs, u""_qs, u""_qs, u"a b c"_qs},
        {"longer quote counts by its first character", u"'a b' c"_qs, u"'x"_qs, u" "_qs, u"+-"_qs,
         u"a+b c"_qs},
        {"letters compared without regard to case", u"xAbAx a"_qs, u"X"_qs, u"a"_qs, u"_"_qs,
         u"_b_ a"_qs},
        {"short text keeps its quotes", u"\"a"_qs, u""_qs, u" "_qs, one, u"\"a"_qs},
        {"three characters are enough", u"\" \""_qs, u""_qs, u" "_qs, one, one},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AusserhalbZitatErsetzen(c.text, c.quote, c.characters, c.replacement),
                  c.expected);
    }
}

TEST(LeerzeilenBereinigen, leavesAtMostOneEmptyLine)
{
    struct Case {
        const char* name;
        QString text, expected;
    } cases[] = {
        {"five breaks become two", u"a"_qs + crLf.repeated(5) + u"b"_qs,
         u"a"_qs + crLf.repeated(2) + u"b"_qs},
        {"three become two", u"a"_qs + crLf.repeated(3) + u"b"_qs,
         u"a"_qs + crLf.repeated(2) + u"b"_qs},
        {"long run", u"a"_qs + crLf.repeated(100) + u"b"_qs, u"a"_qs + crLf.repeated(2) + u"b"_qs},
        {"single breaks stay", u"a\r\nb\r\nc"_qs, u"a\r\nb\r\nc"_qs},
        {"edges go", u"\n\r\n\r\na\r\n\r\n\r"_qs, u"a"_qs},
        {"only breaks", crLf.repeated(4), u""_qs},
        {"empty", u""_qs, u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LeerzeilenBereinigen(c.text), c.expected);
    }
}

TEST(ZeilenendenAngleichen, putsALineFeedBehindEveryCarriageReturn)
{
    EXPECT_EQ(ZeilenendenAngleichen(u"a\rb\r"_qs), u"a\r\nb\r\n"_qs);
    EXPECT_EQ(ZeilenendenAngleichen(u"\r"_qs), u"\r\n"_qs);
    EXPECT_EQ(ZeilenendenAngleichen(u"\r\n"_qs), u"\r\n\n"_qs);
    EXPECT_EQ(ZeilenendenAngleichen(u"a\nb"_qs), u"a\nb"_qs);
}

TEST(OemNachAnsi, matchesTheSystemTableOfCodePage850)
{
    iconv_t converter = iconv_open("UTF-8", "CP850");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "the C library has no CP850 converter";
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        char in[1] = {static_cast<char>(byte)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        ASSERT_NE(iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft),
                  static_cast<std::size_t>(-1));
        const QString expected = QString::fromUtf8(out, static_cast<qsizetype>(outPtr - out));
        EXPECT_EQ(OemNachAnsi(rt::fromAnsi(QByteArray(1, static_cast<char>(byte)))), expected);
    }
    iconv_close(converter);
}

TEST(OemNachAnsi, convertsDosUmlautsAndKeepsTheLength)
{
    // "Größe Übermaß" as a DOS editor stored it, read as Windows-1252.
    const QString dos = rt::fromAnsi(QByteArray("Gr\x94\xE1" "e \x9A" "berma\xE1"));
    EXPECT_EQ(OemNachAnsi(dos), u"Größe Übermaß"_qs);
    EXPECT_EQ(OemNachAnsi(dos).size(), dos.size());
    // A character without a Windows-1252 byte is not DOS text and stays.
    EXPECT_EQ(OemNachAnsi(u"a\u2603b"_qs), u"a\u2603b"_qs);
}

TEST(LinksUndRechtsKuerzen, removeCharactersOfTheSetAtOneEnd)
{
    EXPECT_EQ(LinksKuerzen(u"\\\\/pfad\\"_qs, u"\\/"_qs), u"pfad\\"_qs);
    EXPECT_EQ(RechtsKuerzen(u"/home/anna\\\\"_qs, u"\\"_qs), u"/home/anna"_qs);
    EXPECT_EQ(LinksKuerzen(u"aAb"_qs, u"a"_qs), u"Ab"_qs);
    EXPECT_EQ(RechtsKuerzen(u"bAa"_qs, u"a"_qs), u"bA"_qs);
    EXPECT_EQ(LinksKuerzen(u"xxx"_qs, u"x"_qs), u""_qs);
    EXPECT_EQ(RechtsKuerzen(u"xxx"_qs, u"x"_qs), u""_qs);
    EXPECT_EQ(LinksKuerzen(u" a "_qs, u""_qs), u" a "_qs);
    EXPECT_EQ(RechtsKuerzen(u" a "_qs, u""_qs), u" a "_qs);
}

TEST(AbschnittEntfernen, removesTheFirstSectionWithItsMarkers)
{
    struct Case {
        const char* name;
        QString text, start, end, expected;
    } cases[] = {
        {"tag", u"a<b>c"_qs, u"<"_qs, u">"_qs, u"ac"_qs},
        {"only the first section", u"<a>b<c>d"_qs, u"<"_qs, u">"_qs, u"b<c>d"_qs},
        {"end marker missing", u"a<bc"_qs, u"<"_qs, u">"_qs, u"a<bc"_qs},
        {"start marker missing", u"ab>c"_qs, u"<"_qs, u">"_qs, u"ab>c"_qs},
        {"end marker only before the start", u">a<b"_qs, u"<"_qs, u">"_qs, u">a<b"_qs},
        {"markers without regard to case", u"x/*KOMMENTAR*/y"_qs, u"/*"_qs, u"*/"_qs, u"xy"_qs},
        {"word markers", u"Anfang START weg ENDE Schluss"_qs, u"start"_qs, u"ende"_qs,
         u"Anfang  Schluss"_qs},
        {"empty text", u""_qs, u"<"_qs, u">"_qs, u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AbschnittEntfernen(c.text, c.start, c.end), c.expected);
    }
}

TEST(TextZwischen, takesTheTextBetweenTheMarkers)
{
    struct Case {
        const char* name;
        QString text, start, end, expected;
    } cases[] = {
        {"empty end marker ends at the line break", u"Name=Wert\r\nx"_qs, u"name="_qs, u""_qs,
         u"Wert"_qs},
        {"empty end marker, line feed only", u"Name=Wert\nx"_qs, u"name="_qs, u""_qs, u"Wert"_qs},
        {"empty end marker, last line", u"Name=Wert"_qs, u"name="_qs, u""_qs, u"Wert"_qs},
        {"empty pair", u"[]x]"_qs, u"["_qs, u"]"_qs, u""_qs},
        {"variable name", u"in [Ort] und [Zeit]"_qs, u"["_qs, u"]"_qs, u"Ort"_qs},
        {"end marker missing: to the end", u"a [Ort"_qs, u"["_qs, u"]"_qs, u"Ort"_qs},
        {"end marker searched behind the start marker", u"]a[b]c"_qs, u"["_qs, u"]"_qs, u"b"_qs},
        {"start marker missing", u"abc"_qs, u"x"_qs, u"c"_qs, u""_qs},
        {"empty start marker", u"abc"_qs, u""_qs, u"c"_qs, u""_qs},
        {"empty text", u""_qs, u"a"_qs, u"b"_qs, u""_qs},
        {"markers without regard to case", u"<TITLE>Tagebuch</title>"_qs, u"<title>"_qs,
         u"</TITLE>"_qs, u"Tagebuch"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextZwischen(c.text, c.start, c.end), c.expected);
    }
}

TEST(ErstesWort, endsAtTheFirstDelimiter)
{
    struct Case {
        QString text, delimiters, expected;
    } cases[] = {
        {u"Hallo, Welt"_qs, u""_qs, u"Hallo"_qs},
        {u" Hallo"_qs, u""_qs, u""_qs},
        {u"Wort"_qs, u""_qs, u"Wort"_qs},
        {u""_qs, u""_qs, u""_qs},
        {u"a\tb"_qs, u""_qs, u"a"_qs},
        {u"a_b"_qs, u""_qs, u"a"_qs},
        {u"Tag[1]"_qs, u""_qs, u"Tag"_qs},
        {u"Hallo, Welt"_qs, u";"_qs, u"Hallo, Welt"_qs},
        {u"abXcd"_qs, u"x"_qs, u"ab"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(ErstesWort(c.text, c.delimiters), c.expected);
    }
}

TEST(ZitatBereich, findsTheQuotedStringAroundTheCaret)
{
    const QString line = u"er sagte \"hallo\" heute"_qs; // the quotes at positions 10 and 16
    struct Case {
        const char* name;
        QString text;
        int selStart;
        std::optional<Auswahl> expected;
    } cases[] = {
        {"caret inside the word", line, 12, Auswahl{10, 5}},
        {"caret behind the opening quote", line, 10, Auswahl{10, 5}},
        {"caret before the opening quote", line, 9, Auswahl{10, 5}},
        {"caret before the closing quote", line, 15, std::nullopt},
        {"caret before the closing quote, a further quote follows", u"\"ab\" x\"y"_qs, 3,
         Auswahl{4, 2}},
        {"no quotes", u"ohne Anführung"_qs, 3, std::nullopt},
        {"quote on the line before", u"\"a\r\nb c\" d"_qs, 5, std::nullopt},
        {"closing quote on the next line", u"x \"a b\r\nc\""_qs, 4, std::nullopt},
        {"second line", u"x\r\nsie \"rief\" laut"_qs, 8, Auswahl{8, 4}},
        {"line feed ends a line too", u"\"a\nb\" c"_qs, 2, std::nullopt},
        {"caret at the end", u"\"ab\""_qs, 4, std::nullopt},
        {"empty text", u""_qs, 0, std::nullopt},
        {"empty quotes", u"a \"\" b"_qs, 2, Auswahl{3, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ZitatBereich(c.text, c.selStart), c.expected);
    }
}

TEST(TextErsetzenExakt, replacesEveryExactOccurrence)
{
    struct Case {
        QString text, find, replacement, expected;
    } cases[] = {
        {u"aXa"_qs, u"a"_qs, u"b"_qs, u"bXb"_qs},
        {u"a"_qs, u"a"_qs, u"b"_qs, u"b"_qs},
        {u"aa"_qs, u"a"_qs, u"aa"_qs, u"aaaa"_qs},
        {u"aA"_qs, u"a"_qs, u"b"_qs, u"bA"_qs},
        {u"abab"_qs, u"ab"_qs, u""_qs, u""_qs},
        {u""_qs, u"a"_qs, u"b"_qs, u""_qs},
        {u"abc"_qs, u""_qs, u"x"_qs, u"abc"_qs},
        {u"ab"_qs, u"abc"_qs, u"x"_qs, u"ab"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.find.toStdString());
        EXPECT_EQ(TextErsetzenExakt(c.text, c.find, c.replacement), c.expected);
    }
}

TEST(ZeichenFiltern, keepsTheAllowedCharacters)
{
    struct Case {
        QString text, allowed, expected;
    } cases[] = {
        {u"Tel. 040-12"_qs, u"#0"_qs, u"04012"_qs},
        {u"Ä-b (c)"_qs, u"#abc-"_qs, u"Ä-b(c)"_qs},
        {u"Ä-b (c)_é"_qs, u"#abc"_qs, u"Äbc"_qs},
        {u"#ABC abc"_qs, u"#ABC"_qs, u"#ABC"_qs},
        {u"1.234,56 DM"_qs, u"0123456789,."_qs, u"1.234,56"_qs},
        {u"abc"_qs, u""_qs, u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.allowed.toStdString());
        EXPECT_EQ(ZeichenFiltern(c.text, c.allowed), c.expected);
    }
}

TEST(LeerraumBereinigen, trimsEveryLine)
{
    struct Case {
        const char* name;
        QString text, expected;
    } cases[] = {
        {"three blanks at an inner line start", u"a\r\n   b"_qs, u"a\r\nb"_qs},
        {"eleven blanks leave one", u"a\r\n"_qs + QString(11, u' ') + u"b"_qs, u"a\r\n b"_qs},
        {"ten blanks go", u"a\r\n"_qs + QString(10, u' ') + u"b"_qs, u"a\r\nb"_qs},
        {"blanks at line ends", u"a   \r\nb  \r\nc"_qs, u"a\r\nb\r\nc"_qs},
        {"edges of the whole text", u" \r\n  a b  \r\n "_qs, u"a b"_qs},
        {"tabs stay", u"\ta\t\r\n\tb"_qs, u"\ta\t\r\n\tb"_qs},
        {"blanks inside a line stay", u"a   b"_qs, u"a   b"_qs},
        {"empty lines stay", u"a\r\n  \r\nb"_qs, u"a\r\n\r\nb"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LeerraumBereinigen(c.text), c.expected);
    }
}

TEST(ZeilenumbruchKuerzen, removesLineBreaksAtTheEnds)
{
    EXPECT_EQ(ZeilenumbruchKuerzen(u"\r\n\na b\r\n\r"_qs), u"a b"_qs);
    EXPECT_EQ(ZeilenumbruchKuerzen(u"\r\n\na b\r\n\r"_qs, true), u"\r\n\na b"_qs);
    EXPECT_EQ(ZeilenumbruchKuerzen(u" a \r\n"_qs), u" a "_qs);
    EXPECT_EQ(ZeilenumbruchKuerzen(u"a\r\nb"_qs), u"a\r\nb"_qs);
    EXPECT_EQ(ZeilenumbruchKuerzen(u"\r\n\r\n"_qs), u""_qs);
    EXPECT_EQ(ZeilenumbruchKuerzen(u""_qs), u""_qs);
}

TEST(DateiEinlesen, givesTheWholeFileAsItStands)
{
    TempFolder temp;
    temp.write(u"ansi.txt"_qs, QByteArray("Gr\xFC\xDF" "e\r\nzwei\ndrei\rvier\r\n"));
    temp.write(u"utf8.txt"_qs, QByteArray("\xEF\xBB\xBF" "\xE2\x82\xAC 5\r\n"));
    temp.write(u"leer.txt"_qs, QByteArray());
    struct Case {
        const char* name;
        QString path;
        QString expected;
    } cases[] = {
        {"Windows-1252, line ends kept", temp.file(u"ansi.txt"_qs),
         u"Grüße\r\nzwei\ndrei\rvier\r\n"_qs},
        {"UTF-8 with byte-order mark", temp.file(u"utf8.txt"_qs), u"€ 5\r\n"_qs},
        {"name in another case", temp.file(u"ANSI.TXT"_qs), u"Grüße\r\nzwei\ndrei\rvier\r\n"_qs},
        {"empty file", temp.file(u"leer.txt"_qs), u""_qs},
        {"missing file", temp.file(u"fehlt.txt"_qs), u""_qs},
        {"folder", temp.path(), u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DateiEinlesen(c.path), std::optional<QString>(c.expected));
    }
}

TEST(DateiEinlesen, fileThatCannotBeReadIsAFailureNotAnEmptyText)
{
    // The memory file of the process exists and opens, but reading at its start fails.
    rt::clearError();
    EXPECT_EQ(DateiEinlesen(u"/proc/self/mem"_qs), std::nullopt);
    EXPECT_EQ(rt::Err().number, rt::ErrDeviceIO);

    if (runningAsRoot())
        GTEST_SKIP() << "the super-user reads every file";
    TempFolder temp;
    temp.write(u"Geheim.txt"_qs, "Inhalt");
    PermissionGuard guard(temp.file(u"Geheim.txt"_qs));
    temp.setPermissions(u"Geheim.txt"_qs, QFileDevice::WriteOwner);
    rt::clearError();
    EXPECT_EQ(DateiEinlesen(temp.file(u"geheim.txt"_qs)), std::nullopt);
    EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
}

TEST(DateiEinlesen, showsTheHourglassWhileItReads)
{
    TempFolder temp;
    temp.write(u"a.txt"_qs, QByteArray("a"));
    FakeMousePointer pointer;
    ScopedService guard(platform::setMousePointer, &pointer);
    pointer.set(platform::vbIbeam);
    EXPECT_EQ(DateiEinlesen(temp.file(u"a.txt"_qs)), std::optional<QString>(u"a"_qs));
    EXPECT_EQ(pointer.history(),
              (std::vector<int>{platform::vbIbeam, platform::vbHourglass, platform::vbIbeam}));
}

namespace {

// The program settings in a folder of their own, scripted dialogs and keys.
class InEuroUmrechnenTest : public ::testing::Test {
protected:
    void storeRate(const QString& rate)
    {
        foundation::IniSchreiben(QString(), u"Allgemein"_qs, u"Währung2Euro"_qs, rate);
    }
    QString storedRate()
    {
        return foundation::IniLesen(QString(), u"Allgemein"_qs, u"Währung2Euro"_qs, u"?"_qs);
    }

    TempSettingsFolders folders;
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    FakeKeyboard keys;
    ScopedService<platform::Keyboard> keysGuard{platform::setKeyboard, &keys};
};

} // namespace

TEST_F(InEuroUmrechnenTest, convertsGermanAmountsWithTheStoredRate)
{
    storeRate(u"1.95583"_qs);
    struct Case {
        const char* name;
        QString text;
        bool shift;
        QString expected;
    } cases[] = {
        {"amount in DM", u"100,00 DM"_qs, false, u"51,13 €"_qs},
        {"Shift adds the text", u"  100,00 DM "_qs, true, u"51,13 € (100,00 DM)"_qs},
        {"grouping dots", u"1.234,56 DM"_qs, false, u"631,22 €"_qs},
        {"grouping without decimals", u"DM 1.000"_qs, false, u"511,29 €"_qs},
        {"large amount keeps its cents", u"1.234.567,89"_qs, false, u"631224,54 €"_qs},
        {"zero", u"0 DM"_qs, false, u"0,00 €"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keys.hold(c.shift ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(InEuroUmrechnen(c.text), c.expected);
    }
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_EQ(storedRate(), u"1.95583"_qs);
}

TEST_F(InEuroUmrechnenTest, asksForAMissingRateAndStoresIt)
{
    dialogs.expectInputBox(u"1,95583"_qs, u"Umrechnungs-Quotienten"_qs);
    EXPECT_EQ(InEuroUmrechnen(u"100,00 DM"_qs), u"51,13 €"_qs);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, u"Umrechnung in Euro"_qs);
    EXPECT_EQ(dialogs.calls()[0].text, u"Bitte den Umrechnungs-Quotienten für Euro festlegen."_qs);
    EXPECT_EQ(dialogs.calls()[0].defaultText, u"1.95583"_qs);
    EXPECT_EQ(storedRate(), u"1.95583"_qs);
    // Stored, it is not asked for again.
    EXPECT_EQ(InEuroUmrechnen(u"200 DM"_qs), u"102,26 €"_qs);
    EXPECT_EQ(dialogs.calls().size(), 1u);
}

TEST_F(InEuroUmrechnenTest, asksAgainUntilTheRateIsUsable)
{
    storeRate(u"0"_qs);
    dialogs.expectInputBox(u"abc"_qs).expectInputBox(u"0,0"_qs).expectInputBox(u"2"_qs);
    EXPECT_EQ(InEuroUmrechnen(u"100"_qs), u"50,00 €"_qs);
    EXPECT_EQ(dialogs.calls().size(), 3u);
    EXPECT_EQ(storedRate(), u"2"_qs);
}

TEST_F(InEuroUmrechnenTest, insertsNothingWhenTheRateQuestionIsCancelled)
{
    for (const QString& stored : {u""_qs, u"0"_qs, u"x"_qs}) {
        SCOPED_TRACE(stored.toStdString());
        storeRate(stored);
        dialogs.expectInputBox(std::nullopt);
        EXPECT_EQ(InEuroUmrechnen(u"100,00 DM"_qs), u""_qs);
        EXPECT_EQ(storedRate(), u""_qs);
    }
}

TEST_F(InEuroUmrechnenTest, asksBeforeConvertingAnAmountAlreadyInEuro)
{
    storeRate(u"1.95583"_qs);
    struct Case {
        const char* name;
        QString text;
        int answer;
        QString expected;
    } cases[] = {
        {"EUR, no", u"5 EUR"_qs, platform::vbNo, u""_qs},
        {"EUR, yes", u"5 EUR"_qs, platform::vbYes, u"2,56 €"_qs},
        {"eur in small letters", u"5 eur"_qs, platform::vbNo, u""_qs},
        {"euro sign", u"5 €"_qs, platform::vbNo, u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.expectMsgBox(c.answer);
        EXPECT_EQ(InEuroUmrechnen(c.text), c.expected);
        const FakeDialogs::Call& call = dialogs.calls().back();
        EXPECT_EQ(call.title, u"Umrechnung in Euro"_qs);
        EXPECT_EQ(call.text, u"Der Text »"_qs + c.text
                                 + u"« scheint schon ein Euro-Betrag zu sein. Fortsetzen?"_qs);
        EXPECT_EQ(call.buttons, platform::vbYesNo);
        EXPECT_EQ(call.icon, platform::vbQuestion);
        EXPECT_EQ(call.defaultAnswer, platform::vbNo);
    }
    // A blank behind the unit hides it, as before.
    EXPECT_EQ(InEuroUmrechnen(u"5 EUR "_qs), u"2,56 €"_qs);
}

TEST_F(InEuroUmrechnenTest, saysSoWhenTheTextHoldsNoAmount)
{
    storeRate(u"1.95583"_qs);
    for (const QString& text : {u"abc"_qs, u""_qs, u"1,2,3"_qs}) {
        SCOPED_TRACE(text.toStdString());
        dialogs.expectMsgBox(platform::vbOK, u"enthält keinen Betrag"_qs);
        EXPECT_EQ(InEuroUmrechnen(text), u""_qs);
        EXPECT_EQ(dialogs.calls().back().title, u"Umrechnung in Euro"_qs);
    }
}

TEST(ZitatMarkieren, selectsTheQuotedTextInTheControl)
{
    QLineEdit zeile(u"er sagte \"hallo\" heute"_qs);
    zeile.setCursorPosition(12);
    ZitatMarkieren(&zeile);
    EXPECT_EQ(zeile.selectedText(), u"hallo"_qs);

    // A double click selected the word; without quotes around it that selection stays.
    zeile.setText(u"ohne Anführung"_qs);
    zeile.setSelection(0, 4);
    ZitatMarkieren(&zeile);
    EXPECT_EQ(zeile.selectedText(), u"ohne"_qs);

    QPlainTextEdit text(u"\"erste\"\nsie \"rief\" laut"_qs);
    QTextCursor cursor = text.textCursor();
    cursor.setPosition(14);
    cursor.setPosition(16, QTextCursor::KeepAnchor);
    text.setTextCursor(cursor);
    ZitatMarkieren(&text);
    EXPECT_EQ(text.textCursor().selectedText(), u"rief"_qs);

    // The quotes of the line before do not count.
    cursor.setPosition(10);
    text.setTextCursor(cursor);
    ZitatMarkieren(&text);
    EXPECT_FALSE(text.textCursor().hasSelection());

    // The editor shows a very long line in pieces: a quotation across the break between two of
    // them is still one, and positions count line breaks twice.
    platform::TextBox box;
    QString lang;
    while (lang.size() < platform::TextBox::pieceLength - 50)
        lang += u"Wellen am Strand "_qs;
    const QString innen = QString(u"Wort "_qs).repeated(20);
    const QString zitat = u"\""_qs + innen + u"\""_qs;
    lang += zitat;
    while (lang.size() <= platform::TextBox::longLine)
        lang += u"Wellen am Strand "_qs;
    box.setText(u"\"davor\"\r\n"_qs + lang);
    ASSERT_GT(box.document()->blockCount(), 2);
    const int anfang = 9 + static_cast<int>(lang.indexOf(zitat)) + 1;
    // The second piece begins inside the quotation (positions before it count the same).
    const int bruch = box.document()->findBlockByNumber(2).position();
    ASSERT_GT(bruch, anfang);
    ASSERT_LT(bruch, anfang + innen.size());
    box.setSelStart(anfang + 3);
    ZitatMarkieren(&box);
    EXPECT_EQ(box.selStart(), anfang);
    EXPECT_EQ(box.selText(), innen);
}
