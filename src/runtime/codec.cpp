#include "codec.h"

#include "error.h"

#include <QStringDecoder>
#include <array>

namespace rt {

namespace {

// 0x80-0x9F of code page 1252; the five unassigned bytes keep their C1 code point.
constexpr std::array<char16_t, 32> windows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const char utf8Bom[] = "\xEF\xBB\xBF";

} // namespace

QChar ansiToChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(windows1252High[byte - 0x80]);
    return QChar(byte);
}

int charToAnsi(QChar ch)
{
    const char16_t code = ch.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return code;
    for (std::size_t i = 0; i < windows1252High.size(); ++i) {
        if (windows1252High[i] == code)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

bool fitsAnsi(const QString& text)
{
    for (const QChar ch : text) {
        if (charToAnsi(ch) < 0)
            return false;
    }
    return true;
}

QByteArray toAnsi(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const auto* von = reinterpret_cast<const char16_t*>(text.constData());
    char* nach = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = von[i];
        if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
            nach[i] = static_cast<char>(ch);
        } else {
            const int code = charToAnsi(QChar(ch));
            nach[i] = static_cast<char>(code < 0 ? '?' : code);
        }
    }
    return bytes;
}

QString fromAnsi(const QByteArray& bytes)
{
    // Latin-1 is 1252 but for 0x80-0x9F, which are rare: Qt's fast conversion, then those
    // bytes mended.
    QString text = QString::fromLatin1(bytes);
    char16_t* zeichen = nullptr;
    const auto* byte = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if ((byte[i] & 0xE0) != 0x80)
            continue;
        if (zeichen == nullptr)
            zeichen = reinterpret_cast<char16_t*>(text.data());
        zeichen[i] = windows1252High[byte[i] - 0x80];
    }
    return text;
}

QChar Chr(int code)
{
    if (code < 0 || code > 255) {
        raiseError(ErrInvalidCall);
        return QChar();
    }
    return ansiToChar(static_cast<unsigned char>(code));
}

int Asc(const QString& text)
{
    if (text.isEmpty()) {
        raiseError(ErrInvalidCall);
        return 0;
    }
    const int code = charToAnsi(text.at(0));
    return code < 0 ? '?' : code;
}

bool hasUtf8Bom(const QByteArray& bytes)
{
    return bytes.startsWith(utf8Bom);
}

QString decodeText(const QByteArray& bytes)
{
    if (hasUtf8Bom(bytes))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return fromAnsi(bytes);
}

QString decodeExternalText(const QByteArray& bytes)
{
    if (hasUtf8Bom(bytes))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromAnsi(bytes);
}

QByteArray encodeText(const QString& text)
{
    // A text that begins with "ï»¿" fits, but its Windows-1252 bytes are the byte-order mark,
    // which the reader would take as such: it goes out as UTF-8 as well.
    if (fitsAnsi(text)) {
        QByteArray bytes = toAnsi(text);
        if (!hasUtf8Bom(bytes))
            return bytes;
    }
    return QByteArray(utf8Bom) + text.toUtf8();
}

} // namespace rt
