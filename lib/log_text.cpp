#include "log_text.h"

#include <cwchar>
#include <vector>

namespace logtext {

namespace {

const wchar_t kReplacement = 0xFFFD;

bool is_flag(wchar_t c) { return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'0' || c == L'\''; }
bool is_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

} // namespace

void translate_format(const wchar_t* format, std::wstring& out)
{
    out.clear();
    const wchar_t* p = format;
    while (*p) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        while (is_flag(*p))
            out += *p++;
        if (*p == L'*')
            out += *p++;
        while (is_digit(*p))
            out += *p++;
        if (*p == L'.') {
            out += *p++;
            if (*p == L'*')
                out += *p++;
            while (is_digit(*p))
                out += *p++;
        }
        std::wstring length;
        for (;;) {
            if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
                length = L"ll";
                p += 3;
            } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
                length.clear();
                p += 3;
            } else if (p[0] == L'I') {
                length = L"z";
                ++p;
            } else if (*p == L'h' || *p == L'l' || *p == L'L' || *p == L'q' || *p == L'j' || *p == L'z' ||
                       *p == L't' || *p == L'w') {
                length += *p == L'w' ? L'l' : *p;
                ++p;
            } else {
                break;
            }
        }
        if (*p == 0) {
            out += length;
            break;
        }
        const wchar_t conversion = *p++;
        if (conversion == L's' || conversion == L'S') {
            out += L"ls";
        } else if (conversion == L'c' || conversion == L'C') {
            out += L"lc";
        } else {
            out += length;
            out += conversion;
        }
    }
}

int format_wide(const wchar_t* format, va_list args, std::wstring& out)
{
    wchar_t small[1024];
    va_list copy;
    va_copy(copy, args);
    int n = std::vswprintf(small, sizeof small / sizeof small[0], format, copy);
    va_end(copy);
    if (n >= 0) {
        out.assign(small, static_cast<size_t>(n));
        return n;
    }
    // vswprintf gives no size hint on truncation: double until it fits.
    std::vector<wchar_t> buffer;
    for (size_t size = 4096; size <= (size_t(1) << 24); size *= 4) {
        buffer.resize(size);
        va_copy(copy, args);
        n = std::vswprintf(buffer.data(), size, format, copy);
        va_end(copy);
        if (n >= 0) {
            out.assign(buffer.data(), static_cast<size_t>(n));
            return n;
        }
    }
    out.clear();
    return -1;
}

size_t utf8_to_wide(const char* utf8, size_t length, wchar_t* dest, size_t capacity)
{
    const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
    size_t i = 0, n = 0;
    while (i < length && n + 1 < capacity) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            dest[n++] = c;
            ++i;
            continue;
        }
        int extra;
        unsigned long cp, min;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, cp = c & 0x07, min = 0x10000;
        } else {
            dest[n++] = kReplacement;
            ++i;
            continue;
        }
        int k = 1;
        for (; k <= extra && i + k < length && (s[i + k] & 0xC0) == 0x80; ++k)
            cp = (cp << 6) | (s[i + k] & 0x3F);
        if (k <= extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            // Skip only the bytes that looked like this sequence.
            dest[n++] = kReplacement;
            i += k;
            continue;
        }
        dest[n++] = static_cast<wchar_t>(cp);
        i += k;
    }
    dest[n] = 0;
    return n;
}

size_t utf16_to_wide(const char16_t* utf16, size_t length, wchar_t* dest, size_t capacity)
{
    size_t i = 0, n = 0;
    while (i < length && n + 1 < capacity) {
        const unsigned long u = utf16[i++];
        if (u >= 0xD800 && u <= 0xDBFF && i < length && utf16[i] >= 0xDC00 && utf16[i] <= 0xDFFF) {
            dest[n++] = static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (utf16[i++] - 0xDC00));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            dest[n++] = kReplacement;
        } else {
            dest[n++] = static_cast<wchar_t>(u);
        }
    }
    dest[n] = 0;
    return n;
}

void append_utf8(const wchar_t* text, size_t length, std::string& out)
{
    out.reserve(out.size() + length);
    for (size_t i = 0; i < length; ++i) {
        unsigned long cp = static_cast<unsigned long>(text[i]);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = kReplacement;
        if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace logtext
