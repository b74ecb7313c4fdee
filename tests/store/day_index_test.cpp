#include "store_fixture.h"

#include "foundation/ini_store.h"
#include "support/fake_dialogs.h"
#include "support/fake_sound.h"

using store::TagesverzeichnisErstellen;

namespace {

class DayIndex : public StoreFixture {
protected:
    void tag(const QString& relative) const { schreiben(relative, "x"); }

    std::vector<qint32> liste() const { return *store::tagesverzeichnis; }
};

TEST_F(DayIndex, listsTheDaysOfTheDiaryInOrderWhateverCaseAndFolder)
{
    debugAn();
    // Day files in any case of name and extension, one in the wrong year folder.
    for (const char* name :
         {"2024/20240105.TXT", "2024/20240103.txt", "2024/20240104.Txt", "1999/19991231.tXt",
          "2024/20230101.Txt", "1500/15000101.Txt", "2200/22001231.Txt"})
        tag(s(name));
    // Not days of this diary: other extensions, no date, impossible dates, years out of range,
    // names of another length, and a folder named like a day file.
    for (const char* name :
         {"2024/20240106.Abc", "2024/abcdefgh.Txt", "2024/20241301.Txt", "2023/20230229.Txt",
          "2024/20240100.Txt", "2024/14991231.Txt", "2200/22010101.Txt", "2024/2024010.Txt",
          "2024/202401011.Txt", "2024/20240107.Txt.bak", "2024/20240108Txt", "Txt/20240109.Txt",
          "1499/14990101.Txt", "2201/22010102.Txt", "2024/2024-1-1.Txt"})
        tag(s(name));
    folders.temp().makeFolder(daten(s("2024/20240110.Txt")));

    TagesverzeichnisErstellen(true);
    const std::vector<qint32> erwartet = {15000101, 19991231, 20230101, 20240103,
                                          20240104, 20240105, 22001231};
    EXPECT_EQ(liste(), erwartet);
    EXPECT_EQ(store::tageAnzahl, 7);
    EXPECT_EQ(store::verzeichnisStatus, 2);
    EXPECT_EQ(foundation::IniLesen(QString(), QString(), s("SWTageN")), s("7"));

    // Every name that looked like a day file of this diary but is no day is in the debug log.
    const QString log = rt::decodeText(debugLog());
    for (const char* name : {"abcdefgh.Txt", "20241301.Txt", "20230229.Txt", "20240100.Txt",
                             "14991231.Txt", "22010101.Txt", "2024-1-1.Txt"})
    {
        EXPECT_TRUE(log.contains(s(name))) << name;
    }
    EXPECT_FALSE(log.contains(s("20240106.Abc")));
}

TEST_F(DayIndex, unsortedBuildHoldsTheSameDaysAndSortingFollowsOnDemand)
{
    for (const char* name : {"2024/20240309.Txt", "2024/20240301.Txt", "2024/20240305.Txt",
                             "2023/20231224.Txt"})
        tag(s(name));
    TagesverzeichnisErstellen(false);
    EXPECT_EQ(store::verzeichnisStatus, 1);
    std::vector<qint32> ungeordnet = liste();
    std::sort(ungeordnet.begin(), ungeordnet.end());
    const std::vector<qint32> erwartet = {20231224, 20240301, 20240305, 20240309};
    EXPECT_EQ(ungeordnet, erwartet);
    // Year folders come in ascending order whatever the listing does inside them.
    EXPECT_EQ(liste().front(), 20231224);

    TagesverzeichnisErstellen(true);
    EXPECT_EQ(store::verzeichnisStatus, 2);
    EXPECT_EQ(liste(), erwartet);
    // A later unsorted request keeps the sorted index.
    TagesverzeichnisErstellen(false);
    EXPECT_EQ(store::verzeichnisStatus, 2);
}

TEST_F(DayIndex, tagesIndexPointsToTheShownOrTheNextLaterDay)
{
    for (const char* name : {"2024/20240301.Txt", "2024/20240305.Txt", "2024/20240309.Txt"})
        tag(s(name));
    struct Fall {
        const char* aktDatum;
        qint32 tagesIndex;
    };
    const std::vector<Fall> faelle = {
        {"01.03.2024", 1}, {"05.03.2024", 2}, {"09.03.2024", 3}, {"06.03.2024", 3},
        {"28.02.2024", 1}, {"10.03.2024", -1}, {"01.01.1500", 1}, {"31.12.2200", -1},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.aktDatum);
        store::aktDatum = s(fall.aktDatum);
        TagesverzeichnisErstellen(true);
        EXPECT_EQ(store::tagesIndex, fall.tagesIndex);
    }
}

