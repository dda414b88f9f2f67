#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

// Text helpers of the logger: wide formats in the Windows convention, and the
// UTF-8/UTF-32 conversions around them (wchar_t is UTF-32 here).
namespace logtext {

// Rewrites a format of the Windows wide-printf convention for this C library:
// %s, %S and %hs become %ls, %c becomes %lc, %I64 becomes ll, %I32 nothing and
// a bare %I (size_t) z.
void translate_format(const wchar_t* format, std::wstring& out);

// vswprintf into out, growing the buffer as needed; the count of wide
// characters, or -1 when the format cannot be printed.
int format_wide(const wchar_t* format, va_list args, std::wstring& out);

// Code points decoded from UTF-8 (ill-formed bytes become U+FFFD) into dest,
// which has room for capacity characters including the terminator.
size_t utf8_to_wide(const char* utf8, size_t length, wchar_t* dest, size_t capacity);
// Code points from UTF-16 (unpaired surrogates become U+FFFD).
size_t utf16_to_wide(const char16_t* utf16, size_t length, wchar_t* dest, size_t capacity);
// UTF-8 of wide text appended to out (invalid code points become U+FFFD).
void append_utf8(const wchar_t* text, size_t length, std::string& out);

} // namespace logtext
