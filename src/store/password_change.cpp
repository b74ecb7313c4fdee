#include "store/password_change.h"

#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/strings.h"
#include "store/day_file_batch.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/cipher.h"
#include "store/diary_title.h"
#include "store/password_check.h"
#include "store/password_prompt.h"
#include "store/store_host.h"
#include "store/store_state.h"
#include "textlib/string_functions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QStringDecoder>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

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
    KennwortFeldEinrichten(feld);
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

// Whether decodeText gives every byte of the file a character: Windows-1252 maps every byte,
// UTF-8 after the byte-order mark only when it is valid. Invalid sequences would come back as
// replacement characters, and the rewrite would lose their bytes.
bool entschluesseltGenau(const QByteArray& bytes)
{
    if (!rt::hasUtf8Bom(bytes))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoder works when its result becomes a string.
    const QString text = utf8.decode(QByteArrayView(bytes).sliced(3));
    Q_UNUSED(text);
    return !utf8.hasError();
}

// A day file of the diary as the pass finds it.
struct Tagesdatei {
    QString name;       // its name on disk, in the spelling found
    QString kopf;       // the password header; 15 blanks for a plain file
    bool lesbar = false; // read, and a header this program can have written
    bool genau = false;  // its text decodes without a byte lost
};

Tagesdatei tagesdateiPruefen(const QString& name)
{
    Tagesdatei datei;
    datei.name = name;
    // The names come from the listings of the year folders: each is opened as it is spelt.
    std::optional<QByteArray> bytes = TagesdateiBytes(TagesdateiPfad(name));
    if (!bytes)
        return datei;
    if (bytes->startsWith(verschluesseltMarkeBytes())) {
        bytes->remove(0, verschluesseltMarkeBytes().size());
        // The header lies in the first bytes (15 characters, in UTF-8 after the byte-order mark
        // at most 63 bytes): only they are deciphered, unless the text is UTF-8, whose every
        // byte must be looked at.
        const QByteArray schluesselBytes = rt::toAnsi(schluessel);
        QByteArray anfang = bytes->left(64);
        Encrypt2(anfang, schluesselBytes);
        if (rt::hasUtf8Bom(anfang)) {
            Encrypt2(*bytes, schluesselBytes);
            anfang = bytes->left(64);
            datei.genau = entschluesseltGenau(*bytes);
        } else {
            datei.genau = true;
        }
        datei.kopf = rt::decodeText(anfang).left(kennwortKopfLaenge);
    } else {
        datei.kopf = KennwortKopf(QString());
        datei.genau = entschluesseltGenau(*bytes);
    }
    datei.lesbar = KennwortKopfGueltig(datei.kopf);
    return datei;
}

// Every day file of the index, each spelling of a day's name once ("20240301.txt" and
// "20240301.TXT" are two files), in the order of the index.
QStringList tagesdateienDesTagebuchs(const Tagesliste& tage, const QString& kuerzel)
{
    QHash<int, QHash<qint32, QStringList>> jahre;
    QStringList namen;
    for (const qint32 tag : tage) {
        const int jahr = tag / 10000;
        if (!jahre.contains(jahr)) {
            QHash<qint32, QStringList>& imJahr = jahre[jahr];
            const QString ordner = foundation::ordnerDat + u'/' + QString::number(jahr);
            for (const QString& name :
                 platform::listFolder(ordner, QStringLiteral("????????.") + kuerzel))
                imJahr[name.left(8).toInt()].append(name);
        }
        const QStringList gefunden = jahre[jahr].take(tag);
        if (gefunden.isEmpty())
            namen.append(QString::number(tag) + u'.' + kuerzel);
        namen += gefunden;
    }
    return namen;
}

