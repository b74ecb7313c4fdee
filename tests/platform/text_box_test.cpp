#include "platform/text_box.h"
#include "support/qt_print.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <QTextBlock>

#include <random>
#include <vector>

using namespace platform;

namespace {

// A shown, active window with the box in it and the focus on the box, so that keys reach it
// as they reach it from the keyboard.
class TextBoxTest : public ::testing::Test {
protected:
    TextBoxTest()
    {
        auto* layout = new QVBoxLayout(&window_);
        box_ = new TextBox(&window_);
        box_->setObjectName(u"Text"_qs);
        layout->addWidget(box_);
        window_.show();
        QApplication::setActiveWindow(&window_);
        box_->setFocus();
        QApplication::processEvents();
    }

    // The changes reported since the last call, as "Code"/"User".
    QStringList takeChanges()
    {
        QStringList result = changes_;
        changes_.clear();
        return result;
    }

    void recordChanges()
    {
        QObject::connect(box_, &TextBox::changed, [this](ChangeSource source) {
            changes_.append(source == ChangeSource::User ? u"User"_qs : u"Code"_qs);
        });
    }

    QWidget window_;
    TextBox* box_ = nullptr;
    QStringList changes_;
};

// What a selection from start over length must select in the CR LF text: a start inside a line
// break or a surrogate pair moves to the start of it, an end inside one to its end.
QString expectedSelection(const QString& text, int start, int length, int* selStart = nullptr)
{
    const auto inside = [&text](int p) {
        if (p <= 0 || p >= text.size())
            return false;
        return (text.at(p - 1) == u'\r' && text.at(p) == u'\n')
            || (text.at(p - 1).isHighSurrogate() && text.at(p).isLowSurrogate());
    };
    int s = std::clamp(start, 0, static_cast<int>(text.size()));
    if (inside(s))
        --s;
    int e = std::clamp(s + length, s, static_cast<int>(text.size()));
    if (inside(e))
        ++e;
    if (selStart)
        *selStart = s;
    return text.mid(s, e - s);
}

} // namespace

TEST_F(TextBoxTest, textHasCrLfAndPositionsCountLineBreaksTwice)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const struct {
        const char* name;
        QString input;
        QString text; // as read back
        int start;
        int length;
        QString selected;
        int selStart; // read back
        int selLength;
    } cases[] = {
        {"CR LF", u"ab\r\ncd"_qs, u"ab\r\ncd"_qs, 4, 2, u"cd"_qs, 4, 2},
        {"across a line break", u"ab\r\ncd"_qs, u"ab\r\ncd"_qs, 1, 4, u"b\r\nc"_qs, 1, 4},
        {"lone LF", u"ab\ncd"_qs, u"ab\r\ncd"_qs, 4, 2, u"cd"_qs, 4, 2},
        {"lone CR", u"ab\rcd"_qs, u"ab\r\ncd"_qs, 2, 2, u"\r\n"_qs, 2, 2},
        {"LF CR is two breaks", u"a\n\rb"_qs, u"a\r\n\r\nb"_qs, 5, 1, u"b"_qs, 5, 1},
        {"start between CR and LF", u"ab\r\ncd"_qs, u"ab\r\ncd"_qs, 3, 1, u"\r\n"_qs, 2, 2},
        {"end between CR and LF", u"ab\r\ncd"_qs, u"ab\r\ncd"_qs, 0, 3, u"ab\r\n"_qs, 0, 4},
        {"umlauts", u"Grüße\r\nÄrger"_qs, u"Grüße\r\nÄrger"_qs, 7, 5, u"Ärger"_qs, 7, 5},
        {"surrogate pair", u"a"_qs + smile + u"b\r\nc"_qs, u"a"_qs + smile + u"b\r\nc"_qs, 1, 2,
         smile, 1, 2},
        {"inside a surrogate pair", u"a"_qs + smile + u"b"_qs, u"a"_qs + smile + u"b"_qs, 2, 1,
         smile, 1, 2},
        {"final line break", u"x\n"_qs, u"x\r\n"_qs, 0, 3, u"x\r\n"_qs, 0, 3},
        {"empty lines", u"\r\n\r\n"_qs, u"\r\n\r\n"_qs, 2, 2, u"\r\n"_qs, 2, 2},
        {"past the end", u"ab\r\ncd"_qs, u"ab\r\ncd"_qs, 99, 5, u""_qs, 6, 0},
        {"length past the end", u"ab\r\ncd"_qs, u"ab\r\ncd"_qs, 1, 99, u"b\r\ncd"_qs, 1, 5},
        {"negative", u"ab"_qs, u"ab"_qs, -3, -1, u""_qs, 0, 0},
        {"no-break space and Tab stay", u"a\u00a0b\tc"_qs, u"a\u00a0b\tc"_qs, 1, 3,
         u"\u00a0b\t"_qs, 1, 3},
        {"paragraph and line separators", u"a\u2028b\u2029c"_qs, u"a\r\nb\r\nc"_qs, 3, 1, u"b"_qs,
         3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        box_->setText(c.input);
        EXPECT_EQ(box_->text(), c.text);
        EXPECT_EQ(box_->textLength(), c.text.size());
        box_->setSelStart(c.start);
        box_->setSelLength(c.length);
        EXPECT_EQ(box_->selText(), c.selected);
        EXPECT_EQ(box_->selStart(), c.selStart);
        EXPECT_EQ(box_->selLength(), c.selLength);
    }
}

