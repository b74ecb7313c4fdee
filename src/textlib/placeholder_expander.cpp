#include "placeholder_expander.h"

#include "date_names.h"
#include "foundation/file_services.h"
#include "foundation/ini_store.h"
#include "foundation/number_format.h"
#include "placeholder_tokens.h"
#include "platform/clock.h"
#include "platform/path_resolver.h"
#include "platform/random.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "text_replace.h"

#include <QProcessEnvironment>
#include <QSet>

#include <algorithm>
#include <optional>
#include <vector>

namespace textlib {

VarioDatum varioDatum;
QString varioText;

namespace {

// Positions in the work text are 16-bit numbers: a token that begins after this character is
// out of reach.
constexpr qsizetype letztePosition = 32767;

constexpr qsizetype maximaleLaenge = maximaleErgebnislaenge;

// varioText lower-cased; lower-casing keeps the length, so positions are the same in both.
QString varioKlein;

const QString variablenSektion = QStringLiteral("Variablen");

void setzeText(const QString& text)
{
    varioText = text;
    varioKlein = rt::LCase(text);
}

bool inReichweite(qsizetype position)
{
    return position >= 0 && position + 1 <= letztePosition;
}

// The 0-based position of the first occurrence of the lower-case introducer in the work text;
// nothing when it is missing or out of reach.
std::optional<qsizetype> erste(QStringView einleitung)
{
    const qsizetype p = varioKlein.indexOf(einleitung);
    if (!inReichweite(p))
        return std::nullopt;
    return p;
}

// The most characters the work text may have: a replacement that would make it longer is not
// made (see the header).
qsizetype obergrenze = maximaleLaenge;

qsizetype grenzeFuer(qsizetype laenge)
{
    return std::max(maximaleLaenge, laenge);
}

// Replaces every occurrence of token in the work text, without regard to case, by value, and
// returns whether it replaced any. After each replacement the search looks again at the place
// of the replacement (a value may complete a token with the text around it); a value that holds
// the token itself is passed over. Never more replacements than the text had characters, so
// that no value can make the search go on for ever, and none that would take the text beyond
// obergrenze: that occurrence and the rest of the text stay as they are.
//
// One pass from left to right: the text already worked through is kept together with the state
// of a KMP matcher at each character, so that a replacement takes the matcher back to where it
// stood in front of the token, and a value that is to be searched again is read as input. Time
// and memory stay linear in the characters read.
bool VariableEinsetzen(const QString& token, const QString& value)
{
    if (token.isEmpty())
        return false;
    const QString t = rt::LCase(token);
    if (!varioKlein.contains(t))
        return false;
    const QString v = rt::LCase(value);
    const bool wertEnthaeltToken = v.contains(t);
    const qsizetype grenze = std::max<qsizetype>(varioText.size(), 1);
    const qsizetype laenge = t.size();

    // KMP failure function of the token.
    std::vector<qsizetype> rueckfall(static_cast<std::size_t>(laenge), 0);
    for (qsizetype i = 1, k = 0; i < laenge; ++i) {
        while (k > 0 && t.at(i) != t.at(k))
            k = rueckfall[static_cast<std::size_t>(k - 1)];
        if (t.at(i) == t.at(k))
            ++k;
        rueckfall[static_cast<std::size_t>(i)] = k;
    }

    const QString alt = varioText;
    const QString altKlein = varioKlein;
    // What is still to be read: the rest of the old text, and in front of it the values that
    // are to be searched again (the last one first).
    struct Eingabe {
        const QString* text;
        const QString* klein;
        qsizetype pos;
    };
    std::vector<Eingabe> eingabe{{&alt, &altKlein, 0}};
    qsizetype offen = alt.size();

    QString aus;
    QString ausKlein;
    std::vector<qsizetype> zustaende;
    aus.reserve(alt.size());
    ausKlein.reserve(alt.size());
    zustaende.reserve(static_cast<std::size_t>(alt.size()));
    qsizetype zustand = 0;
    qsizetype n = 0;
    bool fertig = false;

    while (!eingabe.empty()) {
        Eingabe& quelle = eingabe.back();
        if (quelle.pos >= quelle.text->size()) {
            eingabe.pop_back();
            continue;
        }
        if (fertig) {
            aus.append(QStringView(*quelle.text).sliced(quelle.pos));
            ausKlein.append(QStringView(*quelle.klein).sliced(quelle.pos));
            eingabe.pop_back();
            continue;
        }
        const QChar klein = quelle.klein->at(quelle.pos);
        aus.append(quelle.text->at(quelle.pos));
        ausKlein.append(klein);
        ++quelle.pos;
        --offen;
        while (zustand > 0 && t.at(zustand) != klein)
            zustand = rueckfall[static_cast<std::size_t>(zustand - 1)];
        if (t.at(zustand) == klein)
            ++zustand;
        zustaende.push_back(zustand);
        if (zustand < laenge)
            continue;

        const qsizetype p = aus.size() - laenge;
        if (!inReichweite(p) || n >= grenze
            || aus.size() + offen - laenge + value.size() > obergrenze) {
            fertig = true;
            continue;
        }
        ++n;
        aus.truncate(p);
        ausKlein.truncate(p);
        zustaende.resize(static_cast<std::size_t>(p));
        if (wertEnthaeltToken) {
            // Inserted as it is; the search goes on behind it.
            aus.append(value);
            ausKlein.append(v);
            zustaende.insert(zustaende.end(), static_cast<std::size_t>(v.size()), 0);
            zustand = 0;
        } else {
            zustand = p > 0 ? zustaende.back() : 0;
            eingabe.push_back({&value, &v, 0});
            offen += v.size();
        }
    }
    if (n == 0)
        return false;
    varioText = aus;
    varioKlein = ausKlein;
    return true;
}

// The first token that begins with "{" + name: mode 1 gives the token up to its "}", any other
// mode its argument, both lower-cased and empty when the token has no "}"; nothing when the
// name does not occur.
std::optional<QString> VariablenArgument(const QString& name, int mode)
{
    QString n = rt::LCase(rt::Trim(name));
    if (!n.startsWith(u'{'))
        n.prepend(u'{');
    if (n == u"{")
        return std::nullopt;
    const std::optional<qsizetype> p = erste(n);
    if (!p)
        return std::nullopt;
    const qsizetype zu = varioKlein.indexOf(u'}', *p + n.size());
    if (zu < 0)
        return QString();
    if (mode == 1)
        return varioKlein.mid(*p, zu - *p + 1);
    return varioKlein.mid(*p + n.size(), zu - *p - n.size());
}

// The first token of an argument form that needs a closing brace: its position, the position
// of the "}" and the argument between, as written.
struct Form {
    qsizetype anfang = 0;
    qsizetype zu = 0;
    QString argument;

