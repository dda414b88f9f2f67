#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VexoProxy {

// Standard Base64 without line breaks. 0 or -1.
int ToBase64(const void* data, size_t len, std::string& out);
// Decoded length, or -1 for text that is not Base64.
int FromBase64(const std::string& text, std::vector<uint8_t>& out);
// Copy with the ASCII letters upper-cased.
std::string StrToUpper(const std::string& text);
// UTF-8 to UTF-16LE; byte length without terminator, -1 for invalid UTF-8 or
// a text longer than the 4095 units the wire buffers allow.
int StrToUnicode(const std::string& text, std::vector<uint8_t>& out);
// Cuts trailing white space in place.
void VEXOProxyClientStrimWhiteSpace(std::string& text);
// Overwrites a text that held secrets, then empties it.
void WipeString(std::string& text);

}  // namespace VexoProxy
