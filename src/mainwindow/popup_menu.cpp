#include "popup_menu.h"

#include "mainwindow/navigation.h"
#include "runtime/format.h"
#include "runtime/strings.h"

namespace mainwindow {

namespace {

KorvanelHypersprung& sprungHook()
{
    static KorvanelHypersprung sprung;
    return sprung;
}

} // namespace

std::optional<QString> korvanelVerweis(const QString& text)
{
    if (text.size() < 5 || text.at(0) != u'{' || text.at(4) != u'}')
        return std::nullopt;
    return rt::UCase(text.mid(1, 3));
}

std::optional<rt::VbDate> datumAmAnfang(const QString& text)
{
    return rt::CDate(rt::Left(text, 10));
}

PopupMenue popupMenue(const QString& selText, int selLength, bool zwischenablageHatText)
{
    const QString sel = rt::Trim(selText);
    PopupMenue menue;
    menue.ausschneiden = selLength > 0;
    menue.kopieren = selLength > 0;
    menue.einfuegen = zwischenablageHatText;
    if (const std::optional<QString> kuerzel = korvanelVerweis(sel))
        menue.hypersprungCaption = QStringLiteral("Wechseln ins ") + *kuerzel
            + QStringLiteral("-&Korvanel");
    else
        menue.hypersprungCaption = QStringLiteral("&Korvanel öffnen...");
    if (const std::optional<rt::VbDate> datum = datumAmAnfang(sel))
        menue.datumWechselCaption =
            QStringLiteral("&Wechseln zum ") + rt::Format(*datum, QStringLiteral("dd.mm.yyyy"));
    else
        menue.datumWechselCaption = QStringLiteral("&Wechseln zum Tag...");
    return menue;
}

void PopupDatumWechsel(platform::MainPort& main)
{
    if (const std::optional<rt::VbDate> datum = datumAmAnfang(rt::Trim(main.selText())))
        main.setDateCaption(tagAlsCaption(*datum));
    else
        main.runMenuEntry(QStringLiteral("mnuGeheZu"));
}

void PopupHypersprung(platform::MainPort& main)
{
    const std::optional<QString> kuerzel = korvanelVerweis(rt::Trim(main.selText()));
    if (kuerzel && sprungHook())
        sprungHook()(*kuerzel, rt::Trim(main.dateCaption()));
    else if (!kuerzel)
        main.runMenuEntry(QStringLiteral("PulLaden"));
}

void setKorvanelHypersprung(KorvanelHypersprung sprung)
{
    sprungHook() = std::move(sprung);
}

const KorvanelHypersprung& korvanelHypersprung()
{
    return sprungHook();
}

} // namespace mainwindow
