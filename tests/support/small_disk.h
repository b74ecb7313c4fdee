#pragma once
// A small file system of its own (tmpfs) for one test, so that the test can use it up: no free
// blocks, no free inodes, or a folder that takes no new entry. Only the super-user may mount it;
// elsewhere mounted() is false and the test skips (why() says so). It is unmounted, with
// everything on it, when the fixture ends.
//
//   SmallDisk disk(256 * 1024, 64);
//   if (!disk.mounted())
//       GTEST_SKIP() << disk.why();
//   disk.write("Daten/Brisol.ini", old);
//   disk.fillBlocks();
//   ... a write into disk.file("Daten/Brisol.ini") must fail and leave old ...
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class SmallDisk {
public:
    SmallDisk(qint64 bytes, int inodes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString why() const { return why_; }

    // The mount point without a final "/"; path() + "/" + relative.
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const;

    // Creates the file (and its folders) with exactly these bytes.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    // The names in the folder (hidden ones too), sorted.
    QStringList entries(const QString& relativeFolder) const;

    // Uses up the free blocks with a file in the root folder, up to leaveBytes (rounded down to
    // whole pages).
    void fillBlocks(qint64 leaveBytes = 0);
    // Uses up the free inodes with empty files in the root folder.
    void fillInodes();
    // Whether no entry may be added to, removed from or renamed in the folder (the immutable
    // flag, which binds the super-user too). False where the file system has no such flag.
    bool makeFolderImmutable(const QString& relativeFolder) const;

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString why_;
    int fillers_ = 0;
};
