#include "search/search_query.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

using search::EintragPasst;
using search::SuchbegriffeZerlegen;
using search::suchTypMuster;
using search::suchTypPhonetisch;
using search::suchTypStreng;

namespace {

QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The query lines joined by CR LF, as the search text holds them.
QString zeilen(std::initializer_list<const char*> liste)
{
    QStringList texte;
    for (const char* zeile : liste)
        texte.append(u8(zeile));
    return texte.join(QStringLiteral("\r\n"));
}

struct Fall {
    const char* name;
    QString anfrage;
    int typ;
    bool grossKlein;
    int start;
    const char* text;
    int erwartet;
};

void pruefen(const std::vector<Fall>& faelle)
{
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const search::Suchbegriffe begriffe =
            SuchbegriffeZerlegen(fall.anfrage, fall.typ, fall.grossKlein);
        EXPECT_EQ(EintragPasst(begriffe, fall.start, u8(fall.text)), fall.erwartet);
    }
}

} // namespace

TEST(EintragPasst, strictTermsAllOccurAndTheLastOneGivesThePosition)
{
    const int s = suchTypStreng;
    pruefen({
        {"last term first in the text", u8("wind sonne"), s, false, 1, "Sonne und Wind", 1},
        {"last term last in the text", u8("sonne wind"), s, false, 1, "Sonne und Wind", 11},
        {"one term missing", u8("sonne regen"), s, false, 1, "Sonne und Wind", 0},
        {"from a later start", u8("meer"), s, false, 5, "Meer und Meer", 10},
        {"start past the end", u8("meer"), s, false, 20, "Meer", 0},
        {"start below 1 counts as 1", u8("meer"), s, false, -3, "Meer", 1},
        {"inside a longer word", u8("Meer"), s, false, 1, "Meeresrauschen", 1},
        {"case counts when asked", u8("Meer"), s, true, 1, "das meer", 0},
        {"case counts and fits", u8("Meer"), s, true, 1, "das Meer", 5},
        {"lower case of the query", u8("URLAUB meer"), s, false, 1, "Urlaub am Meer", 11},
        {"umlauts in lower case", u8("ÄRGER"), s, false, 1, "viel ärger", 6},
        {"two lines, the second matches", zeilen({"Urlaub", "Meer"}), s, false, 1, "am Meer", 4},
        {"empty query", QString(), s, false, 1, "Meer", 0},
        {"blank lines only", zeilen({"   ", "", "  "}), s, false, 1, "Meer", 0},
        {"a phrase keeps its blank", u8("\"am meer\" sonne"), s, false, 1,
         "am Strand, Meer und Sonne", 0},
        {"a phrase fits", u8("\"am meer\" sonne"), s, false, 1, "Sonne am Meer", 1},
        {"phrase last", u8("sonne \"am meer\""), s, false, 1, "Sonne am Meer", 7},
        {"line ends of every kind", u8("regen\nsonne\rwind"), s, false, 1, "Wind", 1},
    });
}

TEST(EintragPasst, alternativesAreTriedInOrderAndBlankLinesAreNone)
{
    const QString anfrage = zeilen({"\"kalter wind\" sonne", "", "regen"});
    pruefen({
        {"the second alternative", anfrage, suchTypStreng, false, 1, "Regen, dann kalter Wind.", 1},
        {"with case nothing fits", anfrage, suchTypStreng, true, 1, "Regen, dann kalter Wind.", 0},
        {"the first alternative wins", anfrage, suchTypStreng, false, 1,
         "Sonne, regen und kalter Wind", 1},
    });
}

TEST(EintragPasst, phoneticComparesKeysAndGivesThePositionInTheKey)
{
    const int p = suchTypPhonetisch;
    pruefen({
        {"sound-alike name", u8("Meier"), p, false, 1, "Herr Mayer kam", 4},
        {"another spelling", u8("Strasse"), p, false, 1, "die Straße", 3},
        {"case does not count", u8("MEIER"), p, false, 1, "herr mayer", 4},
        {"nothing alike", u8("Schulz"), p, false, 1, "Herr Mayer kam", 0},
        {"a term without a key is no term", u8("!!!"), p, false, 1, "Herr Mayer kam", 0},
    });
}

TEST(EintragPasst, patternReportsOnlyTheFactOfAMatch)
{
    const int m = suchTypMuster;
    pruefen({
        {"one character and digits", u8("b?rg 20##"), m, false, 1, "Auf dem Berg, 2025", 1},
        {"digits do not fit", u8("b?rg 20##"), m, false, 1, "Burg 1999", 0},
        {"the hit is late in the text", u8("M??r"), m, false, 1, "Ferien und dann meer", 1},
        {"a list", u8("[bh]aus"), m, false, 1, "Im Haus", 1},
        {"a negated list", u8("[!bh]aus"), m, false, 1, "Im Haus", 0},
        {"only from the start on", u8("haus"), m, false, 5, "Haus am See", 0},
        {"an unclosed list never matches", u8("[abc"), m, false, 1, "[abc und abc", 0},
        {"a reversed range never matches", u8("[z-a]"), m, false, 1, "zebra", 0},
        {"case counts", u8("Haus"), m, true, 1, "haus", 0},
    });
}

