#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <sys/types.h>
#include <unistd.h>

// A small settings file of key=value lines with "#" comments, held in memory
// as a map ordered by key.
//
// File format. Keys are made of [0-9A-Za-z._-]. A value is either unquoted
// (no blank or control character, not beginning with a quote) or quoted with
// ' or ". A value that holds both quote kinds or control characters is written
// as adjacent parts with no blank between them: quoted segments and \xHH
// escapes, e.g. k="say "'"'"hi"\x0A. Older readers reject such lines, and no
// file they accepted holds one, so every file they wrote reads the same.
// A raw control byte (0-31) or DEL is never part of a value, quoted or not:
// in a value it makes the line, and so the file, invalid.
class Config {
public:
    typedef std::map<std::string, std::string>::const_iterator iterator;
    enum { OK = 0, EMPTY = 1, INVALID = 2 };

    Config() {}
    explicit Config(const std::string& path) { read(path); }
    explicit Config(const std::wstring& path) { read(path); }
    Config(const Config& other) : store(other.store) {}
    Config& operator=(const Config& other)
    {
        store = other.store;
        return *this;
    }

    // Reads the file into the store; 0 on success, -1 when the file cannot be
    // opened (store unchanged) or a line is malformed (store emptied).
    int read(const std::string& path);
    int read(const std::wstring& path);
    // Replaces the file with the store, through a temporary file renamed over
    // it, so a failed write leaves the old file intact. -1 on any failure,
    // including a key with a character outside the key set.
    int write(const std::string& path) const;

    // The key's value, inserted empty when absent.
    std::string& operator[](const std::string& key) { return store[key]; }

    // The value read as a decimal int, or def when absent or not a number.
    int get_int(const std::string& key, int def = 0) const;
    // "1", "true", "yes", "on" (any case) are true; "0", "false", "no", "off"
    // false; anything else gives def.
    bool get_bool(const std::string& key, bool def = false) const;
    void unset(const std::string& key) { store.erase(key); }
    iterator begin() const { return store.begin(); }
    iterator end() const { return store.end(); }

    int parse(char* line, int length, std::string& key, std::string& value);

    static bool is_key_char(unsigned char c)
    {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
               c == '.' || c == '_';
    }
    static bool is_value_char(unsigned char c) { return c >= 32 && c != 127; }
    static bool is_space(unsigned char c) { return (c >= 9 && c <= 13) || c == ' '; }

    // The text written after "=" for a value.
    static std::string encode_value(const std::string& value);

private:
    static bool is_control(unsigned char c) { return c < 32 || c == 127; }
    static int hex_digit(unsigned char c);
    static bool wide_to_utf8(const std::wstring& in, std::string& out);

    std::map<std::string, std::string> store;
};

inline int Config::read(const std::string& path)
{
    if (path.empty())
        return -1;
    FILE* fp = std::fopen(path.c_str(), "r");
    if (!fp)
        return -1;
    // Whole lines of any length, so every value written reads back.
    char* line = nullptr;
    size_t cap = 0;
    ssize_t got;
    int result = 0;
    std::string key, value;
    while ((got = ::getline(&line, &cap, fp)) >= 0) {
        int state = parse(line, static_cast<int>(got), key, value);
        if (state == OK) {
            store[key] = value;
        } else if (state == INVALID) {
            store.clear();
            result = -1;
            break;
        }
    }
    if (result == 0 && std::ferror(fp))
        result = -1; // e.g. the path names a folder
    std::free(line);
    std::fclose(fp);
    return result;
}

inline int Config::read(const std::wstring& path)
{
    std::string utf8;
    if (!wide_to_utf8(path, utf8))
        return -1;
    return read(utf8);
}

inline std::string Config::encode_value(const std::string& value)
{
    bool has_double = false, has_single = false, has_control = false;
    for (unsigned char c : value) {
        has_double |= c == '"';
        has_single |= c == '\'';
        has_control |= is_control(c);
    }
    if (!has_control && !has_double)
        return "\"" + value + "\"";
    if (!has_control && !has_single)
        return "'" + value + "'";

    // Adjacent parts: runs without " in double quotes, runs of " in single
    // quotes, control bytes as \xHH. The first part must be a quote so that an
    // older reader sees a quoted value followed by garbage and rejects the line.
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    if (is_control(static_cast<unsigned char>(value[0])))
        out = "\"\"";
    size_t i = 0;
    while (i < value.size()) {
        unsigned char c = static_cast<unsigned char>(value[i]);
        if (is_control(c)) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
            ++i;
            continue;
        }
        size_t end = i;
        const bool quotes = c == '"';
        while (end < value.size() && !is_control(static_cast<unsigned char>(value[end])) &&
               (value[end] == '"') == quotes)
            ++end;
        const char q = quotes ? '\'' : '"';
        out += q;
        out.append(value, i, end - i);
        out += q;
        i = end;
    }
    return out;
}

