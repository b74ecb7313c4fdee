#include "store_fixture.h"

#include "store/mood_marker.h"

namespace {

class MoodMarker : public StoreFixture {
protected:
    MoodMarker() { store::aktDatum = s("05.03.2024"); }
};

TEST_F(MoodMarker, moodIsReadFromTheYearFileAndMovedOutOfTheOldFile)
{
    struct Fall {
        const char* name;
        QByteArray alt;  // Stimmung.ini before ("" = no file)
        QByteArray jahr; // Stimmung2024.ini before
        int stimmung;
        QByteArray altNachher;
        QByteArray jahrNachher;
    };
    const std::vector<Fall> faelle = {
        {"only the old file", "[Txt]\r\n05.03.2024=5\r\n", "", 5, "[Txt]\r\n05.03.2024=\r\n",
         "[Txt]\r\n05.03.2024=5\r\n"},
        {"both files: the year file wins", "[Txt]\r\n05.03.2024=5\r\n",
         "[Txt]\r\n05.03.2024=-2\r\n", -2, "[Txt]\r\n05.03.2024=\r\n",
         "[Txt]\r\n05.03.2024=-2\r\n"},
        {"only the year file", "", "[Txt]\r\n05.03.2024=-7\r\n", -7, "",
         "[Txt]\r\n05.03.2024=-7\r\n"},
        {"neither: 0 and no file", "", "", 0, "", ""},
        {"other diary and other day untouched", "[Abc]\r\n05.03.2024=5\r\n[Txt]\r\n06.03.2024=1\r\n",
         "", 0, "[Abc]\r\n05.03.2024=5\r\n[Txt]\r\n06.03.2024=1\r\n", ""},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        QFile::remove(folders.temp().file(daten(s("Stimmung.ini"))));
        QFile::remove(folders.temp().file(daten(s("Stimmung2024.ini"))));
        if (!fall.alt.isEmpty())
            schreiben(s("Stimmung.ini"), fall.alt);
        if (!fall.jahr.isEmpty())
            schreiben(s("Stimmung2024.ini"), fall.jahr);
        host.mood = 9;
        store::StimmungLesen();
        EXPECT_EQ(host.mood, fall.stimmung);
        EXPECT_EQ(lesen(s("Stimmung.ini")), fall.altNachher);
        EXPECT_EQ(lesen(s("Stimmung2024.ini")), fall.jahrNachher);
    }
}

TEST_F(MoodMarker, moodIsWrittenOnlyWhenItDiffers)
{
    host.mood = 0;
    store::StimmungSchreiben();
    EXPECT_FALSE(vorhanden(s("Stimmung2024.ini")));

    host.mood = 4;
    store::StimmungSchreiben();
    EXPECT_EQ(lesen(s("Stimmung2024.ini")), QByteArray("[Txt]\r\n05.03.2024=4\r\n"));

    host.mood = 0;
    store::StimmungSchreiben();
    EXPECT_EQ(lesen(s("Stimmung2024.ini")), QByteArray("[Txt]\r\n05.03.2024=0\r\n"));

    store::aktDatum = s("31.12.1999");
    host.mood = -10;
    store::StimmungSchreiben();
    EXPECT_EQ(lesen(s("Stimmung1999.ini")), QByteArray("[Txt]\r\n31.12.1999=-10\r\n"));
}

TEST_F(MoodMarker, readOnlyShowsTheOldValueButMovesAndWritesNothing)
{
    schreiben(s("Stimmung.ini"), "[Txt]\r\n05.03.2024=6\r\n");
    const auto vorher = datenordnerInhalt();
    foundation::nurLesen = true;
    store::StimmungLesen();
    EXPECT_EQ(host.mood, 6);
    host.mood = 2;
    store::StimmungSchreiben();
    store::MarkerSetzen(rt::DateSerial(2024, 3, 5), 1);
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(MoodMarker, markersAreWrittenAsOneOrZeroAndShownInTheStatusPanel)
{
    const rt::VbDate tag = rt::DateSerial(2024, 3, 5);
    EXPECT_EQ(store::MarkerLesen(tag), 0);
    EXPECT_EQ(host.panels.value(s("StatMark")), QString());

    store::MarkerSetzen(tag, 1);
    EXPECT_EQ(lesen(s("Marker_Txt.ini")), QByteArray("[Marker]\r\n05.03.2024=1\r\n"));
    EXPECT_EQ(store::MarkerLesen(tag), 1);
    EXPECT_EQ(host.panels.value(s("StatMark")), s("M"));

    store::MarkerSetzen(tag, 0);
    EXPECT_EQ(lesen(s("Marker_Txt.ini")), QByteArray("[Marker]\r\n05.03.2024=0\r\n"));
    EXPECT_EQ(store::MarkerLesen(tag), 0);
    EXPECT_EQ(host.panels.value(s("StatMark")), QString());

    store::MarkerSetzen(tag, -1);
    EXPECT_EQ(store::MarkerLesen(tag), 1);
}

TEST_F(MoodMarker, markersOfManyDaysGiveTheBytesOfOneCallPerDay)
{
    // Another section behind, a comment, a key with blanks, a day given twice, a marked day
    // unmarked: the batch writes what the calls one by one write.
    const QByteArray vorher = "; Marker\r\n[Marker]\r\n02.03.2024 = 1\r\n; alt\r\n"
                              "03.03.2024=0\r\n\r\n[Andere]\r\n01.03.2024=x\r\n";
    const std::vector<rt::VbDate> tage = {rt::DateSerial(2024, 3, 1), rt::DateSerial(2024, 3, 2),
                                          rt::DateSerial(2024, 3, 3), rt::DateSerial(2024, 3, 1),
                                          rt::DateSerial(1999, 12, 31)};
    for (const int an : {1, 0}) {
        SCOPED_TRACE(an);
        schreiben(s("Marker_Txt.ini"), vorher);
        for (const rt::VbDate tag : tage)
            store::MarkerSetzen(tag, an);
        const QByteArray einzeln = lesen(s("Marker_Txt.ini"));

        schreiben(s("Marker_Txt.ini"), vorher);
        EXPECT_TRUE(store::MarkerSetzen(tage, an));
        EXPECT_EQ(lesen(s("Marker_Txt.ini")), einzeln);
    }
    EXPECT_EQ(lesen(s("Marker_Txt.ini")),
              QByteArray("; Marker\r\n[Marker]\r\n02.03.2024 = 0\r\n; alt\r\n03.03.2024=0\r\n"
                         "01.03.2024=0\r\n31.12.1999=0\r\n\r\n[Andere]\r\n01.03.2024=x\r\n"));

    // A new file; read-only mode and no days write nothing.
    QFile::remove(datenordner.path() + s("/Marker_Txt.ini"));
    EXPECT_TRUE(store::MarkerSetzen(std::vector<rt::VbDate>{}, 1));
    EXPECT_FALSE(vorhanden(s("Marker_Txt.ini")));
    foundation::nurLesen = true;
    EXPECT_TRUE(store::MarkerSetzen(tage, 1));
    EXPECT_FALSE(vorhanden(s("Marker_Txt.ini")));
    foundation::nurLesen = false;
    EXPECT_TRUE(store::MarkerSetzen(tage, 1));
    EXPECT_EQ(lesen(s("Marker_Txt.ini")),
              QByteArray("[Marker]\r\n01.03.2024=1\r\n02.03.2024=1\r\n03.03.2024=1\r\n"
                         "31.12.1999=1\r\n"));
}

TEST_F(MoodMarker, markersOfManyDaysInAFolderThatRefusesTheFile_reportFailure)
{
    foundation::ordnerDat = datenordner.path() + s("/fehlt");
    EXPECT_FALSE(store::MarkerSetzen(std::vector<rt::VbDate>{rt::DateSerial(2024, 3, 1)}, 1));
}

TEST_F(MoodMarker, markerValuesOfAnyFormAreRead)
{
    schreiben(s("Marker_Txt.ini"),
              "[Marker]\r\n01.03.2024=0\r\n02.03.2024=\r\n03.03.2024=1\r\n04.03.2024=2\r\n");
    struct Fall {
        int tag;
        int markiert;
    };
    for (const Fall fall : {Fall{1, 0}, Fall{2, 0}, Fall{3, 1}, Fall{4, 1}, Fall{5, 0}}) {
        SCOPED_TRACE(fall.tag);
        EXPECT_EQ(store::MarkerLesen(rt::DateSerial(2024, 3, fall.tag)), fall.markiert);
    }
    // The panel shows the last day read.
    EXPECT_EQ(host.panels.value(s("StatMark")), QString());
}

} // namespace
