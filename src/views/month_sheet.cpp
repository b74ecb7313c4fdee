#include "views/month_sheet.h"

#include "foundation/font_text.h"
#include "foundation/ini_store.h"
#include "foundation/window_positions.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/status_panels.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "store/day_texts.h"
#include "textlib/calendar.h"
#include "textlib/day_info.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTextCharFormat>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace views {

using namespace Qt::StringLiterals;

namespace {

const QString abschnitt = u"_MonBlatt"_s;
const QString schluesselFarbe = u"MonBlattFarbe"_s;
const QString schluesselDoppelklick = u"MonBlatt2Click"_s;
const QString vorgabeFarbe = u"12632256"_s; // RGB 192, 192, 192
const QString fensterName = u"Korvanel"_s;

const QDate ersterTag(1500, 1, 1);
const QDate letzterTag(2200, 12, 31);

// The date buttons: index, caption, tool tip, the key they send.
struct Knopf {
    int index;
    const char* text;
    const char* tipp;
    char taste;
};
constexpr Knopf knoepfe[] = {
    {0, "< Tag", "Einen Tag zurück", 'T'},     {1, "Tag >", "Einen Tag vor", 't'},
    {2, "Heute", "Zum heutigen Datum", 'h'},   {4, "< Monat", "Einen Monat zurück", 'M'},
    {5, "Monat >", "Einen Monat vor", 'm'},    {6, "< Jahr", "Eine Jahr zurück", 'J'},
    {7, "Jahr >", "Eine Jahr vor", 'j'},       {8, "< Woche", "Eine Woche zurück", 'W'},
    {9, "Woche >", "Eine Woche vor", 'w'},
};

QString alsText(rt::VbDate tag)
{
    return rt::Format(tag, u"dd.mm.yyyy"_s);
}

QDate imBereich(QDate tag)
{
    if (!tag.isValid())
        return tag;
    return std::clamp(tag, ersterTag, letzterTag);
}

QDate heute()
{
    return rt::toQDate(rt::DateOnly(platform::clock().now()));
}

} // namespace

