#include "links.h"

#include "foundation/debug_log.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/mail_web.h"
#include "foundation/message_text.h"
#include "foundation/ui_services.h"
#include "platform/clipboard.h"
#include "platform/mouse_pointer.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "runtime/dates.h"
#include "runtime/strings.h"

#include <QProcess>

namespace integration {

namespace {

const QString verknuepfung = QStringLiteral("Verknüpfung");

bool istWebLink(const QString& klein)
{
    const qsizetype laenge = klein.size();
    return (klein.contains(u"https://"_qs) && laenge >= 17)
        || ((klein.contains(u"http://"_qs) || klein.contains(u"ftp://"_qs)) && laenge >= 16)
        || (klein.contains(u"www."_qs) && laenge >= 8)
        || ((klein.contains(u"www2."_qs) || klein.contains(u"www3."_qs)) && laenge >= 9);
}

bool istVideoLink(const QString& klein)
{
    return klein.contains(u"youtube.com/"_qs) || klein.contains(u"youtu.be/"_qs);
}

// The program of a program call: the text up to its first blank.
QString programmTeil(const QString& text)
{
    const qsizetype blank = text.indexOf(u' ');
    return blank < 0 ? text : text.left(blank);
}

bool kopierBefehl(const QString& text)
{
    return rt::LCase(text).startsWith(u"$cpyza"_qs);
}

} // namespace

qint32 LinkArt(const QString& text)
{
    const QString getrimmt = rt::Trim(text);
    const QString klein = rt::LCase(getrimmt);
    qint32 art = 0;
    if (text.size() >= 6 && rt::IsDate(klein))
        art |= linkDatum;
    if (foundation::EMailPruefen(klein))
        art |= linkEMail;
    if (istWebLink(klein))
        art |= linkWeb;
    // Files are found without regard to case; the spelling as typed is tried first.
    if (art == 0 && foundation::DateiExistiert(getrimmt))
        art |= linkDatei;
    if (art == 0 && rt::InStr(klein, u".exe "_qs) >= 2
        && foundation::DateiExistiert(programmTeil(getrimmt)))
        art |= linkProgramm;
    return art;
}

bool LinkOeffnen(const QString& text)
{
    platform::BusyPointer sanduhr;
    QString link = text;
    if (link.size() >= 3) {
        link = rt::Trim(link);
        if (!kopierBefehl(link)) {
            if (link.endsWith(u'.'))
                link.chop(1);
            if (link.endsWith(u','))
                link.chop(1);
        }
    }
    qint32 art = LinkArt(link);
    const QString klein = rt::LCase(link);
    // Whether anything was handed on in this call. What the desktop or the started program
    // makes of it is not known here: a link the desktop cannot open counts as handed on, so the
    // double-click does not go on to the bookmarks as if the text were no link.
    bool erledigt = false;

    if (art & linkEMail) {
        foundation::EMailSenden(link, QString(), QString(), 0);
        erledigt = true;
    }

    if ((art & linkWeb) && istVideoLink(klein)) {
        QString downloader =
            foundation::IniLesen(QString(), verknuepfung, u"YouTubeDownloader"_qs, QString());
        if (!foundation::DateiExistiert(downloader))
            downloader.clear();
        const QString vorher =
            foundation::IniLesen(QString(), verknuepfung, u"YouTubeDownloaderPre"_qs, QString());
        if (!downloader.isEmpty()) {
            if (!vorher.isEmpty()) {
                const QStringList befehl = QProcess::splitCommand(vorher);
                if (befehl.isEmpty()
                    || !platform::processes().startDetached(befehl.front(), befehl.mid(1)))
                    foundation::DebugLogbuch(u"Link.Downloader: Vorlauf startet nicht: "_qs + vorher);
                foundation::Warten(1);
            }
            platform::Clipboard& ablage = platform::clipboard();
            ablage.clear();
            ablage.setText(link);
            if (platform::processes().startDetached(downloader, {link})) {
                erledigt = true;
                art &= ~linkWeb;
            } else {
                foundation::DebugLogbuch(u"Link.Downloader: startet nicht, öffne im Browser: "_qs
                                         + downloader);
            }
        }
    }

    if (art & linkWeb) {
        const QStringList links = link.contains(u'|') ? link.split(u'|') : QStringList{link};
        for (const QString& teil : links) {
            const QString ziel = rt::Trim(teil);
            if (ziel.isEmpty())
                continue;
            const bool ersteAktion = !erledigt;
            platform::shell().openUrl(ziel);
            erledigt = true;
            if (links.size() > 1)
                foundation::Warten(ersteAktion ? 3.1f : 0.9f);
        }
    } else if (art & linkDatei) {
        platform::shell().openUrl(link);
        erledigt = true;
    } else if (art & linkProgramm) {
        const QString programm = programmTeil(link);
        const QStringList argumente = QProcess::splitCommand(link.mid(programm.size()));
        if (!platform::processes().startDetached(programm, argumente))
            foundation::DebugLogbuch(u"Link.Programm: startet nicht: "_qs + link);
        erledigt = true;
    }

    if (kopierBefehl(link)) {
        const qsizetype doppelpunkt = link.indexOf(u':');
        const QString inhalt = rt::Trim(
            foundation::MeldungAufbereiten(doppelpunkt < 0 ? link : link.mid(doppelpunkt + 1)));
        platform::Clipboard& ablage = platform::clipboard();
        ablage.clear();
        ablage.setText(inhalt);
    }
    return erledigt;
}

void DateiOeffnen(const QString& path)
{
    if (path.isEmpty())
        return;
    platform::BusyPointer sanduhr;
    platform::shell().openUrl(path);
}

void AGBZeigen()
{
    foundation::OrdnerBereitstellen();
    foundation::HilfeZeigen(foundation::hilfeDatei(), 6001);
}

} // namespace integration
