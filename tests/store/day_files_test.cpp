#include "store_fixture.h"

#include "store/mood_marker.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

#include <functional>

#include <functional>
#include <sys/stat.h>

using store::Eintrag;
using store::EintragDateiSchreiben;
using store::EintragLaden;

namespace {

const QString datei = QStringLiteral("20240305.Txt");
const QString relativ = QStringLiteral("2024/20240305.Txt");

// The key stream as the file format defines it, computed here on its own: block i is SHA-256 of
// the key followed by i as 8 bytes little-endian.
QByteArray schluesselstrom(qsizetype laenge)
{
    QByteArray strom;
    for (quint64 block = 0; strom.size() < laenge; ++block) {
        QByteArray eingabe = QByteArray(store::festerSchluessel);
        for (int i = 0; i < 8; ++i)
            eingabe.append(static_cast<char>((block >> (8 * i)) & 0xFF));
        strom += QCryptographicHash::hash(eingabe, QCryptographicHash::Sha256);
    }
    return strom.left(laenge);
}

QByteArray xorMit(const QByteArray& bytes, const QByteArray& strom)
{
    QByteArray ergebnis = bytes;
    for (qsizetype i = 0; i < ergebnis.size(); ++i)
        ergebnis[i] = static_cast<char>(ergebnis[i] ^ strom[i]);
    return ergebnis;
}

QByteArray verschluesselteDatei(const QByteArray& klarBytes)
{
    return ansi("..Korvanel verschlüsselt ") + xorMit(klarBytes, schluesselstrom(klarBytes.size()));
}

class DayFiles : public StoreFixture {
protected:
    // Records every prompt; accepts with the password it is given (nothing: gives up).
    void abfrageAntwortet(std::optional<QString> kennwort)
    {
        store::setKennwortAbfrage([this, kennwort](const QString& name, const QString& kopf) {
            abfragen.push_back(name + u'|' + kopf);
            if (kennwort) {
                store::kennwortLesen = *kennwort;
                store::kennwortSchreiben = *kennwort;
            }
        });
    }

    QStringList abfragen;
};

TEST_F(DayFiles, dayNumbersAndPaths)
{
    EXPECT_EQ(store::DatumZuTagesnummer(rt::DateSerial(2024, 3, 5)), s("20240305"));
    EXPECT_EQ(store::DatumZuTagesnummer(rt::DateSerial(1500, 1, 1)), s("15000101"));
    EXPECT_EQ(store::DatumZuTagesnummer(s("5.3.2024")), s("20240305"));
    EXPECT_EQ(store::DatumZuTagesnummer(s("kein Datum")), QString());
    EXPECT_EQ(store::TagesdateiPfad(datei), foundation::ordnerDat + s("/2024/20240305.Txt"));
}

TEST_F(DayFiles, plainEntriesAreStoredExactlyAndLoadBack)
{
    struct Fall {
        const char* name;
        QString text;
        QByteArray datei;
    };
    const std::vector<Fall> faelle = {
        {"ascii", s("Heute war ein guter Tag."), QByteArray("Heute war ein guter Tag.")},
        {"umlauts and lines", s("Grüße aus Köln\r\n\r\nMaß: 5 €  "),
         ansi("Grüße aus Köln\r\n\r\nMaß: 5 ") + QByteArray("\x80  ")},
        {"trailing tab and line break", s("Ende\t\r\n"), QByteArray("Ende\t\r\n")},
        {"not in Windows-1252", s("Ωmega ä"),
         QByteArray("\xEF\xBB\xBF") + s("Ωmega ä").toUtf8()},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const std::optional<QString> geschrieben = EintragDateiSchreiben(datei, fall.text);
        ASSERT_TRUE(geschrieben.has_value());
        EXPECT_EQ(*geschrieben, fall.text);
        EXPECT_EQ(lesen(relativ), fall.datei);

        const Eintrag eintrag = EintragLaden(datei);
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Geladen);
        EXPECT_EQ(eintrag.text, fall.text);
    }
    EXPECT_TRUE(fehler.empty());
}

