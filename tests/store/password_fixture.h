#pragma once
// A diary "Txt" with a title and day files, plain or under a password, with the services the
// password windows use replaced: scripted message boxes, recorded sounds and pointer, a clock
// that stands still (so a pause passes at once) and a program end that throws. The prompt is
// answered from a list of typed passwords instead of being shown.
#include "store_fixture.h"

#include "foundation/ini_store.h"
#include "foundation/reservation.h"
#include "platform/form.h"
#include "store/password_check.h"
#include "store/password_prompt.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_mouse_pointer.h"
#include "support/fake_program_end.h"
#include "support/fake_sound.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <deque>

class PasswordFixture : public StoreFixture {
protected:
    PasswordFixture()
    {
        store::resetKennwortMemo();
        store::resetPaßwortEingabe();
        store::PaßwortEingabeEinrichten();
        store::setPaßwortEingabeAnzeige([this](store::PaßwortEingabe& fenster) {
            ++abfragen;
            gezeigteKoepfe.append(fenster.bezKennwortHilfe->text());
            while (!fenster.angenommen()) {
                if (eingaben.empty()) {
                    ADD_FAILURE() << "the prompt asks once more than the test types";
                    return;
                }
                fenster.TxtPWin->setText(eingaben.front());
                eingaben.pop_front();
                fenster.befOk_Click();
            }
        });
        schreiben(s("Info.Txt"), ansi("Mein Tagebuch\r\n"));
    }
    ~PasswordFixture() override
    {
        store::setPaßwortEingabeAnzeige({});
        store::resetKennwortMemo();
        store::resetPaßwortEingabe();
        foundation::resetReservierung();
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        // Windows unloaded by the test or while the program ended are destroyed here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Writes the entry of a day ("yyyymmdd") under a password ("" = plain).
    void tagSchreiben(const QString& tag, const QString& text, const QString& kennwort) const
    {
        const QString vorher = store::kennwortSchreiben;
        store::kennwortSchreiben = kennwort;
        ASSERT_TRUE(store::EintragDateiSchreiben(tag + s(".Txt"), text).has_value());
        store::kennwortSchreiben = vorher;
    }
    static QString tagesdatei(const QString& tag) { return tag.left(4) + u'/' + tag + s(".Txt"); }

    // The bytes a day file must hold: the plain Windows-1252 text, or the marker followed by the
    // text with the password header, XORed with the key stream (block i = SHA-256 of the key
    // and i as 8 bytes little-endian), computed here on its own.
    static QByteArray erwarteteDatei(const QString& text, const QString& kennwort)
    {
        if (kennwort.isEmpty())
            return rt::toAnsi(text);
        const QByteArray klar = rt::toAnsi((kennwort + QString(15, u' ')).left(15) + text);
        QByteArray strom;
        for (quint64 block = 0; strom.size() < klar.size(); ++block) {
            QByteArray eingabe = QByteArray(store::festerSchluessel);
            for (int i = 0; i < 8; ++i)
                eingabe.append(static_cast<char>((block >> (8 * i)) & 0xFF));
            strom += QCryptographicHash::hash(eingabe, QCryptographicHash::Sha256);
        }
        QByteArray datei = ansi("..Korvanel verschlüsselt ");
        for (qsizetype i = 0; i < klar.size(); ++i)
            datei.append(static_cast<char>(klar[i] ^ strom[i]));
        return datei;
    }

    // The lines of the usage log without their date and time.
    QStringList nutzung() const
    {
        QStringList zeilen;
        const QString text = rt::decodeText(lesen(s("Korvanel.use")));
        for (const QString& zeile : text.split(s("\r\n"), Qt::SkipEmptyParts))
            zeilen.append(zeile.mid(21));
        return zeilen;
    }
    // The times "hh:nn:ss" of the usage-log lines.
    QStringList nutzungZeiten() const
    {
        QStringList zeiten;
        const QString text = rt::decodeText(lesen(s("Korvanel.use")));
        for (const QString& zeile : text.split(s("\r\n"), Qt::SkipEmptyParts))
            zeiten.append(zeile.mid(11, 8));
        return zeiten;
    }

    // This copy holds the reservation of the data folder.
    void reserviert() const
    {
        foundation::IniSchreiben(QString(), s("Allgemein"), s("User"), s("Anna"));
        foundation::DateiReservierung(1);
        ASSERT_EQ(foundation::IniLesen(foundation::ordnerDat + s("/NetWatch.ini"),
                                       s("UserJetzt_"), s("User")),
                  s("Anna"));
    }
    QString reservierungsInhaber() const
    {
        return foundation::IniLesen(foundation::ordnerDat + s("/NetWatch.ini"), s("UserJetzt_"),
                                    s("User"), s("<fehlt>"));
    }

    std::deque<QString> eingaben; // what the user types into the prompt, one per OK
    int abfragen = 0;             // prompts shown
    QStringList gezeigteKoepfe;   // the label text of each prompt

    InstalledFake<FakeClock> uhr{platform::setClock, rt::dateTimeOf(2024, 3, 5, 12, 0, 0)};
    InstalledFake<FakeDialogs> dialoge{platform::setDialogs};
    InstalledFake<FakeSound> ton{platform::setSound};
    InstalledFake<FakeMousePointer> zeiger{platform::setMousePointer};
    InstalledFake<FakeProgramEnd> ende{platform::setProgramEnd};
};
