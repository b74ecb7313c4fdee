#include "timeline.h"

#include "foundation/number_format.h"
#include "foundation/ui_services.h"
#include "foundation/window_positions.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/screen.h"
#include "platform/status_panels.h"
#include "runtime/format.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"
#include "textlib/day_info.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace views {

namespace {

const QString fensterName = QStringLiteral("Zeitleiste");
const QString hinweis =
    QStringLiteral("Mit Hilfe der Maus kann auf der Zeitleiste ein Tag ausgewählt werden.");

constexpr int refreshIntervall = 333;
// The shortest range the axis shows, in days.
constexpr qint32 mindestTage = 100;
// The strokes keep this distance from the axis's top and bottom, in twips.
constexpr double strichAbstand = 50;
// The axis's inner width less this is the width the days are spread over, in twips.
constexpr double achsenRand = 15;
// How far the pointer draws to an entry day, in twips (with Shift held, the nearer value).
constexpr double fangWeite = 99;
constexpr double fangWeiteShift = 20;
// The height of the axis, in twips.
constexpr double achsenHoehe = 1100;

rt::VbDate tagVonNummer(qint32 tagesnummer)
{
    return rt::DateSerial(tagesnummer / 10000, tagesnummer / 100 % 100, tagesnummer % 100);
}

QString datumText(rt::VbDate tag)
{
    return rt::Format(tag, QStringLiteral("dd.mm.yyyy"));
}

qint64 tageZwischen(rt::VbDate von, rt::VbDate bis)
{
    return rt::dayNumber(bis) - rt::dayNumber(von);
}

// The day moved by a number of days that need not be whole (the nearest whole number, halves
// to the even one).
rt::VbDate tageDazu(rt::VbDate tag, double tage)
{
    return rt::DateAdd(QStringLiteral("d"), tage, tag);
}

} // namespace

// The axis: draws the strokes the redraw placed, and reports the pointer.
class Zeitachse : public QWidget {
public:
    explicit Zeitachse(Zeitleiste* fenster) : QWidget(fenster), fenster_(fenster)
    {
        setObjectName(QStringLiteral("picZeitleiste"));
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter maler(this);
        maler.fillRect(rect(), palette().color(QPalette::Dark));
        const double oben = strichAbstand / fenster_->twipsY_;
        const double unten = height() - strichAbstand / fenster_->twipsY_;
        if (unten <= oben)
            return;
        maler.setPen(QPen(palette().color(QPalette::Base), 1));
        // Many days share a column of pixels on a long range: each column is drawn once.
        std::vector<QLineF> linien;
        linien.reserve(std::min<std::size_t>(fenster_->striche_.size(),
                                             static_cast<std::size_t>(width()) + 1));
        long long letzteSpalte = -1;
        for (double x : fenster_->striche_) {
            const auto spalte = static_cast<long long>(std::floor(x / fenster_->twipsX_));
            if (spalte == letzteSpalte)
                continue;
            letzteSpalte = spalte;
            const double mitte = static_cast<double>(spalte) + 0.5;
            linien.emplace_back(mitte, oben, mitte, unten);
        }
        maler.drawLines(linien.data(), static_cast<int>(linien.size()));
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPointF punkt = event->position();
        fenster_->picZeitleiste_MouseMove(static_cast<int>(event->buttons()),
                                          platform::vbShiftState(event->modifiers()),
                                          punkt.x() * fenster_->twipsX_,
                                          punkt.y() * fenster_->twipsY_);
    }

private:
    Zeitleiste* fenster_;
};

