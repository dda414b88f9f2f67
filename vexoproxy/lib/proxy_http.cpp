#include "proxy_http.h"

#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "proxy_log.h"
#include "proxy_text.h"

namespace VexoProxy {

namespace {

const int kMaxRetries = 5;

bool SameKey(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Receives into buf; retries on EINTR. -1 error, 0 closed, else count.
ssize_t RecvSome(int fd, void* buf, size_t n, int flags)
{
    for (;;) {
        ssize_t r = recv(fd, buf, n, flags);
        if (r < 0 && errno == EINTR)
            continue;
        return r;
    }
}

// Waits for readability with the exchange's retry rule; 1 ready, -1 failure.
int WaitReadable(int fd, int timeout, int& retries)
{
    int slice_ms = timeout * 1000 / 5;
    for (;;) {
        int r = WaitSocket(fd, false, slice_ms);
        if (r > 0)
            return 1;
        if (r < 0)
            return -1;
        PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_util [%d]Read http header timeout\n");
        if (++retries > kMaxRetries) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_util [%d]Retry maximum times reached\n");
            return -1;
        }
    }
}

}  // namespace

void HttpHeaderList::Add(const std::string& key, const std::string& value)
{
    m_entries.emplace_back(key, value);
}

const std::string* HttpHeaderList::GetValByKey(const std::string& key) const
{
    int i = GetNextEntryByKey(key, -1);
    return i < 0 ? nullptr : &m_entries[static_cast<size_t>(i)].second;
}

int HttpHeaderList::GetNextEntryByKey(const std::string& key, int after) const
{
    for (size_t i = static_cast<size_t>(after + 1); i < m_entries.size(); ++i)
        if (SameKey(m_entries[i].first, key))
            return static_cast<int>(i);
    return -1;
}

int WaitSocket(int fd, bool for_write, int ms)
{
    struct pollfd p;
    p.fd = fd;
    p.events = for_write ? POLLOUT : POLLIN;
    p.revents = 0;
    int r = poll(&p, 1, ms);
    if (r < 0 && errno == EINTR)
        return 0;
    return r;
}

void CloseSocket(int fd)
{
    if (fd < 0)
        return;
    if (shutdown(fd, SHUT_RDWR) != 0 && errno != ENOTCONN)
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient [%d]shutdown error: %s\n", strerror(errno));
    close(fd);
}

int VEXOProxyClientPacketSend(int fd, const char* buffer, size_t length, int timeout_total)
{
    int slice_ms = timeout_total * 1000 / 5;
    int retries = 0;
    size_t sent = 0;
    while (sent < length) {
        int r = WaitSocket(fd, true, slice_ms);
        if (r < 0) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_util [%d]Select failed:error code %d\n", errno);
            return -1;
        }
        if (r == 0) {
            PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_util [%d]Timeout, retry %d times\n", retries);
            if (++retries > kMaxRetries)
                return -1;
            continue;
        }
        ssize_t n = send(fd, buffer + sent, length - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_util [%d]Tx initial auth packet failed\n");
            return -1;
        }
        sent += static_cast<size_t>(n);
        if (sent < length)
            PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_util [%d]Packet not send complete, continue...\n");
    }
    return 0;
}

