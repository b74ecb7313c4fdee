#include "day_export.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/read_only.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/mood_marker.h"
#include "store/store_state.h"
#include "textlib/date_names.h"

#include <QDir>
#include <QFileInfo>

namespace print {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString unterstrichAlsLeerzeichen(QString text)
{
    return text.replace(u'_', u' ');
}

QString datumText(rt::VbDate tag)
{
    return rt::Format(tag, QStringLiteral("dd.mm.yyyy"));
}

// The entry without CR and LF at its beginning and its end; blanks and the rest stay.
QString zeilenendenAussenWeg(const QString& text)
{
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    const auto istZeilenende = [](QChar c) { return c == u'\r' || c == u'\n'; };
    while (anfang < ende && istZeilenende(text.at(anfang)))
        ++anfang;
    while (ende > anfang && istZeilenende(text.at(ende - 1)))
        --ende;
    return text.mid(anfang, ende - anfang);
}

} // namespace

bool TagAusgeben(const Tagesauswahl& auswahl, rt::VbDate tag, const QString& text)
{
    bool ausgeben = true;
    if (!auswahl.auchLeereTage && text.isEmpty())
        ausgeben = false;
    if (auswahl.nurMarkierte && store::MarkerLesen(tag) == 0)
        ausgeben = false;
    const QString stichwort = rt::LCase(auswahl.stichwort);
    if (!stichwort.isEmpty() && rt::InStr(1, rt::LCase(text), stichwort) == 0)
        ausgeben = false;
    const QString filter = rt::Trim(auswahl.datumFilter);
    if (!filter.isEmpty()
        && !rt::Format(tag, QStringLiteral("dddd, dd.mm.yyyy")).contains(filter))
        ausgeben = false;
    return ausgeben;
}

Tagesgang TageDurchgehen(const Tagesauswahl& auswahl,
                         const std::function<void(const Ausgabetag&)>& ausgeben,
                         const std::function<bool()>& weiter,
                         const std::function<void(int)>& fortschritt, double fortschrittAb)
{
    Tagesgang gang;
    const std::optional<rt::VbDate> von = rt::CDate(auswahl.von);
    const std::optional<rt::VbDate> bis = rt::CDate(auswahl.bis);
    for (const auto& [datum, text] : {std::pair{von, auswahl.von}, std::pair{bis, auswahl.bis}}) {
        if (!datum || !rt::isDateInRange(*datum)) {
            gang.ende = Tagesgang::Ende::Lesefehler;
            gang.fehlerText = QStringLiteral("»%1« ist kein gültiges Datum.").arg(text);
            gang.fehlerNummer = 13;
            return gang;
        }
    }
    const qint64 erster = rt::dayNumber(*von);
    const qint64 letzter = rt::dayNumber(*bis);
    const qint64 gesamt = letzter - erster;
    // The first day is walked even when it lies after the last one.
    for (qint64 nummer = erster; nummer == erster || nummer <= letzter; ++nummer) {
        if (weiter && !weiter()) {
            gang.ende = Tagesgang::Ende::Angehalten;
            return gang;
        }
        const rt::VbDate tag(static_cast<double>(nummer));
        const store::Eintrag eintrag = store::EintragLaden(store::DatumZuTagesnummer(tag)
                                                          + u'.' + store::korvanelKuerzel);
        if (!eintrag.ok()) {
            gang.ende = Tagesgang::Ende::Lesefehler;
            gang.fehlerText = store::EintragLadefehlerText(eintrag);
            gang.fehlerNummer = eintrag.fehlerNummer != 0 ? eintrag.fehlerNummer : 75;
            return gang;
        }
        if (TagAusgeben(auswahl, tag, eintrag.text)) {
            ausgeben(Ausgabetag{datumText(tag),
                                textlib::NameVonDatum(rt::Weekday(tag), QStringLiteral("WT2")),
                                eintrag.text, tag});
            ++gang.tageAusgegeben;
        }
        ++gang.tageGegangen;
        if (fortschritt && platform::random().Rnd() > fortschrittAb) {
            qint64 prozent = gesamt > 0 ? 100 * gang.tageGegangen / gesamt : 100;
            if (prozent < 0 || prozent > 100)
                prozent = 100;
            fortschritt(static_cast<int>(prozent));
        }
    }
    return gang;
}

QString ExportPraefix()
{
    return unterstrichAlsLeerzeichen(
        foundation::IniLesenVorgabe({}, {}, QStringLiteral("ExpPre"), QStringLiteral("@_")));
}

QString ExportSuffix()
{
    return unterstrichAlsLeerzeichen(
        foundation::IniLesenVorgabe({}, {}, QStringLiteral("ExpSuf"), QStringLiteral(":_")));
}

