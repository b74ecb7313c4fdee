#include "foundation/command_template.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(BefehlAusVorlage, splitsFirstThenFillsEachArgumentInOnePass)
{
    const std::vector<foundation::Platzhalter> werte = {
        {s("{Ordner}"), s("/home/anna/Tage buch")},
        {s("{Caption}"), s("{Ordner} $(id)")},
        {s("{Leer}"), QString()},
    };
    struct Row {
        const char* name;
        const char* vorlage;
        QStringList argumente;
    };
    const Row rows[] = {
        {"a value with blanks stays one argument", "xdg-open {Ordner}",
         {s("xdg-open"), s("/home/anna/Tage buch")}},
        {"placeholders in any case, inside an argument", "fm --root={ORDNER} -t{caption}",
         {s("fm"), s("--root=/home/anna/Tage buch"), s("-t{Ordner} $(id)")}},
        {"quotes keep blanks and are dropped", "\"/opt/Mein Programm/fm\" \"-a b\" {ordner}",
         {s("/opt/Mein Programm/fm"), s("-a b"), s("/home/anna/Tage buch")}},
        {"unknown braces and a lone brace stay", "fm {Datei} { {Ordner",
         {s("fm"), s("{Datei}"), s("{"), s("{Ordner")}},
        {"an empty value leaves an empty argument", "fm {Leer} x", {s("fm"), QString(), s("x")}},
        {"a template without placeholders is taken unchanged", "Explorer /e,/root",
         {s("Explorer"), s("/e,/root")}},
        {"an empty template starts nothing", "  ", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(foundation::befehlAusVorlage(s(row.vorlage), werte), row.argumente);
    }
}

} // namespace
