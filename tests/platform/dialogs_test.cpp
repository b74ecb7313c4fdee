#include "platform/dialogs.h"
#include "support/fake_dialogs.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace platform;

namespace {

// Runs action on the modal dialog as soon as exec() has opened it.
void whenOpen(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, qApp, [action] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            ADD_FAILURE() << "no dialog is open";
            return;
        }
        action(dialog);
    });
}

QStringList sortedButtonTexts(const QWidget* dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        texts.append(button->text());
    texts.sort();
    return texts;
}

QPushButton* buttonWithText(const QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\"";
    return nullptr;
}

void pressEscape(QWidget* dialog)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &press);
}

class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override { setDialogs(nullptr); }
    void TearDown() override { setDialogHelpHandler({}); }
};

TEST_F(RealDialogs, msgBoxShowsGermanButtonsAndAnswersVbCodes)
{
    struct Row {
        const char* name;
        int style;
        QStringList buttons;
        QString defaultButton;
        QMessageBox::Icon icon;
        QString click;
        int answer;
    };
    const Row rows[] = {
        {"ok only", vbOKOnly, {"OK"}, "OK", QMessageBox::NoIcon, "OK", vbOK},
        {"ok cancel", vbOKCancel + vbExclamation, {"OK", "Abbrechen"}, "OK",
         QMessageBox::Warning, "Abbrechen", vbCancel},
        {"abort", vbAbortRetryIgnore + vbCritical + vbDefaultButton3,
         {"Abbrechen", "Wiederholen", "Ignorieren"}, "Ignorieren", QMessageBox::Critical,
         "Abbrechen", vbAbort},
        {"retry", vbAbortRetryIgnore, {"Abbrechen", "Wiederholen", "Ignorieren"}, "Abbrechen",
         QMessageBox::NoIcon, "Wiederholen", vbRetry},
        {"ignore", vbAbortRetryIgnore + vbDefaultButton2,
         {"Abbrechen", "Wiederholen", "Ignorieren"}, "Wiederholen", QMessageBox::NoIcon,
         "Ignorieren", vbIgnore},
        {"yes", vbYesNoCancel + vbQuestion + vbDefaultButton2, {"Ja", "Nein", "Abbrechen"},
         "Nein", QMessageBox::Question, "Ja", vbYes},
        {"no", vbYesNo + vbInformation, {"Ja", "Nein"}, "Ja", QMessageBox::Information, "Nein",
         vbNo},
        {"missing default button", vbRetryCancel + vbDefaultButton3,
         {"Wiederholen", "Abbrechen"}, "Wiederholen", QMessageBox::NoIcon, "Abbrechen",
         vbCancel},
        {"help", vbOKOnly + vbMsgBoxHelpButton + vbSystemModal, {"OK", "Hilfe"}, "OK",
         QMessageBox::NoIcon, "OK", vbOK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QStringList shown;
        QString shownDefault;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        whenOpen([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                ADD_FAILURE() << "no message box";
                dialog->close();
                return;
            }
            shown = sortedButtonTexts(box);
            shownDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            shownIcon = box->icon();
            if (QPushButton* button = buttonWithText(box, row.click))
                button->click();
        });
        EXPECT_EQ(dialogs().msgBox(QStringLiteral("Text"), row.style, QStringLiteral("Titel")),
                  row.answer);
        QStringList expected = row.buttons;
        expected.sort();
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(shownDefault, row.defaultButton);
        EXPECT_EQ(shownIcon, row.icon);
    }
}

TEST_F(RealDialogs, msgBoxShowsUserTextAsPlainTextUnderItsTitle)
{
    const QString text = QStringLiteral("<b>Straße</b> & <a href=\"x\">Tagebuch</a>\nZeile 2");
    QString shownText;
    QString shownTitle;
    Qt::TextFormat format = Qt::AutoText;
    whenOpen([&](QWidget* dialog) {
        shownTitle = dialog->windowTitle();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            shownText = label->text();
            format = label->textFormat();
        }
        dialog->close();
    });
    dialogs().msgBox(text, vbOKOnly, QStringLiteral("Korvanel, ungültiges Datum"));
    EXPECT_EQ(shownText, text);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shownTitle, QStringLiteral("Korvanel, ungültiges Datum"));

    whenOpen([&](QWidget* dialog) {
        shownTitle = dialog->windowTitle();
        dialog->close();
    });
    dialogs().msgBox(text);
    EXPECT_EQ(shownTitle, QGuiApplication::applicationDisplayName());
}

