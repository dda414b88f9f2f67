#pragma once

#include <cstdint>

namespace VexoProxy {

// Which face of the client connects: they differ in Nagle's algorithm (the
// function interface turns it off) and in their log lines.
enum class ConnectFace { kClass, kFunction };

// A non-blocking IPv4 socket connected to host:port (linger 1 s), waiting in
// `slices` slices of slice_ms for the connect to finish; the socket's
// pending error decides once it is writable. -1 on failure.
int ConnectNonBlocking(const char* host, uint16_t port, int slice_ms, int slices, ConnectFace face);

}  // namespace VexoProxy
