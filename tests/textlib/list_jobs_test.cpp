// The jobs on list and combo controls, each run on a real QListWidget and a real QComboBox.
#include "textlib/list_jobs.h"

#include "platform/clipboard.h"
#include "platform/mouse_pointer.h"
#include "platform/print_surface.h"
#include "runtime/error.h"
#include "support/fake_dialogs.h"
#include "support/fake_mouse_pointer.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"
#include "support/temp_settings.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

using namespace textlib;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(s(item));
    return list;
}

QStringList entries(ListControl control)
{
    QStringList list;
    for (int i = 0; i < control.ListCount(); ++i)
        list.append(control.List(i));
    return list;
}

void fill(ListControl control, const QStringList& items)
{
    control.Clear();
    for (const QString& item : items)
        control.AddItem(item);
}

std::vector<int> marked(ListControl control)
{
    std::vector<int> indices;
    for (int i = 0; i < control.ListCount(); ++i) {
        if (control.Selected(i))
            indices.push_back(i);
    }
    return indices;
}

// A list box with several selectable entries and a combo box; most jobs run on both.
class ListJobsTest : public ::testing::Test {
protected:
    ListJobsTest() { list.setSelectionMode(QAbstractItemView::MultiSelection); }

    struct Kind {
        const char* name;
        ListControl control;
    };
    std::vector<Kind> both() { return {{"QListWidget", &list}, {"QComboBox", &combo}}; }

    FakeDialogs& dialogs() { return static_cast<FakeDialogs&>(platform::dialogs()); }

    QListWidget list;
    QComboBox combo;
};

TEST_F(ListJobsTest, control_speaksTheSameOnListAndCombo)
{
    for (Kind kind : both()) {
        SCOPED_TRACE(kind.name);
        ListControl c = kind.control;
        fill(c, texts({"eins", "zwei", "drei"}));
        EXPECT_EQ(c.ListCount(), 3);
        EXPECT_EQ(c.List(1), s("zwei"));
        EXPECT_EQ(c.List(3), QString());
        EXPECT_EQ(c.List(-1), QString());
        c.RemoveItem(0);
        c.RemoveItem(7); // outside: nothing
        EXPECT_EQ(entries(c), texts({"zwei", "drei"}));
        c.Clear();
        EXPECT_EQ(c.ListCount(), 0);
    }
    ListControl none(static_cast<QListWidget*>(nullptr));
    none.AddItem(s("x"));
    EXPECT_EQ(none.ListCount(), 0);
    EXPECT_EQ(none.widget(), nullptr);
}

TEST_F(ListJobsTest, marks_areOnePerEntryInAMultiList_andTheCurrentEntryInACombo)
{
    ListControl multi = &list;
    fill(multi, texts({"a", "b", "c"}));
    multi.setSelected(0, true);
    multi.setSelected(2, true);
    EXPECT_EQ(marked(multi), (std::vector<int>{0, 2}));
    multi.setSelected(0, false);
    EXPECT_EQ(marked(multi), (std::vector<int>{2}));

    QListWidget single; // single selection, as a list box starts
    ListControl one = &single;
    ListControl box = &combo;
    for (ListControl c : {one, box}) {
        fill(c, texts({"a", "b", "c"}));
        c.setSelected(0, true);
        c.setSelected(2, true); // the mark moves
        EXPECT_EQ(marked(c), (std::vector<int>{2}));
        c.setSelected(0, false); // not the marked one: nothing changes
        EXPECT_EQ(marked(c), (std::vector<int>{2}));
        c.setSelected(2, false);
        EXPECT_EQ(marked(c), (std::vector<int>{}));
    }
    EXPECT_EQ(combo.currentIndex(), -1);
}

