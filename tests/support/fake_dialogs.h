#pragma once
// Dialogs answered from a script, synchronously, with every call recorded.
//
//   FakeDialogs dialogs;
//   ScopedService guard(platform::setDialogs, &dialogs);
//   dialogs.expectMsgBox(platform::vbYes, "wirklich gelöscht");
//   dialogs.expectInputBox(QStringLiteral("Anna"));
//   ... code under test ...
//   EXPECT_EQ(dialogs.calls()[0].icon, platform::vbCritical);
//
// A dialog without a scripted answer fails the test and answers Cancel (an input box nullopt),
// so a test never hangs on a dialog. So does a scripted answer that the box cannot give (Yes for
// an OK/Cancel box), a text that lacks the expected fragment, and an answer left unused when
// the fake is destroyed.
#include "platform/dialogs.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

class FakeDialogs : public platform::Dialogs {
public:
    enum class Kind { MsgBox, InputBox };

    struct Call {
        Kind kind = Kind::MsgBox;
        QString title;
        QString text;      // the message, or the prompt of an input box
        int style = 0;     // the whole style value of a message box
        int buttons = 0;   // vbOKOnly .. vbRetryCancel
        int icon = 0;      // 0, vbCritical, vbQuestion, vbExclamation, vbInformation
        int defaultAnswer = 0;
        bool helpButton = false;
        platform::HelpTopic help;
        QString defaultText; // the proposal of an input box
    };

    FakeDialogs() = default;
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;
    ~FakeDialogs() override;

    // The next message box answers answer; when textFragment is given, its text must hold it.
    FakeDialogs& expectMsgBox(int answer, const QString& textFragment = {});
    // The next input box answers answer (nullopt: Cancel); promptFragment as above.
    FakeDialogs& expectInputBox(std::optional<QString> answer, const QString& promptFragment = {});

    const std::vector<Call>& calls() const { return calls_; }
    std::size_t pendingAnswers() const { return script_.size(); }
    // Forgets the answers not yet used, so that the destructor does not complain.
    void dropPendingAnswers() { script_.clear(); }

protected:
    int showMessage(const QString& text, int style, const QString& title,
                    const platform::HelpTopic& help) override;
    std::optional<QString> askText(const QString& prompt, const QString& title,
                                   const QString& defaultText,
                                   const platform::HelpTopic& help) override;

private:
    struct Answer {
        Kind kind;
        int msgBoxAnswer = 0;
        std::optional<QString> inputAnswer;
        QString fragment;
    };

    // The next answer when it is of the right kind and its fragment fits; else a failure.
    std::optional<Answer> nextAnswer(const Call& call);

    std::deque<Answer> script_;
    std::vector<Call> calls_;
};
