#pragma once
// Handing an e-mail to the user's mail program, the signature block of such e-mails, and the
// pages of the product's web site.
//
// The program speaks no mail protocol itself. A command template in [Verknüpfung]
// "SendixSendExtern" of Brisol.ini names an external sender; without one the e-mail becomes a
// "mailto:" link that the desktop opens with its mail client.
#include <QString>
#include <QStringList>


namespace foundation {

// The prepared signature block; empty until SignaturSetzen has run (the main window's load).
extern QString signaturText;

// The signature block: rules of underscores, the maker's contact lines, a request to quote the
// text in an answer and "eMail vom " with today's date.
QString SignaturText();
// signaturText = SignaturText().
void SignaturSetzen();

// Whether address looks like an e-mail address: at least 3 characters, one "@", a "." after it
// but not right behind it nor at the end, no "http://" or "ftp://", no blank, "/", ":", ",",
// ";", "*" or "&", and only the letters A-Z and a-z, digits and .!#$%&'*+-/=?^_`{|}~ besides.
bool EMailPruefen(const QString& address);

// Hands one e-mail to the mail program; true once it was handed over, false when nothing was
// sent. Nothing is sent for the recipient "$NoSend" (any case), nor with sendNow not 0 for an
// invalid recipient. "{Signatur}" (any case) in body becomes an empty line and signaturText; the
// body is prepared with MeldungAufbereiten and loses leading and trailing line breaks; an empty
// subject becomes "eMail von " + Benutzername(); double quotes become apostrophes.
// With a template, its words "{To}", "{Sub}", "{Body}", "{BodyAsFile}" (the path of a file in
// the temporary folder holding the body), "{SendMode}", "{Attach}", "{tocc}", "{tobcc}" and
// "{from}" (any case) are filled in per argument and the command is started without a shell.
// Without one, a "mailto:" link carries recipient, subject, copies and body; attachment and
// sender cannot travel in such a link and are dropped. No error reaches the caller.
bool EMailSenden(QString recipient, QString subject, QString body, int sendNow = 0,
                 QString attachment = {}, QString copy = {}, QString blindCopy = {},
                 QString sender = {}, int extra = 0);

// The address of the product's web page chosen by keyword (any case): "download" is the
// download page; any other keyword the home page.
QString webSeitenAdresse(const QString& keyword);
// Opens that page in the desktop's browser while the busy pointer shows, waits one second and
// puts the pointer back.
void WebSeiteOeffnen(const QString& keyword);

} // namespace foundation
