#include "print/print_window.h"

#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/font_text.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/number_format.h"
#include "foundation/product_info.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "platform/actions.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/print_surface.h"
#include "platform/text_box.h"
#include "platform/text_file.h"
#include "print/day_export.h"
#include "print/printer_set.h"
#include "print/text_printing.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_index.h"
#include "store/day_texts.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"
#include "textlib/list_jobs.h"
#include "textlib/print_footer.h"
#include "views/month_sheet.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace print {

namespace {

const QString iniAlleTage = QStringLiteral("DruckenAlleTage");
const QString iniSeiteProTag = QStringLiteral("DruckenSeiteProTag");
const QString iniEinruecken = QString::fromUtf8("DruckenEinrücken");
const QString iniSchrift = QStringLiteral("SchriftDruck");
const QString datumsFormat = QStringLiteral("dd.mm.yyyy");
// The preview's message box shows no more of the clipboard text than this.
constexpr int vorschauGrenze = 1500;

QString tx(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

rt::VbDate heute()
{
    return rt::DateOnly(platform::clock().now());
}

// The main window's day; the store's, then today, when there is none.
rt::VbDate angezeigterTag()
{
    if (platform::MainPort* main = platform::mainPort()) {
        if (const std::optional<rt::VbDate> tag = rt::CDate(main->dateCaption()))
            return rt::DateOnly(*tag);
    }
    return rt::CDate(store::aktDatum).value_or(heute());
}

QString datumText(rt::VbDate tag)
{
    return rt::Format(tag, datumsFormat);
}

bool angehakt(const QString& key, const char* vorgabe)
{
    return rt::Val(foundation::IniLesen({}, {}, key, QString::fromLatin1(vorgabe))) != 0;
}

} // namespace

Druck::Druck(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Druck"));
    setWindowTitle(QStringLiteral("Korvanel drucken / exportieren"));
    createControls();
    createMenus();
    layOut();
    connectHandlers();
    Form_Load();
}

void Druck::createControls()
{
    const auto bezeichnung = [this](const char* objekt, const char* text) {
        auto* label = new QLabel(tx(text), this);
        label->setObjectName(tx(objekt));
        return label;
    };
    const auto datumLabel = [this](const char* objekt) {
        auto* label = new QLabel(this);
        label->setObjectName(tx(objekt));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(tx("88.88.88888")) + 16);
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(tx("Klicken, um das Datum im Monatsblatt zu wählen"));
        label->installEventFilter(this);
        return label;
    };
    const auto kombi = [this](const char* objekt) {
        auto* box = new QComboBox(this);
        box->setObjectName(tx(objekt));
        box->setEditable(true);
        // A line box of the program's own, so that the window's shortcuts (Ctrl+C) win.
        box->setLineEdit(new platform::LineTextBox(box));
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setMinimumContentsLength(14);
        return box;
    };
    const auto option = [this](const char* objekt, const char* text) {
        auto* box = new QCheckBox(tx(text), this);
        box->setObjectName(tx(objekt));
        return box;
    };

    Rahmen1 = new QGroupBox(tx("Bereich festlegen"), this);
    Rahmen1->setObjectName(tx("Rahmen1"));
    Bezeichnung5 = bezeichnung("Bezeichnung5", "Ausgabe ab dem");
    BezDatumAb = datumLabel("BezDatumAb");
    Bezeichnung1 = bezeichnung("Bezeichnung1", "Ausgabe bis zum");
    BezDatumBis = datumLabel("BezDatumBis");
    Label1 = bezeichnung("Label1", "Datum-Filter");
    kombiDatumFilter = kombi("kombiDatumFilter");
    kombiDatumFilter->setToolTip(
        tx("Nur Tage ausgeben, deren Wochentag und Datum (\"Montag, 24.12.2024\") diesen Text "
             "enthalten"));
    Bezeichnung3 = bezeichnung("Bezeichnung3", "Text-Filter");
    kombiSuche = kombi("kombiSuche");
    kombiSuche->setToolTip(
        tx("Einträge müssen diesen Text enthalten, damit eine Ausgabe erfolgt"));

