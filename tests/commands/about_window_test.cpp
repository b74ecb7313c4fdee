#include "commands_fixture.h"

#include "commands/about_window.h"
#include "commands/window_openers.h"
#include "foundation/debug_log.h"
#include "foundation/ini_store.h"
#include "foundation/product_info.h"
#include "foundation/user_identity.h"
#include "foundation/version.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "support/fake_clock.h"
#include "support/fake_screen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>

#include <memory>
#include <optional>

namespace {

class AboutWindowTest : public CommandsTest {
protected:
    AboutWindowTest()
    {
        foundation::setVersionFuerTests(7, 3, 12);
        foundation::VersionText();
        commands::setHauptfenster({.Bewegen = [this](const platform::TwipsGeometry& twips) {
            bewegt = twips;
        }});
    }
    ~AboutWindowTest() override
    {
        fenster.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands::setHauptfenster({});
        commands::resetFensterOeffner();
        foundation::resetVersion();
    }

    commands::Info& oeffnen()
    {
        fenster = std::make_unique<commands::Info>();
        return *fenster;
    }
    QStringList zeilen() const
    {
        QStringList liste;
        for (int i = 0; i < fenster->SysInfo->count(); ++i)
            liste.append(fenster->SysInfo->item(i)->text());
        return liste;
    }
    void doppelklick(const QString& beginn)
    {
        for (int i = 0; i < fenster->SysInfo->count(); ++i) {
            if (fenster->SysInfo->item(i)->text().startsWith(beginn)) {
                fenster->SysInfo->setCurrentRow(i);
                fenster->SysInfo_DblClick();
                return;
            }
        }
        ADD_FAILURE() << "no line " << beginn.toStdString();
    }

    InstalledFake<FakeClock> uhr{platform::setClock, rt::dateTimeOf(2026, 12, 11, 12, 0)};
    InstalledFake<FakeScreen> bildschirm{platform::setScreen};
    std::unique_ptr<commands::Info> fenster;
    std::optional<platform::TwipsGeometry> bewegt;
};

TEST_F(AboutWindowTest, captionAndLinesInOrder_memoFilesOfBothFolders_pathsAsSpelled)
{
    // The folders keep their spelling (a proper-cased path names another folder here).
    QFile::remove(folders.settingsFolder() + u8("/Brisol.ini"));
    folders.writeSettingsFile(u8("brisol.ini"), "[Korvanel]\r\n");
    datenordner.write(u8("Korvanel_Memo.txt"), "x");
    datenordner.write(u8("$Memo.ini"), "x");
    datenordner.write(u8("Korvanel_Memo"), "ohne Endung");
    datenordner.write(u8("Anderes_Memo.txt"), "x");
    folders.temp().write(u8("program/korvanel_memo.md"), "x");
    folders.temp().write(u8("program/$memo.TXT"), "x");

    commands::Info& info = oeffnen();

    EXPECT_EQ(info.windowTitle(), u8("Infos über Korvanel · Version 7.03.0012"));
    const QFileInfo programm(QCoreApplication::applicationFilePath());
    const QString vom = rt::Format(rt::fromQDateTime(programm.lastModified()), u8("dd.mm.yyyy"));
    const QString dat = foundation::ordnerDat;
    const QString prg = foundation::ordnerPrg;
    const QStringList erwartet = {
        u8("Benutzername\t") + foundation::Benutzername(),
        u8("Programm-Version\t7.03.0012"),
        u8("Programm vom\t") + vom + u8(" (Alter: "),
        u8("Programm-Ordner\t") + prg,
        u8("Daten-Ordner\t") + dat,
        u8("$:Einstellungen\t") + folders.settingsFolder() + u8("/brisol.ini"),
        u8("$:\t") + dat + u8("/Korvanel_Memo"),
        u8("$:\t") + dat + u8("/Korvanel_Memo.txt"),
        u8("$:\t") + prg + u8("/korvanel_memo.md"),
        u8("$:\t") + dat + u8("/$Memo.ini"),
        u8("$:\t") + prg + u8("/$memo.TXT"),
    };
    const QStringList gezeigt = zeilen();
    ASSERT_EQ(gezeigt.size(), erwartet.size()) << gezeigt.join(u'|').toStdString();
    for (qsizetype i = 0; i < erwartet.size(); ++i) {
        if (erwartet[i].startsWith(u8("Programm vom"))) {
            EXPECT_TRUE(gezeigt[i].startsWith(erwartet[i])) << gezeigt[i].toStdString();
            EXPECT_TRUE(gezeigt[i].endsWith(u')'));
        } else {
            EXPECT_EQ(gezeigt[i], erwartet[i]);
        }
    }
    // The maker's line is broken after the maker's name.
    EXPECT_TRUE(info.CopyrightName->text().startsWith(u8("Copyright © ")));
    EXPECT_TRUE(info.CopyrightName->text().contains(u8(" Brisols-Programme\nLindenweg 12, ")))
        << info.CopyrightName->text().toStdString();
    EXPECT_EQ(info.befDebug->toolTip(),
              u8("Infos zum internen Ablauf des Programms - dient der Fehlersuche"));
}

TEST_F(AboutWindowTest, doubleClickOpensAnExistingFileLine_elseShowsTheLine)
{
    folders.writeSettingsFile(u8("Brisol.ini"), "[Korvanel]\r\n");
    datenordner.write(u8("$Memo.txt"), "x");
    commands::Info& info = oeffnen();
    QFile::remove(foundation::ordnerDat + u8("/$Memo.txt")); // gone since the window opened

    doppelklick(u8("$:Einstellungen"));
    ASSERT_EQ(shell.opened().size(), 1);
    EXPECT_EQ(shell.opened()[0], folders.settingsFolder() + u8("/Brisol.ini"));

    dialogs.expectMsgBox(platform::vbOK, u8("Benutzername\r\n") + foundation::Benutzername());
    doppelklick(u8("Benutzername"));
    dialogs.expectMsgBox(platform::vbOK, u8("$:\r\n") + foundation::ordnerDat + u8("/$Memo.txt"));
    doppelklick(u8("$:\t"));
    ASSERT_EQ(dialogs.calls().size(), 2U);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbInformation);
    EXPECT_EQ(dialogs.calls()[0].title, info.windowTitle());
    EXPECT_EQ(shell.opened().size(), 1);
}

