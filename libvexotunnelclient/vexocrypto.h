#pragma once

#include <cstddef>
#include <cstdint>

// The relay's token envelope: magic, version, random fillers, a random seed
// from which the 3DES-EDE-CBC key is derived, and the ciphertext. Both ends
// share the key-derivation constants and the IV.

// Seals cbContext bytes; the envelope's length, or -1 when pOutput (cbOutput
// bytes) is too small for VEXOCryptoEncryptLength(cbContext) or OpenSSL fails.
int VEXOCryptoEncrypt(char* pOutput, size_t cbOutput, const void* pContext, size_t cbContext);
// The same with the given seed in place of a random one (the fillers stay
// random): the envelope's ciphertext is then fixed by seed and plaintext,
// which is what a relay's implementer and our tests check against.
int VEXOCryptoSealWithSeed(char* pOutput, size_t cbOutput, const void* pContext, size_t cbContext,
                           uint32_t seed);
// Opens an envelope; the plaintext length, or 0 when the envelope is invalid
// or pOutput (cbOutput bytes) cannot hold its ciphertext length.
int VEXOCryptoDecrypt(char* pOutput, size_t cbOutput, const void* pContext, size_t cbContext);
// The largest envelope for cbContext plaintext bytes.
int VEXOCryptoEncryptLength(size_t cbContext);
// Standard Base64 without line breaks; copies at most cbEncoded characters,
// adds no terminator, returns the number copied (-1 on failure).
int VEXOCryptoBase64Encode(char* pszEncoded, size_t cbEncoded, const void* pContext, size_t cbContext);
// Decodes at most cbDecoded bytes; the count, or -1 for text that is not Base64.
int VEXOCryptoBase64Decode(char* pszDecoded, size_t cbDecoded, const char* pszEncoded, size_t cbEncoded);
