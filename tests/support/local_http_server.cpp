#include "support/local_http_server.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <memory>

LocalHttpServer::LocalHttpServer()
{
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &LocalHttpServer::neueVerbindung);
}

void LocalHttpServer::serve(const QString& path, const QByteArray& body,
                            const QByteArray& contentType)
{
    Seite seite;
    seite.body = body;
    seite.contentType = contentType;
    seiten_.insert(path, seite);
}

void LocalHttpServer::serve(const QString& path, const Seite& seite)
{
    seiten_.insert(path, seite);
}

QString LocalHttpServer::address() const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(server_.serverPort());
}

void LocalHttpServer::neueVerbindung()
{
    while (QTcpSocket* verbindung = server_.nextPendingConnection()) {
        auto puffer = std::make_shared<QByteArray>();
        connect(verbindung, &QTcpSocket::disconnected, verbindung, &QObject::deleteLater);
        connect(verbindung, &QTcpSocket::readyRead, this, [this, verbindung, puffer] {
            puffer->append(verbindung->readAll());
            const qsizetype ende = puffer->indexOf("\r\n\r\n");
            if (ende < 0)
                return;
            const QList<QByteArray> erste = puffer->left(puffer->indexOf("\r\n")).split(' ');
            const QString pfad = erste.size() > 1 ? QString::fromLatin1(erste[1]) : QString();
            requests_.append(pfad);
            puffer->clear();
            const auto gefunden = seiten_.constFind(pfad);
            Seite seite;
            if (gefunden == seiten_.constEnd()) {
                seite.status = 404;
                seite.body = "nicht da";
            } else {
                seite = gefunden.value();
            }
            if (seite.schweigen)
                return;
            QByteArray antwort = "HTTP/1.1 " + QByteArray::number(seite.status)
                + (seite.status == 200 ? " OK" : " Fehler") + "\r\n";
            if (!seite.contentType.isEmpty())
                antwort += "Content-Type: " + seite.contentType + "\r\n";
            antwort += seite.extraHeaders;
            antwort += "Content-Length: " + QByteArray::number(seite.body.size()) + "\r\n";
            antwort += "Connection: close\r\n\r\n";
            antwort += seite.body;
            verbindung->write(antwort);
            verbindung->flush();
            verbindung->disconnectFromHost();
        });
    }
}
