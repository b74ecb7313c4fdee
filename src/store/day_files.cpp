#include "store/day_files.h"

#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/file_batch.h"
#include "platform/folder_memory.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/cipher.h"
#include "store/day_file_batch.h"
#include "store/day_index.h"
#include "store/password_check.h"
#include "store/mood_marker.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

int schreibAntwort = 0;

// Why a day file could not be loaded, where the error number does not say it, by lower-case path.
QHash<QString, QString>& lesefehlerGruende()
{
    static QHash<QString, QString> gruende;
    return gruende;
}

// Day files whose last load did not give their entry, by lower-case path.
QSet<QString>& gesperrteDateien()
{
    static QSet<QString> dateien;
    return dateien;
}

QString sperrSchluessel(const QString& pfad)
{
    return rt::LCase(platform::resolvePath(pfad));
}

void debug(const QString& text)
{
    foundation::DebugLogbuch(text);
}

QString zahl(qsizetype wert)
{
    return QString::number(wert);
}

void entsperren(const QString& pfad)
{
    if (!gesperrteDateien().isEmpty())
        gesperrteDateien().remove(sperrSchluessel(pfad));
    if (!lesefehlerGruende().isEmpty())
        lesefehlerGruende().remove(sperrSchluessel(pfad));
}

Eintrag gesperrt(Eintrag eintrag)
{
    gesperrteDateien().insert(sperrSchluessel(eintrag.pfad));
    eintrag.text.clear();
    return eintrag;
}

// Whether path names something that is there, also a link that leads nowhere.
bool eintragVorhanden(const QFileInfo& info)
{
    return info.exists() || info.isSymLink();
}

QString jahresordnerVon(const QString& dateiName)
{
    return foundation::ordnerDat + u'/' + rt::Left(dateiName, 4);
}

// The path of a day file with its name as the last listing of its year folder had it (so a
// "20240305.Txt" is opened at once when "20240305.TXT" is asked for), else as given. Loading and
// saving both start from it, so that they meet the same file; another spelling is looked for
// only after a miss.
QString tagesdateiAufPlatte(const QString& dateiName)
{
    const QString jahresordner = jahresordnerVon(dateiName);
    const QString bekannt = platform::rememberedSpelling(jahresordner, dateiName);
    return jahresordner + u'/' + (bekannt.isEmpty() ? dateiName : bekannt);
}

int dsFehler(const QString& ort)
{
    const int nummer = rt::Err().number != 0 ? rt::Err().number : rt::ErrPathFileAccess;
    schreibAntwort = foundation::FehlerBehandlung(
        nummer, QStringLiteral("Es ist ein Fehler #DS beim Sichern des Eintrags »") + ort
                    + QStringLiteral("« aufgetreten."));
    return schreibAntwort;
}

// Why a day file that is there may be neither read nor written, in German; "" when it may. A
// link is followed only while it stays inside the data folder: one planted by someone who may
// write there must not make the program read or overwrite a file elsewhere. Pipes and devices
// would block or never end, and a file beyond the limit is no entry this program wrote.
QString unbrauchbarGrund(const QString& aufgeloest, int& nummer)
{
    const QFileInfo info(aufgeloest);
    if (info.isSymLink()) {
        const QString ziel = info.canonicalFilePath();
        const QString ordner =
            QFileInfo(platform::resolvePath(foundation::ordnerDat)).canonicalFilePath();
        if (!ziel.isEmpty() && (ordner.isEmpty() || !ziel.startsWith(ordner + u'/'))) {
            nummer = rt::ErrPermissionDenied;
            return QStringLiteral("die Datei ist eine Verknüpfung auf »") + ziel
                   + QStringLiteral("« außerhalb des Datenordners");
        }
    }
    if (info.exists() && !info.isDir() && !info.isFile()) {
        nummer = rt::ErrPathFileAccess;
        return QStringLiteral("sie ist keine gewöhnliche Datei");
    }
    if (info.isFile() && info.size() > tagesdateiGrenze) {
        nummer = rt::ErrOutOfMemory;
        return QStringLiteral("sie ist größer als ") + QString::number(tagesdateiGrenze >> 20)
               + QStringLiteral(" MB");
    }
    return {};
}

