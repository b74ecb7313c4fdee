#include "character_picker.h"

#include "editing_commands.h"

#include "foundation/font_text.h"
#include "platform/main_port.h"
#include "platform/screen.h"
#include "platform/text_box.h"
#include "runtime/codec.h"
#include "runtime/strings.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyledItemDelegate>

#include <cmath>

namespace mainwindow {

namespace {

// The design size of the window's inside, in twips.
constexpr double fensterWeite = 6000;
constexpr double fensterHoehe = 5400;
constexpr double rand = 120;

int pixelX(double twips)
{
    return static_cast<int>(std::lround(twips / platform::screen().twipsPerPixelX()));
}

int pixelY(double twips)
{
    return static_cast<int>(std::lround(twips / platform::screen().twipsPerPixelY()));
}

QFont courierNew()
{
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::Monospace);
    schrift.setPointSize(10);
    return schrift;
}

// Every character of the code page from the blank on whose lower-case form is no digit and no
// Latin letter: the blank, punctuation and everything from code 128 on. Control codes are no
// characters to insert: the delete code 127 and the five codes the code page leaves without a
// character (0x81, 0x8D, 0x8F, 0x90, 0x9D), which showed as empty boxes.
QString alleZeichen()
{
    const QString ausgenommen = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz");
    QString zeichen;
    for (int code = 32; code <= 255; ++code) {
        const QChar c = rt::Chr(code);
        if (c.category() == QChar::Other_Control)
            continue;
        if (!ausgenommen.contains(rt::LCaseChar(c)))
            zeichen += c;
    }
    return zeichen;
}

// The sets' list shows each set by its name alone; the characters stay in the item's text, far
// to the right of the name, where the filling of the list finds them.
class SatzNamen : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& wert, const QLocale&) const override
    {
        const QString text = wert.toString();
        const qsizetype trenner = text.indexOf(QStringLiteral(" ;"));
        return rt::RTrim(trenner >= 0 ? text.left(trenner) : text);
    }
};

QString satz(const char* name, const QString& zeichen)
{
    return QString::fromUtf8(name).leftJustified(12, QLatin1Char(' '), true)
        + QString(29, QLatin1Char(' ')) + QLatin1Char(';') + zeichen;
}

} // namespace

QStringList zeichenSaetze()
{
    return {
        satz("Alle", alleZeichen()),
        satz("Deutsch", QStringLiteral("äÄöÖüÜß")),
        satz("Dänisch", QStringLiteral("æÆåÅøØ")),
        satz("Spanisch", QStringLiteral("Ññéíó¡!")),
        satz("Zeichen", QStringLiteral("©®™¶£$@€")),
        satz("Zahlen", QStringLiteral("+-±×·•÷<«=»>¼½¾¹²³%‰øØ°~¶")),
        satz("Paarweise", QStringLiteral("«»{}[]“”")),
    };
}

void SonderzeichenEinfuegen()
{
    platform::MainPort* main = platform::mainPort();
    if (!main)
        return;
    const QString status = QStringLiteral("Status");
    main->setPanelText(status, QStringLiteral("Sonderzeichen..."));

    // The list shows the characters as the entry will: the editor's whole font, colour included.
    platform::TextBox* editor = editorVon(*main);
    auto* picker = new Sonderzeichen(main->widget());
    if (editor)
        foundation::SchriftAusText(picker->Liste, foundation::SchriftAlsText(editor),
                                   QStringLiteral("Alles"));
    else
        picker->Liste->setFont(main->textFont());
    picker->showModal();
    QString ergebnis;
    if (!picker->isUnloaded())
        ergebnis = picker->Text->text();
    picker->unload();
    main->setPanelText(status, QStringLiteral("Bereit"));

    if (ergebnis.isEmpty())
        return;
    // In place of the selection, the caret behind the insertion, the editor in focus and the
    // entry marked unsaved: as every insertion into the entry.
    main->insertText(ergebnis);
}

Sonderzeichen::Sonderzeichen(QWidget* parent) : Form(parent)
{
    setObjectName(QStringLiteral("Sonderzeichen"));
    createControls();
    connectHandlers();
    Form_Load();
}