TEST_F(DayFiles, encipheredFileHasMarkerHeaderAndCipherOfSameLength)
{
    struct Fall {
        const char* name;
        QString kennwort;
        QString text;
        QByteArray klarBytes; // header and text in the file encoding, before the cipher
    };
    const std::vector<Fall> faelle = {
        {"three letters", s("abc"), s("Geheimer Eintrag über\r\nzwei Zeilen"),
         ansi("abc            Geheimer Eintrag über\r\nzwei Zeilen")},
        {"twenty characters count with fifteen", s("abcdefghijklmnopqrst"), s("x"),
         ansi("abcdefghijklmnox")},
        {"text beyond Windows-1252", s("Kw"), s("Ωmega"),
         QByteArray("\xEF\xBB\xBF") + s("Kw             Ωmega").toUtf8()},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::kennwortSchreiben = fall.kennwort;
        const std::optional<QString> geschrieben = EintragDateiSchreiben(datei, fall.text);
        ASSERT_TRUE(geschrieben.has_value());
        const QByteArray erwartet = verschluesselteDatei(fall.klarBytes);
        EXPECT_EQ(lesen(relativ), erwartet);
        EXPECT_EQ(lesen(relativ).size(), 25 + fall.klarBytes.size());
        EXPECT_EQ(*geschrieben, rt::fromAnsi(erwartet));
        EXPECT_TRUE(geschrieben->startsWith(s("..Korvanel verschlüsselt ")));

        store::kennwortLesen = fall.kennwort;
        const Eintrag eintrag = EintragLaden(datei);
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Geladen);
        EXPECT_EQ(eintrag.text, fall.text);
    }
    EXPECT_TRUE(abfragen.isEmpty());
}

TEST_F(DayFiles, cipherIsSelfInverseAndKeepsLengthAndKey)
{
    const QByteArray key = QByteArray(store::festerSchluessel);
    for (const qsizetype laenge : {0, 1, 31, 32, 33, 64, 1000}) {
        SCOPED_TRACE(laenge);
        QByteArray text(laenge, '\0');
        for (qsizetype i = 0; i < laenge; ++i)
            text[i] = static_cast<char>(i * 7);
        QByteArray schluessel = key;
        QByteArray bytes = text;
        store::Encrypt2(bytes, schluessel);
        EXPECT_EQ(bytes, xorMit(text, schluesselstrom(laenge)));
        store::Encrypt2(bytes, schluessel);
        EXPECT_EQ(bytes, text);
        EXPECT_EQ(schluessel, key);
    }
}

TEST_F(DayFiles, passwordHeaderIsComparedExactlyAndPromptSeesThatHeader)
{
    struct Fall {
        const char* name;
        QString kennwortLesen;
        std::optional<QString> eingabe; // what the prompt accepts (nothing: it gives up)
        QStringList abfragen;
        Eintrag::Zustand zustand;
        QString text;
    };
    const QString kopf = s("Anna           ");
    const std::vector<Fall> faelle = {
        {"same password", s("Anna"), std::nullopt, {}, Eintrag::Zustand::Geladen, s("Inhalt")},
        {"other case asks", s("anna"), s("Anna"), {datei + u'|' + kopf},
         Eintrag::Zustand::Geladen, s("Inhalt")},
        {"no password asks", QString(), s("Anna"), {datei + u'|' + kopf},
         Eintrag::Zustand::Geladen, s("Inhalt")},
        {"prompt without an answer reveals nothing", s("Bert"), std::nullopt,
         {datei + u'|' + kopf}, Eintrag::Zustand::KennwortFalsch, QString()},
    };
    store::kennwortSchreiben = s("Anna");
    ASSERT_TRUE(EintragDateiSchreiben(datei, s("Inhalt")).has_value());
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        abfragen.clear();
        abfrageAntwortet(fall.eingabe);
        store::kennwortLesen = fall.kennwortLesen;
        const Eintrag eintrag = EintragLaden(datei);
        EXPECT_EQ(abfragen, fall.abfragen);
        EXPECT_EQ(eintrag.zustand, fall.zustand);
        EXPECT_EQ(eintrag.text, fall.text);
    }
}

