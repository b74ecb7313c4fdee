#include "integration/expired_appointments.h"

#include "commands/window_openers.h"
#include "foundation/error_dialog.h"
#include "foundation/name_format.h"
#include "foundation/text_replace.h"
#include "foundation/window_positions.h"
#include "integration/sibling_programs.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/status_panels.h"
#include "platform/text_file.h"
#include "print/list_printing.h"
#include "runtime/codec.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/like.h"
#include "runtime/lines.h"
#include "runtime/strings.h"
#include "store/day_texts.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"
#include "textlib/list_jobs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace integration {

namespace {

const QString crLf = QStringLiteral("\r\n");
constexpr int tasteF4 = 115;

QString lesefehler()
{
    return QStringLiteral("Es ist ein Fehler beim Lesen der alten Termine aufgetreten.");
}

// The text of an appointment as the diary takes it: "°°" becomes a line break.
QString mitZeilenumbruechen(const QString& text)
{
    return foundation::TextErsetzen(store::TextDurchreichen(text), QStringLiteral("°°"), crLf);
}

QPushButton* knopf(QWidget* eltern, const char* name, const char* text, const char* tipp = nullptr)
{
    auto* befehl = new QPushButton(QString::fromUtf8(text), eltern);
    befehl->setObjectName(QString::fromUtf8(name));
    befehl->setAutoDefault(false);
    if (tipp)
        befehl->setToolTip(QString::fromUtf8(tipp));
    return befehl;
}

} // namespace

