#include "integration/data_folder_window.h"

#include "foundation/debug_log.h"
#include "foundation/diagnostics_report.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/product_info.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "foundation/ui_services.h"
#include "foundation/version.h"
#include "integration/shell_services.h"
#include "mainwindow/shutdown.h"
#include "platform/actions.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/print_surface.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "platform/text_file.h"
#include "print/text_printing.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "textlib/list_jobs.h"
#include "textlib/print_footer.h"
#include "textlib/string_functions.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace integration {

namespace {

const QString crLf = QStringLiteral("\r\n");

QString n(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The name of the running program's file, as it lies in the program folder.
QString programmDatei()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

int sekundenSeitMitternacht()
{
    return int(std::lround(rt::timeFraction(platform::clock().now()) * 86400.0));
}

// Writes a test file of a name that is not taken into folder, reads it back and removes it;
// whether the folder took the file.
bool ordnerSchreibtest(const QString& ordner)
{
    const QString wirklich = platform::resolvePath(ordner);
    if (!QFileInfo(wirklich).isDir())
        return false;
    const int sekunden = sekundenSeitMitternacht();
    const QByteArray inhalt = rt::Format(sekunden, QStringLiteral("0")).toLatin1() + "\r\n";
    qint64 nummer = std::llround(sekunden * platform::random().Rnd());
    for (int versuch = 0; versuch < 100; ++versuch, ++nummer) {
        const QString pfad = wirklich + QStringLiteral("/$") + QString::number(nummer)
            + QStringLiteral(".txt");
        if (platform::pathExists(pfad) || QFileInfo(pfad).isSymLink())
            continue; // never touch what is there
        const bool geschrieben = platform::writeNewFile(pfad, inhalt);
        if (!geschrieben)
            return false;
        const std::optional<QByteArray> gelesen = platform::readFile(pfad);
        QFile::remove(pfad);
        return gelesen && *gelesen == inhalt;
    }
    return false;
}

void listeFuellen(QListWidget* liste, const QStringList& eintraege)
{
    liste->clear();
    liste->addItems(eintraege);
}

} // namespace

QString DatenOrdner::datenMasken()
{
    return QStringLiteral("Differenz.txt;Info.*;Keys.txt;Lesezeic.txt;Korvanel.stw;*.dci;*.ini;"
                          "*.kv;*.use");
}

DatenOrdner::DatenOrdner(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("DatenOrdner"));
    createControls();
    createMenus();
    layOut();
    connectHandlers();
    Form_Load();
}

