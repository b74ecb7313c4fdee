#include "zoom_text.h"

#include "foundation/ini_store.h"
#include "foundation/window_positions.h"
#include "integration/links.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/main_port.h"
#include "platform/print_surface.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "print/text_printing.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "textlib/print_footer.h"
#include "textlib/string_functions.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace views {

namespace {

const QString keyZoomFntSize = QStringLiteral("ZoomFntSize");
const QString vorgabeZoomFntSize = QStringLiteral("1300");
const QString fensterName = QStringLiteral("Zoom");

// The design length of the text; the opener sets its own.
constexpr int vorgabeMaxLaenge = 1024;

// VB's key codes and shift state of the two insert keys.
constexpr int vbKeyD = 68;
constexpr int vbKeyU = 85;
constexpr int vbCtrlMask = 2;

// How often the status display follows the text once it is shown.
constexpr int infoIntervall = 1000;

// The size a font takes on the screen, in whole pixels: a step of the font size counts only
// when it changes this.
int sichtbareGroesse(const QFont& font, double punkte)
{
    QFont probe = font;
    probe.setPointSizeF(punkte);
    return QFontInfo(probe).pixelSize();
}

double aufHundertstel(double wert)
{
    return std::round(wert * 100) / 100;
}

} // namespace

ZoomText::ZoomText(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("ZoomText"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

// --- Building the window ------------------------------------------------------------------

void ZoomText::createControls()
{
    setWindowTitle(QStringLiteral("Zoom"));
    setMaxButton(true);

    auto* leiste = new QMenuBar(this);
    menues = new platform::ActionRegistry(this);
    mnuZoom = menues->addMenu(leiste, QStringLiteral("mnuZoom"), QStringLiteral("&Zoom"));
    mnuOk = menues->addAction(mnuZoom, QStringLiteral("mnuOk"), QStringLiteral("&Ok"),
                              QKeySequence(Qt::Key_F12));
    mnuAbbrechen =
        menues->addAction(mnuZoom, QStringLiteral("mnuAbbrechen"), QStringLiteral("&Abbrechen"));
    mnuText = menues->addMenu(leiste, QStringLiteral("mnuText"), QStringLiteral("&Text"));
    mnuTxtPrint = menues->addAction(mnuText, QStringLiteral("mnuTxtPrint"),
                                    QStringLiteral("&Ausdrucken"), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuSchrift = menues->addMenu(leiste, QStringLiteral("mnuSchrift"), QStringLiteral("&Schrift"));
    const std::array<std::pair<const char*, Qt::Key>, 4> groessen{{{"&Kleiner", Qt::Key_F5},
                                                                   {"&Größer", Qt::Key_F6},
                                                                   {"12 Punkt", Qt::Key_F7},
                                                                   {"15 Punkt", Qt::Key_F8}}};
    for (std::size_t i = 0; i < groessen.size(); ++i)
        mnuSchriftSize[i] = menues->addAction(
            mnuSchrift, platform::indexedName(QStringLiteral("mnuSchriftSize"), static_cast<int>(i)),
            QString::fromUtf8(groessen[i].first), QKeySequence(groessen[i].second));

    Text = new platform::TextBox(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setMaxLength(vorgabeMaxLaenge);
    Text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Text->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    // The result flag for the opener; the user never needs to see it.
    Abbruch = new QCheckBox(QStringLiteral("Abbruch"), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->setVisible(false);

    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setAutoDefault(false);
    befAbbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    setCancelButton(befAbbrechen);

    const std::array<std::pair<const char*, const char*>, 3> knoepfe{
        {{"\u2212", "Schrift kleiner"}, {"+", "Schrift größer"}, {"12", "Schriftgröße auf 12"}}};
    for (std::size_t i = 0; i < knoepfe.size(); ++i) {
        auto* knopf = new QPushButton(QString::fromUtf8(knoepfe[i].first), this);
        knopf->setObjectName(platform::indexedName(QStringLiteral("befFontSize"), static_cast<int>(i)));
        knopf->setToolTip(QString::fromUtf8(knoepfe[i].second));
        knopf->setAutoDefault(false);
        knopf->setFocusPolicy(Qt::NoFocus);
        befFontSize[i] = knopf;
    }

    bezProzent = new QLabel(this);
    bezProzent->setObjectName(QStringLiteral("bezProzent"));
    bezProzent->setAlignment(Qt::AlignCenter);
    bezProzent->setTextFormat(Qt::PlainText);

    ShapeProzent1 = new QFrame(this);
    ShapeProzent1->setObjectName(QStringLiteral("ShapeProzent1"));
    ShapeProzent1->setFrameShape(QFrame::Box);
    ShapeProzent1->setFixedHeight(ShapeProzent1->fontMetrics().height() / 2 + 4);
    ShapeProzent2 = new QFrame(ShapeProzent1);
    ShapeProzent2->setObjectName(QStringLiteral("ShapeProzent2"));
    ShapeProzent2->setAutoFillBackground(true);
    ShapeProzent2->setBackgroundRole(QPalette::Highlight);

    auto* balken = new QStatusBar(this);
    balken->setObjectName(QStringLiteral("StatusBar"));
    balken->setSizeGripEnabled(true);
    StatusBar = new platform::StatusPanels(balken);
    StatusBar->addPanel(QStringLiteral("Position"), QString(), QString(), platform::PanelSize::Spring);
    StatusBar->addPanel(QStringLiteral("Prozent"));
    StatusBar->addPanel(QStringLiteral("Status"), QStringLiteral("Bereit"));

    ZeitInfo = new QTimer(this);
    ZeitInfo->setObjectName(QStringLiteral("ZeitInfo"));
}

void ZoomText::layOut()
{
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    haupt->setMenuBar(findChild<QMenuBar*>());

    // The buttons, the font buttons and the fill bar keep a column of the Ok button's width at
    // the window's right edge; the text takes the rest.
    auto* knoepfe = new QHBoxLayout;
    knoepfe->setSpacing(2);
    for (QPushButton* knopf : befFontSize)
        knoepfe->addWidget(knopf);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(befOk);
    rechts->addWidget(befAbbrechen);
    rechts->addWidget(Abbruch);
    rechts->addStretch(1);
    rechts->addLayout(knoepfe);
    rechts->addWidget(bezProzent);
    rechts->addWidget(ShapeProzent1);

    auto* mitte = new QHBoxLayout;
    mitte->setContentsMargins(6, 6, 6, 6);
    mitte->setSpacing(8);
    mitte->addWidget(Text, 1);
    mitte->addLayout(rechts);
    haupt->addLayout(mitte, 1);
    haupt->addWidget(StatusBar->bar());

    const int spalte = std::max(befOk->sizeHint().width(), befAbbrechen->sizeHint().width());
    befOk->setFixedWidth(spalte);
    befAbbrechen->setFixedWidth(spalte);
    ShapeProzent1->setFixedWidth(spalte);
    bezProzent->setFixedWidth(spalte);
    for (QPushButton* knopf : befFontSize) {
        knopf->setFixedWidth((spalte - 4) / 3);
        knopf->setMinimumWidth(0);
    }
    resize(640, 360);
}

void ZoomText::connectHandlers()
{
    connect(befOk, &QPushButton::clicked, this, &ZoomText::befOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &ZoomText::befAbbrechen_Click);
    connect(mnuOk, &QAction::triggered, this, &ZoomText::befOk_Click);
    connect(mnuAbbrechen, &QAction::triggered, this, &ZoomText::befAbbrechen_Click);
    connect(mnuTxtPrint, &QAction::triggered, this, &ZoomText::mnuTxtPrint_Click);
    for (std::size_t i = 0; i < befFontSize.size(); ++i)
        connect(befFontSize[i], &QPushButton::clicked, this,
                [this, i] { befFontSize_Click(static_cast<int>(i)); });
    for (std::size_t i = 0; i < mnuSchriftSize.size(); ++i)
        connect(mnuSchriftSize[i], &QAction::triggered, this,
                [this, i] { mnuSchriftSize_Click(static_cast<int>(i)); });
    connect(ZeitInfo, &QTimer::timeout, this, &ZoomText::ZeitInfo_Timer);
    // The display follows the caret at once as well, not only with the timer's next tick.
    connect(Text, &QPlainTextEdit::cursorPositionChanged, this, &ZoomText::ZeitInfo_Timer);
    Text->setKeyDownHandler([this](int& keyCode, int shift) { Text_KeyDown(keyCode, shift); });
    Text->viewport()->installEventFilter(this);
    ShapeProzent1->installEventFilter(this);
}

void ZoomText::Form_Load()
{
    const double gespeichert =
        rt::Val(foundation::IniLesen(QString(), QString(), keyZoomFntSize, vorgabeZoomFntSize)) / 100;
    // A stored size that is no size at all leaves the default; one out of range is held to it.
    double punkte = 13;
    if (std::isfinite(gespeichert) && gespeichert > 0)
        punkte = std::clamp(gespeichert, kleinsteGroesse, groessteGroesse);
    schriftGroesseSetzen(punkte);
    foundation::Fenster_PosLoad(*this, fensterName);
    const platform::MainPort* haupt = platform::mainPort();
    setWindowIcon(haupt ? haupt->icon() : QApplication::windowIcon());
    ZeitInfo->setInterval(0);
    ZeitInfo->start();
}

// --- Result and leaving -------------------------------------------------------------------

bool ZoomText::abgebrochen() const
{
    return Abbruch->isChecked();
}

void ZoomText::befOk_Click()
{
    const long long hundertstel = std::llround(Text->font().pointSizeF() * 100);
    foundation::IniSchreiben(QString(), QString(), keyZoomFntSize, QString::number(hundertstel));
    foundation::Fenster_PosSave(*this, fensterName);
    Abbruch->setChecked(false);
    hide();
}

void ZoomText::befAbbrechen_Click()
{
    Abbruch->setChecked(true);
    hide();
}

void ZoomText::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    // The close box keeps the edits: it acts as Ok.
    cancel = true;
    befOk_Click();
}

// --- Font size ----------------------------------------------------------------------------

void ZoomText::befFontSize_Click(int index)
{
    mnuSchriftSize_Click(index);
    Text->setFocus();
}

void ZoomText::mnuSchriftSize_Click(int index)
{
    const QFont schrift = Text->font();
    double neu = schrift.pointSizeF();
    switch (index) {
    case 2:
        neu = 12;
        break;
    case 3:
        neu = 15;
        break;
    case 0:
    case 1: {
        // Qt takes every fractional size as given, but the screen shows whole pixels: step by
        // tenths of a point until the font shows in another size, so that every click shows.
        const double richtung = index == 0 ? -1 : 1;
        const double start = QFontInfo(schrift).pointSizeF();
        const int sichtbar = sichtbareGroesse(schrift, schrift.pointSizeF());
        for (int schritt = 1;; ++schritt) {
            neu = aufHundertstel(start + richtung * 0.1 * schritt);
            if (neu < kleinsteGroesse || neu > groessteGroesse)
                break;
            if (sichtbareGroesse(schrift, neu) != sichtbar)
                break;
        }
        break;
    }
    default:
        return;
    }
    schriftGroesseSetzen(std::clamp(neu, kleinsteGroesse, groessteGroesse));
}

void ZoomText::schriftGroesseSetzen(double punkte)
{
    QFont schrift = Text->font();
    schrift.setPointSizeF(punkte);
    Text->setFont(schrift);
}

// --- Keys and double click ----------------------------------------------------------------

void ZoomText::Text_KeyDown(int& keyCode, int shift)
{
    if (shift != vbCtrlMask || (keyCode != vbKeyD && keyCode != vbKeyU))
        return;
    const rt::VbDate jetzt = platform::clock().now();
    const QString muster = keyCode == vbKeyD ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("hh:nn");
    Text->setSelText(rt::Format(jetzt, muster) + u' ');
    keyCode = 0;
}

void ZoomText::Text_DblClick()
{
    textlib::ZitatMarkieren(Text);
    const QString auswahl = rt::Trim(Text->selText());
    if (!auswahl.isEmpty())
        integration::LinkOeffnen(auswahl);
}

bool ZoomText::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // After the box has selected the word under the pointer, as the double click does.
        QTimer::singleShot(0, this, &ZoomText::Text_DblClick);
    } else if (watched == ShapeProzent1 && event->type() == QEvent::Resize) {
        fuellBalkenSetzen();
    }
    return platform::Form::eventFilter(watched, event);
}

// --- Status display -----------------------------------------------------------------------

void ZoomText::ZeitInfo_Timer()
{
    ZeitInfo->setInterval(infoIntervall);
    const QString text = Text->text();
    const int laenge = text.size();
    const int c = Text->selStart();
    const int zeile = text.left(c + 1).count(QStringLiteral("\r\n")) + 1;
    const int position = std::min(c + 1, laenge);

    QString kurz = QStringLiteral("keine Eingaben");
    QString lang = kurz;
    if (laenge > 0) {
        kurz = u' ' + QString::number(zeile) + QStringLiteral(". Zeile, ") + u' '
               + QString::number(position) + QStringLiteral(" / ") + QString::number(laenge)
               + QStringLiteral(" Zeichen ");
        lang = QString::number(zeile) + QStringLiteral(". Zeile   ") + QString::number(position)
               + QStringLiteral(" / ") + QString::number(laenge) + QStringLiteral(" Zeichen");
    }
    if (StatusBar->text(QStringLiteral("Position")) != kurz) {
        StatusBar->setText(QStringLiteral("Position"), kurz);
        StatusBar->setToolTip(QStringLiteral("Position"), lang);
    }

    // Without a limit (0) there is no share to show: the count alone.
    const int grenze = Text->maxLength();
    QString prozent = QStringLiteral("0%");
    QString belegt = rt::Format(laenge, QStringLiteral("#,##0")) + QStringLiteral(" Zeichen belegt");
    if (grenze > 0) {
        prozent = rt::Format(static_cast<double>(laenge) * 100 / grenze, QStringLiteral("0"))
                  + u'%';
        belegt = rt::Format(laenge, QStringLiteral("#,##0")) + QStringLiteral(" Zeichen von ")
                 + rt::Format(grenze, QStringLiteral("#,##0"))
                 + QStringLiteral(" möglichen Zeichen belegt");
    }
    bezProzent->setText(prozent);
    bezProzent->setToolTip(belegt);
    fuellLaenge_ = laenge;
    fuellBalkenSetzen();
    StatusBar->setText(QStringLiteral("Prozent"), prozent);
    StatusBar->setToolTip(QStringLiteral("Prozent"), belegt);
    StatusBar->setText(QStringLiteral("Status"), QStringLiteral("Bereit"));
}

void ZoomText::fuellBalkenSetzen()
{
    const QRect innen = ShapeProzent1->contentsRect();
    const int grenze = Text->maxLength();
    int breite = 0;
    if (grenze > 0)
        breite = static_cast<int>(std::lround(static_cast<double>(innen.width()) * fuellLaenge_ / grenze));
    breite = std::clamp(breite, 0, innen.width());
    ShapeProzent2->setGeometry(innen.left(), innen.top(), breite, innen.height());
    ShapeProzent2->setVisible(breite > 0);
}

void ZoomText::resizeEvent(QResizeEvent* event)
{
    platform::Form::resizeEvent(event);
    fuellBalkenSetzen();
}

// --- Print --------------------------------------------------------------------------------

void ZoomText::mnuTxtPrint_Click()
{
    platform::PrintSurface& p = platform::printer();
    p.setScaleMode(platform::vbCentimeters);
    p.Print(QStringLiteral(" "));
    print::DruckerSchriftSetzen(*Text);
    const bool fusszeile = textlib::FusszeileEingeschaltet();
    // The body keeps clear of the footer band on every page.
    const double unten = fusszeile ? textlib::FusszeileOben() : -1;
    const QString ganz = windowTitle() + QStringLiteral("\r\n\r\n") + Text->text();
    const QString rest = print::TextDruckenMitSeitenwechsel(ganz, 2, 1, -1, unten, [&] {
        textlib::DruckFusszeile(2, false);
        p.NewPage();
        print::DruckerSchriftSetzen(*Text);
    });
    if (!rest.isEmpty())
        print::SeiteZuKleinMelden();
    textlib::DruckFusszeile(2, false);
    p.EndDoc();
    print::PdfAusgabeMelden();
}

} // namespace views