Altes::Altes(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Altes"));
    setWindowTitle(QStringLiteral("Abgelaufene Termine"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

void Altes::createControls()
{
    RahmenListe = new QGroupBox(QStringLiteral("Liste"), this);
    RahmenListe->setObjectName(QStringLiteral("RahmenListe"));
    RahmenMeldung = new QGroupBox(QStringLiteral("Meldung"), this);
    RahmenMeldung->setObjectName(QStringLiteral("RahmenMeldung"));
    Liste = new QListWidget(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    txtFilter = new QComboBox(RahmenListe);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setEditable(true);
    txtFilter->setInsertPolicy(QComboBox::NoInsert);
    BezFilter = new QLabel(QStringLiteral("&Textfilter"), RahmenListe);
    BezFilter->setObjectName(QStringLiteral("BezFilter"));
    BezFilter->setBuddy(txtFilter);
    befListeLesen = knopf(RahmenListe, "befListeLesen", "&Neu lesen");
    befListeKopieren = knopf(RahmenListe, "befListeKopieren", "K&opieren",
                             "Liste in die Zwischenablage kopieren");
    befListeDrucken = knopf(RahmenListe, "befListeDrucken", "&Drucken");
    befExportKorvanel = knopf(RahmenMeldung, "befExportKorvanel", "Ins &Korvanel...",
                              "Termin ins Brisols-Korvanel übertragen");
    befKopieren = knopf(RahmenMeldung, "befKopieren", "&Kopieren");
    befLöschen = knopf(RahmenMeldung, "befLöschen", "&Löschen");
    befEinfügen = knopf(RahmenMeldung, "befEinfügen", "&Wieder einfügen");
    BezÜbergabe = new QLabel(QStringLiteral("Umschalt+F4: gewählten Termin ins Korvanel "
                                            "übertragen"),
                             RahmenMeldung);
    BezÜbergabe->setObjectName(QStringLiteral("BezÜbergabe"));
    BezÜbergabe->setWordWrap(true);
    BefZurück = knopf(this, "BefZurück", "&Zurück");
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    panels = new platform::StatusPanels(StatusBar);
    panels->addPanel(QStringLiteral("Status"), QString(), QString(), platform::PanelSize::Spring);
    for (const char* key : {"Position", "Date", "DateWT", "DateKW"})
        panels->addPanel(QString::fromUtf8(key));
    TimerInit = new QTimer(this);
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setSingleShot(true);
    TimerInit->setInterval(50);
}

void Altes::layOut()
{
    auto* liste = new QGridLayout(RahmenListe);
    liste->addWidget(BezFilter, 0, 0);
    liste->addWidget(txtFilter, 1, 0);
    liste->addWidget(befListeLesen, 2, 0);
    liste->addWidget(befListeKopieren, 3, 0);
    liste->addWidget(befListeDrucken, 4, 0);
    auto* meldung = new QVBoxLayout(RahmenMeldung);
    meldung->addWidget(befExportKorvanel);
    meldung->addWidget(befKopieren);
    meldung->addWidget(befLöschen);
    meldung->addWidget(befEinfügen);
    meldung->addWidget(BezÜbergabe);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(RahmenListe);
    rechts->addWidget(RahmenMeldung);
    rechts->addStretch(1);
    rechts->addWidget(BefZurück);
    const int breite = fontMetrics().horizontalAdvance(QStringLiteral("Ins Korvanel...")) * 2;
    RahmenListe->setFixedWidth(breite);
    RahmenMeldung->setFixedWidth(breite);
    // The wrapped hint keeps all its lines however low the window is.
    const QMargins rand = meldung->contentsMargins();
    BezÜbergabe->setMinimumHeight(
        BezÜbergabe->heightForWidth(breite - rand.left() - rand.right()));

    auto* oben = new QHBoxLayout;
    oben->addWidget(Liste, 1);
    oben->addLayout(rechts);
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(8, 8, 8, 0);
    aussen->addLayout(oben, 1);
    aussen->addWidget(StatusBar);
    Liste->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 30,
                          fontMetrics().height() * 6);
}

void Altes::connectHandlers()
{
    connect(befListeLesen, &QPushButton::clicked, this, &Altes::befListeLesen_Click);
    connect(befListeKopieren, &QPushButton::clicked, this, &Altes::befListeKopieren_Click);
    connect(befListeDrucken, &QPushButton::clicked, this, &Altes::befListeDrucken_Click);
    connect(befExportKorvanel, &QPushButton::clicked, this, &Altes::TerminUebergeben);
    connect(BefZurück, &QPushButton::clicked, this, &Altes::BefZurück_Click);
    connect(TimerInit, &QTimer::timeout, this, &Altes::TimerInit_Timer);
    connect(Liste, &QListWidget::currentRowChanged, this, &Altes::Liste_Click);
    connect(Liste, &QListWidget::itemDoubleClicked, this, &Altes::Liste_DblClick);
    connect(txtFilter, &QComboBox::activated, this, &Altes::befListeLesen_Click);
    if (txtFilter->lineEdit())
        connect(txtFilter->lineEdit(), &QLineEdit::returnPressed, this, &Altes::befListeLesen_Click);
    Liste->installEventFilter(this);
    txtFilter->installEventFilter(this);
}

void Altes::Form_Load()
{
    const platform::BusyPointer sanduhr;
    status(QStringLiteral("Bereit"));
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    // Room for 70 characters a line and 20 lines, as far as the screen has it.
    const QRect frei = screen()->availableGeometry();
    const QSize wunsch(RahmenListe->width() + fontMetrics().horizontalAdvance(QLatin1Char('x')) * 70,
                       fontMetrics().height() * 26);
    resize(wunsch.boundedTo(frei.size() * 0.9).expandedTo(minimumSizeHint()));
    foundation::Fenster_PosLoad(*this, QStringLiteral("Altes"));
    // A position kept from a larger screen is brought back onto this one.
    QRect lage = frameGeometry();
    lage.moveRight(std::min(lage.right(), frei.right()));
    lage.moveBottom(std::min(lage.bottom(), frei.bottom()));
    lage.moveLeft(std::max(lage.left(), frei.left()));
    lage.moveTop(std::max(lage.top(), frei.top()));
    move(lage.topLeft());
    textlib::ListeDoppelteEntfernen(txtFilter);
    TimerInit->start();
}

void Altes::status(const QString& text)
{
    panels->setText(QStringLiteral("Status"), text);
}

void Altes::TimerInit_Timer()
{
    TimerInit->stop();
    // The opener adds its choices after the load.
    textlib::ListeDoppelteEntfernen(txtFilter);
    befListeLesen_Click();
}

bool Altes::archivLesen(const QString& muster, QStringList& liste)
{
    const QString pfad = platform::resolvePath(commands::zindorArchivDatei);
    const QFileInfo info(pfad);
    if (commands::zindorArchivDatei.isEmpty() || (!info.exists() && !info.isSymLink()))
        return true; // no archive: nothing to list
    if (!info.isFile() || info.size() > groessteDatei) {
        rt::raiseError(rt::ErrPathFileAccess);
        return false;
    }
    const std::optional<QByteArray> bytes = platform::readFile(pfad);
    if (!bytes)
        return false;
    QStringList zeilen = rt::splitLines(rt::fromAnsi(*bytes));
    for (QString& zeile : zeilen) {
        const QString text = foundation::DosNachAnsi(zeile);
        ++zeilenGelesen;
        if (!rt::Like(rt::LCase(text), muster))
            continue;
        if (!liste.isEmpty() && liste.constLast() == text)
            continue;
        if (rt::Trim(text).isEmpty())
            continue;
        liste.append(text);
        ++zeilenGelistet;
        if (zeilenGelistet > zeilenGrenze)
            liste.removeFirst();
    }
    return true;
}

void Altes::befListeLesen_Click()
{
    const platform::BusyPointer sanduhr;
    panels->setText(QStringLiteral("Position"), QString());
    status(QStringLiteral("Lade abgelaufene Termine ..."));
    panels->refresh();

    const QString muster = u'*' + rt::Trim(rt::LCase(txtFilter->currentText())) + u'*';
    zeilenGelesen = 0;
    zeilenGelistet = 0;
    befListeDrucken->setEnabled(true);
    for (QPushButton* aus : {befLöschen, befEinfügen, befKopieren, befExportKorvanel})
        aus->setEnabled(false);
    Liste->clear();

    QStringList zeilen;
    if (!rt::LikePatternValid(muster)) {
        platform::dialogs().msgBox(QStringLiteral("Der Textfilter »") + rt::Trim(txtFilter->currentText())
                                       + QStringLiteral("« ist kein gültiges Suchmuster.\r\n\r\n"
                                                        "Eckige Klammern müssen paarweise stehen, "
                                                        "z. B. [?] für ein Fragezeichen."),
                                   platform::vbOKOnly | platform::vbExclamation, windowTitle());
    } else if (!archivLesen(muster, zeilen)) {
        const int nummer = rt::Err().number != 0 ? rt::Err().number : rt::ErrPathFileAccess;
        foundation::FehlerBehandlung(nummer, lesefehler());
        zeilen.clear();
    }

    Liste->addItems(TermineSortieren(zeilen));
    if (Liste->count() == 0) {
        status(QStringLiteral("Keine abgelaufenen Termine gefunden!"));
        for (QPushButton* aus : {befEinfügen, befLöschen, befKopieren, befListeDrucken})
            aus->setEnabled(false);
        return;
    }
    Liste->setCurrentRow(Liste->count() - 1);
    Liste_Click();
}

QStringList Altes::TermineSortieren(const QStringList& zeilen)
{
    // Sorted by "yyyy mm.dd.text", without regard to case; the lines themselves stay as read,
    // so that a line that holds no date in front is not garbled by the key.
    struct Eintrag {
        QString schluessel;
        QString zeile;
    };
    std::vector<Eintrag> eintraege;
    eintraege.reserve(std::size_t(zeilen.size()));
    for (const QString& zeile : zeilen)
        eintraege.push_back({rt::LCase(rt::Mid(zeile, 7, 5) + rt::Mid(zeile, 4, 3)
                                       + rt::Mid(zeile, 1, 3) + rt::Mid(zeile, 12)),
                             zeile});
    std::stable_sort(eintraege.begin(), eintraege.end(),
                     [](const Eintrag& a, const Eintrag& b) { return a.schluessel < b.schluessel; });
    QStringList sortiert;
    for (const Eintrag& eintrag : eintraege) {
        if (!sortiert.isEmpty() && sortiert.constLast() == eintrag.zeile)
            continue;
        sortiert.append(eintrag.zeile);
    }
    return sortiert;
}

void Altes::Liste_Click()
{
    const int index = Liste->currentRow();
    if (index < 0 || index >= Liste->count())
        return;
    const QString zeile = Liste->item(index)->text();
    const std::optional<rt::VbDate> datum = rt::CDate(rt::Left(zeile, 10));
    if (datum) {
        panels->setText(QStringLiteral("Date"), rt::Format(*datum, QStringLiteral("dd.mm.yyyy")));
        panels->setText(QStringLiteral("DateWT"), rt::Format(*datum, QStringLiteral("dddd")));
        panels->setText(QStringLiteral("DateKW"),
                        QString::number(textlib::Kalenderwoche(*datum)) + QStringLiteral(" KW"));
        const qint64 abstand =
            rt::DateDiff(QStringLiteral("d"), platform::clock().now(), *datum);
        status(textlib::TagAbstandText(double(abstand)));
    } else {
        for (const char* key : {"Date", "DateWT", "DateKW"})
            panels->setText(QString::fromUtf8(key), QString());
        status(QString());
    }
    panels->setText(QStringLiteral("Position"),
                    QStringLiteral(" abgelaufener Termin ") + rt::Format(index + 1, QStringLiteral("#,##0"))
                        + QStringLiteral(" von ") + rt::Format(Liste->count(), QStringLiteral("#,##0"))
                        + u' ');
}

void Altes::Liste_DblClick()
{
    const QListWidgetItem* gewaehlt = Liste->currentItem();
    if (!gewaehlt)
        return;
    const QString zeile = gewaehlt->text();
    platform::dialogs().msgBox(mitZeilenumbruechen(rt::Mid(zeile, 11)), platform::vbInformation,
                               QStringLiteral("Zindor-Terminvorschau ") + rt::Left(zeile, 10));
}

void Altes::befListeKopieren_Click()
{
    QString text;
    for (int i = 0; i < Liste->count(); ++i) {
        const QString zeile = Liste->item(i)->text();
        text += rt::Left(zeile, 10) + u'\t' + rt::Trim(rt::Mid(zeile, 12)) + crLf;
    }
    platform::clipboard().clear();
    platform::clipboard().setText(text);
    platform::dialogs().msgBox(QStringLiteral("Liste der Meldungen wurde in die Zwischenablage "
                                              "kopiert."),
                               platform::vbInformation);
}

void Altes::befListeDrucken_Click()
{
    status(QStringLiteral("Drucke Liste..."));
    panels->refresh();
    const platform::MainPort* main = platform::mainPort();
    print::ListeMitEinstellungenDrucken(Liste, QStringLiteral("Zindor_Abgelaufenes"), windowTitle(),
                                        QStringLiteral("Zindor, abgelaufene Termine, Seite &[Seite]"),
                                        main != nullptr ? main->textFont().family() : QString(), 10);
    Liste_Click();
    Liste->update();
    status(QStringLiteral("Bereit"));
}

void Altes::TerminUebergeben()
{
    const QListWidgetItem* gewaehlt = Liste->currentItem();
    if (!gewaehlt)
        return;
    const QString zeile = gewaehlt->text();
    const QString datum = rt::Left(zeile, 10);
    const QString text = mitZeilenumbruechen(rt::Trim(rt::Mid(zeile, 11)));
    Liste->update();
    TextUebergeben(datum, text);
}

void Altes::Form_KeyUp(int keyCode, int shift)
{
    if (keyCode == tasteF4 && shift == 1)
        TerminUebergeben();
}

void Altes::BefZurück_Click()
{
    foundation::Fenster_PosSave(*this, QStringLiteral("Altes"));
    Liste->clear();
    hide();
}

void Altes::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    BefZurück_Click();
}

namespace {

int vbShift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
        + (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
        + (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace

void Altes::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 && !event->isAutoRepeat()) {
        event->accept();
        Form_KeyUp(tasteF4, vbShift(event->modifiers()));
        return;
    }
    platform::Form::keyReleaseEvent(event);
}

bool Altes::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Liste || watched == txtFilter) && event->type() == QEvent::KeyRelease) {
        auto* taste = static_cast<QKeyEvent*>(event);
        if (taste->key() == Qt::Key_F4 && !taste->isAutoRepeat()) {
            Form_KeyUp(tasteF4, vbShift(taste->modifiers()));
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace integration
