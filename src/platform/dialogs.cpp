#include "dialogs.h"

#include "print_surface.h"
#include "service.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <utility>

namespace platform {

namespace {

constexpr int buttonMask = 0x0F;
constexpr int iconMask = 0x70;
constexpr int defaultMask = 0x300;

HelpHandler& helpHandler()
{
    static HelpHandler handler;
    return handler;
}

void showHelp(const HelpTopic& topic)
{
    if (helpHandler())
        helpHandler()(topic);
}

QString titleOrProgramName(const QString& title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

QWidget* ownerWindow()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QPushButton* makeHelpButton()
{
    auto* button = new QPushButton(QStringLiteral("Hilfe"));
    button->setObjectName(QStringLiteral("befHilfe"));
    button->setAutoDefault(false);
    return button;
}

// A message box that answers like VB's MsgBox: Escape and the close box only where the box has
// a Cancel button or is OK-only; the Help button leaves the box open.
class VbMessageBox final : public QMessageBox {
public:
    VbMessageBox(const QString& text, int style, const QString& title, const HelpTopic& help,
                 QWidget* parent)
        : QMessageBox(parent), help_(help), escapeAnswer_(msgBoxEscapeAnswer(style))
    {
        setTextFormat(Qt::PlainText);
        setText(text);
        setWindowTitle(titleOrProgramName(title));
        setIcon(iconOf(msgBoxIcon(style)));
        if (style & vbSystemModal)
            setWindowFlag(Qt::WindowStaysOnTopHint);

        const int defaultAnswer = msgBoxDefaultAnswer(style);
        for (const int answer : msgBoxAnswers(style)) {
            auto* button = new QPushButton(msgBoxButtonText(answer));
            addButton(button, roleOf(answer));
            if (const Qt::Key key = mnemonicOf(answer); key != Qt::Key_unknown)
                button->setShortcut(QKeySequence(Qt::ALT | key));
            answers_[button] = answer;
            if (answer == defaultAnswer)
                setDefaultButton(button);
            if (answer == escapeAnswer_)
                setEscapeButton(button);
        }
        if (msgBoxHelpButton(style)) {
            // A button of the box closes it; the Help button must not, so it is taken off the
            // button box's click handling and opens help only.
            auto* helpButton = makeHelpButton();
            addButton(helpButton, QMessageBox::HelpRole);
            if (auto* buttonBox = findChild<QDialogButtonBox*>())
                QObject::disconnect(helpButton, &QAbstractButton::clicked, buttonBox, nullptr);
            connect(helpButton, &QAbstractButton::clicked, this, [this] { showHelp(help_); });
        }
    }

    int answer() const
    {
        const auto it = answers_.find(clickedButton());
        if (it != answers_.end())
            return it->second;
        return escapeAnswer_ != 0 ? escapeAnswer_ : vbCancel;
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (escapeAnswer_ == 0 && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        if (escapeAnswer_ == 0) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    static QMessageBox::Icon iconOf(int icon)
    {
        switch (icon) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
        }
    }

    static QMessageBox::ButtonRole roleOf(int answer)
    {
        switch (answer) {
        case vbCancel:
        case vbAbort:
            return QMessageBox::RejectRole;
        case vbYes:
            return QMessageBox::YesRole;
        case vbNo:
            return QMessageBox::NoRole;
        default:
            return QMessageBox::AcceptRole;
        }
    }

    // The underlined letters of the Windows boxes: "&Ja", "&Nein", "&Abbrechen" (abort),
    // "&Wiederholen", "&Ignorieren". The texts themselves stay without "&".
    static Qt::Key mnemonicOf(int answer)
    {
        switch (answer) {
        case vbYes:
            return Qt::Key_J;
        case vbNo:
            return Qt::Key_N;
        case vbAbort:
            return Qt::Key_A;
        case vbRetry:
            return Qt::Key_W;
        case vbIgnore:
            return Qt::Key_I;
        default:
            return Qt::Key_unknown;
        }
    }

    HelpTopic help_;
    int escapeAnswer_;
    std::map<const QAbstractButton*, int> answers_;
};

class InputDialog final : public QDialog {
public:
    InputDialog(const QString& prompt, const QString& title, const QString& defaultText,
                const HelpTopic& help, QWidget* parent, bool password = false)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("InputBox"));
        setWindowTitle(titleOrProgramName(title));

        auto* promptLabel = new QLabel(prompt);
        promptLabel->setObjectName(QStringLiteral("bezEingabe"));
        promptLabel->setTextFormat(Qt::PlainText);
        promptLabel->setWordWrap(true);

        edit_ = new QLineEdit(defaultText);
        edit_->setObjectName(QStringLiteral("txtEingabe"));
        if (password)
            edit_->setEchoMode(QLineEdit::Password);
        edit_->selectAll();

        auto* buttons = new QDialogButtonBox;
        auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("befOk"));
        ok->setDefault(true);
        auto* cancel =
            buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("befAbbrechen"));
        if (help.isSet()) {
            auto* helpButton = makeHelpButton();
            buttons->addButton(helpButton, QDialogButtonBox::HelpRole);
        }

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(promptLabel);
        layout->addWidget(edit_);
        layout->addWidget(buttons);

        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(buttons, &QDialogButtonBox::helpRequested, this, [help] { showHelp(help); });
        setMinimumWidth(360);
    }

