#include "foundation/command_line.h"
#include "foundation/folders.h"
#include "foundation/text_replace.h"
#include "foundation/ini_store.h"
#include "platform/command_line_text.h"
#include "support/qt_print.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <gtest/gtest.h>

using foundation::OrdnerFestlegen;
using foundation::ordnerDat;
using foundation::ordnerDatHerkunft;
using foundation::ordnerDatPara;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

TEST(Folders, withoutOptionOrKeyTheProgramFolderHoldsTheData)
{
    TempSettingsFolders folders;
    OrdnerFestlegen();

    const QString prg = folders.programFolder();
    EXPECT_EQ(foundation::ordnerSub, folders.settingsFolder());
    EXPECT_EQ(foundation::ordnerPrg, prg);
    EXPECT_EQ(ordnerDat, prg);
    EXPECT_EQ(foundation::ordnerCfg, prg);
    EXPECT_EQ(foundation::ordnerTmp, folders.tmpFolder());
    EXPECT_EQ(foundation::debugDatei, prg + s("/Debug.txt"));
    EXPECT_EQ(ordnerDatPara, QString());
    EXPECT_EQ(ordnerDatHerkunft, s("Per default in den Programm-Ordners gesetzt."));
    EXPECT_EQ(folders.settingsFile(s("Brisol.ini")),
              "[Korvanel]\r\nOrdnerPrg=" + utf8(prg) + "\r\nOrdnerDat=\r\nOrdnerDat#=" + utf8(prg)
                  + "\r\n");
}

TEST(Folders, iniKeyChoosesTheDataFolderWithAppDirInAnyCase)
{
    struct Row {
        QString stored;
        QString expectedBelowProgram; // "" = not below the program folder
        QString expectedElsewhere;
    };
    const Row rows[] = {
        {s("{AppDir}/Daten"), s("/Daten"), {}},
        {s("{APPDIR}\\Daten\\"), s("/Daten"), {}},
        {s("{appdir}"), s(""), {}},
        {s("/home/anna/Tage buch/"), {}, s("/home/anna/Tage buch")},
        {s("\"/home/anna/zitiert\""), {}, s("/home/anna/zitiert")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored.toStdString());
        TempSettingsFolders folders;
        folders.writeSettingsFile(s("Brisol.ini"),
                                  "[Korvanel]\r\nOrdnerDat=" + utf8(row.stored) + "\r\n");
        OrdnerFestlegen();

        const QString expected = row.expectedElsewhere.isEmpty()
            ? folders.programFolder() + row.expectedBelowProgram
            : row.expectedElsewhere;
        EXPECT_EQ(ordnerDat, expected);
        EXPECT_EQ(foundation::IniLesen(QString(), QString(), s("OrdnerDat#")), expected);
        EXPECT_EQ(ordnerDatHerkunft,
                  s("Per Ini gesetzt: ") + foundation::IniLesen({}, {}, s("OrdnerDat")));
        EXPECT_EQ(foundation::debugDatei, expected + s("/Debug.txt"));
    }
}

