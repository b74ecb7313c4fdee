#pragma once
// The window "Kennwortschutz ändern": sets, changes or removes the password of the open diary and
// stores the hint that the prompt shows. A meter rates the new password while it is typed. On
// OK every day file of the diary is loaded and written again with the new password (plain text
// when it is empty), with a progress bar; the window stays responsive meanwhile, and its buttons
// are off until the pass has ended.
//
// The main window saves the shown entry first and opens the window only when the diary has
// entries:
//
//   auto* fenster = new store::PaßwortÄndern;
//   fenster->showModal();
//   if (!fenster->isUnloaded())
//       fenster->unload();
//
// A day that cannot be read (or whose password the user does not know) is left as it is and
// named to the user at the end of the pass; the pass never deletes a day file and never shows
// the password prompt. A day under a password other than the old and the new one is asked for
// once, in a plain question. Days already under the new password are left as they are, so a
// pass that was interrupted (a kill, a full disk and "stop") is finished by running the same
// change again. The pass covers every day file of the diary, whatever the case of its name.
#include "platform/form.h"

#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace store {

// The meter's text for a password, in message markup ("~" a line break, "´...´" quotes); ""
// for a password that earns no point.
QString KennwortBewertung(const QString& kennwort);

class PaßwortÄndern : public platform::Form {
public:
    explicit PaßwortÄndern(QWidget* parent = nullptr);

    QLabel* Anzeige1;
    QLabel* Bezeichnung1;
    QLineEdit* TxtPW1;
    QLabel* Bezeichnung2;
    QLineEdit* TxtPW2;
    QLabel* bezKwQuali;
    QLabel* Bezeichnung3;
    QLabel* Bezeichnung4;
    QLineEdit* txtKennwortHilfe;
    QLabel* bezHinweis;
    QProgressBar* ProgressBar;
    QPushButton* befOk;
    QPushButton* befAbbruch;
    QTimer* TimerKwQuali;

    void befOk_Click();
    void befAbbruch_Click();
    void TxtPW1_Change();
    void TimerKwQuali_Timer();

    // The day files the last pass left as they were ("<yyyymmdd>.<short name>" and why).
    const QStringList& nichtUmgestellt() const { return nichtUmgestellt_; }

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pass; false when the user stopped it in the error dialog.
    bool neuSichern(const QString& neu);
    // Whether every day file of the diary can be read and already carries this password.
    bool alleTageMit(const QString& neu) const;

    bool laeuft_ = false;
    QStringList nichtUmgestellt_;
};

} // namespace store
