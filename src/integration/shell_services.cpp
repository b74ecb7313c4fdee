#include "shell_services.h"

#include "foundation/command_template.h"
#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/product_info.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "runtime/error.h"
#include "runtime/strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace integration {

namespace {

const QString verknuepfung = QStringLiteral("Verknüpfung");
const QString xdgOpen = QStringLiteral("xdg-open");

// The value of a key of [Verknüpfung]; its default also when the key is there but empty.
QString einstellung(const QString& key, const QString& vorgabe)
{
    const QString wert = rt::Trim(foundation::IniLesen(QString(), verknuepfung, key, vorgabe));
    return wert.isEmpty() ? vorgabe : wert;
}

// The command as it is, or xdg-open with argument when its program cannot be started.
QStringList mitErsatzXdgOpen(const QStringList& befehl, const QString& argument,
                             const QString& schluessel)
{
    if (!befehl.isEmpty() && platform::programFound(befehl.front()))
        return befehl;
    foundation::DebugLogbuch(u"Verknüpfung."_qs + schluessel + u": '"_qs
                             + (befehl.isEmpty() ? QString() : befehl.front())
                             + u"' lässt sich nicht starten, nehme xdg-open"_qs);
    return {xdgOpen, argument};
}

void nichtStartbarMelden(const QString& programm, const QString& folge, const QString& titel)
{
    platform::dialogs().msgBox(u"Das Programm »"_qs + programm
                                   + u"« lässt sich nicht starten.\r\n\r\n"_qs + folge,
                               platform::vbExclamation, titel);
}

bool inAnfuehrungszeichen(const QString& text)
{
    return text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"');
}

// Whether a file moved to the trash landed in one: a folder "files" inside "Trash" (the data
// home's) or ".Trash" / ".Trash-<uid>" (at the top of a disk). When the desktop's trash cannot
// be set up, the move may still report success and leave the file in "files" below the current
// folder.
bool liegtImPapierkorb(const QString& ort)
{
    const QFileInfo datei(ort);
    if (!datei.isAbsolute() || !datei.exists())
        return false;
    QDir ordner = datei.absoluteDir();
    if (ordner.dirName() != u"files"_qs || !ordner.cdUp())
        return false;
    const QString papierkorb = ordner.dirName();
    return papierkorb == u"Trash"_qs || papierkorb == u".Trash"_qs
        || papierkorb.startsWith(u".Trash-"_qs);
}

// Moves a file into the trash; false when it is not there afterwards. A file that the move put
// somewhere else goes back to its place (with its stray trash record removed).
bool inDenPapierkorb(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.exists() || !datei.moveToTrash())
        return false;
    const QString ort = datei.fileName();
    if (liegtImPapierkorb(ort))
        return true;
    const QFileInfo verirrt(ort);
    if (verirrt.exists() && QFile::rename(verirrt.absoluteFilePath(), pfad)) {
        const QString eintrag = verirrt.absoluteDir().absoluteFilePath(
            u"../info/"_qs + verirrt.fileName() + u".trashinfo"_qs);
        QFile info(eintrag);
        if (info.open(QIODevice::ReadOnly) && info.read(12) == "[Trash Info]") {
            info.close();
            info.remove();
        }
        // The folders the move made for it, when nothing else is in them.
        QDir ordner = verirrt.absoluteDir();
        ordner.rmdir(ordner.absoluteFilePath(u"../info"_qs));
        ordner.rmdir(ordner.absolutePath());
    }
    foundation::DebugLogbuch(u"Papierkorb: »"_qs + pfad + u"« landete in »"_qs + ort
                             + u"« statt im Papierkorb"_qs);
    return false;
}

} // namespace

void OrdnerZeigen(const QString& folder)
{
    const QString ordner = inAnfuehrungszeichen(folder) ? folder.mid(1, folder.size() - 2) : folder;
    const QString vorlage = einstellung(QStringLiteral("DateiManager"), u"xdg-open {Ordner}"_qs);
    QStringList befehl = foundation::befehlAusVorlage(
        vorlage, {{QStringLiteral("{Ordner}"), ordner},
                  {QStringLiteral("{Caption}"), foundation::programmTitel()}});
    befehl = mitErsatzXdgOpen(befehl, ordner, QStringLiteral("DateiManager"));
    if (!platform::processes().startDetached(befehl.front(), befehl.mid(1))) {
        nichtStartbarMelden(befehl.front(),
                            u"Der Ordner »"_qs + ordner + u"« kann deshalb nicht angezeigt werden."_qs,
                            QStringLiteral("Ordner anzeigen"));
    }
}

