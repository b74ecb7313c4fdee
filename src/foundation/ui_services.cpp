#include "ui_services.h"

#include "error_dialog.h"

#include "addon_library.h"
#include "file_services.h"
#include "ini_store.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/help.h"
#include "platform/keyboard.h"
#include "platform/mouse_pointer.h"
#include "platform/program_end.h"
#include "platform/sound.h"
#include "runtime/error.h"
#include "runtime/strings.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>
#include <utility>

namespace foundation {

namespace {

struct FesterTon {
    const char16_t* name;
    int beep;
};

// In the order they are compared.
const FesterTon festeToene[] = {
    {u"#RingOut", platform::beepExclamation},
    {u"#RingIn", platform::beepQuestion},
    {u"#SystemExclamation", platform::beepExclamation},
    {u"#SystemQuestion", platform::beepQuestion},
    {u"#SystemHand", platform::beepHand},
    {u"#SystemAsterisk", platform::beepAsterisk},
};

// True while a failure of the sound output is being reported: a sound played meanwhile (the
// error dialog's own) reports nothing, so that the two never call each other in a circle.
bool meldungLaeuft = false;

// Shows the failure (the error record holds it) and answers 2 (stop) or 5 (go on).
int tonFehlerMelden(int fehler)
{
    meldungLaeuft = true;
    struct Ende {
        ~Ende() { meldungLaeuft = false; }
    } ende;
    return FehlerBehandlung(fehler, QStringLiteral("Fehler bei Tonausgabe"));
}

// Runs one step of the sound output with the error record cleared and tells whether the output
// goes on: after a step that went well, and after a failure that the user chose to pass over.
// "Path not found" ends it silently; so does every failure when nothing may be reported.
template <class Schritt>
bool tonSchritt(bool melden, Schritt&& schritt)
{
    rt::clearError();
    std::forward<Schritt>(schritt)();
    const int fehler = rt::Err().number;
    if (fehler == 0)
        return true;
    if (fehler == rt::ErrPathNotFound || !melden || meldungLaeuft)
        return false;
    return tonFehlerMelden(fehler) == platform::vbIgnore; // the dialog's "go on"
}

void tonAusgeben(const QString& name, bool melden)
{
    rt::ErrorRecordGuard bewahren;
    QString datei = name;
    if (datei.startsWith(u'#')) {
        for (const FesterTon& ton : festeToene) {
            if (datei == QStringView(ton.name)) {
                tonSchritt(melden, [&ton] { platform::sound().beep(ton.beep); });
                return;
            }
        }
        const bool weiter = tonSchritt(melden, [&datei] {
            QString wert = IniLesen(QStringLiteral("win.ini"), QStringLiteral("Sounds"),
                                    datei.mid(1), QString());
            const qsizetype komma = wert.indexOf(u',');
            if (komma >= 0)
                wert.truncate(komma);
            datei = wert;
        });
        if (!weiter)
            return;
    }
    bool vorhanden = false;
    if (!tonSchritt(melden, [&datei, &vorhanden] { vorhanden = DateiExistiert(datei); }))
        return;
    if (vorhanden)
        tonSchritt(melden, [&datei] { platform::sound().playWave(datei); });
}

} // namespace

void TonAusgeben(const QString& name)
{
    tonAusgeben(name, true);
}

void TonAusgebenOhneMeldung(const QString& name)
{
    tonAusgeben(name, false);
}

void HilfeZeigen(const QString& file, qint32 context)
{
    const QString endung = rt::LCase(rt::Right(file, 4));
    platform::Help& hilfe = platform::help();
    if (endung == u".chm") {
        if (context == -1)
            hilfe.closeAll();
        else if (context >= 0)
            hilfe.showTopic(file, context);
    } else if (endung == u".hlp") {
        if (context == -1) {
            hilfe.closeAll();
        } else if (context >= 0) {
            // On this platform the help of a file is the page folder beside it (platform/help.h).
            if (hilfe.available(file))
                hilfe.showTopic(file, context);
            else
                platform::dialogs().msgBox(u"Kann die Hilfe »"_qs + file + u"« nicht finden."_qs,
                                           platform::vbExclamation | platform::vbOKOnly);
        }
    }
}

void ProgrammBeenden()
{
    // A window whose handler cancels stays; the others go all the same.
    for (platform::FormCore* fenster : platform::openForms()) {
        if (platform::isLoaded(fenster))
            fenster->unload(platform::UnloadMode::Code);
    }
    QCoreApplication::processEvents();
    platform::programEnd().end(0);
    std::abort(); // end() does not return; should one ever do so, nothing more runs either
}

bool AltGedrueckt()
{
    return platform::keyboard().altHeld();
}

bool ShiftGedrueckt()
{
    return ShiftKey() != 0;
}

bool StrgGedrueckt()
{
    return CtrlKey() != 0;
}

namespace {

// Set on a timer that SteuerelementeSperren stopped, so that switching on starts only those.
const char* const vonSperreAngehalten = "korvanelVonSperreAngehalten";

} // namespace

void SteuerelementeSperren(platform::FormCore& window, bool enabled)
{
    platform::BusyPointer sanduhr;
    for (QObject* control : window.controls()) {
        if (rt::InStr(platform::tag(control), QStringLiteral("NoDisable"), true) > 0)
            continue;
        if (auto* timer = qobject_cast<QTimer*>(control)) {
            if (!enabled) {
                if (timer->isActive()) {
                    timer->stop();
                    timer->setProperty(vonSperreAngehalten, true);
                }
            } else if (timer->property(vonSperreAngehalten).toBool()) {
                timer->setProperty(vonSperreAngehalten, QVariant());
                if (!timer->isActive())
                    timer->start();
            }
            continue;
        }
        platform::setControlEnabled(control, enabled);
    }
}

} // namespace foundation
