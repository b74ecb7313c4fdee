#include "foundation/name_format.h"

#include "runtime/codec.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

using foundation::CopyrightZeile;
using foundation::DosNachAnsi;

TEST(CopyrightZeile, fillsInTheFirstYearAndBreaksLines)
{
    const QString praefix = QString::fromUtf16(foundation::copyrightPraefix);
    ASSERT_EQ(praefix.size(), 12);
    ASSERT_TRUE(praefix.endsWith(u' '));

    const struct {
        const char* name;
        QString zeile, erwartet;
    } faelle[] = {
        {"later year gets the first year",
         u"Copyright © 2027 Brisol"_qs, u"Copyright © 2026-2027 Brisol"_qs},
        {"prefix and a year only", u"Copyright © 2031"_qs, u"Copyright © 2026-2031"_qs},
        {"first year present: only line breaks",
         u"Copyright © 2026 Brisol~Alle Rechte"_qs, u"Copyright © 2026 Brisol\r\nAlle Rechte"_qs},
        {"range present", u"Copyright © 2026-2030"_qs, u"Copyright © 2026-2030"_qs},
        {"without prefix: only line breaks",
         u"Brisol~~Version 1"_qs, u"Brisol\r\n\r\nVersion 1"_qs},
        {"prefix differently spelled is no prefix", u"copyright © 2027"_qs, u"copyright © 2027"_qs},
        {"text before the prefix is kept",
         u"Korvanel, Copyright © 2028~Brisol"_qs, u"Korvanel, Copyright © 2026-2028\r\nBrisol"_qs},
        {"empty", u""_qs, u""_qs},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(CopyrightZeile(f.zeile), f.erwartet);
    }
}

TEST(DosNachAnsi, replacesTheGermanLettersOfDosTextInPlace)
{
    // The bytes of a DOS file as the program reads text files: as Windows-1252.
    QString text = rt::fromAnsi(QByteArray("Gr\x81\xe1" "e \x8e\x99\x9a \x84\x94 Stra\xe1" "e"));
    const QString ergebnis = DosNachAnsi(text);
    EXPECT_EQ(ergebnis, u"Grüße ÄÖÜ äö Straße"_qs);
    EXPECT_EQ(text, ergebnis);

    QString ohne = u"Grüße aus Köln, 5 € – »gut« “x“"_qs;
    EXPECT_EQ(DosNachAnsi(ohne), u"Grüße aus Köln, 5 € – »gut« “x“"_qs);
}
