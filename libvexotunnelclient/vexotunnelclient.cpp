#include "vexotunnelclient.h"

#include <poll.h>
#include <strings.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vexocrypto.h"

const char* const kVexoTunnelRelayHost = "relay.quillmar.net";

namespace {

const size_t kBufferSize = 1024;
const char kStatusHeader[] = "X-Target-Status";

// Seconds of one wait slice; never below 1 so that the elapsed count moves.
int SliceSeconds(const struct timeval& tv) { return tv.tv_sec > 0 ? static_cast<int>(tv.tv_sec) : 1; }

// >0 ready, 0 time-out, <0 error.
int WaitFd(int fd, short events, int seconds)
{
    struct pollfd p = {fd, events, 0};
    int r = poll(&p, 1, seconds * 1000);
    if (r < 0 && errno == EINTR)
        return 0;
    return r;
}

enum class LineResult { Line, End, Fail };

// Reads one line up to and including LF without taking anything past it
// from TLS. A line longer than size - 1 bytes keeps its head in `line`; the
// rest is read and dropped, so that its tail is never taken for a header.
LineResult ReadLine(SSL* ssl, int fd, char* line, size_t size, const struct timeval& slice,
                    unsigned channel_timeout)
{
    char overflow[256];
    size_t len = 0;
    unsigned waited = 0;
    line[0] = '\0';
    for (;;) {
        const bool full = len == size - 1;
        char* dst = full ? overflow : line + len;
        const size_t room = full ? sizeof overflow : size - 1 - len;
        if (SSL_pending(ssl) <= 0) {
            int r = WaitFd(fd, POLLIN, SliceSeconds(slice));
            if (r < 0)
                return LineResult::Fail;
            if (r == 0) {
                waited += static_cast<unsigned>(SliceSeconds(slice));
                if (waited >= channel_timeout)
                    return LineResult::Fail;
                continue;
            }
        }
        int peeked = SSL_peek(ssl, dst, static_cast<int>(room));
        if (peeked <= 0) {
            int err = SSL_get_error(ssl, peeked);
            if (err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE)
                continue;
            return err == SSL_ERROR_ZERO_RETURN ? LineResult::End : LineResult::Fail;
        }
        const char* lf = static_cast<const char*>(std::memchr(dst, '\n', static_cast<size_t>(peeked)));
        int take = lf ? static_cast<int>(lf - dst) + 1 : peeked;
        int got = SSL_read(ssl, dst, take);
        if (got != take)
            return LineResult::Fail;
        if (!full) {
            len += static_cast<size_t>(got);
            line[len] = '\0';
        }
        waited = 0;
        if (lf)
            return LineResult::Line;
    }
}

enum class Status { NotStatus, Valid, Malformed };

// Reads "X-Target-Status: <n>", the name in any letter case. The value must
// be decimal digits only, 0 to VEXOTUNNEL_STATUS_MAX, followed by nothing but
// white space: anything else is Malformed, never a number cut to fit.
Status ParseStatus(const char* line, int& status)
{
    size_t name_len = sizeof kStatusHeader - 1;
    if (strncasecmp(line, kStatusHeader, name_len) != 0)
        return Status::NotStatus;
    const char* p = line + name_len;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p++ != ':')
        return Status::NotStatus;
    while (*p == ' ' || *p == '\t')
        ++p;
    int value = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > VEXOTUNNEL_STATUS_MAX)
            return Status::Malformed;
    }
    if (p == digits)
        return Status::Malformed;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
        ++p;
    if (*p != '\0')
        return Status::Malformed;
    status = value;
    return Status::Valid;
}

// "HTTP/1.x NNN[ reason]": true for 101 Switching Protocols (the usual
// answer to an Upgrade request) and any 2xx; false for every other status
// and for a line that is no status line.
bool AcceptingStatusLine(const char* line)
{
    if (std::strncmp(line, "HTTP/1.", 7) != 0 || !std::isdigit(static_cast<unsigned char>(line[7])) ||
        line[8] != ' ')
        return false;
    const char* code = line + 9;
    for (int i = 0; i < 3; ++i)
        if (!std::isdigit(static_cast<unsigned char>(code[i])))
            return false;
    const char after = code[3];
    if (after != ' ' && after != '\r' && after != '\n')
        return false;
    const int value = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    return value == 101 || (value >= 200 && value <= 299);
}

