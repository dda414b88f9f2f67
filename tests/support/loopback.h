#pragma once

#include <string>

namespace qm_test {

// A listening TCP socket on 127.0.0.1 with an ephemeral port, or -1 (port
// untouched). socket_buffer > 0 sets SO_SNDBUF and SO_RCVBUF before listen;
// accepted sockets inherit them.
int listenLoopback(int& port, int backlog = 16, int socket_buffer = 0);
// A blocking TCP connection to 127.0.0.1:port, or -1. socket_buffer > 0 sets
// the buffer sizes before connecting, so the window is small from the start.
int connectLoopback(int port, int socket_buffer = 0);
// Writes all of `data` to a blocking socket (no SIGPIPE); false when the
// peer has gone or the socket fails.
bool sendAll(int fd, const std::string& data);

// A listening socket on 127.0.0.1 with an ephemeral port, closed by the
// destructor. Throws std::runtime_error when it cannot listen.
class Listener {
public:
    explicit Listener(int backlog = 16);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    int port() const { return m_port; }
    int fd() const { return m_fd; }
    int accept(); // a connected descriptor or -1

private:
    int m_fd = -1;
    int m_port = 0;
};

// Both ends of one blocking loopback TCP connection. The destructor closes
// each end still >= 0; set one to -1 to keep it. Throws std::runtime_error
// when the connection cannot be made.
struct TcpPair {
    explicit TcpPair(int socket_buffer = 0);
    ~TcpPair();
    TcpPair(const TcpPair&) = delete;
    TcpPair& operator=(const TcpPair&) = delete;

    int client = -1;
    int server = -1;
};

} // namespace qm_test
