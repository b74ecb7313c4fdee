// The special-character picker: its character sets, collecting by button, key and double-click,
// and the insertion at the caret of the main window when the picker closes.
#include "mainwindow/character_picker.h"

#include "platform/text_box.h"
#include "runtime/codec.h"
#include "support/fake_main_port.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using mainwindow::Sonderzeichen;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList lines(const QListWidget* liste)
{
    QStringList result;
    for (int i = 0; i < liste->count(); ++i)
        result << liste->item(i)->text();
    return result;
}

// Selects the line of character c in the picker's list.
void selectCharacter(Sonderzeichen& picker, const QString& c)
{
    const QList<QListWidgetItem*> found = picker.Liste->findItems(QStringLiteral(" ") + c,
                                                                  Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << qPrintable(c);
    picker.Liste->setCurrentItem(found.front());
}

void chooseSet(Sonderzeichen& picker, const char* name)
{
    for (int i = 0; i < picker.ComboSatz->count(); ++i) {
        if (picker.ComboSatz->itemText(i).startsWith(s(name))) {
            picker.ComboSatz->setCurrentIndex(i);
            return;
        }
    }
    ADD_FAILURE() << name;
}

TEST(Zeichensaetze, itemsHoldTheNameTheGapAndTheCharacters)
{
    const QStringList saetze = mainwindow::zeichenSaetze();
    ASSERT_EQ(saetze.size(), 7);
    const QString luecke(29, QLatin1Char(' '));
    EXPECT_EQ(saetze[1], s("Deutsch     ") + luecke + s(";äÄöÖüÜß"));
    EXPECT_EQ(saetze[2], s("Dänisch     ") + luecke + s(";æÆåÅøØ"));
    EXPECT_EQ(saetze[3], s("Spanisch    ") + luecke + s(";Ññéíó¡!"));
    EXPECT_EQ(saetze[4], s("Zeichen     ") + luecke + s(";©®™¶£$@€"));
    EXPECT_EQ(saetze[5], s("Zahlen      ") + luecke + s(";+-±×·•÷<«=»>¼½¾¹²³%‰øØ°~¶"));
    EXPECT_EQ(saetze[6], s("Paarweise   ") + luecke + s(";«»{}[]“”"));

    // "Alle": every code from 32 on without digits and Latin letters of either case, and
    // without the control codes: delete and the five codes the code page leaves empty.
    ASSERT_TRUE(saetze[0].startsWith(s("Alle        ") + luecke + s("; !\"#")));
    const QString alle = saetze[0].mid(12 + 29 + 1);
    EXPECT_EQ(alle.size(), 224 - 10 - 26 - 26 - 6);
    for (int leer : {0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_FALSE(alle.contains(rt::Chr(leer))) << leer;
    EXPECT_TRUE(alle.contains(rt::Chr(0xAD))) << "the soft hyphen is a character of the page";
    for (const char* fehlt : {"A", "a", "7", "0", "z", "Z"})
        EXPECT_FALSE(alle.contains(s(fehlt))) << fehlt;
    for (const char* da : {"Ä", "ß", "€", "ÿ", "~", "@", "¹"})
        EXPECT_TRUE(alle.contains(s(da))) << da;
    EXPECT_EQ(alle.back(), rt::Chr(255));
}

class SonderzeichenTest : public ::testing::Test {
protected:
    SonderzeichenTest()
    {
        main.days[s("05.03.2024")] = s("Zeile eins\r\nGruß AUS Bonn");
        main.setDateCaption(s("05.03.2024"));
        QFont schrift(s("Times New Roman"));
        schrift.setPointSize(15);
        schrift.setItalic(true);
        main.textBox().setFont(schrift);
        QPalette farben = main.textBox().palette();
        farben.setColor(QPalette::Text, QColor(0, 0, 160));
        main.textBox().setPalette(farben);
        // "AUS" selected, behind the line break.
        main.setSelStart(17);
        main.setSelLength(3);
    }

    // Runs the command; act drives the picker while it is shown modal.
    void run(const std::function<void(Sonderzeichen&)>& act)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            Sonderzeichen* picker = platform::findForm<Sonderzeichen>();
            ASSERT_NE(picker, nullptr);
            EXPECT_TRUE(picker->isModal());
            EXPECT_EQ(main.panelText(s("Status")), s("Sonderzeichen..."));
            acted = true;
            act(*picker);
            if (picker->isVisible()) {
                ADD_FAILURE() << "the picker is still open";
                picker->hide();
            }
        });
        mainwindow::SonderzeichenEinfuegen();
        EXPECT_TRUE(acted);
        EXPECT_EQ(platform::findForm<Sonderzeichen>(), nullptr) << "the picker is unloaded";
        EXPECT_EQ(main.panelText(s("Status")), s("Bereit"));
    }

    FakeMainPort main;
};

