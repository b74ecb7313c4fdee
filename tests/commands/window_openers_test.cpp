#include "commands_fixture.h"

#include "commands/window_openers.h"
#include "foundation/ini_store.h"
#include "platform/form.h"
#include "platform/sound.h"
#include "platform/text_box.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>

#include <functional>

namespace {

// A window that stands in for the real ones: the controls the opener presets or reads, and a
// record of what happened to it. Shown, it runs its script and closes itself, as a user would.
class StandIn : public platform::Form {
public:
    StandIn(QWidget* besitzer, const QString& name, QStringList& ablauf)
        : platform::Form(besitzer), ablauf_(ablauf)
    {
        setObjectName(name);
        setWindowTitle(name);
        Text = new platform::TextBox(this);
        Text->setObjectName(u8("Text"));
        Liste = new QListWidget(this);
        Liste->setObjectName(u8("Liste"));
        Liste->addItem(u8("von früher"));
        SysInfo = new QListWidget(this);
        SysInfo->setObjectName(u8("SysInfo"));
        txtFilter = new QComboBox(this);
        txtFilter->setObjectName(u8("txtFilter"));
        txtFilter->setEditable(true);
        TimerInit = new QTimer(this);
        TimerInit->setObjectName(u8("TimerInit"));
        TimerInit->setInterval(60000);
    }

    platform::TextBox* Text;
    QListWidget* Liste;
    QListWidget* SysInfo;
    QComboBox* txtFilter;
    QTimer* TimerInit;
    // Runs while the window is shown, before it closes itself.
    std::function<void(StandIn&)> beimZeigen;
    // What the window saw when it was shown.
    QString statusBeimZeigen;
    int ungesichertBeimZeigen = -1;

protected:
    void showEvent(QShowEvent* event) override
    {
        platform::Form::showEvent(event);
        statusBeimZeigen = platform::mainPort()->panelText(u8("Status"));
        ungesichertBeimZeigen = store::ungesichert;
        ablauf_.append(u8("gezeigt ") + name());
        QTimer::singleShot(0, this, [this] {
            if (beimZeigen)
                beimZeigen(*this);
            hide();
        });
    }
    void Form_Unload(bool&) override { ablauf_.append(u8("entladen ") + name()); }

private:
    QStringList& ablauf_;
};

class WindowOpeners : public CommandsTest {
protected:
    WindowOpeners()
    {
        commands::resetFensterOeffner();
        zeigeTag(u8("05.03.2024"));
        commands::setHauptfenster({
            .TagWechseln =
                [this] {
                    ablauf.append(u8("TagWechseln"));
                    store::EintragSpeichern();
                },
            .KorvanelUmgebung = {},
            .VorgabenSichern = [this] { ablauf.append(u8("VorgabenSichern")); },
            .VorgabenLaden = [this] { ablauf.append(u8("VorgabenLaden")); },
            .Anordnen = [this] { ablauf.append(u8("Anordnen")); },
            .Beenden = [this] { ablauf.append(u8("Beenden")); },
        });
        for (const commands::FensterZeile& zeile : commands::fensterZeilen())
            anschliessen(zeile.fenster);
    }
    ~WindowOpeners() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands::resetFensterOeffner();
    }

    void anschliessen(const QString& name)
    {
        commands::fensterAnschliessen(name, {.laden = [this, name](QWidget* besitzer) {
                                           ablauf.append(u8("geladen ") + name);
                                           auto* fenster = new StandIn(besitzer, name, ablauf);
                                           fenster->beimZeigen = skript;
                                           letztes = fenster;
                                           return fenster;
                                       }});
    }

    // An unsaved entry of the shown day.
    void ungesichert(const QString& text)
    {
        host.text = text;
        store::ungesichert = 1;
    }

    bool oeffnen(const char* befehl) { return commands::fensterOeffnen(u8(befehl)); }

    QStringList ablauf;
    std::function<void(StandIn&)> skript;
    QPointer<StandIn> letztes;
};