TEST_F(DayFiles, withoutAnInstalledPromptAnotherPasswordKeepsTheEntryClosed)
{
    store::kennwortSchreiben = s("Anna");
    ASSERT_TRUE(EintragDateiSchreiben(datei, s("Inhalt")).has_value());
    store::kennwortLesen = s("Bert");
    const Eintrag eintrag = EintragLaden(datei);
    EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::KennwortFalsch);
    EXPECT_TRUE(eintrag.text.isEmpty());
    EXPECT_FALSE(store::EintragLadefehlerText(eintrag).isEmpty());
}

TEST_F(DayFiles, plainFileLoadsWithoutPromptWhilePasswordIsSet)
{
    abfrageAntwortet(std::nullopt);
    schreiben(relativ, ansi("Offener Eintrag"));
    store::kennwortLesen = s("Anna");
    const Eintrag eintrag = EintragLaden(datei);
    EXPECT_EQ(eintrag.text, s("Offener Eintrag"));
    EXPECT_TRUE(abfragen.isEmpty());
}

TEST_F(DayFiles, plainTextBeginningWithMarkerIsEncipheredWithBlankHeaderAndLoadsBackExactly)
{
    abfrageAntwortet(std::nullopt);
    const QString text = s("..Korvanel verschlüsselt und doch nur ein Satz");
    ASSERT_TRUE(EintragDateiSchreiben(datei, text).has_value());
    EXPECT_EQ(lesen(relativ), verschluesselteDatei(rt::toAnsi(rt::Space(15) + text)));

    for (const QString& kennwort : {QString(), s("Anna")}) {
        store::kennwortLesen = kennwort;
        const Eintrag eintrag = EintragLaden(datei);
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Geladen);
        EXPECT_EQ(eintrag.text, text);
    }
    EXPECT_TRUE(abfragen.isEmpty());
}

TEST_F(DayFiles, missingFolderOrFileIsAnEmptyEntry)
{
    Eintrag eintrag = EintragLaden(datei);
    EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::KeineDatei);
    EXPECT_TRUE(eintrag.ok());
    folders.temp().makeFolder(daten(s("2024")));
    eintrag = EintragLaden(datei);
    EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::KeineDatei);
    EXPECT_TRUE(eintrag.text.isEmpty());
}

TEST_F(DayFiles, namesAreFoundWithoutRegardToCase)
{
    schreiben(s("2024/20240305.txt"), "klein");
    EXPECT_EQ(EintragLaden(s("20240305.TXT")).text, s("klein"));
    ASSERT_TRUE(EintragDateiSchreiben(s("20240305.TXT"), s("neu")).has_value());
    EXPECT_EQ(lesen(s("2024/20240305.txt")), QByteArray("neu"));
    EXPECT_FALSE(vorhanden(s("2024/20240305.TXT")));
}

TEST_F(DayFiles, emptyTextDeletesTheFileAndKeepsTheYearFolder)
{
    schreiben(relativ, "alt");
    store::verzeichnisStatus = 2;
    ASSERT_TRUE(EintragDateiSchreiben(datei, QString()).has_value());
    EXPECT_FALSE(vorhanden(relativ));
    EXPECT_TRUE(QFileInfo(folders.temp().file(daten(s("2024")))).isDir());
    EXPECT_EQ(store::verzeichnisStatus, 0);

    // Nothing to delete: nothing happens but the stale mark, and no year folder is made.
    store::verzeichnisStatus = 2;
    ASSERT_TRUE(EintragDateiSchreiben(s("20250101.Txt"), QString()).has_value());
    EXPECT_EQ(store::verzeichnisStatus, 0);
    EXPECT_FALSE(vorhanden(s("2025/20250101.Txt")));
    EXPECT_FALSE(QFileInfo::exists(folders.temp().file(daten(s("2025")))));
    EXPECT_TRUE(fehler.empty());
}

