#include "mail_web.h"

#include "command_template.h"
#include "debug_log.h"
#include "error_dialog.h"
#include "file_services.h"
#include "folders.h"
#include "ini_store.h"
#include "message_text.h"
#include "platform/clock.h"
#include "platform/mouse_pointer.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/text_file.h"
#include "product_info.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "text_replace.h"
#include "user_identity.h"

#include <utility>

namespace foundation {

QString signaturText;

namespace {

const QString crLf = QStringLiteral("\r\n");

// A text as it travels in a "mailto:" link: every character outside the unreserved set
// (A-Z, a-z, 0-9, "-", ".", "_", "~") as "%" and the two-digit upper-case hexadecimal code of
// each of its UTF-8 bytes; the characters of keep stay as they are.
QString prozentKodieren(const QString& text, const QByteArray& keep = {})
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding(keep));
}

// The body as it is sent: signature in, markup out, no line breaks at either end, no double
// quotes.
QString textAufbereiten(const QString& body)
{
    QString text = TextErsetzen(body, QStringLiteral("{Signatur}"), u"~~"_qs + signaturText);
    text = rt::Trim(MeldungAufbereiten(text));
    while (text.startsWith(crLf))
        text.remove(0, 2);
    while (text.endsWith(crLf))
        text.chop(2);
    text.replace(u'"', u'\'');
    return text;
}

QString betreffAufbereiten(const QString& subject)
{
    QString betreff = subject;
    betreff.replace(crLf, QStringLiteral(" "));
    betreff = rt::Trim(betreff);
    if (betreff.isEmpty())
        betreff = u"eMail von "_qs + Benutzername();
    betreff.replace(u'"', u'\'');
    return betreff;
}

// The fields of one e-mail, prepared.
struct EMail {
    QString to;
    QString sub;
    QString body;
    QString attach;
    QString tocc;
    QString tobcc;
    QString from;
};

QString mailtoLink(const EMail& mail)
{
    // In the addresses "@" may stand as it is; everything else that could end a field ("&",
    // "?", "#", "%", a blank) is encoded like subject and body.
    QString link = u"mailto:"_qs + prozentKodieren(mail.to, "@") + u"?subject="_qs
        + prozentKodieren(mail.sub);
    if (!mail.tocc.isEmpty())
        link += u"&cc="_qs + prozentKodieren(mail.tocc, "@");
    if (!mail.tobcc.isEmpty())
        link += u"&bcc="_qs + prozentKodieren(mail.tobcc, "@");
    if (!mail.body.isEmpty())
        link += u"&body="_qs + prozentKodieren(mail.body);
    return link;
}

// Writes the body for "{BodyAsFile}" and returns the file's path; "" when it could not be
// written.
QString textDateiSchreiben(const QString& body)
{
    if (ordnerTmp.isEmpty())
        return QString();
    const QString pfad = ordnerTmp + u"/SendixSendExternBody.tmp"_qs;
    return platform::writeTextFile(pfad, body) ? pfad : QString();
}

// The template as the sender's argument list, its words filled in (see befehlAusVorlage).
QStringList befehlFuellen(const QString& vorlage, const EMail& mail)
{
    const bool mitTextDatei = rt::InStr(vorlage, QStringLiteral("{BodyAsFile}"), true) > 0;
    const QString textDatei = mitTextDatei ? textDateiSchreiben(mail.body) : QString();
    return befehlAusVorlage(vorlage, {
                                         {QStringLiteral("{To}"), mail.to},
                                         {QStringLiteral("{Sub}"), mail.sub},
                                         {QStringLiteral("{Body}"), mail.body},
                                         {QStringLiteral("{BodyAsFile}"), textDatei},
                                         {QStringLiteral("{SendMode}"), QString()},
                                         {QStringLiteral("{Attach}"), mail.attach},
                                         {QStringLiteral("{tocc}"), mail.tocc},
                                         {QStringLiteral("{tobcc}"), mail.tobcc},
                                         {QStringLiteral("{from}"), mail.from},
                                     });
}

} // namespace

