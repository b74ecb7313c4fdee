#include "ini_file.h"

#include "file_lock.h"
#include "folder_memory.h"
#include "path_resolver.h"
#include "text_file.h"
#include "runtime/codec.h"
#include "runtime/error.h"
#include "runtime/strings.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <vector>

namespace platform::ini {

namespace {

const char utf8Bom[] = "\xEF\xBB\xBF";
const QString lineEnd = QStringLiteral("\r\n");

bool isBlankOrTab(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool isBlankOrTab(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// Section names and keys as they are compared and written: blanks and tabs trimmed.
QString trimmedName(const QString& name)
{
    qsizetype from = 0;
    qsizetype to = name.size();
    while (from < to && isBlankOrTab(name[from]))
        ++from;
    while (to > from && isBlankOrTab(name[to - 1]))
        --to;
    return name.mid(from, to - from);
}

bool holdsLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

enum class Kind { Other, Section, Key };

struct Line {
    qsizetype start = 0; // first byte of the text
    qsizetype end = 0;   // first byte of the line end; == next when the line has none
    qsizetype next = 0;  // first byte of the following line
    Kind kind = Kind::Other;
    qsizetype nameStart = 0; // the section name or the key, trimmed
    qsizetype nameEnd = 0;
    qsizetype valueStart = 0; // behind the "=" of a key line

    bool hasLineEnd() const { return next > end; }
};

// One INI file as bytes and lines. Blanks, tabs, brackets, "=", ";", CR and LF are ASCII, so the
// lines are cut and classified on the bytes in either encoding; only names and values are
// decoded.
class Document {
public:
    explicit Document(QByteArray bytes) : bytes_(std::move(bytes))
    {
        utf8_ = rt::hasUtf8Bom(bytes_);
        body_ = utf8_ ? 3 : 0;
        cutLines();
    }

    const QByteArray& bytes() const { return bytes_; }
    bool utf8() const { return utf8_; }
    qsizetype body() const { return body_; }
    const std::vector<Line>& lines() const { return lines_; }

    QString decode(qsizetype from, qsizetype to) const
    {
        const char* data = bytes_.constData() + from;
        const qsizetype size = to - from;
        if (utf8_)
            return QString::fromUtf8(data, size);
        QString text(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            text[i] = rt::ansiToChar(static_cast<unsigned char>(data[i]));
        return text;
    }

    QString name(const Line& line) const { return decode(line.nameStart, line.nameEnd); }

    // Whether the name of the line equals wanted without regard to case.
    bool nameIs(const Line& line, const QString& wanted) const
    {
        // In Windows-1252 a byte is a character: a name of another length cannot match.
        if (!utf8_ && line.nameEnd - line.nameStart != wanted.size())
            return false;
        return rt::equalsNoCase(name(line), wanted);
    }

    // The value of a key line: blanks trimmed, one pair of enclosing double quotes removed.
    QString value(const Line& line) const
    {
        QString text = rt::Trim(decode(line.valueStart, line.end));
        if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
            text = text.mid(1, text.size() - 2);
        return text;
    }

    // The index of the first section line of that name, or -1.
    qsizetype findSection(const QString& wanted) const
    {
        for (qsizetype i = 0; i < static_cast<qsizetype>(lines_.size()); ++i) {
            if (lines_[i].kind == Kind::Section && nameIs(lines_[i], wanted))
                return i;
        }
        return -1;
    }

    // The index behind the last line of the section whose header is at index header.
    qsizetype sectionEnd(qsizetype header) const
    {
        qsizetype i = header + 1;
        while (i < static_cast<qsizetype>(lines_.size()) && lines_[i].kind != Kind::Section)
            ++i;
        return i;
    }

private:
    void cutLines()
    {
        const char* data = bytes_.constData();
        const qsizetype size = bytes_.size();
        lines_.reserve(static_cast<std::size_t>(size / 24 + 1));
        qsizetype start = body_;
        while (start < size) {
            Line line;
            line.start = start;
            qsizetype i = start;
            while (i < size && data[i] != '\r' && data[i] != '\n')
                ++i;
            line.end = i;
            if (i < size)
                i += (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ? 2 : 1;
            line.next = i;
            classify(data, line);
            lines_.push_back(line);
            start = line.next;
        }
    }

    static void classify(const char* data, Line& line)
    {
        qsizetype p = line.start;
        while (p < line.end && isBlankOrTab(data[p]))
            ++p;
        if (p == line.end || data[p] == ';')
            return;
        if (data[p] == '[') {
            qsizetype close = line.end - 1;
            while (close > p && data[close] != ']')
                --close;
            if (close > p) {
                line.kind = Kind::Section;
                setTrimmedName(data, line, p + 1, close);
            }
            return;
        }
        qsizetype equals = p;
        while (equals < line.end && data[equals] != '=')
            ++equals;
        if (equals == line.end || equals == p)
            return;
        line.kind = Kind::Key;
        line.valueStart = equals + 1;
        setTrimmedName(data, line, p, equals);
        if (line.nameStart == line.nameEnd)
            line.kind = Kind::Other;
    }

    static void setTrimmedName(const char* data, Line& line, qsizetype from, qsizetype to)
    {
        while (from < to && isBlankOrTab(data[from]))
            ++from;
        while (to > from && isBlankOrTab(data[to - 1]))
            --to;
        line.nameStart = from;
        line.nameEnd = to;
    }

    QByteArray bytes_;
    bool utf8_ = false;
    qsizetype body_ = 0;
    std::vector<Line> lines_;
};

enum class Loaded { Yes, Missing, Failed };

Loaded load(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QFileInfo::exists(path) ? Loaded::Failed : Loaded::Missing;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? Loaded::Yes : Loaded::Failed;
}

QString filePath(const QString& file)
{
    QString path = file;
    path.replace(u'\\', u'/');
    if (!path.isEmpty() && !path.contains(u'/'))
        path = bareNameFolder() + u'/' + path;
    return resolvePath(path);
}

// A replacement of the bytes [from, to) by text.
struct Edit {
    qsizetype from = 0;
    qsizetype to = 0;
    QString text;
};

// The new bytes of the file: the edits (in file order, not overlapping) spliced into the old
// bytes. Untouched bytes stay as they are, unless a Windows-1252 file must become UTF-8 because a
// new character does not fit; then the whole file is converted.
QByteArray applied(const Document& doc, const std::vector<Edit>& edits)
{
    bool toUtf8 = doc.utf8();
    for (const Edit& edit : edits)
        toUtf8 = toUtf8 || !rt::fitsAnsi(edit.text);
    const bool convert = toUtf8 && !doc.utf8();
    const QByteArray& old = doc.bytes();
    auto kept = [&](qsizetype from, qsizetype to) {
        const QByteArray part = old.mid(from, to - from);
        return convert ? rt::fromAnsi(part).toUtf8() : part;
    };

    QByteArray result;
    result.reserve(old.size() + 64);
    if (toUtf8)
        result += utf8Bom;
    qsizetype position = doc.body();
    for (const Edit& edit : edits) {
        result += kept(position, edit.from);
        result += toUtf8 ? edit.text.toUtf8() : rt::toAnsi(edit.text);
        position = edit.to;
    }
    result += kept(position, old.size());
    return result;
}

bool failed(int errorNumber)
{
    rt::raiseError(errorNumber);
    return false;
}

// The common way of write and the removals: load the file, let change() compute the edits, store
// the result when it differs.
template <class Change>
bool update(const QString& file, bool createWhenMissing, Change change)
{
    const QString path = filePath(file);
    if (path.isEmpty())
        return failed(rt::ErrBadFileName);
    // Other copies, other users and the family's programs change the same files: nobody else's
    // read-change-write may fall between our read and our write.
    const FileLock lock(path);
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());

    QByteArray bytes;
    const Loaded loaded = load(path, bytes);
    if (loaded == Loaded::Failed)
        return failed(info.isDir() || info.isReadable() ? rt::ErrPathFileAccess
                                                        : rt::ErrPermissionDenied);
    if (loaded == Loaded::Missing) {
        if (!createWhenMissing)
            return true;
        if (!folder.isDir())
            return failed(rt::ErrPathNotFound);
    }

    const Document doc(bytes);
    const std::vector<Edit> edits = change(doc);
    if (edits.empty())
        return true;
    const QByteArray result = applied(doc, edits);
    if (loaded == Loaded::Yes && result == bytes)
        return true;

    if (loaded == Loaded::Yes ? writeProtected(info) : !folder.isWritable())
        return failed(rt::ErrPermissionDenied);
    return writeFile(path, result);
}

// A parsed file as it was read, with what tells whether the file is still the same.
struct Remembered {
    FileStamp stamp;
    std::shared_ptr<const Document> doc;
};

struct DocumentCache {
    QMutex mutex;
    QHash<QString, Remembered> byPath;
};

DocumentCache& documents()
{
    static DocumentCache cache;
    return cache;
}

// The parsed file, read from disk unless the form kept from an earlier read is of the same file:
// same device, inode, size, modification and change time (one stat). Every write of the program
// replaces a file by a rename, so a write of another process always shows as another inode; a
// writer in place changes the change time. Null when the file is missing or cannot be read.
std::shared_ptr<const Document> loaded(const QString& file)
{
    QString path = file;
    path.replace(u'\\', u'/');
    if (!path.isEmpty() && !path.contains(u'/'))
        path = bareNameFolder() + u'/' + path;
    if (path.isEmpty() || rememberedMissing(path))
        return nullptr;
    struct stat now {};
    if (::stat(QFile::encodeName(path).constData(), &now) != 0) {
        // Another spelling, or no file at all.
        const QString resolved = resolvePath(path);
        if (resolved == path || ::stat(QFile::encodeName(resolved).constData(), &now) != 0)
            return nullptr;
        path = resolved;
    }
    DocumentCache& cache = documents();
    {
        const QMutexLocker lock(&cache.mutex);
        const auto known = cache.byPath.constFind(path);
        if (known != cache.byPath.cend() && sameStamp(known->stamp, now))
            return known->doc;
    }

    PlainFile read = readPlainFile(path);
    if (read.state != PlainFile::State::Read)
        return nullptr;
    now = read.info;
    auto doc = std::make_shared<const Document>(std::move(read.bytes));

    const bool settled = settledNow(now);
    const QMutexLocker lock(&cache.mutex);
    if (settled) {
        // A program reads a handful of INI files; a long run over many starts afresh.
        if (cache.byPath.size() >= 64)
            cache.byPath.clear();
        cache.byPath.insert(path, {fileStamp(now), doc});
    } else {
        cache.byPath.remove(path);
    }
    return doc;
}

bool validSection(const QString& section)
{
    return !section.isEmpty() && !holdsLineBreak(section);
}

bool validKey(const QString& key)
{
    return !key.isEmpty() && !holdsLineBreak(key) && !key.contains(u'=')
        && !key.startsWith(u'[') && !key.startsWith(u';');
}

} // namespace

std::optional<QString> read(const QString& file, const QString& section, const QString& key)
{
    const std::shared_ptr<const Document> doc = loaded(file);
    if (!doc)
        return std::nullopt;
    const QString wantedSection = trimmedName(section);
    const QString wantedKey = trimmedName(key);
    const qsizetype header = doc->findSection(wantedSection);
    if (header < 0)
        return std::nullopt;
    const std::vector<Line>& lines = doc->lines();
    for (qsizetype i = header + 1; i < static_cast<qsizetype>(lines.size()); ++i) {
        const Line& line = lines[i];
        if (line.kind == Kind::Section)
            break;
        if (line.kind == Kind::Key && doc->nameIs(line, wantedKey))
            return doc->value(line);
    }
    return std::nullopt;
}

std::vector<std::pair<QString, QString>> sectionOfText(const QString& text, const QString& section)
{
    // The same lines as from the file: the text in the encoding a file of it would have.
    const QString body = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    QByteArray bytes;
    if (rt::fitsAnsi(body)) {
        bytes = rt::toAnsi(body);
    } else {
        bytes = utf8Bom;
        bytes += body.toUtf8();
    }
    const Document doc(std::move(bytes));
    std::vector<std::pair<QString, QString>> keys;
    const qsizetype header = doc.findSection(trimmedName(section));
    if (header < 0)
        return keys;
    const std::vector<Line>& lines = doc.lines();
    for (qsizetype i = header + 1; i < static_cast<qsizetype>(lines.size()); ++i) {
        const Line& line = lines[i];
        if (line.kind == Kind::Section)
            break;
        if (line.kind == Kind::Key)
            keys.emplace_back(doc.name(line), doc.value(line));
    }
    return keys;
}

bool write(const QString& file, const QString& section, const QString& key, const QString& value)
{
    return writeAll(file, section, {{key, value}});
}

bool writeAll(const QString& file, const QString& section,
              const std::vector<std::pair<QString, QString>>& keysAndValues)
{
    const QString wantedSection = trimmedName(section);
    if (!validSection(wantedSection))
        return failed(rt::ErrInvalidCall);
    std::vector<std::pair<QString, QString>> pairs;
    pairs.reserve(keysAndValues.size());
    for (const auto& [key, value] : keysAndValues) {
        const QString wantedKey = trimmedName(key);
        if (!validKey(wantedKey) || holdsLineBreak(value))
            return failed(rt::ErrInvalidCall);
        pairs.emplace_back(wantedKey, value);
    }
    if (pairs.empty())
        return true;

    return update(file, true, [&](const Document& doc) {
        const std::vector<Line>& lines = doc.lines();
        const QByteArray& bytes = doc.bytes();

        // What one write does to the text behind the "=" of its key: the blanks there stay in
        // front of a new value that is not empty, the rest is replaced.
        auto rewritten = [](const QString& old, const QString& value) {
            if (value.isEmpty())
                return QString();
            qsizetype blanks = 0;
            while (blanks < old.size() && old[blanks] == u' ')
                ++blanks;
            return old.left(blanks) + value;
        };

        // The keys of the section that are in the file, by their first line; the new keys in
        // the order of their first write. Keys are told apart without regard to case, and a key
        // keeps the spelling it first had.
        struct Existing {
            qsizetype line = 0;
            QString text; // behind the "="
            bool changed = false;
        };
        struct Added {
            QString key;
            QString text;
        };
        QHash<QString, Existing> existing;
        QHash<QString, qsizetype> addedIndex;
        std::vector<Added> added;

        const qsizetype header = doc.findSection(wantedSection);
        qsizetype lastKey = header;
        if (header >= 0) {
            const qsizetype end = doc.sectionEnd(header);
            for (qsizetype i = header + 1; i < end; ++i) {
                const Line& line = lines[i];
                if (line.kind != Kind::Key)
                    continue;
                lastKey = i;
                const QString name = rt::LCase(doc.name(line));
                if (!existing.contains(name))
                    existing.insert(name, {i, doc.decode(line.valueStart, line.end), false});
            }
        }
        for (const auto& [key, value] : pairs) {
            const QString name = rt::LCase(key);
            if (auto found = existing.find(name); found != existing.end()) {
                found->text = rewritten(found->text, value);
                found->changed = true;
            } else if (auto index = addedIndex.find(name); index != addedIndex.end()) {
                Added& line = added[static_cast<std::size_t>(*index)];
                line.text = rewritten(line.text, value);
            } else {
                addedIndex.insert(name, static_cast<qsizetype>(added.size()));
                added.push_back({key, value});
            }
        }

        std::vector<Edit> edits;
        std::vector<std::pair<qsizetype, QString>> inPlace; // line index, text behind "="
        for (const Existing& key : std::as_const(existing)) {
            if (key.changed)
                inPlace.emplace_back(key.line, key.text);
        }
        std::sort(inPlace.begin(), inPlace.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [index, text] : inPlace) {
            const Line& line = lines[static_cast<std::size_t>(index)];
            edits.push_back({line.valueStart, line.end, text});
        }
        if (added.empty())
            return edits;

        QString newLines;
        for (const Added& line : added)
            newLines += line.key + u'=' + line.text + lineEnd;
        if (header < 0) {
            const qsizetype size = bytes.size();
            const bool open =
                size > doc.body() && bytes[size - 1] != '\r' && bytes[size - 1] != '\n';
            edits.push_back({size, size,
                             (open ? lineEnd : QString()) + u'[' + wantedSection + u']' + lineEnd
                                 + newLines});
            return edits;
        }
        // Behind the last key line of the section (its header when it has none). The edit of that
        // line itself, if any, comes first: it ends where this one begins.
        const Line& anchor = lines[static_cast<std::size_t>(lastKey)];
        if (anchor.hasLineEnd())
            edits.push_back({anchor.next, anchor.next, newLines});
        else
            edits.push_back({anchor.end, anchor.end, lineEnd + newLines});
        return edits;
    });
}

bool removeKey(const QString& file, const QString& section, const QString& key)
{
    const QString wantedSection = trimmedName(section);
    const QString wantedKey = trimmedName(key);
    return update(file, false, [&](const Document& doc) {
        std::vector<Edit> edits;
        const qsizetype header = doc.findSection(wantedSection);
        if (header < 0)
            return edits;
        const qsizetype end = doc.sectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            const Line& line = doc.lines()[i];
            if (line.kind == Kind::Key && doc.nameIs(line, wantedKey))
                edits.push_back({line.start, line.next, QString()});
        }
        return edits;
    });
}

QStringList sectionNames(const QString& file)
{
    QStringList names;
    const std::shared_ptr<const Document> doc = loaded(file);
    if (!doc)
        return names;
    QSet<QString> seen;
    for (const Line& line : doc->lines()) {
        if (line.kind != Kind::Section || line.nameStart == line.nameEnd)
            continue;
        const QString name = doc->name(line);
        if (!seen.contains(rt::LCase(name))) {
            seen.insert(rt::LCase(name));
            names.append(name);
        }
    }
    return names;
}

QString bareNameFolder()
{
    QString base;
    const QStringList dirs =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    if (!dirs.isEmpty())
        base = dirs.first();
    while (base.size() > 1 && base.endsWith(u'/'))
        base.chop(1);
    if (base.isEmpty())
        base = QStringLiteral("/etc/xdg");
    if (base == u"/")
        base.clear();
    return base + QStringLiteral("/Brisols-Programme");
}

} // namespace platform::ini
