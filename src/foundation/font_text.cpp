#include "font_text.h"

#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QWidget>

#include <array>
#include <cmath>
#include <optional>

namespace foundation {

namespace {

// Text entry controls draw their text in Text, the others in their foreground role
// (WindowText for labels, ButtonText for buttons).
QPalette::ColorRole textRolle(const QWidget* control)
{
    if (!control)
        return QPalette::WindowText;
    if (qobject_cast<const QLineEdit*>(control)
        || qobject_cast<const QAbstractScrollArea*>(control)
        || qobject_cast<const QAbstractSpinBox*>(control)
        || qobject_cast<const QComboBox*>(control))
        return QPalette::Text;
    return control->foregroundRole();
}

} // namespace

qint32 farbNummer(const QColor& farbe)
{
    return farbe.red() | (farbe.green() << 8) | (farbe.blue() << 16);
}

std::optional<QColor> farbeAusNummer(qint64 nummer, const QWidget* control)
{
    if (nummer >= 0 && nummer <= 0xFFFFFF)
        return QColor(int(nummer & 0xFF), int((nummer >> 8) & 0xFF), int((nummer >> 16) & 0xFF));
    constexpr qint64 systemFarbe = -2147483648LL;
    const qint64 index = nummer - systemFarbe;
    if (index < 0 || index > 30)
        return std::nullopt;
    struct Systemfarbe {
        int index;
        QPalette::ColorRole rolle;
    };
    // The system colours of the old colour numbers that have a counterpart in a palette.
    static constexpr std::array<Systemfarbe, 12> systemfarben{{
        {4, QPalette::Window},          {5, QPalette::Base},
        {7, QPalette::WindowText},      {8, QPalette::NoRole}, // text of the control itself
        {9, QPalette::WindowText},      {13, QPalette::Highlight},
        {14, QPalette::HighlightedText}, {15, QPalette::Button},
        {17, QPalette::PlaceholderText}, {18, QPalette::ButtonText},
        {23, QPalette::ToolTipText},    {24, QPalette::ToolTipBase},
    }};
    for (const Systemfarbe& s : systemfarben) {
        if (s.index == index) {
            const QPalette::ColorRole rolle =
                s.rolle == QPalette::NoRole ? textRolle(control) : s.rolle;
            return QApplication::palette(control).color(rolle);
        }
    }
    return std::nullopt;
}

std::optional<QColor> farbeAusText(const QString& text, const QWidget* control)
{
    bool ok = false;
    const qint64 nummer = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return farbeAusNummer(nummer, control);
}

namespace {

// A truth value as the settings write it ("-1", "0") or as a word.
std::optional<bool> wahrheitswert(const QString& feld)
{
    if (const std::optional<double> zahl = rt::parseGermanNumber(feld))
        return *zahl != 0;
    const QString wort = rt::LCase(feld);
    if (wort == u"true" || wort == u"wahr")
        return true;
    if (wort == u"false" || wort == u"falsch")
        return false;
    return std::nullopt;
}

QString wahrheitAlsText(bool wert)
{
    return wert ? u"-1"_qs : u"0"_qs;
}

} // namespace

QString SchriftAlsText(const QWidget* control)
{
    if (!control)
        return {};
    const QFont schrift = control->font();
    double groesse = schrift.pointSizeF();
    if (groesse <= 0)
        groesse = QFontInfo(schrift).pointSizeF();
    QString text = schrift.family() + u';';
    text += u' ' + QString::number(static_cast<qint64>(rt::Round(groesse))) + u';';
    text += wahrheitAlsText(schrift.bold()) + u';';
    text += wahrheitAlsText(schrift.italic()) + u';';
    text += wahrheitAlsText(schrift.underline()) + u';';
    text += QString::number(farbNummer(control->palette().color(textRolle(control)))) + u';';
    return text;
}

void SchriftAusText(QWidget* control, const QString& fontText, const QString& options)
{
    if (!control)
        return;
    const QString wahl = rt::LCase(options);
    const bool alles = wahl.isEmpty() || wahl.contains(u"alle");
    const bool schriftWahl = alles || wahl.contains(u"schr") || wahl.contains(u"print");
    const bool farbWahl = alles || wahl.contains(u"farb");

    QString rest = fontText + u";;;;;;;;;;"_qs;
    std::array<QString, 6> felder;
    for (QString& feld : felder) {
        const qsizetype ende = rest.indexOf(u';');
        feld = rt::Trim(rest.left(ende));
        rest.remove(0, ende + 1);
    }

    if (schriftWahl) {
        QFont schrift = control->font();
        if (!felder[0].isEmpty())
            schrift.setFamily(felder[0]);
        if (!felder[1].isEmpty()) {
            // The size is read from the field's beginning with a decimal point; a decimal comma
            // ends it. Sizes a font cannot have are passed over.
            const double groesse = rt::Val(felder[1]);
            if (groesse > 0 && groesse <= 2160)
                schrift.setPointSizeF(groesse);
        }
        // An empty or unreadable field gives no truth value and leaves the style as it is.
        if (const auto fett = wahrheitswert(felder[2]))
            schrift.setBold(*fett);
        if (const auto kursiv = wahrheitswert(felder[3]))
            schrift.setItalic(*kursiv);
        if (const auto unterstrichen = wahrheitswert(felder[4]))
            schrift.setUnderline(*unterstrichen);
        control->setFont(schrift);
    }

    if (farbWahl && !felder[5].isEmpty()) {
        if (const std::optional<double> nummer = rt::parseGermanNumber(felder[5]);
            nummer && std::fabs(*nummer) < 1e10) {
            if (const auto farbe = farbeAusNummer(std::llround(rt::Round(*nummer)), control)) {
                QPalette palette = control->palette();
                palette.setColor(textRolle(control), *farbe);
                control->setPalette(palette);
            }
        }
    }
}

} // namespace foundation