TEST_F(AboutWindowTest, debugButtonSwitchesTheLogOnStartsItAfreshAndOpensIt)
{
    foundation::resetDebugLogbuch();
    foundation::IniSchreiben({}, u8("Allgemein"), u8("DebugMode"), u8("0"));
    datenordner.write(u8("Debug.txt"), "alter Inhalt\r\n");
    commands::Info& info = oeffnen();
    EXPECT_TRUE(info.befDebug->toolTip().contains(foundation::debugDatei));

    info.befDebug->click();

    EXPECT_EQ(foundation::debugModus, 1);
    const QByteArray log = lesen(u8("Debug.txt"));
    EXPECT_FALSE(log.contains("alter Inhalt"));
    EXPECT_FALSE(log.isEmpty());
    EXPECT_EQ(shell.opened(), QStringList{foundation::debugDatei});
}

TEST_F(AboutWindowTest, debugButtonInReadOnlyModeWritesNothing_andTellsAMissingLog)
{
    foundation::resetDebugLogbuch();
    foundation::nurLesen = true;
    commands::Info& info = oeffnen();
    dialogs.expectMsgBox(platform::vbOK, foundation::debugDatei + u8(" nicht gefunden."));
    info.befDebug->click();
    EXPECT_FALSE(vorhanden(u8("Debug.txt")));
    ASSERT_EQ(dialogs.calls().size(), 1U);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbCritical);
    EXPECT_EQ(dialogs.calls()[0].title, u8("Debug"));
    EXPECT_TRUE(shell.opened().isEmpty());
}

TEST_F(AboutWindowTest, sizeCommandSizesAndCentresTheMainWindowOnlyForTwoSizesAbove100)
{
    bildschirm.setPixels(1600, 1200); // 24000 x 18000 twips
    struct Fall {
        const char* antwort; // nullptr: Cancel
        std::optional<platform::TwipsGeometry> erwartet;
    };
    const Fall faelle[] = {
        {"1024x768", platform::TwipsGeometry{4320, 3144, 15360, 11712}},
        {"800X600", platform::TwipsGeometry{6000, 4425, 12000, 9150}},
        {"100x500", std::nullopt},
        {"500x100", std::nullopt},
        {"1024", std::nullopt},
        {"", std::nullopt},
        {nullptr, std::nullopt},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.antwort ? fall.antwort : "(Abbrechen)");
        bewegt.reset();
        commands::Info& info = oeffnen();
        info.show();
        dialogs.expectInputBox(fall.antwort ? std::optional<QString>(u8(fall.antwort)) : std::nullopt,
                               u8("Legen Sie ein neues Format für das Hauptfenster fest."));
        info.Form_KeyPress(u'@');
        EXPECT_EQ(dialogs.calls().back().title, u8("Größe des Hauptfensters"));
        EXPECT_EQ(dialogs.calls().back().defaultText, u8("720x540"));
        EXPECT_EQ(bewegt, fall.erwartet);
        // The window closes once the size was given.
        EXPECT_EQ(info.isVisible(), !fall.erwartet.has_value());
    }
}

