// The replace window against the real main window on real day files: what it selects, what it
// replaces, what the day files hold afterwards, and that no selection it makes ever covers
// anything but the text to find.
#include "../mainwindow/main_fixture.h"

#include "search/replace_window.h"
#include "support/fake_keyboard.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using search::Ersetzen;

namespace {

class Replace : public MainFixture {
protected:
    // The diary "Txt" with these day files, the main window on datum with the caret at 0, and
    // the replace window loaded with its two texts.
    Ersetzen* oeffnenMit(const std::vector<std::pair<const char*, const char*>>& tage,
                         const char* datum, const char* such, const char* ersatz,
                         bool aufraeumen = false)
    {
        schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
        foundation::IniSchreiben({}, {}, s("AutoFormat"), aufraeumen ? s("1") : s("0"));
        for (const auto& [tag, text] : tage)
            schreiben(s(tag).left(4) + u'/' + s(tag) + s(".Txt"), ansi(text));
        oeffnen(s("Txt"), s(datum));
        main->setSelStart(0);
        auto* fenster = new Ersetzen(main.get());
        fenster->Zeit->stop();
        fenster->Txt1->setText(s(such));
        fenster->Txt2->setText(s(ersatz));
        fenster->Zeit_Timer();
        return fenster;
    }

    struct Auswahl {
        QString tag;
        int start;
        int laenge;
        friend bool operator==(const Auswahl&, const Auswahl&) = default;
        friend void PrintTo(const Auswahl& a, std::ostream* os)
        {
            *os << a.tag.toStdString() << " (" << a.start << "," << a.laenge << ")";
        }
    };
    Auswahl auswahl() const { return {main->dateCaption(), main->selStart(), main->selLength()}; }

    // Every selection the window leaves covers exactly the text to find, in the editor and in
    // its preview.
    void nurSuchtextGewaehlt(const Ersetzen* fenster) const
    {
        if (!fenster->BefErsetzen->isEnabled())
            return;
        EXPECT_EQ(main->selText(), fenster->Txt1->text());
        EXPECT_EQ(fenster->text->selText(), fenster->Txt1->text());
        EXPECT_EQ(fenster->text->text(), main->text());
    }

    InstalledFake<FakeKeyboard> tasten{platform::setKeyboard};
};

TEST_F(Replace, acrossTwoEntries_replacesEachOccurrenceOnceAndEndsWithTheMessage)
{
    Ersetzen* fenster = oeffnenMit({{"20240101", "Hallo Welt"}, {"20240103", "Welt Welt"}},
                                   "01.01.2024", "Welt", "Erdball");
    EXPECT_TRUE(fenster->BefSuche->isEnabled());
    EXPECT_FALSE(fenster->BefErsetzen->isEnabled());

    fenster->BefSuche->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("01.01.2024"), 6, 4})) << "found behind the caret";
    EXPECT_TRUE(fenster->BefErsetzen->isEnabled());
    EXPECT_FALSE(fenster->ProgressBar->isVisibleTo(fenster));
    EXPECT_EQ(fenster->BefAbbruch->text(), s("Zu&rück"));
    nurSuchtextGewaehlt(fenster);

    fenster->BefErsetzen->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("03.01.2024"), 0, 4}));
    EXPECT_EQ(main->text(), s("Welt Welt"));
    nurSuchtextGewaehlt(fenster);
    EXPECT_EQ(lesen(s("2024/20240101.Txt")), QByteArray("Hallo Erdball")) << "saved on the move";

    fenster->BefErsetzen->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("03.01.2024"), 8, 4})) << "on in the same entry first";
    nurSuchtextGewaehlt(fenster);

    dialogs.expectMsgBox(platform::vbOK, s("Keinen passenden Eintrag gefunden."));
    fenster->BefErsetzen->click();
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, s("Korvanel, Text ersetzen"));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(sound.beeps(), (std::vector<int>{platform::beepExclamation}));
    EXPECT_FALSE(fenster->BefErsetzen->isEnabled());
    EXPECT_TRUE(fenster->text->text().isEmpty());
    EXPECT_EQ(main->dateCaption(), s("03.01.2024"));
    EXPECT_EQ(main->text(), s("Erdball Erdball"));
    EXPECT_EQ(lesen(s("2024/20240101.Txt")), QByteArray("Hallo Erdball"));
    EXPECT_EQ(lesen(s("2024/20240103.Txt")), QByteArray("Erdball Erdball"))
        << "the shown entry is saved before the entries are searched";
    EXPECT_TRUE(fehler.empty());
}