Monatsblatt::Monatsblatt(QWidget* parent) : platform::Form(parent)
{
    setObjectName(u"Monatsblatt"_s);
    setWindowTitle(u"Monatsblatt"_s);

    // Controls
    menu = new QMenuBar(this);
    menu->setObjectName(u"MenuBar"_s);
    actions = new platform::ActionRegistry(this);
    QMenu* einstellungen = actions->addMenu(menu, u"mnuSetupX"_s, u"&Einstellungen"_s);
    actions->addAction(einstellungen, u"mnuSetupFarbe"_s, u"&Farbe..."_s);
    QAction* doppelklick =
        actions->addAction(einstellungen, u"mnuSetupDoppelklick"_s, u"&Doppelklick"_s);
    doppelklick->setCheckable(true);
    doppelklick->setToolTip(u"Ein Doppelklick auf einen Tag übernimmt ihn"_s);
    einstellungen->setToolTipsVisible(true);

    Datum = new QLabel(this);
    Datum->setObjectName(u"Datum"_s);
    Datum->hide(); // the exchange with the caller; the status bar shows the date

    MonthView = new QCalendarWidget(this);
    MonthView->setObjectName(u"MonthView"_s);
    MonthView->setLocale(QLocale(QLocale::German, QLocale::Germany));
    MonthView->setFirstDayOfWeek(Qt::Monday);
    MonthView->setDateRange(ersterTag, letzterTag);
    MonthView->setDateEditEnabled(false); // digits are keys of the sheet
    MonthView->setGridVisible(true);
    QTextCharFormat werktag;
    werktag.setForeground(palette().color(QPalette::Text));
    QTextCharFormat wochenende = werktag;
    wochenende.setFontWeight(QFont::Bold);
    for (const Qt::DayOfWeek tag : {Qt::Monday, Qt::Tuesday, Qt::Wednesday, Qt::Thursday,
                                    Qt::Friday})
        MonthView->setWeekdayTextFormat(tag, werktag);
    MonthView->setWeekdayTextFormat(Qt::Saturday, wochenende);
    MonthView->setWeekdayTextFormat(Qt::Sunday, wochenende);
    QSizePolicy unsichtbarMitPlatz = MonthView->sizePolicy();
    unsichtbarMitPlatz.setRetainSizeWhenHidden(true);
    MonthView->setSizePolicy(unsichtbarMitPlatz);
    MonthView->setMinimumSize(fontMetrics().horizontalAdvance(QString(40, u'0')),
                              fontMetrics().lineSpacing() * 14);
    MonthView->hide(); // until the start step has given it its date

    for (const Knopf& knopf : knoepfe) {
        auto* button = new QPushButton(QString::fromUtf8(knopf.text), this);
        button->setObjectName(platform::indexedName(u"BefDatumWechsel"_s, knopf.index));
        button->setToolTip(QString::fromUtf8(knopf.tipp));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        platform::setTag(button, QString(QChar::fromLatin1(knopf.taste)));
        BefDatumWechsel[static_cast<std::size_t>(knopf.index)] = button;
    }

    befOk = new QPushButton(u"&Ok"_s, this);
    befOk->setObjectName(u"befOk"_s);
    befOk->setDefault(true);
    setCancelButton(befOk); // Esc takes the date as Ok does

    Tooltipp = new QLabel(this);
    Tooltipp->setObjectName(u"Tooltipp"_s);
    Tooltipp->setToolTip(u"Wochenende"_s);
    Tooltipp->setFixedHeight(fontMetrics().height() / 2);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(u"StatusBar"_s);
    StatusBar->setSizeGripEnabled(false);
    panels = new platform::StatusPanels(StatusBar);
    struct Feld {
        const char* key;
        const char* muster;
        const char* tipp;
    };
    for (const Feld& feld : {Feld{"Datum", " 88.88.8888 ", "Datum"},
                             Feld{"KW", " 88. Woche ", "Kalenderwoche"},
                             Feld{"vor", " vor 888.888 Tagen ", "Differenz zu heute"}}) {
        const QString muster = QString::fromUtf8(feld.muster);
        panels->addPanel(QString::fromUtf8(feld.key), muster.trimmed(), QString::fromUtf8(feld.tipp),
                         platform::PanelSize::Contents,
                         StatusBar->fontMetrics().horizontalAdvance(muster) + 8);
    }
    panels->addPanel(u"Feiertag"_s, u"Neujahr"_s, u"Hinweis"_s, platform::PanelSize::Spring);

    TimerInit = new QTimer(this);
    TimerInit->setObjectName(u"TimerInit"_s);
    TimerInit->setInterval(33);
    TimerInit->setSingleShot(true);

    // Layout: the way back on the left, the way forward on the right, the calendar between.
    const auto spalte = [this](std::initializer_list<int> indizes) {
        auto* layout = new QVBoxLayout;
        for (const int index : indizes)
            layout->addWidget(BefDatumWechsel[static_cast<std::size_t>(index)]);
        layout->addStretch();
        return layout;
    };
    auto* mitte = new QVBoxLayout;
    mitte->addWidget(MonthView, 1);
    mitte->addWidget(Tooltipp);
    auto* blatt = new QHBoxLayout;
    blatt->addLayout(spalte({6, 4, 8, 0}));
    blatt->addLayout(mitte, 1);
    blatt->addLayout(spalte({7, 5, 9, 1}));
    auto* unten = new QHBoxLayout;
    unten->addWidget(BefDatumWechsel[2]);
    unten->addStretch();
    unten->addWidget(befOk);
    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(menu);
    aussen->addLayout(blatt, 1);
    aussen->addLayout(unten);
    aussen->addWidget(StatusBar);
    aussen->addWidget(Datum);

    // Events
    for (const Knopf& knopf : knoepfe) {
        const int index = knopf.index;
        connect(BefDatumWechsel[static_cast<std::size_t>(index)], &QPushButton::clicked, this,
                [this, index] { BefDatumWechsel_Click(index); });
    }
    connect(befOk, &QPushButton::clicked, this, &Monatsblatt::befOk_Click);
    connect(MonthView, &QCalendarWidget::selectionChanged, this, &Monatsblatt::MonthView_SelChange);
    connect(MonthView, &QCalendarWidget::clicked, this, &Monatsblatt::MonthView_SelChange);
    connect(MonthView, &QCalendarWidget::activated, this, &Monatsblatt::MonthView_DblClick);
    connect(TimerInit, &QTimer::timeout, this, &Monatsblatt::TimerInit_Timer);
    connect(actions->action(u"mnuSetupFarbe"_s), &QAction::triggered, this,
            &Monatsblatt::mnuSetupFarbe_Click);
    connect(doppelklick, &QAction::triggered, this, [this] {
        // The entry has ticked itself already; the handler inverts the tick on its own.
        QAction* eintrag = actions->action(u"mnuSetupDoppelklick"_s);
        eintrag->setChecked(!eintrag->isChecked());
        mnuSetupDoppelklick_Click();
    });
    // The calendar's own keys are the arrows; letters, digits and Enter belong to the sheet.
    if (auto* ansicht = MonthView->findChild<QTableView*>())
        ansicht->installEventFilter(this);
    MonthView->installEventFilter(this);

    // Load
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    const double nummer =
        rt::Val(foundation::IniLesen({}, abschnitt, schluesselFarbe, vorgabeFarbe));
    farbeSetzen(foundation::farbeAusNummer(static_cast<qint64>(nummer), this)
                    .value_or(QColor(192, 192, 192)));
    doppelklick->setChecked(
        rt::Val(foundation::IniLesen({}, abschnitt, schluesselDoppelklick, u"0"_s)) != 0);
    resize(sizeHint().expandedTo(QSize(560, 0)));
    foundation::Fenster_PosLoad(*this, fensterName);
    TimerInit->start();
}