// A day file as one open, one fstat and one read found it.
struct Gelesen {
    enum class Art { Gelesen, Fehlt, Fehler };
    Art art = Art::Fehlt;
    QByteArray bytes;
    int fehler = 0;
    // Whether the name was a link, opened in a second step.
    bool ueberVerknuepfung = false;
};

// Reads the day file at pfad (spelt as on disk). Missing (no file, no folder) is told apart from
// a file that is there but cannot be read: a folder, a pipe, a device, a file beyond the limit, a
// refusal, a failed read. A link is opened in a second step, where what it leads to can be
// judged.
Gelesen tagesdateiLesen(const QString& pfad)
{
    platform::PlainFile datei = platform::readPlainFile(pfad, tagesdateiGrenze, true, true);
    Gelesen gelesen;
    gelesen.ueberVerknuepfung = datei.throughLink;
    switch (datei.state) {
    case platform::PlainFile::State::Read:
        gelesen.art = Gelesen::Art::Gelesen;
        gelesen.bytes = std::move(datei.bytes);
        break;
    case platform::PlainFile::State::Missing:
        break;
    case platform::PlainFile::State::Failed:
        gelesen.art = Gelesen::Art::Fehler;
        switch (datei.error) {
        case EACCES:
        case EPERM:
            gelesen.fehler = rt::ErrPermissionDenied;
            break;
        case EIO:
            gelesen.fehler = rt::ErrDeviceIO;
            break;
        case EFBIG:
            gelesen.fehler = rt::ErrOutOfMemory;
            break;
        default:
            gelesen.fehler = rt::ErrPathFileAccess;
            break;
        }
        break;
    }
    return gelesen;
}

// A day file that may not be replaced or deleted: it failed to load, or it exists but cannot be
// read (and so was never shown).
bool schreibenVerweigert(const QString& pfad)
{
    // The usual case, asked once per day by a pass over many days: a plain file of sane size,
    // named as it is on disk, readable, not locked. One lstat and one access tell it.
    const QByteArray lokal = QFile::encodeName(pfad);
    struct stat vorhanden {};
    if (::lstat(lokal.constData(), &vorhanden) == 0 && S_ISREG(vorhanden.st_mode)
        && vorhanden.st_size <= tagesdateiGrenze && ::access(lokal.constData(), R_OK) == 0
        && (gesperrteDateien().isEmpty() || !gesperrteDateien().contains(sperrSchluessel(pfad))))
        return false;

    const QString aufgeloest = platform::resolvePath(pfad);
    const QFileInfo info(aufgeloest);
    const bool unlesbar = eintragVorhanden(info) && !info.isDir()
                          && (!info.exists() || !info.isReadable());
    int nummer = 0;
    const QString grund = eintragVorhanden(info) ? unbrauchbarGrund(aufgeloest, nummer) : QString();
    if (!unlesbar && grund.isEmpty()
        && (gesperrteDateien().isEmpty() || !gesperrteDateien().contains(sperrSchluessel(pfad))))
        return false;
    debug(QStringLiteral("   speichern func: nicht gelesene Datei bleibt unverändert"));
    platform::dialogs().msgBox(
        QStringLiteral("Der Eintrag »") + pfad + QStringLiteral("« konnte nicht gelesen werden")
            + (grund.isEmpty() ? QString() : QStringLiteral(" (") + grund + u')')
            + QStringLiteral(". Damit er nicht verloren geht, wird er weder überschrieben noch "
                             "gelöscht.\r\n\r\nIhre Eingaben für diesen Tag sind deshalb nicht "
                             "gesichert."),
        platform::vbOKOnly | platform::vbExclamation);
    return true;
}

