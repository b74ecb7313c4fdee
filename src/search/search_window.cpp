#include "search/search_window.h"

#include "commands/window_openers.h"
#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/number_format.h"
#include "foundation/window_positions.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"
#include "textlib/list_jobs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace search {

namespace {

const QString fensterName = QStringLiteral("Suche");
const QString iniSuchtyp = QStringLiteral("Suchtyp");
const QString iniSuchrichtung = QStringLiteral("Suchrichtung");
const QString iniSuchcase = QStringLiteral("Suchcase");
const QString iniSuchAtSE = QStringLiteral("SuchAtSE");
const QString iniSucheAktWeiter = QStringLiteral("SucheAktWeiter");
// The panels of the status bar are rewritten at most this often during a run.
constexpr qint64 anzeigeAbstandMs = 200;
constexpr int suchTextGrenze = 1024;

const char* const jahrzehntTexte[] = {"@  &Dieses", "@  &Letztes", "@  &Vorletztes", "@ ",
                                      "@ ",         "@ ",          "@ "};
const char* const typNamen[] = {"0=streng", "1=phonetisch", "2=Mustervergleich"};

QString u8(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

rt::VbDate heute()
{
    return rt::DateOnly(platform::clock().now());
}

int iniZahl(const QString& key)
{
    return static_cast<int>(rt::Val(foundation::IniLesen({}, {}, key, QStringLiteral("0"))));
}

} // namespace

Suchen::Suchen(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Suchen"));
    setWindowTitle(QStringLiteral("Text suchen"));
    createControls();
    createMenus();
    layOut();
    connectHandlers();
    Form_Load();
}

void Suchen::createControls()
{
    SSTab = new QTabWidget(this);
    SSTab->setObjectName(QStringLiteral("SSTab"));
    auto* texte = new QWidget(SSTab);
    auto* optionen = new QWidget(SSTab);
    SSTab->addTab(texte, u8("Such-&Texte"));
    SSTab->addTab(optionen, u8("Such-&Optionen"));

    Label1 = new QLabel(u8("Suche nach Stich&wort..."), texte);
    Label1->setObjectName(QStringLiteral("Label1"));
    Liste = new QComboBox(texte);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setMaxVisibleItems(20);
    Label1->setBuddy(Liste);
    Text = new platform::TextBox(texte);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setMaxLength(suchTextGrenze);
    Text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text->setToolTip(u8("Jede Zeile ist eine Möglichkeit; die Wörter einer Zeile müssen alle im "
                        "Eintrag vorkommen, \"in Anführungszeichen\" gehören sie zusammen."));
    auto* texteLayout = new QVBoxLayout(texte);
    texteLayout->addWidget(Label1);
    texteLayout->addWidget(Liste);
    texteLayout->addWidget(Text, 1);

    RahmRicht = new QGroupBox(u8("Such-Richtung"), optionen);
    RahmRicht->setObjectName(QStringLiteral("RahmRicht"));
    const char* const richtungen[] = {"rü&ckwärts", "&vorwärts"};
    auto* richtungLayout = new QVBoxLayout(RahmRicht);
    for (int i = 0; i < 2; ++i) {
        OptRichtung[i] = new QRadioButton(u8(richtungen[i]), RahmRicht);
        OptRichtung[i]->setObjectName(platform::indexedName(QStringLiteral("OptRichtung"), i));
        richtungLayout->addWidget(OptRichtung[i]);
    }
    richtungLayout->addStretch();
    RahmTyp = new QGroupBox(u8("Such-Typ"), optionen);
    RahmTyp->setObjectName(QStringLiteral("RahmTyp"));
    const char* const typen[] = {"str&eng", "&phonetisch", "&Mustervergleich"};
    auto* typLayout = new QVBoxLayout(RahmTyp);
    for (int i = 0; i < 3; ++i) {
        optSuchTyp[i] = new QRadioButton(u8(typen[i]), RahmTyp);
        optSuchTyp[i]->setObjectName(platform::indexedName(QStringLiteral("optSuchTyp"), i));
        typLayout->addWidget(optSuchTyp[i]);
    }
    typLayout->addStretch();
    RahmOpt = new QGroupBox(u8("Weitere Such-Optionen"), optionen);
    RahmOpt->setObjectName(QStringLiteral("RahmOpt"));
    CheckMsgAtSE = new QCheckBox(u8("&Hinweis bei Eintragsende"), RahmOpt);
    CheckMsgAtSE->setObjectName(QStringLiteral("CheckMsgAtSE"));
    CheckMsgAtSE->setToolTip(
        u8("Gibt einen Hinweis, wenn beim Suchen der letzte Eintrag erreicht wird"));
    CheckNoLcase = new QCheckBox(u8("&Groß-/Kleinschreibung beachten"), RahmOpt);
    CheckNoLcase->setObjectName(QStringLiteral("CheckNoLcase"));
    auto* optLayout = new QVBoxLayout(RahmOpt);
    optLayout->addWidget(CheckMsgAtSE);
    optLayout->addWidget(CheckNoLcase);
    optLayout->addStretch();
    auto* optionenLayout = new QGridLayout(optionen);
    optionenLayout->addWidget(RahmRicht, 0, 0);
    optionenLayout->addWidget(RahmTyp, 0, 1);
    optionenLayout->addWidget(RahmOpt, 1, 0, 1, 2);
    optionenLayout->setRowStretch(2, 1);

    BefSuche = new QPushButton(u8("&Suchen"), this);
    BefSuche->setObjectName(QStringLiteral("BefSuche"));
    BefSuche->setDefault(false);
    BefSuche->setAutoDefault(false);
    BefAbbruch = new QPushButton(u8("Zu&rück"), this);
    BefAbbruch->setObjectName(QStringLiteral("BefAbbruch"));
    BefAbbruch->setAutoDefault(false);
    setCancelButton(BefAbbruch);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    panels = new platform::StatusPanels(StatusBar);
    panels->addPanel(QStringLiteral("Status"), QString(), u8("Allgemeiner Hinweis"),
                     platform::PanelSize::Spring);
    panels->addPanel(QStringLiteral("Sucheintrag"), QString(), u8("Suche in Eintrag..."));
    panels->addPanel(QStringLiteral("Suchzeit"), QString(), u8("Suchzeit"));
    Zeit = new QTimer(this);
    Zeit->setObjectName(QStringLiteral("Zeit"));
    Zeit->setInterval(500);
}

void Suchen::createMenus()
{
    Menue = new QMenuBar(this);
    Menue->setObjectName(QStringLiteral("Menue"));
    actions = new platform::ActionRegistry(this);
    const auto taste = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };

