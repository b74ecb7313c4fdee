#include "store_fixture.h"

#include "platform/file_batch.h"
#include "store/day_file_batch.h"
#include "support/fake_dialogs.h"

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>

#include <map>
#include <sys/stat.h>
#include <vector>

namespace {

class DayFileBatch : public StoreFixture {
protected:
    // Every hidden file below the data folder's year folders, as "yyyy/name".
    QStringList versteckte() const
    {
        QStringList namen;
        QDirIterator it(foundation::ordnerDat, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.fileName().startsWith(u'.') && info.fileName() != u".Stapel.lock")
                namen << info.dir().dirName() + u'/' + info.fileName();
        }
        namen.sort();
        return namen;
    }

    // The day files as the pass found them.
    const std::map<QString, QByteArray> alt = {
        {s("2023/20231231.Txt"), ansi("Silvester")},
        {s("2024/20240305.Txt"), ansi("Ein Dienstag im März")},
        {s("2024/20240306.Txt"), ansi("Mittwoch")},
    };
    void alteDateienSchreiben() const
    {
        for (const auto& [name, bytes] : alt)
            schreiben(name, bytes);
    }
    static QString tagesname(const QString& relativ) { return relativ.mid(5); }
};

TEST_F(DayFileBatch, everyFileIsPutInPlaceOnlyAtTheEnd)
{
    alteDateienSchreiben();
    {
        store::TagesdateiStapel stapel;
        for (const auto& [name, bytes] : alt)
            ASSERT_TRUE(stapel.vormerken(tagesname(name), s("Neu: ") + rt::decodeText(bytes)));
        // A day of a year without folder yet.
        ASSERT_TRUE(stapel.vormerken(s("20250101.Txt"), s("Neujahr")));

        // Nothing in place yet: the old files, and one temporary file beside each.
        for (const auto& [name, bytes] : alt)
            EXPECT_EQ(lesen(name), bytes) << name.toStdString();
        EXPECT_FALSE(vorhanden(s("2025/20250101.Txt")));
        const QStringList beiseite = versteckte();
        ASSERT_EQ(beiseite.size(), 4) << beiseite.join(u',').toStdString();
        for (const QString& name : beiseite)
            EXPECT_TRUE(platform::FileBatch::isLeftover(name.mid(5))) << name.toStdString();

        EXPECT_EQ(stapel.abschliessen(), QStringList());
    }
    for (const auto& [name, bytes] : alt)
        EXPECT_EQ(lesen(name), ansi("Neu: ") + bytes) << name.toStdString();
    EXPECT_EQ(lesen(s("2025/20250101.Txt")), QByteArray("Neujahr"));
    EXPECT_EQ(versteckte(), QStringList());
    EXPECT_EQ(store::verzeichnisStatus, 0);
}

TEST_F(DayFileBatch, passWithPasswordWritesWhatASingleSaveWrites)
{
    alteDateienSchreiben();
    store::kennwortSchreiben = s("Geheim12");
    store::TagesdateiStapel stapel;
    ASSERT_TRUE(stapel.vormerken(s("20240305.Txt"), s("Ein Dienstag im März")));
    EXPECT_EQ(stapel.abschliessen(), QStringList());
    const QByteArray gestapelt = lesen(s("2024/20240305.Txt"));
    ASSERT_TRUE(store::EintragDateiSchreiben(s("20240305.Txt"), s("Ein Dienstag im März")));
    EXPECT_EQ(gestapelt, lesen(s("2024/20240305.Txt")));
    EXPECT_TRUE(gestapelt.startsWith(store::verschluesseltMarkeBytes()));
}

TEST_F(DayFileBatch, batchEndedWithoutFinishingLeavesEveryFileAsItWas)
{
    alteDateienSchreiben();
    {
        store::TagesdateiStapel stapel;
        for (const auto& [name, bytes] : alt)
            ASSERT_TRUE(stapel.vormerken(tagesname(name), s("verworfen")));
    }
    for (const auto& [name, bytes] : alt)
        EXPECT_EQ(lesen(name), bytes) << name.toStdString();
    EXPECT_EQ(versteckte(), QStringList());
}

