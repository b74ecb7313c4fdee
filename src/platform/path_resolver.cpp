#include "path_resolver.h"

#include "runtime/strings.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

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

enum class Entries { All, VisibleFiles, VisibleFolders };

// The names in folder, never "." and "..", read straight from the directory in its own order:
// every entry (All), or the files or folders whose names do not begin with "." (a link counts as
// what it points to; a broken link, a device, a pipe or a socket is neither). The file type comes
// with the directory entry on most file systems, so the disk is asked once per folder, not once
// per entry: the folders searched here may hold thousands of entries (a year of day files, the
// system's library folder). A folder that cannot be read gives no names.
QStringList namesIn(const QString& folder, Entries which)
{
    QStringList names;
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR* dir = opendir(path.constData());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        if (which != Entries::All) {
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
            if (type != (which == Entries::VisibleFiles ? DT_REG : DT_DIR))
                continue;
        }
        names.append(QFile::decodeName(name));
    }
    closedir(dir);
    return names;
}

// The entry of folder that matches name without regard to case; of several, the first in name
// order. Empty when there is none.
QString matchInFolder(const QString& folder, const QString& name)
{
    const QStringList entries = namesIn(folder, Entries::All);
    QString best;
    for (const QString& entry : entries) {
        if (rt::equalsNoCase(entry, name) && (best.isEmpty() || entry < best))
            best = entry;
    }
    return best;
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
    if (QFileInfo::exists(asGiven))
        return {asGiven, true};

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

bool matchesFileMask(const QString& name, const QString& pattern)
{
    return lowerMaskMatch(rt::LCase(name), rt::LCase(pattern));
}

QStringList listFolder(const QString& folder, const QString& pattern, EntryKind kind)
{
    const Resolution where = resolve(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!where.exists)
        return {};
    const QStringList entries = namesIn(
        where.path, kind == EntryKind::Files ? Entries::VisibleFiles : Entries::VisibleFolders);

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
