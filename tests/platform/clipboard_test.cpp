#include "platform/clipboard.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Clipboard, plainTextKeepsItsLineEndsAndUmlauts)
{
    ScopedService<Clipboard> real(setClipboard, nullptr);
    const QString text =
        QStringLiteral("05.03.2024:\r\nÄrger über »Straße«\r\n\r\nEnde\tTab\r\n");
    clipboard().setText(text);
    EXPECT_EQ(clipboard().text(), text);

    clipboard().setText(QStringLiteral("neu"));
    EXPECT_EQ(clipboard().text(), QStringLiteral("neu"));

    clipboard().clear();
    EXPECT_EQ(clipboard().text(), QString());
}

} // namespace
