#include "search/statistics_window.h"

#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/product_info.h"
#include "platform/actions.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/print_surface.h"
#include "platform/screen.h"
#include "platform/text_box.h"
#include "platform/text_file.h"
#include "print/printer_set.h"
#include "print/text_printing.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_index.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/print_footer.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace search {

namespace {

const QString iniJahr1 = QStringLiteral("StatJahr1");
const QString iniJahr2 = QStringLiteral("StatJahr2");
const QString iniProzent = QStringLiteral("Prozent");
const QString iniArt = QStringLiteral("Art");
const QString iniStatProz = QStringLiteral("StatProz");
const QString druckJobName = QStringLiteral("Korvanel_Statistik");
const QString crlf = QStringLiteral("\r\n");
constexpr qint64 schrittAbstand = 300; // ms between two progress steps
constexpr int spalten = 4;
// The column positions of the print, in cm from the left margin.
constexpr std::array<double, spalten> druckSpalten{0, 3, 6, 9};

QString jahrText(qint64 jahr)
{
    return rt::Format(jahr, QStringLiteral("0000"));
}

QString einstellung(const QString& key, const QString& vorgabe)
{
    return foundation::IniLesen({}, {}, key, vorgabe);
}

// A year typed into a combo box: its leading number rounded, raised to erstes and lowered to
// letztes (text that is no number counts as 0).
int jahrAus(const QComboBox* kombi, int erstes, int letztes)
{
    const double wert = std::clamp(rt::Val(kombi->currentText()), static_cast<double>(erstes),
                                   static_cast<double>(letztes));
    return static_cast<int>(std::lround(wert));
}

// A mood value as the export writes it: a whole number as its digits, another in its shortest
// German form.
QString stimmungText(double wert)
{
    if (wert == std::trunc(wert) && std::abs(wert) < 1e15)
        return QString::number(static_cast<qint64>(wert));
    return QString::number(wert, 'g', 15).replace(u'.', u',');
}

// The keys of the diary's section of one mood file, read once: the key in lower case -> its
// value as a settings read gives it (the first line of a key counts). A missing or unreadable
// file has none.
QHash<QString, QString> stimmungsDatei(const QString& pfad)
{
    QHash<QString, QString> werte;
    const std::optional<QString> text = platform::readTextFileOrEmpty(pfad);
    if (!text)
        return werte;
    for (const auto& [key, wert] : platform::ini::sectionOfText(*text, store::korvanelKuerzel)) {
        const QString name = rt::LCase(key);
        if (!werte.contains(name))
            werte.insert(name, wert);
    }
    return werte;
}

} // namespace

Statist::Statist(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Statist"));
    setWindowTitle(QStringLiteral("Statistik"));
    createControls();
    createMenus();
    layOut();
    connectHandlers();
    Form_Load();
}

