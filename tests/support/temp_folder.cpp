#include "temp_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

TempFolder::TempFolder()
{
    EXPECT_TRUE(dir_.isValid()) << dir_.errorString().toStdString();
}

QString TempFolder::path() const
{
    return dir_.path();
}

QString TempFolder::file(const QString& relative) const
{
    return dir_.path() + u'/' + relative;
}

void TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    writeFileBytes(file(relative), bytes);
}

QByteArray TempFolder::read(const QString& relative) const
{
    return readFileBytes(file(relative));
}

bool TempFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(file(relative));
}

void TempFolder::makeFolder(const QString& relative) const
{
    EXPECT_TRUE(QDir().mkpath(file(relative)));
}

void TempFolder::setPermissions(const QString& relative, QFileDevice::Permissions permissions) const
{
    EXPECT_TRUE(QFile::setPermissions(file(relative), permissions));
}

PermissionGuard::PermissionGuard(const QString& path)
    : path_(path), saved_(QFile::permissions(path))
{
}

PermissionGuard::~PermissionGuard()
{
    QFile::setPermissions(path_, saved_);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && out.write(bytes) == bytes.size() && out.flush();
    EXPECT_TRUE(written) << "cannot write " << path.toStdString();
}

QByteArray readFileBytes(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

std::map<QString, QByteArray> folderContents(const QString& root)
{
    std::map<QString, QByteArray> contents;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        contents[path.mid(root.size())] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<ordner>");
    }
    return contents;
}