// Every row: its window, the status text while it is open, the save before it, and whether it
// stays loaded. Each row is run twice, so that a kept window shows up again without a new load.
TEST_F(WindowOpeners, eachRowSavesShowsAndUnloadsAsItsTableSays)
{
    enum Sichern { Nein, Eintrag, TagWechseln };
    struct Fall {
        const char* befehl;
        const char* fenster;
        const char* status; // "" none
        Sichern sichern;
        bool bleibt;       // kept loaded after it closed
        bool neuGeladen;   // a loaded one is unloaded before the next opening
    };
    const Fall faelle[] = {
        {"mnuDayInf", "Tagesinfos", "Tagesinformationen", Eintrag, false, false},
        {"mnuErsetzen", "Ersetzen", "Ersetzen...", Eintrag, true, false},
        {"mnuImport", "Import", "Importieren...", Eintrag, false, false},
        {"mnuLesezeichen", "Lesezeichen", "Lesezeichen...", Nein, false, false},
        {"mnuSuchen", "Suchen", "Suchen...", Eintrag, true, false},
        {"mnuTagesliste", "Tagesliste", "Tagesliste...", TagWechseln, false, false},
        {"PulDrucken", "Druck", "Drucken...", Eintrag, false, false},
        {"PulSetup", "Setup", "Einstellungen...", Nein, false, false},
        {"PulStatistik", "Statist", "Statistik...", Eintrag, false, false},
        {"mnuSuchenWeiter", "Suchen", "", Eintrag, true, false},
        {"mnuZeitleiste", "Zeitleiste", "", Nein, true, true},
        {"mnuTips", "Tips", "", Nein, false, false},
        {"PulInfo", "Info", "", Nein, false, false},
        {"mnuDatenOrdner", "DatenOrdner", "", Eintrag, false, false},
        {"mnuHlpWeb", "VersionsPrüfung", "", Nein, true, true},
    };
    // The statistics count entries: the diary has one on another day.
    schreiben(u8("2024/20240301.TXT"), "Früher.");
    EXPECT_EQ(commands::fensterZeilen().size(), std::size(faelle) + 1); // + the planner's

    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.befehl);
        const QString fenster = u8(fall.fenster);
        // Rows that share a window start without it.
        if (platform::FormCore* alt = platform::findForm(fenster))
            alt->unload();
        for (int runde = 0; runde < 2; ++runde) {
            SCOPED_TRACE(runde);
            ablauf.clear();
            main.setPanelText(u8("Status"), u8("vorher"));
            QFile::remove(foundation::ordnerDat + u8("/2024/20240305.TXT"));
            ungesichert(u8("Heute."));

            EXPECT_TRUE(oeffnen(fall.befehl));

            QStringList erwartet;
            if (fall.sichern == TagWechseln)
                erwartet << u8("TagWechseln");
            const bool warGeladen = runde == 1 && fall.bleibt;
            if (warGeladen && fall.neuGeladen)
                erwartet << u8("entladen ") + fenster;
            if (!warGeladen || fall.neuGeladen)
                erwartet << u8("geladen ") + fenster;
            erwartet << u8("gezeigt ") + fenster;
            if (fall.befehl == std::string("PulSetup"))
                erwartet << u8("VorgabenSichern") << u8("VorgabenLaden");
            if (!fall.bleibt)
                erwartet << u8("entladen ") + fenster;
            if (fall.befehl == std::string("PulSetup"))
                erwartet << u8("Anordnen");
            EXPECT_EQ(ablauf, erwartet);

            ASSERT_TRUE(letztes);
            const bool gesichert = fall.sichern != Nein;
            EXPECT_EQ(letztes->ungesichertBeimZeigen, gesichert ? 0 : 1);
            EXPECT_EQ(vorhanden(u8("2024/20240305.TXT")), gesichert);
            const bool mitStatus = *fall.status != 0;
            EXPECT_EQ(letztes->statusBeimZeigen, mitStatus ? u8(fall.status) : u8("vorher"));
            EXPECT_EQ(main.panelText(u8("Status")), mitStatus ? u8("Bereit") : u8("vorher"));
            EXPECT_EQ(platform::findForm(fenster) != nullptr, fall.bleibt);
        }
    }
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(fehler.isEmpty()) << fehler.join(u'\n').toStdString();
}

