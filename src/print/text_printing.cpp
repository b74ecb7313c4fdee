#include "text_printing.h"

#include "foundation/error_dialog.h"
#include "foundation/message_text.h"
#include "platform/dialogs.h"
#include "platform/print_surface.h"
#include "runtime/error.h"
#include "runtime/strings.h"

#include <QPalette>
#include <QWidget>

namespace print {

namespace {

// The characters after which a word ends; each stays at the end of its word.
bool istUmbruchZeichen(QChar c)
{
    return QStringView(u" -:=/&!?\r").contains(c);
}

// True when the user chose to go on after a failed printer step.
bool nachFehlerWeiter()
{
    return foundation::FehlerBehandlung(rt::Err().number,
                                        QStringLiteral("Fehler beim Textausdruck #1"))
        == 5;
}

struct Durchlauf {
    QString rest;          // what did not fit
    bool gedruckt = false; // whether at least one word was printed
};

Durchlauf textDrucken(const QString& text, double x1, double y1, double x2, double y2)
{
    platform::PrintSurface& p = platform::printer();
    if (x1 >= 0)
        p.setCurrentX(x1);
    if (y1 >= 0)
        p.setCurrentY(y1);
    if (x2 <= x1 || x2 < 0)
        x2 = p.ScaleWidth() - 1;
    if (y2 <= y1 || y2 < 0)
        y2 = p.ScaleHeight() - 2 * p.TextHeight(QStringLiteral("Ay"));

    Durchlauf lauf;
    qsizetype pos = 0;
    while (pos < text.size()) {
        QString wort;
        while (pos < text.size()) {
            const QChar c = text.at(pos++);
            if (c == u'\n')
                continue;
            wort += c;
            if (istUmbruchZeichen(c))
                break;
        }

        if (p.CurrentX() + p.TextWidth(wort + QStringLiteral("  ")) >= x2) {
            if (!p.Print() && !nachFehlerWeiter())
                return {QString(), lauf.gedruckt};
            if (x1 >= 0)
                p.setCurrentX(x1);
        }
        if (p.CurrentY() + 1.5 * p.TextHeight(QStringLiteral("ABCxyz")) >= y2) {
            lauf.rest = wort + text.mid(pos);
            return lauf;
        }
        if (!p.Print(wort, platform::LineEnd::No) && !nachFehlerWeiter())
            return {QString(), true};
        lauf.gedruckt = true;
        if (p.CurrentX() < x1)
            p.setCurrentX(x1);
    }
    return lauf;
}

} // namespace

QString TextDrucken(const QString& text, double x1, double y1, double x2, double y2)
{
    return textDrucken(text, x1, y1, x2, y2).rest;
}

QString TextDruckenMitSeitenwechsel(const QString& text, double x1, double y1, double x2,
                                    double y2, const std::function<void()>& neueSeite)
{
    QString rest = textDrucken(text, x1, y1, x2, y2).rest;
    while (!rest.isEmpty()) {
        if (neueSeite)
            neueSeite();
        const Durchlauf lauf = textDrucken(rt::LTrim(rest), x1, y1, x2, y2);
        if (!lauf.gedruckt)
            return lauf.rest;
        rest = lauf.rest;
    }
    return rest;
}

void SeiteZuKleinMelden()
{
    platform::dialogs().msgBox(
        foundation::MeldungAufbereiten(QStringLiteral(
            "Der Text passt nicht auf die Seite: Die Ränder oder die Schrift lassen keinen "
            "Platz für eine einzige Zeile.~~Der Rest des Textes wurde nicht gedruckt. Bitte "
            "wählen Sie kleinere Ränder oder eine kleinere Schrift.")),
        platform::vbExclamation, QStringLiteral("Drucken"));
}

void PdfAusgabeMelden()
{
    const QString datei = platform::printer().lastOutputFile();
    if (datei.isEmpty())
        return;
    platform::dialogs().msgBox(
        foundation::MeldungAufbereiten(
            QStringLiteral("Es ist kein Drucker eingerichtet. Der Ausdruck wurde als PDF-Datei "
                           "gespeichert:~~")
            + datei),
        platform::vbInformation, QStringLiteral("Drucken"));
}

bool DruckerWaehlen(const QString& name)
{
    platform::PrintSurface& p = platform::printer();
    bool gefunden = false;
    bool umgeschaltet = true;
    for (const platform::PrinterInfo& drucker : p.Printers()) {
        if (rt::equalsNoCase(drucker.DeviceName, name)) {
            gefunden = true;
            if (!p.selectPrinter(drucker.DeviceName))
                umgeschaltet = false;
        }
    }
    return gefunden && umgeschaltet;
}

void DruckerSchriftSetzen(const QWidget& ctrl)
{
    platform::PrintSurface& p = platform::printer();
    const QFont schrift = ctrl.font();
    p.setFontName(schrift.family());
    p.setFontSize(schrift.pointSizeF());
    p.setFontUnderline(schrift.underline());
    p.setFontStrikethru(schrift.strikeOut());
    p.setFontItalic(schrift.italic());
    p.setFontBold(schrift.bold());
    p.setForeColor(ctrl.palette().color(ctrl.foregroundRole()));
}

} // namespace print