// Puts wahl in the place of the password prompt while it lives: the pass never asks through
// the prompt, which would end the program.
class KennwortWahl {
public:
    explicit KennwortWahl(KennwortAbfrage wahl) : vorher_(kennwortAbfrage())
    {
        setKennwortAbfrage(std::move(wahl));
    }
    ~KennwortWahl() { setKennwortAbfrage(vorher_); }
    KennwortWahl(const KennwortWahl&) = delete;
    KennwortWahl& operator=(const KennwortWahl&) = delete;

private:
    KennwortAbfrage vorher_;
};

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
    // Room the texts do not need goes above the buttons, not between the fields.
    rechts->addStretch(1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(befOk);
    knoepfe->addWidget(befAbbruch);
    rechts->addLayout(knoepfe);
    auto* aussen = new QHBoxLayout(this);
    aussen->addWidget(Anzeige1);
    aussen->addLayout(rechts, 1);
    // The window takes the size of its layout: the wrapped texts get their lines for this width.
    txtKennwortHilfe->setMinimumWidth(fontMetrics().averageCharWidth() * 60);

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
    if (alleTageMit(neu)) {
        unload();
        return;
    }
    if (neuSichern(neu))
        hide();
}

bool PaßwortÄndern::alleTageMit(const QString& neu) const
{
    platform::BusyPointer busy;
    TagesverzeichnisErstellen(true);
    const TageslisteRef tage = tagesverzeichnis;
    const QString kopf = KennwortKopf(neu);
    const QStringList namen = tagesdateienDesTagebuchs(*tage, korvanelKuerzel);
    return std::all_of(namen.begin(), namen.end(), [&kopf](const QString& name) {
        const Tagesdatei datei = tagesdateiPruefen(name);
        return datei.lesbar && datei.kopf == kopf;
    });
}

