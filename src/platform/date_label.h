#pragma once
// A label whose caption change is an event (VB's Label with its Change event): the main window's
// date label, whose new caption moves the window to that day.
//
//   auto* BezDatum = new platform::DateLabel(this);
//   connect(BezDatum, &platform::DateLabel::changed, this, &Main::BezDatum_Change);
//   BezDatum->setCaption(u"5.3.24"_qs);      // BezDatum_Change runs before setCaption returns
//
// changed() is emitted synchronously and only when the new caption differs from the old one. A
// handler may set the caption again (to normalise it, say): that runs changed() anew, nested,
// and when it returns the outer handler goes on and sees the caption as the nested run left it.
#include <QLabel>
#include <QString>

namespace platform {

class DateLabel : public QLabel {
    Q_OBJECT

public:
    explicit DateLabel(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

signals:
    // After the caption changed; caption() holds the new text.
    void changed();
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace platform
