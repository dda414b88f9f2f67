#include "proxy_crypto.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/provider.h>

#include <cstdlib>
#include <mutex>

namespace VexoProxy {

namespace {

OSSL_PROVIDER* g_legacy = nullptr;
OSSL_PROVIDER* g_default = nullptr;

void UnloadProviders()
{
    if (g_legacy)
        OSSL_PROVIDER_unload(g_legacy);
    if (g_default)
        OSSL_PROVIDER_unload(g_default);
}

}  // namespace

bool LoadLegacyProvider()
{
    static std::once_flag once;
    static bool loaded = false;
    std::call_once(once, [] {
        g_legacy = OSSL_PROVIDER_load(nullptr, "legacy");
        g_default = OSSL_PROVIDER_load(nullptr, "default");
        loaded = g_legacy != nullptr && g_default != nullptr;
        std::atexit(UnloadProviders);
    });
    return loaded;
}

bool Md4Digest(const void* data, size_t len, uint8_t out[16])
{
    if (!LoadLegacyProvider())
        return false;
    EVP_MD* md4 = EVP_MD_fetch(nullptr, "MD4", nullptr);
    if (!md4)
        return false;
    unsigned int out_len = 0;
    bool ok = EVP_Digest(data, len, out, &out_len, md4, nullptr) == 1 && out_len == 16;
    EVP_MD_free(md4);
    return ok;
}

bool DesEcbEncrypt(const uint8_t key[8], const uint8_t in[8], uint8_t out[8])
{
    if (!LoadLegacyProvider())
        return false;
    EVP_CIPHER* des = EVP_CIPHER_fetch(nullptr, "DES-ECB", nullptr);
    if (!des)
        return false;
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n = 0;
    bool ok = ctx != nullptr && EVP_EncryptInit_ex2(ctx, des, key, nullptr, nullptr) == 1 &&
              EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 && EVP_EncryptUpdate(ctx, out, &n, in, 8) == 1 &&
              n == 8;
    EVP_CIPHER_CTX_free(ctx);
    EVP_CIPHER_free(des);
    return ok;
}

bool HmacMd5(const void* key, size_t key_len, const void* text, size_t text_len, uint8_t out[16])
{
    unsigned int out_len = 0;
    return HMAC(EVP_md5(), key, static_cast<int>(key_len), static_cast<const unsigned char*>(text), text_len,
                out, &out_len) != nullptr &&
           out_len == 16;
}

}  // namespace VexoProxy
