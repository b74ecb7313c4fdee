#include "title_window.h"

#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/name_format.h"
#include "foundation/product_info.h"
#include "foundation/statistics.h"
#include "foundation/version.h"
#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/keyboard.h"
#include "platform/path_resolver.h"
#include "platform/screen.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QResizeEvent>
#include <QTimer>

#include <cmath>
#include <numbers>
#include <utility>

namespace mainwindow {

namespace {

HauptfensterZeigen& hauptfensterZeigen()
{
    static HauptfensterZeigen zeigen;
    return zeigen;
}

// The size of the window's inside, in twips.
constexpr double fensterWeite = 7800;
constexpr double fensterHoehe = 4800;
// The band at the top that the product name is centred in.
constexpr double titelBand = 1200;
// Room the product name leaves free of the window's width.
constexpr double titelRand = 900;
constexpr double titelHoechstGroesse = 36;

const QColor titelSchatten(102, 102, 102);
const QColor titelFarbe(255, 153, 51);
const QColor debugFarbe(255, 64, 64);
const QColor qbColor8(128, 128, 128);
const QColor qbColor15(255, 255, 255);

double ppx()
{
    return platform::screen().twipsPerPixelX();
}

double ppy()
{
    return platform::screen().twipsPerPixelY();
}

int pixelX(double twips)
{
    return static_cast<int>(std::lround(twips / ppx()));
}

int pixelY(double twips)
{
    return static_cast<int>(std::lround(twips / ppy()));
}

// --- The pictures ----------------------------------------------------------------------------

constexpr int bildGroesse = 56;

QPixmap leeresBild()
{
    QPixmap bild(bildGroesse, bildGroesse);
    bild.fill(Qt::transparent);
    return bild;
}

QPolygonF stern(QPointF mitte, double aussen, double innen, int zacken)
{
    QPolygonF punkte;
    for (int i = 0; i < 2 * zacken; ++i) {
        const double winkel = -std::numbers::pi / 2 + i * std::numbers::pi / zacken;
        const double r = i % 2 == 0 ? aussen : innen;
        punkte << QPointF(mitte.x() + r * std::cos(winkel), mitte.y() + r * std::sin(winkel));
    }
    return punkte;
}

// The product's emblem: an open diary with a bookmark.
QPixmap emblemBild()
{
    QPixmap bild(64, 64);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 60, 20), 2));
    p.setBrush(QColor(170, 90, 40));
    p.drawRoundedRect(QRectF(4, 10, 56, 44), 4, 4);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 8, 23, 42));
    p.drawRect(QRectF(33, 8, 23, 42));
    p.setPen(QPen(QColor(170, 170, 170), 1));
    for (double y = 15; y < 46; y += 5) {
        p.drawLine(QPointF(11, y), QPointF(28, y));
        p.drawLine(QPointF(36, y), QPointF(53, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(titelFarbe);
    p.drawPolygon(QPolygonF({QPointF(46, 4), QPointF(52, 4), QPointF(52, 30), QPointF(49, 26),
                             QPointF(46, 30)}));
    return bild;
}

// The occasion pictures by their number.
QPixmap feierBild(int nummer)
{
    QPixmap bild = leeresBild();
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF mitte(bildGroesse / 2.0, bildGroesse / 2.0);
    switch (nummer) {
    case 0: { // Christmas: a tree with a star
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 70, 30));
        p.drawRect(QRectF(24, 44, 8, 10));
        p.setBrush(QColor(20, 120, 40));
        p.drawPolygon(QPolygonF({QPointF(28, 8), QPointF(44, 30), QPointF(12, 30)}));
        p.drawPolygon(QPolygonF({QPointF(28, 16), QPointF(50, 46), QPointF(6, 46)}));
        p.setBrush(QColor(255, 210, 0));
        p.drawPolygon(stern(QPointF(28, 8), 7, 3, 5));
        p.setBrush(QColor(220, 30, 30));
        for (const QPointF kugel : {QPointF(20, 38), QPointF(34, 34), QPointF(28, 26)})
            p.drawEllipse(kugel, 2.5, 2.5);
        break;
    }
    case 1: { // St Nicholas' day: a boot
        QPainterPath stiefel;
        stiefel.moveTo(18, 6);
        stiefel.lineTo(36, 6);
        stiefel.lineTo(36, 34);
        stiefel.cubicTo(50, 34, 52, 40, 52, 48);
        stiefel.lineTo(12, 48);
        stiefel.lineTo(18, 34);
        stiefel.closeSubpath();
        p.setPen(QPen(QColor(120, 0, 0), 1.5));
        p.setBrush(QColor(200, 20, 20));
        p.drawPath(stiefel);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(15, 4, 24, 8), 3, 3);
        break;
    }
    case 2: { // beginning of spring: a flower
        p.setPen(QPen(QColor(40, 140, 40), 3));
        p.drawLine(QPointF(28, 30), QPointF(28, 54));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 120, 180));
        for (int i = 0; i < 6; ++i) {
            const double w = i * std::numbers::pi / 3;
            p.drawEllipse(QPointF(28 + 10 * std::cos(w), 22 + 10 * std::sin(w)), 7, 7);
        }
        p.setBrush(QColor(255, 210, 0));
        p.drawEllipse(QPointF(28, 22), 6, 6);
        break;
    }
    case 3: { // beginning of summer: the sun
        p.setPen(QPen(QColor(255, 170, 0), 3, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            const double w = i * std::numbers::pi / 6;
            p.drawLine(QPointF(mitte.x() + 17 * std::cos(w), mitte.y() + 17 * std::sin(w)),
                       QPointF(mitte.x() + 26 * std::cos(w), mitte.y() + 26 * std::sin(w)));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 210, 0));
        p.drawEllipse(mitte, 13, 13);
        break;
    }
    case 4: { // beginning of autumn: a leaf
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 110, 20));
        QPainterPath blatt;
        blatt.moveTo(10, 46);
        blatt.cubicTo(8, 20, 30, 6, 50, 6);
        blatt.cubicTo(50, 28, 36, 48, 10, 46);
        p.drawPath(blatt);
        p.setPen(QPen(QColor(130, 60, 10), 2));
        p.drawLine(QPointF(4, 52), QPointF(44, 12));
        break;
    }
    case 5: { // beginning of winter: a snowflake
        p.setPen(QPen(QColor(60, 130, 220), 3, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 6; ++i) {
            const double w = i * std::numbers::pi / 3;
            const QPointF ende(mitte.x() + 24 * std::cos(w), mitte.y() + 24 * std::sin(w));
            p.drawLine(mitte, ende);
            const QPointF ast(mitte.x() + 15 * std::cos(w), mitte.y() + 15 * std::sin(w));
            for (double seite : {-0.6, 0.6})
                p.drawLine(ast, QPointF(ast.x() + 7 * std::cos(w + seite),
                                        ast.y() + 7 * std::sin(w + seite)));
        }
        break;
    }
    case 6: { // Advent: a candle
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 20, 20));
        p.drawRect(QRectF(21, 22, 14, 30));
        p.setBrush(QColor(255, 180, 0));
        QPainterPath flamme;
        flamme.moveTo(28, 4);
        flamme.cubicTo(36, 12, 34, 20, 28, 20);
        flamme.cubicTo(22, 20, 20, 12, 28, 4);
        p.drawPath(flamme);
        p.setBrush(QColor(20, 120, 40));
        p.drawEllipse(QRectF(8, 46, 40, 10));
        break;
    }
    case 7: { // New Year's Eve and New Year: fireworks
        const std::array<QColor, 3> farben{QColor(220, 30, 30), QColor(30, 110, 220),
                                           QColor(240, 170, 0)};
        for (int i = 0; i < 12; ++i) {
            const double w = i * std::numbers::pi / 6;
            p.setPen(QPen(farben[static_cast<std::size_t>(i % 3)], 2.5, Qt::SolidLine,
                          Qt::RoundCap));
            p.drawLine(QPointF(mitte.x() + 6 * std::cos(w), mitte.y() + 6 * std::sin(w)),
                       QPointF(mitte.x() + 24 * std::cos(w), mitte.y() + 24 * std::sin(w)));
        }
        break;
    }
    case 8: { // 29 November: a gift
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 200));
        p.drawRect(QRectF(8, 22, 40, 30));
        p.setBrush(QColor(60, 140, 230));
        p.drawRect(QRectF(5, 16, 46, 8));
        p.setBrush(QColor(255, 200, 0));
        p.drawRect(QRectF(25, 16, 6, 36));
        p.setPen(QPen(QColor(255, 200, 0), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(14, 6, 13, 10));
        p.drawEllipse(QRectF(29, 6, 13, 10));
        break;
    }
    case 9: { // Easter: an egg
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 190, 240));
        p.drawEllipse(QRectF(12, 4, 32, 46));
        p.setPen(QPen(QColor(240, 200, 0), 3));
        p.drawLine(QPointF(14, 24), QPointF(42, 24));
        p.setPen(QPen(QColor(230, 80, 140), 3));
        p.drawLine(QPointF(14, 32), QPointF(42, 32));
        break;
    }
    case 10: { // 31 October: a pumpkin
        p.setPen(QPen(QColor(180, 80, 0), 1.5));
        p.setBrush(QColor(250, 130, 20));
        p.drawEllipse(QRectF(6, 16, 26, 34));
        p.drawEllipse(QRectF(24, 16, 26, 34));
        p.drawEllipse(QRectF(15, 14, 26, 37));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 120, 30));
        p.drawRect(QRectF(26, 6, 5, 10));
        p.setBrush(QColor(70, 40, 0));
        p.drawPolygon(QPolygonF({QPointF(18, 26), QPointF(23, 32), QPointF(13, 32)}));
        p.drawPolygon(QPolygonF({QPointF(38, 26), QPointF(43, 32), QPointF(33, 32)}));
        p.drawChord(QRectF(16, 30, 24, 14), 180 * 16, 180 * 16);
        break;
    }
    default:
        break;
    }
    return bild;
}