TEST_F(ListJobsTest, verketten_endsEveryEntryWithTheSeparator)
{
    struct Row {
        const char* name;
        QStringList items;
        const char* separator;
        const char* expected;
    };
    const Row rows[] = {
        {"empty list", {}, ";", ""},
        {"empty separator stands for ;", texts({"x"}), "", "x;"},
        {"two entries", texts({"a", "b"}), ";", "a;b;"},
        {"longer separator", texts({"a", "b"}), ", ", "a, b, "},
        {"empty entries count", texts({"", ""}), "|", "||"},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            fill(kind.control, row.items);
            EXPECT_EQ(ListeVerketten(kind.control, s(row.separator)), s(row.expected));
        }
    }
}

TEST_F(ListJobsTest, ergaenzen_addsOnlyWhatIsMissingWithoutRegardToCase)
{
    struct Row {
        const char* name;
        QStringList items;
        const char* text;
        QStringList expected;
    };
    const Row rows[] = {
        {"same word in capitals", texts({"APFEL"}), "Apfel", texts({"APFEL"})},
        {"new word at the end", texts({"Birne", "Kiwi"}), "Apfel", texts({"Birne", "Kiwi", "Apfel"})},
        {"equal entry further down", texts({"a", "b", "Straße"}), "STRAßE", texts({"a", "b", "Straße"})},
        {"umlaut case", texts({"ÄPFEL"}), "äpfel", texts({"ÄPFEL"})},
        {"empty text into an empty list", {}, "", texts({""})},
        {"part of an entry is no entry", texts({"Apfelbaum"}), "Apfel", texts({"Apfelbaum", "Apfel"})},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            fill(kind.control, row.items);
            ListeErgaenzen(kind.control, s(row.text));
            EXPECT_EQ(entries(kind.control), row.expected);
        }
    }
}

TEST_F(ListJobsTest, filtern_removesTheEntriesThatContainThePattern)
{
    struct Row {
        const char* name;
        QStringList items;
        const char* pattern;
        QStringList expected;
    };
    const QStringList files = texts({"a.bak", "b.txt", "C.BAK"});
    const Row rows[] = {
        {"contained anywhere, any case", files, ".bak", texts({"b.txt"})},
        {"blanks trimmed", files, "  TXT  ", texts({"a.bak", "C.BAK"})},
        {"blanks only: nothing", files, "   ", files},
        {"empty: nothing", files, "", files},
        {"no entry fits", files, "doc", files},
        {"mask of the data-folder report", texts({"unins000.dat", "Tag.dat", "UNINS001.DAT"}),
         "unins*.dat", texts({"Tag.dat"})},
        {"# is a digit", texts({"a1", "b", "c22"}), "#", texts({"b"})},
        {"bracket list", texts({"Hund", "Hand", "Hemd"}), "h[au]nd", texts({"Hemd"})},
        {"every entry", files, "*", {}},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            fill(kind.control, row.items);
            ListeFiltern(kind.control, s(row.pattern));
            EXPECT_EQ(entries(kind.control), row.expected);
        }
    }
}

TEST_F(ListJobsTest, filtern_keepsTheMarksOfTheEntriesThatStay)
{
    fill(&list, texts({"a.bak", "b.txt", "c.txt", "d.bak"}));
    ListControl(&list).setSelected(2, true);
    ListeFiltern(&list, s("bak"));
    EXPECT_EQ(entries(&list), texts({"b.txt", "c.txt"}));
    EXPECT_EQ(marked(&list), (std::vector<int>{1}));
}

TEST_F(ListJobsTest, invalidPattern_isReportedOnceAndChangesNothing)
{
    const QStringList items = texts({"x[1", "y", "z", "w", "v"});
    for (Kind kind : both()) {
        SCOPED_TRACE(kind.name);
        fill(kind.control, items);
        kind.control.setSelected(1, true);
        const std::size_t before = dialogs().calls().size();

        dialogs().expectMsgBox(platform::vbOK, s("Das Suchmuster »[1« ist ungültig."));
        ListeFiltern(kind.control, s(" [1 "));
        EXPECT_EQ(entries(kind.control), items);

        dialogs().expectMsgBox(platform::vbOK, s("Das Suchmuster »[z-a]« ist ungültig."));
        EXPECT_EQ(ListeMarkieren(kind.control, s("[z-a]"), true), 0);
        EXPECT_EQ(entries(kind.control), items);
        EXPECT_EQ(marked(kind.control), (std::vector<int>{1})); // not even cleared

        ASSERT_EQ(dialogs().calls().size(), before + 2); // once per job, not per entry
        EXPECT_EQ(dialogs().calls().back().icon, platform::vbExclamation);
    }
}

