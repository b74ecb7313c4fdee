#include "commands/about_window.h"

#include "commands/diary_commands.h"
#include "commands/tab_columns.h"
#include "foundation/debug_log.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/font_text.h"
#include "foundation/mail_web.h"
#include "foundation/name_format.h"
#include "foundation/number_format.h"
#include "foundation/product_info.h"
#include "foundation/statistics.h"
#include "foundation/user_identity.h"
#include "foundation/version.h"
#include "integration/links.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/path_resolver.h"
#include "platform/screen.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace commands {

namespace {

// The banner's band and the margin its name keeps, in twips.
constexpr double bannerTwips = 1200;
constexpr double bannerRandTwips = 900;
constexpr double bannerHoechstePunkte = 36;
// The first tab stop of the list, in dialog units (a quarter of a character's average width).
constexpr int tabStoppEinheiten = 70;
// The size command's pixels are those of a 640 x 480 screen.
constexpr double twipsJePixelBreite = 9600.0 / 640.0;
constexpr double twipsJePixelHoehe = 7320.0 / 480.0;

QString zeile(const QString& bezeichnung, const QString& wert)
{
    return bezeichnung + u'\t' + wert;
}

QLabel* verweis(const QString& name, const QString& text, QWidget* eltern)
{
    auto* label = new QLabel(text, eltern);
    label->setObjectName(name);
    label->setCursor(Qt::PointingHandCursor);
    QPalette farben = label->palette();
    farben.setColor(QPalette::WindowText, farben.color(QPalette::Link));
    label->setPalette(farben);
    QFont schrift = label->font();
    schrift.setUnderline(true);
    label->setFont(schrift);
    return label;
}

} // namespace