    QMenu* bereich = actions->addMenu(Menue, u8("mnuBereich"), u8("&Bereich"));
    actions->addAction(bereich, u8("mnuBereichGesamt"), u8("&Gesamt"), taste("Ctrl+G"));
    QMenu* jahrzehnt = actions->addMenu(bereich, u8("mnuBereichJzntX"), u8("&Jahrzehnt"));
    const char* const jahrzehntTasten[] = {"F5", "F6", "F7", "F8"};
    for (int i = 0; i < 7; ++i) {
        actions->addAction(jahrzehnt, platform::indexedName(u8("mnuBereichJznt"), i),
                           u8(jahrzehntTexte[i]),
                           i < 4 ? taste(jahrzehntTasten[i]) : QKeySequence());
    }
    QMenu* letzte = actions->addMenu(bereich, u8("mnuBereichLastX"), u8("&Letzten / letztes "));
    const char* const letzteTexte[] = {"31 &Tage", "&Halbes Jahr", "&Jahr"};
    const char* const letzteTasten[] = {"F2", "F3", "F4"};
    for (int i = 0; i < 3; ++i) {
        actions->addAction(letzte, platform::indexedName(u8("mnuBereichLast"), i),
                           u8(letzteTexte[i]), taste(letzteTasten[i]));
    }
    QMenu* einstellungen = actions->addMenu(Menue, u8("mnuEinstellungen"), u8("&Einstellungen"));
    actions->addAction(einstellungen, u8("mnuSetupSave"), u8("Jetzt &sichern"));
}

void Suchen::layOut()
{
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ProgressBar, 1);
    knoepfe->addStretch();
    knoepfe->addWidget(BefSuche);
    knoepfe->addWidget(BefAbbruch);
    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(6, 0, 6, 0);
    aussen->setSpacing(6);
    aussen->setMenuBar(Menue);
    aussen->addWidget(SSTab, 1);
    aussen->addLayout(knoepfe);
    aussen->addWidget(StatusBar);
    resize(440, 340);
}

