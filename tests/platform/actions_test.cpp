#include "platform/actions.h"
#include "platform/form.h"
#include "platform/text_box.h"
#include "support/qt_print.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <map>

using namespace platform;

namespace {

// A main window with part of the real menu tree, a tool-bar button and the editor, shown and
// active, the editor with the focus. Every triggered entry is counted by name.
class ActionsTest : public ::testing::Test {
protected:
    ActionsTest()
    {
        window_ = new MainForm;
        window_->setObjectName(u"Main"_qs);
        actions_ = new ActionRegistry(window_);
        QMenuBar* bar = window_->menuBar();

        QMenu* bearbeiten = actions_->addMenu(bar, u"PulBearbeiten"_qs, u"&Bearbeiten"_qs);
        add(bearbeiten, u"mnuUndo"_qs, u"&Rückgängig"_qs, u"Ctrl+Z"_qs);
        actions_->addSeparator(bearbeiten, u"Strich1"_qs);
        add(bearbeiten, u"PulAusschneiden"_qs, u"&Ausschneiden"_qs, u"Ctrl+X"_qs);
        add(bearbeiten, u"PulKopieren"_qs, u"&Kopieren"_qs, u"Ctrl+C"_qs);
        QMenu* einfuegen = actions_->addMenu(bearbeiten, u"mnuEinfügen"_qs, u"&Einfügen"_qs);
        add(einfuegen, u"mnuZAeinfg"_qs, u"&Zwischenablage"_qs, u"Ctrl+V"_qs);
        add(einfuegen, u"mnuUhrEinfg"_qs, u"&Uhrzeit, aktuelle"_qs, u"Ctrl+U"_qs);
        QMenu* markierung = actions_->addMenu(bearbeiten, u"mnuMarkierung"_qs, u"&Markierung"_qs);
        add(markierung, u"PulAllesMarkieren"_qs, u"Alles &markieren und kopieren"_qs,
            u"Ctrl+A"_qs);
        add(markierung, u"mnuMarkGänsefuss"_qs, u"Markierung in &Anführungszeichen"_qs,
            u"Ctrl+Shift+F2"_qs);

        QMenu* wechseln = actions_->addMenu(bar, u"PulWechseln"_qs, u"&Wechseln"_qs);
        QMenu* blaettern = actions_->addMenu(wechseln, u"PulBlättern"_qs, u"&Blättern"_qs);
        add(blaettern, u"PulTagVor"_qs, u"T&ag vor"_qs, u"F8"_qs);
        QMenu* zuletzt = actions_->addMenu(bar, u"PulDatei"_qs, u"&Korvanel"_qs);
        add(zuletzt, indexedName(u"mnuZuletzt"_qs, 1), u"&2"_qs, u"Ctrl+R"_qs);

        auto* tools = new QToolBar(window_);
        window_->addToolBar(tools);
        QAction* print = tools->addAction(u"Drucken"_qs);
        actions_->registerAction(u"btnPrint"_qs, print);
        count(u"btnPrint"_qs);

        editor_ = new TextBox(window_);
        editor_->setObjectName(u"Text"_qs);
        window_->setCentralWidget(editor_);
        editor_->setText(u"Hallo Welt"_qs);

        window_->show();
        QApplication::setActiveWindow(window_);
        editor_->setFocus();
        QApplication::processEvents();
    }

    ~ActionsTest() override { delete window_; }

    void add(QMenu* menu, const QString& name, const QString& caption, const QString& keys)
    {
        actions_->addAction(menu, name, caption, QKeySequence(keys));
        count(name);
    }

    void count(const QString& name)
    {
        QObject::connect(actions_->action(name), &QAction::triggered,
                         [this, name] { ++triggered_[name]; });
    }

    int taken(const QString& name)
    {
        const int n = triggered_[name];
        triggered_[name] = 0;
        return n;
    }

