#include "views/bookmarks.h"

#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/text_replace.h"
#include "foundation/ui_services.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/path_resolver.h"
#include "platform/screen.h"
#include "platform/text_box.h"
#include "platform/text_file.h"
#include "print/list_printing.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/store_state.h"
#include "views/selected_line.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace views {

namespace {

const QString iniAlphabetisch = QStringLiteral("Lesezeichen alphabetisch");
const QString zeilenende = QStringLiteral("\r\n");
constexpr int datumLaenge = 10;
constexpr int hinweisLaenge = 255;

// The note of a line as the window shows and sorts it: characters 12 to 266.
QString hinweisVon(const QString& zeile)
{
    return rt::Mid(zeile, datumLaenge + 2, hinweisLaenge);
}

QString datumVon(const QString& zeile)
{
    return rt::Left(zeile, datumLaenge);
}

// Double blanks made single, once over the text (three blanks become two).
QString blankeEinfach(const QString& text)
{
    return foundation::TextErsetzen(text, QStringLiteral("  "), QStringLiteral(" "));
}

QString menueName(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

QString lesezeichenDatei()
{
    return foundation::ordnerDat + QStringLiteral("/LeseZeic.") + store::korvanelKuerzel;
}

Lesezeichen::Lesezeichen(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Lesezeichen"));
    setWindowTitle(QStringLiteral("Lesezeichen"));
    createControls();
    createMenus();
    layOut();
    connectHandlers();
    Form_Load();
}

void Lesezeichen::createControls()
{
    Liste = new QListWidget(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Rahmen1 = new QGroupBox(QStringLiteral("Lesezeichen..."), this);
    Rahmen1->setObjectName(QStringLiteral("Rahmen1"));
    txtDatum = new platform::LineTextBox(Rahmen1);
    txtDatum->setObjectName(QStringLiteral("txtDatum"));
    txtDatum->setMaxLength(20);
    txtDatum->setToolTip(QStringLiteral("Tag des Lesezeichens"));
    txtBem = new platform::LineTextBox(Rahmen1);
    txtBem->setObjectName(QStringLiteral("txtBem"));
    txtBem->setMaxLength(hinweisLaenge);
    txtBem->setToolTip(QStringLiteral("Hinweistext des Lesezeichens"));
    CheckSortABC = new QCheckBox(QStringLiteral("abc"), Rahmen1);
    CheckSortABC->setObjectName(QStringLiteral("CheckSortABC"));
    CheckSortABC->setToolTip(QStringLiteral("Alphabetisch oder chronologisch sortieren"));
    befSetzen[0] = new QPushButton(QStringLiteral("Erstelle&n"), Rahmen1);
    befSetzen[0]->setToolTip(QStringLiteral("Lesezeichen neu erstellen"));
    befSetzen[1] = new QPushButton(QStringLiteral("Änd&ern"), Rahmen1);
    befSetzen[1]->setToolTip(QStringLiteral("Gewähltes Lesezeichen ändern"));
    for (int i = 0; i < 2; ++i) {
        befSetzen[i]->setObjectName(QStringLiteral("befSetzen(%1)").arg(i));
        befSetzen[i]->setAutoDefault(false);
    }
    befGeheZu = new QPushButton(QStringLiteral("&Gehe zu"), this);
    befGeheZu->setObjectName(QStringLiteral("befGeheZu"));
    befGeheZu->setToolTip(QStringLiteral("Gehe zu gewähltem Tag"));
    befGeheZu->setAutoDefault(false);
    Zeit = new QTimer(this);
    Zeit->setObjectName(QStringLiteral("Zeit"));
    Zeit->setInterval(333);
}

void Lesezeichen::createMenus()
{
    Menue = new QMenuBar(this);
    Menue->setObjectName(QStringLiteral("Menue"));
    actions = new platform::ActionRegistry(this);
    QMenu* menue = actions->addMenu(Menue, menueName("mnuLesezeichen"), menueName("&Lesezeichen"));
    actions->addAction(menue, menueName("mnuLesezeichenLöschen"),
                       menueName("&Lösche Lesezeichen vom 88.88.8888"));
    actions->addAction(menue, menueName("mnuLesezeichenDrucken"), menueName("&Drucke Lesezeichen"),
                       QKeySequence(QStringLiteral("Ctrl+P")));
    actions->addSeparator(menue, menueName("mnuStrich1"));
    actions->addAction(menue, menueName("mnuAbbrechen"), menueName("&Abbrechen"),
                       QKeySequence(QStringLiteral("F12")));
}

void Lesezeichen::layOut()
{
    auto* felder = new QGridLayout(Rahmen1);
    felder->addWidget(new QLabel(QStringLiteral("Datum"), Rahmen1), 0, 0);
    felder->addWidget(new QLabel(QStringLiteral("Hinweis"), Rahmen1), 0, 1);
    felder->addWidget(txtDatum, 1, 0);
    felder->addWidget(txtBem, 1, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(befSetzen[0]);
    knoepfe->addWidget(befSetzen[1]);
    knoepfe->addStretch();
    knoepfe->addWidget(CheckSortABC);
    felder->addLayout(knoepfe, 2, 0, 1, 2);
    felder->setColumnStretch(1, 1);
    txtDatum->setMinimumWidth(txtDatum->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")));
    txtDatum->setMaximumWidth(txtDatum->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) * 2);

    auto* unten = new QHBoxLayout;
    unten->addWidget(Rahmen1, 1);
    unten->addWidget(befGeheZu, 0, Qt::AlignBottom);
    befGeheZu->setMinimumWidth(befGeheZu->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000"))
                               + 24);
    befGeheZu->setMinimumHeight(Rahmen1->sizeHint().height() - 8);

    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(Menue);
    aussen->addWidget(Liste, 1);
    aussen->addLayout(unten);
}

void Lesezeichen::connectHandlers()
{
    connect(Liste, &QListWidget::currentRowChanged, this, &Lesezeichen::Liste_Click);
    connect(Liste, &QListWidget::itemClicked, this, &Lesezeichen::Liste_Click);
    connect(Liste, &QListWidget::itemDoubleClicked, this, &Lesezeichen::Liste_DblClick);
    for (int i = 0; i < 2; ++i)
        connect(befSetzen[i], &QPushButton::clicked, this, [this, i] { befSetzen_Click(i); });
    connect(befGeheZu, &QPushButton::clicked, this, &Lesezeichen::befGeheZu_Click);
    connect(CheckSortABC, &QCheckBox::clicked, this, &Lesezeichen::CheckSortABC_Click);
    connect(actions->action(menueName("mnuLesezeichenLöschen")), &QAction::triggered, this,
            &Lesezeichen::mnuLesezeichenLöschen_Click);
    connect(actions->action(menueName("mnuLesezeichenDrucken")), &QAction::triggered, this,
            &Lesezeichen::mnuLesezeichenDrucken_Click);
    connect(actions->action(menueName("mnuAbbrechen")), &QAction::triggered, this,
            &Lesezeichen::mnuAbbrechen_Click);
    connect(Zeit, &QTimer::timeout, this, &Lesezeichen::Zeit_Timer);
    txtDatum->installEventFilter(this);
}

void Lesezeichen::Form_Load()
{
    platform::MainPort* main = platform::mainPort();
    // Most of the main window's size, centred on it.
    const double twipsX = platform::screen().twipsPerPixelX();
    const double twipsY = platform::screen().twipsPerPixelY();
    platform::TwipsGeometry haupt{0, 0, 800 * twipsX, 600 * twipsY};
    if (main != nullptr) {
        haupt = main->geometryTwips();
        setWindowIcon(main->icon());
    }
    const double breite = std::max(haupt.width * 0.85, 7800.0);
    const double hoehe = std::max(haupt.height * 0.85, 440.0);
    moveTwips(haupt.left + (haupt.width - breite) / 2, haupt.top + (haupt.height - hoehe) / 2,
              breite, hoehe);

    gesperrt_ = foundation::nurLesen;
    LesezeichenLaden();

    // The last bookmark in file order on or before the day shown.
    const QString gezeigt = main != nullptr ? main->dateCaption() : store::aktDatum;
    if (Liste->count() > 0) {
        Liste->setCurrentRow(0);
        if (const std::optional<rt::VbDate> tag = rt::CDate(gezeigt)) {
            for (int i = 0; i < Liste->count(); ++i) {
                const std::optional<rt::VbDate> datum = rt::CDate(datumVon(Liste->item(i)->text()));
                if (datum && *datum <= *tag)
                    Liste->setCurrentRow(i);
            }
        }
    }

    const double alphabetisch =
        std::fabs(rt::Val(foundation::IniLesen({}, {}, iniAlphabetisch, QStringLiteral("1"))));
    CheckSortABC->setChecked(rt::Int(alphabetisch) != 0);
    LesezeichenSortieren();

    txtDatum->setText(gezeigt);
    QString bemerkung = main != nullptr ? main->text() : QString();
    bemerkung.replace(u'\r', u' ');
    bemerkung.replace(u'\n', u' ');
    txtBem->setText(rt::Trim(blankeEinfach(bemerkung)));
    // The note taken from a long entry shows its beginning, not its end.
    txtBem->setSelStart(0);

    if (gesperrt_)
        sperren();
    Zeit_Timer();
    Zeit->start();
}

void Lesezeichen::sperren()
{
    gesperrt_ = true;
    txtDatum->setLocked(true);
    txtBem->setLocked(true);
    actions->setEnabled(menueName("mnuLesezeichenLöschen"), false);
    befSetzen[0]->setEnabled(false);
    befSetzen[1]->setEnabled(false);
}

void Lesezeichen::LesezeichenLaden()
{
    Liste->clear();
    const QString pfad = lesezeichenDatei();
    const QFileInfo info(platform::resolvePath(pfad));
    if (!info.exists() && !info.isSymLink())
        return;
    std::optional<QByteArray> bytes;
    // Only a plain file is read: a folder, a pipe or a link to nowhere is a file that cannot be
    // read, and is then never written over either.
    if (info.isFile())
        bytes = platform::readFile(pfad);
    else
        rt::raiseError(rt::ErrPathFileAccess);
    if (!bytes) {
        const int nummer = rt::Err().number != 0 ? rt::Err().number : rt::ErrPathFileAccess;
        sperren();
        foundation::FehlerBehandlung(
            nummer, QStringLiteral("Es ist ein Fehler beim Lesen der Lesezeichen aufgetreten. Damit "
                                   "die Datei »")
                        + pfad
                        + QStringLiteral("« nicht überschrieben wird, speichert dieses Fenster "
                                         "keine Änderungen."));
        return;
    }

    const std::optional<QString> entschluesselt = store::verschluesselteFormLesen(*bytes);
    const QString text = entschluesselt ? *entschluesselt : rt::decodeText(*bytes);
    // Every line end counts, CR LF, LF or CR alike.
    for (const QString& stueck : rt::splitLines(text)) {
        const QString zeile = rt::Trim(stueck);
        if (rt::Len(zeile) > datumLaenge && rt::IsDate(datumVon(zeile)))
            Liste->addItem(blankeEinfach(zeile));
    }
}

void Lesezeichen::zeileWaehlen(const QString& text)
{
    for (int i = Liste->count() - 1; i >= 0; --i) {
        if (Liste->item(i)->text() == text) {
            Liste->setCurrentRow(i);
            return;
        }
    }
    Liste->setCurrentRow(-1);
}

void Lesezeichen::LesezeichenSortieren()
{
    if (Liste->count() == 0)
        return;
    const QListWidgetItem* gewaehlt = gewaehlteZeile(Liste);
    const QString gemerkt = gewaehlt != nullptr ? gewaehlt->text() : QString();
    QStringList zeilen;
    for (int i = 0; i < Liste->count(); ++i)
        zeilen.append(Liste->item(i)->text());

    if (!CheckSortABC->isChecked()) {
        // Newest day first; a day that is no date counts as today. Entries of one day keep
        // their order.
        const rt::VbDate heute = rt::DateOnly(platform::clock().now());
        const auto tag = [heute](const QString& zeile) {
            return rt::CDate(datumVon(zeile)).value_or(heute);
        };
        std::stable_sort(zeilen.begin(), zeilen.end(),
                         [&tag](const QString& a, const QString& b) { return tag(a) > tag(b); });
    } else {
        std::stable_sort(zeilen.begin(), zeilen.end(), [](const QString& a, const QString& b) {
            return hinweisVon(a) < hinweisVon(b);
        });
    }
    // Of neighbours of the same day the later one stays.
    QStringList behalten;
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        if (i + 1 < zeilen.size() && datumVon(zeilen[i]) == datumVon(zeilen[i + 1]))
            continue;
        behalten.append(zeilen[i]);
    }

    Liste->clear();
    Liste->addItems(behalten);
    if (!gemerkt.isEmpty())
        zeileWaehlen(gemerkt);
}

void Lesezeichen::LesezeichenSpeichern()
{
    if (gesperrt_)
        return;
    QString klartext;
    for (int i = 0; i < Liste->count(); ++i)
        klartext += Liste->item(i)->text() + zeilenende;
    const QByteArray bytes = store::kennwortSchreiben.isEmpty()
                                 ? rt::encodeText(klartext)
                                 : store::verschluesselteForm(klartext);
    if (platform::writeFile(lesezeichenDatei(), bytes))
        return;
    const QString grund = rt::errorText(rt::Err().number);
    foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
    platform::dialogs().msgBox(QStringLiteral("Die Lesezeichen konnten nicht gespeichert werden (")
                                   + grund + QStringLiteral(").\r\n\r\nDie Datei »")
                                   + lesezeichenDatei() + QStringLiteral("« bleibt, wie sie war."),
                               platform::vbOKOnly | platform::vbExclamation, windowTitle());
}

void Lesezeichen::Liste_Click()
{
    const QListWidgetItem* zeile = gewaehlteZeile(Liste);
    if (zeile == nullptr)
        return;
    const QString datum = datumVon(zeile->text());
    befGeheZu->setText(QStringLiteral("&Gehe zum\n\n") + datum);
    actions->action(menueName("mnuLesezeichenLöschen"))
        ->setText(QStringLiteral("&Lösche Lesezeichen vom ") + datum);
    txtDatum->setText(datum);
    txtBem->setText(hinweisVon(zeile->text()));
    if (gesperrt_)
        sperren();
}

void Lesezeichen::Liste_DblClick()
{
    befGeheZu_Click();
}

void Lesezeichen::befSetzen_Click(int index)
{
    if (gesperrt_)
        return;
    const std::optional<rt::VbDate> datum = rt::CDate(txtDatum->text());
    if (!datum) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(txtDatum->text() + QStringLiteral(" ist kein gültiges Datum."),
                                   platform::vbOKOnly | platform::vbExclamation);
        txtDatum->setFocus();
        return;
    }
    const QString hinweis = rt::Trim(txtBem->text());
    if (hinweis.isEmpty()) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QStringLiteral("Sie haben noch keinen Hinweistext eingegeben."),
                                   platform::vbOKOnly | platform::vbExclamation);
        txtBem->setFocus();
        return;
    }
    const QString zeile = rt::Format(*datum, QStringLiteral("dd.mm.yyyy")) + u' ' + hinweis;
    if (index == 0) {
        Liste->addItem(zeile);
    } else if (QListWidgetItem* gewaehlt = gewaehlteZeile(Liste)) {
        gewaehlt->setText(zeile);
    } else {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QStringLiteral("Bitte wählen Sie zuerst das Lesezeichen, das "
                                                  "geändert werden soll."),
                                   platform::vbOKOnly | platform::vbExclamation);
        return;
    }
    zeileWaehlen(zeile);
    Liste_Click();
    LesezeichenSortieren();
    LesezeichenSpeichern();
}