TEST_F(ListJobsTest, markieren_marksWhatContainsThePatternAndCountsIt)
{
    const QStringList days = texts({"01.01.2023", "05.03.2024", "Notiz", "24.12.2024"});
    struct Row {
        const char* name;
        const char* pattern;
        bool clearFirst;
        std::vector<int> before;
        std::vector<int> after;
        int count;
    };
    const Row rows[] = {
        {"year anywhere", "2024", false, {}, {1, 3}, 2},
        {"other marks stay", "2024", false, {0}, {0, 1, 3}, 2},
        {"clear first", "2024", true, {0, 2}, {1, 3}, 2},
        {"already marked counts again", "2024", false, {1}, {1, 3}, 2},
        {"empty marks every entry", "", false, {}, {0, 1, 2, 3}, 4},
        {"blanks mark every entry", "   ", true, {}, {0, 1, 2, 3}, 4},
        {"any case", "NOTIZ", true, {}, {2}, 1},
        {"none fits, clear first", "1999", true, {0, 3}, {}, 0},
        {"none fits, marks stay", "1999", false, {0, 3}, {0, 3}, 0},
    };
    ListControl c = &list;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fill(c, days);
        for (int i : row.before)
            c.setSelected(i, true);
        EXPECT_EQ(ListeMarkieren(c, s(row.pattern), row.clearFirst), row.count);
        EXPECT_EQ(marked(c), row.after);
    }
}

TEST_F(ListJobsTest, markieren_onAComboOrSingleList_leavesTheLastFitCurrent)
{
    QListWidget single;
    const QStringList days = texts({"05.03.2024", "Notiz", "24.12.2024", "Ende"});
    for (ListControl c : {ListControl(&combo), ListControl(&single)}) {
        fill(c, days);
        c.setSelected(1, true);
        EXPECT_EQ(ListeMarkieren(c, s("2024"), false), 2);
        EXPECT_EQ(marked(c), (std::vector<int>{2}));
        EXPECT_EQ(ListeMarkieren(c, s("1999"), true), 0);
        EXPECT_EQ(marked(c), (std::vector<int>{}));
    }
}

TEST_F(ListJobsTest, beginntMit_findsTheLastEntryThatStartsWithTheText)
{
    struct Row {
        const char* name;
        QStringList items;
        const char* text;
        int expected;
    };
    const QStringList abc = texts({"ABCx", "abcY", "ABCz"});
    const Row rows[] = {
        {"last of several", abc, "ABC", 2},
        {"case counts", abc, "abc", 1},
        {"none", abc, "Q", -1},
        {"longer than every entry", abc, "ABCzz", -1},
        {"whole entry", abc, "ABCx", 0},
        {"empty text: the last entry", abc, "", 2},
        {"empty list", {}, "", -1},
        {"only at the start", texts({"xABC"}), "ABC", -1},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            fill(kind.control, row.items);
            EXPECT_EQ(ListeBeginntMit(kind.control, s(row.text)), row.expected);
        }
    }
}

// Removing neighbouring duplicates as the jobs always did it: remove the first of the first
// equal pair, then start again from the first pair, until a walk finds none.
QStringList restartFromTheFirstPair(QStringList items)
{
    for (bool removed = true; removed;) {
        removed = false;
        for (qsizetype i = 0; i + 1 < items.size(); ++i) {
            if (items[i].toLower() == items[i + 1].toLower()) {
                items.removeAt(i);
                removed = true;
                break;
            }
        }
    }
    return items;
}