void DatenOrdner::createControls()
{
    Label1 = new QLabel(n("Die folgende Übersicht zeigt, in welchem Order Daten abgelegt werden, "
                          "das Programm installiert ist und Einstellungen gespeichert werden."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    struct Abschnitt {
        const char* rahmen;
        const char* info;
        const char* knopf;
        const char* tipp;
    };
    const Abschnitt abschnitte[3] = {
        {"Einstellungs-Datei", "In dieser Datei werden wesentliche Einstellungen abgelegt:",
         "Einstellungs-Datei anzeigen...", "Einstellungs-Datei anzeigen..."},
        {"Programm-Ordner", "Das Programm ist installiert im Ordner:",
         "Folgende Dateien gefunden...", "Programm-Ordner anzeigen..."},
        {"Daten-Ordner", "Das Programm liest und schreibt Daten im Ordner:",
         "Folgende Daten-Dateien gefunden...", "Daten-Ordner anzeigen..."},
    };
    for (int i = 0; i < 3; ++i) {
        const auto index = std::size_t(i);
        const QString nummer = u'(' + QString::number(i) + u')';
        Frame1[index] = new QGroupBox(n(abschnitte[i].rahmen), this);
        Frame1[index]->setObjectName(QStringLiteral("Frame1") + nummer);
        bezInfo[index] = new QLabel(n(abschnitte[i].info), Frame1[index]);
        bezInfo[index]->setObjectName(QStringLiteral("bezInfo") + nummer);
        bezInfo[index]->setWordWrap(true);
        bezDo[index] = new QLabel(QStringLiteral("---"), Frame1[index]);
        bezDo[index]->setObjectName(QStringLiteral("bezDo") + nummer);
        bezDo[index]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        bezDo[index]->setFrameShape(QFrame::StyledPanel);
        bezDo[index]->setWordWrap(true);
        bezError[index] = new QLabel(QStringLiteral("Error"), Frame1[index]);
        bezError[index]->setObjectName(QStringLiteral("bezError") + nummer);
        bezError[index]->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
        lstDo[index] = new QListWidget(Frame1[index]);
        lstDo[index]->setObjectName(QStringLiteral("lstDo") + nummer);
        lstDo[index]->setSelectionMode(QAbstractItemView::MultiSelection);
        befDo[index] = new QPushButton(n(abschnitte[i].knopf), Frame1[index]);
        befDo[index]->setObjectName(QStringLiteral("befDo") + nummer);
        befDo[index]->setToolTip(n(abschnitte[i].tipp));
        befDo[index]->setAutoDefault(false);
    }
    befDatenOrdnerVerlegen = new QPushButton(n("Daten-Ordner-Zeiger verlegen..."), Frame1[2]);
    befDatenOrdnerVerlegen->setObjectName(QStringLiteral("befDatenOrdnerVerlegen"));
    befDatenOrdnerVerlegen->setAutoDefault(false);
    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);
    TimerReadData = new QTimer(this);
    TimerReadData->setObjectName(QStringLiteral("TimerReadData"));
    TimerReadData->setInterval(333);
    TimerReadData->setSingleShot(true);
}

void DatenOrdner::createMenus()
{
    Menue = new QMenuBar(this);
    Menue->setObjectName(QStringLiteral("Menue"));
    actions = new platform::ActionRegistry(this);
    QMenu* bericht = actions->addMenu(Menue, n("mnuBerichtX"), n("&Bericht"));
    actions->addAction(bericht, platform::indexedName(n("mnuBericht"), 0), n("&Kopieren"),
                       QKeySequence(QStringLiteral("Ctrl+C")));
    actions->addAction(bericht, platform::indexedName(n("mnuBericht"), 1), n("&Drucken"),
                       QKeySequence(QStringLiteral("Ctrl+P")));
    actions->addSeparator(bericht, n("mnuStrich324235"));
    actions->addAction(bericht, n("mnuZurück"), n("&Zurück"), QKeySequence(QStringLiteral("F12")));
    QMenu* hilfe = actions->addMenu(Menue, n("mnuHilfeX"), n("&Hilfe"));
    actions->addAction(hilfe, n("mnuHilfe"), n("&Hilfe..."), QKeySequence(QStringLiteral("F1")));
}

void DatenOrdner::layOut()
{
    auto* aussen = new QVBoxLayout(this);
    aussen->setMenuBar(Menue);
    // On a small screen the sections scroll rather than being squeezed.
    Flaeche = new QScrollArea(this);
    Flaeche->setObjectName(QStringLiteral("Flaeche"));
    Flaeche->setWidgetResizable(true);
    Flaeche->setFrameShape(QFrame::NoFrame);
    auto* inhalt = new QWidget(Flaeche);
    auto* abschnitte = new QVBoxLayout(inhalt);
    abschnitte->setContentsMargins(0, 0, 0, 0);
    abschnitte->addWidget(Label1);
    for (int i = 0; i < 3; ++i) {
        const auto index = std::size_t(i);
        auto* raster = new QGridLayout(Frame1[index]);
        raster->addWidget(bezInfo[index], 0, 0);
        raster->addWidget(bezDo[index], 1, 0);
        raster->addWidget(bezError[index], 2, 0);
        raster->addWidget(befDo[index], 0, 1);
        raster->addWidget(lstDo[index], 1, 1, 3, 1);
        if (i == 2)
            raster->addWidget(befDatenOrdnerVerlegen, 3, 0, Qt::AlignLeft | Qt::AlignBottom);
        raster->setColumnStretch(0, 3);
        raster->setColumnStretch(1, 2);
        // The lists take the room the window has, at least a few lines each.
        lstDo[index]->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        lstDo[index]->setMinimumHeight(fontMetrics().height() * 5);
        bezInfo[index]->setMinimumHeight(fontMetrics().lineSpacing() * 2);
        abschnitte->addWidget(Frame1[index], 1);
    }
    Flaeche->setWidget(inhalt);
    aussen->addWidget(Flaeche, 1);
    auto* unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(befOk);
    aussen->addLayout(unten);
    befOk->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Abbrechen")) + 24);
}

void DatenOrdner::connectHandlers()
{
    connect(TimerReadData, &QTimer::timeout, this, &DatenOrdner::TimerReadData_Timer);
    for (int i = 0; i < 3; ++i) {
        connect(befDo[std::size_t(i)], &QPushButton::clicked, this, [this, i] { befDo_Click(i); });
        bezDo[std::size_t(i)]->installEventFilter(this);
        bezInfo[std::size_t(i)]->installEventFilter(this);
    }
    connect(befDatenOrdnerVerlegen, &QPushButton::clicked, this,
            &DatenOrdner::befDatenOrdnerVerlegen_Click);
    connect(befOk, &QPushButton::clicked, this, &DatenOrdner::befOk_Click);
    for (int i = 0; i < 2; ++i)
        connect(actions->action(platform::indexedName(n("mnuBericht"), i)), &QAction::triggered, this,
                [this, i] { mnuBericht_Click(i); });
    connect(actions->action(n("mnuZurück")), &QAction::triggered, this, &DatenOrdner::mnuZurück_Click);
    connect(actions->action(n("mnuHilfe")), &QAction::triggered, this, &DatenOrdner::mnuHilfe_Click);
}

void DatenOrdner::Form_Load()
{
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    setWindowTitle(QStringLiteral("Brisols-Korvanel - Ordner"));
    const double twipsX = platform::screen().twipsPerPixelX();
    const double twipsY = platform::screen().twipsPerPixelY();
    // Wide enough for long paths, tall enough for all three sections with room in their lists,
    // and never larger than the screen.
    const int hoechstens = int(platform::screen().heightTwips() / twipsY * 0.9);
    const int breitestens = int(platform::screen().widthTwips() / twipsX * 0.95);
    const int breite =
        std::min(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 100, breitestens);
    QWidget* inhalt = Flaeche->widget();
    const int innen = breite - layout()->contentsMargins().left() - layout()->contentsMargins().right();
    const int abschnitte = inhalt->hasHeightForWidth() ? inhalt->heightForWidth(innen)
                                                       : inhalt->sizeHint().height();
    const int uebrig = sizeHint().height() - Flaeche->sizeHint().height();
    const QSize groesse(breite, std::min(abschnitte + uebrig + fontMetrics().height() * 12,
                                         hoechstens));
    resize(groesse);
    const double breiteTwips = groesse.width() * twipsX;
    const double hoeheTwips = groesse.height() * twipsY;
    moveTwips((platform::screen().widthTwips() - breiteTwips) / 2,
              (platform::screen().heightTwips() - hoeheTwips) / 2, breiteTwips, hoeheTwips);
    for (QLabel* fehler : bezError)
        fehler->clear();
    TimerReadData->start();
}

void DatenOrdner::TimerReadData_Timer()
{
    TimerReadData->stop();
    const platform::BusyPointer sanduhr;
    Label1->setText(QStringLiteral("Das Programm Brisols-Korvanel in der Version ")
                    + foundation::versionPunkt + crLf
                    + QStringLiteral("erwartet Dateien in den folgenden Ordnern..."));

    // Settings file.
    const QString einstellungen = foundation::ordnerSub + QStringLiteral("/Brisol.ini");
    bezDo[0]->setText(einstellungen);
    listeFuellen(lstDo[0], platform::listFolder(foundation::ordnerSub, QStringLiteral("*")));
    const QString wert = rt::Format(sekundenSeitMitternacht(), QStringLiteral("0"));
    foundation::IniSchreiben(einstellungen, QStringLiteral("Allgemein"), QStringLiteral("Schreibtest"),
                             wert);
    const QString zurueck = foundation::IniLesen(einstellungen, QStringLiteral("Allgemein"),
                                                 QStringLiteral("Schreibtest"), QStringLiteral("?"));
    bezError[0]->setText(zurueck != wert ? QStringLiteral("Keine Schreibrechte in dieser Datei !!!")
                                         : QString());

    // Program folder.
    const QString programmOrdner =
        foundation::IniLesen(QString(), QString(), QStringLiteral("OrdnerPrg"), QString());
    bezDo[1]->setText(programmOrdner);
    const QString datei = programmDatei();
    QString info = QStringLiteral("In diesem Ordner befindet sich u. a. die Programm-Datei »") + datei
        + QStringLiteral("«:");
    if (programmOrdner.isEmpty()
        || !QFileInfo(platform::resolvePath(programmOrdner + u'/' + datei)).isFile())
        info += QStringLiteral(" (Datei nicht gefunden!)");
    bezInfo[1]->setText(rt::Trim(info));
    listeFuellen(lstDo[1], programmOrdner.isEmpty()
                               ? QStringList()
                               : platform::listFolder(programmOrdner, QStringLiteral("*")));
    for (int i = 0; i < lstDo[1]->count(); ++i)
        lstDo[1]->item(i)->setSelected(rt::equalsNoCase(lstDo[1]->item(i)->text(), datei));
    bezError[1]->setText(!programmOrdner.isEmpty() && ordnerSchreibtest(programmOrdner)
                             ? QString()
                             : QStringLiteral("Keine Schreibrechte im Ordner."));

    // Data folder.
    befDo[2]->setText(QStringLiteral("Folgende Ordner/Dateien gefunden..."));
    bezInfo[2]->setText(QStringLiteral("Das Programm Brisols-Korvanel liest und schreibt Daten in "
                                       "diesem Ordner:"));
    lstDo[2]->clear();
    const QString daten = foundation::ordnerDat;
    if (!daten.isEmpty()) {
        QStringList gefunden;
        for (const QString& maske : datenMasken().split(u';')) {
            for (const QString& name : platform::listFolder(daten, maske)) {
                if (!gefunden.contains(name))
                    gefunden.append(name);
            }
        }
        std::sort(gefunden.begin(), gefunden.end(), [](const QString& a, const QString& b) {
            const QString la = rt::LCase(a);
            const QString lb = rt::LCase(b);
            return la != lb ? la < lb : a < b;
        });
        for (int jahr = 1500; jahr <= 2200; ++jahr) {
            if (platform::pathExists(daten + u'/' + QString::number(jahr)))
                gefunden.append(QString::number(jahr) + u'/');
        }
        lstDo[2]->addItems(gefunden);
    }
    bezDo[2]->setText(daten.isEmpty() ? QStringLiteral("???") : daten);
    bezError[2]->clear();
    if (!foundation::nurLesen && (daten.isEmpty() || !ordnerSchreibtest(daten)))
        bezError[2]->setText(QStringLiteral("Keine Schreibrechte im Daten-Ordner !!!"));

    for (QLabel* pfad : bezDo)
        pfad->setToolTip(pfad->text());

    if (foundation::debugModus == 1 && !foundation::nurLesen) {
        foundation::DebugLogbuch(QString());
        for (int i = 0; i < 3; ++i) {
            const auto index = std::size_t(i);
            foundation::DebugLogbuch(QStringLiteral("*** Daten-Ordner // ")
                                     + rt::Trim(Frame1[index]->title()) + QStringLiteral(" ***"));
            foundation::DebugLogbuch(bezInfo[index]->text());
            foundation::DebugLogbuch(bezDo[index]->text());
            if (lstDo[index]->count() > 0) {
                QString zeile;
                for (int k = 0; k < lstDo[index]->count(); ++k)
                    zeile += lstDo[index]->item(k)->text() + u'|';
                foundation::DebugLogbuch(zeile);
            }
            foundation::DebugLogbuch(QString());
        }
    }
}

void DatenOrdner::befDo_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    const platform::BusyPointer sanduhr;
    if (index == 0)
        TextDateiOeffnen(bezDo[0]->text(), 0);
    else
        OrdnerZeigen(bezDo[std::size_t(index)]->text());
    foundation::Warten(1);
}

