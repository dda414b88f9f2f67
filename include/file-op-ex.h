#pragma once
// The platform layer: the few operations whose form differs between operating
// systems. Stateless free functions, callable from any thread.

#include <cstdint>
#include <string>
#include <vector>

#include <sys/socket.h>

#include "ustring/ustring.h"

namespace cross {

typedef int socket_t;
typedef int file_type;
typedef ustring path_t;

const socket_t INVALID_SOCKET_VALUE = -1;
const file_type INVALID_FILE_VALUE = -1;

enum ConnectOption {
    ConnectUdp = 0,
    ConnectTcp = 1,
};

// Opens by a mode string: "a" write/create (no truncation, position at the
// start), "rw" read-write/create, "r..." read existing, "w" write/truncate,
// anything else read-write/truncate. INVALID_FILE_VALUE on failure.
file_type open(const path_t& path, const char* mode);
void close(file_type fd);

// The calling thread's last error (errno); read it right after the failing call.
int getSystemError();
int getSocketError();
bool isErrorWouldBlock(int error);
bool isErrorFileTooBig(int error);
bool isErrorDiskFull(int error);
bool isErrorMessageTooLong(int error);

int setBlocking(socket_t fd, bool blocking);
// Keep-alive after idle_time seconds, then a probe every probe_interval
// seconds; probe_count > 0 also sets the number of unanswered probes.
int setTcpKeepAlive(socket_t fd, int idle_time, int probe_interval, int probe_count);
int setSocketDontFragment(socket_t sock);
// Path MTU of a connected socket as the kernel knows it; -1 when unknown.
int getExpectedMtuFromConnectedTcpSocket(socket_t fd);
int getFallbackMtuFromConnectedUdpSocket(socket_t fd);

// Connects to the first address of domain_name that accepts. With blocking
// false a connection still in progress is returned as well: finish it with
// waitConnected. Stores the address family in family; INVALID_SOCKET_VALUE
// when every address failed.
socket_t connect(ConnectOption co, const std::string& domain_name, int port, int& family, bool blocking);
// The pending error of a socket (SO_ERROR): 0 once a non-blocking connect has
// succeeded, the errno value of its failure otherwise, -1 if it cannot be read.
int getPendingSocketError(socket_t fd);
// Waits up to timeout_ms (negative: no limit) for a non-blocking connect to
// finish. 0 connected; -1 refused, failed or timed out (errno tells which).
// Writability alone is not success: a refused connect is writable too.
int waitConnected(socket_t fd, int timeout_ms);

// Appends the text of every IPv4 and IPv6 address of the name; -1 when the
// resolver fails, else 0 (also when nothing was added).
int resolveDomainName(const std::string& domain_name, std::vector<std::string>& ip_list);
std::string getIpv4(const sockaddr* in);
std::string getIpv6(const sockaddr* in);

// The host name up to its first dot; "" when it cannot be read.
std::string getComputerName();
// Wall-clock milliseconds since 1970 (follows the system clock).
uint64_t getMillisecondTimestamp();
// Block size of file windows and LZ4 input blocks.
uint64_t getPreferredBlockSize();

} // namespace cross
