#include "keyword_list.h"

#include "zoom_text.h"

#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_box.h"
#include "print/list_printing.h"
#include "runtime/error.h"
#include "textlib/list_jobs.h"

#include <QApplication>
#include <QCollator>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace views {

namespace {

const QString druckJobStichworte = QStringLiteral("Korvanel_Stichworte");
const QString kopfzeile = QStringLiteral("Korvanel, Liste der Stichwörter, Seite &[Seite]");

// The window's timer keeps the buttons' states current.
constexpr int zeitIntervall = 333;

const QCollator& deutscheOrdnung()
{
    static const QCollator ordnung = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return ordnung;
}

// The number of "~" in text before position (each stands for a line break of two characters
// in the enlarged editor).
int tildenVor(const QString& text, int position)
{
    return static_cast<int>(text.left(position).count(u'~'));
}

} // namespace

QString stichwortDatei()
{
    return foundation::ordnerDat + QStringLiteral("/Korvanel.stw");
}

bool stichwortVorher(const QString& a, const QString& b)
{
    const int vergleich = deutscheOrdnung().compare(a, b);
    if (vergleich != 0)
        return vergleich < 0;
    return a < b;
}

QString alsEineZeile(const QString& text)
{
    return platform::withCrLf(text).replace(QStringLiteral("\r\n"), QStringLiteral("~"));
}

Stichworte::Stichworte(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Stichworte"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

QString Stichworte::waehlen(const QString& vorschlag)
{
    QPointer<Stichworte> fenster = new Stichworte;
    fenster->vorschlagSetzen(vorschlag);
    fenster->showModal();
    if (!fenster)
        return {};
    QString gewaehlt;
    if (!fenster->isUnloaded())
        gewaehlt = fenster->BezÜbergabe->text();
    fenster->unload();
    return gewaehlt;
}

void Stichworte::vorschlagSetzen(const QString& vorschlag)
{
    Text->setText(alsEineZeile(vorschlag));
}

// --- Building the window ------------------------------------------------------------------

void Stichworte::createControls()
{
    setWindowTitle(QStringLiteral("Stichwörter"));

    Rahmen2 = new QGroupBox(QStringLiteral("Neues Stichwort"), this);
    Rahmen2->setObjectName(QStringLiteral("Rahmen2"));
    Text = new platform::LineTextBox(Rahmen2);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setMaxLength(maxLaenge);
    Text->setToolTip(QStringLiteral("Strg+F2 bearbeitet den Text im vergrößerten Editor"));
    bezZoom = new QPushButton(QStringLiteral("Z&oom"), Rahmen2);
    bezZoom->setObjectName(QStringLiteral("bezZoom"));
    bezZoom->setAutoDefault(false);
    bezZoom->setToolTip(QStringLiteral("Den Text im vergrößerten Editor bearbeiten (Strg+F2)"));

    Rahmen1 = new QGroupBox(QStringLiteral("Vorhandene Stichwörter"), this);
    Rahmen1->setObjectName(QStringLiteral("Rahmen1"));
    Liste = new QListWidget(Rahmen1);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setUniformItemSizes(true);

    const auto knopf = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        return b;
    };
    BefAufnehmen = knopf("BefAufnehmen", "Auf&nehmen");
    befLöschen = knopf("befLöschen", "&Löschen");
    befEinfügen = knopf("befEinfügen", "&Einfügen");
    befDrucken = knopf("befDrucken", "Liste &drucken");
    BefAbbruch = knopf("BefAbbruch", "&Zurück");
    setCancelButton(BefAbbruch);

    // The hand-over to the opener; the user never needs to see it.
    BezÜbergabe = new QLabel(this);
    BezÜbergabe->setObjectName(QStringLiteral("BezÜbergabe"));
    BezÜbergabe->setTextFormat(Qt::PlainText);
    BezÜbergabe->setVisible(false);

    // The buttons also follow each change of the field and the selection at once; the timer
    // catches whatever else changes their state.
    Zeit = new QTimer(this);
    Zeit->setObjectName(QStringLiteral("Zeit"));
    Zeit->setInterval(zeitIntervall);
}

void Stichworte::layOut()
{
    auto* feld = new QHBoxLayout(Rahmen2);
    feld->addWidget(Text, 1);
    feld->addWidget(bezZoom);

    auto* liste = new QVBoxLayout(Rahmen1);
    liste->addWidget(Liste);

    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(BefAufnehmen);
    knoepfe->addWidget(befLöschen);
    knoepfe->addSpacing(12);
    knoepfe->addWidget(befEinfügen);
    knoepfe->addStretch(1);
    knoepfe->addWidget(befDrucken);
    knoepfe->addWidget(BefAbbruch);

    auto* links = new QVBoxLayout;
    links->addWidget(Rahmen2);
    links->addWidget(Rahmen1, 1);

    // The field and the list take the room of a larger window; the buttons keep their width.
    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 1);
    haupt->addLayout(knoepfe);
    Liste->setMinimumSize(260, 180);
    resize(480, 360);
}

