#include "platform/dialogs.h"
#include "support/fake_dialogs.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace platform;

namespace {

// Runs action on the modal dialog as soon as exec() has opened it.
void whenOpen(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, qApp, [action] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            ADD_FAILURE() << "no dialog is open";
            return;
        }
        action(dialog);
    });
}

QStringList sortedButtonTexts(const QWidget* dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        texts.append(button->text());
    texts.sort();
    return texts;
}

QPushButton* buttonWithText(const QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\"";
    return nullptr;
}

void pressEscape(QWidget* dialog)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &press);
}

class RealDialogs : public ::testing::Test {
protected:
    void SetUp() override { setDialogs(nullptr); }
    void TearDown() override { setDialogHelpHandler({}); }
};

TEST_F(RealDialogs, msgBoxShowsGermanButtonsAndAnswersVbCodes)
{
    struct Row {
        const char* name;
        int style;
        QStringList buttons;
        QString defaultButton;
        QMessageBox::Icon icon;
        QString click;
        int answer;
    };
    const Row rows[] = {
        {"ok only", vbOKOnly, {"OK"}, "OK", QMessageBox::NoIcon, "OK", vbOK},
        {"ok cancel", vbOKCancel + vbExclamation, {"OK", "Abbrechen"}, "OK",
         QMessageBox::Warning, "Abbrechen", vbCancel},
        {"abort", vbAbortRetryIgnore + vbCritical + vbDefaultButton3,
         {"Abbrechen", "Wiederholen", "Ignorieren"}, "Ignorieren", QMessageBox::Critical,
         "Abbrechen", vbAbort},
        {"retry", vbAbortRetryIgnore, {"Abbrechen", "Wiederholen", "Ignorieren"}, "Abbrechen",
         QMessageBox::NoIcon, "Wiederholen", vbRetry},
        {"ignore", vbAbortRetryIgnore + vbDefaultButton2,
         {"Abbrechen", "Wiederholen", "Ignorieren"}, "Wiederholen", QMessageBox::NoIcon,
         "Ignorieren", vbIgnore},
        {"yes", vbYesNoCancel + vbQuestion + vbDefaultButton2, {"Ja", "Nein", "Abbrechen"},
         "Nein", QMessageBox::Question, "Ja", vbYes},
        {"no", vbYesNo + vbInformation, {"Ja", "Nein"}, "Ja", QMessageBox::Information, "Nein",
         vbNo},
        {"missing default button", vbRetryCancel + vbDefaultButton3,
         {"Wiederholen", "Abbrechen"}, "Wiederholen", QMessageBox::NoIcon, "Abbrechen",
         vbCancel},
        {"help", vbOKOnly + vbMsgBoxHelpButton + vbSystemModal, {"OK", "Hilfe"}, "OK",
         QMessageBox::NoIcon, "OK", vbOK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QStringList shown;
        QString shownDefault;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        whenOpen([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                ADD_FAILURE() << "no message box";
                dialog->close();
                return;
            }
            shown = sortedButtonTexts(box);
            shownDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            shownIcon = box->icon();
            if (QPushButton* button = buttonWithText(box, row.click))
                button->click();
        });
        EXPECT_EQ(dialogs().msgBox(QStringLiteral("Text"), row.style, QStringLiteral("Titel")),
                  row.answer);
        QStringList expected = row.buttons;
        expected.sort();
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(shownDefault, row.defaultButton);
        EXPECT_EQ(shownIcon, row.icon);
    }
}

TEST_F(RealDialogs, msgBoxShowsUserTextAsPlainTextUnderItsTitle)
{
    const QString text = QStringLiteral("<b>Straße</b> & <a href=\"x\">Tagebuch</a>\nZeile 2");
    QString shownText;
    QString shownTitle;
    Qt::TextFormat format = Qt::AutoText;
    whenOpen([&](QWidget* dialog) {
        shownTitle = dialog->windowTitle();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            shownText = label->text();
            format = label->textFormat();
        }
        dialog->close();
    });
    dialogs().msgBox(text, vbOKOnly, QStringLiteral("Korvanel, ungültiges Datum"));
    EXPECT_EQ(shownText, text);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shownTitle, QStringLiteral("Korvanel, ungültiges Datum"));

    whenOpen([&](QWidget* dialog) {
        shownTitle = dialog->windowTitle();
        dialog->close();
    });
    dialogs().msgBox(text);
    EXPECT_EQ(shownTitle, QGuiApplication::applicationDisplayName());
}