Info::Info(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(QStringLiteral("Programm-Informationen"));

    // Controls
    CopyrightName = new QLabel(this);
    CopyrightName->setObjectName(QStringLiteral("CopyrightName"));
    CopyrightEmail = verweis(QStringLiteral("CopyrightEmail"), foundation::supportAdresse(), this);
    CopyrightEmail->setToolTip(QStringLiteral("E-Mail an Brisols-Programme schreiben"));
    CopyrightWww = verweis(QStringLiteral("CopyrightWww"), foundation::webSeite(), this);
    CopyrightWww->setToolTip(QStringLiteral("Die Internetseite von Brisols-Programme öffnen"));
    CopyrightHinweis = new QLabel(foundation::nutzungsHinweis(), this);
    CopyrightHinweis->setObjectName(QStringLiteral("CopyrightHinweis"));
    CopyrightHinweis->setWordWrap(true);
    SysInfo = new QListWidget(this);
    SysInfo->setObjectName(QStringLiteral("SysInfo"));
    SysInfo->setItemDelegate(new TabSpalten(tabStoppEinheiten, SysInfo));
    SysInfo->setSelectionMode(QAbstractItemView::SingleSelection);
    befDebug = new QPushButton(QStringLiteral("Debug-Infos..."), this);
    befDebug->setObjectName(QStringLiteral("befDebug"));
    befDebug->setToolTip(
        QStringLiteral("Infos zum internen Ablauf des Programms - dient der Fehlersuche"));
    befDebug->setAutoDefault(false);
    befLizenz = new QPushButton(QStringLiteral("AGB..."), this);
    befLizenz->setObjectName(QStringLiteral("befLizenz"));
    befLizenz->setToolTip(
        QStringLiteral("Allgemeine Geschäftsbedingungen zur Nutzung der Software"));
    befLizenz->setAutoDefault(false);
    befAbbrechen = new QPushButton(QStringLiteral("OK"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);

    // Layout: the banner is painted into the free band at the top.
    auto* hersteller = new QVBoxLayout;
    hersteller->setSpacing(2);
    hersteller->addWidget(CopyrightName);
    hersteller->addWidget(CopyrightEmail, 0, Qt::AlignLeft);
    hersteller->addWidget(CopyrightWww, 0, Qt::AlignLeft);
    hersteller->addSpacing(6);
    hersteller->addWidget(CopyrightHinweis);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(befDebug);
    knoepfe->addWidget(befLizenz);
    knoepfe->addStretch();
    knoepfe->addWidget(befAbbrechen);
    auto* aussen = new QVBoxLayout(this);
    aussen->addSpacing(bannerHoehe());
    aussen->addLayout(hersteller);
    aussen->addWidget(SysInfo, 1);
    aussen->addLayout(knoepfe);
    const QFontMetrics masse = fontMetrics();
    setMinimumWidth(masse.averageCharWidth() * 60);
    resize(masse.averageCharWidth() * 80, bannerHoehe() + masse.lineSpacing() * 22);

    // Handlers
    connect(befAbbrechen, &QPushButton::clicked, this, &Info::befAbbrechen_Click);
    connect(befDebug, &QPushButton::clicked, this, &Info::befDebug_Click);
    connect(befLizenz, &QPushButton::clicked, this, &Info::befLizenz_Click);
    connect(SysInfo, &QListWidget::itemDoubleClicked, this, &Info::SysInfo_DblClick);
    CopyrightEmail->installEventFilter(this);
    CopyrightWww->installEventFilter(this);
    CopyrightHinweis->installEventFilter(this);
    // Keys reach the window first, whichever control has the focus.
    installEventFilter(this);
    for (QWidget* kind : findChildren<QWidget*>())
        kind->installEventFilter(this);

    // Load
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    if (foundation::versionPunkt.isEmpty())
        foundation::VersionText();
    setWindowTitle(QStringLiteral("Infos über ") + foundation::programmTitel()
                   + QStringLiteral(" · Version ") + foundation::versionPunkt);
    QString notiz = QString::fromUtf16(foundation::copyrightPraefix)
                    + QString::number(foundation::hauptVersion()) + u' '
                    + foundation::herstellerZeile();
    const int komma = notiz.indexOf(QStringLiteral(", "));
    if (komma >= 0)
        notiz = notiz.left(komma) + u'~' + notiz.mid(komma + 2);
    CopyrightName->setText(foundation::CopyrightZeile(notiz).replace(QStringLiteral("\r\n"),
                                                                     QStringLiteral("\n")));
    systemZeilenFuellen();
    if (foundation::DateiExistiert(foundation::debugDatei))
        befDebug->setToolTip(QStringLiteral("Debug-Infos gespeichert unter »")
                             + foundation::debugDatei + QStringLiteral("«..."));
}

void Info::systemZeilenFuellen()
{
    SysInfo->addItem(zeile(QStringLiteral("Benutzername"), foundation::Benutzername()));
    SysInfo->addItem(zeile(QStringLiteral("Programm-Version"), foundation::versionPunkt));
    const QString programm = QCoreApplication::applicationFilePath();
    const QFileInfo programmDatei(programm);
    if (!programm.isEmpty() && programmDatei.isFile()) {
        const rt::VbDate vom = rt::fromQDateTime(programmDatei.lastModified());
        const double alterSekunden = (platform::clock().now().serial - vom.serial) * 86400.0;
        SysInfo->addItem(zeile(QStringLiteral("Programm vom"),
                               rt::Format(vom, QStringLiteral("dd.mm.yyyy"))
                                   + QStringLiteral(" (Alter: ")
                                   + foundation::DauerAlsText(alterSekunden, 0) + u')'));
    }
    // Linux tells folders apart by case: they are shown as they are spelled.
    SysInfo->addItem(zeile(QStringLiteral("Programm-Ordner"), foundation::ordnerPrg));
    SysInfo->addItem(zeile(QStringLiteral("Daten-Ordner"), foundation::ordnerDat));
    SysInfo->addItem(zeile(QStringLiteral("$:Einstellungen"),
                           platform::resolvePath(foundation::ordnerSub
                                                 + QStringLiteral("/Brisol.ini"))));
    const QString memos[][2] = {
        {foundation::ordnerDat, QStringLiteral("Korvanel_Memo.*")},
        {foundation::ordnerPrg, QStringLiteral("Korvanel_Memo.*")},
        {foundation::ordnerDat, QStringLiteral("$Memo.*")},
        {foundation::ordnerPrg, QStringLiteral("$Memo.*")},
    };
    for (const auto& [ordner, muster] : memos) {
        if (ordner.isEmpty())
            continue;
        const QString gefunden = platform::resolvePath(ordner);
        for (const QString& name : platform::listFolder(gefunden, muster))
            SysInfo->addItem(zeile(QStringLiteral("$:"), gefunden + u'/' + name));
    }
}

int Info::bannerHoehe() const
{
    return qRound(bannerTwips / platform::screen().twipsPerPixelY());
}

void Info::paintEvent(QPaintEvent* event)
{
    Form::paintEvent(event);
    QPainter maler(this);
    const QString name = foundation::produktName();
    QFont schrift = font();
    schrift.setFamily(QStringLiteral("Liberation Serif"));
    schrift.setBold(true);
    schrift.setPointSizeF(24);
    const double rand = bannerRandTwips / platform::screen().twipsPerPixelX();
    const int breite = QFontMetrics(schrift).horizontalAdvance(name);
    if (breite > 0) {
        const double groesse = (width() - rand) * schrift.pointSizeF() / breite;
        schrift.setPointSizeF(std::clamp(groesse, 1.0, bannerHoechstePunkte));
    }
    const QFontMetrics masse(schrift);
    const int x = (width() - masse.horizontalAdvance(name)) / 2;
    const int y = (bannerHoehe() - masse.height()) / 2;
    maler.setFont(schrift);
    maler.setPen(foundation::farbeAusNummer(6710886).value_or(Qt::gray));
    maler.drawText(x, y + masse.ascent(), name);
    maler.setPen(foundation::farbeAusNummer(3381759).value_or(QColor(255, 153, 51)));
    maler.drawText(x - 2, y - 2 + masse.ascent(), name);
}

bool Info::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        int zeichen = 0;
        if (taste->key() == Qt::Key_Escape)
            zeichen = 27;
        else if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter)
            zeichen = 13;
        else if (taste->key() == Qt::Key_Space)
            zeichen = 32;
        else if (taste->text() == QStringLiteral("@"))
            zeichen = u'@';
        if (zeichen != 0) {
            Form_KeyPress(zeichen);
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        // The release of a key that closed the window belongs to no one.
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == CopyrightEmail)
            CopyrightEmail_Click();
        else if (watched == CopyrightWww)
            CopyrightWww_Click();
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == CopyrightHinweis) {
        CopyrightHinweis_DblClick();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void Info::Form_KeyPress(int zeichen)
{
    if (zeichen == 27 || zeichen == 13 || zeichen == 32)
        befAbbrechen_Click();
    else if (zeichen == u'@')
        HauptfensterGroesse();
}

void Info::befAbbrechen_Click()
{
    hide(); // ends the modal display; the opener unloads the window
}

void Info::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befAbbrechen_Click();
    }
}

