#include "spelling_dialog.h"

#include "platform/spell_checker.h"
#include "runtime/lines.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace integration {

namespace {

// How much of a long sentence is shown on each side of the word.
constexpr int satzRand = 160;
// The suggestions offered at most.
constexpr int vorschlaegeHoechstens = 15;

bool zeilenende(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool satzende(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?';
}

} // namespace

Rechtschreibung::Rechtschreibung(const QString& text, platform::SpellDictionary& woerterbuch,
                                 const QString& language, QWidget* parent)
    : platform::Form(parent), woerterbuch_(woerterbuch), text_(text)
{
    setObjectName(QStringLiteral("Rechtschreibung"));
    setWindowTitle(QStringLiteral("Rechtschreibprüfung"));

    // Controls
    bezNichtImWoerterbuch = new QLabel(QStringLiteral("Nicht im Wörterbuch:"), this);
    bezNichtImWoerterbuch->setObjectName(QStringLiteral("bezNichtImWoerterbuch"));
    txtSatz = new QTextEdit(this);
    txtSatz->setObjectName(QStringLiteral("txtSatz"));
    txtSatz->setReadOnly(true);
    txtSatz->setAcceptRichText(false);
    txtSatz->setTabChangesFocus(true);
    bezErsatz = new QLabel(QStringLiteral("Ä&ndern in:"), this);
    bezErsatz->setObjectName(QStringLiteral("bezErsatz"));
    txtErsatz = new QLineEdit(this);
    txtErsatz->setObjectName(QStringLiteral("txtErsatz"));
    bezErsatz->setBuddy(txtErsatz);
    bezVorschläge = new QLabel(QStringLiteral("&Vorschläge:"), this);
    bezVorschläge->setObjectName(QStringLiteral("bezVorschläge"));
    lstVorschläge = new QListWidget(this);
    lstVorschläge->setObjectName(QStringLiteral("lstVorschläge"));
    bezVorschläge->setBuddy(lstVorschläge);
    const auto knopf = [this](const char* name, const char* text) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QString::fromUtf8(name));
        button->setAutoDefault(false);
        return button;
    };
    befIgnorieren = knopf("befIgnorieren", "&Ignorieren");
    befAlleIgnorieren = knopf("befAlleIgnorieren", "Alle i&gnorieren");
    befErsetzen = knopf("befErsetzen", "&Ersetzen");
    befErsetzen->setDefault(true);
    befAlleErsetzen = knopf("befAlleErsetzen", "A&lle ersetzen");
    befAbbrechen = knopf("befAbbrechen", "Abbrechen");
    setCancelButton(befAbbrechen);
    bezWörterbuch = new QLabel(QStringLiteral("Wörterbuch: ") + sprachName(language), this);
    bezWörterbuch->setObjectName(QStringLiteral("bezWörterbuch"));

    // Layout: the text on the left, the buttons for it on the right.
    const int zeile = fontMetrics().lineSpacing();
    txtSatz->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    txtSatz->setFixedHeight(zeile * 5);
    lstVorschläge->setMinimumHeight(zeile * 7);
    auto* raster = new QGridLayout(this);
    raster->addWidget(bezNichtImWoerterbuch, 0, 0);
    raster->addWidget(txtSatz, 1, 0);
    auto* ignorieren = new QVBoxLayout;
    ignorieren->addWidget(befIgnorieren);
    ignorieren->addWidget(befAlleIgnorieren);
    ignorieren->addStretch();
    raster->addLayout(ignorieren, 1, 1);
    raster->addWidget(bezErsatz, 2, 0);
    raster->addWidget(txtErsatz, 3, 0);
    raster->addWidget(befErsetzen, 3, 1);
    raster->addWidget(bezVorschläge, 4, 0);
    raster->addWidget(befAlleErsetzen, 4, 1);
    raster->addWidget(lstVorschläge, 5, 0);
    auto* ende = new QVBoxLayout;
    ende->addStretch();
    ende->addWidget(befAbbrechen);
    raster->addLayout(ende, 5, 1);
    raster->addWidget(bezWörterbuch, 6, 0, 1, 2);
    raster->setColumnStretch(0, 1);
    raster->setRowStretch(5, 1);
    // As low as the suggestions' least height lets it be; the user may make it larger.
    resize(sizeHint().width(), minimumSizeHint().height());

    // Events
    connect(befErsetzen, &QPushButton::clicked, this, &Rechtschreibung::befErsetzen_Click);
    connect(befAlleErsetzen, &QPushButton::clicked, this, &Rechtschreibung::befAlleErsetzen_Click);
    connect(befIgnorieren, &QPushButton::clicked, this, &Rechtschreibung::befIgnorieren_Click);
    connect(befAlleIgnorieren, &QPushButton::clicked, this,
            &Rechtschreibung::befAlleIgnorieren_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &Rechtschreibung::befAbbrechen_Click);
    connect(lstVorschläge, &QListWidget::currentRowChanged, this,
            &Rechtschreibung::lstVorschläge_Click);
    connect(lstVorschläge, &QListWidget::itemActivated, this,
            &Rechtschreibung::lstVorschläge_DblClick);

    // Load
    setWindowIcon(QApplication::windowIcon());
    weiter(0);
}

QString Rechtschreibung::ergebnis() const
{
    return rt::unifyLineEnds(text_);
}

QString Rechtschreibung::wort() const
{
    return stelle_ < 0 ? QString() : text_.mid(stelle_, laenge_);
}

void Rechtschreibung::befErsetzen_Click()
{
    if (stelle_ < 0)
        return;
    const QString neu = txtErsatz->text();
    ersetzen(neu);
    weiter(stelle_ + static_cast<int>(neu.size()));
}

