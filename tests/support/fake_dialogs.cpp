#include "fake_dialogs.h"


#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

const char* kindName(FakeDialogs::Kind kind)
{
    switch (kind) {
    case FakeDialogs::Kind::MsgBox:
        return "message box";
    case FakeDialogs::Kind::InputBox:
        return "input box";
    case FakeDialogs::Kind::OpenFile:
        return "open-file chooser";
    case FakeDialogs::Kind::SaveFile:
        return "save-file chooser";
    case FakeDialogs::Kind::Folder:
        return "folder chooser";
    case FakeDialogs::Kind::Color:
        return "colour chooser";
    case FakeDialogs::Kind::Printer:
        return "printer chooser";
    case FakeDialogs::Kind::Font:
        return "font chooser";
    }
    return "dialog";
}

std::string describe(const FakeDialogs::Call& call)
{
    return std::string(kindName(call.kind)) + " titled \"" + call.title.toStdString()
           + "\" with text \"" + call.text.toStdString() + "\"";
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
    script_.push_back({Kind::MsgBox, answer, std::nullopt, textFragment, 0, {}, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectInputBox(std::optional<QString> answer,
                                         const QString& promptFragment)
{
    script_.push_back({Kind::InputBox, 0, std::move(answer), promptFragment, 0, {}, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectOpenFile(std::optional<QString> path, int filterIndex,
                                         const QString& titleFragment)
{
    script_.push_back({Kind::OpenFile, 0, std::move(path), titleFragment, filterIndex, {}, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectSaveFile(std::optional<QString> path, int filterIndex,
                                         const QString& titleFragment)
{
    script_.push_back({Kind::SaveFile, 0, std::move(path), titleFragment, filterIndex, {}, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectFolder(std::optional<QString> path, const QString& titleFragment)
{
    script_.push_back({Kind::Folder, 0, std::move(path), titleFragment, 0, {}, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectColor(std::optional<QColor> color, const QString& titleFragment)
{
    script_.push_back({Kind::Color, 0, std::nullopt, titleFragment, 0, color, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectPrinter(std::optional<QString> deviceName,
                                        const QString& titleFragment)
{
    script_.push_back({Kind::Printer, 0, std::move(deviceName), titleFragment, 0, {}, {}});
    return *this;
}

FakeDialogs& FakeDialogs::expectFont(std::optional<platform::FontChoice> choice,
                                     const QString& titleFragment)
{
    script_.push_back({Kind::Font, 0, std::nullopt, titleFragment, 0, {}, std::move(choice)});
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
        const std::string kind = kindName(answer.kind);
        ADD_FAILURE() << "FakeDialogs: the next scripted answer is for "
                      << (kind.front() == 'i' || kind.front() == 'o' ? "an " : "a ") << kind
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

std::optional<platform::FileAnswer> FakeDialogs::askFile(const platform::FileRequest& request)
{
    Call call;
    switch (request.kind) {
    case platform::FileChooser::Open:
        call.kind = Kind::OpenFile;
        break;
    case platform::FileChooser::Save:
        call.kind = Kind::SaveFile;
        break;
    case platform::FileChooser::Folder:
        call.kind = Kind::Folder;
        break;
    }
    call.title = request.title;
    call.text = request.title;
    call.filter = request.filter;
    call.start = request.start;
    call.filterIndex = request.filterIndex;
    calls_.push_back(call);

    const std::optional<Answer> answer = nextAnswer(call);
    if (!answer || !answer->inputAnswer)
        return std::nullopt;
    return platform::FileAnswer{*answer->inputAnswer,
                                answer->filterIndex > 0 ? answer->filterIndex
                                                        : request.filterIndex};
}

std::optional<QColor> FakeDialogs::askColor(const QString& title, const QColor& start)
{
    Call call;
    call.kind = Kind::Color;
    call.title = title;
    call.text = title;
    call.startColor = start;
    calls_.push_back(call);

    const std::optional<Answer> answer = nextAnswer(call);
    if (!answer)
        return std::nullopt;
    return answer->colorAnswer;
}

std::optional<QString> FakeDialogs::askPrinter(const QString& title)
{
    Call call;
    call.kind = Kind::Printer;
    call.title = title;
    call.text = title;
    calls_.push_back(call);

    const std::optional<Answer> answer = nextAnswer(call);
    if (!answer)
        return std::nullopt;
    return answer->inputAnswer;
}

std::optional<platform::FontChoice> FakeDialogs::askFont(const platform::FontRequest& request)
{
    Call call;
    call.kind = Kind::Font;
    call.title = request.title;
    call.text = request.title;
    call.startFont = request.start;
    call.minSize = request.minSize;
    call.maxSize = request.maxSize;
    calls_.push_back(call);

    const std::optional<Answer> answer = nextAnswer(call);
    if (!answer || !answer->fontAnswer)
        return std::nullopt;
    platform::FontChoice choice = *answer->fontAnswer;
    choice.font.setPointSize(
        std::clamp(qRound(choice.font.pointSizeF()), request.minSize, request.maxSize));
    return choice;
}