    Rahmen2 = new QGroupBox(tx("Ausgabe-Optionen"), this);
    Rahmen2->setObjectName(tx("Rahmen2"));
    OMarkedOnly = option("OMarkedOnly", "Nur Einträge mit Mar&ker ausgeben");
    OMarkedOnly->setToolTip(
        tx("Einzelne Einträge können markiert werden ->Bearbeiten->Marker"));
    ODruckenEinrücken = option("ODruckenEinrücken", "Text einge&rückt drucken");
    ODruckenSeiteProTag = option("ODruckenSeiteProTag", "jeden Tag auf einer e&xtra Seite drucken");
    ODruckenAlleTage = option("ODruckenAlleTage", "auch Tage &ohne Eintrag ausgeben");
    BefSetSchrift = new QPushButton(tx("Schrift und Farbe des Ausdrucks..."), this);
    BefSetSchrift->setObjectName(tx("BefSetSchrift"));

    Rahmen3 = new QGroupBox(tx("Vorschau"), this);
    Rahmen3->setObjectName(tx("Rahmen3"));
    txtVorschau = new QPlainTextEdit(this);
    txtVorschau->setObjectName(tx("txtVorschau"));
    txtVorschau->setReadOnly(true);
    txtVorschau->setFocusPolicy(Qt::NoFocus);
    txtVorschau->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtVorschau->setFont(QFont(tx("Courier New"), 10));
    txtVorschau->setMinimumSize(360, 120);

