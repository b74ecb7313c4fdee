#include "diary_generator.h"

#include "runtime/codec.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <random>
#include <vector>

namespace bench {

namespace {

const std::vector<QString>& woerter()
{
    static const std::vector<QString> liste = [] {
        const QString text = QStringLiteral(
            "heute morgen früh Frühstück Bäcker Brötchen Kaffee Tee Straße Spaziergang Wald "
            "Wiese Fluss Brücke Nachbarin Müller Schäfer Größe Übung Ärger Öl Käse Äpfel Birnen "
            "Gemüse Kühlschrank Küche Wohnzimmer Bücher lesen schreiben gelesen geschrieben "
            "gefahren Fahrrad Zug Bahnhof Verspätung Regen Sonne Wolken Schnee Glätte kühl warm "
            "heiß müde fröhlich traurig glücklich nachdenklich Gespräch Telefon Brief Geschenk "
            "Geburtstag Weihnachten Ostern Urlaub Reise Hotel Strand Berge Hütte Gipfel Aussicht "
            "und oder aber denn weil dass wenn als ob nicht noch schon sehr viel wenig immer nie "
            "ich du er sie wir ihr mit ohne für gegen über unter zwischen während nach vor "
            "Arbeit Büro Besprechung Kollegen Chef Überstunden Feierabend Abendessen Suppe "
            "Kartoffeln Klöße Soße Nachtisch Kuchen Sahne Erdbeeren Gärtnerei Blumen Rosen "
            "Tulpen Gießkanne Schlüssel Tür Fenster Möbel Schrank Spülmaschine Wäsche Bügeleisen "
            "Ärztin Zahnarzt Apotheke Husten Schnupfen Besserung Großmutter Großvater Enkel "
            "Schwägerin Vetter Familie Freunde Verein Chor Probe Konzert Kirche Gottesdienst "
            "Zeitung Nachrichten Fernsehen Radio Musik Klavier Gitarre Übungsstunde Prüfung "
            "Zeugnis Schule Lehrerin Hausaufgaben Mathematik Erdkunde Geschichte Erinnerung");
        std::vector<QString> w;
        for (const QString& wort : text.split(u' ', Qt::SkipEmptyParts))
            w.push_back(wort);
        return w;
    }();
    return liste;
}

QString eintrag(std::mt19937& zufall)
{
    const std::vector<QString>& w = woerter();
    std::uniform_int_distribution<int> laenge(300, 3000);
    std::uniform_int_distribution<std::size_t> wort(0, w.size() - 1);
    std::uniform_int_distribution<int> satz(5, 14);
    std::uniform_int_distribution<int> absatz(3, 6);
    const int ziel = laenge(zufall);
    QString text;
    int zeile = 0;
    int saetze = 0;
    while (text.size() < ziel) {
        const int woerterImSatz = satz(zufall);
        for (int i = 0; i < woerterImSatz; ++i) {
            QString stueck = w[wort(zufall)];
            if (i == 0)
                stueck[0] = stueck[0].toUpper();
            if (zeile + stueck.size() > 78) {
                text += QStringLiteral("\r\n");
                zeile = 0;
            } else if (zeile > 0) {
                text += u' ';
                ++zeile;
            }
            text += stueck;
            zeile += static_cast<int>(stueck.size());
        }
        text += u'.';
        ++zeile;
        if (++saetze % absatz(zufall) == 0) {
            text += QStringLiteral("\r\n\r\n");
            zeile = 0;
        }
    }
    text.truncate(ziel);
    while (text.endsWith(u' ') || text.endsWith(u'\r') || text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

} // namespace

GenerierteTage tagebuchErzeugen(const QString& dataFolder, quint32 seed)
{
    std::mt19937 zufall(seed);
    GenerierteTage ergebnis;
    for (QDate tag(1996, 1, 1); tag.year() <= 2025; tag = tag.addDays(1)) {
        const QString jahr = QString::number(tag.year());
        if (tag.dayOfYear() == 1)
            QDir().mkpath(dataFolder + u'/' + jahr);
        const QByteArray bytes = rt::encodeText(eintrag(zufall));
        QFile datei(dataFolder + u'/' + jahr + u'/' + tag.toString(QStringLiteral("yyyyMMdd"))
                    + QStringLiteral(".Txt"));
        if (datei.open(QIODevice::WriteOnly | QIODevice::Truncate) && datei.write(bytes) == bytes.size()) {
            ++ergebnis.dateien;
            ergebnis.bytes += bytes.size();
        }
    }
    return ergebnis;
}

} // namespace bench
