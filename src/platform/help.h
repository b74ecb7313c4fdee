#pragma once
// The program's help: HTML pages opened in the browser (in place of the help viewers of
// HtmlHelp and WinHelp).
//
// The help of a help file "<folder>/<name>.<ext>" ("Korvanel.chm") is the folder
// "<folder>/<name>-hilfe" beside it: "index.html" is its default topic, "<context>.html" the
// topic of a context number ("4004.html"). Names are found without regard to case.
#include <QString>

namespace platform {

class Help {
public:
    virtual ~Help() = default;

    // Whether the help of that file is there (its folder with an "index.html").
    virtual bool available(const QString& helpFile) = 0;
    // Opens the topic of context (0: the default topic; a topic without a page of its own: the
    // default topic) through the shell service. False when the help is missing, the context is
    // below 0 or the browser refused.
    virtual bool showTopic(const QString& helpFile, int context) = 0;
    // Closes the help windows. A page in the browser belongs to the browser, so the real
    // service can close nothing; the call is kept for the fake and for the callers' order.
    virtual void closeAll() = 0;
};

Help& help();
Help* setHelp(Help* replacement); // returns the one it replaces (nullptr: the real one)

// The help folder of a help file ("\" taken as "/"): its path without the extension, plus
// "-hilfe"; "" for an empty name.
QString helpFolder(const QString& helpFile);
// The page that shows the topic: "<context>.html" when it exists, else "index.html"; "" when
// the help is missing or the context is below 0.
QString helpPage(const QString& helpFile, int context);

} // namespace platform