void DatenOrdner::bezDo_DblClick(int index)
{
    const auto i = std::size_t(index);
    QString text = bezInfo[i]->text() + crLf + crLf + bezDo[i]->text();
    if (index == 2)
        text += crLf + crLf + foundation::ordnerDatHerkunft;
    platform::dialogs().msgBox(text, platform::vbInformation, QStringLiteral("Daten-Ordner"));
}

void DatenOrdner::bezInfo_DblClick(int index)
{
    const auto i = std::size_t(index);
    platform::dialogs().msgBox(bezInfo[i]->text() + crLf + crLf + bezDo[i]->text() + crLf + crLf
                                   + foundation::ordnerDatHerkunft,
                               platform::vbInformation, QStringLiteral("Daten-Ordner"));
}

QString DatenOrdner::BrowseForFolder(QWidget* /*owner*/, const QString& title)
{
    const std::optional<QString> ordner = platform::dialogs().chooseFolder(
        title.isEmpty() ? QStringLiteral("Wählen Sie einen Ordner aus") : title,
        foundation::ordnerDat);
    return ordner.value_or(QString());
}

void DatenOrdner::befDatenOrdnerVerlegen_Click()
{
    const QString frage = foundation::MeldungAufbereiten(
        QStringLiteral("Mit Hilfe dieser Funktion können Sie den Zeiger (nicht die Dateien) auf die "
                       "Daten-Dateien verändern.~")
        + QStringLiteral("Zur Zeit erwartet das Programm die Daten im Ordner '")
        + foundation::ordnerDat + QStringLiteral("'.~~")
        + rt::UCase(QStringLiteral("Wenn Sie diesen Zeiger verstellen, findet das Programm evtl. "
                                   "Ihre Daten nicht wieder.~Setzten Sie diese Funktion also ganz "
                                   "bewusst ein.~~"))
        + QStringLiteral("Möchten Sie fortfahren?"));
    if (platform::dialogs().msgBox(frage,
                                   platform::vbOKCancel | platform::vbQuestion
                                       | platform::vbDefaultButton2,
                                   QStringLiteral("Daten-Ordner-Zeiger verlegen"))
        != platform::vbOK)
        return;
    const QString ordner = BrowseForFolder(this, QStringLiteral("Daten-Ordner-Zeiger"));
    if (ordner.isEmpty())
        return;

    // The shown entry is kept before the program lets go of its data folder.
    if (!store::EintragSpeichern()) {
        platform::dialogs().msgBox(QStringLiteral("Der Eintrag konnte nicht gespeichert werden. "
                                                  "Der Daten-Ordner-Zeiger bleibt deshalb, wie er "
                                                  "war."),
                                   platform::vbExclamation, QStringLiteral("Daten-Ordner-Zeiger"));
        return;
    }
    const QString einstellungen = QString();
    foundation::IniSchreiben(einstellungen, QString(), QStringLiteral("OrdnerDat"), ordner);
    if (foundation::IniLesen(einstellungen, QString(), QStringLiteral("OrdnerDat"), QString())
        != ordner) {
        platform::dialogs().msgBox(QStringLiteral("Der Daten-Ordner-Zeiger konnte nicht in die "
                                                  "Einstellungs-Datei geschrieben werden. Das "
                                                  "Programm arbeitet weiter mit dem Ordner '")
                                       + foundation::ordnerDat + QStringLiteral("'."),
                                   platform::vbExclamation, QStringLiteral("Daten-Ordner-Zeiger"));
        return;
    }
    platform::dialogs().msgBox(
        foundation::MeldungAufbereiten(QStringLiteral("Der Daten-Ordner-Zeiger wurde geändert.~~Das "
                                                      "Programm wird jetzt neu gestartet.")),
        platform::vbInformation, QStringLiteral("Daten-Ordner-Zeiger wurde verlegt"));
    mainwindow::StillAufraeumen();
    foundation::NeustartSetupJob();
}

