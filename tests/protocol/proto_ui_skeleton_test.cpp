// The request skeleton every control request starts from.
#include <gtest/gtest.h>

#include "file-op-ex.h"
#include "protocol/protocol-builder.h"
#include "protocol/stream.h"
#include "pstream_memory_channel.h"

namespace {

TEST(RequestSkeleton, ActionAndAgent)
{
    Protocol request;
    ProtocolFactory().BuildProtocol("heart_beat", request);
    ASSERT_TRUE(request.isMap());
    EXPECT_EQ(request.asMap().size(), 2u);
    EXPECT_EQ(request["_action"].asString(), "heart_beat");
    const PObject& agent = request["_agent"];
    EXPECT_EQ(agent.asMap().size(), 3u);
    EXPECT_TRUE(agent["hostname"].isString());
    EXPECT_EQ(agent["hostname"].asString(), cross::getComputerName());
    EXPECT_EQ(agent["platform"].asString(), "Windows");
    const PObject& version = agent["version"];
    EXPECT_TRUE(version["major"].isInteger());
    EXPECT_EQ(version["major"].asUInt64(), 1u);
    EXPECT_EQ(version["minor"].asUInt64(), 0u);
    EXPECT_EQ(version["build"].asUInt64(), 19u);
}

TEST(RequestSkeleton, RebuildingKeepsOtherKeysAndReplacesTheAction)
{
    Protocol request;
    request["path"] = "/x";
    request["_agent"]["extra"] = "kept";
    request["_agent"]["platform"] = "other";
    ProtocolFactory().BuildProtocol("list", request);
    ProtocolFactory().BuildProtocol("mkdir", request);
    EXPECT_EQ(request["_action"].asString(), "mkdir");
    EXPECT_EQ(request["path"].asString(), "/x");
    EXPECT_EQ(request["_agent"]["extra"].asString(), "kept");
    EXPECT_EQ(request["_agent"]["platform"].asString(), "Windows");
}

// The bytes the server reads: keys lose their leading '_', members go out in
// key order ("action" and "agent" first), integers in one byte.
TEST(RequestSkeleton, OnTheWire)
{
    auto str = [](const std::string& text) {
        return std::string("\x10", 1) + char(text.size() >> 8) + char(text.size() & 0xFF) + text;
    };
    auto small_int = [](char value) { return std::string("\x01\x01", 2) + value; };
    const std::string map = "\x42", end = "\x40";
    const std::string expected = map + str("action") + str("heart_beat") + str("agent") + map +
                                 str("hostname") + str(cross::getComputerName()) + str("platform") +
                                 str("Windows") + str("version") + map + str("build") + small_int(19) +
                                 str("major") + small_int(1) + str("minor") + small_int(0) + end + end + end;

    Protocol request;
    ProtocolFactory().BuildProtocol("heart_beat", request);
    MemoryChannel channel;
    PStream stream;
    ASSERT_EQ(stream.Send(channel, request), PStream::ERR_OK);
    EXPECT_EQ(channel.output, expected);
}

}  // namespace
