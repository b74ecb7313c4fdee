#include "fake_dialogs.h"


#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

std::string describe(const FakeDialogs::Call& call)
{
    const char* kind = call.kind == FakeDialogs::Kind::MsgBox ? "message box" : "input box";
    return std::string(kind) + " titled \"" + call.title.toStdString() + "\" with text \"" +
           call.text.toStdString() + "\"";
}

} // namespace

FakeDialogs::~FakeDialogs()
{
    if (!script_.empty())
        ADD_FAILURE() << "FakeDialogs: " << script_.size()
                      << " scripted answer(s) not used; the first expects text \""
                      << script_.front().fragment.toStdString() << "\"";
}

FakeDialogs& FakeDialogs::expectMsgBox(int answer, const QString& textFragment)
{
    script_.push_back({Kind::MsgBox, answer, std::nullopt, textFragment});
    return *this;
}

FakeDialogs& FakeDialogs::expectInputBox(std::optional<QString> answer,
                                         const QString& promptFragment)
{
    script_.push_back({Kind::InputBox, 0, std::move(answer), promptFragment});
    return *this;
}

std::optional<FakeDialogs::Answer> FakeDialogs::nextAnswer(const Call& call)
{
    if (script_.empty()) {
        ADD_FAILURE() << "FakeDialogs: unscripted " << describe(call);
        return std::nullopt;
    }
    Answer answer = script_.front();
    if (answer.kind != call.kind) {
        ADD_FAILURE() << "FakeDialogs: the next scripted answer is for "
                      << (answer.kind == Kind::MsgBox ? "a message box" : "an input box")
                      << ", but the program shows a " << describe(call);
        return std::nullopt;
    }
    script_.pop_front();
    if (!call.text.contains(answer.fragment))
        ADD_FAILURE() << "FakeDialogs: expected the text to hold \""
                      << answer.fragment.toStdString() << "\" in the " << describe(call);
    return answer;
}

int FakeDialogs::showMessage(const QString& text, int style, const QString& title,
                             const platform::HelpTopic& help)
{
    Call call;
    call.kind = Kind::MsgBox;
    call.title = title;
    call.text = text;
    call.style = style;
    call.buttons = platform::msgBoxButtons(style);
    call.icon = platform::msgBoxIcon(style);
    call.defaultAnswer = platform::msgBoxDefaultAnswer(style);
    call.helpButton = platform::msgBoxHelpButton(style);
    call.help = help;
    calls_.push_back(call);

    const std::optional<Answer> answer = nextAnswer(call);
    if (!answer)
        return platform::vbCancel;
    const std::vector<int> possible = platform::msgBoxAnswers(style);
    if (std::find(possible.begin(), possible.end(), answer->msgBoxAnswer) == possible.end()) {
        ADD_FAILURE() << "FakeDialogs: the script answers " << answer->msgBoxAnswer
                      << ", which no button of the " << describe(call) << " gives (style "
                      << style << ")";
        return platform::vbCancel;
    }
    return answer->msgBoxAnswer;
}

std::optional<QString> FakeDialogs::askText(const QString& prompt, const QString& title,
                                            const QString& defaultText,
                                            const platform::HelpTopic& help)
{
    Call call;
    call.kind = Kind::InputBox;
    call.title = title;
    call.text = prompt;
    call.help = help;
    call.helpButton = help.isSet();
    call.defaultText = defaultText;
    calls_.push_back(call);

    const std::optional<Answer> answer = nextAnswer(call);
    if (!answer)
        return std::nullopt;
    return answer->inputAnswer;
}
