// The update check against a web server on 127.0.0.1: the advice for the versions the server
// announces, the notes page as text, the buttons, and that nothing is ever downloaded or run.
#include "integration_fixture.h"

#include "commands/window_openers.h"
#include "foundation/folders.h"
#include "foundation/product_info.h"
#include "foundation/version.h"
#include "integration/update_check.h"
#include "platform/form.h"
#include "support/fake_http_fetch.h"
#include "support/local_http_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

using integration::VersionsPrüfung;

namespace {

class UpdateCheck : public IntegrationTest {
protected:
    UpdateCheck()
    {
        foundation::setWebSeiteFuerTests(server.address());
        versionVorher = foundation::versionPunkt;
        foundation::versionPunkt = u8("2024.05.0010");
    }
    ~UpdateCheck() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        foundation::setWebSeiteFuerTests({});
        foundation::versionPunkt = versionVorher;
        commands::resetFensterOeffner();
    }

    void versionen(const QByteArray& neueste, const QByteArray& minimum = {},
                   const QByteArray& weiteres = {})
    {
        QByteArray datei = "[Version]\r\nKorvanel=" + neueste + "\r\n";
        if (!minimum.isEmpty())
            datei += "[VersionMin]\r\nKorvanel=" + minimum + "\r\n";
        server.serve(u8("/versions_info.txt"), datei + weiteres, "text/plain");
    }

    VersionsPrüfung* pruefen()
    {
        auto* fenster = new VersionsPrüfung;
        fenster->TimerInit->stop();
        fenster->TimerInit_Timer();
        return fenster;
    }

    LocalHttpServer server;
    QString versionVorher;
};

TEST_F(UpdateCheck, adviceAndColourFollowTheAnnouncedVersions)
{
    struct Row {
        QByteArray neueste;
        QByteArray minimum;
        const char* rat;
        QColor farbe;
    };
    const QColor gruen(0xC0, 0xFF, 0xC0), gelb(0xFF, 0xFF, 0xC0), rot(0xFF, 0xC0, 0xC0);
    const Row rows[] = {
        {"2024.07.0002", {}, "Eine neue Version kann installiert werden.", gelb},
        {"2025.05.0010", {}, "Eine neue Version kann installiert werden.", gelb}, // D = 1000000
        {"2025.06.0001", {}, "Eine neue Version sollte installiert werden.", rot},
        {"v7", {}, "Die installierte Version ist aktuell.", gruen},
        {"2024.05.0010", "2024.05.0011", "Eine neue Version sollte installiert werden!", rot},
        {"2024.05.0009", {}, "Die installierte Version ist aktuell.", gruen},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.neueste.toStdString() + " " + row.minimum.toStdString());
        versionen(row.neueste, row.minimum);
        VersionsPrüfung* fenster = pruefen();
        EXPECT_EQ(fenster->txtInfo1->toPlainText(),
                  u8("Brisols-Korvanel Version 2024.05.0010 ist aktuell installiert\n"
                     "Brisols-Korvanel Version ")
                      + QString::fromLatin1(row.neueste)
                      + u8(" ist online verfügbar\n\nTipp: ") + u8(row.rat) + u8("\n"));
        EXPECT_EQ(fenster->txtInfo1->palette().color(QPalette::Base), row.farbe);
        EXPECT_TRUE(fenster->befOk[1]->isEnabled());
        fenster->unload();
    }
    EXPECT_EQ(VersionsPrüfung::Versionsnummer(u8("6.06.0001")), 0.0);
    EXPECT_EQ(VersionsPrüfung::Versionsnummer(u8("2021.03.0117")), 2021030117.0);
}

TEST_F(UpdateCheck, withoutAServerItSaysSoAndOffersNoInstallation)
{
    quint16 frei = 0;
    {
        LocalHttpServer weg;
        frei = weg.port();
    }
    foundation::setWebSeiteFuerTests(u8("http://127.0.0.1:") + QString::number(frei));
    VersionsPrüfung* fenster = pruefen();
    EXPECT_TRUE(fenster->txtInfo1->toPlainText().contains(
        u8("Es sind leider keine Versions-Hinweise verfügbar.\nEvtl. kann keine "
           "Internetverbindung hergestellt werden.")));
    EXPECT_FALSE(fenster->befOk[1]->isEnabled());

    // The other buttons open their default pages.
    fenster->befOk_Click(0);
    fenster->befOk_Click(2);
    EXPECT_EQ(shell.opened(), (QStringList{foundation::webSeite() + u8("/Korvanel.htm"),
                                           foundation::webSeite() + u8("/index.htm")}));
}

