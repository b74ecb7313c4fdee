#include "commands_fixture.h"

#include "foundation/ini_store.h"
#include "platform/sound.h"

namespace {

using commands::KorvanelWahl;

class DiaryCommands : public CommandsTest {
protected:
    DiaryCommands()
    {
        zeigeTag(u8("05.03.2024"));
        // The main window's procedures: the change of day saves the entry.
        commands::setHauptfenster({
            .TagWechseln =
                [this] {
                    ablauf.append(u8("TagWechseln"));
                    store::EintragSpeichern();
                },
            .KorvanelUmgebung =
                [this](const QString& datum) {
                    ablauf.append(u8("KorvanelUmgebung ") + store::korvanelKuerzel + u' '
                                  + datum);
                },
        });
    }

    // An unsaved entry of the shown day in the editor.
    void ungesichertesEintrag(const QString& text)
    {
        host.text = text;
        store::ungesichert = 1;
    }

    void auswahlAntwortet(KorvanelWahl wahl)
    {
        commands::setKorvanelAuswahl([this, wahl](const QString& name, const QString& datum) {
            ablauf.append(u8("Auswahl ") + name + u' ' + datum + u8(" gesichert=")
                          + (vorhanden(u8("2024/20240305.TXT")) ? u8("ja") : u8("nein")));
            return wahl;
        });
    }

