#include "commands/batch_commands.h"

#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/name_format.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "platform/clock.h"
#include "runtime/codec.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "textlib/placeholder_expander.h"
#include "textlib/string_functions.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace commands {

namespace {

const QString zeilenumbruch = QStringLiteral("\r\n");

void ereignisse()
{
    QCoreApplication::processEvents();
}

// Drops the user's input to one window and its controls (keys, shortcuts, clicks, the wheel),
// so that nothing typed or clicked meanwhile reaches an entry or starts a command. Other
// windows, such as a message or the password prompt shown during the run, take input as usual.
class EingabeFilter : public QObject {
public:
    explicit EingabeFilter(QWidget* fenster) : fenster_(fenster) {}

protected:
    bool eventFilter(QObject* ziel, QEvent* ereignis) override
    {
        switch (ereignis->type()) {
        case QEvent::ShortcutOverride: // taken here, so that no shortcut of the window fires
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            break;
        default:
            return false;
        }
        const auto* widget = qobject_cast<QWidget*>(ziel);
        if (widget == nullptr || fenster_ == nullptr || widget->window() != fenster_)
            return false;
        ereignis->accept();
        return true;
    }

private:
    QPointer<QWidget> fenster_;
};

// While a run goes on: the main window takes no input, the hourglass shows, and no second run
// starts.
class LaufSperre {
public:
    explicit LaufSperre(platform::MainPort& main) : main_(main), filter_(main.widget())
    {
        aktiv_ = !laeuft();
        if (!aktiv_)
            return;
        laeuft() = true;
        QCoreApplication::instance()->installEventFilter(&filter_);
    }
    ~LaufSperre()
    {
        if (!aktiv_)
            return;
        QCoreApplication::instance()->removeEventFilter(&filter_);
        main_.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
        laeuft() = false;
    }
    LaufSperre(const LaufSperre&) = delete;
    LaufSperre& operator=(const LaufSperre&) = delete;

    bool aktiv() const { return aktiv_; }
    void fortschritt(const QString& was, qsizetype nummer, qsizetype anzahl)
    {
        main_.setPanelText(QStringLiteral("Status"), was + u' ' + QString::number(nummer)
                                                         + QStringLiteral(" von ")
                                                         + QString::number(anzahl) + u'.');
        main_.refreshStatusBar();
    }

private:
    static bool& laeuft()
    {
        static bool wert = false;
        return wert;
    }

    platform::MainPort& main_;
    EingabeFilter filter_;
    platform::BusyPointer sanduhr_;
    bool aktiv_ = false;
};

// The entry with a tagged text appended behind a line break (an empty entry takes it alone).
QString angehaengt(const QString& eintrag, const QString& markierung, const QString& text)
{
    const QString zusatz = markierung + u' ' + text;
    return eintrag.isEmpty() ? zusatz : eintrag + zeilenumbruch + zusatz;
}

bool enthaeltOhneGross(const QString& text, const QString& teil)
{
    return rt::LCase(text).contains(rt::LCase(teil));
}

bool nurLesenGemeldet(const QString& titel)
{
    if (!foundation::nurLesen)
        return false;
    platform::dialogs().msgBox(
        QStringLiteral("Das Korvanel ist schreibgeschützt geöffnet: Es kann nichts geändert "
                       "werden."),
        platform::vbOKOnly | platform::vbExclamation, titel);
    return true;
}

// The answer to "Anzahl Tage zurück"; nullopt after Cancel or an empty answer.
std::optional<qint64> tageZurueck()
{
    const std::optional<QString> antwort = platform::dialogs().inputBox(
        QStringLiteral("Anzahl Tage zurück"), QString(), QStringLiteral("365"));
    if (!antwort || rt::Trim(*antwort).isEmpty())
        return std::nullopt;
    const double wert = rt::Val(*antwort);
    return wert >= 9.0e18 ? qint64(36501) : static_cast<qint64>(wert);
}

QString datumText(rt::VbDate tag)
{
    return rt::Format(tag, QStringLiteral("dd.mm.yyyy"));
}

// "yyyymmdd" as a date of the years 1500 to 2200.
std::optional<rt::VbDate> tagAusNummer(const QString& nummer)
{
    if (nummer.size() != 8)
        return std::nullopt;
    for (const QChar c : nummer) {
        if (!c.isDigit())
            return std::nullopt;
    }
    const int jahr = nummer.left(4).toInt();
    const int monat = nummer.mid(4, 2).toInt();
    const int tag = nummer.mid(6, 2).toInt();
    if (jahr < 1500 || jahr > 2200)
        return std::nullopt;
    const rt::VbDate datum = rt::DateSerial(jahr, monat, tag);
    if (rt::Month(datum) != monat || rt::Day(datum) != tag)
        return std::nullopt; // no such day ("20240231")
    return datum;
}

bool konvertieren(platform::MainPort& main, int& anzahl);

} // namespace

