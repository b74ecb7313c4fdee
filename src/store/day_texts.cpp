#include "store/day_texts.h"

#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/message_text.h"
#include "foundation/text_replace.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "textlib/string_functions.h"

#include <cmath>
#include <optional>

namespace store {

int autoFormat = 0;

namespace {

const QString crLf = QStringLiteral("\r\n");

// The new moon the age is counted from, and the synodic month in days.
const rt::VbDate neumond = rt::dateTimeOf(1996, 4, 17, 23, 49);
constexpr double synodischerMonat = 29.530587962963;

// Where the terminator stands at p per cent of the lunation: 180 at new moon, about 0 at full
// moon, 180 again at the next new moon.
double terminator(double p)
{
    return 180.000000009 - 2.30031471506 * p + 0.07769918765 * std::pow(p, 2)
        - 0.01112125889 * std::pow(p, 3) + 0.00030628975 * std::pow(p, 4)
        - 3.00820142e-06 * std::pow(p, 5) + 1.00273381e-08 * std::pow(p, 6);
}

bool amRandWeg(QChar c)
{
    return c == u' ' || c == u'.' || c == u'\r' || c == u'\n';
}

} // namespace

QString EinzugTexteLesen(rt::VbDate datum)
{
    platform::BusyPointer sanduhr;
    const rt::ErrorRecordGuard fehlerBleibt;
    const QString schluessel = rt::Format(datum, QStringLiteral("dd.mm.yyyy"));
    foundation::OrdnerBereitstellen();
    const QString ordner = platform::resolvePath(foundation::ordnerDat);
    QString text;
    for (const QString& name : platform::listFolder(ordner, QStringLiteral("Einzug*.txt"))) {
        const std::optional<QString> inhalt = textlib::DateiEinlesen(ordner + u'/' + name);
        if (inhalt) {
            for (const QString& zeile : rt::splitLines(*inhalt)) {
                if (!zeile.startsWith(schluessel))
                    continue;
                // Lines may put "=" between the date and the text.
                QString rest = zeile.mid(schluessel.size());
                if (rest.startsWith(u'='))
                    rest.remove(0, 1);
                text += rest + crLf;
            }
        }
        text += crLf + crLf;
    }
    text = foundation::TextErsetzen(text, QStringLiteral("\t"), QStringLiteral(" "));
    text = foundation::MeldungAufbereiten(text);
    return textlib::LeerraumBereinigen(text);
}

QString EinzugTexteLesen(const QString& datum)
{
    const std::optional<rt::VbDate> tag = rt::CDate(datum);
    return tag ? EinzugTexteLesen(*tag) : QString();
}

QString TextBereinigen(QString& text)
{
    if (text.isEmpty() || autoFormat == 0)
        return text;
    text = rt::UCase(rt::Left(text, 1)) + rt::Mid(text, 2);
    text = rt::Replace(text, QStringLiteral("\t"), QStringLiteral(" "));
    qsizetype von = 0;
    while (von < text.size() && amRandWeg(text.at(von)))
        ++von;
    qsizetype bis = text.size();
    while (bis > von && amRandWeg(text.at(bis - 1)))
        --bis;
    text = text.mid(von, bis - von);
    if (text.size() > 2 && !QStringLiteral("!?.,;-:").contains(text.back()))
        text += u'.';
    return text;
}

double MondphaseAnteil(rt::VbDate datum)
{
    // Signed, so that a day before the reference new moon lies in the lunation before it.
    const double tage = static_cast<double>(rt::DateDiff(QStringLiteral("n"), neumond, datum))
        / 1440.0;
    const double lunationen = tage / synodischerMonat;
    return lunationen - std::floor(lunationen);
}

QString MondphaseText(rt::VbDate datum)
{
    const double anteil = MondphaseAnteil(datum);
    const double alter = anteil * synodischerMonat;
    const double p = rt::Round(anteil * 100.0);
    const double t = std::fabs(terminator(p) - 90.0);
    const double gerundet = rt::Round(t / 5.0) * 5.0;
    const bool westen = (p >= 25 && p <= 50) || p >= 75;
    return QStringLiteral("Mondalter: ") + rt::Format(alter, QStringLiteral("0"))
        + QStringLiteral(" Tage~") + (p > 50 ? QStringLiteral("ab") : QStringLiteral("zu"))
        + QStringLiteral("nehmend, Terminator bei ca. ")
        + rt::Format(gerundet, QStringLiteral("0")) + QStringLiteral("° ")
        + (westen ? QStringLiteral("W") : QStringLiteral("O")) + QStringLiteral("~");
}

QString MondphaseText(const QString& datum)
{
    const std::optional<rt::VbDate> tag = rt::CDate(datum);
    if (!tag) {
        rt::raiseError(rt::ErrTypeMismatch);
        foundation::FehlerBehandlung(
            rt::ErrTypeMismatch,
            QStringLiteral("Es ist ein Fehler bei der Berechnung der Mondphase aufgetreten."));
        return QString();
    }
    return MondphaseText(*tag);
}

QString WochenendeKennung(rt::VbDate datum)
{
    const int tag = rt::Weekday(datum);
    return tag == 7 || tag == 1 ? QStringLiteral(" ") : QString();
}

QString WochenendeKennung(const QString& datum)
{
    const std::optional<rt::VbDate> tag = rt::CDate(datum);
    return tag ? WochenendeKennung(*tag) : QString();
}

QString TextDurchreichen(const QString& text, const QString&, const QString&)
{
    return text;
}

void resetDayTexts()
{
    autoFormat = 0;
}

} // namespace store