TEST_F(TextBoxTest, everyPositionOfALongTextSelectsWhatTheCrLfTextHolds)
{
    // Lines of varying length with every kind of line end, umlauts and surrogate pairs; the
    // selection at each position must match the CR LF text read back.
    QString input;
    const QString ends[] = {u"\r\n"_qs, u"\n"_qs, u"\r"_qs};
    for (int line = 0; line < 400; ++line) {
        input += QString(line % 23, QChar(u'a' + line % 26));
        if (line % 7 == 0)
            input += QString::fromUtf8("\xC3\xA4\xF0\x9F\x98\x80"); // ä and a surrogate pair
        input += ends[line % 3];
    }
    box_->setText(input);
    const QString text = box_->text();
    ASSERT_EQ(text, withCrLf(input));
    ASSERT_EQ(box_->textLength(), text.size());

    for (int start = 0; start <= text.size(); ++start) {
        for (int length : {0, 1, 2, 3, 40}) {
            int expectedStart = 0;
            const QString expected = expectedSelection(text, start, length, &expectedStart);
            box_->setSelStart(start);
            box_->setSelLength(length);
            if (box_->selText() != expected || box_->selStart() != expectedStart) {
                ADD_FAILURE() << "start " << start << ", length " << length;
                return;
            }
        }
    }
}

