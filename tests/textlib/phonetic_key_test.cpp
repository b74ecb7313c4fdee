#include "textlib/phonetic_key.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

using textlib::PhonetikErsetzen;
using textlib::PhonetischerSchluessel;

TEST(PhonetischerSchluessel, givesTheKeysOfSoundAlikeWords)
{
    struct Case {
        QString text, key;
    } cases[] = {
        {u""_qs, u""_qs},
        {u"   "_qs, u""_qs},
        {u"Mayer"_qs, u"meir"_qs}, {u"Maier"_qs, u"meir"_qs}, {u"Meyer"_qs, u"meir"_qs}, {u"Meier"_qs, u"meir"_qs},
        {u"Kaiser"_qs, u"keiser"_qs}, {u"Keyser"_qs, u"keiser"_qs},
        {u"Straße"_qs, u"sdrase"_qs}, {u"Strasse"_qs, u"sdrase"_qs},
        {u"Vater"_qs, u"fader"_qs}, {u"Fater"_qs, u"fader"_qs},
        {u"Thee"_qs, u"de"_qs}, {u"Tee"_qs, u"de"_qs},
        {u"Zentrum"_qs, u"zemdrum"_qs}, {u"Centrum"_qs, u"zemdrum"_qs},
        {u"Philipp"_qs, u"filip"_qs}, {u"Uhr"_qs, u"ur"_qs},
        {u"Tisch"_qs, u"disk"_qs}, {u"Schule"_qs, u"skule"_qs},
        {u"Müller"_qs, u"muler"_qs}, {u"Mueller"_qs, u"mueler"_qs},
        {u"Café"_qs, u"kaf"_qs}, {u"Ärger"_qs, u"arger"_qs}, {u"Ölung"_qs, u"olumg"_qs},
        {u"  Guten Tag!  "_qs, u"gudemdag"_qs},
        {u"Zimmer 11"_qs, u"zimer11"_qs},
        // Occurrences that a replacement forms with the characters before it are replaced too.
        {u"Ahhh"_qs, u"a"_qs}, {u"Knieen"_qs, u"kmim"_qs}, {u"aae"_qs, u"ei"_qs},
        // Tabs and digits are never collapsed, other runs are.
        {u"a\t\tb"_qs, u"a\t\tb"_qs}, {u"a\r\nb"_qs, u"a\r\nb"_qs}, {u"a\r\rb"_qs, u"a\rb"_qs},
        {u"a;;,,b"_qs, u"a;,b"_qs},
        // Blanks are trimmed, tabs and line breaks are not.
        {u"\tx"_qs, u"\tx"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(PhonetischerSchluessel(c.text, {}), c.key);
    }
}

TEST(PhonetischerSchluessel, keepsExtraCharacters)
{
    EXPECT_EQ(PhonetischerSchluessel(u"a-b"_qs, {}), u"ab"_qs);
    EXPECT_EQ(PhonetischerSchluessel(u"a-b"_qs, u"-"_qs), u"a-b"_qs);
    EXPECT_EQ(PhonetischerSchluessel(u"a--b"_qs, u"-"_qs), u"a-b"_qs);
}

TEST(PhonetikErsetzen, matchesRepeatedSearchFromTheFirstCharacter)
{
    // The reference: search from the first character again after every replacement.
    const auto reference = [](QString text, const QString& find, const QString& replacement) {
        for (qsizetype pos = text.indexOf(find); pos >= 0; pos = text.indexOf(find))
            text = text.left(pos) + replacement + text.mid(pos + find.size());
        return text;
    };
    struct Case {
        QString text, find, replacement;
    } cases[] = {
        {u"ahhh"_qs, u"ah"_qs, u"a"_qs},
        {u"knieen"_qs, u"ie"_qs, u"i"_qs},
        {u"aae"_qs, u"ae"_qs, u"ei"_qs},
        {u"aaaeee"_qs, u"ae"_qs, u"ei"_qs},
        {u"iehhieieh"_qs, u"ieh"_qs, u"i"_qs},
        {u"ßaßß"_qs, u"ß"_qs, u"ss"_qs},
        {u"cchhh"_qs, u"ch"_qs, u"k"_qs},
        {u"ououou"_qs, u"ou"_qs, u"au"_qs},
        {u""_qs, u"ah"_qs, u"a"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + c.find.toStdString());
        QString text = c.text;
        const QString result = PhonetikErsetzen(text, c.find, c.replacement);
        EXPECT_EQ(result, reference(c.text, c.find, c.replacement));
        EXPECT_EQ(text, result);
    }
}

TEST(PhonetikErsetzen, agreesWithRepeatedSearchOnManyTexts)
{
    // Texts over a small alphabet meet every way in which replacements can join their
    // neighbours.
    const QString alphabet = u"aeihx"_qs;
    const QString pairs[][2] = {{u"ah"_qs, u"a"_qs}, {u"ie"_qs, u"i"_qs}, {u"ae"_qs, u"ei"_qs},
                                {u"ieh"_qs, u"i"_qs}, {u"ai"_qs, u"ei"_qs}, {u"hx"_qs, u"xxh"_qs}};
    unsigned seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int length = static_cast<int>(seed % 12);
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.append(alphabet.at(static_cast<qsizetype>((seed >> 16) % alphabet.size())));
        }
        seed = seed * 1103515245u + 12345u;
        const auto& pair = pairs[(seed >> 16) % std::size(pairs)];
        QString expected = text;
        for (qsizetype pos = expected.indexOf(pair[0]); pos >= 0; pos = expected.indexOf(pair[0]))
            expected = expected.left(pos) + pair[1] + expected.mid(pos + pair[0].size());
        QString actual = text;
        PhonetikErsetzen(actual, pair[0], pair[1]);
        ASSERT_EQ(actual, expected) << text.toStdString() << " " << pair[0].toStdString();
    }
}

