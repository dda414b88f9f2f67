// Searching, trimming and comparison of ustring: all on UTF-8 bytes.
#include "ustring/ustring.h"

#include <cstring>

namespace {

// Membership table of the bytes of a 0-terminated set.
struct ByteSet {
    bool has[256] = {};
    bool empty = true;
    explicit ByteSet(const char* set)
    {
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(set); p && *p; ++p) {
            has[*p] = true;
            empty = false;
        }
    }
    bool contains(char c) const { return has[static_cast<unsigned char>(c)]; }
};

const char* needle_of(const std::string& x) { return x.c_str(); }
const char* needle_of(const ustring& x) { return x.c_str_utf8(); }

} // namespace

// ---- forward search ----

size_t ustring::find(const char* x, size_t pos) const
{
    if (pos >= data_len)
        return npos;
    const size_t n = std::strlen(x);
    if (n == 0)
        return pos;
    const void* hit = memmem(data + pos, data_len - pos, x, n);
    return hit ? static_cast<const char*>(hit) - data : npos;
}

size_t ustring::find(char x, size_t pos) const
{
    if (pos >= data_len)
        return npos;
    const void* hit = std::memchr(data + pos, x, data_len - pos);
    return hit ? static_cast<const char*>(hit) - data : npos;
}

size_t ustring::find_first_of(const char* x, size_t pos) const
{
    if (pos >= data_len)
        return npos;
    const ByteSet set(x);
    for (size_t i = pos; i < data_len; ++i)
        if (set.contains(data[i]))
            return i;
    return npos;
}

size_t ustring::find_first_of(char x, size_t pos) const { return find(x, pos); }

size_t ustring::find_first_not_of(const char* x, size_t pos) const
{
    if (pos >= data_len)
        return npos;
    const ByteSet set(x);
    for (size_t i = pos; i < data_len; ++i)
        if (!set.contains(data[i]))
            return i;
    return npos;
}

size_t ustring::find_first_not_of(char x, size_t pos) const
{
    const char set[2] = {x, 0};
    return find_first_not_of(set, pos);
}

// ---- backward search: start at pos, or at the last byte when pos is npos or
// not less than the length ----

size_t ustring::rfind(const char* x, size_t pos) const
{
    if (data_len == 0)
        return npos;
    const size_t start = pos >= data_len ? data_len - 1 : pos;
    const size_t n = std::strlen(x);
    if (n == 0)
        return start;
    if (n > data_len)
        return npos;
    // A match never runs past the end.
    for (size_t i = std::min(start, data_len - n) + 1; i-- > 0;)
        if (data[i] == x[0] && std::memcmp(data + i, x, n) == 0)
            return i;
    return npos;
}

size_t ustring::rfind(char x, size_t pos) const
{
    const char needle[2] = {x, 0};
    return rfind(needle, pos);
}

size_t ustring::find_last_of(const char* x, size_t pos) const
{
    if (data_len == 0)
        return npos;
    const size_t start = pos >= data_len ? data_len - 1 : pos;
    const ByteSet set(x);
    for (size_t i = start + 1; i-- > 0;)
        if (set.contains(data[i]))
            return i;
    return npos;
}

size_t ustring::find_last_of(char x, size_t pos) const
{
    const char set[2] = {x, 0};
    return find_last_of(set, pos);
}

size_t ustring::find_last_not_of(const char* x, size_t pos) const
{
    if (data_len == 0)
        return npos;
    const size_t start = pos >= data_len ? data_len - 1 : pos;
    const ByteSet set(x);
    for (size_t i = start + 1; i-- > 0;)
        if (!set.contains(data[i]))
            return i;
    return npos;
}

size_t ustring::find_last_not_of(char x, size_t pos) const
{
    const char set[2] = {x, 0};
    return find_last_not_of(set, pos);
}

