#include "commands_fixture.h"

#include "commands/date_insert_commands.h"
#include "support/fake_clock.h"

namespace {

// The date entries put their text into the entry through the main window's one insertion, at
// the caret, in the user's format.
class DateInsert : public CommandsTest {
protected:
    DateInsert()
    {
        main.days[u8("05.05.2024")] = u8("Heute Hafen.");
        zeigeTag(u8("05.05.2024"));
        main.setSelStart(6);
    }

    InstalledFake<FakeClock> clock{platform::setClock, rt::dateTimeOf(2024, 5, 5, 14, 30)};
};

TEST_F(DateInsert, dateTakesTheUsersFormatAndGoesInAtTheCaret)
{
    const struct {
        const char* einstellung; // [Korvanel] of Brisol.ini
        const char* text;
    } faelle[] = {
        {"", "05.05.2024 "},
        {"StrgDForm=\r\n", "05.05.2024 "},
        {"StrgDForm=d.m.yy hh:nn\r\n", "5.5.24 14:30 "},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.einstellung);
        folders.writeSettingsFile(u8("Brisol.ini"), QByteArray("[Korvanel]\r\n") + fall.einstellung);
        main.insertions.clear();
        commands::DatumEinfuegen(main);
        EXPECT_EQ(main.insertions, QStringList{u8(fall.text)});
    }
    EXPECT_EQ(main.text(), u8("Heute 05.05.2024 05.05.2024 5.5.24 14:30 Hafen."));
}

TEST_F(DateInsert, dateAndTimeInWordsInLocalTimeOrStandardTime)
{
    commands::DatumUhrzeitEinfuegen(main);
    folders.writeSettingsFile(u8("Brisol.ini"), "[Korvanel]\r\nInstDatTime=MEZ\r\n");
    commands::DatumUhrzeitEinfuegen(main);
    EXPECT_EQ(main.insertions, (QStringList{u8("05. Mai 2024 um 14:30 Uhr "),
                                            u8("05. Mai 2024 um 13:30 MEZ ")}));
    EXPECT_TRUE(main.unsaved());
}

TEST_F(DateInsert, standardTimeTakesDateAndTimeFromOneMoment)
{
    folders.writeSettingsFile(u8("Brisol.ini"), "[Korvanel]\r\nInstDatTime=MEZ\r\n");
    const struct {
        rt::VbDate jetzt;
        const char* text;
    } faelle[] = {
        {rt::dateTimeOf(2024, 5, 10, 14, 30), "10. Mai 2024 um 13:30 MEZ "},
        {rt::dateTimeOf(2024, 5, 11, 0, 30), "10. Mai 2024 um 23:30 MEZ "},
        {rt::dateTimeOf(2024, 1, 1, 0, 30), "01. Januar 2024 um 00:30 MEZ "},
        {rt::dateTimeOf(2024, 3, 1, 0, 30), "01. März 2024 um 00:30 MEZ "},
        {rt::dateTimeOf(2024, 6, 1, 0, 30), "31. Mai 2024 um 23:30 MEZ "},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.text);
        EXPECT_EQ(commands::DatumUhrzeitText(fall.jetzt), u8(fall.text));
    }
}

} // namespace
