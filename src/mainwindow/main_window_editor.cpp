// The main window's editor and the commands that work on it: its keys, mouse and drops, the
// moves of the menu "&Wechseln", the commands of the menu "&Bearbeiten" and the popup menu.
#include "main_window.h"

#include "commands/date_insert_commands.h"
#include "commands/marked_text_tools.h"
#include "commands/text_insert_commands.h"
#include "commands/popup_commands.h"
#include "mainwindow/drop_handling.h"
#include "mainwindow/editing_commands.h"
#include "mainwindow/editor_keys.h"
#include "mainwindow/navigation.h"
#include "mainwindow/popup_menu.h"
#include "platform/actions.h"
#include "platform/clipboard.h"
#include "platform/text_box.h"

#include <QAction>
#include <QMenu>

namespace mainwindow {

void Main::editorVerbinden()
{
    Text->setKeyDownHandler([this](int& code, int shift) { EditorTasteUnten(*this, code, shift); });
    Text->setKeyPressHandler([this](int& ascii) { EditorZeichen(*this, ascii); });
    new EditorMaus(*this, Text); // a child of the editor

    const auto verbinden = [this](const QString& name, auto handler) {
        connect(actions->action(name), &QAction::triggered, this, handler);
    };

    for (const NavigationsEintrag& eintrag : navigationsMenue()) {
        const Navigation befehl = eintrag.befehl;
        verbinden(eintrag.name, [this, befehl] { Navigieren(*this, befehl); });
    }
    verbinden(QStringLiteral("PulMonatsTabelle"), [this] { MonatsblattWaehlen(*this); });

    verbinden(QStringLiteral("mnuUndo"), [this] { Rueckgaengig(*this); });
    verbinden(QStringLiteral("PulAusschneiden"), [this] { Ausschneiden(*this); });
    verbinden(QStringLiteral("PulKopieren"), [this] { Kopieren(*this); });
    verbinden(QStringLiteral("mnuZAeinfg"), [this] { Einfuegen(*this); });
    verbinden(QStringLiteral("mnuUhrEinfg"), [this] { UhrzeitEinfuegen(*this); });
    verbinden(QStringLiteral("mnuDateEinfg"), [this] { commands::DatumEinfuegen(*this); });
    verbinden(QStringLiteral("mnuDateTimeEinfg"), [this] { commands::DatumUhrzeitEinfuegen(*this); });
    verbinden(QStringLiteral("mnuDateinameEinfg"), [this] { commands::DateinameEinfuegen(*this); });
    verbinden(QStringLiteral("mnuStichWorteinfg"), [this] { commands::StichwortEinfuegen(*this); });
    verbinden(QStringLiteral("mnuBildNameTxtInst"),
              [this] { commands::BildNameEinfuegen(*this, gezeigtesBild_); });
    verbinden(QStringLiteral("PulAllesMarkieren"), [this] { AllesMarkieren(*this); });
    verbinden(QString::fromUtf8("mnuMarkGänsefuss"), [this] { commands::mnuMarkGänsefuss_Click(*this); });
    verbinden(QStringLiteral("mnuMarkUcase"), [this] { commands::mnuMarkUcase_Click(*this); });
    verbinden(QStringLiteral("mnuMarkCRdel"), [this] { commands::mnuMarkCRdel_Click(*this); });
    verbinden(QStringLiteral("mnuMark2EUR"), [this] { commands::mnuMark2EUR_Click(*this); });
    verbinden(QStringLiteral("mnuMarkPrint"), [this] { commands::mnuMarkPrint_Click(*this); });
    verbinden(QStringLiteral("PulOrdnen"), [this] { ZeilenOrdnen(*this); });
    connect(actions->menu(QStringLiteral("PulBearbeiten")), &QMenu::aboutToShow, this,
            [this] { BearbeitenMenueAnpassen(*this, *actions); });

    QMenu* popup = actions->menu(QStringLiteral("mnuPopUp"));
    for (const commands::PopupEintrag& eintrag : commands::popupEintraege()) {
        actions->addAction(popup, eintrag.name, eintrag.caption);
        const QString name = eintrag.name;
        if (name == u"mnuPopDatumWechsel")
            verbinden(name, [this] { PopupDatumWechsel(*this); });
        else if (name == u"mnuPopHypersprung")
            verbinden(name, [this] { PopupHypersprung(*this); });
        else
            verbinden(name, [this, name] { commands::PopupBefehl(*this, name); });
    }
    connect(popup, &QMenu::aboutToShow, this, [this] { popupAnpassen(); });
}

void Main::popupAnpassen()
{
    // The popup's editing entries run those of "&Bearbeiten", which follow the editor as well.
    BearbeitenMenueAnpassen(*this, *actions);
    const PopupMenue menue =
        popupMenue(selText(), selLength(), !platform::clipboard().text().isEmpty());
    actions->setEnabled(QStringLiteral("mnuPopAusschneiden"), menue.ausschneiden);
    actions->setEnabled(QStringLiteral("mnuPopKopieren"), menue.kopieren);
    actions->setEnabled(QStringLiteral("mnuPopEinfügen"), menue.einfuegen);
    actions->action(QStringLiteral("mnuPopHypersprung"))->setText(menue.hypersprungCaption);
    actions->action(QStringLiteral("mnuPopDatumWechsel"))->setText(menue.datumWechselCaption);
}

} // namespace mainwindow