    QString text() const { return edit_->text(); }

private:
    QLineEdit* edit_ = nullptr;
};

// The printer set-up: the installed printers in a list, the current one chosen.
class PrinterDialog final : public QDialog {
public:
    PrinterDialog(const QString& title, QWidget* parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("Druckereinrichtung"));
        setWindowTitle(titleOrProgramName(title));

        auto* label = new QLabel(QStringLiteral("&Drucker:"));
        list_ = new QComboBox;
        list_->setObjectName(QStringLiteral("lstDrucker"));
        label->setBuddy(list_);
        PrintSurface& surface = printer();
        for (const PrinterInfo& info : surface.Printers())
            list_->addItem(info.DeviceName);
        const QString current = surface.DeviceName();
        if (list_->count() == 0) {
            // Nothing to choose: documents go to a PDF file, and the list says so.
            list_->addItem(current);
            list_->setEnabled(false);
        }
        list_->setCurrentIndex(std::max(0, list_->findText(current)));
        list_->setMinimumContentsLength(24);

        auto* buttons = new QDialogButtonBox;
        auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("befOk"));
        ok->setDefault(true);
        buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
            ->setObjectName(QStringLiteral("befAbbrechen"));

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(list_);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }

    QString chosen() const { return list_->currentText(); }

private:
    QComboBox* list_ = nullptr;
};

// The font chooser: family, whole point size within the limits, bold, italic, and the effects
// underline, strikeout and colour, with a sample line in the chosen font and colour.
class FontDialog final : public QDialog {
public:
    FontDialog(const FontRequest& request, QWidget* parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("Schriftart"));
        setWindowTitle(titleOrProgramName(request.title));