TEST_F(WindowOpeners, aRowWithoutItsWindowDoesNothingAndOtherEntriesHaveNoRow)
{
    commands::fensterAnschliessen(u8("Tagesinfos"), {});
    ungesichert(u8("Bleibt ungesichert."));
    EXPECT_FALSE(oeffnen("mnuDayInf"));
    EXPECT_FALSE(oeffnen("PulLaden"));
    EXPECT_EQ(store::ungesichert, 1);
    EXPECT_FALSE(vorhanden(u8("2024/20240305.TXT")));
    EXPECT_TRUE(ablauf.isEmpty());
    // Names in any case.
    EXPECT_TRUE(oeffnen("MNUTIPS"));
    EXPECT_EQ(ablauf, (QStringList{u8("geladen Tips"), u8("gezeigt Tips"), u8("entladen Tips")}));
}

TEST_F(WindowOpeners, presetsReachTheWindowsControlsBeforeItShows)
{
    store::korvanelKuerzel = u8("txt");
    schreiben(u8("Info.Txt"), "Mein Tagebuch\r\n");
    QStringList gesehen;
    skript = [&](StandIn& fenster) {
        QStringList liste;
        for (int i = 0; i < fenster.Liste->count(); ++i)
            liste << fenster.Liste->item(i)->text();
        QStringList info;
        for (int i = 0; i < fenster.SysInfo->count(); ++i)
            info << fenster.SysInfo->item(i)->text();
        QStringList filter;
        for (int i = 0; i < fenster.txtFilter->count(); ++i)
            filter << u'[' + fenster.txtFilter->itemText(i) + u']';
        gesehen << fenster.name() + u8(": Liste=") + liste.join(u'|') + u8(" TimerInit=")
                       + (fenster.TimerInit->isActive() ? u8("an") : u8("aus")) + u8(" SysInfo=")
                       + info.join(u'|') + u8(" txtFilter=") + filter.join(QString())
                       + u8(" Text=") + fenster.txtFilter->currentText() + u8(" Titel=")
                       + fenster.windowTitle();
    };
    foundation::IniSchreiben({}, u8("Zindor"), u8("ordnerDat"), datenordner.path());
    schreiben(u8("Zindor.pld"), "aktuell");

    EXPECT_TRUE(oeffnen("mnuTagesliste"));
    EXPECT_TRUE(oeffnen("PulInfo"));
    EXPECT_TRUE(oeffnen("mnuZindorMeldungen"));
    EXPECT_EQ(gesehen,
              (QStringList{u8("Tagesliste: Liste= TimerInit=an SysInfo= txtFilter= Text= "
                              "Titel=Tagesliste"),
                           u8("Info: Liste=von früher TimerInit=aus SysInfo=Aktuelles Korvanel: "
                              "Mein Tagebuch (Txt) txtFilter= Text= Titel=Info"),
                           u8("Altes: Liste=von früher TimerInit=aus SysInfo= "
                              "txtFilter=[][05.03.2024] Text=05.03.2024 Titel=Altes - Zindor")}));
}

TEST_F(WindowOpeners, searchingOnGoesOnOnlyWithASearchTextAndLogsTheFlag)
{
    restartDebugLog();
    commands::suchenWeiter = 2;
    skript = [](StandIn& fenster) { fenster.Text->setText(u8("Urlaub")); };
    EXPECT_TRUE(oeffnen("mnuSuchen"));
    EXPECT_EQ(commands::suchenWeiter, 0);
    // The window stays loaded with its search text: the next search goes on.
    skript = {};
    letztes->beimZeigen = {};
    EXPECT_TRUE(oeffnen("mnuSuchenWeiter"));
    EXPECT_EQ(commands::suchenWeiter, 1);

    // A fresh search window without a text: the flag stays as the last search left it.
    letztes->unload();
    commands::suchenWeiter = 0;
    EXPECT_TRUE(oeffnen("mnuSuchenWeiter"));
    EXPECT_EQ(commands::suchenWeiter, 0);
    const QByteArray log = lesen(u8("Debug.txt"));
    EXPECT_TRUE(log.contains("Suche.Weitersuchen: 1")) << log.toStdString();
    EXPECT_TRUE(log.contains("Suche.Weitersuchen: 0")) << log.toStdString();
}