void Info::befDebug_Click()
{
    if (foundation::debugModus < 1) {
        foundation::debugModus = 1;
        foundation::DebugLogbuch(QStringLiteral("clr"));
    }
    if (!foundation::DateiExistiert(foundation::debugDatei)) {
        platform::dialogs().msgBox(foundation::debugDatei + QStringLiteral(" nicht gefunden."),
                                   platform::vbOKOnly | platform::vbCritical,
                                   QStringLiteral("Debug"));
        return;
    }
    integration::DateiOeffnen(foundation::debugDatei);
}

void Info::befLizenz_Click()
{
    integration::AGBZeigen();
}

void Info::CopyrightEmail_Click()
{
    foundation::EMailSenden(foundation::supportAdresse(),
                            foundation::produktName() + QStringLiteral(" V")
                                + foundation::versionPunkt,
                            QString(), 0);
}

void Info::CopyrightWww_Click()
{
    foundation::WebSeiteOeffnen(QStringLiteral("home"));
}

void Info::CopyrightHinweis_DblClick()
{
    platform::dialogs().msgBox(foundation::NutzungsStatistikText(0),
                               platform::vbOKOnly | platform::vbInformation,
                               foundation::programmTitel() + QStringLiteral(", Anwender-Statistik"));
}

void Info::SysInfo_DblClick()
{
    const QListWidgetItem* gewaehlt = SysInfo->currentItem();
    if (!gewaehlt)
        return;
    const QString text = gewaehlt->text();
    if (text.startsWith(QStringLiteral("$:"))) {
        const int tab = text.indexOf(u'\t');
        const QString datei = tab < 0 ? text : text.mid(tab + 1);
        if (foundation::DateiExistiert(datei)) {
            integration::DateiOeffnen(datei);
            return;
        }
    }
    QString anzeige = text;
    anzeige.replace(u'\t', QStringLiteral("\r\n"));
    platform::dialogs().msgBox(anzeige, platform::vbOKOnly | platform::vbInformation,
                               windowTitle());
}

void Info::HauptfensterGroesse()
{
    const std::optional<QString> antwort = platform::dialogs().inputBox(
        QStringLiteral("Legen Sie ein neues Format für das Hauptfenster fest."),
        QStringLiteral("Größe des Hauptfensters"), QStringLiteral("720x540"));
    if (!antwort || antwort->isEmpty())
        return;
    const int x = rt::InStr(*antwort, QStringLiteral("x"), true);
    if (x == 0)
        return;
    const double breite = rt::Val(*antwort);
    const double hoehe = rt::Val(rt::Mid(*antwort, x + 1));
    if (breite <= 100 || hoehe <= 100)
        return;
    platform::TwipsGeometry neu;
    neu.width = breite * twipsJePixelBreite;
    neu.height = hoehe * twipsJePixelHoehe;
    // Centred; a window larger than the screen keeps its title bar on it.
    neu.left = std::max(0.0, (platform::screen().widthTwips() - neu.width) / 2);
    neu.top = std::max(0.0, (platform::screen().heightTwips() - neu.height) / 2);
    if (hauptfenster().Bewegen)
        hauptfenster().Bewegen(neu);
    befAbbrechen_Click();
}

} // namespace commands
