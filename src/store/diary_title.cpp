#include "store/diary_title.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/strings.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace store {

namespace {

QString ersteZeile(const QString& text)
{
    qsizetype ende = 0;
    while (ende < text.size() && text.at(ende) != u'\r' && text.at(ende) != u'\n')
        ++ende;
    return text.left(ende);
}

QString menueSchluessel(int index)
{
    return QStringLiteral("MnuZuletzt") + QString::number(index);
}

} // namespace

QString kuerzelStandardform(const QString& name)
{
    return rt::UCase(rt::Left(name, 1)) + rt::LCase(rt::Mid(name, 2));
}

KorvanelAngabe KorvanelAngabeZerlegen(const QString& wert)
{
    const int trenner = wert.isEmpty() ? 0 : rt::InStr(2, wert, QStringLiteral(":"));
    if (trenner == 0)
        return {wert, std::nullopt};
    return {rt::Left(wert, trenner - 1), rt::Mid(wert, trenner + 1)};
}

bool kuerzelGueltig(const QString& name)
{
    if (name.size() != 3)
        return false;
    static const QStringList reserviert = {QStringLiteral("exe"), QStringLiteral("com"),
                                           QStringLiteral("bat"), QStringLiteral("hlp"),
                                           QStringLiteral("bak"), QStringLiteral("tmp")};
    if (reserviert.contains(rt::LCase(name)))
        return false;
    static const QString verboten = QStringLiteral(" *?+$\\|<>:,;\"/");
    for (const QChar ch : name) {
        if (verboten.contains(ch) || ch.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString KorvanelTitelLesen(QString& name, int modus)
{
    if (korvanelKuerzel.isEmpty() && modus >= 0)
        return {};
    QString titel;
    const QString datei = foundation::ordnerDat + QStringLiteral("/Info.") + name;
    {
        const rt::ErrorRecordGuard fehlerBleibt; // a missing title file is no error
        if (const std::optional<QString> text = platform::readTextFile(datei))
            titel = ersteZeile(*text);
    }
    name = kuerzelStandardform(name);
    if (!korvanelKuerzel.isEmpty() && modus >= 0)
        korvanelKuerzel = kuerzelStandardform(korvanelKuerzel);
    if (modus == titelUeberschrift) {
        QString ueberschrift = titel.isEmpty() ? QStringLiteral("Korvanel, ") + name : titel;
        if (foundation::nurLesen)
            ueberschrift += QStringLiteral(" - nur Leserechte");
        storeHost().setCaption(ueberschrift);
    }
    return titel;
}

void ZuletztMenüAufbauen()
{
    StoreHost& host = storeHost();
    std::array<QString, 5> plaetze;
    for (int i = 0; i < 4; ++i)
        plaetze[i + 1] = foundation::IniLesen(QString(), QString(), menueSchluessel(i),
                                              host.zuletztCaption(i));
    if (!korvanelKuerzel.isEmpty()) {
        for (int i = 1; i <= 4; ++i) {
            if (rt::Right(plaetze[i], 3) == korvanelKuerzel)
                plaetze[i].clear();
        }
        QString kuerzel = korvanelKuerzel;
        plaetze[0] = QStringLiteral("&0 ") + KorvanelTitelLesen(kuerzel, titelNurLesen)
                     + QStringLiteral(" - ") + korvanelKuerzel;
    }
    int k = 0;
    for (const QString& platz : plaetze) {
        if (platz.size() >= 6 && k <= 3)
            host.setZuletztCaption(k++, platz);
    }
    for (int i = 0; i < 4; ++i) {
        // The number goes over the first two characters only: an empty caption stays empty.
        QString caption = host.zuletztCaption(i);
        caption.replace(0, std::min<qsizetype>(2, caption.size()),
                        (QStringLiteral("&") + QString::number(i + 1)).left(caption.size()));
        host.setZuletztCaption(i, caption);
        host.setZuletztVisible(i, caption.size() > 5);
        foundation::IniSchreiben(QString(), QString(), menueSchluessel(i), caption);
    }
}

} // namespace store
