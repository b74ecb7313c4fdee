#include "platform/form.h"
#include "support/fake_screen.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

using namespace platform;

namespace {

// Destroys what deleteLater() left for the event loop, as the loop would once the handlers on
// the stack have returned.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

QString modeText(UnloadMode mode)
{
    return QString::number(static_cast<int>(mode));
}

// A dialog window that writes its unload events into a shared log ("name:QueryUnload:mode",
// "name:Unload") and cancels when told to.
class LoggingForm : public Form {
public:
    LoggingForm(const QString& name, QStringList& log, QWidget* parent = nullptr)
        : Form(parent), log_(log)
    {
        setObjectName(name);
    }

    bool cancelQuery = false;
    bool cancelUnload = false;
    std::function<void(UnloadMode)> onQueryUnload;

protected:
    void Form_QueryUnload(bool& cancel, UnloadMode unloadMode) override
    {
        log_.append(objectName() + QStringLiteral(":QueryUnload:") + modeText(unloadMode));
        if (onQueryUnload)
            onQueryUnload(unloadMode);
        cancel = cancelQuery;
    }

    void Form_Unload(bool& cancel) override
    {
        log_.append(objectName() + QStringLiteral(":Unload"));
        cancel = cancelUnload;
    }

private:
    QStringList& log_;
};

class LoggingMainForm : public MainForm {
public:
    explicit LoggingMainForm(QStringList& log) : log_(log)
    {
        setObjectName(QStringLiteral("Main"));
    }

    bool cancelQuery = false;

protected:
    void Form_QueryUnload(bool& cancel, UnloadMode unloadMode) override
    {
        log_.append(QStringLiteral("Main:QueryUnload:") + modeText(unloadMode));
        cancel = cancelQuery;
    }

private:
    QStringList& log_;
};

QStringList names(const std::vector<FormCore*>& forms)
{
    QStringList result;
    for (const FormCore* form : forms)
        result.append(form->name());
    return result;
}

QStringList names(const QList<QObject*>& objects)
{
    QStringList result;
    for (const QObject* object : objects)
        result.append(object->objectName());
    return result;
}

// Windows a test leaves loaded are destroyed after it by the test main().
class FormTest : public ::testing::Test {
protected:
    QStringList log_;
};

TEST_F(FormTest, loadedWindowsAreListedInLoadOrderUntilUnloadedOrDestroyed)
{
    auto* main = new LoggingMainForm(log_);
    auto* suchen = new LoggingForm(QStringLiteral("Suchen"), log_);
    auto* tagesliste = new LoggingForm(QStringLiteral("Tagesliste"), log_, main);
    auto* zoom = new LoggingForm(QStringLiteral("Zoom"), log_);
    EXPECT_EQ(names(openForms()), texts({"Main", "Suchen", "Tagesliste", "Zoom"}));
    EXPECT_EQ(findForm(QStringLiteral("TAGESLISTE")), tagesliste);
    EXPECT_EQ(findForm<MainForm>(), main);
    EXPECT_EQ(findForm(QStringLiteral("Fehlt")), nullptr);

    EXPECT_TRUE(suchen->unload());
    EXPECT_EQ(names(openForms()), texts({"Main", "Tagesliste", "Zoom"}));
    delete zoom; // destroyed without an unload: no handler runs
    delete main; // and its child window goes with it
    EXPECT_TRUE(openForms().empty());
    EXPECT_EQ(log_, texts({"Suchen:QueryUnload:1", "Suchen:Unload"}));
}

TEST_F(FormTest, unloadByCodeHidesAtOnceAndDestroysLater)
{
    QPointer<LoggingForm> form = new LoggingForm(QStringLiteral("Suchen"), log_);
    form->show();

    EXPECT_TRUE(form->unload());
    EXPECT_EQ(log_, texts({"Suchen:QueryUnload:1", "Suchen:Unload"}));
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isUnloaded());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(openForms().empty());

    EXPECT_TRUE(form->unload()) << "a second unload is no error";
    EXPECT_EQ(log_.size(), 2) << "and runs no handler again";
    runDeferredDeletes();
    EXPECT_FALSE(form);
}

TEST_F(FormTest, eitherHandlerCanCancelAndTheWindowStays)
{
    auto* form = new LoggingForm(QStringLiteral("Suchen"), log_);
    form->show();

    form->cancelQuery = true;
    EXPECT_FALSE(form->unload());
    form->cancelQuery = false;
    form->cancelUnload = true;
    EXPECT_FALSE(form->unload());
    runDeferredDeletes();

    EXPECT_EQ(log_, texts({"Suchen:QueryUnload:1", "Suchen:QueryUnload:1", "Suchen:Unload"}));
    EXPECT_FALSE(form->isUnloaded());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(openForms(), std::vector<FormCore*>{form});
}

