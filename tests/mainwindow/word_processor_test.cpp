// The word-processor hand-over and the spelling check on the real main window: the menu entry
// toggles, the temporary copy and the transfer file, the word processor (a small script) saving
// the file, the text coming back into the entry and the entry saved at the next change of day;
// and the read-only lock-down that keeps both commands away.
#include "main_fixture.h"

#include "integration/word_processor.h"
#include "platform/actions.h"
#include "support/fake_spell_checker.h"
#include "support/fake_word_processor.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace {

class WordProcessorMain : public MainFixture {
protected:
    WordProcessorMain()
    {
        // A temporary folder and a program path with blanks.
        folders.temp().makeFolder(s("Temp Ordner"));
        folders.env().set("Tmp", folders.temp().file(s("Temp Ordner")));
        folders.temp().write(s("Büro Programme/schreiber"), "#!/bin/sh\nexit 0\n");
        programm = folders.temp().file(s("Büro Programme/schreiber"));
        QFile::setPermissions(programm, QFile::permissions(programm) | QFileDevice::ExeOwner);
        folders.writeSettingsFile(s("Brisol.ini"),
                                  rt::encodeText(s("[Textverarbeitung]\r\nPrgExe=") + programm + s("\r\n")));
        schreiben(s("Info.Abc"), "Mein Tagebuch\r\n");
        schreiben(s("2024/20240305.Abc"), ansi("Liebes Tagebuch,\r\nheute war es schön."));
    }
    ~WordProcessorMain() override { integration::resetTextverarbeitung(); }

    QString caption() const { return main->actions->action(s("PulOleTxt2Word"))->text(); }
    bool klick() { return main->actions->trigger(s("PulOleTxt2Word")); }
    QStringList kopien() const
    {
        return QDir(datenOrdner()).entryList({s("*.$$$")}, QDir::Files);
    }

    InstalledFake<FakeWordProcessor> textverarbeitung{platform::setProcesses};
    QString programm;
};

const QString zurueck = QString::fromUtf8("&Text zurückholen von Textverarbeitung...");
const QString hin = QString::fromUtf8("&Text übertragen an Textverarbeitung...");

TEST_F(WordProcessorMain, roundTrip_utf8WithLfComesBackWithCrLfAndIsSavedAtTheNextChangeOfDay)
{
    oeffnen(s("Abc"), s("05.03.2024"));
    ASSERT_EQ(caption(), hin);
    main->setText(s("Liebes Tagebuch,\r\nheute war es schön.   ")); // not saved yet
    // The word processor replaces the text and saves it: UTF-8 without mark, LF.
    textverarbeitung.script = "printf 'Gr\\303\\274\\303\\237e an Stra\\303\\237e\\n' > \"$1\"";

    ASSERT_TRUE(klick());

    // The entry saved first, and the temporary copy: right-trimmed, named after the clock
    // (10th, 12:00:00).
    EXPECT_EQ(store::ungesichert, 0);
    EXPECT_EQ(lesen(s("2024/20240305.Abc")), ansi("Liebes Tagebuch,\r\nheute war es schön."));
    EXPECT_EQ(kopien(), QStringList{s("10120000.$$$")});
    EXPECT_EQ(lesen(s("10120000.$$$")), ansi("Liebes Tagebuch,\r\nheute war es schön.\r\n"));
    // The program got the transfer file as one argument, path blanks and all.
    const QString datei = folders.temp().file(s("Temp Ordner/Korvanel-Eintrag 05.03.2024.txt"));
    ASSERT_EQ(textverarbeitung.started().size(), 1u);
    EXPECT_EQ(textverarbeitung.started()[0], (QStringList{programm, datei}));
    EXPECT_EQ(textverarbeitung.opened[0],
              "\xEF\xBB\xBF" + s("Liebes Tagebuch,\r\nheute war es schön.   \r\n").toUtf8());
    EXPECT_EQ(caption(), zurueck);
    EXPECT_EQ(mainwindow::textBeiTextverarbeitung, 1);
    EXPECT_EQ(main->text(), s("Liebes Tagebuch,\r\nheute war es schön.   "));

    ASSERT_TRUE(klick());
    EXPECT_EQ(main->text(), s("Grüße an Straße"));
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_EQ(panel("Unsaved"), s(" * "));
    EXPECT_EQ(caption(), hin);
    EXPECT_EQ(mainwindow::textBeiTextverarbeitung, 0);
    EXPECT_FALSE(QFile::exists(datei));
    EXPECT_EQ(lesen(s("2024/20240305.Abc")), ansi("Liebes Tagebuch,\r\nheute war es schön."))
        << "not saved before the change of day";

    main->BezDatum->setCaption(s("06.03.2024"));
    EXPECT_EQ(lesen(s("2024/20240305.Abc")), ansi("Grüße an Straße"));
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(fehler.empty());
}

