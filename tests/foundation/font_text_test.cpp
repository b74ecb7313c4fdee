#include "foundation/font_text.h"

#include "support/qt_print.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using foundation::SchriftAlsText;
using foundation::SchriftAusText;

namespace {

// A control with a known font and text colour: "Testschrift; 10;0;0;0;0;" in black.
template <class Control>
std::unique_ptr<Control> steuerelement()
{
    auto control = std::make_unique<Control>();
    QFont schrift(u"Testschrift"_qs);
    schrift.setPointSizeF(10);
    control->setFont(schrift);
    SchriftAusText(control.get(), u";;;;;0;"_qs, u"alle"_qs);
    return control;
}

QColor textFarbe(const QWidget& control, QPalette::ColorRole rolle)
{
    return control.palette().color(rolle);
}

} // namespace

TEST(SchriftAlsText, writesSixFieldsEachEndedBySemicolon)
{
    QPlainTextEdit editor;
    QFont schrift(u"Liberation Serif"_qs);
    schrift.setPointSizeF(13);
    schrift.setBold(true);
    schrift.setItalic(true);
    editor.setFont(schrift);
    QPalette palette = editor.palette();
    palette.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));
    editor.setPalette(palette);

    // The colour number holds red in its lowest byte.
    EXPECT_EQ(SchriftAlsText(&editor), u"Liberation Serif; 13;-1;-1;0;5649426;"_qs);
}

TEST(SchriftAlsText, roundsTheSizeHalfToEven)
{
    const struct {
        double groesse;
        QString feld;
    } faelle[] = {
        {10.5, u" 10"_qs}, {11.5, u" 12"_qs}, {8.25, u" 8"_qs}, {9.75, u" 10"_qs}, {72, u" 72"_qs},
    };
    QLabel label;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.groesse);
        QFont schrift = label.font();
        schrift.setPointSizeF(f.groesse);
        label.setFont(schrift);
        EXPECT_EQ(SchriftAlsText(&label).section(u';', 1, 1), f.feld);
    }
}

TEST(SchriftAusText, roundTripOnRealControls)
{
    const QString text = u"Liberation Mono; 14;-1;0;-1;255;"_qs;
    const auto pruefen = [&](QWidget& control, QPalette::ColorRole rolle) {
        SchriftAusText(&control, text, u"Alles"_qs);
        EXPECT_EQ(control.font().family(), u"Liberation Mono"_qs);
        EXPECT_EQ(control.font().pointSizeF(), 14);
        EXPECT_TRUE(control.font().bold());
        EXPECT_FALSE(control.font().italic());
        EXPECT_TRUE(control.font().underline());
        EXPECT_EQ(textFarbe(control, rolle), QColor(255, 0, 0));
        EXPECT_EQ(SchriftAlsText(&control), text);
    };
    {
        SCOPED_TRACE("plain text editor");
        QPlainTextEdit editor;
        pruefen(editor, QPalette::Text);
    }
    {
        SCOPED_TRACE("line edit");
        QLineEdit zeile;
        pruefen(zeile, QPalette::Text);
    }
    {
        SCOPED_TRACE("label");
        QLabel label;
        pruefen(label, QPalette::WindowText);
    }
    {
        SCOPED_TRACE("button");
        QPushButton knopf;
        pruefen(knopf, QPalette::ButtonText);
    }
}

TEST(SchriftAusText, appliesWhatTheOptionsChoose)
{
    const QString neu = u"Neue Schrift; 20;-1;-1;-1;16711680;"_qs; // blue
    const QString alt = u"Testschrift; 10;0;0;0;0;"_qs;
    const struct {
        const char* name;
        QString optionen, erwartet;
    } faelle[] = {
        {"empty options: everything", u""_qs, neu},
        {"Alles", u"Alles"_qs, neu},
        {"capitals", u"ALLE"_qs, neu},
        {"colour only", u"Farben"_qs, u"Testschrift; 10;0;0;0;16711680;"_qs},
        {"font only", u"Schrift"_qs, u"Neue Schrift; 20;-1;-1;-1;0;"_qs},
        {"printer font is the font", u"Print"_qs, u"Neue Schrift; 20;-1;-1;-1;0;"_qs},
        {"font and colour combine", u"schrift,farbe"_qs, neu},
        {"unknown word: nothing", u"Rahmen"_qs, alt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        auto editor = steuerelement<QPlainTextEdit>();
        ASSERT_EQ(SchriftAlsText(editor.get()), alt);
        SchriftAusText(editor.get(), neu, f.optionen);
        EXPECT_EQ(SchriftAlsText(editor.get()), f.erwartet);
    }
}

TEST(SchriftAusText, leavesWhatAFieldDoesNotSayAsItWas)
{
    const struct {
        const char* name;
        QString text, erwartet;
    } faelle[] = {
        {"only a font name", u"Arial"_qs, u"Arial; 10;0;0;0;0;"_qs},
        {"only a font name with its semicolon", u"Arial;"_qs, u"Arial; 10;0;0;0;0;"_qs},
        {"empty text", u""_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"blanks around fields",
         u"  Arial  ;  12 ; -1 ; 0 ;0; 255 ;"_qs, u"Arial; 12;-1;0;0;255;"_qs},
        {"text behind the sixth field ignored",
         u"Arial; 12;0;0;0;255;Rest;-1;"_qs, u"Arial; 12;0;0;0;255;"_qs},
        {"decimal comma ends the size", u"; 12,5;"_qs, u"Testschrift; 12;0;0;0;0;"_qs},
        {"size with decimal point", u"; 12.5;"_qs, u"Testschrift; 12;0;0;0;0;"_qs},
        {"size that is no number", u"; gross;"_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"size zero", u"; 0;"_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"style as words", u";;Wahr;True;falsch;"_qs, u"Testschrift; 10;-1;-1;0;0;"_qs},
        {"style that is no truth value", u";;ja;;;"_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"colour that is no number", u";;;;;rot;"_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"colour beyond RGB", u";;;;;16777216;"_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"negative colour that is no system colour",
         u";;;;;-5;"_qs, u"Testschrift; 10;0;0;0;0;"_qs},
        {"white", u";;;;;16777215;"_qs, u"Testschrift; 10;0;0;0;16777215;"_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        auto editor = steuerelement<QPlainTextEdit>();
        SchriftAusText(editor.get(), f.text, u"Alles"_qs);
        EXPECT_EQ(SchriftAlsText(editor.get()), f.erwartet);
    }
}

TEST(SchriftAusText, systemColourTakesTheColourOfTheApplicationPalette)
{
    auto editor = steuerelement<QPlainTextEdit>();
    const QColor erwartet = QApplication::palette(editor.get()).color(QPalette::Text);
    SchriftAusText(editor.get(), u";;;;;16711935;"_qs, u"Farben"_qs);
    ASSERT_NE(textFarbe(*editor, QPalette::Text), erwartet);

    // 0x80000008, the text colour of windows.
    SchriftAusText(editor.get(), u";;;;;-2147483640;"_qs, u"Farben"_qs);
    EXPECT_EQ(textFarbe(*editor, QPalette::Text), erwartet);
}