void mnuKonvertASCII2Ansi_Click(platform::MainPort& main)
{
    const QString titel = QStringLiteral("Konvertierung von ASCII nach ANSI");
    const platform::HelpTopic hilfe{foundation::hilfeDatei(), 4001};
    if (platform::dialogs().msgBox(
            QStringLiteral("Möchten Sie alle Einträge von ASCII (Dos) nach ANSI (Win) "
                           "konvertieren?"),
            platform::vbYesNo | platform::vbDefaultButton2 | platform::vbQuestion
                | platform::vbMsgBoxHelpButton,
            titel, hilfe)
        != platform::vbYes)
        return;
    int anzahl = 0;
    if (!konvertieren(main, anzahl))
        return;
    platform::dialogs().msgBox(titel + QStringLiteral(" ist abgeschlossen.\r\n\r\nEs wurden ")
                                   + QString::number(anzahl)
                                   + QStringLiteral(" Einträge angepasst."),
                               platform::vbOKOnly | platform::vbInformation, titel);
}

namespace {

// The pass of the conversion; false when there was no day to convert (or a run is going on).
bool konvertieren(platform::MainPort& main, int& anzahl)
{
    LaufSperre sperre(main);
    if (!sperre.aktiv())
        return false;

    store::EintragSpeichern();
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    qsizetype nummer = 0;
    for (const qint32 tag : *tage) {
        sperre.fortschritt(QStringLiteral("Konvertiere Tag"), ++nummer,
                           static_cast<qsizetype>(tage->size()));
        const QString zahl = QString::number(tag);
        main.setDateCaption(zahl.mid(6, 2) + u'.' + zahl.mid(4, 2) + u'.' + zahl.left(4));
        ereignisse();
        const QString alt = main.text();
        QString neu = alt;
        foundation::DosNachAnsi(neu);
        if (neu == alt)
            continue;
        if (!platform::replaceEntryText(main, neu))
            continue;
        ereignisse();
        if (store::EintragSpeichern())
            ++anzahl;
    }
    return !tage->empty();
}

} // namespace

QStringList DateinamenTexte(const QString& maske)
{
    QStringList texte;
    const QString ordner = foundation::PfadTeil(maske, -1);
    const QString muster = foundation::PfadTeil(maske, 3);
    if (muster.isEmpty())
        return texte;
    for (const QString& datei : platform::listFolder(ordner.isEmpty() ? QStringLiteral(".") : ordner,
                                                     muster)) {
        const QString name = rt::Trim(textlib::LinksKuerzen(foundation::PfadTeil(datei, 1),
                                                            QStringLiteral("0123456789_- ")));
        if (name.isEmpty() || name.contains(u'°'))
            continue;
        bool doppelt = false;
        for (const QString& schon : texte)
            doppelt = doppelt || rt::LCase(schon) == rt::LCase(name);
        if (!doppelt)
            texte.append(name);
    }
    return texte;
}

void mnuImportDateiname_Click(platform::MainPort& main)
{
    const QString titel = QStringLiteral("Import von Dateinamen");
    if (nurLesenGemeldet(titel))
        return;
    const QString muster =
        rt::Trim(foundation::IniLesen({}, {}, QStringLiteral("ImportDateinamePattern01")));
    const QString markierung = foundation::IniLesenVorgabe(
        {}, {}, QStringLiteral("ImportDateinameTextPre01"), QStringLiteral("[Von Foto-Text]"));
    if (muster.isEmpty()) {
        platform::dialogs().msgBox(
            QStringLiteral("Es ist kein Dateimuster eingestellt (»ImportDateinamePattern01« in "
                           "den Einstellungen); es wurde nichts importiert."),
            platform::vbOKOnly | platform::vbExclamation, titel);
        return;
    }
    std::optional<qint64> n = tageZurueck();
    if (!n || *n <= 0)
        return;
    if (*n > 36500)
        n = 365;

    const std::optional<rt::VbDate> start = rt::CDate(main.dateCaption());
    if (!start)
        return;
    LaufSperre sperre(main);
    if (!sperre.aktiv())
        return;
    for (qint64 i = *n; i >= 0; --i) {
        sperre.fortschritt(QStringLiteral("Dateinamen, Tag"), *n - i + 1, *n + 1);
        const rt::VbDate tag = rt::DateAdd(QStringLiteral("d"), static_cast<double>(-i), *start);
        if (rt::Year(tag) < 1500)
            continue;
        main.setDateCaption(datumText(tag));
        ereignisse();
        textlib::varioDatum = main.dateCaption();
        const QStringList namen = DateinamenTexte(textlib::VariablenErsetzen(muster));
        if (namen.isEmpty())
            continue;
        const QString gesammelt = namen.join(zeilenumbruch);
        const QString eintrag = main.text();
        if (!enthaeltOhneGross(eintrag, gesammelt))
            platform::replaceEntryText(main, angehaengt(eintrag, markierung, gesammelt));
    }
}

