#include "platform/dialogs.h"
#include "platform/help.h"
#include "support/fake_help.h"
#include "support/fake_shell.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Help, folderOfAHelpFileStandsBesideIt)
{
    struct Row {
        const char* file;
        const char* folder;
    };
    const Row rows[] = {
        {"/opt/korvanel/Korvanel.chm", "/opt/korvanel/Korvanel-hilfe"},
        {"/opt/korvanel/KORVANEL.HLP", "/opt/korvanel/KORVANEL-hilfe"},
        {"\\\\server\\prg\\Korvanel.chm", "//server/prg/Korvanel-hilfe"},
        {"/opt/k.d/hilfe", "/opt/k.d/hilfe-hilfe"},
        {"/opt/korvanel/.chm", "/opt/korvanel/.chm-hilfe"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        EXPECT_EQ(helpFolder(QString::fromUtf8(row.file)), QString::fromUtf8(row.folder));
    }
}

class HelpPages : public ::testing::Test {
protected:
    QString helpFile() const { return temp_.file(QStringLiteral("Korvanel.chm")); }

    TempFolder temp_;
};

TEST_F(HelpPages, topicPageElseTheDefaultTopic)
{
    temp_.write(QStringLiteral("Korvanel-Hilfe/INDEX.html"), "<html/>");
    temp_.write(QStringLiteral("Korvanel-Hilfe/4004.html"), "<html/>");
    const QString index = temp_.file(QStringLiteral("Korvanel-Hilfe/INDEX.html"));

    struct Row {
        int context;
        QString page;
    };
    const Row rows[] = {
        {0, index},
        {4004, temp_.file(QStringLiteral("Korvanel-Hilfe/4004.html"))},
        {161, index},
        {-1, QString()},
        {-2, QString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.context);
        EXPECT_EQ(helpPage(helpFile(), row.context), row.page);
    }
}

TEST_F(HelpPages, missingHelpOpensNothing)
{
    FakeShell shell;
    ScopedService shellGuard(setShell, &shell);
    ScopedService<Help> real(setHelp, nullptr);

    temp_.write(QStringLiteral("Korvanel-hilfe/4004.html"), "<html/>"); // but no index.html
    EXPECT_EQ(helpPage(helpFile(), 4004), QString());
    EXPECT_FALSE(help().available(helpFile()));
    EXPECT_FALSE(help().showTopic(helpFile(), 4004));
    EXPECT_FALSE(help().showTopic(QString(), 0));
    help().closeAll();
    EXPECT_TRUE(shell.opened().isEmpty());
}

TEST_F(HelpPages, topicIsOpenedInTheBrowserThroughTheShell)
{
    temp_.write(QStringLiteral("Korvanel-hilfe/index.html"), "<html/>");
    temp_.write(QStringLiteral("Korvanel-hilfe/158.html"), "<html/>");
    FakeShell shell;
    ScopedService shellGuard(setShell, &shell);
    ScopedService<Help> real(setHelp, nullptr);

    EXPECT_TRUE(help().available(helpFile()));
    EXPECT_TRUE(help().showTopic(helpFile(), 158));
    EXPECT_TRUE(help().showTopic(helpFile(), 0));
    EXPECT_FALSE(help().showTopic(helpFile(), -1));
    ASSERT_EQ(shell.urls().size(), 2u);
    const auto page = [this](const char* name) {
        return QUrl::fromLocalFile(
            temp_.file(QStringLiteral("Korvanel-hilfe/") + QString::fromUtf8(name)));
    };
    EXPECT_EQ(shell.urls()[0], page("158.html"));
    EXPECT_EQ(shell.urls()[1], page("index.html"));
}

TEST(Help, helpButtonOfAMessageBoxOpensItsTopic)
{
    FakeHelp fake;
    ScopedService helpGuard(setHelp, &fake);
    ScopedService<Dialogs> real(setDialogs, nullptr);

    QTimer::singleShot(0, qApp, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        for (QPushButton* button : box->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Hilfe"))
                button->click();
        }
        for (QPushButton* button : box->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("OK"))
                button->click();
        }
    });
    const QString file = QStringLiteral("/opt/korvanel/Korvanel.chm");
    const int answer = dialogs().msgBox(QStringLiteral("Text"), vbOKOnly | vbMsgBoxHelpButton,
                                        QStringLiteral("Titel"), HelpTopic{file, 3004});

    EXPECT_EQ(answer, vbOK);
    ASSERT_EQ(fake.calls().size(), 1u);
    EXPECT_EQ(fake.calls()[0], (FakeHelp::Call{FakeHelp::Kind::ShowTopic, file, 3004}));
}

} // namespace
