#include "runtime/codec.h"
#include "runtime/error.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

class Codec : public ::testing::Test {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }
};

TEST_F(Codec, everyByteGoesThroughAndBack)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = rt::fromAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_TRUE(rt::fitsAnsi(text));
    EXPECT_EQ(rt::toAnsi(text), all);
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(rt::charToAnsi(rt::ansiToChar(static_cast<unsigned char>(b))), b);
        EXPECT_EQ(rt::Asc(QString(rt::Chr(b))), b);
    }
    EXPECT_EQ(rt::Err().number, 0);
}

TEST_F(Codec, windowsTableForHighBytes)
{
    struct Row {
        int byte;
        char16_t ch;
    };
    const Row rows[] = {
        {0x80, u'\u20AC'}, {0x93, u'\u201C'}, {0x94, u'\u201D'}, {0x84, u'\u201E'}, {0x96, u'\u2013'},
        {0x9F, u'\u0178'}, {0x81, u'\u0081'}, {0xA0, u'\u00A0'}, {0xE4, u'\u00E4'}, {0xDF, u'\u00DF'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.byte);
        EXPECT_EQ(rt::ansiToChar(static_cast<unsigned char>(row.byte)), QChar(row.ch));
        EXPECT_EQ(rt::Chr(row.byte), QChar(row.ch));
        EXPECT_EQ(rt::Asc(QString(QChar(row.ch))), row.byte);
    }
    // U+0080 itself has no byte: 0x80 is the euro sign.
    EXPECT_EQ(rt::charToAnsi(QChar(0x0080)), -1);
}

TEST_F(Codec, charactersWithoutByte)
{
    const QString text = QStringLiteral("a\u0151b");
    EXPECT_FALSE(rt::fitsAnsi(text));
    EXPECT_EQ(rt::toAnsi(text), QByteArray("a?b"));
    EXPECT_EQ(rt::Asc(QStringLiteral("\u0151")), 63);
    EXPECT_EQ(rt::Err().number, 0);
}

TEST_F(Codec, chrAndAscErrors)
{
    EXPECT_EQ(rt::Asc(QString()), 0);
    EXPECT_EQ(rt::Err().number, rt::ErrInvalidCall);
    for (int code : {-1, 256}) {
        SCOPED_TRACE(code);
        rt::clearError();
        EXPECT_EQ(rt::Chr(code), QChar());
        EXPECT_EQ(rt::Err().number, rt::ErrInvalidCall);
    }
    EXPECT_EQ(rt::Asc(QStringLiteral("Abc")), 65);
}

TEST_F(Codec, textThatFitsIsWrittenAsWindows1252)
{
    const QString text = QStringLiteral("Gr\u00FC\u00DFe \u20AC \u201Ezitiert\u201C\r\n");
    const QByteArray bytes = rt::encodeText(text);
    EXPECT_EQ(bytes, QByteArray("Gr\xFC\xDF" "e \x80 \x84zitiert\x93\r\n"));
    EXPECT_FALSE(rt::hasUtf8Bom(bytes));
    EXPECT_EQ(rt::decodeText(bytes), text);
}

TEST_F(Codec, textThatDoesNotFitIsWrittenAsUtf8WithBom)
{
    const QString text = QStringLiteral("Erd\u0151s P\u00E1l \u20AC\r\n");
    const QByteArray bytes = rt::encodeText(text);
    EXPECT_TRUE(rt::hasUtf8Bom(bytes));
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    EXPECT_EQ(rt::decodeText(bytes), text);
}

TEST_F(Codec, textLookingLikeBomSurvives)
{
    // "ï»¿" fits Windows-1252, but its bytes are the byte-order mark: written as such, a reader
    // would take them for the mark and lose them.
    const QString text = QStringLiteral("\u00EF\u00BB\u00BFabc");
    EXPECT_EQ(rt::decodeText(rt::encodeText(text)), text);
}

TEST_F(Codec, decodeReadsBomAsUtf8AndAnythingElseAsWindows1252)
{
    EXPECT_EQ(rt::decodeText(QByteArray("\xEF\xBB\xBF" "\xC3\xA4")), QStringLiteral("\u00E4"));
    EXPECT_EQ(rt::decodeText(QByteArray("\xC3\xA4")), QStringLiteral("\u00C3\u00A4"));
    EXPECT_EQ(rt::decodeText(QByteArray("\xEF\xBB\xBF")), QString());
    EXPECT_EQ(rt::decodeText(QByteArray()), QString());
    EXPECT_EQ(rt::encodeText(QString()), QByteArray());
}

TEST_F(Codec, externalTextIsUtf8WhenValidElseWindows1252)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString expected;
    };
    const Case cases[] = {
        {"mark dropped", QByteArray("\xEF\xBB\xBF" "Gr\xC3\xBC\xC3\x9F" "e"), QStringLiteral("Grüße")},
        {"valid UTF-8 without mark", QByteArray("Stra\xC3\x9F" "e\n"), QStringLiteral("Straße\n")},
        {"Windows-1252 umlauts", QByteArray("Gr\xFC\xDF" "e \x80"), QStringLiteral("Grüße €")},
        {"one broken sequence makes all Windows-1252", QByteArray("\xC3\xA4 \xE4"),
         QStringLiteral("Ã¤ ä")},
        {"cut-off sequence at the end", QByteArray("a\xC3"), QStringLiteral("aÃ")},
        {"ASCII", QByteArray("Tag 1\r\n"), QStringLiteral("Tag 1\r\n")},
        {"empty", QByteArray(), QString()},
        {"mark alone", QByteArray("\xEF\xBB\xBF"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rt::decodeExternalText(c.bytes), c.expected);
    }
}

} // namespace