std::vector<KalenderEreignis> KalenderEreignisse(const QString& text)
{
    std::vector<KalenderEreignis> liste;
    std::optional<KalenderEreignis> offen;
    for (const QString& zeile : rt::splitLines(text)) {
        const QString gross = rt::UCase(zeile);
        if (gross.startsWith(u"BEGIN:VEVENT")) {
            offen = KalenderEreignis{};
        } else if (!offen) {
            continue;
        } else if (gross.startsWith(u"DTSTART:")) {
            offen->beginn = rt::Mid(zeile, 9, 8);
        } else if (gross.startsWith(u"DTEND:")) {
            offen->ende = rt::Mid(zeile, 7, 8);
        } else if (gross.startsWith(u"SUMMARY:")) {
            offen->titel = rt::Trim(rt::Mid(zeile, 9));
        } else if (gross.startsWith(u"END:VEVENT")) {
            liste.push_back(*offen);
            offen.reset();
        }
    }
    return liste;
}

void mnuImportGoogleKalender_Click(platform::MainPort& main)
{
    const QString titel = QStringLiteral("Import aus einem Kalender");
    if (nurLesenGemeldet(titel))
        return;
    std::optional<qint64> n = tageZurueck();
    if (!n)
        return;
    if (*n < 1 || *n > 36500)
        n = 365;
    const QString markierung = foundation::IniLesenVorgabe(
        {}, {}, QStringLiteral("ImportDateinameTextPre02"), QStringLiteral("[Von Kalender-Text]"));
    const std::optional<QString> datei = platform::dialogs().openFile(
        QStringLiteral("Wählen Sie eine Kalender-Datei"),
        QStringLiteral("Kalender|*.ics|Alles|*.*|"), foundation::ordnerDat);
    if (!datei)
        return;
    const std::optional<QByteArray> bytes = platform::readFile(platform::resolvePath(*datei));
    if (!bytes) {
        platform::dialogs().msgBox(QStringLiteral("Die Kalender-Datei »") + *datei
                                       + QStringLiteral("« kann nicht gelesen werden."),
                                   platform::vbOKOnly | platform::vbExclamation, titel);
        return;
    }
    QByteArray inhalt = *bytes;
    if (rt::hasUtf8Bom(inhalt))
        inhalt.remove(0, 3);

    const rt::VbDate heute = rt::DateOnly(platform::clock().now());
    const rt::VbDate frueheste = rt::DateAdd(QStringLiteral("d"), static_cast<double>(-*n), heute);
    std::vector<KalenderEreignis> benutzt;
    for (const KalenderEreignis& ereignis : KalenderEreignisse(QString::fromUtf8(inhalt))) {
        const std::optional<rt::VbDate> beginn = tagAusNummer(ereignis.beginn);
        if (ereignis.titel.isEmpty() || !beginn || *beginn < frueheste || *beginn > heute)
            continue;
        benutzt.push_back(ereignis);
    }

    LaufSperre sperre(main);
    if (!sperre.aktiv())
        return;
    qsizetype nummer = 0;
    for (const KalenderEreignis& ereignis : benutzt) {
        sperre.fortschritt(QStringLiteral("Kalender, Termin"), ++nummer,
                           static_cast<qsizetype>(benutzt.size()));
        const QString beginn = datumText(*tagAusNummer(ereignis.beginn));
        const std::optional<rt::VbDate> endTag = tagAusNummer(ereignis.ende);
        const QString ende = endTag ? datumText(*endTag) : beginn;
        main.setDateCaption(beginn);
        ereignisse();
        QString text = textlib::Utf8Korrigieren(ereignis.titel);
        const QString eintrag = main.text();
        if (enthaeltOhneGross(eintrag, text))
            continue;
        if (ende != beginn)
            text += QStringLiteral(" (bis ") + ende + u')';
        platform::replaceEntryText(main, angehaengt(eintrag, markierung, text));
    }
}

} // namespace commands
