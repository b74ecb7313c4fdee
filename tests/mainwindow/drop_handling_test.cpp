#include "editor_test_fixture.h"

#include "mainwindow/main_state.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTest>
#include <QUrl>

namespace {

class DropHandlingTest : public EditorFixture {
protected:
    DropHandlingTest()
    {
        mainwindow::bildListIni = foundation::ordnerDat + QStringLiteral("/BildList.ini");
        maus = new mainwindow::EditorMaus(main, &main.textBox());
        mainwindow::setTagesbildLaden([this] { ++bilderGeladen; });
        zeige(QStringLiteral("05.03.2024"), QStringLiteral("Anfang"));
        main.setSelStart(6);
    }
    ~DropHandlingTest() override { mainwindow::resetMainState(); }

    QString ablage(const QString& name, const QByteArray& bytes) const
    {
        folders.temp().write(QStringLiteral("ablage/") + name, bytes);
        return folders.temp().file(QStringLiteral("ablage/") + name);
    }

    static QMimeData* dateien(const QStringList& pfade)
    {
        auto* daten = new QMimeData;
        QList<QUrl> urls;
        for (const QString& pfad : pfade)
            urls.append(QUrl::fromLocalFile(pfad));
        daten->setUrls(urls);
        return daten;
    }
    static QMimeData* text(const QString& t)
    {
        auto* daten = new QMimeData;
        daten->setText(t);
        return daten;
    }

    // A drag that enters the editor and drops there; whether the drop was accepted.
    bool ablegen(QMimeData* daten)
    {
        std::unique_ptr<QMimeData> halter(daten);
        QWidget* ziel = main.textBox().viewport();
        QDragEnterEvent betreten(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, daten,
                                 Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ziel, &betreten);
        statusBeimZiehen = main.panelText(QStringLiteral("Status"));
        QDropEvent fallen(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, daten, Qt::LeftButton,
                          Qt::NoModifier);
        fallen.setAccepted(false);
        QApplication::sendEvent(ziel, &fallen);
        return fallen.isAccepted();
    }

    mainwindow::EditorMaus* maus = nullptr;
    int bilderGeladen = 0;
    QString statusBeimZiehen;
};

TEST_F(DropHandlingTest, textFilesAreInsertedAtTheCaretAndSelected)
{
    const QString a = ablage(QStringLiteral("a.txt"), "eins");
    const QString b = ablage(QStringLiteral("b.TXT"), "Gr\xFC\xDF" "e\nzwei");
    EXPECT_TRUE(ablegen(dateien({a, b})));
    const QString eingefuegt = u8("eins\r\n\r\nGrüße\r\nzwei\r\n\r\n");
    EXPECT_EQ(main.text(), QStringLiteral("Anfang") + eingefuegt);
    EXPECT_EQ(main.selStart(), 6);
    EXPECT_EQ(main.selLength(), eingefuegt.size());
    EXPECT_EQ(mainwindow::undoText, QStringLiteral("Anfang"));
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_TRUE(main.unsaved());
    EXPECT_EQ(statusBeimZiehen, QStringLiteral("Text einfügen"));
    EXPECT_EQ(main.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));
    EXPECT_TRUE(dialoge.calls().empty());
}

TEST_F(DropHandlingTest, droppedTextReplacesTheSelectionOrTheWholeEntry)
{
    main.setSelStart(1);
    main.setSelLength(3);
    EXPECT_TRUE(ablegen(text(QStringLiteral("Wort"))));
    EXPECT_EQ(main.text(), QStringLiteral("AWortng"));
    EXPECT_EQ(main.selStart(), 1);
    EXPECT_EQ(main.selLength(), 4);

    foundation::IniSchreiben(QString(), QString(), QStringLiteral("DragDropCls"),
                             QStringLiteral("1"));
    EXPECT_EQ(mainwindow::ziehenErlaubt(), Qt::MoveAction);
    EXPECT_TRUE(ablegen(text(QStringLiteral("Neu\nda"))));
    EXPECT_EQ(statusBeimZiehen, u8("Text übernehmen"));
    EXPECT_EQ(main.text(), QStringLiteral("Neu\r\nda"));
    EXPECT_EQ(main.selStart(), 0);
    EXPECT_EQ(main.selLength(), 7);
    EXPECT_EQ(mainwindow::undoText, QStringLiteral("AWortng"));
}

