// A list printed through the printer-settings window: copies, margins on every page of every
// copy, a cancelled window, and the single copy of a PDF output.
#include "print/list_printing.h"

#include "print/printer_set.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class ListPrintingTest : public ::testing::Test {
protected:
    ListPrintingTest()
    {
        for (int i = 1; i <= 80; ++i)
            liste.addItem(QStringLiteral("Zeile %1").arg(i));
    }
    ~ListPrintingTest() override { print::druckJob.clear(); }

    // Prints with the settings window answered by answer once it shows.
    bool drucken(const std::function<void(print::PrinterSet*)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            if (auto* w = platform::findForm<print::PrinterSet>())
                answer(w);
        });
        return print::ListeMitEinstellungenDrucken(&liste, s("Korvanel_Tagesliste"),
                                                   s("Tagesliste"), s("Tagesliste, Seite &[Seite]"),
                                                   s("Courier New"), 10);
    }

    TempSettingsFolders settings;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 14, 30)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> printerGuard{platform::setPrinter, &paper};
    QListWidget liste;
};

TEST_F(ListPrintingTest, copiesEachADocument_marginsOnEveryPageOfEveryCopy)
{
    paper.setPrinters({{s("Laser"), s("ipp://laser.local"), s("Generic PCL 6")}});
    QString titel;
    EXPECT_TRUE(drucken([&titel](print::PrinterSet* w) {
        titel = w->windowTitle();
        w->ComboAnzahl->setCurrentIndex(1); // 2 copies
        w->ComboRandX->setCurrentIndex(25); // 2.5 cm
        w->ComboRandY->setCurrentIndex(15); // 1.5 cm
        w->befOk->click();
    }));
    EXPECT_EQ(titel, s("Drucken - Korvanel, Tagesliste"));
    EXPECT_EQ(print::druckJob, s("Korvanel_Tagesliste"));
    EXPECT_EQ(platform::findForm<print::PrinterSet>(), nullptr) << "unloaded after the print";

    const auto& docs = paper.documents();
    ASSERT_EQ(docs.size(), 2u);
    for (const auto& doc : docs) {
        EXPECT_TRUE(doc.ended);
        ASSERT_GE(doc.pages.size(), 2u);
        for (std::size_t nr = 0; nr < doc.pages.size(); ++nr) {
            SCOPED_TRACE(nr);
            const auto& page = doc.pages[nr];
            // The first page carries the blank that begins the document before its header.
            const auto& kopf = page.texts.at(nr == 0 ? 1 : 0);
            EXPECT_EQ(kopf.text, QStringLiteral("Tagesliste, Seite %1").arg(nr + 1));
            EXPECT_NEAR(kopf.y, 1.5 + 0.5, 1e-9) << "top margin kept on every page";
            EXPECT_NEAR(kopf.x, 2.5, 1e-9);
        }
    }
    EXPECT_EQ(docs[1].pages.back().strings().last(), s("Zeile 80"));
    EXPECT_TRUE(dialogs.calls().empty()) << "a printer output says nothing";
}

TEST_F(ListPrintingTest, cancelledSettings_printNothing)
{
    paper.setPrinters({{s("Laser"), s("ipp://laser.local"), s("Generic PCL 6")}});
    EXPECT_FALSE(drucken([](print::PrinterSet* w) { w->befAbbrechen->click(); }));
    EXPECT_TRUE(paper.documents().empty());
    EXPECT_EQ(platform::findForm<print::PrinterSet>(), nullptr);
}

TEST_F(ListPrintingTest, pdfOutput_oneCopy_andTheFileIsNamed)
{
    dialogs.expectMsgBox(platform::vbOK, s("PDF-Datei gespeichert"));
    EXPECT_TRUE(drucken([](print::PrinterSet* w) {
        w->ComboAnzahl->setCurrentIndex(2);
        w->befOk->click();
    }));
    ASSERT_EQ(paper.documents().size(), 1u);
    EXPECT_FALSE(paper.documents()[0].file.isEmpty());
}

} // namespace