TEST_F(TextBoxTest, setSelTextReplacesTheSelectionAndPutsTheCaretBehind)
{
    const struct {
        const char* name;
        QString text;
        int start;
        int length;
        QString insert;
        QString result;
        int caret;
    } cases[] = {
        {"insert at the caret", u"ab\r\ncd"_qs, 4, 0, u"X"_qs, u"ab\r\nXcd"_qs, 5},
        {"replace a word", u"Zeile 1\r\nZeile 2"_qs, 9, 5, u"Satz"_qs, u"Zeile 1\r\nSatz 2"_qs, 13},
        {"replace a line break", u"ab\r\ncd"_qs, 2, 2, u" "_qs, u"ab cd"_qs, 3},
        {"insert lines with LF", u"ab"_qs, 1, 0, u"1\n2\r3"_qs, u"a1\r\n2\r\n3b"_qs, 8},
        {"delete with an empty text", u"ab\r\ncd"_qs, 1, 4, u""_qs, u"ad"_qs, 1},
        {"at the end", u"ab\r\n"_qs, 4, 0, u"c"_qs, u"ab\r\nc"_qs, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        box_->setText(c.text);
        box_->setSelStart(c.start);
        box_->setSelLength(c.length);
        box_->setSelText(c.insert);
        EXPECT_EQ(box_->text(), c.result);
        EXPECT_EQ(box_->selStart(), c.caret);
        EXPECT_EQ(box_->selLength(), 0);
    }
}

TEST_F(TextBoxTest, changesTellTheProgramFromTheUser)
{
    recordChanges();
    box_->setText(u"Hallo"_qs);
    EXPECT_EQ(takeChanges(), QStringList{u"Code"_qs});
    box_->setText(u"Hallo"_qs);
    EXPECT_EQ(takeChanges(), QStringList()) << "the same text again is no change";

    box_->setSelStart(5);
    QTest::keyClicks(box_, u"!"_qs);
    QTest::keyClick(box_, Qt::Key_Return);
    QTest::keyClick(box_, Qt::Key_Backspace);
    EXPECT_EQ(takeChanges(), (QStringList{u"User"_qs, u"User"_qs, u"User"_qs}));
    EXPECT_EQ(box_->text(), u"Hallo!"_qs);

    box_->setSelText(u" Welt"_qs);
    EXPECT_EQ(takeChanges(), QStringList{u"Code"_qs});

    // What a key handler does is the program's doing, although a key started it: the main
    // window loads another day inside its Alt+Right handler.
    box_->setKeyDownHandler([this](int& keyCode, int shift) {
        if (keyCode == 39 && shift == 4) {
            box_->setText(u"Nächster Tag"_qs);
            keyCode = 0;
        }
    });
    QTest::keyClick(box_, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(box_->text(), u"Nächster Tag"_qs);
    EXPECT_EQ(takeChanges(), QStringList{u"Code"_qs});

    // Pasting with the keyboard (no menu entry owns Ctrl+V here) is the user's.
    QGuiApplication::clipboard()->setText(u"X"_qs);
    box_->setSelStart(0);
    QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box_->text(), u"XNächster Tag"_qs);
    EXPECT_EQ(takeChanges(), QStringList{u"User"_qs});
}

TEST_F(TextBoxTest, enterMakesACrLfLineBreakAlsoWithShift)
{
    box_->setText(u"ab"_qs);
    box_->setSelStart(1);
    QTest::keyClick(box_, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(box_, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(box_->text(), u"a\r\n\r\nb"_qs);
    EXPECT_EQ(box_->selStart(), 5);
}

TEST_F(TextBoxTest, lockedRefusesEditsButSelectsAndCopies)
{
    recordChanges();
    box_->setText(u"Eintrag\r\nZeile"_qs);
    box_->setLocked(true);
    takeChanges();
    QGuiApplication::clipboard()->setText(u"Einfügen"_qs);

    box_->setSelStart(0);
    QTest::keyClicks(box_, u"xyz"_qs);
    QTest::keyClick(box_, Qt::Key_Return);
    QTest::keyClick(box_, Qt::Key_Delete);
    QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box_, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box_->text(), u"Eintrag\r\nZeile"_qs);
    EXPECT_EQ(takeChanges(), QStringList());

    QTest::keyClick(box_, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(box_, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(box_->selText(), u"Ei"_qs) << "the keyboard still selects";
    QTest::keyClick(box_, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Eintrag\r\nZeile"_qs) << "copied with CR LF";

    box_->setText(u"Anderer Tag"_qs); // the program still may
    EXPECT_EQ(box_->text(), u"Anderer Tag"_qs);

    box_->setLocked(false);
    box_->setSelStart(0);
    QTest::keyClicks(box_, u"x"_qs);
    EXPECT_EQ(box_->text(), u"xAnderer Tag"_qs);
}

TEST_F(TextBoxTest, maxLengthCutsTypingPastingAndSelTextButNotSetText)
{
    box_->setMaxLength(5);
    QTest::keyClicks(box_, u"abcdefg"_qs);
    EXPECT_EQ(box_->text(), u"abcde"_qs);

    const struct {
        const char* name;
        QString text;
        int start;
        int length;
        QString paste;
        QString result;
    } cases[] = {
        {"cut to the room left", u"ab"_qs, 2, 0, u"123456"_qs, u"ab123"_qs},
        {"a line break counts two", u"ab"_qs, 2, 0, u"12\r\n3"_qs, u"ab12"_qs},
        {"a line break that fits", u"ab"_qs, 1, 0, u"\n2"_qs, u"a\r\n2b"_qs},
        {"the selection makes room", u"abcd"_qs, 1, 2, u"WXYZ"_qs, u"aWXYd"_qs},
        {"no surrogate pair is split", u"abcd"_qs, 4, 0, QString::fromUtf8("\xF0\x9F\x98\x80"),
         u"abcd"_qs},
        {"nothing fits: the selection stays", u"abcde"_qs, 0, 0, u"Z"_qs, u"abcde"_qs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QGuiApplication::clipboard()->setText(c.paste);
        box_->setText(c.text);
        box_->setSelStart(c.start);
        box_->setSelLength(c.length);
        QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box_->text(), c.result) << "pasted";

        box_->setText(c.text);
        box_->setSelStart(c.start);
        box_->setSelLength(c.length);
        box_->setSelText(c.paste);
        EXPECT_EQ(box_->text(), c.result) << "set as SelText";
    }

    box_->setText(u"abcd"_qs);
    box_->setSelStart(4);
    QTest::keyClick(box_, Qt::Key_Return);
    EXPECT_EQ(box_->text(), u"abcd"_qs) << "a line break needs two characters of room";

    box_->setText(u"längerer Text"_qs);
    EXPECT_EQ(box_->text(), u"längerer Text"_qs) << "the program's text is not cut";
    box_->setSelStart(0);
    QTest::keyClicks(box_, u"x"_qs);
    EXPECT_EQ(box_->text(), u"längerer Text"_qs);
    QTest::keyClick(box_, Qt::Key_Delete);
    EXPECT_EQ(box_->text(), u"ängerer Text"_qs) << "deleting is always allowed";

    box_->setMaxLength(0);
    box_->setSelStart(0);
    QTest::keyClicks(box_, u"l"_qs);
    EXPECT_EQ(box_->text(), u"längerer Text"_qs) << "0 is no limit";
}

TEST_F(TextBoxTest, keyHandlersSeeVbCodesAndCanSwallowOrReplaceKeys)
{
    std::vector<std::pair<int, int>> downs;
    box_->setKeyDownHandler([&downs](int& keyCode, int shift) {
        downs.emplace_back(keyCode, shift);
        if (keyCode == 113 && shift == 1) // Shift+F2: taken by the handler
            keyCode = 0;
    });
    bool overwrite = false;
    box_->setKeyPressHandler([this, &overwrite](int& keyAscii) {
        if (keyAscii == 9)
            keyAscii = 0; // no Tab in an entry
        else if (keyAscii == u'ß')
            keyAscii = u's';
        else if (keyAscii >= 32 && overwrite && box_->selLength() == 0)
            box_->setSelLength(1);
    });
    box_->setText(u"abc"_qs);
    box_->setSelStart(1);

    QTest::keyClick(box_, Qt::Key_Tab);
    QTest::keyClicks(box_, u"ß"_qs);
    QTest::keyClick(box_, Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_EQ(box_->text(), u"asbc"_qs);

    overwrite = true;
    QTest::keyClicks(box_, u"XYZ"_qs);
    EXPECT_EQ(box_->text(), u"asXYZ"_qs) << "overwrites b and c, then appends";

    // The Shift key itself comes as 16; "ß" has no VB key code and reaches only KeyPress.
    const std::vector<std::pair<int, int>> expected = {
        {9, 0}, {16, 1}, {113, 1}, {88, 0}, {89, 0}, {90, 0}};
    EXPECT_EQ(downs, expected);
}

TEST_F(TextBoxTest, canUndoFollowsTheBoxOwnHistory)
{
    box_->setText(u"geladen"_qs);
    EXPECT_FALSE(box_->canUndo()) << "loading a text leaves nothing to undo";
    box_->setSelStart(7);
    QTest::keyClicks(box_, u"!"_qs);
    EXPECT_TRUE(box_->canUndo());
    box_->undo();
    EXPECT_EQ(box_->text(), u"geladen"_qs);
}

TEST(LineTextBox, selectionLockedAndMaxLength)
{
    QWidget window;
    auto* box = new LineTextBox(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    box->setFocus();
    QStringList changes;
    QObject::connect(box, &LineTextBox::changed, [&changes](ChangeSource source) {
        changes.append(source == ChangeSource::User ? u"User"_qs : u"Code"_qs);
    });

    box->setText(u"Suchbegriff"_qs);
    box->setSelStart(4);
    box->setSelLength(50);
    EXPECT_EQ(box->selStart(), 4);
    EXPECT_EQ(box->selLength(), 7);
    EXPECT_EQ(box->selText(), u"begriff"_qs);
    box->setSelText(u"text"_qs);
    EXPECT_EQ(box->text(), u"Suchtext"_qs);
    EXPECT_EQ(box->selStart(), 8);
    QTest::keyClicks(box, u"e"_qs);
    EXPECT_EQ(changes, (QStringList{u"Code"_qs, u"Code"_qs, u"User"_qs}));

    EXPECT_EQ(box->maxLength(), 0);
    box->setMaxLength(10);
    QTest::keyClicks(box, u"123"_qs);
    EXPECT_EQ(box->text(), u"Suchtexte1"_qs);

    box->setLocked(true);
    QTest::keyClicks(box, u"x"_qs);
    box->setSelStart(0);
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(box->text(), u"Suchtexte1"_qs);
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box->selText(), u"Suchtexte1"_qs);
}

// ---------------------------------------------------------------------------------------------
// Very long lines, shown in pieces

namespace {

// A line of about length characters: words with umlauts and a surrogate pair, or (spaces
// false) one word without any space.
QString longLine(int length, bool spaces, unsigned seed)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString words[] = {u"Möwe "_qs, u"am "_qs, u"Strand, "_qs, u"Grüße "_qs, smile + u' ',
                             u"Sonnenuntergang "_qs};
    QString line;
    unsigned state = seed;
    while (line.size() < length) {
        state = state * 1103515245u + 12345u;
        QString word = words[(state >> 16) % 6];
        if (!spaces)
            word.remove(u' ');
        line += word;
    }
    line.truncate(length);
    if (line.back().isHighSurrogate())
        line.back() = u'x';
    return line;
}

// The blocks of the box's document, for looking at how a text is shown.
QStringList blocksOf(const TextBox* box)
{
    QStringList blocks;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        blocks << block.text();
    return blocks;
}

} // namespace

TEST_F(TextBoxTest, longLinesAreShownInPiecesThatAreNeverPartOfTheText)
{
    const QString mitLeerzeichen = longLine(25000, true, 1);
    const QString ohne = longLine(TextBox::longLine + 1, false, 2);
    const struct {
        const char* name;
        QString text;
        int minBlocks; // as shown
        int maxBlocks;
    } cases[] = {
        {"short lines stay whole", u"kurz\r\n"_qs + longLine(TextBox::longLine, true, 3), 2, 2},
        {"a long line between short ones", u"Anfang\r\n"_qs + mitLeerzeichen + u"\r\nEnde"_qs,
         2 + 7, 2 + 13},
        {"a long first line, final line break", mitLeerzeichen + u"\r\n"_qs, 1 + 7, 1 + 13},
        {"no space: cut at the piece length", ohne, 3, 3},
        {"two long lines", ohne + u"\r\n"_qs + ohne, 6, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        box_->setText(c.text);
        EXPECT_EQ(box_->text(), c.text);
        EXPECT_EQ(box_->textLength(), c.text.size());
        EXPECT_GE(box_->document()->blockCount(), c.minBlocks);
        EXPECT_LE(box_->document()->blockCount(), c.maxBlocks);
        EXPECT_FALSE(box_->document()->isUndoAvailable());
        const bool split = c.maxBlocks > c.text.count(u'\n') + 1;
        for (const QString& block : blocksOf(box_)) {
            if (split) {
                EXPECT_LE(block.size(), TextBox::pieceLength);
            }
            EXPECT_FALSE(block.endsWith(QChar(0xD83D))) << "a surrogate pair was split";
        }
        // Every position reads the same character as in the text.
        for (const int position : {0, 1, 3999, 4000, 4001, 8000, 12345,
                                   static_cast<int>(c.text.size()) - 1}) {
            if (position >= c.text.size())
                continue;
            box_->setSelStart(position);
            box_->setSelLength(1);
            EXPECT_EQ(box_->selText(), expectedSelection(c.text, position, 1)) << position;
        }
    }
    // A piece ends after a space where the line has one.
    box_->setText(mitLeerzeichen);
    const QStringList pieces = blocksOf(box_);
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i)
        EXPECT_TRUE(pieces[i].endsWith(u' ')) << i;
    EXPECT_EQ(pieces.join(QString()), mitLeerzeichen);

    box_->setText(u"wieder kurz"_qs);
    EXPECT_EQ(box_->document()->blockCount(), 1);
    EXPECT_EQ(box_->textLength(), 11);
}

TEST_F(TextBoxTest, editsAcrossPiecesKeepTheTextAsAStringWouldAndUndoRestoresIt)
{
    // Random edits through the program's own calls, against the same edits on a string: line
    // breaks inserted into a piece are real ones, text inserted in pieces reads back whole, and
    // undoing every edit gives the text back as loaded.
    const QString start = u"Kopf\r\n"_qs + longLine(30000, true, 4) + u"\r\nMitte\r\n"_qs
        + longLine(12000, false, 5) + u"\r\nFuß"_qs;
    box_->setText(start);
    QString expected = start;
    std::mt19937 random(42);
    const QString inserts[] = {u"x"_qs, u"\r\n"_qs, u"neue\r\nZeilen\r\n"_qs, QString(),
                               longLine(11000, true, 6), u"a\r\n"_qs + longLine(15000, false, 7)};
    int edits = 0;
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        const int position = static_cast<int>(random() % (expected.size() + 1));
        const int length = static_cast<int>(random() % 3 == 0 ? random() % 9000 : random() % 3);
        const QString& insert = inserts[random() % std::size(inserts)];
        int selStart = 0;
        const QString selected = expectedSelection(expected, position, length, &selStart);
        box_->setSelStart(position);
        box_->setSelLength(length);
        ASSERT_EQ(box_->selText(), selected);
        box_->setSelText(insert);
        if (!selected.isEmpty() || !insert.isEmpty())
            ++edits;
        expected.replace(selStart, selected.size(), insert);
        ASSERT_EQ(box_->text(), expected);
        ASSERT_EQ(box_->textLength(), expected.size());
        ASSERT_EQ(box_->selStart(), selStart + insert.size());
    }
    for (int i = 0; i < edits; ++i)
        box_->undo();
    EXPECT_EQ(box_->text(), start);
    for (int i = 0; i < edits; ++i)
        box_->redo();
    EXPECT_EQ(box_->text(), expected);
}

TEST_F(TextBoxTest, keysAtTheBreakBetweenPiecesActOnTheTextsCharacters)
{
    const QString line = longLine(20000, true, 8);
    box_->setText(line);
    const QTextBlock second = box_->document()->firstBlock().next();
    const int boundary = second.position() - 1; // in the text: where the second piece begins
    ASSERT_EQ(line.mid(boundary - 1, 1), u" "_qs);

    // Backspace at the start of a piece takes the space before it, Delete at the end of a piece
    // the first character of the next.
    QString expected = line;
    box_->setSelStart(boundary);
    QTest::keyClick(box_, Qt::Key_Backspace);
    expected.remove(boundary - 1, 1);
    EXPECT_EQ(box_->text(), expected);
    QTextCursor end = box_->textCursor();
    end.setPosition(box_->document()->firstBlock().length() - 1);
    box_->setTextCursor(end);
    QTest::keyClick(box_, Qt::Key_Delete);
    expected.remove(boundary - 1, 1);
    EXPECT_EQ(box_->text(), expected);
    EXPECT_EQ(box_->selStart(), boundary - 1);

    // Enter in a piece is a line break of the text; typing goes where the caret is.
    box_->setSelStart(boundary + 5);
    QTest::keyClick(box_, Qt::Key_Return);
    QTest::keyClicks(box_, u"ab"_qs);
    expected.insert(boundary + 5, u"\r\nab"_qs);
    EXPECT_EQ(box_->text(), expected);
    EXPECT_EQ(box_->selStart(), boundary + 9);

    // Copying across the break gives the characters only.
    box_->setSelStart(boundary - 10);
    box_->setSelLength(20);
    box_->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), expected.mid(boundary - 10, 20));

    // A pasted long line is shown in pieces and goes with one undo.
    box_->setText(u"Anfang Ende"_qs);
    QApplication::clipboard()->setText(line);
    box_->setSelStart(7);
    box_->paste();
    EXPECT_EQ(box_->text(), u"Anfang "_qs + line + u"Ende"_qs);
    EXPECT_GT(box_->document()->blockCount(), 4);
    box_->undo();
    EXPECT_EQ(box_->text(), u"Anfang Ende"_qs);

    // A line break committed by an input method inside a piece is one of the text as well.
    box_->setText(line);
    box_->setSelStart(boundary + 10);
    QInputMethodEvent zusammengesetzt;
    zusammengesetzt.setCommitString(u"x\ny"_qs);
    QApplication::sendEvent(box_, &zusammengesetzt);
    EXPECT_EQ(box_->text(), line.left(boundary + 10) + u"x\r\ny"_qs + line.mid(boundary + 10));
    EXPECT_EQ(box_->selStart(), boundary + 14);
}
