#include "store/password_check.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/password_prompt.h"
#include "store/store_state.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace store {

QStringList ListeKW;

namespace {

// The header of a day file: its first 15 deciphered characters, 15 blanks when the file is
// plain; nothing when it is missing, cannot be read or is damaged (no header this program can
// have written), so that it says nothing about the diary's password.
std::optional<QString> kopfDerDatei(const QString& dateiName)
{
    const rt::ErrorRecordGuard fehlerBleibt; // a file that cannot be read counts as none
    const QString pfad = platform::resolvePath(TagesdateiPfad(dateiName));
    if (QFileInfo(pfad).size() > tagesdateiGrenze)
        return std::nullopt;
    const std::optional<QByteArray> bytes = platform::readFile(pfad);
    if (!bytes)
        return std::nullopt;
    const std::optional<QString> klar = verschluesselteFormLesen(*bytes);
    if (!klar)
        return KennwortKopf(QString());
    const QString kopf = klar->left(kennwortKopfLaenge);
    if (!KennwortKopfGueltig(kopf))
        return std::nullopt;
    return kopf;
}

bool lesbareDatei(const QString& dateiName)
{
    const QFileInfo info(platform::resolvePath(TagesdateiPfad(dateiName)));
    return info.isFile() && info.isReadable();
}

} // namespace

bool KennwortZeichenErlaubt(QChar zeichen)
{
    return rt::charToAnsi(zeichen) >= 0 && zeichen.isPrint();
}

bool KennwortKopfGueltig(const QString& kopf)
{
    return kopf.size() == kennwortKopfLaenge
           && std::all_of(kopf.begin(), kopf.end(), KennwortZeichenErlaubt);
}

void KennwortMerken(const QString& kuerzel, const QString& kennwort)
{
    ListeKW.append(rt::UCase(kuerzel) + kennwort);
}

QString korvanelIniPfad()
{
    return foundation::ordnerDat + QStringLiteral("/Korvanel.ini");
}

QString KennwortHilfeLesen(const QString& kuerzel)
{
    return foundation::IniLesen(korvanelIniPfad(), kuerzel, QStringLiteral("KennwortHilfe"),
                                QStringLiteral("Bitte das Kennwort eingeben."));
}

QString GespeichertesKennwortLesen()
{
    platform::BusyPointer busy;
    TagesverzeichnisErstellen(false);
    const TageslisteRef tage = tagesverzeichnis;
    // The shown day first, then from the last day back. A file that cannot be read or is damaged
    // is passed over: one bad file must not decide which password opens the diary. Damage that
    // happens to look like a header is outvoted by the two days before it when they agree.
    QStringList namen;
    const QString heute = DatumZuTagesnummer(aktDatum);
    if (!heute.isEmpty() && lesbareDatei(heute + u'.' + korvanelKuerzel))
        namen.append(heute + u'.' + korvanelKuerzel);
    for (auto it = tage->rbegin(); it != tage->rend(); ++it) {
        const QString name = QString::number(*it) + u'.' + korvanelKuerzel;
        if (name != namen.value(0))
            namen.append(name);
    }
    QStringList koepfe;
    for (const QString& name : namen) {
        if (const std::optional<QString> kopf = kopfDerDatei(name))
            koepfe.append(*kopf);
        if (koepfe.size() == 3 || (koepfe.size() == 1 && rt::RTrim(koepfe.at(0)).isEmpty()))
            break;
    }
    QString kopf;
    const bool ersterKlar = !koepfe.isEmpty() && rt::RTrim(koepfe.at(0)).isEmpty();
    if (!ersterKlar && koepfe.size() == 3 && koepfe.at(0) != koepfe.at(1)
        && koepfe.at(1) == koepfe.at(2))
        kopf = koepfe.at(1);
    else if (!koepfe.isEmpty())
        kopf = koepfe.at(0);
    return rt::RTrim(kopf).isEmpty() ? QString() : kopf;
}

void KennwortBeimÖffnenPrüfen()
{
    const QString kopf = GespeichertesKennwortLesen();
    if (rt::RTrim(kopf).isEmpty())
        return; // plain entries (or a header of blanks, which belongs to a plain entry)
    const QString name = rt::UCase(korvanelKuerzel);
    for (qsizetype i = ListeKW.size() - 1; i >= 0; --i) {
        if (ListeKW.at(i).startsWith(name)) {
            kennwortLesen = ListeKW.at(i).mid(name.size(), 99);
            kennwortSchreiben = kennwortLesen;
            break;
        }
    }
    if (KennwortKopf(kennwortLesen) == kopf)
        return;
    KennwortAbfragen(kopf);
    const QString eintrag = name + kennwortLesen;
    if (!ListeKW.contains(eintrag))
        ListeKW.append(eintrag);
    if (rt::Val(foundation::IniLesen(QString(), QString(), QStringLiteral("KWMemoImRam"),
                                     QStringLiteral("1")))
        == 0)
        ListeKW.clear();
}

void resetKennwortMemo()
{
    ListeKW.clear();
}

} // namespace store
