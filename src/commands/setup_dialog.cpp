#include "commands/setup_dialog.h"

#include "commands/diary_commands.h"
#include "commands/tab_columns.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/font_text.h"
#include "foundation/ini_store.h"
#include "foundation/picture_types.h"
#include "foundation/product_info.h"
#include "foundation/settings_commands.h"
#include "foundation/ui_services.h"
#include "foundation/user_identity.h"
#include "mainwindow/main_state.h"
#include "platform/check_box.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/path_resolver.h"
#include "runtime/dates.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_texts.h"
#include "store/diary_title.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace commands {

const std::array<TextverarbeitungsBefehl, 6> textverarbeitungsBefehle = {{
    {"AllesMarkieren", "Alles markieren", "{Esc}^a; Word"},
    {"Ausschneiden", "Ausschneiden", "^x; Word"},
    {"Kopieren", "Kopieren", "^c; Word"},
    {"Einfuegen", "Einfügen", "^v; Word"},
    {"Rechtschreibpruefung", "Rechtschreibprüfung", "{F7}; Word"},
    {"Beenden", "Programm beenden", "{Esc}%dbn; Word"},
}};

namespace {

// The program's own settings: Brisol.ini, section [Korvanel] (the empty names).
const QString abschnittTextverarbeitung = QStringLiteral("Textverarbeitung");
const QString schluesselAuswahl = QString::fromUtf8("AuswahlÖffnen");
const QString schluesselName = QStringLiteral("KorvanelName");
const QString schluesselAutosave = QStringLiteral("Autosave");
const QString schluesselKWmemo = QStringLiteral("KWMemoImRam");
const QString schluesselDrDrCls = QStringLiteral("DragDropCls");
const QString schluesselDblClickIgn = QStringLiteral("DblClickIgn");
const QString schluesselMin2Tray = QStringLiteral("Min2Tray");
const QString schluesselWordButtons = QStringLiteral("WordButtons");
const QString schluesselPrgExe = QStringLiteral("PrgExe");
// The open diary's settings: Korvanel.ini of the data folder, its short name as section.
const QString schluesselHintergrundbild = QStringLiteral("Hintergrundbild");
const QString schluesselSchrift = QStringLiteral("Schrift");
const QString schluesselBackCol = QStringLiteral("SchriftBackCol");
const QString schluesselBezugDatum = QStringLiteral("BezugDatum");
const QString schluesselBezugText = QStringLiteral("BezugText");

constexpr int hinweisLaenge = 25;
// The sizes the diary's font may take, in points.
constexpr int schriftMin = 4;
constexpr int schriftMax = 25;
constexpr int autosaveHoechstens = 60;
constexpr int hilfeThemaTextverarbeitung = 4004;
constexpr int tastenCodeF1 = 112;
constexpr int umschaltStrg = 2;
// How strongly the font follows the window's width (see the main window's layout).
constexpr int fontAutoSizeMin = 10;
constexpr int fontAutoSizeMax = 50;
// The first tab stop of the diary list, in dialog units.
constexpr int namenTabStopp = 24;

QString programmIni(const QString& schluessel, const QString& vorgabe)
{
    return foundation::IniLesen({}, {}, schluessel, vorgabe);
}

void programmIniSchreiben(const QString& schluessel, const QString& wert)
{
    foundation::IniSchreiben({}, {}, schluessel, wert);
}

QString korvanelIniLesen(const QString& schluessel)
{
    return foundation::IniLesen(mainwindow::korvanelIni, store::korvanelKuerzel, schluessel);
}

QString korvanelIniSchreiben(const QString& schluessel, const QString& wert)
{
    return foundation::IniSchreiben(mainwindow::korvanelIni, store::korvanelKuerzel, schluessel,
                                    wert);
}

// A check box from a stored value: unticked for 0, else ticked.
void ankreuzen(QCheckBox* box, const QString& wert)
{
    platform::setCheckBoxValue(*box, rt::Val(wert) == 0 ? 0 : 1);
}

QString wertVon(const QCheckBox* box)
{
    return QString::number(platform::checkBoxValue(*box));
}

QCheckBox* kontrollkaestchen(const char* name, const char* text, QWidget* eltern)
{
    auto* box = new QCheckBox(QString::fromUtf8(text), eltern);
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

QPushButton* knopf(const char* name, const char* text, QWidget* eltern)
{
    auto* befehl = new QPushButton(QString::fromUtf8(text), eltern);
    befehl->setObjectName(QString::fromUtf8(name));
    befehl->setAutoDefault(false);
    return befehl;
}

QLabel* beschriftung(const QString& text, QWidget* eltern, const char* name = nullptr)
{
    auto* label = new QLabel(text, eltern);
    if (name)
        label->setObjectName(QString::fromUtf8(name));
    label->setWordWrap(true);
    return label;
}

// A folder and a file name as a chooser's start: the file's own folder, else the fallback.
QString startVon(const QString& pfad, const QString& ersatzOrdner)
{
    if (rt::Trim(pfad).isEmpty())
        return ersatzOrdner;
    const QString ordner = foundation::PfadTeil(pfad, -1);
    const QString name = foundation::PfadTeil(pfad, 3);
    return ordner.isEmpty() ? name : ordner + u'/' + name;
}

} // namespace

Setup::Setup(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

void Setup::createControls()
{
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto* lokal = new QWidget;
    auto* global = new QWidget;
    auto* textverarbeitung = new QWidget;
    SSTab1->addTab(lokal, QStringLiteral("Lokales"));
    SSTab1->addTab(global, QStringLiteral("Globales"));
    SSTab1->addTab(textverarbeitung, QStringLiteral(" Textverarbeitung"));

    // "Lokales"
    LabelLokal = beschriftung(QStringLiteral("Lokale Einstellungen gelten für das aktuelle Korvanel"),
                              lokal, "LabelLokal");
    auto* rahmenLokal = new QGroupBox(QStringLiteral("Funktionen ein- und ausschalten"), lokal);
    rahmenLokal->setObjectName(QStringLiteral("rahmenLokal"));
    strgStimmung = kontrollkaestchen("strgStimmung", "Stimmungs&barometer", rahmenLokal);
    rahmenAlter = new QGroupBox(QStringLiteral("Altersangabe"), lokal);
    rahmenAlter->setObjectName(QStringLiteral("rahmenAlter"));
    txtBezugD = new QLineEdit(rahmenAlter);
    txtBezugD->setObjectName(QStringLiteral("txtBezugD"));
    txtBezugT = new QComboBox(rahmenAlter);
    txtBezugT->setObjectName(QStringLiteral("txtBezugT"));
    txtBezugT->setEditable(true);
    txtBezugT->setInsertPolicy(QComboBox::NoInsert);
    auto* rahmenSchrift = new QGroupBox(QStringLiteral("Schrift und Farbe"), lokal);
    rahmenSchrift->setObjectName(QStringLiteral("rahmenSchrift"));
    befSchrift = knopf("befSchrift", "&Schrift und Vordergrundfarbe...", rahmenSchrift);
    befBackColor = knopf("befBackColor", "&Hintergrundfarbe...", rahmenSchrift);
    txtBackPic = new QLineEdit(rahmenSchrift);
    txtBackPic->setObjectName(QStringLiteral("txtBackPic"));
    befBackPic = knopf("befBackPic", "...", rahmenSchrift);
    befBackPic->setToolTip(QString::fromUtf8("Hintergrundbild wählen"));

    // "Globales"
    Label1 = beschriftung(QString::fromUtf8("Globale Einstellungen gelten für alle Korvanele"),
                          global, "Label1");
    auto* rahmenGlobal = new QGroupBox(QStringLiteral("Funktionen ein- und ausschalten"), global);
    rahmenGlobal->setObjectName(QStringLiteral("rahmenGlobal"));
    strgMin2Tray = kontrollkaestchen("strgMin2Tray", "Minimieren ins Tray", rahmenGlobal);
    strgMin2Tray->setToolTip(
        QStringLiteral("Minimiertes Programm nicht in der Taskleiste sondern im Tray anzeigen"));
    strgDblClickIgn = kontrollkaestchen("strgDblClickIgn", "Doppelklick ignorieren", rahmenGlobal);
    strgDrDrCls = kontrollkaestchen("strgDrDrCls", "Drag'n'Drop &löscht/verschiebt Text",
                                    rahmenGlobal);
    strgKWmemo = kontrollkaestchen("strgKWmemo", "Kennworte &zwischenspeichern", rahmenGlobal);
    strgAutoformat = kontrollkaestchen("strgAutoformat", "Text nach&formatieren", rahmenGlobal);
    SliderAutoSave = new QSlider(Qt::Horizontal, rahmenGlobal);
    SliderAutoSave->setObjectName(QStringLiteral("SliderAutoSave"));
    SliderAutoSave->setRange(0, autosaveHoechstens);
    SliderAutoSave->setSingleStep(1);
    SliderAutoSave->setPageStep(5);
    SliderAutoSave->setTickPosition(QSlider::TicksBelow);
    SliderAutoSave->setTickInterval(5);
    Bezeichnung6 = beschriftung(QString(), rahmenGlobal, "Bezeichnung6");
    Bezeichnung6->setWordWrap(false);
    Bezeichnung6->setMinimumWidth(Bezeichnung6->fontMetrics().horizontalAdvance(
        QStringLiteral("ausgeschaltet__")));
    auto* rahmenStart = new QGroupBox(QStringLiteral("Beim Programmstart..."), global);
    rahmenStart->setObjectName(QStringLiteral("rahmenStart"));
    befDelZuletzt = knopf("befDelZuletzt", "Liste der letzten Korvanele löschen", rahmenStart);
    befDelZuletzt->setToolTip(QStringLiteral("Liste der zuletzt benutzten Korvanele löschen"));
    StrgAuswahl = kontrollkaestchen("StrgAuswahl", "Korvanelaus&wahl anzeigen...", rahmenStart);
    ListeNamen = new QListWidget(rahmenStart);
    ListeNamen->setObjectName(QStringLiteral("ListeNamen"));
    ListeNamen->setItemDelegate(new TabSpalten(namenTabStopp, ListeNamen));
    auto* rahmenGroesse = new QGroupBox(QString::fromUtf8("Schriftgröße"), global);
    rahmenGroesse->setObjectName(QStringLiteral("rahmenGroesse"));
    strgFontAutoSize = kontrollkaestchen("strgFontAutoSize", "Schriftgröße &automatisch anpassen",
                                         rahmenGroesse);
    laufFontAutoSize = new QScrollBar(Qt::Horizontal, rahmenGroesse);
    laufFontAutoSize->setObjectName(QStringLiteral("laufFontAutoSize"));
    laufFontAutoSize->setRange(fontAutoSizeMin, fontAutoSizeMax);
    laufFontAutoSize->setSingleStep(1);
    laufFontAutoSize->setPageStep(5);

    // " Textverarbeitung"
    Label4 = beschriftung(QStringLiteral("Externe Textverarbeitung anmelden"), textverarbeitung,
                          "Label4");
    QFont fett = Label4->font();
    fett.setBold(true);
    Label4->setFont(fett);
    Label2 = beschriftung(QString::fromUtf8("Schon die Alternative »Rechtschreibprüfung mit Word« "
                                            "ausprobiert? Für weitere Hinweise, hier doppelt "
                                            "klicken."),
                          textverarbeitung, "Label2");
    Label2->setCursor(Qt::WhatsThisCursor);
    auto* rahmenTasten = new QGroupBox(QString::fromUtf8("Tastatur-Befehl für..."), textverarbeitung);
    rahmenTasten->setObjectName(QStringLiteral("rahmenTasten"));
    for (std::size_t i = 0; i < textverarbeitungsBefehle.size(); ++i) {
        const QString index = QStringLiteral("(%1)").arg(i);
        bezTVOrder[i] = beschriftung(QString::fromUtf8(textverarbeitungsBefehle[i].bezeichnung),
                                     rahmenTasten);
        bezTVOrder[i]->setObjectName(QStringLiteral("bezTVOrder") + index);
        bezTVOrder[i]->setWordWrap(false);
        comboTVOrder[i] = new QComboBox(rahmenTasten);
        comboTVOrder[i]->setObjectName(QStringLiteral("comboTVOrder") + index);
        comboTVOrder[i]->setEditable(true);
        comboTVOrder[i]->setInsertPolicy(QComboBox::NoInsert);
        platform::setTag(comboTVOrder[i], QString::fromUtf8(textverarbeitungsBefehle[i].schluessel));
    }
    bezTVHinweis = beschriftung(
        QString::fromUtf8("Korvanel sendet keine Tastenfolgen an andere Programme: Der Eintrag "
                          "wird der Textverarbeitung als Datei übergeben und nach dem Speichern "
                          "von dort zurückgeholt. Die Tastenfolgen werden nur gespeichert."),
        textverarbeitung, "bezTVHinweis");
    befTVanmelden = knopf("befTVanmelden", "&Textverarbeitung anmelden...", textverarbeitung);
    StrgWordButtons = kontrollkaestchen(
        "StrgWordButtons",
        "Button für Rechtschreibprüfung mit Word 9 (2000), 10 (2002) oder 11 (2003) aktivieren",
        textverarbeitung);

    befOk = new QPushButton(QStringLiteral("OK"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);
}

void Setup::layOut()
{
    // "Lokales"
    QWidget* lokal = SSTab1->widget(0);
    auto* funktionenLokal = new QVBoxLayout(strgStimmung->parentWidget());
    funktionenLokal->addWidget(strgStimmung);
    auto* alter = new QGridLayout(rahmenAlter);
    alter->addWidget(beschriftung(QStringLiteral("Bezugsdatum, z. B. Ihr Geburtstag"), rahmenAlter),
                     0, 0);
    alter->addWidget(txtBezugD, 0, 1);
    alter->addWidget(
        beschriftung(QString::fromUtf8("Hinweistext, verwenden Sie * als Platzhalter für die "
                                       "Zeitangabe."),
                     rahmenAlter),
        1, 0);
    alter->addWidget(txtBezugT, 1, 1);
    alter->setColumnStretch(0, 1);
    alter->setColumnStretch(1, 1);
    auto* schrift = new QGridLayout(befSchrift->parentWidget());
    schrift->addWidget(befSchrift, 0, 0);
    schrift->addWidget(befBackColor, 0, 1);
    schrift->addWidget(beschriftung(QStringLiteral("Hintergrundbild"), befSchrift->parentWidget()),
                       1, 0, 1, 2);
    auto* bild = new QHBoxLayout;
    bild->addWidget(txtBackPic, 1);
    bild->addWidget(befBackPic);
    schrift->addLayout(bild, 2, 0, 1, 2);
    auto* seiteLokal = new QVBoxLayout(lokal);
    seiteLokal->addWidget(LabelLokal);
    seiteLokal->addWidget(strgStimmung->parentWidget());
    seiteLokal->addWidget(rahmenAlter);
    seiteLokal->addWidget(befSchrift->parentWidget());
    seiteLokal->addStretch();

    // "Globales"
    QWidget* global = SSTab1->widget(1);
    auto* funktionen = new QGridLayout(strgMin2Tray->parentWidget());
    funktionen->addWidget(strgMin2Tray, 0, 0);
    funktionen->addWidget(strgDblClickIgn, 0, 1);
    funktionen->addWidget(strgDrDrCls, 1, 0);
    funktionen->addWidget(strgKWmemo, 1, 1);
    funktionen->addWidget(strgAutoformat, 2, 0);
    auto* sichern = new QHBoxLayout;
    sichern->addWidget(
        beschriftung(QStringLiteral("Automatisches Sichern nach"), strgMin2Tray->parentWidget()));
    sichern->addWidget(SliderAutoSave, 1);
    sichern->addWidget(Bezeichnung6);
    funktionen->addLayout(sichern, 3, 0, 1, 2);
    auto* start = new QGridLayout(StrgAuswahl->parentWidget());
    start->addWidget(befDelZuletzt, 0, 0, 1, 2, Qt::AlignLeft);
    start->addWidget(StrgAuswahl, 1, 0, Qt::AlignTop);
    auto* startenMit = new QVBoxLayout;
    startenMit->addWidget(beschriftung(QStringLiteral("...oder starten mit:"),
                                       StrgAuswahl->parentWidget()));
    startenMit->addWidget(ListeNamen, 1);
    start->addLayout(startenMit, 1, 1);
    start->setColumnStretch(1, 1);
    ListeNamen->setMinimumHeight(ListeNamen->fontMetrics().lineSpacing() * 3);
    auto* groesse = new QGridLayout(strgFontAutoSize->parentWidget());
    groesse->addWidget(strgFontAutoSize, 0, 0, 1, 3);
    groesse->addWidget(beschriftung(QStringLiteral("kleiner"), strgFontAutoSize->parentWidget()),
                       1, 0);
    groesse->addWidget(laufFontAutoSize, 1, 1);
    groesse->addWidget(beschriftung(QString::fromUtf8("größer"), strgFontAutoSize->parentWidget()),
                       1, 2);
    groesse->setColumnStretch(1, 1);
    auto* seiteGlobal = new QVBoxLayout(global);
    seiteGlobal->addWidget(Label1);
    seiteGlobal->addWidget(strgMin2Tray->parentWidget());
    seiteGlobal->addWidget(StrgAuswahl->parentWidget(), 1);
    seiteGlobal->addWidget(strgFontAutoSize->parentWidget());

    // " Textverarbeitung"
    QWidget* textverarbeitung = SSTab1->widget(2);
    auto* tasten = new QGridLayout(comboTVOrder[0]->parentWidget());
    for (std::size_t i = 0; i < comboTVOrder.size(); ++i) {
        tasten->addWidget(bezTVOrder[i], static_cast<int>(i), 0);
        tasten->addWidget(comboTVOrder[i], static_cast<int>(i), 1);
    }
    tasten->setColumnStretch(1, 1);
    auto* seiteText = new QVBoxLayout(textverarbeitung);
    seiteText->addWidget(Label4);
    seiteText->addWidget(Label2);
    seiteText->addWidget(comboTVOrder[0]->parentWidget());
    seiteText->addWidget(bezTVHinweis);
    seiteText->addWidget(befTVanmelden, 0, Qt::AlignLeft);
    seiteText->addWidget(StrgWordButtons);
    seiteText->addStretch();

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(befOk);
    auto* aussen = new QVBoxLayout(this);
    aussen->addWidget(SSTab1, 1);
    aussen->addLayout(knoepfe);
    befOk->setMinimumWidth(befOk->fontMetrics().averageCharWidth() * 12);
    setMinimumWidth(fontMetrics().averageCharWidth() * 78);
}

void Setup::connectHandlers()
{
    connect(befOk, &QPushButton::clicked, this, &Setup::befOk_Click);
    connect(ListeNamen, &QListWidget::currentRowChanged, this, [this](int zeile) {
        if (zeile >= 0)
            ListeNamen_Click();
    });
    connect(ListeNamen, &QListWidget::itemDoubleClicked, this, &Setup::ListeNamen_DblClick);
    connect(StrgAuswahl, &QCheckBox::clicked, this, &Setup::StrgAuswahl_Click);
    connect(SliderAutoSave, &QSlider::valueChanged, this, &Setup::SliderAutoSave_Change);
    connect(strgFontAutoSize, &QCheckBox::clicked, this, &Setup::strgFontAutoSize_Click);
    connect(befBackColor, &QPushButton::clicked, this, &Setup::befBackColor_Click);
    connect(befSchrift, &QPushButton::clicked, this, &Setup::befSchrift_Click);
    connect(befBackPic, &QPushButton::clicked, this, &Setup::befBackPic_Click);
    connect(befTVanmelden, &QPushButton::clicked, this, &Setup::befTVanmelden_Click);
    connect(befDelZuletzt, &QPushButton::clicked, this, &Setup::befDelZuletzt_Click);
    Label2->installEventFilter(this);
    // Keys reach the window first, whichever control has the focus.
    installEventFilter(this);
    for (QWidget* kind : findChildren<QWidget*>())
        kind->installEventFilter(this);
}

void Setup::Form_Load()
{
    const platform::MainPort* main = platform::mainPort();
    if (main)
        setWindowIcon(main->icon());

    // The diaries of the data folder that have a title.
    ListeNamen->clear();
    for (const QString& datei : platform::listFolder(foundation::ordnerDat, QStringLiteral("Info.*"))) {
        const QString endung = rt::LCase(rt::Left(foundation::PfadTeil(datei, 2)
                                                      + QStringLiteral("    "),
                                                  3));
        QString name = rt::UCase(endung.left(1)) + endung.mid(1);
        const QString titel = store::KorvanelTitelLesen(name, store::titelNurLesen);
        if (!titel.isEmpty())
            ListeNamen->addItem(name + QStringLiteral(" \t") + titel);
    }

    ankreuzen(StrgAuswahl, programmIni(schluesselAuswahl, QStringLiteral("0")));
    const auto& haupt = hauptfenster();
    platform::setCheckBoxValue(*strgStimmung,
                               haupt.StimmungSichtbar && haupt.StimmungSichtbar() ? 1 : 0);
    const double minuten = std::fabs(std::floor(rt::Val(programmIni(schluesselAutosave,
                                                                    QStringLiteral("1")))));
    SliderAutoSave->setValue(static_cast<int>(std::min(minuten, double(autosaveHoechstens))));
    SliderAutoSave_Change();
    ankreuzen(strgKWmemo, programmIni(schluesselKWmemo, QStringLiteral("1")));
    ankreuzen(strgDrDrCls, programmIni(schluesselDrDrCls, QStringLiteral("0")));
    ankreuzen(strgDblClickIgn, programmIni(schluesselDblClickIgn, QStringLiteral("0")));
    ankreuzen(strgMin2Tray, programmIni(schluesselMin2Tray, QStringLiteral("0")));
    txtBackPic->setText(korvanelIniLesen(schluesselHintergrundbild));
    ankreuzen(StrgWordButtons, programmIni(schluesselWordButtons, QStringLiteral("0")));

    QString kuerzel = store::korvanelKuerzel;
    LabelLokal->setText(QString::fromUtf8("Lokale Einstellungen gelten nur für »")
                        + store::KorvanelTitelLesen(kuerzel, store::titelNurLesen)
                        + QString::fromUtf8("«"));

    if (platform::checkBoxValue(*StrgAuswahl) == 0) {
        const QString name = rt::LCase(programmIni(schluesselName, QStringLiteral("Txt")));
        for (int i = 0; i < ListeNamen->count(); ++i) {
            if (rt::LCase(rt::Left(ListeNamen->item(i)->text(), 3)) == name)
                ListeNamen->setCurrentRow(i);
        }
    }

    txtBezugD->setText(mainwindow::bezugDatum);
    txtBezugT->clear();
    txtBezugT->addItem(foundation::Benutzername() + QStringLiteral(" im Alter von *"));
    txtBezugT->addItem(QStringLiteral("Als ich * alt war"));
    txtBezugT->setCurrentIndex(-1);
    txtBezugT->setEditText(mainwindow::bezugText);

    platform::setCheckBoxValue(*strgAutoformat, store::autoFormat != 0 ? 1 : 0);
    platform::setCheckBoxValue(*strgFontAutoSize, mainwindow::fontAutoSize != 0 ? 1 : 0);
    if (mainwindow::fontAutoSize < laufFontAutoSize->minimum())
        mainwindow::fontAutoSize = laufFontAutoSize->minimum();
    laufFontAutoSize->setValue(mainwindow::fontAutoSize);
    laufFontAutoSize->setEnabled(platform::checkBoxValue(*strgFontAutoSize) == 1);

    for (std::size_t i = 0; i < comboTVOrder.size(); ++i) {
        QComboBox* kombi = comboTVOrder[i];
        kombi->clear();
        kombi->addItem(QString::fromUtf8(textverarbeitungsBefehle[i].angebot));
        const QString gespeichert = foundation::IniLesen(
            {}, abschnittTextverarbeitung, QString::fromUtf8(textverarbeitungsBefehle[i].schluessel));
        kombi->addItem(gespeichert);
        kombi->setCurrentIndex(1);
    }
}

void Setup::befOk_Click()
{
    programmIniSchreiben(schluesselAuswahl, wertVon(StrgAuswahl));
    programmIniSchreiben(schluesselAutosave, QString::number(SliderAutoSave->value()));
    if (hauptfenster().AutosaveEinschalten)
        hauptfenster().AutosaveEinschalten();
    korvanelIniSchreiben(schluesselHintergrundbild, txtBackPic->text());
    if (platform::checkBoxValue(*StrgAuswahl) == 0 && ListeNamen->currentRow() >= 0)
        programmIniSchreiben(schluesselName, rt::Left(ListeNamen->currentItem()->text(), 3));
    programmIniSchreiben(schluesselKWmemo, wertVon(strgKWmemo));
    programmIniSchreiben(schluesselDrDrCls, wertVon(strgDrDrCls));
    programmIniSchreiben(schluesselDblClickIgn, wertVon(strgDblClickIgn));
    programmIniSchreiben(schluesselMin2Tray, wertVon(strgMin2Tray));
    programmIniSchreiben(schluesselWordButtons, wertVon(StrgWordButtons));

    mainwindow::bezugDatum = txtBezugD->text();
    mainwindow::bezugText = rt::Left(txtBezugT->currentText(), hinweisLaenge);
    if (!mainwindow::bezugText.contains(u'*'))
        mainwindow::bezugText += QStringLiteral(" *");
    if (!mainwindow::bezugDatum.isEmpty() && !rt::IsDate(mainwindow::bezugDatum)) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QString::fromUtf8("»") + mainwindow::bezugDatum
                                       + QString::fromUtf8("« ist kein gültiges Datum."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   foundation::programmTitel());
        mainwindow::bezugDatum.clear();
    }
    mainwindow::bezugDatum = korvanelIniSchreiben(schluesselBezugDatum, mainwindow::bezugDatum);
    mainwindow::bezugText = korvanelIniSchreiben(schluesselBezugText, mainwindow::bezugText);

    for (std::size_t i = 0; i < comboTVOrder.size(); ++i) {
        QString text = comboTVOrder[i]->currentText();
        const int semikolon = text.indexOf(u';');
        if (semikolon >= 0)
            text = rt::RTrim(text.left(semikolon));
        foundation::IniSchreiben({}, abschnittTextverarbeitung, platform::tag(comboTVOrder[i]),
                                 text);
    }

    store::autoFormat = platform::checkBoxValue(*strgAutoformat);
    mainwindow::fontAutoSize =
        std::abs(platform::checkBoxValue(*strgFontAutoSize)) * laufFontAutoSize->value();
    if (hauptfenster().StimmungZeigen)
        hauptfenster().StimmungZeigen(platform::checkBoxValue(*strgStimmung) > 0);
    hide(); // ends the modal display; the opener unloads the window
}

void Setup::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    // Closed by the user, the window stores as OK does.
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befOk_Click();
    }
}

