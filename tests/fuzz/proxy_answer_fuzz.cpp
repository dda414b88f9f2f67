// The HTTP proxy's answers to an NTLM CONNECT (v1 or v2), read by the client
// over a socket pair. Either raw answer bytes, or a type-2 challenge that
// the target wraps in a 407 answer ahead of raw bytes for the second answer,
// so that the challenge parser is reached without the fuzzer having to
// produce valid Base64.
//
// Input: byte 0 = mode (bit 0: NTLMv2, bit 1: wrapped challenge); wrapped:
// bytes 1-2 = challenge length (little-endian), the challenge, then the rest.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "proxy_auth.h"
#include "proxy_text.h"

namespace {

// Writes what the socket buffer takes and ends the proxy's side.
void serve(int fd, const std::string& answer)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    size_t sent = 0;
    while (sent < answer.size()) {
        const ssize_t n = ::send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<size_t>(n);
    }
    ::shutdown(fd, SHUT_WR);
}

void put16(std::string& out, size_t at, uint16_t value)
{
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A type-2 message: signature, type, target name, flags, challenge, and
// (when given) the target information block with its negotiate flag.
std::string challenge(bool with_target_info)
{
    const std::string name("D\0O\0M\0", 6);
    std::string info;
    if (with_target_info) {
        info.append("\x02\x00\x06\x00", 4).append(name);           // domain name
        info.append("\x07\x00\x08\x00", 4).append(8, '\x01');     // timestamp
        info.append("\x00\x00\x00\x00", 4);                        // end of list
    }
    std::string message(56, '\0');
    message.replace(0, 8, std::string("NTLMSSP\0", 8));
    put32(message, 8, 2);
    put16(message, 12, static_cast<uint16_t>(name.size()));
    put16(message, 14, static_cast<uint16_t>(name.size()));
    put32(message, 16, 56);
    put32(message, 20, 0x00008205u | (with_target_info ? 0x00800000u : 0u));
    message.replace(24, 8, "\x11\x22\x33\x44\x55\x66\x77\x88");
    put16(message, 40, static_cast<uint16_t>(info.size()));
    put16(message, 42, static_cast<uint16_t>(info.size()));
    put32(message, 44, static_cast<uint32_t>(56 + name.size()));
    return message + name + info;
}

void writeSeed(const std::string& dir, const std::string& name, const std::string& bytes)
{
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out << bytes;
}

// Both versions with and without target information, answered by a 200, a
// 407 and a cut-short answer; and a raw 407 with a Base64 challenge.
void writeSeeds(const std::string& dir)
{
    const std::string endings[] = {"HTTP/1.1 200 Connection established\r\n\r\n",
                                   "HTTP/1.1 407 Proxy Authentication Required\r\nContent-Length: 5\r\n\r\nnope.",
                                   "HTTP/1.1 20"};
    for (int version = 0; version < 2; ++version) {
        for (int info = 0; info < 2; ++info) {
            const std::string type2 = challenge(info != 0);
            for (size_t e = 0; e < 3; ++e) {
                std::string seed(1, static_cast<char>(2 | version));
                seed.push_back(static_cast<char>(type2.size() & 0xFF));
                seed.push_back(static_cast<char>(type2.size() >> 8));
                seed += type2 + endings[e];
                writeSeed(dir, "wrapped-v" + std::to_string(version + 1) + (info ? "-info-" : "-bare-") +
                                   std::to_string(e), seed);
            }
        }
    }
    std::string encoded;
    VexoProxy::ToBase64(challenge(true).data(), challenge(true).size(), encoded);
    writeSeed(dir, "raw-v2", "\x01HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic "
                             "realm=\"p\"\r\nProxy-Authenticate: NTLM " + encoded +
                             "\r\nContent-Length: 0\r\n\r\nHTTP/1.1 200 OK\r\n\r\n");
    writeSeed(dir, "raw-chunked", std::string("\x00", 1) + "HTTP/1.1 407 No\r\nTransfer-Encoding: chunked\r\n\r\n"
                                  "5\r\nhello\r\n0\r\n\r\n");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (const char* dir = std::getenv("QM_FUZZ_SEED_DIR"))
        writeSeeds(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool v2 = (data[0] & 1) != 0;
    const bool wrapped = (data[0] & 2) != 0;
    std::string answer;
    if (wrapped) {
        if (size < 3)
            return 0;
        size_t length = static_cast<size_t>(data[1]) | (static_cast<size_t>(data[2]) << 8);
        if (length > size - 3)
            length = size - 3;
        std::string challenge;
        if (VexoProxy::ToBase64(data + 3, length, challenge) < 0)
            return 0;
        answer = "HTTP/1.1 407 Proxy Authentication Required\r\n"
                 "Proxy-Authenticate: NTLM " + challenge + "\r\n"
                 "Content-Length: 0\r\n\r\n";
        answer.append(reinterpret_cast<const char*>(data + 3 + length), size - 3 - length);
    } else {
        answer.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    }

    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
        std::abort();
    serve(pair[1], answer);

    PROXY_TARGET_INFO target = {"files.example", 443};
    PROXY_AUTH_INFO info = {"alice", "secret", "DOMAIN", "HOST", v2 ? PROXY_NTLMv2_AUTH : PROXY_NTLM_AUTH};
    VEXO_PROXY_AUTH_DATA auth = VexoProxy::MakeAuthData(&info);
    if (v2)
        VexoProxy::VEXOProxyClientHandleNTLMv2Auth(pair[0], &auth, &target);
    else
        VexoProxy::VEXOProxyClientHandleNTLMv1Auth(pair[0], &auth, &target);
    ::close(pair[0]);
    ::close(pair[1]);
    return 0;
}
