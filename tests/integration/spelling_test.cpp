// The spelling check: which pieces of an entry are words, which dictionary is taken, the window's
// five buttons on a small dictionary, and what the command does with the window's result.
#include "integration/spelling.h"
#include "integration/spelling_dialog.h"

#include "foundation/read_only.h"
#include "integration_fixture.h"
#include "support/fake_main_port.h"
#include "support/fake_spell_checker.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace integration;

namespace {

// Every word of text as "word" or "word|appendix", found one after the other.
QStringList woerter(const QString& text)
{
    QStringList gefunden;
    int ab = 0;
    while (const std::optional<Wortstelle> stelle = naechstesWort(text, ab)) {
        const QString wort = text.mid(stelle->start, stelle->laenge);
        gefunden.append(stelle->anhang.isEmpty() ? wort : wort + u'|' + stelle->anhang);
        ab = stelle->start + stelle->laenge;
    }
    return gefunden;
}

TEST(SpellingWords, lettersWithInnerHyphensAndPoints_numbersLinksAndAddressesSkipped)
{
    const QString hundert(100, u'a');
    struct Row {
        const char* name;
        QString text;
        QStringList words;
    };
    const Row rows[] = {
        {"sentence", u8("Heute ist ein schöner Tag."),
         {u8("Heute"), u8("ist"), u8("ein"), u8("schöner"), u8("Tag|.")}},
        {"umlauts and sharp s", u8("Grüße an\r\nStraße"), {u8("Grüße"), u8("an"), u8("Straße")}},
        {"inner hyphens, a first part", u8("Ost-West-Achse, Vorder- und -seite"),
         {u8("Ost-West-Achse"), u8("Vorder|-"), u8("und"), u8("seite")}},
        {"abbreviations", u8("z.B. usw. (d.h.)"), {u8("z.B|."), u8("usw|."), u8("d.h|.")}},
        {"numbers and letters joined to them", u8("10kg A4 3er 2024 12:30 Uhr"), {u8("Uhr")}},
        {"links and addresses",
         u8("an anna@example.de, www.Beispiel.de (https://x.de/Seite) oder mailto:b@c.de!"),
         {u8("an"), u8("oder")}},
        {"apostrophes and quotes separate", u8("geht's »Zitat« „so“"),
         {u8("geht"), u8("s"), u8("Zitat"), u8("so")}},
        {"a hundred letters are a word, more are not", hundert + u8(" ") + hundert + u8("b x"),
         {hundert, u8("x")}},
        {"nothing", u8(" \r\n 42 … "), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(woerter(row.text), row.words);
    }
}

TEST(SpellingWords, searchFromTheMiddleOfALinkOrAfterAWord)
{
    const QString text = u8("siehe www.example.de/Seite dann");
    EXPECT_EQ(naechstesWort(text, 10), (Wortstelle{27, 4, QString()}));
    EXPECT_EQ(naechstesWort(text, 31), std::nullopt);
    EXPECT_EQ(naechstesWort(text, 500), std::nullopt);
}

class Spelling : public IntegrationTest {
protected:
    Spelling()
    {
        checker.addDictionary(u8("de_DE"), {u8("und"), u8("dann"), u8("ein"), u8("usw."), u8("Vorder-")},
                              {{u8("Tagebuhc"), {u8("Tagebuch"), u8("Tagebücher")}},
                               {u8("Fehlr"), {u8("Fehler")}}});
        main.setDateCaption(u8("05.03.2024"));
    }
    ~Spelling() override { foundation::nurLesen = false; }

    // Runs the command; while its window is open, drive gets it (nullptr when none opened).
    void pruefen(const std::function<void(Rechtschreibung*)>& drive = {})
    {
        bool offen = false;
        QTimer::singleShot(0, [&] {
            auto* fenster = platform::findForm<Rechtschreibung>();
            offen = fenster != nullptr && fenster->isVisible();
            if (drive)
                drive(offen ? fenster : nullptr);
            else if (offen)
                fenster->befAbbrechen->click();
        });
        mnuWordCheck_Click();
        QCoreApplication::processEvents(); // the timer of a run that opened no window
        EXPECT_EQ(platform::findForm<Rechtschreibung>(), nullptr) << "unloaded afterwards";
        fensterOffen = offen;
    }

    InstalledFake<FakeSpellChecker> checker{platform::setSpellChecker};
    FakeMainPort main;
    bool fensterOffen = false;
};

TEST_F(Spelling, buttons_tableOfCases)
{
    const QString text = u8("Tagebuhc und Tagebuhc, dann Fehlr.");
    using Schritt = std::function<void(Rechtschreibung&)>;
    const Schritt ersetzen = [](Rechtschreibung& w) { w.befErsetzen->click(); };
    const Schritt alleErsetzen = [](Rechtschreibung& w) { w.befAlleErsetzen->click(); };
    const Schritt ignorieren = [](Rechtschreibung& w) { w.befIgnorieren->click(); };
    const Schritt alleIgnorieren = [](Rechtschreibung& w) { w.befAlleIgnorieren->click(); };
    const Schritt abbrechen = [](Rechtschreibung& w) { w.befAbbrechen->click(); };
    const Schritt zweiterVorschlag = [](Rechtschreibung& w) {
        w.lstVorschläge->setCurrentRow(1);
        w.befErsetzen->click();
    };
    const Schritt doppelklick = [](Rechtschreibung& w) {
        w.lstVorschläge->setCurrentRow(1);
        emit w.lstVorschläge->itemActivated(w.lstVorschläge->item(1));
    };
    const Schritt eigenerText = [](Rechtschreibung& w) {
        w.txtErsatz->setText(u8("Heft"));
        QTest::keyClick(w.txtErsatz, Qt::Key_Return); // replaces this one word only
    };
    struct Row {
        const char* name;
        std::vector<Schritt> schritte;
        QStringList halte; // the word shown before each step
        QString ergebnis;
        bool fertig;
    };
    const QStringList alle{u8("Tagebuhc"), u8("Tagebuhc"), u8("Fehlr")};
    const Row rows[] = {
        {"Ersetzen each", {ersetzen, ersetzen, ersetzen}, alle,
         u8("Tagebuch und Tagebuch, dann Fehler."), true},
        {"Alle ersetzen", {alleErsetzen, ersetzen}, {u8("Tagebuhc"), u8("Fehlr")},
         u8("Tagebuch und Tagebuch, dann Fehler."), true},
        {"Ignorieren once", {ignorieren, ersetzen, ignorieren}, alle,
         u8("Tagebuhc und Tagebuch, dann Fehlr."), true},
        {"Alle ignorieren", {alleIgnorieren, ersetzen}, {u8("Tagebuhc"), u8("Fehlr")},
         u8("Tagebuhc und Tagebuhc, dann Fehler."), true},
        {"Abbrechen keeps the corrections so far", {ersetzen, abbrechen},
         {u8("Tagebuhc"), u8("Tagebuhc")}, u8("Tagebuch und Tagebuhc, dann Fehlr."), false},
        {"a chosen suggestion", {zweiterVorschlag, doppelklick, abbrechen}, alle,
         u8("Tagebücher und Tagebücher, dann Fehlr."), false},
        {"an own text with Enter", {eigenerText, abbrechen}, {u8("Tagebuhc"), u8("Tagebuhc")},
         u8("Heft und Tagebuhc, dann Fehlr."), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto woerterbuch = checker.loadDictionary(u8("de_DE"));
        auto* fenster = new Rechtschreibung(text, *woerterbuch, u8("de_DE"));
        fenster->show();
        QStringList gehalten;
        for (const Schritt& schritt : row.schritte) {
            gehalten.append(fenster->wort());
            schritt(*fenster);
        }
        EXPECT_EQ(gehalten, row.halte);
        EXPECT_EQ(fenster->ergebnis(), row.ergebnis);
        EXPECT_EQ(fenster->fertig(), row.fertig);
        EXPECT_FALSE(fenster->isVisible()) << "hidden at the end";
        fenster->unload();
    }
}

TEST_F(Spelling, window_showsTheWordMarkedInItsSentenceWithSuggestions)
{
    auto woerterbuch = checker.loadDictionary(u8("de_DE"));
    auto* fenster = new Rechtschreibung(
        u8("und dann.\r\nein Tagebuhc und dann! Fehlr usw. ein"), *woerterbuch, u8("de_DE"));
    EXPECT_EQ(fenster->txtSatz->toPlainText(), u8("ein Tagebuhc und dann!"));
    QTextCursor zeichen(fenster->txtSatz->document());
    zeichen.setPosition(6);
    EXPECT_EQ(zeichen.charFormat().fontWeight(), QFont::Bold) << "the word is marked";
    zeichen.setPosition(14);
    EXPECT_NE(zeichen.charFormat().fontWeight(), QFont::Bold) << "the rest is not";
    EXPECT_EQ(fenster->lstVorschläge->count(), 2);
    EXPECT_EQ(fenster->txtErsatz->text(), u8("Tagebuch"));
    EXPECT_EQ(fenster->bezWörterbuch->text(), u8("Wörterbuch: Deutsch (Deutschland)"));

    // Without suggestions the word itself is proposed; "usw." is an abbreviation it knows.
    fenster->befIgnorieren->click();
    EXPECT_EQ(fenster->wort(), u8("Fehlr"));
    EXPECT_EQ(fenster->txtSatz->toPlainText(), u8("Fehlr usw."));
    zeichen.setPosition(2);
    EXPECT_EQ(zeichen.charFormat().fontWeight(), QFont::Bold);
    zeichen.setPosition(8);
    EXPECT_NE(zeichen.charFormat().fontWeight(), QFont::Bold) << "only the new word is marked";
    fenster->befIgnorieren->click();
    EXPECT_TRUE(fenster->fertig());

    auto* ohne = new Rechtschreibung(u8("Qwertz"), *woerterbuch, u8("de_AT"));
    EXPECT_EQ(ohne->lstVorschläge->item(0)->text(), u8("(keine Vorschläge)"));
    EXPECT_EQ(ohne->lstVorschläge->item(0)->flags(), Qt::NoItemFlags);
    EXPECT_EQ(ohne->txtErsatz->text(), u8("Qwertz"));
    EXPECT_EQ(ohne->bezWörterbuch->text(), u8("Wörterbuch: Deutsch (Österreich)"));
    // The close box cancels like "Abbrechen".
    ohne->show();
    ohne->close();
    EXPECT_FALSE(ohne->isUnloaded());
    EXPECT_FALSE(ohne->isVisible());
    EXPECT_FALSE(ohne->fertig());
    EXPECT_EQ(ohne->ergebnis(), u8("Qwertz"));
    ohne->unload();
    fenster->unload();
}

TEST_F(Spelling, command_resultIntoTheEntry)
{
    struct Row {
        const char* name;
        QString eintrag;
        std::function<void(Rechtschreibung*)> drive;
        std::vector<int> antworten; // of the question before an empty result
        QString danach;
        QString status;
    };
    const auto leeren = [this](Rechtschreibung* w) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(main.panelText(u8("Status")), u8("Rechtschreibung..."));
        w->txtErsatz->clear();
        w->befErsetzen->click();
    };
    const Row rows[] = {
        {"no unknown word: no window, done", u8("und dann"), {}, {}, u8("und dann"),
         u8("Rechtschreibprüfung abgeschlossen")},
        {"cancelled unchanged: done", u8("dann Fehlr"), {}, {}, u8("dann Fehlr"),
         u8("Rechtschreibprüfung abgeschlossen")},
        {"changed: taken without a question", u8("dann Fehlr"),
         [](Rechtschreibung* w) { w->befErsetzen->click(); }, {}, u8("dann Fehler"), u8("Bereit")},
        {"empty: No keeps the entry", u8("Fehlr"), leeren, {platform::vbNo}, u8("Fehlr"),
         u8("Bereit")},
        {"empty: Yes empties it", u8("Fehlr"), leeren, {platform::vbYes}, QString(), u8("Bereit")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        main.setText(row.eintrag);
        main.setPanelText(u8("Status"), u8("vorher"));
        for (const int antwort : row.antworten)
            dialogs.expectMsgBox(antwort, u8("nicht mehr i. O. ist.\r\n\r\nSoll folgender Text als "
                                             "Eintrag übernommen werden:"));
        const std::size_t fragen = dialogs.calls().size();
        pruefen(row.drive);
        EXPECT_EQ(main.text(), row.danach);
        EXPECT_EQ(main.panelText(u8("Status")), row.status);
        ASSERT_EQ(dialogs.calls().size(), fragen + row.antworten.size());
        if (!row.antworten.empty()) {
            const FakeDialogs::Call& frage = dialogs.calls().back();
            EXPECT_EQ(frage.title, u8("Rechtschreibprüfung mit Word"));
            EXPECT_EQ(frage.buttons, platform::vbYesNo);
            EXPECT_EQ(frage.defaultAnswer, platform::vbNo) << "emptying is never the default";
        }
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Spelling, result_loneCrAndLfBecomeCrLf)
{
    auto woerterbuch = checker.loadDictionary(u8("de_DE"));
    auto* fenster = new Rechtschreibung(u8("Fehlr\rund\ndann\r\n"), *woerterbuch, u8("de_DE"));
    EXPECT_EQ(fenster->wort(), u8("Fehlr"));
    fenster->befErsetzen->click();
    EXPECT_TRUE(fenster->fertig());
    EXPECT_EQ(fenster->ergebnis(), u8("Fehler\r\nund\r\ndann\r\n"));
    fenster->unload();
}

TEST_F(Spelling, command_dictionaryByLanguageId_loadedOnlyWhenACheckStarts)
{
    checker.addDictionary(u8("de_AT"), {u8("Jänner")});
    EXPECT_TRUE(checker.loaded().isEmpty());
    struct Row {
        const char* id;
        const char* sprache;
    };
    for (const Row& row : {Row{"1031", "de_DE"}, Row{"3079", "de_AT"}, Row{"2055", "de_DE"},
                           Row{"0", "de_DE"}, Row{"", "de_DE"}, Row{"deutsch", "de_DE"},
                           Row{"1033", "de_DE"}}) {
        SCOPED_TRACE(row.id);
        foundation::IniSchreiben(QString(), QString(), u8("WordLanguageID"), u8(row.id));
        EXPECT_EQ(woerterbuchSprache(u8(row.id)), u8(row.sprache));
        main.setText(u8("Jänner"));
        pruefen();
        EXPECT_EQ(checker.loaded().back(), u8(row.sprache));
    }
}

TEST_F(Spelling, command_doesNothingForEmptyEntryOrReadOnly)
{
    main.setText(u8("   "));
    pruefen();
    main.setText(u8("Fehlr"));
    foundation::nurLesen = true;
    pruefen();
    EXPECT_FALSE(fensterOffen);
    EXPECT_TRUE(checker.loaded().isEmpty());
    EXPECT_EQ(main.text(), u8("Fehlr"));
}

TEST_F(Spelling, command_missingDictionaryGoesToTheErrorDialog)
{
    FakeSpellChecker ohne;
    ScopedService guard(platform::setSpellChecker, &ohne);
    main.setText(u8("Fehlr"));
    pruefen();
    EXPECT_EQ(errors,
              QStringList{u8("53 Es ist ein Fehler bei 'Rechtschreibprüfung mit Word' aufgetreten.")});
    EXPECT_FALSE(fensterOffen);
    EXPECT_EQ(main.text(), u8("Fehlr"));
}

TEST_F(Spelling, command_entryChangedWhileOpen_resultNotTaken)
{
    main.setText(u8("dann Fehlr"));
    dialogs.expectMsgBox(platform::vbOK, u8("während der Rechtschreibprüfung geändert"));
    pruefen([this](Rechtschreibung* w) {
        main.setText(u8("dann Fehlr und mehr")); // another way into the entry
        w->befErsetzen->click();
    });
    EXPECT_EQ(main.text(), u8("dann Fehlr und mehr"));
}

TEST_F(Spelling, realGermanDictionary_typoFlaggedUmlautsPass)
{
    ScopedService echt(platform::setSpellChecker, static_cast<platform::SpellChecker*>(nullptr));
    main.setText(u8("Grüße an die Straße, liebes Tagebuhc."));
    QStringList gehalten;
    QStringList vorschlaege;
    pruefen([&](Rechtschreibung* w) {
        ASSERT_NE(w, nullptr);
        gehalten.append(w->wort());
        for (int i = 0; i < w->lstVorschläge->count(); ++i)
            vorschlaege.append(w->lstVorschläge->item(i)->text());
        w->txtErsatz->setText(u8("Tagebuch"));
        w->befErsetzen->click();
    });
    EXPECT_EQ(gehalten, QStringList{u8("Tagebuhc")});
    EXPECT_TRUE(vorschlaege.contains(u8("Tagebuch"))) << vorschlaege.join(u8(", ")).toStdString();
    EXPECT_EQ(main.text(), u8("Grüße an die Straße, liebes Tagebuch."));
}

} // namespace
