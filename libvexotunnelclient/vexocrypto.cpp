#include "vexocrypto.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cstdint>
#include <cstring>

namespace {

const uint16_t kMagic = 0xFFFF;
const uint16_t kVersion = 1;
const size_t kHeaderSize = 24;      // up to the ciphertext
const size_t kTrailerSize = 2;      // random filler after it
const size_t kMinEnvelope = kHeaderSize + kTrailerSize + 1;
// Key derivation: seed * multiplier + addend (mod 2^32). The relay uses the same pair.
const uint32_t kKeyMultiplier = 0x5DEECE66u;
const uint32_t kKeyAddend = 0x2F6B1C4Du;
const size_t kKeyMaterial = 36;     // SHA-1 (20) + MD5 (16); 3DES uses the first 24

void PutBe16(unsigned char* p, uint16_t v)
{
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

void PutBe32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

uint16_t GetBe16(const unsigned char* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

uint32_t GetBe32(const unsigned char* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

// The fixed IV, kept out of the binary's plain data.
void BuildIv(unsigned char iv[8])
{
    PutBe32(iv, 0x51A7E3C9u ^ 0x1F2E3D4Cu);
    PutBe32(iv + 4, 0x8B0D6F24u ^ 0x1F2E3D4Cu);
}

// Digests the 4 bytes with one algorithm into out; the digest length or -1.
int VEXOCryptoDigestUpdate(const EVP_MD* type, unsigned char* out, const unsigned char in[4])
{
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    unsigned int len = 0;
    bool ok = ctx && EVP_DigestInit_ex(ctx, type, nullptr) == 1 && EVP_DigestUpdate(ctx, in, 4) == 1 &&
              EVP_DigestFinal_ex(ctx, out, &len) == 1;
    EVP_MD_CTX_free(ctx);
    return ok ? static_cast<int>(len) : -1;
}

bool VEXOCryptoGenerateKey(uint32_t seed, unsigned char key[kKeyMaterial])
{
    unsigned char mixed[4];
    PutBe32(mixed, seed * kKeyMultiplier + kKeyAddend);
    int sha = VEXOCryptoDigestUpdate(EVP_sha1(), key, mixed);
    if (sha != 20)
        return false;
    return VEXOCryptoDigestUpdate(EVP_md5(), key + sha, mixed) == 16;
}

bool RandomBytes(unsigned char* p, int n) { return RAND_bytes(p, n) == 1; }

}  // namespace

int VEXOCryptoEncryptLength(size_t cbContext) { return static_cast<int>(cbContext + 34); }

int VEXOCryptoEncrypt(char* pOutput, size_t cbOutput, const void* pContext, size_t cbContext)
{
    unsigned char seed[4];
    if (!RandomBytes(seed, sizeof seed))
        return -1;
    return VEXOCryptoSealWithSeed(pOutput, cbOutput, pContext, cbContext, GetBe32(seed));
}

int VEXOCryptoSealWithSeed(char* pOutput, size_t cbOutput, const void* pContext, size_t cbContext, uint32_t seed)
{
    if (!pOutput || (!pContext && cbContext) || cbContext > 0x7fffff00u ||
        cbOutput < static_cast<size_t>(VEXOCryptoEncryptLength(cbContext)))
        return -1;
    unsigned char* out = reinterpret_cast<unsigned char*>(pOutput);
    PutBe16(out, kMagic);
    PutBe16(out + 2, kVersion);
    PutBe32(out + 10, seed);
    if (!RandomBytes(out + 4, 4) || !RandomBytes(out + 8, 2) || !RandomBytes(out + 14, 2) ||
        !RandomBytes(out + 16, 4))
        return -1;

    unsigned char key[kKeyMaterial];
    unsigned char iv[8];
    BuildIv(iv);
    if (!VEXOCryptoGenerateKey(seed, key))
        return -1;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n1 = 0, n2 = 0;
    bool ok = ctx && EVP_EncryptInit_ex(ctx, EVP_des_ede3_cbc(), nullptr, key, iv) == 1 &&
              EVP_EncryptUpdate(ctx, out + kHeaderSize, &n1, static_cast<const unsigned char*>(pContext),
                                static_cast<int>(cbContext)) == 1 &&
              EVP_EncryptFinal_ex(ctx, out + kHeaderSize + n1, &n2) == 1;
    EVP_CIPHER_CTX_free(ctx);
    OPENSSL_cleanse(key, sizeof key);
    if (!ok)
        return -1;
    size_t cipher_len = static_cast<size_t>(n1 + n2);
    PutBe32(out + 20, static_cast<uint32_t>(cipher_len));
    if (!RandomBytes(out + kHeaderSize + cipher_len, 2))
        return -1;
    return static_cast<int>(cipher_len + kHeaderSize + kTrailerSize);
}

int VEXOCryptoDecrypt(char* pOutput, size_t cbOutput, const void* pContext, size_t cbContext)
{
    const unsigned char* in = static_cast<const unsigned char*>(pContext);
    if (!pOutput || !in || cbContext < kMinEnvelope || GetBe16(in) != kMagic || GetBe16(in + 2) > kVersion)
        return 0;
    uint64_t cipher_len = GetBe32(in + 20);
    if (cbContext < cipher_len + kHeaderSize + kTrailerSize || cbOutput < cipher_len || cipher_len == 0)
        return 0;

    unsigned char key[kKeyMaterial];
    unsigned char iv[8];
    BuildIv(iv);
    if (!VEXOCryptoGenerateKey(GetBe32(in + 10), key))
        return 0;
    unsigned char* out = reinterpret_cast<unsigned char*>(pOutput);
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n1 = 0, n2 = 0;
    bool ok = ctx && EVP_DecryptInit_ex(ctx, EVP_des_ede3_cbc(), nullptr, key, iv) == 1 &&
              EVP_DecryptUpdate(ctx, out, &n1, in + kHeaderSize, static_cast<int>(cipher_len)) == 1;
    // A padding failure keeps only the blocks before the last one.
    if (ok && EVP_DecryptFinal_ex(ctx, out + n1, &n2) != 1)
        n2 = 0;
    EVP_CIPHER_CTX_free(ctx);
    OPENSSL_cleanse(key, sizeof key);
    return ok ? n1 + n2 : 0;
}

int VEXOCryptoBase64Encode(char* pszEncoded, size_t cbEncoded, const void* pContext, size_t cbContext)
{
    if (!pszEncoded || (!pContext && cbContext) || cbContext > 0x3fffffffu)
        return -1;
    size_t full = 4 * ((cbContext + 2) / 3);
    unsigned char* tmp = static_cast<unsigned char*>(OPENSSL_malloc(full + 1));
    if (!tmp)
        return -1;
    int n = EVP_EncodeBlock(tmp, static_cast<const unsigned char*>(pContext), static_cast<int>(cbContext));
    size_t copy = n < 0 ? 0 : (static_cast<size_t>(n) < cbEncoded ? static_cast<size_t>(n) : cbEncoded);
    std::memcpy(pszEncoded, tmp, copy);
    OPENSSL_free(tmp);
    return n < 0 ? -1 : static_cast<int>(copy);
}

int VEXOCryptoBase64Decode(char* pszDecoded, size_t cbDecoded, const char* pszEncoded, size_t cbEncoded)
{
    if (!pszDecoded || !pszEncoded || cbEncoded % 4 != 0 || cbEncoded > 0x7ffffff0u)
        return -1;
    if (cbEncoded == 0)
        return 0;
    unsigned char* tmp = static_cast<unsigned char*>(OPENSSL_malloc(cbEncoded / 4 * 3));
    if (!tmp)
        return -1;
    int n = EVP_DecodeBlock(tmp, reinterpret_cast<const unsigned char*>(pszEncoded), static_cast<int>(cbEncoded));
    if (n >= 0) {
        // EVP_DecodeBlock counts the padding as zero bytes.
        if (pszEncoded[cbEncoded - 1] == '=')
            --n;
        if (pszEncoded[cbEncoded - 2] == '=')
            --n;
        if (static_cast<size_t>(n) > cbDecoded)
            n = static_cast<int>(cbDecoded);
        std::memcpy(pszDecoded, tmp, static_cast<size_t>(n));
    }
    OPENSSL_free(tmp);
    return n;
}