TEST_F(WordProcessorMain, takeBackBeforeTheSave_changesNothingAndKeepsTheCaption)
{
    oeffnen(s("Abc"), s("05.03.2024"));
    ASSERT_TRUE(klick());
    const QString datei = integration::textverarbeitungDatei();

    dialogs.expectMsgBox(platform::vbOK, s("hat den Text noch nicht in die Datei"));
    ASSERT_TRUE(klick());
    EXPECT_EQ(main->text(), s("Liebes Tagebuch,\r\nheute war es schön."));
    EXPECT_EQ(store::ungesichert, 0);
    EXPECT_EQ(caption(), zurueck);
    EXPECT_EQ(textverarbeitung.started().size(), 1u) << "no second hand-over over the user's file";

    // Saved now: the next click takes it back.
    writeFileBytes(datei, "Gespeichert.\n");
    ASSERT_TRUE(klick());
    EXPECT_EQ(main->text(), s("Gespeichert."));
    EXPECT_EQ(caption(), hin);
}

TEST_F(WordProcessorMain, changeOfDay_resetsTheCaptionAndLeavesTheEditor)
{
    schreiben(s("2024/20240306.Abc"), "Der Tag danach.");
    oeffnen(s("Abc"), s("05.03.2024"));
    ASSERT_TRUE(klick());
    writeFileBytes(integration::textverarbeitungDatei(), "Korrigiert, nicht zurückgeholt.\n");

    main->BezDatum->setCaption(s("06.03.2024"));
    EXPECT_EQ(caption(), hin);
    EXPECT_EQ(mainwindow::textBeiTextverarbeitung, 0);
    EXPECT_EQ(main->text(), s("Der Tag danach."));
    EXPECT_EQ(lesen(s("2024/20240305.Abc")), ansi("Liebes Tagebuch,\r\nheute war es schön."));

    // The next click hands the new day over; the file the user saved stays untouched.
    ASSERT_TRUE(klick());
    ASSERT_EQ(textverarbeitung.started().size(), 2u);
    EXPECT_EQ(textverarbeitung.started()[1].back(),
              folders.temp().file(s("Temp Ordner/Korvanel-Eintrag 06.03.2024.txt")));
    EXPECT_EQ(folders.temp().read(s("Temp Ordner/Korvanel-Eintrag 05.03.2024.txt")),
              "Korrigiert, nicht zurückgeholt.\n");
    EXPECT_EQ(main->text(), s("Der Tag danach."));
}

TEST_F(WordProcessorMain, failedStart_messageAndTheEntryStays)
{
    oeffnen(s("Abc"), s("05.03.2024"));
    textverarbeitung.setAnswer(false);
    dialogs.expectMsgBox(platform::vbOK, s("Das Starten der Textverarbeitung hat nicht einwandfrei funktioniert."));
    ASSERT_TRUE(klick());
    EXPECT_EQ(dialogs.calls()[0].title, programm);
    EXPECT_EQ(dialogs.calls()[0].help.context, 162);
    EXPECT_EQ(main->text(), s("Liebes Tagebuch,\r\nheute war es schön."));
    EXPECT_EQ(caption(), hin);
    EXPECT_EQ(mainwindow::textBeiTextverarbeitung, 0);
    EXPECT_EQ(QDir(folders.temp().file(s("Temp Ordner"))).entryList(QDir::Files), QStringList());
}

TEST_F(WordProcessorMain, readOnly_menuAndButtonsKeepBothCommandsAwayCtrlWIncluded)
{
    InstalledFake<FakeSpellChecker> rechtschreibung{platform::setSpellChecker};
    rechtschreibung.addDictionary(s("de_DE"), {});
    folders.writeSettingsFile(s("Brisol.ini"),
                              rt::encodeText(s("[Korvanel]\r\nWordButtons=1\r\n[Textverarbeitung]\r\nPrgExe=")
                                             + programm + s("\r\n")));
    laden({s("readonly")});
    oeffnen(s("Abc"), s("05.03.2024"));
    ASSERT_TRUE(foundation::nurLesen);
    const auto vorher = datenordnerInhalt();

    for (const char* name : {"PulOleTxt2Word", "mnuWordCheck", "btnWord", "btnRechtschreib"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(main->actions->trigger(s(name)));
    }
    EXPECT_FALSE(main->actions->ownsShortcut(QKeyCombination(Qt::CTRL, Qt::Key_W)));
    QApplication::setActiveWindow(main.get());
    main->Text->setFocus();
    QTest::keyClick(main->Text, Qt::Key_W, Qt::ControlModifier);

    EXPECT_TRUE(textverarbeitung.started().empty());
    EXPECT_TRUE(rechtschreibung.loaded().isEmpty()) << "no check started";
    EXPECT_EQ(main->text(), s("Liebes Tagebuch,\r\nheute war es schön."));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(WordProcessorMain, spellingCheck_fromTheMenuAndCtrlW)
{
    InstalledFake<FakeSpellChecker> rechtschreibung{platform::setSpellChecker};
    rechtschreibung.addDictionary(s("de_DE"), {s("Liebes"), s("Tagebuch"), s("heute"), s("war"),
                                                s("es"), s("schön")});
    oeffnen(s("Abc"), s("05.03.2024"));
    main->panels->setText(s("Status"), s("Bereit"));
    QApplication::setActiveWindow(main.get());
    main->Text->setFocus();
    QTest::keyClick(main->Text, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(rechtschreibung.loaded(), QStringList{s("de_DE")});
    EXPECT_EQ(panel("Status"), s("Rechtschreibprüfung abgeschlossen"));
    EXPECT_EQ(store::ungesichert, 0) << "an unchanged entry stays saved";
}

} // namespace