void Statist::createControls()
{
    const auto name = [](const char* utf8) { return QString::fromUtf8(utf8); };
    Liste = new QTreeWidget(this);
    Liste->setObjectName(name("Liste"));
    Liste->setColumnCount(spalten);
    Liste->setHeaderLabels({name("Jahr"), name("Tage"), name("Zeichen"), name("Pro")});
    Liste->setRootIsDecorated(false);
    Liste->setUniformRowHeights(true);
    Liste->setSortingEnabled(false); // rows stay in the order they were added
    Liste->setAlternatingRowColors(true);
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int spalte = 1; spalte < spalten; ++spalte)
        Liste->headerItem()->setTextAlignment(spalte, Qt::AlignRight | Qt::AlignVCenter);
    Liste->header()->setStretchLastSection(false);
    Liste->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int spalte = 1; spalte < spalten; ++spalte)
        Liste->header()->setSectionResizeMode(spalte, QHeaderView::ResizeToContents);

    Rahmen1 = new QGroupBox(name("Zeit-Intervall"), this);
    Rahmen1->setObjectName(name("Rahmen1"));
    const char* artTexte[] = {"&Gesamt", "&Jahre", "&Monate"};
    for (int i = 0; i < 3; ++i) {
        opt[i] = new QRadioButton(name(artTexte[i]), Rahmen1);
        opt[i]->setObjectName(platform::indexedName(name("opt"), i));
    }
    opt[0]->setChecked(true);

    Rahmen3 = new QGroupBox(name("Bereich"), this);
    Rahmen3->setObjectName(name("Rahmen3"));
    Bezeichnung1 = new QLabel(name("Von"), Rahmen3);
    Bezeichnung1->setObjectName(name("Bezeichnung1"));
    Bezeichnung2 = new QLabel(name("Bis"), Rahmen3);
    Bezeichnung2->setObjectName(name("Bezeichnung2"));
    for (QComboBox** kombi : {&KombiJ1, &KombiJ2}) {
        *kombi = new QComboBox(Rahmen3);
        (*kombi)->setEditable(true);
        (*kombi)->setLineEdit(new platform::LineTextBox(*kombi));
        (*kombi)->setInsertPolicy(QComboBox::NoInsert);
        (*kombi)->setMinimumContentsLength(5);
    }
    KombiJ1->setObjectName(name("KombiJ1"));
    KombiJ2->setObjectName(name("KombiJ2"));
    Bezeichnung1->setBuddy(KombiJ1);
    Bezeichnung2->setBuddy(KombiJ2);

    Rahmen2 = new QGroupBox(name("Prozentangaben"), this);
    Rahmen2->setObjectName(name("Rahmen2"));
    Label1 = new QLabel(name("bezogen auf..."), Rahmen2);
    Label1->setObjectName(name("Label1"));
    optProzent[1] = new QRadioButton(name("&Korvanel"), Rahmen2);
    optProzent[0] = new QRadioButton(name("&Zeit-Intervall"), Rahmen2);
    for (int i = 0; i < 2; ++i)
        optProzent[i]->setObjectName(platform::indexedName(name("optProzent"), i));

    befAbbrechen = new QPushButton(name("Zu&rück"), this);
    befAbbrechen->setObjectName(name("befAbbrechen"));
    befAbbrechen->setAutoDefault(false);
    setCancelButton(befAbbrechen);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(name("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    zeitStart = new QTimer(this);
    zeitStart->setObjectName(name("zeitStart"));
    zeitStart->setInterval(333);
    zeitStart->setSingleShot(true);

    // Each option array is one group of the window, whatever frame it sits in.
    auto* artGruppe = new QButtonGroup(this);
    for (QRadioButton* knopf : opt)
        artGruppe->addButton(knopf);
    auto* prozentGruppe = new QButtonGroup(this);
    for (QRadioButton* knopf : optProzent)
        prozentGruppe->addButton(knopf);
}

void Statist::createMenus()
{
    Menue = new QMenuBar(this);
    Menue->setObjectName(QStringLiteral("Menue"));
    actions = new platform::ActionRegistry(this);
    const auto taste = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };
    const auto name = [](const char* utf8) { return QString::fromUtf8(utf8); };

    QMenu* statistik = actions->addMenu(Menue, name("mnuStatistik"), name("&Statistik"));
    actions->addAction(statistik, name("mnuStatCalc"), name("&Berechnen"), taste("Ctrl+F4"));
    actions->addAction(statistik, name("mnuStatKopieren"), name("&Kopieren"), taste("Ctrl+C"));
    actions->addAction(statistik, name("mnuStatPrint"), name("&Drucken"), taste("Ctrl+P"));
    QMenu* weitere =
        actions->addMenu(statistik, name("mnuMoreStatistik"), name("Weitere &Statistik"));
    actions->addAction(weitere, name("mnuStimmungenKopieren"), name("&Stimmungen exportieren"));
    actions->addSeparator(statistik, name("mnuStatStrich"));
    actions->addAction(statistik, name("mnuEnde"), name("&Zurück"));

    QMenu* bereich = actions->addMenu(Menue, name("mnuBereich"), name("&Bereich"));
    actions->addAction(bereich, name("mnuBereichGesamt"), name("&Gesamt"), taste("Ctrl+G"));
    actions->addSeparator(bereich, name("mnuBereichStrich"));
    actions->addAction(bereich, name("mnuBereichJznt"), name("&Dieses Jahrzehnt"));
    actions->addAction(bereich, name("mnuBereichJzntLast"), name("&Letztes Jahrzehnt"));

    QMenu* setup = actions->addMenu(Menue, name("mnuSetup"), name("&Einstellungen"));
    actions->addAction(setup, name("mnuSetupSpeichern"), name("Jetzt &speichern"));
}

