#include "instance_guard.h"

#include "file_services.h"
#include "folders.h"
#include "ini_store.h"
#include "read_only.h"
#include "ui_services.h"
#include "platform/form.h"
#include "platform/path_resolver.h"
#include "platform/program_end.h"
#include "runtime/numbers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QWidget>

#include <unistd.h>

namespace foundation {

namespace {

const QByteArray aktivierenBefehl = QByteArrayLiteral("aktivieren\n");
constexpr int verbindungsFrist = 2000; // ms

QLocalServer* waechter = nullptr;

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
        if (verbindung->readLine() == aktivierenBefehl)
            nachVorn();
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
    verbindung.write(aktivierenBefehl);
    verbindung.waitForBytesWritten(verbindungsFrist);
    verbindung.disconnectFromServer();
    if (verbindung.state() != QLocalSocket::UnconnectedState)
        verbindung.waitForDisconnected(verbindungsFrist);
    return true;
}

void schliessen()
{
    if (!waechter)
        return;
    waechter->close(); // removes the socket file
    delete waechter;
    waechter = nullptr;
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

} // namespace

void InstanzWaechter()
{
    if (ordnerDat.isEmpty())
        OrdnerFestlegen();
    const QString wert = IniLesenVorgabe(ordnerDat + QStringLiteral("/NetWatch.ini"),
                                         QStringLiteral("Allgemein"),
                                         QStringLiteral("NoInstanceWatch"), QStringLiteral("0"));
    if (rt::Val(wert) == 1)
        return;
    if (waechter)
        return; // this copy is the one the others find

    const QString name = instanzSocketName();
    if (!andereKopieAktivieren(name)) {
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

void resetInstanzWaechter()
{
    schliessen();
}

} // namespace foundation