// The bytes of a day file for text: plain, or enciphered when a write password is set or when
// the plain bytes would begin with the marker.
QByteArray dateiInhalt(const QString& text)
{
    if (!kennwortSchreiben.isEmpty()) {
        debug(QStringLiteral("   speichern func: Encrypt"));
        debug(QStringLiteral("   speichern func: Speichern mit PW"));
        return verschluesselteForm(KennwortKopf(kennwortSchreiben) + text);
    }
    QByteArray bytes = rt::encodeText(text);
    if (!bytes.startsWith(verschluesseltMarkeBytes())) {
        debug(QStringLiteral("   speichern func: Speichern ohne PW"));
        return bytes;
    }
    debug(QStringLiteral("   speichern func: Speichern ohne PW, verschlüsselt (Text beginnt mit "
                         "der Marke)"));
    return verschluesselteForm(KennwortKopf(QString()) + text);
}

bool jahresordnerAnlegen(const QString& ordner)
{
    const QString aufgeloest = platform::resolvePath(ordner);
    if (QFileInfo(aufgeloest).isDir())
        return true;
    debug(QStringLiteral("   speichern func: Ordner anlegen ") + ordner);
    if (QDir().mkpath(aufgeloest) && QFileInfo(aufgeloest).isDir())
        return true;
    const QFileInfo info(aufgeloest);
    const int nummer = info.exists() ? rt::ErrPathFileAccess
                       : QFileInfo(info.absolutePath()).isDir() ? rt::ErrPermissionDenied
                                                                : rt::ErrPathNotFound;
    rt::raiseError(nummer, rt::errorText(nummer) + QStringLiteral(": ") + aufgeloest);
    return false;
}

bool dateiLoeschen(const QString& pfad)
{
    const QString aufgeloest = platform::resolvePath(pfad);
    const QFileInfo info(aufgeloest);
    if (!eintragVorhanden(info))
        return true;
    if (!info.isDir() && QFile::remove(aufgeloest))
        return true;
    const int nummer = info.isDir() ? rt::ErrPathFileAccess : rt::ErrPermissionDenied;
    rt::raiseError(nummer, rt::errorText(nummer) + QStringLiteral(": ") + aufgeloest);
    return false;
}

} // namespace

QString DatumZuTagesnummer(rt::VbDate datum)
{
    return rt::Format(datum, QStringLiteral("yyyymmdd"));
}

QString DatumZuTagesnummer(const QString& datumText)
{
    const std::optional<rt::VbDate> datum = rt::CDate(datumText);
    return datum ? DatumZuTagesnummer(*datum) : QString();
}

int letzteSchreibAntwort()
{
    return schreibAntwort;
}

QString KennwortKopf(const QString& kennwort)
{
    return rt::Left(kennwort + rt::Space(kennwortKopfLaenge), kennwortKopfLaenge);
}

std::optional<QByteArray> TagesdateiBytes(const QString& pfad)
{
    Gelesen gelesen = tagesdateiLesen(pfad);
    if (gelesen.art != Gelesen::Art::Gelesen)
        return std::nullopt;
    return std::move(gelesen.bytes);
}

QString TagesdateiPfad(const QString& dateiName)
{
    return jahresordnerVon(dateiName) + u'/' + dateiName;
}

