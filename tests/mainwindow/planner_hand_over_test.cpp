// Shift+F4 in the planner's appointments hands the selected appointment to the real main
// window, which appends it to the day it names.
#include "main_fixture.h"

#include "integration/expired_appointments.h"
#include "support/fake_clipboard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QTimer>

using PlannerHandOver = MainFixture;

TEST_F(PlannerHandOver, shiftF4AppendsTheAppointmentToItsDayAndF4AloneDoesNothing)
{
    schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(s("2022/20220201.Txt"), ansi("Quittungen."));
    folders.temp().write(s("zindor/Zindor.old"),
                         "15.12.2023 M\x81ller anrufen\r\n01.02.2022 Steuer\xB0\xB0" "Belege\r\n");
    oeffnen(s("Txt"), s("10.03.2024"));
    commands::zindorArchivDatei = folders.temp().file(s("zindor/Zindor.old"));

    auto* fenster = new integration::Altes(main.get());
    fenster->TimerInit->stop();
    fenster->befListeLesen_Click();
    ASSERT_EQ(fenster->Liste->count(), 2);
    fenster->Liste->setCurrentRow(0);

    const auto loslassen = [fenster](Qt::KeyboardModifiers modifiers) {
        QKeyEvent los(QEvent::KeyRelease, Qt::Key_F4, modifiers);
        QCoreApplication::sendEvent(fenster->Liste, &los);
    };
    loslassen(Qt::NoModifier);
    EXPECT_EQ(store::aktDatum, s("10.03.2024"));

    loslassen(Qt::ShiftModifier);
    EXPECT_EQ(store::aktDatum, s("01.02.2022"));
    EXPECT_EQ(main->text(), s("Quittungen.\r\nSteuer\r\nBelege"));
    ASSERT_TRUE(store::EintragSpeichern());
    EXPECT_EQ(lesen(s("2022/20220201.Txt")), ansi("Quittungen.\r\nSteuer\r\nBelege"));
    fenster->unload();
    EXPECT_TRUE(fehler.empty());
}
