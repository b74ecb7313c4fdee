#include "http_fetch.h"

#include "service.h"

#include "runtime/codec.h"

#include <QEventLoop>
#include <algorithm>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

class QtHttpFetch final : public HttpFetch {
public:
    HttpAntwort fetch(const QString& url, int timeoutMs, qint64 maxBytes) override
    {
        HttpAntwort antwort;
        const QUrl adresse(url, QUrl::TolerantMode);
        const QString schema = adresse.scheme().toLower();
        if (!adresse.isValid() || (schema != u"http" && schema != u"https")
            || adresse.host().isEmpty()) {
            antwort.fehler = QStringLiteral("Ungültige Adresse: ") + url;
            return antwort;
        }
        QNetworkRequest anfrage(adresse);
        anfrage.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        anfrage.setMaximumRedirectsAllowed(5);
        anfrage.setTransferTimeout(std::max(1, timeoutMs));
        QNetworkReply* antwortQt = netz_.get(anfrage);

        QEventLoop schleife;
        bool zuGross = false;
        QObject::connect(antwortQt, &QNetworkReply::finished, &schleife, &QEventLoop::quit);
        QObject::connect(antwortQt, &QNetworkReply::downloadProgress, &schleife,
                         [&](qint64 empfangen, qint64 gesamt) {
                             if (empfangen > maxBytes || gesamt > maxBytes) {
                                 zuGross = true;
                                 antwortQt->abort();
                             }
                         });
        if (!antwortQt->isFinished())
            schleife.exec(QEventLoop::ExcludeUserInputEvents);

        antwort.status =
            antwortQt->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        antwort.contentType = antwortQt->header(QNetworkRequest::ContentTypeHeader).toString();
        if (zuGross) {
            antwort.fehler = QStringLiteral("Die Antwort des Servers ist zu groß.");
        } else if (antwortQt->error() != QNetworkReply::NoError) {
            antwort.fehler = antwortQt->errorString();
        } else if (antwort.status < 200 || antwort.status > 299) {
            antwort.fehler = QStringLiteral("Der Server antwortet mit dem Status ")
                + QString::number(antwort.status) + u'.';
        } else {
            antwort.body = antwortQt->readAll();
            antwort.ok = antwort.body.size() <= maxBytes;
            if (!antwort.ok) {
                antwort.body.clear();
                antwort.fehler = QStringLiteral("Die Antwort des Servers ist zu groß.");
            }
        }
        antwortQt->deleteLater();
        return antwort;
    }

private:
    QNetworkAccessManager netz_;
};

ServiceSlot<HttpFetch>& slot()
{
    static ServiceSlot<HttpFetch> instance(
        []() -> std::unique_ptr<HttpFetch> { return std::make_unique<QtHttpFetch>(); });
    return instance;
}

} // namespace

HttpFetch& httpFetch()
{
    return slot().get();
}

HttpFetch* setHttpFetch(HttpFetch* replacement)
{
    return slot().set(replacement);
}

QString httpText(const HttpAntwort& antwort)
{
    static const QRegularExpression zeichensatz(
        QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9._:\\-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch treffer = zeichensatz.match(antwort.contentType);
    if (treffer.hasMatch()) {
        const QString name = treffer.captured(1).toLower();
        // Windows-1252 by the program's own table: Qt may know it only through ICU.
        if (name == u"windows-1252" || name == u"cp1252" || name == u"iso-8859-1"
            || name == u"latin1" || name == u"us-ascii")
            return rt::fromAnsi(antwort.body);
        QStringDecoder decoder(name.toUtf8().constData(), QStringConverter::Flag::Stateless);
        if (decoder.isValid())
            return QString(decoder.decode(antwort.body));
    }
    return rt::decodeExternalText(antwort.body);
}

} // namespace platform