void Setup::ListeNamen_Click()
{
    platform::setCheckBoxValue(*StrgAuswahl, 0);
}

void Setup::ListeNamen_DblClick()
{
    befOk_Click();
}

void Setup::StrgAuswahl_Click()
{
    if (platform::checkBoxValue(*StrgAuswahl) == 0)
        return;
    {
        const QSignalBlocker still(ListeNamen);
        ListeNamen->setCurrentRow(-1);
        ListeNamen->clearSelection();
    }
    platform::setCheckBoxValue(*StrgAuswahl, 1);
}

void Setup::SliderAutoSave_Change()
{
    const int wert = SliderAutoSave->value();
    if (wert == 0)
        Bezeichnung6->setText(QStringLiteral("ausgeschaltet"));
    else if (wert == 1)
        Bezeichnung6->setText(QString::number(wert) + QStringLiteral(" Minute"));
    else
        Bezeichnung6->setText(QString::number(wert) + QStringLiteral(" Minuten"));
}

void Setup::strgFontAutoSize_Click()
{
    const bool an = platform::checkBoxValue(*strgFontAutoSize) == 1;
    laufFontAutoSize->setEnabled(an);
    if (an && laufFontAutoSize->value() == laufFontAutoSize->minimum())
        laufFontAutoSize->setValue(static_cast<int>(std::lround(
            (laufFontAutoSize->minimum() + laufFontAutoSize->maximum()) / 2.0)));
}

