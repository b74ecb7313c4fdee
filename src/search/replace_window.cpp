#include "search/replace_window.h"

#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/screen.h"
#include "platform/text_box.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace search {

namespace {

constexpr qint64 pumpAbstand = 250; // ms between two looks at the window's events

} // namespace

Ersetzen::Ersetzen(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("Ersetzen"));
    setWindowTitle(QStringLiteral("Text ersetzen"));
    createControls();
    layOut();
    connectHandlers();
    Form_Load();
}

void Ersetzen::createControls()
{
    const auto name = [](const char* utf8) { return QString::fromUtf8(utf8); };
    Bezeichnung1 = new QLabel(name("Suchen nach..."), this);
    Bezeichnung1->setObjectName(name("Bezeichnung1"));
    Txt1 = new platform::LineTextBox(this);
    Txt1->setObjectName(name("Txt1"));
    Txt1->setMaxLength(textGrenze);
    Bezeichnung1->setBuddy(Txt1);
    Bezeichnung2 = new QLabel(name("Ersetzen durch..."), this);
    Bezeichnung2->setObjectName(name("Bezeichnung2"));
    Txt2 = new platform::LineTextBox(this);
    Txt2->setObjectName(name("Txt2"));
    Txt2->setMaxLength(textGrenze);
    Bezeichnung2->setBuddy(Txt2);
    Bezeichnung3 = new QLabel(name("Vorschau"), this);
    Bezeichnung3->setObjectName(name("Bezeichnung3"));
    text = new platform::TextBox(this);
    text->setObjectName(name("text"));
    text->setLocked(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    BefSuche = new QPushButton(name("&Suche weiter"), this);
    BefSuche->setObjectName(name("BefSuche"));
    BefSuche->setEnabled(false);
    BefErsetzen = new QPushButton(name("&Ersetzen"), this);
    BefErsetzen->setObjectName(name("BefErsetzen"));
    BefErsetzen->setToolTip(name("Ersetzen (shift unterdrückt \"Suche weiter\")"));
    BefErsetzen->setEnabled(false);
    BefAbbruch = new QPushButton(name("Zu&rück"), this);
    BefAbbruch->setObjectName(name("BefAbbruch"));
    for (QPushButton* knopf : {BefSuche, BefErsetzen, BefAbbruch})
        knopf->setAutoDefault(false);
    setCancelButton(BefAbbruch);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(name("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    Zeit = new QTimer(this);
    Zeit->setObjectName(name("Zeit"));
    Zeit->setInterval(500);
}

void Ersetzen::layOut()
{
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(BefSuche);
    knoepfe->addWidget(BefErsetzen);
    knoepfe->addWidget(BefAbbruch);

    auto* raster = new QGridLayout(this);
    raster->addWidget(Bezeichnung1, 0, 0);
    raster->addWidget(Txt1, 1, 0);
    raster->addWidget(Bezeichnung2, 2, 0);
    raster->addWidget(Txt2, 3, 0);
    raster->addWidget(Bezeichnung3, 4, 0);
    raster->addWidget(text, 5, 0);
    raster->addLayout(knoepfe, 0, 1, 6, 1);
    raster->addWidget(ProgressBar, 6, 0, 1, 2);
    raster->setRowStretch(5, 1);
    raster->setColumnStretch(0, 1);
}

void Ersetzen::connectHandlers()
{
    connect(BefSuche, &QPushButton::clicked, this, &Ersetzen::BefSuche_Click);
    connect(BefErsetzen, &QPushButton::clicked, this, &Ersetzen::BefErsetzen_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Ersetzen::BefAbbruch_Click);
    connect(Zeit, &QTimer::timeout, this, &Ersetzen::Zeit_Timer);
    Txt1->installEventFilter(this);
    Txt2->installEventFilter(this);
}

void Ersetzen::Form_Load()
{
    const double twipsX = platform::screen().twipsPerPixelX();
    const double twipsY = platform::screen().twipsPerPixelY();
    const QSize mindestens = minimumSizeHint();
    resize(std::max(static_cast<int>(7200 / twipsX), mindestens.width()),
           std::max(static_cast<int>(5400 / twipsY), mindestens.height()));
    if (platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    store::TagesverzeichnisErstellen(true);
    Zeit->start();
}

bool Ersetzen::eventFilter(QObject* watched, QEvent* event)
{
    // Entering either text selects all of it (after the line box has placed its caret).
    if ((watched == Txt1 || watched == Txt2) && event->type() == QEvent::FocusIn) {
        auto* feld = static_cast<platform::LineTextBox*>(watched);
        QTimer::singleShot(0, feld, [feld] { feld->selectAll(); });
    }
    return platform::Form::eventFilter(watched, event);
}

void Ersetzen::Zeit_Timer()
{
    if (laeuft != 0)
        return;
    const QString such = Txt1->text();
    const QString ersatz = Txt2->text();
    const bool moeglich = !such.isEmpty() && !ersatz.isEmpty() && such != ersatz;
    if (BefSuche->isEnabled() != moeglich)
        BefSuche->setEnabled(moeglich);
}

void Ersetzen::BefSuche_Click()
{
    platform::MainPort* main = platform::mainPort();
    const QString suchText = Txt1->text();
    if (laeuft != 0 || main == nullptr || suchText.isEmpty())
        return;
    const KeepAlive bleibt(*this);
    int ergebnis = 0;
    {
        platform::BusyPointer sanduhr;
        BefSuche->setEnabled(false);
        BefErsetzen->setEnabled(false);
        BefAbbruch->setText(QStringLiteral("Abb&rechen"));
        ProgressBar->setValue(0);
        ProgressBar->show();
        laeuft = 1;

        // On in the shown entry, behind the character at the caret.
        ergebnis = rt::InStr(main->selStart() + 2, main->text(), suchText);
        if (ergebnis == 0)
            ergebnis = eintraegeDurchsuchen(suchText);
        if (isUnloaded())
            return;

        BefSuche->setEnabled(true);
        BefAbbruch->setEnabled(true);
        BefAbbruch->setText(QStringLiteral("Zu&rück"));
        ProgressBar->hide();
    }
    if (laeuft == 1 && ergebnis == 0) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QStringLiteral("Keinen passenden Eintrag gefunden."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Korvanel, Text ersetzen"));
        if (isUnloaded())
            return;
    }
    if (ergebnis > 0) {
        BefErsetzen->setEnabled(true);
        BefErsetzen->setFocus();
        main->setSelStart(ergebnis - 1);
        main->setSelLength(static_cast<int>(suchText.size()));
        text->setText(main->text());
        text->setSelStart(ergebnis - 1);
        text->setSelLength(static_cast<int>(suchText.size()));
        text->setFocus();
    } else {
        BefErsetzen->setEnabled(false);
        text->setText(QString());
    }
    laeuft = 0;
}

int Ersetzen::eintraegeDurchsuchen(const QString& suchText)
{
    platform::MainPort* main = platform::mainPort();
    // The walk reads day files: the shown entry's file must hold what the editor shows.
    store::EintragSpeichern();
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    const qint32 anzahl = static_cast<qint32>(tage->size());
    if (anzahl == 0 || main == nullptr)
        return 0;
    const auto umlaufen = [anzahl](qint32 position) {
        if (position > anzahl)
            return qint32{1};
        if (position < 1)
            return anzahl;
        return position;
    };
    indexPosition = umlaufen(store::tagesIndex + 1);
    qint32 besucht = 0;
    qint64 naechsterBlick = std::numeric_limits<qint64>::min();
    while (true) {
        ProgressBar->setValue(static_cast<int>(qint64{besucht} * 100 / anzahl));
        const qint32 tag = (*tage)[static_cast<std::size_t>(indexPosition - 1)];
        const store::Eintrag eintrag =
            store::EintragLaden(QString::number(tag) + u'.' + store::korvanelKuerzel);
        if (isUnloaded())
            return 0;
        if (eintrag.ok() && rt::InStr(1, eintrag.text, suchText) > 0) {
            const QString datum = store::TagesnummerText(tag);
            main->setDateCaption(datum);
            if (isUnloaded())
                return 0;
            // The main window did not move (its entry could not be saved): nothing is selected
            // in an entry the search did not test.
            if (main->dateCaption() != datum) {
                laeuft = 0;
                return 0;
            }
            // The occurrence as the editor shows it, not where it stood in the file.
            const int position = rt::InStr(1, main->text(), suchText);
            if (position > 0)
                return position;
        }
        indexPosition = umlaufen(indexPosition + 1);
        ++besucht;
        if (besucht >= anzahl)
            break;
        if (platform::clock().tick() >= naechsterBlick) {
            QCoreApplication::processEvents();
            if (isUnloaded() || laeuft == 0)
                return 0;
            naechsterBlick = platform::clock().tick() + pumpAbstand;
        }
    }
    return 0;
}

void Ersetzen::BefErsetzen_Click()
{
    BefErsetzen->setEnabled(false);
    platform::MainPort* main = platform::mainPort();
    const QString suchText = Txt1->text();
    if (main == nullptr || suchText.isEmpty() || foundation::nurLesen)
        return;
    // Only what the user sees selected, and only while it is the text to find: a selection that
    // changed meanwhile is searched again, not overwritten.
    if (main->selLength() != suchText.size() || main->selText() != suchText) {
        text->setText(QString());
        BefSuche_Click();
        return;
    }
    const QString ersatz = Txt2->text();
    const int p = main->selStart();
    main->setSelText(ersatz);
    main->setSelStart(p);
    main->setSelLength(static_cast<int>(ersatz.size()));
    text->setText(QString());
    BefSuche->setFocus();
    if (!foundation::ShiftGedrueckt())
        BefSuche_Click();
}

void Ersetzen::BefAbbruch_Click()
{
    if (laeuft != 0) {
        laeuft = 0;
        BefAbbruch->setEnabled(false);
        return;
    }
    hide();
}

void Ersetzen::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    BefAbbruch_Click();
}

} // namespace search