std::optional<QString> Monatsblatt::DatumWaehlen(QWidget* besitzer, const QString& titel,
                                                 const QString& datum)
{
    auto* blatt = new Monatsblatt(besitzer);
    blatt->setWindowTitle(titel);
    blatt->Datum->setText(datum);
    blatt->showModal();
    if (blatt->isUnloaded())
        return std::nullopt;
    const QString gewaehlt = blatt->Datum->text();
    blatt->unload();
    return gewaehlt;
}

void Monatsblatt::AnzeigeAuffrischen()
{
    const rt::VbDate jetzt = rt::DateOnly(platform::clock().now());
    rt::VbDate tag = rt::DateOnly(rt::CDate(Datum->text()).value_or(jetzt));
    if (rt::Year(tag) < 1500)
        tag = rt::DateSerial(1500, 1, 1);
    else if (rt::Year(tag) > 2200)
        tag = rt::DateSerial(2200, 12, 31);
    const QString text = alsText(tag);
    Datum->setText(text);

    Tooltipp->setText(store::WochenendeKennung(tag));
    Tooltipp->setAutoFillBackground(!Tooltipp->text().isEmpty());

    const qint64 n = rt::DateDiff(u"d"_s, tag, jetzt);
    const qint64 betrag = std::llabs(n);
    panels->setText(u"Datum"_s, u' ' + text + u' ');
    panels->setText(u"KW"_s,
                    u' ' + QString::number(textlib::Kalenderwoche(tag)) + u". Woche "_s);
    panels->setText(u"vor"_s, u' ' + (n < 0 ? u"in "_s : u"vor "_s)
                                  + rt::Format(static_cast<double>(betrag), u"#,##0"_s)
                                  + u" Tag"_s + (betrag == 1 ? QString() : u"en"_s) + u' ');
    panels->setText(u"Feiertag"_s, textlib::FeiertagText(u' ' + text + u' '));
}

void Monatsblatt::TimerInit_Timer()
{
    TimerInit->stop();
    AnzeigeAuffrischen(); // Datum is a date of the calendar's range from here on
    kalenderAuf(rt::toQDate(rt::CDateOrError(Datum->text())));
    MonthView->show();
    AnzeigeAuffrischen();
    befOk->setFocus();
}

