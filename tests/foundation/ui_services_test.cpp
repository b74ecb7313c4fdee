#include "foundation/error_dialog.h"
#include "foundation/ui_services.h"
#include "platform/form.h"
#include "runtime/error.h"
#include "support/fake_dialogs.h"
#include "support/fake_help.h"
#include "support/fake_keyboard.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_program_end.h"
#include "support/fake_sound.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using foundation::TonAusgeben;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// ---------------------------------------------------------------------------------------------
// TonAusgeben

class Sounds : public ::testing::Test {
protected:
    Sounds()
    {
        folders.temp().write(s("sounds/Gong.wav"), "RIFF");
        folders.temp().write(s("xdg/Brisols-Programme/win.ini"),
                             "[Sounds]\r\n"
                             "Gong=" + wave().toUtf8() + ",Gong zur vollen Stunde\r\n"
                             "systemhand=" + wave().toUtf8() + "\r\n"
                             "Fehlt=" + folders.temp().file(s("sounds/fehlt.wav")).toUtf8()
                                 + "\r\n");
    }

    ~Sounds() override { foundation::setFehlerBehandlungFuerTests({}); }

    QString wave() const { return folders.temp().file(s("sounds/Gong.wav")); }

    TempSettingsFolders folders;
    FakeSound sound;
    ScopedService<platform::Sound> soundGuard{platform::setSound, &sound};
};