void Suchen::connectHandlers()
{
    connect(BefSuche, &QPushButton::clicked, this, &Suchen::BefSuche_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Suchen::BefAbbruch_Click);
    connect(Zeit, &QTimer::timeout, this, &Suchen::Zeit_Timer);
    connect(Liste, &QComboBox::activated, this, &Suchen::Liste_Click);
    connect(SSTab, &QTabWidget::currentChanged, this, &Suchen::SSTab_Click);
    for (int i = 0; i < 3; ++i)
        connect(optSuchTyp[i], &QRadioButton::clicked, this, [this, i] { optSuchTyp_Click(i); });
    for (QRadioButton* knopf : OptRichtung)
        knopf->installEventFilter(this);
    connect(actions->action(u8("mnuBereichGesamt")), &QAction::triggered, this,
            &Suchen::mnuBereichGesamt_Click);
    for (int i = 0; i < 7; ++i) {
        connect(actions->action(platform::indexedName(u8("mnuBereichJznt"), i)),
                &QAction::triggered, this, [this, i] { mnuBereichJznt_Click(i); });
    }
    for (int i = 0; i < 3; ++i) {
        connect(actions->action(platform::indexedName(u8("mnuBereichLast"), i)),
                &QAction::triggered, this, [this, i] { mnuBereichLast_Click(i); });
    }
    connect(actions->action(u8("mnuSetupSave")), &QAction::triggered, this,
            &Suchen::mnuSetupSave_Click);
    // Ctrl+A selects the whole query, Ctrl+Enter starts a run; Enter alone begins a new line.
    Text->setKeyDownHandler([this](int& taste, int umschalt) {
        if (umschalt != 2)
            return;
        if (taste == 'A') {
            Text->selectAll();
            taste = 0;
        } else if (taste == 13) {
            taste = 0;
            if (laeuft == 0 && BefSuche->isEnabled())
                BefSuche_Click();
        }
    });
    connect(Text, &platform::TextBox::changed, this, [this] {
        if (laeuft == 0)
            BefSuche->setEnabled(!Text->text().isEmpty());
    });
}

void Suchen::Form_Load()
{
    foundation::Fenster_PosLoad(*this, fensterName);
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    panels->setText(QStringLiteral("Status"), u8("Bereit"));
    SSTab->setCurrentIndex(0);

    Liste->clear();
    textlib::ListeAusDatei(Liste, foundation::ordnerDat + QStringLiteral("/Korvanel.stw"));
    Liste->setCurrentIndex(-1);

    const int jahrzehnt = rt::Year(heute()) / 10 * 10;
    for (int i = 0; i < 7; ++i) {
        QString text = u8(jahrzehntTexte[i]);
        text.replace(u'@', rt::Format(jahrzehnt - 10 * i, QStringLiteral("0000")) + u8("er"));
        actions->action(platform::indexedName(u8("mnuBereichJznt"), i))->setText(text);
    }

    CheckNoLcase->setChecked(iniZahl(iniSuchcase) != 0);
    CheckMsgAtSE->setChecked(iniZahl(iniSuchAtSE) != 0);
    const int richtung = iniZahl(iniSuchrichtung);
    OptRichtung[richtung == 1 ? 1 : 0]->setChecked(true);
    int typ = iniZahl(iniSuchtyp);
    if (typ < 0 || typ > 2)
        typ = 0;
    optSuchTyp[typ]->setChecked(true);
    optSuchTyp_Click(typ);

    mnuBereichGesamt_Click();
    BefSuche->setEnabled(!Text->text().isEmpty());
    Zeit_Timer();
    Zeit->start();
}

void Suchen::titelSetzen()
{
    if (bereichAnfang > bereichErster || bereichEnde < bereichLetzter) {
        setWindowTitle(u8("Textsuche von ") + store::TagesnummerText(bereichAnfang) + u8(" bis ")
                       + store::TagesnummerText(bereichEnde));
    } else {
        setWindowTitle(u8("Textsuche über das gesamte Korvanel"));
    }
}