Eintrag EintragLaden(const QString& dateiName)
{
    Eintrag eintrag;
    eintrag.pfad = TagesdateiPfad(dateiName);
    debug(QStringLiteral("laden func:"));
    debug(QStringLiteral("laden func: Datei ") + eintrag.pfad);

    const auto lesefehler = [&](int nummer, const QString& grund) {
        eintrag.zustand = Eintrag::Zustand::Lesefehler;
        eintrag.fehlerNummer = nummer;
        if (!grund.isEmpty())
            lesefehlerGruende().insert(sperrSchluessel(eintrag.pfad), grund);
        else
            lesefehlerGruende().remove(sperrSchluessel(eintrag.pfad));
        debug(QStringLiteral("laden func: Datei nicht lesbar, Fehler ") + zahl(nummer)
              + (grund.isEmpty() ? QString() : QStringLiteral(", ") + grund));
        return gesperrt(eintrag);
    };
    QString pfad = tagesdateiAufPlatte(dateiName);
    Gelesen gelesen = tagesdateiLesen(pfad);
    if (gelesen.art == Gelesen::Art::Fehlt) {
        const QString aufgeloest = platform::resolvePath(eintrag.pfad);
        if (aufgeloest != pfad) {
            pfad = aufgeloest;
            gelesen = tagesdateiLesen(pfad);
        }
    }
    if (gelesen.art == Gelesen::Art::Fehlt) {
        // A link that leads nowhere is a file that cannot be read, not a day without entry.
        struct stat info {};
        if (::lstat(QFile::encodeName(pfad).constData(), &info) != 0) {
            debug(QStringLiteral("laden func: Datei nicht vorhanden"));
            debug(QStringLiteral("laden func: Ende"));
            entsperren(eintrag.pfad);
            return eintrag;
        }
        gelesen.art = Gelesen::Art::Fehler;
        gelesen.fehler = rt::ErrFileNotFound;
    }
    // A pipe, a device, a file beyond the limit or a link leading out of the data folder is a
    // day that cannot be read, and says why. A regular file read under its own name was judged
    // by the read itself.
    int nummer = 0;
    const bool schonGeprueft = gelesen.art == Gelesen::Art::Gelesen && !gelesen.ueberVerknuepfung;
    if (const QString grund = schonGeprueft ? QString() : unbrauchbarGrund(pfad, nummer);
        !grund.isEmpty()) {
        rt::raiseError(nummer, rt::errorText(nummer) + QStringLiteral(": ") + pfad);
        return lesefehler(nummer, grund);
    }
    if (gelesen.art == Gelesen::Art::Fehler) {
        rt::raiseError(gelesen.fehler, rt::errorText(gelesen.fehler) + QStringLiteral(": ") + pfad);
        return lesefehler(gelesen.fehler, QString());
    }
    debug(QStringLiteral("laden func: Datei vorhanden"));
    const QByteArray& bytes = gelesen.bytes;

    const std::optional<QString> entschluesselt = verschluesselteFormLesen(bytes);
    if (!entschluesselt) {
        eintrag.text = rt::decodeText(bytes);
        debug(QStringLiteral("laden func: Datei geladen ") + zahl(eintrag.text.size())
              + QStringLiteral(" Zeichen"));
    } else {
        debug(QStringLiteral("laden func: Datei geladen ") + zahl(bytes.size())
              + QStringLiteral(" Zeichen"));
        debug(QStringLiteral("laden func: Datei geladen verschlüsselt"));
        debug(QStringLiteral("laden func: encrypt"));
        const QString kopf = entschluesselt->left(kennwortKopfLaenge);
        // No prompt for a header this program cannot have written: no password opens it.
        if (!KennwortKopfGueltig(kopf))
            return lesefehler(rt::ErrPathFileAccess,
                              QStringLiteral("die Datei ist beschädigt, ihr Kennwortkopf ist "
                                             "unlesbar"));
        const bool ohneKennwort = kopf == KennwortKopf(QString());
        if (!ohneKennwort && kopf != KennwortKopf(kennwortLesen)) {
            if (const KennwortAbfrage& abfrage = kennwortAbfrage())
                abfrage(dateiName, kopf);
            if (kopf != KennwortKopf(kennwortLesen)) {
                eintrag.zustand = Eintrag::Zustand::KennwortFalsch;
                debug(QStringLiteral("laden func: Kennwort passt nicht"));
                return gesperrt(eintrag);
            }
        }
        eintrag.text = entschluesselt->mid(kennwortKopfLaenge);
    }
    eintrag.zustand = Eintrag::Zustand::Geladen;
    entsperren(eintrag.pfad);
    debug(QStringLiteral("laden func: Ende"));
    return eintrag;
}

