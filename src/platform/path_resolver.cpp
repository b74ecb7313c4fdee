#include "path_resolver.h"

#include "folder_memory.h"

#include "runtime/strings.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace platform {

namespace {

struct Resolution {
    QString path;
    bool exists = false;
};

QString joined(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

// What a folder looked like when it was listed. A listing is used again only while the folder's
// device, inode, size, modification and change times are the same, and only when those times lay
// clearly before the listing: a name added in the same tick of the file system's clock (coarse
// on many file systems, whole seconds on network shares) leaves the times as they were.
struct Listing {
    FileStamp stamp;
    bool settled = false; // the times lay clearly before the listing
    QStringList all;      // every entry, in the folder's own order
    QStringList files;    // the visible files
    QStringList folders;  // the visible folders
    QHash<QString, QString> byLowerName; // lower-cased name: the first spelling in name order
    QSet<QString> exact;                 // every entry
};

// How long a folder's times must lie before its listing for the listing to be used again: a
// file system that keeps times to the nanosecond ticks in a few milliseconds; one that keeps
// whole seconds (network shares, FAT) in up to two seconds.
std::optional<qint64> settleOverride;

qint64 settleNs(const struct stat& info)
{
    if (settleOverride)
        return *settleOverride;
    const bool fine = info.st_mtim.tv_nsec != 0 || info.st_ctim.tv_nsec != 0;
    return fine ? 100'000'000 : 3'000'000'000;
}

qint64 nanoseconds(const timespec& t)
{
    return static_cast<qint64>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Reads the names of folder into listing, never "." and "..", in the directory's own order:
// every entry, and apart the files and the folders whose names do not begin with "." (a link
// counts as what it points to; a broken link, a device, a pipe or a socket is neither). The file
// type comes with the directory entry on most file systems, so the disk is asked once per
// folder, not once per entry: the folders searched here may hold thousands of entries (a year of
// day files, the system's library folder). False when the folder cannot be read.
bool readListing(const QString& folder, Listing& listing)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR* dir = opendir(path.constData());
    if (dir == nullptr)
        return false;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        const QString decoded = QFile::decodeName(name);
        listing.all.append(decoded);
        listing.exact.insert(decoded);
        QString& best = listing.byLowerName[rt::LCase(decoded)];
        if (best.isEmpty() || decoded < best)
            best = decoded;
        if (name[0] == '.')
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat info {};
            const QByteArray full = path + '/' + name;
            if (stat(full.constData(), &info) != 0)
                continue;
            type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == DT_REG)
            listing.files.append(decoded);
        else if (type == DT_DIR)
            listing.folders.append(decoded);
    }
    closedir(dir);
    return true;
}

struct ListingCache {
    QMutex mutex;
    QHash<QString, std::shared_ptr<const Listing>> byFolder;
    // Paths found missing (no entry of the name in any spelling), by path: their folder and
    // name.
    QHash<QString, std::pair<QString, QString>> missing;
};

ListingCache& listings()
{
    static ListingCache cache;
    return cache;
}

// The listing of folder (a path as it is on disk): the remembered one when the folder did not
// change, else a fresh one. Null when the folder is missing or cannot be read.
std::shared_ptr<const Listing> folderListing(const QString& folder)
{
    const QString key = folder.isEmpty() ? QStringLiteral(".") : folder;
    struct stat now {};
    if (::stat(QFile::encodeName(key).constData(), &now) != 0 || !S_ISDIR(now.st_mode))
        return nullptr;
    ListingCache& cache = listings();
    {
        const QMutexLocker lock(&cache.mutex);
        const auto known = cache.byFolder.constFind(key);
        if (known != cache.byFolder.cend()) {
            const Listing& l = **known;
            if (l.settled && sameStamp(l.stamp, now))
                return *known;
        }
    }
    auto listing = std::make_shared<Listing>();
    listing->stamp = fileStamp(now);
    listing->settled = settledNow(now);
    if (!readListing(key, *listing))
        return nullptr;
    const QMutexLocker lock(&cache.mutex);
    // A program looks into a handful of folders; a long run in many folders starts afresh.
    if (cache.byFolder.size() >= 256)
        cache.byFolder.clear();
    cache.byFolder.insert(key, listing);
    return listing;
}

// The entry of folder that matches name without regard to case; of several, the first in name
// order. Empty when there is none.
QString matchIn(const Listing& listing, const QString& name)
{
    return listing.byLowerName.value(rt::LCase(name));
}

QString matchInFolder(const QString& folder, const QString& name)
{
    const std::shared_ptr<const Listing> listing = folderListing(folder);
    return listing ? matchIn(*listing, name) : QString();
}

// Whether path was found missing at the last look and one stat of its folder shows the folder
// as it was listed then (and settled): then no entry of that name in any spelling has come.
bool stillMissing(const QString& path)
{
    ListingCache& cache = listings();
    QString folder;
    QString name;
    std::shared_ptr<const Listing> listing;
    {
        const QMutexLocker lock(&cache.mutex);
        const auto known = cache.missing.constFind(path);
        if (known == cache.missing.cend())
            return false;
        folder = known->first;
        name = known->second;
        listing = cache.byFolder.value(folder);
    }
    // The folder's listing as remembered now (it may be newer than the look that found the
    // name missing), still holding no such name and still what the folder is.
    struct stat now {};
    if (listing && listing->settled && matchIn(*listing, name).isEmpty()
        && ::stat(QFile::encodeName(folder).constData(), &now) == 0 && S_ISDIR(now.st_mode)
        && sameStamp(listing->stamp, now))
        return true;
    const QMutexLocker lock(&cache.mutex);
    cache.missing.remove(path);
    return false;
}

