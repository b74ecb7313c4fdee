#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/mail_web.h"
#include "foundation/product_info.h"
#include "runtime/dates.h"
#include "support/fake_clock.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_processes.h"
#include "support/fake_shell.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFile>
#include <gtest/gtest.h>

using foundation::EMailSenden;
using foundation::IniSchreiben;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class Mail : public ::testing::Test {
protected:
    Mail()
    {
        IniSchreiben(QString(), s("Allgemein"), s("User"), s("Anna Meier"));
        foundation::signaturText = s("Gruß\r\nAnna");
        foundation::setFehlerBehandlungFuerTests([this](int number, const QString& text) {
            errors.push_back(QString::number(number) + u' ' + text);
            return 5;
        });
    }
    ~Mail() override
    {
        foundation::signaturText.clear();
        foundation::setFehlerBehandlungFuerTests({});
    }

    static void setTemplate(const QString& command)
    {
        IniSchreiben(QString(), s("Verknüpfung"), s("SendixSendExtern"), command);
    }
    QString bodyFile() const { return folders.tmpFolder() + s("/SendixSendExternBody.tmp"); }

    TempSettingsFolders folders;
    FakeShell shell;
    ScopedService<platform::Shell> shellGuard{platform::setShell, &shell};
    FakeProcesses processes;
    ScopedService<platform::Processes> processesGuard{platform::setProcesses, &processes};
    FakeClock clock;
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    const std::vector<QStringList>& started = processes.started();
    QStringList errors; // what reached the central error dialog
};

TEST_F(Mail, withoutATemplateAMailtoLinkCarriesTheEncodedFields)
{
    struct Row {
        const char* name;
        QString to, sub, body, cc, bcc;
        QString link;
    };
    const Row rows[] = {
        {"blank, colon and question mark of the subject; equals, ampersand and line break of "
         "the body",
         s(" Anna.Meier@Example.DE "), s("Frage: Termin?"), s("a=b & c~zweite Zeile"), {}, {},
         s("mailto:anna.meier@example.de?subject=Frage%3A%20Termin%3F"
           "&body=a%3Db%20%26%20c%0D%0Azweite%20Zeile")},
        {"empty subject names the user, empty body gives no body field", s("a@b.de"), {}, {},
         {}, {}, s("mailto:a@b.de?subject=eMail%20von%20Anna%20Meier")},
        {"subject on one line", s("a@b.de"), s("Zeile 1\r\nZeile 2"), {}, {}, {},
         s("mailto:a@b.de?subject=Zeile%201%20Zeile%202")},
        {"punctuation", s("a@b.de"), s("x"), s("Hallo, Welt! Ja; nein."), {}, {},
         s("mailto:a@b.de?subject=x&body=Hallo%2C%20Welt%21%20Ja%3B%20nein.")},
        {"quotes become apostrophes; percent, hash and plus are encoded", s("a@b.de"),
         s("\"Zitat\""), s("Er sagte \"50%\" zu #1+2"), {}, {},
         s("mailto:a@b.de?subject=%27Zitat%27"
           "&body=Er%20sagte%20%2750%25%27%20zu%20%231%2B2")},
        {"a field cannot start another field", s("a@b.de"), s("x&body=y"),
         s("z&cc=boss@example.de"), {}, {},
         s("mailto:a@b.de?subject=x%26body%3Dy&body=z%26cc%3Dboss%40example.de")},
        {"copies", s("a@b.de"), s("x"), {}, s(" b@c.de "), s("d@e.de"),
         s("mailto:a@b.de?subject=x&cc=b@c.de&bcc=d@e.de")},
        {"line breaks at both ends go, umlauts travel as UTF-8", s("a@b.de"), s("Größe"),
         s("~~Grüße~~"), {}, {},
         s("mailto:a@b.de?subject=Gr%C3%B6%C3%9Fe&body=Gr%C3%BC%C3%9Fe")},
        {"signature in any case after an empty line", s("a@b.de"), s("x"), s("Wort~{signatur}"),
         {}, {}, s("mailto:a@b.de?subject=x&body=Wort%0D%0A%0D%0AGru%C3%9F%0D%0AAnna")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        shell.clear();
        const qint64 start = clock.tick();
        EXPECT_TRUE(EMailSenden(row.to, row.sub, row.body, 0, s("/tmp/anhang.pdf"), row.cc,
                                row.bcc, s("ich@example.de"), 7));
        EXPECT_EQ(shell.opened(), QStringList{row.link});
        EXPECT_EQ(clock.tick() - start, 500); // the mail program gets half a second
    }
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(errors.isEmpty());

    // A desktop that refuses the link has sent nothing.
    shell.setAnswer(false);
    EXPECT_FALSE(EMailSenden(s("a@b.de"), s("x"), s("y")));
}

TEST_F(Mail, noSendAndAnInvalidRecipientInSendNowModeSendNothing)
{
    setTemplate(s("/opt/sendix/sendix {To}"));
    EXPECT_FALSE(EMailSenden(s("$nosend"), s("x"), s("y")));
    EXPECT_FALSE(EMailSenden(s("anna@example"), s("x"), s("y"), -1));
    EXPECT_TRUE(started.empty());

    // Without send-now mode an invalid recipient is passed on unchecked.
    EXPECT_TRUE(EMailSenden(s("anna@example"), s("x"), s("y")));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], (QStringList{s("/opt/sendix/sendix"), s("anna@example")}));
}

