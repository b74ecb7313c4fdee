#include "views/day_list.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "foundation/window_positions.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/screen.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "print/list_printing.h"
#include "runtime/format.h"
#include "runtime/like.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/mood_marker.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"
#include "textlib/list_jobs.h"
#include "views/selected_line.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace views {

namespace {

const QString datumsFormat = QStringLiteral("dd.mm.yyyy");
const QString titel = QStringLiteral("Tagesliste");
const QString iniAlleTage = QStringLiteral("TgLstAllDay");
const QString fensterName = QStringLiteral("TagesLst");
constexpr int hilfeBereich = 163;

QString datumText(rt::VbDate datum)
{
    return rt::Format(datum, datumsFormat);
}

QString monatJahr(rt::VbDate datum)
{
    return rt::Format(datum, QStringLiteral("mm.yyyy"));
}

rt::VbDate heute()
{
    return rt::DateOnly(platform::clock().now());
}

// The day shown in the main window; today when none is shown.
rt::VbDate angezeigterTag()
{
    return rt::CDate(store::aktDatum).value_or(heute());
}

rt::VbDate monatsAnfang(rt::VbDate datum)
{
    return rt::DateSerial(rt::Year(datum), rt::Month(datum), 1);
}

rt::VbDate monatsEnde(rt::VbDate datum)
{
    return rt::DateSerial(rt::Year(datum), rt::Month(datum), textlib::TageImMonat(datum));
}

// The first 10 characters of a line: its day.
std::optional<rt::VbDate> tagDerZeile(const QString& zeile)
{
    return rt::CDate(rt::Left(zeile, 10));
}

// A relative jump from referenz: the amount is Val of the answer ("+2w" is 2), the unit its last
// character: "y", "j", "a" years, "m" months, "w" weeks of 7 days, "h" hours, "n" minutes, "s"
// seconds, anything else days.
rt::VbDate sprung(const QString& antwort, rt::VbDate referenz)
{
    const QString letztes = rt::LCase(rt::Right(antwort, 1));
    double menge = rt::Val(antwort);
    QString einheit = QStringLiteral("d");
    if (letztes == u"y" || letztes == u"j" || letztes == u"a")
        einheit = QStringLiteral("yyyy");
    else if (letztes == u"m" || letztes == u"h" || letztes == u"n" || letztes == u"s")
        einheit = letztes;
    else if (letztes == u"w")
        menge *= 7;
    return rt::DateAdd(einheit, menge, referenz);
}

} // namespace

Tagesliste::Tagesliste(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Tagesliste"));
    setWindowTitle(titel);
    createControls();
    createMenus();
    layOut();
    connectHandlers();
    Form_Load();
}