// The standard-string and ustring forms use the needle up to its first 0 byte.
size_t ustring::find(const std::string& x, size_t pos) const { return find(needle_of(x), pos); }
size_t ustring::find(const ustring& x, size_t pos) const { return find(needle_of(x), pos); }
size_t ustring::find_first_of(const std::string& x, size_t pos) const { return find_first_of(needle_of(x), pos); }
size_t ustring::find_first_of(const ustring& x, size_t pos) const { return find_first_of(needle_of(x), pos); }
size_t ustring::find_first_not_of(const std::string& x, size_t pos) const { return find_first_not_of(needle_of(x), pos); }
size_t ustring::find_first_not_of(const ustring& x, size_t pos) const { return find_first_not_of(needle_of(x), pos); }
size_t ustring::rfind(const std::string& x, size_t pos) const { return rfind(needle_of(x), pos); }
size_t ustring::rfind(const ustring& x, size_t pos) const { return rfind(needle_of(x), pos); }
size_t ustring::find_last_of(const std::string& x, size_t pos) const { return find_last_of(needle_of(x), pos); }
size_t ustring::find_last_of(const ustring& x, size_t pos) const { return find_last_of(needle_of(x), pos); }
size_t ustring::find_last_not_of(const std::string& x, size_t pos) const { return find_last_not_of(needle_of(x), pos); }
size_t ustring::find_last_not_of(const ustring& x, size_t pos) const { return find_last_not_of(needle_of(x), pos); }

// ---- trimming: the UTF-16 copy stays valid when nothing is removed ----

ustring& ustring::ltrim(const char* list)
{
    const ByteSet set(list);
    size_t k = 0;
    while (k < data_len && set.contains(data[k]))
        ++k;
    if (k == 0)
        return *this;
    std::memmove(data, data + k, data_len - k);
    data_len -= k;
    data[data_len] = 0;
    mark_wdata_stale();
    return *this;
}

ustring& ustring::rtrim(const char* list)
{
    const ByteSet set(list);
    size_t end = data_len;
    while (end > 0 && set.contains(data[end - 1]))
        --end;
    if (end == data_len)
        return *this;
    data_len = end;
    data[data_len] = 0;
    mark_wdata_stale();
    return *this;
}

ustring& ustring::trim(const char* list) { return ltrim(list).rtrim(list); }
ustring& ustring::ltrim(const ustring& list) { return ltrim(ustring(list).c_str_utf8()); }
ustring& ustring::rtrim(const ustring& list) { return rtrim(ustring(list).c_str_utf8()); }
ustring& ustring::trim(const ustring& list)
{
    const ustring set(list); // list may be *this
    return ltrim(set.c_str_utf8()).rtrim(set.c_str_utf8());
}

// ---- comparison ----

namespace {

struct FoldTable {
    unsigned char map[256];
    FoldTable()
    {
        for (int i = 0; i < 256; ++i)
            map[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i - 'A' + 'a' : i);
    }
};

const FoldTable kFold;

int compare_bytes(const char* a, const char* b, size_t limit, bool caseless)
{
    const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
    for (size_t i = 0; i < limit; ++i) {
        const int ca = caseless ? kFold.map[pa[i]] : pa[i];
        const int cb = caseless ? kFold.map[pb[i]] : pb[i];
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            return 0;
    }
    return 0;
}

} // namespace

int ustring::compare(const ustring& a, const ustring& b, bool caseless)
{
    return compare_bytes(a.data, b.data, static_cast<size_t>(-1), caseless);
}

int ustring::compare(const ustring& str) const { return compare(*this, str, false); }

int ustring::compare(const ustring& str, size_t n) const { return compare_bytes(data, str.data, n, false); }

bool operator==(const ustring& lhs, const ustring& rhs) { return ustring::compare(lhs, rhs, false) == 0; }
bool operator!=(const ustring& lhs, const ustring& rhs) { return ustring::compare(lhs, rhs, false) != 0; }
bool operator<(const ustring& lhs, const ustring& rhs) { return ustring::compare(lhs, rhs, false) < 0; }
bool operator>(const ustring& lhs, const ustring& rhs) { return ustring::compare(lhs, rhs, false) > 0; }
bool operator<=(const ustring& lhs, const ustring& rhs) { return ustring::compare(lhs, rhs, false) <= 0; }
bool operator>=(const ustring& lhs, const ustring& rhs) { return ustring::compare(lhs, rhs, false) >= 0; }
bool operator==(const ustring& lhs, const char* rhs) { return std::strcmp(lhs.c_str_utf8(), rhs) == 0; }
bool operator!=(const ustring& lhs, const char* rhs) { return std::strcmp(lhs.c_str_utf8(), rhs) != 0; }
bool operator==(const char* lhs, const ustring& rhs) { return std::strcmp(lhs, rhs.c_str_utf8()) == 0; }
bool operator!=(const char* lhs, const ustring& rhs) { return std::strcmp(lhs, rhs.c_str_utf8()) != 0; }
