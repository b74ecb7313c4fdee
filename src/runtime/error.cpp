#include "error.h"

#include <QHash>

namespace rt {

ErrorRecord& Err()
{
    static ErrorRecord record;
    return record;
}

void raiseError(int number, const QString& description, const QString& source)
{
    ErrorRecord& record = Err();
    record.number = number;
    record.description = description.isEmpty() ? errorText(number) : description;
    record.source = source;
}

void clearError()
{
    Err() = ErrorRecord{};
}

QString errorText(int number)
{
    static const QHash<int, QString> texts{
        {ErrInvalidCall, QStringLiteral("Unzulässiger Prozeduraufruf oder ungültiges Argument")},
        {ErrOverflow, QStringLiteral("Überlauf")},
        {ErrOutOfMemory, QStringLiteral("Nicht genügend Speicher")},
        {ErrSubscript, QStringLiteral("Index außerhalb des gültigen Bereichs")},
        {ErrDivisionByZero, QStringLiteral("Division durch Null")},
        {ErrTypeMismatch, QStringLiteral("Typen unverträglich")},
        {ErrBadFileName, QStringLiteral("Dateiname oder -nummer falsch")},
        {ErrFileNotFound, QStringLiteral("Datei nicht gefunden")},
        {ErrBadFileMode, QStringLiteral("Dateimodus falsch")},
        {ErrFileAlreadyOpen, QStringLiteral("Datei bereits geöffnet")},
        {ErrDeviceIO, QStringLiteral("Fehler beim Lesen/Schreiben auf dem Gerät (E/A)")},
        {ErrFileExists, QStringLiteral("Datei existiert bereits")},
        {ErrDiskFull, QStringLiteral("Datenträger voll")},
        {ErrInputPastEnd, QStringLiteral("Einlesen hinter Dateiende")},
        {ErrBadFileNameOnly, QStringLiteral("Dateiname ungültig")},
        {ErrTooManyFiles, QStringLiteral("Zu viele Dateien")},
        {ErrDeviceUnavailable, QStringLiteral("Gerät nicht verfügbar")},
        {ErrPermissionDenied, QStringLiteral("Zugriff verweigert")},
        {ErrDiskNotReady, QStringLiteral("Datenträger nicht bereit")},
        {ErrRenameAcrossDisks, QStringLiteral("Umbenennen bei Angabe unterschiedlicher Laufwerke nicht möglich")},
        {ErrPathFileAccess, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei")},
        {ErrPathNotFound, QStringLiteral("Pfad nicht gefunden")},
        {ErrInvalidPropertyValue, QStringLiteral("Unzulässiger Eigenschaftswert")},
        {ErrPrinterError, QStringLiteral("Druckerfehler")},
    };
    if (number == 0)
        return {};
    return texts.value(number, QStringLiteral("Anwendungs- oder objektdefinierter Fehler"));
}

} // namespace rt