TEST_F(Sounds, fixedNamesBeepAndOtherNamesPlayAnExistingWaveFile)
{
    struct Row {
        const char* name;
        QString sound;
        std::vector<int> beeps;
        QStringList waves;
    };
    const Row rows[] = {
        {"hand", s("#SystemHand"), {platform::beepHand}, {}},
        {"question", s("#SystemQuestion"), {platform::beepQuestion}, {}},
        {"exclamation", s("#SystemExclamation"), {platform::beepExclamation}, {}},
        {"asterisk", s("#SystemAsterisk"), {platform::beepAsterisk}, {}},
        {"ring in", s("#RingIn"), {platform::beepQuestion}, {}},
        {"ring out", s("#RingOut"), {platform::beepExclamation}, {}},
        {"fixed names only in their own case: looked up in win.ini", s("#systemhand"), {},
         {wave()}},
        {"win.ini value cut before its comma", s("#Gong"), {}, {wave()}},
        {"win.ini value naming a missing file", s("#Fehlt"), {}, {}},
        {"name missing in win.ini", s("#Unbekannt"), {}, {}},
        {"a path", wave(), {}, {wave()}},
        {"a missing file", folders.temp().file(s("sounds/fehlt.wav")), {}, {}},
        {"empty", QString(), {}, {}},
        {"only #", s("#"), {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sound.clear();
        TonAusgeben(row.sound);
        foundation::TonAusgebenOhneMeldung(row.sound);
        std::vector<int> beeps = row.beeps;
        beeps.insert(beeps.end(), row.beeps.begin(), row.beeps.end());
        EXPECT_EQ(sound.beeps(), beeps);
        EXPECT_EQ(sound.waves(), row.waves + row.waves);
    }
}

// A sound service whose every call fails with an error of the record.
class FailingSound : public platform::Sound {
public:
    explicit FailingSound(int error) : error_(error) {}
    void beep(int /*type*/) override
    {
        ++calls;
        rt::raiseError(error_);
    }
    bool playWave(const QString& /*path*/) override
    {
        ++calls;
        rt::raiseError(error_);
        return false;
    }
    int calls = 0;

private:
    int error_;
};

TEST_F(Sounds, pathNotFoundEndsSilentlyAndTheCallersErrorStays)
{
    int reports = 0;
    foundation::setFehlerBehandlungFuerTests([&reports](int, const QString&) {
        ++reports;
        return platform::vbIgnore;
    });
    FailingSound failing(rt::ErrPathNotFound);
    ScopedService guard(platform::setSound, &failing);
    rt::raiseError(rt::ErrFileNotFound, s("vom Aufrufer"));
    TonAusgeben(wave());
    TonAusgeben(s("#SystemHand"));
    EXPECT_EQ(failing.calls, 2);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(rt::Err().number, rt::ErrFileNotFound);
    EXPECT_EQ(rt::Err().description, s("vom Aufrufer"));
    rt::clearError();
}

TEST_F(Sounds, aFailureIsReportedOnceAndTheVariantWithoutMessageNeverReports)
{
    struct Report {
        int number;
        QString text;
        int recordNumber;
    };
    std::vector<Report> reports;
    // Like the error dialog, the report plays a sound of its own, which fails as well.
    foundation::setFehlerBehandlungFuerTests([&reports](int number, const QString& text) {
        reports.push_back({number, text, rt::Err().number});
        TonAusgeben(s("#SystemHand"));
        return platform::vbIgnore;
    });
    FailingSound failing(rt::ErrDeviceIO);
    ScopedService guard(platform::setSound, &failing);

    TonAusgeben(s("#Gong"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].number, rt::ErrDeviceIO);
    EXPECT_EQ(reports[0].text, s("Fehler bei Tonausgabe"));
    EXPECT_EQ(reports[0].recordNumber, rt::ErrDeviceIO);
    EXPECT_EQ(failing.calls, 2);
    EXPECT_EQ(rt::Err().number, 0);

    foundation::TonAusgebenOhneMeldung(wave());
    foundation::TonAusgebenOhneMeldung(s("#SystemHand"));
    EXPECT_EQ(failing.calls, 4);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(rt::Err().number, 0);
}

// ---------------------------------------------------------------------------------------------
// HilfeZeigen

TEST(HilfeZeigen, choosesTheHelpCallByEndingAndContext)
{
    using Kind = FakeHelp::Kind;
    const QString chm = s("/opt/korvanel/Korvanel.CHM");
    const QString hlp = s("/opt/korvanel/Korvanel.hlp");
    struct Row {
        const char* name;
        QString file;
        int context;
        bool available;
        std::vector<FakeHelp::Call> calls;
        bool message;
    };
    const Row rows[] = {
        {"chm -1 closes every help window", chm, -1, false, {{Kind::CloseAll, {}, 0}}, false},
        {"chm 0 default topic", chm, 0, true, {{Kind::ShowTopic, chm, 0}}, false},
        {"chm context", chm, 4004, true, {{Kind::ShowTopic, chm, 4004}}, false},
        {"missing chm is left to the viewer", chm, 5, false, {{Kind::ShowTopic, chm, 5}},
         false},
        {"chm below -1", chm, -2, true, {}, false},
        {"hlp -1 quits without looking for the file", hlp, -1, false,
         {{Kind::CloseAll, {}, 0}}, false},
        {"hlp context", hlp, 5, true, {{Kind::ShowTopic, hlp, 5}}, false},
        {"missing hlp", hlp, 5, false, {}, true},
        {"missing hlp, context 0", hlp, 0, false, {}, true},
        {"hlp below -1", hlp, -7, false, {}, false},
        {"other ending", s("/opt/korvanel/Korvanel.html"), 0, true, {}, false},
        {"empty", QString(), 0, true, {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeHelp help;
        help.setAvailable(row.available);
        ScopedService helpGuard(platform::setHelp, &help);
        FakeDialogs dialogs;
        ScopedService dialogsGuard(platform::setDialogs, &dialogs);
        if (row.message)
            dialogs.expectMsgBox(platform::vbOK);

        foundation::HilfeZeigen(row.file, row.context);

        EXPECT_EQ(help.calls(), row.calls);
        if (row.message) {
            ASSERT_EQ(dialogs.calls().size(), 1u);
            EXPECT_EQ(dialogs.calls()[0].text,
                      s("Kann die Hilfe »") + hlp + s("« nicht finden."));
            EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
            EXPECT_EQ(dialogs.calls()[0].buttons, platform::vbOKOnly);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// AltGedrueckt, ShiftGedrueckt, StrgGedrueckt

TEST(ModifierKeys, answerForTheKeysHeldNow)
{
    FakeKeyboard keys;
    ScopedService guard(platform::setKeyboard, &keys);
    struct Row {
        Qt::KeyboardModifiers held;
        bool alt, shift, strg;
    };
    const Row rows[] = {
        {Qt::NoModifier, false, false, false},
        {Qt::AltModifier, true, false, false},
        {Qt::ShiftModifier, false, true, false},
        {Qt::ControlModifier, false, false, true},
        {Qt::ControlModifier | Qt::ShiftModifier, false, true, true},
        {Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, true, true, true},
        {Qt::MetaModifier, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.held));
        keys.hold(row.held);
        EXPECT_EQ(foundation::AltGedrueckt(), row.alt);
        EXPECT_EQ(foundation::ShiftGedrueckt(), row.shift);
        EXPECT_EQ(foundation::StrgGedrueckt(), row.strg);
    }
}

// ---------------------------------------------------------------------------------------------
// SteuerelementeSperren

// A dialog with a long job: buttons, a text box, a menu entry and timers, some of them marked
// to stay usable.
class Druckdialog : public platform::Form {
public:
    Druckdialog()
    {
        setObjectName(s("Drucken"));
        befDrucken = named<QPushButton>(s("befDrucken"));
        befAbbrechen = named<QPushButton>(s("befAbbrechen"));
        platform::setTag(befAbbrechen, s("Abbruch;noDISABLE;"));
        txtDatei = named<QLineEdit>(s("txtDatei"));
        mnuVorschau = new QAction(this);
        mnuVorschau->setObjectName(s("mnuVorschau"));
        zeitFortschritt = timer(s("zeitFortschritt"), 500, true);
        zeitSichern = timer(s("zeitSichern"), 60000, true);
        zeitStart = timer(s("zeitStart"), 100, false);
        zeitAbbruch = timer(s("zeitAbbruch"), 200, true);
        platform::setTag(zeitAbbruch, s("NODISABLE"));
    }

    QPushButton* befDrucken;
    QPushButton* befAbbrechen;
    QLineEdit* txtDatei;
    QAction* mnuVorschau;
    QTimer* zeitFortschritt;
    QTimer* zeitSichern;
    QTimer* zeitStart; // a one-shot start-up timer that has run already
    QTimer* zeitAbbruch;

private:
    template <class W>
    W* named(const QString& name)
    {
        auto* widget = new W(this);
        widget->setObjectName(name);
        return widget;
    }
    QTimer* timer(const QString& name, int interval, bool running)
    {
        auto* t = new QTimer(this);
        t->setObjectName(name);
        t->setInterval(interval);
        if (running)
            t->start();
        return t;
    }
};

TEST(SteuerelementeSperren, switchesTheCallersControlsExceptNoDisableAndRestartsOnlyItsTimers)
{
    FakeMousePointer pointer;
    ScopedService guard(platform::setMousePointer, &pointer);
    pointer.set(platform::vbIbeam);

    platform::MainForm main;
    main.setObjectName(s("Main"));
    auto* befMain = new QPushButton(&main);
    befMain->setObjectName(s("befHeute"));
    Druckdialog dialog;

    foundation::SteuerelementeSperren(dialog, false);
    EXPECT_FALSE(dialog.befDrucken->isEnabled());
    EXPECT_FALSE(dialog.txtDatei->isEnabled());
    EXPECT_TRUE(dialog.befAbbrechen->isEnabled());
    EXPECT_FALSE(dialog.mnuVorschau->isEnabled());
    EXPECT_FALSE(dialog.zeitFortschritt->isActive());
    EXPECT_FALSE(dialog.zeitSichern->isActive());
    EXPECT_FALSE(dialog.zeitStart->isActive());
    EXPECT_TRUE(dialog.zeitAbbruch->isActive());
    EXPECT_TRUE(befMain->isEnabled()); // another window is not touched

    // Locking twice changes nothing; unlocking once is enough.
    foundation::SteuerelementeSperren(dialog, false);
    foundation::SteuerelementeSperren(dialog, true);
    EXPECT_TRUE(dialog.befDrucken->isEnabled());
    EXPECT_TRUE(dialog.txtDatei->isEnabled());
    EXPECT_TRUE(dialog.befAbbrechen->isEnabled());
    EXPECT_TRUE(dialog.mnuVorschau->isEnabled());
    EXPECT_TRUE(dialog.zeitFortschritt->isActive());
    EXPECT_TRUE(dialog.zeitSichern->isActive());
    EXPECT_FALSE(dialog.zeitStart->isActive()); // was off before the lock
    EXPECT_TRUE(dialog.zeitAbbruch->isActive());

    // A timer the job switched off itself stays off at the next unlock.
    foundation::SteuerelementeSperren(dialog, false);
    foundation::SteuerelementeSperren(dialog, true);
    dialog.zeitSichern->stop();
    foundation::SteuerelementeSperren(dialog, true);
    EXPECT_FALSE(dialog.zeitSichern->isActive());

    // Every call shows the hourglass and puts the pointer back.
    EXPECT_EQ(pointer.history(),
              (std::vector<int>{platform::vbIbeam, platform::vbHourglass, platform::vbIbeam,
                                platform::vbHourglass, platform::vbIbeam,
                                platform::vbHourglass, platform::vbIbeam,
                                platform::vbHourglass, platform::vbIbeam,
                                platform::vbHourglass, platform::vbIbeam,
                                platform::vbHourglass, platform::vbIbeam}));
}

// ---------------------------------------------------------------------------------------------
// ProgrammBeenden and unloading the main window by code (windows are destroyed by deferred
// deletion, so what they did is kept outside them)

std::vector<QString> unloadLog;
int exitCommandRuns = 0;

// A window that writes its unload handling into unloadLog.
template <class Base>
class LoggingWindow : public Base {
public:
    explicit LoggingWindow(const char* name) { this->setObjectName(s(name)); }

    bool cancelUnload = false;
    std::function<void()> onUnload;

protected:
    void Form_Unload(bool& cancel) override
    {
        unloadLog.push_back(this->name());
        if (onUnload)
            onUnload();
        cancel = cancelUnload;
    }
};

// The main window: its close box runs the exit command, unloading by code does not.
class MainWindow : public LoggingWindow<platform::MainForm> {
public:
    MainWindow() : LoggingWindow("Main") {}

protected:
    void Form_QueryUnload(bool& /*cancel*/, platform::UnloadMode mode) override
    {
        if (mode != platform::UnloadMode::Code)
            ++exitCommandRuns; // saves, releases the data folder, counts the run
    }
};

class ProgrammBeenden : public ::testing::Test {
protected:
    ProgrammBeenden()
    {
        unloadLog.clear();
        exitCommandRuns = 0;
    }

    FakeProgramEnd end;
    ScopedService<platform::ProgramEnd> endGuard{platform::setProgramEnd, &end};
};

TEST_F(ProgrammBeenden, unloadsEveryWindowInLoadOrderByCodeThenEnds)
{
    auto* main = new MainWindow;
    auto* suchen = new LoggingWindow<platform::Form>("Suchen");
    auto* tagesliste = new LoggingWindow<platform::Form>("Tagesliste");
    auto* info = new LoggingWindow<platform::Form>("Info");
    main->show();
    suchen->show();
    bool queuedRan = false;
    // A window that refuses to go stays; the others still go.
    tagesliste->cancelUnload = true;
    // Events queued by the unloading still run before the end.
    info->onUnload = [&queuedRan] {
        QMetaObject::invokeMethod(
            qApp, [&queuedRan] { queuedRan = true; }, Qt::QueuedConnection);
    };

    EXPECT_THROW(foundation::ProgrammBeenden(), ProgramEndedException);

    EXPECT_EQ(unloadLog, (std::vector<QString>{s("Main"), s("Suchen"), s("Tagesliste"),
                                               s("Info")}));
    EXPECT_EQ(exitCommandRuns, 0);
    EXPECT_TRUE(queuedRan);
    EXPECT_EQ(platform::openForms(), (std::vector<platform::FormCore*>{tagesliste}));
    EXPECT_EQ(end.endCalls(), 1);
    EXPECT_EQ(end.lastExitCode(), 0);
}

TEST_F(ProgrammBeenden, mainWindowUnloadedByCodeDuringItsLoadSkipsTheExitCommand)
{
    // Refusing to start while another user holds the data folder: the main window is unloaded
    // by code and the program ends; nothing is saved or released.
    auto* main = new MainWindow;
    EXPECT_TRUE(main->unload());
    EXPECT_THROW(foundation::ProgrammBeenden(), ProgramEndedException);
    EXPECT_EQ(exitCommandRuns, 0);
    EXPECT_EQ(unloadLog, std::vector<QString>{s("Main")});

    // Its close box, in contrast, runs the exit command.
    auto* second = new MainWindow;
    second->show();
    second->close();
    EXPECT_EQ(exitCommandRuns, 1);
}

} // namespace