    MainForm* window_ = nullptr;
    ActionRegistry* actions_ = nullptr;
    TextBox* editor_ = nullptr;
    std::map<QString, int> triggered_;
};

struct KeyCase {
    const char* entry;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const KeyCase editingKeys[] = {
    {"PulAllesMarkieren", Qt::Key_A, Qt::ControlModifier},
    {"PulKopieren", Qt::Key_C, Qt::ControlModifier},
    {"PulAusschneiden", Qt::Key_X, Qt::ControlModifier},
    {"mnuZAeinfg", Qt::Key_V, Qt::ControlModifier},
    {"mnuUndo", Qt::Key_Z, Qt::ControlModifier},
    {"mnuMarkGänsefuss", Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier},
    {"PulTagVor", Qt::Key_F8, Qt::NoModifier},
    {"mnuZuletzt(1)", Qt::Key_R, Qt::ControlModifier},
};

} // namespace

TEST_F(ActionsTest, shortcutsRunTheirEntriesWhileTheEditorHasTheFocus)
{
    QGuiApplication::clipboard()->setText(u"Zwischenablage"_qs);
    for (const KeyCase& c : editingKeys) {
        const QString entry = QString::fromUtf8(c.entry);
        SCOPED_TRACE(c.entry);
        editor_->setSelStart(0);
        editor_->setSelLength(5);
        QTest::keyClick(editor_, c.key, c.modifiers);
        EXPECT_EQ(taken(entry), 1);
        EXPECT_EQ(editor_->text(), u"Hallo Welt"_qs) << "the editor left the key to the entry";
        EXPECT_EQ(editor_->selText(), u"Hallo"_qs);
    }
}

TEST_F(ActionsTest, disablingAMenuDisablesTheShortcutsBelowIt)
{
    actions_->setEnabled(u"PulBearbeiten"_qs, false);
    EXPECT_FALSE(actions_->isEnabled(u"PulBearbeiten"_qs));
    EXPECT_TRUE(actions_->isEnabled(u"mnuZAeinfg"_qs)) << "its own state is kept";
    EXPECT_FALSE(actions_->action(u"mnuZAeinfg"_qs)->isEnabled());

    for (const KeyCase& c : editingKeys) {
        const QString entry = QString::fromUtf8(c.entry);
        SCOPED_TRACE(c.entry);
        QTest::keyClick(editor_, c.key, c.modifiers);
        const bool below = entry != u"PulTagVor" && entry != u"mnuZuletzt(1)";
        EXPECT_EQ(taken(entry), below ? 0 : 1);
    }
    EXPECT_FALSE(actions_->trigger(u"PulKopieren"_qs));
    EXPECT_EQ(taken(u"PulKopieren"_qs), 0);

    // Enabled again, each entry has its own state back: one disabled on its own stays so.
    actions_->setEnabled(u"PulKopieren"_qs, false);
    actions_->setEnabled(u"PulBearbeiten"_qs, true);
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(taken(u"mnuZAeinfg"_qs), 1);
    EXPECT_EQ(taken(u"PulKopieren"_qs), 0);

    // A submenu between: disabled, its entries are; the menu above does not re-enable them.
    actions_->setEnabled(u"mnuEinfügen"_qs, false);
    actions_->setEnabled(u"PulBearbeiten"_qs, false);
    actions_->setEnabled(u"PulBearbeiten"_qs, true);
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(taken(u"mnuZAeinfg"_qs), 0);
    EXPECT_FALSE(actions_->action(u"mnuZAeinfg"_qs)->isEnabled());
    actions_->setEnabled(u"mnuEinfügen"_qs, true);
    EXPECT_TRUE(actions_->action(u"mnuZAeinfg"_qs)->isEnabled());
}

TEST_F(ActionsTest, entriesOfAHiddenPopupMenuRunButThoseOfAHiddenSubmenuDoNot)
{
    QMenu* popup = actions_->addMenu(window_->menuBar(), u"mnuPopUp"_qs, u"PopUp"_qs);
    popup->menuAction()->setVisible(false);
    add(popup, u"mnuPopKopieren"_qs, u"&Kopieren"_qs, QString());
    QMenu* versteckt = actions_->addMenu(actions_->menu(u"PulWechseln"_qs), u"mnuVersteckt"_qs,
                                         u"Versteckt"_qs);
    add(versteckt, u"mnuNieSichtbar"_qs, u"Nie"_qs, u"Ctrl+F11"_qs);
    versteckt->menuAction()->setVisible(false);
    actions_->setEnabled(u"mnuNieSichtbar"_qs, true);

    EXPECT_TRUE(actions_->action(u"mnuPopKopieren"_qs)->isEnabled());
    EXPECT_TRUE(actions_->trigger(u"mnuPopKopieren"_qs));
    EXPECT_EQ(taken(u"mnuPopKopieren"_qs), 1);
    actions_->setEnabled(u"mnuPopUp"_qs, false);
    EXPECT_FALSE(actions_->action(u"mnuPopKopieren"_qs)->isEnabled());
    actions_->setEnabled(u"mnuPopUp"_qs, true);
    EXPECT_TRUE(actions_->action(u"mnuPopKopieren"_qs)->isEnabled());

    EXPECT_FALSE(actions_->action(u"mnuNieSichtbar"_qs)->isEnabled());
    QTest::keyClick(editor_, Qt::Key_F11, Qt::ControlModifier);
    EXPECT_EQ(taken(u"mnuNieSichtbar"_qs), 0);
}

TEST_F(ActionsTest, theEditorKeepsKeysThatNoEnabledEntryOwns)
{
    actions_->setEnabled(u"PulAllesMarkieren"_qs, false);
    actions_->setEnabled(u"PulKopieren"_qs, false);
    editor_->setSelStart(0);
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor_->selText(), u"Hallo Welt"_qs) << "the editor's own select-all";
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Hallo Welt"_qs);
    EXPECT_EQ(taken(u"PulAllesMarkieren"_qs) + taken(u"PulKopieren"_qs), 0);

