#include "commands_fixture.h"

#include "commands/tips.h"
#include "foundation/ini_store.h"
#include "foundation/product_info.h"
#include "foundation/version.h"
#include "platform/check_box.h"
#include "runtime/codec.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

namespace {

const char* const beispielTipps = "[Infos]\r\nFrage=Schon gewusst?\r\nHeader=Tipps {Major}\r\n"
                                  "; Kommentar\r\nTipp null\r\nZweiter Tipp~mit Absatz\r\n"
                                  "Dritter Tipp!\r\n";

class TipsTest : public CommandsTest {
protected:
    TipsTest() { foundation::setVersionFuerTests(7, 3, 12); }
    ~TipsTest() override
    {
        fenster.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        foundation::resetVersion();
    }

    void tippsDatei(const QByteArray& bytes) const
    {
        folders.temp().write(u8("program/Tipps.Bot"), bytes);
    }
    void gedaechtnis(const char* wert) const
    {
        foundation::IniSchreiben({}, {}, u8("TippsZuletzt"), u8(wert));
    }
    static QString gespeichert(const char* schluessel)
    {
        return foundation::IniLesen({}, {}, u8(schluessel), u8("(fehlt)"));
    }

    commands::Tips& oeffnen()
    {
        fenster = std::make_unique<commands::Tips>();
        return *fenster;
    }

    std::unique_ptr<commands::Tips> fenster;
};

TEST_F(TipsTest, choosesATipNotShownYet_skipsTipZero_andRemembersIt)
{
    tippsDatei(beispielTipps);
    gedaechtnis(".0000.0002");
    // 2 was shown, 0 is never taken, then 1.
    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.9, 0.0, 0.5}};

    commands::Tips& tipps = oeffnen();

    EXPECT_EQ(tipps.windowTitle(), u8("Tipps 07"));
    EXPECT_EQ(tipps.bezTip0->text(), u8("Schon gewusst?"));
    EXPECT_EQ(tipps.tipp, u8("Zweiter Tipp\r\n\r\nmit Absatz."));
    EXPECT_EQ(tipps.bezTip->text(), u8("Zweiter Tipp\n\nmit Absatz."));
    EXPECT_EQ(gespeichert("TippsZuletzt"), u8(".0000.0002.0001"));
    EXPECT_EQ(zufall.randomizeCalls(), 1);
    EXPECT_EQ(zufall.rndCalls(), 3);
    // The comment, the section and its keys are no tips.
    ASSERT_EQ(tipps.lstTipps->count(), 3);
    EXPECT_EQ(tipps.lstTipps->item(0)->text(), u8("Tipp null"));
    EXPECT_TRUE(tipps.befNext->isEnabled());
}

TEST_F(TipsTest, withoutTipsTheWindowSaysSoAndSwitchesItsControlsOff)
{
    struct Fall {
        const char* name;
        const char* datei; // nullptr: no file
    };
    const Fall faelle[] = {
        {"missing file", nullptr},
        {"empty file", ""},
        {"only the info section", "[Infos]\r\nFrage=Na?\r\nHeader=Tipps\r\n"},
        {"comments, keys and blanks", "; nur = Kommentar\r\n   \r\nSchluessel=Wert\r\n[Abschnitt]\r\n"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        QFile::remove(folders.temp().file(u8("program/Tipps.Bot")));
        if (fall.datei)
            tippsDatei(fall.datei);
        commands::Tips& tipps = oeffnen();
        EXPECT_EQ(tipps.bezTip0->text(), u8("Keine Tipps gefunden!"));
        EXPECT_TRUE(tipps.bezTip->text().isEmpty());
        EXPECT_FALSE(tipps.befNext->isEnabled());
        EXPECT_FALSE(tipps.strgAutoTipp->isEnabled());
        EXPECT_EQ(gespeichert("TippsZuletzt"), u8("(fehlt)"));
    }
}

TEST_F(TipsTest, aFullMemoryEndsAfterTenThousandTriesOnTipOneAndStaysAsItIs)
{
    tippsDatei(beispielTipps);
    // ".0000" and nine numbers: 50 characters, tips 1 and 2 among them.
    gedaechtnis(".0000.0001.0002.0003.0004.0005.0006.0007.0008.0009");
    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.5, 0.9}};

    commands::Tips& tipps = oeffnen();

    EXPECT_EQ(tipps.tipp, u8("Zweiter Tipp\r\n\r\nmit Absatz."));
    EXPECT_EQ(zufall.rndCalls(), 10000);
    EXPECT_EQ(gespeichert("TippsZuletzt"), u8(".0000.0001.0002.0003.0004.0005.0006.0007.0008.0009"));
}

