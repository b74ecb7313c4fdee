#include "platform/http_fetch.h"
#include "support/local_http_server.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(HttpFetch, answersOfTheServerAsTheCallerGetsThem)
{
    LocalHttpServer server;
    server.serve(s("/da.txt"), "Hallo\r\nWelt", "text/plain");
    LocalHttpServer::Seite umgeleitet;
    umgeleitet.status = 302;
    umgeleitet.extraHeaders = "Location: /da.txt\r\n";
    server.serve(s("/alt.txt"), umgeleitet);
    LocalHttpServer::Seite fehler;
    fehler.status = 500;
    fehler.body = "kaputt";
    server.serve(s("/fehler"), fehler);
    server.serve(s("/gross"), QByteArray(5000, 'x'));

    struct Row {
        const char* name;
        QString url;
        qint64 maxBytes;
        bool ok;
        int status;
        QByteArray body;
    };
    const Row rows[] = {
        {"plain page", server.address() + s("/da.txt"), 1000, true, 200, "Hallo\r\nWelt"},
        {"redirect followed", server.address() + s("/alt.txt"), 1000, true, 200, "Hallo\r\nWelt"},
        {"missing page", server.address() + s("/nichts"), 1000, false, 404, {}},
        {"server error body is not taken", server.address() + s("/fehler"), 1000, false, 500, {}},
        {"too large", server.address() + s("/gross"), 1000, false, 200, {}},
        {"no scheme", s("127.0.0.1/da.txt"), 1000, false, 0, {}},
        {"other scheme", s("file:///etc/passwd"), 1000, false, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HttpAntwort antwort = httpFetch().fetch(row.url, 5000, row.maxBytes);
        EXPECT_EQ(antwort.ok, row.ok);
        EXPECT_EQ(antwort.status, row.status);
        EXPECT_EQ(antwort.body, row.body);
        EXPECT_EQ(antwort.fehler.isEmpty(), row.ok);
    }
}

TEST(HttpFetch, nobodyListeningGivesNoAnswer)
{
    quint16 port = 0;
    {
        LocalHttpServer server; // a port that was free a moment ago
        port = server.port();
    }
    const HttpAntwort antwort =
        httpFetch().fetch(s("http://127.0.0.1:") + QString::number(port) + s("/x"), 5000);
    EXPECT_FALSE(antwort.ok);
    EXPECT_TRUE(antwort.body.isEmpty());
    EXPECT_FALSE(antwort.fehler.isEmpty());
}

TEST(HttpFetch, aServerThatNeverAnswersRunsIntoTheTimeout)
{
    LocalHttpServer server;
    LocalHttpServer::Seite stumm;
    stumm.schweigen = true;
    server.serve(s("/stumm"), stumm);
    const HttpAntwort antwort = httpFetch().fetch(server.address() + s("/stumm"), 200);
    EXPECT_FALSE(antwort.ok);
}

TEST(HttpFetch, textIsDecodedByCharsetElseUtf8ElseWindows1252)
{
    struct Row {
        const char* name;
        QByteArray body;
        const char* contentType;
        const char* text;
    };
    const Row rows[] = {
        {"charset latin-1", "Gr\xFC\xDF" "e", "text/html; charset=ISO-8859-1", "Grüße"},
        {"charset windows-1252 with euro", "\x80 5", "text/plain;charset=\"windows-1252\"",
         "€ 5"},
        {"charset utf-8", "Gr\xC3\xBC\xC3\x9F" "e", "text/plain; charset=utf-8", "Grüße"},
        {"no charset, valid utf-8", "Gr\xC3\xBC\xC3\x9F" "e", "text/plain", "Grüße"},
        {"no charset, utf-8 with mark", "\xEF\xBB\xBFTür", "", "Tür"},
        {"no charset, not utf-8", "Gr\xFC\xDF" "e \x80", "text/html", "Grüße €"},
        {"unknown charset falls back", "Gr\xFC\xDF" "e", "text/html; charset=x-unbekannt",
         "Grüße"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HttpAntwort antwort;
        antwort.ok = true;
        antwort.body = row.body;
        antwort.contentType = QString::fromLatin1(row.contentType);
        EXPECT_EQ(httpText(antwort), s(row.text));
    }
}

} // namespace
