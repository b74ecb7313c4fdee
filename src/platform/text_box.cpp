#include "text_box.h"

#include "actions.h"
#include "keyboard.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace platform {

namespace {

const QString crLf = QStringLiteral("\r\n");

// Counts up while it lives.
class Scope {
public:
    explicit Scope(int& counter) : counter_(counter) { ++counter_; }
    ~Scope() { --counter_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    int& counter_;
};

ChangeSource sourceOf(int codeChange, int userInput)
{
    return codeChange == 0 && userInput > 0 ? ChangeSource::User : ChangeSource::Code;
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Every line end of text as ending; CR LF is one line end.
QString withLineEnd(const QString& text, QStringView ending)
{
    if (std::none_of(text.begin(), text.end(), isLineEnd))
        return text;
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isLineEnd(c)) {
            result.append(c);
            continue;
        }
        result.append(ending);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
    }
    return result;
}

// The start of text (line ends as '\n') that fits into room VB characters, a line break counting
// two; no line break or surrogate pair is split.
QString cutToRoom(const QString& text, int room)
{
    int used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const QChar c = text.at(end);
        const int units = c.isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const int cost = c == u'\n' ? 2 : units;
        if (used + cost > room)
            break;
        used += cost;
        end += units;
    }
    return text.left(end);
}

// Whether the key types text into a box (a printable character or a Tab; not a shortcut with
// Ctrl).
bool typesText(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier))
        || mods.testFlag(Qt::MetaModifier))
        return false;
    const QChar first = text.at(0);
    return first.isPrint() || first == u'\t' || first.isSurrogate();
}

bool isEnter(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && mods == Qt::NoModifier;
}

// The character a key types for KeyPress: 13 Enter, 8 Backspace, the code point of typed text;
// 0 when the key types nothing.
int typedCharacter(const QKeyEvent* event)
{
    if (isEnter(event))
        return 13;
    if (event->key() == Qt::Key_Backspace)
        return 8;
    if (!typesText(event))
        return 0;
    const QString text = event->text();
    return static_cast<int>(text.toUcs4().value(0));
}

QString characterText(int code)
{
    if (code == 13)
        return QStringLiteral("\n");
    const char32_t point = static_cast<char32_t>(code);
    return QString::fromUcs4(&point, 1);
}

// Marks a block that continues the line of the block before it: the break between them is for
// the display only.
constexpr int continuesLineProperty = QTextFormat::UserProperty + 0x4b50;

bool continuesLine(const QTextBlock& block)
{
    return block.blockFormat().boolProperty(continuesLineProperty);
}

QTextBlockFormat withBreak(QTextBlockFormat format, bool displayOnly)
{
    if (displayOnly)
        format.setProperty(continuesLineProperty, true);
    else
        format.clearProperty(continuesLineProperty);
    return format;
}

// Where the pieces of a line after its first begin (offsets into the line); none for a line
// that is shown whole. A piece ends after the last space of its second half, else at its full
// length, never between the halves of a surrogate pair.
std::vector<qsizetype> pieceStarts(QStringView line)
{
    std::vector<qsizetype> starts;
    if (line.size() <= TextBox::longLine)
        return starts;
    qsizetype start = 0;
    while (line.size() - start > TextBox::pieceLength) {
        const qsizetype half = start + TextBox::pieceLength / 2;
        qsizetype end = start + TextBox::pieceLength;
        while (end > half && !line.at(end - 1).isSpace())
            --end;
        if (end == half) {
            end = start + TextBox::pieceLength;
            if (line.at(end - 1).isHighSurrogate() && line.at(end).isLowSurrogate())
                --end;
        }
        starts.push_back(end);
        start = end;
    }
    return starts;
}

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

QString withCrLf(const QString& text)
{
    return withLineEnd(text, crLf);
}

int vbLength(const QString& text)
{
    return static_cast<int>(withCrLf(text).size());
}

bool shortcutOwnedByWindow(const QWidget* widget, const QKeyEvent* event)
{
    const ActionRegistry* registry = ActionRegistry::of(widget);
    return registry && registry->ownsShortcut(event->keyCombination());
}

// ---------------------------------------------------------------------------------------------
// TextBox

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &TextBox::contentsChange);
}

