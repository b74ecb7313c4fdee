#include "print_footer.h"

#include "foundation/ini_store.h"
#include "foundation/product_info.h"
#include "foundation/version.h"
#include "platform/clock.h"
#include "platform/print_surface.h"
#include "runtime/format.h"

#include <QColor>

#include <algorithm>

namespace textlib {

namespace {

// The lowest the footer line may start, in centimetres below the top of the printable area.
constexpr double tiefsteFusszeile = 27.4;

// The footer's font: Arial 6 pt, not bold, italic, black.
void fusszeilenSchrift(platform::PrintSurface& p)
{
    p.setFontName(QStringLiteral("Arial"));
    p.setFontSize(6);
    p.setFontBold(false);
    p.setForeColor(QColor(0, 0, 0));
    p.setFontItalic(true);
}

// The top of the footer line in the current scale, measured in the font the printer has now.
double obenInDerSchrift(platform::PrintSurface& p)
{
    const double zeile = p.TextHeight(FusszeilenText() + QStringLiteral("Ay"));
    // Measured from the top of the printable area, so that a scale origin moved down for a top
    // margin (a negative ScaleTop) neither pushes the footer off the page nor lifts the cap.
    const double vonOben = std::min(p.ScaleHeight() - 2.5 * zeile, tiefsteFusszeile);
    return p.ScaleTop() + vonOben;
}

} // namespace

QString FusszeilenText()
{
    return foundation::produktName() + u' ' + QString::number(foundation::hauptVersion())
        + QStringLiteral(" \u00B7 Ausdruck vom ")
        + rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy"));
}

bool FusszeileEingeschaltet()
{
    return foundation::IniLesen(QString(), QString(), QStringLiteral("Fusszeile"),
                                QStringLiteral("0"))
        != u"0";
}

double FusszeileOben()
{
    platform::PrintSurface& p = platform::printer();
    const QString name = p.FontName();
    const double groesse = p.FontSize();
    const bool fett = p.FontBold();
    const bool kursiv = p.FontItalic();
    const QColor farbe = p.ForeColor();
    fusszeilenSchrift(p);
    const double oben = obenInDerSchrift(p);
    p.setFontName(name);
    p.setFontSize(groesse);
    p.setFontBold(fett);
    p.setFontItalic(kursiv);
    p.setForeColor(farbe);
    return oben;
}

void DruckFusszeile(double x, bool ohne)
{
    platform::PrintSurface& p = platform::printer();
    fusszeilenSchrift(p);
    const QString text = FusszeilenText();
    if (!FusszeileEingeschaltet())
        ohne = true;
    p.setCurrentX(x);
    p.setCurrentY(obenInDerSchrift(p));
    if (!ohne)
        p.Print(text, platform::LineEnd::No); // a failing printer is passed over
    p.setFontItalic(false);
}

} // namespace textlib