TEST_F(Mail, stepsAreTracedInTheDebugLogAndARejectedAddressInTheSenderLog)
{
    IniSchreiben(QString(), s("Allgemein"), s("DebugMode"), s("1"));
    foundation::resetDebugLogbuch();
    EXPECT_FALSE(EMailSenden(s("$NoSend"), s("Still"), s("y")));
    EXPECT_FALSE(EMailSenden(s("anna@example"), s("Betreff"), s("Text"), -1));
    EXPECT_TRUE(EMailSenden(s("a@b.de"), s("x"), s("y")));
    // A link too long for some mail programs is opened all the same; only the trace says so.
    EXPECT_TRUE(EMailSenden(s("a@b.de"), s("lang"), QString(1900, u'z')));
    EXPECT_EQ(shell.opened().size(), 2);
    foundation::resetDebugLogbuch();

    QFile log(foundation::debugDatei);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(log.readAll());
    EXPECT_TRUE(text.contains(s("Sendix.in: to-anna@example|sub-Betreff|bdy-Text|mode--1|att-|cc-"
                                "|bcc-|from-|ex-0")));
    EXPECT_TRUE(text.contains(s("Sendix.rf: to-a@b.de|sub-x|bdy-y|mode-Falsch|att-|cc-|bcc-"
                                "|from-|ex-0")));
    EXPECT_TRUE(text.contains(s("Sendix.do: MailTo-mailto:a@b.de?subject=x&body=y")));
    // "$NoSend" is traced on the way in and ends there.
    EXPECT_TRUE(text.contains(s("Sendix.in: to-$NoSend|sub-Still|bdy-y|mode-0|")));
    EXPECT_EQ(text.count(s("Sendix.rf: ")), 2);
    EXPECT_TRUE(text.contains(s("Sendix.do: NoSol-mailto:a@b.de?subject=lang&body=zzz")));
    EXPECT_EQ(text.count(s("Sendix.ex: Exit")), 3);

    QFile rejected(folders.tmpFolder() + s("/Brisols-Sendix.use"));
    ASSERT_TRUE(rejected.open(QIODevice::ReadOnly));
    EXPECT_TRUE(rejected.readAll().endsWith("  eMail ist ung\xfcltig: anna@example (Betreff; Text)\r\n"));
}