TEST_F(SonderzeichenTest, load_showsTheFirstSetInTheEditorsFontAndColour)
{
    run([&](Sonderzeichen& picker) {
        EXPECT_EQ(picker.windowTitle(), s("Sonderzeichen einfügen"));
        EXPECT_EQ(picker.ComboSatz->currentIndex(), 0);
        EXPECT_EQ(picker.Liste->currentRow(), 0);
        EXPECT_EQ(picker.Liste->item(0)->text(), s("  "));
        EXPECT_EQ(picker.Liste->count(), 156);
        EXPECT_EQ(picker.Liste->font().family(), s("Times New Roman"));
        EXPECT_EQ(picker.Liste->font().pointSize(), 15);
        EXPECT_TRUE(picker.Liste->font().italic());
        EXPECT_EQ(picker.Liste->palette().color(QPalette::Text), QColor(0, 0, 160))
            << "the editor's text colour too";
        EXPECT_TRUE(picker.Text->text().isEmpty());
        // The list fills the window below the buttons.
        EXPECT_EQ(picker.Liste->y(), picker.BefAbbruch->y() + picker.BefAbbruch->height());
        EXPECT_EQ(picker.Liste->x() * 2 + picker.Liste->width(), picker.width());
        EXPECT_EQ(picker.Liste->y() + picker.Liste->height(), picker.height() - 8);
        picker.resize(picker.width() + 100, picker.height() + 60);
        EXPECT_EQ(picker.Liste->x() * 2 + picker.Liste->width(), picker.width());
        EXPECT_EQ(picker.Liste->y() + picker.Liste->height(), picker.height() - 8);
        picker.BefAbbruch->click();
    });
}

