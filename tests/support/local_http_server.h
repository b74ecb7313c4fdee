#pragma once
// A small web server on 127.0.0.1 for the tests of everything that fetches pages: it answers
// from a table of paths, in the same thread (the fetch's local event loop serves it).
//
//   LocalHttpServer server;
//   server.serve(u"/versions_info.txt"_qs, "[Version]\r\nKorvanel=2025.05.0010\r\n");
//   server.serve(u"/neu.htm"_qs, bytes, "text/html; charset=iso-8859-1");
//   ... fetch server.address() + "/versions_info.txt" ...
//   EXPECT_EQ(server.requests(), QStringList{u"/versions_info.txt"_qs});
//
// A path not in the table gets 404. Each connection gets one answer and is closed.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class LocalHttpServer : public QObject {
public:
    LocalHttpServer();

    struct Seite {
        int status = 200;
        QByteArray body;
        QByteArray contentType;
        QByteArray extraHeaders; // "Location: ...\r\n" and the like
        bool schweigen = false;  // accepts the connection and never answers
    };

    void serve(const QString& path, const QByteArray& body, const QByteArray& contentType = {});
    void serve(const QString& path, const Seite& seite);
    // "http://127.0.0.1:<port>"
    QString address() const;
    quint16 port() const { return server_.serverPort(); }
    const QStringList& requests() const { return requests_; }

private:
    void neueVerbindung();

    QTcpServer server_;
    QHash<QString, Seite> seiten_;
    QStringList requests_;
};
