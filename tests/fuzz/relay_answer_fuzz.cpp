// The relay's answer to the tunnel upgrade request, read by the client over
// TLS. Both ends run in this process over a memory BIO pair; the relay's
// answer is the input, cut into TLS records at the lengths the input's first
// bytes give, and its end is the end of the transport.
//
// With QM_FUZZ_RELAY_STATUS_CHECK unset or not "0", an answer the client
// takes for acceptance must carry an "X-Target-Status" of exactly 0.
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include "vexotunnelclient.h"

namespace {

struct Contexts {
    SSL_CTX* client = nullptr;
    SSL_CTX* server = nullptr;
    int ready_fd = -1;  // always readable and writable: the answer is already in the BIO
    bool status_check = true;
};

// Both ends share a pre-shared key: a TLS 1.2 PSK suite needs no public-key
// operation per connection, which would otherwise cost most of each run.
const unsigned char kKey[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

unsigned int clientKey(SSL*, const char*, char* identity, unsigned int max_identity, unsigned char* psk,
                       unsigned int max_psk)
{
    if (max_identity < 6 || max_psk < sizeof kKey)
        return 0;
    std::memcpy(identity, "relay", 6);
    std::memcpy(psk, kKey, sizeof kKey);
    return sizeof kKey;
}

unsigned int serverKey(SSL*, const char*, unsigned char* psk, unsigned int max_psk)
{
    if (max_psk < sizeof kKey)
        return 0;
    std::memcpy(psk, kKey, sizeof kKey);
    return sizeof kKey;
}

const Contexts& contexts()
{
    static const Contexts made = [] {
        Contexts c;
        c.server = SSL_CTX_new(TLS_server_method());
        c.client = SSL_CTX_new(TLS_client_method());
        if (!c.server || !c.client)
            std::abort();
        for (SSL_CTX* ctx : {c.server, c.client}) {
            SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
            SSL_CTX_set_max_proto_version(ctx, TLS1_2_VERSION);
            if (SSL_CTX_set_cipher_list(ctx, "PSK-AES128-GCM-SHA256") != 1)
                std::abort();
        }
        SSL_CTX_set_psk_server_callback(c.server, serverKey);
        SSL_CTX_set_psk_client_callback(c.client, clientKey);
        c.ready_fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        const char* check = std::getenv("QM_FUZZ_RELAY_STATUS_CHECK");
        c.status_check = !(check && std::strcmp(check, "0") == 0);
        return c;
    }();
    return made;
}

bool handshake(SSL* client, SSL* server)
{
    for (int round = 0; round < 20; ++round) {
        const int c = SSL_do_handshake(client);
        const int s = SSL_do_handshake(server);
        if (c == 1 && s == 1)
            return true;
        if ((c <= 0 && SSL_get_error(client, c) != SSL_ERROR_WANT_READ) ||
            (s <= 0 && SSL_get_error(server, s) != SSL_ERROR_WANT_READ))
            return false;
    }
    return false;
}

// True when the header block (up to the first empty line) carries a status
// line whose number is exactly zero, which alone means "accepted".
bool announcesZeroStatus(const std::string& answer)
{
    size_t at = 0;
    bool zero = false;
    while (at < answer.size()) {
        size_t end = answer.find('\n', at);
        if (end == std::string::npos)
            break;
        const std::string line = answer.substr(at, end - at + 1);
        at = end + 1;
        if (line[0] == '\r' || line[0] == '\n')
            break;
        static const char kName[] = "X-Target-Status";
        if (strncasecmp(line.c_str(), kName, sizeof kName - 1) != 0)
            continue;
        size_t p = sizeof kName - 1;
        while (p < line.size() && (line[p] == ' ' || line[p] == '\t'))
            ++p;
        if (p >= line.size() || line[p++] != ':')
            continue;
        while (p < line.size() && (line[p] == ' ' || line[p] == '\t'))
            ++p;
        if (p < line.size() && line[p] == '-')
            ++p;
        size_t digits = 0;
        bool all_zero = true;
        while (p < line.size() && std::isdigit(static_cast<unsigned char>(line[p]))) {
            all_zero = all_zero && line[p] == '0';
            ++digits;
            ++p;
        }
        if (digits > 0)
            zero = all_zero;
    }
    return zero;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 16384)
        return 0;
    const Contexts& ctx = contexts();
    // Record lengths: 1 + byte 0 (cycled), so lines also straddle records.
    const size_t record = 1 + data[0];
    const std::string answer(reinterpret_cast<const char*>(data + 1), size - 1);

    SSL* client = SSL_new(ctx.client);
    SSL* server = SSL_new(ctx.server);
    BIO* client_bio = nullptr;
    BIO* server_bio = nullptr;
    // Room for the whole answer in records of the chosen length.
    const size_t room = answer.size() + (answer.size() / record + 1) * 64 + 16384;
    if (!client || !server || BIO_new_bio_pair(&client_bio, room, &server_bio, room) != 1)
        std::abort();
    SSL_set_bio(client, client_bio, client_bio);
    SSL_set_bio(server, server_bio, server_bio);
    SSL_set_connect_state(client);
    SSL_set_accept_state(server);
    if (!handshake(client, server))
        std::abort();
    for (size_t at = 0; at < answer.size(); at += record) {
        const size_t n = std::min(record, answer.size() - at);
        if (SSL_write(server, answer.data() + at, static_cast<int>(n)) != static_cast<int>(n))
            std::abort();
    }
    BIO_shutdown_wr(server_bio);

    const timeval slice = {1, 0};
    const int rc = VEXOTunnelClientHandshakeOnSocket(client, ctx.ready_fd, "files.example", 8443, slice, 1);
    if (rc == 0 && ctx.status_check && !announcesZeroStatus(answer))
        std::abort();  // a relay that did not say 0 was taken as accepting
    SSL_free(client);
    SSL_free(server);
    ERR_clear_error();
    return 0;
}