TEST_F(WindowOpeners, theSelectionOfTheDayInformationIsInsertedAtTheCaretUnlessReadOnly)
{
    struct Fall {
        const char* name;
        const char* auswahl; // "" none
        bool nurLesen;
        const char* text;
    };
    const Fall faelle[] = {
        {"selection", "52. Woche\r\nDer 1. Tag", false, "Heute 52. Woche\r\nDer 1. Tag war es."},
        {"nothing selected", "", false, "Heute ist war es."},
        {"read-only", "52. Woche", true, "Heute ist war es."},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        foundation::nurLesen = fall.nurLesen;
        main.setText(u8("Heute ist war es."));
        main.setSelStart(6);
        main.setSelLength(3); // "ist"
        store::ungesichert = 0;
        skript = [&fall](StandIn& fenster) {
            fenster.Text->setText(u8("Samstag\r\n\r\n52. Woche\r\nDer 1. Tag im Jahr"));
            const int anfang = fenster.Text->text().indexOf(u8(fall.auswahl));
            fenster.Text->setSelStart(*fall.auswahl ? anfang : 0);
            fenster.Text->setSelLength(static_cast<int>(u8(fall.auswahl).size()));
        };
        EXPECT_TRUE(oeffnen("mnuDayInf"));
        EXPECT_EQ(main.text(), u8(fall.text));
        EXPECT_EQ(store::ungesichert, *fall.auswahl && !fall.nurLesen ? 1 : 0);
        if (*fall.auswahl && !fall.nurLesen) {
            EXPECT_EQ(main.selStart(), 6 + u8(fall.auswahl).size());
        }
    }
}

TEST_F(WindowOpeners, statisticsNeedAnEntry)
{
    ungesichert(QString()); // the only entry emptied: the diary has none
    schreiben(u8("2024/20240305.TXT"), "Wird gelöscht.");
    dialogs.expectMsgBox(platform::vbOK, u8("Eine Statistik ist nur möglich, wenn Sie bereits "
                                             "Text eingegeben haben."));
    EXPECT_TRUE(oeffnen("PulStatistik"));
    EXPECT_TRUE(ablauf.isEmpty());
    EXPECT_FALSE(vorhanden(u8("2024/20240305.TXT"))) << "saved first";
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, u8("Statistik"));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(dialogs.calls()[0].buttons, platform::vbOKOnly);
    EXPECT_EQ(sound.beeps(), (std::vector<int>{platform::beepExclamation}));
    EXPECT_NE(main.panelText(u8("Status")), u8("Statistik..."));

    // Written now, the entry counts.
    ungesichert(u8("Etwas."));
    EXPECT_TRUE(oeffnen("PulStatistik"));
    EXPECT_EQ(ablauf, (QStringList{u8("geladen Statist"), u8("gezeigt Statist"),
                                   u8("entladen Statist")}));
}

