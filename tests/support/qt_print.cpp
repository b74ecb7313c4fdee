#include "qt_print.h"

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toUtf8().toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << "bytes[" << bytes.size() << "] " << bytes.toHex(' ').toStdString();
}

void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i)
            *os << ", ";
        PrintTo(list[i], os);
    }
    *os << '}';
}
QT_END_NAMESPACE
