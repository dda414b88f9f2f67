// Feeds arbitrary text to the address-literal parsers. An accepted text must
// give the same address bytes as the system's own parser, for the forms the
// system parser knows (bare addresses without a port).
#include <arpa/inet.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "utils/net.h"

namespace {

void checkIPv4(const std::string& text)
{
    unsigned parts[4];
    int port = -2;
    if (qelt::Net::ParseIPv4(text.c_str(), parts, port) != 0)
        return;
    for (unsigned part : parts)
        if (part > 255)
            std::abort();
    if (port < -1 || port > 65535)
        std::abort();
    if (qelt::Net::IsIPv4(text.c_str()) != true)
        std::abort();
}

void checkIPv6(const std::string& text)
{
    uint16_t groups[8];
    int port = -2;
    if (qelt::Net::ParseIPv6(text.c_str(), groups, port) != 0)
        return;
    if (port < -1 || port > 65535)
        std::abort();
    // Leading zeros in a dotted tail are ours alone; the rest must agree.
    if (port != -1 || text.find('.') != std::string::npos || text.find('[') != std::string::npos)
        return;
    in6_addr system;
    if (inet_pton(AF_INET6, text.c_str(), &system) != 1)
        std::abort();
    for (int i = 0; i < 8; ++i)
        if (groups[i] != ((system.s6_addr[2 * i] << 8) | system.s6_addr[2 * i + 1]))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string::npos)
        return 0;
    checkIPv4(text);
    checkIPv6(text);
    return 0;
}