inline int Config::write(const std::string& path) const
{
    if (path.empty())
        return -1;
    for (const auto& entry : store)
        for (unsigned char c : entry.first)
            if (!is_key_char(c))
                return -1;

    // A unique temporary beside the file, synced before it replaces the old
    // one: two writers never share it, and a crash leaves the old or the new
    // file, never an empty one.
    std::string temp_path = path + ".XXXXXX";
    const int fd = ::mkstemp(&temp_path[0]);
    if (fd < 0)
        return -1;
    FILE* fp = ::fdopen(fd, "w");
    if (!fp) {
        ::close(fd);
        std::remove(temp_path.c_str());
        return -1;
    }
    bool ok = true;
    for (const auto& entry : store) {
        const std::string encoded = encode_value(entry.second);
        if (std::fprintf(fp, "%s=%s\n", entry.first.c_str(), encoded.c_str()) < 0)
            ok = false;
    }
    if (std::fflush(fp) != 0 || std::ferror(fp) || ::fsync(::fileno(fp)) != 0)
        ok = false;
    if (std::fclose(fp) != 0)
        ok = false;
    if (!ok || std::rename(temp_path.c_str(), path.c_str()) != 0) {
        std::remove(temp_path.c_str());
        return -1;
    }
    return 0;
}

inline int Config::parse(char* line, int length, std::string& key, std::string& value)
{
    // A 0 byte ends the line, as for a C string.
    const char* nul = static_cast<const char*>(std::memchr(line, 0, length > 0 ? length : 0));
    const unsigned char* p = reinterpret_cast<const unsigned char*>(line);
    const unsigned char* end = nul ? reinterpret_cast<const unsigned char*>(nul) : p + (length > 0 ? length : 0);

    while (p < end && is_space(*p))
        ++p;
    const unsigned char* key_start = p;
    while (p < end && is_key_char(*p))
        ++p;
    if (p == end || *p == '#')
        return EMPTY;
    key.assign(reinterpret_cast<const char*>(key_start), p - key_start);

    while (p < end && is_space(*p))
        ++p;
    if (p == end || *p != '=')
        return INVALID;
    ++p;
    while (p < end && is_space(*p))
        ++p;
    if (p == end)
        return INVALID;

    value.clear();
    if (*p == '"' || *p == '\'') {
        // One or more adjacent parts: quoted segments and \xHH escapes.
        while (p < end) {
            if (*p == '"' || *p == '\'') {
                const unsigned char quote = *p++;
                const unsigned char* start = p;
                while (p < end && *p != quote && !is_control(*p))
                    ++p;
                if (p == end || *p != quote)
                    return INVALID;
                value.append(reinterpret_cast<const char*>(start), p - start);
                ++p;
            } else if (*p == '\\') {
                if (end - p < 4 || p[1] != 'x')
                    return INVALID;
                const int high = hex_digit(p[2]), low = hex_digit(p[3]);
                if (high < 0 || low < 0)
                    return INVALID;
                value += static_cast<char>(high * 16 + low);
                p += 4;
            } else {
                break;
            }
        }
    } else {
        if (!is_value_char(*p))
            return INVALID;
        const unsigned char* start = p;
        while (p < end && *p != ' ' && !is_control(*p))
            ++p;
        value.assign(reinterpret_cast<const char*>(start), p - start);
    }

    while (p < end && is_space(*p))
        ++p;
    if (p != end && *p != '#')
        return INVALID;
    return OK;
}

inline int Config::get_int(const std::string& key, int def) const
{
    auto it = store.find(key);
    if (it == store.end())
        return def;
    errno = 0;
    char* stop = nullptr;
    long v = std::strtol(it->second.c_str(), &stop, 10);
    if (stop == it->second.c_str() || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return def;
    return static_cast<int>(v);
}

inline bool Config::get_bool(const std::string& key, bool def) const
{
    auto it = store.find(key);
    if (it == store.end())
        return def;
    std::string v;
    for (char c : it->second)
        v += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (v == "1" || v == "true" || v == "yes" || v == "on")
        return true;
    if (v == "0" || v == "false" || v == "no" || v == "off")
        return false;
    return def;
}

inline int Config::hex_digit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// wchar_t is UTF-32 here; an invalid code point fails the conversion.
inline bool Config::wide_to_utf8(const std::wstring& in, std::string& out)
{
    out.clear();
    out.reserve(in.size());
    for (wchar_t wc : in) {
        const unsigned long cp = static_cast<unsigned long>(wc);
        if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return true;
}
