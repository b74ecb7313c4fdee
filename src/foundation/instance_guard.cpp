#include "instance_guard.h"

#include "command_line.h"
#include "file_services.h"
#include "folders.h"
#include "ini_store.h"
#include "read_only.h"
#include "ui_services.h"
#include "platform/command_line_text.h"
#include "platform/form.h"
#include "platform/path_resolver.h"
#include "platform/program_end.h"
#include "runtime/numbers.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <memory>

namespace foundation {

namespace {

const QByteArray aktivierenBefehl = QByteArrayLiteral("aktivieren\n");
// "uebergabe" and the three values, each Base64 of its UTF-8, separated by tabs.
const QByteArray uebergabeBefehl = QByteArrayLiteral("uebergabe\t");

UebergabeEmpfaenger& empfaengerSlot()
{
    static UebergabeEmpfaenger empfaenger;
    return empfaenger;
}

// The hand-over of this copy's command line as a command line for the running copy; empty
// when the command line hands nothing over.
QByteArray uebergabeZeile()
{
    ParameterZerlegen(platform::Command());
    const QString datei = ParameterWert(QStringLiteral("AppendFile="));
    if (datei.isEmpty())
        return {};
    const QString voll = QFileInfo(platform::resolvePath(datei)).absoluteFilePath();
    QByteArray zeile = uebergabeBefehl;
    for (const QString& wert : {ParameterWert(QStringLiteral("Korvanel=")),
                                ParameterWert(QStringLiteral("Datum=")), voll})
        zeile += wert.toUtf8().toBase64() + '\t';
    zeile.back() = '\n';
    return zeile;
}

void uebergabeAusfuehren(const QByteArray& zeile)
{
    const QList<QByteArray> teile = zeile.trimmed().mid(uebergabeBefehl.size()).split('\t');
    if (teile.size() != 3 || !empfaengerSlot())
        return;
    QStringList werte;
    for (const QByteArray& teil : teile)
        werte.append(QString::fromUtf8(QByteArray::fromBase64(teil)));
    // Out of the socket's handler: the receiver saves, asks and loads.
    QTimer::singleShot(0, qApp, [werte] {
        if (const UebergabeEmpfaenger& empfaenger = empfaengerSlot())
            empfaenger(werte.at(0), werte.at(1), werte.at(2));
    });
}
constexpr int verbindungsFrist = 2000; // ms

// How long a later copy waits for the copy that owns the guard to answer on its socket: the
// owner serves it a moment after taking the lock.
constexpr int antwortFrist = 10000; // ms
constexpr unsigned long antwortPause = 20; // ms between two attempts

QLocalServer* waechter = nullptr;
// The lock that makes this copy the one the others find. Held as long as the copy runs; the
// system lets it go when the process ends, however it ends, and a later copy then takes it over.
QLockFile* besitz = nullptr;

// Brings the program to the front: an open modal box (the program waits for its answer), else
// the main window, else the first visible window.
void nachVorn()
{
    QWidget* fenster = QApplication::activeModalWidget();
    if (!fenster) {
        if (platform::MainForm* haupt = platform::findForm<platform::MainForm>())
            fenster = haupt->widget();
    }
    if (!fenster) {
        for (platform::FormCore* form : platform::openForms()) {
            if (form->widget()->isVisible()) {
                fenster = form->widget();
                break;
            }
        }
    }
    if (!fenster)
        return;
    QWidget* oben = fenster->window();
    if (oben->isMinimized())
        oben->setWindowState(oben->windowState() & ~Qt::WindowMinimized);
    oben->show();
    oben->raise();
    oben->activateWindow();
}

void befehleLesen(QLocalSocket* verbindung)
{
    while (verbindung->canReadLine()) {
        const QByteArray zeile = verbindung->readLine();
        if (zeile == aktivierenBefehl)
            nachVorn();
        else if (zeile.startsWith(uebergabeBefehl))
            uebergabeAusfuehren(zeile);
    }
}

void verbindungenAnnehmen()
{
    while (QLocalSocket* verbindung = waechter->nextPendingConnection()) {
        QObject::connect(verbindung, &QLocalSocket::readyRead, verbindung,
                         [verbindung] { befehleLesen(verbindung); });
        QObject::connect(verbindung, &QLocalSocket::disconnected, verbindung,
                         &QObject::deleteLater);
        befehleLesen(verbindung);
    }
}

// Asks the copy listening on name to come to the front; false when none listens there.
bool andereKopieAktivieren(const QString& name)
{
    QLocalSocket verbindung;
    verbindung.connectToServer(name);
    if (!verbindung.waitForConnected(verbindungsFrist))
        return false;
    verbindung.write(aktivierenBefehl + uebergabeZeile());
    verbindung.waitForBytesWritten(verbindungsFrist);
    verbindung.disconnectFromServer();
    if (verbindung.state() != QLocalSocket::UnconnectedState)
        verbindung.waitForDisconnected(verbindungsFrist);
    return true;
}

void schliessen()
{
    if (waechter) {
        waechter->close(); // removes the socket file
        delete waechter;
        waechter = nullptr;
    }
    delete besitz; // unlocks
    besitz = nullptr;
}

enum class Lauschen { Ok, Belegt, Fehler };

Lauschen lauschen(const QString& name)
{
    auto* server = new QLocalServer;
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        const bool belegt = server->serverError() == QAbstractSocket::AddressInUseError;
        delete server;
        return belegt ? Lauschen::Belegt : Lauschen::Fehler;
    }
    waechter = server;
    QObject::connect(waechter, &QLocalServer::newConnection, waechter, verbindungenAnnehmen);
    static bool aufraeumenAngemeldet = false;
    if (!aufraeumenAngemeldet) {
        aufraeumenAngemeldet = true;
        platform::registerCleanUp(schliessen);
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, app, schliessen);
    }
    return Lauschen::Ok;
}

