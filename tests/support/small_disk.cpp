#include "small_disk.h"

#include "temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// The inode flags of <linux/fs.h>, which cannot be included together with <sys/mount.h>.
const unsigned long getFlags = _IOR('f', 1, long);
const unsigned long setFlags = _IOW('f', 2, long);
const int immutableFlag = 0x00000010;

} // namespace

SmallDisk::SmallDisk(qint64 bytes, int inodes)
{
    if (::geteuid() != 0) {
        why_ = QStringLiteral("only the super-user mounts a small file system");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",nr_inodes="
        + QByteArray::number(inodes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData())
        != 0) {
        why_ = QStringLiteral("no tmpfs mounted here: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk()
{
    if (!mounted_)
        return;
    const QByteArray where = QFile::encodeName(path());
    if (::umount(where.constData()) != 0) {
        EXPECT_EQ(::umount2(where.constData(), MNT_DETACH), 0) << std::strerror(errno);
    }
}

QString SmallDisk::file(const QString& relative) const
{
    return path() + u'/' + relative;
}

void SmallDisk::write(const QString& relative, const QByteArray& bytes) const
{
    writeFileBytes(file(relative), bytes);
}

QByteArray SmallDisk::read(const QString& relative) const
{
    return readFileBytes(file(relative));
}

QStringList SmallDisk::entries(const QString& relativeFolder) const
{
    return QDir(file(relativeFolder))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

void SmallDisk::fillBlocks(qint64 leaveBytes)
{
    const QByteArray name = QFile::encodeName(file(QStringLiteral("Fueller") + QString::number(fillers_++)));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const QByteArray page(4096, 'f');
    qint64 size = 0;
    for (;;) {
        const ssize_t written = ::write(fd, page.constData(), static_cast<size_t>(page.size()));
        if (written <= 0)
            break;
        size += written;
    }
    const qint64 kept = std::max<qint64>(0, (size - leaveBytes) / 4096 * 4096);
    EXPECT_EQ(::ftruncate(fd, kept), 0);
    ::close(fd);
}

void SmallDisk::fillInodes()
{
    for (;;) {
        const QByteArray name = QFile::encodeName(file(QStringLiteral("Leer") + QString::number(fillers_++)));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            EXPECT_EQ(errno, ENOSPC);
            return;
        }
        ::close(fd);
    }
}

bool SmallDisk::makeFolderImmutable(const QString& relativeFolder) const
{
    const int fd = ::open(QFile::encodeName(file(relativeFolder)).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, getFlags, &flags) == 0;
    flags |= immutableFlag;
    done = done && ::ioctl(fd, setFlags, &flags) == 0;
    ::close(fd);
    return done;
}