TEST_F(FormTest, closingByOtherMeansIsToldApartFromCode)
{
    auto* main = new LoggingMainForm(log_);
    auto* dialog = new LoggingForm(QStringLiteral("Suchen"), log_);
    main->show();
    dialog->show();

    main->cancelQuery = true; // the main window asks first, say
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(openForms().size(), 2u);

    EXPECT_TRUE(dialog->windowHandle()->close()); // as the window system closes it
    EXPECT_TRUE(dialog->isUnloaded());
    EXPECT_FALSE(dialog->isVisible());

    EXPECT_EQ(log_, texts({"Main:QueryUnload:0", "Suchen:QueryUnload:0", "Suchen:Unload"}));
}

TEST_F(FormTest, unloadFromItsOwnHandlerRunsTheHandlersOnce)
{
    QPointer<LoggingForm> form = new LoggingForm(QStringLiteral("Suchen"), log_);
    form->onQueryUnload = [&form](UnloadMode) {
        EXPECT_TRUE(form->unload()); // e.g. a shutdown reached from the close box
        QCoreApplication::processEvents();
        EXPECT_TRUE(form);
    };
    form->show();
    form->close();

    EXPECT_EQ(log_, texts({"Suchen:QueryUnload:0", "Suchen:Unload"}));
    EXPECT_TRUE(form->isUnloaded());
    runDeferredDeletes();
    EXPECT_FALSE(form);
}

TEST_F(FormTest, unloadingEveryWindowInOrderRunsEachWindowsOwnHandling)
{
    auto* main = new LoggingMainForm(log_);
    auto* suchen = new LoggingForm(QStringLiteral("Suchen"), log_);
    new LoggingForm(QStringLiteral("Zoom"), log_);
    // The first window to go closes another one itself and pumps events, which destroys it.
    suchen->onQueryUnload = [](UnloadMode) {
        findForm(QStringLiteral("Zoom"))->unload();
        runDeferredDeletes();
    };
    main->show();

    for (FormCore* form : openForms()) {
        if (isLoaded(form))
            form->unload();
    }

    EXPECT_EQ(log_, texts({"Main:QueryUnload:1", "Suchen:QueryUnload:1", "Zoom:QueryUnload:1",
                           "Zoom:Unload", "Suchen:Unload"}));
    EXPECT_TRUE(openForms().empty());
}

TEST_F(FormTest, modalDisplayEndsWhenTheWindowIsHiddenAndItStaysLoaded)
{
    auto* form = new LoggingForm(QStringLiteral("Passwort"), log_);
    auto* edit = new QLineEdit(form);
    edit->setObjectName(QStringLiteral("txtPasswort"));
    QTimer::singleShot(0, form, [form, edit] {
        EXPECT_TRUE(form->isModal());
        edit->setText(QStringLiteral("geheim"));
        form->hide(); // the OK button's handler
    });

    form->showModal();

    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->isUnloaded());
    EXPECT_EQ(edit->text(), QStringLiteral("geheim"));
    EXPECT_EQ(findForm(QStringLiteral("Passwort")), form);
}

TEST_F(FormTest, windowUnloadedDuringItsModalDisplayLivesUntilTheCallerHasIt)
{
    QPointer<LoggingForm> form = new LoggingForm(QStringLiteral("Auswahl"), log_);
    QTimer::singleShot(0, form, [form] {
        form->unload();
        QCoreApplication::processEvents(); // its handler pumps events on
    });

    form->showModal();

    ASSERT_TRUE(form) << "still there for the caller";
    EXPECT_TRUE(form->isUnloaded());
    EXPECT_FALSE(form->isVisible());
    runDeferredDeletes();
    EXPECT_FALSE(form);
}

TEST_F(FormTest, keepAliveHoldsTheObjectThroughEventPumpsOfAHandler)
{
    QPointer<LoggingForm> form = new LoggingForm(QStringLiteral("Druck"), log_);
    form->show();
    bool handlerEnded = false;

    // A long job in a handler of the window, pumping events, while the user closes the window.
    QTimer::singleShot(0, form, [&form, &handlerEnded] {
        FormCore::KeepAlive keep(*form);
        QEventLoop modal; // a message box of the job, say
        QTimer::singleShot(0, &modal, [&form, &modal] {
            form->close();
            modal.quit();
        });
        modal.exec();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form) << "destroyed under its own handler";
        EXPECT_TRUE(form && form->isUnloaded());
        handlerEnded = true;
    });
    while (!handlerEnded)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    runDeferredDeletes();
    EXPECT_FALSE(form);
}

