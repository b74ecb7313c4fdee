#include "platform/file_copy.h"
#include "runtime/error.h"
#include "support/qt_print.h"
#include "support/temp_folder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using platform::copyFileSafely;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(CopyFileSafely, copyHasTheBytesAndTheModificationTimeOfTheOriginal)
{
    TempFolder temp;
    const QByteArray bytes("Gr\xFC\xDF""e\r\n\x00\xFF", 8);
    temp.write(s("alt/19960417.txt"), bytes);
    temp.makeFolder(s("neu"));
    const QDateTime damals(QDate(1996, 4, 17), QTime(23, 49, 0));
    {
        QFile original(temp.file(s("alt/19960417.txt")));
        ASSERT_TRUE(original.open(QIODevice::ReadWrite));
        ASSERT_TRUE(original.setFileTime(damals, QFileDevice::FileModificationTime));
    }
    rt::clearError();

    // The original's name is found in any case; the copy gets the spelling given.
    EXPECT_TRUE(copyFileSafely(temp.file(s("ALT/19960417.TXT")), temp.file(s("neu/19960417.txt"))));

    EXPECT_EQ(rt::Err().number, 0);
    EXPECT_EQ(temp.read(s("neu/19960417.txt")), bytes);
    EXPECT_EQ(temp.read(s("alt/19960417.txt")), bytes);
    EXPECT_EQ(QFileInfo(temp.file(s("neu/19960417.txt"))).lastModified(), damals);
}

TEST(CopyFileSafely, failuresLeaveTheTargetAsItWasAndSayWhy)
{
    struct Fall {
        const char* name;
        const char* von;
        const char* nach;
        int fehler;
    };
    const Fall faelle[] = {
        {"target exists", "alt.txt", "da.txt", rt::ErrFileExists},
        {"target exists in another case", "alt.txt", "DA.TXT", rt::ErrFileExists},
        {"a folder at the target", "alt.txt", "ordner", rt::ErrFileExists},
        {"original missing", "fehlt.txt", "neu.txt", rt::ErrFileNotFound},
        {"original is a folder", "ordner", "neu.txt", rt::ErrFileNotFound},
        {"target folder missing", "alt.txt", "fehlt/neu.txt", rt::ErrPathNotFound},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        TempFolder temp;
        temp.write(s("alt.txt"), "alt");
        temp.write(s("da.txt"), "schon da");
        temp.makeFolder(s("ordner"));
        rt::clearError();

        EXPECT_FALSE(copyFileSafely(temp.file(s(fall.von)), temp.file(s(fall.nach))));

        EXPECT_EQ(rt::Err().number, fall.fehler);
        EXPECT_EQ(temp.read(s("da.txt")), QByteArray("schon da"));
        EXPECT_EQ(temp.read(s("alt.txt")), QByteArray("alt"));
        EXPECT_FALSE(temp.exists(s("neu.txt")));
        EXPECT_FALSE(temp.exists(s("fehlt")));
    }
}

TEST(CopyFileSafely, aCopyOfAnotherSizeThanTheOriginalIsRemoved)
{
    // Files of /proc report the size 0 but read as text.
    TempFolder temp;
    rt::clearError();

    EXPECT_FALSE(copyFileSafely(s("/proc/self/status"), temp.file(s("status"))));

    EXPECT_EQ(rt::Err().number, rt::ErrDeviceIO);
    EXPECT_FALSE(temp.exists(s("status")));
}

TEST(CopyFileSafely, aFolderWithoutWritePermissionRefusesTheCopy)
{
    if (runningAsRoot())
        GTEST_SKIP() << "the super-user writes into every folder";
    TempFolder temp;
    temp.write(s("alt.txt"), "alt");
    temp.makeFolder(s("zu"));
    PermissionGuard guard(temp.file(s("zu")));
    temp.setPermissions(s("zu"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    rt::clearError();

    EXPECT_FALSE(copyFileSafely(temp.file(s("alt.txt")), temp.file(s("zu/alt.txt"))));

    EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
    EXPECT_FALSE(temp.exists(s("zu/alt.txt")));
}

} // namespace
