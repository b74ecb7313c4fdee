#include "printer_set.h"

#include "text_printing.h"

#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/product_info.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "foundation/user_identity.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/print_surface.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace print {

QString druckJob;

namespace {

// Bris_Prn.ini and its keys.
const QString druckerIni = QStringLiteral("Bris_Prn.ini");
const QString allgemein = QStringLiteral("Allgemein");
const QString keyDruckerEnabled = QStringLiteral("DruckerEnabled");
const QString keyDruckerLastDefault = QStringLiteral("DruckerLastDefault");
const QString keyDruckerZuletzt = QStringLiteral("DruckerZuletzt");
const QString keyAusrichtung = QStringLiteral("Ausrichtung");
const QString keyRandX = QStringLiteral("RandX");
const QString keyRandY = QStringLiteral("RandY");
const QString keyRandW = QStringLiteral("RandW");
const QString keyRandH = QStringLiteral("RandH");
const QString keyAnzahl = QStringLiteral("Anzahl");
const QString keyAutomatisch = QStringLiteral("Automatisch");
const QString keyBereich = QStringLiteral("Bereich");
const QString keyLastSave = QStringLiteral("LastSave");
const QString keyLastUser = QStringLiteral("LastUser");

// The help topic of the printer choice.
constexpr int hilfeDruckerAuswahl = 3005;

QString job()
{
    return rt::Trim(druckJob);
}

QString lesen(const QString& section, const QString& key, const QString& vorgabe)
{
    return foundation::IniLesen(druckerIni, section, key, vorgabe);
}

void schreiben(const QString& section, const QString& key, const QString& value)
{
    foundation::IniSchreiben(druckerIni, section, key, value);
}

// A whole number of the settings, read as a leading number ("x" is 0). A far-off value is held
// at +-1e15: out of range for every list, never an overflow, and never taken for 0 or +-1.
long long zahl(const QString& text)
{
    const double wert = rt::Val(text);
    if (std::isnan(wert))
        return 0;
    return static_cast<long long>(std::nearbyint(std::clamp(wert, -1e15, 1e15)));
}

// Chooses entry index of list; one that the list does not have chooses the first entry.
void waehleEintrag(QComboBox* liste, long long index)
{
    if (index < 0 || index >= liste->count())
        index = 0;
    liste->setCurrentIndex(static_cast<int>(index));
}

// A sheet of paper, for the orientation pictures and the copies.
QPixmap blatt(int breite, int hoehe, int stapel)
{
    const int rand = 2 + 3 * (stapel - 1);
    QPixmap bild(breite + rand + 2, hoehe + rand + 2);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    for (int i = stapel - 1; i >= 0; --i) {
        const QRectF seite(1 + 3 * i + 0.5, 1 + 3 * (stapel - 1 - i) + 0.5, breite, hoehe);
        maler.setPen(QPen(QColor(90, 90, 90), 1));
        maler.setBrush(Qt::white);
        maler.drawRect(seite);
        if (i == 0) {
            maler.setPen(QPen(QColor(150, 150, 150), 1));
            for (double y = seite.top() + 5; y < seite.bottom() - 3; y += 4)
                maler.drawLine(QPointF(seite.left() + 4, y), QPointF(seite.right() - 4, y));
        }
    }
    return bild;
}

QLabel* bildLabel(const QString& name, const QPixmap& bild, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(bild);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QString standardDruckerEintrag()
{
    return QStringLiteral("*** Standard-Drucker ***");
}

PrinterSet::PrinterSet(QWidget* parent) : Form(parent)
{
    setObjectName(QStringLiteral("PrinterSet"));
    setBorderStyle(platform::borderFixedDialog);
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

// --- Building the window ------------------------------------------------------------------

void PrinterSet::createControls()
{
    setWindowTitle(QStringLiteral("Drucken"));

    auto* menuBar = new QMenuBar(this);
    mnuEinstellungenX = menuBar->addMenu(QStringLiteral("&Einstellungen"));
    mnuEinstellungenX->setObjectName(QStringLiteral("mnuEinstellungenX"));
    mnuEinstellungenSave = mnuEinstellungenX->addAction(QStringLiteral("Einstellungen jetzt &sichern"));
    mnuEinstellungenSave->setObjectName(QStringLiteral("mnuEinstellungenSave"));
    mnuEinstellungenAutoPrint =
        mnuEinstellungenX->addAction(QStringLiteral("Diesen &Dialog künftig übergehen"));
    mnuEinstellungenAutoPrint->setObjectName(QStringLiteral("mnuEinstellungenAutoPrint"));
    mnuEinstellungenAutoPrint->setCheckable(true);

    frame6 = new QGroupBox(QStringLiteral("Ausdruck"), this);
    frame6->setObjectName(QStringLiteral("frame6"));
    befOk = new QPushButton(QStringLiteral("&Drucken"), frame6);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);
    befAbbrechen = new QPushButton(QStringLiteral("Abbr&echen"), frame6);
    befAbbrechen->setObjectName(QStringLiteral("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    // The result flag for the caller; the user never needs to see it.
    Abbruch = new QCheckBox(QStringLiteral("Esc"), frame6);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    Abbruch->setVisible(false);

    Frame4 = new QGroupBox(QStringLiteral("Drucker-Auswahl"), this);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    ComboDrucker = new QComboBox(Frame4);
    ComboDrucker->setObjectName(QStringLiteral("ComboDrucker"));
    ComboDrucker->setMinimumContentsLength(28);
    bezDrucker = new QLabel(Frame4);
    bezDrucker->setObjectName(QStringLiteral("bezDrucker"));
    bezDrucker->setWordWrap(true);
    bezDrucker->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bezDrucker->setTextFormat(Qt::PlainText);
    bezDrucker->setMinimumHeight(bezDrucker->fontMetrics().lineSpacing() * 11);
    bezDrucker->setToolTip(QStringLiteral("Doppelklick schaltet die Drucker-Auswahl ein oder aus"));

    frmAnzahl = new QGroupBox(QStringLiteral("Exemplare"), this);
    frmAnzahl->setObjectName(QStringLiteral("frmAnzahl"));
    bezAnzahl = new QLabel(QStringLiteral("An&zahl"), frmAnzahl);
    bezAnzahl->setObjectName(QStringLiteral("bezAnzahl"));
    ComboAnzahl = new QComboBox(frmAnzahl);
    ComboAnzahl->setObjectName(QStringLiteral("ComboAnzahl"));
    bezAnzahl->setBuddy(ComboAnzahl);
    ImageAnzahl = bildLabel(QStringLiteral("ImageAnzahl"), blatt(22, 28, 3), frmAnzahl);

    frmRänder = new QGroupBox(QStringLiteral("Ränder"), this);
    frmRänder->setObjectName(QStringLiteral("frmRänder"));
    bezRandX = new QLabel(QStringLiteral("&Links"), frmRänder);
    bezRandX->setObjectName(QStringLiteral("bezRandX"));
    ComboRandX = new QComboBox(frmRänder);
    ComboRandX->setObjectName(QStringLiteral("ComboRandX"));
    ComboRandX->setToolTip(QStringLiteral("Einstellen des linken Randes des Ausdrucks"));
    bezRandX->setBuddy(ComboRandX);
    bezRandY = new QLabel(QStringLiteral("&Oben"), frmRänder);
    bezRandY->setObjectName(QStringLiteral("bezRandY"));
    ComboRandY = new QComboBox(frmRänder);
    ComboRandY->setObjectName(QStringLiteral("ComboRandY"));
    ComboRandY->setToolTip(QStringLiteral("Einstellen des oberen Randes des Ausdrucks"));
    bezRandY->setBuddy(ComboRandY);

    frmWeiten = new QFrame(frmRänder);
    frmWeiten->setObjectName(QStringLiteral("frmWeiten"));
    Label4 = new QLabel(QStringLiteral("&Breite"), frmWeiten);
    Label4->setObjectName(QStringLiteral("Label4"));
    ComboRandW = new QComboBox(frmWeiten);
    ComboRandW->setObjectName(QStringLiteral("ComboRandW"));
    ComboRandW->setToolTip(QStringLiteral("Einstellen der Breite des Ausdrucks"));
    Label4->setBuddy(ComboRandW);
    Label3 = new QLabel(QStringLiteral("&Höhe"), frmWeiten);
    Label3->setObjectName(QStringLiteral("Label3"));
    ComboRandH = new QComboBox(frmWeiten);
    ComboRandH->setObjectName(QStringLiteral("ComboRandH"));
    ComboRandH->setToolTip(QStringLiteral("Einstellen der Höhe des Ausdrucks"));
    Label3->setBuddy(ComboRandH);
    const QString formatTipp = QStringLiteral(
        "Einstellen von Breite und Höhe auf das entsprechende Format unter Berücksichtigung der "
        "Ränder");
    const std::array<std::pair<int, const char*>, 4> knoepfe{
        {{0, "A4"}, {1, "A5"}, {2, "A6"}, {9, "0"}}};
    for (const auto& [index, text] : knoepfe) {
        auto* knopf = new QPushButton(QString::fromLatin1(text), frmWeiten);
        knopf->setObjectName(QStringLiteral("befRand(%1)").arg(index));
        knopf->setAutoDefault(false);
        knopf->setToolTip(index == 9 ? QStringLiteral("Zurücksetzen der Ränder") : formatTipp);
        befRand[static_cast<std::size_t>(index)] = knopf;
    }

    frmAusrichtung = new QGroupBox(QStringLiteral("Ausrichtung"), this);
    frmAusrichtung->setObjectName(QStringLiteral("frmAusrichtung"));
    optAusrichtung[0] = new QRadioButton(QStringLiteral("H&ochformat"), frmAusrichtung);
    optAusrichtung[1] = new QRadioButton(QStringLiteral("&Querformat"), frmAusrichtung);
    imgAusrichtung[0] = bildLabel(QStringLiteral("imgAusrichtung(0)"), blatt(26, 36, 1),
                                  frmAusrichtung);
    imgAusrichtung[1] = bildLabel(QStringLiteral("imgAusrichtung(1)"), blatt(36, 26, 1),
                                  frmAusrichtung);
    for (std::size_t i = 0; i < 2; ++i)
        optAusrichtung[i]->setObjectName(QStringLiteral("optAusrichtung(%1)").arg(i));

    frmBereich = new QGroupBox(QStringLiteral("Bereich"), this);
    frmBereich->setObjectName(QStringLiteral("frmBereich"));
    optBereich[0] = new QRadioButton(QStringLiteral("&Alles"), frmBereich);
    optBereich[1] = new QRadioButton(QStringLiteral("&Markierung"), frmBereich);
    for (std::size_t i = 0; i < 2; ++i)
        optBereich[i]->setObjectName(QStringLiteral("optBereich(%1)").arg(i));
    optBereich[0]->setChecked(true);

    TimerInit = new QTimer(this);
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setInterval(33);
    TimerAutoPrint = new QTimer(this);
    TimerAutoPrint->setObjectName(QStringLiteral("TimerAutoPrint"));
    TimerAutoPrint->setInterval(750);

    // Disabled in the window's layout until a caller switches them on.
    frmBereich->setEnabled(false);
    frmAusrichtung->setEnabled(false);
    frmWeiten->setEnabled(false);
    frmWeiten->setVisible(false);

    setCancelButton(befAbbrechen);
}

void PrinterSet::layOut()
{
    auto* haupt = new QGridLayout(this);
    haupt->setMenuBar(findChild<QMenuBar*>());
    haupt->setSizeConstraint(QLayout::SetFixedSize);

    auto* drucker = new QVBoxLayout(Frame4);
    drucker->addWidget(ComboDrucker);
    drucker->addWidget(bezDrucker, 1);

    auto* ausdruck = new QVBoxLayout(frame6);
    ausdruck->addWidget(befOk);
    ausdruck->addWidget(befAbbrechen);
    ausdruck->addWidget(Abbruch);
    ausdruck->addStretch(1);

    auto* anzahl = new QGridLayout(frmAnzahl);
    anzahl->addWidget(bezAnzahl, 0, 0);
    anzahl->addWidget(ComboAnzahl, 0, 1);
    anzahl->addWidget(ImageAnzahl, 1, 0, 1, 2);
    anzahl->setRowStretch(2, 1);

    auto* weiten = new QGridLayout(frmWeiten);
    weiten->setContentsMargins(0, 0, 0, 0);
    weiten->addWidget(Label4, 0, 0);
    weiten->addWidget(ComboRandW, 0, 1);
    weiten->addWidget(Label3, 0, 2);
    weiten->addWidget(ComboRandH, 0, 3);
    auto* formate = new QHBoxLayout;
    for (std::size_t index : {0u, 1u, 2u, 9u})
        formate->addWidget(befRand[index]);
    weiten->addLayout(formate, 1, 0, 1, 4);

    auto* raender = new QGridLayout(frmRänder);
    raender->addWidget(bezRandX, 0, 0);
    raender->addWidget(ComboRandX, 0, 1);
    raender->addWidget(bezRandY, 0, 2);
    raender->addWidget(ComboRandY, 0, 3);
    raender->addWidget(frmWeiten, 1, 0, 1, 4);
    raender->setRowStretch(2, 1);

    auto* ausrichtung = new QGridLayout(frmAusrichtung);
    ausrichtung->addWidget(optAusrichtung[0], 0, 0);
    ausrichtung->addWidget(optAusrichtung[1], 1, 0);
    ausrichtung->addWidget(imgAusrichtung[0], 0, 1, 2, 1);
    ausrichtung->addWidget(imgAusrichtung[1], 0, 1, 2, 1);

    auto* bereich = new QVBoxLayout(frmBereich);
    bereich->addWidget(optBereich[0]);
    bereich->addWidget(optBereich[1]);

    haupt->addWidget(Frame4, 0, 0, 1, 2);
    haupt->addWidget(frame6, 0, 2);
    haupt->addWidget(frmAnzahl, 1, 0);
    haupt->addWidget(frmRänder, 1, 1, 1, 2);
    haupt->addWidget(frmAusrichtung, 2, 0, 1, 2);
    haupt->addWidget(frmBereich, 2, 2);
}

void PrinterSet::connectHandlers()
{
    connect(befOk, &QPushButton::clicked, this, &PrinterSet::befOk_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &PrinterSet::befAbbrechen_Click);
    for (std::size_t index : {0u, 1u, 2u, 9u}) {
        connect(befRand[index], &QPushButton::clicked, this,
                [this, index] { befRand_Click(static_cast<int>(index)); });
    }
    connect(ComboDrucker, &QComboBox::activated, this, &PrinterSet::ComboDrucker_Click);
    for (std::size_t index : {0u, 1u}) {
        connect(optAusrichtung[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                optAusrichtung_Click(static_cast<int>(index));
        });
    }
    connect(mnuEinstellungenSave, &QAction::triggered, this,
            &PrinterSet::mnuEinstellungenSave_Click);
    connect(mnuEinstellungenAutoPrint, &QAction::triggered, this,
            &PrinterSet::mnuEinstellungenAutoPrint_Click);
    connect(TimerInit, &QTimer::timeout, this, &PrinterSet::TimerInit_Timer);
    connect(TimerAutoPrint, &QTimer::timeout, this, &PrinterSet::TimerAutoPrint_Timer);
    bezDrucker->installEventFilter(this);
}

bool PrinterSet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == bezDrucker && event->type() == QEvent::MouseButtonDblClick) {
        bezDrucker_DblClick();
        return true;
    }
    return Form::eventFilter(watched, event);
}

// --- Load and unload ------------------------------------------------------------------------

void PrinterSet::Form_Load()
{
    setWindowIcon(QApplication::windowIcon());
    setWindowTitle(QStringLiteral("Drucken - ") + foundation::programmTitel());

    platform::printer().setScaleMode(platform::vbCentimeters);
    fillMarginLists();

    for (int i = 1; i <= 9; ++i)
        ComboAnzahl->addItem(QString::number(i));

    druckerAktiv_ = zahl(lesen(allgemein, keyDruckerEnabled, QStringLiteral("1"))) != 0;
    ComboDrucker->clear();
    if (druckerAktiv_) {
        ComboDrucker->addItem(standardDruckerEintrag());
        for (const platform::PrinterInfo& drucker : platform::printer().Printers())
            ComboDrucker->addItem(drucker.DeviceName);
        ComboDrucker->setCurrentIndex(0);
    } else {
        ComboDrucker->setEnabled(false);
        showPrinterInformation(QStringLiteral("Drucker-Auswahl deaktiviert.\r\n\r\n"
                                              "Hier Doppelklick für Aktivierung."),
                               true);
    }

    if (foundation::nurLesen)
        mnuEinstellungenSave->setEnabled(false);

    optAusrichtung[0]->setChecked(true);
    optAusrichtung_Click(0);
    PresetLoad();
    TimerInit->start();
}

void PrinterSet::fillMarginLists()
{
    platform::PrintSurface& p = platform::printer();
    ComboRandX->clear();
    ComboRandY->clear();
    ComboRandW->clear();
    ComboRandH->clear();
    ComboRandW->addItem(QStringLiteral("---"));
    ComboRandH->addItem(QStringLiteral("---"));
    // Index k of the margin lists and of the size lists (after "---") stands for k tenths of a
    // centimetre, 0.0 to 49.9 cm; a margin list stops below the printable size less 3 cm, but
    // never below 5 cm.
    const auto fill = [](QComboBox* rand, QComboBox* groesse, double bedruckbar) {
        const double grenze = std::max(bedruckbar - 3, 5.0);
        for (int zehntel = 0; zehntel < 500; ++zehntel) {
            const double cm = zehntel / 10.0;
            const QString eintrag = rt::Format(cm, QStringLiteral("0.0")) + QStringLiteral(" cm");
            if (cm < grenze - 1e-9)
                rand->addItem(eintrag);
            if (zehntel > 0)
                groesse->addItem(eintrag);
        }
    };
    fill(ComboRandX, ComboRandW, p.ScaleWidth());
    fill(ComboRandY, ComboRandH, p.ScaleHeight());
    ComboRandX->setCurrentIndex(0);
    ComboRandY->setCurrentIndex(0);
    ComboRandW->setCurrentIndex(0);
    ComboRandH->setCurrentIndex(0);
}

void PrinterSet::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    // The close box cancels the window; the caller unloads it.
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befAbbrechen_Click();
    }
}

