#pragma once
// The password prompt "Kennwortabfrage": asks for the password of the open diary, with three
// tries per run; the third wrong one, or giving up, ends the program. It is shown by the check
// at opening (password_check.h) and, through the store's kennwortAbfrage hook, whenever an entry
// is loaded whose header differs from kennwortLesen. The typed password is compared with the
// header it was shown for: that of the newest day at opening, that of the very file being loaded
// otherwise.
#include "platform/form.h"

#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace store {

class PaßwortEingabe : public platform::Form {
public:
    // gespeicherterKopf: the 15-character header the typed password must match.
    explicit PaßwortEingabe(const QString& gespeicherterKopf, QWidget* parent = nullptr);

    QLineEdit* TxtPWin;
    QPushButton* befOk;
    QLabel* bezKennwortHilfe;
    QLabel* Anzeige;

    // Checks the typed password. Right: kennwortLesen and kennwortSchreiben take it, and the
    // window hides. Wrong: the user may try again (or give up) until the third wrong try of the
    // run, which ends the program after a pause.
    void befOk_Click();
    // Gives up: the usage log says so, the reservation of the data folder is released and the
    // program ends in order. Nothing is saved for the diary on the way out.
    [[noreturn]] void KennwortAbbruch();

    // Whether a password was accepted (the window is then hidden).
    bool angenommen() const { return angenommen_; }

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;

private:
    [[noreturn]] void abbrechen(const QString& kuerzel);

    QString kopf_;
    int zeiger_ = 0;
    bool angenommen_ = false;
};

// Makes a line edit a password field: it takes only characters a password may hold
// (KennwortZeichenErlaubt) and at most 15 of them, so the header stores exactly what was typed and
// the same password typed again matches. Other characters are taken out again, with a German
// message; nothing is ever cut in the middle of a character.
void KennwortFeldEinrichten(QLineEdit* feld);

// Shows the prompt modally for the open diary and the header given, and unloads it afterwards.
// Returns after a password was accepted; otherwise the program has ended.
void KennwortAbfragen(const QString& gespeicherterKopf);

// Installs the prompt as the store's kennwortAbfrage (done once at start-up).
void PaßwortEingabeEinrichten();

// Tests: how KennwortAbfragen shows the window (in place of the modal display); empty: modal.
using PaßwortEingabeAnzeige = std::function<void(PaßwortEingabe&)>;
void setPaßwortEingabeAnzeige(PaßwortEingabeAnzeige anzeige);
// Tests: the try counter of the run back to 0.
void resetPaßwortEingabe();
// The wrong tries counted since the last right password.
int paßwortFehlversuche();

} // namespace store