TEST_F(DayFileBatch, fileThatCannotBePutInPlaceStaysAndIsNamed)
{
    alteDateienSchreiben();
    store::TagesdateiStapel stapel;
    for (const auto& [name, bytes] : alt)
        ASSERT_TRUE(stapel.vormerken(tagesname(name), s("neu")));
    // Meanwhile a folder with content stands where one day file was.
    const QString pfad = foundation::ordnerDat + s("/2024/20240306.Txt");
    ASSERT_TRUE(QFile::remove(pfad));
    ASSERT_TRUE(QDir().mkpath(pfad + s("/innen")));

    EXPECT_EQ(stapel.abschliessen(), QStringList{s("20240306.Txt")});
    EXPECT_EQ(lesen(s("2023/20231231.Txt")), QByteArray("neu"));
    EXPECT_EQ(lesen(s("2024/20240305.Txt")), QByteArray("neu"));
    EXPECT_TRUE(QFileInfo(pfad + s("/innen")).isDir());
    EXPECT_EQ(versteckte(), QStringList());
}

TEST_F(DayFileBatch, nothingIsNotedThatASingleSaveWouldRefuse)
{
    alteDateienSchreiben();
    const auto vorher = datenordnerInhalt();
    {
        foundation::nurLesen = true;
        store::TagesdateiStapel stapel;
        EXPECT_FALSE(stapel.vormerken(s("20240305.Txt"), s("neu")));
        EXPECT_EQ(stapel.abschliessen(), QStringList());
        foundation::nurLesen = false;
    }
    {
        store::TagesdateiStapel stapel;
        EXPECT_FALSE(stapel.vormerken(s("20240305.Txt"), QString()));
        EXPECT_EQ(stapel.abschliessen(), QStringList());
    }
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

// A day file put in place by a pass keeps the mode its old file had, also one the umask would
// not give a new file; a new day file gets the mode of any new file.
TEST_F(DayFileBatch, filesKeepTheirModeAndNewFilesGetTheUsualOne)
{
    alteDateienSchreiben();
    const mode_t maske = ::umask(022);
    struct Fall {
        const char* name;
        QFile::Permissions rechte;
    };
    const std::vector<Fall> faelle = {
        {"2023/20231231.Txt", QFile::ReadOwner | QFile::WriteOwner},
        {"2024/20240305.Txt", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                  | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther},
        {"2024/20240306.Txt", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther},
    };
    for (const Fall& fall : faelle)
        ASSERT_TRUE(QFile::setPermissions(foundation::ordnerDat + u'/' + s(fall.name), fall.rechte));
    {
        store::TagesdateiStapel stapel;
        for (const Fall& fall : faelle)
            ASSERT_TRUE(stapel.vormerken(tagesname(s(fall.name)), s("neu")));
        ASSERT_TRUE(stapel.vormerken(s("20240307.Txt"), s("neu")));
        EXPECT_EQ(stapel.abschliessen(), QStringList());
    }
    ::umask(maske);
    const auto modus = [](const QString& relativ) {
        struct stat info {};
        ::stat(QFile::encodeName(foundation::ordnerDat + u'/' + relativ).constData(), &info);
        return info.st_mode & 07777;
    };
    const mode_t erwartet[] = {0600, 0666, 0604};
    for (std::size_t i = 0; i < faelle.size(); ++i) {
        SCOPED_TRACE(faelle[i].name);
        EXPECT_EQ(lesen(s(faelle[i].name)), QByteArray("neu"));
        EXPECT_EQ(modus(s(faelle[i].name)), erwartet[i]);
    }
    EXPECT_EQ(modus(s("2024/20240307.Txt")), mode_t(0644));
    EXPECT_EQ(versteckte(), QStringList());
}

TEST_F(DayFileBatch, leftoversOfAKilledPassGoUnlessAPassIsRunning)
{
    alteDateienSchreiben();
    const QStringList bleiben = {s("2024/.20240305.Txt.Ab12Cd"), s("2024/.20240305.Txt.lock"),
                                 s("2024/.notizen")};
    const QStringList reste = {s("2023/.20231231.Txt.stapel-Zz9yX8"),
                               s("2024/.20240306.Txt.stapel-Ab12Cd")};
    for (const QString& name : bleiben + reste)
        schreiben(name, "x");

    {
        // Another pass is running: its files are no leftovers.
        store::TagesdateiStapel laufend;
        store::StapelResteEntfernen();
        for (const QString& name : reste)
            EXPECT_TRUE(vorhanden(name)) << name.toStdString();
    }
    foundation::nurLesen = true;
    store::StapelResteEntfernen();
    for (const QString& name : reste)
        EXPECT_TRUE(vorhanden(name)) << name.toStdString();
    foundation::nurLesen = false;

    // The first index of the data folder clears them.
    store::TagesverzeichnisErstellen(true);
    EXPECT_EQ(store::tageAnzahl, 3);
    for (const QString& name : reste)
        EXPECT_FALSE(vorhanden(name)) << name.toStdString();
    for (const QString& name : bleiben)
        EXPECT_TRUE(vorhanden(name)) << name.toStdString();
    for (const auto& [name, bytes] : alt)
        EXPECT_EQ(lesen(name), bytes) << name.toStdString();
}

// Real processes, killed at random steps of the pass (the seed is printed on failure): every day
// file is always old or new, never partly written, and the next start clears what was left.
TEST_F(DayFileBatch, killedPassLeavesEveryDayOldOrNew)
{
    const QString kennwort = s("Geheim12");
    constexpr int tage = 120;
    std::map<QString, std::pair<QByteArray, QByteArray>> altUndNeu;
    for (int i = 0; i < tage; ++i) {
        const rt::VbDate tag(rt::DateSerial(2023, 11, 1).serial + i);
        const QString text = s("Eintrag Nummer ") + QString::number(i) + s(" über ")
                             + QString(i * 7 % 300, u'ä');
        const QString name = store::DatumZuTagesnummer(tag) + s(".Txt");
        const QString relativ = name.left(4) + u'/' + name;
        altUndNeu[relativ] = {rt::encodeText(text),
                              store::verschluesselteForm(store::KennwortKopf(kennwort) + text)};
        schreiben(relativ, altUndNeu[relativ].first);
    }

    const quint32 saat = QRandomGenerator::global()->generate();
    SCOPED_TRACE("Saat " + std::to_string(saat));
    QRandomGenerator zufall(saat);
    for (int lauf = 0; lauf < 10; ++lauf) {
        // Killed after a random number of reported steps: while noting, right after the last
        // day was noted, or while the files are flushed and put in place.
        const int schritte = lauf % 3 == 0 ? tage + 1 : zufall.bounded(tage + 2);
        QProcess treiber;
        treiber.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        treiber.start(s(KORVANEL_STAPEL_TREIBER), {foundation::ordnerDat, kennwort});
        ASSERT_TRUE(treiber.waitForStarted());
        int gelesen = 0;
        while (gelesen < schritte && treiber.state() == QProcess::Running) {
            if (treiber.canReadLine() || treiber.waitForReadyRead(30000)) {
                while (gelesen < schritte && treiber.canReadLine()) {
                    treiber.readLine();
                    ++gelesen;
                }
            }
        }
        treiber.kill();
        ASSERT_TRUE(treiber.waitForFinished(30000));

        for (const auto& [relativ, paar] : altUndNeu) {
            const QByteArray jetzt = lesen(relativ);
            ASSERT_TRUE(jetzt == paar.first || jetzt == paar.second)
                << "Lauf " << lauf << ", " << relativ.toStdString() << ": " << jetzt.size()
                << " Bytes";
        }
    }

    // The next start: the first index of the data folder clears what the kills left.
    store::TagesverzeichnisErstellen(true);
    EXPECT_EQ(store::tageAnzahl, tage);
    QDirIterator rest(foundation::ordnerDat, QDir::Files | QDir::Hidden,
                      QDirIterator::Subdirectories);
    while (rest.hasNext()) {
        const QString name = QFileInfo(rest.next()).fileName();
        EXPECT_FALSE(platform::FileBatch::isLeftover(name)) << name.toStdString();
    }

    // Run once more to the end: every day is new.
    QProcess treiber;
    treiber.start(s(KORVANEL_STAPEL_TREIBER), {foundation::ordnerDat, kennwort});
    ASSERT_TRUE(treiber.waitForFinished(60000));
    EXPECT_EQ(treiber.exitCode(), 0);
    for (const auto& [relativ, paar] : altUndNeu)
        EXPECT_EQ(lesen(relativ), paar.second) << relativ.toStdString();
}

} // namespace
