#include "views/day_info_window.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/number_format.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "integration/shell_services.h"
#include "platform/actions.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/text_box.h"
#include "platform/text_file.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_texts.h"
#include "store/store_state.h"
#include "textlib/calendar.h"
#include "textlib/date_names.h"
#include "textlib/day_info.h"
#include "textlib/sun_times.h"

#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace views {

using namespace Qt::StringLiterals;

namespace {

const QString schluesselTyp = u"LastInfTyp"_s;
// A list of remembered dates larger than this is not read: it is no list a person keeps.
constexpr qint64 differenzGrenze = 1024 * 1024;

QString alsText(rt::VbDate tag)
{
    return rt::Format(tag, u"dd.mm.yyyy"_s);
}

// The shown day of the main window; nothing when its caption is no date.
std::optional<rt::VbDate> gezeigterTag()
{
    const platform::MainPort* main = platform::mainPort();
    const QString caption = main ? main->dateCaption() : store::aktDatum;
    const std::optional<rt::VbDate> tag = rt::CDate(caption);
    if (!tag)
        return std::nullopt;
    return rt::DateOnly(*tag);
}

QString gezeigteCaption()
{
    const platform::MainPort* main = platform::mainPort();
    return main ? main->dateCaption() : store::aktDatum;
}

float iniZahl(const QString& abschnitt, const QString& schluessel, const QString& vorgabe)
{
    return static_cast<float>(rt::Val(foundation::IniLesen({}, abschnitt, schluessel, vorgabe)));
}

} // namespace

QString DifferenzenEinsetzen(const QString& text, rt::VbDate tag)
{
    QString ergebnis = text;
    qsizetype suche = 0;
    for (;;) {
        const qsizetype auf = ergebnis.indexOf(u'{', suche);
        if (auf < 0)
            break;
        const qsizetype zu = ergebnis.indexOf(u'}', auf + 1);
        if (zu < 0)
            break;
        const std::optional<rt::VbDate> datum = rt::CDate(ergebnis.mid(auf + 1, zu - auf - 1));
        if (!datum) {
            suche = auf + 1; // a later "{" may still pair with this "}"
            continue;
        }
        const qint64 tage = rt::DateDiff(u"d"_s, tag, rt::DateOnly(*datum));
        const QString abstand = (tage > 0 ? u"-"_s : QString())
                                + textlib::TageAlsText(static_cast<double>(tage), QString());
        ergebnis.replace(auf, zu - auf + 1, abstand);
        suche = auf + abstand.size();
    }
    return ergebnis;
}

QString differenzDatei()
{
    return platform::resolvePath(foundation::ordnerDat + u"/Differenz.txt"_s);
}

Tagesinfos::Tagesinfos(QWidget* parent) : platform::Form(parent)
{
    setObjectName(u"Tagesinfos"_s);
    setWindowTitle(u"Tagesinformationen"_s);

    // Controls
    Text = new platform::TextBox(this);
    Text->setObjectName(u"Text"_s);
    Text->setLocked(true);
    Text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text->setToolTip(u"Markierter Text wird beim Schließen in den Eintrag übernommen"_s);
    Frame1 = new QGroupBox(u"Infos über..."_s, this);
    Frame1->setObjectName(u"Frame1"_s);
    const char* const optionen[] = {"&Kalendertag", "&Zeitdifferenz", "&Eintrag"};
    for (int i = 0; i < 3; ++i) {
        optInfTyp[static_cast<std::size_t>(i)] =
            new QRadioButton(QString::fromUtf8(optionen[i]), Frame1);
        optInfTyp[static_cast<std::size_t>(i)]->setObjectName(
            platform::indexedName(u"optInfTyp"_s, i));
    }
    befDifferenzTxt = new QPushButton(u"Differenz.txt bearbeiten..."_s, this);
    befDifferenzTxt->setObjectName(u"befDifferenzTxt"_s);
    befDifferenzTxt->setAutoDefault(false);
    befAbbrechen = new QPushButton(u"&Zurück"_s, this);
    befAbbrechen->setObjectName(u"befAbbrechen"_s);
    befAbbrechen->setDefault(true);
    setCancelButton(befAbbrechen);
    bildMond = new QLabel(this);
    bildMond->setObjectName(u"bildMond"_s);
    bildMond->setAlignment(Qt::AlignCenter);
    bildMond->setToolTip(u"Der Mond am Mittag des Tages"_s);

    // Layout
    auto* rahmen = new QVBoxLayout(Frame1);
    for (QRadioButton* option : optInfTyp)
        rahmen->addWidget(option);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(Frame1);
    rechts->addWidget(bildMond);
    rechts->addStretch();
    rechts->addWidget(befDifferenzTxt);
    rechts->addWidget(befAbbrechen);
    auto* aussen = new QHBoxLayout(this);
    aussen->addWidget(Text, 1);
    aussen->addLayout(rechts);
    Text->setMinimumSize(Text->fontMetrics().horizontalAdvance(QString(52, u'x')),
                         Text->fontMetrics().lineSpacing() * 24);

    // Events
    for (int i = 0; i < 3; ++i) {
        connect(optInfTyp[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool an) {
                    if (an)
                        optInfTyp_Click(i);
                });
    }
    // "&Zeitdifferenz" and "&Zurück" share their key: pressed, it moves between the two, and an
    // option it reaches is chosen, as a user of the keyboard expects.
    for (QRadioButton* option : optInfTyp)
        option->installEventFilter(this);
    connect(befDifferenzTxt, &QPushButton::clicked, this, &Tagesinfos::befDifferenzTxt_Click);
    connect(befAbbrechen, &QPushButton::clicked, this, &Tagesinfos::befAbbrechen_Click);

    // Load
    if (const platform::MainPort* main = platform::mainPort())
        setWindowIcon(main->icon());
    const long long gespeichert = std::llround(
        rt::Round(rt::Val(foundation::IniLesen({}, {}, schluesselTyp, u"0"_s))));
    const int index = static_cast<int>(((gespeichert % 3) + 3) % 3);
    optInfTyp[static_cast<std::size_t>(index)]->setChecked(true); // builds the view
}

