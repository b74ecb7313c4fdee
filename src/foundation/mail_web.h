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
// invalid recipient (noted in Brisols-Sendix.use of the temporary folder). "{Signatur}" (any
// case) in body becomes an empty line and signaturText; the body is prepared with
// MeldungAufbereiten and loses leading and trailing line breaks; an empty subject becomes
// "eMail von " + Benutzername(); double quotes become apostrophes.
// With a template ([Verknüpfung] "SendixSendExtern", or "SendixSendExternAtt+" when an
// attachment is given and that key is set), its words "{To}", "{Sub}", "{Body}", "{BodyAsFile}"
// (the path of SendixSendExternBody.tmp in the temporary folder, which holds the body),
// "{SendMode}", "{Attach}", "{tocc}", "{tobcc}" and "{from}" (any case) are filled in per
// argument in one pass, the command is started without a shell, and the call waits
// "SendixSendExternWaitMS" milliseconds (default 1001, written back when the key is empty). A
// sender that cannot be started goes to the central error dialog.
// Without a template, a "mailto:" link carries recipient, subject, copies and body, every
// character outside the unreserved set percent-encoded as UTF-8; attachment and sender cannot
// travel in such a link and are dropped. The call waits half a second after opening it.
bool EMailSenden(QString recipient, QString subject, QString body, int sendNow = 0,
                 QString attachment = {}, QString copy = {}, QString blindCopy = {},
                 QString sender = {}, int extra = 0);

// The full address of the product's web page chosen by keyword (any case): "home", "email"
// (the contact form), "download", and the pages of the family's programs "mv32info",
// "qb32info", "zd32info", "kv32info" (and each with "up" before "info"). Any other keyword
// gives the home page, with a line in the debug log.
QString webSeitenAdresse(const QString& keyword);
// Opens that page in the desktop's browser while the busy pointer shows, waits one second and
// puts the pointer back.
void WebSeiteOeffnen(const QString& keyword);

} // namespace foundation