std::optional<QStringList> InPapierkorb(QString fileList, bool copyFirst)
{
    if (fileList.isEmpty())
        return std::nullopt;
    foundation::OrdnerBereitstellen();
    const QStringList pfade = fileList.split(QChar(0), Qt::SkipEmptyParts);
    const auto gefunden = [](const QString& pfad) {
        return platform::resolvePath(QString(pfad).replace(u'\\', u'/'));
    };

    if (copyFirst) {
        for (const QString& pfad : pfade) {
            const QString kopie = foundation::ordnerTmp + u'/' + foundation::PfadTeil(pfad, 3);
            const QFileInfo quelle(gefunden(pfad));
            // A file in the temporary folder is its own copy: replacing the copy would delete it.
            if (quelle.isFile()
                && quelle.canonicalFilePath() == QFileInfo(gefunden(kopie)).canonicalFilePath())
                continue;
            if (quelle.isFile() && QFile::exists(kopie))
                QFile::remove(kopie);
            QFile::copy(quelle.filePath(), kopie);
        }
    }

    QStringList nichtVerschoben;
    for (const QString& pfad : pfade) {
        if (!inDenPapierkorb(gefunden(pfad)))
            nichtVerschoben.append(pfad);
    }
    if (!nichtVerschoben.isEmpty()) {
        foundation::DebugLogbuch(u"Papierkorb: nicht verschoben: "_qs + nichtVerschoben.join(u"; "_qs));
        platform::dialogs().msgBox(
            u"Diese Dateien konnten nicht in den Papierkorb verschoben werden; sie sind "
            u"unverändert geblieben:\r\n\r\n"_qs + nichtVerschoben.join(u"\r\n"_qs),
            platform::vbExclamation, QStringLiteral("Papierkorb"));
    }
    return nichtVerschoben;
}

void TextDateiOeffnen(const QString& file, int wait)
{
    const QString editor = einstellung(QStringLiteral("PrgTxtEdit"), xdgOpen);
    // A path of a program may hold blanks; anything else is a small command line.
    QStringList befehl =
        platform::programFound(editor) ? QStringList{editor} : QProcess::splitCommand(editor);
    befehl.append(file);
    befehl = mitErsatzXdgOpen(befehl, file, QStringLiteral("PrgTxtEdit"));

    if (wait == 0) {
        const QString ordner = QFileInfo(platform::resolvePath(foundation::WindowsOrdner())).isDir()
            ? foundation::WindowsOrdner()
            : QString();
        ProgrammStarten(befehl, ordner, 1);
        return;
    }
    if (ProzessStartenWarten(befehl, 1800000) == platform::WaitResult::NotStarted) {
        nichtStartbarMelden(befehl.front(),
                            u"Die Datei »"_qs + file + u"« kann deshalb nicht geöffnet werden."_qs,
                            QStringLiteral("Text-Editor"));
    }
}

qint64 wartezeitBegrenzen(qint64 timeoutMs)
{
    if (timeoutMs <= 0)
        timeoutMs = 86400000;
    return std::max<qint64>(timeoutMs, 1000);
}

platform::WaitResult ProzessStartenWarten(const QStringList& command, qint64 timeoutMs)
{
    if (command.isEmpty() || command.front().isEmpty())
        return platform::WaitResult::NotStarted;
    return platform::processes().startAndWait(command.front(), command.mid(1),
                                              wartezeitBegrenzen(timeoutMs));
}

platform::WaitResult ProzessStartenWarten(const QString& commandLine, qint64 timeoutMs)
{
    return ProzessStartenWarten(QProcess::splitCommand(commandLine), timeoutMs);
}

qint64 ProgrammStarten(const QStringList& command, const QString& workingFolder, int windowStyle,
                       const QString& errorText)
{
    Q_UNUSED(windowStyle) // every program starts in its own normal window
    platform::BusyPointer sanduhr;
    const QString befehlText = command.join(u' ');
    const QString text = !errorText.isEmpty()
                             ? errorText
                             : u"Es ist ein Fehler beim Programmstart von~"_qs + befehlText
                                   + u"~"_qs + workingFolder + u" aufgetreten."_qs;
    auto melden = [&](int nummer, const QString& beschreibung) {
        const rt::ErrorRecordGuard bewahren;
        rt::raiseError(nummer, beschreibung, QStringLiteral("ProgrammStarten"));
        return foundation::FehlerBehandlung(nummer, text);
    };
    if (command.isEmpty() || command.front().isEmpty()) {
        melden(rt::ErrInvalidCall, QString());
        return 0;
    }

    QString ordner = workingFolder.isEmpty() ? foundation::PfadTeil(command.front(), -1)
                                             : foundation::ordnerOhneEndTrenner(workingFolder);
    if (!ordner.isEmpty() && !QFileInfo(platform::resolvePath(ordner)).isDir()) {
        if (melden(rt::ErrPathNotFound, QString()) != platform::vbIgnore)
            return 0;
        ordner.clear();
    }
    const qint64 prozess = platform::processes().startIn(command.front(), command.mid(1), ordner);
    if (prozess == 0) {
        melden(rt::ErrFileNotFound,
               u"Das Programm »"_qs + command.front() + u"« kann nicht gestartet werden."_qs);
    }
    return prozess;
}

qint64 ProgrammStarten(const QString& commandLine, const QString& workingFolder, int windowStyle,
                       const QString& errorText)
{
    return ProgrammStarten(QProcess::splitCommand(commandLine), workingFolder, windowStyle,
                           errorText);
}

} // namespace integration