QString SignaturText()
{
    const QString linie = QString(50, u'_');
    const QString text = linie + u"~~"_qs
        + u"Brisols-Programme~"_qs
        + supportAdresse() + u" · Fax: ~"_qs
        + webSeite() + u"~"_qs
        + linie + u"~"_qs
        + u"Wenn Sie Bezug auf diese eMail nehmen, dann bitte~"_qs
        + u"diesen Text mit an die Antwort haengen.   Danke.~"_qs
        + linie + u"~"_qs
        + u"eMail vom "_qs + rt::Format(platform::clock().now(), u"dd.mm.yyyy"_qs);
    return MeldungAufbereiten(text);
}

void SignaturSetzen()
{
    signaturText = SignaturText();
}

bool EMailPruefen(const QString& address)
{
    bool gueltig = true;
    const int at = rt::InStr(address, QStringLiteral("@"));
    if (address.length() < 3)
        gueltig = false;
    if (at == 0)
        gueltig = false;
    if (rt::InStr(at + 1, address, QStringLiteral(".")) == 0)
        gueltig = false;
    if (address.contains(QStringLiteral("@.")))
        gueltig = false;
    if (at > 0 && rt::InStr(at + 1, address, QStringLiteral("@")) > 0)
        gueltig = false;
    if (address.endsWith(u'.'))
        gueltig = false;
    const QString klein = rt::LCase(address);
    if (klein.contains(QStringLiteral("http://")) || klein.contains(QStringLiteral("ftp://")))
        gueltig = false;
    for (const QChar zeichen : QStringLiteral(" /:,;*&")) {
        if (address.contains(zeichen))
            gueltig = false;
    }
    static const QString erlaubt = QStringLiteral(
        "@ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.!#$%&'*+-/=?^_`{|}~");
    for (const QChar zeichen : address) {
        if (!erlaubt.contains(zeichen))
            gueltig = false;
    }
    return gueltig;
}

namespace {

QString felderText(const QString& mode, const EMail& mail, int extra)
{
    return u"to-"_qs + mail.to + u"|sub-"_qs + mail.sub + u"|bdy-"_qs + mail.body + u"|mode-"_qs
        + mode + u"|att-"_qs + mail.attach + u"|cc-"_qs + mail.tocc + u"|bcc-"_qs + mail.tobcc
        + u"|from-"_qs + mail.from + u"|ex-"_qs + QString::number(extra);
}

bool senden(const QString& recipient, const QString& subject, const QString& body, int sendNow,
            const QString& attachment, const QString& copy, const QString& blindCopy,
            const QString& sender, int extra)
{
    EMail mail;
    mail.body = textAufbereiten(body);
    mail.sub = betreffAufbereiten(subject);
    mail.to = rt::LCase(rt::Trim(recipient));
    if (sendNow != 0 && !EMailPruefen(mail.to)) {
        NutzungProtokollieren(u"eMail ist ungültig: "_qs + mail.to + u" ("_qs + mail.sub + u"; "_qs
                                  + mail.body + u")"_qs,
                              ordnerTmp + u"/Brisols-Sendix.use"_qs);
        return false;
    }
    mail.attach = rt::Trim(attachment);
    mail.tocc = rt::Trim(copy);
    mail.tobcc = rt::Trim(blindCopy);
    mail.from = rt::Trim(sender);
    DebugLogbuch(u"Sendix.rf: "_qs
                 + felderText(sendNow != 0 ? u"Wahr"_qs : u"Falsch"_qs, mail, extra));

    const QString verknuepfung = QStringLiteral("Verknüpfung");
    QString vorlage = IniLesen(QString(), verknuepfung, QStringLiteral("SendixSendExtern"), QString());
    if (vorlage.isEmpty()) {
        const QString link = mailtoLink(mail);
        const bool ohneLoesung = !mail.attach.isEmpty() || sendNow != 0 || !mail.from.isEmpty()
            || link.size() > 1915;
        DebugLogbuch((ohneLoesung ? u"Sendix.do: NoSol-"_qs : u"Sendix.do: MailTo-"_qs) + link);
        // A desktop without a mail program refuses the link: then nothing was sent.
        const bool geoeffnet = platform::shell().openUrl(link);
        Warten(0.5f);
        return geoeffnet;
    }

    if (!mail.attach.isEmpty()) {
        const QString mitAnhang =
            IniLesen(QString(), verknuepfung, QStringLiteral("SendixSendExternAtt+"), QString());
        if (!mitAnhang.isEmpty())
            vorlage = mitAnhang;
    }
    QStringList befehl = befehlFuellen(vorlage, mail);
    if (befehl.isEmpty())
        return false;
    DebugLogbuch(u"Sendix.do: cmd-"_qs + befehl.join(u' '));
    const QString programm = befehl.takeFirst();
    if (!platform::processes().startDetached(programm, befehl)) {
        const rt::ErrorRecordGuard bewahren;
        rt::raiseError(rt::ErrFileNotFound, u"Das Programm »"_qs + programm
                           + u"« kann nicht gestartet werden."_qs,
                       QStringLiteral("EMailSenden"));
        FehlerBehandlung(rt::ErrFileNotFound,
                         u"Es ist ein Fehler bei ~'eMail versenden (Sendix)'~ aufgetreten."_qs);
        return false;
    }
    const float warten =
        float(rt::Val(IniLesenVorgabe(QString(), verknuepfung,
                                      QStringLiteral("SendixSendExternWaitMS"), u"1001"_qs)))
        / 1000.0f;
    Warten(warten);
    if (sendNow != 0) {
        const QString tasten = IniLesen(QString(), verknuepfung,
                                        QStringLiteral("SendixSendExternSendNowKey"), QString());
        // Keystrokes cannot be sent to another program here; the sender's own command line
        // has to ask for sending at once.
        if (!tasten.isEmpty())
            DebugLogbuch(u"Sendix.do: NoKeys-"_qs + tasten);
    }
    return true;
}

} // namespace