void Suchen::mnuBereichGesamt_Click()
{
    bereichAnfang = bereichErster;
    bereichEnde = bereichLetzter;
    titelSetzen();
}

void Suchen::mnuBereichJznt_Click(int index)
{
    const int jahr = (rt::Year(heute()) / 10 - index) * 10;
    bereichAnfang = jahr * 10000 + 101;
    bereichEnde = (jahr + 9) * 10000 + 1231;
    titelSetzen();
}

void Suchen::mnuBereichLast_Click(int index)
{
    const rt::VbDate bis = heute();
    rt::VbDate von = bis;
    if (index == 0)
        von = rt::DateAdd(QStringLiteral("d"), -31, bis);
    else if (index == 1)
        von = rt::DateAdd(QStringLiteral("m"), -6, bis);
    else
        von = rt::DateAdd(QStringLiteral("yyyy"), -1, bis);
    bereichAnfang = store::DatumTagesnummer(von);
    bereichEnde = store::DatumTagesnummer(bis);
    titelSetzen();
}

void Suchen::mnuSetupSave_Click()
{
    int typ = 0;
    for (int i = 0; i < 3; ++i) {
        if (optSuchTyp[i]->isChecked())
            typ = i;
    }
    const auto schalter = [](bool an) { return an ? QStringLiteral("1") : QStringLiteral("0"); };
    foundation::IniSchreibenListe({}, {},
                                  {{iniSuchtyp, QString::number(typ)},
                                   {iniSuchrichtung, schalter(OptRichtung[1]->isChecked())},
                                   {iniSuchcase, schalter(CheckNoLcase->isChecked())},
                                   {iniSuchAtSE, schalter(CheckMsgAtSE->isChecked())}});
}

void Suchen::optSuchTyp_Click(int index)
{
    // Phonetic keys know no case.
    if (index == suchTypPhonetisch) {
        CheckNoLcase->setChecked(false);
        CheckNoLcase->setEnabled(false);
    } else {
        CheckNoLcase->setEnabled(true);
    }
}

void Suchen::OptRichtung_DblClick(int index)
{
    // To the last entry day before a backward run, to the first before a forward one.
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    platform::MainPort* main = platform::mainPort();
    if (tage->empty() || main == nullptr)
        return;
    main->setDateCaption(store::TagesnummerText(index == 0 ? tage->back() : tage->front()));
}

void Suchen::SSTab_Click()
{
    if (Text->isVisible())
        Text->setFocus();
}

void Suchen::Liste_Click(int index)
{
    if (index < 0)
        return;
    const QString stichwort = Liste->itemText(index).replace(u'~', u' ');
    Text->setSelText(u8(" \"") + stichwort + u8("\" "));
    Text->setFocus();
}

void Suchen::Zeit_Timer()
{
    if (laeuft != 0)
        return;
    const bool frei = !Text->text().isEmpty();
    if (BefSuche->isEnabled() != frei)
        BefSuche->setEnabled(frei);
    if (commands::suchenWeiter == 1 && BefSuche->isEnabled()) {
        commands::suchenWeiter = 2;
        BefSuche_Click();
    }
}

void Suchen::SuchbegriffeZerlegen()
{
    begriffe_ = search::SuchbegriffeZerlegen(Text->text(), suchTyp, CheckNoLcase->isChecked());
}

qint32 Suchen::EintragPasst(qint32 start, const QString& text) const
{
    return search::EintragPasst(begriffe_, start, text);
}

