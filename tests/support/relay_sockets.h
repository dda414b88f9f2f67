#pragma once
// Socket steps the loopback relays of the tests share: non-blocking
// sockets with small kernel buffers, closed with a reset when a link breaks.

#include <cstdint>

namespace qm_test {

// Microseconds of the steady clock.
uint64_t steadyNowUs();
void setNonBlocking(int fd);
// SO_RCVBUF and SO_SNDBUF; on a listening socket, accepted ones inherit them.
void setSocketBuffers(int fd, int bytes);
// The other end sees a reset, not an orderly end. Nothing for fd < 0.
void closeWithReset(int fd);
// A read or write on a non-blocking socket that failed with this error
// may simply be tried again later.
bool wouldBlock(int error);

}  // namespace qm_test
