#include "fake_main_port.h"

#include "platform/actions.h"
#include "platform/mouse_pointer.h"
#include "platform/screen.h"
#include "runtime/dates.h"
#include "runtime/format.h"

#include <QStatusBar>
#include <QToolBar>

FakeMainPort::FakeMainPort()
{
    window_.setObjectName(QStringLiteral("Main"));
    window_.setWindowTitle(QStringLiteral("Korvanel"));
    text_ = new platform::TextBox(&window_);
    text_->setObjectName(QStringLiteral("Text"));
    window_.setCentralWidget(text_);
    auto* bar = new QToolBar(&window_);
    bezDatum_ = new platform::DateLabel(bar);
    bezDatum_->setObjectName(QStringLiteral("BezDatum"));
    bezDatum_->setText(QStringLiteral("00.00.0000"));
    bar->addWidget(bezDatum_);
    window_.addToolBar(bar);
    panels_ = new platform::StatusPanels(window_.statusBar());
    for (const char* key : {"Aktuell", "Status", "Position", "txtEinf", "StatMark", "Bild",
                            "Unsaved", "Datum", "Zeit"})
        panels_->addPanel(QString::fromLatin1(key));

    QObject::connect(text_, &platform::TextBox::changed, [this] {
        if (!loading_)
            unsaved_ = true;
    });
    QObject::connect(bezDatum_, &platform::DateLabel::changed, [this] { changeDay(); });
    previous_ = platform::setMainPort(this);
}

FakeMainPort::~FakeMainPort()
{
    platform::setMainPort(previous_);
}

void FakeMainPort::changeDay()
{
    if (unsaved_ && !shownDay_.isEmpty())
        days[shownDay_] = text_->text();
    unsaved_ = false;
    const QString caption = bezDatum_->caption();
    if (const std::optional<rt::VbDate> date = rt::CDate(caption)) {
        const QString normal = rt::Format(*date, QStringLiteral("dd.mm.yyyy"));
        if (normal != caption) {
            bezDatum_->setCaption(normal); // the nested change shows the day
            return;
        }
    }
    shownDay_ = caption;
    loading_ = true;
    const auto entry = days.find(caption);
    text_->setText(entry == days.end() ? QString() : entry->second);
    text_->setSelStart(0);
    loading_ = false;
    shownDays.append(caption);
    if (onDayShown)
        onDayShown(caption);
}

QString FakeMainPort::dateCaption() const
{
    return bezDatum_->caption();
}

void FakeMainPort::setDateCaption(const QString& caption)
{
    bezDatum_->setCaption(caption);
}

QString FakeMainPort::text() const
{
    return text_->text();
}

void FakeMainPort::setText(const QString& text)
{
    text_->setText(text);
}

int FakeMainPort::selStart() const
{
    return text_->selStart();
}

void FakeMainPort::setSelStart(int start)
{
    text_->setSelStart(start);
}

int FakeMainPort::selLength() const
{
    return text_->selLength();
}

void FakeMainPort::setSelLength(int length)
{
    text_->setSelLength(length);
}

QString FakeMainPort::selText() const
{
    return text_->selText();
}

void FakeMainPort::setSelText(const QString& text)
{
    text_->setSelText(text);
}

QFont FakeMainPort::textFont() const
{
    return text_->font();
}

bool FakeMainPort::insertText(const QString& text)
{
    insertions.append(text);
    if (text.isEmpty() || text_->locked())
        return false;
    text_->setSelText(text);
    text_->setFocus();
    return true;
}

bool FakeMainPort::runMenuEntry(const QString& name)
{
    menuRuns.append(name);
    platform::ActionRegistry* actions = platform::ActionRegistry::of(&window_);
    return actions && actions->trigger(name);
}

QString FakeMainPort::panelText(const QString& key) const
{
    return panels_->text(key);
}

void FakeMainPort::setPanelText(const QString& key, const QString& text)
{
    panels_->setText(key, text);
}

void FakeMainPort::refreshStatusBar()
{
    panels_->refresh();
}

int FakeMainPort::mousePointer() const
{
    return platform::widgetMousePointer(&window_);
}

void FakeMainPort::setMousePointer(int shape)
{
    if (!platform::isMousePointerShape(shape))
        return;
    platform::setWidgetMousePointer(&window_, shape);
    pointerHistory_.push_back(shape);
}

QString FakeMainPort::caption() const
{
    return window_.windowTitle();
}

void FakeMainPort::setCaption(const QString& caption)
{
    window_.setWindowTitle(caption);
}

QIcon FakeMainPort::icon() const
{
    return window_.windowIcon();
}

platform::TwipsGeometry FakeMainPort::geometryTwips() const
{
    platform::Screen& metrics = platform::screen();
    const double x = metrics.twipsPerPixelX();
    const double y = metrics.twipsPerPixelY();
    return {window_.x() * x, window_.y() * y, window_.width() * x, window_.height() * y};
}

QWidget* FakeMainPort::widget() const
{
    return &window_;
}

QPalette FakeMainPort::textPalette() const
{
    return text_->palette();
}