bool PaßwortÄndern::neuSichern(const QString& neu)
{
    const KeepAlive bleibt(*this);
    laeuft_ = true;
    befOk->setEnabled(false);
    befAbbruch->setEnabled(false);
    nichtUmgestellt_.clear();
    const QString kuerzel = korvanelKuerzel;
    const QString alt = kennwortLesen;
    // The passwords the days may carry: the old one, the new one (days of an earlier pass that
    // did not finish), and those shown for this diary in this run. Another one is asked for
    // once; the prompt that would end the program is never shown during the pass.
    QStringList bekannt{alt, kennwortSchreiben, neu};
    const QString memo = rt::UCase(kuerzel);
    for (const QString& eintrag : std::as_const(ListeKW)) {
        if (eintrag.startsWith(memo))
            bekannt.append(eintrag.mid(memo.size()));
    }
    bool gefragt = false;
    bool abgebrochen = false;
    {
        platform::BusyPointer busy;
        foundation::NutzungProtokollieren(kuerzel + QStringLiteral(", KW geändert !!!"));
        TagesverzeichnisErstellen(true);
        // The pass walks this copy: every write below makes the index stale and the next build
        // puts a new list in place.
        const TageslisteRef tage = tagesverzeichnis;
        const QStringList namen = tagesdateienDesTagebuchs(*tage, kuerzel);
        bezHinweis->show();
        bezKwQuali->hide();
        ProgressBar->setValue(0);
        ProgressBar->show();
        QCoreApplication::processEvents();

        // Every new file is written aside first and put in place at the end: a kill leaves each
        // day old or new, and running the change again finishes the pass.
        TagesdateiStapel stapel;
        const QString neuerKopf = KennwortKopf(neu);
        const qsizetype anzahl = namen.size();
        // The window is drawn and a message box answered between the days, but not after
        // every day: thousands of days pass in a second or two.
        QElapsedTimer seitPumpe;
        seitPumpe.start();
        // Each day is loaded once, with no password at first: a day with a password header
        // comes to this prompt, which picks the password of that header among those known (and
        // asks for another one once). A day it cannot open stays closed.
        QString kopfDesTages;
        const KennwortWahl waehlen(
            [&](const QString& name, const QString& kopf) {
                kopfDesTages = kopf;
                const auto passendes = [&kopf](const QStringList& kennwoerter) {
                    for (const QString& kennwort : kennwoerter) {
                        if (KennwortKopf(kennwort) == kopf)
                            return std::optional<QString>(kennwort);
                    }
                    return std::optional<QString>();
                };
                std::optional<QString> kennwort = passendes(bekannt);
                if (!kennwort && !gefragt) {
                    gefragt = true;
                    const std::optional<QString> antwort = platform::dialogs().inputPassword(
                        QStringLiteral("Der Eintrag vom ") + TagesnummerText(name.left(8).toInt())
                            + QStringLiteral(" trägt ein anderes Kennwort als das bisherige. "
                                             "Wenn Sie es kennen, geben Sie es bitte ein; "
                                             "Einträge mit einem unbekannten Kennwort bleiben "
                                             "unverändert."),
                        titelKennwortschutz);
                    if (antwort) {
                        bekannt.append(*antwort);
                        kennwort = passendes(bekannt);
                    }
                }
                if (kennwort)
                    kennwortLesen = *kennwort;
            });
        kennwortSchreiben = neu;
        for (qsizetype i = 0; i < anzahl && !abgebrochen; ++i) {
            const QString& name = namen.at(i);
            kennwortLesen.clear();
            kopfDesTages = KennwortKopf(QString());
            const Eintrag eintrag = EintragLaden(name);
            if (eintrag.zustand == Eintrag::Zustand::KeineDatei) {
                // A day of the index whose file went meanwhile.
            } else if (!eintrag.ok()) {
                nichtUmgestellt_.append(name + QStringLiteral(" (")
                                        + (eintrag.zustand == Eintrag::Zustand::KennwortFalsch
                                               ? QStringLiteral("anderes Kennwort")
                                               : QStringLiteral("nicht lesbar"))
                                        + u')');
            } else if (kopfDesTages == neuerKopf) {
                // Already under the new password: an earlier pass got this far.
            } else if (eintrag.text.contains(QChar::ReplacementCharacter)
                       && !tagesdateiPruefen(name).genau) {
                // UTF-8 that does not decode: written anew, its bytes would be lost.
                nichtUmgestellt_.append(name + QStringLiteral(" (enthält ungültige Zeichen)"));
            } else if (!eintrag.text.isEmpty() && !stapel.vormerken(name, eintrag.text)) {
                nichtUmgestellt_.append(name + QStringLiteral(" (nicht geschrieben)"));
                // Stop (or Cancel) in the error dialog ends the pass; the days not reached keep
                // their old form and a later pass finishes them.
                abgebrochen = letzteSchreibAntwort() != 0 && letzteSchreibAntwort() != 5;
            }
            const int prozent = static_cast<int>((i + 1) * 100 / anzahl);
            if (prozent != ProgressBar->value() || seitPumpe.elapsed() >= 25) {
                ProgressBar->setValue(prozent);
                QCoreApplication::processEvents();
                seitPumpe.restart();
            }
        }
        for (const QString& name : stapel.abschliessen())
            nichtUmgestellt_.append(name + QStringLiteral(" (nicht geschrieben)"));
        ProgressBar->hide();
    }
    laeuft_ = false;
    befOk->setEnabled(true);
    befAbbruch->setEnabled(true);
    if (abgebrochen) {
        // Entries already written carry the new password, the rest the old one: the next entry
        // is written as before, and running the change again finishes the pass.
        kennwortLesen = alt;
        kennwortSchreiben = alt;
        KennwortMerken(kuerzel, neu);
        foundation::DebugLogbuch(QStringLiteral("Kennwort: Umstellung abgebrochen"));
        platform::dialogs().msgBox(
            QStringLiteral("Die Umstellung auf das neue Kennwort wurde abgebrochen. Ein Teil der "
                           "Einträge trägt schon das neue Kennwort, die übrigen tragen weiter das "
                           "bisherige; kein Eintrag ist verloren.\r\n\r\nWenn Sie das neue "
                           "Kennwort noch einmal festlegen, werden die übrigen Einträge "
                           "umgestellt."),
            platform::vbOKOnly | platform::vbExclamation, titelKennwortschutz);
        return false;
    }
    kennwortSchreiben = neu;
    kennwortLesen = neu;
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
    return true;
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
