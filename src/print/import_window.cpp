#include "print/import_window.h"

#include "foundation/error_dialog.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "foundation/user_identity.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/strings.h"
#include "textlib/string_functions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace print {

namespace {

const QString zeilenumbruch = QStringLiteral("\r\n");
constexpr int listenGrenze = 32000;

// The stations whose own tag the text-before box offers: [Allgemein] "StationsID" and the name
// the tag gives.
struct Station {
    const char16_t* kennung;
    const char16_t* name;
};
constexpr Station stationen[] = {
    {u"KORVANEL-STATION-1", u"Station 1"},
    {u"KORVANEL-STATION-2", u"Station 2"},
};

QString einstellung(const char* key, const char* vorgabe)
{
    return foundation::IniLesenVorgabe({}, {}, QString::fromUtf8(key), QString::fromUtf8(vorgabe));
}

// A day "dd.mm.yyyy" of the years 1500 to 2200 from a text that begins with a date.
QString gueltigerTag(const QString& text)
{
    const std::optional<rt::VbDate> tag = rt::CDate(text);
    if (!tag || rt::Year(*tag) < 1500 || rt::Year(*tag) > 2200)
        return {};
    return rt::Format(*tag, QStringLiteral("dd.mm.yyyy"));
}

// "yyyymmdd" of a "dd.mm.yyyy", for ordering days.
QString ordnung(const QString& datum)
{
    return datum.mid(6, 4) + datum.mid(3, 2) + datum.left(2);
}

bool nurLeerraum(const QString& text)
{
    for (const QChar c : text) {
        if (c != u' ' && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

QLabel* ueberschrift(const QString& text, QWidget* eltern, const char* name)
{
    auto* label = new QLabel(text, eltern);
    label->setObjectName(QString::fromUtf8(name));
    QFont fett = label->font();
    fett.setBold(true);
    label->setFont(fett);
    return label;
}

} // namespace

QString ImportMarke(const QString& einstellung, int* nachLeer)
{
    QString marke = einstellung;
    marke.replace(u'_', u' ');
    const QString gekuerzt = rt::RTrim(marke);
    if (nachLeer)
        *nachLeer = static_cast<int>(marke.size() - gekuerzt.size());
    return gekuerzt;
}

QString ImportKopfzeileDatum(const QString& zeile, const QString& vor, const QString& nach)
{
    const QString schluss = nach.isEmpty() ? QStringLiteral(" ") : nach;
    if (!vor.isEmpty() && !zeile.startsWith(vor))
        return {};
    const qsizetype hinterVor = vor.size();
    const qsizetype schlussPos = zeile.indexOf(schluss, hinterVor); // 0-based
    if (schlussPos < 0 || schlussPos + 1 < 10)
        return {};
    return gueltigerTag(rt::Left(rt::Trim(zeile.mid(hinterVor, 99)), 10));
}

std::vector<ImportEintrag> ImportEintraegeLesen(const QString& text, const QString& vor,
                                                const QString& nach, int nachLeer)
{
    const QString schluss = nach.isEmpty() ? QStringLiteral(" ") : nach;
    std::vector<ImportEintrag> eintraege;
    QString datum;
    QStringList zeilen;
    const auto abschliessen = [&] {
        if (datum.isEmpty())
            return;
        // The empty line that ends a record belongs to the layout, not to the text.
        if (zeilen.size() > 1 && zeilen.last().isEmpty())
            zeilen.removeLast();
        const QString eintrag = rt::RTrim(zeilen.join(zeilenumbruch));
        if (!nurLeerraum(eintrag))
            eintraege.push_back({datum, eintrag});
    };
    for (const QString& zeile : rt::splitLines(text)) {
        const QString tag = ImportKopfzeileDatum(zeile, vor, nach);
        if (tag.isEmpty()) {
            zeilen.append(zeile);
            continue;
        }
        abschliessen();
        datum = tag;
        QString rest = zeile.mid(zeile.indexOf(schluss, vor.size()) + schluss.size());
        for (int i = 0; i < nachLeer && rest.startsWith(u' '); ++i)
            rest.remove(0, 1);
        zeilen = QStringList{rest};
    }
    abschliessen();
    return eintraege;
}

QString ImportVorschauZeile(const ImportEintrag& eintrag)
{
    return eintrag.datum + u' ' + QString(eintrag.text).replace(zeilenumbruch, QStringLiteral("~"));
}

QString ImportZusammenfuehren(const QString& eintrag, const QString& neu, int modus)
{
    if (eintrag.isEmpty() || modus == importErsetzen)
        return neu;
    switch (modus) {
    case importAnhaengen:
        return eintrag.contains(neu) ? eintrag : eintrag + zeilenumbruch + neu;
    case importVoranstellen:
        return eintrag.contains(neu) ? eintrag : neu + zeilenumbruch + eintrag;
    default:
        return eintrag;
    }
}

// ---------------------------------------------------------------------------------------------

Import::Import(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Import"));
    setWindowTitle(QStringLiteral("Korvanel-Einträge importieren"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

QString Import::vorschauDatei()
{
    return foundation::ordnerDat + QStringLiteral("/x-import.tmp");
}

void Import::createControls()
{
    LabelLokal = ueberschrift(QStringLiteral("Auswahl der Import-Datei"), this, "LabelLokal");
    befDatei = new QPushButton(QStringLiteral("&Datei..."), this);
    befDatei->setObjectName(QStringLiteral("befDatei"));
    befDatei->setAutoDefault(false);
    bezQuellDatei = new QLabel(this);
    bezQuellDatei->setObjectName(QStringLiteral("bezQuellDatei"));
    bezQuellDatei->setFrameShape(QFrame::StyledPanel);
    bezQuellDatei->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Label5 = ueberschrift(
        QStringLiteral("Festlegen der Texte, welche das Datum von den Eingaben abgrenzen"), this,
        "Label5");
    for (int i = 0; i < 2; ++i) {
        txtVorNach[static_cast<std::size_t>(i)] = new QLineEdit(this);
        txtVorNach[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("txtVorNach(%1)").arg(i));
        txtVorNach[static_cast<std::size_t>(i)]->setMaximumWidth(50);
    }
    txtVorNach[0]->setToolTip(QStringLiteral("Zeichen vor dem Datum einer Kopfzeile"));
    txtVorNach[1]->setToolTip(QStringLiteral("Zeichen hinter dem Datum einer Kopfzeile"));

    Label6 = ueberschrift(QStringLiteral("Überprüfen der Vorschau"), this, "Label6");
    befVorschau = new QPushButton(QStringLiteral("&Vorschau"), this);
    befVorschau->setObjectName(QStringLiteral("befVorschau"));
    befVorschau->setAutoDefault(false);
    ListeVorschau = new QListWidget(this);
    ListeVorschau->setObjectName(QStringLiteral("ListeVorschau"));
    ListeVorschau->setToolTip(QStringLiteral("Doppelklick: den ganzen Text zeigen"));
    bezVorschauInfo = new QLabel(this);
    bezVorschauInfo->setObjectName(QStringLiteral("bezVorschauInfo"));

    Label7 = ueberschrift(
        QStringLiteral("Integration der neuen Texte in die bereits vorhandenen Einträge"), this,
        "Label7");
    kombiIntegration = new QComboBox(this);
    kombiIntegration->setObjectName(QStringLiteral("kombiIntegration"));

    Label8 = ueberschrift(QStringLiteral("Einfügen zusätzlicher Texte"), this, "Label8");
    Label3 = new QLabel(QStringLiteral("Vor dem neuen Text einfügen:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(QStringLiteral("Nach dem neuen Text einfügen:"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    for (int i = 0; i < 2; ++i) {
        auto* kombi = new QComboBox(this);
        kombi->setObjectName(QStringLiteral("kombiTxtZusatz(%1)").arg(i));
        kombi->setEditable(true);
        kombi->setInsertPolicy(QComboBox::NoInsert);
        kombi->setToolTip(QStringLiteral("Ein \"~\" steht für einen Zeilenumbruch"));
        kombiTxtZusatz[static_cast<std::size_t>(i)] = kombi;
    }
    Bezeichnung9 = new QLabel(this);
    Bezeichnung9->setObjectName(QStringLiteral("Bezeichnung9"));

    Label1 = ueberschrift(QStringLiteral("Start der Importierung"), this, "Label1");
    befOk = new QPushButton(QStringLiteral("Importierung &starten"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setAutoDefault(false);
    BefAbruch = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BefAbruch->setObjectName(QStringLiteral("BefAbruch"));
    BefAbruch->setAutoDefault(false);
    setCancelButton(BefAbruch);
    Bezeichnung12 = new QLabel(
        QStringLiteral("Bevor Ihnen Eintragungen verloren gehen, lesen Sie bitte unbedingt die "
                       "Hinweise in der Online-Hilfe (F1)."),
        this);
    Bezeichnung12->setObjectName(QStringLiteral("Bezeichnung12"));
    Bezeichnung12->setWordWrap(true);
    chkFotoTxt = new QCheckBox(QStringLiteral("Foto-Dateinamen-Texte"), this);
    chkFotoTxt->setObjectName(QStringLiteral("chkFotoTxt"));
}

void Import::layOut()
{
    // Two columns below the file, so that the window fits a small screen at double scale: the
    // marks and the preview on the left, how the texts go in and the start on the right.
    auto* haupt = new QVBoxLayout(this);

    haupt->addWidget(LabelLokal);
    auto* datei = new QHBoxLayout;
    datei->addWidget(befDatei);
    datei->addWidget(bezQuellDatei, 1);
    haupt->addLayout(datei);

    auto* spalten = new QHBoxLayout;
    haupt->addLayout(spalten, 1);
    auto* links = new QVBoxLayout;
    auto* rechts = new QVBoxLayout;
    spalten->addLayout(links, 1);
    spalten->addSpacing(12);
    spalten->addLayout(rechts, 1);

    links->addWidget(Label5);
    auto* marken = new QHBoxLayout;
    auto* vor = new QLabel(QStringLiteral("Vor dem Datum:"), this);
    vor->setBuddy(txtVorNach[0]);
    auto* nach = new QLabel(QStringLiteral("Dahinter:"), this);
    nach->setBuddy(txtVorNach[1]);
    marken->addWidget(vor);
    marken->addWidget(txtVorNach[0]);
    marken->addSpacing(8);
    marken->addWidget(nach);
    marken->addWidget(txtVorNach[1]);
    marken->addStretch(1);
    links->addLayout(marken);
    links->addSpacing(4);
    links->addWidget(Label6);
    auto* vorschau = new QHBoxLayout;
    vorschau->addWidget(befVorschau);
    vorschau->addWidget(bezVorschauInfo, 1);
    links->addLayout(vorschau);
    links->addWidget(ListeVorschau, 1);

    rechts->addWidget(Label7);
    rechts->addWidget(kombiIntegration);
    rechts->addSpacing(4);
    rechts->addWidget(Label8);
    rechts->addWidget(Label3);
    rechts->addWidget(kombiTxtZusatz[0]);
    rechts->addWidget(Label4);
    rechts->addWidget(kombiTxtZusatz[1]);
    Label3->setBuddy(kombiTxtZusatz[0]);
    Label4->setBuddy(kombiTxtZusatz[1]);
    auto* heute = new QHBoxLayout;
    heute->addWidget(new QLabel(QStringLiteral("Heute:"), this));
    heute->addWidget(Bezeichnung9);
    heute->addStretch(1);
    heute->addWidget(chkFotoTxt);
    rechts->addLayout(heute);
    rechts->addStretch(1);
    rechts->addWidget(Label1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(befOk);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BefAbruch);
    rechts->addLayout(knoepfe);
    rechts->addWidget(Bezeichnung12);

    for (QLabel* label : {Label5, Label6, Label7, Label8, Label1, bezVorschauInfo})
        label->setWordWrap(true);
    // The merge modes are read whole: the box is as wide as the longest of them.
    kombiIntegration->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bezQuellDatei->setMinimumWidth(200);
    ListeVorschau->setMinimumHeight(80);
    resize(820, 440);
    if (const QScreen* bildschirm = screen())
        resize(size().boundedTo(bildschirm->availableSize()));
}

void Import::connectHandlers()
{
    connect(befDatei, &QPushButton::clicked, this, &Import::befDatei_Click);
    connect(befVorschau, &QPushButton::clicked, this, &Import::befVorschau_Click);
    connect(befOk, &QPushButton::clicked, this, &Import::befOk_Click);
    connect(BefAbruch, &QPushButton::clicked, this, &Import::BefAbruch_Click);
    connect(ListeVorschau, &QListWidget::itemDoubleClicked, this, &Import::ListeVorschau_DblClick);
    connect(chkFotoTxt, &QCheckBox::clicked, this, &Import::chkFotoTxt_Click);
    for (QLineEdit* feld : txtVorNach)
        connect(feld, &QLineEdit::textEdited, this, &Import::txtVorNach_Change);
}

void Import::Form_Load()
{
    const platform::BusyPointer sanduhr;
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    bezQuellDatei->clear();
    bezVorschauInfo->clear();
    Bezeichnung9->setText(rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy")));

    txtVorNach[0]->setText(ImportMarke(einstellung("ExpPre", "@_")));
    txtVorNach[1]->setText(ImportMarke(einstellung("ExpSuf", ":_"), &nachLeer_));

    befVorschau->setEnabled(false);
    befOk->setEnabled(false);

    kombiIntegration->addItems({
        QStringLiteral("Bereits vorhandene Einträge löschen. Achtung!"),
        QStringLiteral("Neue Texte an vorhandene Eingaben anhängen."),
        QStringLiteral("Neue Texte vor vorhandene Eingaben stellen."),
        QStringLiteral("Wenn bereits ein Eintrag vorhanden ist, dann Neues ignorieren."),
    });
    kombiIntegration->setCurrentIndex(importAnhaengen);

    const QString heute = Bezeichnung9->text();
    kombiTxtZusatz[0]->addItems({
        QString(),
        QStringLiteral("(Eintrag wurde importiert)"),
        QStringLiteral("(Eintrag am ") + heute + QStringLiteral(" importiert)"),
        QStringLiteral("(Eintrag von ...)"),
        QStringLiteral("{"),
        QStringLiteral("("),
        QStringLiteral("["),
    });
    const QString station =
        foundation::IniLesen({}, QStringLiteral("Allgemein"), QStringLiteral("StationsID"));
    for (const Station& s : stationen) {
        if (!station.isEmpty() && station == QString::fromUtf16(s.kennung))
            kombiTxtZusatz[0]->addItem(QStringLiteral("~[Von ") + QString::fromUtf16(s.name)
                                       + QStringLiteral(": "));
    }
    kombiTxtZusatz[1]->addItems({QString(), QStringLiteral("}"), QStringLiteral(")"),
                                 QStringLiteral("]")});
    for (QComboBox* kombi : kombiTxtZusatz)
        kombi->setCurrentIndex(kombi->count() - 1);

    const QString datei = foundation::IniLesen(
        {}, {}, QStringLiteral("FileNameImp"), foundation::ordnerDat + QStringLiteral("/Ausgabe.kv"));
    if (foundation::DateiExistiert(datei)) {
        quelleSetzen(datei);
        befVorschau_Click();
    }

    chkFotoTxt->setVisible(foundation::IstInterneInstallation());
}

void Import::quelleSetzen(const QString& datei)
{
    bezQuellDatei->setText(datei);
    befVorschau->setEnabled(true);
}

void Import::vorschauVerwerfen()
{
    eintraege_.clear();
    vorschauQuelle_.clear();
    ListeVorschau->clear();
    bezVorschauInfo->clear();
    befOk->setEnabled(fotoModus_);
}

void Import::befDatei_Click()
{
    const std::optional<QString> datei = platform::dialogs().openFile(
        QStringLiteral("Wählen Sie eine Import-Datei"), QStringLiteral("Korvanele|*.kv|Alles|*.*|"),
        foundation::ordnerDat);
    if (!datei || !foundation::DateiExistiert(*datei))
        return;
    fotoModus_ = false;
    chkFotoTxt->setChecked(false);
    vorschauVerwerfen();
    quelleSetzen(*datei);
}

void Import::txtVorNach_Change()
{
    if (!fotoModus_)
        vorschauVerwerfen();
}

void Import::befVorschau_Click()
{
    const platform::BusyPointer sanduhr;
    vorschauVerwerfen();
    const QString datei = bezQuellDatei->text();
    const std::optional<QByteArray> bytes = platform::readFile(platform::resolvePath(datei));
    if (!bytes) {
        foundation::FehlerBehandlung(rt::Err().number, QStringLiteral("Es ist ein Fehler aufgetreten."));
        ImportBereichMelden();
        return;
    }
    eintraege_ = ImportEintraegeLesen(rt::decodeExternalText(*bytes), txtVorNach[0]->text(),
                                      txtVorNach[1]->text(), nachLeer_);
    vorschauQuelle_ = datei;

    QString dateiText;
    ListeVorschau->setUpdatesEnabled(false);
    for (const ImportEintrag& eintrag : eintraege_) {
        const QString zeile = ImportVorschauZeile(eintrag);
        if (ListeVorschau->count() < listenGrenze)
            ListeVorschau->addItem(zeile);
        dateiText += zeile + zeilenumbruch;
    }
    ListeVorschau->setUpdatesEnabled(true);
    if (ListeVorschau->count() > 0)
        ListeVorschau->setCurrentRow(ListeVorschau->count() - 1);
    if (!foundation::nurLesen && !platform::writeTextFile(vorschauDatei(), dateiText))
        foundation::FehlerBehandlung(rt::Err().number, QStringLiteral("Es ist ein Fehler aufgetreten."));
    ImportBereichMelden();
}

void Import::ImportBereichMelden()
{
    const platform::BusyPointer sanduhr;
    if (eintraege_.empty()) {
        bezVorschauInfo->setText(QStringLiteral("Keine Einträge gefunden!"));
        befOk->setEnabled(fotoModus_);
        return;
    }
    QString erster = eintraege_.front().datum;
    QString letzter = erster;
    for (const ImportEintrag& eintrag : eintraege_) {
        if (ordnung(eintrag.datum) < ordnung(erster))
            erster = eintrag.datum;
        if (ordnung(eintrag.datum) > ordnung(letzter))
            letzter = eintrag.datum;
    }
    bezVorschauInfo->setText(rt::Format(static_cast<qint64>(eintraege_.size()), QStringLiteral("#,##0"))
                             + QStringLiteral(" Einträge im Bereich vom ") + erster
                             + QStringLiteral(" bis zum ") + letzter + QStringLiteral(" gefunden."));
    befOk->setEnabled(!foundation::nurLesen);
}

void Import::ListeVorschau_DblClick()
{
    const int zeile = ListeVorschau->currentRow();
    if (zeile < 0 || zeile >= static_cast<int>(eintraege_.size()))
        return;
    const ImportEintrag& eintrag = eintraege_[static_cast<std::size_t>(zeile)];
    QString text = eintrag.text;
    if (text.size() > 1000)
        text = text.left(1000) + QStringLiteral("...");
    platform::dialogs().msgBox(text, platform::vbOKOnly | platform::vbInformation,
                               QStringLiteral("Korvanel, Import-Vorschau für ") + eintrag.datum);
}

void Import::chkFotoTxt_Click()
{
    if (!chkFotoTxt->isChecked())
        return;
    fotoModus_ = true;
    bezQuellDatei->setText(QStringLiteral("Z:/!Foto.txt"));
    kombiTxtZusatz[0]->setEditText(QStringLiteral("~"));
    kombiTxtZusatz[1]->setEditText(QStringLiteral(" [Von Foto-Text]"));
    befVorschau->setEnabled(true);
    befOk->setEnabled(true);
}

std::vector<ImportEintrag> Import::fotoEintraege()
{
    std::vector<ImportEintrag> eintraege;
    const std::optional<QString> text =
        platform::readTextFile(platform::resolvePath(bezQuellDatei->text()));
    if (!text) {
        foundation::FehlerBehandlung(rt::Err().number,
                                     QStringLiteral("Es ist ein Fehler beim Importieren aufgetreten."));
        return eintraege;
    }
    for (const QString& zeile : rt::splitLines(*text)) {
        const QString name = foundation::PfadTeil(zeile, 1);
        const QString tag = gueltigerTag(rt::Mid(name, 8, 2) + u'.' + rt::Mid(name, 6, 2) + u'.'
                                         + rt::Mid(name, 1, 4));
        if (tag.isEmpty())
            continue;
        eintraege.push_back({tag, textlib::OemNachAnsi(rt::Trim(rt::Mid(name, 17)))});
    }
    return eintraege;
}

void Import::befOk_Click()
{
    platform::MainPort* main = platform::mainPort();
    if (laeuft_ || main == nullptr || foundation::nurLesen)
        return;
    const KeepAlive halten(*this);
    laeuft_ = true;

    // Only the texts before and after are message markup.
    const QString vor = foundation::MeldungAufbereiten(kombiTxtZusatz[0]->currentText());
    QString nach = foundation::MeldungAufbereiten(kombiTxtZusatz[1]->currentText());
    if (kombiTxtZusatz[1]->currentText().startsWith(u' '))
        nach.prepend(u' ');
    const int modus = kombiIntegration->currentIndex();
    const std::vector<ImportEintrag> eintraege = fotoModus_ ? fotoEintraege() : eintraege_;
    const QString quelle = fotoModus_ ? bezQuellDatei->text() : vorschauQuelle_;

    foundation::SteuerelementeSperren(*this, false);
    qsizetype nummer = 0;
    for (const ImportEintrag& eintrag : eintraege) {
        if (isUnloaded())
            return;
        bezVorschauInfo->setText(QStringLiteral("Importiere ") + QString::number(++nummer)
                                 + QStringLiteral(" von ")
                                 + QString::number(static_cast<qsizetype>(eintraege.size()))
                                 + QStringLiteral("..."));
        main->setDateCaption(eintrag.datum);
        QCoreApplication::processEvents();
        if (isUnloaded())
            return;
        const QString alt = main->text();
        const QString neu = vor + eintrag.text + nach;
        QString ergebnis = ImportZusammenfuehren(alt, neu, modus);
        // A text before that begins with a line break does not open an entry with an empty line.
        if (vor.startsWith(zeilenumbruch) && ergebnis.startsWith(neu))
            ergebnis.remove(0, zeilenumbruch.size());
        if (ergebnis != alt)
            platform::replaceEntryText(*main, ergebnis);
        QCoreApplication::processEvents();
    }
    if (isUnloaded())
        return;
    foundation::SteuerelementeSperren(*this, true);
    bezVorschauInfo->setText(QString::number(static_cast<qsizetype>(eintraege.size()))
                             + QStringLiteral(" Einträge importiert."));

    if (!quelle.isEmpty()
        && platform::dialogs().msgBox(QStringLiteral("Soll die Datei »") + quelle
                                          + QStringLiteral("« jetzt wieder gelöscht werden?"),
                                      platform::vbYesNo | platform::vbQuestion,
                                      QStringLiteral("Import-Datei wieder löschen?"))
               == platform::vbYes)
        QFile::remove(platform::resolvePath(quelle));
    if (!quelle.isEmpty() && !fotoModus_)
        foundation::IniSchreiben({}, {}, QStringLiteral("FileNameImp"), quelle);
    laeuft_ = false;
    BefAbruch_Click();
}

void Import::BefAbruch_Click()
{
    if (laeuft_)
        return;
    const QString datei = platform::resolvePath(vorschauDatei());
    if (!foundation::nurLesen && QFile::exists(datei))
        QFile::remove(datei);
    hide();
}

void Import::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    BefAbruch_Click();
}

void Import::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        foundation::HilfeZeigen(foundation::hilfeDatei(), 0);
        return;
    }
    platform::Form::keyPressEvent(event);
}

} // namespace print
