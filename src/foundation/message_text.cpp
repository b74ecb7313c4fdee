#include "message_text.h"

#include "text_replace.h"

#include "platform/clock.h"
#include "platform/text_box.h"
#include "platform/text_file.h"
#include "runtime/lines.h"
#include "runtime/format.h"
#include "runtime/strings.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace foundation {

namespace {

const QString crLf = u"\r\n"_qs;

// The selection is replaced through the cursor, so the undo history stays. The document keeps
// a line break as one character where the text box model counts CR LF as two; as every line end
// of the inserted text becomes one line break of the document, the caret ends behind the
// insertion in both counts.
void einfuegen(QPlainTextEdit* /*edit*/, QTextCursor& cursor, const QString& text)
{
    cursor.insertText(text);
}
void einfuegen(QTextEdit* /*edit*/, QTextCursor& cursor, const QString& text)
{
    cursor.insertText(text);
}
// The program's text boxes may show a long line in pieces; they insert themselves.
void einfuegen(platform::TextBox* box, QTextCursor& cursor, const QString& text)
{
    box->insertAt(cursor, text);
}

template <class Edit>
void insDokument(Edit* edit, const QString& text)
{
    QTextCursor cursor = edit->textCursor();
    einfuegen(edit, cursor, rt::unifyLineEnds(text, u"\n"_qs));
    cursor.clearSelection();
    edit->setTextCursor(cursor);
}

} // namespace

QString MeldungAufbereiten(const QString& text)
{
    QString t = rt::LTrim(text);
    if (t.isEmpty())
        return t;
    t = TextErsetzen(t, u"~"_qs, crLf);
    t = TextErsetzen(t, u"^t"_qs, u"\t"_qs);
    t = TextErsetzen(t, u"{datum}"_qs, rt::Format(platform::clock().now(), u"dd.mm.yyyy"_qs));
    t = TextErsetzen(t, crLf + u' ', crLf);

    // Acute accents open and close in turn over the whole text.
    bool oeffnen = true;
    for (QChar& c : t) {
        if (c == u'´') {
            c = oeffnen ? u'»' : u'«';
            oeffnen = !oeffnen;
        }
    }

    // Grave accents pair up within a line; one left alone stays.
    qsizetype offen = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i) == u'\r') {
            offen = -1;
        } else if (t.at(i) == u'`') {
            if (offen >= 0) {
                t[offen] = u'»';
                t[i] = u'«';
                offen = -1;
            } else {
                offen = i;
            }
        }
    }

    const QString drei = crLf + crLf + crLf;
    const QString zwei = crLf + crLf;
    for (int durchgang = 0; durchgang <= 255 && t.contains(drei); ++durchgang)
        t = TextErsetzen(t, drei, zwei);
    return t;
}

void TextEinfuegen(QWidget* control, const QString& text)
{
    if (auto* zeile = qobject_cast<QLineEdit*>(control)) {
        zeile->insert(text);
        zeile->deselect();
    } else if (auto* box = qobject_cast<platform::TextBox*>(control)) {
        insDokument(box, text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        insDokument(plain, text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        insDokument(rich, text);
    } else {
        return;
    }
    control->setFocus();
}

std::optional<QString> TextdateiLesen(const QString& path)
{
    const std::optional<QString> text = platform::readTextFileOrEmpty(path);
    if (!text)
        return std::nullopt;
    // Line by line, each line ended by CR LF, and the last CR LF taken off again.
    return rt::splitLines(*text).join(crLf);
}

} // namespace foundation
