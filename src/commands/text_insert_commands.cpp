#include "commands/text_insert_commands.h"

#include "foundation/file_services.h"
#include "foundation/text_replace.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "runtime/strings.h"
#include "textlib/placeholder_expander.h"
#include "textlib/string_functions.h"
#include "views/keyword_list.h"

namespace commands {

QString DateinameText(const QString& pfad)
{
    const QString rand = QStringLiteral("\" ");
    const QString ohne = textlib::RechtsKuerzen(textlib::LinksKuerzen(pfad, rand), rand);
    return QStringLiteral(" \"") + ohne + QStringLiteral("\" ");
}

void DateinameEinfuegen(platform::MainPort& main)
{
    const std::optional<QString> datei = platform::dialogs().openFile(
        QStringLiteral("Wählen Sie eine Datei"),
        QStringLiteral("Alles|*.*|Texte|*.doc;*.txt|Bilder|*.bmp;*.gif;*.jpg|"), QString());
    if (!datei || datei->isEmpty())
        return;
    main.insertText(DateinameText(*datei));
}

QString StichwortText(const QString& stichwort)
{
    return textlib::VariablenErsetzen(
        foundation::TextErsetzen(stichwort, QStringLiteral("~"), QStringLiteral("\r\n")));
}

void StichwortEinfuegen(platform::MainPort& main)
{
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Stichwörter..."));
    const QString stichwort = views::Stichworte::waehlen(rt::Trim(main.selText()));
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
    if (!stichwort.isEmpty())
        main.insertText(StichwortText(stichwort));
}

QString BildNameText(const QString& bildPfad)
{
    const QString name = foundation::PfadTeil(bildPfad, 1);
    return textlib::LinksKuerzen(name, QStringLiteral("0123456789.-_ "));
}

void BildNameEinfuegen(platform::MainPort& main, const QString& bildPfad)
{
    if (bildPfad.isEmpty())
        return;
    const QString name = BildNameText(bildPfad);
    if (name.isEmpty())
        return;
    main.setSelStart(0);
    main.setSelLength(0);
    main.insertText(name);
}

} // namespace commands
