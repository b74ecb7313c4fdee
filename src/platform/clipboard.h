#pragma once
// The clipboard for plain text. Line ends stay as they are (CR LF in, CR LF out).
#include <QString>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // The text on the clipboard; "" when it holds none.
    virtual QString text() = 0;
    // Puts text on the clipboard in place of whatever it held.
    virtual void setText(const QString& text) = 0;
    // Empties the clipboard.
    virtual void clear() = 0;
};

Clipboard& clipboard();
Clipboard* setClipboard(Clipboard* replacement); // returns the one it replaces (nullptr: the real one)

} // namespace platform