        lstSchriftart = new QFontComboBox;
        lstSchriftart->setObjectName(QStringLiteral("lstSchriftart"));
        lstSchriftart->setCurrentFont(request.start.font);
        startFamily_ = request.start.font.family();
        txtGroesse = new QSpinBox;
        txtGroesse->setObjectName(QStringLiteral("txtGroesse"));
        txtGroesse->setRange(request.minSize, request.maxSize);
        txtGroesse->setSuffix(QStringLiteral(" pt"));
        txtGroesse->setValue(startSize(request.start.font));
        chkFett = new QCheckBox(QStringLiteral("&Fett"));
        chkFett->setObjectName(QStringLiteral("chkFett"));
        chkFett->setChecked(request.start.font.bold());
        chkKursiv = new QCheckBox(QStringLiteral("&Kursiv"));
        chkKursiv->setObjectName(QStringLiteral("chkKursiv"));
        chkKursiv->setChecked(request.start.font.italic());
        chkUnterstrichen = new QCheckBox(QStringLiteral("&Unterstrichen"));
        chkUnterstrichen->setObjectName(QStringLiteral("chkUnterstrichen"));
        chkUnterstrichen->setChecked(request.start.font.underline());
        chkDurchgestrichen = new QCheckBox(QStringLiteral("&Durchgestrichen"));
        chkDurchgestrichen->setObjectName(QStringLiteral("chkDurchgestrichen"));
        chkDurchgestrichen->setChecked(request.start.font.strikeOut());
        lstFarbe = new QComboBox;
        lstFarbe->setObjectName(QStringLiteral("lstFarbe"));
        for (const auto& [name, rgb] : standardColours())
            addColour(QColor::fromRgb(rgb), QString::fromUtf8(name));
        const QColor start = request.start.color.isValid() ? request.start.color
                                                           : QColor(Qt::black);
        selectColour(start);
        befFarbe = new QPushButton(QStringLiteral("&Weitere Farben..."));
        befFarbe->setObjectName(QStringLiteral("befFarbe"));
        befFarbe->setAutoDefault(false);
        bezBeispiel = new QLabel(QStringLiteral("AaBbYyZz ÄäÖöÜüß"));
        bezBeispiel->setObjectName(QStringLiteral("bezBeispiel"));
        bezBeispiel->setAlignment(Qt::AlignCenter);
        bezBeispiel->setMinimumHeight(70);

        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Schrift&art:"), lstSchriftart);
        form->addRow(QStringLiteral("Schrift&grad (%1 bis %2):")
                         .arg(request.minSize)
                         .arg(request.maxSize),
                     txtGroesse);
        auto* styles = new QHBoxLayout;
        styles->addWidget(chkFett);
        styles->addWidget(chkKursiv);
        styles->addStretch();
        form->addRow(QStringLiteral("Schriftschnitt:"), styles);
        auto* effects = new QGroupBox(QStringLiteral("Effekte"));
        auto* effectsLayout = new QFormLayout(effects);
        effectsLayout->addRow(chkUnterstrichen);
        effectsLayout->addRow(chkDurchgestrichen);
        auto* colourRow = new QHBoxLayout;
        colourRow->addWidget(lstFarbe, 1);
        colourRow->addWidget(befFarbe);
        // A row of a layout gets no buddy by itself, and without one the "&" would show.
        auto* farbeLabel = new QLabel(QStringLiteral("Fa&rbe:"));
        farbeLabel->setBuddy(lstFarbe);
        effectsLayout->addRow(farbeLabel, colourRow);
        auto* sample = new QGroupBox(QStringLiteral("Beispiel"));
        auto* sampleLayout = new QVBoxLayout(sample);
        sampleLayout->addWidget(bezBeispiel);

        auto* buttons = new QDialogButtonBox;
        auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("befOk"));
        ok->setDefault(true);
        buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
            ->setObjectName(QStringLiteral("befAbbrechen"));

        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(effects);
        layout->addWidget(sample);
        layout->addWidget(buttons);

        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(lstSchriftart, &QFontComboBox::currentFontChanged, this, [this] {
            familyChosen_ = true;
            showSample();
        });
        connect(txtGroesse, &QSpinBox::valueChanged, this, &FontDialog::showSample);
        for (QCheckBox* box : {chkFett, chkKursiv, chkUnterstrichen, chkDurchgestrichen})
            connect(box, &QCheckBox::toggled, this, &FontDialog::showSample);
        connect(lstFarbe, &QComboBox::currentIndexChanged, this, &FontDialog::showSample);
        connect(befFarbe, &QPushButton::clicked, this, &FontDialog::befFarbe_Click);
        showSample();
    }

    FontChoice chosen() const
    {
        FontChoice choice;
        // A family that is not installed stays as it was unless the user chose another one.
        choice.font = lstSchriftart->currentFont();
        if (!familyChosen_)
            choice.font.setFamily(startFamily_);
        choice.font.setPointSize(txtGroesse->value());
        choice.font.setBold(chkFett->isChecked());
        choice.font.setItalic(chkKursiv->isChecked());
        choice.font.setUnderline(chkUnterstrichen->isChecked());
        choice.font.setStrikeOut(chkDurchgestrichen->isChecked());
        choice.color = lstFarbe->currentData().value<QColor>();
        return choice;
    }

