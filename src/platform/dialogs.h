#pragma once
// Message boxes, input boxes and the choosers of a file, a folder, a colour and a printer:
// every dialog of the program goes through this service, so that tests answer them from a
// script. A chooser that the user cancels gives nothing (nullopt).
//
//   int filter = 1;
//   if (auto datei = platform::dialogs().openFile(u"Bild wählen"_qs,
//                                                  u"Bilder|*.png;*.jpg|Alle Dateien|*.*"_qs,
//                                                  startOrdner, &filter))
//       ... *datei is the chosen path, filter the (1-based) filter the user had chosen
//   if (auto farbe = platform::dialogs().chooseColor(u"Farbe"_qs, jetzt)) ...
//   if (auto drucker = platform::dialogs().choosePrinter(u"Druckereinrichtung"_qs))
//       platform::printer().selectPrinter(*drucker);
//   platform::FontChoice jetzt{vorschau->font(), textFarbe};
//   if (auto wahl = platform::dialogs().chooseFont(u"Schrift"_qs, jetzt, 4, 25)) ...
//       wahl->font: family, whole point size, bold, italic, underline, strikeout; wahl->color
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
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

// The file choosers' filter in the program's form: pairs of a name and its patterns, all
// separated by "|", the patterns of one pair by ";":
//   "Bilder|*.bmp;*.jpg|Dateien (05.03.2024)|2024-03-05*.*"
// As Qt's list of name filters, one "Name (patterns)" each. Patterns match names without regard
// to case (each letter becomes "[xX]"), and a pattern ending in ".*" matches a name without an
// extension too, as it did on Windows ("*.*" is every file). A trailing name without patterns
// is dropped; an empty filter gives one filter of every file ("Alle Dateien (*)").
// With ignoreCase false the letters stay as written: a save chooser puts the extension of its
// filter's first pattern on the proposed name, which must stay a name ("Ausgabe.kv", not
// "Ausgabe.[kK][vV]").
QStringList fileNameFilters(const QString& filter, bool ignoreCase = true);

enum class FileChooser {
    Open,   // an existing file
    Save,   // a file to write; an existing one is written only after the user confirmed it
    Folder, // an existing folder
};

// What a file chooser is asked.
struct FileRequest {
    FileChooser kind = FileChooser::Open;
    QString title;
    QString filter;      // see fileNameFilters; not used for a folder
    QString start;       // the folder shown first; for Save also a proposed file path
    int filterIndex = 1; // the filter shown first, 1-based
};

// What the user chose: the path, and the filter that was in use (1-based).
struct FileAnswer {
    QString path;
    int filterIndex = 1;
};

// A font with its effects and its text colour, as the font chooser shows and gives it. Only the
// family, the point size, bold, italic, underline and strikeout of the font are used.
struct FontChoice {
    QFont font;
    QColor color;
};

// What the font chooser is asked: the start font (its size is shown within the limits) and the
// smallest and largest point size the user may choose.
struct FontRequest {
    QString title;
    FontChoice start;
    int minSize = 4;
    int maxSize = 25;
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

    // Asks for a password: as inputBox, without a proposal, the typed characters hidden.
    std::optional<QString> inputPassword(const QString& prompt, const QString& title = {})
    {
        return askPassword(prompt, title);
    }

    // A file to open, a file to save, a folder. filterIndex (optional, 1-based) chooses the
    // filter shown first and gets the one in use when the user chose a file.
    std::optional<QString> openFile(const QString& title, const QString& filter = {},
                                    const QString& start = {}, int* filterIndex = nullptr)
    {
        return chooseFile(FileChooser::Open, title, filter, start, filterIndex);
    }
    std::optional<QString> saveFile(const QString& title, const QString& filter = {},
                                    const QString& start = {}, int* filterIndex = nullptr)
    {
        return chooseFile(FileChooser::Save, title, filter, start, filterIndex);
    }
    std::optional<QString> chooseFolder(const QString& title, const QString& start = {})
    {
        return chooseFile(FileChooser::Folder, title, {}, start, nullptr);
    }

    // A colour, start preselected (with the custom colours open).
    std::optional<QColor> chooseColor(const QString& title, const QColor& start)
    {
        return askColor(title, start);
    }

    // The printer set-up: the device name of one of the installed printers (the current one
    // preselected). The caller makes it the current printer of the program.
    std::optional<QString> choosePrinter(const QString& title) { return askPrinter(title); }

    // A font with underline, strikeout and colour, start preselected; sizes between minSize and
    // maxSize points (whole points). A start size outside the limits is shown at the nearest
    // limit; the answer always lies within them. Cancel gives nothing: the caller keeps start.
    std::optional<FontChoice> chooseFont(const QString& title, const FontChoice& start,
                                         int minSize = 4, int maxSize = 25)
    {
        if (maxSize < minSize)
            std::swap(minSize, maxSize);
        return askFont(FontRequest{title, start, minSize, maxSize});
    }

protected:
    virtual int showMessage(const QString& text, int style, const QString& title,
                            const HelpTopic& help) = 0;
    virtual std::optional<QString> askText(const QString& prompt, const QString& title,
                                           const QString& defaultText, const HelpTopic& help) = 0;
    // Dialogs that cannot hide what is typed ask for a password as for any text.
    virtual std::optional<QString> askPassword(const QString& prompt, const QString& title)
    {
        return askText(prompt, title, {}, {});
    }
    virtual std::optional<FileAnswer> askFile(const FileRequest& request) = 0;
    virtual std::optional<QColor> askColor(const QString& title, const QColor& start) = 0;
    virtual std::optional<QString> askPrinter(const QString& title) = 0;
    virtual std::optional<FontChoice> askFont(const FontRequest& request) = 0;

private:
    std::optional<QString> chooseFile(FileChooser kind, const QString& title,
                                      const QString& filter, const QString& start,
                                      int* filterIndex)
    {
        FileRequest request{kind, title, filter, start, filterIndex ? *filterIndex : 1};
        std::optional<FileAnswer> answer = askFile(request);
        if (!answer || answer->path.isEmpty())
            return std::nullopt;
        if (filterIndex)
            *filterIndex = answer->filterIndex;
        return answer->path;
    }
};

Dialogs& dialogs();
Dialogs* setDialogs(Dialogs* replacement); // returns the one it replaces (nullptr: the real one)

// What the Help button of a box does; until the help service sets it, nothing.
using HelpHandler = std::function<void(const HelpTopic&)>;
void setDialogHelpHandler(HelpHandler handler);

} // namespace platform
