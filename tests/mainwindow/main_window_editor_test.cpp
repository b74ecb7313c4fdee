// The main window's editor as the user drives it: keys, menu shortcuts, the popup menu and drops
// reach the window's commands and move, change and save the shown day.
#include "main_fixture.h"

#include "mainwindow/editing_commands.h"
#include "mainwindow/editor_keys.h"
#include "mainwindow/navigation.h"
#include "platform/clipboard.h"
#include "runtime/strings.h"
#include "support/fake_clipboard.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

namespace {

class MainEditor : public MainFixture {
protected:
    MainEditor()
    {
        mainwindow::resetEditorTasten();
        schreiben(s("Info.Txt"), "Tagebuch\r\n");
        // Entries are shown as written, not tidied up.
        folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nAutoFormat=0\r\n");
    }
    ~MainEditor() override
    {
        mainwindow::setMonatsblattFenster({});
        mainwindow::resetEditorTasten();
    }

    // Opens the diary Txt at datum with the focus in the editor of the active window.
    void oeffnenImEditor(const char* datum)
    {
        oeffnen(s("Txt"), s(datum));
        QApplication::setActiveWindow(main.get());
        main->Text->setFocus();
        QApplication::processEvents();
    }

    void markieren(int start, int laenge)
    {
        main->setSelStart(start);
        main->setSelLength(laenge);
    }

    QMenu* popup() const { return main->actions->menu(s("mnuPopUp")); }

    // The right button in the editor, as the window system reports it.
    void rechtsklick()
    {
        QWidget* flaeche = main->Text->viewport();
        QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(5, 5), flaeche->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(flaeche, &rechts);
    }

    // Drags data into the editor and drops it there; whether the drop was taken.
    bool ablegen(QMimeData& daten)
    {
        QWidget* ziel = main->Text->viewport();
        QDragEnterEvent betreten(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &daten, Qt::LeftButton,
                                 Qt::NoModifier);
        QApplication::sendEvent(ziel, &betreten);
        QDropEvent fallen(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &daten, Qt::LeftButton,
                          Qt::NoModifier);
        fallen.setAccepted(false);
        QApplication::sendEvent(ziel, &fallen);
        return fallen.isAccepted();
    }

    FakeClipboard ablage;
    ScopedService<platform::Clipboard> ablageGuard{platform::setClipboard, &ablage};
};

// Entries on 20.12.2010, 03.01.2015 and 31.12.2015; no year folders for 2011 to 2014.
class MainEditorMoves : public MainEditor {
protected:
    MainEditorMoves()
    {
        schreiben(s("2010/20101220.Txt"), ansi("Vor der Lücke"));
        schreiben(s("2015/20150103.Txt"), ansi("Nach der Lücke"));
        schreiben(s("2015/20151231.Txt"), "Silvester");
    }
};

TEST_F(MainEditorMoves, keysInTheEditorMoveTheShownDayAndShowItsEntry)
{
    struct Fall {
        const char* name;
        const char* start;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* tag;
        const char* text; // the entry shown afterwards
    };
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers altShift = Qt::AltModifier | Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Fall faelle[] = {
        {"Alt+Right one day on", "20.12.2010", Qt::Key_Right, alt, "21.12.2010", ""},
        {"Alt+Left one day back", "01.03.2024", Qt::Key_Left, alt, "29.02.2024", ""},
        {"Alt+Shift+Right next entry over missing years", "21.12.2010", Qt::Key_Right, altShift,
         "03.01.2015", "Nach der Lücke"},
        {"Alt+Shift+Left previous entry over missing years", "02.01.2015", Qt::Key_Left, altShift,
         "20.12.2010", "Vor der Lücke"},
        {"F8 one day on", "31.12.2010", Qt::Key_F8, Qt::NoModifier, "01.01.2011", ""},
        {"F7 one day back", "21.12.2010", Qt::Key_F7, Qt::NoModifier, "20.12.2010", "Vor der Lücke"},
        {"Ctrl+F8 one week on", "24.12.2015", Qt::Key_F8, ctrl, "31.12.2015", "Silvester"},
        {"Ctrl+Shift+F7 one year back", "29.02.2024", Qt::Key_F7, ctrlShift, "28.02.2023", ""},
        {"Ctrl+Shift+F8 one year on", "03.01.2014", Qt::Key_F8, ctrlShift, "03.01.2015",
         "Nach der Lücke"},
        {"F6 next entry", "03.01.2015", Qt::Key_F6, Qt::NoModifier, "31.12.2015", "Silvester"},
        {"F5 previous entry from a day without one", "01.07.2013", Qt::Key_F5, Qt::NoModifier,
         "20.12.2010", "Vor der Lücke"},
        {"Ctrl+F6 last entry", "01.07.2013", Qt::Key_F6, ctrl, "31.12.2015", "Silvester"},
        {"Ctrl+Alt+Left does nothing", "20.12.2010", Qt::Key_Left, ctrl | alt, "20.12.2010",
         "Vor der Lücke"},
        {"Alt+F7 does nothing", "20.12.2010", Qt::Key_F7, alt, "20.12.2010", "Vor der Lücke"},
        {"Right alone moves the caret only", "20.12.2010", Qt::Key_Right, Qt::NoModifier,
         "20.12.2010", "Vor der Lücke"},
    };
    oeffnenImEditor("05.03.2024");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        main->setDateCaption(s(fall.start));
        QTest::keyClick(main->Text, fall.key, fall.mods);
        EXPECT_EQ(main->dateCaption(), s(fall.tag));
        EXPECT_EQ(store::aktDatum, s(fall.tag));
        EXPECT_EQ(main->text(), s(fall.text));
    }
    EXPECT_TRUE(fehler.empty());
}