void TextBox::contentsChange(int position, int removed, int added)
{
    if (!noPieces_) {
        piecesStale_ = true;
    } else if (added > 0) {
        // Pieces come only with new text: made by this box, or back by an undo.
        const QTextDocument* doc = document();
        for (QTextBlock block = doc->findBlock(position);
             block.isValid() && block.position() <= position + added; block = block.next()) {
            if (block.blockNumber() > 0 && continuesLine(block)) {
                noPieces_ = false;
                piecesStale_ = true;
                break;
            }
        }
    }
    if ((removed == 0 && added == 0) || replacingAll_)
        return;
    emit changed(sourceOf(codeChange_, userInput_));
}

const std::vector<int>* TextBox::pieces() const
{
    if (noPieces_)
        return nullptr;
    if (piecesStale_) {
        const QTextDocument* doc = document();
        pieceCount_.assign(static_cast<std::size_t>(doc->blockCount()), 0);
        int count = 0;
        std::size_t number = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++number) {
            if (number > 0 && continuesLine(block))
                ++count;
            pieceCount_[number] = count;
        }
        piecesStale_ = false;
        if (count == 0) {
            noPieces_ = true;
            return nullptr;
        }
    }
    return &pieceCount_;
}

int TextBox::piecesBefore(int blockNumber) const
{
    const std::vector<int>* counts = pieces();
    return counts ? (*counts)[static_cast<std::size_t>(blockNumber)] : 0;
}

QString TextBox::text() const
{
    const QTextDocument* doc = document();
    if (!pieces()) {
        QString raw = doc->toRawText();
        return raw.replace(QChar::ParagraphSeparator, crLf);
    }
    QString result;
    result.reserve(doc->characterCount() + doc->blockCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin() && !continuesLine(block))
            result += crLf;
        result += block.text();
    }
    return result;
}

void TextBox::setText(const QString& text)
{
    if (withCrLf(text) == this->text())
        return;
    {
        // Qt empties the document and then fills it: one change here.
        Scope whole(replacingAll_);
        const QString plain = withLineEnd(text, u"\n");
        // The text as shown: every long line with a break between its pieces, whose blocks are
        // then marked as continuing their line.
        QString shown;
        std::vector<int> pieceBlocks;
        if (plain.size() > longLine) {
            int block = 0;
            bool splitting = false; // shown holds the text up to lineStart
            qsizetype lineStart = 0;
            while (lineStart <= plain.size()) {
                qsizetype lineEnd = plain.indexOf(u'\n', lineStart);
                if (lineEnd < 0)
                    lineEnd = plain.size();
                const QStringView line = QStringView(plain).mid(lineStart, lineEnd - lineStart);
                const std::vector<qsizetype> starts = pieceStarts(line);
                if (!starts.empty() && !splitting) {
                    splitting = true;
                    shown.reserve(plain.size() + plain.size() / (pieceLength / 2));
                    shown += QStringView(plain).left(lineStart);
                }
                qsizetype from = 0;
                for (const qsizetype start : starts) {
                    shown += line.mid(from, start - from);
                    shown += u'\n';
                    pieceBlocks.push_back(++block);
                    from = start;
                }
                if (splitting) {
                    shown += line.mid(from);
                    if (lineEnd < plain.size())
                        shown += u'\n';
                }
                ++block;
                lineStart = lineEnd + 1;
            }
        }
        if (pieceBlocks.empty()) {
            setPlainText(plain);
        } else {
            setPlainText(shown);
            QTextDocument* doc = document();
            const bool undo = doc->isUndoRedoEnabled();
            doc->setUndoRedoEnabled(false);
            QTextBlock block = doc->begin();
            int number = 0;
            for (const int pieceBlock : pieceBlocks) {
                while (number < pieceBlock) {
                    block = block.next();
                    ++number;
                }
                QTextCursor(block).mergeBlockFormat(withBreak({}, true));
            }
            doc->setUndoRedoEnabled(undo);
        }
    }
    emit changed(ChangeSource::Code);
}

int TextBox::textLength() const
{
    const QTextDocument* doc = document();
    const std::vector<int>* counts = pieces();
    // A line break counts two, a break between pieces nothing.
    return doc->characterCount() - 1 + doc->blockCount() - 1 - 2 * (counts ? counts->back() : 0);
}

int TextBox::vbPosition(int documentPosition) const
{
    const QTextDocument* doc = document();
    const int position = std::clamp(documentPosition, 0, doc->characterCount() - 1);
    const int block = doc->findBlock(position).blockNumber();
    return position + block - 2 * piecesBefore(block);
}