void Statist::layOut()
{
    auto* art = new QVBoxLayout(Rahmen1);
    for (QRadioButton* knopf : opt)
        art->addWidget(knopf);
    art->addStretch();

    auto* jahre = new QGridLayout(Rahmen3);
    jahre->addWidget(Bezeichnung1, 0, 0);
    jahre->addWidget(Bezeichnung2, 0, 1);
    jahre->addWidget(KombiJ1, 1, 0);
    jahre->addWidget(KombiJ2, 1, 1);
    jahre->setRowStretch(2, 1);

    auto* prozent = new QVBoxLayout(Rahmen2);
    prozent->addWidget(Label1);
    prozent->addWidget(optProzent[1]);
    prozent->addWidget(optProzent[0]);
    prozent->addStretch();

    auto* rahmen = new QHBoxLayout;
    rahmen->addWidget(Rahmen1);
    rahmen->addWidget(Rahmen3);
    rahmen->addWidget(Rahmen2);

    auto* unten = new QHBoxLayout;
    unten->addWidget(ProgressBar, 1);
    unten->addStretch();
    unten->addWidget(befAbbrechen);

    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(Menue);
    aussen->addWidget(Liste, 1);
    aussen->addLayout(rahmen);
    aussen->addLayout(unten);
}

void Statist::connectHandlers()
{
    const auto an = [this](const char* name, auto handler) {
        connect(actions->action(QString::fromUtf8(name)), &QAction::triggered, this, handler);
    };
    an("mnuStatCalc", &Statist::mnuStatCalc_Click);
    an("mnuStatKopieren", &Statist::mnuStatKopieren_Click);
    an("mnuStatPrint", &Statist::mnuStatPrint_Click);
    an("mnuStimmungenKopieren", &Statist::mnuStimmungenKopieren_Click);
    an("mnuEnde", &Statist::mnuEnde_Click);
    an("mnuBereichGesamt", &Statist::mnuBereichGesamt_Click);
    an("mnuBereichJznt", &Statist::mnuBereichJznt_Click);
    an("mnuBereichJzntLast", &Statist::mnuBereichJzntLast_Click);
    an("mnuSetupSpeichern", &Statist::mnuSetupSpeichern_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &Statist::befAbbrechen_Click);
    connect(zeitStart, &QTimer::timeout, this, &Statist::zeitStart_Timer);
    connect(KombiJ1, &QComboBox::activated, this, &Statist::KombiJ1_Click);
    connect(KombiJ2, &QComboBox::activated, this, &Statist::KombiJ2_Click);
    for (int i = 0; i < 3; ++i)
        connect(opt[i], &QRadioButton::clicked, this, [this, i] { opt_Click(i); });
    for (int i = 0; i < 2; ++i)
        connect(optProzent[i], &QRadioButton::clicked, this, [this, i] { optProzent_Click(i); });
}