TEST(Folders, commandLineOptionComesBeforeTheIniKey)
{
    struct Row {
        const char* name;
        QStringList arguments;
        QString para;
        QString dat; // "{prg}" = the program folder
        QString herkunft;
    };
    const Row rows[] = {
        {"folder with blanks", {s("/OrdnerDat=/home/anna/Tage buch")}, s("/home/anna/Tage buch"),
         s("/home/anna/Tage buch"),
         s("Per Parameter übergeben /OrdnerDat=\"/home/anna/Tage buch\"")},
        {"already quoted", {s("/OrdnerDat=\"/srv/daten/\"")}, s("/srv/daten/"), s("/srv/daten"),
         s("Per Parameter übergeben /OrdnerDat=\"/srv/daten/\"")},
        {"capitals among other options", {s("Datum=01.02.2024"), s("/ORDNERDAT=/x"), s("readonly")},
         s("/x"), s("/x"), s("Per Parameter übergeben /OrdnerDat=\"/x\"")},
        {"backslashes typed", {s("/OrdnerDat=\\\\srv\\Daten")}, s("\\\\srv\\Daten"),
         s("//srv/Daten"),
         s("Per Parameter übergeben /OrdnerDat=\"\\\\srv\\Daten\"")},
        {"without the slash it is no option", {s("OrdnerDat=/x")}, {}, s("/aus/ini"),
         s("Per Ini gesetzt: /aus/ini")},
        {"empty value lets the INI key decide", {s("/OrdnerDat=")}, {}, s("/aus/ini"),
         s("Per Parameter übergeben /OrdnerDat=\"\"")},
        {"a note with one double quote before the option",
         {s("Notiz=er sagte \"hallo"), s("/OrdnerDat=/home/anna/Tage buch")},
         s("/home/anna/Tage buch"), s("/home/anna/Tage buch"),
         s("Per Parameter übergeben /OrdnerDat=\"/home/anna/Tage buch\"")},
        {"a file name with an inch sign before the option",
         {s("/home/anna/12\" Platte.txt"), s("/OrdnerDat=/srv/daten")}, s("/srv/daten"),
         s("/srv/daten"), s("Per Parameter übergeben /OrdnerDat=\"/srv/daten\"")},
        {"a double quote inside the folder", {s("/OrdnerDat=/home/anna/Zoll\" Buch")},
         s("/home/anna/Zoll\" Buch"), s("/home/anna/Zoll\" Buch"),
         s("Per Parameter übergeben /OrdnerDat=\"/home/anna/Zoll\" Buch\"")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempSettingsFolders folders;
        folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nOrdnerDat=/aus/ini\r\n");
        platform::setCommandLine(row.arguments);
        OrdnerFestlegen();

        EXPECT_EQ(ordnerDatPara, row.para);
        EXPECT_EQ(ordnerDat, row.dat);
        EXPECT_EQ(ordnerDatHerkunft, row.herkunft);
        EXPECT_EQ(foundation::IniLesen({}, {}, s("OrdnerDat#")), row.dat);
        EXPECT_EQ(foundation::IniLesen({}, {}, s("OrdnerDat")), s("/aus/ini"));
    }
}

TEST(Folders, laterCallsKeepTheOptionAndTheFirstOriginButFollowTheIni)
{
    TempSettingsFolders folders;
    folders.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nOrdnerDat=/erst\r\n");
    OrdnerFestlegen();
    EXPECT_EQ(ordnerDat, s("/erst"));

    foundation::IniSchreiben({}, {}, s("OrdnerDat"), s("/dann"));
    OrdnerFestlegen();
    EXPECT_EQ(ordnerDat, s("/dann"));
    EXPECT_EQ(ordnerDatHerkunft, s("Per Ini gesetzt: /erst"));

    platform::setCommandLine({s("/OrdnerDat=/option")});
    OrdnerFestlegen();
    platform::setCommandLine({s("/OrdnerDat=/andere/option")});
    foundation::IniSchreiben({}, {}, s("OrdnerDat"), s("/wieder/anders"));
    OrdnerFestlegen();
    EXPECT_EQ(ordnerDatPara, s("/option"));
    EXPECT_EQ(ordnerDat, s("/option"));
    EXPECT_EQ(ordnerDatHerkunft, s("Per Parameter übergeben /OrdnerDat=\"/option\""));
}

TEST(Folders, writeProtectedProgramFolderSendsTheDataToTheUsersDataFolder)
{
    TempSettingsFolders folders;
    PermissionGuard guard(folders.programFolder());
    folders.temp().setPermissions(s("program"),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                      | QFileDevice::ReadOther | QFileDevice::ExeOther);
    OrdnerFestlegen();

    const QString expected = folders.dataHome() + s("/Brisols-Programme/Korvanel");
    EXPECT_EQ(ordnerDat, expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(foundation::ordnerPrg, folders.programFolder());
    EXPECT_EQ(ordnerDatHerkunft, s("Per default in den Benutzer-Datenordner gesetzt, da der "
                                   "Programm-Ordner schreibgeschützt ist."));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("OrdnerDat#")), expected);
    EXPECT_EQ(foundation::IniLesen({}, {}, s("OrdnerDat")), QString());
}