int WriteAll(SSL* ssl, int fd, const char* buffer, size_t len, struct timeval m_timeout, uint32_t channel_timeout)
{
    if (!ssl || fd < 0)
        return VEXOTUNNEL_ERR_WRITE_FAILED;
    uint32_t waited = 0;
    short events = POLLOUT;
    for (;;) {
        int r = WaitFd(fd, events, SliceSeconds(m_timeout));
        if (r < 0)
            return VEXOTUNNEL_ERR_WRITE_FAILED;
        if (r == 0) {
            waited += static_cast<uint32_t>(SliceSeconds(m_timeout));
            if (waited >= channel_timeout)
                return VEXOTUNNEL_ERR_WRITE_TIMEOUT;
            continue;
        }
        int n = SSL_write(ssl, buffer, static_cast<int>(len));
        if (n > 0)
            return 0;
        int err = SSL_get_error(ssl, n);
        if (err == SSL_ERROR_WANT_READ)
            events = POLLIN;
        else if (err == SSL_ERROR_WANT_WRITE)
            events = POLLOUT;
        else
            return VEXOTUNNEL_ERR_WRITE_FAILED;
    }
}

}  // namespace

int VEXOTunnelNonBlockingWrite(SSL* ssl, const char* buffer, size_t len, struct timeval m_timeout,
                               uint32_t channel_timeout)
{
    return WriteAll(ssl, SSL_get_fd(ssl), buffer, len, m_timeout, channel_timeout);
}

int VEXOTunnelClientHandshake(SSL* ssl, const char* pszTargetHost, int targetPort, struct timeval timeout,
                              unsigned int channel_timeout)
{
    return VEXOTunnelClientHandshakeOnSocket(ssl, ssl ? SSL_get_fd(ssl) : -1, pszTargetHost, targetPort, timeout,
                                             channel_timeout);
}

int VEXOTunnelClientHandshakeOnSocket(SSL* ssl, int fd, const char* pszTargetHost, int targetPort,
                                      struct timeval timeout, unsigned int channel_timeout)
{
    if (!ssl || fd < 0 || !pszTargetHost)
        return VEXOTUNNEL_ERR_TARGET_TOO_LONG;

    // Token: "host:port" with its terminating zero, sealed, then Base64.
    char text[kBufferSize];
    int text_len = std::snprintf(text, sizeof text, "%s:%d", pszTargetHost, targetPort);
    if (text_len < 0 || static_cast<size_t>(text_len) >= sizeof text)
        return VEXOTUNNEL_ERR_TARGET_TOO_LONG;
    char envelope[kBufferSize];
    int envelope_len = VEXOCryptoEncrypt(envelope, sizeof envelope, text, static_cast<size_t>(text_len) + 1);
    if (envelope_len <= 0 || 4 * ((static_cast<size_t>(envelope_len) + 2) / 3) >= kBufferSize)
        return VEXOTUNNEL_ERR_TARGET_TOO_LONG;
    char token[kBufferSize];
    int token_len = VEXOCryptoBase64Encode(token, sizeof token - 1, envelope, static_cast<size_t>(envelope_len));
    if (token_len <= 0)
        return VEXOTUNNEL_ERR_TARGET_TOO_LONG;
    token[token_len] = '\0';

    char request[kBufferSize];
    int request_len = std::snprintf(request, sizeof request,
                                    "GET /vexo-tunnel HTTP/1.1\r\n"
                                    "Host: %s\r\n"
                                    "Upgrade: QuillmarTunnel\r\n"
                                    "X-Target-Host: %s\r\n"
                                    "X-Target-Port: %d\r\n"
                                    "X-AuthToken: %s\r\n"
                                    "\r\n",
                                    kVexoTunnelRelayHost, pszTargetHost, targetPort, token);
    if (request_len < 0 || static_cast<size_t>(request_len) >= sizeof request)
        return VEXOTUNNEL_ERR_TARGET_TOO_LONG;

    int rc = WriteAll(ssl, fd, request, static_cast<size_t>(request_len), timeout, channel_timeout);
    if (rc < 0)
        return rc;

    // The relay's answer: only a complete header block whose status line
    // accepts the upgrade and which carries exactly one well-formed status
    // counts. The block is read to its end whatever it holds, so that no
    // header is left behind in TLS.
    bool http_accepted = false;
    int status_count = 0;
    bool malformed = false;
    int status = 0;
    char line[kBufferSize];
    for (bool first = true;; first = false) {
        LineResult r = ReadLine(ssl, fd, line, sizeof line, timeout, channel_timeout);
        if (r != LineResult::Line)
            return VEXOTUNNEL_ERR_NO_STATUS;
        if (line[0] == '\r' || line[0] == '\n')
            break;
        if (first) {
            http_accepted = AcceptingStatusLine(line);
            continue;
        }
        int value = 0;
        switch (ParseStatus(line, value)) {
        case Status::Valid:
            status = value;
            ++status_count;
            break;
        case Status::Malformed:
            malformed = true;
            ++status_count;
            break;
        case Status::NotStatus:
            break;
        }
    }
    if (!http_accepted)
        return VEXOTUNNEL_ERR_HTTP_REFUSED;
    if (status_count > 1)
        return VEXOTUNNEL_ERR_REPEATED_STATUS;
    if (malformed)
        return VEXOTUNNEL_ERR_BAD_STATUS;
    return status_count == 1 ? status : VEXOTUNNEL_ERR_NO_STATUS;
}