int VEXOProxyClientReadOneLine(int fd, char* buffer, size_t size, int timeout)
{
    if (!buffer || size == 0)
        return -1;
    size_t len = 0;
    int retries = 0;
    buffer[0] = '\0';
    for (;;) {
        size_t room = size - 1 - len;
        if (room == 0)
            return -8;
        if (WaitReadable(fd, timeout, retries) < 0)
            return -1;
        ssize_t peeked = RecvSome(fd, buffer + len, room, MSG_PEEK);
        if (peeked < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (peeked <= 0)
            return -1;
        const void* lf = std::memchr(buffer + len, '\n', static_cast<size_t>(peeked));
        size_t take = lf ? static_cast<size_t>(static_cast<const char*>(lf) - (buffer + len)) + 1
                         : static_cast<size_t>(peeked);
        ssize_t got = RecvSome(fd, buffer + len, take, 0);
        if (got != static_cast<ssize_t>(take))
            return -1;
        len += take;
        buffer[len] = '\0';
        if (lf)
            return static_cast<int>(len);
    }
}

int VEXOProxyGetHttpResponseCode(int fd, int& code)
{
    char line[kStatusLineLimit];
    if (VEXOProxyClientReadOneLine(fd, line, sizeof line, kExchangeTimeout) < 0)
        return -1;
    PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_httpheader [%d]buf='%s'\n", line);
    if (std::sscanf(line, "HTTP/%*1s.%*1s %d %*s", &code) != 1)
        return -5;
    return 0;
}

int VEXOProxyClientParseHttpHeader(int fd, HttpHeaderList& headers)
{
    std::vector<char> line(kHeaderLineLimit);
    for (;;) {
        if (VEXOProxyClientReadOneLine(fd, line.data(), line.size(), kExchangeTimeout) < 0) {
            PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_httpheader [%d]Get http header error\n");
            return -1;
        }
        std::string text(line.data());
        VEXOProxyClientStrimWhiteSpace(text);
        if (text.empty())
            return 0;
        size_t colon = text.find(':');
        if (colon == std::string::npos)
            continue;
        size_t value = text.find_first_not_of(' ', colon + 1);
        headers.Add(text.substr(0, colon), value == std::string::npos ? std::string() : text.substr(value));
    }
}

int VEXOProxyClientClearHttpContentByLength(int fd, uint64_t length)
{
    char sink[4096];
    int retries = 0;
    while (length > 0) {
        if (WaitReadable(fd, kExchangeTimeout, retries) < 0)
            return -1;
        ssize_t n = RecvSome(fd, sink, length < sizeof sink ? static_cast<size_t>(length) : sizeof sink, 0);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (n <= 0)
            return -1;
        length -= static_cast<uint64_t>(n);
    }
    return 0;
}

int VEXOProxyClientClearHttpContentUntilEnd(int fd)
{
    static const char kEnd[] = "\r\n\r\n";
    char sink[4096];
    size_t matched = 0;  // bytes of kEnd matched so far, possibly across reads
    int retries = 0;
    while (matched < 4) {
        if (WaitReadable(fd, kExchangeTimeout, retries) < 0)
            return -1;
        ssize_t peeked = RecvSome(fd, sink, sizeof sink, MSG_PEEK);
        if (peeked < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (peeked <= 0)
            return -1;
        // Consume only up to the end of the match: what follows is not ours.
        size_t take = 0;
        while (take < static_cast<size_t>(peeked) && matched < 4) {
            char c = sink[take++];
            matched = c == kEnd[matched] ? matched + 1 : (c == '\r' ? 1 : 0);
        }
        if (RecvSome(fd, sink, take, 0) != static_cast<ssize_t>(take))
            return -1;
    }
    return 0;
}

int VEXOProxyReadHttpAnswer(int fd, int& code, HttpHeaderList& headers)
{
    int rc = VEXOProxyGetHttpResponseCode(fd, code);
    if (rc < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Get http response code failed, %d\n", rc);
        return -1;
    }
    PROXY_PRINT_MSG(PROXY_WARNING, L"[WARN]lib/vexoproxyclient_auth [%d]Response code = %d\n", code);
    if (VEXOProxyClientParseHttpHeader(fd, headers) < 0) {
        PROXY_PRINT_MSG(PROXY_ERR, L"[ERROR] lib/vexoproxyclient_auth [%d]Pasing http header failed\n");
        return -1;
    }
    // A 2xx answer to CONNECT has no body: the tunnel starts right after the
    // headers, and draining here would eat the target's first bytes.
    if (code / 100 == 2)
        return 0;
    if (const std::string* length = headers.GetValByKey("Content-Length")) {
        // Only plain digits: strtoull would turn "-1" into a huge count.
        uint64_t n = !length->empty() && (*length)[0] >= '0' && (*length)[0] <= '9'
                         ? std::strtoull(length->c_str(), nullptr, 10)
                         : 0;
        if (n != 0)
            VEXOProxyClientClearHttpContentByLength(fd, n);
    } else if (headers.GetValByKey("Content-Type")) {
        VEXOProxyClientClearHttpContentUntilEnd(fd);
    }
    return 0;
}

}  // namespace VexoProxy
