// The timeline: its range and how it narrows, widens and resets, the strokes of the entry days,
// the pointer drawn to a nearby entry day, the panels, ranges that need care (a diary without
// entries, an axis without width, five centuries) and leaving; it only ever reads.
#include "views_fixture.h"

#include "commands/window_openers.h"
#include "platform/actions.h"
#include "platform/status_panels.h"
#include "runtime/format.h"
#include "store/day_files.h"
#include "views/timeline.h"

#include <QDate>
#include <QLabel>
#include <QPointer>
#include <QTest>

using views::Zeitleiste;

namespace {

// An axis 366 pixels wide is 5490 twips, less 15: 15 twips a day over the 365 days of 2024.
constexpr int achsenPixel = 366;
constexpr double twipsJeTag = 15;

class TimelineTest : public ViewsTest {
protected:
    TimelineTest()
    {
        schreiben(u8("2024/20240110.Txt"), "Januar");
        schreiben(u8("2024/20240620.Txt"), "<b>Sommer</b>");
    }

    // The window as the main menu opens it, its axis achsenPixel wide, drawn once.
    Zeitleiste* oeffnen(int breite = achsenPixel)
    {
        auto* fenster = new Zeitleiste;
        fenster->picZeitleiste->setFixedWidth(breite);
        fenster->show();
        QCoreApplication::processEvents();
        fenster->TimerRefresh_Timer();
        return fenster;
    }
    static QStringList bereich(const Zeitleiste* f)
    {
        return {f->bezDateVon->text(), f->bezDateBis->text(), f->bezDateDiff->text()};
    }
    // The pointer on the day the given number of days after the range's start.
    static void zeigeAufTag(Zeitleiste* f, double tage)
    {
        f->picZeitleiste_MouseMove(0, 0, tage * f->achsenBreite() / f->leisteTage, 100);
    }
    static QString tag(const Zeitleiste* f)
    {
        return f->leisteTag ? rt::Format(*f->leisteTag, u8("dd.mm.yyyy")) : u8("<keiner>");
    }
};

TEST_F(TimelineTest, rangeNarrowsWidensAndResets_aroundThePointedDay)
{
    const QString gezeigt = main.dateCaption();
    Zeitleiste* f = oeffnen();
    EXPECT_EQ(f->windowTitle(), u8("Zeitleiste"));
    EXPECT_EQ(bereich(f), QStringList({u8("| 01.01.2024"), u8("31.12.2024 |"), u8("|--- 365 Tage ---|")}));
    ASSERT_DOUBLE_EQ(f->achsenBreite(), 365 * twipsJeTag);
    EXPECT_EQ(f->striche(), std::vector<double>({9 * twipsJeTag, 171 * twipsJeTag}));

    zeigeAufTag(f, 171);
    EXPECT_EQ(tag(f), u8("20.06.2024"));
    // Each redraw points at the middle of the axis, drawn to an entry day within reach.
    struct Schritt {
        const char* menue;
        QStringList bereich;
        const char* mitte;
    };
    const Schritt schritte[] = {
        {"mnuZoom(0)", {u8("| 08.01.2024"), u8("01.12.2024 |"), u8("|--- 328 Tage ---|")}, "20.06.2024"},
        {"mnuZoom(1)", {u8("| 23.12.2023"), u8("17.12.2024 |"), u8("|--- 360 Tage ---|")}, "20.06.2024"},
        {"mnuZoom(2)", {u8("| 01.01.2024"), u8("31.12.2024 |"), u8("|--- 365 Tage ---|")}, "02.07.2024"},
    };
    for (const Schritt& schritt : schritte) {
        SCOPED_TRACE(schritt.menue);
        EXPECT_TRUE(f->menues->trigger(u8(schritt.menue)));
        EXPECT_EQ(bereich(f), schritt.bereich);
        EXPECT_EQ(tag(f), u8(schritt.mitte));
    }

    // An entry written meanwhile: the redraw builds the index afresh.
    ASSERT_TRUE(store::EintragDateiSchreiben(u8("20220305.Txt"), u8("Früher")));
    EXPECT_TRUE(f->menues->trigger(u8("mnuZoom(3)")));
    EXPECT_EQ(bereich(f), QStringList({u8("| 01.01.2022"), u8("31.12.2024 |"), u8("|--- 3,0 Jahre ---|")}));
    EXPECT_EQ(f->striche().size(), 3u);

    EXPECT_TRUE(main.shownDays.isEmpty()) << "the main window never moves";
    EXPECT_EQ(main.dateCaption(), gezeigt);
}

TEST_F(TimelineTest, rangesAreClampedAndWidenedToAHundredDays)
{
    struct Row {
        const char* name;
        rt::VbDate von;
        rt::VbDate bis;
        QStringList bereich;
    };
    const Row rows[] = {
        {"19 days widen evenly to 101", rt::DateSerial(2024, 6, 1), rt::DateSerial(2024, 6, 20),
         {u8("| 21.04.2024"), u8("31.07.2024 |"), u8("|--- 101 Tage ---|")}},
        {"a single day widens to 100", rt::DateSerial(2024, 6, 1), rt::DateSerial(2024, 6, 1),
         {u8("| 12.04.2024"), u8("21.07.2024 |"), u8("|--- 100 Tage ---|")}},
        {"beyond the years 1500 to 2200", rt::DateSerial(1400, 5, 5), rt::DateSerial(2300, 1, 1),
         {u8("| 01.01.1500"), u8("31.12.2200 |"), u8("|--- 701,0 Jahre ---|")}},
    };
    Zeitleiste* f = oeffnen();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        f->leisteVon = row.von;
        f->leisteBis = row.bis;
        EXPECT_TRUE(f->menues->trigger(u8("mnuRefresh")));
        EXPECT_EQ(bereich(f), row.bereich);
        EXPECT_GE(f->leisteTage, 100);
    }
}

