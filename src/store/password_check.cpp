#include "store/password_check.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/password_prompt.h"
#include "store/store_state.h"

#include <QFileInfo>

namespace store {

QStringList ListeKW;

namespace {

// The header of a day file: its first 15 deciphered characters; "" when the file is plain,
// missing or cannot be read.
QString kopfDerDatei(const QString& dateiName)
{
    const rt::ErrorRecordGuard fehlerBleibt; // a file that cannot be read counts as none
    const std::optional<QByteArray> bytes =
        platform::readFile(platform::resolvePath(TagesdateiPfad(dateiName)));
    if (!bytes)
        return {};
    const std::optional<QString> klar = verschluesselteFormLesen(*bytes);
    return klar ? klar->left(kennwortKopfLaenge) : QString();
}

bool lesbareDatei(const QString& dateiName)
{
    const QFileInfo info(platform::resolvePath(TagesdateiPfad(dateiName)));
    return info.isFile() && info.isReadable();
}

} // namespace

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
    QString kandidat;
    if (!tage->empty())
        kandidat = QString::number(tage->back()) + u'.' + korvanelKuerzel;
    const QString heute = DatumZuTagesnummer(aktDatum);
    if (!heute.isEmpty() && lesbareDatei(heute + u'.' + korvanelKuerzel))
        kandidat = heute + u'.' + korvanelKuerzel;
    return kandidat.isEmpty() ? QString() : kopfDerDatei(kandidat);
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
