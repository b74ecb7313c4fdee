#include "foundation/ini_store.h"
#include "support/qt_print.h"
#include "support/temp_settings.h"
#include "foundation/name_format.h"

#include <gtest/gtest.h>

using foundation::WorteGrossSchreiben;
using foundation::WorteGrossSchreibenRef;

namespace {

struct Fall {
    const char* name;
    QString text, erwartet;
};

} // namespace

TEST(WorteGrossSchreiben, capitalisesWordsAndKeepsSmallWordsSmall)
{
    TempSettingsFolders folders;
    const Fall faelle[] = {
        {"empty", u""_qs, u""_qs},
        {"single letter", u"a"_qs, u"A"_qs},
        {"small word between two names", u"hans von meier"_qs, u"Hans von Meier"_qs},
        {"small word at the start keeps its capital",
         u"der kleine prinz"_qs, u"Der Kleine Prinz"_qs},
        {"small word at the end keeps its capital", u"ende bei"_qs, u"Ende Bei"_qs},
        {"capitals go to lower case", u"HANS-PETER MÜLLER"_qs, u"Hans-Peter Müller"_qs},
        {"words after - / (", u"anna/berta (carl) dora-emil"_qs, u"Anna/Berta (Carl) Dora-Emil"_qs},
        {"small word next to punctuation keeps its capital",
         u"peter und, paul"_qs, u"Peter Und, Paul"_qs},
        {"several small words",
         u"haus am see und in der stadt"_qs, u"Haus am See und in der Stadt"_qs},
        {"point starts no word", u"brief.TXT"_qs, u"Brief.txt"_qs},
        {"point with blank", u"dr. med schmidt"_qs, u"Dr. med Schmidt"_qs},
        {"apostrophe starts no word", u"o'NEIL"_qs, u"O'neil"_qs},
        {"small word with apostrophe", u"heft c't test"_qs, u"Heft c't Test"_qs},
        {"small word with point", u"peter u. paul"_qs, u"Peter u. Paul"_qs},
        {"line breaks and tabs", u"eins\r\nzwei\tdrei"_qs, u"Eins\r\nZwei\tDrei"_qs},
        {"quotes", u"\"zitat\" »wort« x"_qs, u"\"Zitat\" »Wort« X"_qs},
        {"sharp s keeps the length", u"STRAßE am markt"_qs, u"Straße am Markt"_qs},
        {"umlauts", u"ärger über öl"_qs, u"Ärger Über Öl"_qs},
        // The replacement goes on behind each small word, so of two in a row only the first goes.
        {"two small words in a row", u"x und und y"_qs, u"X und Und Y"_qs},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(WorteGrossSchreiben(f.text), f.erwartet);
    }
}

TEST(WorteGrossSchreiben, wordsOfTheSettingStaySmallToo)
{
    TempSettingsFolders folders;
    const Fall faelle[] = {
        {"list with blanks, capitals and an empty entry",
         u"zu, Bis ,,VOM"_qs, u"Weg zu den Bergen bis vom Tal"_qs},
        {"one word without final comma", u"zu"_qs, u"Weg zu den Bergen Bis Vom Tal"_qs},
        {"list ending in a comma", u"bis,"_qs, u"Weg Zu den Bergen bis Vom Tal"_qs},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        foundation::IniSchreiben(QString(), u"Movrenta"_qs, u"ImmerKlein"_qs, f.text);
        EXPECT_EQ(WorteGrossSchreiben(u"weg zu den bergen bis vom tal"_qs), f.erwartet);
    }
}

TEST(WorteGrossSchreibenRef, leavesItsArgumentAsItWas)
{
    TempSettingsFolders folders;
    const QString name = u"anna von berg"_qs;
    EXPECT_EQ(WorteGrossSchreibenRef(name), u"Anna von Berg"_qs);
    EXPECT_EQ(name, u"anna von berg"_qs);
}