TEST_F(TimelineTest, pointerIsDrawnToTheNearestEntryDayWithinReach)
{
    schreiben(u8("2024/20240614.Txt"), "Vorher");
    struct Row {
        const char* name;
        double x; // twips from the axis's left
        bool shift;
        const char* tag;
        std::optional<double> eintragX; // where the marker goes when it is drawn to an entry
    };
    const Row rows[] = {
        {"on an entry day", 171 * twipsJeTag, false, "20.06.2024", 171 * twipsJeTag},
        {"six days (90 twips) away: within 99 twips", 177 * twipsJeTag, false, "20.06.2024",
         171 * twipsJeTag},
        {"seven days (105 twips) away: too far", 178 * twipsJeTag, false, "27.06.2024", {}},
        {"Shift held, one day (15 twips) away: within 20 twips", 172 * twipsJeTag, true,
         "20.06.2024", 171 * twipsJeTag},
        {"Shift held, two days (30 twips) away: too far", 173 * twipsJeTag, true, "22.06.2024", {}},
        {"exactly between two entry days: the earlier", 168 * twipsJeTag, false, "14.06.2024",
         165 * twipsJeTag},
        {"right of the axis: its last day", 7000, false, "31.12.2024", {}},
        {"left of the axis: days before the range", -150, false, "22.12.2023", {}},
        {"before the first entry, within reach", 5 * twipsJeTag, false, "10.01.2024",
         9 * twipsJeTag},
    };
    Zeitleiste* f = oeffnen();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.shift ? tasten.hold(Qt::ShiftModifier) : tasten.releaseAll();
        f->picZeitleiste_MouseMove(0, 0, row.x, 0);
        EXPECT_EQ(tag(f), u8(row.tag));
        EXPECT_EQ(f->bezZeitleisteDatum->text(), u8(row.tag));
        EXPECT_TRUE(f->LineZeitleiste->isVisible());
        const QColor farbe = f->LineZeitleiste->palette().color(QPalette::Window);
        if (row.eintragX) {
            EXPECT_DOUBLE_EQ(f->markerX(), *row.eintragX);
            EXPECT_EQ(farbe, QColor(192, 0, 0));
        } else {
            EXPECT_DOUBLE_EQ(f->markerX(), row.x);
            EXPECT_EQ(farbe, f->palette().color(QPalette::WindowText));
        }
    }
}

