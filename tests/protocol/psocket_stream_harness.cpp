#include "psocket_stream_harness.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <openssl/ssl.h>

#include "support/certificates.h"
#include "support/loopback.h"

namespace sockstream_test {

const std::vector<LinkMode>& allLinkModes()
{
    static const std::vector<LinkMode> modes = {
        {"plain", false, false},
        {"lz4", false, true},
        {"tls", true, false},
        {"tls_lz4", true, true},
    };
    return modes;
}

void PrintTo(const LinkMode& mode, std::ostream* out)
{
    *out << mode.name;
}

namespace {

void setNonBlocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// A self-signed P-256 certificate for the server end; the client end does
// not verify (these tests are about the stream, not about trust).
bool makeServerContext(SSL_CTX* ctx)
{
    try {
        const qm_test::Credentials server = qm_test::makeServerCert("localhost", {}, nullptr);
        return SSL_CTX_use_certificate(ctx, server.cert) == 1 && SSL_CTX_use_PrivateKey(ctx, server.key) == 1;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

Link::Link(const LinkMode& mode, int socket_buffer)
{
    if (!makeTcpPair(socket_buffer))
        return;
    if (mode.tls && !handshake())
        return;
    m_sender.reset(new PSocketStream());
    m_receiver.reset(new PSocketStream());
    m_sender->SetSocket(m_fd[0]);
    m_receiver->SetSocket(m_fd[1]);
    if (mode.tls) {
        m_sender->SetSsl(m_ssl[0]);
        m_receiver->SetSsl(m_ssl[1]);
    }
    if (mode.lz4) {
        m_comp.reset(new LZ4Compressor());
        m_decomp.reset(new LZ4Decompressor());
        if (m_comp->Initialize(65536) != 0 || m_decomp->Initialize(65536) != 0) {
            fail("LZ4 initialize");
            return;
        }
        m_sender->SetCompressor(m_comp.get());
        m_receiver->SetDecompressor(m_decomp.get());
    }
    m_ok = true;
}

Link::~Link()
{
    m_sender.reset();
    m_receiver.reset();
    for (int i = 0; i < 2; ++i) {
        if (m_ssl[i])
            SSL_free(m_ssl[i]);
        if (m_ctx[i])
            SSL_CTX_free(m_ctx[i]);
        if (m_fd[i] >= 0)
            close(m_fd[i]);
    }
}

bool Link::fail(const std::string& why)
{
    m_error = why + " (errno " + std::to_string(errno) + ")";
    return false;
}

bool Link::makeTcpPair(int socket_buffer)
{
    try {
        // Small buffers are set before connecting: the accepted end inherits
        // the listener's, and the window is small from the start.
        qm_test::TcpPair pair(socket_buffer);
        std::swap(m_fd[0], pair.client);
        std::swap(m_fd[1], pair.server);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    for (int fd : m_fd) {
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
        setNonBlocking(fd);
    }
    return true;
}

bool Link::handshake()
{
    m_ctx[0] = SSL_CTX_new(TLS_client_method());
    m_ctx[1] = SSL_CTX_new(TLS_server_method());
    if (!m_ctx[0] || !m_ctx[1] || !makeServerContext(m_ctx[1]))
        return fail("TLS contexts");
    SSL_CTX_set_verify(m_ctx[0], SSL_VERIFY_NONE, nullptr);
    m_ssl[0] = SSL_new(m_ctx[0]);
    m_ssl[1] = SSL_new(m_ctx[1]);
    SSL_set_fd(m_ssl[0], m_fd[0]);
    SSL_set_fd(m_ssl[1], m_fd[1]);
    SSL_set_connect_state(m_ssl[0]);
    SSL_set_accept_state(m_ssl[1]);
    bool done[2] = {false, false};
    for (int round = 0; !(done[0] && done[1]); ++round) {
        for (int i = 0; i < 2; ++i) {
            if (done[i])
                continue;
            int r = SSL_do_handshake(m_ssl[i]);
            if (r == 1) {
                done[i] = true;
                continue;
            }
            int e = SSL_get_error(m_ssl[i], r);
            if (e != SSL_ERROR_WANT_READ && e != SSL_ERROR_WANT_WRITE)
                return fail("TLS handshake, ssl error " + std::to_string(e));
        }
        if (round > 0 && !(done[0] && done[1])) {
            // Wait for the peer's next flight instead of spinning.
            pollfd fds[2] = {{m_fd[0], POLLIN, 0}, {m_fd[1], POLLIN, 0}};
            if (poll(fds, 2, 5000) <= 0)
                return fail("TLS handshake stalled");
        }
    }
    return true;
}

bool Link::receiverHasBuffered()
{
    return (m_ssl[1] && SSL_pending(m_ssl[1]) > 0) ||
           (m_decomp && !m_decomp->IsBufferEmpty());
}

namespace {

std::string codeText(const char* what, int code)
{
    return std::string(what) + " returned " + std::to_string(code);
}

// Nothing moved for a while: wait for either socket to become ready, or
// report a stall when neither does.
bool waitForProgress(Link& link)
{
    pollfd fds[2] = {{link.senderFd(), POLLOUT, 0}, {link.receiverFd(), POLLIN, 0}};
    return poll(fds, 2, 5000) > 0;
}

} // namespace

std::string transfer(Link& link, const PObject& out, PObject& in, const Steps& steps)
{
    link.sender().SetSend(out);
    return finishTransfer(link, in, steps);
}

std::string finishTransfer(Link& link, PObject& in, const Steps& steps)
{
    PSocketStream& tx = link.sender();
    PSocketStream& rx = link.receiver();
    bool sent = false;
    size_t turn = 0;
    int idle = 0;
    for (;;) {
        bool moved = false;
        if (!sent) {
            int r = tx.Send(steps.send[turn % steps.send.size()]);
            if (r == PSocketStream::ERR_OK)
                sent = true;
            else if (r != PSocketStream::ERR_WOULD_BLOCK)
                return codeText("Send", r);
            moved = moved || tx.GetLastTransferredBytes() > 0 || sent;
        }
        if (!rx.HasMoreObjectToRead()) {
            int r = rx.Recv(steps.recv[turn % steps.recv.size()]);
            if (r == PSocketStream::ERR_OK)
                moved = true;
            else if (r != PSocketStream::ERR_WOULD_BLOCK)
                return codeText("Recv", r);
        }
        int r = rx.GetNextAvailibleReceivedObject(in);
        if (r == PSocketStream::ERR_OK) {
            // A payload's last Send only finishes the file window; the bytes
            // are all out already, so the object may arrive just before it.
            for (int more = 0; !sent && more < 3; ++more) {
                int s = tx.Send(steps.send[0]);
                if (s == PSocketStream::ERR_OK)
                    sent = true;
                else if (s != PSocketStream::ERR_WOULD_BLOCK)
                    return codeText("Send", s);
            }
            return sent ? "" : "the sender kept steps pending after the object arrived";
        }
        if (r != PSocketStream::ERR_WOULD_BLOCK)
            return codeText("GetNextAvailibleReceivedObject", r);
        ++turn;
        if (moved || link.receiverHasBuffered()) {
            idle = 0;
        } else if (++idle > 50) {
            if (!waitForProgress(link))
                return sent ? "stalled after Send reported ERR_OK" : "stalled";
            if (idle > 100000)
                return "no progress although the sockets are ready";
        }
    }
}

int receiveRaw(Link& link, const std::string& bytes, PObject& in, size_t recv_step)
{
    PSocketStream& rx = link.receiver();
    size_t written = 0;
    for (;;) {
        if (written < bytes.size()) {
            ssize_t n = send(link.senderFd(), bytes.data() + written, bytes.size() - written,
                             MSG_NOSIGNAL);
            if (n > 0)
                written += static_cast<size_t>(n);
        }
        if (!rx.HasMoreObjectToRead()) {
            int r = rx.Recv(recv_step);
            if (r != PSocketStream::ERR_OK && r != PSocketStream::ERR_WOULD_BLOCK)
                return r;
            if (r == PSocketStream::ERR_WOULD_BLOCK && written == bytes.size()) {
                pollfd fd = {link.receiverFd(), POLLIN, 0};
                if (!link.receiverHasBuffered() && poll(&fd, 1, 2000) <= 0)
                    return PSocketStream::ERR_WOULD_BLOCK; // all sent, object incomplete
            }
        }
        int r = rx.GetNextAvailibleReceivedObject(in);
        if (r != PSocketStream::ERR_WOULD_BLOCK)
            return r;
    }
}

std::string makeContent(size_t size, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::string out(size, '\0');
    size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        uint32_t v = rng();
        memcpy(&out[i], &v, 4);
    }
    for (; i < size; ++i)
        out[i] = static_cast<char>(rng());
    // Some runs of text, so the LZ4 modes see both kinds of block.
    for (size_t at = 0; at + 300 < size; at += 9000)
        memset(&out[at], 'a' + static_cast<int>(at % 26), 300);
    return out;
}

} // namespace sockstream_test