TEST_F(DayFiles, savingTheEditorCutsOnlyTrailingBlanks)
{
    struct Fall {
        const char* name;
        QString editor;
        QByteArray datei;
    };
    const std::vector<Fall> faelle = {
        {"blanks", s("  Text  "), QByteArray("  Text")},
        {"tab stays", s("Text\t  "), QByteArray("Text\t")},
        {"line break stays", s("Text\r\n   "), QByteArray("Text\r\n")},
        {"blank between line breaks stays", s("Text \r\n"), QByteArray("Text \r\n")},
    };
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = datei;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        host.text = fall.editor;
        store::ungesichert = 1;
        EXPECT_TRUE(store::EintragSpeichern());
        EXPECT_EQ(lesen(relativ), fall.datei);
        EXPECT_EQ(store::ungesichert, 0);
        EXPECT_EQ(host.panels.value(s("Unsaved")), s("   "));
    }

    // Blanks only: the entry is empty and its file goes.
    host.text = s("    ");
    store::ungesichert = 1;
    EXPECT_TRUE(store::EintragSpeichern());
    EXPECT_FALSE(vorhanden(relativ));
}

TEST_F(DayFiles, savingNeedsAnOpenDiaryAndUnsavedChanges)
{
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = datei;
    host.text = s("Text");
    store::ungesichert = 0;
    EXPECT_TRUE(store::EintragSpeichern());
    EXPECT_FALSE(vorhanden(relativ));

    store::ungesichert = 1;
    store::korvanelKuerzel.clear();
    EXPECT_TRUE(store::EintragSpeichern());
    EXPECT_FALSE(vorhanden(relativ));
    EXPECT_EQ(store::ungesichert, 1);
}

TEST_F(DayFiles, savingWritesTheMoodValueToo)
{
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = datei;
    host.text = s("Text");
    host.mood = -4;
    store::ungesichert = 1;
    EXPECT_TRUE(store::EintragSpeichern());
    EXPECT_EQ(lesen(s("Stimmung2024.ini")), QByteArray("[Txt]\r\n05.03.2024=-4\r\n"));
}

TEST_F(DayFiles, readOnlyWritesNothing)
{
    schreiben(relativ, "alt");
    schreiben(s("Stimmung.ini"), "[Txt]\r\n05.03.2024=3\r\n");
    const auto vorher = datenordnerInhalt();
    foundation::nurLesen = true;
    store::verzeichnisStatus = 2;

    EXPECT_FALSE(EintragDateiSchreiben(datei, s("neu")).has_value());
    EXPECT_FALSE(EintragDateiSchreiben(datei, QString()).has_value());
    EXPECT_FALSE(EintragDateiSchreiben(s("20250101.Txt"), s("neu")).has_value());
    EXPECT_EQ(store::verzeichnisStatus, 2);

    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = datei;
    host.text = s("neu");
    host.mood = 7;
    store::ungesichert = 1;
    store::EintragSpeichern();
    EXPECT_EQ(store::ungesichert, 1);
    store::StimmungLesen();
    EXPECT_EQ(host.mood, 3);
    store::MarkerSetzen(rt::DateSerial(2024, 3, 5), 1);

    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(fehler.empty());
}

// Something that stands where the day file should be and cannot be read, also by the super-user.
enum class Hindernis { Ordner, LeererVerweis, KeineRechte };

