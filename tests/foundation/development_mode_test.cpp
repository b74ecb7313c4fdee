#include "foundation/development_mode.h"

#include <QtGlobal>
#include <gtest/gtest.h>

using foundation::InEntwicklungsumgebung;

TEST(InEntwicklungsumgebung, isFalseWithoutTheSwitchAndDecidedOnce)
{
    const QByteArray saved = qgetenv("KORVANEL_ENTWICKLUNG");
    qunsetenv("KORVANEL_ENTWICKLUNG");
    foundation::resetEntwicklungsumgebung();
    EXPECT_FALSE(InEntwicklungsumgebung());

    // The answer is settled by the first call.
    qputenv("KORVANEL_ENTWICKLUNG", "1");
    EXPECT_FALSE(InEntwicklungsumgebung());

    foundation::resetEntwicklungsumgebung();
    EXPECT_TRUE(InEntwicklungsumgebung());

    qputenv("KORVANEL_ENTWICKLUNG", "0");
    foundation::resetEntwicklungsumgebung();
    EXPECT_FALSE(InEntwicklungsumgebung());

    if (saved.isNull())
        qunsetenv("KORVANEL_ENTWICKLUNG");
    else
        qputenv("KORVANEL_ENTWICKLUNG", saved);
    foundation::resetEntwicklungsumgebung();
}
