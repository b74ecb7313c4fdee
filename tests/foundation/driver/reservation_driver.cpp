// A small copy of the program for the tests that need real processes on one data folder. It
// runs the multi-user reservation or the instance guard as the program's start does, reports
// what happens, line by line, over a local socket that the test listens on, and takes commands
// from there. Its message boxes and input boxes are answered from its command line, never
// shown. When the test's end of the socket goes, it ends.
//
//   korvanel_reservation_driver reservierung|instanz --melden=<socket>
//       [--antworten=<answer>,<answer>...] [--eingabe=<text>] [--programmordner=<folder>]
//       [--auf-los] [/OrdnerDat=<folder>] [any further argument]
//
// Reports: "argumente <arguments joined by " | ">" first; then "schreiben" or "lesen" after the
// reservation, "läuft" after the instance guard, "frage <text>" and "eingabe <prompt>" for each
// dialog, "aktiviert" when another copy brought this one to the front, "tick fertig",
// "freigegeben", and "ende" when the program ends (through the program-end service).
// Commands: "tick" (the main window's two-second clock), "freigeben" (release at program end),
// "ende" (end the program). With --auf-los the copy reports "bereit" once it is set up and
// waits for the command "los" before it reserves or runs the guard, so that a test can let
// several copies start at the same moment.
#include "foundation/folders.h"
#include "foundation/instance_guard.h"
#include "foundation/read_only.h"
#include "foundation/reservation.h"
#include "foundation/ui_services.h"
#include "platform/command_line_text.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/platform_services.h"
#include "platform/program_end.h"
#include "platform/sound.h"

#include <QApplication>
#include <QEvent>
#include <QLocalSocket>

#include <deque>
#include <optional>

namespace {

QLocalSocket* melder = nullptr;
bool losGekommen = false;

void melden(const QString& zeile)
{
    if (!melder || melder->state() != QLocalSocket::ConnectedState)
        return;
    QString einzeilig = zeile;
    einzeilig.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    einzeilig.replace(u'\n', u' ');
    melder->write(einzeilig.toUtf8() + '\n');
    melder->waitForBytesWritten(5000);
}

class SkriptDialoge : public platform::Dialogs {
public:
    std::deque<int> antworten;
    std::optional<QString> eingabe;

protected:
    int showMessage(const QString& text, int style, const QString&,
                    const platform::HelpTopic&) override
    {
        melden(QStringLiteral("frage ") + text);
        if (antworten.empty())
            return platform::msgBoxDefaultAnswer(style);
        const int antwort = antworten.front();
        antworten.pop_front();
        return antwort;
    }

    std::optional<QString> askText(const QString& prompt, const QString&, const QString&,
                                   const platform::HelpTopic&) override
    {
        melden(QStringLiteral("eingabe ") + prompt);
        return eingabe;
    }

    // The reservation asks for no file, colour, printer or font: one asked for is reported and
    // cancelled.
    std::optional<platform::FileAnswer> askFile(const platform::FileRequest& request) override
    {
        melden(QStringLiteral("datei ") + request.title);
        return std::nullopt;
    }
    std::optional<QColor> askColor(const QString& title, const QColor&) override
    {
        melden(QStringLiteral("farbe ") + title);
        return std::nullopt;
    }
    std::optional<QString> askPrinter(const QString& title) override
    {
        melden(QStringLiteral("drucker ") + title);
        return std::nullopt;
    }
    std::optional<platform::FontChoice> askFont(const platform::FontRequest& request) override
    {
        melden(QStringLiteral("schrift ") + request.title);
        return std::nullopt;
    }
};

class StillerTon : public platform::Sound {
public:
    void beep(int) override {}
    bool playWave(const QString&) override { return false; }
};

// The main window, minimised until another copy brings it to the front.
class Hauptfenster : public platform::MainForm {
protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange && !isMinimized())
            melden(QStringLiteral("aktiviert"));
        platform::MainForm::changeEvent(event);
    }
};

QString option(const QStringList& argumente, const QString& name)
{
    for (const QString& argument : argumente) {
        if (argument.startsWith(name + u'='))
            return argument.mid(name.size() + 1);
    }
    return QString();
}

void befehlAusfuehren(const QByteArray& befehl)
{
    if (befehl == "tick") {
        foundation::NetzFreigabePruefen();
        melden(QStringLiteral("tick fertig"));
    } else if (befehl == "freigeben") {
        foundation::DateiReservierung(0);
        melden(QStringLiteral("freigegeben"));
    } else if (befehl == "los") {
        losGekommen = true;
    } else if (befehl == "ende") {
        foundation::ProgrammBeenden();
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::installPlatformServices();
    const QStringList argumente = QCoreApplication::arguments().mid(1);
    platform::setCommandLine(argumente);

    QLocalSocket socket;
    socket.connectToServer(option(argumente, QStringLiteral("--melden")));
    if (!socket.waitForConnected(10000))
        return 3;
    melder = &socket;
    QObject::connect(&socket, &QLocalSocket::readyRead, &socket, [&socket] {
        while (socket.canReadLine())
            befehlAusfuehren(socket.readLine().trimmed());
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &socket,
                     [] { foundation::ProgrammBeenden(); });
    platform::registerCleanUp([] { melden(QStringLiteral("ende")); });
    melden(QStringLiteral("argumente ") + argumente.join(QStringLiteral(" | ")));

    SkriptDialoge dialoge;
    for (const QString& antwort :
         option(argumente, QStringLiteral("--antworten")).split(u',', Qt::SkipEmptyParts))
        dialoge.antworten.push_back(antwort.toInt());
    for (const QString& argument : argumente) {
        if (argument.startsWith(QStringLiteral("--eingabe=")))
            dialoge.eingabe = argument.mid(10);
    }
    platform::setDialogs(&dialoge);
    StillerTon ton;
    platform::setSound(&ton);

    const QString programmOrdner = option(argumente, QStringLiteral("--programmordner"));
    if (!programmOrdner.isEmpty())
        foundation::setProgrammOrdnerFuerTests(programmOrdner);
    foundation::OrdnerFestlegen();

    if (argumente.contains(QStringLiteral("--auf-los"))) {
        melden(QStringLiteral("bereit"));
        while (!losGekommen) {
            if (!socket.waitForReadyRead(-1))
                return 4;
        }
    }

    auto* haupt = new Hauptfenster;
    if (argumente.value(0) == u"instanz") {
        haupt->showMinimized();
        foundation::InstanzWaechter();
        melden(QStringLiteral("läuft"));
    } else {
        foundation::DateiReservierung(1);
        melden(foundation::nurLesen ? QStringLiteral("lesen") : QStringLiteral("schreiben"));
    }
    return QApplication::exec();
}