void Statist::Form_Load()
{
    const double twipsX = platform::screen().twipsPerPixelX();
    const double twipsY = platform::screen().twipsPerPixelY();
    // Its design height, or nine tenths of the main window's.
    double hoehe = 4845;
    if (platform::MainPort* main = platform::mainPort()) {
        setWindowIcon(main->icon());
        hoehe = std::max(hoehe, main->geometryTwips().height * 0.9);
    }
    const QSize mindestens = minimumSizeHint();
    resize(std::max(static_cast<int>(5655 / twipsX), mindestens.width()),
           std::max(static_cast<int>(hoehe / twipsY), mindestens.height()));

    StatistikTitelSetzen(1);
    zeitStart->start();

    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    if (tage->empty())
        return;
    const int erstes = tage->front() / 10000;
    const int letztes = tage->back() / 10000;
    for (QComboBox* kombi : {KombiJ1, KombiJ2}) {
        kombi->clear();
        for (int jahr = erstes; jahr <= letztes; ++jahr)
            kombi->addItem(jahrText(jahr));
    }
    KombiJ1->setCurrentIndex(-1);
    KombiJ2->setCurrentIndex(-1);
    KombiJ1->setEditText(rt::Trim(einstellung(iniJahr1, jahrText(erstes))));
    KombiJ2->setEditText(rt::Trim(einstellung(iniJahr2, jahrText(letztes))));

    optProzent[1]->setChecked(true);
    optProzent_Click(1);
    const double prozent = rt::Val(einstellung(iniProzent, QStringLiteral("0")));
    if (prozent == 0 || prozent == 1) {
        optProzent[static_cast<int>(prozent)]->setChecked(true);
        optProzent_Click(static_cast<int>(prozent));
    }
    const double art = rt::Val(einstellung(iniArt, QStringLiteral("0")));
    if (art == 0 || art == 1 || art == 2) {
        opt[static_cast<int>(art)]->setChecked(true);
        opt_Click(static_cast<int>(art));
    }
    StatistikTitelSetzen(1);
}

void Statist::StatistikTitelSetzen(int modus)
{
    const bool frei = modus != 0;
    for (const char* menue : {"mnuStatistik", "mnuBereich", "mnuSetup"})
        actions->setEnabled(QString::fromUtf8(menue), frei);
    if (frei) {
        platform::MainPort* main = platform::mainPort();
        setWindowTitle(QStringLiteral("Statistik für ") + (main != nullptr ? main->caption() : QString())
                       + QStringLiteral(" von ") + KombiJ1->currentText() + QStringLiteral(" bis ")
                       + KombiJ2->currentText());
        unsetCursor();
    } else {
        setWindowTitle(QStringLiteral("Werte Daten aus..."));
        setCursor(Qt::WaitCursor);
    }
    for (QWidget* steuer : std::initializer_list<QWidget*>{Rahmen1, Rahmen2, Rahmen3, KombiJ1,
                                                           KombiJ2})
        steuer->setEnabled(frei);
    for (QRadioButton* knopf : opt)
        knopf->setEnabled(frei);
    for (QRadioButton* knopf : optProzent)
        knopf->setEnabled(frei);
    ProgressBar->setValue(0);
    ProgressBar->setVisible(!frei);
    befAbbrechen->setEnabled(true);
    befAbbrechen->setText(frei ? QStringLiteral("Zu&rück") : QStringLiteral("Abb&rechen"));
}

bool Statist::fortschritt(qint64& naechsterSchritt, qint64 i, qint64 gesamt)
{
    const qint64 jetzt = platform::clock().tick();
    if (jetzt < naechsterSchritt)
        return true;
    ProgressBar->setValue(static_cast<int>(gesamt > 0 ? 100 * i / gesamt : 100));
    if (berechnungLaeuft == 0)
        return false;
    QCoreApplication::processEvents();
    if (isUnloaded() || berechnungLaeuft == 0)
        return false;
    naechsterSchritt = platform::clock().tick() + schrittAbstand;
    return true;
}

