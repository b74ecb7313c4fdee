#include "store_fixture.h"

#include "foundation/ini_store.h"
#include "store/diary_title.h"

using store::KorvanelTitelLesen;

namespace {

class DiaryTitle : public StoreFixture {
protected:
    QString gespeichert(int index) const
    {
        return foundation::IniLesen(QString(), QString(), s("MnuZuletzt") + QString::number(index),
                                    s("<fehlt>"));
    }
};

TEST_F(DiaryTitle, titleIsTheFirstLineAndShortNamesTakeTheirStandardForm)
{
    schreiben(s("Info.txt"), ansi("Mein Tagebuch für Ärger\r\nzweite Zeile\r\n"));
    rt::clearError();
    struct Fall {
        const char* name;
        const char* kuerzel;
        const char* titel;
        const char* standard;
    };
    for (const Fall fall : {Fall{"upper case", "TXT", "Mein Tagebuch für Ärger", "Txt"},
                            Fall{"lower case", "txt", "Mein Tagebuch für Ärger", "Txt"},
                            Fall{"missing title file", "aBC", "", "Abc"}}) {
        SCOPED_TRACE(fall.name);
        QString name = s(fall.kuerzel);
        EXPECT_EQ(KorvanelTitelLesen(name, store::titelNurLesen), s(fall.titel));
        EXPECT_EQ(name, s(fall.standard));
    }
    EXPECT_EQ(rt::Err().number, 0);
}

TEST_F(DiaryTitle, openDiaryTakesTheStandardFormAndTheCaption)
{
    schreiben(s("Info.Txt"), ansi("Reisetagebuch"));
    store::korvanelKuerzel = s("TXT");
    QString name = s("TXT");
    EXPECT_EQ(KorvanelTitelLesen(name, store::titelKuerzel), s("Reisetagebuch"));
    EXPECT_EQ(store::korvanelKuerzel, s("Txt"));
    EXPECT_EQ(host.caption, QString());

    struct Fall {
        const char* name;
        const char* kuerzel;
        bool nurLesen;
        const char* caption;
    };
    for (const Fall fall : {Fall{"title", "txt", false, "Reisetagebuch"},
                            Fall{"read-only", "txt", true, "Reisetagebuch - nur Leserechte"},
                            Fall{"no title", "abc", false, "Korvanel, Abc"},
                            Fall{"no title, read-only", "abc", true,
                                 "Korvanel, Abc - nur Leserechte"}}) {
        SCOPED_TRACE(fall.name);
        foundation::nurLesen = fall.nurLesen;
        name = s(fall.kuerzel);
        KorvanelTitelLesen(name, store::titelUeberschrift);
        EXPECT_EQ(host.caption, s(fall.caption));
    }
}

TEST_F(DiaryTitle, withoutOpenDiaryOnlyReadingWorks)
{
    schreiben(s("Info.Txt"), ansi("Reisetagebuch"));
    store::korvanelKuerzel.clear();
    QString name = s("TXT");
    EXPECT_EQ(KorvanelTitelLesen(name, store::titelUeberschrift), QString());
    EXPECT_EQ(name, s("TXT"));
    EXPECT_EQ(host.caption, QString());
    EXPECT_EQ(KorvanelTitelLesen(name, store::titelNurLesen), s("Reisetagebuch"));
    EXPECT_EQ(name, s("Txt"));
}

// The number is written over the first two characters of a caption: an empty item stays empty
// and is stored empty, never as a bare "&4".
TEST_F(DiaryTitle, recentDiariesMenuPutsTheOpenDiaryFirst)
{
    schreiben(s("Info.Txt"), ansi("Tagebuch"));
    struct Fall {
        const char* name;
        const char* kuerzel; // "" = no diary open
        std::array<const char*, 4> vorher;
        std::array<const char*, 4> nachher;
        std::array<bool, 4> sichtbar;
    };
    const std::vector<Fall> faelle = {
        {"first opening", "Txt", {"", "", "", ""}, {"&1 Tagebuch - Txt", "", "", ""},
         {true, false, false, false}},
        {"moves to the head and drops its older item", "Txt",
         {"&1 Reisen - Rei", "&2 Tagebuch - Txt", "&3 Arbeit - Arb", ""},
         {"&1 Tagebuch - Txt", "&2 Reisen - Rei", "&3 Arbeit - Arb", ""},
         {true, true, true, false}},
        {"a full list loses its last item", "Txt",
         {"&1 A - Aaa", "&2 B - Bbb", "&3 C - Ccc", "&4 D - Ddd"},
         {"&1 Tagebuch - Txt", "&2 A - Aaa", "&3 B - Bbb", "&4 C - Ccc"},
         {true, true, true, true}},
        {"no diary open: renumbered from 1", "",
         {"", "&2 B - Bbb", "x", "&4 D - Ddd"}, {"&1 B - Bbb", "&2 D - Ddd", "", ""},
         {true, true, false, false}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::korvanelKuerzel = s(fall.kuerzel);
        for (int i = 0; i < 4; ++i) {
            host.zuletzt.at(i).clear();
            foundation::IniSchreiben(QString(), QString(), s("MnuZuletzt") + QString::number(i),
                                     s(fall.vorher.at(i)));
        }
        store::ZuletztMenüAufbauen();
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(host.zuletzt.at(i), s(fall.nachher.at(i)));
            EXPECT_EQ(host.zuletztSichtbar.at(i), fall.sichtbar.at(i));
            EXPECT_EQ(gespeichert(i), s(fall.nachher.at(i)));
        }
    }
}

} // namespace
