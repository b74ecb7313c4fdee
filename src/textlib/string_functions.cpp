#include "string_functions.h"

#include "text_replace.h"

#include "foundation/ui_services.h"
#include "foundation/ini_store.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_box.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <array>

namespace textlib {

namespace {

const QString crLf = QStringLiteral("\r\n");

bool isLineBreakChar(QChar ch)
{
    return ch == u'\r' || ch == u'\n';
}

// Whether ch occurs in set, both lower-cased.
bool containsNoCase(const QString& set, QChar ch)
{
    const QChar lower = rt::LCaseChar(ch);
    for (QChar candidate : set) {
        if (rt::LCaseChar(candidate) == lower)
            return true;
    }
    return false;
}

// Code page 850, the DOS code page of Western Europe: the characters of the bytes 0x80-0xFF.
// Below 0x80 it agrees with ASCII.
constexpr std::array<char16_t, 128> codePage850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, // 0x80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, // 0x88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, // 0x90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, // 0x98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, // 0xA0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, // 0xB0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, // 0xC8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, // 0xD0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, // 0xD8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, // 0xE0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, // 0xE8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, // 0xF0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0, // 0xF8
};

// A rate as the settings keep it: digits, "," and "." only, "," as the decimal point.
QString rateText(const QString& text)
{
    return TextErsetzen(ZeichenFiltern(text, QStringLiteral("0123456789,.")), QStringLiteral(","),
                        QStringLiteral("."));
}

} // namespace

QString Utf8Korrigieren(const QString& text)
{
    // Each find text is the UTF-8 form of the character read byte by byte as Windows-1252, so
    // "ü" (C3 BC) is looked for as "Ã¼" and "Ü" (C3 9C) as "Ãœ".
    static const QString repaired = QStringLiteral("üÜäÄöÖßé");
    QString result = text;
    for (QChar ch : repaired) {
        const QString original(ch);
        result = TextErsetzenExakt(result, rt::fromAnsi(original.toUtf8()), original);
    }
    return result;
}

QString HtmlNachText(const QString& html, bool tagsRemoved)
{
    QString text = html;
    if (!tagsRemoved) {
        text = TextErsetzen(text, crLf, QString());
        text = TextErsetzen(text, QStringLiteral("\n"), QString());
        text = TextErsetzen(text, QStringLiteral("\r"), QString());
        text = TextErsetzen(text, QStringLiteral("<br>"), crLf);
        // "<" and everything up to the next ">" go; the ">" itself stays for the next step.
        QString kept;
        kept.reserve(text.size());
        bool inTag = false;
        for (QChar ch : text) {
            if (ch == u'<')
                inTag = true;
            if (ch == u'>')
                inTag = false;
            if (!inTag)
                kept.append(ch);
        }
        text = kept;
    }
    text = TextErsetzen(text, QStringLiteral(">"), QString());
    static const std::array<std::pair<const char16_t*, const char16_t*>, 8> entities = {{
        {u"&nbsp;", u" "},
        {u"&gt;", u">"},
        {u"&auml;", u"ä"},
        {u"&ouml;", u"ö"},
        {u"&uuml;", u"ü"},
        {u"&szlig;", u"ß"},
        {u"&amp;", u"&"},
        {u"&quot;", u"\""},
    }};
    for (const auto& [entity, character] : entities)
        text = TextErsetzen(text, QString::fromUtf16(entity), QString::fromUtf16(character));
    for (int pass = 0; pass < 2; ++pass)
        text = TextErsetzen(text, QStringLiteral("  "), QStringLiteral(" "));
    return text;
}

qint32 TeiltextZaehlen(const QString& text, const QString& part)
{
    if (part.isEmpty())
        return 0;
    const QString lowerText = rt::LCase(text);
    const QString lowerPart = rt::LCase(part);
    qint32 count = 0;
    // The next search starts one character after the hit's first character.
    for (qsizetype pos = lowerText.indexOf(lowerPart); pos >= 0;
         pos = lowerText.indexOf(lowerPart, pos + 1))
        ++count;
    return count;
}

QString EndungEntfernen(const QString& text, const QString& suffix)
{
    if (suffix.isEmpty())
        return text;
    QString result = text;
    while (result.size() >= suffix.size()
           && rt::equalsNoCase(rt::Right(result, rt::Len(suffix)), suffix))
        result.chop(suffix.size());
    return result;
}

QString AusserhalbZitatErsetzen(const QString& text, const QString& quote,
                                const QString& characters, const QString& replacement)
{
    if (text.size() < 3)
        return text;
    const QChar quoteChar = quote.isEmpty() ? QChar(u'"') : quote.front();
    const QString toReplace = characters.isEmpty() ? QStringLiteral(" ") : characters;
    const QChar replacementChar = replacement.isEmpty() ? QChar(u' ') : replacement.front();
    const QChar lowerQuote = rt::LCaseChar(quoteChar);
    QString result = text;
    bool insideQuotes = false;
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (rt::LCaseChar(result[i]) == lowerQuote)
            insideQuotes = !insideQuotes;
        if (insideQuotes && containsNoCase(toReplace, result[i]))
            result[i] = replacementChar;
    }
    return TextErsetzen(result, QString(quoteChar), QString());
}

