#pragma once
// A temporary folder for one test, removed with everything in it when the test ends. Files are
// written and read as bytes, so that tests compare exactly what is on disk.
//
//   TempFolder temp;
//   temp.write("Brisol.ini", "[Korvanel]\r\nx=1\r\n");
//   EXPECT_EQ(temp.read("Brisol.ini"), QByteArray("..."));
#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QTemporaryDir>

#include <map>

class TempFolder {
public:
    TempFolder();

    // The folder without a final "/".
    QString path() const;
    // path() + "/" + relative.
    QString file(const QString& relative) const;

    // Creates the file (and the folders on its way) with exactly these bytes.
    void write(const QString& relative, const QByteArray& bytes) const;
    // The bytes of the file; empty when it cannot be read.
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Creates the folder and the folders on its way.
    void makeFolder(const QString& relative) const;
    void setPermissions(const QString& relative, QFileDevice::Permissions permissions) const;

private:
    QTemporaryDir dir_;
};

// Creates the file at path (and the folders on its way) with exactly these bytes, written
// through to the file system; a failure fails the test.
void writeFileBytes(const QString& path, const QByteArray& bytes);
// The bytes of the file at path; empty when it cannot be read.
QByteArray readFileBytes(const QString& path);

// Every file and folder below root (hidden ones too) with its bytes, keyed by the path below
// root; a folder, or a file that cannot be read, stands as "<ordner>". For "nothing changed"
// checks: compare the contents before and after.
std::map<QString, QByteArray> folderContents(const QString& root);

// Puts the permissions of a file or folder back when it goes out of scope, so that the temporary
// folder can be removed even after a test made something read-only.
class PermissionGuard {
public:
    explicit PermissionGuard(const QString& path);
    ~PermissionGuard();
    PermissionGuard(const PermissionGuard&) = delete;
    PermissionGuard& operator=(const PermissionGuard&) = delete;

private:
    QString path_;
    QFileDevice::Permissions saved_;
};

// Whether the tests run with the rights of the super-user, who may write into folders without
// write permission.
bool runningAsRoot();
