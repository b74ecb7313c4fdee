// Qt's own texts speak German after the program's set-up, whatever the system's locale (the
// tests run with LANG=C).
#include "platform/platform_services.h"
#include "support/qt_print.h"

#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList eintraege(QMenu* menu)
{
    QStringList texte;
    for (QAction* eintrag : menu->actions())
        if (!eintrag->isSeparator())
            texte.append(eintrag->text().section(u'\t', 0, 0));
    return texte;
}

TEST(GermanQtTexts, keyNamesTextFieldMenusAndFileDialogSpeakGerman)
{
    platform::installPlatformServices(); // as main() does before the first window

    EXPECT_EQ(QKeySequence(QKeyCombination(Qt::CTRL, Qt::Key_O)).toString(QKeySequence::NativeText),
              u"Strg+O"_qs);
    EXPECT_EQ(QKeySequence(u"Ctrl+Shift+F8"_qs).toString(QKeySequence::NativeText),
              u"Strg+Umschalt+F8"_qs);

    QLineEdit zeile;
    zeile.setText(u"Text"_qs);
    const std::unique_ptr<QMenu> zeilenMenue(zeile.createStandardContextMenu());
    const QStringList zeilenTexte = eintraege(zeilenMenue.get());
    for (const QString& text : {u"&Rückgängig"_qs, u"Wieder&herstellen"_qs, u"&Ausschneiden"_qs,
                                u"&Kopieren"_qs, u"Einf&ügen"_qs, u"Löschen"_qs,
                                u"Alles auswählen"_qs})
        EXPECT_TRUE(zeilenTexte.contains(text)) << (text + u" in "_qs + zeilenTexte.join(u", "_qs)).toStdString();

    QPlainTextEdit feld;
    const std::unique_ptr<QMenu> feldMenue(feld.createStandardContextMenu());
    EXPECT_TRUE(eintraege(feldMenue.get()).contains(u"&Rückgängig"_qs));

    QFileDialog dateien(nullptr, u"Bild"_qs);
    dateien.setOption(QFileDialog::DontUseNativeDialog);
    const auto* dateiname = dateien.findChild<QLabel*>(u"fileNameLabel"_qs);
    const auto* suchenIn = dateien.findChild<QLabel*>(u"lookInLabel"_qs);
    ASSERT_NE(dateiname, nullptr);
    ASSERT_NE(suchenIn, nullptr);
    EXPECT_EQ(dateiname->text(), u"Datei&name:"_qs);
    EXPECT_EQ(suchenIn->text(), u"Suchen in:"_qs);
    QStringList knoepfe;
    for (const QPushButton* knopf : dateien.findChildren<QPushButton*>())
        knoepfe.append(knopf->text());
    EXPECT_TRUE(knoepfe.contains(u"Abbrechen"_qs)) << knoepfe.join(u", "_qs).toStdString();
    EXPECT_TRUE(knoepfe.contains(u"&Öffnen"_qs)) << knoepfe.join(u", "_qs).toStdString();
}

} // namespace