TEST_F(Mail, templateIsSplitIntoArgumentsFirstAndFilledPerArgument)
{
    setTemplate(s("/opt/sendix/sendix -to {TO} \"-sub:{Sub}\" -file {BodyAsFile} {SendMode}"
                  "-att {Attach} -cc {tocc} -bcc {tobcc} -from {from}"));
    EXPECT_TRUE(EMailSenden(s("Anna@Example.de"), s("Rechnung; rm -rf ~ {Body}"),
                            s("Grüße~\"Anna\""), 0, s(" /home/anna/Rechnung 1.pdf "),
                            s("b@c.de"), s("d@e.de"), s("ich@example.de")));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0],
              (QStringList{s("/opt/sendix/sendix"), s("-to"), s("anna@example.de"),
                           s("-sub:Rechnung; rm -rf ~ {Body}"), s("-file"), bodyFile(),
                           s("-att"), s("/home/anna/Rechnung 1.pdf"), s("-cc"), s("b@c.de"),
                           s("-bcc"), s("d@e.de"), s("-from"), s("ich@example.de")}));
    EXPECT_EQ(folders.temp().read(s("tmp/SendixSendExternBody.tmp")),
              QByteArray("Gr\xFC\xDF" "e\r\n'Anna'"));

    // The sender gets its time, 1001 ms unless set, and the default is written back.
    EXPECT_TRUE(folders.settingsFile(s("Brisol.ini")).contains("SendixSendExternWaitMS=1001\r\n"));
    EXPECT_TRUE(errors.isEmpty());

    // Without "{BodyAsFile}" no file is written; a sender that cannot start has sent nothing
    // and is reported.
    QFile::remove(bodyFile());
    setTemplate(s("sendix {To} {Body}"));
    processes.setAnswer(false);
    EXPECT_FALSE(EMailSenden(s("a@b.de"), s("x"), s("Text")));
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[1], (QStringList{s("sendix"), s("a@b.de"), s("Text")}));
    EXPECT_FALSE(QFile::exists(bodyFile()));
    EXPECT_EQ(errors, QStringList{s("53 Es ist ein Fehler bei ~'eMail versenden (Sendix)'~ aufgetreten.")});
}

TEST_F(Mail, anAttachmentTakesTheSecondTemplateAndTheWaitComesFromTheSettings)
{
    setTemplate(s("sendix {To}"));
    IniSchreiben(QString(), s("Verknüpfung"), s("SendixSendExternAtt+"),
                 s("sendix-att {To} --attach {Attach}"));
    IniSchreiben(QString(), s("Verknüpfung"), s("SendixSendExternWaitMS"), s("2500"));

    qint64 start = clock.tick();
    EXPECT_TRUE(EMailSenden(s("a@b.de"), s("x"), s("y"), 0, s("/home/anna/Brief 1.pdf")));
    EXPECT_GE(clock.tick() - start, 2500);
    EXPECT_LT(clock.tick() - start, 2600);
    start = clock.tick();
    EXPECT_TRUE(EMailSenden(s("a@b.de"), s("x"), s("y")));
    EXPECT_EQ(started, (std::vector<QStringList>{
                           {s("sendix-att"), s("a@b.de"), s("--attach"), s("/home/anna/Brief 1.pdf")},
                           {s("sendix"), s("a@b.de")}}));

    // Without the second template the first carries the attachment.
    IniSchreiben(QString(), s("Verknüpfung"), s("SendixSendExternAtt+"), QString());
    setTemplate(s("sendix {To} {Attach}"));
    EXPECT_TRUE(EMailSenden(s("a@b.de"), s("x"), s("y"), 0, s("/tmp/a.pdf")));
    EXPECT_EQ(started.back(), (QStringList{s("sendix"), s("a@b.de"), s("/tmp/a.pdf")}));
}

TEST_F(Mail, shellTextInBodyAndSubjectReachesTheSenderAsOneUnchangedArgument)
{
    setTemplate(s("sendix --to {To} --subject {Sub} --body {Body}"));
    const QString boese = s("$(rm -rf /) `id` 'a' \"b\"; echo x\r\nzweite Zeile");
    EXPECT_TRUE(EMailSenden(s("a@b.de"), boese, boese));
    ASSERT_EQ(started.size(), 1u);
    // Double quotes become apostrophes as in every e-mail, the body's markup is prepared (a
    // pair of backticks marks a quotation), and the subject is one line.
    const QString body = s("$(rm -rf /) »id« 'a' 'b'; echo x\r\nzweite Zeile");
    const QString subject = s("$(rm -rf /) `id` 'a' 'b'; echo x zweite Zeile");
    EXPECT_EQ(started[0], (QStringList{s("sendix"), s("--to"), s("a@b.de"), s("--subject"),
                                       subject, s("--body"), body}));
}