void Setup::Label2_DblClick()
{
    foundation::HilfeZeigen(foundation::hilfeDatei(), hilfeThemaTextverarbeitung);
}

void Setup::Form_KeyUp(int tastenCode, int umschalt)
{
    if (tastenCode == tastenCodeF1 && umschalt == umschaltStrg)
        foundation::EinstellungenSpezial();
}

bool Setup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        if (taste->key() == Qt::Key_F1 && !taste->isAutoRepeat()) {
            int umschalt = 0;
            if (taste->modifiers() & Qt::ShiftModifier)
                umschalt |= 1;
            if (taste->modifiers() & Qt::ControlModifier)
                umschalt |= 2;
            if (taste->modifiers() & Qt::AltModifier)
                umschalt |= 4;
            Form_KeyUp(tastenCodeF1, umschalt);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == Label2) {
        Label2_DblClick();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void Setup::befBackColor_Click()
{
    const platform::MainPort* main = platform::mainPort();
    const QColor jetzt = main ? main->textPalette().color(QPalette::Base) : QColor(Qt::white);
    const std::optional<QColor> farbe =
        platform::dialogs().chooseColor(QStringLiteral("Hintergrundfarbe"), jetzt);
    if (farbe && hauptfenster().HintergrundfarbeSetzen)
        hauptfenster().HintergrundfarbeSetzen(*farbe);
    const QColor gilt = main ? main->textPalette().color(QPalette::Base) : farbe.value_or(jetzt);
    korvanelIniSchreiben(schluesselBackCol, QString::number(foundation::farbNummer(gilt)));
}

void Setup::befSchrift_Click()
{
    const platform::MainPort* main = platform::mainPort();
    const platform::FontChoice jetzt{main ? main->textFont() : font(),
                                     main ? main->textPalette().color(QPalette::Text)
                                          : palette().color(QPalette::Text)};
    // A cancelled chooser gives back what it was opened with.
    const platform::FontChoice wahl =
        platform::dialogs()
            .chooseFont(QStringLiteral("Schrift und Vordergrundfarbe"), jetzt, schriftMin,
                        schriftMax)
            .value_or(jetzt);
    if (hauptfenster().SchriftSetzen)
        hauptfenster().SchriftSetzen(wahl.font, wahl.color);
    if (hauptfenster().SchriftText)
        korvanelIniSchreiben(schluesselSchrift, hauptfenster().SchriftText());
}

void Setup::befBackPic_Click()
{
    const std::optional<QString> gewaehlt = platform::dialogs().openFile(
        QString::fromUtf8("Hintergrundbild wählen"),
        QStringLiteral("Bilder|") + foundation::bildMuster() + u'|',
        startVon(txtBackPic->text(), foundation::ordnerDat));
    if (!gewaehlt)
        return;
    txtBackPic->setText(*gewaehlt);
    foundation::ZumProgrammOrdner();
    if (hauptfenster().HintergrundbildZeigen)
        hauptfenster().HintergrundbildZeigen(foundation::DateiExistiert(*gewaehlt) ? *gewaehlt
                                                                                   : QString());
    txtBackPic->setFocus();
}

void Setup::befTVanmelden_Click()
{
    QString bisher = foundation::IniLesen({}, abschnittTextverarbeitung, schluesselPrgExe);
    if (bisher.isEmpty())
        bisher = foundation::IniLesen({}, QString::fromUtf8("Verknüpfung"), QStringLiteral("Doc"));
    const std::optional<QString> gewaehlt = platform::dialogs().openFile(
        QString::fromUtf8("Wählen Sie die Textverarbeitung"), QStringLiteral("Programme|*"),
        startVon(bisher, QString()));
    if (!gewaehlt)
        return;
    const QFileInfo programm(platform::resolvePath(*gewaehlt));
    if (!programm.isFile() || !programm.isExecutable()) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QString::fromUtf8("»") + *gewaehlt
                                       + QString::fromUtf8("« ist kein ausführbares Programm. "
                                                           "Wählen Sie bitte die Programmdatei "
                                                           "der Textverarbeitung."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Textverarbeitung anmelden"));
        return;
    }
    foundation::IniSchreiben({}, abschnittTextverarbeitung, schluesselPrgExe, *gewaehlt);
}

void Setup::befDelZuletzt_Click()
{
    for (int n = 1; n <= 3; ++n) {
        programmIniSchreiben(QStringLiteral("MnuZuletzt") + QString::number(n), QString());
        store::storeHost().setZuletztVisible(n, false);
    }
    platform::dialogs().msgBox(
        QStringLiteral("Die Liste der zuletzt benutzten Korvanele wurde gelöscht."),
        platform::vbOKOnly | platform::vbInformation);
}

} // namespace commands