void Rechtschreibung::befAlleErsetzen_Click()
{
    if (stelle_ < 0)
        return;
    const QString alt = wort();
    const QString neu = txtErsatz->text();
    if (neu == alt) {
        befAlleIgnorieren_Click();
        return;
    }
    ersetzenAlle_[alt] = neu;
    ersetzen(neu);
    weiter(stelle_ + static_cast<int>(neu.size()));
}

void Rechtschreibung::befIgnorieren_Click()
{
    if (stelle_ >= 0)
        weiter(stelle_ + laenge_);
}

void Rechtschreibung::befAlleIgnorieren_Click()
{
    if (stelle_ < 0)
        return;
    ignoriert_.insert(wort());
    weiter(stelle_ + laenge_);
}

void Rechtschreibung::befAbbrechen_Click()
{
    stelle_ = -1;
    laenge_ = 0;
    hide();
}

void Rechtschreibung::lstVorschläge_Click()
{
    const QListWidgetItem* zeile = lstVorschläge->currentItem();
    if (zeile != nullptr && (zeile->flags() & Qt::ItemIsEnabled))
        txtErsatz->setText(zeile->text());
}

void Rechtschreibung::lstVorschläge_DblClick()
{
    const QListWidgetItem* zeile = lstVorschläge->currentItem();
    if (zeile == nullptr || !(zeile->flags() & Qt::ItemIsEnabled))
        return;
    txtErsatz->setText(zeile->text());
    befErsetzen_Click();
}

void Rechtschreibung::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    // The close box cancels the check like "Abbrechen"; the caller unloads the window.
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befAbbrechen_Click();
    }
}

void Rechtschreibung::ersetzen(const QString& neu)
{
    text_.replace(stelle_, laenge_, neu);
}

bool Rechtschreibung::bekannt(const QString& wort, const QString& anhang)
{
    return woerterbuch_.spell(wort) || (!anhang.isEmpty() && woerterbuch_.spell(wort + anhang));
}

void Rechtschreibung::weiter(int from)
{
    int ab = from;
    while (const std::optional<Wortstelle> stelle = naechstesWort(text_, ab)) {
        const QString gefunden = text_.mid(stelle->start, stelle->laenge);
        const auto ersatz = ersetzenAlle_.find(gefunden);
        if (ersatz != ersetzenAlle_.end()) {
            text_.replace(stelle->start, stelle->laenge, ersatz->second);
            ab = stelle->start + static_cast<int>(ersatz->second.size());
            continue;
        }
        if (ignoriert_.contains(gefunden) || bekannt(gefunden, stelle->anhang)) {
            ab = stelle->start + stelle->laenge;
            continue;
        }
        stelle_ = stelle->start;
        laenge_ = stelle->laenge;
        zeigen();
        return;
    }
    stelle_ = -1;
    laenge_ = 0;
    fertig_ = true;
    hide();
}

void Rechtschreibung::zeigen()
{
    // The sentence: back to the end of the one before or the line's start, forward to its end
    // or the line's end; a long one only around the word.
    const int laenge = static_cast<int>(text_.size());
    int anfang = stelle_;
    while (anfang > 0 && !zeilenende(text_.at(anfang - 1))
           && !(anfang >= 2 && text_.at(anfang - 1).isSpace() && satzende(text_.at(anfang - 2))))
        --anfang;
    int ende = stelle_ + laenge_;
    while (ende < laenge && !zeilenende(text_.at(ende))) {
        ++ende;
        if (satzende(text_.at(ende - 1)) && (ende == laenge || text_.at(ende).isSpace()))
            break;
    }
    QString vorn;
    if (stelle_ - anfang > satzRand) {
        anfang = stelle_ - satzRand;
        vorn = QStringLiteral("…");
    }
    QString hinten;
    if (ende - (stelle_ + laenge_) > satzRand) {
        ende = stelle_ + laenge_ + satzRand;
        hinten = QStringLiteral("…");
    }
    txtSatz->setPlainText(vorn + text_.mid(anfang, ende - anfang) + hinten);
    // Plain again: the new text would take on the mark of the word before.
    QTextCursor alles(txtSatz->document());
    alles.select(QTextCursor::Document);
    alles.setCharFormat(QTextCharFormat());
    QTextCursor markierung(txtSatz->document());
    markierung.setPosition(static_cast<int>(vorn.size()) + stelle_ - anfang);
    markierung.setPosition(markierung.position() + laenge_, QTextCursor::KeepAnchor);
    QTextCharFormat rot;
    rot.setForeground(QColor(0xC0, 0x00, 0x00));
    rot.setFontWeight(QFont::Bold);
    markierung.mergeCharFormat(rot);
    markierung.clearSelection();
    txtSatz->setTextCursor(markierung);
    txtSatz->ensureCursorVisible();

    const QString unbekannt = wort();
    const QStringList vorschlaege = woerterbuch_.suggest(unbekannt).mid(0, vorschlaegeHoechstens);
    lstVorschläge->blockSignals(true);
    lstVorschläge->clear();
    if (vorschlaege.isEmpty()) {
        auto* keine = new QListWidgetItem(QStringLiteral("(keine Vorschläge)"), lstVorschläge);
        keine->setFlags(Qt::NoItemFlags);
        txtErsatz->setText(unbekannt);
    } else {
        lstVorschläge->addItems(vorschlaege);
        lstVorschläge->setCurrentRow(0);
        txtErsatz->setText(vorschlaege.front());
    }
    lstVorschläge->blockSignals(false);
    txtErsatz->selectAll();
    txtErsatz->setFocus();
}

} // namespace integration
