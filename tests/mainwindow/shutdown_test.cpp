#include "timers_fixture.h"

#include "foundation/ini_store.h"


class Shutdown : public TimersFixture {
protected:
    Shutdown()
    {
        store::korvanelKuerzel = s("Abc");
        store::aktDatum = s("05.03.2024");
        store::aktTagesdatei = s("20240305.Abc");
    }

    QString netWatch() const
    {
        return QString::fromLatin1(lesen(s("NetWatch.ini")));
    }
};

TEST_F(Shutdown, runsEveryStepInOrderAndOnlyOnce)
{
    foundation::debugModus = 1;
    foundation::DateiReservierung(1);
    ASSERT_TRUE(netWatch().contains(s("[UserJetzt_]")));
    ASSERT_FALSE(netWatch().contains(s("User=\r\n")));
    foundation::StartStatistik();
    schreiben(s("05103000.$$$"), "Kopie");
    schreiben(s("Notiz.TXT"), "bleibt");
    main.setText(s("Zuletzt geschrieben"));
    store::ungesichert = 1;
    QStringList schritte;
    mainwindow::mainHooks().vorgabenSichern = [&] {
        schritte.append(s("Vorgaben") + (vorhanden(s("05103000.$$$")) ? s(" vor") : s(" nach"))
                        + s(" den Transferdateien"));
    };
    mainwindow::mainHooks().fensterEntladen = [&] {
        schritte.append(s("Fenster") + (netWatch().contains(s("User=\r\n")) ? s(" nach")
                                                                             : s(" vor"))
                        + s(" der Freigabe"));
    };
    clock.advance(15000); // 10:59:50 to 11:00:05: one minute boundary

    EXPECT_THROW(mainwindow::PulBeenden(), ProgramEndedException);
    EXPECT_EQ(lesen(s("2024/20240305.Abc")), QByteArray("Zuletzt geschrieben"));
    EXPECT_FALSE(vorhanden(s("05103000.$$$")));
    EXPECT_TRUE(vorhanden(s("Notiz.TXT")));
    EXPECT_TRUE(netWatch().contains(s("User=\r\n"))) << netWatch().toStdString();
    EXPECT_EQ(foundation::IniLesen({}, {}, s("Stat_RunMinutes")), s("1"));
    ASSERT_FALSE(help.calls().empty());
    EXPECT_EQ(help.calls().back().kind, FakeHelp::Kind::CloseAll);
    EXPECT_EQ(schritte, (QStringList{s("Vorgaben nach den Transferdateien"),
                                     s("Fenster nach der Freigabe")}));
    const QByteArray log = lesen(s("Debug.txt"));
    EXPECT_TRUE(log.contains("Programm-Ende")) << log.toStdString();
    EXPECT_EQ(ende.endCalls(), 1);

    // Every further way out (close box, a second exit command) finds it done.
    mainwindow::PulBeenden();
    EXPECT_EQ(ende.endCalls(), 1);
    EXPECT_EQ(schritte.size(), 2);
}

TEST_F(Shutdown, anEntryThatCannotBeSavedIsNotLostWithoutAsking)
{
    schreiben(s("2024"), "kein Ordner");
    main.setText(s("Wichtig"));
    store::ungesichert = 1;

    dialogs.expectMsgBox(platform::vbNo, s("nicht gespeichert"));
    mainwindow::PulBeenden();
    EXPECT_EQ(ende.endCalls(), 0);
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_EQ(main.text(), s("Wichtig"));
    EXPECT_FALSE(mainwindow::beendenLaeuft());

    dialogs.expectMsgBox(platform::vbYes, s("trotzdem beendet"));
    EXPECT_THROW(mainwindow::PulBeenden(), ProgramEndedException);
    EXPECT_EQ(ende.endCalls(), 1);
}

TEST_F(Shutdown, readOnlyEndsWithoutWritingIntoTheDataFolder)
{
    foundation::nurLesen = true;
    schreiben(s("05103000.$$$"), "Kopie");
    main.setText(s("Nur gelesen"));
    store::ungesichert = 1;
    EXPECT_THROW(mainwindow::PulBeenden(), ProgramEndedException);
    EXPECT_FALSE(vorhanden(s("2024/20240305.Abc")));
    EXPECT_TRUE(vorhanden(s("05103000.$$$")));
    EXPECT_FALSE(vorhanden(s("Debug.txt")));
    EXPECT_TRUE(dialogs.calls().empty());
}