void DatenOrdner::befOk_Click()
{
    hide();
}

void DatenOrdner::mnuZurück_Click()
{
    hide();
}

void DatenOrdner::mnuHilfe_Click()
{
    foundation::HilfeZeigen(foundation::hilfeDatei(), 4010);
}

QString DatenOrdner::Bericht() const
{
    const QString striche(80, u'-');
    QString text = Label1->text();
    text.replace(crLf, QStringLiteral(" "));
    text += QStringLiteral("~~~");
    for (const int i : {1, 2, 0}) {
        const auto index = std::size_t(i);
        text += QStringLiteral("--- ")
            + rt::Left(rt::Trim(Frame1[index]->title()) + u' ' + striche, 80) + QStringLiteral("~~");
        text += bezInfo[index]->text() + QStringLiteral("~~") + bezDo[index]->text()
            + QStringLiteral("~~");
        if (!bezError[index]->text().isEmpty())
            text += bezError[index]->text() + QStringLiteral("~~");
        text += QStringLiteral("Folgende Dateien gefunden:~~")
            + textlib::ListeVerketten(lstDo[index], QStringLiteral("; "));
        text = textlib::RechtsKuerzen(text, QStringLiteral("; "));
        text += QStringLiteral("~~~");
    }
    text += QStringLiteral("--- Sonstiges ") + striche + QStringLiteral("~~")
        + foundation::ordnerDatHerkunft;
    text += QStringLiteral("~~~--- ") + rt::Left(QStringLiteral("Debug ") + striche, 80)
        + QStringLiteral("~~") + foundation::DiagnoseBericht() + QStringLiteral("~~");
    return foundation::MeldungAufbereiten(text);
}

