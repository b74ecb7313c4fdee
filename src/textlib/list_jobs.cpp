#include "list_jobs.h"

#include "foundation/file_services.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/print_surface.h"
#include "platform/text_file.h"
#include "print_footer.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/like.h"
#include "runtime/lines.h"
#include "runtime/strings.h"
#include "text_replace.h"

#include <QComboBox>
#include <QListWidget>
#include <QStringList>

#include <optional>
#include <vector>

namespace textlib {

// --- The control ------------------------------------------------------------------------------

int ListControl::ListCount() const
{
    if (list_)
        return list_->count();
    if (combo_)
        return combo_->count();
    return 0;
}

QString ListControl::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return QString();
    if (list_)
        return list_->item(index)->text();
    return combo_->itemText(index);
}

void ListControl::AddItem(const QString& text)
{
    if (list_)
        list_->addItem(text);
    else if (combo_)
        combo_->addItem(text);
}

void ListControl::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    if (list_)
        delete list_->takeItem(index);
    else
        combo_->removeItem(index);
}

void ListControl::Clear()
{
    if (list_)
        list_->clear();
    else if (combo_)
        combo_->clear();
}

bool ListControl::Selected(int index) const
{
    if (index < 0 || index >= ListCount())
        return false;
    if (list_)
        return list_->item(index)->isSelected();
    return combo_->currentIndex() == index;
}

void ListControl::setSelected(int index, bool selected)
{
    if (index < 0 || index >= ListCount())
        return;
    if (list_) {
        if (selected && list_->selectionMode() == QAbstractItemView::SingleSelection)
            list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        else
            list_->item(index)->setSelected(selected);
    } else if (selected) {
        combo_->setCurrentIndex(index);
    } else if (combo_->currentIndex() == index) {
        combo_->setCurrentIndex(-1);
    }
}

void ListControl::Refresh()
{
    if (QWidget* control = widget())
        control->update();
}

QWidget* ListControl::widget() const
{
    if (list_)
        return list_;
    return combo_;
}

// --- The jobs ---------------------------------------------------------------------------------

namespace {

QStringList eintraegeVon(const ListControl& liste)
{
    QStringList eintraege;
    const int anzahl = liste.ListCount();
    eintraege.reserve(anzahl);
    for (int i = 0; i < anzahl; ++i)
        eintraege.append(liste.List(i));
    return eintraege;
}

// The pattern of ListeFiltern and ListeMarkieren: blanks trimmed, lower case, "*" in front and
// at the end unless it has them, so that it fits entries that contain it anywhere.
QString musterVorbereiten(const QString& muster)
{
    QString vorbereitet = rt::LCase(rt::Trim(muster));
    if (!vorbereitet.startsWith(u'*'))
        vorbereitet.prepend(u'*');
    if (!vorbereitet.endsWith(u'*'))
        vorbereitet.append(u'*');
    return vorbereitet;
}

// Whether the prepared pattern can be used; an unusable one is reported (once per job).
bool musterBrauchbar(const QString& vorbereitet, const QString& muster)
{
    if (rt::LikePatternValid(vorbereitet))
        return true;
    platform::dialogs().msgBox(
        QStringLiteral("Das Suchmuster »") + rt::Trim(muster)
            + QStringLiteral("« ist ungültig.\n\nEine Auswahl in eckigen Klammern muss mit »]« "
                             "enden, und ein Bereich wie »[a-z]« muss vom kleineren zum "
                             "größeren Zeichen gehen."),
        platform::vbOKOnly | platform::vbExclamation);
    return false;
}

bool passt(const QString& eintrag, const QString& vorbereitet)
{
    return rt::Like(rt::LCase(eintrag), vorbereitet);
}

// Sets the scale to centimetres and gives the top margin the caller set with a negative
// ScaleTop, in centimetres (0 when there is none).
double zentimeterSkala(platform::PrintSurface& p)
{
    const double oben = p.ScaleTop();
    const double hoehe = p.ScaleHeight();
    p.setScaleMode(platform::vbCentimeters);
    if (oben == 0 || hoehe == 0)
        return 0;
    const double obenCm = oben * p.ScaleHeight() / hoehe;
    return obenCm < 0 ? obenCm : 0;
}

// The scale of each page: centimetres, with the caller's top margin.
void seitenSkala(platform::PrintSurface& p, double obenCm)
{
    p.setScaleMode(platform::vbCentimeters);
    if (obenCm != 0)
        p.setScaleTop(obenCm);
}

QString kopfzeileDerSeite(const QString& kopfzeile, int seite)
{
    const rt::VbDate jetzt = platform::clock().now();
    QString kopf = TextErsetzen(kopfzeile, QStringLiteral("&[Seite]"), QString::number(seite));
    kopf = TextErsetzen(kopf, QStringLiteral("&[Datum]"),
                        rt::Format(jetzt, QStringLiteral("dd.mm.yyyy")));
    return TextErsetzen(kopf, QStringLiteral("&[Zeit]"),
                        rt::Format(jetzt, QStringLiteral("hh:nn")));
}

} // namespace

bool ListeAusDatei(ListControl liste, const QString& pfad)
{
    platform::BusyPointer busy;
    if (!foundation::DateiExistiert(pfad))
        return true;
    const std::optional<QString> text = platform::readTextFile(pfad);
    if (!text)
        return false;
    for (const QString& zeile : rt::splitLines(*text))
        liste.AddItem(zeile);
    return true;
}

