#include "proxy_text.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <unicode/ustring.h>

namespace VexoProxy {

namespace {
const size_t kMaxUtf16Units = 4095;
}

int ToBase64(const void* data, size_t len, std::string& out)
{
    out.assign(4 * ((len + 2) / 3) + 1, '\0');
    int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(&out[0]), static_cast<const unsigned char*>(data),
                            static_cast<int>(len));
    if (n < 0)
        return -1;
    out.resize(static_cast<size_t>(n));
    return 0;
}

int FromBase64(const std::string& text, std::vector<uint8_t>& out)
{
    size_t len = text.size();
    if (len % 4 != 0)
        return -1;
    out.assign(len / 4 * 3, 0);
    if (len == 0)
        return 0;
    int n = EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(len));
    if (n < 0)
        return -1;
    // EVP_DecodeBlock counts the padding as zero bytes.
    if (text[len - 1] == '=')
        --n;
    if (text[len - 2] == '=')
        --n;
    out.resize(static_cast<size_t>(n));
    return n;
}

std::string StrToUpper(const std::string& text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

int StrToUnicode(const std::string& text, std::vector<uint8_t>& out)
{
    out.clear();
    if (text.empty())
        return 0;
    std::vector<UChar> units(kMaxUtf16Units + 1);
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(units.data(), static_cast<int32_t>(units.size()), &n, text.data(),
                  static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status) || n < 0 || static_cast<size_t>(n) > kMaxUtf16Units)
        return -1;
    out.resize(static_cast<size_t>(n) * 2);
    for (int32_t i = 0; i < n; ++i) {
        out[2 * i] = static_cast<uint8_t>(units[i] & 0xff);
        out[2 * i + 1] = static_cast<uint8_t>(units[i] >> 8);
    }
    return n * 2;
}

void VEXOProxyClientStrimWhiteSpace(std::string& text)
{
    size_t end = text.find_last_not_of(" \t\r\n\v\f");
    text.erase(end == std::string::npos ? 0 : end + 1);
}

void WipeString(std::string& text)
{
    if (!text.empty())
        OPENSSL_cleanse(&text[0], text.size());
    text.clear();
}

}  // namespace VexoProxy