namespace {

// The document position of a VB position: the block it falls in is found by halving over the
// block numbers, each look-up logarithmic in the size of the document.
struct Mapped {
    int position = 0;
    bool insideLineBreak = false; // the VB position lay between CR and LF
};

// pieces: see TextBox::pieces(). The start of a piece is the same VB position as the end of the
// piece before; the later block is taken.
Mapped mapPosition(const QTextDocument* doc, int vbPosition, const std::vector<int>* pieces)
{
    const auto start = [&](int number) {
        const int before = pieces ? (*pieces)[static_cast<std::size_t>(number)] : 0;
        return doc->findBlockByNumber(number).position() + number - 2 * before;
    };
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (start(middle) <= vbPosition)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int offset = vbPosition - start(low);
    const int textLength = block.length() - 1;
    if (offset > textLength)
        return {block.position() + textLength, true};
    return {block.position() + offset, false};
}

bool splitsSurrogatePair(const QTextDocument* doc, int position)
{
    return position > 0 && doc->characterAt(position - 1).isHighSurrogate()
        && doc->characterAt(position).isLowSurrogate();
}

} // namespace

int TextBox::documentPosition(int vbPosition) const
{
    const QTextDocument* doc = document();
    const Mapped mapped = mapPosition(doc, std::clamp(vbPosition, 0, textLength()), pieces());
    return splitsSurrogatePair(doc, mapped.position) ? mapped.position - 1 : mapped.position;
}

int TextBox::selStart() const
{
    return vbPosition(textCursor().selectionStart());
}

void TextBox::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(documentPosition(start));
    setTextCursor(cursor);
    ensureCursorVisible();
}

int TextBox::selLength() const
{
    const QTextCursor cursor = textCursor();
    return vbPosition(cursor.selectionEnd()) - vbPosition(cursor.selectionStart());
}