TEST_F(WindowOpeners, plannerAppointmentsNeedThePlannersFiles)
{
    struct Fall {
        const char* name;
        QStringList dateien;
        bool ordner;
        bool geoeffnet;
        const char* archiv;
    };
    const Fall faelle[] = {
        {"not registered", {}, false, false, ""},
        {"no files", {}, true, false, ""},
        {"only the current file", {u8("zindor.PLD")}, true, true, ""},
        {"both", {u8("Zindor.pld"), u8("Zindor.old")}, true, true, "/Zindor/Zindor.old"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        ablauf.clear();
        folders.temp().makeFolder(u8("Zindor"));
        for (const char* name : {"zindor.PLD", "Zindor.pld", "Zindor.old"})
            QFile::remove(folders.temp().file(u8("Zindor/") + u8(name)));
        for (const QString& datei : fall.dateien)
            folders.temp().write(u8("Zindor/") + datei, "x");
        foundation::IniSchreiben({}, u8("Zindor"), u8("ordnerDat"),
                                 fall.ordner ? folders.temp().file(u8("Zindor")) + u8("/")
                                             : QString());
        commands::zindorArchivDatei = u8("alt");
        if (!fall.geoeffnet)
            dialogs.expectMsgBox(platform::vbOK,
                                  u8("Der Brisols-Zindor scheint nicht installiert zu sein."));

        EXPECT_TRUE(oeffnen("mnuZindorMeldungen"));

        if (fall.geoeffnet) {
            EXPECT_EQ(ablauf, (QStringList{u8("geladen Altes"), u8("gezeigt Altes"),
                                           u8("entladen Altes")}));
            EXPECT_EQ(commands::zindorArchivDatei,
                      *fall.archiv ? folders.temp().path() + u8(fall.archiv) : QString());
        } else {
            EXPECT_TRUE(ablauf.isEmpty());
            const FakeDialogs::Call& meldung = dialogs.calls().back();
            EXPECT_EQ(meldung.title, u8("Zindor-Termine"));
            EXPECT_TRUE(meldung.helpButton);
            EXPECT_EQ(meldung.help.context, 240);
            EXPECT_EQ(commands::zindorArchivDatei, u8("alt"));
        }
    }
}

TEST_F(WindowOpeners, anUpdateThatAsksToEndEndsTheProgramAfterItsWindow)
{
    EXPECT_TRUE(oeffnen("mnuHlpWeb"));
    EXPECT_FALSE(ablauf.contains(u8("Beenden")));

    commands::updateBeenden = true; // left from before: each check decides anew
    EXPECT_TRUE(oeffnen("mnuHlpWeb"));
    EXPECT_FALSE(ablauf.contains(u8("Beenden")));

    ablauf.clear();
    skript = [](StandIn&) { commands::updateBeenden = true; };
    EXPECT_TRUE(oeffnen("mnuHlpWeb"));
    EXPECT_EQ(ablauf, (QStringList{u8("entladen VersionsPrüfung"), u8("geladen VersionsPrüfung"),
                                   u8("gezeigt VersionsPrüfung"), u8("Beenden")}));
}

TEST_F(WindowOpeners, aWindowsOwnHooksRunAroundTheRowsSteps)
{
    commands::fensterAnschliessen(
        u8("Druck"),
        {.laden = [this](QWidget* besitzer) { return new StandIn(besitzer, u8("Druck"), ablauf); },
         .vorbelegen = [this](platform::Form&) { ablauf.append(u8("vorbelegt")); },
         .uebernehmen = [this](platform::Form&) { ablauf.append(u8("übernommen")); }});
    EXPECT_TRUE(oeffnen("PulDrucken"));
    EXPECT_EQ(ablauf, (QStringList{u8("vorbelegt"), u8("gezeigt Druck"), u8("übernommen"),
                                   u8("entladen Druck")}));

    // A window unloaded while it is shown is neither read nor unloaded again.
    ablauf.clear();
    commands::fensterAnschliessen(
        u8("Druck"), {.laden =
                          [this](QWidget* besitzer) {
                              auto* fenster = new StandIn(besitzer, u8("Druck"), ablauf);
                              fenster->beimZeigen = [](StandIn& f) { f.unload(); };
                              return fenster;
                          },
                      .vorbelegen = {},
                      .uebernehmen = [this](platform::Form&) { ablauf.append(u8("übernommen")); }});
    EXPECT_TRUE(oeffnen("PulDrucken"));
    EXPECT_EQ(ablauf, (QStringList{u8("gezeigt Druck"), u8("entladen Druck")}));
    EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
}

} // namespace
