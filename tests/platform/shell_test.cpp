#include "platform/shell.h"
#include "support/fake_shell.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Shell, webAndMailLinksBecomeTheirUrls)
{
    struct Row {
        const char* target;
        const char* url; // in its encoded form
    };
    const Row rows[] = {
        {"www.example.de", "http://www.example.de"},
        {"WWW.Example.de/Seite eins.html", "http://www.example.de/Seite%20eins.html"},
        {"https://example.de/suche?q=Tür", "https://example.de/suche?q=T%C3%BCr"},
        {"ftp://ftp.example.de/pub/", "ftp://ftp.example.de/pub/"},
        {"mailto:anna@example.de?subject=Hallo Welt",
         "mailto:anna@example.de?subject=Hallo%20Welt"},
        {"file:///home/anna/Tagebuch", "file:///home/anna/Tagebuch"},
    };
    for (const Row& row : rows) {
        const QString target = QString::fromUtf8(row.target);
        SCOPED_TRACE(target.toStdString());
        EXPECT_EQ(urlForOpening(target).toEncoded(), QByteArray(row.url));
    }
    EXPECT_TRUE(urlForOpening(QString()).isEmpty());
}

TEST(Shell, pathsBecomeFileUrlsOfTheirSpellingOnDisk)
{
    TempFolder temp;
    temp.write(QStringLiteral("Tage Buch/Notiz.txt"), "x");
    const QUrl expected = QUrl::fromLocalFile(temp.file(QStringLiteral("Tage Buch/Notiz.txt")));

    EXPECT_EQ(urlForOpening(temp.file(QStringLiteral("Tage Buch/Notiz.txt"))), expected);
    EXPECT_EQ(urlForOpening(temp.file(QStringLiteral("TAGE BUCH/notiz.TXT"))), expected);
    EXPECT_EQ(urlForOpening(temp.path() + QStringLiteral("\\Tage Buch\\Notiz.txt")), expected);
    EXPECT_EQ(urlForOpening(temp.file(QStringLiteral("Tage Buch"))),
              QUrl::fromLocalFile(temp.file(QStringLiteral("Tage Buch"))));
    // A drive letter is no scheme: such a name is a (relative) path.
    EXPECT_TRUE(urlForOpening(QStringLiteral("C:\\Daten")).isLocalFile());

    const QString previous = QDir::currentPath();
    QDir::setCurrent(temp.path());
    EXPECT_EQ(urlForOpening(QStringLiteral("tage buch/notiz.txt")), expected);
    QDir::setCurrent(previous);
}

TEST(Shell, nothingIsOpenedForAnEmptyTargetOrAMissingFile)
{
    TempFolder temp;
    ScopedService<Shell> real(setShell, nullptr);
    EXPECT_FALSE(shell().openUrl(QString()));
    EXPECT_FALSE(shell().openUrl(temp.file(QStringLiteral("fehlt.txt"))));
    EXPECT_FALSE(shell().openUrl(temp.file(QStringLiteral("fehlt/"))));
}

TEST(Shell, fakeRecordsTargetsAndAnswersLikeTheRealOne)
{
    TempFolder temp;
    temp.write(QStringLiteral("da.txt"), "x");
    FakeShell fake;
    ScopedService guard(setShell, &fake);

    EXPECT_TRUE(shell().openUrl(QStringLiteral("www.example.de")));
    EXPECT_TRUE(shell().openUrl(temp.file(QStringLiteral("da.txt"))));
    EXPECT_FALSE(shell().openUrl(temp.file(QStringLiteral("weg.txt"))));
    fake.setAnswer(false);
    EXPECT_FALSE(shell().openUrl(QStringLiteral("mailto:anna@example.de")));

    EXPECT_EQ(fake.opened(), (QStringList{QStringLiteral("www.example.de"),
                                          temp.file(QStringLiteral("da.txt")),
                                          temp.file(QStringLiteral("weg.txt")),
                                          QStringLiteral("mailto:anna@example.de")}));
    EXPECT_EQ(fake.urls().front(), QUrl(QStringLiteral("http://www.example.de")));
}

} // namespace