TEST_F(DropHandlingTest, picturesAreLinkedToTheDayAndOtherFilesRefused)
{
    const QString foto = ablage(QStringLiteral("Foto.JPG"), QByteArray("\xFF\xD8\xFF\0jpg", 7));
    const QString bild = ablage(QStringLiteral("Bild.gif"), "GIF89a");
    const QString binaer = ablage(QStringLiteral("Programm.dat"), QByteArray("MZ\0\0text", 8));
    const QString gross = ablage(QStringLiteral("Gross.txt"), QByteArray(1024 * 1024 + 1, 'x'));
    // Exactly the largest file taken: lines of 98 characters, the last one shorter.
    QByteArray zeilen;
    while (zeilen.size() + 100 <= 1024 * 1024)
        zeilen += QByteArray(98, 'y') + "\r\n";
    zeilen += QByteArray(1024 * 1024 - zeilen.size(), 'z');
    const QString genau = ablage(QStringLiteral("Genau.txt"), zeilen);
    const QString klein = ablage(QStringLiteral("klein.log"), "eins");
    dialoge.expectMsgBox(platform::vbOK, u8("»Programm.dat« ist keine Textdatei."));

    auto* daten = dateien({foto, binaer, gross, bild, klein, genau});
    daten->setText(QStringLiteral("file:///nicht/als/Text")); // a file list carries its names
    EXPECT_TRUE(ablegen(daten));

    ASSERT_EQ(dialoge.calls().size(), 1U);
    EXPECT_TRUE(dialoge.calls()[0].text.contains(u8("»Gross.txt« ist größer als 1 MB.")));
    EXPECT_FALSE(dialoge.calls()[0].text.contains(QStringLiteral("Genau.txt")));
    EXPECT_EQ(dialoge.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(main.text(), QStringLiteral("Anfangeins\r\n\r\n") + QString::fromLatin1(zeilen)
                               + QStringLiteral("\r\n\r\n"));
    // The last picture stays linked, each one shown.
    EXPECT_EQ(lesen(QStringLiteral("BildList.ini")),
              QByteArray("[Txt]\r\n20240305=") + bild.toUtf8() + "\r\n");
    EXPECT_EQ(bilderGeladen, 2);
}

TEST_F(DropHandlingTest, aPictureAloneLeavesTheEntryAndTheUndoText)
{
    const QString foto = ablage(QStringLiteral("Foto.JPG"), "jpg");
    mainwindow::undoText = QStringLiteral("wie geladen");
    EXPECT_TRUE(ablegen(dateien({foto})));
    EXPECT_EQ(main.text(), QStringLiteral("Anfang"));
    EXPECT_EQ(mainwindow::undoText, QStringLiteral("wie geladen"));
    EXPECT_FALSE(main.unsaved());
    EXPECT_EQ(lesen(QStringLiteral("BildList.ini")),
              QByteArray("[Txt]\r\n20240305=") + foto.toUtf8() + "\r\n");
}

TEST_F(DropHandlingTest, unreadableFileGoesToTheErrorDialogWhichDecides)
{
    const QString a = ablage(QStringLiteral("a.txt"), "eins");
    // A link whose file is gone: listed by the file manager, not readable.
    const QString weg = folders.temp().file(QStringLiteral("ablage/weg.txt"));
    ASSERT_TRUE(QFile::link(folders.temp().file(QStringLiteral("ablage/fehlt.txt")), weg));
    const QString c = ablage(QStringLiteral("c.txt"), "drei");

    fehlerAntwort = 2; // stop: nothing is taken
    EXPECT_TRUE(ablegen(dateien({a, weg, c})));
    ASSERT_EQ(fehler.size(), 1U);
    EXPECT_EQ(fehler[0].nummer, 53);
    EXPECT_EQ(fehler[0].text, u8("Es ist ein Fehler beim Einfügen des OLE-Textes aufgetreten."));
    EXPECT_EQ(main.text(), QStringLiteral("Anfang"));
    EXPECT_FALSE(main.unsaved());

    fehlerAntwort = 5; // go on with the other files
    EXPECT_TRUE(ablegen(dateien({a, weg, c})));
    EXPECT_EQ(main.text(), QStringLiteral("Anfangeins\r\n\r\ndrei\r\n\r\n"));
}

TEST_F(DropHandlingTest, readOnlyRefusesDropsAndThePictureDoubleClick)
{
    foundation::nurLesen = true;
    const QString foto = ablage(QStringLiteral("Foto.jpg"), "jpg");
    const QString a = ablage(QStringLiteral("a.txt"), "eins");
    const auto vorher = datenordnerInhalt();
    EXPECT_FALSE(ablegen(text(QStringLiteral("Wort"))));
    EXPECT_FALSE(ablegen(dateien({foto, a})));
    EXPECT_EQ(main.text(), QStringLiteral("Anfang"));
    EXPECT_FALSE(main.unsaved());
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_EQ(bilderGeladen, 0);
    mainwindow::BildDoppelklick(main);
    EXPECT_TRUE(ausgeloest.isEmpty());

    foundation::nurLesen = false;
    mainwindow::BildDoppelklick(main);
    EXPECT_EQ(ausgeloest, QStringList{QStringLiteral("mnuBildZuordnen")});
}

TEST_F(DropHandlingTest, dragOutCopiesOrMovesTheSelection)
{
    struct Fall {
        const char* name;
        const char* dragDropCls;
        bool nurLesen;
        Qt::DropAction ziel; // what the target does
        Qt::DropActions erlaubt;
        const char* text;
    };
    const Fall faelle[] = {
        {"copy: the text stays", "0", false, Qt::CopyAction, Qt::CopyAction, "Hallo Welt\r\nEnde"},
        {"move taken by the target", "1", false, Qt::MoveAction, Qt::MoveAction, "Hallo \r\nEnde"},
        {"move dropped nowhere", "1", false, Qt::IgnoreAction, Qt::MoveAction,
         "Hallo Welt\r\nEnde"},
        {"read-only copies only", "1", true, Qt::MoveAction, Qt::CopyAction,
         "Hallo Welt\r\nEnde"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        foundation::nurLesen = false;
        frisch(QStringLiteral("Hallo Welt\r\nEnde"));
        foundation::nurLesen = fall.nurLesen;
        foundation::IniSchreiben(QString(), QString(), QStringLiteral("DragDropCls"),
                                 QString::fromLatin1(fall.dragDropCls));
        QStringList gezogen;
        std::optional<Qt::DropActions> angeboten;
        mainwindow::setZiehenAusfuehren(
            [&](QWidget*, QMimeData* daten, Qt::DropActions erlaubt) {
                gezogen.append(daten->text());
                angeboten = erlaubt;
                return fall.ziel;
            });
        main.setSelStart(6);
        main.setSelLength(4);
        QTextCursor inWelt(main.textBox().document());
        inWelt.setPosition(8);
        const QPoint wo = main.textBox().cursorRect(inWelt).center();
        QWidget* flaeche = main.textBox().viewport();
        QTest::mousePress(flaeche, Qt::LeftButton, Qt::NoModifier, wo);
        QTest::mouseMove(flaeche, wo + QPoint(30, 30));
        QTest::mouseRelease(flaeche, Qt::LeftButton, Qt::NoModifier, wo + QPoint(30, 30));
        EXPECT_EQ(gezogen, QStringList{QStringLiteral("Welt")});
        EXPECT_EQ(angeboten, fall.erlaubt);
        EXPECT_EQ(main.text(), QString::fromLatin1(fall.text));
        EXPECT_EQ(store::ungesichert, QString::fromLatin1(fall.text).contains(u'W') ? 0 : 1);
    }
    mainwindow::setZiehenAusfuehren({});
}

TEST_F(DropHandlingTest, doubleClickActsOnTheWordTheEditorSelected)
{
    frisch(QStringLiteral("Treffen 12.03.2019\r\nHallo"));
    const auto klick = [this](int position) {
        QTextCursor c(main.textBox().document());
        c.setPosition(position);
        QTest::mouseDClick(main.textBox().viewport(), Qt::LeftButton, Qt::NoModifier,
                           main.textBox().cursorRect(c).center() + QPoint(2, 0));
    };
    klick(21); // in "Hallo"
    EXPECT_EQ(main.selText(), QStringLiteral("Hallo"));
    EXPECT_EQ(ausgeloest, QStringList{QStringLiteral("mnuLesezeichen")});
    klick(2); // in "Treffen"
    EXPECT_EQ(ausgeloest.size(), 2);
    EXPECT_EQ(main.dateCaption(), QStringLiteral("06.03.2024"));
    klick(12); // in "12.03.2019": the date is one word
    EXPECT_EQ(main.dateCaption(), QStringLiteral("12.03.2019"));
    EXPECT_EQ(ausgeloest.size(), 2);
}

TEST_F(DropHandlingTest, dragLeavingAndRightButtonPopup)
{
    EXPECT_EQ(mainwindow::ziehenErlaubt(), Qt::CopyAction);
    QMimeData daten;
    daten.setText(QStringLiteral("Wort"));
    QDragEnterEvent betreten(QPoint(5, 5), Qt::CopyAction, &daten, Qt::LeftButton,
                             Qt::NoModifier);
    QApplication::sendEvent(main.textBox().viewport(), &betreten);
    EXPECT_EQ(main.panelText(QStringLiteral("Status")), u8("Text einfügen"));
    QDragLeaveEvent verlassen;
    QApplication::sendEvent(main.textBox().viewport(), &verlassen);
    EXPECT_EQ(main.panelText(QStringLiteral("Status")), QStringLiteral("Bereit"));

    std::vector<QPoint> popups;
    mainwindow::setPopupZeigen([&](QPoint wo) { popups.push_back(wo); });
    QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(103, 104));
    QApplication::sendEvent(main.textBox().viewport(), &rechts);
    EXPECT_EQ(popups, std::vector<QPoint>{QPoint(103, 104)});

    // Read-only: the editor's own menu (kept from opening here), not the program's.
    foundation::nurLesen = true;
    main.textBox().setContextMenuPolicy(Qt::PreventContextMenu);
    QContextMenuEvent nochmal(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(103, 104));
    QApplication::sendEvent(main.textBox().viewport(), &nochmal);
    EXPECT_EQ(popups.size(), 1U);
}

} // namespace
