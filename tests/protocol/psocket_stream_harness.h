#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "lz4-processor.h"
#include "protocol/pobject.h"
#include "psocket_stream.h"
#include "support/digest.h"
#include "support/temp_dir.h"

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

namespace sockstream_test {

// The four ways a data connection carries its bytes.
struct LinkMode {
    const char* name;
    bool tls;
    bool lz4;
};
const std::vector<LinkMode>& allLinkModes();
// How a test value prints (found by argument-dependent lookup): the name.
void PrintTo(const LinkMode& mode, std::ostream* out);

// A connected, non-blocking TCP pair on 127.0.0.1 with, per mode, a finished
// TLS handshake (self-signed certificate made here) and an LZ4 pair, and one
// PSocketStream per direction wired as the engine wires them.
class Link {
public:
    // socket_buffer > 0 sets small kernel buffers on both ends before they
    // connect, so a sender meets a full socket early.
    explicit Link(const LinkMode& mode, int socket_buffer = 0);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    bool ok() const { return m_ok; }
    const std::string& error() const { return m_error; }

    PSocketStream& sender() { return *m_sender; }
    PSocketStream& receiver() { return *m_receiver; }
    int senderFd() const { return m_fd[0]; }
    int receiverFd() const { return m_fd[1]; }
    LZ4Decompressor* decompressor() { return m_decomp.get(); }
    SSL* receiverSsl() { return m_ssl[1]; }

    // The receiver has bytes to hand over although the socket may be quiet
    // (TLS record bytes or decompressed output held inside).
    bool receiverHasBuffered();

private:
    bool fail(const std::string& why);
    bool makeTcpPair(int socket_buffer);
    bool handshake();

    bool m_ok = false;
    std::string m_error;
    int m_fd[2] = {-1, -1};
    SSL_CTX* m_ctx[2] = {nullptr, nullptr};
    SSL* m_ssl[2] = {nullptr, nullptr};
    std::unique_ptr<LZ4Compressor> m_comp;
    std::unique_ptr<LZ4Decompressor> m_decomp;
    std::unique_ptr<PSocketStream> m_sender;
    std::unique_ptr<PSocketStream> m_receiver;
};

// Budgets for successive Send and Recv calls, cycled.
struct Steps {
    std::vector<size_t> send;
    std::vector<size_t> recv;
};

// Drives both streams of a link in one thread, alternating non-blocking
// calls, until the receiver hands over one object. The sender is not called
// again once Send reported ERR_OK, so everything must have left by then.
// Returns "" or a description of the failure (an error code, or a stall: a
// round of calls on both sides that moved nothing).
std::string transfer(Link& link, const PObject& out, PObject& in, const Steps& steps);
// The same for an object whose sending has already begun.
std::string finishTransfer(Link& link, PObject& in, const Steps& steps);

// Sends raw bytes into the receiver's socket from a helper loop and lets the
// receiver parse until it hands over an object or fails; returns the result
// code of the last GetNextAvailibleReceivedObject (or of Recv on failure).
int receiveRaw(Link& link, const std::string& bytes, PObject& in, size_t recv_step);

using qm_test::readFile;
using qm_test::sha256Hex;
using qm_test::sha256OfFile;
using qm_test::TempDir;
using qm_test::writeFile;

// Random bytes with runs of text, so the LZ4 modes see both kinds of block.
std::string makeContent(size_t size, uint32_t seed);

} // namespace sockstream_test