void TextBox::setSelLength(int length)
{
    const QTextDocument* doc = document();
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int vbEnd = std::clamp(vbPosition(start) + std::max(length, 0), 0, textLength());
    const Mapped mapped = mapPosition(doc, vbEnd, pieces());
    int end = mapped.position;
    if (mapped.insideLineBreak || splitsSurrogatePair(doc, end))
        ++end; // the whole of the character the end fell into
    cursor.setPosition(start);
    cursor.setPosition(std::max(end, start), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QString TextBox::selText() const
{
    if (pieces())
        return text().mid(selStart(), selLength());
    QString selected = textCursor().selectedText();
    return selected.replace(QChar::ParagraphSeparator, crLf);
}

void TextBox::setSelText(const QString& text)
{
    Scope code(codeChange_);
    insertLimited(text);
}

void TextBox::setLocked(bool locked)
{
    setReadOnly(locked);
    if (locked) // the caret stays and moves with the keys, so that text can be selected and copied
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

bool TextBox::canUndo() const
{
    return document()->isUndoAvailable();
}

int TextBox::room() const
{
    if (maxLength_ == 0)
        return -1;
    return std::max(0, maxLength_ - (textLength() - selLength()));
}

void TextBox::insertLimited(const QString& text)
{
    QString insert = withLineEnd(text, u"\n");
    const int left = room();
    if (left >= 0)
        insert = cutToRoom(insert, left);
    if (insert.isEmpty() && !text.isEmpty())
        return; // no room left: the selection stays
    QTextCursor cursor = textCursor();
    if (insert.isEmpty())
        cursor.removeSelectedText();
    else
        insertAt(cursor, insert);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TextBox::insertAt(QTextCursor& cursor, const QString& text)
{
    // Qt gives every block it makes for a line break the format of the cursor's block, so in a
    // piece a plain insertion would make each new line continue the line before.
    if ((noPieces_ || !text.contains(u'\n')) && text.size() <= longLine) {
        cursor.insertText(text);
        return;
    }
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const QTextBlockFormat lineFormat = withBreak(cursor.blockFormat(), false);
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = QStringView(text).mid(lineStart, lineEnd - lineStart);
        qsizetype from = 0;
        for (const qsizetype start : pieceStarts(line)) {
            cursor.insertText(line.mid(from, start - from).toString());
            cursor.insertBlock(withBreak(lineFormat, true));
            from = start;
        }
        cursor.insertText(line.mid(from).toString());
        if (lineEnd == text.size())
            break;
        cursor.insertBlock(lineFormat);
        lineStart = lineEnd + 1;
    }
    cursor.endEditBlock();
}

bool TextBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride
        && shortcutOwnedByWindow(this, static_cast<QKeyEvent*>(event))) {
        event->ignore(); // the menu entry's shortcut runs
        return true;
    }
    if (isUserInput(event->type())) {
        Scope user(userInput_);
        return QPlainTextEdit::event(event);
    }
    return QPlainTextEdit::event(event);
}

bool TextBox::viewportEvent(QEvent* event)
{
    if (isUserInput(event->type())) {
        Scope user(userInput_);
        return QPlainTextEdit::viewportEvent(event);
    }
    return QPlainTextEdit::viewportEvent(event);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (keyDown_) {
        int keyCode = vbKeyCode(event->key(), event->modifiers());
        if (keyCode != 0) {
            {
                Scope code(codeChange_);
                keyDown_(keyCode, vbShiftState(event->modifiers()));
            }
            if (keyCode == 0) {
                event->accept();
                return;
            }
        }
    }

    const int typed = typedCharacter(event);
    int character = typed;
    if (keyPress_ && typed != 0) {
        {
            Scope code(codeChange_);
            keyPress_(character);
        }
        if (character == 0) {
            event->accept();
            return;
        }
    }

    if (!isReadOnly()) {
        // The box types a character the KeyPress handler put in place of the key's own, and
        // Enter (with Shift too: a line break, never Qt's separator within a paragraph); typing
        // beyond MaxLength is cut.
        if (character != typed || character == 13) {
            if (character != 8)
                insertLimited(characterText(character));
            event->accept();
            return;
        }
        if (typesText(event) && room() >= 0 && vbLength(event->text()) > room()) {
            insertLimited(event->text());
            event->accept();
            return;
        }
        // Backspace and Delete take the character beyond a break between pieces, not the break.
        const bool backspace = event->key() == Qt::Key_Backspace;
        if (!noPieces_ && (backspace || event->key() == Qt::Key_Delete)) {
            QTextCursor cursor = textCursor();
            const QTextBlock block = cursor.block();
            if (!cursor.hasSelection()) {
                if (backspace && cursor.atBlockStart() && block.blockNumber() > 0
                    && continuesLine(block))
                    cursor.setPosition(cursor.position() - 1);
                else if (!backspace && cursor.atBlockEnd() && block.next().isValid()
                         && continuesLine(block.next()))
                    cursor.setPosition(cursor.position() + 1);
                setTextCursor(cursor);
            }
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    const int left = room();
    if (left >= 0 && !isReadOnly() && !event->commitString().isEmpty()) {
        const QString cut = cutToRoom(withLineEnd(event->commitString(), u"\n"), left);
        event->setCommitString(cut, event->replacementStart(), event->replacementLength());
    }
    // A committed line break inside a piece would take the piece's format, so that it was no
    // line break of the text: such a commit goes in as pasted text does, after Qt has ended the
    // composition and removed what it replaces.
    const QString commit = event->commitString();
    if (!noPieces_ && commit.contains(u'\n') && event->preeditString().isEmpty()) {
        QInputMethodEvent ohneText(QString(), event->attributes());
        ohneText.setCommitString(QString(), event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&ohneText);
        QTextCursor cursor = textCursor();
        insertAt(cursor, commit);
        setTextCursor(cursor);
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        insertLimited(source->text());
}

QMimeData* TextBox::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(selText());
    return data;
}

// ---------------------------------------------------------------------------------------------
// LineTextBox

LineTextBox::LineTextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this,
            [this] { emit changed(sourceOf(codeChange_, userInput_)); });
}

int LineTextBox::selStart() const
{
    return hasSelectedText() ? static_cast<int>(selectionStart()) : cursorPosition();
}

void LineTextBox::setSelStart(int start)
{
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

int LineTextBox::selLength() const
{
    return static_cast<int>(selectedText().size());
}

void LineTextBox::setSelLength(int length)
{
    const int start = selStart();
    const int rest = static_cast<int>(text().size()) - start;
    setSelection(start, std::clamp(length, 0, rest));
}

void LineTextBox::setSelText(const QString& text)
{
    Scope code(codeChange_);
    insert(text);
}

int LineTextBox::maxLength() const
{
    const int length = QLineEdit::maxLength();
    return length >= 32767 ? 0 : length;
}

void LineTextBox::setMaxLength(int length)
{
    QLineEdit::setMaxLength(length <= 0 ? 32767 : length);
}

bool LineTextBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride
        && shortcutOwnedByWindow(this, static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    if (isUserInput(event->type())) {
        Scope user(userInput_);
        return QLineEdit::event(event);
    }
    return QLineEdit::event(event);
}

} // namespace platform
