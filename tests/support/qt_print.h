#pragma once
// Failures print German texts readably instead of as byte dumps.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
QT_END_NAMESPACE