private:
    // The sixteen colours of the classic colour list.
    static const std::vector<std::pair<const char*, QRgb>>& standardColours()
    {
        static const std::vector<std::pair<const char*, QRgb>> colours{
            {"Schwarz", 0x000000},  {"Kastanienbraun", 0x800000}, {"Grün", 0x008000},
            {"Oliv", 0x808000},     {"Marineblau", 0x000080},     {"Violett", 0x800080},
            {"Blaugrün", 0x008080}, {"Grau", 0x808080},           {"Silber", 0xC0C0C0},
            {"Rot", 0xFF0000},      {"Hellgrün", 0x00FF00},       {"Gelb", 0xFFFF00},
            {"Blau", 0x0000FF},     {"Fuchsie", 0xFF00FF},        {"Aquamarin", 0x00FFFF},
            {"Weiß", 0xFFFFFF},
        };
        return colours;
    }

    // Fractional sizes (a font of 8.25 points) count as the nearest whole point.
    static int startSize(const QFont& font)
    {
        if (font.pointSizeF() > 0)
            return qRound(font.pointSizeF());
        return 10;
    }

    void addColour(const QColor& colour, const QString& name)
    {
        QPixmap swatch(16, 16);
        swatch.fill(colour);
        lstFarbe->addItem(QIcon(swatch), name, colour);
    }

    // A colour outside the list is added to it as a colour of its own.
    void selectColour(const QColor& colour)
    {
        const QColor opaque = colour.toRgb();
        for (int i = 0; i < lstFarbe->count(); ++i) {
            if (lstFarbe->itemData(i).value<QColor>().rgb() == opaque.rgb()) {
                lstFarbe->setCurrentIndex(i);
                return;
            }
        }
        addColour(opaque, QStringLiteral("Eigene Farbe (%1)").arg(opaque.name()));
        lstFarbe->setCurrentIndex(lstFarbe->count() - 1);
    }

    void befFarbe_Click()
    {
        const QColor colour = QColorDialog::getColor(lstFarbe->currentData().value<QColor>(),
                                                     this, QStringLiteral("Farbe"));
        if (colour.isValid())
            selectColour(colour);
    }

    void showSample()
    {
        const FontChoice choice = chosen();
        bezBeispiel->setFont(choice.font);
        QPalette palette = bezBeispiel->palette();
        palette.setColor(QPalette::WindowText, choice.color);
        bezBeispiel->setPalette(palette);
    }

    QFontComboBox* lstSchriftart = nullptr;
    QSpinBox* txtGroesse = nullptr;
    QCheckBox* chkFett = nullptr;
    QCheckBox* chkKursiv = nullptr;
    QCheckBox* chkUnterstrichen = nullptr;
    QCheckBox* chkDurchgestrichen = nullptr;
    QComboBox* lstFarbe = nullptr;
    QPushButton* befFarbe = nullptr;
    QLabel* bezBeispiel = nullptr;
    QString startFamily_;
    bool familyChosen_ = false;
};

class QtDialogs final : public Dialogs {
protected:
    int showMessage(const QString& text, int style, const QString& title,
                    const HelpTopic& help) override
    {
        VbMessageBox box(text, style, title, help, ownerWindow());
        box.exec();
        return box.answer();
    }

