// The request skeleton every control request starts from.
#include <gtest/gtest.h>

#include "file-op-ex.h"
#include "protocol/protocol-builder.h"

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

}  // namespace
