#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "channel/channel.h"
#include "fixtures/channel_exercise.h"
#include "fixtures/echo_target.h"
#include "fixtures/test_cert.h"

using namespace channel_test;

TEST(ResultCodesTest, TextsByCode)
{
    struct Row {
        int code;
        const wchar_t* text;
    };
    const Row rows[] = {
        {ERR_OK, L"Successful"},        {ERR_IO, L"I/O error"},
        {ERR_PERMISS, L"no permission "}, {ERR_SESSION_INITIAL, L"sync folder not mounted"},
        {ERR_SSL_CHANGE, L"ssl certificate changed"}, {ERR_SHARE_QUOTA_FULL, L"Share quota full"},
        {ERR_PROXY_AUTH_REFUSED, L"Proxy refused the credentials"},
        {ERR_PROXY_AUTH_REQUIRED, L"Proxy requires authentication"},
        {ERR_PROXY_BAD_CHALLENGE, L"Proxy sent an unusable NTLM challenge"},
        {ERR_MAX, L"Unknown error"},    {1, L"Unknown error"},
        {-1000, L"Unknown error"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(std::wstring(row.text), std::wstring(GetErrorText(row.code))) << "code " << row.code;
}

TEST(ChannelTest, OpenRefusesWhatIsNotALiteralAddress)
{
    Channel ch(8192);
    EXPECT_EQ(ERR_INVAL, ch.Open(nullptr, 80));
    EXPECT_EQ(ERR_INVAL, ch.Open("127.0.0.1", -1));
    // Names are not resolved: no connection is attempted.
    EXPECT_EQ(ERR_IO, ch.Open("localhost", 80));
    EXPECT_TRUE(ch.IsClosed());
}

TEST(ChannelTest, ClosedChannelRefusesIo)
{
    Channel ch(8192);
    char buf[4];
    EXPECT_EQ(ERR_OK, ch.Read(buf, 0));
    EXPECT_EQ(ERR_IO, ch.Read(buf, sizeof buf));
    EXPECT_EQ(ERR_IO, ch.Write(buf, sizeof buf));
    uint32_t value = 42;
    EXPECT_EQ(ERR_IO, ch.ReadInt32(&value));
    EXPECT_EQ(42u, value);  // untouched on failure
    EXPECT_EQ(-1, ch.FlushWrite(1));
}

// A connected pair of channels over a socketpair.
struct ChannelPair {
    ChannelPair() : a(8192), b(8192)
    {
        int fds[2];
        EXPECT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, fds));
        EXPECT_EQ(ERR_OK, a.Open(fds[0], true));
        EXPECT_EQ(ERR_OK, b.Open(fds[1], true));
    }
    Channel a;
    Channel b;
};

TEST(ChannelTest, DigestCoversBytesReadAndWritten)
{
    ChannelPair pair;
    EXPECT_FALSE(pair.a.EnableHash(true, "no-such-digest"));
    EXPECT_EQ("", pair.a.GetHash());
    ASSERT_TRUE(pair.a.EnableHash(true, "md5"));
    ASSERT_TRUE(pair.b.EnableHash(true, "md5"));
    ASSERT_EQ(ERR_OK, pair.a.Write("a", 1));
    // Reading the digest does not end it.
    EXPECT_EQ("0cc175b9c0f1b6a831c399e269772661", pair.a.GetHash());
    ASSERT_EQ(ERR_OK, pair.a.Write("bc", 2));
    ASSERT_EQ(0, pair.a.FlushWrite(0));
    char buf[3];
    ASSERT_EQ(ERR_OK, pair.b.Read(buf, 3));
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", pair.a.GetHash());
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", pair.b.GetHash());
    pair.a.ResetHash();
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", pair.a.GetHash());
}

