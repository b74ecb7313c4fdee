#include "integration/update_check.h"

#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/number_format.h"
#include "foundation/product_info.h"
#include "foundation/text_replace.h"
#include "foundation/version.h"
#include "platform/dialogs.h"
#include "platform/http_fetch.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/shell.h"
#include "platform/text_file.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "textlib/string_functions.h"

#include <QColor>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace integration {

namespace {

const QString crLf = QStringLiteral("\r\n");

QString ersetzen(const QString& text, const QString& was, const QString& wodurch)
{
    return foundation::TextErsetzen(text, was, wodurch);
}

// Every "<...>" section dropped in one pass; from a "<" without a ">" after it on, the text stays.
QString abschnitteEntfernen(const QString& text)
{
    QString ergebnis;
    ergebnis.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype auf = text.indexOf(u'<', pos);
        const qsizetype zu = auf < 0 ? -1 : text.indexOf(u'>', auf);
        if (auf < 0 || zu < 0) {
            ergebnis += QStringView(text).mid(pos);
            break;
        }
        ergebnis += QStringView(text).mid(pos, auf - pos);
        pos = zu + 1;
    }
    return ergebnis;
}

QString server()
{
    return foundation::webSeite();
}

} // namespace

VersionsPrüfung::VersionsPrüfung(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("VersionsPrüfung"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

void VersionsPrüfung::createControls()
{
    txtInfo1 = new QPlainTextEdit(this);
    txtInfo1->setObjectName(QStringLiteral("txtInfo1"));
    txtInfo1->setReadOnly(true);
    txtInfo2 = new QPlainTextEdit(this);
    txtInfo2->setObjectName(QStringLiteral("txtInfo2"));
    txtInfo2->setReadOnly(true);
    txtInfo2->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    bezFile = new QLabel(this);
    bezFile->setObjectName(QStringLiteral("bezFile"));
    bezFile->hide();
    const char* texte[3] = {"Online-&Infos zur neuesten Version", "In&stallation der neuesten Version",
                            "&Homepage"};
    const char* tipps[3] = {"Infos zur neuesten Version von der Homepage",
                            "Laden und installieren der neuesten Version von der Homepage (*)",
                            "Anzeige der Homepage"};
    for (int i = 0; i < 3; ++i) {
        auto* knopf = new QPushButton(QString::fromUtf8(texte[i]), this);
        knopf->setObjectName(QStringLiteral("befOk(%1)").arg(i));
        knopf->setToolTip(QString::fromUtf8(tipps[i]));
        knopf->setAutoDefault(false);
        befOk[std::size_t(i)] = knopf;
    }
    befAbbrechen = new QPushButton(QStringLiteral("&Zurück"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    TimerInit = new QTimer(this);
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setSingleShot(true);
    TimerInit->setInterval(100);
}

void VersionsPrüfung::layOut()
{
    auto* knoepfe = new QVBoxLayout;
    for (QPushButton* knopf : befOk)
        knoepfe->addWidget(knopf);
    knoepfe->addStretch(1);
    knoepfe->addWidget(befAbbrechen);
    auto* oben = new QHBoxLayout;
    oben->addWidget(txtInfo1, 1);
    oben->addLayout(knoepfe);
    auto* aussen = new QVBoxLayout(this);
    aussen->addLayout(oben);
    aussen->addWidget(txtInfo2, 1);
    txtInfo1->setFixedHeight(fontMetrics().lineSpacing() * 7 + 12);
    txtInfo2->setMinimumHeight(fontMetrics().lineSpacing() * 16);
    txtInfo1->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 62);
}

void VersionsPrüfung::connectHandlers()
{
    connect(TimerInit, &QTimer::timeout, this, &VersionsPrüfung::TimerInit_Timer);
    for (int i = 0; i < 3; ++i)
        connect(befOk[std::size_t(i)], &QPushButton::clicked, this, [this, i] { befOk_Click(i); });
    connect(befAbbrechen, &QPushButton::clicked, this, &VersionsPrüfung::befAbbrechen_Click);
    txtInfo2->installEventFilter(this);
}

void VersionsPrüfung::Form_Load()
{
    for (QPushButton* knopf : befOk)
        knopf->setText(ersetzen(knopf->text(), QStringLiteral("~"), QStringLiteral("\n")));
    setWindowTitle(QStringLiteral("Brisols-Korvanel im Internet / Updates"));
    resize(sizeHint());
    if (const platform::MainPort* main = platform::mainPort()) {
        setWindowIcon(main->icon());
        const platform::TwipsGeometry haupt = main->geometryTwips();
        const platform::TwipsGeometry selbst = geometryTwips();
        moveTwips(haupt.left + (haupt.width - selbst.width) / 2,
                  haupt.top + (haupt.height - selbst.height) / 2, selbst.width, selbst.height);
    }
    TimerInit->start();
}

void VersionsPrüfung::anhaengen(QPlainTextEdit* feld, const QString& text)
{
    QString neu = feld->toPlainText() + text;
    neu.replace(crLf, QStringLiteral("\n"));
    feld->setPlainText(neu);
    feld->moveCursor(QTextCursor::End);
}

QString VersionsPrüfung::mitSchema(const QString& adresse)
{
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]+://"));
    if (adresse.isEmpty() || schema.match(adresse).hasMatch())
        return adresse;
    return QStringLiteral("https://") + adresse;
}

double VersionsPrüfung::Versionsnummer(const QString& text)
{
    const double zahl = rt::Val(ersetzen(text, QStringLiteral("."), QString()));
    return zahl < 1990000000.0 ? 0.0 : zahl;
}

VersionsPrüfung::Rat VersionsPrüfung::Ratschlag(const QString& installiert, const QString& neueste,
                                                 const QString& minimum)
{
    const double i = Versionsnummer(installiert);
    const double n = Versionsnummer(neueste);
    const double m = Versionsnummer(minimum);
    const double d = n - i;
    const QColor gruen(0xC0, 0xFF, 0xC0);
    const QColor gelb(0xFF, 0xFF, 0xC0);
    const QColor rot(0xFF, 0xC0, 0xC0);
    Rat rat;
    if (i >= n)
        rat = {QStringLiteral("Die installierte Version ist aktuell."), gruen};
    if (d > 0)
        rat = {QStringLiteral("Eine neue Version kann installiert werden."), gelb};
    if (d > 1000000)
        rat = {QStringLiteral("Eine neue Version sollte installiert werden."), rot};
    if (i < m)
        rat = {QStringLiteral("Eine neue Version sollte installiert werden!"), rot};
    return rat;
}

QString VersionsPrüfung::NotizenAufbereiten(const QString& html, const QString& marker)
{
    QString text = textlib::HtmlNachText(abschnitteEntfernen(html), true);
    text.remove(u'\r');
    text = ersetzen(text, QStringLiteral("\n"), crLf);
    text = ersetzen(text, crLf + u' ', crLf);
    text = ersetzen(text, u' ' + crLf, crLf);
    for (int runde = 0; runde < 5; ++runde)
        text = ersetzen(text, crLf + crLf, crLf);
    text = ersetzen(text, crLf + u'@' + crLf, crLf + crLf + QStringLiteral("@ "));
    text = textlib::LeerzeilenBereinigen(text);
    text = textlib::LeerraumBereinigen(text);
    for (int runde = 0; runde < 9; ++runde)
        text = ersetzen(text, crLf + crLf + crLf, crLf + crLf);
    if (!marker.isEmpty()) {
        const qsizetype stelle = rt::LCase(text).indexOf(rt::LCase(marker));
        if (stelle >= 0)
            text = text.mid(stelle + marker.size());
    }
    if (text.isEmpty())
        text = QStringLiteral("Keine Was-Ist-Neu Daten gefunden!");
    return text;
}

QString VersionsPrüfung::versionsWert(const QString& section, const QString& key,
                                       const QString& vorgabe) const
{
    if (bezFile->text().isEmpty())
        return vorgabe;
    return foundation::IniLesen(bezFile->text(), section, key, vorgabe);
}

void VersionsPrüfung::TimerInit_Timer()
{
    TimerInit->stop();
    if (laeuft_)
        return;
    laeuft_ = true;
    platform::BusyPointer sanduhr;
    txtInfo2->setPlainText(QStringLiteral("Lade Versions-Hinweise..."));
    QCoreApplication::processEvents();
    anhaengen(txtInfo1, QStringLiteral("Lade Versions-Hinweise...") + crLf + crLf);

    const platform::HttpAntwort antwort =
        platform::httpFetch().fetch(mitSchema(server() + QStringLiteral("/versions_info.txt")));
    const QString text = antwort.ok ? platform::httpText(antwort) : QString();
    const QString datei = foundation::ordnerTmp + QStringLiteral("/$$$BP_Vers.txt");
    bool gespeichert = false;
    if (!text.isEmpty())
        gespeichert = platform::writeTextFile(datei, text + crLf);
    if (text.isEmpty() || !gespeichert) {
        anhaengen(txtInfo1, QStringLiteral("Es sind leider keine Versions-Hinweise verfügbar.") + crLf
                                + QStringLiteral("Evtl. kann keine Internetverbindung hergestellt "
                                                 "werden.")
                                + crLf);
        if (!text.isEmpty())
            anhaengen(txtInfo1, QStringLiteral("(Die Datei »") + datei
                                    + QStringLiteral("« konnte nicht geschrieben werden.)") + crLf);
        befOk[1]->setEnabled(false);
        txtInfo2->clear();
        laeuft_ = false;
        return;
    }
    bezFile->setText(datei);

    const QString groesse = versionsWert(QStringLiteral("SetupSize"), QStringLiteral("Korvanel"),
                                         QStringLiteral("-1"));
    befOk[1]->setToolTip(ersetzen(befOk[1]->toolTip(), QStringLiteral("*"),
                                  foundation::GroesseAlsText(rt::Val(groesse)) + u'B'));
    const QString neueste = versionsWert(QStringLiteral("Version"), QStringLiteral("Korvanel"),
                                         QStringLiteral("0000.00.0000"));
    const QString minimum = versionsWert(QStringLiteral("VersionMin"), QStringLiteral("Korvanel"),
                                         QStringLiteral("0000.00.0000"));
    const Rat rat = Ratschlag(foundation::versionPunkt, neueste, minimum);
    txtInfo1->clear();
    anhaengen(txtInfo1, QStringLiteral("Brisols-Korvanel Version ") + foundation::versionPunkt
                            + QStringLiteral(" ist aktuell installiert") + crLf
                            + QStringLiteral("Brisols-Korvanel Version ") + neueste
                            + QStringLiteral(" ist online verfügbar") + crLf + crLf
                            + QStringLiteral("Tipp: ") + rat.text + crLf);
    QPalette farben = txtInfo1->palette();
    farben.setColor(QPalette::Base, rat.farbe);
    farben.setColor(QPalette::Text, Qt::black);
    txtInfo1->setPalette(farben);

    anhaengen(txtInfo2, crLf + QStringLiteral("Gleich..."));
    QCoreApplication::processEvents();
    const QString seite = versionsWert(QStringLiteral("Url"), QStringLiteral("Korvanelinf"), QString());
    QString html;
    if (!seite.isEmpty()) {
        const platform::HttpAntwort notizen = platform::httpFetch().fetch(mitSchema(seite));
        if (notizen.ok)
            html = platform::httpText(notizen);
    }
    const QString marker =
        versionsWert(QStringLiteral("Marker"), QStringLiteral("StartVrsTxt"), QString());
    QString ganz = QStringLiteral("Die folgende Übersicht zeigt die chronologischen Änderungen des "
                                  "Programms:")
        + crLf + NotizenAufbereiten(html, marker);
    ganz = ersetzen(ganz, crLf + crLf + crLf, crLf + crLf);
    ganz = ersetzen(ganz,
                    QStringLiteral("Welche Version incl. der Build-Nr. zur Verfügung steht finden "
                                   "Sie in")
                        + crLf + QStringLiteral("dieser") + crLf + QStringLiteral("Übersicht."),
                    QString());
    txtInfo2->setPlainText(ersetzen(ganz, crLf, QStringLiteral("\n")));
    txtInfo2->setFocus();
    laeuft_ = false;
}

void VersionsPrüfung::befOk_Click(int index)
{
    const QString info = versionsWert(QStringLiteral("URL"), QStringLiteral("Korvanelinf"),
                                      server() + QStringLiteral("/Korvanel.htm"));
    if (index == 0) {
        foundation::DebugLogbuch(QStringLiteral("Versionsprüfung: Infos zur neuesten Version"));
        platform::shell().openUrl(mitSchema(info));
    } else if (index == 2) {
        foundation::DebugLogbuch(QStringLiteral("Versionsprüfung: Homepage"));
        platform::shell().openUrl(mitSchema(versionsWert(QStringLiteral("URL"), QStringLiteral("Home"),
                                                         server() + QStringLiteral("/index.htm"))));
    } else if (index == 1) {
        const int antwort = platform::dialogs().msgBox(
            foundation::MeldungAufbereiten(QStringLiteral("Vor jeder neuen Installation ist eine "
                                                          "Datensicherung empfehlenswert.~~Möchten "
                                                          "Sie die Installation jetzt fortsetzen?")),
            platform::vbYesNo | platform::vbInformation,
            QStringLiteral("Installation jetzt fortsetzen?"));
        if (antwort != platform::vbYes)
            return;
        foundation::DebugLogbuch(QStringLiteral("Versionsprüfung: Installation der neuesten Version"));
        foundation::IniZaehlen(QString(), QString(), QStringLiteral("Stat_UpdIni"), 1);
        QString adresse =
            versionsWert(QStringLiteral("URL"), QStringLiteral("Korvaneldl"), QString());
        if (adresse.isEmpty())
            adresse = info;
        adresse = mitSchema(adresse);
        foundation::DebugLogbuch(QStringLiteral("Versionsprüfung: Online '") + adresse + u'\'');
        const bool geoeffnet = platform::shell().openUrl(adresse);
        QString hinweis = geoeffnet
            ? QStringLiteral("Die Download-Seite der neuesten Version wurde im Browser geöffnet:")
            : QStringLiteral("Die Download-Seite konnte nicht geöffnet werden. Bitte öffnen Sie "
                             "sie selbst im Browser:");
        hinweis += crLf + crLf + adresse + crLf + crLf
            + QStringLiteral("Laden Sie die neueste Version dort herunter und installieren Sie sie "
                             "von Hand. Machen Sie vorher eine Datensicherung und beenden Sie "
                             "Brisols-Korvanel, bevor Sie die neue Version installieren.")
            + crLf;
        txtInfo2->setPlainText(ersetzen(hinweis, crLf, QStringLiteral("\n")));
        txtInfo2->moveCursor(QTextCursor::End);
    }
}

void VersionsPrüfung::befAbbrechen_Click()
{
    platform::mousePointer().set(platform::vbDefault);
    unload();
}

void VersionsPrüfung::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    befAbbrechen_Click();
}

bool VersionsPrüfung::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtInfo2 && event->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        if (taste->key() == Qt::Key_Left || taste->key() == Qt::Key_Right) {
            const QString text = txtInfo2->toPlainText();
            QTextCursor cursor = txtInfo2->textCursor();
            const qsizetype pos = cursor.position();
            const int schritt = taste->key() == Qt::Key_Left ? -1 : 1;
            // From the caret one character at a time to the next "@"; the caret goes behind it.
            qsizetype such = taste->key() == Qt::Key_Left ? pos - 2 : pos;
            while (such >= 0 && such < text.size() && text.at(such) != u'@')
                such += schritt;
            if (such >= 0 && such < text.size()) {
                cursor.setPosition(int(such + 1));
                txtInfo2->setTextCursor(cursor);
            }
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace integration