void Suchen::BefSuche_Click()
{
    if (laeuft != 0)
        return;
    const KeepAlive bleibt(*this);
    laeuft = 1;
    auto sanduhr = std::make_unique<platform::BusyPointer>();
    ProgressBar->setValue(0);
    ProgressBar->show();
    const qint64 beginn = platform::clock().tick();

    const QString suchText = Text->text();
    foundation::DebugLogbuch(u8("[] Suche.Start"));
    foundation::DebugLogbuch(u8("Suche.Text: '") + QString(suchText).replace(u8("\r\n"), u8("^m"))
                             + u'\'');
    panels->setText(QStringLiteral("Status"), u8("Suche läuft..."));
    panels->refresh();

    suchTyp = optSuchTyp[1]->isChecked() ? suchTypPhonetisch
              : optSuchTyp[2]->isChecked() ? suchTypMuster
                                           : suchTypStreng;
    foundation::DebugLogbuch(u8("Suche.Typ: ") + u8(typNamen[suchTyp]));
    SuchbegriffeZerlegen();
    if (!begriffe_.ungueltigeMuster.isEmpty()) {
        // Told once per run; such a term matches no entry, the other lines still count.
        platform::dialogs().msgBox(
            u8("Der Suchbegriff »") + begriffe_.ungueltigeMuster.front()
                + u8("« ist kein gültiges Muster und passt zu keinem Eintrag.\n\nEine Auswahl in "
                     "eckigen Klammern muss mit »]« enden, und ein Bereich wie »[a-z]« muss vom "
                     "kleineren zum größeren Zeichen gehen."),
            platform::vbOKOnly | platform::vbExclamation, u8("Korvanel, Suche"));
        if (isUnloaded())
            return;
    }
    const int richtung = OptRichtung[1]->isChecked() ? 1 : -1;
    foundation::DebugLogbuch(u8("Suche.Richtung: ") + QString::number(richtung));

    qint32 ergebnis = 0;
    QString trefferTag;
    platform::MainPort* main = platform::mainPort();
    // A forward strict run first goes on in the shown entry, behind the caret.
    const bool imGezeigten =
        foundation::IniLesenVorgabe({}, {}, iniSucheAktWeiter, QStringLiteral("1")) == u8("1");
    if (main != nullptr && imGezeigten && richtung == 1 && suchTyp == suchTypStreng) {
        ergebnis = EintragPasst(main->selStart() + 2, main->text());
    }
    if (ergebnis > 0) {
        sanduhr.reset();
        laufBeenden(ergebnis);
        return;
    }

    store::TagesverzeichnisErstellen(true);
    // The index as it stands now: the walk is not disturbed by a rebuild meanwhile.
    const store::TageslisteRef tage = store::tagesverzeichnis;
    const qint32 anzahl = static_cast<qint32>(tage->size());
    if (anzahl < 2) {
        sanduhr.reset();
        ProgressBar->hide();
        panels->setText(QStringLiteral("Status"), u8("Bereit"));
        platform::dialogs().msgBox(u8("Keine Einträge zum Durchsuchen gefunden."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   u8("Korvanel, Suche"));
        laeuft = 0;
        if (!isUnloaded())
            BefAbbruch_Click();
        return;
    }
    // No index day at or after the shown day: the walk starts as from behind the last one.
    const qint32 index = store::tagesIndex < 1 ? anzahl + 1 : store::tagesIndex;
    qint32 position = index + richtung;
    if (position > anzahl)
        position = 1;
    else if (position < 1)
        position = anzahl;

    BefSuche->setEnabled(false);
    RahmRicht->setEnabled(false);
    RahmTyp->setEnabled(false);
    RahmOpt->setEnabled(false);
    BefAbbruch->setText(u8("Abb&rechen"));

    const QString kuerzel = store::korvanelKuerzel;
    QString zuletzt; // the last day examined, "dd.mm.yyyy"
    qint64 naechsteAnzeige = 0;
    qint32 besucht = 0;
    const auto endeFragen = [&](const char* text, const char* titel) {
        if (!CheckMsgAtSE->isChecked())
            return;
        const int antwort = platform::dialogs().msgBox(
            foundation::MeldungAufbereiten(u8(text)), platform::vbOKCancel,
            u8(titel) + zuletzt);
        if (antwort == platform::vbCancel)
            laeuft = 0;
    };
    do {
        const qint32 tag = (*tage)[static_cast<std::size_t>(position - 1)];
        const qint64 jetzt = platform::clock().tick();
        if (jetzt > naechsteAnzeige) {
            naechsteAnzeige = jetzt + anzeigeAbstandMs;
            panels->setText(QStringLiteral("Sucheintrag"),
                            u' ' + rt::Format(store::TagesnummerDatum(tag), QStringLiteral("mm.yyyy")) + u' ');
            panels->setText(QStringLiteral("Suchzeit"),
                            foundation::DauerAlsText(static_cast<double>(jetzt - beginn) / 1000.0, 0));
            panels->refresh();
        }
        ProgressBar->setValue(static_cast<int>(static_cast<qint64>(besucht) * 100 / anzahl));
        if (tag >= bereichAnfang && tag <= bereichEnde) {
            const store::Eintrag eintrag =
                store::EintragLaden(QString::number(tag) + u'.' + kuerzel);
            zuletzt = store::TagesnummerText(tag);
            // An entry that cannot be read matches nothing.
            if (eintrag.zustand == store::Eintrag::Zustand::Geladen) {
                ergebnis = EintragPasst(1, eintrag.text);
                if (ergebnis > 0) {
                    trefferTag = zuletzt;
                    break;
                }
            }
        }
        position += richtung;
        if (position > anzahl) {
            endeFragen("Bei der Suche wurde das Ende der Einträge erreicht.~~Soll weiter gesucht "
                       "werden?",
                       "Suche hat Eintrags-Ende erreicht ");
            position = 1;
        } else if (position < 1) {
            endeFragen("Bei der Suche wurde der Anfang der Einträge erreicht.~~Soll weiter "
                       "gesucht werden?",
                       "Suche hat Eintrags-Anfang erreicht ");
            position = anzahl;
        }
        if (isUnloaded())
            return;
        ++besucht;
        if (besucht >= anzahl)
            break;
        QCoreApplication::processEvents();
        if (isUnloaded())
            return;
    } while (laeuft != 0);

    if (ergebnis > 0 && main != nullptr)
        main->setDateCaption(trefferTag);
    sanduhr.reset();
    if (!isUnloaded())
        laufBeenden(ergebnis);
}

void Suchen::laufBeenden(qint32 ergebnis)
{
    BefSuche->setEnabled(!Text->text().isEmpty());
    BefAbbruch->setEnabled(true);
    RahmRicht->setEnabled(true);
    RahmTyp->setEnabled(true);
    RahmOpt->setEnabled(true);
    if (SSTab->currentIndex() == 0)
        Text->setFocus();
    BefAbbruch->setText(u8("Zu&rück"));
    ProgressBar->hide();
    panels->setText(QStringLiteral("Status"), u8("Suche beendet."));
    panels->setText(QStringLiteral("Sucheintrag"), QString());

    if (laeuft == 1 && ergebnis == 0) {
        platform::dialogs().msgBox(u8("Keinen passenden Eintrag gefunden."),
                                   platform::vbOKOnly | platform::vbInformation,
                                   u8("Korvanel, Eintrag suchen"));
        if (isUnloaded())
            return;
        panels->setText(QStringLiteral("Status"), u8("Suche beendet. Keinen Eintrag gefunden."));
        foundation::DebugLogbuch(u8("Suche.Ende: Kein Treffer"));
    }
    if (ergebnis > 0) {
        if (platform::MainPort* main = platform::mainPort()) {
            main->setSelStart(ergebnis - 1);
            main->setSelLength(suchTyp == suchTypStreng ? 2 : 0);
        }
        foundation::DebugLogbuch(u8("Suche.Ende: Treffer"));
    }
    laeuft = 0;
    if (commands::suchenWeiter == 2 && ergebnis != 0) {
        commands::suchenWeiter = 0;
        BefAbbruch_Click();
    }
}

void Suchen::BefAbbruch_Click()
{
    if (laeuft != 0) {
        laeuft = 0;
        BefAbbruch->setEnabled(false);
        return;
    }
    foundation::Fenster_PosSave(*this, fensterName);
    Text->setFocus();
    SSTab->setCurrentIndex(0);
    hide();
}

void Suchen::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        // The close box is the close action.
        cancel = true;
        BefAbbruch_Click();
    } else if (laeuft != 0 && unloadMode == platform::UnloadMode::Code) {
        // Not in the middle of a run: the run stops after its day, the window stays.
        cancel = true;
        laeuft = 0;
    }
}

void Suchen::showEvent(QShowEvent* event)
{
    platform::Form::showEvent(event);
    // The query can be typed at once.
    if (SSTab->currentIndex() == 0)
        Text->setFocus();
}

bool Suchen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 2; ++i) {
            if (watched == OptRichtung[i] && laeuft == 0) {
                OptRichtung_DblClick(i);
                return true;
            }
        }
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace search