void Stichworte::connectHandlers()
{
    connect(BefAufnehmen, &QPushButton::clicked, this, &Stichworte::BefAufnehmen_Click);
    connect(befLöschen, &QPushButton::clicked, this, &Stichworte::befLöschen_Click);
    connect(befEinfügen, &QPushButton::clicked, this, &Stichworte::befEinfügen_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Stichworte::BefAbbruch_Click);
    connect(befDrucken, &QPushButton::clicked, this, &Stichworte::befDrucken_Click);
    connect(bezZoom, &QPushButton::clicked, this, &Stichworte::bezZoom_Click);
    connect(Liste, &QListWidget::itemClicked, this, &Stichworte::Liste_Click);
    connect(Liste, &QListWidget::itemDoubleClicked, this, &Stichworte::Liste_DblClick);
    // Moving through the list with the keys is a click on each keyword, as the mouse's is.
    connect(Liste, &QListWidget::currentRowChanged, this, [this] {
        if (Liste->hasFocus())
            Liste_Click();
        Zeit_Timer();
    });
    connect(Text, &QLineEdit::textChanged, this, &Stichworte::Text_Change);
    connect(Zeit, &QTimer::timeout, this, &Stichworte::Zeit_Timer);
    Text->installEventFilter(this);
    Liste->installEventFilter(this);
}

void Stichworte::Form_Load()
{
    platform::BusyPointer sanduhr;
    const platform::MainPort* haupt = platform::mainPort();
    setWindowIcon(haupt ? haupt->icon() : QApplication::windowIcon());
    // The list shows the keywords in the colours of the entry's editor.
    if (haupt) {
        const QPalette editor = haupt->textPalette();
        QPalette farben = Liste->palette();
        farben.setColor(QPalette::Text, editor.color(QPalette::Text));
        farben.setColor(QPalette::Base, editor.color(QPalette::Base));
        Liste->setPalette(farben);
    }
    Text->clear();
    StichworteLaden();
    Zeit_Timer();
    Zeit->start();
}

// --- The keyword file ---------------------------------------------------------------------

void Stichworte::StichworteLaden()
{
    const QString pfad = stichwortDatei();
    Liste->clear();
    rt::clearError();
    dateiGelesen_ = textlib::ListeAusDatei(Liste, pfad);
    // What stands under the name but opens as no file (a folder, a pipe, a file we may not read)
    // is no missing file either: an empty list saved on leaving would take its place.
    if (dateiGelesen_ && QFileInfo::exists(platform::resolvePath(pfad))
        && !foundation::DateiExistiert(pfad))
        dateiGelesen_ = false;
    if (!dateiGelesen_) {
        const QString grund = rt::Err() ? QStringLiteral(" (") + rt::Err().description + u')'
                                        : QString();
        platform::dialogs().msgBox(
            QStringLiteral("Die Stichwortdatei »") + pfad
                + QStringLiteral("« kann nicht gelesen werden") + grund
                + QStringLiteral(".\r\n\r\nÄnderungen an der Liste werden nicht gespeichert, "
                                 "damit die Datei erhalten bleibt."),
            platform::vbOKOnly | platform::vbExclamation, windowTitle());
    }
    QStringList stichworte;
    stichworte.reserve(Liste->count());
    for (int i = 0; i < Liste->count(); ++i)
        stichworte.append(Liste->item(i)->text());
    std::stable_sort(stichworte.begin(), stichworte.end(), stichwortVorher);
    Liste->clear();
    Liste->addItems(stichworte);
    if (Liste->count() > 0)
        Liste->setCurrentRow(0);
}

void Stichworte::StichworteSpeichern()
{
    if (foundation::nurLesen || !dateiGelesen_)
        return;
    if (!textlib::ListeInDatei(Liste, stichwortDatei())) {
        const QString grund = rt::Err().description;
        platform::dialogs().msgBox(QStringLiteral("Die Stichwörter konnten nicht in »")
                                       + stichwortDatei()
                                       + QStringLiteral("« gespeichert werden (") + grund
                                       + QStringLiteral(")."),
                                   platform::vbOKOnly | platform::vbExclamation, windowTitle());
    }
}

// --- Handlers -----------------------------------------------------------------------------

int Stichworte::letzteGleiche(const QString& text) const
{
    for (int i = Liste->count() - 1; i >= 0; --i) {
        if (Liste->item(i)->text() == text)
            return i;
    }
    return -1;
}

void Stichworte::BefAufnehmen_Click()
{
    const QString neu = Text->text();
    if (foundation::nurLesen || neu.isEmpty())
        return;
    if (letzteGleiche(neu) < 0) {
        int stelle = 0;
        while (stelle < Liste->count() && !stichwortVorher(neu, Liste->item(stelle)->text()))
            ++stelle;
        Liste->insertItem(stelle, neu);
    }
    Liste->setCurrentRow(letzteGleiche(neu));
    Liste->scrollToItem(Liste->currentItem());
    Text->clear();
    // The search window reads the keyword file when it loads: the next opening sees the new one.
    if (platform::FormCore* suchen = platform::findForm(QStringLiteral("Suchen")))
        suchen->unload();
    Zeit_Timer();
}