QString ZwischenablageSuffix()
{
    return unterstrichAlsLeerzeichen(foundation::MeldungAufbereiten(
        foundation::IniLesenVorgabe({}, {}, QStringLiteral("ExpSuf"), QStringLiteral(":_"))));
}

QString ZwischenablageSatzEnde()
{
    return foundation::MeldungAufbereiten(
        foundation::IniLesenVorgabe({}, {}, QStringLiteral("ExpSufZA"), QStringLiteral("~~")));
}

QString ExportTitel(const QString& von, const QString& bis)
{
    return QStringLiteral("Korvanel vom ") + von + QStringLiteral(" bis zum ") + bis
           + QStringLiteral(".") + crlf + crlf;
}

QString KorvanelSatz(const Ausgabetag& tag, const QString& praefix, const QString& suffix)
{
    return praefix + tag.datum + QStringLiteral(", ") + tag.wochentag + suffix + tag.text + crlf
           + crlf;
}

QString KommaSatz(const Ausgabetag& tag)
{
    QString text = tag.text;
    text.replace(u'"', u'\'');
    return tag.datum + QStringLiteral(",\"") + text + QStringLiteral("\"") + crlf;
}

QString ZwischenablageSatz(const Ausgabetag& tag, const QString& suffix, const QString& satzEnde)
{
    return tag.datum + QStringLiteral(", ") + tag.wochentag + suffix
           + zeilenendenAussenWeg(tag.text) + satzEnde;
}

Ausgabetext DateiTextErstellen(int art, const Tagesauswahl& auswahl,
                               const std::function<bool()>& weiter,
                               const std::function<void(int)>& fortschritt)
{
    Ausgabetext aus;
    QString praefix;
    QString suffix;
    if (art == 0) {
        praefix = ExportPraefix();
        suffix = ExportSuffix();
        aus.text = ExportTitel(auswahl.von, auswahl.bis);
    }
    aus.gang = TageDurchgehen(
        auswahl,
        [&](const Ausgabetag& tag) {
            aus.text += art == 0 ? KorvanelSatz(tag, praefix, suffix) : KommaSatz(tag);
        },
        weiter, fortschritt);
    return aus;
}

bool ImDatenordner(const QString& path)
{
    if (foundation::ordnerDat.isEmpty())
        return false;
    const auto aufgeloest = [](const QString& pfad) {
        const QFileInfo info(pfad);
        const QString echt = info.canonicalFilePath();
        return QDir::cleanPath(echt.isEmpty() ? info.absoluteFilePath() : echt);
    };
    // The target may not exist yet: its folder decides.
    const QFileInfo ziel(path);
    QString ordner = aufgeloest(ziel.absolutePath());
    const QString daten = aufgeloest(foundation::ordnerDat);
    return ordner == daten || ordner.startsWith(daten == QStringLiteral("/") ? daten
                                                                              : daten + u'/');
}

DateiAusgabe KorvanelFormatAusgeben(const QString& datei, const Tagesauswahl& auswahl,
                                    const std::function<bool()>& weiter,
                                    const std::function<void(int)>& fortschritt)
{
    DateiAusgabe ergebnis;
    if (foundation::nurLesen && ImDatenordner(datei)) {
        ergebnis.meldung = QStringLiteral("Korvanel ist schreibgeschützt geöffnet und schreibt "
                                          "nichts in den Datenordner.");
        return ergebnis;
    }
    foundation::IniSchreiben({}, {}, QStringLiteral("FileNameExp"), datei);
    const Ausgabetext aus = DateiTextErstellen(0, auswahl, weiter, fortschritt);
    if (aus.gang.ende == Tagesgang::Ende::Lesefehler) {
        ergebnis.meldung = aus.gang.fehlerText;
        return ergebnis;
    }
    if (!platform::writeTextFile(datei, aus.text)) {
        ergebnis.fehlerNummer = rt::Err().number;
        ergebnis.meldung = QStringLiteral("Die Datei »%1« konnte nicht geschrieben werden: %2")
                               .arg(datei, rt::errorText(ergebnis.fehlerNummer));
        return ergebnis;
    }
    foundation::IniSchreiben({}, {}, QStringLiteral("DateiDruckZuletzt"),
                             rt::Format(platform::clock().now(),
                                        QStringLiteral("dd.mm.yyyy hh:nn")));
    ergebnis.geschrieben = true;
    ergebnis.vollstaendig = aus.gang.ende == Tagesgang::Ende::Fertig;
    ergebnis.tage = aus.gang.tageAusgegeben;
    return ergebnis;
}

} // namespace print
