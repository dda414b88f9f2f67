#include "registry_store.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "compat/text.h"
#include "compat/trace.h"

namespace compat {
namespace reg {

namespace {

const char kHeader[] = "QMREG 1";

bool isSeparator(char16_t c)
{
    return c == u'\\';
}

std::string escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            char buf[4];
            snprintf(buf, sizeof(buf), "%%%02X", static_cast<unsigned char>(c));
            out += buf;
        } else {
            out += c;
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool unescape(const std::string& text, std::string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int hi = hexDigit(text[i + 1]);
        const int lo = hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        *out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

std::string toHex(const std::string& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 0xF];
    }
    return out;
}

bool fromHex(const std::string& hex, std::string* out)
{
    if (hex.size() % 2)
        return false;
    out->clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int hi = hexDigit(hex[i]);
        const int lo = hexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        *out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return parts;
}

// Parses the whole file; the line number of the first bad line in *bad_line.
bool parse(const std::string& text, Hive& hive, int* bad_line)
{
    std::istringstream in(text);
    std::string line;
    int number = 0;
    Key* current = nullptr;
    while (std::getline(in, line)) {
        ++number;
        *bad_line = number;
        if (number == 1) {
            if (line != kHeader)
                return false;
            continue;
        }
        if (line.empty())
            continue;
        const std::vector<std::string> parts = splitTabs(line);
        std::string field;
        if (parts[0] == "K" && parts.size() == 2) {
            if (!unescape(parts[1], &field))
                return false;
            const std::u16string path = toUtf16(field);
            if (normalisePath(path) != path)
                return false;
            bool created = false;
            current = &hive.create(path, &created);
        } else if (parts[0] == "V" && parts.size() == 4 && current) {
            Value value;
            if (!unescape(parts[1], &field))
                return false;
            value.name = toUtf16(field);
            char* end = nullptr;
            const unsigned long type = strtoul(parts[2].c_str(), &end, 10);
            if (parts[2].empty() || *end || type > 0xFFFFFFFFul)
                return false;
            value.type = static_cast<DWORD>(type);
            if (!fromHex(parts[3], &value.data))
                return false;
            if (current->findValue(value.name))
                return false;
            current->values.push_back(value);
        } else {
            return false;
        }
    }
    return true; // an empty file is an empty hive
}

std::string serialise(const Hive& hive)
{
    std::string out = std::string(kHeader) + "\n";
    for (const Key& key : hive.keys) {
        out += "K\t" + escape(toUtf8(key.path)) + "\n";
        for (const Value& value : key.values)
            out += "V\t" + escape(toUtf8(value.name)) + "\t" + std::to_string(value.type) + "\t" + toHex(value.data) + "\n";
    }
    return out;
}

bool readWholeFile(const std::string& path, std::string* text, bool* missing)
{
    *missing = false;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *missing = errno == ENOENT;
        return false;
    }
    text->clear();
    char buf[8192];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof(buf));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return false;
        }
        if (n == 0)
            break;
        text->append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return true;
}

LONG errnoToError(int err)
{
    return (err == EACCES || err == EPERM || err == EROFS) ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
}

bool makeDirs(const std::string& dir, mode_t mode)
{
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = dir.find('/', pos + 1);
        partial = dir.substr(0, pos);
        if (partial.empty())
            continue;
        if (mkdir(partial.c_str(), mode) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool writeAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

Value* Key::findValue(const std::u16string& name)
{
    for (Value& value : values)
        if (equalNoCase(value.name, name))
            return &value;
    return nullptr;
}

Hive::Hive()
{
    // Every Windows root has these from installation on; callers open them
    // without creating them.
    keys.push_back(Key());
    bool created = false;
    create(u"Software\\Classes", &created);
}

Key* Hive::find(const std::u16string& path)
{
    for (Key& key : keys)
        if (equalNoCase(key.path, path))
            return &key;
    return nullptr;
}

Key& Hive::create(const std::u16string& path, bool* created)
{
    *created = false;
    std::u16string spelled;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos)
            end = path.size();
        const std::u16string wanted = joinPath(spelled, path.substr(start, end - start));
        Key* existing = find(wanted);
        if (existing) {
            spelled = existing->path;
        } else {
            Key fresh;
            fresh.path = wanted;
            keys.push_back(fresh);
            spelled = wanted;
            *created = true;
        }
        start = end + 1;
    }
    return *find(spelled);
}

