#include "pstream_memory_channel.h"

#include <openssl/evp.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

struct MemoryChannel::Digester {
    EVP_MD_CTX* ctx = nullptr;
    ~Digester() { EVP_MD_CTX_free(ctx); }
};

MemoryChannel::MemoryChannel() : Channel(8192) {}

MemoryChannel::MemoryChannel(const std::string& bytes) : Channel(8192), input(bytes) {}

MemoryChannel::~MemoryChannel() {
    delete m_digest;
}

void MemoryChannel::Digest(const char* bytes, size_t n) {
    if (m_digest != nullptr && n != 0)
        EVP_DigestUpdate(m_digest->ctx, bytes, n);
}

int MemoryChannel::Read(char* buf, size_t n) {
    size_t got = 0;
    return Read(buf, n, got);
}

int MemoryChannel::Read(char* buf, size_t n, size_t& got) {
    const size_t available = input.size() - input_pos;
    got = std::min(n, available);
    std::copy_n(input.data() + input_pos, got, buf);
    input_pos += got;
    Digest(buf, got);
    return got == n ? ERR_OK : ERR_IO;
}

int MemoryChannel::Write(const char* buf, size_t n) {
    const size_t accepted = std::min(n, write_budget);
    output.append(buf, accepted);
    write_budget -= accepted;
    Digest(buf, accepted);
    return accepted == n ? ERR_OK : ERR_IO;
}

int MemoryChannel::FlushWrite(int flag) {
    return flag != 0 || fail_flush ? -1 : 0;
}

bool MemoryChannel::EnableHash(bool on, const std::string& name) {
    delete m_digest;
    m_digest = nullptr;
    if (!on)
        return true;
    const EVP_MD* md = EVP_get_digestbyname(name.c_str());
    if (md == nullptr)
        return false;
    m_digest = new Digester;
    m_digest->ctx = EVP_MD_CTX_new();
    if (EVP_DigestInit_ex(m_digest->ctx, md, nullptr) != 1) {
        delete m_digest;
        m_digest = nullptr;
        return false;
    }
    return true;
}

std::string MemoryChannel::GetHash() {
    if (m_digest == nullptr)
        return std::string();
    EVP_MD_CTX* copy = EVP_MD_CTX_new();
    EVP_MD_CTX_copy_ex(copy, m_digest->ctx);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_DigestFinal_ex(copy, digest, &n);
    EVP_MD_CTX_free(copy);
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < n; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 15];
    }
    return text;
}

int MemoryChannel::Sendfile(CH_FILE_T fd, uint64_t off, uint64_t len,
                            ProgressReporter* reporter) {
    std::vector<char> block(file_chunk);
    uint64_t done = 0;
    while (done < len) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(len - done, file_chunk));
        ssize_t n = ::pread(fd, block.data(), want, static_cast<off_t>(off + done));
        if (n != static_cast<ssize_t>(want))
            return ERR_IO;
        if (Write(block.data(), want) != ERR_OK)
            return ERR_IO;
        done += want;
        if (reporter != nullptr)
            reporter->Report(want);
        if (after_chunk)
            after_chunk();
    }
    return ERR_OK;
}

int MemoryChannel::RecvfileLoop(CH_FILE_T fd, uint64_t off, uint64_t len,
                                ProgressReporter* reporter, uint64_t& got) {
    std::vector<char> block(file_chunk);
    got = 0;
    while (got < len) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(len - got, file_chunk));
        size_t n = 0;
        int rc = Read(block.data(), want, n);
        if (n != 0) {
            if (::pwrite(fd, block.data(), n, static_cast<off_t>(off + got)) !=
                static_cast<ssize_t>(n))
                return ERR_IO;
            got += n;
            if (reporter != nullptr)
                reporter->Report(n);
            if (after_chunk)
                after_chunk();
        }
        if (rc != ERR_OK)
            return file_error;
    }
    return ERR_OK;
}

int MemoryChannel::Recvfile(CH_FILE_T fd, uint64_t off, uint64_t len, ProgressReporter* reporter,
                            uint64_t& got) {
    ++files_fast_path;
    return RecvfileLoop(fd, off, len, reporter, got);
}

int MemoryChannel::RecvfileFallback(CH_FILE_T fd, uint64_t off, uint64_t len,
                                    ProgressReporter* reporter) {
    ++files_fallback;
    uint64_t got = 0;
    return RecvfileLoop(fd, off, len, reporter, got);
}
