#pragma once
// A shell that records what it was asked to open instead of opening it.
//
//   FakeShell shell;
//   ScopedService guard(platform::setShell, &shell);
//   ... code under test ...
//   EXPECT_EQ(shell.opened(), QStringList{QStringLiteral("www.example.de")});
//   EXPECT_EQ(shell.urls().front(), QUrl(QStringLiteral("http://www.example.de")));
//
// It answers true unless the test says otherwise (setAnswer(false): the desktop refused), and
// false for what the real shell refuses before asking the desktop: an empty target or a file
// or folder that does not exist.
#include "platform/shell.h"

#include <QStringList>
#include <QUrl>

#include <vector>

class FakeShell : public platform::Shell {
public:
    bool openUrl(const QString& target) override;

    void setAnswer(bool answer) { answer_ = answer; }
    // The targets as given, and what they became.
    const QStringList& opened() const { return opened_; }
    const std::vector<QUrl>& urls() const { return urls_; }
    void clear()
    {
        opened_.clear();
        urls_.clear();
    }

private:
    bool answer_ = true;
    QStringList opened_;
    std::vector<QUrl> urls_;
};
