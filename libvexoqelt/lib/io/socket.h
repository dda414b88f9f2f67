#pragma once

#include "io/iobase.h"
#include "utils/abort_flag.h"

namespace qelt {

// A TCP socket descriptor. Sends never raise SIGPIPE (MSG_NOSIGNAL).
class Socket : public IOBase {
public:
    Socket() = default;
    explicit Socket(socket_type fd) : _fd(fd) {}
    ~Socket() override;

    ssize_t read(void* buf, size_t n) override;
    ssize_t write(const void* buf, size_t n) override;
    int sync() override { return 0; }
    void close() override;
    // poll(2) for the wanted direction: 1 ready, 0 time-out, -1 error or a
    // pending socket error. A hang-up counts as readable (the read sees EOF).
    int select(Mode mode, int seconds) override;
    // Like select() with a millisecond time-out (-1 = no limit).
    int selectMs(Mode mode, int milliseconds);
    IOBase* clone() const override;

    bool isValid() const { return _fd != invalid_socket; }
    int shutdown();
    void assign(socket_type fd) { _fd = fd; }
    socket_type fd() const { return _fd; }
    // The last system error (errno) of this thread.
    int error() const;

    int setBlocking(bool blocking);
    int setLinger(int seconds);

    // Creates and connects a TCP socket of that family; the connected
    // descriptor (non-blocking when timeout != 0) or invalid_socket.
    static socket_type connectIPv4(const char* host, int port, unsigned timeout, AbortFlag abort = {});
    static socket_type connectIPv6(const char* host, int port, unsigned timeout, AbortFlag abort = {});
    static socket_type connectDomainSocket(const char* path);

    // Resolves host and tries each address in turn. timeout != 0 switches fd
    // to non-blocking and bounds each attempt by `timeout` seconds.
    // 0 on success; a getaddrinfo code (negative) or -1 on failure.
    static int connect(socket_type fd, const char* host, int port, unsigned timeout, AbortFlag abort = {});
    // Waits for a non-blocking connect to finish, in 800 ms slices, and
    // reads SO_ERROR: a refused connect is also "writable". 0 or -1.
    static int waitConnect(socket_type fd, unsigned timeout, AbortFlag abort = {});

    // A new IPv4 TCP socket with that blocking mode and linger, or nullptr.
    static Socket* CreateSocket(bool blocking, int linger);

private:
    socket_type _fd = invalid_socket;
};

} // namespace qelt
