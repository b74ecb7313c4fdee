#include "main_fixture.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>

namespace {

class DayPicture : public MainFixture {
protected:
    void SetUp() override
    {
        schreiben(s("Info.Txt"), "Mein Tagebuch\r\n");
        folders.temp().makeFolder(s("bilder"));
    }

    QString bild(const QString& name, QSize groesse, const char* format = nullptr) const
    {
        QImage image(groesse, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString datei = folders.temp().file(s("bilder/") + name);
        EXPECT_TRUE(image.save(datei, format));
        return datei;
    }

    void verknuepfen(const QString& eintraege) const
    {
        schreiben(s("BildList.ini"), (s("[Txt]\r\n") + eintraege).toUtf8());
    }

    // The area the picture may take, reduced as the fitting reduces it.
    QSizeF flaeche() const { return QSizeF(main->bezPicture->width() * 0.95, main->bezPicture->height() * 0.95); }
};

TEST_F(DayPicture, sizeShrinksInStepsUntilItFits)
{
    struct Fall {
        QSize bild;
        QSizeF grenze;
        QSize erwartet;
    };
    for (const Fall& fall : {Fall{{100, 50}, {200, 200}, {100, 50}},       // smaller: own size
                             Fall{{200, 200}, {200, 200}, {200, 200}},     // exactly the limit
                             Fall{{1000, 500}, {500, 500}, {466, 233}},    // 8 steps of 1.1
                             Fall{{300, 1000}, {500, 500}, {139, 466}},    // the height decides
                             Fall{{10000000, 10000000}, {10, 10}, {725, 725}}}) { // 100 steps at most
        SCOPED_TRACE(fall.bild.width());
        EXPECT_EQ(mainwindow::TagesbildGroesse(fall.bild, fall.grenze), fall.erwartet);
    }
}

TEST_F(DayPicture, everyReadableFormatIsShownAtTheFittedSize)
{
    // The smallest GIF: one white pixel (Qt reads GIF but cannot write it).
    const QByteArray gif = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c"
                                               "00000000010001000002024401003b");
    folders.temp().write(s("bilder/punkt.gif"), gif);
    struct Fall {
        QString datei;
        QSize bild;
    };
    const std::vector<Fall> faelle = {
        {bild(s("gross.png"), {1600, 1200}), {1600, 1200}},
        {bild(s("klein.bmp"), {40, 30}), {40, 30}},
        {bild(s("foto.jpg"), {900, 1400}), {900, 1400}},
        {bild(s("symbol.ico"), {32, 32}, "ICO"), {32, 32}},
        {folders.temp().file(s("bilder/punkt.gif")), {1, 1}},
    };
    oeffnen(s("Txt"), s("04.03.2024"));
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datei.toStdString());
        verknuepfen(s("20240305=") + fall.datei + s("\r\n"));
        main->setDateCaption(s("05.03.2024"));
        ASSERT_FALSE(main->bezPicture->isHidden());
        EXPECT_EQ(main->bezPicture->pixmap().size(), mainwindow::TagesbildGroesse(fall.bild, flaeche()));
        EXPECT_LE(main->bezPicture->pixmap().width(), main->bezPicture->width());
        main->setDateCaption(s("04.03.2024"));
        EXPECT_TRUE(main->bezPicture->isHidden());
    }
    EXPECT_TRUE(fehler.empty());
}

TEST_F(DayPicture, missingOrUnreadablePictureShowsTheLabelNeverADialog)
{
    folders.temp().write(s("bilder/kaputt.jpg"), "kein Bild");
    const QString fehlt = folders.temp().file(s("bilder/fehlt.jpg"));
    const QString kaputt = folders.temp().file(s("bilder/kaputt.jpg"));
    verknuepfen(s("20240305=") + fehlt + s("\r\n20240306=") + kaputt + s("\r\n"));
    oeffnen(s("Txt"), s("05.03.2024"));

    EXPECT_FALSE(main->bezPicture->isHidden());
    EXPECT_EQ(main->bezPicture->text(), s("Kann das Bild »") + fehlt + s("« nicht finden."));
    EXPECT_EQ(sound.beeps(), std::vector<int>{platform::beepExclamation});

    main->setDateCaption(s("06.03.2024"));
    EXPECT_FALSE(main->bezPicture->isHidden());
    EXPECT_TRUE(main->bezPicture->text().startsWith(s("Kann das Bild »") + kaputt + s("« nicht anzeigen")));
    EXPECT_TRUE(main->bezPicture->pixmap().isNull());
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(fehler.empty());
}

