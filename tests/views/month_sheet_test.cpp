#include "views_fixture.h"

#include "platform/actions.h"
#include "platform/status_panels.h"
#include "views/month_sheet.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <functional>

using views::Monatsblatt;

namespace {

class MonthSheet : public ViewsTest {
protected:
    MonthSheet() { uhr.setNow(rt::dateTimeOf(2024, 5, 15, 10, 0, 0)); }

    // The sheet as a caller opens it, after its start step.
    Monatsblatt* oeffnen(const QString& datum)
    {
        auto* blatt = new Monatsblatt;
        blatt->Datum->setText(datum);
        blatt->show();
        blatt->TimerInit_Timer();
        return blatt;
    }

    static QString panel(const Monatsblatt* blatt, const char* key)
    {
        return blatt->panels->text(u8(key));
    }

    // The cell of the calendar that shows the day of the shown month.
    static QPoint zelle(const Monatsblatt* blatt, int tag)
    {
        auto* ansicht = blatt->MonthView->findChild<QTableView*>();
        for (int zeile = 1; zeile < ansicht->model()->rowCount(); ++zeile) {
            for (int spalte = 1; spalte < ansicht->model()->columnCount(); ++spalte) {
                const QModelIndex index = ansicht->model()->index(zeile, spalte);
                if (index.data().toInt() == tag)
                    return ansicht->visualRect(index).center();
            }
        }
        ADD_FAILURE() << "no cell for day " << tag;
        return {};
    }

    // What happens in the modal sheet once it is shown.
    void imBlatt(std::function<void(Monatsblatt&)> handeln)
    {
        QTimer::singleShot(0, qApp, [handeln] {
            auto* blatt = platform::findForm<Monatsblatt>();
            if (!blatt) {
                ADD_FAILURE() << "no month sheet";
                return;
            }
            blatt->TimerInit_Timer();
            QCoreApplication::processEvents(); // laid out with the calendar shown
            handeln(*blatt);
        });
    }
};

TEST_F(MonthSheet, keysAndButtonsMoveTheDateAndThePanelsFollow)
{
    Monatsblatt* blatt = oeffnen(u8("31.01.2024"));
    EXPECT_EQ(blatt->MonthView->selectedDate(), QDate(2024, 1, 31));
    EXPECT_TRUE(blatt->MonthView->isVisible());
    EXPECT_TRUE(blatt->befOk->hasFocus() || !blatt->isActiveWindow());

    struct Schritt {
        char taste;
        const char* datum;
    };
    // Sent to the focused Ok button; the window takes them.
    for (const Schritt& schritt : {Schritt{'m', "29.02.2024"}, Schritt{'j', "28.02.2025"},
                                   Schritt{'W', "21.02.2025"}, Schritt{'T', "20.02.2025"}}) {
        SCOPED_TRACE(schritt.taste);
        QTest::keyClick(blatt->befOk, schritt.taste);
        EXPECT_EQ(blatt->Datum->text(), u8(schritt.datum));
        EXPECT_EQ(blatt->MonthView->selectedDate(), rt::toQDate(*rt::CDate(u8(schritt.datum))));
    }
    EXPECT_EQ(panel(blatt, "Datum"), u8(" 20.02.2025 "));
    EXPECT_EQ(panel(blatt, "KW"), u8(" 8. Woche "));
    EXPECT_EQ(panel(blatt, "vor"), u8(" in 281 Tagen "));

    // The calendar itself passes letters and digits on; a key without a meaning changes nothing.
    auto* ansicht = blatt->MonthView->findChild<QTableView*>();
    for (const char taste : {'x', '5', 'd', 'D', 'w', 'y', 'Y', 'M', 't'})
        QTest::keyClick(ansicht, taste);
    EXPECT_EQ(blatt->Datum->text(), u8("28.01.2025"));
    // Its arrows are its own: a day on.
    QTest::keyClick(ansicht, Qt::Key_Right);
    EXPECT_EQ(blatt->Datum->text(), u8("29.01.2025"));
    QTest::keyClick(blatt->befOk, 'h');
    EXPECT_EQ(blatt->Datum->text(), u8("15.05.2024"));

    // The buttons send their letter.
    struct Knopf {
        int index;
        const char* text;
        const char* tipp;
        const char* datum;
    };
    const Knopf knoepfe[] = {
        {0, "< Tag", "Einen Tag zurück", "30.03.2024"},
        {1, "Tag >", "Einen Tag vor", "01.04.2024"},
        {2, "Heute", "Zum heutigen Datum", "15.05.2024"},
        {4, "< Monat", "Einen Monat zurück", "29.02.2024"},
        {5, "Monat >", "Einen Monat vor", "30.04.2024"},
        {6, "< Jahr", "Eine Jahr zurück", "31.03.2023"},
        {7, "Jahr >", "Eine Jahr vor", "31.03.2025"},
        {8, "< Woche", "Eine Woche zurück", "24.03.2024"},
        {9, "Woche >", "Eine Woche vor", "07.04.2024"},
    };
    for (const Knopf& knopf : knoepfe) {
        SCOPED_TRACE(knopf.text);
        QPushButton* button = blatt->BefDatumWechsel[static_cast<std::size_t>(knopf.index)];
        EXPECT_EQ(button->text(), u8(knopf.text));
        EXPECT_EQ(button->toolTip(), u8(knopf.tipp));
        blatt->MonthView->setSelectedDate(QDate(2024, 3, 31));
        button->click();
        EXPECT_EQ(blatt->Datum->text(), u8(knopf.datum));
    }
    EXPECT_EQ(blatt->BefDatumWechsel[3], nullptr);
}

TEST_F(MonthSheet, theDistancePanelCountsDaysFromToday)
{
    struct Fall {
        const char* datum;
        const char* vor;
    };
    const Fall faelle[] = {
        {"15.05.2024", " vor 0 Tagen "}, {"14.05.2024", " vor 1 Tag "},
        {"16.05.2024", " in 1 Tag "},    {"01.10.2027", " in 1.234 Tagen "},
        {"01.01.2000", " vor 8.901 Tagen "},
    };
    Monatsblatt* blatt = oeffnen(u8("15.05.2024"));
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datum);
        blatt->Datum->setText(u8(fall.datum));
        blatt->AnzeigeAuffrischen();
        EXPECT_EQ(panel(blatt, "vor"), u8(fall.vor));
    }
}

