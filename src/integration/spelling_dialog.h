#pragma once
// The window "Rechtschreibprüfung": goes through a text word by word and stops at each word the
// dictionary does not know, shown marked in its sentence, with the dictionary's suggestions. The
// caller hands it the text and reads the result:
//
//   auto* fenster = new integration::Rechtschreibung(text, *woerterbuch, u"de_DE"_qs, owner);
//   if (!fenster->fertig())     // the text has an unknown word
//       fenster->showModal();
//   const QString korrigiert = fenster->ergebnis();
//   fenster->unload();
//
// "&Ersetzen" (also Enter) puts the text of txtErsatz in place of the word (an empty one removes it), "A&lle
// ersetzen" does so here and at every later place of the same word, "&Ignorieren" leaves the word
// here, "Alle i&gnorieren" everywhere until the end of the check. "Abbrechen", Escape and the
// close box end the check: the corrections made so far stay in the result. The window hides
// itself after the last word. A replacement is not checked again.
#include "spelling.h"

#include "platform/form.h"

#include <QSet>
#include <QString>

#include <map>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace platform {
class SpellDictionary;
}

namespace integration {

class Rechtschreibung : public platform::Form {
public:
    // Looks for the first unknown word at once.
    Rechtschreibung(const QString& text, platform::SpellDictionary& woerterbuch,
                    const QString& language, QWidget* parent = nullptr);

    QLabel* bezNichtImWoerterbuch;
    QTextEdit* txtSatz; // the sentence of the word, the word marked
    QLabel* bezErsatz;
    QLineEdit* txtErsatz;
    QLabel* bezVorschläge;
    QListWidget* lstVorschläge;
    QPushButton* befIgnorieren;
    QPushButton* befAlleIgnorieren;
    QPushButton* befErsetzen;
    QPushButton* befAlleErsetzen;
    QPushButton* befAbbrechen;
    QLabel* bezWörterbuch; // the dictionary's language

    void befErsetzen_Click();
    void befAlleErsetzen_Click();
    void befIgnorieren_Click();
    void befAlleIgnorieren_Click();
    void befAbbrechen_Click();
    void lstVorschläge_Click();
    void lstVorschläge_DblClick();

    // The text with the corrections made so far, every line end as CR LF (a lone CR or LF too).
    QString ergebnis() const;
    // True once every word was looked at (false while a word is shown and after cancelling).
    bool fertig() const { return fertig_; }
    // The unknown word shown; "" when none is.
    QString wort() const;

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;

private:
    // Goes on from position from: known words, words to ignore and words to replace everywhere
    // are passed (the last replaced) until an unknown word is found and shown; without one, the
    // check is done and the window hides.
    void weiter(int from);
    void zeigen();
    void ersetzen(const QString& neu);
    bool bekannt(const QString& wort, const QString& anhang);

    platform::SpellDictionary& woerterbuch_;
    QString text_;
    int stelle_ = -1; // the shown word, -1 when none is
    int laenge_ = 0;
    bool fertig_ = false;
    QSet<QString> ignoriert_;
    std::map<QString, QString> ersetzenAlle_;
};

} // namespace integration