TEST_F(MainEditorMoves, dateButtonsRunTheMovesWithBothMouseButtons)
{
    struct Fall {
        const char* name;
        int knopf;
        Qt::MouseButton taste;
        const char* start;
        const char* tag;
    };
    const Fall faelle[] = {
        {"< Eintrag", 8, Qt::LeftButton, "01.01.2015", "20.12.2010"},
        {"< Eintrag, right: first entry", 8, Qt::RightButton, "01.01.2015", "20.12.2010"},
        {"Eintrag >, right: last entry", 9, Qt::RightButton, "01.01.2011", "31.12.2015"},
        {"Monat >", 5, Qt::LeftButton, "31.01.2024", "29.02.2024"},
        {"Monat >, right: one week", 5, Qt::RightButton, "31.01.2024", "07.02.2024"},
        {"Heute", 2, Qt::LeftButton, "20.12.2010", "10.03.2024"},
    };
    oeffnenImEditor("05.03.2024");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        main->setDateCaption(s(fall.start));
        QTest::mouseClick(main->BefDatumWechsel[static_cast<std::size_t>(fall.knopf)], fall.taste);
        EXPECT_EQ(main->dateCaption(), s(fall.tag));
    }
}

TEST_F(MainEditorMoves, monthSheetFromItsKeyAndItsButtonShowsTheDayChosenThere)
{
    oeffnenImEditor("05.03.2024");
    // In place of the month sheet the window installed.
    QStringList geoeffnet;
    mainwindow::setMonatsblattFenster([&](const QString& datum) {
        geoeffnet << datum;
        return std::optional<QString>(s("24.12.2015"));
    });
    QTest::keyClick(main->Text, Qt::Key_F9);
    EXPECT_EQ(main->dateCaption(), s("24.12.2015"));
    main->setDateCaption(s("03.01.2015"));
    ASSERT_TRUE(main->actions->trigger(s("btnKalender")));
    EXPECT_EQ(geoeffnet, (QStringList{s("05.03.2024"), s("03.01.2015")}));
    EXPECT_EQ(main->dateCaption(), s("24.12.2015"));
    EXPECT_EQ(panel("Status"), s("Bereit"));
}