TEST_F(MonthSheet, aStartThatIsNoDateOrOutOfRangeShowsANearbyValidDay)
{
    struct Fall {
        const char* start;
        QDate tag;
    };
    const Fall faelle[] = {
        {"15.06.1499", QDate(1500, 1, 1)},  {"01.01.2201", QDate(2200, 12, 31)},
        {"abc", QDate(2024, 5, 15)},        {"", QDate(2024, 5, 15)},
        {"5.3.24", QDate(2024, 3, 5)},      {"01.01.1500", QDate(1500, 1, 1)},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.start);
        Monatsblatt* blatt = oeffnen(u8(fall.start));
        EXPECT_EQ(blatt->MonthView->selectedDate(), fall.tag);
        EXPECT_EQ(blatt->Datum->text(), fall.tag.toString(u8("dd.MM.yyyy")));
        blatt->unload();
    }
    // At the edge of the range the keys stop there.
    Monatsblatt* blatt = oeffnen(u8("31.12.2200"));
    QTest::keyClick(blatt->befOk, 'j');
    EXPECT_EQ(blatt->Datum->text(), u8("31.12.2200"));
}

TEST_F(MonthSheet, everyWayOutReturnsTheShownDate)
{
    struct Weg {
        const char* name;
        std::function<void(Monatsblatt&)> gehen;
    };
    const Weg wege[] = {
        {"Ok", [](Monatsblatt& b) { b.befOk->click(); }},
        {"Enter", [](Monatsblatt& b) { QTest::keyClick(b.befOk, Qt::Key_Return); }},
        {"Enter in the calendar",
         [](Monatsblatt& b) { QTest::keyClick(b.MonthView->findChild<QTableView*>(), Qt::Key_Enter); }},
        {"Esc", [](Monatsblatt& b) { QTest::keyClick(&b, Qt::Key_Escape); }},
        {"close box", [](Monatsblatt& b) { b.close(); }},
    };
    for (const Weg& weg : wege) {
        SCOPED_TRACE(weg.name);
        bool nochOffen = false;
        imBlatt([&](Monatsblatt& blatt) {
            QTest::keyClick(blatt.befOk, 'w');
            weg.gehen(blatt);
            nochOffen = blatt.isVisible();
            if (nochOffen)
                blatt.hide();
        });
        EXPECT_EQ(Monatsblatt::DatumWaehlen(nullptr, u8("Tag wechseln"), u8("05.03.2024")),
                  u8("12.03.2024"));
        EXPECT_FALSE(nochOffen);
        EXPECT_EQ(platform::findForm<Monatsblatt>(), nullptr) << "unloaded by the call";
    }
    // The place of the window is kept under the name "Korvanel".
    EXPECT_NE(foundation::IniLesen({}, {}, u8("Form_WeiteKorvanel")), QString());
}