void noteMissing(const QString& path, const QString& folder, const QString& name,
                 const Listing& listing)
{
    if (!listing.settled)
        return;
    ListingCache& cache = listings();
    const QMutexLocker lock(&cache.mutex);
    if (cache.missing.size() >= 1024)
        cache.missing.clear();
    cache.missing.insert(path, {folder, name});
}

Resolution resolve(const QString& input)
{
    QString path = input;
    path.replace(u'\\', u'/');
    const bool absolute = path.startsWith(u'/');
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    const QString root = absolute ? QStringLiteral("/") : QString();
    if (parts.isEmpty())
        return {root, absolute};

    // The usual case: the path is written as it exists. One question to the disk.
    const QString asGiven = root + parts.join(u'/');
    // A file looked for again and again that is not there (an optional side file): one
    // question to its folder.
    if (stillMissing(asGiven))
        return {asGiven, false};
    struct stat info {};
    if (::lstat(QFile::encodeName(asGiven).constData(), &info) == 0) {
        // A link that leads nowhere is there as a name, but does not exist as a file.
        const bool dangling =
            S_ISLNK(info.st_mode) && ::stat(QFile::encodeName(asGiven).constData(), &info) != 0;
        if (!dangling)
            return {asGiven, true};
    }

    // Next most usual: the folder is written as it exists and the name is not, or in another
    // spelling. One look at the folder's (remembered) listing.
    const QString& last = parts.last();
    if (parts.size() > 1 && last != u"." && last != u"..") {
        const QString folder = root + parts.mid(0, parts.size() - 1).join(u'/');
        if (const std::shared_ptr<const Listing> listing = folderListing(folder)) {
            const QString spelling = matchIn(*listing, last);
            if (spelling.isEmpty()) {
                // Only an absolute path: a relative one would name another file in another
                // current folder.
                if (absolute && joined(folder, last) == asGiven)
                    noteMissing(asGiven, folder, last, *listing);
                return {joined(folder, last), false};
            }
            return {joined(folder, spelling), true};
        }
    }

    QString current = root;
    bool found = true;
    for (const QString& part : parts) {
        QString spelling = part;
        if (found && part != u"." && part != u"..") {
            if (!QFileInfo::exists(joined(current, part))) {
                spelling = matchInFolder(current, part);
                if (spelling.isEmpty()) {
                    spelling = part;
                    found = false;
                }
            }
        }
        current = joined(current, spelling);
    }
    return {current, found};
}

bool wildcardMatch(QStringView text, QStringView pattern)
{
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype star = -1;
    qsizetype resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == text[t])) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = t;
        } else if (star >= 0) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool lowerMaskMatch(const QString& lowerName, const QString& lowerPattern)
{
    if (lowerPattern.isEmpty() || wildcardMatch(lowerName, lowerPattern))
        return true;
    // "name.*" also finds "name", as "*.*" finds every file.
    return lowerPattern.endsWith(u".*")
        && wildcardMatch(lowerName, QStringView(lowerPattern).chopped(2));
}

} // namespace

QString resolvePath(const QString& path)
{
    return resolve(path).path;
}

bool pathExists(const QString& path)
{
    return resolve(path).exists;
}

FileStamp fileStamp(const struct stat& info)
{
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool sameStamp(const FileStamp& stamp, const struct stat& info)
{
    return stamp.device == info.st_dev && stamp.inode == info.st_ino
           && stamp.size == info.st_size && sameTime(stamp.modified, info.st_mtim)
           && sameTime(stamp.changed, info.st_ctim);
}

bool settledNow(const struct stat& info)
{
    timespec clock{};
    ::clock_gettime(CLOCK_REALTIME, &clock);
    const qint64 newest = std::max(nanoseconds(info.st_mtim), nanoseconds(info.st_ctim));
    return newest + settleNs(info) < nanoseconds(clock);
}

void setSettleTimeForTests(std::optional<qint64> ns)
{
    settleOverride = ns;
}

bool rememberedMissing(const QString& path)
{
    return stillMissing(path);
}

QString rememberedSpelling(const QString& folder, const QString& name)
{
    ListingCache& cache = listings();
    const QMutexLocker lock(&cache.mutex);
    const auto known = cache.byFolder.constFind(folder);
    if (known == cache.byFolder.cend())
        return {};
    // As resolvePath: the exact spelling first.
    return (*known)->exact.contains(name) ? name : matchIn(**known, name);
}

bool matchesFileMask(const QString& name, const QString& pattern)
{
    return lowerMaskMatch(rt::LCase(name), rt::LCase(pattern));
}

QStringList listFolder(const QString& folder, const QString& pattern, EntryKind kind)
{
    const Resolution where = resolve(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!where.exists)
        return {};
    const std::shared_ptr<const Listing> listing = folderListing(where.path);
    if (!listing)
        return {};
    const QStringList& entries = kind == EntryKind::Files ? listing->files : listing->folders;

    const QString lowerPattern = rt::LCase(pattern);
    struct Entry {
        QString lower;
        QString name;
    };
    std::vector<Entry> matches;
    for (const QString& entry : entries) {
        QString lower = rt::LCase(entry);
        if (lowerMaskMatch(lower, lowerPattern))
            matches.push_back({std::move(lower), entry});
    }
    std::sort(matches.begin(), matches.end(), [](const Entry& a, const Entry& b) {
        const int order = a.lower.compare(b.lower);
        return order != 0 ? order < 0 : a.name < b.name;
    });

    QStringList names;
    names.reserve(static_cast<qsizetype>(matches.size()));
    for (Entry& match : matches)
        names.append(std::move(match.name));
    return names;
}

} // namespace platform
