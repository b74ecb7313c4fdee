#include "spelling.h"

#include "spelling_dialog.h"

#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/spell_checker.h"
#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QWidget>

#include <algorithm>
#include <memory>

namespace integration {

namespace {

const QString deutschland = QStringLiteral("de_DE");
// Longer runs of letters are no words (a pasted code, a hash): they are not checked.
constexpr int wortHoechstens = 100;

bool trenner(QChar c)
{
    return c.isSpace();
}

// A blank-separated piece that is a link or an e-mail address.
bool linkOderAdresse(const QString& stueck)
{
    if (stueck.contains(u'@') || stueck.contains(QStringLiteral("://")))
        return true;
    qsizetype i = 0;
    while (i < stueck.size() && !stueck.at(i).isLetterOrNumber())
        ++i;
    return rt::LCase(stueck.mid(i, 4)) == u"www.";
}

} // namespace

QString woerterbuchSprache(const QString& wordLanguageId)
{
    const double id = rt::Val(wordLanguageId);
    QString sprache = deutschland;
    if (id == 3079)
        sprache = QStringLiteral("de_AT");
    else if (id == 2055)
        sprache = QStringLiteral("de_CH");
    if (sprache != deutschland && !platform::spellChecker().hasDictionary(sprache))
        sprache = deutschland;
    return sprache;
}

QString sprachName(const QString& language)
{
    if (language == u"de_DE")
        return QStringLiteral("Deutsch (Deutschland)");
    if (language == u"de_AT")
        return QStringLiteral("Deutsch (Österreich)");
    if (language == u"de_CH")
        return QStringLiteral("Deutsch (Schweiz)");
    return language;
}

std::optional<Wortstelle> naechstesWort(const QString& text, int from)
{
    const int laenge = static_cast<int>(text.size());
    int i = std::max(from, 0);
    while (i < laenge) {
        if (trenner(text.at(i))) {
            ++i;
            continue;
        }
        // The blank-separated piece around i.
        int stueckAnfang = i;
        while (stueckAnfang > 0 && !trenner(text.at(stueckAnfang - 1)))
            --stueckAnfang;
        int stueckEnde = i;
        while (stueckEnde < laenge && !trenner(text.at(stueckEnde)))
            ++stueckEnde;
        if (linkOderAdresse(text.mid(stueckAnfang, stueckEnde - stueckAnfang))) {
            i = stueckEnde;
            continue;
        }

        int j = i;
        while (j < stueckEnde) {
            if (!text.at(j).isLetter()) {
                ++j;
                continue;
            }
            // A run of letters, with hyphens and points between letters.
            int k = j + 1;
            while (k < stueckEnde) {
                const QChar c = text.at(k);
                const bool zwischenBuchstaben = (c == u'-' || c == u'.') && k + 1 < stueckEnde
                    && text.at(k + 1).isLetter();
                if (c.isLetter() || zwischenBuchstaben)
                    ++k;
                else
                    break;
            }
            const bool anZiffer = (j > stueckAnfang && text.at(j - 1).isDigit())
                || (k < stueckEnde && text.at(k).isDigit());
            if (anZiffer || k - j > wortHoechstens) {
                j = k;
                continue;
            }
            Wortstelle stelle{j, k - j, QString()};
            if (k < stueckEnde && text.at(k) == u'.')
                stelle.anhang = QStringLiteral(".");
            else if (k + 1 == stueckEnde && text.at(k) == u'-')
                stelle.anhang = QStringLiteral("-");
            return stelle;
        }
        i = stueckEnde;
    }
    return std::nullopt;
}

void mnuWordCheck_Click()
{
    platform::MainPort* main = platform::mainPort();
    if (main == nullptr || foundation::nurLesen)
        return;
    const QString eintrag = main->text();
    if (rt::Trim(eintrag).isEmpty())
        return;
    const QString tag = main->dateCaption();

    platform::BusyPointer sanduhr;
    const QString sprache = woerterbuchSprache(
        foundation::IniLesen(QString(), QString(), QStringLiteral("WordLanguageID"),
                             QStringLiteral("0")));
    const std::unique_ptr<platform::SpellDictionary> woerterbuch =
        platform::spellChecker().loadDictionary(sprache);
    if (!woerterbuch) {
        sanduhr.restore();
        const rt::ErrorRecordGuard bewahren;
        rt::raiseError(rt::ErrFileNotFound,
                       u"Das Wörterbuch »"_qs + sprache
                           + u"« für die Rechtschreibprüfung ist nicht installiert (Paket "
                             u"hunspell-de-de)."_qs,
                       QStringLiteral("mnuWordCheck"));
        foundation::FehlerBehandlung(
            rt::ErrFileNotFound,
            u"Es ist ein Fehler bei 'Rechtschreibprüfung mit Word' aufgetreten."_qs);
        return;
    }

    auto* fenster = new Rechtschreibung(eintrag, *woerterbuch, sprache, main->widget());
    sanduhr.restore();
    if (!fenster->fertig()) {
        main->setPanelText(QStringLiteral("Status"), fenster->name() + QStringLiteral("..."));
        fenster->showModal();
        main->setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
    }
    const QString ergebnis = fenster->ergebnis();
    fenster->unload();

    if (main != platform::mainPort())
        return; // the main window is gone
    if (main->dateCaption() != tag || main->text() != eintrag) {
        platform::dialogs().msgBox(
            u"Der Eintrag wurde während der Rechtschreibprüfung geändert; die Korrekturen "
            u"werden deshalb nicht übernommen."_qs,
            platform::vbExclamation, QStringLiteral("Rechtschreibprüfung mit Word"));
        return;
    }

    bool uebernehmen = true;
    if (ergebnis.isEmpty()) {
        const QString frage = foundation::MeldungAufbereiten(
            u"Es könnte sein, dass der Eintrag nach der Korrektur nicht mehr i. O. ist.~~Soll "
            u"folgender Text als Eintrag übernommen werden:~~"_qs);
        uebernehmen = platform::dialogs().msgBox(
                          frage + ergebnis,
                          platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2,
                          QStringLiteral("Rechtschreibprüfung mit Word"))
            == platform::vbYes;
    }
    if (uebernehmen) {
        if (ergebnis == eintrag)
            main->setPanelText(QStringLiteral("Status"),
                               QStringLiteral("Rechtschreibprüfung abgeschlossen"));
        else
            main->setText(ergebnis);
    }
    if (QWidget* fensterMain = main->widget()) {
        if (auto* editor = fensterMain->findChild<QWidget*>(QStringLiteral("Text")))
            editor->setFocus();
    }
}

} // namespace integration