TEST_F(TipsTest, aSingleTipIsNeverChosen_theTipShownStaysEmpty)
{
    tippsDatei("Einziger Tipp\r\n");
    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.5}};

    commands::Tips& tipps = oeffnen();

    EXPECT_EQ(tipps.tipp, QString());
    EXPECT_EQ(tipps.bezTip0->text(), u8("???"));
    EXPECT_EQ(tipps.windowTitle(), u8("Willkommen"));
    EXPECT_EQ(gespeichert("TippsZuletzt"), u8(".0000.0001"));
}

TEST_F(TipsTest, aTipEndsInAStopUnlessItHasOne_andNamesTheWebAddress)
{
    struct Fall {
        const char* zeile;
        QString erwartet;
    };
    const Fall faelle[] = {
        {"  Ein Satz  ", u8("Ein Satz.")},
        {"Eine Frage?", u8("Eine Frage?")},
        {"Ein Ausruf!", u8("Ein Ausruf!")},
        {"Schon fertig.", u8("Schon fertig.")},
        {"Mehr unter {URL}", u8("Mehr unter ") + foundation::webSeite() + u'.'},
        {"Zwei~~Leerzeilen", u8("Zwei\r\n\r\nLeerzeilen.")},
        {"Umlaute \xE4\xF6\xFC\xDF", u8("Umlaute äöüß.")}, // Windows-1252 bytes
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.zeile);
        tippsDatei(QByteArray("Tipp null\r\n") + fall.zeile + "\r\n");
        gedaechtnis(".0000");
        InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.5}};
        EXPECT_EQ(oeffnen().tipp, fall.erwartet);
    }
}

TEST_F(TipsTest, theStartUpBoxStoresItsValue_zeroOneOrTwo)
{
    tippsDatei(beispielTipps);
    EXPECT_EQ(platform::checkBoxValue(*oeffnen().strgAutoTipp), 1); // no value: ticked
    foundation::IniSchreiben({}, {}, u8("AutoTip"), u8("0"));
    commands::Tips& tipps = oeffnen();
    EXPECT_EQ(platform::checkBoxValue(*tipps.strgAutoTipp), 0);
    for (const int wert : {1, 2, 0}) {
        platform::setCheckBoxValue(*tipps.strgAutoTipp, wert);
        tipps.strgAutoTipp_Click();
        EXPECT_EQ(gespeichert("AutoTip"), QString::number(wert));
    }
    tipps.strgAutoTipp->setCheckState(Qt::Unchecked);
    tipps.strgAutoTipp->click(); // the user ticks it
    EXPECT_EQ(gespeichert("AutoTip"), u8("1"));
}

TEST_F(TipsTest, theNextTipButtonChoosesAgain_andTheCloseBoxOnlyHides)
{
    tippsDatei(beispielTipps);
    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.5, 0.9}};
    commands::Tips& tipps = oeffnen();
    EXPECT_EQ(tipps.tipp, u8("Zweiter Tipp\r\n\r\nmit Absatz."));
    tipps.befNext->click();
    EXPECT_EQ(tipps.tipp, u8("Dritter Tipp!"));
    EXPECT_EQ(gespeichert("TippsZuletzt"), u8(".0000.0001.0002"));

    tipps.show();
    tipps.close();
    EXPECT_FALSE(tipps.isVisible());
    EXPECT_FALSE(tipps.isUnloaded());
}

TEST_F(TipsTest, theShippedTipsFileGivesGermanTipsWithTheWebAddressFilledIn)
{
    const QString geliefert = qEnvironmentVariable("KORVANEL_TESTDATA") + u8("/../../data/Tipps.Bot");
    QFile quelle(geliefert);
    ASSERT_TRUE(quelle.open(QIODevice::ReadOnly)) << geliefert.toStdString();
    tippsDatei(quelle.readAll());
    commands::Tips& tipps = oeffnen();

    EXPECT_EQ(tipps.bezTip0->text(), u8("Wussten Sie schon..."));
    EXPECT_EQ(tipps.windowTitle(), u8("Korvanel 07 - Tipp des Tages"));
    ASSERT_GE(tipps.lstTipps->count(), 20);
    bool adresse = false;
    for (int i = 0; i < tipps.lstTipps->count(); ++i) {
        const QString zeile = tipps.lstTipps->item(i)->text();
        SCOPED_TRACE(zeile.toStdString());
        EXPECT_FALSE(zeile.contains(QChar::ReplacementCharacter));
        adresse = adresse || zeile.contains(u8("{URL}"));
    }
    EXPECT_TRUE(adresse);
    EXPECT_TRUE(tipps.lstTipps->item(0)->text().contains(u8("zurück")));
}

} // namespace