void Statist::zeileAnfuegen(const QString& zeile)
{
    auto* eintrag = new QTreeWidgetItem(Liste, zeile.split(u'\t'));
    for (int spalte = 1; spalte < spalten; ++spalte)
        eintrag->setTextAlignment(spalte, Qt::AlignRight | Qt::AlignVCenter);
}

void Statist::mnuStatCalc_Click()
{
    // A start of the timer that falls into a running calculation or export does nothing.
    if (berechnungLaeuft != 0)
        return;
    zeitStart->stop();
    const KeepAlive bleibt(*this);
    StatistikTitelSetzen(0);
    berechnungLaeuft = 1;
    Liste->show();

    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    if (tage->empty()) {
        Liste->clear();
        Liste->hide();
        StatistikTitelSetzen(1);
        berechnungLaeuft = 0;
        return;
    }
    const int erstes = tage->front() / 10000;
    const int letztes = tage->back() / 10000;
    const int j1 = jahrAus(KombiJ1, erstes, letztes);
    const int j2 = std::max(jahrAus(KombiJ2, erstes, letztes), j1);
    KombiJ1->setEditText(jahrText(j1));
    KombiJ2->setEditText(jahrText(j2));

    const std::size_t jahre = static_cast<std::size_t>(letztes - erstes + 1);
    std::vector<std::array<qint64, 13>> anzahlTage(jahre, std::array<qint64, 13>{});
    std::vector<std::array<qint64, 13>> anzahlBytes(jahre, std::array<qint64, 13>{});
    prozentBezug = optProzent[1]->isChecked() ? 1 : 0;
    korrektur = store::kennwortLesen.isEmpty() ? 0 : -40;
    const QString ordner = foundation::ordnerDat + u'/';
    const QString endung = u'.' + store::korvanelKuerzel;
    anzahl = 0;

    const qint64 gesamt = static_cast<qint64>(tage->size());
    qint64 naechsterSchritt = std::numeric_limits<qint64>::min();
    bool abbruch = false;
    for (qint64 i = 1; i <= gesamt; ++i) {
        if (!fortschritt(naechsterSchritt, i, gesamt)) {
            if (isUnloaded())
                return;
            break;
        }
        const qint32 nummer = (*tage)[static_cast<std::size_t>(i - 1)];
        const QString tag = rt::Format(static_cast<qint64>(nummer), QStringLiteral("00000000"));
        const std::size_t jahr = static_cast<std::size_t>(nummer / 10000 - erstes);
        const std::size_t monat = static_cast<std::size_t>(nummer / 100 % 100);
        anzahlTage[jahr][monat] += 1;
        const QFileInfo datei(platform::resolvePath(ordner + tag.left(4) + u'/' + tag + endung));
        if (datei.exists() && !datei.isDir()) {
            anzahlBytes[jahr][monat] += datei.size() + korrektur;
        } else {
            // Deleted meanwhile: its day counts, its size cannot.
            rt::raiseError(rt::ErrFileNotFound, QStringLiteral("Datei nicht gefunden: ")
                                                    + datei.filePath());
            StatistikTitelSetzen(1);
            const int antwort = foundation::FehlerBehandlung(
                rt::ErrFileNotFound, QStringLiteral("Es ist ein Fehler innerhalb der Statistik "
                                                    "aufgetreten."));
            if (isUnloaded())
                return;
            StatistikTitelSetzen(0);
            if (antwort != 5) {
                abbruch = true;
                anzahl += 1;
                break;
            }
        }
        anzahl += 1;
    }
    if (abbruch)
        berechnungLaeuft = 0;

    ProgressBar->setValue(100);
    Liste->clear();
    Liste->headerItem()->setText(3, prozentBezug == 0 ? QStringLiteral("abs %")
                                                      : QStringLiteral("rel %"));
    const auto zeile = [](const QString& erste, qint64 tageZahl, qint64 bytes,
                          const QString& prozent) {
        return erste + u'\t' + QString::number(tageZahl) + u'\t' + QString::number(bytes) + u'\t'
               + prozent;
    };
    const auto prozent = [](qint64 tageZahl, double teiler) {
        return 100.0 * static_cast<double>(tageZahl) / static_cast<double>(static_cast<float>(teiler));
    };
    const auto summe = [&](const std::vector<std::array<qint64, 13>>& tabelle, int jahr) {
        qint64 s = 0;
        for (int m = 1; m <= 12; ++m)
            s += tabelle[static_cast<std::size_t>(jahr - erstes)][static_cast<std::size_t>(m)];
        return s;
    };
    const double alle = static_cast<double>(anzahl);
    if (opt[1]->isChecked()) {
        Liste->headerItem()->setText(0, QStringLiteral("Jahr"));
        for (int y = j1; y <= j2; ++y) {
            const qint64 t = summe(anzahlTage, y);
            const double teiler = prozentBezug == 0 ? textlib::TageImJahr(y) : alle;
            zeileAnfuegen(zeile(jahrText(y), t, summe(anzahlBytes, y),
                                rt::Format(prozent(t, teiler == 0 ? 1 : teiler),
                                           QStringLiteral("0.0"))));
        }
    } else if (opt[2]->isChecked()) {
        Liste->headerItem()->setText(0, QStringLiteral("Jahr / Monat"));
        for (int y = j1; y <= j2; ++y) {
            for (int m = 1; m <= 12; ++m) {
                const auto j = static_cast<std::size_t>(y - erstes);
                const auto mo = static_cast<std::size_t>(m);
                const qint64 t = anzahlTage[j][mo];
                const double teiler = prozentBezug == 0
                                          ? textlib::TageImMonat(rt::DateSerial(y, m, 1))
                                          : alle;
                zeileAnfuegen(zeile(jahrText(y) + QStringLiteral(" / ")
                                        + rt::Format(static_cast<qint64>(m), QStringLiteral("00")),
                                    t, anzahlBytes[j][mo],
                                    rt::Format(prozent(t, teiler == 0 ? 1 : teiler),
                                               QStringLiteral("0.0"))));
            }
        }
    } else {
        Liste->headerItem()->setText(0, QStringLiteral("Bereich"));
        qint64 t = 0;
        qint64 b = 0;
        for (int y = j1; y <= j2; ++y) {
            t += summe(anzahlTage, y);
            b += summe(anzahlBytes, y);
        }
        // The days from the first to the last entry, both counted: two entries on consecutive
        // days span two days, so no share passes 100 %.
        double teiler = alle;
        if (prozentBezug == 0)
            teiler = static_cast<double>(rt::DateDiff(QStringLiteral("d"), store::TagesnummerDatum(tage->front()),
                                                      store::TagesnummerDatum(tage->back())))
                     + 1;
        if (teiler == 0)
            teiler = 1;
        zeileAnfuegen(zeile(jahrText(j1) + u'-' + jahrText(j2), t, b,
                            rt::Format(prozent(t, teiler), QStringLiteral("0.0"))));
    }

    StatistikTitelSetzen(1);
    if (berechnungLaeuft == 0)
        Liste->hide();
    berechnungLaeuft = 0;
}

