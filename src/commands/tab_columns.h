#pragma once
// A list of "label<Tab>value" lines shown in two columns: the value begins at a tab stop given in
// dialog units (a quarter of the font's average character width), or further right where the
// longest label of the list needs it (at most half the row); a line without a Tab fills the row.
// The lines keep their text, Tab and all.
//
//   liste->setItemDelegate(new commands::TabSpalten(70, liste));
#include <QStyledItemDelegate>

namespace commands {

class TabSpalten : public QStyledItemDelegate {
public:
    TabSpalten(int tabStoppEinheiten, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int tabStopp_;
};

} // namespace commands
