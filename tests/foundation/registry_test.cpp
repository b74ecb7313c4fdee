#include "foundation/registry.h"
#include "runtime/error.h"
#include "support/qt_print.h"
#include "support/temp_settings.h"

#include <gtest/gtest.h>

using foundation::HKEY_CURRENT_USER;
using foundation::RegLesen;
using foundation::RegSchluesselAnlegen;
using foundation::RegSchreiben;
using foundation::RegWertLesen;
using foundation::RegWertSetzen;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class Registry : public ::testing::Test {
protected:
    QByteArray registryIni() const { return folders.settingsFile(s("Registry.ini")); }

    TempSettingsFolders folders;
};

TEST_F(Registry, writeStoresTheValueUnderTheProgramsKeyAndReadsItBack)
{
    EXPECT_EQ(RegSchreiben(QString(), s("Dir"), s("/home/anna/Programme/Korvanel  ")),
              s("/home/anna/Programme/Korvanel"));
    EXPECT_EQ(registryIni(), QByteArray("[SOFTWARE/Brisols-Programme/Brisols-Korvanel]\r\n"
                                        "Dir=\"/home/anna/Programme/Korvanel\"\r\n"));
    EXPECT_EQ(RegLesen(s("Brisols-Korvanel"), s(" dir "), s("fehlt")),
              s("/home/anna/Programme/Korvanel"));

    // Writing again replaces the value in place.
    EXPECT_EQ(RegSchreiben(QString(), s("DIR"), s("/opt/korvanel")), s("/opt/korvanel"));
    EXPECT_EQ(registryIni(), QByteArray("[SOFTWARE/Brisols-Programme/Brisols-Korvanel]\r\n"
                                        "Dir=\"/opt/korvanel\"\r\n"));
}

TEST_F(Registry, valuesKeepLeadingBlanksQuotesAndLineBreaks)
{
    struct Row {
        const char* name;
        QString value;
        QString readBack;
        QByteArray line;
    };
    const Row rows[] = {
        {"two lines", s("Zeile 1\r\nZeile 2"), s("Zeile 1\r\nZeile 2"),
         "Wert=\"Zeile 1\xB0\xB0Zeile 2\""},
        {"lone line feed", s("a\nb"), s("a\r\nb"), "Wert=\"a\xB0\xB0" "b\""},
        {"leading blanks kept, trailing not", s("  innen  "), s("  innen"), "Wert=\"  innen\""},
        {"quotes", s("\"zitiert\""), s("\"zitiert\""), "Wert=\"\"zitiert\"\""},
        {"empty", QString(), QString(), "Wert=\"\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RegSchreiben(s("Test"), s("Wert"), row.value), row.readBack);
        EXPECT_EQ(RegLesen(s("Test"), s("Wert"), s("fehlt")), row.readBack);
        EXPECT_EQ(registryIni(),
                  "[SOFTWARE/Brisols-Programme/Test]\r\n" + row.line + "\r\n");
    }
}

TEST_F(Registry, missingKeysAndValuesGiveTheDefaultUnchanged)
{
    const QString zweiZeilen = s("a\r\nb");
    EXPECT_EQ(RegLesen(QString(), s("Dir"), zweiZeilen), zweiZeilen);
    RegSchreiben(QString(), s("Dir"), s("/x"));
    EXPECT_EQ(RegLesen(QString(), s("Anderer"), zweiZeilen), zweiZeilen);
    EXPECT_EQ(RegLesen(s("Andere-Familie"), s("Dir"), s("d")), s("d"));
}

TEST_F(Registry, emptyKeyTextWritesTheValueQuestionMarkKey)
{
    EXPECT_EQ(RegSchreiben(QString(), s("   "), s("v")), s("v"));
    EXPECT_EQ(registryIni(), QByteArray("[SOFTWARE/Brisols-Programme/Brisols-Korvanel]\r\n"
                                        "??? Key=\"v\"\r\n"));
    EXPECT_EQ(RegLesen(QString(), QString(), s("d")), s("v"));
}

TEST_F(Registry, valueThatCannotBeStoredGivesQuestionMarks)
{
    rt::raiseError(rt::ErrFileNotFound);
    EXPECT_EQ(RegSchreiben(QString(), s("a=b"), s("v")), s("???"));
    EXPECT_EQ(rt::Err().number, rt::ErrFileNotFound);
    rt::clearError();
}

TEST_F(Registry, keysAreCreatedOnceAndFoundInAnyCase)
{
    const QString pfad = s("SOFTWARE\\Brisols-Programme\\Neu");
    EXPECT_TRUE(RegSchluesselAnlegen(HKEY_CURRENT_USER, pfad));
    EXPECT_EQ(registryIni(), QByteArray("[SOFTWARE/Brisols-Programme/Neu]\r\n"));
    EXPECT_FALSE(RegSchluesselAnlegen(HKEY_CURRENT_USER, s("software/brisols-programme/NEU")));
    // A key above an existing one exists too.
    EXPECT_FALSE(RegSchluesselAnlegen(HKEY_CURRENT_USER, s("Software/Brisols-Programme")));
    EXPECT_FALSE(RegSchluesselAnlegen(HKEY_CURRENT_USER, QString()));
    EXPECT_FALSE(RegSchluesselAnlegen(static_cast<qint32>(0x80000002u), s("SOFTWARE/Anders")));
    EXPECT_EQ(registryIni(), QByteArray("[SOFTWARE/Brisols-Programme/Neu]\r\n"));
}

TEST_F(Registry, lowLevelValuesKeepTheirType)
{
    const QString pfad = s("SOFTWARE/Brisols-Programme/Typen");
    QVariant value = s("unberührt");
    EXPECT_FALSE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Zahl"), 42));
    EXPECT_FALSE(RegWertLesen(HKEY_CURRENT_USER, pfad, s("Zahl"), value));
    EXPECT_EQ(value, QVariant(s("unberührt")));

    RegSchluesselAnlegen(HKEY_CURRENT_USER, pfad);
    EXPECT_TRUE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Zahl"), 42));
    EXPECT_TRUE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Negativ"), -1));
    EXPECT_TRUE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Kurz"), QVariant::fromValue<short>(7)));
    EXPECT_TRUE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Text"), s("Größe")));
    EXPECT_TRUE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Bruch"), 2.5)); // writes nothing
    EXPECT_FALSE(RegWertSetzen(HKEY_CURRENT_USER, pfad, s("Umbruch"), s("a\nb")));
    EXPECT_EQ(registryIni(), QByteArray("[SOFTWARE/Brisols-Programme/Typen]\r\n"
                                        "Zahl=dword:0000002a\r\n"
                                        "Negativ=dword:ffffffff\r\n"
                                        "Kurz=dword:00000007\r\n"
                                        "Text=\"Gr\xF6\xDF" "e\"\r\n"));

    EXPECT_TRUE(RegWertLesen(HKEY_CURRENT_USER, pfad, s("ZAHL"), value));
    EXPECT_EQ(value, QVariant::fromValue<qint32>(42));
    EXPECT_TRUE(RegWertLesen(HKEY_CURRENT_USER, pfad, s("Negativ"), value));
    EXPECT_EQ(value, QVariant::fromValue<qint32>(-1));
    EXPECT_TRUE(RegWertLesen(HKEY_CURRENT_USER, pfad, s("text"), value));
    EXPECT_EQ(value, QVariant(s("Größe")));
    EXPECT_FALSE(RegWertLesen(HKEY_CURRENT_USER, pfad, s("Bruch"), value));
    EXPECT_EQ(RegLesen(s("Typen"), s("Zahl"), s("d")), s("42"));
}

} // namespace