QString LeerzeilenBereinigen(const QString& text)
{
    QString result = text;
    qsizetype from = 0;
    while (from < result.size() && isLineBreakChar(result[from]))
        ++from;
    result.remove(0, from);
    const QString three = crLf + crLf + crLf;
    const QString two = crLf + crLf;
    for (int pass = 0; pass < 256 && result.contains(three); ++pass)
        result = TextErsetzen(result, three, two);
    while (!result.isEmpty() && isLineBreakChar(result.back()))
        result.chop(1);
    return result;
}

QString ZeilenendenAngleichen(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.count(u'\r'));
    for (QChar ch : text) {
        result.append(ch);
        if (ch == u'\r')
            result.append(u'\n');
    }
    return result;
}

QString OemNachAnsi(const QString& text)
{
    QString result = text;
    for (QChar& ch : result) {
        const int byte = rt::charToAnsi(ch);
        if (byte >= 0x80)
            ch = QChar(codePage850[static_cast<std::size_t>(byte - 0x80)]);
    }
    return result;
}

std::optional<QString> DateiEinlesen(const QString& path)
{
    const platform::BusyPointer hourglass;
    return platform::readTextFileOrEmpty(path);
}

std::optional<QString> FremdeDateiEinlesen(const QString& path)
{
    const platform::BusyPointer hourglass;
    const QFileInfo info(platform::resolvePath(path));
    if (!info.exists() || info.isDir())
        return QString();
    const std::optional<QByteArray> bytes = platform::readFile(path);
    if (!bytes)
        return std::nullopt;
    return rt::decodeExternalText(*bytes);
}

QString InEuroUmrechnen(const QString& amountText)
{
    const QString title = QStringLiteral("Umrechnung in Euro");
    const std::optional<double> amount =
        rt::parseGermanNumber(ZeichenFiltern(amountText, QStringLiteral("0123456789,.")));
    if (!amount) {
        platform::dialogs().msgBox(u"Der Text »"_qs + amountText + u"« enthält keinen Betrag."_qs,
                                   platform::vbOKOnly | platform::vbExclamation, title);
        return {};
    }

    const QString section = QStringLiteral("Allgemein");
    const QString key = QStringLiteral("Währung2Euro");
    QString rate = rateText(foundation::IniLesen(QString(), section, key, QString()));
    // A missing, zero or unreadable rate is asked for until the user gives one or cancels.
    while (!(rt::Val(rate) > 0 && std::isfinite(rt::Val(rate)))) {
        const std::optional<QString> answer = platform::dialogs().inputBox(
            QStringLiteral("Bitte den Umrechnungs-Quotienten für Euro festlegen."), title,
            QStringLiteral("1.95583"));
        if (!answer) {
            foundation::IniSchreiben(QString(), section, key, QString());
            return {};
        }
        rate = rateText(*answer);
    }
    foundation::IniSchreiben(QString(), section, key, rate);

    if (rt::UCase(rt::Right(amountText, 3)) == u"EUR" || amountText.endsWith(u'€')) {
        const int answer = platform::dialogs().msgBox(
            u"Der Text »"_qs + amountText
                + u"« scheint schon ein Euro-Betrag zu sein. Fortsetzen?"_qs,
            platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2, title);
        if (answer != platform::vbYes)
            return {};
    }

    const QString euro = rt::Format(*amount / rt::Val(rate), QStringLiteral("0.00")) + u" €"_qs;
    if (foundation::ShiftGedrueckt())
        return euro + u" ("_qs + rt::Trim(amountText) + u')';
    return euro;
}

QString LinksKuerzen(const QString& text, const QString& set)
{
    qsizetype from = 0;
    while (from < text.size() && set.contains(text[from]))
        ++from;
    return text.mid(from);
}

QString RechtsKuerzen(const QString& text, const QString& set)
{
    qsizetype to = text.size();
    while (to > 0 && set.contains(text[to - 1]))
        --to;
    return text.left(to);
}

QString AbschnittEntfernen(const QString& text, const QString& startMarker,
                           const QString& endMarker)
{
    if (text.isEmpty())
        return text;
    const int start = rt::InStr(1, text, startMarker, true);
    if (start == 0)
        return text;
    const int end = rt::InStr(start, text, endMarker, true);
    if (end == 0)
        return text;
    return rt::Left(text, start - 1) + rt::Mid(text, end + rt::Len(endMarker));
}