TEST(Folders, temporaryFolderComesFromTheFirstSourceThatGivesOne)
{
    struct Row {
        const char* name;
        const char* tmpSrv; // nullptr: no key
        std::vector<std::pair<const char*, const char*>> environment;
        QString expected;
    };
    const Row rows[] = {
        {"key before everything", "C:\\Temp\\", {{"Tmp", "/a"}}, s("C:/Temp")},
        {"Tmp", nullptr, {{"Tmp", "/a/"}, {"Temp", "/b"}}, s("/a")},
        {"Temp, one final slash removed", "", {{"Tmp", ""}, {"Temp", "/b/"}, {"TMPDIR", "/c"}},
         s("/b")},
        {"TMPDIR", nullptr, {{"TMPDIR", "/c"}, {"TMP", "/d"}}, s("/c")},
        {"TMP", nullptr, {{"TMP", "/d"}, {"TEMP", "/e"}}, s("/d")},
        {"TEMP", nullptr, {{"TEMP", "/e"}}, s("/e")},
        {"nothing at all", nullptr, {}, s("/tmp")},
        {"root stays", nullptr, {{"Tmp", "/"}}, s("/")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempSettingsFolders folders;
        for (const char* variable : {"Tmp", "Temp", "TMPDIR", "TMP", "TEMP"})
            folders.env().unset(variable);
        for (const auto& [variable, value] : row.environment)
            folders.env().set(variable, s(value));
        if (row.tmpSrv)
            folders.writeSettingsFile(
                s("Brisol.ini"), QByteArray("[Verkn\xFCpfung]\r\nTmpSrv=") + row.tmpSrv + "\r\n");
        OrdnerFestlegen();
        EXPECT_EQ(foundation::ordnerTmp, row.expected);
    }
}

TEST(Folders, freshSettingsFolderReceivesTheSystemDefaults)
{
    TempSettingsFolders folders;
    folders.temp().write(s("xdg/Brisols-Programme/brisol.INI"), "[Korvanel]\r\nVorgabe=1\r\n");
    folders.temp().write(s("xdg/Brisols-Programme/Bris_Prn.ini"), "[Drucker]\r\nx=2\r\n");
    folders.temp().write(s("xdg/Brisols-Programme/win.ini"), "[Sounds]\r\n");
    OrdnerFestlegen();

    EXPECT_EQ(QDir(folders.settingsFolder()).entryList(QDir::Files),
              (QStringList{s("Bris_Prn.ini"), s("Brisol.ini")}));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("Vorgabe")), s("1"));
    EXPECT_EQ(folders.settingsFile(s("Bris_Prn.ini")), QByteArray("[Drucker]\r\nx=2\r\n"));
    // The defaults stay as they were.
    EXPECT_EQ(folders.temp().read(s("xdg/Brisols-Programme/brisol.INI")),
              QByteArray("[Korvanel]\r\nVorgabe=1\r\n"));
}