TEST_F(TimelineTest, panelsAndTextDescribeThePointedDay_entryTextIsNeverMarkup)
{
    schreiben(u8("Feiertag.dci"), "[Einmalig]\r\n20.06.2024=Sommerfest\r\n");
    struct Row {
        const char* name;
        double tage;
        const char* text;
        const char* aktuell;
        const char* position;
        const char* wieLange;
    };
    const Row rows[] = {
        {"an entry day with a holiday", 171, "<b>Sommer</b>",
         "Donnerstag, 20. Juni 2024, 25. Woche, Sommerfest", " 13 Zeichen ", " vor 11 Tagen "},
        {"a day without entry", 190, "", "Dienstag, 9. Juli 2024, 28. Woche", " 0 Zeichen ",
         " in 8 Tagen "},
        {"today", 182, "", "Montag, 1. Juli 2024, 27. Woche", " 0 Zeichen ", " heute "},
    };
    Zeitleiste* f = oeffnen();
    EXPECT_EQ(f->bezZeitleisteText->textFormat(), Qt::PlainText);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        zeigeAufTag(f, row.tage);
        EXPECT_EQ(f->bezZeitleisteText->text(), u8(row.text));
        EXPECT_EQ(f->StatusBar->text(u8("Aktuell")), u8(row.aktuell));
        EXPECT_EQ(f->StatusBar->text(u8("Position")), u8(row.position));
        EXPECT_EQ(f->StatusBar->text(u8("WieLange")), u8(row.wieLange));
    }
}

TEST_F(TimelineTest, theMouseAndTheShiftKeyReachThePointerHandler)
{
    Zeitleiste* f = oeffnen();
    QTest::mouseMove(f->picZeitleiste, QPoint(172, 10)); // one day after 20.06., 15 twips
    EXPECT_EQ(tag(f), u8("20.06.2024"));
    tasten.hold(Qt::ShiftModifier);
    QTest::mouseMove(f->picZeitleiste, QPoint(173, 10)); // two days after, 30 twips
    EXPECT_EQ(tag(f), u8("22.06.2024"));
    EXPECT_EQ(f->LineZeitleiste->geometry().center().x(), 172) << "an overlay on the axis";
}