void Tagesinfos::optInfTyp_Click(int index)
{
    befDifferenzTxt->setEnabled(index == 1);
    platform::BusyPointer sanduhr;
    QString text;
    const std::optional<rt::VbDate> tag = gezeigterTag();
    if (index == 2)
        text = eintrag();
    else if (tag)
        text = index == 0 ? kalendertag(*tag) : zeitdifferenz(*tag);
    bildMond->setVisible(index == 0 && tag.has_value());
    if (index == 0 && tag)
        mondZeichnen(*tag);
    Text->setText(foundation::MeldungAufbereiten(text));
    setWindowTitle(u"Tagesinformationen zum "_s + gezeigteCaption());
    foundation::IniSchreiben({}, {}, schluesselTyp, QString::number(index));
}

QString Tagesinfos::kalendertag(rt::VbDate tag)
{
    const QString datum = alsText(tag);
    const int jahr = rt::Year(tag);
    const QString jahrText = rt::Format(static_cast<double>(jahr), u"0000"_s);
    QString text = textlib::DatumFormatieren(u"dddd~d. mmmm yyyy"_s, datum) + u"~~"_s;
    text += QString::number(textlib::Kalenderwoche(tag)) + u". Woche~"_s;
    text += u"Der "_s
            + QString::number(rt::DateDiff(u"d"_s, rt::DateSerial(jahr, 1, 1), tag) + 1)
            + u". Tag im Jahr "_s + jahrText + u"~"_s;
    text += u"Julianische Tagesnummer (12h): "_s
            + rt::Format(textlib::ZeitwertBerechnen(datum + u" 11:00"_s), u"0"_s) + u"~~"_s;
    const QString feiertag = textlib::FeiertagText(tag);
    if (!feiertag.isEmpty())
        text += feiertag + u"~~"_s;
    text += u"Aktuell ist die "_s
            + (textlib::Sommerzeit(tag) ? u"Mitteleuropäische Sommerzeit (MESZ)"_s
                                        : u"Mitteleuropäische Zeit (MEZ)"_s)
            + u"~"_s;
    const int tage = textlib::TageImJahr(jahr);
    text += jahrText + u" ist ein "_s + (tage == 365 ? u"Gemein"_s : u"Schalt"_s) + u"jahr mit "_s
            + QString::number(tage) + u" Tagen~~"_s;
    if (iniZahl(u"Zindor"_s, u"NordBreite"_s, u"0"_s) != 0) {
        text += u"Sonne:~"_s
                + textlib::SonnenZeiten(tag, iniZahl(u"Zindor"_s, u"NordBreite"_s, u"53.55"_s),
                                        iniZahl(u"Zindor"_s, u"OstLänge"_s, u"10.21"_s),
                                        iniZahl(u"Allgemein"_s, u"UT"_s, u"1"_s),
                                        iniZahl(u"Zindor"_s, u"MESZ"_s, u"1"_s))
                + u"~~"_s;
    }
    text += store::MondphaseText(datum + u" 12:00"_s);
    const QString astro = textlib::DciTagesText(u"Astro.dci"_s, gezeigteCaption());
    if (!astro.isEmpty())
        text += astro + u"~"_s;
    return text + u"~"_s;
}

QString Tagesinfos::zeitdifferenz(rt::VbDate tag)
{
    const qint64 k =
        rt::DateDiff(u"d"_s, tag, rt::DateOnly(platform::clock().now()));
    QString abstand;
    if (k == 1)
        abstand = u"gestern"_s;
    else if (k == 0)
        abstand = u"heute"_s;
    else if (k == -1)
        abstand = u"morgen"_s;
    else
        abstand = (k < 0 ? u"in "_s : u"vor "_s)
                  + textlib::TageAlsText(static_cast<double>(k), QString());
    if (abstand.size() > 1)
        abstand = rt::UCase(abstand.left(1)) + abstand.mid(1);
    QString text = abstand + u"~~"_s;

    const QFileInfo datei(differenzDatei());
    if (!datei.exists())
        return text;
    if (!datei.isFile())
        return text + u"Differenz.txt wird nicht gelesen: Es ist keine gewöhnliche Datei.~~"_s;
    if (datei.size() > differenzGrenze)
        return text + u"Differenz.txt wird nicht gelesen: Die Datei ist größer als 1 MB.~~"_s;
    const std::optional<QString> inhalt = foundation::TextdateiLesen(datei.filePath());
    if (!inhalt)
        return text + u"Differenz.txt kann nicht gelesen werden.~~"_s;
    return text + DifferenzenEinsetzen(*inhalt + u"\r\n"_s, tag) + u"~~"_s;
}