void Stichworte::befLöschen_Click()
{
    const int zeile = Liste->currentRow();
    if (foundation::nurLesen || zeile < 0)
        return;
    delete Liste->takeItem(zeile);
    if (Liste->count() == 0)
        Liste->setCurrentRow(-1);
    else
        Liste->setCurrentRow(std::min(zeile, Liste->count() - 1));
    Zeit_Timer();
}

void Stichworte::befEinfügen_Click()
{
    const QListWidgetItem* gewaehlt = Liste->currentItem();
    if (foundation::nurLesen || gewaehlt == nullptr || Liste->currentRow() < 0)
        return;
    StichworteSpeichern();
    BezÜbergabe->setText(gewaehlt->text());
    hide();
}

void Stichworte::BefAbbruch_Click()
{
    StichworteSpeichern();
    BezÜbergabe->clear();
    hide();
}

void Stichworte::befDrucken_Click()
{
    print::ListeMitEinstellungenDrucken(Liste, druckJobStichworte, windowTitle(), kopfzeile,
                                        QStringLiteral("Arial"), 10);
    BefAbbruch->setFocus();
}

void Stichworte::bezZoom_Click()
{
    const QString feld = Text->text();
    const int start = Text->selStart();
    const int laenge = Text->selLength();

    QPointer<ZoomText> zoom = new ZoomText;
    zoom->Text->setText(QString(feld).replace(u'~', QStringLiteral("\r\n")));
    zoom->Text->setMaxLength(Text->maxLength());
    // The same characters selected: each "~" is a line break of two there.
    const int zoomStart = start + tildenVor(feld, start);
    zoom->Text->setSelStart(zoomStart);
    zoom->Text->setSelLength(laenge + tildenVor(feld.mid(start), laenge));
    if (const platform::MainPort* haupt = platform::mainPort()) {
        const QFont editor = haupt->textFont();
        QFont schrift = zoom->Text->font();
        schrift.setFamily(editor.family());
        schrift.setPointSizeF(editor.pointSizeF() > 0 ? editor.pointSizeF() : schrift.pointSizeF());
        schrift.setBold(editor.bold());
        schrift.setItalic(editor.italic());
        zoom->Text->setFont(schrift);
        QPalette farben = zoom->Text->palette();
        farben.setColor(QPalette::Base, haupt->textPalette().color(QPalette::Base));
        farben.setColor(QPalette::Text, haupt->textPalette().color(QPalette::Text));
        zoom->Text->setPalette(farben);
    }
    zoom->setWindowTitle(QStringLiteral("Zoom (Neues Stichwort)"));
    zoom->showModal();
    if (!zoom)
        return;
    if (!zoom->isUnloaded() && !zoom->abgebrochen())
        Text->setText(alsEineZeile(zoom->Text->text()));
    Text->setFocus();
    zoom->unload();
}

void Stichworte::Liste_Click()
{
    if (const QListWidgetItem* zeile = Liste->currentItem())
        Text->setText(zeile->text());
}

void Stichworte::Liste_DblClick()
{
    Zeit_Timer();
    if (befEinfügen->isEnabled())
        befEinfügen_Click();
}

void Stichworte::Text_Change()
{
    // A keyword is one line: line breaks that come in by pasting or from the opener become "~".
    const QString text = Text->text();
    if (!text.contains(u'\r') && !text.contains(u'\n') && !text.contains(QChar(0x2028))
        && !text.contains(QChar(0x2029))) {
        Zeit_Timer();
        return;
    }
    const int caret = Text->cursorPosition();
    const QString vorher = alsEineZeile(text.left(caret));
    Text->setText(alsEineZeile(text));
    Text->setCursorPosition(static_cast<int>(vorher.size()));
}

void Stichworte::Zeit_Timer()
{
    const bool schreiben = !foundation::nurLesen;
    BefAufnehmen->setEnabled(schreiben && !Text->text().isEmpty());
    const bool gewaehlt = Liste->currentRow() >= 0 && Liste->currentItem() != nullptr;
    befLöschen->setEnabled(schreiben && gewaehlt);
    befEinfügen->setEnabled(schreiben && gewaehlt);
}

void Stichworte::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    BefAbbruch_Click();
}

bool Stichworte::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        const bool enter = taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter;
        if (watched == Text && enter) {
            // Enter in the field never reaches a button: it takes the text in, when it may.
            Zeit_Timer();
            if (BefAufnehmen->isEnabled())
                BefAufnehmen_Click();
            return true;
        }
        if (watched == Text && taste->key() == Qt::Key_F2
            && taste->modifiers().testFlag(Qt::ControlModifier)) {
            bezZoom_Click();
            return true;
        }
        if (watched == Liste && enter) {
            Zeit_Timer();
            if (befEinfügen->isEnabled())
                befEinfügen_Click();
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace views