    befOk = new QPushButton(tx("Ausgabe an &Drucker..."), this);
    befOk->setObjectName(tx("befOk"));
    befOk->setToolTip(tx("Ausgabe erfolgt an einen Drucker"));
    befOk->setDefault(true);
    BefAbruch = new QPushButton(tx("Abbr&echen"), this);
    BefAbruch->setObjectName(tx("BefAbruch"));
    platform::setTag(BefAbruch, tx("NoDisable"));
    setCancelButton(BefAbruch);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(tx("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
}

void Druck::createMenus()
{
    Menue = new QMenuBar(this);
    Menue->setObjectName(tx("Menue"));
    actions = new platform::ActionRegistry(this);
    const auto taste = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };

    QMenu* bereich = actions->addMenu(Menue, tx("mnuBereich"), tx("&Bereich"));
    actions->addAction(bereich, tx("mnuBereichGesamt"), tx("&Gesamtes Korvanel"),
                       taste("Ctrl+G"));
    actions->addSeparator(bereich, tx("Strichd"));
    actions->addAction(bereich, tx("mnuBereichJahr"), tx("Gewähltes &Jahr"), taste("Ctrl+J"));
    actions->addAction(bereich, tx("mnuBereichMonat"), tx("Gewählter &Monat"),
                       taste("Ctrl+M"));
    actions->addAction(bereich, tx("mnuBereichTag"), tx("Gewählter &Tag"), taste("Ctrl+T"));

    QMenu* ausgabe = actions->addMenu(Menue, tx("mnuAusgabe"), tx("&Ausgabe an"));
    QMenu* drucker = actions->addMenu(ausgabe, tx("mnuDruckerX"), tx("&Drucker"));
    actions->addAction(drucker, platform::indexedName(tx("mnuAusgabeDrucker"), 0),
                       tx("&Drucker"), taste("Ctrl+P"));
    QMenu* datei = actions->addMenu(ausgabe, tx("mnuAusgabeDateiX"), tx("D&atei"));
    actions->addAction(datei, platform::indexedName(tx("mnuAusgabeDatei"), 0),
                       tx("&Korvanel-Format..."), taste("Ctrl+F5"));
    actions->addAction(datei, platform::indexedName(tx("mnuAusgabeDatei"), 1),
                       tx("&Kommagetrennt..."), taste("Ctrl+F6"));
    QMenu* za = actions->addMenu(ausgabe, tx("mnuAusgabeZAX"), tx("&Zwischenablage"));
    actions->addAction(za, platform::indexedName(tx("mnuAusgabeZA"), 0), tx("&Zwischenablage"),
                       taste("Ctrl+C"));
}

void Druck::layOut()
{
    auto* bereich = new QGridLayout(Rahmen1);
    bereich->addWidget(Bezeichnung5, 0, 0);
    bereich->addWidget(BezDatumAb, 0, 1);
    bereich->addWidget(Bezeichnung1, 1, 0);
    bereich->addWidget(BezDatumBis, 1, 1);
    bereich->addWidget(Label1, 2, 0);
    bereich->addWidget(kombiDatumFilter, 2, 1);
    bereich->addWidget(Bezeichnung3, 3, 0);
    bereich->addWidget(kombiSuche, 3, 1);
    bereich->setColumnStretch(1, 1);

    auto* optionen = new QVBoxLayout(Rahmen2);
    optionen->addWidget(OMarkedOnly);
    optionen->addWidget(ODruckenEinrücken);
    optionen->addWidget(ODruckenSeiteProTag);
    optionen->addWidget(ODruckenAlleTage);
    optionen->addWidget(BefSetSchrift, 0, Qt::AlignLeft);
    optionen->addStretch();

    auto* vorschau = new QVBoxLayout(Rahmen3);
    vorschau->addWidget(txtVorschau);

    auto* oben = new QHBoxLayout;
    oben->addWidget(Rahmen1, 1);
    oben->addWidget(Rahmen2, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ProgressBar, 1);
    knoepfe->addStretch();
    knoepfe->addWidget(befOk);
    knoepfe->addWidget(BefAbruch);

    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(Menue);
    aussen->addLayout(oben);
    aussen->addWidget(Rahmen3, 1);
    aussen->addLayout(knoepfe);
}

void Druck::connectHandlers()
{
    const auto an = [this](const char* objekt, auto handler) {
        connect(actions->action(tx(objekt)), &QAction::triggered, this, handler);
    };
    an("mnuBereichGesamt", &Druck::mnuBereichGesamt_Click);
    an("mnuBereichJahr", &Druck::mnuBereichJahr_Click);
    an("mnuBereichMonat", &Druck::mnuBereichMonat_Click);
    an("mnuBereichTag", &Druck::mnuBereichTag_Click);
    connect(actions->action(platform::indexedName(tx("mnuAusgabeDrucker"), 0)),
            &QAction::triggered, this, [this] { mnuAusgabeDrucker_Click(0); });
    for (int i = 0; i < 2; ++i)
        connect(actions->action(platform::indexedName(tx("mnuAusgabeDatei"), i)),
                &QAction::triggered, this, [this, i] { mnuAusgabeDatei_Click(i); });
    connect(actions->action(platform::indexedName(tx("mnuAusgabeZA"), 0)), &QAction::triggered,
            this, [this] { mnuAusgabeZA_Click(0); });

    connect(befOk, &QPushButton::clicked, this, &Druck::befOk_Click);
    connect(BefAbruch, &QPushButton::clicked, this, &Druck::BefAbruch_Click);
    connect(BefSetSchrift, &QPushButton::clicked, this, &Druck::BefSetSchrift_Click);
    for (QCheckBox* box : {ODruckenAlleTage, ODruckenEinrücken, ODruckenSeiteProTag})
        connect(box, &QCheckBox::toggled, this, &Druck::VorschauAnzeigen);
    connect(kombiSuche, &QComboBox::editTextChanged, this, &Druck::kombiSuche_Change);
    connect(kombiSuche, &QComboBox::activated, this, &Druck::kombiSuche_Click);
    kombiSuche->lineEdit()->installEventFilter(this);
}

void Druck::Form_Load()
{
    if (platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    mnuBereichMonat_Click();

    ODruckenAlleTage->setChecked(angehakt(iniAlleTage, "0"));
    ODruckenSeiteProTag->setChecked(angehakt(iniSeiteProTag, "0"));
    ODruckenEinrücken->setChecked(angehakt(iniEinruecken, "1"));

    kombiSuche->clear();
    textlib::ListeAusDatei(kombiSuche, foundation::ordnerDat + QStringLiteral("/Korvanel.stw"));
    kombiSuche->setCurrentIndex(-1);
    kombiSuche->clearEditText();

    kombiDatumFilter->clear();
    kombiDatumFilter->addItem(QString());
    kombiDatumFilter->addItem(rt::Format(heute(), QStringLiteral("dd.mm.")));
    for (const char* tag : {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"})
        kombiDatumFilter->addItem(tx(tag));
    kombiDatumFilter->setCurrentIndex(-1);
    kombiDatumFilter->clearEditText();

    const QString schrift = foundation::IniLesen({}, {}, iniSchrift);
    if (!schrift.isEmpty())
        foundation::SchriftAusText(txtVorschau, schrift, QStringLiteral("Alles"));
    kombiSuche_Change();
    VorschauAnzeigen();
}

Tagesauswahl Druck::auswahl() const
{
    Tagesauswahl auswahl;
    auswahl.von = BezDatumAb->text();
    auswahl.bis = BezDatumBis->text();
    auswahl.datumFilter = kombiDatumFilter->currentText();
    auswahl.stichwort = kombiSuche->currentText();
    auswahl.nurMarkierte = OMarkedOnly->isChecked();
    auswahl.auchLeereTage = ODruckenAlleTage->isChecked();
    return auswahl;
}

// --- Range ----------------------------------------------------------------------------------

void Druck::bereichSetzen(const QString& von, const QString& bis)
{
    BezDatumAb->setText(von);
    BezDatumBis->setText(bis);
    VorschauAnzeigen();
}

void Druck::mnuBereichGesamt_Click()
{
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    if (tage->empty())
        return;
    bereichSetzen(store::TagesnummerText(tage->front()), store::TagesnummerText(tage->back()));
}

void Druck::mnuBereichJahr_Click()
{
    const QString jahr = rt::Format(angezeigterTag(), QStringLiteral("yyyy"));
    bereichSetzen(QStringLiteral("01.01.") + jahr, QStringLiteral("31.12.") + jahr);
}

void Druck::mnuBereichMonat_Click()
{
    const rt::VbDate tag = angezeigterTag();
    const QString monat = rt::Format(tag, QStringLiteral("mm.yyyy"));
    bereichSetzen(QStringLiteral("01.") + monat,
                  QString::number(textlib::TageImMonat(tag)) + u'.' + monat);
}

void Druck::mnuBereichTag_Click()
{
    const QString tag = datumText(angezeigterTag());
    bereichSetzen(tag, tag);
}

void Druck::BezDatumAb_Click()
{
    datumWaehlen(BezDatumAb, QStringLiteral("Drucken ab dem"));
}

void Druck::BezDatumBis_Click()
{
    datumWaehlen(BezDatumBis, QStringLiteral("Drucken bis zum"));
}

void Druck::datumWaehlen(QLabel* label, const QString& titel)
{
    const KeepAlive bleibt(*this);
    const std::optional<QString> tag = views::Monatsblatt::DatumWaehlen(this, titel, label->text());
    if (!tag || isUnloaded())
        return;
    label->setText(*tag);
    // A start after the end: the range is the end day alone.
    if (*rt::CDate(BezDatumBis->text()) < *rt::CDate(BezDatumAb->text()))
        BezDatumAb->setText(BezDatumBis->text());
    VorschauAnzeigen();
}

// --- Filters, font, preview -----------------------------------------------------------------

void Druck::kombiSuche_Change()
{
    ODruckenAlleTage->setEnabled(kombiSuche->currentText().isEmpty());
}

void Druck::kombiSuche_Click()
{
    kombiSuche_Change();
    VorschauAnzeigen();
}

void Druck::kombiSuche_LostFocus()
{
    VorschauAnzeigen();
}

void Druck::BefSetSchrift_Click()
{
    platform::FontChoice jetzt{txtVorschau->font(),
                               txtVorschau->palette().color(QPalette::Text)};
    const std::optional<platform::FontChoice> wahl = platform::dialogs().chooseFont(
        QStringLiteral("Schrift und Farbe des Ausdrucks"), jetzt, 4, 25);
    if (!wahl)
        return;
    QFont schrift = txtVorschau->font();
    schrift.setFamily(wahl->font.family());
    schrift.setPointSize(wahl->font.pointSize());
    schrift.setBold(wahl->font.bold());
    schrift.setItalic(wahl->font.italic());
    schrift.setUnderline(wahl->font.underline());
    schrift.setStrikeOut(wahl->font.strikeOut());
    txtVorschau->setFont(schrift);
    QPalette farben = txtVorschau->palette();
    farben.setColor(QPalette::Text, wahl->color);
    txtVorschau->setPalette(farben);
}

void Druck::VorschauAnzeigen()
{
    const platform::BusyPointer sanduhr;
    const std::optional<rt::VbDate> von = rt::CDate(BezDatumAb->text());
    const std::optional<rt::VbDate> bis = rt::CDate(BezDatumBis->text());
    if (!von || !bis) {
        txtVorschau->clear();
        return;
    }
    const bool leereTage = ODruckenAlleTage->isEnabled() && ODruckenAlleTage->isChecked();
    qint64 n = std::min<qint64>(std::llabs(rt::dayNumber(*bis) - rt::dayNumber(*von)), 99);
    if (ODruckenSeiteProTag->isChecked())
        n = 0;
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    for (qint64 i = 0; i <= n; ++i) {
        const rt::VbDate tag(static_cast<double>(rt::dayNumber(*von) + i));
        QString z1 = tx("xxxx xxx xxx x xxxxx xxxxxxxx xx xxx xx xxxx xx x xxxxx xxxx");
        QString z2 = tx("xxxx xx xxx xx xxxx xx x xxxxx xxxxxxxx xx xxx xx xxxx xx x xxxxx xxxx");
        QString z3 =
            tx("xx xxx xxxxxxx xxx xxxx xx xxx xx xxxx xx x xxxxx xxxxxx xx xxxx xxx xxxx");
        if (i == 1 || i == 4 || i == 5 || (i > 5 && i % 3 == 0)) {
            z1.clear();
            z2.clear();
            z3.clear();
        } else if (i == 2) {
            z2.clear();
            z3.clear();
        } else if (i == 3) {
            z3.clear();
        }
        if (z1.isEmpty() && !leereTage)
            continue;
        if (ODruckenEinrücken->isChecked()) {
            if (!z2.isEmpty())
                z2 = QString(15, u' ') + z2;
            if (!z3.isEmpty())
                z3 = QString(15, u' ') + z3;
        }
        const QString kopf =
            (datumText(tag) + QStringLiteral(", ")
             + textlib::NameVonDatum(rt::Weekday(tag), QStringLiteral("WT2")))
                .leftJustified(15, u' ', true);
        text += rt::Left(kopf + z1, 99) + crlf;
        if (!rt::Trim(z2).isEmpty())
            text += rt::Left(z2, 99) + crlf;
        if (!rt::Trim(z3).isEmpty())
            text += rt::Left(z3, 99) + crlf;
        text += crlf;
    }
    txtVorschau->setPlainText(text);
}

// --- Outputs ----------------------------------------------------------------------------------

void Druck::ausgabeBeginnen()
{
    ausgabeLaeuft = true;
    foundation::SteuerelementeSperren(*this, false);
    ProgressBar->setValue(0);
    ProgressBar->show();
    QCoreApplication::processEvents();
}

void Druck::ausgabeBeenden()
{
    ausgabeLaeuft = false;
    ProgressBar->hide();
    foundation::SteuerelementeSperren(*this, true);
    kombiSuche_Change();
}

bool Druck::weiter()
{
    QCoreApplication::processEvents();
    return !isUnloaded() && ausgabeLaeuft;
}

void Druck::fortschritt(int prozent)
{
    ProgressBar->setValue(prozent);
}

void Druck::mnuAusgabeDatei_Click(int index)
{
    if (ausgabeLaeuft)
        return;
    const KeepAlive bleibt(*this);
    if (!store::kennwortSchreiben.isEmpty()
        && platform::dialogs().msgBox(
               foundation::MeldungAufbereiten(
                   tx("Die Ausgaben werden zur Weiterverarbeitung nicht verschlüsselt!~~"
                        "Möchten Sie trotzdem fortfahren?")),
               platform::vbOKCancel | platform::vbExclamation,
               tx("Korvanel, Kennwortschutz"))
               != platform::vbOK)
        return;
    if (isUnloaded())
        return;

    const QString letzte = foundation::IniLesen({}, {}, QStringLiteral("FileNameExp"),
                                                foundation::ordnerDat + tx("/Ausgabe.kv"));
    QString start = letzte;
    // Read-only, nothing goes into the data folder: the chooser starts in the home folder.
    if (foundation::nurLesen && ImDatenordner(letzte))
        start = QDir::homePath() + u'/' + QFileInfo(letzte).fileName();
    const std::optional<QString> datei = platform::dialogs().saveFile(
        tx("Korvanel in welche Datei ausgeben?"), tx("Korvanele|*.kv|Alles|*.*|"), start);
    if (!datei || isUnloaded())
        return;
    if (foundation::nurLesen && ImDatenordner(*datei)) {
        platform::dialogs().msgBox(
            tx("Korvanel ist schreibgeschützt geöffnet und schreibt nichts in den "
                 "Datenordner.\r\n\r\nBitte wählen Sie eine Datei außerhalb von »")
                + foundation::ordnerDat + tx("«."),
            platform::vbOKOnly | platform::vbExclamation, windowTitle());
        return;
    }

    {
        platform::BusyPointer sanduhr;
        ausgabeBeginnen();
        foundation::IniSchreiben({}, {}, QStringLiteral("FileNameExp"), *datei);
        const Ausgabetext aus = DateiTextErstellen(
            index == 0 ? 0 : 1, auswahl(), [this] { return weiter(); },
            [this](int prozent) { fortschritt(prozent); });
        if (isUnloaded())
            return;
        if (!nachLesefehlerWeiter(aus.gang, tx("Fehler beim 'Ausdruck in Datei'")))
            return;
        if (!platform::writeTextFile(*datei, aus.text)) {
            const int nummer = rt::Err().number;
            const int antwort =
                foundation::FehlerBehandlung(nummer, tx("Fehler beim 'Ausdruck in Datei'"));
            if (isUnloaded())
                return;
            ausgabeBeenden();
            if (antwort != 5)
                return;
            sanduhr.restore();
            platform::dialogs().msgBox(tx("Die Datei »") + *datei
                                           + tx("« wurde nicht geschrieben; eine frühere Datei "
                                                  "dieses Namens ist unverändert."),
                                       platform::vbOKOnly | platform::vbExclamation,
                                       windowTitle());
            if (!isUnloaded())
                BefAbruch_Click();
            return;
        }
        txtVorschau->clear();
        ausgabeBeenden();
        foundation::IniSchreiben({}, {}, QStringLiteral("DateiDruckZuletzt"),
                                 rt::Format(platform::clock().now(),
                                            QStringLiteral("dd.mm.yyyy hh:nn")));
    }
    platform::dialogs().msgBox(tx("Die Ausgabe wurde in der Datei »") + *datei
                                   + tx("« gespeichert."),
                               platform::vbOKOnly | platform::vbInformation, windowTitle());
    if (!isUnloaded())
        BefAbruch_Click();
}

bool Druck::nachLesefehlerWeiter(const Tagesgang& gang, const QString& titel)
{
    if (gang.ende != Tagesgang::Ende::Lesefehler)
        return true;
    rt::raiseError(gang.fehlerNummer, gang.fehlerText);
    // Going on outputs the days before the one that failed, as a cancel would.
    if (foundation::FehlerBehandlung(gang.fehlerNummer, titel) != 5) {
        if (!isUnloaded())
            ausgabeBeenden();
        return false;
    }
    return !isUnloaded();
}

void Druck::mnuAusgabeZA_Click(int /*index*/)
{
    if (ausgabeLaeuft)
        return;
    const KeepAlive bleibt(*this);
    QString text;
    {
        const platform::BusyPointer sanduhr;
        ausgabeBeginnen();
        const QString suffix = ZwischenablageSuffix();
        const QString satzEnde = ZwischenablageSatzEnde();
        text = ExportTitel(BezDatumAb->text(), BezDatumBis->text());
        const Tagesgang gang = TageDurchgehen(
            auswahl(),
            [&](const Ausgabetag& tag) { text += ZwischenablageSatz(tag, suffix, satzEnde); },
            [this] { return weiter(); }, [this](int prozent) { fortschritt(prozent); });
        if (isUnloaded())
            return;
        if (!nachLesefehlerWeiter(gang, tx("Fehler beim 'Ausdruck in Zwischenablage'")))
            return;
        txtVorschau->clear();
        platform::clipboard().clear();
        platform::clipboard().setText(text);
        ausgabeBeenden();
    }
    // The message shows the beginning of a long output only.
    QString vorschau = rt::Left(text, vorschauGrenze);
    if (text.size() > vorschauGrenze)
        vorschau += tx(" …");
    platform::dialogs().msgBox(tx("Die Ausgabe mit ")
                                   + foundation::GroesseAlsText(static_cast<double>(text.size()))
                                   + tx("B befindet sich jetzt in der Zwischenablage.\r\n\r\n"
                                          "Vorschau:\r\n\r\n")
                                   + vorschau,
                               platform::vbOKOnly | platform::vbInformation, windowTitle());
    if (!isUnloaded())
        BefAbruch_Click();
}

void Druck::befOk_Click()
{
    mnuAusgabeDrucker_Click(0);
}

void Druck::PrnSetzeAttribute()
{
    platform::PrintSurface& p = platform::printer();
    const QFont schrift = txtVorschau->font();
    p.setFontName(schrift.family());
    p.setFontBold(schrift.bold());
    p.setFontItalic(schrift.italic());
    p.setFontSize(schrift.pointSizeF());
    // The colour the preview shows: an output runs with the window locked, whose palette then
    // answers with the grey of disabled text.
    p.setForeColor(txtVorschau->palette().color(QPalette::Active, QPalette::Text));
    p.setScaleMode(platform::vbCentimeters);
}

void Druck::PrnSetzteSeitenEinstellung(double top)
{
    PrnSetzeAttribute();
    platform::printer().setCurrentY(static_cast<float>(top));
}

bool Druck::druckDurchgang(double oben, double links, double breite, double unten, bool& zuKlein)
{
    platform::PrintSurface& p = platform::printer();
    PrnSetzteSeitenEinstellung(oben);
    PrnSetzeAttribute();
    double textX = links;
    const bool einruecken = ODruckenEinrücken->isChecked();
    const bool seiteProTag = ODruckenSeiteProTag->isChecked();
    if (einruecken)
        textX = links + p.TextWidth(QStringLiteral("88.88.8888, WW  "));
    const auto neueSeite = [&] {
        textlib::DruckFusszeile(links, false);
        p.NewPage();
        PrnSetzteSeitenEinstellung(oben);
    };

    bool schonGedruckt = false;
    // The print takes every day that passes the other tests, marked or not.
    Tagesauswahl tage = auswahl();
    tage.nurMarkierte = false;
    const Tagesgang gang = TageDurchgehen(
        tage,
        [&](const Ausgabetag& tag) {
            // Each day on a page of its own: the page changes before every day but the first,
            // so that no empty page follows the last one.
            if (seiteProTag && schonGedruckt) {
                p.NewPage();
                PrnSetzteSeitenEinstellung(oben);
            }
            schonGedruckt = true;
            PrnSetzeAttribute();
            QString text = tag.text;
            text = store::TextBereinigen(text) + QStringLiteral("\r\r");
            const QString kopf = rt::Format(
                tag.tag, foundation::IniLesen({}, {}, QStringLiteral("DateFormPrn"),
                                              QStringLiteral("dd.mm.yyyy, ddd")));
            QString rest;
            if (einruecken) {
                TextDrucken(kopf, links, -1, breite, unten);
                rest = TextDrucken(text, textX, -1, breite, unten);
            } else {
                rest = TextDrucken(kopf + QStringLiteral(", ") + text, textX, -1, breite, unten);
            }
            if (p.CurrentY() + p.TextHeight(QStringLiteral("abxXYZ")) >= p.ScaleHeight() - 1.7)
                neueSeite();
            if (!rest.isEmpty()) {
                PrnSetzeAttribute();
                rest = TextDruckenMitSeitenwechsel(rt::LTrim(rest), textX, -1, breite, unten,
                                                   neueSeite);
                // Not even a fresh page takes a line: the walk ends here.
                if (!rest.isEmpty())
                    zuKlein = true;
            }
        },
        [this, &zuKlein] { return !zuKlein && weiter(); },
        [this](int prozent) { fortschritt(prozent); }, 0.7);
    if (isUnloaded())
        return false;
    if (!seiteProTag)
        textlib::DruckFusszeile(links, false);
    // A day that cannot be read ends the walk; the document ends with what was printed.
    if (gang.ende == Tagesgang::Ende::Lesefehler) {
        rt::raiseError(gang.fehlerNummer, gang.fehlerText);
        foundation::FehlerBehandlung(gang.fehlerNummer, tx("Fehler beim Drucken!"));
    }
    return gang.ende == Tagesgang::Ende::Fertig;
}

void Druck::mnuAusgabeDrucker_Click(int /*index*/)
{
    if (ausgabeLaeuft)
        return;
    const KeepAlive bleibt(*this);
    if (auto* alt = platform::findForm<PrinterSet>())
        alt->unload();
    druckJob = QStringLiteral("Korvanel_Druck");
    QPointer<PrinterSet> einstellungen = new PrinterSet;
    einstellungen->setWindowTitle(einstellungen->windowTitle() + QStringLiteral(", ")
                                  + windowTitle());
    einstellungen->frmWeiten->setEnabled(true);
    einstellungen->frmWeiten->setVisible(true);
    einstellungen->frmAusrichtung->setEnabled(true);
    einstellungen->frmAusrichtung->setVisible(true);
    einstellungen->showModal();
    QCoreApplication::processEvents();
    if (isUnloaded() || !einstellungen || einstellungen->isUnloaded())
        return;
    if (einstellungen->abgebrochen()) {
        einstellungen->unload();
        return;
    }

    platform::PrintSurface& p = platform::printer();
    const int ausrichtungVorher = p.Orientation();
    p.setOrientation(einstellungen->hochformat() ? platform::vbPRORPortrait
                                                 : platform::vbPRORLandscape);
    const int kopien = p.DeviceName() == platform::pdfDeviceName() ? 1 : einstellungen->anzahl();
    const double oben = einstellungen->randOben();
    const double links = einstellungen->randLinks();
    const double breite = einstellungen->breite() > 0 ? einstellungen->breite() : -1;
    const double hoehe = einstellungen->hoehe() > 0 ? einstellungen->hoehe() : -1;
    bool zuKlein = false;
    {
        const platform::BusyPointer sanduhr;
        ausgabeBeginnen();
        for (int kopie = 0; kopie < kopien && !isUnloaded(); ++kopie) {
            p.setScaleMode(platform::vbCentimeters);
            p.Print(QStringLiteral(" "));
            p.setCurrentY(0);
            const double unten = hoehe > 0 ? hoehe : p.ScaleHeight() - 1;
            const bool ganz = druckDurchgang(oben, links, breite, unten, zuKlein);
            if (!p.EndDoc())
                foundation::FehlerBehandlung(rt::Err().number, tx("Fehler beim Drucken!"));
            if (!ganz || isUnloaded())
                break;
        }
        p.setOrientation(ausrichtungVorher);
        if (einstellungen)
            einstellungen->unload();
        if (isUnloaded())
            return;
        txtVorschau->clear();
        ausgabeBeenden();
    }
    if (zuKlein)
        SeiteZuKleinMelden();
    PdfAusgabeMelden();
    foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
    QCoreApplication::processEvents();
    if (!isUnloaded())
        BefAbruch_Click();
}

// --- Closing ------------------------------------------------------------------------------------

void Druck::BefAbruch_Click()
{
    if (ausgabeLaeuft) {
        ausgabeLaeuft = false;
        return;
    }
    const auto wert = [](const QCheckBox* box) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    foundation::IniSchreibenListe({}, {},
                                  {{iniAlleTage, wert(ODruckenAlleTage)},
                                   {iniSeiteProTag, wert(ODruckenSeiteProTag)},
                                   {iniEinruecken, wert(ODruckenEinrücken)},
                                   {iniSchrift, foundation::SchriftAlsText(txtVorschau)}});
    hide();
}

void Druck::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        BefAbruch_Click();
        return;
    }
    // The program ends: a running output stops at its next day.
    ausgabeLaeuft = false;
}

bool Druck::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && isEnabled()) {
        if (watched == BezDatumAb && BezDatumAb->isEnabled()) {
            BezDatumAb_Click();
            return true;
        }
        if (watched == BezDatumBis && BezDatumBis->isEnabled()) {
            BezDatumBis_Click();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && watched == kombiSuche->lineEdit())
        kombiSuche_LostFocus();
    return platform::Form::eventFilter(watched, event);
}

} // namespace print
