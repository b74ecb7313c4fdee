#include "store/password_change.h"

#include "foundation/debug_log.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "runtime/strings.h"
#include "store/day_file_batch.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/diary_title.h"
#include "store/password_check.h"
#include "store/store_state.h"
#include "textlib/string_functions.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace store {

namespace {

const QString titelKennwortschutz = QStringLiteral("Kennwortschutz");

bool enthaeltEinesVon(const QString& text, const QString& zeichen)
{
    return !textlib::ZeichenFiltern(text, zeichen).isEmpty();
}

bool enthaeltAnderesAls(const QString& text, const QString& zeichen)
{
    return textlib::ZeichenFiltern(text, zeichen).size() < text.size();
}

QLabel* beschriftung(QWidget* eltern, const char* name, const QString& text)
{
    auto* label = new QLabel(text, eltern);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* kennwortFeld(QWidget* eltern, const char* name)
{
    auto* feld = new QLineEdit(eltern);
    feld->setObjectName(QString::fromLatin1(name));
    feld->setEchoMode(QLineEdit::Password);
    feld->setMaxLength(kennwortKopfLaenge);
    return feld;
}

// The list of days left as they were, for the message at the end of the pass.
QString aufzaehlung(const QStringList& tage)
{
    constexpr qsizetype hoechstens = 20;
    QString text = tage.mid(0, hoechstens).join(QStringLiteral("\r\n"));
    if (tage.size() > hoechstens)
        text += QStringLiteral("\r\n… und ") + QString::number(tage.size() - hoechstens)
                + QStringLiteral(" weitere");
    return text;
}

} // namespace

QString KennwortBewertung(const QString& kennwort)
{
    const QString ziffern = QStringLiteral("0123456789");
    const QString klein = QStringLiteral("abcdefghijklmnopqrstuvwxyzäöüß");
    const QString gross = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜ");
    int punkte = 0;
    QString fehlt;
    if (kennwort.size() >= 8)
        ++punkte;
    else
        fehlt = QStringLiteral("besser 8 Zeichen, ");
    if (kennwort.size() >= 6)
        ++punkte;
    else
        fehlt = QStringLiteral("min. 6 Zeichen, ");
    if (enthaeltEinesVon(kennwort, ziffern))
        ++punkte;
    else
        fehlt += QStringLiteral("Ziffern, ");
    if (enthaeltEinesVon(kennwort, klein))
        ++punkte;
    else
        fehlt += QStringLiteral("Kleinbuchstaben, ");
    if (enthaeltEinesVon(kennwort, gross))
        ++punkte;
    else
        fehlt += QStringLiteral("Großbuchstaben, ");
    if (enthaeltAnderesAls(rt::LCase(kennwort), ziffern + klein))
        ++punkte;
    else
        fehlt += QStringLiteral("Sonderzeichen, ");
    fehlt = textlib::EndungEntfernen(fehlt, QStringLiteral(", ")) + u'.';

    if (punkte == 6)
        return QStringLiteral(
            "~Das gewählte Kennwort ist sehr gut und erfüllt den Standard ´DSB-Sensitiv´.");
    if (punkte >= 4)
        return QStringLiteral("Das gewählte Kennwort ist gut und erfüllt den Standard "
                              "´DSB-Einfach´.~Aber noch ein Tipp: Verwenden Sie ")
               + fehlt;
    if (punkte >= 1)
        return QStringLiteral("Das Kennwort sollte besser gewählt werden.~Tipp: Verwenden Sie ")
               + fehlt;
    return {};
}

PaßwortÄndern::PaßwortÄndern(QWidget* parent) : platform::Form(parent)
{
    setObjectName(QStringLiteral("PaßwortÄndern"));
    setWindowTitle(QStringLiteral("Kennwortschutz ändern"));
    setBorderStyle(platform::borderFixedDialog);

    // Controls
    Anzeige1 = new QLabel(this);
    Anzeige1->setObjectName(QStringLiteral("Anzeige1"));
    Anzeige1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    Anzeige1->setAlignment(Qt::AlignTop);
    Bezeichnung1 = beschriftung(this, "Bezeichnung1",
                                QStringLiteral("Bitte das neue Kennwort eingeben. Keine Eingabe, "
                                               "hebt den Schutz auf."));
    TxtPW1 = kennwortFeld(this, "TxtPW1");
    Bezeichnung2 = beschriftung(this, "Bezeichnung2", QStringLiteral("Kennworteingabe wiederholen:"));
    TxtPW2 = kennwortFeld(this, "TxtPW2");
    bezKwQuali = beschriftung(this, "bezKwQuali", QString());
    bezKwQuali->setMinimumHeight(bezKwQuali->fontMetrics().lineSpacing() * 3);
    bezKwQuali->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Bezeichnung3 = beschriftung(
        this, "Bezeichnung3",
        QStringLiteral("Vorsicht: Sollten Sie das Kennwort vergessen, so kann das Korvanel nicht "
                       "mehr gelesen werden. Beachten Sie, dass Groß- und Kleinschreibung "
                       "unterschieden wird."));
    Bezeichnung4 = beschriftung(
        this, "Bezeichnung4",
        QStringLiteral("Sie können einen eigenen Hinweistext zur Kennwortabfrage festlegen. "
                       "Dieser Text soll Ihnen helfen, das Kennwort nicht zu vergessen."));
    txtKennwortHilfe = new QLineEdit(this);
    txtKennwortHilfe->setObjectName(QStringLiteral("txtKennwortHilfe"));
    txtKennwortHilfe->setMaxLength(150);
    bezHinweis = beschriftung(this, "bezHinweis",
                              QStringLiteral("Texte werden mit neuem Kennwort versehen."));
    bezHinweis->hide();
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->hide();
    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setAutoDefault(false);
    befAbbruch = new QPushButton(QStringLiteral("&Abbrechen"), this);
    befAbbruch->setObjectName(QStringLiteral("befAbbruch"));
    befAbbruch->setAutoDefault(false);
    setCancelButton(befAbbruch);
    TimerKwQuali = new QTimer(this);
    TimerKwQuali->setObjectName(QStringLiteral("TimerKwQuali"));
    TimerKwQuali->setInterval(333);

    // Layout
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(Bezeichnung1);
    rechts->addWidget(TxtPW1);
    rechts->addWidget(Bezeichnung2);
    rechts->addWidget(TxtPW2);
    rechts->addWidget(bezKwQuali);
    rechts->addWidget(bezHinweis);
    rechts->addWidget(ProgressBar);
    rechts->addWidget(Bezeichnung3);
    rechts->addWidget(Bezeichnung4);
    rechts->addWidget(txtKennwortHilfe);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(befOk);
    knoepfe->addWidget(befAbbruch);
    rechts->addLayout(knoepfe);
    auto* aussen = new QHBoxLayout(this);
    aussen->addWidget(Anzeige1);
    aussen->addLayout(rechts, 1);
    setMinimumWidth(480);

    // Events
    connect(befOk, &QPushButton::clicked, this, &PaßwortÄndern::befOk_Click);
    connect(befAbbruch, &QPushButton::clicked, this, &PaßwortÄndern::befAbbruch_Click);
    connect(TxtPW1, &QLineEdit::textChanged, this, &PaßwortÄndern::TxtPW1_Change);
    connect(TimerKwQuali, &QTimer::timeout, this, &PaßwortÄndern::TimerKwQuali_Timer);
    for (QLineEdit* feld : {TxtPW1, TxtPW2, txtKennwortHilfe})
        feld->installEventFilter(this);

    // Load
    setWindowIcon(QApplication::windowIcon());
    QString kuerzel = korvanelKuerzel;
    setWindowTitle(QStringLiteral("Kennwortschutz für ") + KorvanelTitelLesen(kuerzel, titelKuerzel)
                   + QStringLiteral(" ändern"));
    TxtPW1->clear();
    TxtPW2->clear();
    txtKennwortHilfe->setText(KennwortHilfeLesen(korvanelKuerzel));
}

void PaßwortÄndern::TxtPW1_Change()
{
    TimerKwQuali->start();
}

void PaßwortÄndern::TimerKwQuali_Timer()
{
    TimerKwQuali->stop();
    bezKwQuali->setText(foundation::MeldungAufbereiten(KennwortBewertung(TxtPW1->text())));
}

void PaßwortÄndern::befOk_Click()
{
    if (laeuft_)
        return;
    if (foundation::nurLesen) {
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        platform::dialogs().msgBox(
            QStringLiteral("Das Korvanel ist nur zum Lesen geöffnet. Der Kennwortschutz kann "
                           "deshalb nicht geändert werden."),
            platform::vbOKOnly | platform::vbExclamation, titelKennwortschutz);
        return;
    }
    foundation::IniSchreiben(korvanelIniPfad(), korvanelKuerzel, QStringLiteral("KennwortHilfe"),
                             rt::Trim(txtKennwortHilfe->text()));
    const QString neu = TxtPW1->text();
    if (neu != TxtPW2->text()) {
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        platform::dialogs().msgBox(QStringLiteral("Sie haben das Kennwort unterschiedlich eingegeben!"),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   titelKennwortschutz);
        return;
    }
    if (!neu.isEmpty() && neu.size() < 5) {
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        platform::dialogs().msgBox(
            QStringLiteral("Bitte wählen Sie ein Kennwort, das mindestens 5 Zeichen lang ist!"),
            platform::vbOKOnly | platform::vbExclamation, titelKennwortschutz);
        return;
    }
    if (rt::Trim(GespeichertesKennwortLesen()) == rt::Trim(neu.left(kennwortKopfLaenge))) {
        unload();
        return;
    }
    neuSichern(neu);
    hide();
}

void PaßwortÄndern::neuSichern(const QString& neu)
{
    const KeepAlive bleibt(*this);
    laeuft_ = true;
    befOk->setEnabled(false);
    befAbbruch->setEnabled(false);
    nichtUmgestellt_.clear();
    {
        platform::BusyPointer busy;
        const QString kuerzel = korvanelKuerzel;
        foundation::NutzungProtokollieren(kuerzel + QStringLiteral(", KW geändert !!!"));
        TagesverzeichnisErstellen(true);
        // The pass walks this copy: every write below makes the index stale and the next build
        // puts a new list in place.
        const TageslisteRef tage = tagesverzeichnis;
        bezHinweis->show();
        bezKwQuali->hide();
        ProgressBar->setValue(0);
        ProgressBar->show();
        QCoreApplication::processEvents();

        // Every new file is written aside first and all are put in place together at the end:
        // a kill leaves each day old or new, and the pass can be run again to finish.
        TagesdateiStapel stapel;
        const qsizetype anzahl = static_cast<qsizetype>(tage->size());
        for (qsizetype i = 0; i < anzahl; ++i) {
            const QString name = QString::number(tage->at(i)) + u'.' + kuerzel;
            kennwortSchreiben = neu;
            const Eintrag eintrag = EintragLaden(name);
            // A prompt inside the load may have set both passwords; the new one is what is
            // written, whatever the prompt accepted.
            kennwortSchreiben = neu;
            if (!eintrag.ok()) {
                nichtUmgestellt_.append(
                    name + QStringLiteral(" (")
                    + (eintrag.zustand == Eintrag::Zustand::KennwortFalsch
                           ? QStringLiteral("anderes Kennwort")
                           : QStringLiteral("nicht lesbar"))
                    + u')');
            } else if (!eintrag.text.isEmpty()) {
                if (!stapel.vormerken(name, eintrag.text))
                    nichtUmgestellt_.append(name + QStringLiteral(" (nicht geschrieben)"));
            }
            ProgressBar->setValue(static_cast<int>((i + 1) * 100 / anzahl));
            QCoreApplication::processEvents();
        }
        for (const QString& name : stapel.abschliessen())
            nichtUmgestellt_.append(name + QStringLiteral(" (nicht geschrieben)"));
        ProgressBar->hide();
    }
    kennwortSchreiben = neu;
    kennwortLesen = neu;
    laeuft_ = false;
    befOk->setEnabled(true);
    befAbbruch->setEnabled(true);
    if (!nichtUmgestellt_.isEmpty()) {
        foundation::DebugLogbuch(QStringLiteral("Kennwort: nicht umgestellt: ")
                                 + nichtUmgestellt_.join(QStringLiteral(", ")));
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(
            QStringLiteral("Diese Einträge konnten nicht mit dem neuen Kennwort versehen werden. "
                           "Sie bleiben unverändert erhalten:\r\n\r\n")
                + aufzaehlung(nichtUmgestellt_),
            platform::vbOKOnly | platform::vbExclamation, titelKennwortschutz);
    }
}

void PaßwortÄndern::befAbbruch_Click()
{
    if (laeuft_)
        return;
    hide();
}

void PaßwortÄndern::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu)
        return;
    cancel = true;
    befAbbruch_Click();
}

bool PaßwortÄndern::eventFilter(QObject* watched, QEvent* event)
{
    auto* feld = qobject_cast<QLineEdit*>(watched);
    if (feld == nullptr)
        return platform::Form::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(event)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, feld, &QLineEdit::selectAll);
    }
    return platform::Form::eventFilter(watched, event);
}

} // namespace store
