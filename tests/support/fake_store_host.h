#pragma once
// The main window as the diary store sees it, with everything recorded.
//
//   FakeStoreHost host;
//   ScopedService guard(store::setStoreHost, &host);
//   host.text = QStringLiteral("Heute ...");
//   store::EintragSpeichern();
//   EXPECT_EQ(host.panels.value("Unsaved"), "   ");
#include "store/store_host.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>

class FakeStoreHost : public store::StoreHost {
public:
    QString editorText() const override { return text; }
    int stimmung() const override { return mood; }
    void setStimmung(int wert) override { mood = wert; }
    QString panelText(const QString& key) const override { return panels.value(key); }
    void setPanelText(const QString& key, const QString& value) override
    {
        panels[key] = value;
        panelWrites.append(key + QStringLiteral("=") + value);
    }
    void setPanelToolTip(const QString& key, const QString& toolTip) override
    {
        toolTips[key] = toolTip;
    }
    void repaintStatusBar() override
    {
        panelWrites.append(QStringLiteral("<repaint>"));
    }
    void setCaption(const QString& value) override { caption = value; }
    QString zuletztCaption(int index) const override { return zuletzt.at(index); }
    void setZuletztCaption(int index, const QString& value) override { zuletzt.at(index) = value; }
    void setZuletztVisible(int index, bool visible) override { zuletztSichtbar.at(index) = visible; }

    QString text;                         // the editor
    int mood = 0;                         // the mood slider
    QMap<QString, QString> panels;        // status panels by key
    QMap<QString, QString> toolTips;
    QStringList panelWrites;              // "key=text" and "<repaint>" in order
    QString caption;
    std::array<QString, 4> zuletzt;       // captions of mnuZuletzt(0..3)
    std::array<bool, 4> zuletztSichtbar{};
};
