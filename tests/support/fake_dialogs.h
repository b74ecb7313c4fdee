#pragma once
// Dialogs answered from a script, synchronously, with every call recorded.
//
//   FakeDialogs dialogs;
//   ScopedService guard(platform::setDialogs, &dialogs);
//   dialogs.expectMsgBox(platform::vbYes, "wirklich gelöscht");
//   dialogs.expectInputBox(QStringLiteral("Anna"));
//   dialogs.expectOpenFile(u"/home/anna/bild.png"_qs, 2);   // chosen with the second filter
//   dialogs.expectColor(std::nullopt);                       // the user cancels
//   dialogs.expectFont(platform::FontChoice{QFont(u"Arial"_qs, 12), Qt::red});
//   ... code under test ...
//   EXPECT_EQ(dialogs.calls()[0].icon, platform::vbCritical);
//
// A dialog without a scripted answer fails the test and answers Cancel (an input box or a chooser
// nullopt), so a test never hangs on a dialog. The fragment of a chooser's answer is looked for
// in its title. So does a scripted answer that the box cannot give (Yes for
// an OK/Cancel box), a text that lacks the expected fragment, and an answer left unused when
// the fake is destroyed.
#include "platform/dialogs.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

class FakeDialogs : public platform::Dialogs {
public:
    enum class Kind { MsgBox, InputBox, OpenFile, SaveFile, Folder, Color, Printer, Font };

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
        QString filter;      // a file chooser's filter as the program gave it
        QString start;       // its start folder or proposed file
        int filterIndex = 0; // the filter it showed first (1-based)
        QColor startColor;   // the colour chooser's start colour
        platform::FontChoice startFont; // the font chooser's start font and colour
        int minSize = 0;     // and its size limits
        int maxSize = 0;
    };

    FakeDialogs() = default;
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;
    ~FakeDialogs() override;

    // The next message box answers answer; when textFragment is given, its text must hold it.
    FakeDialogs& expectMsgBox(int answer, const QString& textFragment = {});
    // The next input box answers answer (nullopt: Cancel); promptFragment as above.
    FakeDialogs& expectInputBox(std::optional<QString> answer, const QString& promptFragment = {});
    // The next chooser of that kind answers path (nullopt: Cancel); filterIndex 0 leaves the
    // filter as the program showed it, another value is the filter the user chose.
    FakeDialogs& expectOpenFile(std::optional<QString> path, int filterIndex = 0,
                                const QString& titleFragment = {});
    FakeDialogs& expectSaveFile(std::optional<QString> path, int filterIndex = 0,
                                const QString& titleFragment = {});
    FakeDialogs& expectFolder(std::optional<QString> path, const QString& titleFragment = {});
    FakeDialogs& expectColor(std::optional<QColor> color, const QString& titleFragment = {});
    // The device name the user chooses in the printer set-up.
    FakeDialogs& expectPrinter(std::optional<QString> deviceName,
                               const QString& titleFragment = {});

    // The next font chooser answers choice (nullopt: Cancel). Like the real chooser, the answer's
    // size is kept within the limits the program asked for.
    FakeDialogs& expectFont(std::optional<platform::FontChoice> choice,
                            const QString& titleFragment = {});

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
    std::optional<platform::FileAnswer> askFile(const platform::FileRequest& request) override;
    std::optional<QColor> askColor(const QString& title, const QColor& start) override;
    std::optional<QString> askPrinter(const QString& title) override;
    std::optional<platform::FontChoice> askFont(const platform::FontRequest& request) override;

private:
    struct Answer {
        Kind kind;
        int msgBoxAnswer = 0;
        std::optional<QString> inputAnswer; // also a chooser's path or device name
        QString fragment;
        int filterIndex = 0;
        std::optional<QColor> colorAnswer;
        std::optional<platform::FontChoice> fontAnswer;
    };

    // The next answer when it is of the right kind and its fragment fits; else a failure.
    std::optional<Answer> nextAnswer(const Call& call);

    std::deque<Answer> script_;
    std::vector<Call> calls_;
};