    QString token() const { return varioText.mid(anfang, zu - anfang + 1); }
};

std::optional<Form> formMitKlammer(QStringView einleitung)
{
    const std::optional<qsizetype> p = erste(einleitung);
    if (!p)
        return std::nullopt;
    const qsizetype start = *p + einleitung.size();
    const qsizetype zu = varioKlein.indexOf(u'}', start);
    if (zu < 0)
        return std::nullopt;
    return Form{*p, zu, varioText.mid(start, zu - start)};
}

// {wt+N}: the reference date moved on by N working days (Monday to Saturday).
void werktagPlus(rt::VbDate bezug)
{
    const std::optional<qsizetype> p = erste(u"{wt+");
    if (!p)
        return;
    const QChar ziffer = *p + 4 < varioText.size() ? varioText.at(*p + 4) : QChar();
    int anzahl = ziffer >= u'0' && ziffer <= u'9' ? ziffer.unicode() - u'0' : 0;
    rt::VbDate d = bezug;
    while (anzahl > 0) {
        d = rt::DateAdd(QStringLiteral("d"), 1, d);
        if (rt::Weekday(d, 2) <= 6)
            --anzahl;
    }
    VariableEinsetzen(varioText.mid(*p, 6), rt::Format(d, QStringLiteral("dd.mm.yyyy")));
}

// {wochentagDATE}: the German weekday name of a date of at most 10 characters.
void wochentagVon()
{
    const QStringView einleitung = u"{wochentag";
    const std::optional<qsizetype> p = erste(einleitung);
    if (!p)
        return;
    const QString hinten = varioText.mid(*p + einleitung.size(), 11);
    const qsizetype zu = hinten.indexOf(u'}');
    const QString argument = zu < 0 ? QString() : hinten.left(zu);
    const std::optional<rt::VbDate> datum = rt::CDate(argument);
    if (!datum)
        return;
    VariableEinsetzen(einleitung.toString() + argument + u'}',
                      NameVonDatum(rt::Weekday(*datum), QStringLiteral("WT")));
}

// {zufall$A,B,C}: one entry of the list, in lower case; every entry equally likely.
void zufallAusListe()
{
    const QStringView einleitung = u"{zufall$";
    const std::optional<qsizetype> p = erste(einleitung);
    if (!p)
        return;
    const qsizetype start = *p + einleitung.size();
    const qsizetype zu = varioKlein.indexOf(u'}', start);
    const QString liste = zu < 0 ? varioKlein.mid(start) : varioKlein.mid(start, zu - start);
    QStringList eintraege;
    for (const QString& eintrag : liste.split(u',')) {
        if (!eintrag.isEmpty() && eintraege.size() < 10)
            eintraege.append(eintrag);
    }
    const double r = platform::random().Rnd();
    QString wert;
    if (!eintraege.isEmpty()) {
        const auto index = static_cast<qsizetype>(rt::Int(eintraege.size() * r));
        wert = eintraege.at(std::min(index, eintraege.size() - 1));
    }
    if (zu < 0)
        return;
    VariableEinsetzen(varioText.mid(*p, zu - *p + 1), wert);
}

// {counterN}: the counter N of [Variablen], one up.
void zaehler()
{
    const std::optional<QString> argument = VariablenArgument(QStringLiteral("Counter"), 2);
    if (!argument || argument->isEmpty())
        return;
    // A counter number that is no whole number of 16 bits leaves the token as written.
    const std::optional<double> nummer = rt::parseGermanNumber(*argument);
    if (!nummer || *nummer != rt::Int(*nummer) || *nummer < -32768 || *nummer > 32767)
        return;
    const QString schluessel = QStringLiteral("VarioCount") + QString::number(qint64(*nummer));
    const double wert = foundation::IniZaehlen(QString(), variablenSektion, schluessel, 1);
    const std::optional<QString> token = VariablenArgument(QStringLiteral("Counter"), 1);
    if (token)
        VariableEinsetzen(*token, rt::Format(wert, QStringLiteral("0")));
}

// {index:NAME,FROM,TO}: the cycling index NAME of [Variablen], one up within FROM to TO.
void zyklischerIndex()
{
    const std::optional<Form> form = formMitKlammer(u"{index:");
    if (!form)
        return;
    const QStringList felder = (form->argument + QStringLiteral(",,,")).split(u',');
    const QString schluessel = QStringLiteral("VarioIndex_") + felder.at(0);
    const double von = rt::Val(felder.at(1));
    const double bis = rt::Val(felder.at(2));
    double naechster =
        rt::Val(foundation::IniLesen(QString(), variablenSektion, schluessel, QString())) + 1;
    if (naechster < von)
        naechster = von;
    if (naechster > bis)
        naechster = von;
    const QString wert = rt::Format(naechster, QStringLiteral("0"));
    foundation::IniSchreiben(QString(), variablenSektion, schluessel, wert);
    VariableEinsetzen(form->token(), rt::Trim(wert));
}

// {iniread,FILE,SECTION,KEY,DEFAULT}
void iniLesen()
{
    const std::optional<Form> form = formMitKlammer(u"{iniread,");
    if (!form)
        return;
    const QStringList felder = (form->argument + QStringLiteral(",,,,,")).split(u',');
    VariableEinsetzen(form->token(),
                      foundation::IniLesen(felder.at(0), felder.at(1), felder.at(2), felder.at(3)));
}

// {variable:NAME}: the user's variable NAME of [Variablen], without its comment behind ";";
// an undefined variable gives its own name.
void benutzerVariable()
{
    const std::optional<Form> form = formMitKlammer(u"{variable:");
    if (!form)
        return;
    const QString& name = form->argument;
    QString wert = foundation::IniLesen(QString(), variablenSektion, name, name);
    const qsizetype kommentar = wert.indexOf(u';');
    if (kommentar >= 0)
        wert.truncate(kommentar);
    VariableEinsetzen(form->token(), rt::Trim(wert));
}

// {a7b:TEXT}: lower-case ASCII letters, digits and single blanks.
void nurBuchstabenUndZiffern()
{
    const std::optional<Form> form = formMitKlammer(u"{a7b:");
    if (!form)
        return;
    QString s = rt::LCase(form->argument);
    s = TextErsetzen(s, QStringLiteral("ä"), QStringLiteral("ae"));
    s = TextErsetzen(s, QStringLiteral("ö"), QStringLiteral("oe"));
    s = TextErsetzen(s, QStringLiteral("ü"), QStringLiteral("ue"));
    s = TextErsetzen(s, QStringLiteral("ß"), QStringLiteral("ss"));
    QString wert;
    wert.reserve(s.size());
    for (const QChar ch : s) {
        const bool erlaubt = (ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9');
        if (erlaubt)
            wert.append(ch);
        else if (!wert.endsWith(u' '))
            wert.append(u' ');
    }
    VariableEinsetzen(form->token(), rt::Trim(wert));
}

// {aig:TEXT}: the text in capitals, trimmed.
void grossbuchstaben()
{
    const std::optional<Form> form = formMitKlammer(u"{aig:");
    if (form)
        VariableEinsetzen(form->token(), rt::Trim(rt::UCase(form->argument)));
}

// The pattern of "{$" and "{&": from behind the introducer up to the first "}" of the whole
// text; nothing when that "}" lies before the introducer or is missing.
std::optional<QString> dateiMuster(QStringView einleitung)
{
    const std::optional<qsizetype> p = erste(einleitung);
    if (!p)
        return std::nullopt;
    const qsizetype start = *p + einleitung.size();
    const qsizetype zu = varioKlein.indexOf(u'}');
    if (zu < start)
        return std::nullopt;
    return varioText.mid(start, zu - start);
}

// The names of the normal files (no folders, no hidden files) that match the pattern, a folder
// and a file mask with "*" and "?"; a pattern without folder looks into the current folder.
QStringList passendeDateien(const QString& muster)
{
    QString ordner = foundation::PfadTeil(muster, -1);
    if (ordner.isEmpty())
        ordner = QStringLiteral(".");
    return platform::listFolder(ordner, foundation::PfadTeil(muster, 3));
}

const QString keinName = QStringLiteral("KeinName.Txt");

// {$PATTERN}: the name of one matching file, every file equally likely.
void zufallsDatei()
{
    const std::optional<QString> muster = dateiMuster(u"{$");
    if (!muster)
        return;
    const QStringList dateien = passendeDateien(*muster);
    platform::random().Randomize();
    const double r = platform::random().Rnd();
    QString wert = keinName;
    if (!dateien.isEmpty()) {
        const auto index = static_cast<qsizetype>(rt::Int(dateien.size() * r));
        wert = dateien.at(std::min(index, dateien.size() - 1));
    }
    VariableEinsetzen(QStringLiteral("{$") + *muster + u'}', wert);
}

// {&PATTERN}: the names of all matching files, separated by blanks.
void alleDateien()
{
    const std::optional<QString> muster = dateiMuster(u"{&");
    if (!muster)
        return;
    QString wert = rt::RTrim(passendeDateien(*muster).join(u' '));
    if (wert.isEmpty())
        wert = keinName;
    VariableEinsetzen(QStringLiteral("{&") + *muster + u'}', wert);
}

// {alter:DATE} (the time between the reference date and DATE in words) and {alterd:DATE} (the
// days from DATE to the reference date). Without a closing brace the rest of the text is the
// date.
void alter(QStringView einleitung, bool inTagen, rt::VbDate bezug)
{
    const std::optional<qsizetype> p = erste(einleitung);
    if (!p)
        return;
    const qsizetype start = *p + einleitung.size();
    qsizetype zu = varioKlein.indexOf(u'}', start);
    if (zu < 0) {
        varioText.append(u'}');
        varioKlein.append(u'}');
        zu = varioText.size() - 1;
    }
    const QString argument = varioText.mid(start, zu - start);
    const std::optional<rt::VbDate> datum = rt::CDate(argument);
    QString wert;
    if (!datum) {
        wert = argument + QStringLiteral("???");
    } else if (inTagen) {
        const double sekunden =
            static_cast<double>(rt::DateDiff(QStringLiteral("s"), *datum, bezug));
        wert = rt::Format(sekunden / 86400.0, QStringLiteral("0.0"));
    } else {
        const double sekunden =
            static_cast<double>(rt::DateDiff(QStringLiteral("s"), bezug, *datum));
        wert = foundation::DauerAlsText(sekunden, 1);
    }
    VariableEinsetzen(einleitung.toString() + argument + u'}', rt::Trim(wert));
}

// The reference date: varioDatum when it is a date (or a date text), else now.
rt::VbDate bezugsdatum()
{
    if (const rt::VbDate* datum = std::get_if<rt::VbDate>(&varioDatum))
        return *datum;
    if (const std::optional<rt::VbDate> datum = rt::CDate(std::get<QString>(varioDatum)))
        return *datum;
    return platform::clock().now();
}

// The lower-case forms of a token list, made once.
std::vector<QString> kleineTokens(std::span<const FesterPlatzhalter> liste)
{
    std::vector<QString> klein;
    klein.reserve(liste.size());
    for (const FesterPlatzhalter& p : liste)
        klein.push_back(rt::LCase(p.token.toString()));
    return klein;
}

// The words in braces of the work text: from a "{" up to the next "}" with no other "{" between.
// A fixed token (a word in braces without braces inside) occurs in the text exactly when it is
// one of them.
QSet<QString> woerterInKlammern()
{
    QSet<QString> woerter;
    qsizetype auf = -1;
    for (qsizetype i = 0; i < varioKlein.size(); ++i) {
        const QChar ch = varioKlein.at(i);
        if (ch == u'{') {
            auf = i;
        } else if (ch == u'}' && auf >= 0) {
            woerter.insert(varioKlein.mid(auf, i - auf + 1));
            auf = -1;
        }
    }
    return woerter;
}

void festeTokensEinsetzen(rt::VbDate datum)
{
    static const std::vector<QString> feste = kleineTokens(festePlatzhalter());
    static const std::vector<QString> beiBedarf = kleineTokens(platzhalterBeiBedarf());
    const PlatzhalterBezug bezug = platzhalterBezug(datum);

    // Looked up afresh after each change of the text.
    QSet<QString> woerter = woerterInKlammern();
    const auto einsetzen = [&](const QString& token, const FesterPlatzhalter& platzhalter) {
        if (VariableEinsetzen(token, platzhalter.wert(bezug)))
            woerter = woerterInKlammern();
    };
    const std::span<const FesterPlatzhalter> liste = festePlatzhalter();
    for (std::size_t i = 0; i < liste.size(); ++i) {
        if (liste[i].immer || woerter.contains(feste[i]))
            einsetzen(feste[i], liste[i]);
    }
    const std::span<const FesterPlatzhalter> bedarf = platzhalterBeiBedarf();
    for (std::size_t i = 0; i < bedarf.size(); ++i) {
        if (woerter.contains(beiBedarf[i]))
            einsetzen(beiBedarf[i], bedarf[i]);
    }
}

// The value of an environment variable; the name is looked up without regard to case, as
// Windows does, the exact spelling first.
QString umgebungsVariable(const QString& name)
{
    const QByteArray exakt = name.toLocal8Bit();
    if (qEnvironmentVariableIsSet(exakt.constData()))
        return qEnvironmentVariable(exakt.constData());
    const QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const QString& schluessel : umgebung.keys()) {
        if (rt::equalsNoCase(schluessel, name))
            return umgebung.value(schluessel);
    }
    return QString();
}

} // namespace

namespace {

// The environment stage on text, which grows to at most grenze characters. The values put in
// are never looked into again: neither a percent sign nor a reference inside them counts, so a
// variable that names itself (or another that names it) is put in once. A kept
// "%ERRORLEVEL%" is no value: it stays in its place as written text.
QString umgebungErsetzen(const QString& text, qsizetype grenze)
{
    QString t = text;
    // 1 for each character that came from a value.
    std::vector<char> eingesetzt(static_cast<std::size_t>(t.size()), 0);
    const auto naechstesProzent = [&](qsizetype ab) {
        for (qsizetype i = ab; i < t.size(); ++i) {
            if (t.at(i) == u'%' && !eingesetzt[static_cast<std::size_t>(i)])
                return i;
        }
        return qsizetype(-1);
    };
    for (int durchgang = 0; durchgang < 8; ++durchgang) {
        const qsizetype p1 = naechstesProzent(0);
        const qsizetype p2 = p1 < 0 ? -1 : naechstesProzent(p1 + 1);
        if (p2 < 0 || !inReichweite(p2))
            break;
        const QString name = rt::UCase(rt::Trim(t.mid(p1 + 1, p2 - p1 - 1)));
        QString wert;
        const bool bleibt = name == u"ERRORLEVEL";
        if (bleibt)
            wert = QStringLiteral("%ERRORLEVEL%");
        else if (!name.isEmpty())
            wert = umgebungsVariable(name);

        // Every "%NAME%" of written text, without regard to case, left to right; the search goes
        // on behind each value.
        const QString suche = rt::LCase(u'%' + name + u'%');
        const QString klein = rt::LCase(t);
        std::vector<qsizetype> davorEingesetzt(eingesetzt.size() + 1, 0);
        for (std::size_t i = 0; i < eingesetzt.size(); ++i)
            davorEingesetzt[i + 1] = davorEingesetzt[i] + eingesetzt[i];
        QString neu;
        std::vector<char> neuEingesetzt;
        neu.reserve(t.size());
        neuEingesetzt.reserve(eingesetzt.size());
        qsizetype von = 0; // written up to here
        qsizetype ab = 0;  // searched from here
        bool voll = false;
        for (qsizetype p = klein.indexOf(suche); p >= 0; p = klein.indexOf(suche, ab)) {
            const auto ende = static_cast<std::size_t>(p + suche.size());
            if (davorEingesetzt[ende] != davorEingesetzt[static_cast<std::size_t>(p)]) {
                ab = p + 1; // reaches into a value
                continue;
            }
            if (neu.size() + (p - von) + wert.size() + (t.size() - p - suche.size()) > grenze) {
                voll = true;
                break;
            }
            neu.append(QStringView(t).sliced(von, p - von));
            neuEingesetzt.insert(neuEingesetzt.end(), eingesetzt.begin() + von,
                                 eingesetzt.begin() + p);
            neu.append(wert);
            neuEingesetzt.insert(neuEingesetzt.end(), static_cast<std::size_t>(wert.size()),
                                 bleibt ? 0 : 1);
            von = p + suche.size();
            ab = von;
        }
        neu.append(QStringView(t).sliced(von));
        neuEingesetzt.insert(neuEingesetzt.end(), eingesetzt.begin() + von, eingesetzt.end());
        // An unchanged text would give the same pass again.
        const bool gleich = neu == t;
        t = neu;
        eingesetzt = std::move(neuEingesetzt);
        if (gleich || voll)
            break;
    }
    return t;
}

} // namespace

QString UmgebungErsetzen(const QString& text)
{
    return umgebungErsetzen(text, grenzeFuer(text.size()));
}

QString VariablenErsetzen(const QString& text)
{
    setzeText(text);
    obergrenze = grenzeFuer(text.size());
    const rt::VbDate bezug = bezugsdatum();
    varioDatum = bezug;

    if (varioText.contains(u'{')) {
        festeTokensEinsetzen(bezug);
        werktagPlus(bezug);
        wochentagVon();
        zufallAusListe();
        zaehler();
        zyklischerIndex();
        iniLesen();
        benutzerVariable();
        nurBuchstabenUndZiffern();
        grossbuchstaben();
        zufallsDatei();
        alter(u"{alter:", false, bezug);
        alter(u"{alterd:", true, bezug);
        alleDateien();
    }
    if (varioText.contains(u'%'))
        setzeText(umgebungErsetzen(varioText, obergrenze));

    varioDatum = QString();
    return varioText;
}

void resetVario()
{
    varioDatum = QString();
    varioText.clear();
    varioKlein.clear();
}

} // namespace textlib