    // A hidden entry owns no shortcut either.
    actions_->action(u"mnuUndo"_qs)->setVisible(false);
    editor_->setSelStart(10);
    QTest::keyClicks(editor_, u"!"_qs);
    QTest::keyClick(editor_, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor_->text(), u"Hallo Welt"_qs);
    EXPECT_EQ(taken(u"mnuUndo"_qs), 0);
}

TEST_F(ActionsTest, entriesAreFoundAndRunByName)
{
    EXPECT_EQ(actions_->action(u"pultagvor"_qs), actions_->action(u"PulTagVor"_qs));
    EXPECT_EQ(actions_->action(u"PulTagVor"_qs)->text(), u"T&ag vor"_qs);
    // A separator carries no text: the style would draw it beside the line.
    EXPECT_TRUE(actions_->action(u"Strich1"_qs)->text().isEmpty());
    EXPECT_TRUE(actions_->action(u"Strich1"_qs)->isSeparator());
    EXPECT_EQ(actions_->action(u"PulBearbeiten"_qs), actions_->menu(u"PulBearbeiten"_qs)->menuAction());
    EXPECT_EQ(actions_->action(u"gibtEsNicht"_qs), nullptr);
    EXPECT_EQ(actions_->names().first(), u"PulBearbeiten"_qs);

    EXPECT_TRUE(actions_->trigger(u"btnPrint"_qs));
    EXPECT_TRUE(actions_->trigger(u"mnuZuletzt(1)"_qs));
    EXPECT_EQ(taken(u"btnPrint"_qs), 1);
    EXPECT_EQ(taken(u"mnuZuletzt(1)"_qs), 1);
    EXPECT_FALSE(actions_->trigger(u"gibtEsNicht"_qs));

    // Opening a menu by name runs what its opening runs.
    int opened = 0;
    QObject::connect(actions_->menu(u"PulBearbeiten"_qs), &QMenu::aboutToShow,
                     [&opened] { ++opened; });
    EXPECT_TRUE(actions_->trigger(u"PulBearbeiten"_qs));
    EXPECT_EQ(opened, 1);

    // The window finds its controls by these names, and their Enabled goes the same way.
    QObject* menu = window_->control(u"PulBearbeiten"_qs);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(setControlEnabled(menu, false));
    EXPECT_EQ(controlEnabled(menu), false);
    EXPECT_EQ(controlEnabled(window_->control(u"PulKopieren"_qs)), true);
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(taken(u"PulKopieren"_qs), 0);
    EXPECT_TRUE(setControlEnabled(menu, true));
    QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(taken(u"PulKopieren"_qs), 1);
}