TEST(PhonetikErsetzen, singleCharactersKeepTheLength)
{
    QString text = u"tatort"_qs;
    EXPECT_EQ(PhonetikErsetzen(text, u"t"_qs, u"d"_qs), u"dadord"_qs);
}

TEST(PhonetikErsetzen, replacementHoldingTheFindTextEnds)
{
    QString text = u"ab"_qs;
    EXPECT_EQ(PhonetikErsetzen(text, u"a"_qs, u"aa"_qs), u"aab"_qs);
}

TEST(PhonetikErsetzen, agreesWithRepeatedSearchOnLongTextsWithRareOccurrences)
{
    // Long stretches without an occurrence between a few, so that copying whole stretches meets
    // occurrences at their start, at their end and right after a replacement.
    const QString alphabet = u"aeihxyz"_qs;
    const QString pairs[][2] = {{u"ah"_qs, u"a"_qs}, {u"ieh"_qs, u"i"_qs}, {u"ae"_qs, u"ei"_qs},
                                {u"hx"_qs, u"xxh"_qs}, {u"x"_qs, u"yy"_qs}, {u"zyz"_qs, u"z"_qs}};
    unsigned seed = 987;
    const auto zufall = [&seed](unsigned grenze) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % grenze;
    };
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = static_cast<int>(zufall(80));
        for (int i = 0; i < length; ++i)
            text.append(zufall(4) == 0 ? alphabet.at(zufall(static_cast<unsigned>(alphabet.size())))
                                       : u'q');
        const auto& pair = pairs[zufall(std::size(pairs))];
        QString expected = text;
        for (qsizetype pos = expected.indexOf(pair[0]); pos >= 0; pos = expected.indexOf(pair[0]))
            expected = expected.left(pos) + pair[1] + expected.mid(pos + pair[0].size());
        QString actual = text;
        PhonetikErsetzen(actual, pair[0], pair[1]);
        ASSERT_EQ(actual, expected) << text.toStdString() << " " << pair[0].toStdString();
    }
}

TEST(PhonetischerSchluessel, agreesWithTheRowsAppliedOneAfterTheOther)
{
    // The key as its definition reads: filter, every row of the table replaced until none is
    // left, in order, then runs collapsed.
    const QString rows[][2] = {
        {u"ce"_qs, u"ze"_qs}, {u"ci"_qs, u"zi"_qs}, {u"cy"_qs, u"zy"_qs}, {u"cä"_qs, u"zä"_qs},
        {u"cö"_qs, u"zö"_qs}, {u"ay"_qs, u"ei"_qs}, {u"ey"_qs, u"ei"_qs}, {u"ae"_qs, u"ei"_qs},
        {u"ai"_qs, u"ei"_qs}, {u"ou"_qs, u"au"_qs}, {u"ch"_qs, u"k"_qs},  {u"c"_qs, u"k"_qs},
        {u"ieh"_qs, u"i"_qs}, {u"ie"_qs, u"i"_qs},  {u"ah"_qs, u"a"_qs},  {u"eh"_qs, u"e"_qs},
        {u"ih"_qs, u"i"_qs},  {u"oh"_qs, u"o"_qs},  {u"uh"_qs, u"u"_qs},  {u"rh"_qs, u"r"_qs},
        {u"ph"_qs, u"f"_qs},  {u"th"_qs, u"t"_qs},  {u"ß"_qs, u"ss"_qs},  {u"t"_qs, u"d"_qs},
        {u"n"_qs, u"m"_qs},   {u"v"_qs, u"f"_qs},   {u"w"_qs, u"f"_qs},   {u"y"_qs, u"i"_qs},
        {u"ä"_qs, u"a"_qs},   {u"ö"_qs, u"o"_qs},   {u"ü"_qs, u"u"_qs},
    };
    const QString kept = u"0123456789abcdefghijklmnopqrstuvwxyzäöüß;,\t\n\r"_qs;
    const auto reference = [&](const QString& text) {
        QString lower = text.toLower();
        while (lower.startsWith(u' '))
            lower.remove(0, 1);
        while (lower.endsWith(u' '))
            lower.chop(1);
        QString filtered;
        for (const QChar ch : lower)
            if (kept.contains(ch))
                filtered.append(ch);
        for (const auto& row : rows)
            for (qsizetype pos = filtered.indexOf(row[0]); pos >= 0; pos = filtered.indexOf(row[0]))
                filtered = filtered.left(pos) + row[1] + filtered.mid(pos + row[0].size());
        QString key;
        for (const QChar ch : filtered)
            if (key.isEmpty() || ch != key.back() || ch.isDigit() || ch == u'\t')
                key.append(ch);
        return key;
    };
    const QString alphabet = u"aceEhiIouyYtnvwßÄäöüsrpk ,;\t\n07-"_qs;
    unsigned seed = 4711;
    for (int round = 0; round < 3000; ++round) {
        QString text;
        seed = seed * 1103515245u + 12345u;
        const int length = static_cast<int>((seed >> 16) % 30);
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.append(alphabet.at(static_cast<qsizetype>((seed >> 16) % alphabet.size())));
        }
        ASSERT_EQ(PhonetischerSchluessel(text, {}), reference(text)) << text.toStdString();
    }
}