bool EMailSenden(QString recipient, QString subject, QString body, int sendNow,
                 QString attachment, QString copy, QString blindCopy, QString sender, int extra)
{
    platform::BusyPointer sanduhr;
    EMail eingang{recipient, subject, body, attachment, copy, blindCopy, sender};
    DebugLogbuch(u"Sendix.in: "_qs + felderText(QString::number(sendNow), eingang, extra));
    // A caller that means no e-mail; nothing further is traced.
    if (rt::equalsNoCase(rt::Trim(recipient), QStringLiteral("$NoSend")))
        return false;
    const bool gesendet =
        senden(recipient, subject, body, sendNow, attachment, copy, blindCopy, sender, extra);
    DebugLogbuch(u"Sendix.ex: Exit"_qs);
    return gesendet;
}

QString webSeitenAdresse(const QString& keyword)
{
    static const std::pair<const char16_t*, const char16_t*> seiten[] = {
        {u"home", u"/index.htm"},         {u"email", u"/mail.php"},
        {u"download", u"/download.htm"},  {u"mv32info", u"/movrenta.htm"},
        {u"mv32upinfo", u"/movrenta.htm"}, {u"qb32info", u"/quelbar.htm"},
        {u"qb32upinfo", u"/quelbar.htm"}, {u"zd32info", u"/zindor.htm"},
        {u"zd32upinfo", u"/zindor.htm"},  {u"kv32info", u"/korvanel.htm"},
        {u"kv32upinfo", u"/korvanel.htm"},
    };
    const QString wort = rt::LCase(keyword);
    for (const auto& [name, seite] : seiten) {
        if (wort == QStringView(name))
            return webSeite() + QString::fromUtf16(seite);
    }
    DebugLogbuch(u"WebSeite: unbekanntes Stichwort '"_qs + keyword + u"', zeige die Startseite"_qs);
    return webSeite() + u"/index.htm"_qs;
}

void WebSeiteOeffnen(const QString& keyword)
{
    platform::BusyPointer sanduhr;
    platform::shell().openUrl(webSeitenAdresse(keyword));
    Warten(1);
}


} // namespace foundation