void DatenOrdner::mnuBericht_Click(int index)
{
    const QString text = Bericht();
    if (index == 0) {
        platform::clipboard().clear();
        platform::clipboard().setText(text);
        platform::dialogs().msgBox(QStringLiteral("Bericht wurde in die Zwischenablage kopiert"),
                                   platform::vbInformation);
    } else if (index == 1) {
        berichtDrucken(text);
    }
}

void DatenOrdner::berichtDrucken(const QString& text)
{
    platform::PrintSurface& p = platform::printer();
    p.setScaleMode(platform::vbCentimeters);
    p.setFontSize(10);
    const double unten = textlib::FusszeileEingeschaltet() ? textlib::FusszeileOben() : -1;
    const QString rest = print::TextDruckenMitSeitenwechsel(text, 1, 2, -1, unten, [&] {
        textlib::DruckFusszeile(1, false);
        p.NewPage();
        p.setFontSize(10);
    });
    if (!rest.isEmpty())
        print::SeiteZuKleinMelden();
    textlib::DruckFusszeile(1, false);
    p.EndDoc();
    print::PdfAusgabeMelden();
}

void DatenOrdner::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    mnuZurück_Click();
}

bool DatenOrdner::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 3; ++i) {
            if (watched == bezDo[std::size_t(i)]) {
                bezDo_DblClick(i);
                return true;
            }
            if (watched == bezInfo[std::size_t(i)]) {
                bezInfo_DblClick(i);
                return true;
            }
        }
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace integration
