#pragma once
// Opening a document, folder, web address or e-mail link with the desktop's program for it (in
// place of ShellExecute "open"): xdg-open through QDesktopServices.
#include <QString>
#include <QUrl>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Opens target (see urlForOpening) and returns at once: true when the desktop took it on,
    // false for an empty target, a file or folder that does not exist, or a desktop that
    // refused. What the opened program does afterwards is not known here.
    virtual bool openUrl(const QString& target) = 0;
};

Shell& shell();
Shell* setShell(Shell* replacement); // returns the one it replaces (nullptr: the real one)

// What target names, as a URL:
// - a text that begins with "www." (any case) is a web address: "http://" is put in front;
// - a text that begins with a scheme of two or more letters and ":" ("http:", "https:",
//   "ftp:", "mailto:", "file:", ...) is taken as that URL, blanks and umlauts encoded;
// - anything else is a path of a file or folder ("\" taken as "/", found without regard to
//   case, relative to the current folder when not absolute): a file URL.
// An empty target gives an empty URL.
QUrl urlForOpening(const QString& target);

} // namespace platform
