#pragma once

#include <cstddef>
#include <cstdint>

// Thin wrappers of OpenSSL for the NTLM messages. MD4 and single DES live in
// OpenSSL 3's legacy provider, which is loaded on first use together with the
// default provider (loading one explicitly stops the implicit default load).
namespace VexoProxy {

bool LoadLegacyProvider();
// MD4 of data into out[16]; false when MD4 is unavailable.
bool Md4Digest(const void* data, size_t len, uint8_t out[16]);
// One DES-ECB block under an 8-byte key (parity already set).
bool DesEcbEncrypt(const uint8_t key[8], const uint8_t in[8], uint8_t out[8]);
// HMAC-MD5 (RFC 2104) into out[16].
bool HmacMd5(const void* key, size_t key_len, const void* text, size_t text_len, uint8_t out[16]);

}  // namespace VexoProxy
