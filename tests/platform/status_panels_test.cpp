#include "platform/status_panels.h"
#include "support/qt_print.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// The main window's bar with its keys in order.
class StatusPanelsTest : public ::testing::Test {
protected:
    StatusPanelsTest()
    {
        window_.resize(800, 300);
        panels_ = new StatusPanels(window_.statusBar());
        panels_->addPanel(u"Aktuell"_qs, u"Aktueller Tag"_qs, QString(), PanelSize::Spring);
        panels_->addPanel(u"Status"_qs, u" Lade Tag... "_qs, u"Allgemeiner Hinweis"_qs);
        panels_->addPanel(u"Position"_qs, u" 1 Ab  888 / 888 Zeichen "_qs,
                          u"Position innerhalb des aktuellen Textes"_qs);
        panels_->addPanel(u"txtEinf"_qs, u" Einf "_qs, u"Text einfügen oder überschreiben"_qs,
                          PanelSize::Fixed, 40);
        panels_->addPanel(u"Bild"_qs, u" 88 Bilder"_qs, u"Bilder zu diesem Tag vorhanden?"_qs);
        panels_->addPanel(u"Unsaved"_qs, u" * "_qs, u"* für noch nicht gespeichert"_qs);
        window_.show();
    }

    QMainWindow window_;
    StatusPanels* panels_ = nullptr;
};

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST_F(StatusPanelsTest, panelsAreAddressedByKey)
{
    EXPECT_EQ(panels_->keys(), (QStringList{u"Aktuell"_qs, u"Status"_qs, u"Position"_qs,
                                            u"txtEinf"_qs, u"Bild"_qs, u"Unsaved"_qs}));
    EXPECT_FALSE(panels_->addPanel(u"status"_qs)) << "a key exists once, whatever its case";

    EXPECT_TRUE(panels_->setText(u"Status"_qs, u"Bereit"_qs));
    EXPECT_TRUE(panels_->setText(u"TXTEINF"_qs, u"Üb"_qs));
    EXPECT_EQ(panels_->text(u"status"_qs), u"Bereit"_qs);
    EXPECT_EQ(panels_->label(u"txtEinf"_qs)->text(), u"Üb"_qs);
    EXPECT_EQ(panels_->text(u"Aktuell"_qs), u"Aktueller Tag"_qs) << "the others keep theirs";

    EXPECT_TRUE(panels_->setToolTip(u"Aktuell"_qs, u"Eintrag vom 01.04.2024, Ostermontag"_qs));
    EXPECT_EQ(panels_->toolTip(u"Aktuell"_qs), u"Eintrag vom 01.04.2024, Ostermontag"_qs);
    EXPECT_EQ(panels_->toolTip(u"Unsaved"_qs), u"* für noch nicht gespeichert"_qs);

    EXPECT_TRUE(panels_->isVisible(u"Bild"_qs));
    EXPECT_TRUE(panels_->setVisible(u"Bild"_qs, false));
    EXPECT_FALSE(panels_->isVisible(u"Bild"_qs));
    EXPECT_FALSE(panels_->label(u"Bild"_qs)->isVisible());
    window_.statusBar()->hide();
    EXPECT_TRUE(panels_->isVisible(u"Status"_qs)) << "the panel's own visibility";
    window_.statusBar()->show();

    EXPECT_TRUE(panels_->setWidth(u"Position"_qs, 150));
    EXPECT_EQ(panels_->width(u"Position"_qs), 150);
    EXPECT_EQ(panels_->width(u"txtEinf"_qs), 40);
    EXPECT_EQ(panels_->label(u"txtEinf"_qs)->maximumWidth(), 40) << "a fixed panel stays as set";

    // Unknown keys: nothing happens, and the calls say so.
    EXPECT_FALSE(panels_->setText(u"Zeit"_qs, u"12:00"_qs));
    EXPECT_FALSE(panels_->setVisible(u"Zeit"_qs, true));
    EXPECT_EQ(panels_->text(u"Zeit"_qs), QString());
    EXPECT_EQ(panels_->label(u"Zeit"_qs), nullptr);
}

TEST_F(StatusPanelsTest, doubleClickReportsThePanelKey)
{
    QStringList keys;
    QObject::connect(panels_, &StatusPanels::doubleClicked,
                     [&keys](const QString& key) { keys.append(key); });
    QTest::mouseDClick(panels_->label(u"Unsaved"_qs), Qt::LeftButton);
    QTest::mouseDClick(panels_->label(u"txtEinf"_qs), Qt::LeftButton);
    QTest::mouseClick(panels_->label(u"Position"_qs), Qt::LeftButton);
    QTest::mouseDClick(panels_->label(u"Position"_qs), Qt::RightButton);
    EXPECT_EQ(keys, (QStringList{u"Unsaved"_qs, u"txtEinf"_qs}));
}

TEST_F(StatusPanelsTest, refreshPaintsBeforeReturning)
{
    QApplication::processEvents();
    PaintCounter counter;
    QLabel* status = panels_->label(u"Status"_qs);
    status->installEventFilter(&counter);
    panels_->setText(u"Status"_qs, u"Lösche Korvanel"_qs);
    EXPECT_EQ(counter.paints, 0) << "Qt waits for the event loop";
    panels_->refresh();
    EXPECT_GE(counter.paints, 1);
}

// A panel keeps the width of its design text whatever it shows, and a status drawn at once in
// a long job is drawn at the width of its new text, not cut to the old one's.
TEST_F(StatusPanelsTest, panelsAreAtLeastAsWideAsTheirDesignTextAndDrawnAtTheirNewWidth)
{
    QApplication::processEvents();
    const auto breite = [this](const char* key) { return panels_->label(QString::fromUtf8(key))->width(); };
    const auto textBreite = [this](const char* key, const QString& text) {
        return panels_->label(QString::fromUtf8(key))->fontMetrics().horizontalAdvance(text);
    };
    for (const char* key : {"Status", "Position", "Unsaved"}) {
        SCOPED_TRACE(key);
        const QString entwurf = panels_->text(QString::fromUtf8(key));
        panels_->setText(QString::fromUtf8(key), u"x"_qs);
        QApplication::processEvents();
        EXPECT_GE(breite(key), textBreite(key, entwurf));
    }

    const QString lang = u" Lade Tag 05.03.2024 aus dem Tagebuch... "_qs;
    panels_->setText(u"Status"_qs, lang);
    panels_->refresh(); // no event loop in between, as in a long job
    EXPECT_GE(breite("Status"), textBreite("Status", lang));
    panels_->setText(u"Status"_qs, u"Bereit"_qs);
    QApplication::processEvents();
    EXPECT_GE(breite("Status"), textBreite("Status", u" Lade Tag... "_qs));
    EXPECT_EQ(panels_->width(u"Status"_qs), 0) << "no width was set: it follows the texts";
}
