#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "utils/net.h"

using qelt::Net;

namespace {

struct V4Case {
    const char* text;
    bool ok;
    unsigned a, b, c, d;
    int port;
};

TEST(QeltNet, ParsesIPv4LiteralsStrictly)
{
    const V4Case cases[] = {
        {"192.168.1.1", true, 192, 168, 1, 1, -1},
        {"192.168.1.1:80", true, 192, 168, 1, 1, 80},
        {"0.0.0.0:0", true, 0, 0, 0, 0, 0},
        {"255.255.255.255:65535", true, 255, 255, 255, 255, 65535},
        {"256.1.1.1", false, 0, 0, 0, 0, 0},
        {"1.2.3.4:65536", false, 0, 0, 0, 0, 0},
        {"1.2.3.4:80x", false, 0, 0, 0, 0, 0},
        {"1.2.3.4:", false, 0, 0, 0, 0, 0},
        {"1.2.3.4:-1", false, 0, 0, 0, 0, 0},
        {"1.2.3", false, 0, 0, 0, 0, 0},
        {"1.2.3.4.5", false, 0, 0, 0, 0, 0},
        {" 1.2.3.4", false, 0, 0, 0, 0, 0},
        {"-1.2.3.4", false, 0, 0, 0, 0, 0},
        {"1.2.3.99999999999999999999", false, 0, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0, 0},
        {"::1", false, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        unsigned out[4] = {9, 9, 9, 9};
        int port = 7;
        int r = Net::ParseIPv4(c.text, out, port);
        EXPECT_EQ(r == 0, c.ok);
        EXPECT_EQ(Net::IsIPv4(c.text), c.ok);
        if (c.ok) {
            EXPECT_EQ(out[0], c.a);
            EXPECT_EQ(out[1], c.b);
            EXPECT_EQ(out[2], c.c);
            EXPECT_EQ(out[3], c.d);
            EXPECT_EQ(port, c.port);
        } else {
            EXPECT_EQ(port, 7) << "a failed parse must not touch the outputs";
        }
    }
    EXPECT_FALSE(Net::IsIPv4(nullptr));
}

struct V6Case {
    const char* text;
    bool ok;
    uint16_t groups[8];
    int port;
};

TEST(QeltNet, ParsesIPv6LiteralsWithBracketsPortsAndIPv4Tails)
{
    const V6Case cases[] = {
        {"::1", true, {0, 0, 0, 0, 0, 0, 0, 1}, -1},
        {"fe80::1", true, {0xfe80, 0, 0, 0, 0, 0, 0, 1}, -1},
        {"[2001:db8::1]:443", true, {0x2001, 0xdb8, 0, 0, 0, 0, 0, 1}, 443},
        {"[2001:DB8::1]", true, {0x2001, 0xdb8, 0, 0, 0, 0, 0, 1}, -1},
        {"::ffff:10.0.0.1", true, {0, 0, 0, 0, 0, 0xffff, 0x0a00, 0x0001}, -1},
        {"[::ffff:192.168.1.2]:8080", true, {0, 0, 0, 0, 0, 0xffff, 0xc0a8, 0x0102}, 8080},
        {"1:2:3:4:5:6:7:8", true, {1, 2, 3, 4, 5, 6, 7, 8}, -1},
        {"1::", true, {1, 0, 0, 0, 0, 0, 0, 0}, -1},
        {"1:2:3:4:5:6:7::", true, {1, 2, 3, 4, 5, 6, 7, 0}, -1},
        {"1:2:3:4:5:6:7:8:9", false, {}, 0},
        {"1::2::3", false, {}, 0},
        {"::", false, {}, 0},
        {"1:2:3:4:5:6:7::8", false, {}, 0},
        {"1:2:3:4:5:6:7", false, {}, 0},
        {"12345::1", false, {}, 0},
        {"1:::2", false, {}, 0},
        {":1:2:3:4:5:6:7", false, {}, 0},
        {"[::1]:65536", false, {}, 0},
        {"[::1]x", false, {}, 0},
        {"[::1", false, {}, 0},
        {"::1:80", true, {0, 0, 0, 0, 0, 0, 1, 0x80}, -1},
        {"g::1", false, {}, 0},
        {"192.168.1.1", false, {}, 0},
        {"192.168.1.1:80", false, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        uint16_t out[8] = {};
        int port = 7;
        int r = Net::ParseIPv6(c.text, out, port);
        EXPECT_EQ(r == 0, c.ok);
        EXPECT_EQ(Net::IsIPv6(c.text), c.ok);
        if (c.ok) {
            EXPECT_EQ(0, std::memcmp(out, c.groups, sizeof out));
            EXPECT_EQ(port, c.port);
        }
    }
    std::string tooLong(200, '1');
    EXPECT_FALSE(Net::IsIPv6(tooLong.c_str()));
}

TEST(QeltNet, RecognisesPrivateRanges)
{
    const struct {
        unsigned a[4];
        bool local;
    } v4[] = {
        {{10, 1, 2, 3}, true},   {{172, 16, 0, 1}, true}, {{172, 31, 255, 255}, true},
        {{172, 32, 0, 1}, false}, {{172, 15, 0, 1}, false}, {{192, 168, 0, 1}, true},
        {{192, 169, 0, 1}, false}, {{8, 8, 8, 8}, false},
    };
    for (const auto& c : v4)
        EXPECT_EQ(Net::IsLocalAddressv4(c.a), c.local) << c.a[0] << "." << c.a[1];

    const uint16_t ula[8] = {0xfd12, 0, 0, 0, 0, 0, 0, 1};
    const uint16_t ulaC[8] = {0xfc00, 0, 0, 0, 0, 0, 0, 1};
    const uint16_t global[8] = {0x2001, 0xdb8, 0, 0, 0, 0, 0, 1};
    EXPECT_TRUE(Net::IsLocalAddressv6(ula));
    EXPECT_TRUE(Net::IsLocalAddressv6(ulaC));
    EXPECT_FALSE(Net::IsLocalAddressv6(global));
}

} // namespace