void Statist::zeitStart_Timer()
{
    zeitStart->stop();
    mnuStatCalc_Click();
}

void Statist::befAbbrechen_Click()
{
    if (berechnungLaeuft != 0) {
        berechnungLaeuft = 0;
        befAbbrechen->setEnabled(false);
        return;
    }
    StatistikTitelSetzen(1);
    zeitStart->stop();
    hide();
}

void Statist::mnuEnde_Click()
{
    befAbbrechen_Click();
}

void Statist::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    befAbbrechen_Click();
}

void Statist::KombiJ1_Click()
{
    zeitStart->start();
}

void Statist::KombiJ2_Click()
{
    zeitStart->start();
}

void Statist::opt_Click(int /*index*/)
{
    zeitStart->start();
}

void Statist::optProzent_Click(int index)
{
    zeitStart->start();
    foundation::IniSchreiben({}, {}, iniStatProz, QString::number(index));
}

void Statist::mnuBereichGesamt_Click()
{
    const store::TageslisteRef tage = store::tagesverzeichnis;
    if (!tage->empty()) {
        KombiJ1->setEditText(jahrText(tage->front() / 10000));
        KombiJ2->setEditText(jahrText(tage->back() / 10000));
    }
    zeitStart->start();
}

void Statist::mnuBereichJznt_Click()
{
    jahrzehntSetzen(0);
}