TEST_F(ListJobsTest, doppelteEntfernen_keepsTheLastOfEveryRunOfEqualNeighbours)
{
    struct Row {
        const char* name;
        QStringList items;
        QStringList expected;
    };
    const Row rows[] = {
        {"equal entries apart stay", texts({"a", "A", "b", "a"}), texts({"A", "b", "a"})},
        {"empty list", {}, {}},
        {"one entry", texts({"x"}), texts({"x"})},
        {"run of three", texts({"a", "a", "A"}), texts({"A"})},
        {"several runs", texts({"a", "b", "b", "B", "c", "C", "d"}), texts({"a", "B", "C", "d"})},
        {"empty entries", texts({"", "", "x", ""}), texts({"", "x", ""})},
        {"umlauts", texts({"Äpfel", "äpfel", "Straße", "STRAßE"}), texts({"äpfel", "STRAßE"})},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            fill(kind.control, row.items);
            ListeDoppelteEntfernen(kind.control);
            EXPECT_EQ(entries(kind.control), row.expected);
        }
    }
}

TEST_F(ListJobsTest, doppelteEntfernen_givesWhatTheRestartingWalkGives)
{
    const QStringList alphabet = texts({"a", "A", "b", "B", "", "c"});
    std::mt19937 random(20240305);
    std::uniform_int_distribution<int> letter(0, int(alphabet.size()) - 1);
    std::uniform_int_distribution<int> length(0, 14);
    for (int round = 0; round < 300; ++round) {
        QStringList items;
        for (int n = length(random); n > 0; --n)
            items.append(alphabet[letter(random)]);
        SCOPED_TRACE(items.join(u'|').toStdString());
        fill(&list, items);
        ListeDoppelteEntfernen(&list);
        EXPECT_EQ(entries(&list), restartFromTheFirstPair(items));
    }
}

TEST_F(ListJobsTest, doppelteEntfernen_theEntriesThatStayKeepTheirMarks)
{
    ListControl c = &list;
    fill(c, texts({"a", "b", "B", "c", "d", "d"}));
    c.setSelected(0, true); // stays
    c.setSelected(1, true); // removed
    c.setSelected(3, true); // stays
    c.setSelected(5, true); // the last of its run stays
    ListeDoppelteEntfernen(c);
    EXPECT_EQ(entries(c), texts({"a", "B", "c", "d"}));
    EXPECT_EQ(marked(c), (std::vector<int>{0, 2, 3}));
}

TEST_F(ListJobsTest, kopieren_replacesTheTargetWithTheSourceInBothDirections)
{
    QListWidget otherList;
    QComboBox otherCombo;
    struct Row {
        const char* name;
        ListControl source;
        ListControl target;
    };
    const Row rows[] = {
        {"list to combo", &list, &combo},
        {"combo to list", &combo, &list},
        {"list to list", &list, &otherList},
        {"combo to combo", &combo, &otherCombo},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fill(row.source, texts({"eins", "", "drei"}));
        fill(row.target, texts({"alt", "älter"}));
        ListeKopieren(row.source, row.target);
        EXPECT_EQ(entries(row.target), texts({"eins", "", "drei"}));
        EXPECT_EQ(entries(row.source), texts({"eins", "", "drei"}));
    }

    QListWidget empty;
    fill(&list, texts({"x"}));
    ListeKopieren(&empty, &list); // an empty source empties the target
    EXPECT_EQ(entries(&list), QStringList());
}

TEST_F(ListJobsTest, kopieren_ontoItself_keepsTheList)
{
    for (Kind kind : both()) {
        SCOPED_TRACE(kind.name);
        fill(kind.control, texts({"eins", "zwei"}));
        ListeKopieren(kind.control, kind.control);
        EXPECT_EQ(entries(kind.control), texts({"eins", "zwei"}));
    }
}

TEST_F(ListJobsTest, alsText_putsEveryEntryWithCrLfOnTheClipboard)
{
    for (Kind kind : both()) {
        SCOPED_TRACE(kind.name);
        platform::clipboard().setText(s("vorher"));
        fill(kind.control, texts({"Grüße", "", "Ende"}));
        ListeAlsText(kind.control);
        EXPECT_EQ(platform::clipboard().text(), s("Grüße\r\n\r\nEnde\r\n"));

        kind.control.Clear();
        ListeAlsText(kind.control);
        EXPECT_EQ(platform::clipboard().text(), QString());
    }
}

