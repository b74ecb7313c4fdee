#pragma once
// Message boxes and input boxes (later also the file, folder, font, colour and printer
// choosers): every dialog of the program goes through this service, so that tests answer them
// from a script.
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace platform {

// The style value of a message box: buttons + icon + default button (+ help button), as VB's
// MsgBox took it.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
// Stays in front of every window; on Linux the box is modal for the program only.
inline constexpr int vbSystemModal = 4096;
inline constexpr int vbMsgBoxHelpButton = 16384;

// The answers of a message box.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// The parts of a style value. An unknown button set counts as vbOKOnly, an unknown icon as none.
int msgBoxButtons(int style);       // vbOKOnly .. vbRetryCancel
int msgBoxIcon(int style);          // 0, vbCritical, vbQuestion, vbExclamation, vbInformation
int msgBoxDefaultButton(int style); // 1 .. 3 as given; see msgBoxDefaultAnswer
bool msgBoxHelpButton(int style);
// The answers of the buttons in their order ({vbYes, vbNo, vbCancel} for vbYesNoCancel).
std::vector<int> msgBoxAnswers(int style);
// The answer of the default button; the first button when the style names a missing one.
int msgBoxDefaultAnswer(int style);
// The answer of Escape and of the close box: Cancel where the box has it, OK for an OK-only
// box, none (0) for Yes/No and Abort/Retry/Ignore, which only a button closes.
int msgBoxEscapeAnswer(int style);
// The German text of the button of an answer: "OK", "Abbrechen", "Abbrechen" (abort),
// "Wiederholen", "Ignorieren", "Ja", "Nein".
QString msgBoxButtonText(int answer);

// A topic of the program's help, for the Help button of a box.
struct HelpTopic {
    QString file;
    int context = 0;

    bool isSet() const { return !file.isEmpty(); }
    friend bool operator==(const HelpTopic&, const HelpTopic&) = default;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows text (plain text, never rich text) with the buttons, icon and default button of
    // style and returns the answer (vbOK .. vbNo). An empty title shows the program's name.
    // The Help button (vbMsgBoxHelpButton) opens help at the topic and leaves the box open.
    int msgBox(const QString& text, int style = vbOKOnly, const QString& title = {},
               const HelpTopic& help = {})
    {
        return showMessage(text, style, title, help);
    }

    // Asks for one line of text, proposing defaultText; nullopt when the user cancels (VB
    // returned "" then). A set help topic adds a Help button.
    std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                    const QString& defaultText = {}, const HelpTopic& help = {})
    {
        return askText(prompt, title, defaultText, help);
    }

protected:
    virtual int showMessage(const QString& text, int style, const QString& title,
                            const HelpTopic& help) = 0;
    virtual std::optional<QString> askText(const QString& prompt, const QString& title,
                                           const QString& defaultText, const HelpTopic& help) = 0;
};

Dialogs& dialogs();
Dialogs* setDialogs(Dialogs* replacement); // returns the one it replaces (nullptr: the real one)

// What the Help button of a box does; until the help service sets it, nothing.
using HelpHandler = std::function<void(const HelpTopic&)>;
void setDialogHelpHandler(HelpHandler handler);

} // namespace platform
