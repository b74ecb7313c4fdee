#pragma once
// A clipboard of the test's own, so that tests neither see nor change each other's text.
//
//   FakeClipboard clipboard;
//   ScopedService guard(platform::setClipboard, &clipboard);
//   clipboard.setText(QStringLiteral("Zeile 1\r\nZeile 2"));
#include "platform/clipboard.h"

class FakeClipboard : public platform::Clipboard {
public:
    QString text() override { return text_; }
    void setText(const QString& text) override { text_ = text; }
    void clear() override { text_.clear(); }

private:
    QString text_;
};
