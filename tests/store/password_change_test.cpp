#include "password_fixture.h"

#include "foundation/message_text.h"
#include "store/password_change.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <map>
#include <optional>

using store::PaßwortÄndern;

namespace {

struct Tag {
    QString name; // "yyyymmdd"
    QString text;
};

// Entries in three year folders, with line breaks and characters of Windows-1252.
const std::vector<Tag> tage = {
    {s("19991231"), s("Silvester.\r\nDas Jahr 2000 kommt.")},
    {s("20230101"), s("Neujahr: Grüße an Jörg – „schön“ war’s €")},
    {s("20240305"), s("Dienstag")},
    {s("20240512"), s("Mai\r\n\r\nmit Leerzeile")},
};

class PasswordChange : public PasswordFixture {
protected:
    void tagebuchMit(const QString& kennwort)
    {
        for (const Tag& tag : tage)
            tagSchreiben(tag.name, tag.text, kennwort);
        store::kennwortLesen = kennwort;
        store::kennwortSchreiben = kennwort;
        store::verzeichnisStatus = 0;
    }
    // Every day file holds its entry under that password, byte for byte.
    void alleDateienMit(const QString& kennwort)
    {
        for (const Tag& tag : tage) {
            SCOPED_TRACE(tag.name.toStdString());
            const QByteArray bytes = lesen(tagesdatei(tag.name));
            EXPECT_EQ(bytes, erwarteteDatei(tag.text, kennwort));
            EXPECT_EQ(bytes.size(), tag.text.size() + (kennwort.isEmpty() ? 0 : 40));
        }
    }
    // Types both fields and the hint and presses OK.
    void aendern(PaßwortÄndern* fenster, const QString& kennwort1, const QString& kennwort2,
                 const QString& hilfe = s("Bitte das Kennwort eingeben."))
    {
        fenster->TxtPW1->setText(kennwort1);
        fenster->TxtPW2->setText(kennwort2);
        fenster->txtKennwortHilfe->setText(hilfe);
        fenster->befOk_Click();
    }
    QByteArray korvanelIni() const { return lesen(s("Korvanel.ini")); }
};

TEST_F(PasswordChange, theWindowHasItsControlsAndLoadsTitleAndHint)
{
    foundation::IniSchreiben(foundation::ordnerDat + s("/Korvanel.ini"), s("Txt"),
                             s("KennwortHilfe"), s("Katze"));
    auto* fenster = new PaßwortÄndern;
    EXPECT_EQ(fenster->windowTitle(), s("Kennwortschutz für Mein Tagebuch ändern"));
    EXPECT_EQ(fenster->txtKennwortHilfe->text(), s("Katze"));
    EXPECT_EQ(fenster->txtKennwortHilfe->maxLength(), 150);
    for (QLineEdit* feld : {fenster->TxtPW1, fenster->TxtPW2}) {
        EXPECT_EQ(feld->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(feld->text().isEmpty());
    }
    const std::vector<std::pair<const char*, QString>> texte = {
        {"befOk", s("&Ok")},
        {"befAbbruch", s("&Abbrechen")},
        {"bezHinweis", s("Texte werden mit neuem Kennwort versehen.")},
        {"Bezeichnung1", s("Bitte das neue Kennwort eingeben. Keine Eingabe, hebt den Schutz auf.")},
        {"Bezeichnung2", s("Kennworteingabe wiederholen:")},
    };
    for (const auto& [name, text] : texte) {
        QObject* control = fenster->control(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->property("text").toString(), text) << name;
    }
    for (const char* name : {"bezKwQuali", "TimerKwQuali", "ProgressBar", "Bezeichnung3",
                             "Bezeichnung4", "Anzeige1"})
        EXPECT_NE(fenster->control(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_TRUE(fenster->ProgressBar->isHidden());
    EXPECT_TRUE(fenster->bezHinweis->isHidden());

    // Enter moves on to the next field instead of pressing a button.
    fenster->show();
    fenster->TxtPW1->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(fenster->TxtPW1, &enter);
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_TRUE(nutzung().isEmpty());
    fenster->unload();
}

TEST_F(PasswordChange, settingChangingAndRemovingRewriteEveryDayFile)
{
    tagebuchMit(QString());
    std::map<QString, QByteArray> original;
    for (const Tag& tag : tage)
        original[tag.name] = lesen(tagesdatei(tag.name));

    {
        SCOPED_TRACE("set");
        auto* fenster = new PaßwortÄndern;
        fenster->show();
        aendern(fenster, s("Geheim12"), s("Geheim12"), s("  Lieblingsfarbe  "));
        EXPECT_FALSE(fenster->isVisible());
        EXPECT_EQ(fenster->ProgressBar->value(), 100);
        EXPECT_TRUE(fenster->ProgressBar->isHidden());
        EXPECT_TRUE(fenster->nichtUmgestellt().isEmpty());
        alleDateienMit(s("Geheim12"));
        EXPECT_EQ(store::kennwortLesen, s("Geheim12"));
        EXPECT_EQ(store::kennwortSchreiben, s("Geheim12"));
        EXPECT_EQ(korvanelIni(), QByteArray("[Txt]\r\nKennwortHilfe=Lieblingsfarbe\r\n"));
        EXPECT_EQ(nutzung(), QStringList{s("Txt, KW geändert !!!")});
        fenster->unload();
    }
    {
        SCOPED_TRACE("change (upper and lower case count)");
        auto* fenster = new PaßwortÄndern;
        aendern(fenster, s("GEHEIM12"), s("GEHEIM12"), s("Farbe"));
        alleDateienMit(s("GEHEIM12"));
        EXPECT_EQ(abfragen, 0);
        EXPECT_EQ(korvanelIni(), QByteArray("[Txt]\r\nKennwortHilfe=Farbe\r\n"));
        fenster->unload();
    }
    {
        SCOPED_TRACE("remove");
        auto* fenster = new PaßwortÄndern;
        aendern(fenster, QString(), QString());
        for (const Tag& tag : tage)
            EXPECT_EQ(lesen(tagesdatei(tag.name)), original[tag.name]) << tag.name.toStdString();
        EXPECT_EQ(store::kennwortLesen, QString());
        EXPECT_EQ(store::kennwortSchreiben, QString());
        fenster->unload();
    }
    EXPECT_EQ(nutzung(), (QStringList{s("Txt, KW geändert !!!"), s("Txt, KW geändert !!!"),
                                      s("Txt, KW geändert !!!")}));
    // The diary opens with the new state: no password, no question.
    store::kennwortLesen.clear();
    store::verzeichnisStatus = 0;
    store::KennwortBeimÖffnenPrüfen();
    EXPECT_EQ(abfragen, 0);
}

TEST_F(PasswordChange, refusedInputChangesNoDayFileButKeepsTheHint)
{
    tagebuchMit(s("Geheim12"));
    struct Fall {
        const char* name;
        QString kennwort1;
        QString kennwort2;
        QString meldung;
    };
    const std::vector<Fall> faelle = {
        {"different", s("Geheim34"), s("Geheim35"), s("Sie haben das Kennwort unterschiedlich eingegeben!")},
        {"different case", s("Geheim34"), s("geheim34"), s("unterschiedlich")},
        {"repetition empty", s("Geheim34"), QString(), s("unterschiedlich")},
        {"four characters", s("abcd"), s("abcd"), s("Bitte wählen Sie ein Kennwort, das mindestens 5 Zeichen lang ist!")},
        {"one character", s("a"), s("a"), s("mindestens 5 Zeichen")},
    };
    const auto vorher = datenordnerInhalt();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        auto* fenster = new PaßwortÄndern;
        fenster->show();
        dialoge.expectMsgBox(platform::vbOK, fall.meldung);
        ton.clear();
        aendern(fenster, fall.kennwort1, fall.kennwort2, s("Hinweis ") + s(fall.name));
        EXPECT_TRUE(fenster->isVisible());
        EXPECT_EQ(ton.beeps(), (std::vector<int>{platform::beepHand}));
        ASSERT_FALSE(dialoge.calls().empty());
        EXPECT_EQ(dialoge.calls().back().title, s("Kennwortschutz"));
        EXPECT_EQ(dialoge.calls().back().icon, platform::vbExclamation);
        EXPECT_EQ(foundation::IniLesen(foundation::ordnerDat + s("/Korvanel.ini"), s("Txt"),
                                       s("KennwortHilfe")),
                  s("Hinweis ") + s(fall.name));
        fenster->unload();
    }
    auto nachher = datenordnerInhalt();
    nachher.erase(s("/Korvanel.ini"));
    EXPECT_EQ(nachher, vorher);
    EXPECT_TRUE(nutzung().isEmpty());
    EXPECT_EQ(store::kennwortSchreiben, s("Geheim12"));
}

TEST_F(PasswordChange, theSamePasswordOrNoneOnAPlainDiaryRewritesNothing)
{
    struct Fall {
        const char* name;
        QString alt;
        QString neu;
    };
    const std::vector<Fall> faelle = {
        {"same password", s("Geheim12"), s("Geheim12")},
        {"plain diary, empty fields", QString(), QString()},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        tagebuchMit(fall.alt);
        const auto vorher = datenordnerInhalt();
        auto* fenster = new PaßwortÄndern;
        aendern(fenster, fall.neu, fall.neu);
        EXPECT_TRUE(fenster->isUnloaded());
        auto vorherOhneIni = vorher;
        vorherOhneIni.erase(s("/Korvanel.ini"));
        auto nachher = datenordnerInhalt();
        nachher.erase(s("/Korvanel.ini"));
        EXPECT_EQ(nachher, vorherOhneIni);
        EXPECT_TRUE(nutzung().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A five-character password is accepted (the meter would like six).
    auto* fenster = new PaßwortÄndern;
    aendern(fenster, s("abcde"), s("abcde"));
    alleDateienMit(s("abcde"));
    fenster->unload();
}

// A day under a password other than the old one is asked for once, in a plain question that
// may be cancelled; the prompt, whose giving up ends the program, never appears in the pass.
TEST_F(PasswordChange, aDayUnderAnotherPasswordIsAskedForOnceAndThePromptNeverAppears)
{
    tagSchreiben(s("19991231"), tage[0].text, s("Alt12345"));
    tagSchreiben(s("20230101"), tage[1].text, s("Anders99"));
    tagSchreiben(s("20240305"), tage[2].text, s("Alt12345"));
    tagSchreiben(s("20240512"), tage[3].text, s("Anders99"));
    store::kennwortLesen = s("Alt12345");
    store::kennwortSchreiben = s("Alt12345");
    store::verzeichnisStatus = 0;
    dialoge.expectInputBox(s("Anders99"), s("Der Eintrag vom 01.01.2023 trägt"));

    auto* fenster = new PaßwortÄndern;
    aendern(fenster, s("Neu12345"), s("Neu12345"));

    EXPECT_EQ(abfragen, 0);
    alleDateienMit(s("Neu12345"));
    EXPECT_TRUE(fenster->nichtUmgestellt().isEmpty());
    EXPECT_EQ(store::kennwortLesen, s("Neu12345"));
    EXPECT_EQ(store::kennwortSchreiben, s("Neu12345"));
    fenster->unload();
}

// Days that no known password opens, that are damaged or that cannot be read are left byte for
// byte and named at the end; the pass neither prompts nor ends the program, and the diary ends
// under the new password everywhere else.
TEST_F(PasswordChange, aDayThatCannotBeReadIsLeftAsItIsAndNamedAtTheEnd)
{
    tagebuchMit(s("Alt12345"));
    tagSchreiben(s("20230615"), s("Fremd"), s("Fremd123"));
    tagSchreiben(s("20230616"), s("Auch fremd"), s("Fremd123"));
    const QByteArray fremd = lesen(tagesdatei(s("20230615")));
    const QByteArray auchFremd = lesen(tagesdatei(s("20230616")));
    // A damaged day in the middle: garbage where the header should be.
    QByteArray kaputt = erwarteteDatei(s("Kaputt"), s("Alt12345"));
    // The header's third character "t" becomes the control character 0x01.
    kaputt[27] = static_cast<char>(kaputt[27] ^ ('t' ^ 0x01));
    schreiben(tagesdatei(s("20230620")), kaputt);
    schreiben(s("2023/20230621.Txt"), ansi("..Korvanel verschlüsselt "));
    std::optional<PermissionGuard> rechte;
    const bool ohneRechte = !runningAsRoot();
    if (ohneRechte) {
        schreiben(s("2024/20240401.Txt"), "unlesbar");
        rechte.emplace(folders.temp().file(daten(s("2024/20240401.Txt"))));
        folders.temp().setPermissions(daten(s("2024/20240401.Txt")), {});
    }
    store::verzeichnisStatus = 0;
    dialoge.expectInputBox(std::nullopt, s("Der Eintrag vom 15.06.2023 trägt"));
    dialoge.expectMsgBox(platform::vbOK, s("20230615.Txt (anderes Kennwort)"));

    auto* fenster = new PaßwortÄndern;
    aendern(fenster, s("Neu12345"), s("Neu12345"));

    EXPECT_EQ(abfragen, 0);
    EXPECT_EQ(ende.endCalls(), 0);
    alleDateienMit(s("Neu12345"));
    EXPECT_EQ(lesen(tagesdatei(s("20230615"))), fremd);
    EXPECT_EQ(lesen(tagesdatei(s("20230616"))), auchFremd);
    EXPECT_EQ(lesen(tagesdatei(s("20230620"))), kaputt);
    EXPECT_EQ(lesen(s("2023/20230621.Txt")), ansi("..Korvanel verschlüsselt "));
    QStringList erwartet{s("20230615.Txt (anderes Kennwort)"), s("20230616.Txt (anderes Kennwort)"),
                         s("20230620.Txt (nicht lesbar)"), s("20230621.Txt (nicht lesbar)")};
    if (ohneRechte)
        erwartet.append(s("20240401.Txt (nicht lesbar)"));
    EXPECT_EQ(fenster->nichtUmgestellt(), erwartet);
    ASSERT_FALSE(dialoge.calls().empty());
    EXPECT_TRUE(dialoge.calls().back().text.contains(s("bleiben unverändert erhalten")));
    rechte.reset();
    if (ohneRechte) {
        EXPECT_EQ(lesen(s("2024/20240401.Txt")), QByteArray("unlesbar"));
    }
    fenster->unload();
}

// A pass that did not finish (the program was killed half-way) left the first days under the new
// password and the rest under the old one. Running the same change again converts the rest,
// whichever password the diary was opened with, asking at most once for the other one.
TEST_F(PasswordChange, anInterruptedPassIsFinishedByRunningTheSameChangeAgain)
{
    struct Fall {
        const char* name;
        const char* geoeffnetMit; // the password the diary was opened with
        bool frage;               // whether the other password is asked for
    };
    const Fall faelle[] = {
        {"opened with the old password", "Alt12345", false},
        {"opened with the new password", "Neu12345", true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        tagSchreiben(tage[0].name, tage[0].text, s("Neu12345"));
        tagSchreiben(tage[1].name, tage[1].text, s("Neu12345"));
        tagSchreiben(tage[2].name, tage[2].text, s("Alt12345"));
        tagSchreiben(tage[3].name, tage[3].text, s("Alt12345"));
        const QByteArray schonUmgestellt = lesen(tagesdatei(tage[0].name));
        store::kennwortLesen = s(fall.geoeffnetMit);
        store::kennwortSchreiben = s(fall.geoeffnetMit);
        store::verzeichnisStatus = 0;
        if (fall.frage)
            dialoge.expectInputBox(s("Alt12345"), s("Der Eintrag vom 05.03.2024 trägt"));

        auto* fenster = new PaßwortÄndern;
        aendern(fenster, s("Neu12345"), s("Neu12345"));

        EXPECT_EQ(abfragen, 0);
        alleDateienMit(s("Neu12345"));
        EXPECT_EQ(lesen(tagesdatei(tage[0].name)), schonUmgestellt);
        EXPECT_TRUE(fenster->nichtUmgestellt().isEmpty());
        EXPECT_EQ(store::kennwortLesen, s("Neu12345"));
        fenster->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Stop in the error dialog (a full disk) ends the pass at that day: the days after it keep the
// old password, nothing is lost, and the next pass finishes the rest. Going on reports each day
// and leaves every day as it was.
TEST_F(PasswordChange, stopInTheErrorDialogEndsThePassAndNothingIsLost)
{
    SmallDisk disk(1024 * 1024, 256);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    foundation::ordnerDat = disk.file(s("Daten"));
    disk.write(s("Daten/Info.Txt"), ansi("Mein Tagebuch\r\n"));
    struct Fall {
        const char* name;
        int antwort;
        size_t meldungen;
    };
    const Fall faelle[] = {{"stop", platform::vbCancel, 1}, {"go on", platform::vbIgnore, 4}};
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        tagebuchMit(s("Alt12345"));
        std::map<QString, QByteArray> vorher;
        for (const Tag& tag : tage)
            vorher[tag.name] = disk.read(s("Daten/") + tagesdatei(tag.name));
        disk.fillBlocks();
        fehler.clear();
        fehlerAntwort = fall.antwort;
        dialoge.expectMsgBox(platform::vbOK, fall.antwort == platform::vbCancel
                                                 ? s("abgebrochen")
                                                 : s("bleiben unverändert erhalten"));

        auto* fenster = new PaßwortÄndern;
        aendern(fenster, s("Neu12345"), s("Neu12345"));

        const auto tagesfehler = std::count_if(fehler.begin(), fehler.end(), [](const Fehler& f) {
            return f.text.contains(s("#DS"));
        });
        EXPECT_EQ(static_cast<size_t>(tagesfehler), fall.meldungen);
        for (const Tag& tag : tage)
            EXPECT_EQ(disk.read(s("Daten/") + tagesdatei(tag.name)), vorher[tag.name]);
        // Stopped, the next entry is written as before the pass.
        if (fall.antwort == platform::vbCancel) {
            EXPECT_EQ(store::kennwortSchreiben, s("Alt12345"));
        }
        fenster->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QString& fueller : QDir(disk.path()).entryList({s("Fueller*")}, QDir::Files))
            QFile::remove(disk.path() + u'/' + fueller);
    }
    // With room again, the change finishes the pass.
    store::kennwortLesen = s("Alt12345");
    store::kennwortSchreiben = s("Alt12345");
    auto* fenster = new PaßwortÄndern;
    aendern(fenster, s("Neu12345"), s("Neu12345"));
    for (const Tag& tag : tage)
        EXPECT_EQ(disk.read(s("Daten/") + tagesdatei(tag.name)), erwarteteDatei(tag.text, s("Neu12345")));
    fenster->unload();
}

// A day whose file is there in two spellings of its name is one day of the index, and the pass
// converts both files, each once, without a prompt.
TEST_F(PasswordChange, everySpellingOfADayFileIsConvertedOnce)
{
    schreiben(s("2024/20240301.txt"), ansi("klein"));
    schreiben(s("2024/20240301.TXT"), ansi("GROSS"));
    schreiben(s("2024/20240302.Txt"), ansi("normal"));
    store::verzeichnisStatus = 0;
    store::TagesverzeichnisErstellen(true);
    EXPECT_EQ(*store::tagesverzeichnis, (std::vector<qint32>{20240301, 20240302}));

    auto* fenster = new PaßwortÄndern;
    aendern(fenster, s("Geheim12"), s("Geheim12"));
    EXPECT_EQ(abfragen, 0);
    EXPECT_EQ(lesen(s("2024/20240301.txt")), erwarteteDatei(s("klein"), s("Geheim12")));
    EXPECT_EQ(lesen(s("2024/20240301.TXT")), erwarteteDatei(s("GROSS"), s("Geheim12")));
    EXPECT_EQ(lesen(s("2024/20240302.Txt")), erwarteteDatei(s("normal"), s("Geheim12")));
    EXPECT_TRUE(fenster->nichtUmgestellt().isEmpty());
    fenster->unload();
}

// A day file whose bytes do not decode (the UTF-8 mark followed by invalid UTF-8) would lose
// those bytes to replacement characters when rewritten: the pass leaves it byte for byte and
// names it, when the password is set and when it is removed.
TEST_F(PasswordChange, aDayWithBytesThatDoNotDecodeIsLeftByteForByte)
{
    tagebuchMit(QString());
    const QByteArray ungueltig = QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F\xFF\xFE und mehr");
    schreiben(s("2024/20240401.Txt"), ungueltig);
    store::verzeichnisStatus = 0;
    // Set, it is named; removed, it is plain already and needs nothing.
    for (const char* kennwort : {"Geheim12", ""}) {
        SCOPED_TRACE(kennwort);
        if (*kennwort != '\0')
            dialoge.expectMsgBox(platform::vbOK, s("20240401.Txt (enthält ungültige Zeichen)"));
        auto* fenster = new PaßwortÄndern;
        aendern(fenster, s(kennwort), s(kennwort));
        EXPECT_EQ(lesen(s("2024/20240401.Txt")), ungueltig);
        alleDateienMit(s(kennwort));
        fenster->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The fields take only characters that the header stores as typed, at most 15 of them, and
// never half a character: a password typed once can always be typed again.
TEST_F(PasswordChange, thePasswordFieldsTakeOnlyCharactersTheHeaderCanStore)
{
    struct Fall {
        const char* name;
        QString getippt;
        QString feld;
        bool meldung;
    };
    const std::vector<Fall> faelle = {
        {"Windows-1252 letters and signs", s("Grüße€ß–„x“"), s("Grüße€ß–„x“"), false},
        {"an emoji as 15th character", s("abcdefghijklmn😀"), s("abcdefghijklmn"), true},
        {"Greek letters", s("ab αβγ cd"), s("ab  cd"), true},
        {"a control character", s("ab\tcd"), s("abcd"), true},
        {"more than 15 characters", s("abcdefghijklmnopqrst"), s("abcdefghijklmno"), false},
    };
    auto* fenster = new PaßwortÄndern;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        for (QLineEdit* feld : {fenster->TxtPW1, fenster->TxtPW2}) {
            feld->clear();
            const size_t vorher = dialoge.calls().size();
            if (fall.meldung)
                dialoge.expectMsgBox(platform::vbOK, s("Ein Kennwort kann nur"));
            feld->setText(fall.getippt);
            EXPECT_EQ(feld->text(), fall.feld);
            EXPECT_EQ(dialoge.calls().size(), vorher + (fall.meldung ? 1 : 0));
        }
    }
    fenster->unload();

    // Set with an emoji typed as 15th character, the password opens the diary when typed again.
    tagebuchMit(QString());
    dialoge.expectMsgBox(platform::vbOK, s("Ein Kennwort kann nur"));
    dialoge.expectMsgBox(platform::vbOK, s("Ein Kennwort kann nur"));
    auto* setzen = new PaßwortÄndern;
    aendern(setzen, s("abcdefghijklmn😀"), s("abcdefghijklmn😀"));
    alleDateienMit(s("abcdefghijklmn"));
    setzen->unload();
    store::kennwortLesen.clear();
    store::verzeichnisStatus = 0;
    eingaben = {s("abcdefghijklmn😀")};
    dialoge.expectMsgBox(platform::vbOK, s("Ein Kennwort kann nur"));
    store::KennwortBeimÖffnenPrüfen();
    EXPECT_EQ(abfragen, 1);
    EXPECT_EQ(store::kennwortLesen, s("abcdefghijklmn"));
}

TEST_F(PasswordChange, thePassShowsProgressAndKeepsTheWindowResponsiveButClosed)
{
    tagebuchMit(QString());
    auto* fenster = new PaßwortÄndern;
    fenster->show();
    // A timer that fires whenever the pass lets events through: it sees the progress, finds
    // the buttons off and tries to start the pass again and to leave.
    std::vector<int> fortschritt;
    std::vector<bool> knopfAn;
    QTimer stoerer;
    stoerer.setInterval(0);
    QObject::connect(&stoerer, &QTimer::timeout, [&] {
        if (!fenster->ProgressBar->isVisible())
            return;
        if (fortschritt.empty() || fortschritt.back() != fenster->ProgressBar->value())
            fortschritt.push_back(fenster->ProgressBar->value());
        knopfAn.push_back(fenster->befOk->isEnabled() || fenster->befAbbruch->isEnabled());
        fenster->befOk_Click();
        fenster->befAbbruch_Click();
        fenster->close();
    });
    stoerer.start();
    aendern(fenster, s("Geheim12"), s("Geheim12"));
    stoerer.stop();

    EXPECT_EQ(fortschritt, (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_EQ(knopfAn, std::vector<bool>(fortschritt.size(), false));
    EXPECT_EQ(nutzung(), QStringList{s("Txt, KW geändert !!!")});
    alleDateienMit(s("Geheim12"));
    EXPECT_TRUE(fenster->befOk->isEnabled());
    EXPECT_FALSE(fenster->isUnloaded());
    fenster->unload();
}

// While the pass runs, every day file keeps its old bytes; all are put in place together at the
// end, so that a kill half-way leaves no day in between.
TEST_F(PasswordChange, dayFilesChangeOnlyWhenThePassIsThrough)
{
    tagebuchMit(QString());
    std::map<QString, QByteArray> vorher;
    for (const Tag& tag : tage)
        vorher[tag.name] = lesen(tagesdatei(tag.name));
    auto* fenster = new PaßwortÄndern;
    fenster->show();
    int geprueft = 0;
    QTimer waechter;
    waechter.setInterval(0);
    QObject::connect(&waechter, &QTimer::timeout, [&] {
        if (!fenster->ProgressBar->isVisible())
            return;
        ++geprueft;
        for (const Tag& tag : tage)
            EXPECT_EQ(lesen(tagesdatei(tag.name)), vorher[tag.name]) << tag.name.toStdString();
    });
    waechter.start();
    aendern(fenster, s("Geheim12"), s("Geheim12"));
    waechter.stop();

    EXPECT_GE(geprueft, static_cast<int>(tage.size()));
    alleDateienMit(s("Geheim12"));
    EXPECT_TRUE(fenster->nichtUmgestellt().isEmpty());
    fenster->unload();
}

TEST_F(PasswordChange, theMeterRatesThePassword)
{
    struct Fall {
        QString kennwort;
        QString text;
    };
    const QString schwach = s("Das Kennwort sollte besser gewählt werden.~Tipp: Verwenden Sie ");
    const QString gut = s("Das gewählte Kennwort ist gut und erfüllt den Standard ´DSB-Einfach´."
                          "~Aber noch ein Tipp: Verwenden Sie ");
    const std::vector<Fall> faelle = {
        {QString(), QString()},
        {s("abc"), schwach + s("min. 6 Zeichen, Ziffern, Großbuchstaben, Sonderzeichen.")},
        {s("abcdef"), schwach + s("besser 8 Zeichen, Ziffern, Großbuchstaben, Sonderzeichen.")},
        {s("12345"), schwach + s("min. 6 Zeichen, Kleinbuchstaben, Großbuchstaben, Sonderzeichen.")},
        {s("ÄÖÜ"), schwach + s("min. 6 Zeichen, Ziffern, Kleinbuchstaben, Sonderzeichen.")},
        {s("straße!"), schwach + s("besser 8 Zeichen, Ziffern, Großbuchstaben.")},
        {s("      "), schwach + s("besser 8 Zeichen, Ziffern, Kleinbuchstaben, Großbuchstaben.")},
        {s("GEHEIM12"), gut + s("Kleinbuchstaben, Sonderzeichen.")},
        {s("Abcdefg1"), gut + s("Sonderzeichen.")},
        {s("Ab1-x"), gut + s("min. 6 Zeichen.")},
        {s("Äbc-1234"),
         s("~Das gewählte Kennwort ist sehr gut und erfüllt den Standard ´DSB-Sensitiv´.")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.kennwort.toStdString());
        EXPECT_EQ(store::KennwortBewertung(fall.kennwort), fall.text);
    }

    // The window rates a moment after typing, in the display form of the text.
    auto* fenster = new PaßwortÄndern;
    fenster->TxtPW1->setText(s("Abcdefg1"));
    EXPECT_TRUE(fenster->TimerKwQuali->isActive());
    EXPECT_EQ(fenster->TimerKwQuali->interval(), 333);
    EXPECT_TRUE(fenster->bezKwQuali->text().isEmpty());
    fenster->TimerKwQuali_Timer();
    EXPECT_FALSE(fenster->TimerKwQuali->isActive());
    EXPECT_EQ(fenster->bezKwQuali->text(),
              s("Das gewählte Kennwort ist gut und erfüllt den Standard »DSB-Einfach«.\r\n"
                "Aber noch ein Tipp: Verwenden Sie Sonderzeichen."));
    fenster->unload();
}

TEST_F(PasswordChange, cancelAndTheCloseBoxLeaveEverythingButAnEarlierHint)
{
    tagebuchMit(s("Geheim12"));
    const auto vorher = datenordnerInhalt();
    auto* fenster = new PaßwortÄndern;
    fenster->show();
    fenster->TxtPW1->setText(s("Anders99"));
    fenster->TxtPW2->setText(s("Anders99"));
    fenster->befAbbruch_Click();
    EXPECT_FALSE(fenster->isVisible());
    fenster->show();
    EXPECT_FALSE(fenster->close());
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(fenster->isUnloaded());
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_EQ(store::kennwortSchreiben, s("Geheim12"));
    fenster->unload();
}

TEST_F(PasswordChange, readOnlyChangesNothing)
{
    tagebuchMit(s("Geheim12"));
    const auto vorher = datenordnerInhalt();
    foundation::nurLesen = true;
    auto* fenster = new PaßwortÄndern;
    dialoge.expectMsgBox(platform::vbOK, s("nur zum Lesen"));
    aendern(fenster, QString(), QString(), s("neuer Hinweis"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_EQ(store::kennwortSchreiben, s("Geheim12"));
    fenster->unload();
}

} // namespace
