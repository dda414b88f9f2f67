#include "utils/net.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qelt {

namespace {

constexpr size_t kMaxIPv6Text = 128;
constexpr size_t kMaxIPv6Address = 64;

// A run of decimal digits (no sign, no blanks) up to `limit`. Advances p.
bool parseDecimal(const char*& p, unsigned long limit, unsigned long& value)
{
    if (*p < '0' || *p > '9')
        return false;
    value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + static_cast<unsigned long>(*p - '0');
        if (value > limit)
            return false;
        ++p;
    }
    return true;
}

// An optional ":port" tail that must end the text.
bool parsePortTail(const char* p, int& port)
{
    if (*p == '\0') {
        port = -1;
        return true;
    }
    if (*p != ':')
        return false;
    ++p;
    unsigned long value = 0;
    if (!parseDecimal(p, 65535, value) || *p != '\0')
        return false;
    port = static_cast<int>(value);
    return true;
}

// Colon-separated groups of 1 to 4 hex digits; an empty text has none.
bool parseHexGroups(const std::string& text, std::vector<uint16_t>& groups)
{
    if (text.empty())
        return true;
    size_t start = 0;
    while (true) {
        size_t end = text.find(':', start);
        size_t len = (end == std::string::npos ? text.size() : end) - start;
        if (len < 1 || len > 4)
            return false;
        unsigned value = 0;
        for (size_t i = start; i < start + len; ++i) {
            char c = text[i];
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<unsigned>(c - 'A' + 10);
            else
                return false;
            value = value * 16 + digit;
        }
        groups.push_back(static_cast<uint16_t>(value));
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

bool parseIPv6Address(const std::string& text, uint16_t out[8])
{
    if (text.empty() || text.size() > kMaxIPv6Address)
        return false;
    std::vector<uint16_t> head, tail;
    size_t gap = text.find("::");
    if (gap == std::string::npos) {
        if (!parseHexGroups(text, head) || head.size() != 8)
            return false;
    } else {
        if (!parseHexGroups(text.substr(0, gap), head) || !parseHexGroups(text.substr(gap + 2), tail))
            return false;
        size_t explicitGroups = head.size() + tail.size();
        if (explicitGroups < 1 || explicitGroups > 7)
            return false;
    }
    size_t zeros = 8 - head.size() - tail.size();
    size_t k = 0;
    for (uint16_t g : head)
        out[k++] = g;
    for (size_t i = 0; i < zeros; ++i)
        out[k++] = 0;
    for (uint16_t g : tail)
        out[k++] = g;
    return true;
}

// Rewrites a dotted IPv4 tail ("::ffff:10.0.0.1") as two hex groups.
std::string rewriteIPv4Tail(const std::string& text)
{
    size_t end = text.rfind(']');
    if (end == std::string::npos)
        end = text.size();
    size_t colon = text.rfind(':', end == 0 ? 0 : end - 1);
    if (colon == std::string::npos || colon >= end)
        return text;
    std::string candidate = text.substr(colon + 1, end - colon - 1);
    unsigned v4[4];
    int port = -1;
    if (candidate.find('.') == std::string::npos || Net::ParseIPv4(candidate.c_str(), v4, port) != 0 || port != -1)
        return text;
    char groups[16];
    std::snprintf(groups, sizeof groups, "%x%02x:%x%02x", v4[0], v4[1], v4[2], v4[3]);
    return text.substr(0, colon + 1) + groups + text.substr(end);
}

} // namespace

int Net::ParseIPv4(const char* text, unsigned out[4], int& port)
{
    if (!text)
        return -1;
    const char* p = text;
    unsigned parts[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != '.')
                return -1;
            ++p;
        }
        unsigned long value = 0;
        if (!parseDecimal(p, 255, value))
            return -1;
        parts[i] = static_cast<unsigned>(value);
    }
    int parsedPort = -1;
    if (!parsePortTail(p, parsedPort))
        return -1;
    std::memcpy(out, parts, sizeof parts);
    port = parsedPort;
    return 0;
}

bool Net::IsIPv4(const char* text)
{
    unsigned out[4];
    int port;
    return ParseIPv4(text, out, port) == 0;
}

int Net::ParseIPv6(const char* text, uint16_t out[8], int& port)
{
    if (!text || std::strlen(text) > kMaxIPv6Text)
        return -1;
    std::string s = rewriteIPv4Tail(text);
    std::string address;
    int parsedPort = -1;
    if (!s.empty() && s[0] == '[') {
        size_t close = s.find(']');
        if (close == std::string::npos)
            return -1;
        address = s.substr(1, close - 1);
        if (!parsePortTail(s.c_str() + close + 1, parsedPort))
            return -1;
    } else {
        address = s;
    }
    uint16_t groups[8];
    if (!parseIPv6Address(address, groups))
        return -1;
    std::memcpy(out, groups, sizeof groups);
    port = parsedPort;
    return 0;
}

bool Net::IsIPv6(const char* text)
{
    uint16_t out[8];
    int port;
    return ParseIPv6(text, out, port) == 0;
}

bool Net::IsLocalAddressv4(const unsigned a[4])
{
    return a[0] == 10 || (a[0] == 172 && a[1] >= 16 && a[1] <= 31) || (a[0] == 192 && a[1] == 168);
}

bool Net::IsLocalAddressv6(const uint16_t g[8])
{
    return (g[0] & 0xfe00) == 0xfc00;
}

} // namespace qelt