    std::optional<QString> askText(const QString& prompt, const QString& title,
                                   const QString& defaultText, const HelpTopic& help) override
    {
        InputDialog dialog(prompt, title, defaultText, help, ownerWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.text();
    }

    std::optional<QString> askPassword(const QString& prompt, const QString& title) override
    {
        InputDialog dialog(prompt, title, {}, {}, ownerWindow(), true);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.text();
    }

    std::optional<FileAnswer> askFile(const FileRequest& request) override
    {
        QFileDialog dialog(ownerWindow(), titleOrProgramName(request.title), request.start);
        dialog.setObjectName(QStringLiteral("DateiDialog"));
        if (request.kind == FileChooser::Folder) {
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
        } else {
            const bool saving = request.kind == FileChooser::Save;
            dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
            dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            // The names only: the patterns of an open chooser are spelled for matching without
            // regard to case.
            dialog.setOption(QFileDialog::HideNameFilterDetails);
            const QStringList filters = fileNameFilters(request.filter, !saving);
            dialog.setNameFilters(filters);
            dialog.selectNameFilter(filters.value(request.filterIndex - 1, filters.front()));
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        FileAnswer answer;
        answer.path = dialog.selectedFiles().front();
        // With the details hidden the dialog names the filter in use by its name part only.
        const QString inUse = dialog.selectedNameFilter();
        const QStringList filters =
            fileNameFilters(request.filter, request.kind != FileChooser::Save);
        answer.filterIndex = request.filterIndex;
        for (qsizetype i = 0; i < filters.size(); ++i) {
            if (filters.at(i) == inUse || filters.at(i).startsWith(inUse + QStringLiteral(" ("))) {
                answer.filterIndex = static_cast<int>(i) + 1;
                break;
            }
        }
        return answer;
    }

    std::optional<QColor> askColor(const QString& title, const QColor& start) override
    {
        const QColor color = QColorDialog::getColor(start, ownerWindow(), titleOrProgramName(title));
        if (!color.isValid())
            return std::nullopt;
        return color;
    }

    std::optional<QString> askPrinter(const QString& title) override
    {
        PrinterDialog dialog(title, ownerWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.chosen();
    }

    std::optional<FontChoice> askFont(const FontRequest& request) override
    {
        FontDialog dialog(request, ownerWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.chosen();
    }
};

// "*.JPG" as "*.[jJ][pP][gG]" (with ignoreCase), and a final ".*" that also matches no
// extension at all.
QString patternFor(QString pattern, bool ignoreCase)
{
    pattern = pattern.trimmed();
    if (pattern.endsWith(QStringLiteral(".*"))) {
        pattern.chop(2);
        pattern += u'*';
    }
    QString spelled;
    bool inBrackets = false;
    for (const QChar ch : pattern) {
        if (ch == u'[')
            inBrackets = true;
        else if (ch == u']')
            inBrackets = false;
        const QChar lower = ch.toLower();
        const QChar upper = ch.toUpper();
        if (!ignoreCase || inBrackets || lower == upper || !ch.isLetter()) {
            spelled += ch;
            continue;
        }
        spelled += u'[';
        spelled += lower;
        spelled += upper;
        spelled += u']';
    }
    while (spelled.contains(QStringLiteral("**")))
        spelled.replace(QStringLiteral("**"), QStringLiteral("*"));
    return spelled;
}

ServiceSlot<Dialogs>& slot()
{
    static ServiceSlot<Dialogs> instance([]() -> std::unique_ptr<Dialogs> {
        return std::make_unique<QtDialogs>();
    });
    return instance;
}

} // namespace

QStringList fileNameFilters(const QString& filter, bool ignoreCase)
{
    QStringList filters;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty())
                patterns.append(patternFor(pattern, ignoreCase));
        }
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        filters.append(parts.at(i).trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("Alle Dateien (*)"));
    return filters;
}

int msgBoxButtons(int style)
{
    const int buttons = style & buttonMask;
    return buttons <= vbRetryCancel ? buttons : vbOKOnly;
}

int msgBoxIcon(int style)
{
    const int icon = style & iconMask;
    switch (icon) {
    case vbCritical:
    case vbQuestion:
    case vbExclamation:
    case vbInformation:
        return icon;
    default:
        return 0;
    }
}

int msgBoxDefaultButton(int style)
{
    return ((style & defaultMask) >> 8) + 1;
}

bool msgBoxHelpButton(int style)
{
    return (style & vbMsgBoxHelpButton) != 0;
}

std::vector<int> msgBoxAnswers(int style)
{
    switch (msgBoxButtons(style)) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int msgBoxDefaultAnswer(int style)
{
    const std::vector<int> answers = msgBoxAnswers(style);
    const auto index = static_cast<std::size_t>(msgBoxDefaultButton(style) - 1);
    return index < answers.size() ? answers[index] : answers.front();
}

int msgBoxEscapeAnswer(int style)
{
    const std::vector<int> answers = msgBoxAnswers(style);
    for (const int answer : answers) {
        if (answer == vbCancel)
            return vbCancel;
    }
    return answers.size() == 1 ? vbOK : 0;
}

QString msgBoxButtonText(int answer)
{
    switch (answer) {
    case vbOK:
        return QStringLiteral("OK");
    case vbCancel:
    case vbAbort:
        return QStringLiteral("Abbrechen");
    case vbRetry:
        return QStringLiteral("Wiederholen");
    case vbIgnore:
        return QStringLiteral("Ignorieren");
    case vbYes:
        return QStringLiteral("Ja");
    case vbNo:
        return QStringLiteral("Nein");
    default:
        return {};
    }
}

Dialogs& dialogs()
{
    return slot().get();
}

Dialogs* setDialogs(Dialogs* replacement)
{
    return slot().set(replacement);
}

void setDialogHelpHandler(HelpHandler handler)
{
    helpHandler() = std::move(handler);
}

} // namespace platform