TEST(EMailPruefen, acceptsOnlyPlainAddresses)
{
    struct Row {
        const char* address;
        bool valid;
    };
    const Row rows[] = {
        {"anna.meier@example.de", true},
        {"a+b_c-d@x.y", true},
        {"anna@example.de.", false},
        {"anna@.example.de", false},
        {"anna@ex@ample.de", false},
        {"anna meier@example.de", false},
        {"anna@example", false},
        {"anna.example.de", false},
        {"jürgen@example.de", false},
        {"http://anna@example.de", false},
        {"a&b@example.de", false},
        {"a@", false},
        {"ab", false},
        {"a@b", false},
        {"a.b@c", false},
        {"x@y.z", true},
        {"ftp://x@y.de", false},
        {"a,b@x.de", false},
        {"a*b@x.de", false},
        {"a;b@x.de", false},
        {"a:b@x.de", false},
        {"a(b)@x.de", false},
        {"o'neil{x}@x.de", true},
        {"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        EXPECT_EQ(foundation::EMailPruefen(s(row.address)), row.valid);
    }
}

TEST(Signatur, blockEndsWithTodaysDate)
{
    FakeClock clock(rt::dateTimeOf(2024, 3, 5, 9, 30));
    ScopedService guard(platform::setClock, &clock);
    const QString linie(50, u'_');
    EXPECT_EQ(foundation::SignaturText(),
              linie + s("\r\n\r\nBrisols-Programme\r\n") + foundation::supportAdresse()
                  + s(" · Fax: \r\n") + foundation::webSeite() + s("\r\n") + linie
                  + s("\r\nWenn Sie Bezug auf diese eMail nehmen, dann bitte\r\n"
                      "diesen Text mit an die Antwort haengen.   Danke.\r\n")
                  + linie + s("\r\neMail vom 05.03.2024"));
    foundation::SignaturSetzen();
    EXPECT_EQ(foundation::signaturText, foundation::SignaturText());
    foundation::signaturText.clear();
}

// A shell that notes the mouse pointer at the moment it opens something.
class PointerWatchingShell : public FakeShell {
public:
    bool openUrl(const QString& target) override
    {
        pointers.push_back(platform::mousePointer().get());
        return FakeShell::openUrl(target);
    }
    std::vector<int> pointers;
};

TEST(WebSeiteOeffnen, opensThePageWithTheBusyPointerThenWaitsASecond)
{
    FakeClock clock;
    ScopedService clockGuard(platform::setClock, &clock);
    FakeMousePointer pointer;
    ScopedService pointerGuard(platform::setMousePointer, &pointer);
    PointerWatchingShell shell;
    ScopedService shellGuard(platform::setShell, &shell);
    pointer.set(platform::vbIbeam);

    const qint64 start = clock.tick();
    QString keyword = s("Download");
    foundation::WebSeiteOeffnen(keyword);
    EXPECT_EQ(shell.opened(), QStringList{foundation::webSeite() + s("/download.htm")});
    EXPECT_EQ(shell.pointers, std::vector<int>{platform::vbHourglass});
    EXPECT_EQ(clock.tick() - start, 1000);
    EXPECT_EQ(pointer.get(), platform::vbIbeam);

    foundation::WebSeiteOeffnen(s("home"));
    EXPECT_EQ(shell.opened().back(), foundation::webSeite() + s("/index.htm"));
}

TEST(WebSeiteOeffnen, everyKeywordGivesAFullAddressAndAnUnknownOneTheHomePage)
{
    TempSettingsFolders folders;
    IniSchreiben(QString(), s("Allgemein"), s("DebugMode"), s("1"));
    foundation::resetDebugLogbuch();
    ASSERT_TRUE(foundation::webSeite().startsWith(s("https://")));
    struct Row {
        const char* keyword;
        const char* page;
    };
    const Row rows[] = {
        {"home", "/index.htm"},         {"EMail", "/mail.php"},
        {"Download", "/download.htm"},  {"mv32info", "/movrenta.htm"},
        {"MV32UpInfo", "/movrenta.htm"}, {"qb32info", "/quelbar.htm"},
        {"qb32upinfo", "/quelbar.htm"}, {"zd32info", "/zindor.htm"},
        {"zd32upinfo", "/zindor.htm"},  {"kv32info", "/korvanel.htm"},
        {"kv32upinfo", "/korvanel.htm"}, {"impressum", "/index.htm"},
        {"", "/index.htm"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keyword);
        EXPECT_EQ(foundation::webSeitenAdresse(s(row.keyword)),
                  foundation::webSeite() + s(row.page));
    }
    foundation::resetDebugLogbuch();
    QFile log(foundation::debugDatei);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(log.readAll());
    EXPECT_TRUE(text.contains(s("unbekanntes Stichwort 'impressum'")));
    EXPECT_EQ(text.count(s("unbekanntes Stichwort")), 2);
}

} // namespace
