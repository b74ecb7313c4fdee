#include "path_resolver.h"

#include "runtime/strings.h"

#include <QDir>
#include <QFileInfo>

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

// The entry of folder that matches name without regard to case; of several, the first in name
// order. Empty when there is none.
QString matchInFolder(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::NoSort);
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
    const QDir::Filters filters =
        (kind == EntryKind::Files ? QDir::Files : QDir::Dirs) | QDir::NoDotAndDotDot;
    const QStringList entries = QDir(where.path).entryList(filters, QDir::NoSort);

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
