#pragma once
// The selected line of a list box with single selection. A list box that gets the focus without
// a current line makes its first line current without selecting it; that line is no choice of
// the user's, so the windows act only on a current line that is also selected.
#include <QListWidget>

namespace views {

inline QListWidgetItem* gewaehlteZeile(const QListWidget* liste)
{
    QListWidgetItem* zeile = liste->currentItem();
    return zeile != nullptr && zeile->isSelected() ? zeile : nullptr;
}

inline int gewaehlteZeilenNummer(const QListWidget* liste)
{
    const QListWidgetItem* zeile = gewaehlteZeile(liste);
    return zeile != nullptr ? liste->row(zeile) : -1;
}

} // namespace views