void Statist::mnuBereichJzntLast_Click()
{
    jahrzehntSetzen(1);
}

void Statist::jahrzehntSetzen(int zurueck)
{
    const int a = 10 * (rt::Year(platform::clock().now()) / 10 - zurueck);
    KombiJ1->setEditText(jahrText(a));
    KombiJ2->setEditText(jahrText(a + 9));
    zeitStart->start();
}

void Statist::mnuSetupSpeichern_Click()
{
    foundation::IniSchreiben({}, {}, iniJahr1, rt::Trim(KombiJ1->currentText()));
    foundation::IniSchreiben({}, {}, iniJahr2, rt::Trim(KombiJ2->currentText()));
    foundation::IniSchreiben({}, {}, iniProzent,
                             optProzent[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
    int art = 0;
    for (int i = 0; i < 3; ++i) {
        if (opt[i]->isChecked())
            art = i;
    }
    foundation::IniSchreiben({}, {}, iniArt, QString::number(art));
}

// ---------------------------------------------------------------------------------------------
// Outputs

QString Statist::listenText() const
{
    QString text;
    for (int spalte = 0; spalte < spalten; ++spalte)
        text += Liste->headerItem()->text(spalte) + u'\t';
    text += crlf;
    for (int i = 0; i < Liste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* eintrag = Liste->topLevelItem(i);
        QStringList zellen;
        for (int spalte = 0; spalte < spalten; ++spalte)
            zellen.append(eintrag->text(spalte));
        text += zellen.join(u'\t') + crlf;
    }
    return text;
}

void Statist::mnuStatKopieren_Click()
{
    platform::BusyPointer sanduhr;
    platform::clipboard().clear();
    platform::clipboard().setText(listenText());
}

void Statist::mnuStatPrint_Click()
{
    if (auto* alt = platform::findForm<print::PrinterSet>())
        alt->unload();
    print::druckJob = druckJobName;
    QPointer<print::PrinterSet> einstellungen = new print::PrinterSet;
    einstellungen->setWindowTitle(einstellungen->windowTitle() + QStringLiteral(", ")
                                  + windowTitle());
    einstellungen->frmAnzahl->setEnabled(false);
    const KeepAlive bleibt(*this);
    einstellungen->showModal();
    QCoreApplication::processEvents();
    if (isUnloaded())
        return;
    if (!einstellungen || einstellungen->isUnloaded())
        return;
    if (einstellungen->abgebrochen()) {
        einstellungen->unload();
        return;
    }

    platform::BusyPointer sanduhr;
    platform::PrintSurface& p = platform::printer();
    p.setFontName(QStringLiteral("Arial"));
    p.setFontName(QStringLiteral("Courier New"));
    p.setScaleMode(platform::vbCentimeters);
    p.setScaleLeft(-einstellungen->randLinks());
    p.setScaleTop(-einstellungen->randOben());

    // A failing printer goes to the error dialog; going on prints the next line, any other
    // answer ends the print.
    const auto geklappt = [](bool ok) {
        if (ok)
            return true;
        return foundation::FehlerBehandlung(rt::Err().number,
                                            QStringLiteral("Es ist ein Fehler beim "
                                                           "Statistik-Drucken aufgetreten."))
               == 5;
    };
    const auto zeileDrucken = [&](const QTreeWidgetItem* eintrag) {
        bool ok = true;
        for (int spalte = 0; spalte < spalten; ++spalte) {
            p.setCurrentX(druckSpalten[static_cast<std::size_t>(spalte)]);
            ok = p.Print(eintrag->text(spalte), platform::LineEnd::No) && ok;
        }
        return p.Print() && ok;
    };

    bool weiter = true;
    p.setFontSize(12);
    p.setFontBold(true);
    weiter = geklappt(p.Print(QStringLiteral(" ")));
    if (weiter) {
        p.setCurrentY(0);
        weiter = geklappt(p.Print(windowTitle()));
    }
    if (weiter) {
        p.setFontSize(10);
        p.setFontBold(false);
        weiter = geklappt(p.Print());
    }
    if (weiter) {
        p.setFontBold(true);
        weiter = geklappt(zeileDrucken(Liste->headerItem()));
        p.setFontBold(false);
    }
    for (int i = 0; weiter && i < Liste->topLevelItemCount(); ++i)
        weiter = geklappt(zeileDrucken(Liste->topLevelItem(i)));
    if (weiter) {
        // The footer's band at the bottom of the page stays free of rows: a list that reaches
        // into it gets the footer on a page of its own.
        if (textlib::FusszeileEingeschaltet()
            && p.CurrentY() + p.TextHeight(QStringLiteral("Ay")) > textlib::FusszeileOben())
            weiter = geklappt(p.NewPage());
    }
    if (weiter)
        textlib::DruckFusszeile(0, false);
    const bool gesendet = p.EndDoc();
    if (!gesendet && weiter)
        geklappt(false);
    if (einstellungen && !einstellungen->isUnloaded())
        einstellungen->unload();
    if (gesendet)
        print::PdfAusgabeMelden();
}

void Statist::mnuStimmungenKopieren_Click()
{
    if (berechnungLaeuft != 0)
        return;
    const KeepAlive bleibt(*this);
    StatistikTitelSetzen(0);
    berechnungLaeuft = 1;

    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    const QHash<QString, QString> alt =
        stimmungsDatei(foundation::ordnerDat + QStringLiteral("/Stimmung.ini"));
    std::map<int, QHash<QString, QString>> jahresDateien;
    QString text;
    const qint64 gesamt = static_cast<qint64>(tage->size());
    qint64 naechsterSchritt = std::numeric_limits<qint64>::min();
    for (qint64 i = 1; i <= gesamt; ++i) {
        if (!fortschritt(naechsterSchritt, i, gesamt)) {
            if (isUnloaded())
                return;
            break;
        }
        const qint32 nummer = (*tage)[static_cast<std::size_t>(i - 1)];
        const int jahr = nummer / 10000;
        auto datei = jahresDateien.find(jahr);
        if (datei == jahresDateien.end())
            datei = jahresDateien
                        .emplace(jahr, stimmungsDatei(foundation::ordnerDat
                                                      + QStringLiteral("/Stimmung") + jahrText(jahr)
                                                      + QStringLiteral(".ini")))
                        .first;
        const QString datum = store::TagesnummerText(nummer);
        const QString jahresWert = datei->second.value(datum);
        const double wert =
            rt::Val(!jahresWert.isEmpty() ? jahresWert : alt.value(datum));
        if (wert != 0)
            text += datum + u'\t' + stimmungText(wert) + crlf;
    }
    ProgressBar->setValue(100);
    platform::clipboard().clear();
    platform::clipboard().setText(text);
    StatistikTitelSetzen(1);
    berechnungLaeuft = 0;
    platform::dialogs().msgBox(QStringLiteral("Die Stimmungs-Daten wurden in die Zwischenablage "
                                              "kopiert"),
                               platform::vbOKOnly | platform::vbInformation,
                               QStringLiteral("Stimmungs-Daten"));
}

} // namespace search
