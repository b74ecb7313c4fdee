#include "regional_check.h"

#include "ini_store.h"
#include "message_text.h"
#include "product_info.h"
#include "version.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"

#include <QDate>

#include <vector>

namespace foundation {

namespace {

std::optional<Laendereinstellung>& einstellungFuerTests()
{
    static std::optional<Laendereinstellung> einstellung;
    return einstellung;
}

// A number laid out by a number pattern with the separators of the settings: the German form
// with its decimal comma and grouping point exchanged for the regional ones.
QString regionalFormatieren(double zahl, const QString& muster, const Laendereinstellung& e)
{
    const QString deutsch = rt::Format(zahl, muster);
    QString ergebnis;
    for (const QChar zeichen : deutsch) {
        if (zeichen == u',')
            ergebnis += e.dezimalzeichen;
        else if (zeichen == u'.')
            ergebnis += e.gruppierungszeichen;
        else
            ergebnis += zeichen;
    }
    return ergebnis;
}

QString regionalesKurzdatum(const QDate& datum, const Laendereinstellung& e)
{
    return e.sprache.toString(datum, e.kurzesDatum);
}

enum class Feld { Tag, Monat, Jahr };

// The order of day, month and year in a date pattern; fewer than three fields when one is
// missing. Quoted literals are skipped; "ddd" and "dddd" are weekday names, not the day.
std::vector<Feld> feldfolge(const QString& muster)
{
    std::vector<Feld> folge;
    const auto hinzu = [&folge](Feld feld) {
        for (const Feld vorhanden : folge) {
            if (vorhanden == feld)
                return;
        }
        folge.push_back(feld);
    };
    bool zitat = false;
    for (qsizetype i = 0; i < muster.size();) {
        const QChar zeichen = muster.at(i);
        if (zeichen == u'\'') {
            zitat = !zitat;
            ++i;
            continue;
        }
        qsizetype lauf = 1;
        while (i + lauf < muster.size() && muster.at(i + lauf) == zeichen)
            ++lauf;
        if (!zitat) {
            if (zeichen == u'd' && lauf <= 2)
                hinzu(Feld::Tag);
            else if (zeichen == u'M')
                hinzu(Feld::Monat);
            else if (zeichen == u'y')
                hinzu(Feld::Jahr);
        }
        i += lauf;
    }
    return folge;
}

// Whether the text is a date when its three numbers are read as day, month and year in the
// order of the short date form; any characters but digits separate the numbers. Two-digit
// years 00-29 are 20xx, 30-99 are 19xx.
bool regionalLesbaresDatum(const QString& text, const Laendereinstellung& e)
{
    const std::vector<Feld> folge = feldfolge(e.kurzesDatum);
    if (folge.size() != 3)
        return false;
    QStringList zahlen;
    QString zahl;
    for (const QChar zeichen : text + u' ') {
        if (zeichen >= u'0' && zeichen <= u'9') {
            zahl += zeichen;
        } else if (!zahl.isEmpty()) {
            zahlen.append(zahl);
            zahl.clear();
        }
    }
    if (zahlen.size() != 3)
        return false;
    int tag = 0;
    int monat = 0;
    int jahr = 0;
    for (std::size_t i = 0; i < folge.size(); ++i) {
        const QString& teil = zahlen.at(static_cast<qsizetype>(i));
        if (teil.size() > 4)
            return false;
        const int wert = teil.toInt();
        switch (folge[i]) {
        case Feld::Tag:
            tag = wert;
            break;
        case Feld::Monat:
            monat = wert;
            break;
        case Feld::Jahr:
            jahr = teil.size() <= 2 ? (wert < 30 ? 2000 + wert : 1900 + wert) : wert;
            break;
        }
    }
    return QDate(jahr, monat, tag).isValid();
}

} // namespace

Laendereinstellung laendereinstellungAus(const QLocale& locale)
{
    return {locale.decimalPoint(), locale.groupSeparator(),
            locale.dateFormat(QLocale::ShortFormat), locale};
}

Laendereinstellung systemLaendereinstellung()
{
    if (einstellungFuerTests())
        return *einstellungFuerTests();
    return laendereinstellungAus(QLocale::system());
}

void setLaendereinstellungFuerTests(std::optional<Laendereinstellung> einstellung)
{
    einstellungFuerTests() = std::move(einstellung);
}

QString LaendereinstellungPruefen(int frage)
{
    const Laendereinstellung e = systemLaendereinstellung();
    QString text;

    const QString dezimal = regionalFormatieren(1.0 / 3.0, QStringLiteral(".0"), e).left(1);
    const QString gruppe = regionalFormatieren(1000.0, QStringLiteral("0,000"), e).mid(1, 1);
    if (dezimal != u"," || gruppe != u"." || gruppe == dezimal) {
        text += QStringLiteral("Als Dezimaltrennzeichen sollte ein Komma und als "
                               "Gruppierungszeichen ein Punkt eingestellt sein.~Es könnte sein, "
                               "dass Berechnungen und Zahlenformatierungen falsch durchgeführt "
                               "werden! Der Bruch 10000/3 wird z. B. als ")
            + regionalFormatieren(10000.0 / 3.0, QStringLiteral("#,##0.00"), e)
            + QStringLiteral(" formatiert.~~");
    }

    const bool lesbar = regionalLesbaresDatum(QStringLiteral("31.12.1997"), e);
    if (!lesbar || regionalesKurzdatum(QDate(1997, 12, 31), e).mid(2, 1) != u".") {
        const QDate heute = rt::toQDate(platform::clock().now());
        text += QStringLiteral("Als Datumsformat sollte die Form tt.mm.jjjj gewählt werden. ")
            + QStringLiteral("~Es könnte sein, dass Berechnungen und Formatierungen falsch "
                             "durchgeführt werden! Das heutige Datum wird z. B. als '")
            + regionalesKurzdatum(heute, e) + QStringLiteral("' formatiert.~~");
    }

    if (!text.isEmpty()) {
        text = programmTitel() + QStringLiteral(" Version ") + QString::number(hauptVersion())
            + u'.' + rt::Format(nebenVersion(), QStringLiteral("00"))
            + QStringLiteral(" erwartet eine Ländereinstellung, wie sie im deutschsprachigen "
                             "Gebiet üblich ist.~~")
            + text
            + QStringLiteral("Die Einstellungen können Sie in den Regions- und "
                             "Spracheinstellungen Ihrer Arbeitsumgebung vornehmen.");
        if (frage != 0) {
            text += QStringLiteral("~~Möchten Sie diesen Hinweis als Erinnerung weiterhin "
                                   "angezeigt bekommen? Dieses wird empfohlen!");
        }
        text = MeldungAufbereiten(text);
    }

    const QString schluessel = QStringLiteral("LänderHinweis");
    const double hinweis =
        rt::Val(IniLesen(QString(), QStringLiteral("Allgemein"), schluessel, QStringLiteral("1")));
    if (hinweis != 0 && !text.isEmpty() && frage != 0) {
        const int antwort = platform::dialogs().msgBox(
            text, platform::vbYesNo + platform::vbCritical,
            programmTitel() + QStringLiteral(" - bitte Ländereinstellung überprüfen"));
        if (antwort == platform::vbNo)
            IniSchreiben(QString(), QStringLiteral("Allgemein"), schluessel, QStringLiteral("0"));
    }
    return text;
}

} // namespace foundation
