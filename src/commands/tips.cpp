#include "commands/tips.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/product_info.h"
#include "foundation/text_replace.h"
#include "foundation/version.h"
#include "platform/check_box.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/random.h"
#include "runtime/codec.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace commands {

namespace {

const QString schluesselZuletzt = QStringLiteral("TippsZuletzt");
const QString schluesselAutoTip = QStringLiteral("AutoTip");
constexpr int gedaechtnisLaenge = 50;
constexpr int hoechsteVersuche = 9999;
// A tips file is a page of short lines; of a larger file only its beginning is read.
constexpr qint64 hoechsteDateiGroesse = 1024 * 1024;

// The file's lines, or none when it is missing or no regular file.
QStringList dateiZeilen(const QString& pfad)
{
    const QString gefunden = platform::resolvePath(pfad);
    const QFileInfo info(gefunden);
    if (!info.isFile())
        return {};
    QFile datei(gefunden);
    if (!datei.open(QIODevice::ReadOnly))
        return {};
    return rt::splitLines(rt::decodeText(datei.read(hoechsteDateiGroesse)));
}

QString nummer(int tipp)
{
    return QStringLiteral(".") + rt::Format(tipp, QStringLiteral("0000"));
}

} // namespace

QString tippsDatei()
{
    return foundation::ordnerPrg + QStringLiteral("/Tipps.Bot");
}

Tips::Tips(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Tips"));
    setWindowTitle(QStringLiteral("Tipp des Tages"));
    setBorderStyle(platform::borderFixedDialog);

    // Controls
    Anzeige = new QLabel(this);
    Anzeige->setObjectName(QStringLiteral("Anzeige"));
    bezTip0 = new QLabel(QStringLiteral("Wussten Sie schon..."), this);
    bezTip0->setObjectName(QStringLiteral("bezTip0"));
    QFont fett = bezTip0->font();
    fett.setBold(true);
    fett.setPointSizeF(fett.pointSizeF() * 1.25);
    bezTip0->setFont(fett);
    bezTip = new QLabel(this);
    bezTip->setObjectName(QStringLiteral("bezTip"));
    bezTip->setWordWrap(true);
    bezTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bezTip->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bezTip->setMinimumSize(bezTip->fontMetrics().averageCharWidth() * 55,
                           bezTip->fontMetrics().lineSpacing() * 8);
    strgAutoTipp = new QCheckBox(QStringLiteral("&Tipps bei jedem Programm-Start anzeigen"), this);
    strgAutoTipp->setObjectName(QStringLiteral("strgAutoTipp"));
    befNext = new QPushButton(QStringLiteral("&Nächster Tipp"), this);
    befNext->setObjectName(QStringLiteral("befNext"));
    befNext->setDefault(true);
    befAbbrechen = new QPushButton(QStringLiteral("&Schließen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    setCancelButton(befAbbrechen);
    lstTipps = new QListWidget(this);
    lstTipps->setObjectName(QStringLiteral("lstTipps"));
    lstTipps->hide();

    // Layout
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(bezTip0);
    rechts->addWidget(bezTip, 1);
    auto* oben = new QHBoxLayout;
    oben->addWidget(Anzeige, 0, Qt::AlignTop);
    oben->addSpacing(12);
    oben->addLayout(rechts, 1);
    auto* unten = new QHBoxLayout;
    unten->addWidget(strgAutoTipp);
    unten->addStretch();
    unten->addWidget(befNext);
    unten->addWidget(befAbbrechen);
    auto* aussen = new QVBoxLayout(this);
    aussen->addLayout(oben, 1);
    aussen->addLayout(unten);

    // Handlers
    connect(befNext, &QPushButton::clicked, this, &Tips::befNext_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &Tips::befAbbrechen_Click);
    connect(strgAutoTipp, &QCheckBox::clicked, this, &Tips::strgAutoTipp_Click);

    // Load
    TippsLaden();
    platform::setCheckBoxValue(
        *strgAutoTipp,
        rt::Val(foundation::IniLesen({}, {}, schluesselAutoTip, QStringLiteral("1"))) != 0 ? 1 : 0);
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    const int seite = bezTip->fontMetrics().lineSpacing() * 3;
    Anzeige->setPixmap(windowIcon().pixmap(seite, seite));
    befNext_Click();
}

void Tips::TippsLaden()
{
    datei_ = tippsDatei();
    lstTipps->clear();
    for (const QString& roh : dateiZeilen(datei_)) {
        const QString zeile = rt::Trim(roh);
        if (zeile.isEmpty() || zeile.startsWith(u'[') || zeile.startsWith(u';')
            || zeile.contains(u'='))
            continue;
        lstTipps->addItem(zeile);
    }
}

void Tips::KeineTippsAnzeigen()
{
    bezTip0->setText(QStringLiteral("Keine Tipps gefunden!"));
    tippZeigen(QString());
    befNext->setEnabled(false);
    strgAutoTipp->setEnabled(false);
}

void Tips::befNext_Click()
{
    if (lstTipps->count() == 0) {
        KeineTippsAnzeigen();
        return;
    }
    const platform::BusyPointer warten;
    QString gedaechtnis =
        foundation::IniLesen({}, {}, schluesselZuletzt, QStringLiteral(".0000"));
    bezTip0->setText(foundation::IniLesen(datei_, QStringLiteral("Infos"), QStringLiteral("Frage"),
                                          QStringLiteral("???")));
    const QString kopf = foundation::IniLesen(datei_, QStringLiteral("Infos"),
                                              QStringLiteral("Header"),
                                              QStringLiteral("Willkommen"));
    setWindowTitle(foundation::TextErsetzen(
        kopf, QStringLiteral("{Major}"),
        rt::Format(foundation::hauptVersion(), QStringLiteral("00"))));

    platform::random().Randomize();
    const int anzahl = lstTipps->count();
    int gewaehlt = 0;
    for (int versuche = 1;; ++versuche) {
        gewaehlt = static_cast<int>(std::floor(platform::random().Rnd() * (anzahl - 1 + 0.5)));
        if (versuche > hoechsteVersuche) {
            gewaehlt = 1;
            break;
        }
        if (gewaehlt >= 1 && !gedaechtnis.contains(nummer(gewaehlt)))
            break;
    }
    gedaechtnis = rt::Left(gedaechtnis + nummer(gewaehlt), gedaechtnisLaenge);
    foundation::IniSchreiben({}, {}, schluesselZuletzt, gedaechtnis);

    // Tip 1 of a file with a single tip does not exist: the tip stays empty.
    QString text = gewaehlt < anzahl ? rt::Trim(lstTipps->item(gewaehlt)->text()) : QString();
    text = foundation::TextErsetzen(text, QStringLiteral("~"), QStringLiteral("~~"));
    text = foundation::MeldungAufbereiten(text);
    text = foundation::TextErsetzen(text, QStringLiteral("{URL}"), foundation::webSeite());
    if (!text.isEmpty() && !QStringLiteral(".!?").contains(text.back()))
        text += u'.';
    tippZeigen(text);
}

void Tips::tippZeigen(const QString& text)
{
    tipp = text;
    QString anzeige = text;
    anzeige.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    bezTip->setText(anzeige);
}

void Tips::strgAutoTipp_Click()
{
    foundation::IniSchreiben({}, {}, schluesselAutoTip,
                             QString::number(platform::checkBoxValue(*strgAutoTipp)));
}

void Tips::befAbbrechen_Click()
{
    hide(); // ends the modal display; the opener unloads the window
}

void Tips::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befAbbrechen_Click();
    }
}

} // namespace commands