TEST(ChannelTest, ByteOrderConversion)
{
    Channel ch(8192);
    EXPECT_EQ(0x0201u, ch.Convert(static_cast<uint16_t>(0x0102)));
    EXPECT_EQ(0x04030201u, ch.Convert(static_cast<uint32_t>(0x01020304)));
    EXPECT_EQ(0x0807060504030201ULL, ch.Convert(static_cast<uint64_t>(0x0102030405060708ULL)));
}

TEST(ChannelTest, RaisedAbortFlagStopsABlockingRead)
{
    ChannelPair pair;
    int abort_flag = 1;
    pair.a.SetFlag(&abort_flag);
    char buf[1];
    // Nothing is ever sent: without the flag this would wait for the idle timeout.
    EXPECT_EQ(ERR_IO, pair.a.Read(buf, 1));
}

class DirectChannelTest : public ::testing::TestWithParam<bool> {};

TEST_P(DirectChannelTest, MovesIntegersBlocksAndFileRegions)
{
    const bool tls = GetParam();
    EchoTarget target;
    Channel ch(8192);
    ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
    if (tls) {
        StartTls(ch, target.Cert().cert_path);
        // A second conversion changes nothing.
        EXPECT_EQ(ERR_OK, ch.ConvertToSSLChannel(false));
        std::string signature;
        EXPECT_EQ(ERR_OK, ch.GetPeerSSLSignature(signature));
        EXPECT_EQ(target.Cert().signature, signature);
    }
    ExerciseIntegersAndBlocks(ch);
    ExerciseFileRegions(ch, target.Dir(), 5 * 1024 * 1024 + 3, true);
    ExerciseFileRegions(ch, target.Dir(), 3 * 1024 * 1024 + 1, false);
    EXPECT_EQ(ERR_OK, ch.Close());
    EXPECT_TRUE(ch.IsClosed());
}

INSTANTIATE_TEST_SUITE_P(PlainAndTls, DirectChannelTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Tls" : "Plain"; });

TEST(ChannelTlsTest, VerificationFailuresMapToResultCodes)
{
    EchoTarget target;
    TempDir dir;
    TestCert stranger = MakeSelfSignedCert(dir.path(), "stranger", "localhost");
    struct Row {
        const char* name;
        std::string ca_path;
        bool allow_untrust;
        std::string hostname;
        std::string signature;
        int expect;
    };
    const Row rows[] = {
        {"trusted", target.Cert().cert_path, false, "localhost", "", ERR_OK},
        {"untrusted", stranger.cert_path, false, "localhost", "", ERR_SSL_VERIFY_FAIL},
        {"missing CA file", dir.file("none.pem"), false, "localhost", "", ERR_SSL_VERIFY_FAIL},
        {"wrong host", target.Cert().cert_path, false, "other.example", "", ERR_SSL_VERIFY_FAIL},
        {"pinned signature", stranger.cert_path, true, "", target.Cert().signature, ERR_OK},
        {"changed signature", target.Cert().cert_path, true, "", stranger.signature, ERR_SSL_CHANGE},
        {"untrusted allowed", stranger.cert_path, true, "", "", ERR_OK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Channel ch(8192);
        ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
        Channel::SetVerifyCAPath(row.ca_path);
        ch.SetAllowUntrust(row.allow_untrust);
        ch.SetSSLHostname(row.hostname);
        ch.SetSSLSignature(row.signature);
        ASSERT_EQ(ERR_OK, ch.WriteByte(kCmdTls));
        ASSERT_EQ(0, ch.FlushWrite(0));
        uint8_t ack = 0;
        ASSERT_EQ(ERR_OK, ch.ReadByte(&ack));
        EXPECT_EQ(row.expect, ch.ConvertToSSLChannel(false));
        if (row.expect == ERR_OK) {
            ExerciseIntegersAndBlocks(ch);
        } else {
            // The plain stream stays in place; the channel is still open.
            EXPECT_FALSE(ch.IsClosed());
            EXPECT_FALSE(ch.GetPeerVerified());
        }
    }
}