bool ListeInDatei(ListControl liste, const QString& pfad)
{
    platform::BusyPointer busy;
    if (pfad.isEmpty()) {
        rt::raiseError(rt::ErrBadFileName);
        return false;
    }
    QString text;
    for (const QString& eintrag : eintraegeVon(liste))
        text += eintrag + QStringLiteral("\r\n");
    return platform::writeTextFile(pfad, text);
}

QString ListeVerketten(ListControl liste, const QString& trenner)
{
    const QString zwischen = trenner.isEmpty() ? QStringLiteral(";") : trenner;
    QString text;
    for (const QString& eintrag : eintraegeVon(liste))
        text += eintrag + zwischen;
    return text;
}

void ListeKopieren(ListControl quelle, ListControl ziel)
{
    platform::BusyPointer busy;
    if (quelle.widget() != ziel.widget()) {
        const QStringList eintraege = eintraegeVon(quelle);
        ziel.Clear();
        for (const QString& eintrag : eintraege)
            ziel.AddItem(eintrag);
    }
    ziel.Refresh();
}

void ListeErgaenzen(ListControl liste, const QString& text)
{
    for (const QString& eintrag : eintraegeVon(liste)) {
        if (rt::equalsNoCase(eintrag, text))
            return;
    }
    liste.AddItem(text);
}

void ListeFiltern(ListControl liste, const QString& muster)
{
    if (rt::Trim(muster).isEmpty())
        return;
    const QString vorbereitet = musterVorbereiten(muster);
    if (!musterBrauchbar(vorbereitet, muster))
        return;
    // From the back, so that the indices still to visit stay as they are; the entries that
    // stay keep their order and their marks.
    for (int i = liste.ListCount() - 1; i >= 0; --i) {
        if (passt(liste.List(i), vorbereitet))
            liste.RemoveItem(i);
    }
}

bool SuchmusterPruefen(const QString& muster)
{
    return musterBrauchbar(musterVorbereiten(muster), muster);
}

int ListeMarkieren(ListControl liste, const QString& muster, bool leerenZuerst)
{
    const QString vorbereitet = musterVorbereiten(muster);
    if (!musterBrauchbar(vorbereitet, muster))
        return 0;
    platform::BusyPointer busy;
    int markiert = 0;
    const int anzahl = liste.ListCount();
    for (int i = 0; i < anzahl; ++i) {
        if (leerenZuerst)
            liste.setSelected(i, false);
        if (passt(liste.List(i), vorbereitet)) {
            liste.setSelected(i, true);
            ++markiert;
        }
    }
    return markiert;
}

int ListeBeginntMit(ListControl liste, const QString& text)
{
    for (int i = liste.ListCount() - 1; i >= 0; --i) {
        if (liste.List(i).startsWith(text))
            return i;
    }
    return -1;
}

void ListeAlsText(ListControl liste)
{
    platform::BusyPointer busy;
    QString text;
    for (const QString& eintrag : eintraegeVon(liste))
        text += eintrag + QStringLiteral("\r\n");
    platform::clipboard().clear();
    platform::clipboard().setText(text);
}

void ListeDrucken(ListControl liste, const QString& kopfzeile, const QString& schriftName,
                  double schriftGroesse, double linkerRand)
{
    platform::BusyPointer busy;
    platform::PrintSurface& p = platform::printer();
    const QStringList eintraege = eintraegeVon(liste);
    const QString name = schriftName.isEmpty() ? QStringLiteral("Arial") : schriftName;
    const double groesse = schriftGroesse > 4 ? schriftGroesse : 10;
    const bool mitFusszeile = FusszeileEingeschaltet();
    // Set before the first page too, so that the footer of an empty list lands where it should.
    const double obenCm = zentimeterSkala(p);

    // Failed printer steps are passed over (the surface goes on laying out as if printed), so
    // without a printer the job runs through without output and without a message.
    int seite = 0;
    double unten = 0; // the lowest an entry line may reach on this page
    for (qsizetype i = 0; i < eintraege.size(); ++i) {
        const double zeile = p.TextHeight(QStringLiteral("Ay"));
        if (i == 0 || p.CurrentY() + zeile > unten + 1e-9) {
            if (seite > 0)
                p.NewPage();
            ++seite;
            p.setFontName(name);
            p.setFontSize(groesse);
            p.setFontBold(false);
            p.setFontItalic(false);
            seitenSkala(p, obenCm);
            // The footer's band stays free, so that the footer of the last page never lies over
            // an entry.
            unten = mitFusszeile ? FusszeileOben() : p.ScaleTop() + p.ScaleHeight();

            p.setCurrentX(linkerRand);
            p.setCurrentY(0.5);
            p.setFontBold(true);
            p.Print(kopfzeileDerSeite(kopfzeile, seite));
            p.setFontBold(false);
            p.Print();
        }
        p.setCurrentX(linkerRand);
        p.Print(eintraege.at(i));
    }
    DruckFusszeile(linkerRand, false);
    p.EndDoc();
}

void ListeDoppelteEntfernen(ListControl liste)
{
    platform::BusyPointer busy;
    // Case-insensitive equality is transitive, so removing the first of each equal pair until
    // none is left keeps exactly the last entry of every run of equal neighbours. One walk from
    // the back finds them all: removing entry i leaves the indices before it as they were.
    std::vector<QString> klein;
    const int anzahl = liste.ListCount();
    klein.reserve(anzahl);
    for (int i = 0; i < anzahl; ++i)
        klein.push_back(rt::LCase(liste.List(i)));
    for (int i = anzahl - 2; i >= 0; --i) {
        if (klein[i] == klein[i + 1])
            liste.RemoveItem(i);
    }
}

} // namespace textlib