// --- The date table ------------------------------------------------------------------------

struct FesterTag {
    int bild;
    int jahr;
    int monat;
    int tag;
    int bisTag; // last day of a range in the same month
};

// The second pass: the fixed days of the years 2015 to 2022.
constexpr std::array<FesterTag, 40> festeTage{{
    {2, 2015, 3, 20, 20}, {2, 2016, 3, 20, 20}, {2, 2017, 3, 20, 20}, {2, 2018, 3, 20, 20},
    {2, 2019, 3, 20, 20}, {2, 2020, 3, 20, 20}, {2, 2021, 3, 20, 20}, {2, 2022, 3, 20, 20},
    {3, 2015, 6, 21, 21}, {3, 2016, 6, 21, 21}, {3, 2017, 6, 21, 21}, {3, 2018, 6, 21, 21},
    {3, 2019, 6, 21, 21}, {3, 2020, 6, 20, 20}, {3, 2021, 6, 21, 21}, {3, 2022, 6, 21, 21},
    {4, 2015, 9, 23, 23}, {4, 2016, 9, 22, 22}, {4, 2017, 9, 22, 22}, {4, 2018, 9, 23, 23},
    {4, 2019, 9, 23, 23}, {4, 2020, 9, 22, 22}, {4, 2021, 9, 22, 22}, {4, 2022, 9, 23, 23},
    {5, 2015, 12, 22, 22}, {5, 2016, 12, 21, 21}, {5, 2017, 12, 21, 21}, {5, 2018, 12, 21, 21},
    {5, 2019, 12, 22, 22}, {5, 2020, 12, 21, 21}, {5, 2021, 12, 21, 21}, {5, 2022, 12, 21, 21},
    {9, 2015, 4, 5, 6}, {9, 2016, 3, 27, 28}, {9, 2017, 4, 16, 19}, {9, 2018, 4, 1, 2},
    {9, 2019, 4, 21, 22}, {9, 2020, 4, 12, 13}, {9, 2021, 4, 4, 5}, {9, 2022, 4, 17, 18},
}};

