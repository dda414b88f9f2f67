// The error maps of ProtoUI: server codes through the test server (with the
// message the user sees), channel and codec results directly.
#include "channel/error-code.h"
#include "proto-ui-error-map.h"
#include "proto_ui_fixture.h"
#include "protocol/stream.h"

namespace {

struct CodeCase {
    uint32_t code;
    ProtoUI::Error error;
};

// Every row with a value of its own, then each group's default.
const CodeCase kServerCodes[] = {
    {4097, ProtoUI::ERROR_USER_DISABLED},
    {4100, ProtoUI::ERROR_USER_PASSWORD},
    {4102, ProtoUI::ERROR_USER_MAX_TRIES},
    {4103, ProtoUI::ERROR_USER_EXPIRED},
    {4104, ProtoUI::ERROR_USER_OTP_REQUIRED},
    {4105, ProtoUI::ERROR_USER_OTP_INVALID},
    {4106, ProtoUI::ERROR_USER_OTP_ENFORCED},
    {4107, ProtoUI::ERROR_USER_INVALID_SEED},
    {12288, ProtoUI::ERROR_SERVER_INTERNAL},
    {12289, ProtoUI::ERROR_SERVER_INTERNAL},
    {12290, ProtoUI::ERROR_SERVER_INTERNAL},
    {16385, ProtoUI::ERROR_PROTOCOL_VERSION_TOO_LOW},
    {16386, ProtoUI::ERROR_PROTOCOL_VERSION_TOO_HIGH},
    {20480, ProtoUI::ERROR_SERVER_INTERNAL},
    {24577, ProtoUI::ERROR_REMOVE_NO_PERM},
    {28673, ProtoUI::ERROR_COPY_NO_PERM},
    {28674, ProtoUI::ERROR_COPY_DISKFULL},
    {28675, ProtoUI::ERROR_COPY_SHARE_QUOTA},
    {28676, ProtoUI::ERROR_COPY_USER_QUOTA},
    {32769, ProtoUI::ERROR_LIST_NODE_NO_PERM},
    {36865, ProtoUI::ERROR_MKDIR_NO_PERM},
    {40961, ProtoUI::ERROR_RENAME_NO_PERM},
    {40962, ProtoUI::ERROR_RENAME_DISKFULL},
    {40963, ProtoUI::ERROR_RENAME_SHARE_QUOTA},
    {40964, ProtoUI::ERROR_RENAME_USER_QUOTA},
    {40965, ProtoUI::ERROR_RENAME_TARGET_EXISTS},
    {53249, ProtoUI::ERROR_CHANNEL_IP_NOT_ALLOWED},
    // Group defaults.
    {4096, ProtoUI::ERROR_USER},
    {4101, ProtoUI::ERROR_USER},
    {4108, ProtoUI::ERROR_USER},
    {16384, ProtoUI::ERROR_PROTOCOL},
    {16390, ProtoUI::ERROR_PROTOCOL},
    {24576, ProtoUI::ERROR_REMOVE},
    {24580, ProtoUI::ERROR_REMOVE},
    {28672, ProtoUI::ERROR_COPY},
    {32768, ProtoUI::ERROR_LIST_NODE},
    {36864, ProtoUI::ERROR_MKDIR},
    {40960, ProtoUI::ERROR_RENAME},
    {40970, ProtoUI::ERROR_RENAME},
    // Everything else is a general server error.
    {1, ProtoUI::ERROR_SERVER},
    {2, ProtoUI::ERROR_SERVER},
    {8192, ProtoUI::ERROR_SERVER},
    {12291, ProtoUI::ERROR_SERVER},
    {20481, ProtoUI::ERROR_SERVER},
    {45056, ProtoUI::ERROR_SERVER},
    {45057, ProtoUI::ERROR_SERVER},
    {49152, ProtoUI::ERROR_SERVER},
    {53248, ProtoUI::ERROR_SERVER},
    {57344, ProtoUI::ERROR_SERVER},
    {0xF001, ProtoUI::ERROR_SERVER},
    {0xFFFFFFFFu, ProtoUI::ERROR_SERVER},
};

TEST_F(ProtoUIServerTest, ServerCodesMapToErrors)
{
    ProtoUI client;
    LogIn(client);
    const std::string reason = "it's \"odd\"";
    for (const CodeCase& c : kServerCodes) {
        test_server::Fault fault;
        fault.kind = test_server::Fault::ERROR;
        fault.count = c.code;
        fault.reason = reason;
        Server().SetFault("heart_beat", fault);
        EXPECT_EQ(client.HeartBeat(), -1) << c.code;
        EXPECT_EQ(client.GetLastError(), c.error) << c.code;
        EXPECT_EQ(client.GetLastErrorMessage(), "protocol error, reason = '" + reason + "'") << c.code;
    }
}

TEST(ProtoUIErrorMap, ServerCodeZeroIsSuccess)
{
    EXPECT_EQ(proto_ui_error::FromServerCode(0), ProtoUI::ERROR_OK);
    EXPECT_EQ(proto_ui_error::FromChannelResult(0), ProtoUI::ERROR_OK);
    EXPECT_EQ(proto_ui_error::FromStreamResult(0), ProtoUI::ERROR_OK);
}

TEST(ProtoUIErrorMap, ChannelResults)
{
    const std::pair<int, ProtoUI::Error> cases[] = {
        {ERR_SSL_VERIFY_FAIL, ProtoUI::ERROR_CHANNEL_SSL_VERIFY},
        {ERR_SSL_CHANGE, ProtoUI::ERROR_CHANNEL_SSL_CHANGE},
        {ERR_IO, ProtoUI::ERROR_CHANNEL_IO},
        {ERR_INT, ProtoUI::ERROR_CHANNEL_IO},
        {ERR_TIMEOUT, ProtoUI::ERROR_CHANNEL_IO},
        {ERR_MAX, ProtoUI::ERROR_CHANNEL_IO},
    };
    for (const auto& c : cases)
        EXPECT_EQ(proto_ui_error::FromChannelResult(c.first), c.second) << c.first;
}

TEST(ProtoUIErrorMap, StreamResults)
{
    const std::pair<int, ProtoUI::Error> cases[] = {
        {PStream::ERR_INPUT, ProtoUI::ERROR_INVALID_ARGUMENT},
        {PStream::ERR_STREAM, ProtoUI::ERROR_PROTOCOL_MISMATCH},
        {PStream::ERR_SYS, ProtoUI::ERROR_CHANNEL_IO},
        {PStream::ERR_IO, ProtoUI::ERROR_CHANNEL_IO},
        {PStream::ERR_TIMEOUT, ProtoUI::ERROR_CHANNEL_IO},
        {PStream::ERR_DISKFULL, ProtoUI::ERROR_CHANNEL_IO},
        {PStream::ERR_FBIG, ProtoUI::ERROR_CHANNEL_IO},
    };
    for (const auto& c : cases)
        EXPECT_EQ(proto_ui_error::FromStreamResult(c.first), c.second) << c.first;
}

}  // namespace
