#include "commands/marked_text_tools.h"

#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "foundation/text_replace.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/print_surface.h"
#include "print/text_printing.h"
#include "runtime/error.h"
#include "runtime/strings.h"
#include "store/diary_title.h"
#include "store/store_state.h"
#include "textlib/print_footer.h"
#include "textlib/string_functions.h"

#include <QFont>

namespace commands {

namespace {

QString allgemein(const char* key, const char* vorgabe)
{
    return foundation::IniLesen({}, QStringLiteral("Allgemein"), QString::fromUtf8(key),
                                QString::fromUtf8(vorgabe));
}

// The printer failed: true when the user chose to go on.
bool weiterNachFehler()
{
    const int nummer = rt::Err().number != 0 ? rt::Err().number : rt::ErrPrinterError;
    return foundation::FehlerBehandlung(nummer, QStringLiteral("Was soll jetzt geschehen?")) == 5;
}

} // namespace

QString OhneZeilenumbrueche(const QString& auswahl)
{
    // One blank after each break goes (the search goes on behind each replacement).
    QString text = foundation::TextErsetzen(auswahl, QStringLiteral("\r\n "), QStringLiteral("\r\n"));
    return foundation::TextErsetzen(text, QStringLiteral("\r\n"), QStringLiteral(" "));
}

void mnuMarkGänsefuss_Click(platform::MainPort& main)
{
    const platform::BusyPointer sanduhr;
    main.insertText(allgemein("Anführung1", "»") + main.selText() + allgemein("Anführung2", "«"));
}

void mnuMarkUcase_Click(platform::MainPort& main)
{
    const int start = main.selStart();
    const int laenge = main.selLength();
    if (!main.insertText(rt::UCase(main.selText())))
        return;
    main.setSelStart(start);
    main.setSelLength(laenge);
}

void mnuMarkCRdel_Click(platform::MainPort& main)
{
    const platform::BusyPointer sanduhr;
    const int start = main.selStart();
    if (!main.insertText(OhneZeilenumbrueche(main.selText())))
        return;
    main.setSelStart(start);
    main.setSelLength(0);
}

void mnuMark2EUR_Click(platform::MainPort& main)
{
    const QString auswahl = main.selText();
    if (auswahl.isEmpty())
        return;
    const QString euro = textlib::InEuroUmrechnen(auswahl);
    if (!euro.isEmpty())
        main.insertText(euro);
}

void mnuMarkPrint_Click(platform::MainPort& main)
{
    const platform::BusyPointer sanduhr;
    platform::PrintSurface& p = platform::printer();
    const QFont schrift = main.textFont();
    const double groesse = schrift.pointSizeF() > 0 ? schrift.pointSizeF() : 10.0;
    const auto editorSchrift = [&] {
        p.setFontBold(schrift.bold());
        p.setFontSize(groesse);
    };
    p.setFontName(schrift.family());
    p.setFontItalic(schrift.italic());
    p.setForeColor(main.textPalette().color(QPalette::Text));
    editorSchrift();
    p.setScaleMode(platform::vbCentimeters);

    // Each step that fails asks whether to go on.
    const auto schritt = [](bool ok) { return ok || weiterNachFehler(); };

    p.setFontBold(true);
    p.setFontSize(groesse + 2);
    p.setCurrentX(2);
    p.setCurrentY(1);
    if (!schritt(p.Print(QStringLiteral("Korvanelauszug"))))
        return;
    editorSchrift();
    p.setCurrentX(2);
    QString kuerzel = store::korvanelKuerzel;
    const QString titel = store::KorvanelTitelLesen(kuerzel, store::titelKuerzel);
    if (!schritt(p.Print(QStringLiteral("vom ") + main.dateCaption() + QStringLiteral(" aus ")
                         + titel)))
        return;
    if (!schritt(p.Print()))
        return;
    editorSchrift();

    bool abgebrochen = false;
    const QString rest = print::TextDruckenMitSeitenwechsel(
        rt::Trim(main.selText()), 2, -1, -1, -1, [&] {
            textlib::DruckFusszeile(2, false);
            if (!p.NewPage() && !weiterNachFehler())
                abgebrochen = true;
            editorSchrift();
        });
    if (abgebrochen)
        return;
    if (!rest.isEmpty())
        print::SeiteZuKleinMelden();
    textlib::DruckFusszeile(2, false);
    if (!schritt(p.EndDoc()))
        return;
    print::PdfAusgabeMelden();
}

} // namespace commands
