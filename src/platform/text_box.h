#pragma once
// Text boxes as the program's procedures see them: the text has CR LF line ends, and positions
// and lengths (SelStart, SelLength) count every line break as two characters, so that positions
// found with InStr in text() select the same characters in the box.
//
//   platform::TextBox* Text = new platform::TextBox(this);     // multi-line: the editor
//   Text->setObjectName(u"Text"_qs);
//   Text->setText(u"Zeile 1\r\nZeile 2"_qs);
//   Text->setSelStart(9);                                      // after the line break
//   Text->setSelLength(5);                                     // "Zeile"
//   Text->setSelText(u"Satz"_qs);                              // "Zeile 1\r\nSatz 2"
//
// Line ends handed in may be CR LF, LF or CR (and the Unicode line and paragraph separators):
// each becomes one line break, read back as CR LF. Characters count in UTF-16 units, as the
// text's positions always did; a position that falls between the halves of a surrogate pair or
// between the CR and the LF of a line break is taken as the start of that character (for the
// end of a selection, its end), so that no character is ever split.
//
// Locked boxes refuse every edit by the user but can still be navigated, selected and copied
// from; the program may still set their text. MaxLength limits what the user types, pastes or
// drops and what setSelText() inserts (the excess is cut off); setText() is not limited.
//
// A line of more than longLine characters is shown in pieces of about pieceLength characters,
// each piece a paragraph of its own that continues the line of the one before: Qt lays out and
// shapes a paragraph as a whole on every change, which takes seconds for a line of a megabyte.
// The breaks between the pieces are for the display only: they are never part of text(),
// selText(), the clipboard or any position; the caret at the end of one piece and at the start
// of the next is the same position. Backspace and Delete step over such a break, so that they
// take a character as everywhere else.
//
// changed() tells where a change came from: ChangeSource::User while the box handles the user's
// typing, pasting, dropping or its own context menu; ChangeSource::Code for everything the
// program does, setText() and setSelText() included, and for whatever the key handlers do.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QString>

#include <functional>
#include <vector>

namespace platform {

enum class ChangeSource {
    Code, // set by the program
    User, // typed, pasted or dropped by the user
};

// The multi-line text box (the editor of a day's entry, text areas of dialogs).
class TextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    // The whole text with CR LF line ends.
    QString text() const;
    // Replaces the whole text (line ends as above); the caret goes to 0, the undo history is
    // cleared. The same text again changes nothing.
    void setText(const QString& text);
    // Length of text(), without building it.
    int textLength() const;

    // The selection (VB's SelStart, SelLength, SelText). SelStart is the start of the selection
    // whichever way the user selected; setting it removes the selection and moves the caret
    // there (clamped to 0 .. textLength()). Setting SelLength selects from SelStart on (clamped
    // to what is left of the text). Setting SelText replaces the selection, or inserts at the
    // caret; the caret ends behind the inserted text with nothing selected.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    void setSelText(const QString& text);

    // Conversions between VB positions (line breaks count two) and positions of the document.
    int documentPosition(int vbPosition) const;
    int vbPosition(int documentPosition) const;

    // VB's Locked: read-only for the user, but still selectable and copyable.
    bool locked() const { return isReadOnly(); }
    void setLocked(bool locked);

    // VB's MaxLength: 0 means no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length < 0 ? 0 : length; }

    // Lines longer than this are shown in pieces; a piece ends after a space where it can.
    static constexpr int longLine = 10000;
    static constexpr int pieceLength = 4000;

    // Inserts text (line ends as '\n') at a cursor of this box in place of its selection, as the
    // box's own insertions do: long lines in pieces, every line end a line break of the text
    // whatever block the cursor is in. Not limited by MaxLength.
    void insertAt(QTextCursor& cursor, const QString& text);

    // Whether the box itself can undo the last edit, and undoing it.
    bool canUndo() const;

    // VB's KeyDown and KeyPress events, run before the box handles a key. KeyDown gets the VB
    // key code (vbKeyCode(), keyboard.h) and the shift state (1 Shift, 2 Ctrl, 4 Alt); setting
    // the code to 0 swallows the key. KeyPress gets the character a key types (13 for Enter,
    // 9 for Tab, 8 for Backspace); 0 swallows it, another character is typed in its place.
    using KeyDownHandler = std::function<void(int& keyCode, int shift)>;
    using KeyPressHandler = std::function<void(int& keyAscii)>;
    void setKeyDownHandler(KeyDownHandler handler) { keyDown_ = std::move(handler); }
    void setKeyPressHandler(KeyPressHandler handler) { keyPress_ = std::move(handler); }

signals:
    // After every change of the text.
    void changed(platform::ChangeSource source);

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    // Copying and dragging give the selection with CR LF line ends.
    QMimeData* createMimeDataFromSelection() const override;

private:
    // Inserts text at the caret in place of the selection, cut to MaxLength.
    void insertLimited(const QString& text);
    // How many VB characters may still be inserted in place of the selection; -1 no limit.
    int room() const;
    void contentsChange(int position, int removed, int added);
    // Display-only breaks: how many of the blocks 1 .. blockNumber continue the line of the block
    // before; pieces() is null while the document has no such block.
    const std::vector<int>* pieces() const;
    int piecesBefore(int blockNumber) const;

    KeyDownHandler keyDown_;
    KeyPressHandler keyPress_;
    int maxLength_ = 0;
    int userInput_ = 0; // > 0 while the box handles input of the user
    int codeChange_ = 0; // > 0 while the program changes the text (takes precedence)
    int replacingAll_ = 0; // > 0 while setText() replaces the whole text
    mutable bool noPieces_ = true;         // no block of the document continues the line before
    mutable bool piecesStale_ = false;
    mutable std::vector<int> pieceCount_; // see pieces()
};

// The single-line text box of dialogs. Text, selection, Locked and MaxLength as above; there
// are no line breaks. MaxLength 0 means the longest text a line box holds (32767); a longer text
// set by the program is cut to MaxLength, as Qt's line boxes do.
class LineTextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit LineTextBox(QWidget* parent = nullptr);

    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const { return selectedText(); }
    void setSelText(const QString& text);

    bool locked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    int maxLength() const;
    void setMaxLength(int length);

signals:
    void changed(platform::ChangeSource source);

protected:
    bool event(QEvent* event) override;

private:
    int userInput_ = 0;
    int codeChange_ = 0;
};

// Whether a registered, enabled menu entry of the widget's window owns the shortcut of the key
// event (actions.h); text boxes then leave the key to the entry.
bool shortcutOwnedByWindow(const QWidget* widget, const QKeyEvent* event);

// The text with every line end (CR LF, LF, CR, U+2028, U+2029) as CR LF.
QString withCrLf(const QString& text);
// The length with line breaks counted as two (text with any of the line ends above).
int vbLength(const QString& text);

} // namespace platform