TEST_F(TimelineTest, unsettledCases_neverFail)
{
    struct Row {
        const char* name;
        std::function<void()> vorbereiten;
        int breite;
        QStringList bereich;
        std::size_t striche;
    };
    const Row rows[] = {
        {"a diary without entries: the current year without strokes",
         [this] { QDir(datenordner.path() + u8("/2024")).removeRecursively(); }, achsenPixel,
         {u8("| 01.01.2024"), u8("31.12.2024 |"), u8("|--- 365 Tage ---|")}, 0},
        {"an axis of 15 twips draws nothing", [] {}, 1,
         {u8("| 01.01.2024"), u8("31.12.2024 |"), u8("|--- 365 Tage ---|")}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        store::resetTagesverzeichnis();
        row.vorbereiten();
        Zeitleiste* f = oeffnen(row.breite);
        EXPECT_EQ(bereich(f), row.bereich);
        EXPECT_EQ(f->striche().size(), row.striche);
        f->picZeitleiste_MouseMove(0, 0, 100, 0);
        f->picZeitleiste->repaint();
        for (int i = 0; i < 4; ++i)
            f->mnuZoom_Click(i);
        EXPECT_GE(f->leisteTage, 100);
        f->unload();
    }
}

TEST_F(TimelineTest, fiveCenturiesOnAWideAxis_strokesInPlace)
{
    // Days times twips pass 2^31 here: 255,000 days on an axis of 45,000 twips.
    QDir(datenordner.path() + u8("/2024")).removeRecursively();
    schreiben(u8("1501/15010102.Txt"), "fr\xfch");
    schreiben(u8("2200/22001230.Txt"), "sp\xe4t");
    Zeitleiste* f = oeffnen(3000);
    EXPECT_EQ(bereich(f), QStringList({u8("| 01.01.1501"), u8("31.12.2200 |"), u8("|--- 700,0 Jahre ---|")}));
    const double tage = QDate(1501, 1, 1).daysTo(QDate(2200, 12, 31));
    ASSERT_EQ(f->leisteTage, tage);
    const double w = f->achsenBreite();
    ASSERT_EQ(f->striche().size(), 2u);
    EXPECT_DOUBLE_EQ(f->striche()[0], 1 * w / tage);
    EXPECT_DOUBLE_EQ(f->striche()[1], (tage - 1) * w / tage);

    f->picZeitleiste_MouseMove(0, 0, w, 0);
    EXPECT_EQ(tag(f), u8("30.12.2200"));
    EXPECT_EQ(f->bezZeitleisteText->text(), u8("spät"));
}

TEST_F(TimelineTest, leavingHidesAndStoresThePosition_onlyReadsTheDataFolder)
{
    const auto vorher = datenordnerInhalt();
    struct Row {
        const char* name;
        std::function<void(Zeitleiste*)> verlassen;
    };
    const Row rows[] = {
        {"Escape", [](Zeitleiste* f) { QTest::keyClick(f, Qt::Key_Escape); }},
        {"F12", [](Zeitleiste* f) { EXPECT_TRUE(f->menues->trigger(u8("mnuZurück"))); }},
        {"the close box", [](Zeitleiste* f) { f->close(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        folders.writeSettingsFile(u8("Brisol.ini"), QByteArray());
        Zeitleiste* f = oeffnen();
        zeigeAufTag(f, 171);
        f->mnuZoom_Click(0);
        row.verlassen(f);
        EXPECT_TRUE(f->isHidden());
        EXPECT_FALSE(f->isUnloaded()) << "the opener unloads it";
        EXPECT_TRUE(folders.settingsFile(u8("Brisol.ini")).contains("Form_WeiteZeitleiste="));
        f->unload();
    }
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(main.shownDays.isEmpty());
}

TEST_F(TimelineTest, theMainMenuOpensAFreshOneEachTime_modally)
{
    commands::resetFensterOeffner();
    commands::alleFensterAnschliessen();
    QPointer<Zeitleiste> erste;
    for (int oeffnung = 1; oeffnung <= 2; ++oeffnung) {
        SCOPED_TRACE(oeffnung);
        bool gezeigt = false;
        sobaldOffen<Zeitleiste>([&](Zeitleiste* f) {
            gezeigt = true;
            EXPECT_TRUE(f->isModal());
            EXPECT_EQ(f->parentWidget(), main.widget()) << "owned by the main window";
            if (erste)
                EXPECT_NE(f, erste.data()) << "a fresh load each time";
            else
                erste = f;
            QTest::keyClick(f, Qt::Key_Escape);
        });
        EXPECT_TRUE(commands::fensterOeffnen(u8("mnuZeitleiste")));
        EXPECT_TRUE(gezeigt);
        ASSERT_NE(platform::findForm<Zeitleiste>(), nullptr) << "kept loaded until the next opening";
    }
    EXPECT_TRUE(!erste || erste->isUnloaded());
    EXPECT_TRUE(main.shownDays.isEmpty());
    commands::resetFensterOeffner();
}

} // namespace
