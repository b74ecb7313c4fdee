// The search in read-only mode: the menu "&Bearbeiten" is locked with Ctrl+F and F3, but the
// tool-bar button "Suchen" still opens the search window, whose run moves the main window and
// writes nothing into the data folder.
#include "mainwindow/main_fixture.h"

#include "search/search_window.h"

#include <QAction>
#include <QTimer>

#include <functional>

namespace {

using SearchReadOnly = MainFixture;

// Runs job once the search window shows; the events before it are let pass.
void sobaldSuchenOffen(const std::function<void(search::Suchen*)>& job, int versuche = 200)
{
    QTimer::singleShot(0, [job, versuche] {
        auto* fenster = platform::findForm<search::Suchen>();
        if (fenster == nullptr || !fenster->isVisible()) {
            ASSERT_GT(versuche, 0) << "the search window never showed";
            sobaldSuchenOffen(job, versuche - 1);
            return;
        }
        job(fenster);
    });
}

TEST_F(SearchReadOnly, theToolBarButtonStillSearchesAndNothingIsWritten)
{
    schreiben(s("Info.Txt"), "Tagebuch\r\n");
    schreiben(s("2024/20240103.Txt"), "Ein Tag am Meer.");
    schreiben(s("2024/20240110.Txt"), "Berge.");
    schreiben(s("2024/20240120.Txt"), "Nichts.");
    laden({s("readonly")});
    ASSERT_TRUE(foundation::nurLesen);
    oeffnen(s("Txt"), s("10.01.2024"));
    const auto vorher = datenordnerInhalt();

    EXPECT_FALSE(main->actions->trigger(s("mnuSuchen")));
    EXPECT_FALSE(main->actions->trigger(s("mnuSuchenWeiter")));

    QString gezeigt;
    sobaldSuchenOffen([&](search::Suchen* fenster) {
        fenster->Text->setText(s("meer"));
        fenster->BefSuche_Click();
        gezeigt = main->dateCaption();
        fenster->BefAbbruch_Click();
    });
    main->actions->action(s("btnSearch"))->trigger();
    EXPECT_EQ(gezeigt, s("03.01.2024"));
    EXPECT_EQ(main->dateCaption(), s("03.01.2024"));
    EXPECT_EQ(main->selStart(), 11);
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

} // namespace
