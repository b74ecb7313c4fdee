#include "password_fixture.h"

#include <QLineEdit>

using store::Eintrag;
using store::EintragLaden;
using store::KennwortBeimÖffnenPrüfen;

namespace {

class PasswordPrompt : public PasswordFixture {
protected:
    // A diary of three days under "Geheim1"; the newest is 12.05.2024.
    void geschuetztesTagebuch()
    {
        tagSchreiben(s("20230101"), s("Neujahr"), s("Geheim1"));
        tagSchreiben(s("20240305"), s("Dienstag"), s("Geheim1"));
        tagSchreiben(s("20240512"), s("Mai"), s("Geheim1"));
        store::verzeichnisStatus = 0;
    }
    // The main window opening the diary: both passwords emptied, then the check.
    void oeffnen()
    {
        store::korvanelKuerzel = s("Txt");
        store::kennwortLesen.clear();
        store::kennwortSchreiben.clear();
        store::verzeichnisStatus = 0;
        KennwortBeimÖffnenPrüfen();
    }
};

TEST_F(PasswordPrompt, theWindowHasItsControlsAndShowsTitleAndHint)
{
    foundation::IniSchreiben(foundation::ordnerDat + s("/Korvanel.ini"), s("Txt"),
                             s("KennwortHilfe"), s("Der Name der ersten Katze~mit Ziffer"));
    auto* fenster = new store::PaßwortEingabe(s("Geheim1        "));
    EXPECT_EQ(fenster->windowTitle(), s("Kennwortabfrage"));
    EXPECT_EQ(fenster->TxtPWin->objectName(), s("TxtPWin"));
    EXPECT_EQ(fenster->TxtPWin->echoMode(), QLineEdit::Password);
    EXPECT_EQ(fenster->befOk->text(), s("&Ok"));
    EXPECT_NE(fenster->control(s("bezKennwortHilfe")), nullptr);
    EXPECT_NE(fenster->control(s("Anzeige")), nullptr);
    EXPECT_EQ(fenster->bezKennwortHilfe->text(),
              s("Mein Tagebuch.\r\n\r\nDer Name der ersten Katze\r\nmit Ziffer"));
    EXPECT_EQ(ton.beeps(), (std::vector<int>{platform::beepQuestion}));
    fenster->TxtPWin->setText(s("1234567890abcdefghij"));
    EXPECT_EQ(fenster->TxtPWin->text(), s("1234567890abcde"));
    fenster->unload();
}

// One damaged day file never locks the user out: when the shown and newest day is damaged
// (garbage where its header should be, garbage that happens to look like one, or the file cut
// inside it), the diary opens with the password its other days carry, and the damaged day is an
// unreadable day that stays byte for byte, without a further prompt.
TEST_F(PasswordPrompt, aDamagedNewestDayDoesNotLockTheUserOut)
{
    const QByteArray heil = erwarteteDatei(s("Kaputt"), s("Geheim1"));
    const auto gekippt = [&heil](char maske) {
        QByteArray bytes = heil;
        bytes[25] = static_cast<char>(bytes[25] ^ maske); // the header's first character
        return bytes;
    };
    struct Fall {
        const char* name;
        QByteArray bytes;
        bool lesbar; // whether the damage looks like a header of another password
    };
    const std::vector<Fall> faelle = {
        {"a control character in the header", gekippt(0x45), false},
        {"garbage that looks like another header", gekippt(0x01), true},
        {"cut inside the header", heil.left(25 + 7), false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::resetTagesdateien();
        store::resetKennwortMemo();
        tagSchreiben(s("20240101"), s("Januar"), s("Geheim1"));
        tagSchreiben(s("20240201"), s("Februar"), s("Geheim1"));
        schreiben(tagesdatei(s("20240305")), fall.bytes);
        store::aktDatum = s("05.03.2024");
        abfragen = 0;
        eingaben = {s("Geheim1")};

        oeffnen();

        EXPECT_EQ(abfragen, 1);
        EXPECT_EQ(ende.endCalls(), 0);
        EXPECT_EQ(store::kennwortLesen, s("Geheim1"));
        EXPECT_EQ(EintragLaden(s("20240201.Txt")).text, s("Februar"));
        if (!fall.lesbar) {
            const Eintrag eintrag = EintragLaden(s("20240305.Txt"));
            EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Lesefehler);
            EXPECT_EQ(abfragen, 1);
        }
        EXPECT_EQ(lesen(tagesdatei(s("20240305"))), fall.bytes);
    }
}

TEST_F(PasswordPrompt, aProtectedDiaryOpensOnlyWithTheRightPassword)
{
    geschuetztesTagebuch();
    eingaben = {s("geheim1"), s("Geheim"), s("Geheim1")};
    dialoge.expectMsgBox(platform::vbRetry, s("Das von Ihnen gewählte Kennwort ist falsch!"));
    dialoge.expectMsgBox(platform::vbRetry, s("falsch"));

    oeffnen();

    EXPECT_EQ(abfragen, 1);
    EXPECT_EQ(store::kennwortLesen, s("Geheim1"));
    EXPECT_EQ(store::kennwortSchreiben, s("Geheim1"));
    EXPECT_EQ(store::paßwortFehlversuche(), 0);
    EXPECT_EQ(nutzung(), (QStringList{s("Txt, KW falsch !!!"), s("Txt, KW falsch !!!"),
                                      s("Txt, KW ok")}));
    ASSERT_EQ(dialoge.calls().size(), 2u);
    EXPECT_EQ(dialoge.calls()[0].title, s("Kennwortabfrage"));
    EXPECT_EQ(dialoge.calls()[0].buttons, platform::vbRetryCancel);
    EXPECT_EQ(dialoge.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(ton.beeps(), (std::vector<int>{platform::beepQuestion, platform::beepHand,
                                             platform::beepHand}));
    // The pointer the prompt found is back.
    EXPECT_EQ(zeiger.get(), platform::vbDefault);
    EXPECT_EQ(ende.endCalls(), 0);
    // Entries load without a further question.
    EXPECT_EQ(EintragLaden(s("20240305.Txt")).text, s("Dienstag"));
    EXPECT_EQ(abfragen, 1);
}

TEST_F(PasswordPrompt, threeWrongTriesEndTheProgramAfterAPauseAndReleaseTheReservation)
{
    geschuetztesTagebuch();
    reserviert();
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = s("20240305.Txt");
    eingaben = {s("eins"), s("zwei"), s("drei")};
    dialoge.expectMsgBox(platform::vbRetry);
    dialoge.expectMsgBox(platform::vbRetry);
    const qint64 vorher = uhr.tick();

    EXPECT_THROW(oeffnen(), ProgramEndedException);

    EXPECT_EQ(ende.endCalls(), 1);
    EXPECT_EQ(dialoge.calls().size(), 2u); // the third wrong try asks nothing more
    EXPECT_EQ(nutzung(), (QStringList{s("Txt, KW falsch !!!"), s("Txt, KW falsch !!!"),
                                      s("Txt, KW falsch !!!"), s("Txt, KW Abbruch")}));
    // The pause of 1.5 seconds passed on the clock, not in the test.
    EXPECT_GE(uhr.tick() - vorher, 1500);
    EXPECT_LT(uhr.tick() - vorher, 2000);
    EXPECT_EQ(nutzungZeiten().value(2), s("12:00:00"));
    EXPECT_NE(nutzungZeiten().value(3), s("12:00:00"));
    EXPECT_EQ(reservierungsInhaber(), QString());
    // Nothing is saved for the diary and nothing of it is shown.
    EXPECT_EQ(store::korvanelKuerzel, QString());
    EXPECT_EQ(store::kennwortLesen, QString());
    EXPECT_EQ(store::kennwortSchreiben, QString());
    EXPECT_TRUE(platform::openForms().empty());
}

TEST_F(PasswordPrompt, givingUpOrClosingTheWindowBehaveAsTheirButtons)
{
    geschuetztesTagebuch();
    {
        SCOPED_TRACE("Abbrechen in the message ends the program");
        reserviert();
        eingaben = {s("falsch1")};
        dialoge.expectMsgBox(platform::vbCancel);
        EXPECT_THROW(oeffnen(), ProgramEndedException);
        EXPECT_EQ(nutzung(), (QStringList{s("Txt, KW falsch !!!"), s("Txt, KW Abbruch")}));
        EXPECT_EQ(reservierungsInhaber(), QString());
        EXPECT_EQ(store::korvanelKuerzel, QString());
    }
    store::resetPaßwortEingabe();
    {
        SCOPED_TRACE("the close box checks the password as OK does");
        store::korvanelKuerzel = s("Txt");
        auto* fenster = new store::PaßwortEingabe(s("Geheim1        "));
        fenster->TxtPWin->setText(s("Geheim1"));
        EXPECT_FALSE(fenster->close());
        EXPECT_TRUE(fenster->angenommen());
        EXPECT_FALSE(fenster->isUnloaded());
        EXPECT_EQ(store::kennwortLesen, s("Geheim1"));
        fenster->unload();
    }
}

TEST_F(PasswordPrompt, theTryCounterLastsTheRunUntilARightPassword)
{
    geschuetztesTagebuch();
    // Two wrong tries, the right one: the next prompt again allows three tries.
    eingaben = {s("x1"), s("x2"), s("Geheim1")};
    dialoge.expectMsgBox(platform::vbRetry).expectMsgBox(platform::vbRetry);
    oeffnen();
    foundation::IniSchreiben(QString(), QString(), s("KWMemoImRam"), s("0"));
    store::resetKennwortMemo();
    eingaben = {s("x3"), s("x4"), s("Geheim1")};
    dialoge.expectMsgBox(platform::vbRetry).expectMsgBox(platform::vbRetry);
    oeffnen();
    EXPECT_EQ(abfragen, 2);
    EXPECT_EQ(ende.endCalls(), 0);

    // Wrong tries in two prompts add up: one wrong here, two more in the next one end it.
    {
        auto* fenster = new store::PaßwortEingabe(s("Geheim1        "));
        dialoge.expectMsgBox(platform::vbRetry);
        fenster->TxtPWin->setText(s("y1"));
        fenster->befOk_Click();
        fenster->unload();
    }
    eingaben = {s("y2"), s("y3")};
    dialoge.expectMsgBox(platform::vbRetry);
    EXPECT_THROW(oeffnen(), ProgramEndedException);
}

TEST_F(PasswordPrompt, passwordsCompareOnTheirFirstFifteenCharactersExactly)
{
    struct Fall {
        const char* name;
        QString gesetzt; // the password the files were written with
        QString getippt;
        bool passt;
    };
    const std::vector<Fall> faelle = {
        {"same", s("Geheim1"), s("Geheim1"), true},
        {"other case", s("Geheim1"), s("geheim1"), false},
        {"shorter", s("Geheim1"), s("Geheim"), false},
        {"longer", s("Geheim1"), s("Geheim12"), false},
        {"umlaut", s("Größe1"), s("Größe1"), true},
        {"twenty characters set, fifteen typed", s("ABCDEFGHIJKLMNOPQRST"),
         s("ABCDEFGHIJKLMNO"), true},
        {"twenty characters set, twenty typed (the field keeps 15)", s("ABCDEFGHIJKLMNOPQRST"),
         s("ABCDEFGHIJKLMNOPQRST"), true},
        {"set with a trailing blank, typed as set", s("Geheim1 "), s("Geheim1 "), true},
        {"set with a trailing blank, typed without", s("Geheim1 "), s("Geheim1"), true},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::resetPaßwortEingabe();
        const QString kopf = (fall.gesetzt + QString(15, u' ')).left(15);
        store::kennwortLesen.clear();
        auto* fenster = new store::PaßwortEingabe(kopf);
        fenster->TxtPWin->setText(fall.getippt);
        if (!fall.passt)
            dialoge.expectMsgBox(platform::vbRetry);
        fenster->befOk_Click();
        EXPECT_EQ(fenster->angenommen(), fall.passt);
        if (fall.passt) {
            // The header of the accepted password is that of the files.
            EXPECT_EQ((store::kennwortLesen + QString(15, u' ')).left(15), kopf);
        }
        fenster->unload();
    }
}

TEST_F(PasswordPrompt, aRememberedPasswordSparesTheSecondPrompt)
{
    geschuetztesTagebuch();
    struct Fall {
        const char* name;
        QString memoImRam;     // "" = not set
        QStringList befehlszeile; // passwords from the command line ("Korvanel=Txt:...")
        int abfragenBeimZweitenMal;
    };
    const std::vector<Fall> faelle = {
        {"memo kept (default, the first case)", QString(), {}, 0},
        {"memo kept (1)", s("1"), {}, 0},
        {"memo emptied after each check", s("0"), {}, 1},
        {"right password from the command line", s("1"), {s("Geheim1")}, 0},
        {"the last remembered item counts", s("1"), {s("Geheim1"), s("Falsch")}, 1},
        {"remembered passwords compare exactly", s("1"), {s("GEHEIM1")}, 1},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::resetKennwortMemo();
        if (!fall.memoImRam.isEmpty())
            foundation::IniSchreiben(QString(), QString(), s("KWMemoImRam"), fall.memoImRam);
        for (const QString& kennwort : fall.befehlszeile)
            store::KennwortMerken(s("Txt"), kennwort);
        abfragen = 0;
        if (fall.befehlszeile.isEmpty()) {
            eingaben = {s("Geheim1")};
            oeffnen();
            EXPECT_EQ(abfragen, 1);
        }
        abfragen = 0;
        eingaben = {s("Geheim1")};
        oeffnen();
        EXPECT_EQ(abfragen, fall.abfragenBeimZweitenMal);
        EXPECT_EQ(store::kennwortLesen, s("Geheim1"));
        EXPECT_EQ(store::kennwortSchreiben, s("Geheim1"));
        eingaben.clear();
    }
}

TEST_F(PasswordPrompt, theStoredHeaderIsThatOfTheShownDayOrElseTheNewestDay)
{
    tagSchreiben(s("20230101"), s("alt"), s("Alt12345"));
    tagSchreiben(s("20240512"), s("neu"), s("Neu12345"));
    tagSchreiben(s("20240601"), s("klar"), QString());
    struct Fall {
        const char* name;
        QString aktDatum;
        QString kopf;
    };
    const std::vector<Fall> faelle = {
        {"the shown day's file", s("01.01.2023"), s("Alt12345       ")},
        {"a plain shown day", s("01.06.2024"), QString()},
        {"a shown day without entry: the newest day", s("02.01.2023"), QString()},
        {"no shown day", QString(), QString()},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::aktDatum = fall.aktDatum;
        store::verzeichnisStatus = 0;
        EXPECT_EQ(store::GespeichertesKennwortLesen(), fall.kopf);
    }
    // The newest day carries a password.
    QFile::remove(folders.temp().file(daten(s("2024/20240601.Txt"))));
    store::aktDatum = s("02.01.2023");
    store::verzeichnisStatus = 0;
    EXPECT_EQ(store::GespeichertesKennwortLesen(), s("Neu12345       "));
}

TEST_F(PasswordPrompt, aPromptWhileLoadingComparesWithTheHeaderOfThatFile)
{
    // The newest day is plain, so the diary opens without a question; an older day keeps its
    // password, and only that password opens it.
    tagSchreiben(s("20230101"), s("Geheimer Eintrag"), s("Alt12345"));
    tagSchreiben(s("20240512"), s("Offen"), QString());
    oeffnen();
    EXPECT_EQ(abfragen, 0);
    EXPECT_EQ(store::kennwortLesen, QString());

    eingaben = {s("irgendwas"), s("Alt12345")};
    dialoge.expectMsgBox(platform::vbRetry, s("falsch"));
    const Eintrag eintrag = EintragLaden(s("20230101.Txt"));
    EXPECT_EQ(abfragen, 1);
    EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Geladen);
    EXPECT_EQ(eintrag.text, s("Geheimer Eintrag"));
    EXPECT_EQ(store::kennwortLesen, s("Alt12345"));
    EXPECT_EQ(nutzung(), (QStringList{s("Txt, KW falsch !!!"), s("Txt, KW ok")}));

    // Giving up there ends the program; the entry is not shown.
    store::kennwortLesen.clear();
    eingaben = {s("nochmal")};
    dialoge.expectMsgBox(platform::vbCancel);
    EXPECT_THROW(EintragLaden(s("20230101.Txt")), ProgramEndedException);
    EXPECT_EQ(store::korvanelKuerzel, QString());
}

TEST_F(PasswordPrompt, anUnprotectedDiaryOpensWithoutAQuestion)
{
    tagSchreiben(s("20240305"), s("Offen"), QString());
    // A plain entry that begins with the marker is kept enciphered with a header of blanks.
    tagSchreiben(s("20240512"), s("..Korvanel verschlüsselt und doch offen"), QString());
    oeffnen();
    EXPECT_EQ(abfragen, 0);
    EXPECT_TRUE(store::ListeKW.isEmpty());
    EXPECT_EQ(store::kennwortLesen, QString());
    EXPECT_TRUE(nutzung().isEmpty());
}

} // namespace
