#include "store/store_host.h"

namespace store {

namespace {

class SilentHost final : public StoreHost {
public:
    QString editorText() const override { return {}; }
    int stimmung() const override { return 0; }
    void setStimmung(int) override {}
    QString panelText(const QString&) const override { return {}; }
    void setPanelText(const QString&, const QString&) override {}
    void setPanelToolTip(const QString&, const QString&) override {}
    void repaintStatusBar() override {}
    void setCaption(const QString&) override {}
    QString zuletztCaption(int) const override { return {}; }
    void setZuletztCaption(int, const QString&) override {}
    void setZuletztVisible(int, bool) override {}
};

SilentHost silentHost;
StoreHost* installedHost = nullptr;

KennwortAbfrage& abfrageSlot()
{
    static KennwortAbfrage abfrage;
    return abfrage;
}

} // namespace

StoreHost& storeHost()
{
    return installedHost ? *installedHost : silentHost;
}

StoreHost* setStoreHost(StoreHost* host)
{
    StoreHost* previous = installedHost;
    installedHost = host;
    return previous;
}

void setKennwortAbfrage(KennwortAbfrage abfrage)
{
    abfrageSlot() = std::move(abfrage);
}

const KennwortAbfrage& kennwortAbfrage()
{
    return abfrageSlot();
}

} // namespace store
