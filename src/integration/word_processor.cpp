#include "word_processor.h"

#include "foundation/command_template.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/processes.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/lines.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/store_state.h"
#include "store/transfer_files.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include <sys/stat.h>

namespace integration {

namespace {

const QString abschnitt = QStringLiteral("Textverarbeitung");
const QString zurueckholen = QStringLiteral("&Text zurückholen von Textverarbeitung...");
const QString uebertragen = QStringLiteral("&Text übertragen an Textverarbeitung...");
const QString fehlerText =
    QStringLiteral("Die Verbindung zur Textverarbeitung funktioniert nicht einwandfrei.");
const QString titelZurueck = QStringLiteral("Text zurückholen");
// A larger file is no diary entry (and a device or pipe never ends).
constexpr qint64 hoechstens = 32 * 1024 * 1024;

// The file as it was when it was handed over, to tell a save of the word processor.
struct Stand {
    bool vorhanden = false;
    bool regulaer = false;
    qint64 groesse = 0;
    ino_t inode = 0;
    qint64 sekunden = 0;
    long nanosekunden = 0;
    friend bool operator==(const Stand&, const Stand&) = default;
};

struct Uebergabe {
    QString pfad;
    QByteArray inhalt;
    Stand stand;
};

std::optional<Uebergabe>& uebergabe()
{
    static std::optional<Uebergabe> instance;
    return instance;
}

Stand standVon(const QString& pfad)
{
    struct stat st {};
    Stand stand;
    if (::stat(QFile::encodeName(pfad).constData(), &st) != 0)
        return stand;
    stand.vorhanden = true;
    stand.regulaer = S_ISREG(st.st_mode);
    stand.groesse = st.st_size;
    stand.inode = st.st_ino;
    stand.sekunden = st.st_mtim.tv_sec;
    stand.nanosekunden = st.st_mtim.tv_nsec;
    return stand;
}

// The program and its arguments from PrgExe: a path of a program as it stands (it may hold
// blanks), anything else split like a command line.
QStringList programmBefehl(const QString& prgExe)
{
    const QString wert = rt::Trim(prgExe);
    if (wert.isEmpty())
        return {};
    if (platform::programFound(wert))
        return {wert};
    return foundation::befehlAusVorlage(wert, {});
}

// A new transfer file with bytes, never one that exists (nor a link planted under its name):
// "Korvanel-Eintrag <day>.txt", else with " (2)", " (3)", ... The path, or nullopt with the
// current error record filled.
std::optional<QString> dateiAnlegen(const QString& tag, const QByteArray& bytes)
{
    foundation::OrdnerBereitstellen();
    QString name = u"Korvanel-Eintrag "_qs + tag;
    name.remove(u'/');
    for (int nummer = 1; nummer < 1000; ++nummer) {
        const QString pfad = foundation::ordnerTmp + u'/' + name
            + (nummer == 1 ? QString() : u" ("_qs + QString::number(nummer) + u')') + u".txt"_qs;
        if (platform::writeNewFile(pfad, bytes))
            return pfad;
        if (rt::Err().number != rt::ErrFileExists)
            return std::nullopt;
    }
    return std::nullopt;
}

void hinweis(const QString& satz)
{
    platform::dialogs().msgBox(satz, platform::vbExclamation, titelZurueck);
}

void uebergeben(int& textBeiTextverarbeitung, QAction* eintrag, platform::MainPort& main)
{
    platform::BusyPointer sanduhr;

    // ' Text temporär sichern
    store::EintragSpeichern();
    const QString text = main.text();
    store::TempKopieSchreiben(rt::RTrim(text));

    // ' Text in Datei
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF")
        + rt::unifyLineEnds(text + QStringLiteral("\r\n")).toUtf8();
    const std::optional<QString> datei = dateiAnlegen(main.dateCaption(), bytes);
    if (!datei) {
        sanduhr.restore();
        const rt::ErrorRecordGuard bewahren;
        foundation::FehlerBehandlung(rt::Err().number, fehlerText + u"' Text in Datei"_qs);
        return;
    }

    // As the file is now, before the word processor may save it.
    const Stand geschrieben = standVon(*datei);

    // ' Textverarbeitung starten
    const QString prgExe = foundation::IniLesen(QString(), abschnitt, QStringLiteral("PrgExe"));
    const QStringList befehl = programmBefehl(prgExe);
    if (befehl.isEmpty()
        || !platform::processes().startDetached(befehl.front(), befehl.mid(1) << *datei)) {
        QFile::remove(*datei);
        sanduhr.restore();
        platform::dialogs().msgBox(
            QStringLiteral("Das Starten der Textverarbeitung hat nicht einwandfrei funktioniert."),
            platform::vbCritical | platform::vbMsgBoxHelpButton, prgExe,
            {foundation::hilfeDatei(), 162});
        return;
    }

    // ' Internes
    uebergabe() = Uebergabe{*datei, bytes, geschrieben};
    textBeiTextverarbeitung = 1;
    if (eintrag != nullptr)
        eintrag->setText(zurueckholen);
}

void zurueckholenLesen(int& textBeiTextverarbeitung, QAction* eintrag, platform::MainPort& main)
{
    const auto beenden = [&] {
        uebergabe().reset();
        textBeiTextverarbeitung = 0;
        if (eintrag != nullptr)
            eintrag->setText(uebertragen);
    };
    if (!uebergabe()) {
        beenden();
        return;
    }
    const Uebergabe alt = *uebergabe();
    const QString datei = u"»"_qs + alt.pfad + u"«"_qs;

    const Stand jetzt = standVon(alt.pfad);
    if (!jetzt.vorhanden) {
        hinweis(u"Die Datei "_qs + datei
                + u" der Textverarbeitung ist nicht mehr vorhanden; der Eintrag bleibt, wie er "
                  u"ist."_qs);
        beenden();
        return;
    }
    const QString keinText = u"Die Datei "_qs + datei
        + u" lässt sich nicht als Text lesen; der Eintrag bleibt, wie er ist."_qs;
    if (!jetzt.regulaer || jetzt.groesse > hoechstens) {
        hinweis(keinText);
        return;
    }
    QFile quelle(alt.pfad);
    if (!quelle.open(QIODevice::ReadOnly)) {
        hinweis(keinText);
        return;
    }
    const QByteArray bytes = quelle.read(hoechstens + 1);
    if (quelle.error() != QFileDevice::NoError || bytes.size() > hoechstens
        || bytes.contains('\0')) {
        hinweis(keinText);
        return;
    }
    if (jetzt == alt.stand && bytes == alt.inhalt) {
        hinweis(u"Die Textverarbeitung hat den Text noch nicht in die Datei "_qs + datei
                + u" gespeichert; bitte dort speichern und dann den Text zurückholen."_qs);
        return;
    }

    QString text = rt::unifyLineEnds(rt::decodeExternalText(bytes));
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    if (text.isEmpty()) {
        hinweis(u"Die Datei "_qs + datei
                + u" der Textverarbeitung ist leer; der Eintrag bleibt, wie er ist."_qs);
        return;
    }

    main.setText(text);
    store::ungesichert = 1;
    store::UngesichertAnzeigen();
    beenden();
    QFile::remove(alt.pfad);
}

} // namespace

void PulOleTxt2Word_Click(int& textBeiTextverarbeitung, QAction* PulOleTxt2Word)
{
    platform::MainPort* main = platform::mainPort();
    if (main == nullptr || foundation::nurLesen)
        return;
    if (textBeiTextverarbeitung == 0)
        uebergeben(textBeiTextverarbeitung, PulOleTxt2Word, *main);
    else
        zurueckholenLesen(textBeiTextverarbeitung, PulOleTxt2Word, *main);
}

QString textverarbeitungDatei()
{
    return uebergabe() ? uebergabe()->pfad : QString();
}

void resetTextverarbeitung()
{
    uebergabe().reset();
}

} // namespace integration