TEST_F(Replace, tidiedEntry_selectsTheOccurrenceWhereTheEditorShowsIt)
{
    // Shown tidied up: "Welt ist Welt." – in the file the first "Welt" stands three characters
    // further on.
    Ersetzen* fenster = oeffnenMit({{"20240101", "Nichts"}, {"20240103", "\r\n. Welt ist Welt"}},
                                   "01.01.2024", "Welt", "Erdball", true);
    fenster->BefSuche->click();
    EXPECT_EQ(main->text(), s("Welt ist Welt."));
    EXPECT_EQ(auswahl(), (Auswahl{s("03.01.2024"), 0, 4}));
    nurSuchtextGewaehlt(fenster);
    fenster->BefErsetzen->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("03.01.2024"), 12, 4}));
    nurSuchtextGewaehlt(fenster);
    tasten.hold(Qt::ShiftModifier);
    fenster->BefErsetzen->click();
    EXPECT_EQ(main->text(), s("Erdball ist Erdball."));
    main->setDateCaption(s("01.01.2024"));
    EXPECT_EQ(lesen(s("2024/20240103.Txt")), QByteArray("Erdball ist Erdball."));
}

TEST_F(Replace, unsavedReplacementOnTheShownDay_isNotFoundAgainInItsOldFile)
{
    Ersetzen* fenster = oeffnenMit({{"20240105", "Hallo Welt"}}, "05.01.2024", "Welt", "X");
    fenster->BefSuche->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("05.01.2024"), 6, 4}));
    dialogs.expectMsgBox(platform::vbOK, s("Keinen passenden Eintrag gefunden."));
    fenster->BefErsetzen->click();
    EXPECT_EQ(main->text(), s("Hallo X"));
    EXPECT_FALSE(fenster->BefErsetzen->isEnabled()) << "nothing left to replace";
    EXPECT_EQ(lesen(s("2024/20240105.Txt")), QByteArray("Hallo X"));
}

TEST_F(Replace, shiftHeld_replacesAndSelectsTheReplacementWithoutSearching)
{
    Ersetzen* fenster = oeffnenMit({{"20240101", "Hallo Welt"}, {"20240103", "Welt Welt"}},
                                   "01.01.2024", "Welt", "Erdball");
    fenster->BefSuche->click();
    tasten.hold(Qt::ShiftModifier);
    fenster->BefErsetzen->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("01.01.2024"), 6, 7}));
    EXPECT_EQ(main->selText(), s("Erdball"));
    EXPECT_FALSE(fenster->BefErsetzen->isEnabled());
    EXPECT_TRUE(dialogs.calls().empty());
    // Replacing again without a search in between changes nothing: the selection is no
    // longer the text to find.
    fenster->BefErsetzen->setEnabled(true);
    tasten.releaseAll();
    const QByteArray vorher = lesen(s("2024/20240103.Txt"));
    fenster->BefErsetzen->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("03.01.2024"), 0, 4})) << "searched instead";
    EXPECT_EQ(lesen(s("2024/20240101.Txt")), QByteArray("Hallo Erdball"));
    EXPECT_EQ(lesen(s("2024/20240103.Txt")), vorher);
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Replace, selectionChangedByTheUser_isSearchedAgainNotOverwritten)
{
    Ersetzen* fenster = oeffnenMit({{"20240101", "Hallo Welt und Welt"}}, "01.01.2024", "Welt",
                                   "Erdball");
    fenster->BefSuche->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("01.01.2024"), 6, 4}));
    struct Fall {
        const char* name;
        int start;
        int laenge;
    };
    for (const Fall& fall : {Fall{"caret moved to the start", 0, 0},
                             Fall{"other characters selected", 0, 5},
                             Fall{"one character more", 6, 5}}) {
        SCOPED_TRACE(fall.name);
        main->setSelStart(fall.start);
        main->setSelLength(fall.laenge);
        fenster->BefErsetzen->setEnabled(true);
        fenster->BefErsetzen->click();
        EXPECT_EQ(main->text(), s("Hallo Welt und Welt"));
        EXPECT_EQ(main->selText(), s("Welt"));
        nurSuchtextGewaehlt(fenster);
    }
}