// --- Files ----------------------------------------------------------------------------------

class ListFilesTest : public ListJobsTest {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }

    TempFolder temp;
};

TEST_F(ListFilesTest, ausDatei_appendsEveryLineToTheEntriesThere)
{
    struct Row {
        const char* name;
        QByteArray bytes;
        QStringList added;
    };
    const Row rows[] = {
        {"three lines with CR LF", "a\r\nb\r\nc\r\n", texts({"a", "b", "c"})},
        {"no line break at the end", "a\r\nb\r\nc", texts({"a", "b", "c"})},
        {"LF and CR end lines too", "a\nb\rc\n", texts({"a", "b", "c"})},
        {"empty lines stay", "a\r\n\r\n\r\nb\r\n", texts({"a", "", "", "b"})},
        {"one empty line", "\r\n", texts({""})},
        {"empty file", "", {}},
        {"blanks and tabs stay", " x \t\r\n", texts({" x \t"})},
        {"Windows-1252", "Gr\xfc\xdf" "e \x80\r\n", texts({"Grüße €"})},
        {"UTF-8 with byte-order mark", "\xef\xbb\xbfGr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac\r\n",
         texts({"Grüße €"})},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            temp.write(s("Liste.txt"), row.bytes);
            fill(kind.control, texts({"schon da"}));
            EXPECT_TRUE(ListeAusDatei(kind.control, temp.file(s("Liste.txt"))));
            EXPECT_EQ(entries(kind.control), texts({"schon da"}) + row.added);
        }
    }
}

TEST_F(ListFilesTest, ausDatei_findsTheFileInAnyCase_andAMissingFileChangesNothing)
{
    temp.write(s("Stichworte.TXT"), "Urlaub\r\n");
    ListControl c = &list;
    fill(c, texts({"alt"}));
    EXPECT_TRUE(ListeAusDatei(c, temp.file(s("stichworte.txt"))));
    EXPECT_EQ(entries(c), texts({"alt", "Urlaub"}));

    EXPECT_TRUE(ListeAusDatei(c, temp.file(s("fehlt.txt"))));
    EXPECT_TRUE(ListeAusDatei(c, QString()));
    EXPECT_EQ(entries(c), texts({"alt", "Urlaub"}));
    EXPECT_FALSE(rt::Err());
}

TEST_F(ListFilesTest, inDatei_writesEveryEntryWithCrLf)
{
    struct Row {
        const char* name;
        QStringList items;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"empty list: empty file", {}, ""},
        {"entries in order, empty ones too", texts({"b", "", "a"}), "b\r\n\r\na\r\n"},
        {"Windows-1252 when everything fits", texts({"Grüße €"}), "Gr\xfc\xdf" "e \x80\r\n"},
        {"UTF-8 with byte-order mark otherwise", texts({"Grüße", "Ω"}),
         "\xef\xbb\xbfGr\xc3\xbc\xc3\x9f" "e\r\n\xce\xa9\r\n"},
    };
    for (Kind kind : both()) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(kind.name) + ": " + row.name);
            temp.write(s("Liste.txt"), "eine viel längere alte Liste\r\nmit zwei Zeilen\r\n");
            fill(kind.control, row.items);
            EXPECT_TRUE(ListeInDatei(kind.control, temp.file(s("Liste.txt"))));
            EXPECT_EQ(temp.read(s("Liste.txt")), row.bytes);

            // And back: the same entries.
            QListWidget back;
            EXPECT_TRUE(ListeAusDatei(&back, temp.file(s("Liste.txt"))));
            EXPECT_EQ(entries(&back), row.items);
        }
    }
}

TEST_F(ListFilesTest, inDatei_replacesTheFileSpelledInAnyCase)
{
    temp.write(s("Liste.TXT"), "alt\r\n");
    fill(&list, texts({"neu"}));
    EXPECT_TRUE(ListeInDatei(&list, temp.file(s("liste.txt"))));
    EXPECT_EQ(temp.read(s("Liste.TXT")), QByteArray("neu\r\n"));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), texts({"Liste.TXT"}));
}