// The text of the held-key folder display.
QString ordnerListe()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Im welchem Ordner wird was erwartet:") + crlf + crlf
        + QStringLiteral("- Programm:") + crlf + QStringLiteral("   ") + foundation::ordnerPrg
        + crlf + crlf + QStringLiteral("- Daten:") + crlf + QStringLiteral("   ")
        + foundation::ordnerDat + crlf;
}

} // namespace

HauptfensterZeigen setHauptfensterZeigen(HauptfensterZeigen zeigen)
{
    return std::exchange(hauptfensterZeigen(), std::move(zeigen));
}

std::optional<int> feierBildNummer(int jahr, int monat, int tag)
{
    std::optional<int> nummer;
    const auto am = [&](int m, int t) { return monat == m && tag == t; };
    if (am(1, 1))
        nummer = 7;
    else if (am(12, 6))
        nummer = 1;
    else if (am(11, 29))
        nummer = 8;
    else if (am(10, 31))
        nummer = 10;
    else if (monat == 12 && tag >= 1 && tag <= 23) {
        if (rt::Weekday(rt::DateSerial(jahr, monat, tag)) == 1)
            nummer = 6;
    } else if (monat == 12 && tag >= 24 && tag <= 26)
        nummer = 0;
    else if (am(12, 31))
        nummer = 7;

    for (const FesterTag& fest : festeTage) {
        if (fest.jahr == jahr && fest.monat == monat && tag >= fest.tag && tag <= fest.bisTag)
            nummer = fest.bild;
    }
    return nummer;
}

