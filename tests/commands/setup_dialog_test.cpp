#include "commands_fixture.h"

#include "commands/setup_dialog.h"
#include "commands/window_openers.h"
#include "foundation/font_text.h"
#include "foundation/ini_store.h"
#include "foundation/picture_types.h"
#include "foundation/user_identity.h"
#include "mainwindow/drop_handling.h"
#include "mainwindow/main_state.h"
#include "platform/check_box.h"
#include "platform/sound.h"
#include "store/day_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include <memory>

namespace {

class SetupTest : public CommandsTest {
protected:
    SetupTest()
    {
        mainwindow::resetMainState();
        store::resetDayTexts();
        mainwindow::korvanelIni = foundation::ordnerDat + u8("/Korvanel.ini");
        schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
        schreiben(u8("Info.abc"), "Reisen\r\n");
        schreiben(u8("Info.Leer"), "\r\nerst in Zeile zwei\r\n");
        schreiben(u8("Info.Xy"), "zu kurz\r\n");
        commands::setHauptfenster({
            .VorgabenSichern = [this] { ablauf.append(u8("VorgabenSichern")); },
            .VorgabenLaden = [this] { ablauf.append(u8("VorgabenLaden")); },
            .Anordnen = [this] { ablauf.append(u8("Anordnen")); },
            .SchriftText = [this] { return foundation::SchriftAlsText(&main.textBox()); },
            .SchriftSetzen =
                [this](const QFont& schrift, const QColor& farbe) {
                    main.textBox().setFont(schrift);
                    QPalette farben = main.textBox().palette();
                    farben.setColor(QPalette::Text, farbe);
                    main.textBox().setPalette(farben);
                },
            .HintergrundfarbeSetzen =
                [this](const QColor& farbe) {
                    QPalette farben = main.textBox().palette();
                    farben.setColor(QPalette::Base, farbe);
                    main.textBox().setPalette(farben);
                },
            .HintergrundbildZeigen = [this](const QString& pfad) { bilder.append(pfad); },
            .StimmungSichtbar = [this] { return stimmung; },
            .StimmungZeigen =
                [this](bool sichtbar) {
                    stimmung = sichtbar;
                    ablauf.append(sichtbar ? u8("Stimmung an") : u8("Stimmung aus"));
                },
            .AutosaveEinschalten = [this] { ablauf.append(u8("Autosave")); },
        });
    }
    ~SetupTest() override
    {
        fenster.reset();
        for (platform::FormCore* offen : platform::openForms()) {
            if (platform::isLoaded(offen))
                offen->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands::setHauptfenster({});
        commands::resetFensterOeffner();
        mainwindow::resetMainState();
        store::resetDayTexts();
    }

    commands::Setup& oeffnen()
    {
        fenster = std::make_unique<commands::Setup>();
        return *fenster;
    }
    static QString programm(const char* schluessel, const char* abschnitt = "")
    {
        return foundation::IniLesen({}, u8(abschnitt), u8(schluessel), u8("(fehlt)"));
    }
    static QString lokal(const char* schluessel)
    {
        return foundation::IniLesen(mainwindow::korvanelIni, u8("Txt"), u8(schluessel),
                                    u8("(fehlt)"));
    }
    static QStringList zeilen(const QListWidget* liste)
    {
        QStringList text;
        for (int i = 0; i < liste->count(); ++i)
            text.append(liste->item(i)->text());
        return text;
    }

    std::unique_ptr<commands::Setup> fenster;
    QStringList ablauf;
    QStringList bilder;
    bool stimmung = true;
};

// The one round trip the menu runs: settings typed in, OK, files written, the main window
// reloaded and laid out.
TEST_F(SetupTest, menuRoundTrip_storesWhatWasTyped_rejectsABadDate_mainWindowReloads)
{
    commands::alleFensterAnschliessen();
    foundation::IniSchreiben({}, {}, QString::fromUtf8("AuswahlÖffnen"), u8("1"));
    dialogs.expectMsgBox(platform::vbOK, u8("»31.02.2020« ist kein gültiges Datum."));
    QTimer::singleShot(0, [this] {
        auto* setup = dynamic_cast<commands::Setup*>(platform::findForm(u8("Setup")));
        ASSERT_TRUE(setup);
        ablauf.append(u8("gezeigt ") + main.panelText(u8("Status")));
        setup->txtBezugT->setEditText(u8("Mein Alter"));
        setup->txtBezugD->setText(u8("31.02.2020"));
        setup->SliderAutoSave->setValue(7);
        setup->comboTVOrder[4]->setEditText(u8("{F7} ; Schreibprogramm"));
        EXPECT_EQ(platform::checkBoxValue(*setup->StrgAuswahl), 1);
        const QList<QListWidgetItem*> abc = setup->ListeNamen->findItems(u8("Abc"), Qt::MatchStartsWith);
        ASSERT_EQ(abc.size(), 1);
        setup->ListeNamen->setCurrentItem(abc[0]); // unticks the chooser
        setup->befOk->click();
    });

    EXPECT_TRUE(commands::fensterOeffnen(u8("PulSetup")));

    EXPECT_EQ(dialogs.calls().size(), 1U);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(sound.beeps(), (std::vector<int>{platform::beepExclamation}));
    EXPECT_EQ(lesen(u8("Korvanel.ini")),
              QByteArray("[Txt]\r\nHintergrundbild=\r\nBezugDatum=\r\nBezugText=Mein Alter *\r\n"));
    EXPECT_EQ(mainwindow::bezugDatum, QString());
    EXPECT_EQ(mainwindow::bezugText, u8("Mein Alter *"));
    EXPECT_EQ(programm("Autosave"), u8("7"));
    EXPECT_EQ(programm("KorvanelName"), u8("Abc"));
    EXPECT_EQ(foundation::IniLesen({}, {}, QString::fromUtf8("AuswahlÖffnen")), u8("0"));
    EXPECT_EQ(programm("Rechtschreibpruefung", "Textverarbeitung"), u8("{F7}"));
    EXPECT_EQ(programm("Einfuegen", "Textverarbeitung"), QString()); // the offer is never stored
    EXPECT_EQ(ablauf, (QStringList{u8("gezeigt Einstellungen..."), u8("Autosave"),
                                   u8("Stimmung an"), u8("VorgabenSichern"), u8("VorgabenLaden"),
                                   u8("Anordnen")}));
    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
    EXPECT_EQ(platform::findForm(u8("Setup")), nullptr);
}

TEST_F(SetupTest, loadShowsTheStoredSettings)
{
    foundation::IniSchreiben({}, {}, u8("KWMemoImRam"), u8("0"));
    foundation::IniSchreiben({}, {}, u8("Min2Tray"), u8("1"));
    foundation::IniSchreiben({}, {}, u8("DblClickIgn"), u8("2"));
    foundation::IniSchreiben({}, u8("Textverarbeitung"), u8("Kopieren"), u8("^C"));
    foundation::IniSchreiben(mainwindow::korvanelIni, u8("Txt"), u8("Hintergrundbild"),
                             u8("/bilder/wiese.jpg"));
    mainwindow::bezugDatum = u8("1.5.1980");
    mainwindow::bezugText = u8("Ich bin *");
    store::autoFormat = 1;
    stimmung = false;

    commands::Setup& setup = oeffnen();

    EXPECT_EQ(setup.windowTitle(), u8("Einstellungen"));
    EXPECT_EQ(setup.LabelLokal->text(), u8("Lokale Einstellungen gelten nur für »Mein Tagebuch«"));
    // Listed: diaries with a title; the names in standard form, a Tab before the title.
    EXPECT_EQ(zeilen(setup.ListeNamen), (QStringList{u8("Abc \tReisen"), u8("Txt \tMein Tagebuch")}));
    EXPECT_EQ(platform::checkBoxValue(*setup.StrgAuswahl), 0);
    ASSERT_NE(setup.ListeNamen->currentItem(), nullptr); // "Txt" by default
    EXPECT_EQ(setup.ListeNamen->currentItem()->text(), u8("Txt \tMein Tagebuch"));
    EXPECT_EQ(platform::checkBoxValue(*setup.strgKWmemo), 0);
    EXPECT_EQ(platform::checkBoxValue(*setup.strgMin2Tray), 1);
    EXPECT_EQ(platform::checkBoxValue(*setup.strgDblClickIgn), 1);
    EXPECT_EQ(platform::checkBoxValue(*setup.strgDrDrCls), 0);
    EXPECT_EQ(platform::checkBoxValue(*setup.StrgWordButtons), 0);
    EXPECT_EQ(platform::checkBoxValue(*setup.strgStimmung), 0);
    EXPECT_EQ(platform::checkBoxValue(*setup.strgAutoformat), 1);
    EXPECT_EQ(platform::checkBoxValue(*setup.strgFontAutoSize), 0);
    EXPECT_FALSE(setup.laufFontAutoSize->isEnabled());
    EXPECT_EQ(setup.txtBackPic->text(), u8("/bilder/wiese.jpg"));
    EXPECT_EQ(setup.txtBezugD->text(), u8("1.5.1980"));
    EXPECT_EQ(setup.txtBezugT->currentText(), u8("Ich bin *"));
    ASSERT_EQ(setup.txtBezugT->count(), 2);
    EXPECT_EQ(setup.txtBezugT->itemText(0), foundation::Benutzername() + u8(" im Alter von *"));
    EXPECT_EQ(setup.txtBezugT->itemText(1), u8("Als ich * alt war"));
    EXPECT_EQ(setup.comboTVOrder[2]->currentText(), u8("^C"));
    EXPECT_EQ(setup.comboTVOrder[2]->itemText(0), u8("^c; Word"));
    EXPECT_EQ(setup.comboTVOrder[5]->itemText(0), u8("{Esc}%dbn; Word"));
    EXPECT_EQ(platform::tag(setup.comboTVOrder[5]), u8("Beenden"));
    EXPECT_EQ(setup.bezTVOrder[3]->text(), u8("Einfügen"));
}

TEST_F(SetupTest, autosaveSliderReadsAnyStoredTextAndNamesItsInterval)
{
    struct Fall {
        const char* gespeichert; // nullptr: no value
        int regler;
        const char* text;
    };
    const Fall faelle[] = {
        {nullptr, 1, "1 Minute"}, {"0", 0, "ausgeschaltet"}, {"5", 5, "5 Minuten"},
        {"-2.5", 3, "3 Minuten"}, {"abc", 0, "ausgeschaltet"}, {"90", 60, "60 Minuten"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.gespeichert ? fall.gespeichert : "(fehlt)");
        if (fall.gespeichert)
            foundation::IniSchreiben({}, {}, u8("Autosave"), u8(fall.gespeichert));
        commands::Setup& setup = oeffnen();
        EXPECT_EQ(setup.SliderAutoSave->value(), fall.regler);
        EXPECT_EQ(setup.Bezeichnung6->text(), u8(fall.text));
    }
    commands::Setup& setup = oeffnen();
    setup.SliderAutoSave->setValue(0);
    setup.befOk_Click();
    EXPECT_EQ(programm("Autosave"), u8("0"));
}

TEST_F(SetupTest, hintTextIsCutTo25AndGetsItsPlaceholder)
{
    struct Fall {
        const char* eingabe;
        const char* gespeichert;
    };
    const Fall faelle[] = {
        {"", "*"},
        {"abcdefghijklmnopqrstuvwxyz1234", "abcdefghijklmnopqrstuvwxy *"},
        {"Alter: * Jahre", "Alter: * Jahre"},
        {"  Alter  ", "Alter   *"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.eingabe);
        commands::Setup& setup = oeffnen();
        setup.txtBezugT->setEditText(u8(fall.eingabe));
        setup.txtBezugD->clear();
        setup.befOk_Click();
        EXPECT_EQ(lokal("BezugText"), u8(fall.gespeichert));
        EXPECT_EQ(mainwindow::bezugText, u8(fall.gespeichert));
        EXPECT_EQ(lokal("BezugDatum"), QString());
    }
    EXPECT_TRUE(dialogs.calls().empty()); // an empty date is no error
}

TEST_F(SetupTest, aValidReferenceDateIsStoredAsTyped)
{
    commands::Setup& setup = oeffnen();
    setup.txtBezugD->setText(u8(" 29.2.2024 "));
    setup.befOk_Click();
    EXPECT_EQ(lokal("BezugDatum"), u8("29.2.2024"));
    EXPECT_EQ(mainwindow::bezugDatum, u8("29.2.2024"));
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(SetupTest, choosingADiaryUnticksTheChooser_tickingItClearsTheChoice)
{
    foundation::IniSchreiben({}, {}, u8("KorvanelName"), u8("Xyz"));
    commands::Setup& setup = oeffnen();
    EXPECT_EQ(setup.ListeNamen->currentRow(), -1);
    setup.ListeNamen->setCurrentRow(0);
    EXPECT_EQ(platform::checkBoxValue(*setup.StrgAuswahl), 0);

    setup.StrgAuswahl->click();
    EXPECT_EQ(platform::checkBoxValue(*setup.StrgAuswahl), 1);
    EXPECT_EQ(setup.ListeNamen->currentRow(), -1);
    setup.befOk_Click();
    EXPECT_EQ(programm("KorvanelName"), u8("Xyz"));
    EXPECT_EQ(foundation::IniLesen({}, {}, QString::fromUtf8("AuswahlÖffnen")), u8("1"));
}

TEST_F(SetupTest, theCloseBoxAndADoubleClickStoreAsOkDoes_escapeDoesNothing)
{
    commands::Setup& setup = oeffnen();
    setup.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&setup, &escape);
    EXPECT_TRUE(setup.isVisible());
    EXPECT_EQ(programm("Autosave"), u8("(fehlt)"));

    setup.SliderAutoSave->setValue(12);
    setup.close();
    EXPECT_FALSE(setup.isVisible());
    EXPECT_FALSE(setup.isUnloaded());
    EXPECT_EQ(programm("Autosave"), u8("12"));

    commands::Setup& wieder = oeffnen();
    wieder.show();
    wieder.SliderAutoSave->setValue(20);
    wieder.ListeNamen->setCurrentRow(0);
    wieder.ListeNamen_DblClick();
    EXPECT_FALSE(wieder.isVisible());
    EXPECT_EQ(programm("Autosave"), u8("20"));
    EXPECT_EQ(programm("KorvanelName"), u8("Abc"));
}

TEST_F(SetupTest, ctrlF1OpensTheSpecialSettings_ctrlShiftF1DoesNot)
{
    struct Fall {
        const char* name;
        Qt::KeyboardModifiers umschalt;
        bool oeffnet;
    };
    const Fall faelle[] = {
        {"Ctrl+F1", Qt::ControlModifier, true},
        {"Ctrl+Shift+F1", Qt::ControlModifier | Qt::ShiftModifier, false},
        {"F1", Qt::NoModifier, false},
        {"Alt+Ctrl+F1", Qt::ControlModifier | Qt::AltModifier, false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        commands::Setup& setup = oeffnen();
        const std::size_t vorher = dialogs.calls().size();
        if (fall.oeffnet) {
            dialogs.expectMsgBox(platform::vbOK, u8("spezialle Einstellungen"));
            dialogs.expectInputBox(std::nullopt);
        }
        QKeyEvent loslassen(QEvent::KeyRelease, Qt::Key_F1, fall.umschalt);
        QCoreApplication::sendEvent(setup.txtBezugD, &loslassen);
        EXPECT_EQ(dialogs.calls().size() - vorher, fall.oeffnet ? 2U : 0U);
    }
}

TEST_F(SetupTest, clearingRecentDiariesEmptiesAndHidesAllButTheFirst)
{
    for (int n = 0; n < 4; ++n) {
        foundation::IniSchreiben({}, {}, u8("MnuZuletzt") + QString::number(n), u8("&1 Buch - Abc"));
        host.zuletztSichtbar.at(static_cast<std::size_t>(n)) = true;
    }
    commands::Setup& setup = oeffnen();
    dialogs.expectMsgBox(platform::vbOK, u8("Die Liste der zuletzt benutzten Korvanele wurde gelöscht."));
    setup.befDelZuletzt->click();
    EXPECT_EQ(programm("MnuZuletzt0"), u8("&1 Buch - Abc"));
    for (const char* schluessel : {"MnuZuletzt1", "MnuZuletzt2", "MnuZuletzt3"})
        EXPECT_EQ(programm(schluessel), QString()) << schluessel;
    EXPECT_EQ(host.zuletztSichtbar, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(dialogs.calls().back().icon, platform::vbInformation);
}

TEST_F(SetupTest, backColourIsStoredAtOnceAsColourNumber_alsoWhenCancelled)
{
    commands::Setup& setup = oeffnen();
    const QColor vorher = main.textPalette().color(QPalette::Base);
    dialogs.expectColor(QColor(255, 153, 51));
    setup.befBackColor->click();
    EXPECT_EQ(dialogs.calls().back().startColor, vorher);
    EXPECT_EQ(lokal("SchriftBackCol"), u8("3381759"));
    EXPECT_EQ(main.textPalette().color(QPalette::Base), QColor(255, 153, 51));

    dialogs.expectColor(std::nullopt);
    setup.befBackColor->click();
    EXPECT_EQ(lokal("SchriftBackCol"), u8("3381759"));
    EXPECT_EQ(foundation::farbeAusText(lokal("SchriftBackCol")), QColor(255, 153, 51));
}

TEST_F(SetupTest, backgroundPictureIsShownAtOnceButStoredOnlyByOk)
{
    const QString bild = foundation::ordnerDat + u8("/bilder/wiese.png");
    datenordner.write(u8("bilder/wiese.png"), "kein echtes Bild");
    commands::Setup& setup = oeffnen();

    dialogs.expectOpenFile(bild, 0, u8("Hintergrundbild wählen"));
    setup.befBackPic->click();
    EXPECT_EQ(dialogs.calls().back().filter, u8("Bilder|") + foundation::bildMuster() + u8("|"));
    EXPECT_EQ(dialogs.calls().back().start, foundation::ordnerDat);
    EXPECT_EQ(setup.txtBackPic->text(), bild);
    EXPECT_EQ(bilder, QStringList{bild});
    EXPECT_EQ(lokal("Hintergrundbild"), u8("(fehlt)"));

    // A path that is gone is kept, its picture hidden; the chooser starts at the old one.
    const QString weg = foundation::ordnerDat + u8("/bilder/weg.emf");
    dialogs.expectOpenFile(weg);
    setup.befBackPic->click();
    EXPECT_EQ(dialogs.calls().back().start, bild);
    EXPECT_EQ(bilder.back(), QString());
    dialogs.expectOpenFile(std::nullopt);
    setup.befBackPic->click();
    EXPECT_EQ(setup.txtBackPic->text(), weg);
    setup.befOk_Click();
    EXPECT_EQ(lokal("Hintergrundbild"), weg);
}

TEST_F(SetupTest, pictureTypesAreOneListForDropDayPictureAndBackground)
{
    struct Fall {
        const char* datei;
        bool bild;
    };
    const Fall faelle[] = {
        {"a.bmp", true}, {"a.ico", true}, {"a.rle", true}, {"a.wmf", true}, {"a.emf", true},
        {"a.gif", true}, {"a.jpg", true}, {"a.JPEG", true}, {"a.png", true}, {"a.txt", false},
        {"a.svg", false}, {"png", false}, {"a.png.txt", false},
    };
    const QString muster = foundation::bildMuster();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datei);
        EXPECT_EQ(mainwindow::istBilddatei(u8(fall.datei)), fall.bild);
        const QString endung = u8(fall.datei).section(u'.', -1).toLower();
        const bool imFilter = u8(fall.datei).contains(u'.')
                              && muster.split(u';').contains(u8("*.") + endung);
        EXPECT_EQ(imFilter, fall.bild);
    }
}

TEST_F(SetupTest, fontAndColourAreSetAndStoredAtOnce_alsoWhenTheChooserIsCancelled)
{
    QFont start(u8("Liberation Sans"));
    start.setPointSize(10);
    main.textBox().setFont(start);
    commands::Setup& setup = oeffnen();

    QFont gewaehlt(u8("Liberation Serif"));
    gewaehlt.setPointSize(14);
    gewaehlt.setBold(true);
    gewaehlt.setUnderline(true);
    dialogs.expectFont(platform::FontChoice{gewaehlt, QColor(0, 0, 255)});
    setup.befSchrift->click();
    const FakeDialogs::Call& frage = dialogs.calls().back();
    EXPECT_EQ(frage.kind, FakeDialogs::Kind::Font);
    EXPECT_EQ(frage.startFont.font.family(), u8("Liberation Sans"));
    EXPECT_EQ(frage.minSize, 4);
    EXPECT_EQ(frage.maxSize, 25);
    EXPECT_EQ(lokal("Schrift"), u8("Liberation Serif; 14;-1;0;-1;16711680;"));
    EXPECT_EQ(main.textFont().family(), u8("Liberation Serif"));
    // Nothing else was stored by the button.
    EXPECT_EQ(lokal("BezugText"), u8("(fehlt)"));

    main.textBox().setFont(start);
    dialogs.expectFont(std::nullopt);
    setup.befSchrift->click();
    EXPECT_EQ(lokal("Schrift"), u8("Liberation Sans; 10;0;0;0;16711680;"));
}

TEST_F(SetupTest, wordProcessorChooserTakesOnlyAnExecutableFile)
{
    const QString programmPfad = folders.temp().file(u8("bin/schreiber"));
    folders.temp().write(u8("bin/schreiber"), "#!/bin/sh\n");
    QFile::setPermissions(programmPfad, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folders.temp().write(u8("bin/brief.odt"), "kein Programm");
    foundation::IniSchreiben({}, u8("Verknüpfung"), u8("Doc"), folders.temp().file(u8("bin/brief.odt")));
    commands::Setup& setup = oeffnen();

    dialogs.expectOpenFile(folders.temp().file(u8("bin/brief.odt")));
    dialogs.expectMsgBox(platform::vbOK, u8("kein ausführbares Programm"));
    setup.befTVanmelden->click();
    EXPECT_EQ(dialogs.calls()[0].filter, u8("Programme|*"));
    EXPECT_EQ(dialogs.calls()[0].start, folders.temp().file(u8("bin/brief.odt")));
    EXPECT_EQ(programm("PrgExe", "Textverarbeitung"), u8("(fehlt)"));

    dialogs.expectOpenFile(programmPfad);
    setup.befTVanmelden->click();
    EXPECT_EQ(programm("PrgExe", "Textverarbeitung"), programmPfad);

    dialogs.expectOpenFile(std::nullopt);
    setup.befTVanmelden->click();
    EXPECT_EQ(dialogs.calls().back().start, programmPfad);
    EXPECT_EQ(programm("PrgExe", "Textverarbeitung"), programmPfad);
}

TEST_F(SetupTest, okHandsTheMainWindowsOwnSettingsBack)
{
    mainwindow::fontAutoSize = 0;
    commands::Setup& setup = oeffnen();
    // The scroll bar stands at its minimum while the box is unticked; ticking moves it to the middle.
    EXPECT_EQ(setup.laufFontAutoSize->value(), setup.laufFontAutoSize->minimum());
    setup.strgFontAutoSize->click();
    EXPECT_TRUE(setup.laufFontAutoSize->isEnabled());
    const int mitte = (setup.laufFontAutoSize->minimum() + setup.laufFontAutoSize->maximum()) / 2;
    EXPECT_EQ(setup.laufFontAutoSize->value(), mitte);
    setup.strgAutoformat->click();
    setup.strgStimmung->click();
    setup.befOk_Click();
    EXPECT_EQ(mainwindow::fontAutoSize, mitte);
    EXPECT_EQ(store::autoFormat, 1);
    EXPECT_FALSE(stimmung);

    commands::Setup& wieder = oeffnen();
    EXPECT_EQ(wieder.laufFontAutoSize->value(), mitte);
    wieder.strgFontAutoSize->click(); // unticked
    wieder.befOk_Click();
    EXPECT_EQ(mainwindow::fontAutoSize, 0);
}

TEST_F(SetupTest, theCheckBoxesStoreTheirValue_greyAsTwo)
{
    commands::Setup& setup = oeffnen();
    platform::setCheckBoxValue(*setup.strgKWmemo, 2);
    platform::setCheckBoxValue(*setup.strgDrDrCls, 1);
    platform::setCheckBoxValue(*setup.strgDblClickIgn, 0);
    platform::setCheckBoxValue(*setup.strgMin2Tray, 2);
    platform::setCheckBoxValue(*setup.StrgWordButtons, 1);
    setup.befOk_Click();
    EXPECT_EQ(programm("KWMemoImRam"), u8("2"));
    EXPECT_EQ(programm("DragDropCls"), u8("1"));
    EXPECT_EQ(programm("DblClickIgn"), u8("0"));
    EXPECT_EQ(programm("Min2Tray"), u8("2"));
    EXPECT_EQ(programm("WordButtons"), u8("1"));
}

} // namespace