QString Tagesinfos::eintrag()
{
    const platform::MainPort* main = platform::mainPort();
    const qsizetype zeichen = main ? main->text().size() : 0; // a line break counts two
    QString text = u"Der aktuelle Eintrag umfasst "_s
                   + (zeichen == 0 ? u"keine"_s : QString::number(zeichen)) + u" Zeichen"_s;
    if (store::aktTagesdatei.isEmpty())
        return text;
    const QFileInfo datei(platform::resolvePath(store::TagesdateiPfad(store::aktTagesdatei)));
    if (!datei.isFile())
        return text;
    const rt::VbDate geaendert = rt::fromQDateTime(datei.lastModified());
    const qint64 sekunden = rt::DateDiff(u"s"_s, geaendert, platform::clock().now());
    QString alter = foundation::DauerAlsText(static_cast<double>(sekunden), 0);
    if (!alter.endsWith(u'n'))
        alter += u'n';
    return text + u" und~wurde zuletzt am "_s + rt::Format(geaendert, u"dd.mm.yyyy hh:nn"_s)
           + u" geändert,~das war vor "_s + alter + u".~"_s;
}

void Tagesinfos::mondZeichnen(rt::VbDate tag)
{
    const double anteil = store::MondphaseAnteil(rt::DateAdd(u"h"_s, 12, tag));
    const int groesse = fontMetrics().lineSpacing() * 4;
    const qreal faktor = devicePixelRatioF();
    QPixmap bild(QSize(groesse, groesse) * faktor);
    bild.setDevicePixelRatio(faktor);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    const QRectF scheibe(2, 2, groesse - 4, groesse - 4);
    const qreal r = scheibe.width() / 2;
    maler.setPen(QPen(QColor(90, 90, 90), 1));
    maler.setBrush(QColor(60, 60, 70));
    maler.drawEllipse(scheibe);

    // The lit part: from the top along the limb of the lit side (the right one while the moon
    // waxes, as seen from the northern hemisphere) to the bottom, and back along the terminator,
    // a half ellipse that moves from that limb over the middle to the other limb and back.
    const qreal seite = anteil < 0.5 ? 1.0 : -1.0;
    const qreal terminator = std::cos(2 * std::numbers::pi * anteil);
    const QPointF mitte = scheibe.center();
    QPolygonF hell;
    constexpr int schritte = 48;
    for (int i = 0; i <= schritte; ++i) {
        const qreal t = std::numbers::pi * (static_cast<qreal>(i) / schritte - 0.5);
        hell << QPointF(mitte.x() + seite * r * std::cos(t), mitte.y() + r * std::sin(t));
    }
    for (int i = schritte; i >= 0; --i) {
        const qreal t = std::numbers::pi * (static_cast<qreal>(i) / schritte - 0.5);
        hell << QPointF(mitte.x() + seite * terminator * r * std::cos(t),
                        mitte.y() + r * std::sin(t));
    }
    maler.setPen(Qt::NoPen);
    maler.setBrush(QColor(250, 240, 190));
    maler.drawPolygon(hell);
    maler.end();
    bildMond->setPixmap(bild);
}

void Tagesinfos::befDifferenzTxt_Click()
{
    const QString datei = differenzDatei();
    if (!QFileInfo::exists(datei)) {
        // The text editor cannot open a file that is not there: it is made first, empty.
        if (foundation::nurLesen) {
            platform::dialogs().msgBox(
                u"Die Datei »"_s + datei
                    + u"« gibt es noch nicht, und im Nur-Lesen-Modus wird sie nicht angelegt."_s,
                platform::vbOKOnly | platform::vbInformation, u"Differenz.txt"_s);
            return;
        }
        if (!platform::writeTextFile(datei, QString())) {
            platform::dialogs().msgBox(u"Die Datei »"_s + datei
                                           + u"« kann nicht angelegt werden."_s,
                                       platform::vbOKOnly | platform::vbExclamation,
                                       u"Differenz.txt"_s);
            return;
        }
    }
    integration::TextDateiOeffnen(datei, 0);
}

void Tagesinfos::befAbbrechen_Click()
{
    hide();
}

bool Tagesinfos::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn
        && static_cast<QFocusEvent*>(event)->reason() == Qt::ShortcutFocusReason) {
        if (auto* option = qobject_cast<QRadioButton*>(watched))
            option->setChecked(true);
    }
    return platform::Form::eventFilter(watched, event);
}

void Tagesinfos::Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode)
{
    if (unloadMode == platform::UnloadMode::ControlMenu) {
        cancel = true;
        befAbbrechen_Click();
    }
}

} // namespace views
