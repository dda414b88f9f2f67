#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <openssl/evp.h>

namespace qm_test {

// Lower-case hexadecimal, two digits a byte, no separators.
std::string toHex(const unsigned char* bytes, size_t n);
// Byte dumps as tests write them: two digits a byte, blank-separated.
std::string toSpacedHex(const std::string& bytes, bool upper_case = false);
// The inverse; any run of white space separates the pairs.
std::string fromSpacedHex(const std::string& text);
// The digest of `bytes` with `md`, in lower-case hex.
std::string digestHex(const std::string& bytes, const EVP_MD* md);
std::string sha256Hex(const std::string& bytes);
// SHA-256 of a whole file, read in large blocks; "" when it cannot be opened.
std::string sha256OfFile(const std::string& path);
// SHA-256 of [off, off + len) of an open file; false (hex untouched) when the
// file ends before the range does or cannot be read.
bool sha256OfRange(int fd, uint64_t off, uint64_t len, std::string& hex);

} // namespace qm_test
