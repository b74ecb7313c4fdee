#include "editor_keys.h"

#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/text_replace.h"
#include "integration/links.h"
#include "mainwindow/editing_commands.h"
#include "mainwindow/popup_menu.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "textlib/placeholder_expander.h"
#include "textlib/string_functions.h"

namespace mainwindow {

int ueberschreiben = 0;

void resetEditorTasten()
{
    ueberschreiben = 0;
}

namespace {

constexpr int keyLeft = 37;
constexpr int keyRight = 39;
constexpr int keyInsert = 45;
constexpr int keyF1 = 112;
constexpr int keyF10 = 121;
constexpr int keyF12 = 123;
constexpr int shiftAlt = 4;
constexpr int shiftAltShift = 5;

} // namespace

std::optional<Navigation> editorNavigation(int keyCode, int shift)
{
    if (shift == shiftAlt && keyCode == keyLeft)
        return Navigation::TagZur;
    if (shift == shiftAlt && keyCode == keyRight)
        return Navigation::TagVor;
    if (shift == shiftAltShift && keyCode == keyLeft)
        return Navigation::EintragZur;
    if (shift == shiftAltShift && keyCode == keyRight)
        return Navigation::EintragVor;
    return std::nullopt;
}

QString Tastenmakro(int keyCode)
{
    if (keyCode < keyF1 || keyCode > keyF12 || keyCode == keyF10)
        return QString();
    const QString key = QStringLiteral("F") + rt::Format(keyCode - 111, QStringLiteral("00"));
    QString text = foundation::IniLesen(foundation::ordnerDat + QStringLiteral("/Keys.txt"),
                                        QStringLiteral("Shift_Key"), key, QString());
    if (text.isEmpty())
        return QString();
    text = foundation::TextErsetzen(text, QStringLiteral("~"), QStringLiteral("\r\n"));
    text = textlib::VariablenErsetzen(text);
    return rt::Trim(text) + u' ';
}

void EditorTasteUnten(platform::MainPort& main, int& keyCode, int shift)
{
    if (const std::optional<Navigation> befehl = editorNavigation(keyCode, shift))
        Navigieren(main, *befehl);

    if (keyCode == keyInsert && shift == 0) {
        ueberschreiben = ueberschreiben ? 0 : -1;
        main.setPanelText(QStringLiteral("txtEinf"),
                          ueberschreiben ? QStringLiteral("Üb") : QStringLiteral("Einf"));
    }

    if (shift == 1 && keyCode >= keyF1 && keyCode <= keyF12 && keyCode != keyF10
        && !foundation::nurLesen) {
        const QString text = Tastenmakro(keyCode);
        if (!text.isEmpty()) {
            TextEinfuegen(main, text);
            keyCode = 0;
        }
    }
}

void EditorZeichen(platform::MainPort& main, int& keyAscii)
{
    if (keyAscii == 9) {
        keyAscii = 0;
        return;
    }
    if (keyAscii >= 32 && ueberschreiben && main.selLength() == 0) {
        const QString text = main.text();
        const int p = main.selStart();
        if (p < text.size() && text.at(p) != u'\r' && text.at(p) != u'\n')
            main.setSelLength(1);
    }
}

void EditorDoppelklick(platform::MainPort& main)
{
    if (rt::Val(foundation::IniLesen(QString(), QString(), QStringLiteral("DblClickIgn"),
                                     QStringLiteral("0")))
        != 0) {
        foundation::DebugLogbuch(QStringLiteral("Doppelklick: deaktiviert"));
        return;
    }
    if (const std::optional<textlib::Auswahl> zitat =
            textlib::ZitatBereich(main.text(), main.selStart())) {
        main.setSelStart(zitat->selStart);
        main.setSelLength(zitat->selLength);
    }
    const QString text = rt::Trim(main.selText());
    foundation::DebugLogbuch(QStringLiteral("Doppelklick: '") + text + u'\'');

    if (const std::optional<QString> kuerzel = korvanelVerweis(text)) {
        foundation::DebugLogbuch(QStringLiteral("Doppelklick: Hypersprung in ein anderes Korvanel"));
        if (korvanelHypersprung())
            korvanelHypersprung()(*kuerzel, rt::Trim(main.dateCaption()));
        return;
    }
    if (const std::optional<rt::VbDate> datum = datumAmAnfang(text)) {
        foundation::DebugLogbuch(QStringLiteral("Doppelklick: Datumwechsel"));
        main.setDateCaption(tagAlsCaption(*datum));
        return;
    }
    if (integration::LinkOeffnen(text)) {
        foundation::DebugLogbuch(QStringLiteral("Doppelklick: Ausführung"));
        return;
    }
    foundation::DebugLogbuch(QStringLiteral("Doppelklick: Lesezeichen setzen / holen"));
    main.runMenuEntry(QStringLiteral("mnuLesezeichen"));
}

} // namespace mainwindow
