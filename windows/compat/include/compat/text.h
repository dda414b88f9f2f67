#pragma once

#include <string>

#include "compat/win_types.h"

namespace compat {

// UTF-8 to UTF-16 and back; an ill-formed sequence becomes U+FFFD, so a
// conversion never fails.
std::u16string toUtf16(const std::string& utf8);
std::string toUtf8(const std::u16string& utf16);
std::string toUtf8(const WCHAR* utf16);

// Length in units of a zero-terminated UTF-16 text; 0 for null.
size_t wideLength(const WCHAR* text);

// ASCII letters folded, as key and value names compare in the registry.
bool equalNoCase(const std::u16string& a, const std::u16string& b);

} // namespace compat