TEST_F(UpdateCheck, notesPageIsShownAsTextFromItsMarkerOn)
{
    versionen("2024.07.0002", {},
              "[Url]\r\nKorvanelinf=" + server.address().toLatin1()
                  + "/neu.htm\r\n[Marker]\r\nStartVrsTxt=@@Start@@\r\n[SetupSize]\r\nKorvanel=12897484\r\n");
    server.serve(u8("/neu.htm"),
                 "<html><head><title>Alt</title></head><body><p>Vorspann</p>@@START@@"
                 "<p>Version 2024.07: Gr\xFC\xDF" "e &amp; mehr</p>\r\n<p>@</p>\r\n<p>Zweite</p></body></html>",
                 "text/html; charset=iso-8859-1");
    VersionsPrüfung* fenster = pruefen();
    const QString notizen = fenster->txtInfo2->toPlainText();
    EXPECT_TRUE(notizen.startsWith(
        u8("Die folgende Übersicht zeigt die chronologischen Änderungen des Programms:\n")))
        << notizen.toStdString();
    EXPECT_TRUE(notizen.contains(u8("Version 2024.07: Grüße & mehr"))) << notizen.toStdString();
    EXPECT_FALSE(notizen.contains(u8("Vorspann")));
    EXPECT_FALSE(notizen.contains(u8("<")));
    EXPECT_EQ(fenster->befOk[1]->toolTip(),
              u8("Laden und installieren der neuesten Version von der Homepage (12,3 MiB)"));
    EXPECT_EQ(server.requests(), (QStringList{u8("/versions_info.txt"), u8("/neu.htm")}));
}

TEST_F(UpdateCheck, notesTextTable)
{
    struct Row {
        const char* name;
        const char* html;
        const char* marker;
        const char* text;
    };
    const Row rows[] = {
        {"marker missing: from the beginning", "<p>Eins</p>", "fehlt", "Eins"},
        {"nothing left", "<p></p>", "", "Keine Was-Ist-Neu Daten gefunden!"},
        {"unclosed tag keeps the rest", "a<b>c<d", "", "ac<d"},
        {"nested opening", "a<<b>c", "", "ac"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(VersionsPrüfung::NotizenAufbereiten(u8(row.html), u8(row.marker)), u8(row.text));
    }
    // One pass, however many tags: a page of many tags does not take quadratic time.
    QString gross;
    for (int i = 0; i < 50000; ++i)
        gross += u8("<b>x");
    EXPECT_EQ(VersionsPrüfung::NotizenAufbereiten(gross, {}).size(), 50000);
}

TEST_F(UpdateCheck, installationOpensTheDownloadPageAndNeitherWritesNorStartsAnything)
{
    versionen("2025.06.0001", {}, "[URL]\r\nKorvaneldl=downloads.example/korvanel-2025.06.tar.gz\r\n");
    VersionsPrüfung* fenster = pruefen();
    const auto tmpVorher = folderContents(foundation::ordnerTmp);

    dialogs.expectMsgBox(platform::vbNo, u8("Datensicherung empfehlenswert"));
    fenster->befOk_Click(1);
    EXPECT_TRUE(shell.opened().isEmpty());

    dialogs.expectMsgBox(platform::vbYes, u8("Datensicherung empfehlenswert"));
    fenster->befOk_Click(1);
    EXPECT_EQ(shell.opened(), QStringList{u8("https://downloads.example/korvanel-2025.06.tar.gz")});
    EXPECT_TRUE(fenster->txtInfo2->toPlainText().contains(u8("installieren Sie sie von Hand")));
    EXPECT_EQ(foundation::IniLesen({}, {}, u8("Stat_UpdIni"), u8("0")), u8("1"));
    EXPECT_TRUE(processes.started().empty());
    EXPECT_EQ(folderContents(foundation::ordnerTmp), tmpVorher);
    EXPECT_FALSE(commands::updateBeenden);
}

TEST_F(UpdateCheck, addressesWithoutSchemeGetHttps)
{
    EXPECT_EQ(VersionsPrüfung::mitSchema(u8("www.x.example/a")), u8("https://www.x.example/a"));
    EXPECT_EQ(VersionsPrüfung::mitSchema(u8("http://127.0.0.1:8/a")), u8("http://127.0.0.1:8/a"));
    EXPECT_EQ(VersionsPrüfung::mitSchema(QString()), QString());

    FakeHttpFetch netz;
    ScopedService guard(platform::setHttpFetch, &netz);
    foundation::setWebSeiteFuerTests(u8("server.example"));
    VersionsPrüfung* fenster = pruefen();
    EXPECT_EQ(netz.requests(), QStringList{u8("https://server.example/versions_info.txt")});
    EXPECT_FALSE(fenster->befOk[1]->isEnabled());
}

TEST_F(UpdateCheck, arrowKeysInTheNotesJumpBehindTheNextAt)
{
    auto* fenster = new VersionsPrüfung;
    fenster->TimerInit->stop();
    fenster->txtInfo2->setPlainText(u8("ab@cd@ef"));
    QTextCursor cursor = fenster->txtInfo2->textCursor();
    cursor.setPosition(0);
    fenster->txtInfo2->setTextCursor(cursor);
    const auto taste = [fenster](Qt::Key key) {
        QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(fenster->txtInfo2, &druck);
        return fenster->txtInfo2->textCursor().position();
    };
    EXPECT_EQ(taste(Qt::Key_Right), 3);
    EXPECT_EQ(taste(Qt::Key_Right), 6);
    EXPECT_EQ(taste(Qt::Key_Right), 6) << "no further @: the caret stays";
    EXPECT_EQ(taste(Qt::Key_Left), 3);
    EXPECT_EQ(taste(Qt::Key_Left), 3);
}

} // namespace