TEST_F(DayFiles, unreadableFileIsReportedAndSurvives)
{
    for (const Hindernis hindernis :
         {Hindernis::Ordner, Hindernis::LeererVerweis, Hindernis::KeineRechte}) {
        if (hindernis == Hindernis::KeineRechte && runningAsRoot())
            continue;
        SCOPED_TRACE(static_cast<int>(hindernis));
        store::resetTagesdateien();
        QDir(folders.temp().file(daten(s("2024")))).removeRecursively();
        folders.temp().makeFolder(daten(s("2024")));
        const QString pfad = folders.temp().file(daten(relativ));
        std::optional<PermissionGuard> rechte;
        switch (hindernis) {
        case Hindernis::Ordner:
            folders.temp().makeFolder(daten(relativ));
            folders.temp().write(daten(relativ + s("/innen.txt")), "bleibt");
            break;
        case Hindernis::LeererVerweis:
            ASSERT_TRUE(QFile::link(s("/nirgends/20240305.Txt"), pfad));
            break;
        case Hindernis::KeineRechte:
            schreiben(relativ, "geheim");
            rechte.emplace(pfad);
            folders.temp().setPermissions(daten(relativ), {});
            break;
        }
        const auto vorher = datenordnerInhalt();

        const Eintrag eintrag = EintragLaden(datei);
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Lesefehler);
        EXPECT_FALSE(eintrag.ok());
        EXPECT_NE(eintrag.fehlerNummer, 0);
        EXPECT_TRUE(eintrag.text.isEmpty());
        EXPECT_TRUE(store::EintragLadefehlerText(eintrag).contains(s("nicht gelesen")));

        // Neither a save of the editor nor a direct delete touches it.
        FakeDialogs dialogs;
        ScopedService dialogsGuard(platform::setDialogs, &dialogs);
        dialogs.expectMsgBox(platform::vbOK, s("nicht gelesen"));
        dialogs.expectMsgBox(platform::vbOK, s("nicht gelesen"));
        store::aktDatum = s("05.03.2024");
        store::aktTagesdatei = datei;
        host.text = s("Neuer Text");
        store::ungesichert = 1;
        EXPECT_FALSE(store::EintragSpeichern());
        EXPECT_EQ(store::ungesichert, 1);
        EXPECT_EQ(host.panels.value(s("Unsaved")), QString());
        EXPECT_FALSE(EintragDateiSchreiben(datei, QString()).has_value());
        const auto nachher = datenordnerInhalt();
        rechte.reset();
        if (hindernis == Hindernis::KeineRechte) {
            EXPECT_EQ(lesen(relativ), QByteArray("geheim"));
        }
        for (const auto& [name, bytes] : vorher) {
            if (!name.startsWith(s("/Stimmung"))) {
                EXPECT_EQ(nachher.count(name) ? nachher.at(name) : QByteArray("<weg>"), bytes)
                    << name.toStdString();
            }
        }
        EXPECT_TRUE(QFileInfo(pfad).isSymLink() || QFileInfo::exists(pfad));
    }
}

