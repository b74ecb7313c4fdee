#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "runtime/dates.h"
#include "store/transfer_files.h"
#include "own_data_folder.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <QDir>
#include <gtest/gtest.h>

using store::TempDateienLöschen;
using store::TempKopieSchreiben;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class TransferFiles : public ::testing::Test {
protected:
    QStringList dateien() const
    {
        return QDir(daten.path()).entryList(QDir::Files, QDir::Name);
    }

    EigenerDatenOrdner daten;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 14, 7, 9)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
};

TEST_F(TransferFiles, copyIsNamedAfterDayAndTimeAndHoldsTheTextAndOneLineBreak)
{
    EXPECT_EQ(TempKopieSchreiben(s("Liebes Tagebuch,\r\nheute schön.")),
              daten.path() + s("/05140709.$$$"));
    EXPECT_EQ(daten.read(s("05140709.$$$")),
              QByteArray("Liebes Tagebuch,\r\nheute sch\xF6n.\r\n"));

    // Within the same second the name repeats and the second copy replaces the first.
    TempKopieSchreiben(s("Zweite Fassung"));
    EXPECT_EQ(daten.read(s("05140709.$$$")), QByteArray("Zweite Fassung\r\n"));

    // A character beyond Windows-1252 makes the whole file UTF-8, so nothing is lost.
    clock.advance(1000);
    TempKopieSchreiben(s("Grüße → morgen"));
    EXPECT_EQ(daten.read(s("05140710.$$$")),
              QByteArray("\xEF\xBB\xBF") + s("Grüße → morgen\r\n").toUtf8());

    // Nothing goes to the program folder.
    EXPECT_EQ(dateien(), (QStringList{s("05140709.$$$"), s("05140710.$$$")}));
    EXPECT_TRUE(QDir(foundation::ordnerPrg).entryList({s("*.$$$")}, QDir::Files).isEmpty());
}

TEST_F(TransferFiles, deletingRemovesEveryTransferFileOfTheDataFolderOnly)
{
    daten.write(s("05140709.$$$"), "eins");
    daten.write(s("ALT.$$$"), "zwei");
    daten.write(s("Brief.txt"), "bleibt");
    daten.write(s("Sicherung.$$$.bak"), "bleibt auch");
    daten.write(s("2024/20240305.$$$"), "im Jahresordner");

    TempDateienLöschen();

    EXPECT_EQ(dateien(), (QStringList{s("Brief.txt"), s("Sicherung.$$$.bak")}));
    EXPECT_TRUE(daten.exists(s("2024/20240305.$$$")));
}

TEST_F(TransferFiles, readOnlyModeWritesAndDeletesNothing)
{
    daten.write(s("ALT.$$$"), "bleibt");
    foundation::nurLesen = true;

    EXPECT_EQ(TempKopieSchreiben(s("Text")), QString());
    TempDateienLöschen();

    EXPECT_EQ(dateien(), QStringList{s("ALT.$$$")});
}

} // namespace
