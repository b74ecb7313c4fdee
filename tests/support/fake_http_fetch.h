#pragma once
// A fetch that answers from a table of addresses and records what was asked, without a network.
//
//   FakeHttpFetch netz;
//   ScopedService guard(platform::setHttpFetch, &netz);
//   netz.answer(u"https://server/versions_info.txt"_qs, "[Version]\r\n...");
//   ... code under test ...
//   EXPECT_EQ(netz.requests(), QStringList{...});
//
// An address not in the table gets no answer (ok false, status 0), as without a connection.
#include "platform/http_fetch.h"

#include <QHash>
#include <QStringList>

class FakeHttpFetch : public platform::HttpFetch {
public:
    platform::HttpAntwort fetch(const QString& url, int, qint64) override
    {
        requests_.append(url);
        const auto gefunden = answers_.constFind(url);
        if (gefunden != answers_.constEnd())
            return gefunden.value();
        platform::HttpAntwort keine;
        keine.fehler = QStringLiteral("Keine Verbindung.");
        return keine;
    }

    void answer(const QString& url, const QByteArray& body, const QString& contentType = {})
    {
        platform::HttpAntwort antwort;
        antwort.ok = true;
        antwort.status = 200;
        antwort.body = body;
        antwort.contentType = contentType;
        answers_.insert(url, antwort);
    }
    const QStringList& requests() const { return requests_; }

private:
    QHash<QString, platform::HttpAntwort> answers_;
    QStringList requests_;
};