TEST_F(FormTest, escapeClicksTheCancelButtonOnlyAndNeverHidesTheWindow)
{
    auto* form = new LoggingForm(QStringLiteral("Suchen"), log_);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), form);
    int clicks = 0;
    QObject::connect(cancel, &QPushButton::clicked, [&clicks] { ++clicks; });
    form->show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);

    QApplication::sendEvent(form, &escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(clicks, 0);

    form->setCancelButton(cancel);
    QApplication::sendEvent(form, &escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(log_.isEmpty());
}

TEST_F(FormTest, controlsAreTheNamedDescendantsInTreeOrder)
{
    auto* form = new LoggingForm(QStringLiteral("Druck"), log_);
    auto* layout = new QVBoxLayout(form);
    layout->setObjectName(QStringLiteral("Anordnung")); // a layout is no control
    auto* bar = new QMenuBar(form);
    layout->setMenuBar(bar);
    QMenu* datei = bar->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mnuDatei"));
    QAction* drucken = datei->addAction(QStringLiteral("&Drucken"));
    drucken->setObjectName(QStringLiteral("mnuDrucken"));
    datei->addAction(QStringLiteral("ohne Namen"));

    auto* text = new QPlainTextEdit;
    text->setObjectName(QStringLiteral("Text"));
    layout->addWidget(text);
    auto* frame = new QGroupBox(QStringLiteral("Bereich"));
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* inFrame = new QVBoxLayout(frame);
    auto* check = new QCheckBox(QStringLiteral("Alle"));
    check->setObjectName(QStringLiteral("chkAlle"));
    inFrame->addWidget(check);
    layout->addWidget(frame);
    layout->addWidget(new QLabel(QStringLiteral("ohne Namen")));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("befOk"));
    layout->addWidget(ok);
    auto* timer = new QTimer(form);
    timer->setObjectName(QStringLiteral("ZeitFortschritt"));
    auto* group = new QButtonGroup(form);
    group->setObjectName(QStringLiteral("optBereich"));
    auto* child = new LoggingForm(QStringLiteral("Vorschau"), log_, form);
    auto* childButton = new QPushButton(child);
    childButton->setObjectName(QStringLiteral("befVorschau"));

    EXPECT_EQ(names(form->controls()),
              texts({"mnuDatei", "mnuDrucken", "Text", "Frame1", "chkAlle", "befOk",
                     "ZeitFortschritt", "optBereich"}));
    EXPECT_EQ(form->control(QStringLiteral("BEFOK")), ok);
    EXPECT_EQ(form->control(QStringLiteral("befVorschau")), nullptr);
    EXPECT_EQ(names(child->controls()), QStringList{QStringLiteral("befVorschau")});
}

TEST_F(FormTest, mainWindowControlsLeaveOutQtsOwnParts)
{
    auto* main = new LoggingMainForm(log_);
    QMenu* ansicht = main->menuBar()->addMenu(QStringLiteral("&Ansicht"));
    ansicht->setObjectName(QStringLiteral("mnuAnsicht"));
    auto* text = new QPlainTextEdit;
    text->setObjectName(QStringLiteral("Text"));
    main->setCentralWidget(text);
    main->statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    main->show();

    EXPECT_EQ(names(main->controls()), texts({"mnuAnsicht", "Text", "StatusBar1"}));
}

TEST_F(FormTest, tagIsATextOnAnyControl)
{
    QPushButton button;
    QAction action(nullptr);
    EXPECT_EQ(tag(&button), QString());
    setTag(&button, QStringLiteral("noDisable;Abbruch"));
    setTag(&action, QStringLiteral("x"));
    EXPECT_EQ(tag(&button), QStringLiteral("noDisable;Abbruch"));
    EXPECT_EQ(tag(&action), QStringLiteral("x"));
    EXPECT_EQ(tag(nullptr), QString());
}

TEST_F(FormTest, enabledOfWidgetsMenusEntriesAndTimers)
{
    auto* form = new LoggingForm(QStringLiteral("Druck"), log_);
    auto* frame = new QGroupBox(form);
    auto* inside = new QCheckBox(frame);
    auto* menu = new QMenu(form);
    QAction* entry = menu->addAction(QStringLiteral("Drucken"));
    auto* timer = new QTimer(form);
    timer->setInterval(750);
    auto* idle = new QTimer(form); // interval 0
    auto* group = new QButtonGroup(form);

    EXPECT_TRUE(setControlEnabled(frame, false));
    EXPECT_EQ(controlEnabled(frame), false);
    EXPECT_EQ(controlEnabled(inside), true) << "its own Enabled, though it cannot be used now";
    EXPECT_FALSE(inside->isEnabled());

    EXPECT_TRUE(setControlEnabled(menu, false));
    EXPECT_FALSE(menu->menuAction()->isEnabled()) << "the menu's entry in its bar goes grey too";
    EXPECT_TRUE(setControlEnabled(entry, false));
    EXPECT_EQ(controlEnabled(entry), false);

    EXPECT_TRUE(setControlEnabled(timer, true));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(controlEnabled(timer), true);
    EXPECT_TRUE(setControlEnabled(timer, false));
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(setControlEnabled(idle, true));
    EXPECT_FALSE(idle->isActive()) << "a timer of interval 0 never runs";

    EXPECT_EQ(controlEnabled(group), std::nullopt);
    EXPECT_FALSE(setControlEnabled(group, false));
    EXPECT_FALSE(setControlEnabled(nullptr, false));
}

