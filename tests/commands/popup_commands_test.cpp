#include "commands_fixture.h"

#include "commands/popup_commands.h"
#include "platform/actions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

TEST(PopupEntries, captionsInTheirOrder)
{
    QStringList namen;
    QStringList captions;
    for (const commands::PopupEintrag& e : commands::popupEintraege()) {
        namen.append(e.name);
        captions.append(e.caption);
    }
    EXPECT_EQ(namen, (QStringList{u8("mnuPopUndo"), u8("mnuPopAusschneiden"),
                                  u8("mnuPopKopieren"), u8("mnuPopEinfügen"),
                                  u8("mnuPopDatumWechsel"), u8("mnuPopLesezeichen"),
                                  u8("mnuPopTagesliste"), u8("mnuPopHypersprung"),
                                  u8("mnuPopHilfeHypertexte")}));
    EXPECT_EQ(captions, (QStringList{u8("&Rückgängig"), u8("&Ausschneiden"), u8("&Kopieren"),
                                     u8("&Einfügen"), u8("&Wechseln zum Tag..."),
                                     u8("&Lesezeichen..."), u8("Tages&liste..."),
                                     u8("&Korvanel öffnen..."),
                                     u8("Infos über den Doppelklick im Textfeld...")}));
}

// The main menu entries the popup stands for, each counting its runs.
class PopupCommands : public CommandsTest {
protected:
    PopupCommands()
    {
        actions = new platform::ActionRegistry(&main.window());
        QMenu* menue = actions->addMenu(main.window().menuBar(), u8("PulBearbeiten"),
                                        u8("&Bearbeiten"));
        for (const char* name : {"mnuUndo", "PulAusschneiden", "PulKopieren", "mnuZAeinfg",
                                 "mnuLesezeichen", "mnuTagesliste"}) {
            const QString n = u8(name);
            QObject::connect(actions->addAction(menue, n, n), &QAction::triggered,
                             [this, n] { gelaufen.append(n); });
        }
    }

    platform::ActionRegistry* actions = nullptr;
    QStringList gelaufen;
};

TEST_F(PopupCommands, entriesRunTheirMainMenuCommand)
{
    const struct {
        const char* popup;
        const char* haupt;
    } faelle[] = {
        {"mnuPopUndo", "mnuUndo"},
        {"mnuPopAusschneiden", "PulAusschneiden"},
        {"mnuPopKopieren", "PulKopieren"},
        {"mnuPopEinfügen", "mnuZAeinfg"},
        {"mnuPopLesezeichen", "mnuLesezeichen"},
        {"mnuPopTagesliste", "mnuTagesliste"},
    };
    for (const auto& fall : faelle) {
        gelaufen.clear();
        EXPECT_TRUE(commands::PopupBefehl(main, u8(fall.popup)));
        EXPECT_EQ(gelaufen, QStringList{u8(fall.haupt)}) << fall.popup;
    }
    EXPECT_TRUE(help.calls().empty());
}

TEST_F(PopupCommands, aDisabledMainEntryDoesNotRunFromThePopup)
{
    actions->setEnabled(u8("PulBearbeiten"), false);
    EXPECT_FALSE(commands::PopupBefehl(main, u8("mnuPopKopieren")));
    EXPECT_FALSE(commands::PopupBefehl(main, u8("mnuPopDatumWechsel")));
    EXPECT_TRUE(gelaufen.isEmpty());
}

TEST_F(PopupCommands, theHelpEntryShowsTheTopicOnTheDoubleClick)
{
    EXPECT_TRUE(commands::PopupBefehl(main, u8("mnuPopHilfeHypertexte")));
    ASSERT_EQ(help.calls().size(), 1u);
    EXPECT_EQ(help.calls()[0].context, 158);
    EXPECT_EQ(help.calls()[0].file, foundation::ordnerPrg + u8("/Korvanel.chm"));
    EXPECT_TRUE(gelaufen.isEmpty());
}

} // namespace