QString EintragLadefehlerText(const Eintrag& eintrag)
{
    switch (eintrag.zustand) {
    case Eintrag::Zustand::Lesefehler: {
        const QString grund = lesefehlerGruende().value(sperrSchluessel(eintrag.pfad));
        return QStringLiteral("Der Eintrag »") + eintrag.pfad
               + QStringLiteral("« kann nicht gelesen werden (")
               + (grund.isEmpty() ? rt::errorText(eintrag.fehlerNummer) : grund)
               + QStringLiteral(").\r\n\r\nDie Datei bleibt unverändert erhalten; sie wird weder "
                                "überschrieben noch gelöscht.");
    }
    case Eintrag::Zustand::KennwortFalsch:
        return QStringLiteral("Der Eintrag »") + eintrag.pfad
               + QStringLiteral("« ist mit einem anderen Kennwort geschützt und wird nicht "
                                "angezeigt.");
    case Eintrag::Zustand::Geladen:
    case Eintrag::Zustand::KeineDatei:
        break;
    }
    return {};
}

std::optional<QString> EintragDateiSchreiben(const QString& dateiName, const QString& text)
{
    debug(QStringLiteral("   speichern func: ") + dateiName + QStringLiteral(" | ")
          + zahl(text.size()) + QStringLiteral(" Zeichen"));
    schreibAntwort = 0;
    if (foundation::nurLesen)
        return std::nullopt;
    verzeichnisStatus = 0;

    const QString pfad = tagesdateiAufPlatte(dateiName);
    const QString jahresordner = jahresordnerVon(dateiName);
    if (schreibenVerweigert(pfad))
        return std::nullopt;

    bool fehlerfrei = true;
    // An empty text only deletes: a missing year folder holds nothing to delete.
    if (!text.isEmpty() && !jahresordnerAnlegen(jahresordner)) {
        fehlerfrei = false;
        if (dsFehler(jahresordner) != 5)
            return std::nullopt;
    }
    debug(QStringLiteral("   speichern func: Datei ") + pfad);

    QString geschrieben;
    if (text.isEmpty()) {
        debug(QStringLiteral("   speichern func: Kein Text, dann Datei löschen"));
        if (!dateiLoeschen(pfad)) {
            fehlerfrei = false;
            if (dsFehler(pfad) != 5)
                return std::nullopt;
        }
    } else {
        const QByteArray bytes = dateiInhalt(text);
        if (platform::writeFile(pfad, bytes)) {
            geschrieben =
                bytes.startsWith(verschluesseltMarkeBytes()) ? rt::fromAnsi(bytes) : text;
        } else {
            fehlerfrei = false;
            if (dsFehler(pfad) != 5)
                return std::nullopt;
        }
    }
    debug(QStringLiteral("   speichern func: Ende"));
    if (!fehlerfrei)
        return std::nullopt;
    return geschrieben;
}

bool EintragSpeichern()
{
    const QString text = rt::RTrim(storeHost().editorText());
    debug(QStringLiteral("[]-> Eintrag speichern --------------------------"));
    debug(QStringLiteral("   Datei: ") + aktTagesdatei);
    debug(QStringLiteral("   Text: ") + zahl(text.size()) + QStringLiteral(" Zeichen"));
    if (foundation::nurLesen || korvanelKuerzel.isEmpty() || ungesichert == 0
        || aktTagesdatei.isEmpty())
        return true;

    platform::BusyPointer busy;
    debug(QStringLiteral("   Stimmungsbarometer, Wert schreiben"));
    StimmungSchreiben();
    debug(QStringLiteral("   Datei speichern"));
    const bool gesichert = EintragDateiSchreiben(aktTagesdatei, text).has_value();
    if (gesichert) {
        ungesichert = 0;
        UngesichertAnzeigen();
    }
    busy.restore();
    debug(QStringLiteral("Eintrag speichern Ende ***"));
    return gesichert;
}