TEST_F(RealDialogs, escapeAndCloseBoxAnswerOnlyWhereTheBoxHasCancelOrOnlyOk)
{
    struct Row {
        const char* name;
        int style;
        int escapeAnswer; // 0: the box stays open
    };
    const Row rows[] = {
        {"ok only", vbOKOnly, vbOK},
        {"ok cancel", vbOKCancel, vbCancel},
        {"yes no cancel", vbYesNoCancel + vbDefaultButton1, vbCancel},
        {"retry cancel", vbRetryCancel, vbCancel},
        {"yes no", vbYesNo, 0},
        {"abort retry ignore", vbAbortRetryIgnore, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bool openAfterEscape = false;
        bool openAfterClose = false;
        whenOpen([&](QWidget* dialog) {
            pressEscape(dialog);
            openAfterEscape = dialog->isVisible();
            if (!openAfterEscape)
                return;
            dialog->close();
            openAfterClose = dialog->isVisible();
            if (openAfterClose)
                static_cast<QMessageBox*>(dialog)->buttons().constFirst()->click();
        });
        const int answer = dialogs().msgBox(QStringLiteral("Frage"), row.style);
        if (row.escapeAnswer != 0) {
            EXPECT_FALSE(openAfterEscape);
            EXPECT_EQ(answer, row.escapeAnswer);
        } else {
            EXPECT_TRUE(openAfterEscape);
            EXPECT_TRUE(openAfterClose);
            EXPECT_NE(answer, vbCancel);
        }
    }
}

TEST_F(RealDialogs, helpButtonOpensTheTopicAndLeavesTheBoxOpen)
{
    std::vector<HelpTopic> requested;
    setDialogHelpHandler([&requested](const HelpTopic& topic) { requested.push_back(topic); });
    const HelpTopic topic{QStringLiteral("/opt/korvanel/hilfe/index.html"), 3004};
    bool openAfterHelp = false;
    whenOpen([&](QWidget* dialog) {
        if (QPushButton* help = buttonWithText(dialog, QStringLiteral("Hilfe")))
            help->click();
        openAfterHelp = dialog->isVisible();
        if (QPushButton* cancel = buttonWithText(dialog, QStringLiteral("Abbrechen")))
            cancel->click();
    });
    const int answer = dialogs().msgBox(QStringLiteral("Reserviert"),
                                        vbOKCancel + vbCritical + vbDefaultButton2 +
                                            vbMsgBoxHelpButton,
                                        QStringLiteral("Datei-Reservierung"), topic);
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(answer, vbCancel);
    EXPECT_EQ(requested, std::vector<HelpTopic>{topic});
}

TEST_F(RealDialogs, inputBoxGivesTheTypedTextOrNothingOnCancel)
{
    struct Row {
        const char* name;
        std::function<void(QWidget*)> act;
        std::optional<QString> answer;
    };
    const auto type = [](QWidget* dialog, const QString& text) {
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtEingabe")))
            edit->setText(text);
    };
    const Row rows[] = {
        {"proposal taken", [](QWidget* d) { buttonWithText(d, QStringLiteral("OK"))->click(); },
         QStringLiteral("720x540")},
        {"typed",
         [&](QWidget* d) {
             type(d, QStringLiteral("Grüße, Anna"));
             buttonWithText(d, QStringLiteral("OK"))->click();
         },
         QStringLiteral("Grüße, Anna")},
        {"emptied", [&](QWidget* d) {
             type(d, QString());
             buttonWithText(d, QStringLiteral("OK"))->click();
         },
         QString()},
        {"cancelled",
         [&](QWidget* d) {
             type(d, QStringLiteral("verworfen"));
             buttonWithText(d, QStringLiteral("Abbrechen"))->click();
         },
         std::nullopt},
        {"escape", [](QWidget* d) { pressEscape(d); }, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QStringList buttons;
        QString proposal;
        QString title;
        whenOpen([&](QWidget* dialog) {
            buttons = sortedButtonTexts(dialog);
            title = dialog->windowTitle();
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtEingabe")))
                proposal = edit->text();
            row.act(dialog);
        });
        const std::optional<QString> answer =
            dialogs().inputBox(QStringLiteral("Legen Sie ein neues Format fest."),
                               QStringLiteral("Größe des Hauptfensters"),
                               QStringLiteral("720x540"));
        EXPECT_EQ(answer, row.answer);
        EXPECT_EQ(buttons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
        EXPECT_EQ(proposal, QStringLiteral("720x540"));
        EXPECT_EQ(title, QStringLiteral("Größe des Hauptfensters"));
    }
}

TEST_F(RealDialogs, inputBoxWithHelpTopicHasAHelpButtonThatKeepsItOpen)
{
    int helpCalls = 0;
    setDialogHelpHandler([&helpCalls](const HelpTopic& topic) {
        EXPECT_EQ(topic.context, 161);
        ++helpCalls;
    });
    bool openAfterHelp = false;
    whenOpen([&](QWidget* dialog) {
        if (QPushButton* help = buttonWithText(dialog, QStringLiteral("Hilfe")))
            help->click();
        openAfterHelp = dialog->isVisible();
        buttonWithText(dialog, QStringLiteral("OK"))->click();
    });
    const auto answer =
        dialogs().inputBox(QStringLiteral("Datum?"), QStringLiteral("Gehe zum Tag..."),
                           QStringLiteral("+1"), HelpTopic{QStringLiteral("hilfe"), 161});
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(helpCalls, 1);
    EXPECT_EQ(answer, QStringLiteral("+1"));
}

TEST(MsgBoxStyle, oddStyleValuesFallBackToWhatWindowsShowed)
{
    struct Row {
        const char* name;
        int style;
        std::vector<int> answers;
        int icon;
        int defaultAnswer;
        int escapeAnswer;
    };
    const Row rows[] = {
        {"unknown button set", 6 + vbInformation, {vbOK}, vbInformation, vbOK, vbOK},
        {"unknown icon", vbYesNo + 80, {vbYes, vbNo}, 0, vbYes, 0},
        {"fourth default button", vbYesNoCancel + 768, {vbYes, vbNo, vbCancel}, 0, vbYes,
         vbCancel},
        {"help and system modal bits", vbYesNo + vbDefaultButton2 + vbSystemModal +
                                           vbMsgBoxHelpButton,
         {vbYes, vbNo}, 0, vbNo, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(msgBoxAnswers(row.style), row.answers);
        EXPECT_EQ(msgBoxIcon(row.style), row.icon);
        EXPECT_EQ(msgBoxDefaultAnswer(row.style), row.defaultAnswer);
        EXPECT_EQ(msgBoxEscapeAnswer(row.style), row.escapeAnswer);
    }
}

TEST(FakeDialogs, answersFromTheScriptAndRecordsEveryCall)
{
    FakeDialogs fake;
    ScopedService guard(setDialogs, &fake);
    fake.expectMsgBox(vbNo, QStringLiteral("gelöscht"))
        .expectInputBox(QStringLiteral("Anna"), QStringLiteral("Benutzernamen"))
        .expectInputBox(std::nullopt);

    EXPECT_EQ(dialogs().msgBox(QStringLiteral("Wirklich gelöscht?"),
                               vbYesNo + vbQuestion + vbDefaultButton2 + vbMsgBoxHelpButton,
                               QStringLiteral("Löschen"), HelpTopic{QStringLiteral("h"), 155}),
              vbNo);
    EXPECT_EQ(dialogs().inputBox(QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."),
                                 QStringLiteral("Benutzername")),
              QStringLiteral("Anna"));
    EXPECT_EQ(dialogs().inputBox(QStringLiteral("Anzahl Tage zurück"), {}, QStringLiteral("365")),
              std::nullopt);

    EXPECT_EQ(fake.calls().size(), 3u);
    if (fake.calls().size() != 3u)
        return;
    const FakeDialogs::Call& box = fake.calls()[0];
    EXPECT_EQ(box.kind, FakeDialogs::Kind::MsgBox);
    EXPECT_EQ(box.title, QStringLiteral("Löschen"));
    EXPECT_EQ(box.buttons, vbYesNo);
    EXPECT_EQ(box.icon, vbQuestion);
    EXPECT_EQ(box.defaultAnswer, vbNo);
    EXPECT_TRUE(box.helpButton);
    EXPECT_EQ(box.help.context, 155);
    EXPECT_EQ(fake.calls()[1].kind, FakeDialogs::Kind::InputBox);
    EXPECT_EQ(fake.calls()[2].defaultText, QStringLiteral("365"));
    EXPECT_EQ(fake.pendingAnswers(), 0u);
}

TEST(FakeDialogs, misuseFailsTheTestInsteadOfHanging)
{
    FakeDialogs fake;
    ScopedService guard(setDialogs, &fake);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = dialogs().msgBox(QStringLiteral("Hallo"), vbYesNo),
                            "unscripted message box");
    EXPECT_EQ(answer, vbCancel);

    std::optional<QString> text = QStringLiteral("x");
    EXPECT_NONFATAL_FAILURE(text = dialogs().inputBox(QStringLiteral("Name?")),
                            "unscripted input box");
    EXPECT_EQ(text, std::nullopt);

    fake.expectMsgBox(vbYes);
    EXPECT_NONFATAL_FAILURE(answer = dialogs().msgBox(QStringLiteral("Weiter?"), vbOKCancel),
                            "which no button");
    EXPECT_EQ(answer, vbCancel);

    fake.expectMsgBox(vbOK, QStringLiteral("Kennwort"));
    EXPECT_NONFATAL_FAILURE(dialogs().msgBox(QStringLiteral("Datum ungültig")), "to hold");

    fake.expectInputBox(QStringLiteral("x"));
    EXPECT_NONFATAL_FAILURE(dialogs().msgBox(QStringLiteral("Hallo")),
                            "scripted answer is for an input box");
    fake.dropPendingAnswers();

    EXPECT_NONFATAL_FAILURE(
        {
            FakeDialogs unused;
            unused.expectMsgBox(vbOK);
        },
        "not used");
}

TEST(FakeDialogs, everyTestStartsWithDialogsThatRefuseToOpen)
{
    // No fake installed here: the test main's strict one answers.
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = dialogs().msgBox(QStringLiteral("Unerwartet")),
                            "unscripted message box");
    EXPECT_EQ(answer, vbCancel);
}

} // namespace