void PrinterSet::Form_Unload(bool& /*cancel*/)
{
    TimerInit->stop();
    TimerAutoPrint->stop();
    if (druckerVorher_) {
        DruckerWaehlen(*druckerVorher_);
        druckerVorher_.reset();
    }
}

// --- The job's settings ---------------------------------------------------------------------

void PrinterSet::PresetLoad()
{
    const QString abschnitt = job();
    if (abschnitt.isEmpty())
        return;
    const auto wert = [&abschnitt](const QString& key) {
        return zahl(lesen(abschnitt, key, QStringLiteral("0")));
    };
    optBereich[wert(keyBereich) == 0 ? 0 : 1]->setChecked(true);
    const std::size_t ausrichtung = wert(keyAusrichtung) == 0 ? 0 : 1;
    optAusrichtung[ausrichtung]->setChecked(true);
    optAusrichtung_Click(static_cast<int>(ausrichtung));
    waehleEintrag(ComboRandX, wert(keyRandX));
    waehleEintrag(ComboRandY, wert(keyRandY));
    waehleEintrag(ComboRandW, wert(keyRandW));
    waehleEintrag(ComboRandH, wert(keyRandH));
    waehleEintrag(ComboAnzahl, wert(keyAnzahl));

    if (druckerAktiv_) {
        const QString zuletzt =
            lesen(abschnitt, keyDruckerZuletzt, platform::printer().DeviceName());
        int gewaehlt = -1;
        for (int i = 0; i < ComboDrucker->count(); ++i) {
            if (rt::equalsNoCase(ComboDrucker->itemText(i), zuletzt))
                gewaehlt = i;
        }
        ComboDrucker->setCurrentIndex(gewaehlt >= 0 ? gewaehlt : 0);
        ComboDrucker_Click();
    }

    const bool automatisch = std::abs(wert(keyAutomatisch)) == 1;
    mnuEinstellungenAutoPrint->setChecked(automatisch);
    if (automatisch)
        TimerAutoPrint->start();
}