TEST_F(MainEditor, keyMacroTypingModesAndTheSaveOnTheNextDay)
{
    schreiben(s("Keys.txt"), ansi("[Shift_Key]\r\nF05=Mit Gruß~Anna\r\n"));
    schreiben(s("2024/20240305.Txt"), "Hallo Welt");
    oeffnenImEditor("05.03.2024");
    ASSERT_EQ(main->text(), s("Hallo Welt"));

    markieren(6, 4);
    QTest::keyClick(main->Text, Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(main->text(), s("Hallo Mit Gruß\r\nAnna "));
    EXPECT_EQ(main->selStart(), 21);
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_EQ(panel("Unsaved"), s(" * "));

    // Insert switches to overwrite typing; the status panel switches back.
    main->setSelStart(0);
    QTest::keyClick(main->Text, Qt::Key_Insert);
    EXPECT_EQ(panel("txtEinf"), s("Üb"));
    QTest::keyClicks(main->Text, s("Ja"));
    mainwindow::mainHooks().einfuegenUmschalten();
    EXPECT_EQ(panel("txtEinf"), s("Einf"));
    QTest::keyClicks(main->Text, s("!"));
    QTest::keyClick(main->Text, Qt::Key_Tab);
    EXPECT_EQ(main->text(), s("Ja!llo Mit Gruß\r\nAnna "));

    QTest::keyClick(main->Text, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(main->dateCaption(), s("06.03.2024"));
    EXPECT_EQ(lesen(s("2024/20240305.Txt")), ansi("Ja!llo Mit Gruß\r\nAnna"));
    EXPECT_EQ(store::ungesichert, 0);
}

TEST_F(MainEditor, menuShortcutsCutCopyPasteUndoAndSelectAllInTheEditor)
{
    schreiben(s("2024/20240305.Txt"), "eins zwei\r\ndrei");
    oeffnenImEditor("05.03.2024");

    struct Schritt {
        const char* name;
        int selStart;
        int selLength;
        QKeyCombination taste;
        const char* text;
        const char* ablage;
        int ungesichert;
    };
    const Schritt schritte[] = {
        {"Ctrl+C copies", 5, 4, QKeyCombination(Qt::CTRL, Qt::Key_C), "eins zwei\r\ndrei", "zwei", 0},
        {"Ctrl+X cuts", 5, 4, QKeyCombination(Qt::CTRL, Qt::Key_X), "eins \r\ndrei", "zwei", 1},
        {"Ctrl+V pastes at the caret", 11, 0, QKeyCombination(Qt::CTRL, Qt::Key_V), "eins \r\ndreizwei",
         "zwei", 1},
        {"Ctrl+Z takes the paste back", 15, 0, QKeyCombination(Qt::CTRL, Qt::Key_Z), "eins \r\ndrei",
         "zwei", 1},
        {"Ctrl+A selects everything and copies it", 2, 0, QKeyCombination(Qt::CTRL, Qt::Key_A),
         "eins \r\ndrei", "eins \r\ndrei", 1},
    };
    for (const Schritt& schritt : schritte) {
        SCOPED_TRACE(schritt.name);
        markieren(schritt.selStart, schritt.selLength);
        QTest::keyClick(main->Text, schritt.taste.key(), schritt.taste.keyboardModifiers());
        EXPECT_EQ(main->text(), s(schritt.text));
        EXPECT_EQ(ablage.text(), s(schritt.ablage));
        EXPECT_EQ(store::ungesichert, schritt.ungesichert);
    }
    EXPECT_EQ(main->selStart(), 0);
    EXPECT_EQ(main->selLength(), 11);

    // A text set by another window has no undo of the editor's: the entry as loaded comes back,
    // and a second undo brings that text again.
    schreiben(s("2024/20240306.Txt"), "Zweiter Tag");
    main->setDateCaption(s("06.03.2024"));
    main->setText(s("ersetzt"));
    QTest::keyClick(main->Text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->text(), s("Zweiter Tag"));
    QTest::keyClick(main->Text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->text(), s("ersetzt"));
}

TEST_F(MainEditor, insertedTimeAndDatesFollowTheirSettings)
{
    struct Fall {
        const char* name;
        const char* einstellungen; // the program's section of Brisol.ini
        rt::VbDate jetzt;
        QKeyCombination taste;
        const char* eingefuegt;
    };
    const rt::VbDate winter = rt::dateTimeOf(2024, 3, 10, 12, 0);
    const rt::VbDate sommer = rt::dateTimeOf(2024, 5, 5, 14, 30);
    const QKeyCombination ctrlU(Qt::CTRL, Qt::Key_U);
    const QKeyCombination ctrlD(Qt::CTRL, Qt::Key_D);
    const QKeyCombination ctrlT(Qt::CTRL, Qt::Key_T);
    const Fall faelle[] = {
        {"time", "", sommer, ctrlU, "14:30 "},
        {"date", "", winter, ctrlD, "10.03.2024 "},
        {"date, empty format", "StrgDForm=\r\n", winter, ctrlD, "10.03.2024 "},
        {"date with a time in its format", "StrgDForm=d.m.yy hh:nn\r\n", sommer, ctrlD, "5.5.24 14:30 "},
        {"date and time in words", "", winter, ctrlT, "10. März 2024 um 12:00 Uhr "},
        {"date and time in summer as MEZ", "InstDatTime=MEZ\r\n", sommer, ctrlT,
         "05. Mai 2024 um 13:30 MEZ "},
        {"MEZ only written exactly", "InstDatTime=mez\r\n", sommer, ctrlT, "05. Mai 2024 um 14:30 Uhr "},
    };
    schreiben(s("2024/20240305.Txt"), "A[x]B");
    oeffnenImEditor("05.03.2024");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        folders.writeSettingsFile(s("Brisol.ini"), QByteArray("[Korvanel]\r\n") + fall.einstellungen);
        clock.setNow(fall.jetzt);
        main->setText(s("A[x]B"));
        markieren(1, 3);
        QTest::keyClick(main->Text, fall.taste.key(), fall.taste.keyboardModifiers());
        const QString erwartet = s(fall.eingefuegt);
        EXPECT_EQ(main->text(), s("A") + erwartet + s("B"));
        EXPECT_EQ(main->selStart(), 1 + erwartet.size());
        EXPECT_EQ(store::ungesichert, 1);
    }
}

TEST_F(MainEditor, editMenuEntriesFollowTheEditorWhenTheMenuOpens)
{
    schreiben(s("2024/20240305.Txt"), "b\r\na");
    oeffnenImEditor("05.03.2024");
    const auto an = [this](const char* name) { return main->actions->isEnabled(s(name)); };

    ASSERT_TRUE(main->actions->trigger(s("PulBearbeiten")));
    for (const char* name : {"PulAusschneiden", "PulKopieren", "PulOrdnen", "mnuMarkUcase", "mnuZAeinfg"})
        EXPECT_FALSE(an(name)) << name;
    EXPECT_TRUE(an("PulAllesMarkieren"));

    ablage.setText(s("x"));
    markieren(0, 4);
    ASSERT_TRUE(main->actions->trigger(s("PulBearbeiten")));
    for (const char* name : {"PulAusschneiden", "PulKopieren", "PulOrdnen", "mnuMarkUcase", "mnuZAeinfg"})
        EXPECT_TRUE(an(name)) << name;
    ASSERT_TRUE(main->actions->trigger(s("PulOrdnen")));
    EXPECT_EQ(main->text(), s("a\r\nb"));
}

TEST_F(MainEditor, popupAdaptsToTheSelectionAndItsJumpsWork)
{
    schreiben(s("Info.Abc"), "Anderes Tagebuch\r\n");
    schreiben(s("2024/20240305.Txt"), "12.03.2019 Treffen\r\n{abc} siehe dort\r\nnur Worte");
    oeffnenImEditor("05.03.2024");
    QAction* datum = main->actions->action(s("mnuPopDatumWechsel"));
    QAction* sprung = main->actions->action(s("mnuPopHypersprung"));
    const auto an = [this](const char* name) { return main->actions->isEnabled(s(name)); };

    QStringList eintraege;
    for (QAction* eintrag : popup()->actions())
        eintraege << eintrag->objectName();
    EXPECT_EQ(eintraege, (QStringList{s("mnuPopUndo"), s("mnuPopAusschneiden"), s("mnuPopKopieren"),
                                      s("mnuPopEinfügen"), s("mnuPopDatumWechsel"), s("mnuPopLesezeichen"),
                                      s("mnuPopTagesliste"), s("mnuPopHypersprung"),
                                      s("mnuPopHilfeHypertexte")}));

    // Nothing selected, nothing on the clipboard.
    rechtsklick();
    EXPECT_TRUE(popup()->isVisible());
    EXPECT_FALSE(an("mnuPopAusschneiden"));
    EXPECT_FALSE(an("mnuPopKopieren"));
    EXPECT_FALSE(an("mnuPopEinfügen"));
    EXPECT_EQ(datum->text(), s("&Wechseln zum Tag..."));
    EXPECT_EQ(sprung->text(), s("&Korvanel öffnen..."));
    popup()->hide();

    // A date with a word: copied from the popup, then the jump to it.
    markieren(0, 18);
    rechtsklick();
    EXPECT_TRUE(an("mnuPopKopieren"));
    EXPECT_EQ(datum->text(), s("&Wechseln zum 12.03.2019"));
    EXPECT_EQ(sprung->text(), s("&Korvanel öffnen..."));
    popup()->hide();
    main->actions->action(s("mnuPopKopieren"))->trigger();
    EXPECT_EQ(ablage.text(), s("12.03.2019 Treffen"));
    datum->trigger();
    EXPECT_EQ(main->dateCaption(), s("12.03.2019"));
    EXPECT_EQ(main->text(), QString());

    // A reference to a diary at the start of the selection: the jump opens it at the shown day.
    main->setDateCaption(s("05.03.2024"));
    markieren(20, 11);
    ASSERT_EQ(main->selText(), s("{abc} siehe"));
    rechtsklick();
    EXPECT_TRUE(an("mnuPopEinfügen"));
    EXPECT_EQ(sprung->text(), s("Wechseln ins ABC-&Korvanel"));
    EXPECT_EQ(datum->text(), s("&Wechseln zum Tag..."));
    popup()->hide();
    sprung->trigger();
    EXPECT_EQ(rt::UCase(store::korvanelKuerzel), s("ABC"));
    EXPECT_EQ(main->caption(), s("Anderes Tagebuch"));
    EXPECT_EQ(main->dateCaption(), s("05.03.2024"));
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(MainEditor, doubleClickOnADateMovesTheWindowThere)
{
    schreiben(s("2024/20240305.Txt"), "Treffen am 12.03.2019 in Rom");
    oeffnenImEditor("05.03.2024");
    QTextCursor stelle = main->Text->textCursor();
    stelle.setPosition(14);
    QTest::mouseDClick(main->Text->viewport(), Qt::LeftButton, Qt::NoModifier,
                       main->Text->cursorRect(stelle).center());
    EXPECT_EQ(main->dateCaption(), s("12.03.2019"));
}

TEST_F(MainEditor, droppedFilesLandInTheEntryOrAreLinkedToTheDay)
{
    folders.temp().write(s("ablage/a.txt"), "eins");
    folders.temp().write(s("ablage/b.txt"), "zwei");
    const QString foto = folders.temp().file(s("ablage/Foto.BMP"));
    QImage bild(8, 8, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    ASSERT_TRUE(bild.save(foto, "BMP"));
    schreiben(s("2024/20240305.Txt"), "Anfang");
    oeffnenImEditor("05.03.2024");

    main->setSelStart(6);
    QMimeData texte;
    texte.setUrls({QUrl::fromLocalFile(folders.temp().file(s("ablage/a.txt"))),
                   QUrl::fromLocalFile(folders.temp().file(s("ablage/b.txt")))});
    ASSERT_TRUE(ablegen(texte));
    EXPECT_EQ(main->text(), s("Anfangeins\r\n\r\nzwei\r\n\r\n"));
    EXPECT_EQ(main->selStart(), 6);
    EXPECT_EQ(main->selText(), s("eins\r\n\r\nzwei\r\n\r\n"));
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_EQ(panel("Status"), s("Bereit"));

    QMimeData bilder;
    bilder.setUrls({QUrl::fromLocalFile(foto)});
    ASSERT_TRUE(ablegen(bilder));
    EXPECT_EQ(main->text(), s("Anfangeins\r\n\r\nzwei\r\n\r\n"));
    EXPECT_TRUE(lesen(s("BildList.ini")).contains(("20240305=" + foto).toUtf8()));
    EXPECT_FALSE(main->bezPicture->isHidden());
    EXPECT_FALSE(main->bezPicture->pixmap().isNull());
}

TEST_F(MainEditor, aReplacingDropIsTakenBackByTheUndo)
{
    folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nAutoFormat=0\r\nDragDropCls=1\r\n");
    schreiben(s("2024/20240305.Txt"), "Alter Eintrag");
    oeffnenImEditor("05.03.2024");
    QMimeData wort;
    wort.setText(s("Neu"));
    ASSERT_TRUE(ablegen(wort));
    EXPECT_EQ(main->text(), s("Neu"));
    QTest::keyClick(main->Text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->text(), s("Alter Eintrag"));
    QTest::keyClick(main->Text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->text(), s("Neu"));
}

} // namespace
