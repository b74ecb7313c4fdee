#pragma once
// Fetching a page or a file from a web server, blocking the caller (a local event loop runs
// meanwhile, so the window stays drawn), in place of the Internet Transfer control.
//
//   const platform::HttpAntwort antwort = platform::httpFetch().fetch(adresse);
//   if (antwort.ok)
//       const QString text = platform::httpText(antwort);
//
// Nothing fetched is ever run or written by this service; the callers decide what to keep.
#include <QByteArray>
#include <QString>

namespace platform {

struct HttpAntwort {
    bool ok = false;       // an answer 2xx arrived whole within the time and the size limit
    int status = 0;        // the HTTP status, 0 when no answer came
    QByteArray body;       // empty unless ok
    QString contentType;   // the header "Content-Type" as sent, "" when none
    QString fehler;        // what went wrong, in German, "" when ok
};

class HttpFetch {
public:
    virtual ~HttpFetch() = default;

    // GET url (http or https; redirects are followed, never from https to http). Gives up after
    // timeoutMs without a byte arriving, and on a body larger than maxBytes.
    virtual HttpAntwort fetch(const QString& url, int timeoutMs = 30000,
                              qint64 maxBytes = 16 * 1024 * 1024) = 0;
};

HttpFetch& httpFetch();
HttpFetch* setHttpFetch(HttpFetch* replacement); // returns the one it replaces (nullptr: real)

// The body as text: by the charset of "Content-Type" when it names one that is known, else
// UTF-8 when the bytes are valid UTF-8 (a byte-order mark dropped), else Windows-1252.
QString httpText(const HttpAntwort& antwort);

} // namespace platform