TEST_F(Replace, readOnly_changesNothing)
{
    Ersetzen* fenster = oeffnenMit({{"20240101", "Hallo Welt"}}, "01.01.2024", "Welt", "Erdball");
    foundation::nurLesen = true;
    const auto vorher = datenordnerInhalt();
    fenster->BefSuche->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("01.01.2024"), 6, 4}));
    fenster->BefErsetzen->click();
    EXPECT_EQ(main->text(), s("Hallo Welt"));
    EXPECT_FALSE(fenster->BefErsetzen->isEnabled());
    main->setDateCaption(s("02.01.2024"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(Replace, searchButton_isOfferedOnlyForTwoDifferentTexts)
{
    struct Fall {
        const char* such;
        const char* ersatz;
        bool an;
    };
    Ersetzen* fenster = oeffnenMit({{"20240101", "Hallo"}}, "01.01.2024", "", "");
    for (const Fall& fall : {Fall{"", "", false}, Fall{"Welt", "", false}, Fall{"", "Erde", false},
                             Fall{"Welt", "Welt", false}, Fall{"Welt", "welt", true},
                             Fall{"Welt", "Erde", true}, Fall{"Welt ", "Welt", true}}) {
        SCOPED_TRACE(std::string(fall.such) + " -> " + fall.ersatz);
        fenster->Txt1->setText(s(fall.such));
        fenster->Txt2->setText(s(fall.ersatz));
        fenster->Zeit_Timer();
        EXPECT_EQ(fenster->BefSuche->isEnabled(), fall.an);
    }
    EXPECT_EQ(fenster->Txt1->maxLength(), 128);
    EXPECT_EQ(fenster->Txt2->maxLength(), 128);
}

TEST_F(Replace, cancelDuringTheSearch_isSilentAndLeavesTheMainWindowWhereItIs)
{
    Ersetzen* fenster = oeffnenMit(
        {{"20240101", "Hallo"}, {"20240102", "Nichts"}, {"20240103", "Welt"}}, "01.01.2024",
        "Welt", "Erdball");
    QTimer::singleShot(0, fenster, [fenster] {
        EXPECT_EQ(fenster->BefAbbruch->text(), s("Abb&rechen"));
        EXPECT_FALSE(fenster->BefSuche->isEnabled());
        fenster->BefAbbruch->click();
    });
    fenster->BefSuche->click();
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(sound.beeps().empty());
    EXPECT_EQ(main->dateCaption(), s("01.01.2024"));
    EXPECT_FALSE(fenster->BefErsetzen->isEnabled());
    EXPECT_EQ(fenster->BefAbbruch->text(), s("Zu&rück"));
    EXPECT_TRUE(fenster->BefAbbruch->isEnabled());
    EXPECT_EQ(fenster->laeuft, 0);

    // Idle, the button leaves: the window is hidden, not unloaded, and keeps its texts.
    fenster->show();
    fenster->BefAbbruch->click();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(fenster->isUnloaded());
    EXPECT_EQ(fenster->Txt1->text(), s("Welt"));
    fenster->show();
    fenster->close(); // the close box acts as the button
    EXPECT_FALSE(fenster->isUnloaded());
}

TEST_F(Replace, occurrenceAtTheCaret_isFoundLastFromTheShownDaysFile)
{
    Ersetzen* fenster = oeffnenMit({{"20240101", "Welt"}, {"20240103", "Nichts"}}, "01.01.2024",
                                   "Welt", "Erde");
    fenster->BefSuche->click();
    EXPECT_EQ(auswahl(), (Auswahl{s("01.01.2024"), 0, 4}));
    nurSuchtextGewaehlt(fenster);
    EXPECT_TRUE(dialogs.calls().empty());
}

} // namespace
