// A hand-over of text to a copy started read-only ("readonly" among its words), on the real main
// window and its start-up timer as the program wires them: the text is not taken over, the file
// stays, the user is told, nothing is written into the data folder and the copy stays open.
#include "main_fixture.h"

#include "mainwindow/main_timers.h"

using HandOverReadOnly = MainFixture;

TEST_F(HandOverReadOnly, keepsTheFileWritesNothingSaysSoAndStaysOpen)
{
    schreiben(s("Info.Abc"), "Mein Tagebuch\r\n");
    schreiben(s("2024/20240305.Abc"), ansi("Alter Text äöü."));
    folders.temp().write(s("Über gabe/Text für Abc.txt"), ansi("Neuer Text"));
    const QString uebergabe = folders.temp().file(s("Über gabe/Text für Abc.txt"));
    const auto vorher = datenordnerInhalt();

    laden({s("readonly"), s("Korvanel=Abc"), s("Datum=05.03.2024"), s("AppendFile=") + uebergabe});
    ASSERT_TRUE(foundation::nurLesen);
    auto& hooks = mainwindow::mainHooks();
    hooks.korvanelUmgebung = [this](const QString& tag) { main->KorvanelUmgebung(tag); };
    hooks.kennwortMerken = [](const QString& k, const QString& p) { store::KennwortMerken(k, p); };
    hooks.tagWirdGeladen = [this] { return main->tagWirdGeladen(); };
    hooks.vorgabenSichern = [this] { main->MainVorgabenSichern(); };
    auto* timers = new mainwindow::MainTimers(main.get());

    dialogs.expectMsgBox(platform::vbOK, s("nur zum Lesen"));
    timers->zeitInitTimer();

    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_TRUE(dialogs.calls()[0].text.contains(s("»") + uebergabe + s("« konnte nicht")));
    EXPECT_TRUE(dialogs.calls()[0].text.contains(s("Die Datei bleibt erhalten.")));
    EXPECT_EQ(store::korvanelKuerzel, s("Abc"));
    EXPECT_EQ(store::aktDatum, s("05.03.2024"));
    EXPECT_EQ(main->text(), s("Alter Text äöü."));
    EXPECT_EQ(folders.temp().read(s("Über gabe/Text für Abc.txt")), ansi("Neuer Text"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_EQ(ende.endCalls(), 0);
    EXPECT_EQ(panel("Status"), s("Bereit"));
    EXPECT_TRUE(fehler.empty());
}