// A day file that is no regular file, is larger than any entry, or is a link leading out of the
// data folder is an unreadable day that says why, and is never read, written through or
// deleted: a pipe would block the open, /dev/zero would read until memory runs out, and a link
// planted in a shared data folder would have the next user overwrite any file it names. A link
// that stays inside the data folder is followed as before.
TEST_F(DayFiles, specialHugeAndOutwardLinkedDayFilesAreUnreadableDaysNeverFollowed)
{
    folders.temp().write(s("aussen/ziel.txt"), "fremde Datei");
    const QString aussen = folders.temp().file(s("aussen/ziel.txt"));
    struct Fall {
        const char* name;
        std::function<void(const QString& pfad)> anlegen;
        const char* grund; // in the message; "" = the day loads
    };
    const std::vector<Fall> faelle = {
        {"a named pipe",
         [](const QString& pfad) { ASSERT_EQ(::mkfifo(QFile::encodeName(pfad).constData(), 0600), 0); },
         "keine gewöhnliche Datei"},
        {"a link to /dev/zero",
         [](const QString& pfad) { ASSERT_TRUE(QFile::link(s("/dev/zero"), pfad)); },
         "außerhalb des Datenordners"},
        {"a file of 17 MB",
         [](const QString& pfad) {
             QFile datei(pfad);
             ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
             ASSERT_TRUE(datei.resize(17 * 1024 * 1024));
         },
         "größer als 16 MB"},
        {"a link to a file outside the data folder",
         [&aussen](const QString& pfad) { ASSERT_TRUE(QFile::link(aussen, pfad)); },
         "außerhalb des Datenordners"},
        {"a link to a file in the data folder",
         [this](const QString& pfad) {
             schreiben(s("Anhang.txt"), ansi("Eintrag über einen Verweis"));
             ASSERT_TRUE(QFile::link(folders.temp().file(daten(s("Anhang.txt"))), pfad));
         },
         ""},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::resetTagesdateien();
        QDir(folders.temp().file(daten(s("2024")))).removeRecursively();
        folders.temp().makeFolder(daten(s("2024")));
        const QString pfad = folders.temp().file(daten(relativ));
        fall.anlegen(pfad);
        const QFileInfo vorher(pfad);

        const Eintrag eintrag = EintragLaden(datei);
        if (*fall.grund == '\0') {
            EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Geladen);
            EXPECT_EQ(eintrag.text, s("Eintrag über einen Verweis"));
            continue;
        }
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Lesefehler);
        EXPECT_TRUE(eintrag.text.isEmpty());
        EXPECT_TRUE(store::EintragLadefehlerText(eintrag).contains(s(fall.grund)))
            << store::EintragLadefehlerText(eintrag).toStdString();

        // Neither a save after the load, nor a write or delete without one, goes through.
        FakeDialogs dialogs;
        ScopedService dialogsGuard(platform::setDialogs, &dialogs);
        dialogs.expectMsgBox(platform::vbOK, s(fall.grund));
        dialogs.expectMsgBox(platform::vbOK, s(fall.grund));
        dialogs.expectMsgBox(platform::vbOK, s(fall.grund));
        EXPECT_FALSE(EintragDateiSchreiben(datei, s("Überschrieben")).has_value());
        store::resetTagesdateien();
        EXPECT_FALSE(EintragDateiSchreiben(datei, s("Überschrieben")).has_value());
        EXPECT_FALSE(EintragDateiSchreiben(datei, QString()).has_value());

        const QFileInfo nachher(pfad);
        EXPECT_EQ(nachher.isSymLink(), vorher.isSymLink());
        EXPECT_EQ(nachher.symLinkTarget(), vorher.symLinkTarget());
        EXPECT_EQ(nachher.size(), vorher.size());
        EXPECT_EQ(folders.temp().read(s("aussen/ziel.txt")), QByteArray("fremde Datei"));
    }
}

// An enciphered file whose password header this program cannot have written (a control
// character in it, or the file cut inside it) is damaged: no password opens it, so it raises
// no prompt, which would end the program when given up. It is an unreadable day and stays as it
// is.
TEST_F(DayFiles, aDamagedEncipheredFileIsAnUnreadableDayWithoutAPrompt)
{
    abfrageAntwortet(s("Geheim1"));
    store::kennwortLesen = s("Geheim1");
    struct Fall {
        const char* name;
        QByteArray bytes;
    };
    const std::vector<Fall> faelle = {
        {"garbage after the marker", verschluesselteDatei(QByteArray("Ge\x01\x7f\x02heim1 \xff\x81xyz Text"))},
        {"cut inside the header", verschluesselteDatei(QByteArray("Geheim1   "))},
        {"the marker alone", ansi("..Korvanel verschlüsselt ")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::resetTagesdateien();
        schreiben(relativ, fall.bytes);
        const Eintrag eintrag = EintragLaden(datei);
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Lesefehler);
        EXPECT_TRUE(store::EintragLadefehlerText(eintrag).contains(s("beschädigt")));
        EXPECT_TRUE(abfragen.isEmpty());

        FakeDialogs dialogs;
        ScopedService dialogsGuard(platform::setDialogs, &dialogs);
        dialogs.expectMsgBox(platform::vbOK, s("nicht gelesen"));
        EXPECT_FALSE(EintragDateiSchreiben(datei, s("Neu")).has_value());
        EXPECT_EQ(lesen(relativ), fall.bytes);
    }
}