TEST(Folders, copiedDefaultsWithoutWritePermissionCanBeChanged)
{
    TempSettingsFolders folders;
    const QString vorgabe = s("xdg/Brisols-Programme/Brisol.ini");
    folders.temp().write(vorgabe, "[Korvanel]\r\nVorgabe=1\r\n");
    PermissionGuard guard(folders.temp().file(vorgabe));
    folders.temp().setPermissions(vorgabe, QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                               | QFileDevice::ReadOther);
    OrdnerFestlegen();

    foundation::IniSchreiben({}, {}, s("Vorgabe"), s("2"));
    EXPECT_EQ(foundation::IniLesen({}, {}, s("Vorgabe")), s("2"));
    EXPECT_EQ(folders.settingsFile(s("Brisol.ini")),
              "[Korvanel]\r\nVorgabe=2\r\nOrdnerPrg=" + utf8(folders.programFolder())
                  + "\r\nOrdnerDat=\r\nOrdnerDat#=" + utf8(folders.programFolder()) + "\r\n");
}

TEST(Folders, settingsFolderWithAFileIsNotSeeded)
{
    TempSettingsFolders folders;
    folders.temp().write(s("xdg/Brisols-Programme/Brisol.ini"), "[Korvanel]\r\nVorgabe=1\r\n");
    folders.temp().write(s("xdg/Brisols-Programme/Bris_Prn.ini"), "[Drucker]\r\n");
    folders.writeSettingsFile(s("Notiz.txt"), "eigene Datei");
    OrdnerFestlegen();

    EXPECT_EQ(foundation::IniLesen({}, {}, s("Vorgabe"), s("fehlt")), s("fehlt"));
    EXPECT_FALSE(folders.temp().exists(s("config/Brisols-Programme/Bris_Prn.ini")));
}

TEST(Folders, systemFoldersFollowTheXdgVariables)
{
    TempSettingsFolders folders;
    EXPECT_EQ(foundation::SpezialOrdner(26), folders.configHome());
    EXPECT_EQ(foundation::SpezialOrdner(36), folders.defaultsFolder());
    EXPECT_EQ(foundation::WindowsOrdner(), folders.defaultsFolder());
    EXPECT_EQ(foundation::SpezialOrdner(5), QString());

    folders.env().set("XDG_CONFIG_DIRS", folders.temp().file(s("erst/")) + s(":/etc/xdg"));
    EXPECT_EQ(foundation::WindowsOrdner(), folders.temp().file(s("erst/Brisols-Programme")));

    folders.env().set("HOME", folders.temp().file(s("heim")));
    folders.env().unset("XDG_CONFIG_HOME");
    EXPECT_EQ(foundation::SpezialOrdner(26), folders.temp().file(s("heim/.config")));
    folders.env().set("XDG_CONFIG_HOME", s("relativ/gilt/nicht"));
    EXPECT_EQ(foundation::SpezialOrdner(26), folders.temp().file(s("heim/.config")));
    folders.env().unset("XDG_CONFIG_DIRS");
    EXPECT_EQ(foundation::WindowsOrdner(), s("/etc/xdg/Brisols-Programme"));

    const QString system = foundation::SystemOrdner();
    EXPECT_EQ(system, QDir(QLibraryInfo::path(QLibraryInfo::LibrariesPath)).absolutePath());
    EXPECT_FALSE(system.endsWith(u'/'));
}

TEST(Folders, folderTextsAndAppDir)
{
    struct Row {
        QString in;
        QString withoutSeparator;
        QString appDir;
    };
    const Row rows[] = {
        {s("/a/b/"), s("/a/b"), s("/a/b/")},
        {s("/"), s("/"), s("/")},
        {s("C:\\Daten\\"), s("C:/Daten"), s("C:\\Daten\\")},
        {s("{AppDir}/x{appdir}"), s("{AppDir}/x{appdir}"), s("/p/x/p")},
        {s("{APPDIR"), s("{APPDIR"), s("{APPDIR")},
        {s("ß{ÄppDir}{AppDir}"), s("ß{ÄppDir}{AppDir}"), s("ß{ÄppDir}/p")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.in.toStdString());
        EXPECT_EQ(foundation::ordnerOhneEndTrenner(row.in), row.withoutSeparator);
        EXPECT_EQ(foundation::TextErsetzen(row.in, s("{AppDir}"), s("/p")), row.appDir);
    }
}

} // namespace
