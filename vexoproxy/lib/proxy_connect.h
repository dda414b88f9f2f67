#pragma once

#include <cstdint>

namespace VexoProxy {

// A non-blocking IPv4 socket connected to host:port (linger 1 s), waiting in
// `slices` slices of slice_ms for the connect to finish; -1 on failure.
int ConnectNonBlocking(const char* host, uint16_t port, int slice_ms, int slices, bool no_delay);

}  // namespace VexoProxy
