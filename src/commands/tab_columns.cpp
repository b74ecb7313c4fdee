#include "commands/tab_columns.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace commands {

TabSpalten::TabSpalten(int tabStoppEinheiten, QObject* parent)
    : QStyledItemDelegate(parent), tabStopp_(tabStoppEinheiten)
{
}

void TabSpalten::paint(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* liste = opt.widget;
    QStyle* stil = liste ? liste->style() : QApplication::style();
    stil->drawControl(QStyle::CE_ItemViewItem, &opt, painter, liste);
    const QRect flaeche = stil->subElementRect(QStyle::SE_ItemViewItemText, &opt, liste);
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected
                                          ? QPalette::HighlightedText
                                          : QPalette::Text));
    const QFontMetrics& masse = opt.fontMetrics;
    const int links = flaeche.left() + 3;
    const int tab = text.indexOf(u'\t');
    const auto schreiben = [&](int x, int breite, const QString& teil, Qt::TextElideMode kuerzen) {
        breite = std::max(0, breite);
        painter->drawText(QRect(x, flaeche.top(), breite, flaeche.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          masse.elidedText(teil, kuerzen, breite));
    };
    if (tab < 0) {
        schreiben(links, flaeche.right() - links, text, Qt::ElideRight);
    } else {
        // The tab stop, moved right where a label of the list would not fit before it.
        int spalte = masse.averageCharWidth() * tabStopp_ / 4;
        if (const QAbstractItemModel* modell = index.model()) {
            for (int zeile = 0; zeile < modell->rowCount(index.parent()); ++zeile) {
                const QString andere = modell->index(zeile, index.column(), index.parent())
                                           .data(Qt::DisplayRole)
                                           .toString();
                const int ende = andere.indexOf(u'\t');
                if (ende >= 0)
                    spalte = std::max(spalte, masse.horizontalAdvance(andere.left(ende)) + 12);
            }
        }
        const int stopp = links + std::min(spalte, (flaeche.right() - links) / 2);
        schreiben(links, stopp - links - 4, text.left(tab), Qt::ElideRight);
        // Long values are paths: their beginning and their file name matter most.
        schreiben(stopp, flaeche.right() - stopp, text.mid(tab + 1), Qt::ElideMiddle);
    }
    painter->restore();
}

} // namespace commands