TEST_F(AboutWindowTest, aWindowLargerThanTheScreenKeepsItsTitleBarOnIt)
{
    commands::Info& info = oeffnen();
    dialogs.expectInputBox(u8("1024x768"));
    info.HauptfensterGroesse(); // the fake screen: 1024 x 768 pixels, 15360 x 11520 twips
    ASSERT_TRUE(bewegt.has_value());
    EXPECT_EQ(*bewegt, (platform::TwipsGeometry{0, 0, 15360, 11712}));
}

TEST_F(AboutWindowTest, escapeEnterAndBlankCloseTheWindowWhereverTheFocusIs)
{
    for (const Qt::Key taste : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(taste);
        commands::Info& info = oeffnen();
        info.show();
        info.SysInfo->setFocus();
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier,
                        taste == Qt::Key_Space ? u8(" ") : QString());
        QCoreApplication::sendEvent(info.SysInfo, &druck);
        EXPECT_FALSE(info.isVisible());
        EXPECT_FALSE(info.isUnloaded()); // the opener unloads it
    }
    commands::Info& info = oeffnen();
    info.show();
    QKeyEvent andere(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, u8("a"));
    QCoreApplication::sendEvent(info.befAbbrechen, &andere);
    EXPECT_TRUE(info.isVisible());
    info.close(); // the close box
    EXPECT_FALSE(info.isVisible());
}

TEST_F(AboutWindowTest, linksMailTheMakerOpenTheWebPageTheTermsAndTheStatistics)
{
    commands::Info& info = oeffnen();

    info.CopyrightEmail_Click();
    ASSERT_EQ(shell.urls().size(), 1U);
    const QUrl mail = shell.urls()[0];
    EXPECT_EQ(mail.scheme(), u8("mailto"));
    EXPECT_EQ(mail.path(), foundation::supportAdresse());
    EXPECT_EQ(QUrlQuery(mail).queryItemValue(u8("subject"), QUrl::FullyDecoded),
              u8("Brisols-Korvanel V7.03.0012"));

    info.CopyrightWww_Click();
    ASSERT_EQ(shell.urls().size(), 2U);
    EXPECT_TRUE(shell.urls()[1].toString().startsWith(foundation::webSeite()));

    info.befLizenz->click();
    ASSERT_FALSE(help.calls().empty());
    EXPECT_EQ(help.calls().back().context, 6001);

    dialogs.expectMsgBox(platform::vbOK);
    info.CopyrightHinweis_DblClick();
    EXPECT_EQ(dialogs.calls().back().title, u8("Korvanel, Anwender-Statistik"));
    EXPECT_EQ(dialogs.calls().back().icon, platform::vbInformation);
}

TEST_F(AboutWindowTest, theMenuOpensItWithTheOpenDiarysLineAndUnloadsIt)
{
    schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
    commands::alleFensterAnschliessen();
    QStringList gesehen;
    QPointer<commands::Info> offen;
    QTimer::singleShot(0, [&] {
        offen = dynamic_cast<commands::Info*>(platform::findForm(u8("Info")));
        ASSERT_TRUE(offen);
        gesehen = [&] {
            QStringList liste;
            for (int i = 0; i < offen->SysInfo->count(); ++i)
                liste.append(offen->SysInfo->item(i)->text());
            return liste;
        }();
        offen->befAbbrechen->click();
    });
    EXPECT_TRUE(commands::fensterOeffnen(u8("PulInfo")));
    ASSERT_FALSE(gesehen.isEmpty());
    EXPECT_EQ(gesehen.back(), u8("Aktuelles Korvanel: Mein Tagebuch (Txt)"));
    EXPECT_EQ(platform::findForm(u8("Info")), nullptr);
}

} // namespace
