#include "date_label.h"

#include <QMouseEvent>

namespace platform {

DateLabel::DateLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void DateLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    emit changed();
}

void DateLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace platform
