#include "store/password_prompt.h"

#include "foundation/debug_log.h"
#include "foundation/file_services.h"
#include "foundation/message_text.h"
#include "foundation/reservation.h"
#include "foundation/ui_services.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/diary_title.h"
#include "store/password_check.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace store {

namespace {

// OK presses since the last right password, over the whole run.
int versuche = 0;

PaßwortEingabeAnzeige& anzeigeSlot()
{
    static PaßwortEingabeAnzeige anzeige;
    return anzeige;
}

} // namespace

void KennwortFeldEinrichten(QLineEdit* feld)
{
    feld->setEchoMode(QLineEdit::Password);
    // The limit is kept below: QLineEdit's own would cut a character of two UTF-16 units.
    feld->setMaxLength(32767);
    QObject::connect(feld, &QLineEdit::textChanged, feld, [feld](const QString& text) {
        QString erlaubt;
        bool fremd = false;
        for (const QChar zeichen : text) {
            if (KennwortZeichenErlaubt(zeichen))
                erlaubt.append(zeichen);
            else
                fremd = true;
        }
        erlaubt.truncate(kennwortKopfLaenge);
        if (erlaubt == text)
            return;
        const int cursor = std::min<int>(feld->cursorPosition(), int(erlaubt.size()));
        {
            const QSignalBlocker still(feld);
            feld->setText(erlaubt);
            feld->setCursorPosition(cursor);
        }
        Q_EMIT feld->textChanged(erlaubt);
        if (fremd)
            platform::dialogs().msgBox(
                QStringLiteral("Ein Kennwort kann nur Buchstaben, Ziffern und Satzzeichen des "
                               "westeuropäischen Zeichensatzes enthalten, zum Beispiel ä, ß oder "
                               "€, aber keine anderen Schriftzeichen oder Symbole.\r\n\r\nDie "
                               "übrigen Zeichen wurden nicht übernommen."),
                platform::vbOKOnly | platform::vbExclamation, QStringLiteral("Kennwort"));
    });
}

PaßwortEingabe::PaßwortEingabe(const QString& gespeicherterKopf, QWidget* parent)
    : platform::Form(parent), kopf_(gespeicherterKopf)
{
    setObjectName(QStringLiteral("PaßwortEingabe"));
    setWindowTitle(QStringLiteral("Kennwortabfrage"));
    setWindowIcon(QApplication::windowIcon());
    setBorderStyle(platform::borderFixedDialog);

    Anzeige = new QLabel(this);
    Anzeige->setObjectName(QStringLiteral("Anzeige"));
    Anzeige->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
    Anzeige->setAlignment(Qt::AlignTop);
    bezKennwortHilfe = new QLabel(this);
    bezKennwortHilfe->setObjectName(QStringLiteral("bezKennwortHilfe"));
    bezKennwortHilfe->setWordWrap(true);
    bezKennwortHilfe->setTextFormat(Qt::PlainText);
    bezKennwortHilfe->setMinimumWidth(300);
    TxtPWin = new QLineEdit(this);
    TxtPWin->setObjectName(QStringLiteral("TxtPWin"));
    KennwortFeldEinrichten(TxtPWin);
    befOk = new QPushButton(QStringLiteral("&Ok"), this);
    befOk->setObjectName(QStringLiteral("befOk"));
    befOk->setDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(bezKennwortHilfe);
    text->addWidget(TxtPWin);
    auto* knopf = new QHBoxLayout;
    knopf->addStretch();
    knopf->addWidget(befOk);
    text->addLayout(knopf);
    auto* aussen = new QHBoxLayout(this);
    aussen->addWidget(Anzeige);
    aussen->addLayout(text, 1);

    connect(befOk, &QPushButton::clicked, this, &PaßwortEingabe::befOk_Click);

    // Load
    TxtPWin->clear();
    QString kuerzel = korvanelKuerzel;
    const QString titel = KorvanelTitelLesen(kuerzel, titelKuerzel);
    bezKennwortHilfe->setText(foundation::MeldungAufbereiten(
        titel + QStringLiteral(".~~") + KennwortHilfeLesen(korvanelKuerzel)));
    foundation::TonAusgeben(QStringLiteral("#SystemQuestion"));
    zeiger_ = platform::mousePointer().get();
    platform::mousePointer().set(platform::vbDefault);
}

void PaßwortEingabe::befOk_Click()
{
    if (angenommen_)
        return;
    ++versuche;
    const QString eingabe = TxtPWin->text();
    const QString gespeichert = rt::RTrim(kopf_.left(kennwortKopfLaenge));
    // Both sides count with their first 15 characters, padded with blanks, as the day files
    // store them.
    if (gespeichert.isEmpty() || KennwortKopf(eingabe) == KennwortKopf(gespeichert)) {
        foundation::NutzungProtokollieren(korvanelKuerzel + QStringLiteral(", KW ok"));
        kennwortLesen = eingabe;
        kennwortSchreiben = eingabe;
        versuche = 0;
        angenommen_ = true;
        platform::mousePointer().set(zeiger_);
        hide();
        return;
    }
    foundation::TonAusgeben(QStringLiteral("#SystemHand"));
    foundation::NutzungProtokollieren(korvanelKuerzel + QStringLiteral(", KW falsch !!!"));
    if (versuche >= 3) {
        const QString kuerzel = korvanelKuerzel;
        korvanelKuerzel.clear(); // nothing is saved for this diary on the way out
        foundation::Warten(1.5f);
        abbrechen(kuerzel);
    }
    const int antwort = platform::dialogs().msgBox(
        QStringLiteral("Das von Ihnen gewählte Kennwort ist falsch!"),
        platform::vbRetryCancel | platform::vbExclamation, QStringLiteral("Kennwortabfrage"));
    if (antwort != platform::vbRetry)
        KennwortAbbruch();
    TxtPWin->clear();
    TxtPWin->setFocus();
}

void PaßwortEingabe::KennwortAbbruch()
{
    const QString kuerzel = korvanelKuerzel;
    korvanelKuerzel.clear();
    abbrechen(kuerzel);
}

void PaßwortEingabe::abbrechen(const QString& kuerzel)
{
    foundation::NutzungProtokollieren(kuerzel + QStringLiteral(", KW Abbruch"));
    foundation::DateiReservierung(0);
    foundation::ProgrammBeenden();
}

void PaßwortEingabe::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode != platform::UnloadMode::ControlMenu || angenommen_)
        return;
    cancel = true;
    befOk_Click();
}

void KennwortAbfragen(const QString& gespeicherterKopf)
{
    auto* fenster = new PaßwortEingabe(gespeicherterKopf);
    // Unloaded on every way out, also when the program ends from inside the prompt.
    struct Entladen {
        PaßwortEingabe* fenster;
        ~Entladen()
        {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
    } entladen{fenster};
    if (const PaßwortEingabeAnzeige& anzeige = anzeigeSlot())
        anzeige(*fenster);
    else
        fenster->showModal();
}

void PaßwortEingabeEinrichten()
{
    setKennwortAbfrage(
        [](const QString&, const QString& gespeicherterKopf) { KennwortAbfragen(gespeicherterKopf); });
}

void setPaßwortEingabeAnzeige(PaßwortEingabeAnzeige anzeige)
{
    anzeigeSlot() = std::move(anzeige);
}

void resetPaßwortEingabe()
{
    versuche = 0;
}

int paßwortFehlversuche()
{
    return versuche;
}

} // namespace store