Zeitleiste::Zeitleiste(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Zeitleiste"));
    twipsX_ = platform::screen().twipsPerPixelX();
    twipsY_ = platform::screen().twipsPerPixelY();
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

Zeitleiste::~Zeitleiste() = default;

QColor Zeitleiste::markerEintragFarbe()
{
    return QColor(192, 0, 0);
}

// --- Building the window ------------------------------------------------------------------

void Zeitleiste::createControls()
{
    setWindowTitle(QStringLiteral("Zeitleiste"));
    setMinButton(true);
    setMaxButton(true);

    auto* leiste = new QMenuBar(this);
    menues = new platform::ActionRegistry(this);
    mnuZeitleisteX =
        menues->addMenu(leiste, QStringLiteral("mnuZeitleisteX"), QStringLiteral("&Zeitleiste"));
    mnuRefresh = menues->addAction(mnuZeitleisteX, QStringLiteral("mnuRefresh"),
                                   QStringLiteral("Anzeige &erneuern"), QKeySequence(Qt::Key_F5));
    mnuZurück = menues->addAction(mnuZeitleisteX, QStringLiteral("mnuZurück"),
                                  QStringLiteral("&Zurück"), QKeySequence(Qt::Key_F12));
    mnuBereichx = menues->addMenu(leiste, QStringLiteral("mnuBereichx"), QStringLiteral("&Bereich"));
    const std::array<std::pair<const char*, QKeySequence>, 4> bereiche{
        {{"ver&kleinern", QKeySequence(Qt::Key_F7)},
         {"ver&größern", QKeySequence(Qt::Key_F8)},
         {"Aktuelles &Jahr", QKeySequence(Qt::CTRL | Qt::Key_J)},
         {"&Gesamtes Korvanel", QKeySequence(Qt::CTRL | Qt::Key_G)}}};
    for (std::size_t i = 0; i < bereiche.size(); ++i)
        mnuZoom[i] = menues->addAction(
            mnuBereichx, platform::indexedName(QStringLiteral("mnuZoom"), static_cast<int>(i)),
            QString::fromUtf8(bereiche[i].first), bereiche[i].second);

    bezZeitleisteDatum = new QLabel(this);
    bezZeitleisteDatum->setObjectName(QStringLiteral("bezZeitleisteDatum"));
    bezZeitleisteDatum->setTextFormat(Qt::PlainText);
    QFont gross = bezZeitleisteDatum->font();
    gross.setBold(true);
    gross.setPointSizeF(gross.pointSizeF() * 1.2);
    bezZeitleisteDatum->setFont(gross);

    achse_ = new Zeitachse(this);
    picZeitleiste = achse_;
    picZeitleiste->setFixedHeight(static_cast<int>(std::lround(achsenHoehe / twipsY_)));
    picZeitleiste->setMinimumWidth(2);

    LineZeitleiste = new QWidget(picZeitleiste);
    LineZeitleiste->setObjectName(QStringLiteral("LineZeitleiste"));
    LineZeitleiste->setAutoFillBackground(true);
    LineZeitleiste->setAttribute(Qt::WA_TransparentForMouseEvents);
    LineZeitleiste->hide();

    bezDateVon = new QLabel(this);
    bezDateVon->setObjectName(QStringLiteral("bezDateVon"));
    bezDateVon->setTextFormat(Qt::PlainText);
    bezDateBis = new QLabel(this);
    bezDateBis->setObjectName(QStringLiteral("bezDateBis"));
    bezDateBis->setTextFormat(Qt::PlainText);
    bezDateBis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bezDateDiff = new QLabel(this);
    bezDateDiff->setObjectName(QStringLiteral("bezDateDiff"));
    bezDateDiff->setTextFormat(Qt::PlainText);
    bezDateDiff->setAlignment(Qt::AlignCenter);

    bezZeitleisteText = new QLabel;
    bezZeitleisteText->setObjectName(QStringLiteral("bezZeitleisteText"));
    // An entry is shown as it is written: one that begins with "<" is no markup.
    bezZeitleisteText->setTextFormat(Qt::PlainText);
    bezZeitleisteText->setWordWrap(true);
    bezZeitleisteText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bezZeitleisteText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bezZeitleisteText->setContentsMargins(4, 4, 4, 4);

    auto* balken = new QStatusBar(this);
    balken->setObjectName(QStringLiteral("StatusBar"));
    StatusBar = new platform::StatusPanels(balken);
    StatusBar->addPanel(QStringLiteral("Aktuell"), QString(), QString(), platform::PanelSize::Spring);
    StatusBar->addPanel(QStringLiteral("Position"));
    StatusBar->addPanel(QStringLiteral("WieLange"));

    TimerRefresh = new QTimer(this);
    TimerRefresh->setObjectName(QStringLiteral("TimerRefresh"));
    TimerRefresh->setInterval(refreshIntervall);
}

void Zeitleiste::layOut()
{
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    haupt->setMenuBar(findChild<QMenuBar*>());

    auto* innen = new QVBoxLayout;
    innen->setContentsMargins(10, 8, 10, 6);
    innen->setSpacing(4);
    innen->addWidget(bezZeitleisteDatum);
    innen->addWidget(picZeitleiste);

    // Start and end under the axis's ends, the length centred between them.
    auto* bereich = new QGridLayout;
    bereich->setContentsMargins(0, 0, 0, 0);
    bereich->addWidget(bezDateVon, 0, 0, Qt::AlignLeft);
    bereich->addWidget(bezDateDiff, 0, 0, Qt::AlignHCenter);
    bereich->addWidget(bezDateBis, 0, 0, Qt::AlignRight);
    innen->addLayout(bereich);

    // A long entry scrolls: the label sits in a page whose layout gives it the height its
    // wrapped text needs at the page's width.
    auto* seite = new QWidget;
    auto* seitenLayout = new QVBoxLayout(seite);
    seitenLayout->setContentsMargins(0, 0, 0, 0);
    seitenLayout->addWidget(bezZeitleisteText);
    seitenLayout->addStretch(1);
    auto* rolle = new QScrollArea(this);
    rolle->setObjectName(QStringLiteral("rahmenText"));
    rolle->setWidget(seite);
    rolle->setWidgetResizable(true);
    rolle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    innen->addWidget(rolle, 1);

    haupt->addLayout(innen, 1);
    haupt->addWidget(StatusBar->bar());
    resize(760, 420);
}

void Zeitleiste::connectHandlers()
{
    connect(TimerRefresh, &QTimer::timeout, this, &Zeitleiste::TimerRefresh_Timer);
    connect(mnuRefresh, &QAction::triggered, this, &Zeitleiste::mnuRefresh_Click);
    connect(mnuZurück, &QAction::triggered, this, &Zeitleiste::mnuZurück_Click);
    for (std::size_t i = 0; i < mnuZoom.size(); ++i)
        connect(mnuZoom[i], &QAction::triggered, this,
                [this, i] { mnuZoom_Click(static_cast<int>(i)); });
}

void Zeitleiste::Form_Load()
{
    const platform::MainPort* haupt = platform::mainPort();
    setWindowIcon(haupt ? haupt->icon() : QApplication::windowIcon());
    foundation::Fenster_PosLoad(*this, fensterName);
    bezZeitleisteDatum->clear();
    bezZeitleisteText->setText(hinweis);
    // The range of the index as it stands; the redraw builds it afresh. An empty index leaves
    // the range to the redraw, which then knows the days.
    const store::TageslisteRef tage = store::tagesverzeichnis;
    if (!tage->empty()) {
        const auto [erster, letzter] = std::minmax_element(tage->begin(), tage->end());
        leisteVon = rt::DateSerial(*erster / 10000, 1, 1);
        leisteBis = rt::DateSerial(*letzter / 10000, 12, 31);
    }
    TimerRefresh->start();
}

// --- Redraw -------------------------------------------------------------------------------

double Zeitleiste::achsenBreite() const
{
    return picZeitleiste->width() * twipsX_ - achsenRand;
}

void Zeitleiste::TimerRefresh_Timer()
{
    TimerRefresh->stop();
    mnuRefresh_Click();
}

void Zeitleiste::mnuRefresh_Click()
{
    platform::BusyPointer sanduhr;
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;

    rt::VbDate ganzVon;
    rt::VbDate ganzBis;
    if (!tage->empty()) {
        ganzVon = rt::DateSerial(tage->front() / 10000, 1, 1);
        ganzBis = rt::DateSerial(tage->back() / 10000, 12, 31);
    } else {
        // A diary without entries shows the current year.
        const int jahr = rt::Year(platform::clock().now());
        ganzVon = rt::DateSerial(jahr, 1, 1);
        ganzBis = rt::DateSerial(jahr, 12, 31);
    }
    if (!leisteVon)
        leisteVon = ganzVon;
    if (!leisteBis)
        leisteBis = ganzBis;
    if (*leisteBis < *leisteVon)
        std::swap(leisteVon, leisteBis);
    if (rt::Year(*leisteVon) < 1500)
        leisteVon = rt::DateSerial(1500, 1, 1);
    if (rt::Year(*leisteBis) > 2200)
        leisteBis = rt::DateSerial(2200, 12, 31);
    qint64 tageImBereich = tageZwischen(*leisteVon, *leisteBis);
    while (tageImBereich < mindestTage) {
        leisteVon = tageDazu(*leisteVon, -1);
        leisteBis = tageDazu(*leisteBis, 1);
        tageImBereich = tageZwischen(*leisteVon, *leisteBis);
    }
    leisteTage = static_cast<qint32>(tageImBereich);

    // x in double: days times twips pass the range of 32 bits on long ranges.
    const double w = achsenBreite();
    const qint64 von = rt::dayNumber(*leisteVon);
    eintragsTage_.clear();
    eintragsTage_.reserve(tage->size());
    striche_.clear();
    for (qint32 nummer : *tage) {
        const qint64 tag = rt::dayNumber(tagVonNummer(nummer));
        eintragsTage_.push_back(tag);
        if (w <= 0)
            continue; // an axis without width shows nothing
        const double x = static_cast<double>(tag - von) * w / leisteTage;
        if (x >= 0 && x <= w + achsenRand)
            striche_.push_back(x);
    }
    picZeitleiste->update();

    bezDateVon->setText(QStringLiteral("| ") + datumText(*leisteVon));
    bezDateBis->setText(datumText(*leisteBis) + QStringLiteral(" |"));
    bezDateDiff->setText(QStringLiteral("|--- ")
                         + foundation::DauerAlsText(static_cast<double>(leisteTage) * 86400, 0)
                         + QStringLiteral(" ---|"));

    picZeitleiste_MouseMove(0, 0, picZeitleiste->width() * twipsX_ / 2, 0);
}

// --- Pointer ------------------------------------------------------------------------------

void Zeitleiste::markerSetzen(double x, const QColor& farbe)
{
    markerX_ = x;
    QPalette farben = LineZeitleiste->palette();
    farben.setColor(QPalette::Window, farbe);
    LineZeitleiste->setPalette(farben);
    const int breite = 2;
    const int pixel = static_cast<int>(std::lround(x / twipsX_));
    LineZeitleiste->setGeometry(pixel - breite / 2, 0, breite, picZeitleiste->height());
}

void Zeitleiste::picZeitleiste_MouseMove(int button, int shift, double x, double y)
{
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(y);
    const double w = achsenBreite();
    if (w <= 0 || leisteTage <= 0 || !leisteVon || zeigt_)
        return;
    zeigt_ = true;
    const KeepAlive halten(*this);

    LineZeitleiste->hide();
    markerSetzen(x, palette().color(QPalette::WindowText));

    const double versatz = std::min(x * leisteTage / w, static_cast<double>(leisteTage));
    rt::VbDate tag = tageDazu(*leisteVon, versatz);

    // The nearest entry day within reach; of two at the same distance the earlier.
    const double toleranz =
        leisteTage * (foundation::ShiftGedrueckt() ? fangWeiteShift : fangWeite) / w;
    const qint64 gezeigt = rt::dayNumber(tag);
    const auto naechster =
        std::lower_bound(eintragsTage_.begin(), eintragsTage_.end(), gezeigt);
    std::optional<qint64> treffer;
    double beste = 2 * toleranz;
    const auto pruefen = [&](std::vector<qint64>::const_iterator stelle) {
        const auto abstand = static_cast<double>(std::llabs(*stelle - gezeigt));
        if (abstand < toleranz && abstand < beste) {
            beste = abstand;
            treffer = *stelle;
        }
    };
    if (naechster != eintragsTage_.begin())
        pruefen(std::prev(naechster));
    if (naechster != eintragsTage_.end())
        pruefen(naechster);
    if (treffer) {
        tag = rt::fromDayAndFraction(*treffer, 0);
        const double xTag =
            static_cast<double>(*treffer - rt::dayNumber(*leisteVon)) * w / leisteTage;
        markerSetzen(xTag, markerEintragFarbe());
    }

    leisteTag = tag;
    const QString text = datumText(tag);
    bezZeitleisteDatum->setText(text);
    const store::Eintrag eintrag =
        store::EintragLaden(store::DatumZuTagesnummer(tag) + u'.' + store::korvanelKuerzel);
    if (isUnloaded()) {
        zeigt_ = false;
        return;
    }
    bezZeitleisteText->setText(eintrag.ok() ? eintrag.text : store::EintragLadefehlerText(eintrag));
    LineZeitleiste->show();
    LineZeitleiste->raise();

    QString aktuell = textlib::DatumFormatieren(QStringLiteral("dddd, d. mmmm yyyy"), text)
                      + QStringLiteral(", ") + QString::number(textlib::Kalenderwoche(tag))
                      + QStringLiteral(". Woche");
    const QString feiertag = textlib::FeiertagText(tag);
    if (!feiertag.isEmpty())
        aktuell += QStringLiteral(", ") + feiertag;
    if (StatusBar->text(QStringLiteral("Aktuell")) != aktuell)
        StatusBar->setText(QStringLiteral("Aktuell"), aktuell);
    StatusBar->setText(QStringLiteral("Position"),
                       u' ' + QString::number(eintrag.ok() ? eintrag.text.size() : 0)
                           + QStringLiteral(" Zeichen "));
    const qint64 abstand = tageZwischen(rt::DateOnly(platform::clock().now()), tag);
    StatusBar->setText(QStringLiteral("WieLange"),
                       u' ' + textlib::TagAbstandText(static_cast<double>(abstand)) + u' ');
    zeigt_ = false;
}

// --- Range --------------------------------------------------------------------------------

void Zeitleiste::mnuZoom_Click(int index)
{
    if (index < 0 || index > 3)
        return;
    if (leisteTage <= 0 || !leisteTag)
        mnuRefresh_Click(); // nothing drawn yet: the range and the pointed day come first
    const rt::VbDate tag = leisteTag.value_or(platform::clock().now());
    switch (index) {
    case 0:
    case 1: {
        const double halb = (index == 0 ? 0.9 : 1.1) * leisteTage / 2;
        leisteVon = tageDazu(tag, -halb);
        leisteBis = tageDazu(tag, halb);
        break;
    }
    case 2:
        leisteVon = rt::DateSerial(rt::Year(tag), 1, 1);
        leisteBis = rt::DateSerial(rt::Year(tag), 12, 31);
        break;
    default:
        // The whole diary: the redraw takes it from the index it builds.
        leisteVon.reset();
        leisteBis.reset();
        break;
    }
    mnuRefresh_Click();
}

// --- Leaving ------------------------------------------------------------------------------

void Zeitleiste::mnuZurück_Click()
{
    foundation::Fenster_PosSave(*this, fensterName);
    hide();
}

void Zeitleiste::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    mnuZurück_Click();
}

void Zeitleiste::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        mnuZurück_Click();
        return;
    }
    platform::Form::keyPressEvent(event);
}

void Zeitleiste::resizeEvent(QResizeEvent* event)
{
    platform::Form::resizeEvent(event);
    TimerRefresh->start();
}

} // namespace views