TEST_F(DayFiles, fileReadableAgainMayBeWrittenAgain)
{
    enum class Danach { WiederLesbar, DateiWeg, JahresordnerWeg };
    for (const Danach danach : {Danach::WiederLesbar, Danach::DateiWeg, Danach::JahresordnerWeg}) {
        SCOPED_TRACE(static_cast<int>(danach));
        store::resetTagesdateien();
        QDir(folders.temp().file(daten(s("2024")))).removeRecursively();
        folders.temp().makeFolder(daten(relativ));
        EXPECT_EQ(EintragLaden(datei).zustand, Eintrag::Zustand::Lesefehler);
        ASSERT_TRUE(QDir(folders.temp().file(
                             daten(danach == Danach::JahresordnerWeg ? s("2024") : relativ)))
                        .removeRecursively());
        if (danach == Danach::WiederLesbar) {
            schreiben(relativ, "wieder da");
            EXPECT_EQ(EintragLaden(datei).text, s("wieder da"));
        } else {
            // The next load finds no entry: the day is free again.
            EXPECT_EQ(EintragLaden(datei).zustand, Eintrag::Zustand::KeineDatei);
        }
        EXPECT_TRUE(EintragDateiSchreiben(datei, s("geändert")).has_value());
        EXPECT_EQ(lesen(relativ), ansi("geändert"));
    }
}

TEST_F(DayFiles, failedWriteIsReportedAndTheEntryStaysUnsaved)
{
    // A file where the year folder should be: the folder cannot be made, by any user.
    schreiben(s("2024"), "kein Ordner");
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = datei;
    host.text = s("Text");
    store::ungesichert = 1;
    fehlerAntwort = 2;
    EXPECT_FALSE(store::EintragSpeichern());
    EXPECT_EQ(store::ungesichert, 1);
    ASSERT_EQ(fehler.size(), 1u);
    EXPECT_EQ(fehler[0].text, s("Es ist ein Fehler #DS beim Sichern des Eintrags »")
                                  + foundation::ordnerDat + s("/2024« aufgetreten."));

    // "Go on" tries the next step, which fails too, and is reported with the file's path.
    fehler.clear();
    fehlerAntwort = 5;
    EXPECT_FALSE(EintragDateiSchreiben(datei, s("Text")).has_value());
    ASSERT_EQ(fehler.size(), 2u);
    EXPECT_EQ(fehler[1].text, s("Es ist ein Fehler #DS beim Sichern des Eintrags »")
                                  + store::TagesdateiPfad(datei) + s("« aufgetreten."));
    EXPECT_EQ(lesen(s("2024")), QByteArray("kein Ordner"));
}

TEST_F(DayFiles, unsavedPanelChangesOnlyWhenItsTextChanges)
{
    store::ungesichert = 1;
    store::UngesichertAnzeigen();
    EXPECT_EQ(host.panels.value(s("Unsaved")), s(" * "));
    EXPECT_EQ(host.toolTips.value(s("Unsaved")), s("Eingaben sind  noch nicht gesichert"));
    host.panelWrites.clear();
    store::UngesichertAnzeigen();
    EXPECT_TRUE(host.panelWrites.isEmpty());

    store::ungesichert = 0;
    store::UngesichertAnzeigen();
    EXPECT_EQ(host.panels.value(s("Unsaved")), s("   "));
    EXPECT_EQ(host.toolTips.value(s("Unsaved")), s("Eingaben sind gesichert"));
}

TEST_F(DayFiles, debugLogTracesLoadingAndSaving)
{
    debugAn();
    schreiben(relativ, "abc");
    EintragLaden(datei);
    EintragDateiSchreiben(datei, s("neu"));
    const QString log = rt::decodeText(debugLog());
    for (const char* zeile :
         {"laden func: Datei vorhanden", "laden func: Datei geladen 3 Zeichen", "laden func: Ende",
          "\tspeichern func: 20240305.Txt | 3 Zeichen", "\tspeichern func: Speichern ohne PW",
          "\tspeichern func: Ende"})
    {
        EXPECT_TRUE(log.contains(s(zeile))) << zeile;
    }
}

