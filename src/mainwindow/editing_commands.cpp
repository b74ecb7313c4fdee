#include "editing_commands.h"

#include "foundation/debug_log.h"
#include "foundation/read_only.h"
#include "platform/actions.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/mouse_pointer.h"
#include "platform/text_box.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/store_state.h"

#include <QWidget>

#include <algorithm>

namespace mainwindow {


void resetBearbeiten()
{
    undoText.clear();
}

platform::TextBox* editorVon(const platform::MainPort& main)
{
    QWidget* fenster = main.widget();
    return fenster ? fenster->findChild<platform::TextBox*>(QStringLiteral("Text")) : nullptr;
}

void alsUngesichertMarkieren()
{
    store::ungesichert = 1;
    store::UngesichertAnzeigen();
}

bool TextEinfuegen(platform::MainPort& main, const QString& text)
{
    platform::TextBox* editor = editorVon(main);
    if (text.isEmpty() || foundation::nurLesen || (editor && editor->locked()))
        return false;
    main.setSelText(text);
    if (editor)
        editor->setFocus();
    alsUngesichertMarkieren();
    return true;
}

void Ausschneiden(platform::MainPort& main)
{
    if (foundation::nurLesen)
        return;
    platform::clipboard().clear();
    platform::clipboard().setText(main.selText());
    const int p = main.selStart();
    if (main.selLength() > 0)
        main.setSelText(QString());
    main.setSelStart(p);
    alsUngesichertMarkieren();
}

void Kopieren(platform::MainPort& main)
{
    platform::clipboard().clear();
    const QString auswahl = main.selText();
    if (!auswahl.isEmpty())
        platform::clipboard().setText(auswahl);
}

void Einfuegen(platform::MainPort& main)
{
    const QString text = platform::clipboard().text();
    if (!text.isEmpty())
        TextEinfuegen(main, text);
}

void AllesMarkieren(platform::MainPort& main)
{
    main.setSelStart(0);
    main.setSelLength(platform::vbLength(main.text()));
    if (platform::TextBox* editor = editorVon(main))
        editor->setFocus();
    Kopieren(main);
}

void Rueckgaengig(platform::MainPort& main)
{
    if (foundation::nurLesen)
        return;
    platform::TextBox* editor = editorVon(main);
    if (editor && editor->canUndo()) {
        editor->undo();
        foundation::DebugLogbuch(QStringLiteral("Undo Typ: System"));
    } else {
        const QString jetzt = main.text();
        const int p = main.selStart();
        main.setText(undoText);
        main.setSelStart(p);
        undoText = jetzt;
        foundation::DebugLogbuch(QStringLiteral("Undo Typ: Intern"));
    }
    alsUngesichertMarkieren();
}

void UhrzeitEinfuegen(platform::MainPort& main)
{
    TextEinfuegen(main, rt::Format(platform::clock().now(), QStringLiteral("hh:nn")) + u' ');
}

QString zeilenSortiert(const QString& auswahl)
{
    QString s = auswahl + QStringLiteral("\r\n");
    QStringList zeilen;
    qsizetype von = 0;
    while (von < s.size()) {
        qsizetype cr = s.indexOf(u'\r', von);
        if (cr < 0)
            cr = s.size();
        zeilen.append(s.mid(von, cr - von));
        von = cr + 1;
        if (von < s.size() && s.at(von) == u'\n')
            ++von;
    }
    std::stable_sort(zeilen.begin(), zeilen.end(), [](const QString& a, const QString& b) {
        return rt::LCase(a) < rt::LCase(b);
    });
    return zeilen.join(QStringLiteral("\r\n"));
}

void ZeilenOrdnen(platform::MainPort& main)
{
    if (foundation::nurLesen)
        return;
    platform::BusyPointer sanduhr;
    const int p = main.selStart();
    const QString sortiert = zeilenSortiert(main.selText());
    if (sortiert != main.selText())
        main.setSelText(sortiert);
    main.setSelStart(p);
    alsUngesichertMarkieren();
}

BearbeitenMenue bearbeitenMenue(const platform::MainPort& main)
{
    BearbeitenMenue menue;
    const bool auswahl = main.selLength() > 0;
    const bool aendern = !foundation::nurLesen;
    menue.ausschneiden = auswahl && aendern;
    menue.kopieren = auswahl;
    menue.ordnen = auswahl && aendern;
    menue.markierteText = auswahl;
    menue.einfuegen = aendern && !platform::clipboard().text().isEmpty();
    menue.allesMarkieren = !main.text().isEmpty();
    return menue;
}

void BearbeitenMenueAnpassen(const platform::MainPort& main, platform::ActionRegistry& actions)
{
    const BearbeitenMenue menue = bearbeitenMenue(main);
    actions.setEnabled(QStringLiteral("PulAusschneiden"), menue.ausschneiden);
    actions.setEnabled(QStringLiteral("PulKopieren"), menue.kopieren);
    actions.setEnabled(QStringLiteral("PulOrdnen"), menue.ordnen);
    for (const char* name :
         {"mnuMarkPrint", "mnuMarkCRdel", "mnuMarkGänsefuss", "mnuMarkUcase", "mnuMark2EUR"})
        actions.setEnabled(QString::fromUtf8(name), menue.markierteText);
    actions.setEnabled(QStringLiteral("mnuZAeinfg"), menue.einfuegen);
    actions.setEnabled(QStringLiteral("PulAllesMarkieren"), menue.allesMarkieren);
}

} // namespace mainwindow