TEST_F(FormTest, geometryInTwipsFollowsTheScreensTwipsPerPixel)
{
    FakeScreen screen;
    ScopedService guard(setScreen, &screen);
    auto* form = new LoggingForm(QStringLiteral("Suchen"), log_);

    struct Row {
        double dpi;
        TwipsGeometry given;
        QPoint position;
        QSize size;
        TwipsGeometry read;
    };
    const Row rows[] = {
        {96, {1500, 3000, 7500, 6000}, {100, 200}, {500, 400}, {1500, 3000, 7500, 6000}},
        {120, {1200, 2400, 6000, 4800}, {100, 200}, {500, 400}, {1200, 2400, 6000, 4800}},
        // Twips between pixels go to the nearest pixel.
        {96, {1507, 3008, 7493, 6010.5}, {100, 201}, {500, 401}, {1500, 3015, 7500, 6015}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        screen.setDpi(row.dpi);
        form->moveTwips(row.given.left, row.given.top, row.given.width, row.given.height);
        EXPECT_EQ(form->pos(), row.position);
        EXPECT_EQ(form->size(), row.size);
        EXPECT_EQ(form->geometryTwips(), row.read);
    }
}

TEST_F(FormTest, windowOfFixedBorderKeepsItsSize)
{
    auto* form = new LoggingForm(QStringLiteral("Info"), log_);
    form->resize(300, 200);
    EXPECT_EQ(form->borderStyle(), borderSizable);
    form->setBorderStyle(borderFixedDialog);
    EXPECT_FALSE(form->isSizable());

    form->moveTwips(1500, 1500, 9000, 9000);
    EXPECT_EQ(form->pos(), QPoint(100, 100));
    EXPECT_EQ(form->size(), QSize(300, 200));

    form->show();
    EXPECT_EQ(form->minimumSize(), QSize(300, 200));
    EXPECT_EQ(form->maximumSize(), QSize(300, 200));
    form->setBorderStyle(borderSizableToolWindow);
    form->moveTwips(1500, 1500, 9000, 9000);
    EXPECT_EQ(form->size(), QSize(600, 600));
}

TEST_F(FormTest, windowStateAndTitleButtons)
{
    auto* form = new LoggingForm(QStringLiteral("Tagesliste"), log_);
    EXPECT_FALSE(form->minButton());
    EXPECT_FALSE(form->maxButton());
    form->setMinButton(true);
    form->setMaxButton(true);
    EXPECT_TRUE(form->minButton());
    EXPECT_TRUE(form->maxButton());

    form->setWindowStateVb(vbMaximized); // hidden: takes effect when shown
    form->show();
    EXPECT_EQ(form->windowStateVb(), vbMaximized);
    EXPECT_TRUE(form->isMaximized());
    form->setWindowStateVb(vbMinimized);
    EXPECT_EQ(form->windowStateVb(), vbMinimized);
    form->setWindowStateVb(vbNormal);
    EXPECT_EQ(form->windowStateVb(), vbNormal);
    form->setWindowStateVb(7); // no state: nothing changes
    EXPECT_EQ(form->windowStateVb(), vbNormal);

    auto* main = new LoggingMainForm(log_);
    EXPECT_TRUE(main->minButton());
    EXPECT_TRUE(main->maxButton());
    main->setMaxButton(false);
    EXPECT_TRUE(main->minButton());
    EXPECT_FALSE(main->maxButton());
}

TEST_F(FormTest, activeFormIsTheLoadedWindowThatIsActive)
{
    auto* first = new LoggingForm(QStringLiteral("Suchen"), log_);
    auto* second = new LoggingForm(QStringLiteral("Zoom"), log_);
    first->show();
    second->show();
    const auto activate = [](QWidget* window) {
        window->activateWindow();
        QCoreApplication::processEvents();
    };
    activate(first);
    EXPECT_EQ(activeForm(), first);
    activate(second);
    EXPECT_EQ(activeForm(), second);
    QWidget stranger;
    stranger.show();
    activate(&stranger);
    EXPECT_EQ(activeForm(), nullptr);
}

} // namespace
