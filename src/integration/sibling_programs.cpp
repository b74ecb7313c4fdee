#include "sibling_programs.h"

#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/product_info.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/processes.h"
#include "platform/text_file.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/strings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace integration {

namespace {

struct Geschwister {
    const char16_t* eintrag; // program word and program file, as the table of the family has it
    const char16_t* name;    // the name in messages
};

constexpr Geschwister geschwister[externPrgAnzahl] = {
    {u"movrenta;Movrenta.exe", u"Movrenta"},
    {u"quelbar;Quelbar.exe", u"Quelbar"},
    {u"Zindor;Zindor_Eingabe.exe", u"Zindor"},
    {u"korvanel;Korvanel.exe", u"Korvanel"},
};

bool gueltig(int index)
{
    return index >= 0 && index < externPrgAnzahl;
}

TextUebergabeZiel*& ziel()
{
    static TextUebergabeZiel* instanz = nullptr;
    return instanz;
}

const QString crLf = QStringLiteral("\r\n");

// Whether path is the program file of this very program: the running executable, or a file
// of that name in the program folder.
bool diesesProgramm(const QString& path)
{
    const QFileInfo datei(path);
    const QString kanonisch = datei.canonicalFilePath();
    if (!kanonisch.isEmpty()
        && kanonisch == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
        return true;
    const QString ordner = QFileInfo(datei.absolutePath()).canonicalFilePath();
    return !ordner.isEmpty()
        && ordner == QFileInfo(platform::resolvePath(foundation::ordnerPrg)).canonicalFilePath()
        && rt::equalsNoCase(foundation::PfadTeil(path, 1), foundation::exeName());
}

// The text as the receiving program takes it: no blanks and no line breaks at either end.
QString uebergabeText(const QString& text)
{
    QString ergebnis = rt::Trim(text);
    while (ergebnis.startsWith(u'\r') || ergebnis.startsWith(u'\n'))
        ergebnis.remove(0, 1);
    while (ergebnis.endsWith(u'\r') || ergebnis.endsWith(u'\n'))
        ergebnis.chop(1);
    return ergebnis;
}

void imProgrammAnfuegen(TextUebergabeZiel& empfaenger, const QString& korvanel,
                        const QString& datum, const QString& text, platform::BusyPointer& sanduhr)
{
    if (foundation::nurLesen) {
        sanduhr.restore();
        platform::dialogs().msgBox(
            u"Das Tagebuch ist nur zum Lesen geöffnet. Der Text kann deshalb nicht angefügt "
            u"werden:\r\n\r\n"_qs + text,
            platform::vbExclamation, QStringLiteral("Text übergeben"));
        return;
    }
    const QString zusatz = uebergabeText(text);
    if (zusatz.isEmpty())
        return;
    empfaenger.EintragSpeichern();
    if (!empfaenger.TagebuchOeffnen(korvanel))
        return;
    if (!datum.isEmpty())
        empfaenger.TagZeigen(datum);
    const QString eintrag = empfaenger.Text();
    empfaenger.setText(eintrag.isEmpty() ? zusatz : eintrag + crLf + zusatz);
    empfaenger.UngesichertSetzen();
}

} // namespace

QString externPrgMenueText(int index)
{
    if (!gueltig(index))
        return QString();
    return u'&' + QString::fromUtf16(geschwister[index].name) + u"..."_qs;
}

QString ExternPrgPfad(int index)
{
    if (!gueltig(index))
        return QString();
    const QString eintrag = QString::fromUtf16(geschwister[index].eintrag);
    foundation::DebugLogbuch(u"Prg.Extern.#1 Exe="_qs + eintrag);
    const qsizetype trenner = eintrag.indexOf(u';');
    const QString wort = eintrag.left(trenner);
    const QString datei = eintrag.mid(trenner + 1);
    const QString ordner = foundation::OrdnerVonProgramm(wort, QStringLiteral("Prg"));
    foundation::DebugLogbuch(u"Prg.Extern.#2 Ini="_qs + ordner);

    QString pfad;
    if (!ordner.isEmpty()) {
        // Programs on this system carry no ".exe"; a copy that does is found as well.
        const QString ohneEndung = datei.left(datei.size() - 4);
        for (const QString& name : {ohneEndung, datei}) {
            const QString kandidat = ordner + u'/' + name;
            if (foundation::DateiExistiert(kandidat)) {
                pfad = platform::resolvePath(kandidat);
                break;
            }
        }
    }
    foundation::DebugLogbuch(u"Prg.Extern.#3 Run="_qs + pfad);
    return pfad;
}

void ExternPrgStarten(int index)
{
    if (!gueltig(index))
        return;
    platform::BusyPointer sanduhr;
    const QString name = QString::fromUtf16(geschwister[index].name);
    const QString pfad = ExternPrgPfad(index);
    if (!pfad.isEmpty()) {
        if (platform::processes().startIn(pfad, {}, foundation::PfadTeil(pfad, -1)) == 0) {
            const rt::ErrorRecordGuard bewahren;
            rt::raiseError(rt::ErrFileNotFound,
                           u"Das Programm »"_qs + pfad + u"« kann nicht gestartet werden."_qs,
                           QStringLiteral("ExternPrgStarten"));
            foundation::FehlerBehandlung(
                rt::ErrFileNotFound,
                u"Es ist ein Fehler beim Starten des Brisols-Programms aufgetreten."_qs);
        }
        return;
    }
    sanduhr.restore();
    platform::dialogs().msgBox(
        foundation::MeldungAufbereiten(
            u"Das Programm ´"_qs + name
            + u"´ ist auf diesem System nicht installiert.~~Sie können die aktuelle Version "
              u"kostenlos aus dem Internet unter der URL "_qs
            + foundation::webSeite() + u" laden.~~Starten Sie "_qs + name
            + u" bitte nach der Installation einmal manuell, damit "_qs
            + foundation::programmTitel() + u" es auf Ihrem System finden kann."_qs),
        platform::vbExclamation, name + u" nicht installiert."_qs);
}

void ExternPrgMenue(const std::array<QAction*, externPrgAnzahl>& mnuPrg)
{
    platform::BusyPointer sanduhr;
    for (int index = 0; index < externPrgAnzahl; ++index) {
        const QString pfad = ExternPrgPfad(index);
        QAction* eintrag = mnuPrg[static_cast<std::size_t>(index)];
        if (eintrag && !pfad.isEmpty()
            && rt::equalsNoCase(foundation::PfadTeil(pfad, 1), foundation::exeName()))
            eintrag->setVisible(false);
    }
}

void setTextUebergabeZiel(TextUebergabeZiel* neu)
{
    ziel() = neu;
}

QString uebergabeDateiName()
{
    return QStringLiteral("Zd2Kv.$$$");
}

void TextUebergeben(const QString& date, const QString& text)
{
    platform::BusyPointer sanduhr;
    const QString datum =
        rt::IsDate(date) ? rt::Format(*rt::CDate(date), u"dd.mm.yyyy"_qs) : QString();
    const QString korvanel =
        foundation::IniLesen(QString(), QString(), QStringLiteral("KVApp"), QStringLiteral("Txt"));
    const QString programm = ExternPrgPfad(3);

    if (ziel() && (programm.isEmpty() || diesesProgramm(programm))) {
        imProgrammAnfuegen(*ziel(), korvanel, datum, text, sanduhr);
        return;
    }

    if (programm.isEmpty()) {
        sanduhr.restore();
        platform::dialogs().msgBox(
            foundation::MeldungAufbereiten(
                u"Das Brisols-Korvanel ist auf diesem System nicht installiert.~~Sie können die "
                u"aktuelle Version kostenlos aus dem Internet unter der URL "_qs
                + foundation::webSeite()
                + u" laden.~~Starten Sie das Programm bitte nach der Installation einmal "
                  u"manuell, damit "_qs
                + foundation::programmTitel() + u" es auf Ihrem System finden kann."_qs),
            platform::vbExclamation, QStringLiteral("Brisols-Korvanel nicht installiert."));
        return;
    }

    const QString datei = foundation::ordnerTmp + u'/' + uebergabeDateiName();
    if (!platform::writeTextFile(datei, text + crLf)) {
        sanduhr.restore();
        platform::dialogs().msgBox(u"Die Übergabedatei »"_qs + datei
                                       + u"« kann nicht geschrieben werden. Der Text wurde nicht "
                                         u"übergeben:\r\n\r\n"_qs
                                       + text,
                                   platform::vbExclamation, QStringLiteral("Text übergeben"));
        return;
    }
    QStringList argumente{u"/Korvanel="_qs + korvanel};
    if (!datum.isEmpty())
        argumente.append(u"/Datum="_qs + datum);
    argumente.append(u"/AppendFile="_qs + datei);
    foundation::DebugLogbuch(u"Prg.Extern.Uebergabe: "_qs + programm + u' ' + argumente.join(u' '));
    if (platform::processes().startDetached(programm, argumente))
        foundation::Warten(2);

    if (platform::pathExists(datei)) {
        sanduhr.restore();
        platform::dialogs().msgBox(
            u"Der Text ist nicht im Tagebuch angekommen: »"_qs + programm
                + u"« hat die Übergabedatei nicht abgeholt.\r\n\r\nDer Text steht weiter in der "
                  u"Datei »"_qs
                + datei + u"«."_qs,
            platform::vbExclamation, QStringLiteral("Text übergeben"));
    }
}

} // namespace integration
