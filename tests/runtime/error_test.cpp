#include "runtime/error.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

class ErrorRecord : public ::testing::Test {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }
};

TEST_F(ErrorRecord, raiseFillsStandardTextAndClearEmpties)
{
    EXPECT_FALSE(rt::Err());
    rt::raiseError(rt::ErrFileNotFound);
    EXPECT_TRUE(rt::Err());
    EXPECT_EQ(rt::Err().number, 53);
    EXPECT_EQ(rt::Err().description, QStringLiteral("Datei nicht gefunden"));
    EXPECT_EQ(rt::Err().source, QString());

    rt::raiseError(rt::ErrPermissionDenied, QStringLiteral("Eigener Text"), QStringLiteral("Speichern"));
    EXPECT_EQ(rt::Err().number, 70);
    EXPECT_EQ(rt::Err().description, QStringLiteral("Eigener Text"));
    EXPECT_EQ(rt::Err().source, QStringLiteral("Speichern"));

    rt::clearError();
    EXPECT_FALSE(rt::Err());
    EXPECT_EQ(rt::Err().description, QString());
    EXPECT_EQ(rt::Err().source, QString());
}

TEST_F(ErrorRecord, everyKnownNumberHasItsOwnGermanText)
{
    const QString unknown = QStringLiteral("Anwendungs- oder objektdefinierter Fehler");
    const int numbers[] = {5, 6, 7, 9, 11, 13, 52, 53, 54, 55, 57,
                           58, 61, 62, 67, 68, 70, 71, 74, 75, 76};
    for (int number : numbers) {
        SCOPED_TRACE(number);
        EXPECT_FALSE(rt::errorText(number).isEmpty());
        EXPECT_NE(rt::errorText(number), unknown);
    }
    EXPECT_EQ(rt::errorText(6), QStringLiteral("\u00DCberlauf"));
    EXPECT_EQ(rt::errorText(76), QStringLiteral("Pfad nicht gefunden"));
    EXPECT_EQ(rt::errorText(999), unknown);
    EXPECT_EQ(rt::errorText(0), QString());
}

} // namespace