TEST_F(DayPicture, linkingAndUnlinkingWriteTheLinkFile)
{
    const QString foto = bild(s("2024-03-05 Strand.png"), {200, 100});
    const QString auto1 = bild(s("auto-20240305.png"), {50, 50});
    verknuepfen(s("MediaAuto=") + folders.temp().file(s("bilder/auto-{jjjj}{mm}{tt}*.png")) + s("\r\n"));
    oeffnen(s("Txt"), s("05.03.2024"));
    // The pattern finds the automatic picture.
    EXPECT_EQ(main->bezPicture->pixmap().size(), QSize(50, 50));

    dialogs.expectOpenFile(foto, 2, s("Bild-Verknüpfung"));
    main->actions->trigger(s("mnuBildZuordnen"));

    ASSERT_EQ(dialogs.calls().size(), 1u);
    const FakeDialogs::Call& wahl = dialogs.calls()[0];
    EXPECT_EQ(wahl.kind, FakeDialogs::Kind::OpenFile);
    EXPECT_EQ(wahl.title, s("Bild-Verknüpfung herstellen"));
    EXPECT_EQ(wahl.filter, s("Bilder|*.bmp;*.ico;*.rle;*.wmf;*.emf;*.gif;*.jpg;*.jpeg;*.png|Dateien (05.03.2024)|2024-03-05*.*"));
    EXPECT_EQ(wahl.start, folders.temp().file(s("bilder")));
    EXPECT_EQ(wahl.filterIndex, 1);
    EXPECT_EQ(lesen(s("BildList.ini")),
              (s("[Txt]\r\nMediaAuto=") + folders.temp().file(s("bilder/auto-{jjjj}{mm}{tt}*.png"))
               + s("\r\n20240305=") + foto + s("\r\n"))
                  .toUtf8());
    EXPECT_EQ(foundation::IniLesen({}, {}, s("MediaOrdner")), folders.temp().file(s("bilder")));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("MediaFltIdx")), s("2"));
    // The explicit link wins over the pattern.
    EXPECT_EQ(main->bezPicture->pixmap().size(), QSize(200, 100));

    main->actions->trigger(s("mnuBildZuordnenLöschen"));
    EXPECT_TRUE(lesen(s("BildList.ini")).endsWith("\r\n20240305=\r\n"));
    // Unlinked, the day shows its automatic picture again.
    EXPECT_EQ(main->bezPicture->pixmap().size(), QSize(50, 50));
    EXPECT_EQ(mainwindow::TagesbildDatei(rt::DateSerial(2024, 3, 5)), auto1);

    // A cancelled dialog links nothing.
    const auto vorher = lesen(s("BildList.ini"));
    dialogs.expectOpenFile(std::nullopt);
    main->TagesbildZuordnen();
    EXPECT_EQ(lesen(s("BildList.ini")), vorher);
}

TEST_F(DayPicture, pictureDisplayCanBeSwitchedOff)
{
    verknuepfen(s("20240305=") + bild(s("a.png"), {20, 20}) + s("\r\n"));
    oeffnen(s("Txt"), s("05.03.2024"));
    EXPECT_FALSE(main->bezPicture->isHidden());
    main->actions->trigger(s("mnuBildAnzeigen"));
    EXPECT_EQ(mainwindow::bildAnzeigen, 0);
    EXPECT_TRUE(main->bezPicture->isHidden());
    main->actions->trigger(s("mnuBildAnzeigen"));
    EXPECT_FALSE(main->bezPicture->isHidden());
}

TEST_F(DayPicture, panelCountsThePicturesOfTheDay)
{
    const QString ordner = folders.temp().file(s("fotos/{jjjj}"));
    folders.writeSettingsFile(s("Brisol.ini"), (s("[Korvanel]\r\nMediaAutoInfFold=") + ordner + s("/\r\n")).toUtf8());
    folders.temp().write(s("fotos/2024/2024-03-05 a.jpg"), "x");
    folders.temp().write(s("fotos/2024/2024-03-05 b.jpg"), "x");
    folders.temp().write(s("fotos/2024/2024-03-06.jpg"), "x");
    oeffnen(s("Txt"), s("05.03.2024"));
    EXPECT_TRUE(main->panels->isVisible(s("Bild")));
    struct Fall {
        const char* tag;
        const char* text;
    };
    for (const Fall& fall : {Fall{"05.03.2024", "2 Bilder"}, Fall{"06.03.2024", "1 Bild"},
                             Fall{"07.03.2024", "-"}, Fall{"07.03.2023", "-"}}) { // 2023: no folder
        main->setDateCaption(s(fall.tag));
        EXPECT_EQ(panel("Bild"), s(fall.text)) << fall.tag;
    }
}

} // namespace