void UngesichertAnzeigen()
{
    const QString text = ungesichert != 0 ? QStringLiteral(" * ") : QStringLiteral("   ");
    const QString key = QStringLiteral("Unsaved");
    if (storeHost().panelText(key) == text)
        return;
    storeHost().setPanelText(key, text);
    storeHost().setPanelToolTip(key, QStringLiteral("Eingaben sind ")
                                         + (ungesichert != 0 ? QStringLiteral(" noch nicht ")
                                                             : QString())
                                         + QStringLiteral("gesichert"));
}

namespace {

// The lock a pass holds in the data folder; a lock of a process of this computer that ended is
// taken over at once, one of another computer only after a day.
std::unique_ptr<QLockFile> stapelSperre()
{
    auto sperre = std::make_unique<QLockFile>(platform::resolvePath(foundation::ordnerDat)
                                              + QStringLiteral("/.Stapel.lock"));
    sperre->setStaleLockTime(24 * 60 * 60 * 1000);
    return sperre;
}

} // namespace

TagesdateiStapel::TagesdateiStapel()
    : stapel_(std::make_unique<platform::FileBatch>(foundation::ordnerDat))
{
    if (foundation::nurLesen)
        return;
    sperre_ = stapelSperre();
    // Without the lock (another pass, a folder that takes no lock file) the pass runs all the
    // same; at worst a starting copy removes a temporary file, and that day stays as it was.
    if (!sperre_->tryLock(0))
        sperre_.reset();
}

TagesdateiStapel::~TagesdateiStapel() = default;

bool TagesdateiStapel::vormerken(const QString& dateiName, const QString& text)
{
    schreibAntwort = 0;
    if (foundation::nurLesen || text.isEmpty())
        return false;
    verzeichnisStatus = 0;
    const QString pfad = tagesdateiAufPlatte(dateiName);
    if (schreibenVerweigert(pfad))
        return false;
    // Each year folder is looked at (and made) once per pass; should it go meanwhile, writing
    // the file aside fails and says so.
    const QString jahresordner = jahresordnerVon(dateiName);
    if (!jahresordner_.contains(jahresordner)) {
        if (!jahresordnerAnlegen(jahresordner))
            return false;
        jahresordner_.insert(jahresordner);
    }
    if (stapel_->add(pfad, dateiInhalt(text)))
        return true;
    // A file that cannot be written aside (a full disk) is told as a failed save: the answer
    // decides whether the pass goes on.
    dsFehler(pfad);
    return false;
}

QStringList TagesdateiStapel::abschliessen()
{
    QStringList alt;
    for (const QString& pfad : stapel_->commit())
        alt.append(pfad.mid(pfad.lastIndexOf(u'/') + 1));
    return alt;
}

void StapelResteEntfernen()
{
    if (foundation::nurLesen || foundation::ordnerDat.isEmpty())
        return;
    const std::unique_ptr<QLockFile> sperre = stapelSperre();
    if (!sperre->tryLock(0))
        return;
    const QString datenOrdner = platform::resolvePath(foundation::ordnerDat);
    const QStringList jahre =
        platform::listFolder(datenOrdner, QStringLiteral("????"), platform::EntryKind::Folders);
    for (const QString& jahr : jahre) {
        const QDir ordner(datenOrdner + u'/' + jahr);
        const QStringList namen =
            ordner.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& name : namen) {
            if (platform::FileBatch::isLeftover(name)) {
                debug(QStringLiteral("Rest eines abgebrochenen Durchlaufs entfernt: ") + jahr
                      + u'/' + name);
                QFile::remove(ordner.filePath(name));
            }
        }
    }
}

void resetTagesdateien()
{
    gesperrteDateien().clear();
    lesefehlerGruende().clear();
}

} // namespace store