    QStringList ablauf;
};

TEST_F(DiaryCommands, openingSavesTheEntryFirstAndSwitchesOnlyWhenADiaryWasChosen)
{
    struct Fall {
        KorvanelWahl wahl;
        QString kuerzelDanach;
        QStringList ablauf;
    };
    const Fall faelle[] = {
        {{u8("Rei"), u8("01.01.2024")},
         u8("Rei"),
         {u8("TagWechseln"), u8("Auswahl Txt 05.03.2024 gesichert=ja"),
          u8("KorvanelUmgebung Rei 01.01.2024")}},
        // Cancelled: the entry was saved, nothing else changes.
        {{QString(), u8("05.03.2024")},
         u8("Txt"),
         {u8("TagWechseln"), u8("Auswahl Txt 05.03.2024 gesichert=ja")}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(qPrintable(fall.kuerzelDanach));
        store::korvanelKuerzel = u8("Txt");
        ablauf.clear();
        QFile::remove(foundation::ordnerDat + u8("/2024/20240305.TXT"));
        ungesichertesEintrag(u8("Heute war ein guter Tag."));
        store::verzeichnisStatus = 2;
        auswahlAntwortet(fall.wahl);

        commands::PulLaden_Click();

        EXPECT_EQ(ablauf, fall.ablauf);
        EXPECT_EQ(store::korvanelKuerzel, fall.kuerzelDanach);
        EXPECT_EQ(store::verzeichnisStatus, 0);
        EXPECT_EQ(lesen(u8("2024/20240305.TXT")), QByteArray("Heute war ein guter Tag."));
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(DiaryCommands, reopeningARecentDiaryNeedsItsInfoFile)
{
    schreiben(u8("info.Rei"), "Reisen\r\n");
    // A caption whose last three characters lead into a folder is no diary, file or not.
    schreiben(u8("Info.x/y"), "Falle\r\n");
    struct Fall {
        QString caption;
        QString kuerzelDanach;
        QString meldung; // "" = opened
    };
    const Fall faelle[] = {
        {u8("&2 Reisen - Rei"), u8("Rei"), {}},
        {u8("&3 Altes Buch - Alt"), u8("Txt"),
         u8("Kann das zuletzt benutzte Korvanel »Alt« nicht finden.")},
        {QString(), u8("Txt"), u8("Kann das zuletzt benutzte Korvanel »« nicht finden.")},
        {u8("&4 Falle - x/y"), u8("Txt"),
         u8("Kann das zuletzt benutzte Korvanel »x/y« nicht finden.")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(qPrintable(fall.caption));
        store::korvanelKuerzel = u8("Txt");
        ablauf.clear();
        sound.clear();
        host.zuletzt[1] = fall.caption;
        ungesichertesEintrag(u8("Eintrag ") + fall.caption + u'.');
        if (!fall.meldung.isEmpty())
            dialogs.expectMsgBox(platform::vbOK, fall.meldung);

        commands::mnuZuletzt_Click(1);

        EXPECT_EQ(store::korvanelKuerzel, fall.kuerzelDanach);
        EXPECT_EQ(lesen(u8("2024/20240305.TXT")), (u8("Eintrag ") + fall.caption + u'.').toLatin1());
        if (fall.meldung.isEmpty()) {
            EXPECT_EQ(ablauf, (QStringList{u8("TagWechseln"),
                                           u8("KorvanelUmgebung Rei 05.03.2024")}));
            EXPECT_TRUE(sound.beeps().empty());
        } else {
            EXPECT_EQ(ablauf, QStringList{u8("TagWechseln")});
            EXPECT_EQ(dialogs.calls().back().title, u8("Korvanel nicht gefunden"));
            EXPECT_EQ(dialogs.calls().back().icon, platform::vbExclamation);
            EXPECT_EQ(dialogs.calls().back().buttons, platform::vbOKOnly);
            EXPECT_EQ(sound.beeps(), std::vector<int>{platform::beepHand});
        }
    }
}

TEST_F(DiaryCommands, describingWritesTheAnswerAsTheOneLineOfTheInfoFile)
{
    struct Fall {
        const char* name;
        QByteArray vorher; // "" = no Info file
        std::optional<QString> antwort;
        QString vorschlag;
        QByteArray nachher;
        QString ueberschrift;
    };
    const Fall faelle[] = {
        {"neuer Titel", "Alter Titel\r\nzweite Zeile\r\n", u8("Reisen in Österreich"),
         u8("Alter Titel"), "Reisen in \xd6sterreich\r\n", u8("Reisen in Österreich")},
        {"leere Antwort", "Alter Titel\r\n", u8(""), u8("Alter Titel"), "Alter Titel\r\n",
         u8("Alter Titel")},
        {"Abbrechen ohne Datei", "", std::nullopt, u8("Txt"), "Txt\r\n", u8("Txt")},
        {"Zeilenumbruch", "", u8("Erste\r\nZweite\nDritte"), u8("Txt"),
         "Erste Zweite Dritte\r\n", u8("Erste Zweite Dritte")},
        {"nicht Windows-1252", "", u8("Tagebuch \u20ac \u0141\u00f3d\u017a"), u8("Txt"),
         "\xef\xbb\xbfTagebuch \xe2\x82\xac \xc5\x81\xc3\xb3" "d\xc5\xba\r\n",
         u8("Tagebuch \u20ac \u0141\u00f3d\u017a")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        QFile::remove(foundation::ordnerDat + u8("/Info.Txt"));
        if (!fall.vorher.isEmpty())
            schreiben(u8("Info.Txt"), fall.vorher);
        store::korvanelKuerzel = u8("TXT");
        dialogs.expectInputBox(fall.antwort,
                               u8("Geben Sie bitte eine Beschreibung zum Korvanel »Txt« ein."));

        commands::PulBeschreiben_Click();

        EXPECT_EQ(dialogs.calls().back().title, u8("Beschreibung"));
        EXPECT_EQ(dialogs.calls().back().defaultText, fall.vorschlag);
        EXPECT_EQ(lesen(u8("Info.Txt")), fall.nachher);
        EXPECT_EQ(host.caption, fall.ueberschrift);
    }
}

TEST_F(DiaryCommands, theDescriptionReplacesAnInfoFileSpelledInAnotherCase)
{
    schreiben(u8("INFO.TXT"), "Alt\r\n");
    dialogs.expectInputBox(u8("Neu"));
    commands::PulBeschreiben_Click();
    EXPECT_EQ(lesen(u8("INFO.TXT")), QByteArray("Neu\r\n"));
    EXPECT_EQ(QDir(foundation::ordnerDat).entryList(QDir::Files), QStringList{u8("INFO.TXT")});
}

TEST_F(DiaryCommands, readOnlyModeWritesNothingAndDisablesThePasswordChange)
{
    schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
    schreiben(u8("2024/20240305.Txt"), "Eintrag");
    schreiben(u8("LeseZeic.Txt"), "x");
    EXPECT_TRUE(commands::PulDatei_Oeffnen().empty());
    foundation::nurLesen = true;
    const auto vorher = datenordnerInhalt();
    ungesichertesEintrag(u8("geändert"));

    commands::PulBeschreiben_Click();
    commands::mnuKvLöschen_Click();
    commands::PulKennwortschutz_Click();
    commands::mnuEintragSichern_Click();

    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_FALSE(QDir(folders.dataHome() + u8("/Trash")).exists());
    EXPECT_EQ(commands::PulDatei_Oeffnen(),
              (std::vector<commands::Freigabe>{{u8("PulKennwortschutz"), false}}));
}

class DeleteDiary : public DiaryCommands {
protected:
    DeleteDiary()
    {
        schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
        schreiben(u8("LeseZeic.Txt"), "Lesezeichen");
        schreiben(u8("2023/20231231.Txt"), "Silvester");
        schreiben(u8("2024/20240305.TXT"), "Heute");
        schreiben(u8("2024/20240306.txt"), "Morgen");
        schreiben(u8("2024/20240230.Txt"), "kein Tag, aber eine Datei des Buchs");
        // Not this diary's day files: they stay.
        schreiben(u8("2024/20240305.Rei"), "anderes Buch");
        schreiben(u8("2024/Notiz.Txt"), "keine Tagesdatei");
        schreiben(u8("Info.Rei"), "Reisen\r\n");
        schreiben(u8("Marker_Txt.ini"), "[Marker]\r\n05.03.2024=1\r\n");
        auswahlAntwortet({});
    }

    const QStringList buchDateien{u8("Info.Txt"),          u8("LeseZeic.Txt"),
                                  u8("2023/20231231.Txt"), u8("2024/20240305.TXT"),
                                  u8("2024/20240306.txt"), u8("2024/20240230.Txt")};
    const QStringList bleibende{u8("2024/20240305.Rei"), u8("2024/Notiz.Txt"), u8("Info.Rei"),
                                u8("Marker_Txt.ini")};
};

TEST_F(DeleteDiary, movesEveryFileOfTheDiaryToTheTrashAndOffersTheChooser)
{
    dialogs.expectMsgBox(platform::vbOK,
                         u8("Soll das gesamte aktuelle Korvanel »Mein Tagebuch« mit dem Kürzel "
                            "»TXT« wirklich gelöscht werden?"));
    ungesichertesEintrag(u8("zuletzt getippt"));

    commands::mnuKvLöschen_Click();

    const FakeDialogs::Call& frage = dialogs.calls().front();
    EXPECT_EQ(frage.title, u8("Korvanel ganz sicher löschen?"));
    EXPECT_EQ(frage.buttons, platform::vbOKCancel);
    EXPECT_EQ(frage.icon, platform::vbCritical);
    EXPECT_EQ(frage.defaultAnswer, platform::vbCancel);
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(sound.beeps(), std::vector<int>{platform::beepQuestion});

    for (const QString& datei : buchDateien) {
        EXPECT_FALSE(vorhanden(datei)) << qPrintable(datei);
        EXPECT_TRUE(QFile::exists(imPapierkorb(QFileInfo(datei).fileName())))
            << qPrintable(datei);
    }
    // The unsaved entry was saved before the list was made, and went with the others.
    EXPECT_EQ(QFile(imPapierkorb(u8("20240305.TXT"))).size(), 15);
    for (const QString& datei : bleibende)
        EXPECT_TRUE(vorhanden(datei)) << qPrintable(datei);

    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
    EXPECT_EQ(pointer.history().front(), platform::vbHourglass);
    EXPECT_EQ(pointer.get(), platform::vbDefault);
    EXPECT_EQ(ablauf, (QStringList{u8("TagWechseln"), u8("TagWechseln"),
                                   u8("Auswahl Txt 05.03.2024 gesichert=nein")}));
    EXPECT_EQ(store::verzeichnisStatus, 0);
}

TEST_F(DeleteDiary, cancellingDeletesNothing)
{
    const auto vorher = datenordnerInhalt();
    dialogs.expectMsgBox(platform::vbCancel);
    commands::mnuKvLöschen_Click();
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(ablauf.isEmpty());
}

TEST_F(DeleteDiary, filesTheTrashDidNotTakeAreReportedAndStay)
{
    // A file where the trash folder should be: the desktop's trash cannot take anything.
    folders.temp().write(u8("data/Trash"), "kein Ordner");
    folders.temp().makeFolder(u8("arbeit"));
    const QString arbeitsordner = QDir::currentPath();
    QDir::setCurrent(folders.temp().file(u8("arbeit")));
    const auto vorher = datenordnerInhalt();
    dialogs.expectMsgBox(platform::vbOK);
    dialogs.expectMsgBox(platform::vbOK, u8("nicht in den Papierkorb verschoben"));

    commands::mnuKvLöschen_Click();
    QDir::setCurrent(arbeitsordner);

    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_FALSE(folders.temp().exists(u8("arbeit/files")));
    ASSERT_EQ(dialogs.calls().size(), 2u);
    for (const QString& datei : buchDateien)
        EXPECT_TRUE(dialogs.calls()[1].text.contains(QFileInfo(datei).fileName()))
            << qPrintable(datei);
    // No second report of the same files, and no word of a deletion.
    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
}

TEST_F(DeleteDiary, aDiaryWithoutAnyFileStillOpensTheChooser)
{
    store::korvanelKuerzel = u8("Neu");
    dialogs.expectMsgBox(platform::vbOK, u8("»« mit dem Kürzel »NEU«"));
    commands::mnuKvLöschen_Click();
    EXPECT_TRUE(commands::korvanelDateien().isEmpty());
    EXPECT_TRUE(ablauf.back().startsWith(u8("Auswahl Neu 05.03.2024")));
    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
}

TEST_F(DiaryCommands, thePasswordChangeNeedsEntries)
{
    int fensterGezeigt = 0;
    commands::setKennwortAendern([&] { ++fensterGezeigt; });
    dialogs.expectMsgBox(platform::vbOK,
                         u8("Ein Kennwortschutz ist nur möglich, wenn bereits Einträge "
                            "vorhanden sind."));
    commands::PulKennwortschutz_Click();
    EXPECT_EQ(fensterGezeigt, 0);
    EXPECT_EQ(dialogs.calls().back().title, u8("Kennwortschutz ändern"));
    EXPECT_TRUE(dialogs.calls().back().helpButton);
    EXPECT_EQ(dialogs.calls().back().help.context, 155);
    EXPECT_TRUE(dialogs.calls().back().help.file.endsWith(u8("/Korvanel.chm")));

    // The entry in the editor is saved first, and so the diary has one.
    ungesichertesEintrag(u8("Erster Eintrag"));
    commands::PulKennwortschutz_Click();
    EXPECT_EQ(fensterGezeigt, 1);
    EXPECT_EQ(lesen(u8("2024/20240305.TXT")), QByteArray("Erster Eintrag"));
}

TEST_F(DiaryCommands, theSecondCopyStartsOnTheShownDate)
{
    folders.temp().write(u8("program/korvanel"), "#!/bin/sh\n");
    const QString programm = folders.temp().file(u8("program/korvanel"));
    foundation::IniSchreiben(QString(), QString(), u8("ExternesBuch"),
                             programm + u8(" /Datum={AKTUELL} /Korvanel=Rei"));
    commands::mnuKorvanelExtern_Click();
    ASSERT_EQ(processes.started().size(), 1u);
    EXPECT_EQ(processes.started()[0],
              (QStringList{programm, u8("/Datum=05.03.2024"), u8("/Korvanel=Rei")}));
    EXPECT_TRUE(fehler.isEmpty());

    // A program that cannot be started is reported with the setting as written.
    processes.setAnswer(false);
    commands::mnuKorvanelExtern_Click();
    EXPECT_EQ(fehler, QStringList{u8("53 Es ist ein Fehler beim Starten von »") + programm
                                  + u8(" /Datum={AKTUELL} /Korvanel=Rei« aufgetreten.")});
    processes.setAnswer(true);

    foundation::IniSchreiben(QString(), QString(), u8("ExternesBuch"), QString());
    commands::mnuKorvanelExtern_Click();
    EXPECT_EQ(processes.started().size(), 2u);
}

TEST_F(DiaryCommands, saveNowAndHide)
{
    ungesichertesEintrag(u8("Jetzt sichern"));
    commands::mnuEintragSichern_Click();
    EXPECT_EQ(lesen(u8("2024/20240305.TXT")), QByteArray("Jetzt sichern"));
    EXPECT_EQ(store::ungesichert, 0);

    commands::mnuScrUnsichtbar_Click();
    EXPECT_TRUE(main.window().windowState() & Qt::WindowMinimized);
}

} // namespace