TEST_F(MonthSheet, aDoubleClickTakesTheDayOnlyWhileDoubleClickIsTicked)
{
    for (const bool angehakt : {false, true}) {
        SCOPED_TRACE(angehakt);
        foundation::IniSchreiben({}, u8("_MonBlatt"), u8("MonBlatt2Click"), angehakt ? u8("1") : u8("0"));
        bool nochOffen = false;
        imBlatt([&](Monatsblatt& blatt) {
            EXPECT_EQ(blatt.actions->action(u8("mnuSetupDoppelklick"))->isChecked(), angehakt);
            auto* ansicht = blatt.MonthView->findChild<QTableView*>();
            // As a mouse does it: the first click selects, the second one makes it a double-click.
            QTest::mouseClick(ansicht->viewport(), Qt::LeftButton, {}, zelle(&blatt, 20));
            QTest::mouseDClick(ansicht->viewport(), Qt::LeftButton, {}, zelle(&blatt, 20));
            nochOffen = blatt.isVisible();
            if (nochOffen) {
                EXPECT_EQ(blatt.Datum->text(), u8("20.03.2024")) << "selected";
                blatt.befOk->click();
            }
        });
        EXPECT_EQ(Monatsblatt::DatumWaehlen(nullptr, u8("Tag wechseln"), u8("05.03.2024")),
                  u8("20.03.2024"));
        EXPECT_EQ(nochOffen, !angehakt);
    }
}

TEST_F(MonthSheet, colourAndDoubleClickAreKeptInTheSettings)
{
    Monatsblatt* blatt = oeffnen(u8("05.03.2024"));
    EXPECT_EQ(blatt->farbe(), QColor(192, 192, 192));
    EXPECT_EQ(blatt->windowTitle(), u8("Monatsblatt"));
    EXPECT_EQ(blatt->actions->menu(u8("mnuSetupX"))->title(), u8("&Einstellungen"));
    EXPECT_EQ(blatt->actions->action(u8("mnuSetupFarbe"))->text(), u8("&Farbe..."));
    EXPECT_EQ(blatt->actions->action(u8("mnuSetupDoppelklick"))->text(), u8("&Doppelklick"));

    dialogs.expectColor(std::nullopt).expectColor(QColor(Qt::red));
    blatt->actions->action(u8("mnuSetupFarbe"))->trigger();
    EXPECT_EQ(ini("_MonBlatt", "MonBlattFarbe"), u8("<fehlt>"));
    blatt->actions->action(u8("mnuSetupFarbe"))->trigger();
    EXPECT_EQ(ini("_MonBlatt", "MonBlattFarbe"), u8("255"));
    EXPECT_EQ(dialogs.calls()[0].startColor, QColor(192, 192, 192));
    EXPECT_EQ(blatt->farbe(), QColor(Qt::red));

    blatt->actions->action(u8("mnuSetupDoppelklick"))->trigger();
    EXPECT_EQ(ini("_MonBlatt", "MonBlatt2Click"), u8("1"));
    blatt->actions->action(u8("mnuSetupDoppelklick"))->trigger();
    EXPECT_EQ(ini("_MonBlatt", "MonBlatt2Click"), u8("0"));
    blatt->actions->action(u8("mnuSetupDoppelklick"))->trigger();
    blatt->unload();

    // The next sheet reads them back.
    blatt = oeffnen(u8("05.03.2024"));
    EXPECT_EQ(blatt->farbe(), QColor(Qt::red));
    EXPECT_TRUE(blatt->actions->action(u8("mnuSetupDoppelklick"))->isChecked());
}

TEST_F(MonthSheet, weekendsAreBoldAndMarkedAndHolidaysNamed)
{
    schreiben(u8("Feiertag.dci"), "[Zyklisch]\r\n01.05=Tag der Arbeit\r\n");
    Monatsblatt* blatt = oeffnen(u8("01.05.2024"));
    EXPECT_EQ(panel(blatt, "Feiertag"), u8("Tag der Arbeit"));
    EXPECT_EQ(blatt->Tooltipp->text(), QString());
    EXPECT_TRUE(blatt->MonthView->weekdayTextFormat(Qt::Saturday).font().bold());
    EXPECT_TRUE(blatt->MonthView->weekdayTextFormat(Qt::Sunday).font().bold());
    EXPECT_FALSE(blatt->MonthView->weekdayTextFormat(Qt::Friday).font().bold());
    QTest::keyClick(blatt->befOk, 'w');
    QTest::keyClick(blatt->befOk, 'w');
    QTest::keyClick(blatt->befOk, 'w');
    QTest::keyClick(blatt->befOk, 't');
    QTest::keyClick(blatt->befOk, 't');
    QTest::keyClick(blatt->befOk, 't'); // Saturday 25.05.2024
    EXPECT_EQ(blatt->Datum->text(), u8("25.05.2024"));
    EXPECT_EQ(blatt->Tooltipp->text(), u8(" "));
    EXPECT_EQ(panel(blatt, "Feiertag"), QString());
    EXPECT_EQ(blatt->MonthView->locale().language(), QLocale::German);
    EXPECT_EQ(blatt->MonthView->minimumDate(), QDate(1500, 1, 1));
    EXPECT_EQ(blatt->MonthView->maximumDate(), QDate(2200, 12, 31));
}

} // namespace
