#include "main_fixture.h"

#include <QPushButton>
#include <QTest>

namespace {

class GoToDay : public MainFixture {
protected:
    void SetUp() override
    {
        schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
        schreiben(s("Feiertag.dci"), ansi("[Zyklisch]\r\n01.05=Tag der Arbeit\r\n"
                                          "[Einmalig]\r\n05.03.2024=Jubiläum\r\n"));
        schreiben(s("Korvanel.ini"),
                  "[Txt]\r\nBezugDatum=31.01.2023\r\nBezugText=Als ich * alt war\r\n");
    }
};

TEST_F(GoToDay, shortCaptionShowsTheNormalisedDayWithItsLabels)
{
    schreiben(s("2024/20240305.Txt"), "Ein Dienstag.");
    oeffnen(s("Txt"), s("04.03.2024"));

    main->BezDatum->setCaption(s("5.3.24"));

    EXPECT_EQ(main->BezDatum->caption(), s("05.03.2024"));
    EXPECT_EQ(store::aktDatum, s("05.03.2024"));
    EXPECT_EQ(store::aktTagesdatei, s("20240305.TXT"));
    EXPECT_EQ(panel("Aktuell"), s("Dienstag, 5. März 2024, 10. Woche, Jubiläum"));
    EXPECT_EQ(main->panels->toolTip(s("Aktuell")), s("Eintrag vom 05.03.2024, Jubiläum"));
    EXPECT_EQ(main->BezWochentag->text(), s("Di"));
    EXPECT_EQ(main->BezWieLange->text(), s("vor 5 Tagen"));
    EXPECT_EQ(main->BezWieLange2->text(), s("Als ich 13,1 Monate alt war"));
    EXPECT_EQ(main->Text->text(), s("Ein Dienstag."));
    EXPECT_EQ(panel("Status"), s("Bereit"));
    EXPECT_EQ(panel("Unsaved"), s("   "));
    // The clock's panels at once, as the clock itself writes them.
    EXPECT_EQ(panel("Datum"), s(" 10.03.2024 "));
    EXPECT_EQ(panel("Zeit"), s(" 12:00 "));
    EXPECT_EQ(main->caption(), s("Mein Tagebuch"));
}

TEST_F(GoToDay, captionsAreNormalisedAndClampedToTheSupportedYears)
{
    oeffnen(s("Txt"), s("04.03.2024"));
    struct Fall {
        const char* eingabe;
        const char* gezeigt;
        const char* datei;
    };
    for (const Fall& fall : {Fall{"1.2.2024", "01.02.2024", "20240201.TXT"},
                             Fall{"15.06.1499", "01.01.1500", "15000101.TXT"},
                             Fall{"01.01.2201", "31.12.2200", "22001231.TXT"},
                             Fall{"2024-12-24", "24.12.2024", "20241224.TXT"}}) {
        SCOPED_TRACE(fall.eingabe);
        main->setDateCaption(s(fall.eingabe));
        EXPECT_EQ(main->dateCaption(), s(fall.gezeigt));
        EXPECT_EQ(store::aktDatum, s(fall.gezeigt));
        EXPECT_EQ(store::aktTagesdatei, s(fall.datei));
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(GoToDay, previousDaysEditsAreOnDiskBeforeTheNextDayIsRead)
{
    // The next day is enciphered: its password prompt runs in the middle of loading it, and
    // looks at the disk and tries to edit and save from there.
    // Written after opening: a diary whose newest day is protected asks for its password when
    // it opens, which is not what this test is about.
    oeffnen(s("Txt"), s("04.03.2024"));
    store::kennwortSchreiben = s("geheim");
    ASSERT_TRUE(store::EintragDateiSchreiben(s("20240305.TXT"), s("Geheimer Dienstag")));
    store::kennwortSchreiben.clear();
    main->setText(s("Montag, neu geschrieben   "));
    main->LaufStimmung->setValue(4);
    EXPECT_EQ(panel("Unsaved"), s(" * "));

    QByteArray alterTagBeimLaden;
    QByteArray stimmungBeimLaden;
    store::setKennwortAbfrage([&](const QString&, const QString&) {
        alterTagBeimLaden = lesen(s("2024/20240304.Txt"));
        stimmungBeimLaden = lesen(s("Stimmung2024.ini"));
        // Changes by the program while the day loads are no edits, and nothing is saved.
        main->setText(s("Zwischenstand"));
        main->LaufStimmung->setValue(-2);
        EXPECT_EQ(store::ungesichert, 0);
        main->actions->trigger(s("mnuEintragSichern"));
        store::kennwortLesen = s("geheim");
        store::kennwortSchreiben = s("geheim");
    });
    const auto verschluesselt = lesen(s("2024/20240305.Txt"));

    main->setDateCaption(s("5.3.24"));

    EXPECT_EQ(alterTagBeimLaden, QByteArray("Montag, neu geschrieben"));
    EXPECT_TRUE(stimmungBeimLaden.contains("04.03.2024=4"));
    EXPECT_EQ(main->text(), s("Geheimer Dienstag.")); // tidied up for display
    EXPECT_EQ(lesen(s("2024/20240305.Txt")), verschluesselt);
    EXPECT_EQ(store::ungesichert, 0);
    EXPECT_EQ(panel("Unsaved"), s("   "));
}

TEST_F(GoToDay, loadingTidiesAndFillsTheMoodWithoutMarkingOrWritingAnything)
{
    schreiben(s("2024/20240305.Txt"), "\tkleiner text ohne punkt  ");
    schreiben(s("Stimmung2024.ini"), "[Txt]\r\n05.03.2024=-3\r\n");
    oeffnen(s("Txt"), s("04.03.2024"));
    const auto vorher = datenordnerInhalt();

    main->setDateCaption(s("05.03.2024"));
    EXPECT_EQ(main->text(), s("kleiner text ohne punkt."));
    EXPECT_EQ(main->LaufStimmung->value(), -3);
    EXPECT_EQ(main->bezStimmung->text(), s("Stimmung: -3"));
    EXPECT_EQ(main->bezStimmung->palette().color(QPalette::WindowText), QColor(145, 0, 0));
    EXPECT_EQ(store::ungesichert, 0);
    EXPECT_EQ(panel("Unsaved"), s("   "));
    EXPECT_EQ(mainwindow::undoText, s("kleiner text ohne punkt."));

    main->setDateCaption(s("06.03.2024"));
    EXPECT_EQ(main->bezStimmung->text(), QString());
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(GoToDay, unreadableDayStaysLockedUntilItIsLeftAndIsNeverOverwritten)
{
    folders.temp().makeFolder(s("daten/2024/20240306.Txt")); // exists, cannot be read
    oeffnen(s("Txt"), s("05.03.2024"));
    const auto vorher = datenordnerInhalt();

    main->setDateCaption(s("06.03.2024"));
    EXPECT_TRUE(main->Text->locked());
    EXPECT_EQ(main->text(), QString());
    EXPECT_TRUE(main->Text->placeholderText().contains(s("kann nicht gelesen werden")));
    main->Text->setFocus();
    QTest::keyClicks(main->Text, s("Überschreiben?"));
    main->setText(s("vom Programm"));
    main->LaufStimmung->setValue(5);
    EXPECT_EQ(store::ungesichert, 0);
    main->actions->trigger(s("mnuEintragSichern"));

    main->setDateCaption(s("07.03.2024"));
    EXPECT_FALSE(main->Text->locked());
    EXPECT_EQ(main->Text->placeholderText(), QString());
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(GoToDay, captionThatIsNoDateRestoresTheLastDayOnOk)
{
    oeffnen(s("Txt"), s("04.03.2024"));
    main->setText(s("Noch da"));
    dialogs.expectMsgBox(platform::vbOK, s("29.02.2023 ist kein gültiges Datum"));

    main->setDateCaption(s("29.02.2023"));

    ASSERT_EQ(dialogs.calls().size(), 1U);
    EXPECT_EQ(dialogs.calls()[0].title, s("Korvanel, ungültiges Datum"));
    EXPECT_EQ(dialogs.calls()[0].buttons, platform::vbOKCancel);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(dialogs.calls()[0].defaultAnswer, 2);
    EXPECT_EQ(sound.beeps(), std::vector<int>{platform::beepHand});
    EXPECT_EQ(main->dateCaption(), s("04.03.2024"));
    EXPECT_EQ(store::aktDatum, s("04.03.2024"));
    EXPECT_EQ(store::aktTagesdatei, s("20240304.TXT"));
    EXPECT_EQ(main->text(), s("Noch da"));
    EXPECT_EQ(lesen(s("2024/20240304.Txt")), QByteArray("Noch da"));
    EXPECT_TRUE(fehler.empty());

    // The restored day is the shown one: the next change of day works as always.
    main->setDateCaption(s("05.03.2024"));
    EXPECT_EQ(store::aktDatum, s("05.03.2024"));
}

TEST_F(GoToDay, cancelOnANoDateCaptionEndsTheProgramInOrder)
{
    oeffnen(s("Txt"), s("04.03.2024"));
    main->setText(s("Letzte Worte"));
    store::ungesichert = 1;
    dialogs.expectMsgBox(platform::vbCancel);
    const auto halter = [this] {
        return foundation::IniLesen(pfad(s("NetWatch.ini")), s("UserJetzt_"), s("User"));
    };
    ASSERT_NE(halter(), QString());

    // Set the way a window sets it, then the change event's handler runs directly, so that the
    // program's end can leave it.
    main->BezDatum->QLabel::setText(s("kein Datum"));
    EXPECT_THROW(main->TagWechseln(), ProgramEndedException);

    EXPECT_EQ(ende.endCalls(), 1);
    EXPECT_EQ(lesen(s("2024/20240304.Txt")), QByteArray("Letzte Worte"));
    EXPECT_EQ(main->dateCaption(), s("04.03.2024"));
    EXPECT_EQ(halter(), QString()); // released
}

TEST_F(GoToDay, withoutADiaryOnlyTheLabelsAreFilled)
{
    laden();
    EXPECT_EQ(main->dateCaption(), s("10.03.2024"));
    EXPECT_EQ(panel("Aktuell"), s("Kein Korvanel geladen"));
    EXPECT_EQ(main->BezWochentag->text(), s("So"));
    EXPECT_EQ(main->BezWieLange->text(), s("heute"));
    EXPECT_EQ(main->LaufStimmung->value(), 0);
    // Nowhere to keep a text: the editor takes none.
    EXPECT_TRUE(main->Text->locked());
    EXPECT_FALSE(vorhanden(s("2024")));
}

TEST_F(GoToDay, dateButtonsRunTheirMenuEntriesLeftAndRight)
{
    laden();
    QStringList gelaufen;
    for (const char* name : {"PulTagVor", "PulMonatZur", "PulWocheZur", "PulEintragErster"})
        QObject::connect(main->actions->action(s(name)), &QAction::triggered, main.get(),
                         [&gelaufen, name] { gelaufen << s(name); });
    QTest::mouseClick(main->BefDatumWechsel[1], Qt::LeftButton);
    QTest::mouseClick(main->BefDatumWechsel[4], Qt::LeftButton);
    QTest::mousePress(main->BefDatumWechsel[4], Qt::RightButton);
    QTest::mousePress(main->BefDatumWechsel[8], Qt::RightButton);
    QTest::mousePress(main->BefDatumWechsel[1], Qt::RightButton); // no right-button entry
    EXPECT_EQ(gelaufen, (QStringList{s("PulTagVor"), s("PulMonatZur"), s("PulWocheZur"),
                                     s("PulEintragErster")}));
    EXPECT_EQ(main->BefDatumWechsel[3], nullptr);
    EXPECT_EQ(main->BefDatumWechsel[9]->text(), s("Eintrag >"));
}

} // namespace
