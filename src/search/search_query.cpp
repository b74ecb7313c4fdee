#include "search/search_query.h"

#include "runtime/like.h"
#include "runtime/strings.h"
#include "textlib/phonetic_key.h"
#include "textlib/string_functions.h"


#include <algorithm>

namespace search {

namespace {

// Stands in for a blank inside a quoted phrase while a line is cut into words.
constexpr QChar geschuetzt(u'\x01');

// The lines of the query: CR LF, LF and CR each end one.
QStringList zeilenVon(const QString& text)
{
    QStringList zeilen;
    qsizetype anfang = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        zeilen.append(text.mid(anfang, i - anfang));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        anfang = i + 1;
    }
    zeilen.append(text.mid(anfang));
    return zeilen;
}

// The line with the blanks of its quoted phrases protected and the quotes removed, ended by one
// blank. An unclosed phrase runs to the end of the line: the blank that ends the line is not
// part of it.
QString zeileVorbereiten(const QString& zeile)
{
    QString vorbereitet = textlib::AusserhalbZitatErsetzen(
        rt::RTrim(zeile) + u' ', QStringLiteral("\""), QStringLiteral(" "), QString(geschuetzt));
    if (vorbereitet.endsWith(geschuetzt)) {
        vorbereitet.chop(1);
        vorbereitet.append(u' ');
    }
    return vorbereitet;
}

QString begriffVorbereiten(const QString& wort, int suchTyp, bool grossKleinBeachten)
{
    QString begriff = grossKleinBeachten ? wort : rt::LCase(wort);
    if (suchTyp == suchTypPhonetisch)
        begriff = textlib::PhonetischerSchluessel(begriff);
    return begriff.replace(geschuetzt, u' ');
}

QString musterVon(const QString& begriff)
{
    return u'*' + begriff + u'*';
}

} // namespace

Suchbegriffe SuchbegriffeZerlegen(const QString& suchText, int suchTyp, bool grossKleinBeachten)
{
    Suchbegriffe begriffe;
    begriffe.suchTyp = suchTyp;
    begriffe.grossKleinBeachten = grossKleinBeachten;
    for (const QString& rohzeile : zeilenVon(suchText)) {
        const QString zeile = zeileVorbereiten(rohzeile);
        if (zeile == u" ")
            continue;
        begriffe.letzteAlternative = std::min(begriffe.letzteAlternative + 1, alternativenGrenze - 1);
        auto& alternative = begriffe.tabelle[static_cast<std::size_t>(begriffe.letzteAlternative)];
        int index = -1;
        for (const QString& wort : zeile.split(u' ', Qt::SkipEmptyParts)) {
            index = std::min(index + 1, begriffeGrenze - 1);
            begriffe.hoechsterBegriff = std::max(begriffe.hoechsterBegriff, index);
            QString begriff = begriffVorbereiten(wort, suchTyp, grossKleinBeachten);
            if (suchTyp == suchTypMuster && !begriff.isEmpty()
                && !rt::LikePatternValid(musterVon(begriff))) {
                QString gezeigt = wort;
                begriffe.ungueltigeMuster.append(gezeigt.replace(geschuetzt, u' '));
            }
            alternative[static_cast<std::size_t>(index)] = std::move(begriff);
        }
    }
    return begriffe;
}

qint32 EintragPasst(const Suchbegriffe& begriffe, qint32 start, const QString& text)
{
    if (begriffe.letzteAlternative < 0)
        return 0;
    start = std::max<qint32>(start, 1);
    QString verglichen = begriffe.grossKleinBeachten ? text : rt::LCase(text);
    if (begriffe.suchTyp == suchTypPhonetisch)
        verglichen = textlib::PhonetischerSchluessel(verglichen);
    // Pattern mode compares the text from start on.
    QString abStart;
    if (begriffe.suchTyp == suchTypMuster)
        abStart = start == 1 ? verglichen : rt::Mid(verglichen, start);

    for (int a = 0; a <= begriffe.letzteAlternative; ++a) {
        const auto& alternative = begriffe.tabelle[static_cast<std::size_t>(a)];
        qint32 ergebnis = 0;
        for (int b = 0; b <= begriffe.hoechsterBegriff; ++b) {
            const QString& begriff = alternative[static_cast<std::size_t>(b)];
            if (begriff.isEmpty())
                continue;
            qint32 wert = 0;
            if (begriffe.suchTyp == suchTypMuster)
                wert = rt::Like(abStart, musterVon(begriff)) ? 1 : 0; // an invalid one never
            else
                wert = rt::InStr(start, verglichen, begriff);
            ergebnis = wert;
            if (wert < 1)
                break;
        }
        if (ergebnis > 0)
            return ergebnis;
    }
    return 0;
}

} // namespace search
