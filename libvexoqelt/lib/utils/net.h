#pragma once

#include <cstdint>

namespace qelt {

// Parsing of literal IPv4/IPv6 addresses with an optional port. A channel
// connects by address family, so a text must be recognised exactly.
class Net {
public:
    Net() = delete;

    // "a.b.c.d" or "a.b.c.d:port"; port = -1 when absent. 0 or -1.
    static int ParseIPv4(const char* text, unsigned out[4], int& port);
    static bool IsIPv4(const char* text);

    // "x:y::z", "[x:y::z]" or "[x:y::z]:port", with an optional dotted IPv4
    // tail ("::ffff:10.0.0.1"); port = -1 when absent. 0 or -1.
    static int ParseIPv6(const char* text, uint16_t out[8], int& port);
    static bool IsIPv6(const char* text);

    // Private ranges: 10/8, 172.16/12, 192.168/16.
    static bool IsLocalAddressv4(const unsigned a[4]);
    // Unique local addresses fc00::/7.
    static bool IsLocalAddressv6(const uint16_t g[8]);
};

} // namespace qelt