void Monatsblatt::Form_KeyPress(int keyAscii)
{
    const QDate tag = MonthView->selectedDate();
    QDate neu = tag;
    switch (keyAscii) {
    case 13:
        befOk_Click();
        return;
    case 'h':
        neu = heute();
        break;
    case 't':
    case 'd':
        neu = tag.addDays(1);
        break;
    case 'T':
    case 'D':
        neu = tag.addDays(-1);
        break;
    case 'w':
        neu = tag.addDays(7);
        break;
    case 'W':
        neu = tag.addDays(-7);
        break;
    case 'm':
        neu = tag.addMonths(1);
        break;
    case 'M':
        neu = tag.addMonths(-1);
        break;
    case 'j':
    case 'y':
        neu = tag.addMonths(12);
        break;
    case 'J':
    case 'Y':
        neu = tag.addMonths(-12);
        break;
    default:
        break;
    }
    kalenderAuf(neu);
    datumVomKalender();
}

void Monatsblatt::BefDatumWechsel_Click(int index)
{
    const QString taste = platform::tag(BefDatumWechsel[static_cast<std::size_t>(index)]);
    Form_KeyPress(taste.isEmpty() ? ' ' : taste.front().unicode());
}

void Monatsblatt::befOk_Click()
{
    foundation::Fenster_PosSave(*this, fensterName);
    AnzeigeAuffrischen(); // Datum as "dd.mm.yyyy"
    hide();
}

void Monatsblatt::MonthView_SelChange()
{
    datumVomKalender();
}

void Monatsblatt::MonthView_DblClick()
{
    if (actions->action(u"mnuSetupDoppelklick"_s)->isChecked())
        befOk_Click();
}

void Monatsblatt::mnuSetupFarbe_Click()
{
    const std::optional<QColor> gewaehlt =
        platform::dialogs().chooseColor(u"Farbe des Monatsblatts"_s, farbe_);
    if (!gewaehlt)
        return;
    foundation::IniSchreiben({}, abschnitt, schluesselFarbe,
                             QString::number(foundation::farbNummer(*gewaehlt)));
    farbeSetzen(*gewaehlt);
}

void Monatsblatt::mnuSetupDoppelklick_Click()
{
    QAction* eintrag = actions->action(u"mnuSetupDoppelklick"_s);
    eintrag->setChecked(!eintrag->isChecked());
    foundation::IniSchreiben({}, abschnitt, schluesselDoppelklick,
                             eintrag->isChecked() ? u"1"_s : u"0"_s);
}

void Monatsblatt::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    // Closed by the user, the sheet takes the date as Ok does; closes by code go through.
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befOk_Click();
    }
}

void Monatsblatt::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Form_KeyPress(13);
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.front().isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        Form_KeyPress(text.front().unicode());
        return;
    }
    platform::Form::keyPressEvent(event);
}

bool Monatsblatt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* taste = static_cast<QKeyEvent*>(event);
        const QString text = taste->text();
        const bool eingabe = taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter
                             || (text.size() == 1 && text.front().isPrint());
        if (eingabe && !(taste->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(taste);
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

void Monatsblatt::farbeSetzen(const QColor& farbe)
{
    farbe_ = farbe;
    // The calendar's title bar is drawn in its highlight colour, its buttons in their own.
    const QColor schrift = farbe.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
    if (auto* titel = MonthView->findChild<QWidget*>(u"qt_calendar_navigationbar"_s)) {
        QPalette farben = titel->palette();
        farben.setColor(QPalette::Highlight, farbe);
        farben.setColor(QPalette::HighlightedText, schrift);
        farben.setColor(QPalette::Window, farbe);
        titel->setPalette(farben);
        // Month and year draw their text in the highlighted-text colour of their own palette.
        for (QToolButton* knopf : titel->findChildren<QToolButton*>()) {
            QPalette knopfFarben = knopf->palette();
            knopfFarben.setColor(QPalette::HighlightedText, schrift);
            knopfFarben.setColor(QPalette::ButtonText, schrift);
            knopf->setPalette(knopfFarben);
        }
    }
    QPalette marke = Tooltipp->palette();
    marke.setColor(QPalette::Window, farbe);
    Tooltipp->setPalette(marke);
}

void Monatsblatt::kalenderAuf(const QDate& tag)
{
    const QDate ziel = imBereich(tag);
    if (ziel.isValid() && ziel != MonthView->selectedDate())
        MonthView->setSelectedDate(ziel);
}

void Monatsblatt::datumVomKalender()
{
    Datum->setText(alsText(rt::fromQDate(MonthView->selectedDate())));
    AnzeigeAuffrischen();
}

} // namespace views