// The sets' list opens as wide as its box: the names show, the characters far to their right
// stay out of sight (and the popup never spans the screen).
TEST_F(SonderzeichenTest, setListOpensAsWideAsItsBox)
{
    run([&](Sonderzeichen& picker) {
        picker.ComboSatz->showPopup();
        QAbstractItemView* liste = picker.ComboSatz->view();
        ASSERT_TRUE(liste->isVisible());
        EXPECT_LE(liste->window()->width(), picker.ComboSatz->width());
        EXPECT_GT(liste->window()->width(), liste->fontMetrics().horizontalAdvance(s("Paarweise")));
        EXPECT_EQ(liste->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const auto* delegat = qobject_cast<QStyledItemDelegate*>(liste->itemDelegate());
        ASSERT_NE(delegat, nullptr);
        QStringList namen;
        for (int i = 0; i < liste->model()->rowCount(); ++i)
            namen << delegat->displayText(liste->model()->index(i, 0).data(), QLocale());
        EXPECT_EQ(namen, (QStringList{s("Alle"), s("Deutsch"), s("Dänisch"), s("Spanisch"),
                                      s("Zeichen"), s("Zahlen"), s("Paarweise")}));
        picker.ComboSatz->hidePopup();
        picker.BefAbbruch->click();
    });
}

TEST_F(SonderzeichenTest, collectingByKeysButtonAndDoubleClick_insertsAtTheCaretReplacingTheSelection)
{
    run([&](Sonderzeichen& picker) {
        chooseSet(picker, "Deutsch");
        EXPECT_EQ(lines(picker.Liste),
                  QStringList({s(" ä"), s(" Ä"), s(" ö"), s(" Ö"), s(" ü"), s(" Ü"), s(" ß")}));
        selectCharacter(picker, s("Ö"));
        picker.Liste->setFocus();
        QTest::keyClick(picker.Liste, Qt::Key_Return);
        EXPECT_EQ(picker.Text->text(), s("Ö"));
        EXPECT_TRUE(picker.isVisible()) << "Enter in the list only collects";
        QTest::keyClick(picker.Liste, Qt::Key_Space);
        EXPECT_EQ(picker.Text->text(), s("ÖÖ"));
        picker.befLöschen->click();
        EXPECT_EQ(picker.Text->text(), QString());

        chooseSet(picker, "Paarweise");
        selectCharacter(picker, s("«"));
        picker.befKopieren->click();
        QListWidgetItem* rechts = picker.Liste->findItems(s(" »"), Qt::MatchExactly).front();
        const QRect zelle = picker.Liste->visualItemRect(rechts);
        QTest::mouseClick(picker.Liste->viewport(), Qt::LeftButton, {}, zelle.center());
        EXPECT_EQ(picker.Text->text(), s("«")) << "a click only selects";
        QTest::mouseDClick(picker.Liste->viewport(), Qt::LeftButton, {}, zelle.center());
        EXPECT_EQ(picker.Text->text(), s("«»"));
        EXPECT_EQ(picker.Text->cursorPosition(), 2);
        // Other keys move in the list as usual.
        QTest::keyClick(picker.Liste, Qt::Key_Down);
        EXPECT_EQ(picker.Liste->currentItem()->text(), s(" {"));
        EXPECT_EQ(picker.Text->text(), s("«»"));
        picker.BefOk->click();
    });
    EXPECT_EQ(main.text(), s("Zeile eins\r\nGruß «» Bonn"));
    EXPECT_EQ(main.selStart(), 19);
    EXPECT_EQ(main.selLength(), 0);
    EXPECT_TRUE(main.unsaved());
}

TEST_F(SonderzeichenTest, cancelCloseBoxEscapeOrNothingCollected_leaveTheEditorAsItWas)
{
    const std::vector<std::pair<const char*, std::function<void(Sonderzeichen&)>>> ways{
        {"Abbrechen", [](Sonderzeichen& p) { p.BefAbbruch->click(); }},
        {"Schließfeld", [](Sonderzeichen& p) { p.close(); }},
        {"Escape", [](Sonderzeichen& p) { QTest::keyClick(p.Liste, Qt::Key_Escape); }},
        {"nichts gesammelt", [](Sonderzeichen& p) {
             p.befLöschen->click();
             p.BefOk->click();
         }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        run([&](Sonderzeichen& picker) {
            chooseSet(picker, "Zeichen");
            selectCharacter(picker, s("€"));
            picker.befKopieren->click();
            EXPECT_EQ(picker.Text->text(), s("€"));
            close(picker);
        });
        EXPECT_EQ(main.text(), s("Zeile eins\r\nGruß AUS Bonn"));
        EXPECT_EQ(main.selStart(), 17);
        EXPECT_EQ(main.selLength(), 3);
        EXPECT_FALSE(main.unsaved());
    }
}

TEST_F(SonderzeichenTest, withoutMainWindow_nothingOpens)
{
    platform::MainPort* previous = platform::setMainPort(nullptr);
    mainwindow::SonderzeichenEinfuegen();
    EXPECT_EQ(platform::findForm<Sonderzeichen>(), nullptr);
    platform::setMainPort(previous);
}

} // namespace