void Sonderzeichen::createControls()
{
    setWindowTitle(QStringLiteral("Sonderzeichen einfügen"));
    resize(pixelX(fensterWeite), pixelY(fensterHoehe));

    ComboSatz = new QComboBox(this);
    ComboSatz->setObjectName(QStringLiteral("ComboSatz"));
    ComboSatz->setToolTip(QStringLiteral("Zeichensatz"));
    ComboSatz->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboSatz->setMinimumContentsLength(12);
    // Each set's characters stand far to the right of its name in the item's text: the list
    // shows the names only and opens as wide as the box.
    ComboSatz->setItemDelegate(new SatzNamen(ComboSatz));
    ComboSatz->view()->setTextElideMode(Qt::ElideNone);
    ComboSatz->view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Text = new platform::LineTextBox(this);
    Text->setObjectName(QStringLiteral("Text"));
    Text->setFont(courierNew());
    Text->setToolTip(QStringLiteral("Die gesammelten Zeichen"));

    befKopieren = new QPushButton(QStringLiteral("&Kopieren"), this);
    befKopieren->setObjectName(QStringLiteral("befKopieren"));
    befKopieren->setToolTip(QStringLiteral("Das gewählte Zeichen zu den gesammelten hinzufügen"));
    befKopieren->setAutoDefault(false);
    BefOk = new QPushButton(QStringLiteral("&Einfügen"), this);
    BefOk->setObjectName(QStringLiteral("BefOk"));
    BefOk->setToolTip(QStringLiteral("Die gesammelten Zeichen in den Eintrag einfügen"));
    BefOk->setDefault(true);
    befLöschen = new QPushButton(QStringLiteral("&Löschen"), this);
    befLöschen->setObjectName(QStringLiteral("befLöschen"));
    befLöschen->setToolTip(QStringLiteral("Die gesammelten Zeichen verwerfen"));
    befLöschen->setAutoDefault(false);
    BefAbbruch = new QPushButton(QStringLiteral("&Abbrechen"), this);
    BefAbbruch->setObjectName(QStringLiteral("BefAbbruch"));
    BefAbbruch->setAutoDefault(false);

    Liste = new QListWidget(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setFont(courierNew());
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);

    // Two rows above the list: the set and the collected characters, then the buttons.
    const int links = pixelX(rand);
    const int abstand = pixelX(rand);
    const int zeile = qMax(ComboSatz->sizeHint().height(), Text->sizeHint().height());
    const int innen = pixelX(fensterWeite) - 2 * links;
    const int comboWeite = (innen - abstand) / 2;
    ComboSatz->setGeometry(links, pixelY(rand), comboWeite, zeile);
    ComboSatz->view()->parentWidget()->setMaximumWidth(comboWeite); // the popup around the list
    Text->setGeometry(links + comboWeite + abstand, pixelY(rand), innen - comboWeite - abstand,
                      zeile);
    int knopfWeite = 0;
    int knopfHoehe = 0;
    for (QPushButton* knopf : {befKopieren, BefOk, befLöschen, BefAbbruch}) {
        knopfWeite = qMax(knopfWeite, knopf->sizeHint().width());
        knopfHoehe = qMax(knopfHoehe, knopf->sizeHint().height());
    }
    knopfWeite = qMax(knopfWeite, (innen - 3 * abstand) / 4);
    const int knopfOben = pixelY(rand) + zeile + pixelY(rand);
    int x = links;
    for (QPushButton* knopf : {befKopieren, BefOk, befLöschen, BefAbbruch}) {
        knopf->setGeometry(x, knopfOben, knopfWeite, knopfHoehe);
        x += knopfWeite + abstand;
    }
    setMinimumSize(x - abstand + links, knopfOben + knopfHoehe + pixelY(1200));

    setCancelButton(BefAbbruch);
}

void Sonderzeichen::connectHandlers()
{
    connect(ComboSatz, &QComboBox::currentIndexChanged, this, &Sonderzeichen::ComboSatz_Click);
    connect(befKopieren, &QPushButton::clicked, this, &Sonderzeichen::befKopieren_Click);
    connect(Liste, &QListWidget::itemDoubleClicked, this, &Sonderzeichen::Liste_DblClick);
    connect(befLöschen, &QPushButton::clicked, this, &Sonderzeichen::befLöschen_Click);
    connect(BefOk, &QPushButton::clicked, this, &Sonderzeichen::BefOk_Click);
    connect(BefAbbruch, &QPushButton::clicked, this, &Sonderzeichen::BefAbbruch_Click);
    Liste->installEventFilter(this);
}

void Sonderzeichen::Form_Load()
{
    const platform::MainPort* main = platform::mainPort();
    setWindowIcon(main ? main->icon() : QApplication::windowIcon());
    Text->setText(QString());
    ComboSatz->clear();
    ComboSatz->addItems(zeichenSaetze());
    ComboSatz->setCurrentIndex(0);
    ComboSatz_Click();
    Form_Resize();
}

void Sonderzeichen::ComboSatz_Click()
{
    const QString eintrag = ComboSatz->currentText();
    const int trenner = eintrag.indexOf(QStringLiteral(" ;"));
    const QString zeichen = trenner >= 0 ? eintrag.mid(trenner + 2) : eintrag;
    Liste->clear();
    for (const QChar c : zeichen)
        Liste->addItem(QStringLiteral(" ") + c);
    if (Liste->count() > 0)
        Liste->setCurrentRow(0);
}

void Sonderzeichen::befKopieren_Click()
{
    const QListWidgetItem* zeile = Liste->currentItem();
    if (!zeile)
        return;
    Text->setText(Text->text() + rt::Mid(zeile->text(), 2, 1));
    Text->setCursorPosition(static_cast<int>(Text->text().size()));
}

void Sonderzeichen::Liste_DblClick()
{
    befKopieren_Click();
}

void Sonderzeichen::Liste_KeyPress(int& keyAscii)
{
    if (keyAscii == 32 || keyAscii == 13) {
        keyAscii = 0;
        befKopieren_Click();
    }
}

void Sonderzeichen::befLöschen_Click()
{
    Text->setText(QString());
}

void Sonderzeichen::BefOk_Click()
{
    hide();
}

void Sonderzeichen::BefAbbruch_Click()
{
    Text->setText(QString());
    hide();
}

void Sonderzeichen::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        BefAbbruch_Click();
    }
}

bool Sonderzeichen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Liste && event->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        int keyAscii = 0;
        if (taste->key() == Qt::Key_Space)
            keyAscii = 32;
        else if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter)
            keyAscii = 13;
        if (keyAscii != 0 && (taste->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            Liste_KeyPress(keyAscii);
            if (keyAscii == 0)
                return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void Sonderzeichen::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

// The list fills the window below the buttons, with the left margin on both sides and 120 twips
// free at the bottom.
void Sonderzeichen::Form_Resize()
{
    if (!Liste || !BefAbbruch)
        return;
    const int links = pixelX(rand);
    const int oben = BefAbbruch->y() + BefAbbruch->height();
    const int weite = width() - 2 * links;
    const int hoehe = height() - pixelY(120) - oben;
    if (weite > 0 && hoehe > 0)
        Liste->setGeometry(links, oben, weite, hoehe);
}

} // namespace mainwindow
