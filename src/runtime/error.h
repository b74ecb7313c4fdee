#pragma once
// The "current error" record: what the last failed operation left behind, in the Windows
// numbering the error dialog and its tips rely on.
#include <QString>

namespace rt {

// Error numbers of the runtime and of failed file operations.
enum ErrorNumber : int {
    ErrNone = 0,
    ErrInvalidCall = 5,        // Unzulässiger Prozeduraufruf oder ungültiges Argument
    ErrOverflow = 6,           // Überlauf
    ErrOutOfMemory = 7,        // Nicht genügend Speicher
    ErrSubscript = 9,          // Index außerhalb des gültigen Bereichs
    ErrDivisionByZero = 11,    // Division durch Null
    ErrTypeMismatch = 13,      // Typen unverträglich
    ErrBadFileName = 52,       // Dateiname oder -nummer falsch
    ErrFileNotFound = 53,      // Datei nicht gefunden
    ErrBadFileMode = 54,       // Dateimodus falsch
    ErrFileAlreadyOpen = 55,   // Datei bereits geöffnet
    ErrDeviceIO = 57,          // Fehler beim Lesen/Schreiben auf dem Gerät (E/A)
    ErrFileExists = 58,        // Datei existiert bereits
    ErrDiskFull = 61,          // Datenträger voll
    ErrInputPastEnd = 62,      // Einlesen hinter Dateiende
    ErrBadFileNameOnly = 64,   // Dateiname ungültig
    ErrTooManyFiles = 67,      // Zu viele Dateien
    ErrDeviceUnavailable = 68, // Gerät nicht verfügbar
    ErrPermissionDenied = 70,  // Zugriff verweigert
    ErrDiskNotReady = 71,      // Datenträger nicht bereit
    ErrRenameAcrossDisks = 74, // Umbenennen bei Angabe unterschiedlicher Laufwerke nicht möglich
    ErrPathFileAccess = 75,    // Fehler beim Zugriff auf Pfad/Datei
    ErrPathNotFound = 76,      // Pfad nicht gefunden
    ErrInvalidPropertyValue = 380, // Unzulässiger Eigenschaftswert
    ErrPrinterError = 482,     // Druckerfehler
};

struct ErrorRecord {
    int number = 0;
    QString description;
    QString source;

    explicit operator bool() const { return number != 0; }
};

// The record of this thread (the program has only the user-interface thread).
ErrorRecord& Err();

// Fills the record. An empty description takes the German standard text of the number.
void raiseError(int number, const QString& description = {}, const QString& source = {});

// Empties the record (VB's Err.Clear).
void clearError();

// Keeps the caller's record: whatever the guarded steps leave in it, the record is as it was
// when the guard ends. For services whose failures never reach their caller.
class ErrorRecordGuard {
public:
    ErrorRecordGuard() : saved_(Err()) {}
    ~ErrorRecordGuard() { Err() = saved_; }
    ErrorRecordGuard(const ErrorRecordGuard&) = delete;
    ErrorRecordGuard& operator=(const ErrorRecordGuard&) = delete;

    // The record as the caller left it.
    const ErrorRecord& saved() const { return saved_; }

private:
    ErrorRecord saved_;
};

// The German standard text of an error number ("Datei nicht gefunden" for 53); for an unknown
// number "Anwendungs- oder objektdefinierter Fehler".
QString errorText(int number);

} // namespace rt
