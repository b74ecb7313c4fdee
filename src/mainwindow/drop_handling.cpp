#include "drop_handling.h"

#include "foundation/picture_types.h"
#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "mainwindow/day_picture.h"
#include "mainwindow/editing_commands.h"
#include "mainwindow/editor_keys.h"
#include "platform/dialogs.h"
#include "platform/text_box.h"
#include "runtime/error.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/store_state.h"
#include "textlib/string_functions.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTextCursor>
#include <QUrl>
#include <QWidget>

namespace mainwindow {

namespace {

std::function<void()>& tagesbildHook()
{
    static std::function<void()> laden;
    return laden;
}

std::function<void(QPoint)>& popupHook()
{
    static std::function<void(QPoint)> zeigen;
    return zeigen;
}

ZiehenAusfuehren& ziehenHook()
{
    static ZiehenAusfuehren ausfuehren;
    return ausfuehren;
}

Qt::DropAction ziehen(QWidget* quelle, QMimeData* daten, Qt::DropActions erlaubt)
{
    if (ziehenHook()) {
        const Qt::DropAction ergebnis = ziehenHook()(quelle, daten, erlaubt);
        delete daten;
        return ergebnis;
    }
    auto* drag = new QDrag(quelle); // owns the data; deleted by Qt after the drag
    drag->setMimeData(daten);
    return drag->exec(erlaubt, Qt::CopyAction);
}

const QString& fehlerText()
{
    static const QString text =
        QStringLiteral("Es ist ein Fehler beim Einfügen des OLE-Textes aufgetreten.");
    return text;
}

void bildVerknuepfen(const QString& pfad)
{
    const std::optional<rt::VbDate> tag = rt::CDate(store::aktDatum);
    if (tag && TagesbildVerknuepfen(*tag, pfad) && tagesbildHook())
        tagesbildHook()();
}

enum class Lesen { Text, KeinText, ZuGross, Fehler };

// The text of a dropped file, when it is one the entry may take.
Lesen dateiLesen(const QString& pfad, QString& text)
{
    const QFileInfo info(pfad);
    if (!info.exists()) {
        rt::raiseError(rt::ErrFileNotFound);
        return Lesen::Fehler;
    }
    if (!info.isFile())
        return Lesen::KeinText;
    if (info.size() > ablageGroesstdatei)
        return Lesen::ZuGross;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        rt::raiseError(datei.error() == QFileDevice::PermissionsError ? rt::ErrPermissionDenied
                                                                      : rt::ErrPathFileAccess);
        return Lesen::Fehler;
    }
    if (datei.read(ablageTestblock).contains('\0'))
        return Lesen::KeinText;
    datei.close();
    const std::optional<QString> inhalt = textlib::FremdeDateiEinlesen(pfad);
    if (!inhalt)
        return Lesen::Fehler;
    text = *inhalt;
    return Lesen::Text;
}

} // namespace

bool ablageErsetzt()
{
    return rt::Val(foundation::IniLesen(QString(), QString(), QStringLiteral("DragDropCls"),
                                        QStringLiteral("0")))
        != 0;
}

Qt::DropActions ziehenErlaubt()
{
    return ablageErsetzt() && !foundation::nurLesen ? Qt::MoveAction : Qt::CopyAction;
}

void setZiehenAusfuehren(ZiehenAusfuehren ausfuehren)
{
    ziehenHook() = std::move(ausfuehren);
}

bool istBilddatei(const QString& pfad)
{
    return foundation::istBildEndung(pfad);
}

bool ziehenBetritt(platform::MainPort& main)
{
    if (foundation::nurLesen)
        return false;
    main.setPanelText(QStringLiteral("Status"), ablageErsetzt() ? QStringLiteral("Text übernehmen")
                                                                : QStringLiteral("Text einfügen"));
    return true;
}

void ziehenVerlaesst(platform::MainPort& main)
{
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
}

bool ablegen(platform::MainPort& main, const QMimeData& daten)
{
    if (foundation::nurLesen) {
        main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
        return false;
    }
    QStringList dateien;
    for (const QUrl& url : daten.urls())
        if (url.isLocalFile())
            dateien.append(url.toLocalFile());

    QString t;
    if (dateien.isEmpty() && daten.hasText())
        t = daten.text();

    QStringList abgelehnt;
    bool weiter = true;
    for (const QString& pfad : dateien) {
        if (istBilddatei(pfad)) {
            bildVerknuepfen(pfad);
            continue;
        }
        QString text;
        switch (dateiLesen(pfad, text)) {
        case Lesen::Text:
            t += text + QStringLiteral("\r\n\r\n");
            break;
        case Lesen::KeinText:
            abgelehnt.append(QStringLiteral("»") + QFileInfo(pfad).fileName()
                             + QStringLiteral("« ist keine Textdatei."));
            break;
        case Lesen::ZuGross:
            abgelehnt.append(QStringLiteral("»") + QFileInfo(pfad).fileName()
                             + QStringLiteral("« ist größer als 1 MB."));
            break;
        case Lesen::Fehler:
            weiter = foundation::FehlerBehandlung(rt::Err().number, fehlerText()) == 5;
            break;
        }
        if (!weiter)
            break;
    }
    if (!abgelehnt.isEmpty())
        platform::dialogs().msgBox(QStringLiteral("Nicht in den Eintrag übernommen:\r\n")
                                       + abgelehnt.join(QStringLiteral("\r\n")),
                                   platform::vbExclamation, QStringLiteral("Korvanel"));

    if (weiter && !t.isEmpty()) {
        undoText = main.text();
        if (ablageErsetzt()) {
            main.setText(t);
            main.setSelStart(0);
        } else {
            const int p = main.selStart();
            main.setSelText(t);
            main.setSelStart(p);
        }
        main.setSelLength(platform::vbLength(t));
        alsUngesichertMarkieren();
        if (QWidget* fenster = main.widget())
            fenster->activateWindow();
    }
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
    return true;
}

