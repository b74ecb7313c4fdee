#include "store_fixture.h"

#include "store/diary_chooser.h"
#include "store/diary_title.h"
#include "support/fake_clock.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using store::Öffnen;

namespace {

class DiaryChooser : public StoreFixture {
protected:
    DiaryChooser()
    {
        store::resetÖffnen();
        schreiben(s("Info.txt"), ansi("Mein Tagebuch\r\n"));
        schreiben(s("Info.ABC"), rt::toAnsi(s("Arbeit – Büro\r\nzweite Zeile\r\n")));
        schreiben(s("Info.ab"), ansi("Kurz"));
        schreiben(s("Info.Abcd"), ansi("Lang"));
        schreiben(s("Info.exe"), ansi("Programm"));
        schreiben(s("Info.e x"), ansi("Mit Leerzeichen"));
        schreiben(s("Info."), ansi("ohne Endung"));
        schreiben(s("Korvanel.ini"), "[Txt]\r\n");
        schreiben(s("2024/20240305.Txt"), "Eintrag");
    }
    ~DiaryChooser() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        store::resetÖffnen();
    }

    // The chooser as the main window opens it: the current short name and the date shown.
    Öffnen* oeffnen()
    {
        auto* fenster = new Öffnen;
        fenster->TxtName->setText(store::korvanelKuerzel);
        fenster->optStartAt[1]->setText(s("24.12.2023"));
        fenster->show();
        return fenster;
    }
    static QStringList zeilen(const QListWidget* liste)
    {
        QStringList texte;
        for (int i = 0; i < liste->count(); ++i)
            texte.append(liste->item(i)->text());
        return texte;
    }
    static void zeileWaehlen(Öffnen* fenster, const QString& anfang)
    {
        for (int i = 0; i < fenster->ListeNamen->count(); ++i) {
            if (fenster->ListeNamen->item(i)->text().startsWith(anfang)) {
                fenster->ListeNamen->setCurrentRow(i);
                return;
            }
        }
        ADD_FAILURE() << "no line " << anfang.toStdString();
    }

    FakeClock uhr{rt::dateTimeOf(2024, 3, 5, 12, 0, 0)};
    ScopedService<platform::Clock> uhrGuard{platform::setClock, &uhr};
};

TEST_F(DiaryChooser, listsTheDiariesOfTheDataFolderWithTheirTitles)
{
    Öffnen* fenster = oeffnen();
    EXPECT_EQ(fenster->windowTitle(), s("Korvanel öffnen"));
    EXPECT_EQ(zeilen(fenster->ListeNamen),
              (QStringList{s("Ab  \tKurz"), s("Abc \tArbeit – Büro"), s("Abc \tLang"),
                           s("E x \tMit Leerzeichen"), s("Exe \tProgramm"),
                           s("Txt \tMein Tagebuch")}));
    EXPECT_TRUE(fenster->Datei->isHidden());
    EXPECT_EQ(fenster->Datei->count(), 7);
    // Controls and captions.
    EXPECT_EQ(fenster->befOk->text(), s("&Ok"));
    EXPECT_EQ(fenster->befAbbrechen->text(), s("&Abbrechen"));
    QStringList rahmen;
    for (const QGroupBox* box : fenster->findChildren<QGroupBox*>())
        rahmen.append(box->title());
    EXPECT_EQ(rahmen, (QStringList{s("Korvanelkürzel"), s("Vorhandene Korvanele"),
                                   s("Wechsel zum ")}));
    for (const char* name : {"TxtName", "ListeNamen", "Datei", "optStartAt(0)", "optStartAt(1)",
                             "Zeit", "befOk", "befAbbrechen"})
        EXPECT_NE(fenster->control(QString::fromLatin1(name)), nullptr) << name;
    // Today on the first option, the shown day (set by the caller) on the second.
    EXPECT_EQ(fenster->optStartAt[0]->text(), s("05.03.2024"));
    EXPECT_EQ(fenster->optStartAt[1]->text(), s("24.12.2023"));
    EXPECT_TRUE(fenster->optStartAt[0]->isChecked());
}

TEST_F(DiaryChooser, anEmptyOrMissingDataFolderGivesAnEmptyList)
{
    foundation::ordnerDat = folders.temp().file(s("fehlt"));
    Öffnen* fenster = oeffnen();
    EXPECT_EQ(fenster->ListeNamen->count(), 0);
    EXPECT_TRUE(fehler.empty());
}

