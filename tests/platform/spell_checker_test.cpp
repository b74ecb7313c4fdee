// The Hunspell checker: the system's German dictionary, a small Latin-1 dictionary of the tests
// (words must reach Hunspell in the dictionary's encoding and come back from it), and the folders
// it is looked for in.
#include "platform/spell_checker.h"
#include "support/qt_print.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString fixtureFolder()
{
    return qEnvironmentVariable("KORVANEL_TESTDATA") + QStringLiteral("/hunspell");
}

TEST(SpellChecker, systemGermanDictionary_flagsTyposAndKnowsUmlautsAndAbbreviations)
{
    platform::SpellChecker& checker = platform::spellChecker();
    ASSERT_TRUE(checker.hasDictionary(s("de_DE"))) << "package hunspell-de-de";
    const std::unique_ptr<platform::SpellDictionary> de = checker.loadDictionary(s("de_DE"));
    ASSERT_NE(de, nullptr);

    for (const char* richtig : {"Grüße", "Straße", "Tagebuch", "Ost-West", "usw.", "z.B."})
        EXPECT_TRUE(de->spell(s(richtig))) << richtig;
    for (const char* falsch : {"Tagebuhc", "usw", "Strase"})
        EXPECT_FALSE(de->spell(s(falsch))) << falsch;
    EXPECT_TRUE(de->suggest(s("Tagebuhc")).contains(s("Tagebuch")));
    EXPECT_TRUE(de->suggest(s("Grüse")).contains(s("Grüße")));
}

TEST(SpellChecker, latin1Dictionary_wordsGoInItsEncodingAndSuggestionsComeBack)
{
    const std::unique_ptr<platform::SpellChecker> checker =
        platform::makeHunspellChecker({fixtureFolder()});
    const std::unique_ptr<platform::SpellDictionary> test = checker->loadDictionary(s("de_TEST"));
    ASSERT_NE(test, nullptr);

    EXPECT_TRUE(test->spell(s("Grüße")));
    EXPECT_TRUE(test->spell(s("Straße")));
    EXPECT_FALSE(test->spell(s("Grüsse")));
    EXPECT_EQ(test->suggest(s("Grüse")).value(0), s("Grüße"));
    EXPECT_EQ(test->suggest(s("Tagebuhc")).value(0), s("Tagebuch"));
    // Letters the dictionary's encoding cannot hold are not its business.
    EXPECT_TRUE(test->spell(s("λόγος")));
    EXPECT_TRUE(test->suggest(s("λόγος")).isEmpty());
}

TEST(SpellChecker, missingDictionary_isNotInstalledAndLoadsNothing)
{
    TempFolder leer;
    leer.write(s("de_DE.aff"), "SET UTF-8\n"); // without its .dic
    const std::unique_ptr<platform::SpellChecker> checker =
        platform::makeHunspellChecker({leer.path(), leer.file(s("fehlt"))});
    for (const char* sprache : {"de_DE", "de_AT", "", "../de_DE", "."}) {
        SCOPED_TRACE(sprache);
        EXPECT_FALSE(checker->hasDictionary(s(sprache)));
        EXPECT_EQ(checker->loadDictionary(s(sprache)), nullptr);
    }
    // The first folder that holds both files wins.
    const std::unique_ptr<platform::SpellChecker> zweiOrdner =
        platform::makeHunspellChecker({leer.path(), fixtureFolder()});
    EXPECT_TRUE(zweiOrdner->hasDictionary(s("de_TEST")));
}

TEST(SpellChecker, dictionaryFolders_dicpathFirstThenTheDesktopsDataFolders)
{
    TempFolder temp;
    ScopedEnvironment env;
    env.set("DICPATH", temp.file(s("eins")) + u':' + temp.file(s("zwei")) + u':');
    env.set("XDG_DATA_HOME", temp.file(s("daten")));
    env.set("XDG_DATA_DIRS", s("/usr/local/share:/usr/share"));
    const QStringList ordner = platform::dictionaryFolders();
    ASSERT_GE(ordner.size(), 5);
    EXPECT_EQ(ordner.mid(0, 3), (QStringList{temp.file(s("eins")), temp.file(s("zwei")),
                                             temp.file(s("daten/hunspell"))}));
    EXPECT_TRUE(ordner.contains(s("/usr/share/hunspell")));
    EXPECT_EQ(ordner.count(s("/usr/share/hunspell")), 1) << "each folder once";
}

} // namespace