QString computerName()
{
    const QString name = qEnvironmentVariable("COMPUTERNAME");
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}

bool imDatenOrdner(const QString& pfad)
{
    if (ordnerDat.isEmpty())
        return false;
    return QFileInfo(pfad).absolutePath()
        == QFileInfo(platform::resolvePath(ordnerDat)).absoluteFilePath();
}

// Ownership of the guard: one copy of the user holds the lock and serves the socket. Listening
// alone cannot decide it, as listening on a name replaces a socket that another copy serves.
enum class Besitz { Genommen, Vergeben, Unmoeglich };

Besitz besitzNehmen(QLockFile& sperre)
{
    if (!sperre.tryLock(0))
        return sperre.error() == QLockFile::LockFailedError ? Besitz::Vergeben
                                                            : Besitz::Unmoeglich;
    return Besitz::Genommen;
}

// Serves the socket as the owner; a socket file left there belongs to a copy that died.
void alsBesitzerLauschen(const QString& name, std::unique_ptr<QLockFile> sperre)
{
    besitz = sperre.release();
    QLocalServer::removeServer(name);
    lauschen(name);
}

} // namespace

void InstanzWaechter()
{
    if (ordnerDat.isEmpty())
        OrdnerFestlegen();
    // Only read: the guard runs before the program knows whether it may write into the data
    // folder, and a read-only copy leaves it byte for byte.
    const QString wert = IniLesen(ordnerDat + QStringLiteral("/NetWatch.ini"),
                                  QStringLiteral("Allgemein"), QStringLiteral("NoInstanceWatch"),
                                  QStringLiteral("0"));
    if (rt::Val(wert) == 1)
        return;
    if (waechter)
        return; // this copy is the one the others find

    const QString name = instanzSocketName();
    if (andereKopieAktivieren(name)) {
        ProgrammBeenden();
        return;
    }

    auto sperre = std::make_unique<QLockFile>(name + QStringLiteral(".lck"));
    sperre->setStaleLockTime(0); // held for the whole run: only a dead owner lets it go
    switch (besitzNehmen(*sperre)) {
    case Besitz::Genommen:
        alsBesitzerLauschen(name, std::move(sperre));
        return;
    case Besitz::Vergeben: {
        // Another copy owns the guard and serves its socket in a moment; should it end
        // meanwhile, this copy takes over.
        const QDeadlineTimer frist(antwortFrist);
        while (!andereKopieAktivieren(name)) {
            if (besitzNehmen(*sperre) == Besitz::Genommen) {
                alsBesitzerLauschen(name, std::move(sperre));
                return;
            }
            if (frist.hasExpired())
                break; // it runs but does not answer: this copy ends all the same
            QThread::msleep(antwortPause);
        }
        ProgrammBeenden();
        return;
    }
    case Besitz::Unmoeglich:
        break;
    }

    // A runtime folder that refuses the lock file: the socket alone guards, as well as it can.
    switch (lauschen(name)) {
    case Lauschen::Ok:
    case Lauschen::Fehler: // no guard possible; this copy runs
        return;
    case Lauschen::Belegt:
        // A socket file without a copy behind it is left from a copy that did not end
        // cleanly; a copy that started at the same moment answers by now.
        if (!andereKopieAktivieren(name)) {
            QLocalServer::removeServer(name);
            lauschen(name);
            return;
        }
        break;
    }
    ProgrammBeenden();
}

QString instanzSocketName()
{
    const QString laufzeit = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!laufzeit.isEmpty() && QFileInfo(laufzeit).isDir())
        return QDir(laufzeit).filePath(exeName() + QStringLiteral(".instanz"));
    return QDir(QDir::tempPath())
        .filePath(exeName() + u'-' + QString::number(getuid()) + QStringLiteral(".instanz"));
}

int FernSchliessenFlag(int mode)
{
    QString pfad = DateiSuchen(QStringLiteral("Korvanel_RmtClose$DoIt.flg"));
    if (pfad.isEmpty())
        pfad = DateiSuchen(QStringLiteral("Korvanel_") + computerName()
                           + QStringLiteral("_RmtClose$DoIt.flg"));
    if (mode == 0 && !pfad.isEmpty() && !(nurLesen && imDatenOrdner(pfad)))
        QFile::remove(pfad);
    return 0;
}

void setUebergabeEmpfaenger(UebergabeEmpfaenger empfaenger)
{
    empfaengerSlot() = std::move(empfaenger);
}

void resetInstanzWaechter()
{
    schliessen();
}

} // namespace foundation
