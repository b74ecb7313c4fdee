#include "navigation.h"

#include "foundation/folders.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "runtime/format.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QFileInfo>

namespace mainwindow {

namespace {

constexpr int ersteJahr = 1500;
constexpr int letzteJahr = 2200;

MonatsblattFenster& monatsblattFenster()
{
    static MonatsblattFenster fenster;
    return fenster;
}

QString alsCaption(rt::VbDate tag)
{
    return rt::Format(tag, QStringLiteral("dd.mm.yyyy"));
}

// The day kept within the years the diary knows.
rt::VbDate imBereich(rt::VbDate tag)
{
    if (rt::Year(tag) < ersteJahr)
        return rt::DateSerial(ersteJahr, 1, 1);
    if (rt::Year(tag) > letzteJahr)
        return rt::DateSerial(letzteJahr, 12, 31);
    return tag;
}

void blaettern(platform::MainPort& main, const QString& intervall, int anzahl)
{
    const std::optional<rt::VbDate> tag = angezeigterTag(main);
    if (!tag)
        return;
    // Moved from the serial day: a move that leaves the runtime's range gives the day unchanged.
    const rt::VbDate neu = rt::DateAdd(intervall, anzahl, rt::DateOnly(*tag));
    main.setDateCaption(alsCaption(imBereich(neu)));
}

// "yyyymmdd" as "dd.mm.yyyy" when it is a day of the diary's years.
std::optional<QString> tagesnummerAlsCaption(qint32 nummer)
{
    const QString ziffern = rt::Format(static_cast<qint64>(nummer), QStringLiteral("00000000"));
    const QString caption = ziffern.mid(6, 2) + u'.' + ziffern.mid(4, 2) + u'.' + ziffern.left(4);
    const std::optional<rt::VbDate> tag = rt::CDate(caption);
    if (!tag || alsCaption(*tag) != caption || rt::Year(*tag) < ersteJahr
        || rt::Year(*tag) > letzteJahr)
        return std::nullopt;
    return caption;
}

void ersterOderLetzter(platform::MainPort& main, bool erster)
{
    main.setMousePointer(platform::vbHourglass);
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Suche Eintrag..."));
    main.refreshStatusBar();
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis; // a snapshot: the move rebuilds
    if (!tage->empty()) {
        if (const std::optional<QString> caption =
                tagesnummerAlsCaption(erster ? tage->front() : tage->back()))
            main.setDateCaption(*caption);
    }
    main.setMousePointer(platform::vbDefault);
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
}

bool jahresordnerDa(int jahr)
{
    return QFileInfo(platform::resolvePath(foundation::ordnerDat + u'/'
                                           + rt::Format(static_cast<qint64>(jahr),
                                                        QStringLiteral("0000"))))
        .isDir();
}

// Whether the day file is there (readable or not: an entry that cannot be read is still an
// entry, and loading it tells the user why it does not show).
bool tagesdateiDa(rt::VbDate tag)
{
    const QString name = store::DatumZuTagesnummer(tag) + u'.' + store::korvanelKuerzel;
    return QFileInfo(platform::resolvePath(store::TagesdateiPfad(name))).isFile();
}

void naechsterOderVorheriger(platform::MainPort& main, bool vor)
{
    main.setMousePointer(platform::vbHourglass);
    main.setPanelText(QStringLiteral("Status"), vor ? QStringLiteral("Suche nächsten Eintrag...")
                                                    : QStringLiteral("Suche vorherigen Eintrag..."));
    main.refreshStatusBar();

    std::optional<rt::VbDate> gefunden;
    std::optional<rt::VbDate> start = rt::CDate(store::aktDatum);
    if (!start)
        start = angezeigterTag(main);
    if (start && !store::korvanelKuerzel.isEmpty()) {
        qint64 tag = rt::dayNumber(*start);
        const int schritt = vor ? 1 : -1;
        int gepruefterOrdner = 0;
        bool ordnerDa = false;
        for (;;) {
            tag += schritt;
            const rt::VbDate d = rt::fromDayAndFraction(tag, 0);
            const int jahr = rt::Year(d);
            if (jahr > letzteJahr || jahr < ersteJahr)
                break;
            if (jahr != gepruefterOrdner) {
                gepruefterOrdner = jahr;
                ordnerDa = jahresordnerDa(jahr);
            }
            if (!ordnerDa) {
                // The rest of the year has no entry: on to the first (or last) day of the next.
                tag = rt::dayNumber(vor ? rt::DateSerial(jahr, 12, 31) : rt::DateSerial(jahr, 1, 1));
                continue;
            }
            if (tagesdateiDa(d)) {
                gefunden = d;
                break;
            }
        }
    }

    if (gefunden) {
        main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
        main.setDateCaption(alsCaption(*gefunden));
    } else {
        main.setPanelText(QStringLiteral("Status"),
                          vor ? QStringLiteral("Keinen nächsten Eintrag gefunden ")
                              : QStringLiteral("Keinen vorherigen Eintrag gefunden "));
    }
    main.setMousePointer(platform::vbDefault);
}

} // namespace

const std::vector<NavigationsEintrag>& navigationsMenue()
{
    static const std::vector<NavigationsEintrag> eintraege = [] {
        const auto f = [](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
            return QKeyCombination(mods, key);
        };
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        return std::vector<NavigationsEintrag>{
            {Navigation::Heute, QStringLiteral("PulHeute"), QStringLiteral("&Heute"), {}},
            {Navigation::TagZur, QStringLiteral("PulTagZur"), QStringLiteral("&Tag zurück"),
             f(Qt::Key_F7)},
            {Navigation::TagVor, QStringLiteral("PulTagVor"), QStringLiteral("T&ag vor"),
             f(Qt::Key_F8)},
            {Navigation::WocheZur, QStringLiteral("PulWocheZur"), QStringLiteral("&Woche zurück"),
             f(Qt::Key_F7, ctrl)},
            {Navigation::WocheVor, QStringLiteral("PulWocheVor"), QStringLiteral("W&oche vor"),
             f(Qt::Key_F8, ctrl)},
            {Navigation::MonatZur, QStringLiteral("PulMonatZur"), QStringLiteral("&Monat zurück"),
             {}},
            {Navigation::MonatVor, QStringLiteral("PulMonatVor"), QStringLiteral("Mo&nat vor"), {}},
            {Navigation::JahrZur, QStringLiteral("PulJahrZur"), QStringLiteral("&Jahr zurück"),
             f(Qt::Key_F7, ctrlShift)},
            {Navigation::JahrVor, QStringLiteral("PulJahrVor"), QStringLiteral("Jah&r vor"),
             f(Qt::Key_F8, ctrlShift)},
            {Navigation::EintragZur, QStringLiteral("PulEintragZur"), QStringLiteral("&Zurück"),
             f(Qt::Key_F5)},
            {Navigation::EintragVor, QStringLiteral("PulEintragVor"), QStringLiteral("&Vor"),
             f(Qt::Key_F6)},
            {Navigation::EintragErster, QStringLiteral("PulEintragErster"),
             QStringLiteral("&Erster"), {}},
            {Navigation::EintragLetzter, QStringLiteral("PulEintragLetzter"),
             QStringLiteral("&Letzter"), f(Qt::Key_F6, ctrl)},
        };
    }();
    return eintraege;
}

std::optional<Navigation> navigationVonName(const QString& name)
{
    for (const NavigationsEintrag& eintrag : navigationsMenue())
        if (eintrag.name.compare(name, Qt::CaseInsensitive) == 0)
            return eintrag.befehl;
    return std::nullopt;
}

std::optional<rt::VbDate> angezeigterTag(const platform::MainPort& main)
{
    if (std::optional<rt::VbDate> tag = rt::CDate(main.dateCaption()))
        return tag;
    return rt::CDate(store::aktDatum);
}

void Navigieren(platform::MainPort& main, Navigation befehl)
{
    switch (befehl) {
    case Navigation::TagVor:
        return blaettern(main, QStringLiteral("d"), 1);
    case Navigation::TagZur:
        return blaettern(main, QStringLiteral("d"), -1);
    case Navigation::WocheVor:
        return blaettern(main, QStringLiteral("ww"), 1);
    case Navigation::WocheZur:
        return blaettern(main, QStringLiteral("ww"), -1);
    case Navigation::MonatVor:
        return blaettern(main, QStringLiteral("m"), 1);
    case Navigation::MonatZur:
        return blaettern(main, QStringLiteral("m"), -1);
    case Navigation::JahrVor:
        return blaettern(main, QStringLiteral("yyyy"), 1);
    case Navigation::JahrZur:
        return blaettern(main, QStringLiteral("yyyy"), -1);
    case Navigation::Heute:
        return main.setDateCaption(alsCaption(imBereich(rt::DateOnly(platform::clock().now()))));
    case Navigation::EintragErster:
        return ersterOderLetzter(main, true);
    case Navigation::EintragLetzter:
        return ersterOderLetzter(main, false);
    case Navigation::EintragVor:
        return naechsterOderVorheriger(main, true);
    case Navigation::EintragZur:
        return naechsterOderVorheriger(main, false);
    }
}

QString tagAlsCaption(rt::VbDate tag)
{
    return alsCaption(imBereich(rt::DateOnly(tag)));
}

void setMonatsblattFenster(MonatsblattFenster fenster)
{
    monatsblattFenster() = std::move(fenster);
}

void MonatsblattWaehlen(platform::MainPort& main)
{
    const std::optional<rt::VbDate> tag = angezeigterTag(main);
    const int jahr = tag ? rt::Year(*tag) : 0;
    if (jahr < ersteJahr || jahr > letzteJahr) {
        const QString text =
            jahr > letzteJahr
                ? QStringLiteral("Das Monatsblatt kann leider nur Daten bis zum Jahr 2200 "
                                 "verarbeiten. Möchten Sie das Datum manuell eingeben?")
                : QStringLiteral("Das Monatsblatt kann leider nur Daten ab dem Jahr 1500 "
                                 "verarbeiten. Möchten Sie das Datum manuell eingeben?");
        const int antwort = platform::dialogs().msgBox(
            text, platform::vbYesNo | platform::vbExclamation, QStringLiteral("Monatsblatt"));
        if (antwort == platform::vbYes)
            main.runMenuEntry(QStringLiteral("mnuGeheZu"));
        return;
    }
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Tag wechseln..."));
    if (const MonatsblattFenster& fenster = monatsblattFenster()) {
        if (const std::optional<QString> gewaehlt = fenster(alsCaption(*tag))) {
            if (const std::optional<rt::VbDate> neu = rt::CDate(*gewaehlt))
                main.setDateCaption(alsCaption(imBereich(rt::DateOnly(*neu))));
        }
    }
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
}

} // namespace mainwindow
