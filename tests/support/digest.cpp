#include "support/digest.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <vector>

namespace qm_test {

namespace {

const size_t kBlock = 1 << 20;

struct ContextFree {
    void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};
using DigestContext = std::unique_ptr<EVP_MD_CTX, ContextFree>;

DigestContext newSha256()
{
    DigestContext ctx(EVP_MD_CTX_new());
    EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr);
    return ctx;
}

std::string finalHex(EVP_MD_CTX* ctx)
{
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    EVP_DigestFinal_ex(ctx, md, &len);
    return toHex(md, len);
}

} // namespace

std::string toHex(const unsigned char* bytes, size_t n)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        hex.push_back(kDigits[bytes[i] >> 4]);
        hex.push_back(kDigits[bytes[i] & 15]);
    }
    return hex;
}

std::string toSpacedHex(const std::string& bytes, bool upper_case)
{
    const char* digits = upper_case ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char c : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::string fromSpacedHex(const std::string& text)
{
    std::string bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes += static_cast<char>(std::stoul(pair, nullptr, 16));
    return bytes;
}

std::string digestHex(const std::string& bytes, const EVP_MD* md)
{
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    EVP_Digest(bytes.data(), bytes.size(), out, &len, md, nullptr);
    return toHex(out, len);
}

std::string sha256Hex(const std::string& bytes)
{
    return digestHex(bytes, EVP_sha256());
}

std::string sha256OfFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    DigestContext ctx = newSha256();
    std::vector<char> buf(kBlock);
    ssize_t n;
    while ((n = ::read(fd, buf.data(), buf.size())) > 0)
        EVP_DigestUpdate(ctx.get(), buf.data(), static_cast<size_t>(n));
    ::close(fd);
    return n < 0 ? std::string() : finalHex(ctx.get());
}

bool sha256OfRange(int fd, uint64_t off, uint64_t len, std::string& hex)
{
    DigestContext ctx = newSha256();
    std::vector<char> buf(kBlock);
    while (len > 0) {
        const size_t want = len < buf.size() ? static_cast<size_t>(len) : buf.size();
        const ssize_t n = ::pread(fd, buf.data(), want, static_cast<off_t>(off));
        if (n <= 0)
            return false;
        EVP_DigestUpdate(ctx.get(), buf.data(), static_cast<size_t>(n));
        off += static_cast<uint64_t>(n);
        len -= static_cast<uint64_t>(n);
    }
    hex = finalHex(ctx.get());
    return true;
}

} // namespace qm_test
