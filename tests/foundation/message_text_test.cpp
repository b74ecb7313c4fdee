#include "foundation/message_text.h"

#include "platform/text_box.h"
#include "runtime/error.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using foundation::MeldungAufbereiten;
using foundation::TextdateiLesen;
using foundation::TextEinfuegen;

TEST(MeldungAufbereiten, turnsMarkupIntoDisplayText)
{
    FakeClock clock(rt::dateTimeOf(2026, 3, 5, 14, 30));
    ScopedService guard(platform::setClock, &clock);
    const struct {
        const char* name;
        QString text, erwartet;
    } faelle[] = {
        {"empty", u""_qs, u""_qs},
        {"blanks only", u"    "_qs, u""_qs},
        {"leading blanks go, trailing stay", u"  Hallo "_qs, u"Hallo "_qs},
        {"line break takes one blank behind it", u"Eins~ Zwei"_qs, u"Eins\r\nZwei"_qs},
        {"a second blank stays", u"Eins~  Zwei"_qs, u"Eins\r\n Zwei"_qs},
        {"blank before the marker stays", u"Eins ~Zwei"_qs, u"Eins \r\nZwei"_qs},
        {"blank behind a real line break goes", u"Eins\r\n Zwei"_qs, u"Eins\r\nZwei"_qs},
        {"empty line", u"Eins~~Zwei"_qs, u"Eins\r\n\r\nZwei"_qs},
        {"blank behind each line break goes", u"Eins~ ~ Zwei"_qs, u"Eins\r\n\r\nZwei"_qs},
        {"four line breaks become two", u"Eins~~~~Zwei"_qs, u"Eins\r\n\r\nZwei"_qs},
        {"a long run becomes two",
         u"Eins"_qs + QString(1000, u'~') + u"Zwei"_qs, u"Eins\r\n\r\nZwei"_qs},
        {"line break at the start", u"  ~Text"_qs, u"\r\nText"_qs},
        {"tab", u"Name^tWert"_qs, u"Name\tWert"_qs},
        {"tab in capitals", u"Name^TWert"_qs, u"Name\tWert"_qs},
        {"today", u"Heute ist {datum}."_qs, u"Heute ist 05.03.2026."_qs},
        {"today in capitals", u"{DATUM}/{Datum}"_qs, u"05.03.2026/05.03.2026"_qs},
        {"other placeholders stay", u"{zeit} {ordner}"_qs, u"{zeit} {ordner}"_qs},
        {"acute accents frame words", u"´Eins´ und ´Zwei´"_qs, u"»Eins« und »Zwei«"_qs},
        {"odd count: the last one opens", u"´Eins´ ´Zwei"_qs, u"»Eins« »Zwei"_qs},
        {"acute accents alternate over lines", u"´Eins~Zwei´"_qs, u"»Eins\r\nZwei«"_qs},
        {"grave accents pair, a third stays", u"`Eins` `Zwei"_qs, u"»Eins« `Zwei"_qs},
        {"grave accents in two lines do not pair", u"`Eins~Zwei`"_qs, u"`Eins\r\nZwei`"_qs},
        {"grave accents pair in each line", u"`a` b`~c`d`"_qs, u"»a« b`\r\nc»d«"_qs},
        {"empty pair", u"x``y"_qs, u"x»«y"_qs},
        {"both accent kinds", u"´a´ `b`"_qs, u"»a« »b«"_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(MeldungAufbereiten(f.text), f.erwartet);
    }
}

namespace {

// Positions as a text box of the old program counts them: a line break is two characters.
int vbPosition(const QString& plainText, int position)
{
    return position + int(plainText.left(position).count(u'\n'));
}

template <class Edit>
void expectInsertion(Edit& edit)
{
    edit.setPlainText(u"Eins\nZwei\nDrei"_qs);
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(5);
    cursor.setPosition(9, QTextCursor::KeepAnchor); // "Zwei" selected
    edit.setTextCursor(cursor);
    const int selStart = vbPosition(edit.toPlainText(), 5);
    ASSERT_EQ(selStart, 6);

    const QString neu = u"A\r\nB\nC\rD"_qs;
    TextEinfuegen(&edit, neu);

    EXPECT_EQ(edit.toPlainText(), u"Eins\nA\nB\nC\nD\nDrei"_qs);
    // Every line end of the insertion counts as CR LF: the caret stands behind it.
    const QTextCursor danach = edit.textCursor();
    EXPECT_FALSE(danach.hasSelection());
    const int eingefuegt = int(QString(u"A\r\nB\r\nC\r\nD"_qs).size());
    EXPECT_EQ(vbPosition(edit.toPlainText(), danach.position()), selStart + eingefuegt);

    // With nothing selected the text goes in at the caret.
    cursor = edit.textCursor();
    cursor.setPosition(2);
    edit.setTextCursor(cursor);
    TextEinfuegen(&edit, u"--"_qs);
    EXPECT_EQ(edit.toPlainText(), u"Ei--ns\nA\nB\nC\nD\nDrei"_qs);
    EXPECT_EQ(edit.textCursor().position(), 4);
}

} // namespace

TEST(TextEinfuegen, replacesTheSelectionOfAPlainTextEdit)
{
    QPlainTextEdit edit;
    expectInsertion(edit);
}

TEST(TextEinfuegen, replacesTheSelectionOfATextEdit)
{
    QTextEdit edit;
    expectInsertion(edit);
}

TEST(TextEinfuegen, linesInsertedIntoAPieceOfALongLineAreLinesOfTheText)
{
    // The program's text box shows a very long line in pieces; what is inserted into one of
    // them keeps its line breaks.
    platform::TextBox box;
    QString line;
    while (line.size() <= platform::TextBox::longLine)
        line += u"Wellen am Strand "_qs;
    box.setText(line);
    box.setSelStart(platform::TextBox::pieceLength + 10); // in the second piece
    TextEinfuegen(&box, u"A\r\nB\nC"_qs);
    QString expected = line;
    expected.insert(platform::TextBox::pieceLength + 10, u"A\r\nB\r\nC"_qs);
    EXPECT_EQ(box.text(), expected);
    EXPECT_EQ(box.selStart(), platform::TextBox::pieceLength + 10 + 7);
}

TEST(TextEinfuegen, replacesTheSelectionOfALineEditEvenWhenLocked)
{
    QLineEdit edit(u"Hallo Welt"_qs);
    edit.setReadOnly(true);
    edit.setSelection(6, 4);
    TextEinfuegen(&edit, u"Erde!"_qs);
    EXPECT_EQ(edit.text(), u"Hallo Erde!"_qs);
    EXPECT_EQ(edit.cursorPosition(), 11);
    EXPECT_FALSE(edit.hasSelectedText());
}

TEST(TextEinfuegen, givesTheControlTheFocus)
{
    QWidget fenster;
    auto* layout = new QVBoxLayout(&fenster);
    auto* andere = new QLineEdit(&fenster);
    auto* editor = new QPlainTextEdit(&fenster);
    layout->addWidget(andere);
    layout->addWidget(editor);
    fenster.show();
    QApplication::setActiveWindow(&fenster);
    andere->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(andere->hasFocus());

    TextEinfuegen(editor, u"x"_qs);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->toPlainText(), u"x"_qs);
}