TEST_F(RealDialogs, escapeAndCloseBoxAnswerOnlyWhereTheBoxHasCancelOrOnlyOk)
{
    struct Row {
        const char* name;
        int style;
        int escapeAnswer; // 0: the box stays open
    };
    const Row rows[] = {
        {"ok only", vbOKOnly, vbOK},
        {"ok cancel", vbOKCancel, vbCancel},
        {"yes no cancel", vbYesNoCancel + vbDefaultButton1, vbCancel},
        {"retry cancel", vbRetryCancel, vbCancel},
        {"yes no", vbYesNo, 0},
        {"abort retry ignore", vbAbortRetryIgnore, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bool openAfterEscape = false;
        bool openAfterClose = false;
        whenOpen([&](QWidget* dialog) {
            pressEscape(dialog);
            openAfterEscape = dialog->isVisible();
            if (!openAfterEscape)
                return;
            dialog->close();
            openAfterClose = dialog->isVisible();
            if (openAfterClose)
                static_cast<QMessageBox*>(dialog)->buttons().constFirst()->click();
        });
        const int answer = dialogs().msgBox(QStringLiteral("Frage"), row.style);
        if (row.escapeAnswer != 0) {
            EXPECT_FALSE(openAfterEscape);
            EXPECT_EQ(answer, row.escapeAnswer);
        } else {
            EXPECT_TRUE(openAfterEscape);
            EXPECT_TRUE(openAfterClose);
            EXPECT_NE(answer, vbCancel);
        }
    }
}

TEST_F(RealDialogs, helpButtonOpensTheTopicAndLeavesTheBoxOpen)
{
    std::vector<HelpTopic> requested;
    setDialogHelpHandler([&requested](const HelpTopic& topic) { requested.push_back(topic); });
    const HelpTopic topic{QStringLiteral("/opt/korvanel/hilfe/index.html"), 3004};
    bool openAfterHelp = false;
    whenOpen([&](QWidget* dialog) {
        if (QPushButton* help = buttonWithText(dialog, QStringLiteral("Hilfe")))
            help->click();
        openAfterHelp = dialog->isVisible();
        if (QPushButton* cancel = buttonWithText(dialog, QStringLiteral("Abbrechen")))
            cancel->click();
    });
    const int answer = dialogs().msgBox(QStringLiteral("Reserviert"),
                                        vbOKCancel + vbCritical + vbDefaultButton2 +
                                            vbMsgBoxHelpButton,
                                        QStringLiteral("Datei-Reservierung"), topic);
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(answer, vbCancel);
    EXPECT_EQ(requested, std::vector<HelpTopic>{topic});
}

TEST_F(RealDialogs, inputBoxGivesTheTypedTextOrNothingOnCancel)
{
    struct Row {
        const char* name;
        std::function<void(QWidget*)> act;
        std::optional<QString> answer;
    };
    const auto type = [](QWidget* dialog, const QString& text) {
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtEingabe")))
            edit->setText(text);
    };
    const Row rows[] = {
        {"proposal taken", [](QWidget* d) { buttonWithText(d, QStringLiteral("OK"))->click(); },
         QStringLiteral("720x540")},
        {"typed",
         [&](QWidget* d) {
             type(d, QStringLiteral("Grüße, Anna"));
             buttonWithText(d, QStringLiteral("OK"))->click();
         },
         QStringLiteral("Grüße, Anna")},
        {"emptied", [&](QWidget* d) {
             type(d, QString());
             buttonWithText(d, QStringLiteral("OK"))->click();
         },
         QString()},
        {"cancelled",
         [&](QWidget* d) {
             type(d, QStringLiteral("verworfen"));
             buttonWithText(d, QStringLiteral("Abbrechen"))->click();
         },
         std::nullopt},
        {"escape", [](QWidget* d) { pressEscape(d); }, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QStringList buttons;
        QString proposal;
        QString title;
        whenOpen([&](QWidget* dialog) {
            buttons = sortedButtonTexts(dialog);
            title = dialog->windowTitle();
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtEingabe")))
                proposal = edit->text();
            row.act(dialog);
        });
        const std::optional<QString> answer =
            dialogs().inputBox(QStringLiteral("Legen Sie ein neues Format fest."),
                               QStringLiteral("Größe des Hauptfensters"),
                               QStringLiteral("720x540"));
        EXPECT_EQ(answer, row.answer);
        EXPECT_EQ(buttons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
        EXPECT_EQ(proposal, QStringLiteral("720x540"));
        EXPECT_EQ(title, QStringLiteral("Größe des Hauptfensters"));
    }
}

TEST_F(RealDialogs, inputPasswordHidesWhatIsTyped)
{
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    QString proposal = QStringLiteral("nicht gelesen");
    whenOpen([&](QWidget* dialog) {
        if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("txtEingabe"))) {
            echo = edit->echoMode();
            proposal = edit->text();
            edit->setText(QStringLiteral("Geheim"));
        }
        buttonWithText(dialog, QStringLiteral("OK"))->click();
    });
    EXPECT_EQ(dialogs().inputPassword(QStringLiteral("Kennwort?"), QStringLiteral("Kennwortschutz")),
              QStringLiteral("Geheim"));
    EXPECT_EQ(echo, QLineEdit::Password);
    EXPECT_EQ(proposal, QString());
}

TEST_F(RealDialogs, inputBoxWithHelpTopicHasAHelpButtonThatKeepsItOpen)
{
    int helpCalls = 0;
    setDialogHelpHandler([&helpCalls](const HelpTopic& topic) {
        EXPECT_EQ(topic.context, 161);
        ++helpCalls;
    });
    bool openAfterHelp = false;
    whenOpen([&](QWidget* dialog) {
        if (QPushButton* help = buttonWithText(dialog, QStringLiteral("Hilfe")))
            help->click();
        openAfterHelp = dialog->isVisible();
        buttonWithText(dialog, QStringLiteral("OK"))->click();
    });
    const auto answer =
        dialogs().inputBox(QStringLiteral("Datum?"), QStringLiteral("Gehe zum Tag..."),
                           QStringLiteral("+1"), HelpTopic{QStringLiteral("hilfe"), 161});
    EXPECT_TRUE(openAfterHelp);
    EXPECT_EQ(helpCalls, 1);
    EXPECT_EQ(answer, QStringLiteral("+1"));
}

TEST(FileNameFilters, programFiltersBecomeQtFiltersThatIgnoreCase)
{
    struct Row {
        const char* name;
        const char* filter;
        QStringList filters;
    };
    const Row rows[] = {
        {"pairs", "Bilder|*.bmp;*.PNG|Texte|*.txt",
         {"Bilder (*.[bB][mM][pP] *.[pP][nN][gG])", "Texte (*.[tT][xX][tT])"}},
        // "*.*" was every file, also one without an extension.
        {"every file", "Alle Dateien|*.*", {"Alle Dateien (*)"}},
        {"a name in brackets, a date pattern", "Dateien (05.03.2024)|2024-03-05*.*",
         {"Dateien (05.03.2024) (2024-03-05*)"}},
        {"umlauts and a set", "Tagebücher|Ä?[0-9].txt", {"Tagebücher ([äÄ]?[0-9].[tT][xX][tT])"}},
        {"blanks and empty patterns", " Texte | *.txt ;; ", {"Texte (*.[tT][xX][tT])"}},
        {"a name without patterns is dropped", "Texte|*.txt|Rest", {"Texte (*.[tT][xX][tT])"}},
        {"pattern list empty", "Alles|", {"Alles (*)"}},
        {"no filter", "", {"Alle Dateien (*)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fileNameFilters(QString::fromUtf8(row.filter)), row.filters);
    }
}

TEST_F(RealDialogs, saveChooserKeepsTheProposedNameAndItsExtension)
{
    // Qt puts the extension of the chosen filter's first pattern on the proposed name: the
    // patterns of a save chooser must be names, not case-blind sets like "*.[kK][vV]".
    TempFolder temp;
    const QString filter = QStringLiteral("Korvanel-Format|*.kv|Alle Dateien|*.*");
    struct Row {
        const char* name;
        int filterIndex;
        QString proposed;
        QString chosen;
    };
    const Row rows[] = {
        {"its own filter", 1, QStringLiteral("Ausgabe.kv"), QStringLiteral("Ausgabe.kv")},
        {"every file", 2, QStringLiteral("Ausgabe.kv"), QStringLiteral("Ausgabe.kv")},
        {"another extension takes the filter's", 1, QStringLiteral("Ausgabe.txt"),
         QStringLiteral("Ausgabe.kv")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QStringList shownFilters;
        whenOpen([&](QWidget* dialog) {
            if (auto* chooser = qobject_cast<QFileDialog*>(dialog))
                shownFilters = chooser->nameFilters();
            static_cast<QDialog*>(dialog)->accept();
        });
        int index = row.filterIndex;
        EXPECT_EQ(dialogs().saveFile(QStringLiteral("Speichern"), filter,
                                     temp.file(row.proposed), &index),
                  temp.file(row.chosen));
        EXPECT_EQ(shownFilters, fileNameFilters(filter, false));
    }
    EXPECT_EQ(fileNameFilters(filter, false),
              (QStringList{QStringLiteral("Korvanel-Format (*.kv)"), QStringLiteral("Alle Dateien (*)")}));
}

TEST_F(RealDialogs, fileChoosersGiveThePathAndTheFilterInUseOrNothingOnCancel)
{
    TempFolder temp;
    temp.write(QStringLiteral("Bild.PNG"), "png");
    temp.write(QStringLiteral("Notiz.txt"), "txt");
    const QString filter = QStringLiteral("Texte|*.txt|Bilder|*.png");

    QStringList shownFilters;
    QString shownFilter;
    QString shownFolder;
    whenOpen([&](QWidget* dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(dialog);
        if (!chooser) {
            ADD_FAILURE() << "no file chooser";
            dialog->close();
            return;
        }
        shownFilters = chooser->nameFilters();
        shownFilter = chooser->selectedNameFilter();
        shownFolder = chooser->directory().absolutePath();
        chooser->selectNameFilter(shownFilters.value(0));
        chooser->selectFile(temp.file(QStringLiteral("Notiz.txt")));
        static_cast<QDialog*>(chooser)->accept();
    });
    int index = 2;
    EXPECT_EQ(dialogs().openFile(QStringLiteral("Datei wählen"), filter, temp.path(), &index),
              temp.file(QStringLiteral("Notiz.txt")));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(shownFilters, fileNameFilters(filter));
    EXPECT_EQ(shownFilter, QStringLiteral("Bilder")); // the one asked for came first, by name
    EXPECT_EQ(shownFolder, temp.path());

    // Cancelled: nothing, and the filter index stays.
    for (const FileChooser kind : {FileChooser::Open, FileChooser::Save, FileChooser::Folder}) {
        SCOPED_TRACE(static_cast<int>(kind));
        whenOpen([](QWidget* dialog) { pressEscape(dialog); });
        index = 2;
        std::optional<QString> chosen = QStringLiteral("x");
        if (kind == FileChooser::Open)
            chosen = dialogs().openFile(QStringLiteral("Öffnen"), filter, temp.path(), &index);
        else if (kind == FileChooser::Save)
            chosen = dialogs().saveFile(QStringLiteral("Speichern"), filter, temp.path(), &index);
        else
            chosen = dialogs().chooseFolder(QStringLiteral("Ordner"), temp.path());
        EXPECT_EQ(chosen, std::nullopt);
        EXPECT_EQ(index, 2);
    }

    // A folder.
    temp.makeFolder(QStringLiteral("Fotos"));
    whenOpen([&](QWidget* dialog) {
        if (auto* chooser = qobject_cast<QFileDialog*>(dialog)) {
            chooser->selectFile(temp.file(QStringLiteral("Fotos")));
            static_cast<QDialog*>(chooser)->accept();
        }
    });
    EXPECT_EQ(dialogs().chooseFolder(QStringLiteral("Ordner"), temp.path()),
              temp.file(QStringLiteral("Fotos")));
}

TEST_F(RealDialogs, colourChooserStartsAtTheColourGivenAndGivesNothingOnCancel)
{
    QColor shown;
    whenOpen([&](QWidget* dialog) {
        auto* chooser = qobject_cast<QColorDialog*>(dialog);
        if (!chooser) {
            ADD_FAILURE() << "no colour chooser";
            dialog->close();
            return;
        }
        shown = chooser->currentColor();
        chooser->setCurrentColor(Qt::red);
        static_cast<QDialog*>(chooser)->accept();
    });
    EXPECT_EQ(dialogs().chooseColor(QStringLiteral("Farbe"), QColor(192, 192, 192)),
              QColor(Qt::red));
    EXPECT_EQ(shown, QColor(192, 192, 192));

    whenOpen([](QWidget* dialog) { pressEscape(dialog); });
    EXPECT_EQ(dialogs().chooseColor(QStringLiteral("Farbe"), Qt::blue), std::nullopt);
}

TEST_F(RealDialogs, fontChooserKeepsSizesWithinItsLimitsAndGivesEffectsAndColour)
{
    struct Row {
        const char* name;
        double startSize;
        int typed; // 0: size left as shown
        int shown;
        int given;
    };
    const Row rows[] = {
        {"start within the limits", 12, 0, 12, 12},
        {"fractional start", 8.25, 0, 8, 8},
        {"start above the largest", 36, 0, 25, 25},
        {"start below the smallest", 2, 0, 4, 4},
        {"typed below the smallest", 12, 3, 12, 4},
        {"typed above the largest", 12, 99, 12, 25},
        {"typed within", 12, 17, 12, 17},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FontChoice start;
        start.font = QFont(QStringLiteral("Keine Solche Schrift"));
        start.font.setPointSizeF(row.startSize);
        start.font.setItalic(true);
        start.color = QColor(0x12, 0x34, 0x56);
        int shown = 0;
        QString title;
        QString colourShown;
        whenOpen([&](QWidget* dialog) {
            title = dialog->windowTitle();
            auto* size = dialog->findChild<QSpinBox*>(QStringLiteral("txtGroesse"));
            auto* colour = dialog->findChild<QComboBox*>(QStringLiteral("lstFarbe"));
            if (!size || !colour) {
                ADD_FAILURE() << "controls missing";
                dialog->close();
                return;
            }
            shown = size->value();
            colourShown = colour->currentText();
            if (row.typed != 0)
                size->setValue(row.typed);
            dialog->findChild<QCheckBox*>(QStringLiteral("chkDurchgestrichen"))->setChecked(true);
            dialog->findChild<QCheckBox*>(QStringLiteral("chkFett"))->setChecked(true);
            colour->setCurrentIndex(colour->findText(QStringLiteral("Rot")));
            buttonWithText(dialog, QStringLiteral("OK"))->click();
        });
        const std::optional<FontChoice> chosen =
            dialogs().chooseFont(QStringLiteral("Schrift des Ausdrucks"), start, 4, 25);
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(title, QStringLiteral("Schrift des Ausdrucks"));
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(colourShown, QStringLiteral("Eigene Farbe (#123456)"));
        EXPECT_EQ(chosen->font.pointSize(), row.given);
        // A family that is not installed is not silently swapped for another one.
        EXPECT_EQ(chosen->font.family(), QStringLiteral("Keine Solche Schrift"));
        EXPECT_TRUE(chosen->font.bold());
        EXPECT_TRUE(chosen->font.italic());
        EXPECT_FALSE(chosen->font.underline());
        EXPECT_TRUE(chosen->font.strikeOut());
        EXPECT_EQ(chosen->color, QColor(Qt::red));
    }

    FontChoice start{QFont(QStringLiteral("Liberation Mono"), 10), Qt::blue};
    start.font.setUnderline(true);
    whenOpen([](QWidget* dialog) { pressEscape(dialog); });
    EXPECT_EQ(dialogs().chooseFont(QStringLiteral("Schrift"), start), std::nullopt);

    // Untouched, the chooser gives back what it was opened with.
    whenOpen([](QWidget* dialog) { buttonWithText(dialog, QStringLiteral("OK"))->click(); });
    const std::optional<FontChoice> same = dialogs().chooseFont(QStringLiteral("Schrift"), start);
    ASSERT_TRUE(same.has_value());
    EXPECT_EQ(same->font.family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(same->font.pointSize(), 10);
    EXPECT_TRUE(same->font.underline());
    EXPECT_FALSE(same->font.bold());
    EXPECT_EQ(same->color, QColor(Qt::blue));
}

TEST_F(RealDialogs, printerChooserOffersTheInstalledPrintersWithTheCurrentOneChosen)
{
    RecordingPrintSurface paper;
    ScopedService guard(setPrinter, &paper);
    paper.setPrinters({{QStringLiteral("Büro"), QStringLiteral("usb"), QStringLiteral("cups")},
                       {QStringLiteral("Keller"), QStringLiteral("lan"), QStringLiteral("cups")}},
                      1);
    QStringList offered;
    QString preselected;
    const auto choose = [&](const QString& name) {
        return [&, name](QWidget* dialog) {
            auto* list = dialog->findChild<QComboBox*>(QStringLiteral("lstDrucker"));
            if (!list) {
                ADD_FAILURE() << "no printer list";
                dialog->close();
                return;
            }
            offered.clear();
            for (int i = 0; i < list->count(); ++i)
                offered.append(list->itemText(i));
            preselected = list->currentText();
            if (name.isEmpty()) {
                buttonWithText(dialog, QStringLiteral("Abbrechen"))->click();
                return;
            }
            list->setCurrentText(name);
            buttonWithText(dialog, QStringLiteral("OK"))->click();
        };
    };
    whenOpen(choose(QStringLiteral("Büro")));
    EXPECT_EQ(dialogs().choosePrinter(QStringLiteral("Druckereinrichtung")), QStringLiteral("Büro"));
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Büro"), QStringLiteral("Keller")}));
    EXPECT_EQ(preselected, QStringLiteral("Keller"));

    whenOpen(choose(QString()));
    EXPECT_EQ(dialogs().choosePrinter(QStringLiteral("Druckereinrichtung")), std::nullopt);

    // No printer installed: the PDF file is shown, there is nothing else to choose.
    paper.setPrinters({});
    whenOpen(choose(pdfDeviceName()));
    EXPECT_EQ(dialogs().choosePrinter(QStringLiteral("Druckereinrichtung")), pdfDeviceName());
    EXPECT_EQ(offered, QStringList{pdfDeviceName()});
}

TEST(MsgBoxStyle, oddStyleValuesFallBackToWhatWindowsShowed)
{
    struct Row {
        const char* name;
        int style;
        std::vector<int> answers;
        int icon;
        int defaultAnswer;
        int escapeAnswer;
    };
    const Row rows[] = {
        {"unknown button set", 6 + vbInformation, {vbOK}, vbInformation, vbOK, vbOK},
        {"unknown icon", vbYesNo + 80, {vbYes, vbNo}, 0, vbYes, 0},
        {"fourth default button", vbYesNoCancel + 768, {vbYes, vbNo, vbCancel}, 0, vbYes,
         vbCancel},
        {"help and system modal bits", vbYesNo + vbDefaultButton2 + vbSystemModal +
                                           vbMsgBoxHelpButton,
         {vbYes, vbNo}, 0, vbNo, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(msgBoxAnswers(row.style), row.answers);
        EXPECT_EQ(msgBoxIcon(row.style), row.icon);
        EXPECT_EQ(msgBoxDefaultAnswer(row.style), row.defaultAnswer);
        EXPECT_EQ(msgBoxEscapeAnswer(row.style), row.escapeAnswer);
    }
}

TEST(FakeDialogs, answersFromTheScriptAndRecordsEveryCall)
{
    FakeDialogs fake;
    ScopedService guard(setDialogs, &fake);
    fake.expectMsgBox(vbNo, QStringLiteral("gelöscht"))
        .expectInputBox(QStringLiteral("Anna"), QStringLiteral("Benutzernamen"))
        .expectInputBox(std::nullopt);

    EXPECT_EQ(dialogs().msgBox(QStringLiteral("Wirklich gelöscht?"),
                               vbYesNo + vbQuestion + vbDefaultButton2 + vbMsgBoxHelpButton,
                               QStringLiteral("Löschen"), HelpTopic{QStringLiteral("h"), 155}),
              vbNo);
    EXPECT_EQ(dialogs().inputBox(QStringLiteral("Wählen Sie bitte einen Benutzernamen aus."),
                                 QStringLiteral("Benutzername")),
              QStringLiteral("Anna"));
    EXPECT_EQ(dialogs().inputBox(QStringLiteral("Anzahl Tage zurück"), {}, QStringLiteral("365")),
              std::nullopt);

    EXPECT_EQ(fake.calls().size(), 3u);
    if (fake.calls().size() != 3u)
        return;
    const FakeDialogs::Call& box = fake.calls()[0];
    EXPECT_EQ(box.kind, FakeDialogs::Kind::MsgBox);
    EXPECT_EQ(box.title, QStringLiteral("Löschen"));
    EXPECT_EQ(box.buttons, vbYesNo);
    EXPECT_EQ(box.icon, vbQuestion);
    EXPECT_EQ(box.defaultAnswer, vbNo);
    EXPECT_TRUE(box.helpButton);
    EXPECT_EQ(box.help.context, 155);
    EXPECT_EQ(fake.calls()[1].kind, FakeDialogs::Kind::InputBox);
    EXPECT_EQ(fake.calls()[2].defaultText, QStringLiteral("365"));
    EXPECT_EQ(fake.pendingAnswers(), 0u);
}

TEST(FakeDialogs, choosersAnswerFromTheScriptAndRecordWhatTheyWereAsked)
{
    FakeDialogs fake;
    ScopedService guard(setDialogs, &fake);
    fake.expectOpenFile(QStringLiteral("/tmp/a.png"), 2, QStringLiteral("Bild"))
        .expectSaveFile(std::nullopt)
        .expectFolder(QStringLiteral("/tmp"))
        .expectColor(QColor(Qt::red))
        .expectPrinter(QStringLiteral("Büro"));

    int index = 1;
    EXPECT_EQ(dialogs().openFile(QStringLiteral("Bild wählen"), QStringLiteral("A|*.a|B|*.b"),
                                 QStringLiteral("/home"), &index),
              QStringLiteral("/tmp/a.png"));
    EXPECT_EQ(index, 2);
    index = 2;
    EXPECT_EQ(dialogs().saveFile(QStringLiteral("Export"), QString(), QString(), &index),
              std::nullopt);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(dialogs().chooseFolder(QStringLiteral("Ordner")), QStringLiteral("/tmp"));
    EXPECT_EQ(dialogs().chooseColor(QStringLiteral("Farbe"), Qt::gray), QColor(Qt::red));
    EXPECT_EQ(dialogs().choosePrinter(QStringLiteral("Drucker")), QStringLiteral("Büro"));

    ASSERT_EQ(fake.calls().size(), 5u);
    const FakeDialogs::Call& open = fake.calls()[0];
    EXPECT_EQ(open.kind, FakeDialogs::Kind::OpenFile);
    EXPECT_EQ(open.filter, QStringLiteral("A|*.a|B|*.b"));
    EXPECT_EQ(open.start, QStringLiteral("/home"));
    EXPECT_EQ(open.filterIndex, 1);
    EXPECT_EQ(fake.calls()[1].kind, FakeDialogs::Kind::SaveFile);
    EXPECT_EQ(fake.calls()[2].kind, FakeDialogs::Kind::Folder);
    EXPECT_EQ(fake.calls()[3].startColor, QColor(Qt::gray));
    EXPECT_EQ(fake.calls()[4].kind, FakeDialogs::Kind::Printer);

    // The font chooser records its start and limits and keeps the answer within them.
    FontChoice start{QFont(QStringLiteral("Courier New"), 10), Qt::darkGreen};
    fake.expectFont(FontChoice{QFont(QStringLiteral("Arial"), 40), Qt::red}, QStringLiteral("Schrift"))
        .expectFont(std::nullopt);
    const std::optional<FontChoice> font =
        dialogs().chooseFont(QStringLiteral("Schrift und Farbe"), start, 25, 4);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(font->font.pointSize(), 25);
    EXPECT_EQ(font->color, QColor(Qt::red));
    EXPECT_EQ(dialogs().chooseFont(QStringLiteral("Schrift"), start), std::nullopt);
    ASSERT_EQ(fake.calls().size(), 7u);
    EXPECT_EQ(fake.calls()[5].kind, FakeDialogs::Kind::Font);
    EXPECT_EQ(fake.calls()[5].startFont.font.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(fake.calls()[5].startFont.color, QColor(Qt::darkGreen));
    EXPECT_EQ(fake.calls()[5].minSize, 4);
    EXPECT_EQ(fake.calls()[5].maxSize, 25);

    fake.expectColor(Qt::red);
    EXPECT_NONFATAL_FAILURE(dialogs().choosePrinter(QStringLiteral("Drucker")),
                            "is for a colour chooser");
    fake.dropPendingAnswers();
    EXPECT_NONFATAL_FAILURE(dialogs().chooseFolder(QStringLiteral("Ordner")),
                            "unscripted folder chooser");
}

TEST(FakeDialogs, misuseFailsTheTestInsteadOfHanging)
{
    FakeDialogs fake;
    ScopedService guard(setDialogs, &fake);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = dialogs().msgBox(QStringLiteral("Hallo"), vbYesNo),
                            "unscripted message box");
    EXPECT_EQ(answer, vbCancel);

    std::optional<QString> text = QStringLiteral("x");
    EXPECT_NONFATAL_FAILURE(text = dialogs().inputBox(QStringLiteral("Name?")),
                            "unscripted input box");
    EXPECT_EQ(text, std::nullopt);

    fake.expectMsgBox(vbYes);
    EXPECT_NONFATAL_FAILURE(answer = dialogs().msgBox(QStringLiteral("Weiter?"), vbOKCancel),
                            "which no button");
    EXPECT_EQ(answer, vbCancel);

    fake.expectMsgBox(vbOK, QStringLiteral("Kennwort"));
    EXPECT_NONFATAL_FAILURE(dialogs().msgBox(QStringLiteral("Datum ungültig")), "to hold");

    fake.expectInputBox(QStringLiteral("x"));
    EXPECT_NONFATAL_FAILURE(dialogs().msgBox(QStringLiteral("Hallo")),
                            "scripted answer is for an input box");
    fake.dropPendingAnswers();

    EXPECT_NONFATAL_FAILURE(
        {
            FakeDialogs unused;
            unused.expectMsgBox(vbOK);
        },
        "not used");
}

TEST(FakeDialogs, everyTestStartsWithDialogsThatRefuseToOpen)
{
    // No fake installed here: the test main's strict one answers.
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = dialogs().msgBox(QStringLiteral("Unerwartet")),
                            "unscripted message box");
    EXPECT_EQ(answer, vbCancel);
}

} // namespace