Titel::Titel(QWidget* parent) : Form(parent)
{
    setObjectName(QStringLiteral("Titel"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    createControls();
    connect(Zeit, &QTimer::timeout, this, &Titel::Zeit_Timer);
    Form_Load();
}

Titel* Titel::starten()
{
    auto* titel = new Titel;
    if (titel->titelAnzeige())
        titel->show();
    return titel;
}

void Titel::createControls()
{
    setWindowTitle(foundation::programmTitel());
    setAutoFillBackground(true);
    QPalette farben = palette();
    farben.setColor(QPalette::Window, QColor(240, 240, 240));
    farben.setColor(QPalette::WindowText, Qt::black);
    setPalette(farben);

    Emblem[0] = new QLabel(this);
    Emblem[0]->setObjectName(QStringLiteral("Emblem(0)"));
    Emblem[0]->setPixmap(emblemBild());
    Emblem[0]->adjustSize();
    Emblem[0]->setVisible(false);

    for (std::size_t i = 0; i < ImageFeier.size(); ++i) {
        ImageFeier[i] = new QLabel(this);
        ImageFeier[i]->setObjectName(QStringLiteral("ImageFeier(%1)").arg(i));
        ImageFeier[i]->setPixmap(feierBild(static_cast<int>(i)));
        ImageFeier[i]->adjustSize();
        ImageFeier[i]->setVisible(false);
    }

    bezInfoDo = new QLabel(this);
    bezInfoDo->setObjectName(QStringLiteral("bezInfoDo"));
    bezInfoDo->setTextFormat(Qt::PlainText);
    bezInfoDo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    bezInfoDo->setWordWrap(true);

    bezInfoGroß = new QLabel(this);
    bezInfoGroß->setObjectName(QStringLiteral("bezInfoGroß"));
    bezInfoGroß->setTextFormat(Qt::PlainText);
    bezInfoGroß->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bezInfoGroß->setWordWrap(true);
    bezInfoGroß->setAutoFillBackground(true);
    bezInfoGroß->setVisible(false);

    BezAutor = new QLabel(this);
    BezAutor->setObjectName(QStringLiteral("BezAutor"));
    BezAutor->setTextFormat(Qt::PlainText);
    BezAutor->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    Zeit = new QTimer(this);
    Zeit->setObjectName(QStringLiteral("Zeit"));
    Zeit->setInterval(200);
}

// --- Load ------------------------------------------------------------------------------------

void Titel::Form_Load()
{
    const int weite = pixelX(fensterWeite);
    const int hoehe = pixelY(fensterHoehe);
    setFixedSize(weite, hoehe);
    setBorderStyle(platform::borderNone);

    platform::Screen& bildschirm = platform::screen();
    moveTwips((bildschirm.widthTwips() - fensterWeite) / 2,
              (bildschirm.heightTwips() - fensterHoehe) / 2, fensterWeite, fensterHoehe);

    foundation::VersionText();

    QLabel* emblem = Emblem[0];
    emblem->move(pixelX(180), hoehe - emblem->height() - pixelY(100));
    emblem->setVisible(true);

    titelSchrift_ = font();
    titelSchrift_.setFamily(QStringLiteral("Liberation Serif"));
    titelSchrift_.setBold(true);
    titelSchrift_.setPointSizeF(24);
    titelEinpassen();

    // The author line stands between the emblem and the occasion picture, low in the window.
    BezAutor->setText(foundation::CopyrightZeile(QString::fromUtf16(foundation::copyrightPraefix)
                                                 + QString::number(foundation::hauptVersion())
                                                 + QStringLiteral(" Brisols-Programme")));
    const int autorLinks = pixelX(180) + emblem->width() + pixelX(180);
    const int autorRechts = weite - pixelX(100) - bildGroesse - pixelX(180);
    const int autorHoehe = BezAutor->fontMetrics().height() + 4;
    BezAutor->setGeometry(autorLinks, hoehe - pixelY(240) - autorHoehe, autorRechts - autorLinks,
                          autorHoehe);

    bezInfoDo->setText(QStringLiteral("Lade Programm ") + QStringLiteral("Version ")
                       + foundation::versionPunkt);
    const int infoOben = pixelY(titelBand + 240);
    bezInfoDo->setGeometry(pixelX(600), infoOben, weite - 2 * pixelX(600),
                           BezAutor->y() - pixelY(360) - infoOben);
    bezInfoGroß->setGeometry(pixelX(120), pixelY(titelBand), weite - pixelX(240),
                             BezAutor->y() - pixelY(240) - pixelY(titelBand));

    const rt::VbDate heute = platform::clock().now();
    if (const std::optional<int> nummer =
            feierBildNummer(rt::Year(heute), rt::Month(heute), rt::Day(heute))) {
        QLabel* bild = ImageFeier[static_cast<std::size_t>(*nummer)];
        bild->move(weite - pixelX(100) - bild->width(), hoehe - bild->height() - pixelY(120));
        bild->setVisible(true);
    }

    bool titelAus = rt::Val(foundation::IniLesen(QString(), QString(), QStringLiteral("TitelAus"),
                                                 QStringLiteral("0")))
        == 1;
    if (platform::keyboard().ctrlHeld())
        titelAus = false;
    if (titelAus)
        titelAnzeige_ = false;

    Zeit->start();
}

// Fits the product name into the window's width less the margin, at most 36 points, centred in
// the band at the top.
void Titel::titelEinpassen()
{
    const QString name = foundation::produktName();
    const double verfuegbar = width() - titelRand / ppx();
    // Text widths do not grow quite in proportion to the size (hinting): the rule of three is
    // applied again on the result until it fits.
    for (int runde = 0; runde < 3 && verfuegbar > 0; ++runde) {
        const double groesse = titelSchrift_.pointSizeF();
        const double breite = QFontMetricsF(titelSchrift_).horizontalAdvance(name);
        if (breite <= 0)
            break;
        double neu = verfuegbar * groesse / breite;
        if (neu > titelHoechstGroesse)
            neu = titelHoechstGroesse;
        titelSchrift_.setPointSizeF(neu);
    }
    const QFontMetricsF masse(titelSchrift_);
    const double x = (width() - masse.horizontalAdvance(name)) / 2;
    const double y = (titelBand / ppy() - masse.height()) / 2;
    titelPosition_ = QPoint(static_cast<int>(std::lround(x)) - 2,
                            static_cast<int>(std::lround(y)) - 2);
    update();
}

void Titel::paintEvent(QPaintEvent* event)
{
    Form::paintEvent(event);
    QPainter p(this);
    p.setFont(titelSchrift_);
    const QString name = foundation::produktName();
    const int grundlinie = QFontMetrics(titelSchrift_).ascent();
    p.setPen(titelSchatten);
    p.drawText(titelPosition_ + QPoint(2, 2 + grundlinie), name);
    p.setPen(titelFarbe);
    p.drawText(titelPosition_ + QPoint(0, grundlinie), name);

    // The etched line above the author line.
    const int y1 = BezAutor->y() - pixelY(120);
    const int links = BezAutor->x();
    const int rechts = links + BezAutor->width();
    p.setPen(qbColor8);
    p.drawLine(links, y1, rechts, y1);
    p.setPen(qbColor15);
    p.drawLine(links, y1 + 1, rechts, y1 + 1);
}

// --- Resize ----------------------------------------------------------------------------------

void Titel::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

void Titel::Form_Resize()
{
    if (ersteGroesse_) {
        ersteGroesse_ = false;
        startFensterStatus_ = windowStateVb();
        if (startFensterStatus_ != platform::vbNormal)
            setWindowStateVb(platform::vbNormal);
    }
    titelEinpassen();
}

// --- The start-up steps ----------------------------------------------------------------------

void Titel::Zeit_Timer()
{
    // Timers fire inside the error dialog and inside the main window's load: a tick that comes
    // while one runs is left out.
    if (imTick_ || isUnloaded())
        return;
    imTick_ = true;
    KeepAlive halten(*this);
    zeitTick();
    imTick_ = false;
}

bool Titel::fehlerMelden(int fehlerNummer)
{
    const int antwort = foundation::FehlerBehandlung(
        fehlerNummer, QStringLiteral("Es ist ein Fehler beim Aufbau des Titelbildes aufgetreten #")
                          + QString::number(zeitTicks_));
    return antwort == 5;
}

void Titel::zeitTick()
{
    ++zeitTicks_;

    QFont normal = bezInfoDo->font();
    normal.setBold(false);
    bezInfoDo->setFont(normal);
    QPalette farben = bezInfoDo->palette();
    farben.setColor(QPalette::WindowText, Qt::black);
    bezInfoDo->setPalette(farben);

    platform::Keyboard& tasten = platform::keyboard();
    const bool strg = tasten.ctrlHeld();
    const bool umschalt = tasten.shiftHeld();
    const bool alt = tasten.altHeld();

    if (zeitTicks_ <= 1 && strg && !umschalt && !alt) {
        bezInfoDo->setText(foundation::NutzungsStatistikText(2));
        zeitTicks_ = 0;
    }

    if (zeitTicks_ <= 1 && strg && alt) {
        Emblem[0]->setVisible(false);
        bezInfoGroß->setText(ordnerListe());
        bezInfoGroß->setGeometry(pixelX(120), bezInfoGroß->y(), width() - pixelX(240),
                                 bezInfoGroß->height());
        bezInfoGroß->setVisible(true);
        bezInfoGroß->raise();
        zeitTicks_ = 0;
    }

    if ((strg && umschalt) || rt::LCase(platform::Command()).contains(QStringLiteral("#debug"))) {
        foundation::debugModus = 1;
        bezInfoDo->setText(QStringLiteral("Das Debug-Logbuch ist aktiviert:\r\n")
                           + foundation::debugDatei);
        QFont betont = bezInfoDo->font();
        betont.setBold(true);
        bezInfoDo->setFont(betont);
        farben.setColor(QPalette::WindowText, debugFarbe);
        bezInfoDo->setPalette(farben);
        // The old log goes once, when the log is switched on: the lines that the main window
        // writes meanwhile stay, and a log that cannot be deleted is reported only once.
        if (!alteDebugDateiEntfernt_) {
            alteDebugDateiEntfernt_ = true;
            const QString datei = platform::resolvePath(foundation::debugDatei);
            const QFileInfo info(datei);
            if (!foundation::debugDatei.isEmpty() && (info.exists() || info.isSymLink())) {
                QFile alt(datei);
                if (!alt.remove()) {
                    rt::raiseError(rt::ErrPathFileAccess);
                    if (!fehlerMelden(rt::ErrPathFileAccess))
                        return;
                }
            }
        }
    }

    // A tick that stopped after an error before this step shows the main window on the next
    // one; the title window never goes without it.
    if (zeitTicks_ >= 1 && !hauptfensterGezeigt_) {
        hauptfensterGezeigt_ = true;
        std::optional<int> fensterStatus;
        if (foundation::IniLesen(QString(), QString(), QStringLiteral("NoWinStateSet"),
                                 QStringLiteral("0"))
            != QStringLiteral("1"))
            fensterStatus = startFensterStatus_;
        if (const HauptfensterZeigen& zeigen = hauptfensterZeigen())
            zeigen(fensterStatus);
        if (isUnloaded())
            return;
    }

    if (zeitTicks_ >= 2 && hauptfensterGezeigt_)
        unload();
}

void Titel::Form_Unload(bool& /*cancel*/)
{
    Zeit->stop();
}

} // namespace mainwindow
