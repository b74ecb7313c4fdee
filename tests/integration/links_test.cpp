#include "integration/links.h"

#include "foundation/folders.h"
#include "integration_fixture.h"
#include "support/fake_help.h"

#include <QDir>

using namespace integration;

namespace {

// Notes the clock's tick at each target it opens.
class TimedShell : public FakeShell {
public:
    explicit TimedShell(FakeClock& clock) : clock_(clock) {}
    bool openUrl(const QString& target) override
    {
        ticks.push_back(clock_.tick());
        return FakeShell::openUrl(target);
    }
    std::vector<qint64> ticks;

private:
    FakeClock& clock_;
};

class Links : public IntegrationTest {
protected:
    Links() { QDir::setCurrent(folders.temp().path()); }
    ~Links() override { QDir::setCurrent(previousFolder); }

    TimedShell timedShell{clock};
    ScopedService<platform::Shell> timedShellGuard{platform::setShell, &timedShell};
    const QString previousFolder = QDir::currentPath();
};

TEST_F(Links, linkArtGivesTheKindBits)
{
    folders.temp().write(u8("Brief an Anna.txt"), "x");
    folders.temp().write(u8("05.03.2024"), "a file named like a date");
    const QString tool = makeProgram(u8("Werkzeug/tool.exe"));
    struct Row {
        QString text;
        qint32 kind;
    };
    const Row rows[] = {
        {u8("05.03.2024"), linkDatum}, // a date, though a file of that name exists
        {u8("5.3.24"), linkDatum},
        {u8(" 5.3."), 0},              // a date, but shorter than 6 characters
        {u8("morgen"), 0},
        {u8("Anna.Meier@Example.DE"), linkEMail},
        {u8("anna@www.example.de"), linkEMail | linkWeb},
        {u8("https://a.de/xyz"), 0},   // 16 characters: too short for "https://"
        {u8("https://a.de/xyzw"), linkWeb},
        {u8("http://a.de/xyz"), 0},
        {u8("HTTP://a.de/xyzw"), linkWeb},
        {u8("ftp://a.de/pubx"), 0},
        {u8("ftp://a.de/pubxy"), linkWeb},
        {u8("siehe www.a.de"), linkWeb},
        {u8("www.a.d"), 0},
        {u8("www2.a.de"), linkWeb},
        {u8("www3.a.d"), 0},
        {folders.temp().file(u8("Brief an Anna.txt")), linkDatei},
        {u8("  brief an anna.TXT "), linkDatei}, // relative, any case, trimmed
        {tool + u8(" --datei x"), linkProgramm},
        {folders.temp().file(u8("fehlt.exe")) + u8(" --datei x"), 0},
        {tool, linkDatei},                         // without an argument it is a file
        {u8("Tagebuch"), 0},
        {QString(), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        EXPECT_EQ(LinkArt(row.text), row.kind);
    }
}

TEST_F(Links, linkOeffnenOpensWebLinksWithoutTheEndOfASentence)
{
    struct Row {
        QString text;
        QStringList opened;
        bool result;
    };
    const Row rows[] = {
        {u8("www.example.de."), {u8("www.example.de")}, true},
        {u8(" https://www.example.de/seite, "), {u8("https://www.example.de/seite")}, true},
        {u8("www.example.de.,"), {u8("www.example.de.")}, true}, // one "," then no further "."
        {u8("www.example.de,."), {u8("www.example.de")}, true},
        {u8("05.03.2024"), {}, false},
        {u8("a."), {}, false},                                     // two characters: untouched
        {u8("Tagebuch"), {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        timedShell.clear();
        EXPECT_EQ(LinkOeffnen(row.text), row.result);
        EXPECT_EQ(timedShell.opened(), row.opened);
    }
    // A link the desktop cannot open still counts as handed on (nothing is reported), so the
    // double-click does not go on to the bookmarks; several links keep their waits.
    timedShell.setAnswer(false);
    timedShell.ticks.clear();
    const qint64 start = clock.tick();
    EXPECT_TRUE(LinkOeffnen(u8("www.example.de")));
    EXPECT_TRUE(LinkOeffnen(u8("www.eins.de|www.zwei.de")));
    EXPECT_EQ(timedShell.ticks, (std::vector<qint64>{start, start, start + 3100}));
    EXPECT_EQ(pointer.get(), platform::vbIbeam);
    EXPECT_TRUE(processes.started().empty());
}

TEST_F(Links, severalLinksOpenInTurnWithTheirWaits)
{
    const qint64 start = clock.tick();
    EXPECT_TRUE(LinkOeffnen(u8("www.eins.de|www.zwei.de||www.drei.de.")));
    EXPECT_EQ(timedShell.opened(),
              (QStringList{u8("www.eins.de"), u8("www.zwei.de"), u8("www.drei.de")}));
    EXPECT_EQ(timedShell.ticks, (std::vector<qint64>{start, start + 3100, start + 4000}));
    EXPECT_EQ(clock.tick() - start, 4900);

    // A text that is an address and links at once ("|" may stand in an address): the e-mail
    // comes first, so the first link is no longer the first thing done: 0.9 s each.
    timedShell.clear();
    timedShell.ticks.clear();
    const qint64 mail = clock.tick();
    EXPECT_TRUE(LinkOeffnen(u8("anna@www.example.de|www.zwei.de")));
    ASSERT_EQ(timedShell.opened().size(), 3u);
    EXPECT_EQ(timedShell.opened(),
              (QStringList{u8("mailto:anna@www.example.de%7Cwww.zwei.de?subject=eMail%20von%20Anna"),
                           u8("anna@www.example.de"), u8("www.zwei.de")}));
    EXPECT_EQ(timedShell.ticks[2] - timedShell.ticks[1], 900);
    EXPECT_EQ(clock.tick() - mail, 500 + 900 + 900);
}

TEST_F(Links, anEMailAddressStartsAnEMail)
{
    EXPECT_TRUE(LinkOeffnen(u8("Anna.Meier@Example.DE.")));
    EXPECT_EQ(timedShell.opened(),
              QStringList{u8("mailto:anna.meier@example.de?subject=eMail%20von%20Anna")});
}

TEST_F(Links, videoLinksGoToTheDownloaderWhenOneIsSet)
{
    const QString link = u8("https://www.youtube.com/watch?v=abc");
    // None set, or one that does not exist: the browser.
    EXPECT_TRUE(LinkOeffnen(link));
    setLink("YouTubeDownloader", folders.temp().file(u8("fehlt/dl")));
    EXPECT_TRUE(LinkOeffnen(link + u8(".")));
    EXPECT_EQ(timedShell.opened(), (QStringList{link, link}));
    EXPECT_TRUE(processes.started().empty());

    const QString downloader = makeProgram(u8("Video Lader/dl"));
    setLink("YouTubeDownloader", downloader);
    setLink("YouTubeDownloaderPre", u8("vpn-an --land \"de at\""));
    clipboard.setText(u8("alt"));
    const qint64 start = clock.tick();
    EXPECT_TRUE(LinkOeffnen(link));
    EXPECT_EQ(processes.started(),
              (std::vector<QStringList>{{u8("vpn-an"), u8("--land"), u8("de at")},
                                        {downloader, link}}));
    EXPECT_EQ(clipboard.text(), link);
    EXPECT_EQ(clock.tick() - start, 1000);
    EXPECT_EQ(timedShell.opened().size(), 2u); // not in the browser as well

    // A downloader that does not start leaves the link to the browser.
    processes.setMissingProgram(downloader);
    EXPECT_TRUE(LinkOeffnen(u8("https://youtu.be/abcdefgh")));
    EXPECT_EQ(timedShell.opened().back(), u8("https://youtu.be/abcdefgh"));
}

TEST_F(Links, filesOpenAndProgramCallsStartWithoutAShell)
{
    folders.temp().write(u8("Brief an Anna.txt"), "x");
    const QString brief = folders.temp().file(u8("Brief an Anna.txt"));
    EXPECT_TRUE(LinkOeffnen(brief + u8(",")));
    EXPECT_EQ(timedShell.opened(), QStringList{brief});

    const QString tool = makeProgram(u8("Werkzeug/tool.exe"));
    EXPECT_TRUE(LinkOeffnen(tool + u8(" --datei \"a b.txt\" $(id) `id`")));
    ASSERT_EQ(processes.started().size(), 1u);
    EXPECT_EQ(processes.started()[0],
              (QStringList{tool, u8("--datei"), u8("a b.txt"), u8("$(id)"), u8("`id`")}));

    // The same naming a missing program does nothing.
    EXPECT_FALSE(LinkOeffnen(folders.temp().file(u8("Werkzeug/fehlt.exe")) + u8(" --datei")));
    // A program that does not start counts as started: the failure is passed over.
    processes.setAnswer(false);
    EXPECT_TRUE(LinkOeffnen(tool + u8(" x")));
    EXPECT_EQ(processes.started().size(), 2u);
    EXPECT_EQ(timedShell.opened().size(), 1u);
    // So does a file the desktop cannot open.
    timedShell.setAnswer(false);
    EXPECT_TRUE(LinkOeffnen(brief));
    EXPECT_EQ(timedShell.opened().size(), 2u);
}

TEST_F(Links, copyCommandPutsItsTextOnTheClipboard)
{
    struct Row {
        const char* text;
        const char* clipboard;
    };
    const Row rows[] = {
        {"$CpyZA:Erste Zeile~Zweite Zeile.", "Erste Zeile\r\nZweite Zeile."},
        {" $cpyza: Satz mit Komma, ", "Satz mit Komma,"},
        {"$CPYZA ohne Doppelpunkt", "$CPYZA ohne Doppelpunkt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        clipboard.setText(u8("vorher"));
        EXPECT_FALSE(LinkOeffnen(u8(row.text)));
        EXPECT_EQ(clipboard.text(), u8(row.clipboard));
    }
    EXPECT_TRUE(timedShell.opened().isEmpty());
}

TEST_F(Links, dateiOeffnenAndTheTermsOfUse)
{
    DateiOeffnen(QString());
    EXPECT_TRUE(timedShell.opened().isEmpty());
    DateiOeffnen(folders.tmpFolder());
    EXPECT_EQ(timedShell.opened(), QStringList{folders.tmpFolder()});
    EXPECT_EQ(pointer.history(),
              (std::vector<int>{platform::vbIbeam, platform::vbHourglass, platform::vbIbeam}));

    FakeHelp help;
    ScopedService helpGuard(platform::setHelp, &help);
    AGBZeigen();
    ASSERT_EQ(help.calls().size(), 1u);
    EXPECT_EQ(help.calls()[0], (FakeHelp::Call{FakeHelp::Kind::ShowTopic,
                                               foundation::ordnerPrg + u8("/Korvanel.chm"), 6001}));
}

} // namespace