void Lesezeichen::befGeheZu_Click()
{
    foundation::IniSchreiben({}, {}, iniAlphabetisch,
                             CheckSortABC->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    const QString datum = rt::Right(befGeheZu->text(), datumLaenge);
    if (rt::IsDate(datum)) {
        if (platform::MainPort* main = platform::mainPort())
            main->setDateCaption(datum);
    }
    hide();
}

void Lesezeichen::CheckSortABC_Click()
{
    LesezeichenSortieren();
}

void Lesezeichen::mnuLesezeichenLöschen_Click()
{
    const int zeile = gewaehlteZeilenNummer(Liste);
    if (gesperrt_ || zeile < 0)
        return;
    delete Liste->takeItem(zeile);
    Liste->setCurrentRow(Liste->count() == 0 ? -1 : std::min(zeile, Liste->count() - 1));
    LesezeichenSpeichern();
}

void Lesezeichen::mnuLesezeichenDrucken_Click()
{
    platform::MainPort* main = platform::mainPort();
    print::ListeMitEinstellungenDrucken(
        Liste, QStringLiteral("Korvanel_Lesezeichen"), windowTitle(),
        QStringLiteral("Lesezeichen, Seite &[Seite]"),
        main != nullptr ? main->textFont().family() : QString(), 10);
}

void Lesezeichen::mnuAbbrechen_Click()
{
    hide();
}

void Lesezeichen::Zeit_Timer()
{
    const bool eintraege = Liste->count() > 0;
    if (!gesperrt_) {
        actions->setEnabled(menueName("mnuLesezeichenLöschen"), eintraege);
        befSetzen[1]->setEnabled(eintraege);
        befSetzen[0]->setEnabled(!txtBem->text().isEmpty());
    }
    if (!eintraege)
        befGeheZu->setText(QStringLiteral("&Zurück"));
}

void Lesezeichen::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    mnuAbbrechen_Click();
}

void Lesezeichen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        mnuAbbrechen_Click();
        return;
    }
    platform::Form::keyPressEvent(event);
}

bool Lesezeichen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtDatum && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtDatum, &QLineEdit::selectAll);
    return platform::Form::eventFilter(watched, event);
}

} // namespace views