TEST(TextdateiLesen, givesTheLinesJoinedByCrLf)
{
    TempFolder temp;
    const struct {
        const char* name;
        QByteArray inhalt;
        QString erwartet;
    } faelle[] = {
        {"CR LF, final line break dropped", "Eins\r\nZwei\r\n", u"Eins\r\nZwei"_qs},
        {"without final line break", "Eins\r\nZwei", u"Eins\r\nZwei"_qs},
        {"LF", "Eins\nZwei\n", u"Eins\r\nZwei"_qs},
        {"CR", "Eins\rZwei\r", u"Eins\r\nZwei"_qs},
        {"mixed", "Eins\nZwei\rDrei\r\nVier", u"Eins\r\nZwei\r\nDrei\r\nVier"_qs},
        {"only one final line break dropped", "Eins\r\n\r\n", u"Eins\r\n"_qs},
        {"empty lines inside kept", "\n\nEins\n", u"\r\n\r\nEins"_qs},
        {"empty file", "", u""_qs},
        {"a line break only", "\r\n", u""_qs},
        {"Windows-1252", "Gr\xfc\xdf" "e \x80 \x93z\x94", u"Grüße € “z”"_qs},
        {"UTF-8 with byte-order mark",
         "\xef\xbb\xbfGr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac\r\n", u"Grüße €"_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        temp.write(u"Datei.txt"_qs, f.inhalt);
        const std::optional<QString> text = TextdateiLesen(temp.file(u"Datei.txt"_qs));
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, f.erwartet);
    }
}

TEST(TextdateiLesen, findsTheFileWithoutRegardToCase)
{
    TempFolder temp;
    temp.write(u"Notiz.TXT"_qs, "Inhalt");
    EXPECT_EQ(TextdateiLesen(temp.file(u"notiz.txt"_qs)), u"Inhalt"_qs);
}

TEST(TextdateiLesen, missingFileOrFolderGivesEmptyText)
{
    TempFolder temp;
    temp.makeFolder(u"Ordner"_qs);
    rt::clearError();
    EXPECT_EQ(TextdateiLesen(temp.file(u"fehlt.txt"_qs)), QString());
    EXPECT_EQ(TextdateiLesen(temp.file(u"Ordner"_qs)), QString());
    EXPECT_EQ(rt::Err().number, 0);
}

TEST(TextdateiLesen, unreadableFileIsAFailureNotAnEmptyText)
{
    if (runningAsRoot())
        GTEST_SKIP() << "the super-user reads every file";
    TempFolder temp;
    temp.write(u"Geheim.txt"_qs, "Inhalt");
    const QString datei = temp.file(u"Geheim.txt"_qs);
    PermissionGuard guard(datei);
    temp.setPermissions(u"Geheim.txt"_qs, QFileDevice::WriteOwner);
    rt::clearError();

    EXPECT_EQ(TextdateiLesen(datei), std::nullopt);
    EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
}

TEST(TextdateiLesen, fileThatFailsOnReadingIsAFailure)
{
    // The memory file of the process exists and opens, but reading at its start fails.
    rt::clearError();
    EXPECT_EQ(TextdateiLesen(u"/proc/self/mem"_qs), std::nullopt);
    EXPECT_EQ(rt::Err().number, rt::ErrDeviceIO);
}