std::vector<std::u16string> Hive::children(const std::u16string& path) const
{
    std::vector<std::u16string> names;
    for (const Key& key : keys) {
        if (key.path.empty())
            continue;
        const size_t last = key.path.rfind(u'\\');
        const std::u16string parent = last == std::u16string::npos ? std::u16string() : key.path.substr(0, last);
        if (equalNoCase(parent, path))
            names.push_back(last == std::u16string::npos ? key.path : key.path.substr(last + 1));
    }
    return names;
}

void Hive::remove(const std::u16string& path)
{
    for (size_t i = 1; i < keys.size(); ++i) {
        if (equalNoCase(keys[i].path, path)) {
            keys.erase(keys.begin() + static_cast<long>(i));
            return;
        }
    }
}

std::u16string normalisePath(const std::u16string& path)
{
    std::u16string out;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        if (end > start)
            out = joinPath(out, path.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::u16string joinPath(const std::u16string& a, const std::u16string& b)
{
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    return a + u"\\" + b;
}

std::string rootName(RootId root)
{
    return root == ROOT_HKLM ? "HKLM" : "HKCU";
}

std::string rootDir(RootId root)
{
    const char* moved = getenv("QM_REGISTRY_DIR");
    if (moved && *moved)
        return moved;
    if (root == ROOT_HKLM)
        return "/var/lib/quillmar/registry";
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
        return std::string(config) + "/quillmar/registry";
    const char* home = getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config/quillmar/registry";
}

std::string rootFile(RootId root)
{
    return rootDir(root) + "/" + rootName(root) + ".reg";
}

bool isReadOnly(RootId root)
{
    const std::string marker = rootDir(root) + "/" + rootName(root) + ".readonly";
    return access(marker.c_str(), F_OK) == 0;
}

bool isDenied(RootId root, const std::u16string& path)
{
    std::string text;
    bool missing = false;
    if (!readWholeFile(rootDir(root) + "/" + rootName(root) + ".deny", &text, &missing))
        return false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::u16string denied = normalisePath(toUtf16(line));
        if (denied.empty())
            continue;
        if (path.size() >= denied.size() && equalNoCase(path.substr(0, denied.size()), denied) &&
            (path.size() == denied.size() || path[denied.size()] == u'\\'))
            return true;
    }
    return false;
}

LONG loadHive(RootId root, Hive& hive)
{
    // Writers replace the file by a rename, so a reader always sees a whole one.
    hive = Hive();
    const std::string path = rootFile(root);
    std::string text;
    bool missing = false;
    if (!readWholeFile(path, &text, &missing))
        return missing ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    int bad_line = 0;
    if (!parse(text, hive, &bad_line)) {
        trace(TRACE_ERROR, "registry file %s is corrupt at line %d; it is left as it is", path.c_str(), bad_line);
        hive = Hive();
        return ERROR_REGISTRY_CORRUPT;
    }
    return ERROR_SUCCESS;
}

LONG modifyHive(RootId root, const std::function<LONG(Hive&)>& change)
{
    if (isReadOnly(root))
        return ERROR_ACCESS_DENIED;
    const std::string dir = rootDir(root);
    if (!makeDirs(dir, root == ROOT_HKCU ? 0700 : 0755))
        return errnoToError(errno);
    const std::string lock_path = dir + "/" + rootName(root) + ".lock";
    const int lock_fd = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_fd < 0)
        return errnoToError(errno);
    while (flock(lock_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    Hive hive;
    LONG rc = loadHive(root, hive);
    if (rc == ERROR_SUCCESS)
        rc = change(hive);
    if (rc == ERROR_SUCCESS) {
        const std::string path = rootFile(root);
        const std::string tmp = path + ".tmp-" + std::to_string(getpid());
        const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, root == ROOT_HKCU ? 0600 : 0644);
        if (fd < 0) {
            rc = errnoToError(errno);
        } else {
            const bool ok = writeAll(fd, serialise(hive)) && fsync(fd) == 0;
            const int write_errno = errno;
            close(fd);
            if (!ok || rename(tmp.c_str(), path.c_str()) != 0) {
                rc = errnoToError(ok ? errno : write_errno);
                unlink(tmp.c_str());
            }
        }
    }
    flock(lock_fd, LOCK_UN);
    close(lock_fd);
    return rc;
}

} // namespace reg
} // namespace compat