TEST_F(DiaryChooser, onlyValidShortNamesEnableOk)
{
    struct Fall {
        QString name;
        bool gueltig;
    };
    const std::vector<Fall> faelle = {
        {s("Pr1"), true},    {s("txt"), true},    {s("ÄÖü"), true},    {s("a-b"), true},
        {s("pr"), false},    {s("Txtx"), false},  {QString(), false},  {s("p r"), false},
        {s("exe"), false},   {s("EXE"), false},   {s("Com"), false},   {s("bat"), false},
        {s("hlp"), false},   {s("bak"), false},   {s("tmp"), false},   {s("$$$"), false},
        {s("a$b"), false},   {s("a*b"), false},   {s("a?b"), false},   {s("a+b"), false},
        {s("a\\b"), false},  {s("a|b"), false},   {s("a<b"), false},   {s("a>b"), false},
        {s("a:b"), false},   {s("a,b"), false},   {s("a;b"), false},   {s("a\"b"), false},
        {s("a/b"), false},   {s("a\x01" "b"), false}, {s("a\nb"), false}, {s("ab\x7f"), false},
    };
    Öffnen* fenster = oeffnen();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name.toStdString());
        EXPECT_EQ(store::kuerzelGueltig(fall.name), fall.gueltig);
        fenster->TxtName->setText(fall.name);
        EXPECT_EQ(fenster->befOk->isEnabled(), fall.gueltig);
        // OK does not let an invalid name through even when pressed by code.
        fenster->befOk_Click();
        EXPECT_EQ(fenster->isVisible(), !fall.gueltig);
        fenster->show();
    }
}

TEST_F(DiaryChooser, aPastedListLineEmptiesTheName)
{
    Öffnen* fenster = oeffnen();
    fenster->TxtName->setText(s("Txt \tMein Tagebuch"));
    EXPECT_EQ(fenster->TxtName->text(), QString());
    EXPECT_FALSE(fenster->befOk->isEnabled());
}

TEST_F(DiaryChooser, aListedDiaryIsChosenByClickOrDoubleClickWhenItsNameIsValid)
{
    struct Fall {
        QString zeile;
        QString name;  // in the name field after the click
        bool geoeffnet; // the double-click accepts
    };
    const std::vector<Fall> faelle = {
        {s("Txt"), s("Txt"), true},
        {s("Abc \tArbeit"), s("Abc"), true},
        {s("Ab "), s("Ab"), false},
        {s("Exe"), s("Exe"), false},
        {s("E x"), s("E x"), false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.zeile.toStdString());
        Öffnen* fenster = oeffnen();
        zeileWaehlen(fenster, fall.zeile);
        fenster->ListeNamen_Click();
        EXPECT_EQ(fenster->TxtName->text(), fall.name);
        fenster->ListeNamen_DblClick();
        EXPECT_EQ(fenster->isVisible(), !fall.geoeffnet);
        if (fall.geoeffnet) {
            EXPECT_EQ(fenster->gewaehlterName(), fall.name);
            EXPECT_EQ(fenster->gewaehltesDatum(), s("05.03.2024"));
        }
        fenster->unload();
    }
}

TEST_F(DiaryChooser, okReturnsTheTypedNameAndTheChosenStartDay)
{
    Öffnen* fenster = oeffnen();
    fenster->TxtName->setText(s("neu"));
    fenster->optStartAt[1]->click();
    EXPECT_EQ(store::startAt, 1);
    fenster->befOk->click();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(fenster->isUnloaded());
    EXPECT_EQ(fenster->gewaehlterName(), s("neu"));
    EXPECT_EQ(fenster->gewaehltesDatum(), s("24.12.2023"));
    fenster->unload();

    // The next chooser preselects the option chosen last.
    Öffnen* wieder = oeffnen();
    EXPECT_TRUE(wieder->optStartAt[1]->isChecked());
    EXPECT_EQ(wieder->gewaehltesDatum(), s("24.12.2023"));
    wieder->optStartAt[0]->click();
    EXPECT_EQ(store::startAt, 0);
}

TEST_F(DiaryChooser, cancelAndTheCloseBoxLeaveTheNameEmpty)
{
    {
        Öffnen* fenster = oeffnen();
        fenster->befAbbrechen->click();
        EXPECT_FALSE(fenster->isVisible());
        EXPECT_EQ(fenster->gewaehlterName(), QString());
    }
    {
        Öffnen* fenster = oeffnen();
        EXPECT_FALSE(fenster->close());
        EXPECT_FALSE(fenster->isVisible());
        EXPECT_FALSE(fenster->isUnloaded());
        EXPECT_EQ(fenster->gewaehlterName(), QString());
    }
}

TEST_F(DiaryChooser, readOnlyTakesOnlyListedDiaries)
{
    foundation::nurLesen = true;
    Öffnen* fenster = oeffnen();
    EXPECT_TRUE(fenster->TxtName->isReadOnly());
    zeileWaehlen(fenster, s("Abc \tArbeit"));
    fenster->ListeNamen_DblClick();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(fenster->gewaehlterName(), s("Abc"));
}

} // namespace