void Tagesliste::createControls()
{
    Liste = new QListWidget(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setUniformItemSizes(true);
    Liste->setContextMenuPolicy(Qt::CustomContextMenu);
    kombiSuche = new QComboBox(this);
    kombiSuche->setObjectName(QStringLiteral("kombiSuche"));
    kombiSuche->setEditable(true);
    // A line box of the program's own, so that the window's shortcuts (Ctrl+V, Ctrl+A) win.
    kombiSuche->setLineEdit(new platform::LineTextBox(kombiSuche));
    kombiSuche->setInsertPolicy(QComboBox::NoInsert);
    kombiSuche->setMinimumContentsLength(20);
    kombiSuche->setToolTip(QStringLiteral("Nur Tage zeigen, deren Eintrag diesen Text enthält "
                                          "(* ? # [ ] als Platzhalter)"));
    Bezeichnung3 = new QLabel(QStringLiteral("... als Textfilter verwenden"), this);
    Bezeichnung3->setObjectName(QStringLiteral("Bezeichnung3"));
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(true);
    panels = new platform::StatusPanels(StatusBar);
    panels->addPanel(QStringLiteral("Datum"), QString(), QStringLiteral("Gewählter Tag"));
    panels->addPanel(QStringLiteral("Vor"), QString(), QStringLiteral("Abstand zu heute"));
    panels->addPanel(QStringLiteral("Bereich"), QString(), QStringLiteral("Bereich der Liste"),
                     platform::PanelSize::Spring);
    panels->addPanel(QStringLiteral("Anzahl"), QString(), QStringLiteral("Angezeigte Tage"));
    TimerInit = new QTimer(this);
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setInterval(500);
}

void Tagesliste::createMenus()
{
    Menue = new QMenuBar(this);
    Menue->setObjectName(QStringLiteral("Menue"));
    actions = new platform::ActionRegistry(this);
    const auto taste = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };
    const auto name = [](const char* utf8) { return QString::fromUtf8(utf8); };

    QMenu* liste = actions->addMenu(Menue, name("mnuListe"), name("&Liste"));
    actions->addAction(liste, name("mnuListeAktualisieren"), name("Liste &aktualisieren"),
                       taste("F5"));
    actions->addAction(liste, name("ListePrn"), name("Liste &drucken"), taste("Ctrl+P"));
    actions->addAction(liste, name("ListeZA"), name("Liste in die Zwischenablage &kopieren"));
    actions->addSeparator(liste, name("mnuStrichsda"));
    actions->addAction(liste, name("mnuZurück"), name("&Zurück"), taste("F12"));

    QMenu* bereich = actions->addMenu(Menue, name("mnuBereichHead"), name("&Bereich"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichSet"), 0), name("&Von..."),
                       taste("Ctrl+V"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichSet"), 1), name("&Bis..."),
                       taste("Ctrl+B"));
    actions->addSeparator(bereich, name("Strich2"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichGew"), 0),
                       name("&Gewählter Monat (88.8888)"), taste("Ctrl+M"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichGew"), 1),
                       name("Letzten &3 gewählten Monate (88.8888 bis 88.8888)"));
    actions->addAction(bereich, name("mnuBereichJahr"), name("Das &Jahr..."), taste("Ctrl+J"));
    actions->addSeparator(bereich, name("StrichGewählt"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichAkt"), 0),
                       name("&Aktueller Monat"), taste("Ctrl+A"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichAkt"), 1),
                       name("&Letzten 3 Monate"));
    actions->addSeparator(bereich, name("Strich22"));
    actions->addAction(bereich, name("mnuBerGesamt"), name("&Gesamtes Korvanel"), taste("Ctrl+G"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichAdd"), 0),
                       name("Monat weiter &zurück"), taste("F7"));
    actions->addAction(bereich, platform::indexedName(name("mnuBereichAdd"), 1),
                       name("Monat weiter &vor"), taste("F8"));

    QMenu* optionen = actions->addMenu(Menue, name("mnuOptionen"), name("&Optionen"));
    QAction* alleTage = actions->addAction(optionen, name("mnuAlleTage"),
                                           name("Auch Tage &ohne Eintrag anzeigen"),
                                           taste("Ctrl+O"));
    alleTage->setCheckable(true);
    actions->addAction(optionen, name("mnuMarker"), name("Mar&ker für alle Tage setzen"));
}

void Tagesliste::layOut()
{
    auto* filter = new QHBoxLayout;
    filter->addWidget(kombiSuche, 1);
    filter->addWidget(Bezeichnung3);
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(6, 0, 6, 0);
    aussen->setSpacing(4);
    aussen->setMenuBar(Menue);
    aussen->addWidget(Liste, 1);
    aussen->addLayout(filter);
    aussen->addWidget(ProgressBar);
    aussen->addWidget(StatusBar);
}

void Tagesliste::connectHandlers()
{
    const auto an = [this](const QString& name, auto handler) {
        connect(actions->action(name), &QAction::triggered, this, handler);
    };
    const auto name = [](const char* utf8) { return QString::fromUtf8(utf8); };
    an(name("mnuListeAktualisieren"), &Tagesliste::mnuListeAktualisieren_Click);
    an(name("ListePrn"), &Tagesliste::ListePrn_Click);
    an(name("ListeZA"), &Tagesliste::ListeZA_Click);
    an(name("mnuZurück"), &Tagesliste::mnuZurück_Click);
    an(name("mnuBereichJahr"), &Tagesliste::mnuBereichJahr_Click);
    an(name("mnuBerGesamt"), &Tagesliste::mnuBerGesamt_Click);
    an(name("mnuAlleTage"), &Tagesliste::mnuAlleTage_Click);
    an(name("mnuMarker"), &Tagesliste::mnuMarker_Click);
    for (int i = 0; i < 2; ++i) {
        connect(actions->action(platform::indexedName(name("mnuBereichSet"), i)),
                &QAction::triggered, this, [this, i] { mnuBereichSet_Click(i); });
        connect(actions->action(platform::indexedName(name("mnuBereichGew"), i)),
                &QAction::triggered, this, [this, i] { mnuBereichGew_Click(i); });
        connect(actions->action(platform::indexedName(name("mnuBereichAkt"), i)),
                &QAction::triggered, this, [this, i] { mnuBereichAkt_Click(i); });
        connect(actions->action(platform::indexedName(name("mnuBereichAdd"), i)),
                &QAction::triggered, this, [this, i] { mnuBereichAdd_Click(i); });
    }
    // A line selected by the program runs the click as one selected by the user.
    connect(Liste, &QListWidget::currentRowChanged, this, &Tagesliste::Liste_Click);
    connect(Liste, &QListWidget::itemClicked, this, &Tagesliste::Liste_Click);
    connect(Liste, &QListWidget::itemDoubleClicked, this, &Tagesliste::Liste_DblClick);
    connect(Liste, &QListWidget::customContextMenuRequested, this, [this](const QPoint& wo) {
        actions->menu(QStringLiteral("mnuBereichHead"))->popup(Liste->viewport()->mapToGlobal(wo));
    });
    connect(kombiSuche, &QComboBox::activated, this, &Tagesliste::kombiSuche_Click);
    kombiSuche->installEventFilter(this);
    kombiSuche->lineEdit()->installEventFilter(this);
    connect(TimerInit, &QTimer::timeout, this, &Tagesliste::TimerInit_Timer);
}

void Tagesliste::Form_Load()
{
    platform::MainPort* main = platform::mainPort();
    // As wide as nine tenths of the main window, centred over it, on the screen.
    const double twipsX = platform::screen().twipsPerPixelX();
    const double twipsY = platform::screen().twipsPerPixelY();
    const double bildBreite = platform::screen().widthTwips();
    const double bildHoehe = platform::screen().heightTwips();
    double hoehe = 480 * twipsY;
    double breite = 640 * twipsX;
    double links = 0;
    double oben = 0;
    if (main != nullptr) {
        const platform::TwipsGeometry haupt = main->geometryTwips();
        breite = std::min(haupt.width * 0.9, bildBreite);
        links = haupt.left + (haupt.width - breite) / 2;
        oben = haupt.top + (haupt.height - hoehe) / 2;
        setWindowIcon(main->icon());
    }
    links = std::max(0.0, std::min(links, bildBreite - breite));
    oben = std::max(0.0, std::min(oben, bildHoehe - hoehe));
    moveTwips(links, oben, breite, hoehe);
    foundation::Fenster_PosLoad(*this, fensterName);

    markerFreigeben();
    actions->action(QStringLiteral("mnuAlleTage"))
        ->setChecked(rt::Val(foundation::IniLesen({}, {}, iniAlleTage, QStringLiteral("1"))) != 0);

    kombiSuche->clear();
    textlib::ListeAusDatei(kombiSuche, foundation::ordnerDat + QStringLiteral("/Korvanel.stw"));
    // This day and month in every year.
    const QString tagUndMonat = rt::Left(main != nullptr ? main->dateCaption() : store::aktDatum, 6);
    if (!tagUndMonat.isEmpty())
        kombiSuche->addItem(u'-' + tagUndMonat);
    kombiSuche->setCurrentIndex(-1);
    kombiSuche->clearEditText();

    TimerInit->start();
}

void Tagesliste::markerFreigeben()
{
    bool frei = !foundation::nurLesen;
    if (platform::MainPort* main = platform::mainPort()) {
        if (const platform::ActionRegistry* hauptMenue = platform::ActionRegistry::of(main->widget());
            hauptMenue != nullptr && hauptMenue->action(QStringLiteral("mnuMarker")) != nullptr)
            frei = frei && hauptMenue->isEnabled(QStringLiteral("mnuMarker"));
    }
    actions->setEnabled(QStringLiteral("mnuMarker"), frei);
}

void Tagesliste::TimerInit_Timer()
{
    TimerInit->stop();
    mnuBereichGew_Click(0);
}

void Tagesliste::bereichPruefen()
{
    const rt::VbDate tag = angezeigterTag();
    std::optional<rt::VbDate> von = rt::CDate(bereichVon);
    std::optional<rt::VbDate> bis = rt::CDate(bereichBis);
    if (!von)
        von = rt::DateAdd(QStringLiteral("d"), -10, tag);
    if (!bis)
        bis = rt::DateAdd(QStringLiteral("d"), 10, tag);
    if (*bis < *von)
        von = rt::DateAdd(QStringLiteral("d"), -10, *bis);
    const rt::VbDate erster = rt::DateSerial(1500, 1, 1);
    const rt::VbDate letzter = rt::DateSerial(2200, 12, 31);
    von = std::clamp(rt::DateOnly(*von), erster, letzter);
    bis = std::clamp(rt::DateOnly(*bis), erster, letzter);
    bereichVon = datumText(*von);
    bereichBis = datumText(*bis);
}

void Tagesliste::mnuListeAktualisieren_Click()
{
    if (listeStatus != 0)
        return;
    // The filter is a pattern; one that cannot match is told once, and nothing is built.
    const QString filter = rt::LCase(rt::Trim(kombiSuche->currentText()));
    const QString muster = filter.isEmpty() ? QString() : u'*' + filter + u'*';
    if (!muster.isEmpty() && !textlib::SuchmusterPruefen(filter))
        return;

    const KeepAlive bleibt(*this);
    {
        platform::BusyPointer sanduhr;
        listeStatus = 1;
        klickWartet_ = false;
        foundation::SteuerelementeSperren(*this, false);
        actions->setEnabled(QStringLiteral("mnuListe"), true);
        actions->setEnabled(QStringLiteral("mnuZurück"), true);
        actions->action(QStringLiteral("mnuZurück"))->setText(QStringLiteral("Abb&rechen"));

        ProgressBar->setValue(0);
        ProgressBar->show();
        panels->setText(QStringLiteral("Vor"), QString());
        panels->setText(QStringLiteral("Bereich"), QString());
        panels->setText(QStringLiteral("Anzahl"), QString());
        panels->setText(QStringLiteral("Datum"), QStringLiteral("Lese Daten..."));
        panels->refresh();
        const qint64 beginn = platform::clock().tick();

        bereichPruefen();
        panels->setText(QStringLiteral("Vor"), QStringLiteral(" - "));
        panels->setText(QStringLiteral("Bereich"), QStringLiteral(" vom ") + bereichVon
                                                       + QStringLiteral(" bis zum ") + bereichBis
                                                       + u' ');

        const QString gemerkt =
            gewaehlteZeile(Liste) != nullptr ? rt::Left(gewaehlteZeile(Liste)->text(), 10)
                                             : store::aktDatum;
        const bool alleTage = actions->action(QStringLiteral("mnuAlleTage"))->isChecked();
        Liste->clear();
        int index = 0;

        const rt::VbDate von = *rt::CDate(bereichVon);
        const qint64 tage = std::max<qint64>(
            1, std::llabs(rt::DateDiff(QStringLiteral("d"), von, *rt::CDate(bereichBis))));
        const QString kuerzel = store::korvanelKuerzel;
        const auto anzahlZeigen = [this] {
            const int zeilen = Liste->count();
            panels->setText(QStringLiteral("Anzahl"),
                            u' ' + rt::Format(zeilen, QStringLiteral("#,##0"))
                                + (zeilen == 1 ? QStringLiteral(" Anzeige ")
                                               : QStringLiteral(" Anzeigen ")));
        };
        // The lines found since the window last painted. They go into the list box, the last
        // one selected, whenever the window paints: the box grows by many lines at once, not by
        // one per day, which keeps a build over decades quick.
        QStringList neueZeilen;
        const auto zeilenUebernehmen = [&] {
            if (neueZeilen.isEmpty())
                return;
            Liste->addItems(neueZeilen);
            neueZeilen.clear();
            anzahlZeigen();
            Liste->setCurrentRow(Liste->count() - 1);
        };
        qint64 naechstesPumpen = 0;
        bool voll = false;
        int gefunden = 0;
        for (qint64 i = 0; i <= tage && !voll; ++i) {
            if (platform::clock().tick() > naechstesPumpen) {
                ProgressBar->setValue(static_cast<int>(i * 100 / tage));
                zeilenUebernehmen();
                if (klickWartet_)
                    zeilePanelsZeigen();
                QCoreApplication::processEvents();
                if (isUnloaded())
                    return;
                naechstesPumpen = platform::clock().tick() + 1000;
            }

            const rt::VbDate tag = rt::fromDayAndFraction(rt::dayNumber(von) + i, 0);
            const QString tagText = datumText(tag);
            const store::Eintrag eintrag =
                store::EintragLaden(store::DatumZuTagesnummer(tag) + u'.' + kuerzel);
            // A day that cannot be read is listed with what stands in its way, never as a day
            // without entry.
            const QString text = eintrag.ok() ? eintrag.text : store::EintragLadefehlerText(eintrag);
            if (!text.isEmpty() || alleTage) {
                if (muster.isEmpty()
                    || rt::Like(rt::LCase(text + QStringLiteral(" -") + tagText), muster)) {
                    // A line break takes two characters of the entry and gives one blank.
                    QString kurz = rt::Left(text, 2 * textLaenge);
                    kurz.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
                    neueZeilen.append(tagText + u' ' + rt::Left(kurz, textLaenge));
                    ++gefunden;
                    if (gefunden > zeilenGrenze) {
                        voll = true;
                        zeilenUebernehmen();
                        platform::dialogs().msgBox(
                            QStringLiteral("Die Tagesliste kann maximal 32000 Einträge anzeigen."),
                            platform::vbOKOnly | platform::vbCritical, titel);
                        if (isUnloaded())
                            return;
                    }
                }
            }
            if (tagText == gemerkt)
                index = gefunden - 1;
            if (listeStatus == 2)
                break;
        }
        zeilenUebernehmen();
        if (listeStatus == 2)
            Liste->clear();

        // The remembered day with a few lines after it in view.
        const int zeilen = Liste->count();
        const int bis = std::min(index + 5, zeilen - 1);
        for (int i = std::max(bis - 17, 0); i <= bis; ++i)
            Liste->setCurrentRow(i);
        if (index <= zeilen - 1)
            Liste->setCurrentRow(index);
        ProgressBar->hide();
        if (zeilen == 0) {
            panels->setText(QStringLiteral("Datum"), QStringLiteral("Keine Einträge gefunden..."));
        } else {
            zeilePanelsZeigen();
        }
        klickWartet_ = false;
        panels->refresh();

        foundation::SteuerelementeSperren(*this, true);
        markerFreigeben();
        TimerInit->stop();
        actions->action(QStringLiteral("mnuZurück"))->setText(QStringLiteral("Zu&rück"));
        listeStatus = 0;
        if (platform::clock().tick() - beginn > 30000)
            foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));

        monatsBeschriftungen();
        anzahlZeigen();
        foundation::IniSchreiben({}, {}, iniAlleTage,
                                 alleTage ? QStringLiteral("1") : QStringLiteral("0"));
    }
    Liste->setFocus();
}

void Tagesliste::monatsBeschriftungen()
{
    const rt::VbDate tag = angezeigterTag();
    const rt::VbDate jetzt = heute();
    const QString m = QStringLiteral("m");
    const auto setzen = [this](const QString& name, int index, const QString& text) {
        actions->action(platform::indexedName(name, index))->setText(text);
    };
    setzen(QStringLiteral("mnuBereichGew"), 0,
           QStringLiteral("&Gewählter Monat (") + monatJahr(tag) + u')');
    setzen(QStringLiteral("mnuBereichGew"), 1,
           QStringLiteral("&Letzten 3 gewählten Monate (") + monatJahr(rt::DateAdd(m, -3, tag))
               + QStringLiteral(" bis ") + monatJahr(tag) + u')');
    setzen(QStringLiteral("mnuBereichAkt"), 0,
           QStringLiteral("&Aktueller Monat (") + monatJahr(jetzt) + u')');
    setzen(QStringLiteral("mnuBereichAkt"), 1,
           QStringLiteral("L&etzten 3 Monate (") + monatJahr(rt::DateAdd(m, -3, jetzt))
               + QStringLiteral(" bis ") + monatJahr(jetzt) + u')');
    if (const std::optional<rt::VbDate> von = rt::CDate(bereichVon))
        setzen(QStringLiteral("mnuBereichAdd"), 0,
               QStringLiteral("Monat weiter &zurück (ab ") + monatJahr(rt::DateAdd(m, -1, *von))
                   + u')');
    if (const std::optional<rt::VbDate> bis = rt::CDate(bereichBis))
        setzen(QStringLiteral("mnuBereichAdd"), 1,
               QStringLiteral("Monat weiter &vor (bis ") + monatJahr(rt::DateAdd(m, 1, *bis))
                   + u')');
    const bool gleicherMonat = monatJahr(tag) == monatJahr(jetzt);
    for (const char* name : {"mnuBereichGew(0)", "mnuBereichGew(1)", "StrichGewählt"})
        actions->action(QString::fromUtf8(name))->setVisible(!gleicherMonat);
}

bool Tagesliste::zeilePanelsZeigen()
{
    const QListWidgetItem* zeile = gewaehlteZeile(Liste);
    const std::optional<rt::VbDate> tag =
        zeile != nullptr ? tagDerZeile(zeile->text()) : std::nullopt;
    if (!tag)
        return false;
    panels->setText(QStringLiteral("Datum"),
                    u' ' + textlib::NameVonDatum(rt::Weekday(*tag), QStringLiteral("WT2"))
                        + QStringLiteral(", ") + rt::Format(*tag, QStringLiteral("dd.mm.yyyy ")));
    const qint64 k = rt::DateDiff(QStringLiteral("d"), *tag, heute());
    QString abstand;
    if (k == 1)
        abstand = QStringLiteral("gestern");
    else if (k == 0)
        abstand = QStringLiteral("heute");
    else if (k == -1)
        abstand = QStringLiteral("morgen");
    else
        abstand = (k < 0 ? QStringLiteral("in ") : QStringLiteral("vor "))
                  + textlib::TageAlsText(static_cast<double>(k), QString());
    panels->setText(QStringLiteral("Vor"), u' ' + abstand + u' ');
    return true;
}

void Tagesliste::Liste_Click()
{
    // The lines a build selects as it goes: their panels are shown when the build lets the
    // window paint, and the main window stays where it is.
    if (listeStatus != 0) {
        klickWartet_ = true;
        return;
    }
    if (!zeilePanelsZeigen())
        return;
    if (platform::MainPort* main = platform::mainPort())
        main->setDateCaption(rt::Left(gewaehlteZeile(Liste)->text(), 10));
}

void Tagesliste::Liste_DblClick()
{
    mnuZurück_Click();
}

void Tagesliste::kombiSuche_Click()
{
    mnuListeAktualisieren_Click();
}

void Tagesliste::mnuAlleTage_Click()
{
    // The entry's check mark has been inverted by the click itself.
    mnuListeAktualisieren_Click();
}

void Tagesliste::mnuZurück_Click()
{
    if (listeStatus != 0) {
        listeStatus = 2;
        return;
    }
    foundation::Fenster_PosSave(*this, fensterName);
    hide();
}

void Tagesliste::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    mnuZurück_Click();
}

void Tagesliste::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        mnuZurück_Click();
        return;
    }
    platform::Form::keyPressEvent(event);
}

bool Tagesliste::eventFilter(QObject* watched, QEvent* event)
{
    // The combo box has the focus and hands keys to its line box itself, past the line box's
    // filters: Enter is caught on both.
    if ((watched == kombiSuche || watched == kombiSuche->lineEdit())
        && event->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(event)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            mnuListeAktualisieren_Click();
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Range commands

void Tagesliste::mnuBereichGew_Click(int index)
{
    const rt::VbDate tag = angezeigterTag();
    rt::VbDate von = monatsAnfang(tag);
    if (index == 1)
        von = rt::DateAdd(QStringLiteral("m"), -3, von);
    bereichVon = datumText(von);
    bereichBis = datumText(monatsEnde(tag));
    mnuListeAktualisieren_Click();
}

void Tagesliste::mnuBereichAkt_Click(int index)
{
    const rt::VbDate jetzt = heute();
    rt::VbDate von = monatsAnfang(jetzt);
    if (index == 1)
        von = rt::DateAdd(QStringLiteral("m"), -3, von);
    bereichVon = datumText(von);
    bereichBis = datumText(monatsEnde(jetzt));
    mnuListeAktualisieren_Click();
}

void Tagesliste::mnuBereichJahr_Click()
{
    const rt::VbDate von = rt::CDate(bereichVon).value_or(angezeigterTag());
    const std::optional<QString> antwort = platform::dialogs().inputBox(
        QStringLiteral("Geben Sie ein Jahr an, für das die Tagesliste angezeigt werden soll."),
        QStringLiteral("Jahr der Tagesliste"), rt::Format(von, QStringLiteral("yyyy")),
        platform::HelpTopic{foundation::hilfeDatei(), hilfeBereich});
    if (!antwort || antwort->isEmpty())
        return;
    double jahr = rt::Int(rt::Val(*antwort));
    if (jahr <= 99)
        jahr += 1900;
    jahr = std::clamp(jahr, 1500.0, 2200.0);
    const QString jahrText = rt::Format(jahr, QStringLiteral("0000"));
    bereichVon = QStringLiteral("01.01.") + jahrText;
    bereichBis = QStringLiteral("31.12.") + jahrText;
    mnuListeAktualisieren_Click();
}

void Tagesliste::mnuBerGesamt_Click()
{
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    // A diary without entries has no first and last day: the range stays as it is.
    if (!tage->empty()) {
        bereichVon = datumText(store::TagesnummerDatum(tage->front()));
        bereichBis = datumText(store::TagesnummerDatum(tage->back()));
    }
    mnuListeAktualisieren_Click();
}

void Tagesliste::mnuBereichAdd_Click(int index)
{
    const QString m = QStringLiteral("m");
    if (index == 0) {
        if (const std::optional<rt::VbDate> von = rt::CDate(bereichVon))
            bereichVon = datumText(rt::DateAdd(m, -1, *von));
    } else if (const std::optional<rt::VbDate> bis = rt::CDate(bereichBis)) {
        rt::VbDate ende = rt::DateAdd(m, 1, *bis);
        // An end a few days short of its month's end goes on to that end.
        const int rest = textlib::TageImMonat(ende) - rt::Day(ende);
        if (rest >= 0 && rest <= 4)
            ende = rt::DateAdd(QStringLiteral("d"), rest, ende);
        bereichBis = datumText(ende);
    }
    mnuListeAktualisieren_Click();
}

std::optional<QString> Tagesliste::datumErfragen(int index, const QString& referenzText)
{
    const rt::VbDate referenz = rt::CDate(referenzText).value_or(angezeigterTag());
    const QString vorgabe = datumText(referenz);
    const QString titelBereich = QStringLiteral("Bereich der Tagesliste");
    const platform::HelpTopic hilfe{foundation::hilfeDatei(), hilfeBereich};
    std::optional<QString> antwort = platform::dialogs().inputBox(
        (index == 0 ? QStringLiteral("Geben Sie ein Datum an, ab welchem die Tagesliste beginnen "
                                     "soll oder wählen Sie einen relativen Sprung in Bezug auf den ")
                    : QStringLiteral("Geben Sie ein Datum an, bis wann die Tagesliste gehen soll "
                                     "oder wählen Sie einen relativen Sprung in Bezug auf den "))
            + vorgabe + u'.',
        titelBereich, vorgabe, hilfe);
    while (antwort && !antwort->isEmpty()) {
        QString eingabe = *antwort;
        if (eingabe.startsWith(u'-') || eingabe.startsWith(u'+'))
            eingabe = datumText(sprung(eingabe, referenz));
        if (const std::optional<rt::VbDate> datum = rt::CDate(eingabe))
            return datumText(*datum);
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        antwort = platform::dialogs().inputBox(
            QStringLiteral("Ihre Eingabe »") + eingabe
                + QStringLiteral("« ist kein gültiges Datum!\r\rBitte geben Sie erneut das Datum "
                                 "an, zu welchem Sie wechseln möchten."),
            titelBereich, vorgabe, hilfe);
    }
    return std::nullopt;
}

void Tagesliste::mnuBereichSet_Click(int index)
{
    const std::optional<QString> datum = datumErfragen(index, index == 0 ? bereichVon : bereichBis);
    if (!datum)
        return;
    (index == 0 ? bereichVon : bereichBis) = *datum;
    mnuListeAktualisieren_Click();
}

// ---------------------------------------------------------------------------------------------
// Commands on the finished list

void Tagesliste::ListePrn_Click()
{
    platform::MainPort* main = platform::mainPort();
    print::ListeMitEinstellungenDrucken(Liste, QStringLiteral("Korvanel_Tagesliste"),
                                        windowTitle(), QStringLiteral("Tagesliste, Seite &[Seite]"),
                                        main != nullptr ? main->textFont().family() : QString(),
                                        10);
}

void Tagesliste::ListeZA_Click()
{
    textlib::ListeAlsText(Liste);
}

std::vector<rt::VbDate> Tagesliste::gelisteteTage() const
{
    std::vector<rt::VbDate> tage;
    tage.reserve(static_cast<std::size_t>(Liste->count()));
    for (int i = 0; i < Liste->count(); ++i) {
        if (const std::optional<rt::VbDate> tag = tagDerZeile(Liste->item(i)->text()))
            tage.push_back(*tag);
    }
    return tage;
}

void Tagesliste::mnuMarker_Click()
{
    panels->setText(QStringLiteral("Datum"),
                    QStringLiteral("Alle Einträge in der Tagesliste markern..."));
    panels->refresh();
    const bool gesetzt = store::MarkerSetzen(gelisteteTage(), 1);
    panels->setText(QStringLiteral("Datum"), QStringLiteral("Bereit"));
    if (!gesetzt) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QStringLiteral("Die Marker konnten nicht gesetzt werden: Die "
                                                  "Datei »")
                                       + store::markerDatei()
                                       + QStringLiteral("« lässt sich nicht schreiben."),
                                   platform::vbOKOnly | platform::vbExclamation, titel);
    }
}

} // namespace views
