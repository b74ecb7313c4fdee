#include "platform_services.h"

#include "dialogs.h"
#include "help.h"
#include "runtime_hooks.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

void installPlatformServices()
{
    installRuntimeHooks();
    // The service is asked at the moment of the click, so a replaced one is used too.
    setDialogHelpHandler(
        [](const HelpTopic& topic) { help().showTopic(topic.file, topic.context); });
    installGermanQtTexts();
}

bool installGermanQtTexts()
{
    static bool installiert = false;
    if (installiert)
        return true;
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // qtbase_de holds the texts of Qt's widgets and dialogs; it lives as long as the application.
    auto* uebersetzung = new QTranslator(app);
    if (!uebersetzung->load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(uebersetzung)) {
        delete uebersetzung;
        return false;
    }
    installiert = true;
    return true;
}

} // namespace platform