void BildDoppelklick(platform::MainPort& main)
{
    if (foundation::nurLesen)
        return;
    main.runMenuEntry(QStringLiteral("mnuBildZuordnen"));
}

void setTagesbildLaden(std::function<void()> laden)
{
    tagesbildHook() = std::move(laden);
}

void setPopupZeigen(std::function<void(QPoint)> zeigen)
{
    popupHook() = std::move(zeigen);
}

EditorMaus::EditorMaus(platform::MainPort& main, platform::TextBox* editor)
    : QObject(editor), main_(main), editor_(editor)
{
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
    editor->setAcceptDrops(true);
    editor->viewport()->setAcceptDrops(true);
}

bool EditorMaus::mausGedrueckt(const QMouseEvent& event)
{
    ziehenMoeglich_ = false;
    if (event.button() != Qt::LeftButton || editor_->textCursor().selectionStart()
                                                == editor_->textCursor().selectionEnd())
        return false;
    const int wo = editor_->cursorForPosition(event.position().toPoint()).position();
    const QTextCursor auswahl = editor_->textCursor();
    if (wo < auswahl.selectionStart() || wo >= auswahl.selectionEnd())
        return false;
    ziehenMoeglich_ = true;
    ziehenStart_ = event.position().toPoint();
    return true; // the selection stays for the drag
}

bool EditorMaus::mausBewegt(const QMouseEvent& event)
{
    if (!ziehenMoeglich_)
        return false;
    if (!(event.buttons() & Qt::LeftButton)) {
        ziehenMoeglich_ = false;
        return false;
    }
    if ((event.position().toPoint() - ziehenStart_).manhattanLength()
        < QApplication::startDragDistance())
        return true;
    ziehenMoeglich_ = false;
    const int start = main_.selStart();
    const int laenge = main_.selLength();
    auto* daten = new QMimeData;
    daten->setText(main_.selText());
    const Qt::DropActions erlaubt = ziehenErlaubt();
    const Qt::DropAction ergebnis = ziehen(editor_, daten, erlaubt);
    if (ergebnis == Qt::MoveAction && erlaubt.testFlag(Qt::MoveAction) && !foundation::nurLesen) {
        main_.setSelStart(start);
        main_.setSelLength(laenge);
        main_.setSelText(QString());
        alsUngesichertMarkieren();
    }
    return true;
}

bool EditorMaus::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == editor_->viewport() && mausGedrueckt(*static_cast<QMouseEvent*>(event)))
            return true;
        break;
    case QEvent::MouseMove:
        if (watched == editor_->viewport() && mausBewegt(*static_cast<QMouseEvent*>(event)))
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == editor_->viewport()
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The editor selects the word first; the double-click acts on it afterwards.
            ziehenMoeglich_ = false;
            QWidget* flaeche = editor_->viewport();
            flaeche->removeEventFilter(this);
            QApplication::sendEvent(flaeche, event);
            flaeche->installEventFilter(this);
            // A word reaches from blank to blank, as the user sees it: "12.03.2019" and
            // "www.example.de" are one word each.
            const QString text = main_.text();
            const auto trenner = [](QChar c) {
                return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
            };
            int von = main_.selStart();
            int bis = von + main_.selLength();
            if (von < text.size() && !trenner(text.at(von))) {
                while (von > 0 && !trenner(text.at(von - 1)))
                    --von;
                while (bis < text.size() && !trenner(text.at(bis)))
                    ++bis;
                main_.setSelStart(von);
                main_.setSelLength(bis - von);
            }
            EditorDoppelklick(main_);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == editor_->viewport() && ziehenMoeglich_) {
            // Pressed in the selection and released without a drag: the caret goes there.
            ziehenMoeglich_ = false;
            const QPoint wo = static_cast<QMouseEvent*>(event)->position().toPoint();
            editor_->setTextCursor(editor_->cursorForPosition(wo));
            return true;
        }
        break;
    case QEvent::DragEnter: {
        auto* ziehen = static_cast<QDragEnterEvent*>(event);
        if (ziehenBetritt(main_) && (ziehen->mimeData()->hasText() || ziehen->mimeData()->hasUrls()))
            ziehen->acceptProposedAction();
        else
            ziehen->ignore();
        return true;
    }
    case QEvent::DragMove: {
        auto* ziehen = static_cast<QDragMoveEvent*>(event);
        if (foundation::nurLesen)
            ziehen->ignore();
        else
            ziehen->acceptProposedAction();
        return true;
    }
    case QEvent::DragLeave:
        ziehenVerlaesst(main_);
        return true;
    case QEvent::Drop: {
        auto* ablage = static_cast<QDropEvent*>(event);
        if (ablegen(main_, *ablage->mimeData())) {
            ablage->setDropAction(Qt::CopyAction);
            ablage->accept();
        } else {
            ablage->ignore();
        }
        return true;
    }
    case QEvent::ContextMenu: {
        if (foundation::nurLesen || !popupHook())
            return false; // the editor's standard menu
        auto* menue = static_cast<QContextMenuEvent*>(event);
        editor_->setFocus();
        popupHook()(menue->globalPos());
        editor_->setFocus();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mainwindow