// A day file keeps the name it has on disk, in whatever case its extension is written there:
// loaded under the diary's name in any spelling, and saved back into that same file. Also when
// the index listed the folder before, and when another process renamed the file since.
TEST_F(DayFiles, dayFileLoadsAndSavesUnderItsNameOnDisk)
{
    struct Fall {
        const char* aufPlatte;
        const char* gefragt;
        bool indexVorher;
        const char* spaeterUmbenannt; // by another process after the index listed the folder
    };
    const std::vector<Fall> faelle = {
        {"20240305.txt", "20240305.Txt", false, nullptr},
        {"20240305.TXT", "20240305.Txt", true, nullptr},
        {"20240305.Txt", "20240305.TXT", true, nullptr},
        {"20240305.txt", "20240305.TXT", false, nullptr},
        {"20240305.Txt", "20240305.TXT", true, "20240305.tXt"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.aufPlatte) + " " + fall.gefragt);
        QDir(foundation::ordnerDat + s("/2024")).removeRecursively();
        store::resetTagesverzeichnis();
        store::resetTagesdateien();
        const QString platte = s("2024/") + s(fall.aufPlatte);
        schreiben(platte, ansi("Über den Tag"));
        if (fall.indexVorher) {
            store::TagesverzeichnisErstellen(true);
            ASSERT_EQ(store::tageAnzahl, 1);
        }
        QString name = platte;
        if (fall.spaeterUmbenannt) {
            name = s("2024/") + s(fall.spaeterUmbenannt);
            QProcess anderer;
            anderer.start(QStringLiteral("mv"), {foundation::ordnerDat + u'/' + platte,
                                                 foundation::ordnerDat + u'/' + name});
            ASSERT_TRUE(anderer.waitForFinished());
            ASSERT_EQ(anderer.exitCode(), 0);
        }

        const Eintrag eintrag = EintragLaden(s(fall.gefragt));
        EXPECT_EQ(eintrag.zustand, Eintrag::Zustand::Geladen);
        EXPECT_EQ(eintrag.text, s("Über den Tag"));
        ASSERT_TRUE(EintragDateiSchreiben(s(fall.gefragt), s("Neu geschrieben")));
        EXPECT_EQ(QDir(foundation::ordnerDat + s("/2024")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{name.mid(5)});
        EXPECT_EQ(lesen(name), QByteArray("Neu geschrieben"));
    }
}

// Nothing on disk under the day's name: no entry. A name that is there but leads nowhere, a
// folder, a pipe: an entry that cannot be read, never an empty day.
TEST_F(DayFiles, onlyAMissingNameIsADayWithoutEntry)
{
    struct Fall {
        const char* was;
        std::function<void(const QString&)> anlegen;
        Eintrag::Zustand zustand;
        int fehlerNummer;
    };
    const std::vector<Fall> faelle = {
        {"nichts", [](const QString&) {}, Eintrag::Zustand::KeineDatei, 0},
        {"Verweis ins Leere",
         [](const QString& pfad) {
             QFile::link(pfad + QStringLiteral(".weg"), pfad);
         },
         Eintrag::Zustand::Lesefehler, rt::ErrFileNotFound},
        {"Ordner", [](const QString& pfad) { QDir().mkpath(pfad); }, Eintrag::Zustand::Lesefehler,
         rt::ErrPathFileAccess},
        {"Pipe", [](const QString& pfad) { mkfifo(QFile::encodeName(pfad).constData(), 0600); },
         Eintrag::Zustand::Lesefehler, rt::ErrPathFileAccess},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.was);
        QDir(foundation::ordnerDat + s("/2024")).removeRecursively();
        store::resetTagesverzeichnis();
        store::resetTagesdateien();
        QDir().mkpath(foundation::ordnerDat + s("/2024"));
        fall.anlegen(foundation::ordnerDat + s("/2024/20240305.Txt"));
        const Eintrag eintrag = EintragLaden(s("20240305.TXT"));
        EXPECT_EQ(eintrag.zustand, fall.zustand);
        EXPECT_EQ(eintrag.fehlerNummer, fall.fehlerNummer);
        EXPECT_TRUE(eintrag.text.isEmpty());
    }
}

} // namespace