TEST(EintragPasst, invalidPatternsAreNamedOnceAndDoNotHideOtherLines)
{
    const search::Suchbegriffe begriffe =
        SuchbegriffeZerlegen(zeilen({"[abc meer", "sonne"}), suchTypMuster, false);
    EXPECT_EQ(begriffe.ungueltigeMuster, QStringList{u8("[abc")});
    // The line with the invalid term fails; the next line still matches.
    EXPECT_EQ(EintragPasst(begriffe, 1, u8("Meer [abc")), 0);
    EXPECT_EQ(EintragPasst(begriffe, 1, u8("Sonne")), 1);
    // Strict mode takes the same text as it is.
    const search::Suchbegriffe streng = SuchbegriffeZerlegen(u8("[abc"), suchTypStreng, false);
    EXPECT_TRUE(streng.ungueltigeMuster.isEmpty());
    EXPECT_EQ(EintragPasst(streng, 1, u8("x [abc")), 3);
}

TEST(SuchbegriffeZerlegen, keepsElevenAlternativesAndElevenTerms)
{
    QStringList zwoelf;
    for (int i = 1; i <= 10; ++i)
        zwoelf.append(QStringLiteral("q%1").arg(i));
    zwoelf << u8("alpha beta") << u8("gamma");
    const QString anfrage = zwoelf.join(QStringLiteral("\r\n"));
    pruefen({
        // The 12th line overwrites the first slot of the 11th and leaves its second.
        {"12th line over the 11th", anfrage, suchTypStreng, false, 1, "gamma und beta", 11},
        {"the 11th line is gone", anfrage, suchTypStreng, false, 1, "alpha beta", 0},
    });

    const search::Suchbegriffe dreizehn = SuchbegriffeZerlegen(
        u8("t1 t2 t3 t4 t5 t6 t7 t8 t9 t10 t11 t12 t13"), suchTypStreng, false);
    EXPECT_EQ(dreizehn.letzteAlternative, 0);
    EXPECT_EQ(dreizehn.hoechsterBegriff, 10);
    QStringList behalten;
    for (const QString& begriff : dreizehn.tabelle[0])
        behalten.append(begriff);
    EXPECT_EQ(behalten, QStringList({u8("t1"), u8("t2"), u8("t3"), u8("t4"), u8("t5"), u8("t6"),
                                     u8("t7"), u8("t8"), u8("t9"), u8("t10"), u8("t13")}));
    EXPECT_EQ(dreizehn.tabelle[1][0], QString());
}

TEST(SuchbegriffeZerlegen, quotesBlanksAndUnclosedPhrases)
{
    struct Zerlegung {
        const char* name;
        const char* anfrage;
        QStringList begriffe; // of the first alternative
        int letzteAlternative;
    } faelle[] = {
        {"words and a phrase", "\"am Meer\"  Sonne ", {u8("am meer"), u8("sonne")}, 0},
        {"leading blanks", "   wind", {u8("wind")}, 0},
        {"an unclosed phrase runs to the line end", "sonne \"kalter wind",
         {u8("sonne"), u8("kalter wind")}, 0},
        {"an unclosed phrase with trailing blanks", "\"kalter wind   ", {u8("kalter wind")}, 0},
        {"a quote alone", "\"", {u8("\"")}, 0},
        {"a quote after a word", "wind \"", {u8("wind")}, 0},
        {"two quotes only", "\"\"", {}, -1},
        {"blank lines do not count", "\r\n \r\nwind\r\n\r\n", {u8("wind")}, 0},
    };
    for (const Zerlegung& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const search::Suchbegriffe begriffe =
            SuchbegriffeZerlegen(u8(fall.anfrage), suchTypStreng, false);
        EXPECT_EQ(begriffe.letzteAlternative, fall.letzteAlternative);
        QStringList belegt;
        for (const QString& begriff : begriffe.tabelle[0]) {
            if (!begriff.isEmpty())
                belegt.append(begriff);
        }
        EXPECT_EQ(belegt, fall.begriffe);
    }
    // The unclosed phrase matches where it stands at the end of an entry.
    const search::Suchbegriffe offen =
        SuchbegriffeZerlegen(u8("\"kalter wind"), suchTypStreng, false);
    EXPECT_EQ(EintragPasst(offen, 1, u8("Es blies ein kalter Wind")), 14);
}