TEST_F(DayIndex, emptyDiaryHasNoDaysAndNoIndex)
{
    store::aktDatum = s("05.03.2024");
    TagesverzeichnisErstellen(true);
    EXPECT_EQ(store::tageAnzahl, 0);
    EXPECT_TRUE(liste().empty());
    EXPECT_EQ(store::tagesIndex, -1);
    EXPECT_EQ(store::verzeichnisStatus, 2);
}

TEST_F(DayIndex, statusPanelShowsTheBuildAndTheSort)
{
    tag(s("2024/20240301.Txt"));
    TagesverzeichnisErstellen(true);
    const QStringList erwartet = {
        s("Status= Erstelle Tagesverzeichnis... "), s("<repaint>"), s("Status=Bereit"),
        s("<repaint>"), s("Status=Sortiere Tagesliste..."), s("<repaint>"),
        s("Status=Bereit"), s("<repaint>")};
    EXPECT_EQ(host.panelWrites, erwartet);

    // Built already: only tagesIndex is computed, nothing is shown.
    host.panelWrites.clear();
    TagesverzeichnisErstellen(true);
    EXPECT_TRUE(host.panelWrites.isEmpty());
}

TEST_F(DayIndex, folderIsScannedOnlyWhenStaleAndWritesMakeItStale)
{
    tag(s("2024/20240301.Txt"));
    TagesverzeichnisErstellen(true);
    tag(s("2024/20240302.Txt")); // behind the store's back: not seen until the index is stale
    TagesverzeichnisErstellen(true);
    EXPECT_EQ(store::tageAnzahl, 1);

    ASSERT_TRUE(store::EintragDateiSchreiben(s("20240303.Txt"), s("neu")).has_value());
    EXPECT_EQ(store::verzeichnisStatus, 0);
    TagesverzeichnisErstellen(true);
    EXPECT_EQ(liste(), (std::vector<qint32>{20240301, 20240302, 20240303}));
}

TEST_F(DayIndex, loopWalksItsOwnSnapshotWhileWritesRebuildTheIndex)
{
    for (const char* name : {"2024/20240301.Txt", "2024/20240302.Txt", "2024/20240303.Txt"})
        tag(s(name));
    TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;

    // A pass that deletes the first day and adds an earlier one, rebuilding after each write.
    std::vector<qint32> besucht;
    for (const qint32 tag : *tage) {
        besucht.push_back(tag);
        if (tag == 20240301) {
            store::EintragDateiSchreiben(s("20240301.Txt"), QString());
            store::EintragDateiSchreiben(s("20240201.Txt"), s("früher"));
        }
        TagesverzeichnisErstellen(true);
    }
    EXPECT_EQ(besucht, (std::vector<qint32>{20240301, 20240302, 20240303}));
    EXPECT_EQ(*tage, (std::vector<qint32>{20240301, 20240302, 20240303}));
    EXPECT_EQ(liste(), (std::vector<qint32>{20240201, 20240302, 20240303}));
}

TEST_F(DayIndex, moreThan30000DaysKeepsTheFirstAndTellsOnce)
{
    // 30001 day files, 1 January 1900 onwards, one year folder per year.
    QDate datum(1900, 1, 1);
    QDir daten(foundation::ordnerDat);
    for (int i = 0; i < store::tageGrenze + 1; ++i, datum = datum.addDays(1)) {
        const QString jahr = QString::number(datum.year());
        if (datum.dayOfYear() == 1) {
            ASSERT_TRUE(daten.mkdir(jahr));
        }
        QFile file(foundation::ordnerDat + u'/' + jahr + u'/'
                   + datum.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".Txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const qint32 letzterTag = datum.addDays(-2).toString(QStringLiteral("yyyyMMdd")).toInt();

    FakeDialogs dialogs;
    ScopedService dialogsGuard(platform::setDialogs, &dialogs);
    FakeSound sound;
    ScopedService soundGuard(platform::setSound, &sound);
    dialogs.expectMsgBox(platform::vbOK, s("für 30000 Termine ausgelegt"));

    TagesverzeichnisErstellen(true);
    EXPECT_EQ(store::tageAnzahl, 30000);
    EXPECT_EQ(liste().front(), 19000101);
    EXPECT_EQ(liste().back(), letzterTag);
    EXPECT_EQ(foundation::IniLesen(QString(), QString(), s("SWTageN")), s("30000"));
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].text,
              s("Das Korvanel ist in der derzeitigen Version für 30000 Termine ausgelegt. Sie "
                "haben bereits diese Grenze erreicht. Einige Funktionen werden nicht alle Tage "
                "berücksichtigen können, Daten werden Ihnen aber nicht verloren gehen!"));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbInformation);
    EXPECT_EQ(dialogs.calls()[0].buttons, platform::vbOKOnly);
    EXPECT_EQ(sound.beeps(), (std::vector<int>{platform::beepExclamation}));
}

} // namespace
