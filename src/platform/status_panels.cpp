#include "status_panels.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>

#include <algorithm>

namespace platform {

StatusPanels::StatusPanels(QStatusBar* bar) : QObject(bar), bar_(bar) {}

const StatusPanels::Panel* StatusPanels::find(const QString& key) const
{
    const auto match = std::find_if(panels_.begin(), panels_.end(), [&key](const Panel& panel) {
        return panel.key.compare(key, Qt::CaseInsensitive) == 0;
    });
    return match == panels_.end() ? nullptr : &*match;
}

bool StatusPanels::addPanel(const QString& key, const QString& text, const QString& toolTip,
                            PanelSize size, int widthPixels)
{
    if (key.isEmpty() || find(key))
        return false;
    auto* label = new QLabel(text, bar_);
    label->setObjectName(QStringLiteral("Panel_") + key);
    label->setTextFormat(Qt::PlainText);
    label->setToolTip(toolTip);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->installEventFilter(this);
    panels_.push_back({key, label, size});
    // Permanent widgets: a message that Qt shows in the bar (a menu entry's status tip) does
    // not hide them.
    bar_->addPermanentWidget(label, size == PanelSize::Spring ? 1 : 0);
    setWidth(key, widthPixels);
    return true;
}

bool StatusPanels::contains(const QString& key) const
{
    return find(key) != nullptr;
}

QStringList StatusPanels::keys() const
{
    QStringList result;
    for (const Panel& panel : panels_)
        result.append(panel.key);
    return result;
}

QString StatusPanels::text(const QString& key) const
{
    const Panel* panel = find(key);
    return panel ? panel->label->text() : QString();
}

bool StatusPanels::setText(const QString& key, const QString& text)
{
    const Panel* panel = find(key);
    if (!panel)
        return false;
    panel->label->setText(text);
    return true;
}

QString StatusPanels::toolTip(const QString& key) const
{
    const Panel* panel = find(key);
    return panel ? panel->label->toolTip() : QString();
}

bool StatusPanels::setToolTip(const QString& key, const QString& toolTip)
{
    const Panel* panel = find(key);
    if (!panel)
        return false;
    panel->label->setToolTip(toolTip);
    return true;
}

bool StatusPanels::isVisible(const QString& key) const
{
    const Panel* panel = find(key);
    return panel && !panel->label->isHidden();
}

bool StatusPanels::setVisible(const QString& key, bool visible)
{
    const Panel* panel = find(key);
    if (!panel)
        return false;
    panel->label->setVisible(visible);
    return true;
}

int StatusPanels::width(const QString& key) const
{
    const Panel* panel = find(key);
    if (!panel)
        return 0;
    return panel->label->minimumWidth();
}

bool StatusPanels::setWidth(const QString& key, int widthPixels)
{
    const Panel* panel = find(key);
    if (!panel)
        return false;
    const int pixels = std::max(widthPixels, 0);
    if (panel->size == PanelSize::Fixed)
        panel->label->setFixedWidth(pixels);
    else
        panel->label->setMinimumWidth(pixels);
    return true;
}

QLabel* StatusPanels::label(const QString& key) const
{
    const Panel* panel = find(key);
    return panel ? panel->label : nullptr;
}

void StatusPanels::refresh()
{
    if (bar_->isVisible())
        bar_->repaint();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (const Panel& panel : panels_) {
            if (panel.label == watched) {
                const QString key = panel.key; // the handler may change the panels
                emit doubleClicked(key);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