TEST_F(ListFilesTest, inDatei_thatCannotWrite_failsAndKeepsWhatWasThere)
{
    fill(&list, texts({"neu"}));

    EXPECT_FALSE(ListeInDatei(&list, temp.file(s("fehlt/Liste.txt"))));
    EXPECT_EQ(rt::Err().number, rt::ErrPathNotFound);
    EXPECT_FALSE(temp.exists(s("fehlt")));

    rt::clearError();
    EXPECT_FALSE(ListeInDatei(&list, QString()));
    EXPECT_EQ(rt::Err().number, rt::ErrBadFileName);

    if (runningAsRoot())
        GTEST_SKIP() << "the super-user may write into a read-only folder";
    rt::clearError();
    temp.write(s("fest/Liste.txt"), "alt\r\n");
    PermissionGuard folderGuard(temp.file(s("fest")));
    PermissionGuard fileGuard(temp.file(s("fest/Liste.txt")));
    temp.setPermissions(s("fest/Liste.txt"), QFileDevice::ReadOwner);
    temp.setPermissions(s("fest"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(ListeInDatei(&list, temp.file(s("fest/Liste.txt"))));
    EXPECT_EQ(rt::Err().number, rt::ErrPermissionDenied);
    EXPECT_EQ(temp.read(s("fest/Liste.txt")), QByteArray("alt\r\n"));
}

TEST_F(ListFilesTest, inDatei_inAFolderThatRefusesNewFiles_writesTheFileItself)
{
    if (runningAsRoot())
        GTEST_SKIP() << "the super-user may write into a read-only folder";
    temp.write(s("fest/Liste.txt"), "alt\r\n");
    PermissionGuard folderGuard(temp.file(s("fest")));
    temp.setPermissions(s("fest"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    fill(&list, texts({"neu", "zwei"}));
    EXPECT_TRUE(ListeInDatei(&list, temp.file(s("fest/Liste.txt"))));
    EXPECT_EQ(temp.read(s("fest/Liste.txt")), QByteArray("neu\r\nzwei\r\n"));
}

// --- The hourglass --------------------------------------------------------------------------

TEST_F(ListFilesTest, longJobs_showTheHourglassAndPutTheFormerPointerBack)
{
    TempSettingsFolders settings; // ListeDrucken reads the footer setting
    RecordingPrintSurface paper;
    ScopedService printerGuard(platform::setPrinter, &paper);
    temp.write(s("Liste.txt"), "a\r\n");
    fill(&list, texts({"a", "a"}));

    struct Row {
        const char* name;
        std::function<void()> job;
    };
    const Row rows[] = {
        {"ListeAusDatei", [&] { ListeAusDatei(&combo, temp.file(s("Liste.txt"))); }},
        {"ListeAusDatei, file missing", [&] { ListeAusDatei(&combo, temp.file(s("x.txt"))); }},
        {"ListeInDatei", [&] { ListeInDatei(&list, temp.file(s("Aus.txt"))); }},
        {"ListeInDatei, failing", [&] { ListeInDatei(&list, temp.file(s("x/Aus.txt"))); }},
        {"ListeKopieren", [&] { ListeKopieren(&list, &combo); }},
        {"ListeMarkieren", [&] { ListeMarkieren(&list, s("a"), true); }},
        {"ListeAlsText", [&] { ListeAlsText(&list); }},
        {"ListeDrucken", [&] { ListeDrucken(&list, s("Kopf"), s("Arial"), 10, 1); }},
        {"ListeDoppelteEntfernen", [&] { ListeDoppelteEntfernen(&list); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeMousePointer pointer;
        ScopedService pointerGuard(platform::setMousePointer, &pointer);
        pointer.set(platform::vbIbeam);
        row.job();
        EXPECT_EQ(pointer.history(),
                  (std::vector<int>{platform::vbIbeam, platform::vbHourglass, platform::vbIbeam}));
    }
}

} // namespace
