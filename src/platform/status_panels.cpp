#include "status_panels.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QStatusBar>

#include <algorithm>

namespace platform {

namespace {

// A panel's label: never narrower than the text it was designed for, so that the texts a panel
// shows in turn ("Lade Tag...", "Bereit") fit without the bar jumping, in any font and scale.
class PanelLabel : public QLabel {
public:
    PanelLabel(const QString& designText, QWidget* parent)
        : QLabel(designText, parent), designText_(designText)
    {
    }

    QSize sizeHint() const override { return mitEntwurf(QLabel::sizeHint()); }
    QSize minimumSizeHint() const override { return mitEntwurf(QLabel::minimumSizeHint()); }

private:
    // The width the label would need for its design text: its frame, margins and indent as for
    // the text it shows, around the design text.
    QSize mitEntwurf(QSize groesse) const
    {
        const QFontMetrics masse = fontMetrics();
        const int rand = QLabel::sizeHint().width() - masse.horizontalAdvance(text());
        groesse.setWidth(std::max(groesse.width(), rand + masse.horizontalAdvance(designText_)));
        return groesse;
    }

    QString designText_;
};

} // namespace

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
    auto* label = new PanelLabel(text, bar_);
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
    if (!bar_->isVisible())
        return;
    // Painted at once, the panels must have the widths of their new texts first: the layout
    // would otherwise follow only when the event loop runs again, after the long job.
    if (QLayout* layout = bar_->layout())
        layout->activate();
    // What changed since the bar was last drawn (a new text, a new width) is drawn now; the
    // panels that stayed as they were are not drawn again.
    QCoreApplication::sendPostedEvents(bar_->window(), QEvent::UpdateRequest);
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
