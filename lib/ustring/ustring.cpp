#include "ustring/ustring.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>
#include <stdexcept>
#include <string>

#include <unicode/ustring.h>
#include <unicode/unorm2.h>

static_assert(sizeof(uchar16_t) == sizeof(UChar), "UTF-16 unit must match ICU's UChar");

namespace {

void warn(const char* what, UErrorCode code, int line)
{
    std::fprintf(stderr, "Warning: %s: error code %d at line %d\n", what, static_cast<int>(code), line);
    std::fflush(stderr);
}

size_t utf16_length(const uchar16_t* s)
{
    size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

size_t utf16_length(const uchar16_t* s, size_t max)
{
    size_t n = 0;
    while (n < max && s[n])
        ++n;
    return n;
}

size_t checked_sum(size_t a, size_t b)
{
    if (b > static_cast<size_t>(-1) - a - 1)
        throw std::bad_alloc();
    return a + b;
}

} // namespace

// ---- construction, buffers ----

ustring::ustring() { init(); }

ustring::ustring(const ustring& x)
{
    init();
    append_utf8(x.data, x.data_len);
}

ustring::ustring(ustring&& x) noexcept
{
    init();
    swap(x);
}

ustring::ustring(const char* s)
{
    init();
    append(s);
}

ustring::ustring(const char* s, size_t len)
{
    init();
    append(s, len);
}

ustring::ustring(const std::string& x)
{
    init();
    append(x);
}

ustring::ustring(char c)
{
    init();
    append(c, 1);
}

ustring::ustring(const uchar16_t* s)
{
    init();
    append(s);
}

ustring::~ustring()
{
    std::free(data);
    std::free(wdata);
}

void ustring::init()
{
    data = nullptr;
    data_len = 0;
    data_cap = 0;
    wdata = nullptr;
    wdata_len = 0;
    wdata_cap = 0;
    realloc_data(4);
    realloc_wdata(4);
    clear_data();
    clear_wdata();
}

// Exact sizing: keep the buffer while the need is between half the capacity
// and the capacity, otherwise grow or shrink to exactly what is needed.
void ustring::realloc_data(size_t bytes)
{
    if (data_cap >= bytes && bytes >= data_cap / 2)
        return;
    char* p = static_cast<char*>(std::realloc(data, bytes));
    if (!p)
        throw std::bad_alloc();
    data = p;
    data_cap = bytes;
}

void ustring::realloc_wdata(size_t units) const
{
    if (wdata_cap >= units && units >= wdata_cap / 2)
        return;
    if (units > static_cast<size_t>(-1) / sizeof(uchar16_t))
        throw std::bad_alloc();
    uchar16_t* p = static_cast<uchar16_t*>(std::realloc(wdata, units * sizeof(uchar16_t)));
    if (!p)
        throw std::bad_alloc();
    wdata = p;
    wdata_cap = units;
}

void ustring::clear_data()
{
    data_len = 0;
    data[0] = 0;
}

void ustring::clear_wdata() const
{
    wdata_len = 0;
    wdata[0] = 0;
}

int ustring::convert_from_data() const
{
    UErrorCode err = U_ZERO_ERROR;
    int32_t needed = 0;
    u_strFromUTF8(nullptr, 0, &needed, data, -1, &err);
    err = U_ZERO_ERROR;
    realloc_wdata(static_cast<size_t>(needed) + 1);
    int32_t converted = 0;
    u_strFromUTF8(wdata, static_cast<int32_t>(wdata_cap), &converted, data, -1, &err);
    if (U_FAILURE(err)) {
        warn("u_strFromUTF8", err, __LINE__);
        clear_wdata();
        return -1;
    }
    wdata_len = static_cast<size_t>(converted);
    wdata[wdata_len] = 0;
    return 0;
}

int ustring::convert_from_wdata()
{
    UErrorCode err = U_ZERO_ERROR;
    int32_t needed = 0;
    u_strToUTF8(nullptr, 0, &needed, wdata, -1, &err);
    err = U_ZERO_ERROR;
    realloc_data(static_cast<size_t>(needed) + 1);
    int32_t converted = 0;
    u_strToUTF8(data, static_cast<int32_t>(data_cap), &converted, wdata, -1, &err);
    if (U_FAILURE(err)) {
        warn("u_strToUTF8", err, __LINE__);
        clear_data();
        clear_wdata();
        return -1;
    }
    data_len = static_cast<size_t>(converted);
    data[data_len] = 0;
    return 0;
}

// ---- UTF-8 path ----

// s must not point into this string's own buffer.
void ustring::append_utf8(const char* s, size_t count)
{
    realloc_data(checked_sum(data_len, count) + 1);
    if (count)
        std::memcpy(data + data_len, s, count);
    data_len += count;
    data[data_len] = 0;
    mark_wdata_stale();
}

ustring& ustring::append(const char* s)
{
    if (!s)
        return *this;
    if (s >= data && s < data + data_cap) {
        // Own text (the start doubles it): copy first, the buffer may move.
        std::string copy(s);
        append_utf8(copy.data(), copy.size());
        return *this;
    }
    append_utf8(s, std::strlen(s));
    return *this;
}

ustring& ustring::append(const char* s, size_t len)
{
    if (!s)
        return *this;
    if (s >= data && s < data + data_cap) {
        std::string copy(s, strnlen(s, len));
        append_utf8(copy.data(), copy.size());
        return *this;
    }
    append_utf8(s, strnlen(s, len));
    return *this;
}

ustring& ustring::append(const std::string& x, size_t pos, size_t len)
{
    if (pos > x.size())
        throw std::out_of_range("ustring::append");
    const size_t count = std::min(len, x.size() - pos);
    append_utf8(x.data() + pos, strnlen(x.data() + pos, count));
    return *this;
}

ustring& ustring::append(const ustring& x, size_t pos, size_t len)
{
    if (pos > x.data_len)
        throw std::out_of_range("substr");
    const size_t count = std::min(len, x.data_len - pos);
    if (&x == this) {
        std::string copy(x.data + pos, count);
        append_utf8(copy.data(), copy.size());
    } else {
        append_utf8(x.data + pos, count);
    }
    return *this;
}

ustring& ustring::append(char c, size_t n)
{
    realloc_data(checked_sum(data_len, n) + 1);
    std::memset(data + data_len, c, n);
    data_len += n;
    data[data_len] = 0;
    mark_wdata_stale();
    return *this;
}

// ---- UTF-16 path ----

// s must not point into this string's own UTF-16 buffer.
void ustring::append_utf16(const uchar16_t* s, size_t count)
{
    if (wdata_len == 0 && data_len != 0 && convert_from_data() != 0) {
        // The bytes are not UTF-8, so there is no UTF-16 text to extend: keep
        // them and add the UTF-8 form of the units instead of dropping them.
        ustring tail;
        tail.append_utf16(s, count);
        append_utf8(tail.data, tail.data_len);
        return;
    }
    realloc_wdata(checked_sum(wdata_len, count) + 1);
    if (count)
        std::memcpy(wdata + wdata_len, s, count * sizeof(uchar16_t));
    wdata_len += count;
    wdata[wdata_len] = 0;
    convert_from_wdata();
}

ustring& ustring::append(const uchar16_t* s)
{
    if (!s)
        return *this;
    if (s >= wdata && s < wdata + wdata_cap) {
        std::u16string copy(s);
        append_utf16(copy.data(), copy.size());
        return *this;
    }
    append_utf16(s, utf16_length(s));
    return *this;
}

ustring& ustring::append(const uchar16_t* s, size_t len)
{
    if (!s)
        return *this;
    if (s >= wdata && s < wdata + wdata_cap) {
        std::u16string copy(s, utf16_length(s, len));
        append_utf16(copy.data(), copy.size());
        return *this;
    }
    append_utf16(s, utf16_length(s, len));
    return *this;
}

ustring& ustring::append(uchar16_t c, size_t n)
{
    std::u16string units(n, c);
    append_utf16(units.data(), units.size());
    return *this;
}

// ---- assignment ----

ustring& ustring::operator=(const ustring& x)
{
    if (&x != this)
        assign(x, 0, npos);
    return *this;
}

ustring& ustring::operator=(ustring&& x) noexcept
{
    swap(x);
    return *this;
}

ustring& ustring::operator=(const char* s) { return assign(s); }
ustring& ustring::operator=(const std::string& x) { return assign(x, 0, npos); }
ustring& ustring::operator=(char c) { return assign(c, 1); }
ustring& ustring::operator=(const uchar16_t* s) { return assign(s); }
ustring& ustring::operator=(uchar16_t c) { return assign(c, 1); }

ustring& ustring::assign(const ustring& x, size_t pos, size_t len)
{
    if (&x == this) {
        ustring copy(x);
        return assign(copy, pos, len);
    }
    if (pos > x.data_len)
        throw std::out_of_range("substr");
    clear_data();
    clear_wdata();
    append_utf8(x.data + pos, std::min(len, x.data_len - pos));
    return *this;
}

ustring& ustring::assign(const char* s)
{
    if (s == data)
        return *this;
    return assign(s, npos);
}

ustring& ustring::assign(const char* s, size_t len)
{
    if (s == data) {
        if (len < data_len) {
            data_len = len;
            data[len] = 0;
            mark_wdata_stale();
        }
        return *this;
    }
    if (s && s > data && s < data + data_cap) {
        std::string copy(s, strnlen(s, len));
        clear_data();
        clear_wdata();
        append_utf8(copy.data(), copy.size());
        return *this;
    }
    clear_data();
    clear_wdata();
    return append(s, len);
}

ustring& ustring::assign(const std::string& x, size_t pos, size_t len)
{
    if (pos > x.size())
        throw std::out_of_range("ustring::assign");
    clear_data();
    clear_wdata();
    return append(x, pos, len);
}

ustring& ustring::assign(char c, size_t n)
{
    clear_data();
    clear_wdata();
    return append(c, n);
}

ustring& ustring::assign(const uchar16_t* s)
{
    if (s == wdata)
        return *this;
    return assign(s, npos);
}

ustring& ustring::assign(const uchar16_t* s, size_t len)
{
    if (s == wdata) {
        if (len < wdata_len) {
            wdata_len = len;
            wdata[len] = 0;
            convert_from_wdata();
        }
        return *this;
    }
    std::u16string copy;
    if (s) {
        copy.assign(s, utf16_length(s, len));
    }
    clear_data();
    clear_wdata();
    append_utf16(copy.data(), copy.size());
    return *this;
}

ustring& ustring::assign(uchar16_t c, size_t n)
{
    clear_data();
    clear_wdata();
    return append(c, n);
}

ustring& ustring::operator+=(const char* s) { return append(s); }
ustring& ustring::operator+=(const std::string& x) { return append(x, 0, npos); }
ustring& ustring::operator+=(const ustring& x) { return append(x, 0, npos); }
ustring& ustring::operator+=(char c) { return append(c, 1); }
ustring& ustring::operator+=(const uchar16_t* s) { return append(s); }
ustring& ustring::operator+=(uchar16_t c) { return append(c, 1); }

// ---- access ----

const uchar16_t* ustring::c_str() const
{
    if (wdata_len == 0)
        convert_from_data();
    return wdata;
}

const uchar16_t* ustring::c_str_utf16() const { return c_str(); }

char& ustring::operator[](size_t pos)
{
    mark_wdata_stale();
    return data[pos];
}

void ustring::clear()
{
    clear_data();
    clear_wdata();
}

void ustring::swap(ustring& x) noexcept
{
    std::swap(data, x.data);
    std::swap(data_len, x.data_len);
    std::swap(data_cap, x.data_cap);
    std::swap(wdata, x.wdata);
    std::swap(wdata_len, x.wdata_len);
    std::swap(wdata_cap, x.wdata_cap);
}

void swap(ustring& a, ustring& b) noexcept { a.swap(b); }

ustring ustring::substr(size_t pos, size_t n) const
{
    if (pos > data_len)
        throw std::out_of_range("substr");
    return ustring(data + pos, std::min(n, data_len - pos));
}

ustring& ustring::replace(char a, char b)
{
    for (char* p = static_cast<char*>(std::memchr(data, a, data_len)); p;
         p = static_cast<char*>(std::memchr(p + 1, a, data_len - (p + 1 - data))))
        *p = b;
    mark_wdata_stale();
    return *this;
}

std::ostream& operator<<(std::ostream& os, const ustring& s) { return os << s.c_str_utf8(); }

std::istream& operator>>(std::istream& is, ustring& s)
{
    std::string word;
    if (is >> word)
        s = word;
    return is;
}

// ---- free operators ----

ustring operator+(const ustring& lhs, const ustring& rhs) { return ustring(lhs) += rhs; }
ustring operator+(const ustring& lhs, const char* rhs) { return ustring(lhs) += rhs; }
ustring operator+(const ustring& lhs, char rhs) { return ustring(lhs) += rhs; }
ustring operator+(const ustring& lhs, const uchar16_t* rhs) { return ustring(lhs) += rhs; }
ustring operator+(const ustring& lhs, uchar16_t rhs) { return ustring(lhs) += rhs; }
ustring operator+(const char* lhs, const ustring& rhs) { return ustring(lhs) += rhs; }