QString TextZwischen(const QString& text, const QString& startMarker, const QString& endMarker)
{
    if (text.isEmpty() || startMarker.isEmpty())
        return {};
    const int start = rt::InStr(1, text, startMarker, true);
    if (start == 0)
        return {};
    const int from = start + rt::Len(startMarker);
    int end = 0;
    if (endMarker.isEmpty()) {
        // The end of the line, whichever line end the text uses.
        for (int i = from; i <= rt::Len(text) && end == 0; ++i) {
            if (isLineBreakChar(text[i - 1]))
                end = i;
        }
    } else {
        end = rt::InStr(from, text, endMarker, true);
    }
    if (end == 0)
        return rt::Mid(text, from);
    return rt::Mid(text, from, end - from);
}

QString ErstesWort(const QString& text, const QString& delimiters)
{
    const QString set = delimiters.isEmpty() ? QStringLiteral("\t\r\n .,-:!?()[]_") : delimiters;
    qsizetype end = 0;
    while (end < text.size() && !containsNoCase(set, text[end]))
        ++end;
    return text.left(end);
}

std::optional<Auswahl> ZitatBereich(const QString& text, int selStart)
{
    const int length = rt::Len(text);
    const auto at = [&text](int pos) { return text[pos - 1]; };
    // Backwards from the character behind the caret.
    int opening = 0;
    for (int pos = std::min(selStart + 1, length); pos >= 1; --pos) {
        if (at(pos) == u'"') {
            opening = pos;
            break;
        }
        if (isLineBreakChar(at(pos)))
            break;
    }
    if (opening == 0)
        return std::nullopt;
    // Forwards from the character after the one the backward walk began with.
    int closing = 0;
    for (int pos = std::max(selStart + 2, 1); pos <= length; ++pos) {
        if (at(pos) == u'"') {
            closing = pos;
            break;
        }
        if (isLineBreakChar(at(pos)))
            break;
    }
    if (closing == 0)
        return std::nullopt;
    return Auswahl{opening, closing - opening - 1};
}

namespace {

// ZitatMarkieren on a control that holds a text document; its line breaks are one character.
template <class Editor>
void zitatImDokument(Editor* editor)
{
    QTextCursor cursor = editor->textCursor();
    const std::optional<Auswahl> bereich =
        ZitatBereich(editor->toPlainText(), static_cast<int>(cursor.selectionStart()));
    if (!bereich)
        return;
    cursor.setPosition(bereich->selStart);
    cursor.setPosition(bereich->selStart + bereich->selLength, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

} // namespace

void ZitatMarkieren(QWidget* control)
{
    if (auto* zeile = qobject_cast<QLineEdit*>(control)) {
        const int selStart = zeile->hasSelectedText() ? static_cast<int>(zeile->selectionStart())
                                                      : static_cast<int>(zeile->cursorPosition());
        if (const std::optional<Auswahl> bereich = ZitatBereich(zeile->text(), selStart))
            zeile->setSelection(bereich->selStart, bereich->selLength);
    } else if (auto* box = qobject_cast<platform::TextBox*>(control)) {
        // The program's text boxes: their text and positions, a long line whole.
        if (const std::optional<Auswahl> bereich = ZitatBereich(box->text(), box->selStart())) {
            box->setSelStart(bereich->selStart);
            box->setSelLength(bereich->selLength);
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        zitatImDokument(plain);
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        zitatImDokument(rich);
    }
}

QString TextErsetzenExakt(const QString& text, const QString& find, const QString& replacement)
{
    return rt::Replace(text, find, replacement);
}

QString ZeichenFiltern(const QString& text, const QString& allowed)
{
    static const QString letters =
        QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzäöüßABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ");
    QString set = allowed;
    if (allowed == u"#abc")
        set = letters;
    else if (allowed == u"#abc-")
        set = letters + QStringLiteral("_-()");
    else if (allowed == u"#0")
        set = QStringLiteral("0123456789");
    QString result;
    result.reserve(text.size());
    for (QChar ch : text) {
        if (set.contains(ch))
            result.append(ch);
    }
    return result;
}

QString LeerraumBereinigen(const QString& text)
{
    const auto isEdge = [](QChar ch) { return ch == u' ' || isLineBreakChar(ch); };
    QString result = text;
    qsizetype from = 0;
    while (from < result.size() && isEdge(result[from]))
        ++from;
    result.remove(0, from);
    while (!result.isEmpty() && isEdge(result.back()))
        result.chop(1);
    const QString breakBlank = crLf + u' ';
    const QString blankBreak = u' ' + crLf;
    for (int round = 0; round < 10; ++round) {
        result = rt::Trim(result);
        result = TextErsetzen(result, breakBlank, crLf);
        result = rt::Trim(result);
        result = TextErsetzen(result, blankBreak, crLf);
    }
    return result;
}

QString ZeilenumbruchKuerzen(const QString& text, bool onlyAtEnd)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    if (!onlyAtEnd) {
        while (from < to && isLineBreakChar(text[from]))
            ++from;
    }
    while (to > from && isLineBreakChar(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

} // namespace textlib