void PrinterSet::PresetSave()
{
    const QString abschnitt = job();
    if (abschnitt.isEmpty())
        return;
    schreiben(abschnitt, keyDruckerZuletzt, ComboDrucker->currentText());
    schreiben(abschnitt, keyAusrichtung,
              optAusrichtung[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
    schreiben(abschnitt, keyRandX, QString::number(ComboRandX->currentIndex()));
    schreiben(abschnitt, keyRandY, QString::number(ComboRandY->currentIndex()));
    schreiben(abschnitt, keyRandW, QString::number(ComboRandW->currentIndex()));
    schreiben(abschnitt, keyRandH, QString::number(ComboRandH->currentIndex()));
    schreiben(abschnitt, keyAnzahl, QString::number(ComboAnzahl->currentIndex()));
    schreiben(abschnitt, keyLastSave,
              rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy")));
    schreiben(abschnitt, keyLastUser, foundation::Benutzername());
}

// --- What the caller reads ------------------------------------------------------------------

bool PrinterSet::abgebrochen() const
{
    return Abbruch->isChecked();
}

int PrinterSet::anzahl() const
{
    return ComboAnzahl->currentIndex() + 1;
}

double PrinterSet::randLinks() const
{
    return ComboRandX->currentIndex() / 10.0;
}

double PrinterSet::randOben() const
{
    return ComboRandY->currentIndex() / 10.0;
}

double PrinterSet::breite() const
{
    return std::max(ComboRandW->currentIndex(), 0) / 10.0;
}

double PrinterSet::hoehe() const
{
    return std::max(ComboRandH->currentIndex(), 0) / 10.0;
}

bool PrinterSet::hochformat() const
{
    return optAusrichtung[0]->isChecked();
}

// --- Handlers -------------------------------------------------------------------------------

void PrinterSet::befOk_Click()
{
    TimerAutoPrint->stop();
    if (druckerAktiv_ && ComboDrucker->currentIndex() >= 0) {
        const QString gewaehlt = ComboDrucker->currentText();
        const QString aktuell = platform::printer().DeviceName();
        if (gewaehlt != standardDruckerEintrag() && !rt::equalsNoCase(gewaehlt, aktuell)) {
            schreiben(allgemein, keyDruckerLastDefault, aktuell);
            if (!druckerVorher_)
                druckerVorher_ = aktuell;
            DruckerWaehlen(gewaehlt);
        }
    }
    KeepAlive bleibt(*this);
    QCoreApplication::processEvents();
    if (isUnloaded())
        return;
    hide();
}

void PrinterSet::befAbbrechen_Click()
{
    TimerAutoPrint->stop();
    Abbruch->setChecked(true);
    hide();
}

void PrinterSet::befRand_Click(int index)
{
    double breiteMm = 0;
    double hoeheMm = 0;
    switch (index) {
    case 0:
        breiteMm = 210;
        hoeheMm = 297;
        break;
    case 1:
        breiteMm = 148;
        hoeheMm = 210;
        break;
    case 2:
        breiteMm = 105;
        hoeheMm = 148;
        break;
    case 9:
        ComboRandX->setCurrentIndex(0);
        ComboRandY->setCurrentIndex(0);
        ComboRandH->setCurrentIndex(0);
        ComboRandW->setCurrentIndex(0);
        befOk->setFocus();
        return;
    default:
        return;
    }
    double breiteCm = breiteMm / 10 - 1 - ComboRandX->currentIndex() / 10.0;
    double hoeheCm = hoeheMm / 10 - 1 - ComboRandY->currentIndex() / 10.0;
    breiteCm = std::max(breiteCm, 1.0);
    hoeheCm = std::max(hoeheCm, 1.0);
    const auto index10 = [](double cm, const QComboBox* liste) {
        return static_cast<int>(std::min<long>(std::lround(cm * 10), liste->count() - 2));
    };
    ComboRandW->setCurrentIndex(index10(breiteCm, ComboRandW));
    ComboRandH->setCurrentIndex(index10(hoeheCm, ComboRandH));
    befOk->setFocus();
}

void PrinterSet::ComboDrucker_Click()
{
    if (!druckerAktiv_ || ComboDrucker->currentIndex() < 0)
        return;
    platform::PrintSurface& p = platform::printer();
    const auto teile = [](const platform::PrinterInfo& d) {
        return QStringLiteral("Drucker-Name:~") + d.DeviceName + QStringLiteral("~~")
            + QStringLiteral("Drucker-Port:~") + d.Port + QStringLiteral("~~")
            + QStringLiteral("Drucker-Treiber:~") + d.DriverName + QStringLiteral("~~");
    };
    const QString eintrag = ComboDrucker->currentText();
    QString text;
    if (eintrag == standardDruckerEintrag()) {
        text = teile({p.DeviceName(), p.Port(), p.DriverName()})
            + QStringLiteral("~~(derzeitiger Standard-Drucker)");
        if (p.Printers().empty()) {
            text += QStringLiteral("~~Es ist kein Drucker eingerichtet: Der Ausdruck wird als "
                                   "PDF-Datei in diesem Ordner gespeichert.");
        }
    } else {
        for (const platform::PrinterInfo& drucker : p.Printers()) {
            if (drucker.DeviceName == eintrag)
                text += teile(drucker);
        }
    }
    showPrinterInformation(foundation::MeldungAufbereiten(text), false);
}

void PrinterSet::showPrinterInformation(const QString& text, bool grey)
{
    bezDrucker->setText(text);
    QPalette farben = bezDrucker->palette();
    farben.setColor(QPalette::WindowText,
                    grey ? palette().color(QPalette::Disabled, QPalette::WindowText)
                         : palette().color(QPalette::Active, QPalette::WindowText));
    bezDrucker->setPalette(farben);
}

void PrinterSet::bezDrucker_DblClick()
{
    // Decided by the stored setting, read with the default the window's load uses, so that the
    // first double-click switches off the list the window shows, and a second one undoes it.
    const bool aktiv = zahl(lesen(allgemein, keyDruckerEnabled, QStringLiteral("1"))) != 0;
    const platform::HelpTopic hilfe{foundation::hilfeDatei(),
                                    hilfeDruckerAuswahl};
    const int stil = platform::vbInformation | platform::vbMsgBoxHelpButton;
    if (!aktiv) {
        platform::dialogs().msgBox(
            foundation::MeldungAufbereiten(QStringLiteral(
                "Die Druckerauswahl wird beim nächsten Aufruf aktiviert.~~Beachten Sie bitte "
                "auch die Hinweise in der Hilfe.")),
            stil, QStringLiteral("Drucker-Auswahl aktiviert"), hilfe);
        schreiben(allgemein, keyDruckerEnabled, QStringLiteral("1"));
    } else {
        platform::dialogs().msgBox(
            QStringLiteral("Die Druckerauswahl wird beim nächsten Aufruf deaktiviert."), stil,
            QStringLiteral("Drucker-Auswahl deaktiviert"), hilfe);
        schreiben(allgemein, keyDruckerEnabled, QStringLiteral("0"));
    }
}

void PrinterSet::optAusrichtung_Click(int index)
{
    imgAusrichtung[0]->setVisible(index == 0);
    imgAusrichtung[1]->setVisible(index == 1);
}

void PrinterSet::mnuEinstellungenSave_Click()
{
    platform::BusyPointer sanduhr;
    PresetSave();
    KeepAlive bleibt(*this);
    foundation::Warten(0.5f);
}

void PrinterSet::mnuEinstellungenAutoPrint_Click()
{
    // The action's check mark has been reversed by the click already.
    const bool uebergehen = mnuEinstellungenAutoPrint->isChecked();
    if (uebergehen) {
        platform::dialogs().msgBox(
            foundation::MeldungAufbereiten(QStringLiteral(
                "Dieser Dialog wird künftig nicht mehr angezeigt.~~Möchten Sie dennoch einmal "
                "Änderungen vornehmen,~so halten Sie beim Aufrufen der Druck-Funktion die "
                "Shift-Taste gedrückt.")),
            platform::vbInformation, QStringLiteral("Druck-Optionen übergehen"));
    }
    const QString abschnitt = job();
    if (!abschnitt.isEmpty())
        schreiben(abschnitt, keyAutomatisch, uebergehen ? QStringLiteral("1") : QStringLiteral("0"));
}

void PrinterSet::TimerInit_Timer()
{
    TimerInit->stop();
    const auto eigen = [](const QObject* control) {
        return platform::controlEnabled(control).value_or(true);
    };
    if (!eigen(frmBereich) || !eigen(optBereich[1])) {
        frmBereich->setEnabled(false);
        optBereich[1]->setEnabled(false);
    }
    if (!eigen(frmAusrichtung) || !eigen(optAusrichtung[1])) {
        frmAusrichtung->setEnabled(false);
        optAusrichtung[1]->setEnabled(false);
    }
    const bool raender = eigen(frmRänder);
    for (QWidget* teil : {static_cast<QWidget*>(ComboRandX), static_cast<QWidget*>(ComboRandY),
                          static_cast<QWidget*>(bezRandX), static_cast<QWidget*>(bezRandY)})
        teil->setEnabled(raender);
    frmWeiten->setVisible(eigen(frmWeiten));
    const bool anzahl = eigen(frmAnzahl);
    ComboAnzahl->setEnabled(anzahl);
    ImageAnzahl->setEnabled(anzahl);
}

void PrinterSet::TimerAutoPrint_Timer()
{
    TimerAutoPrint->stop();
    if (foundation::ShiftGedrueckt())
        return;
    befOk_Click();
}

} // namespace print
