#include "protocol/protocol-builder.h"

#include <memory>

#include "file-op-ex.h"

namespace {

// The client protocol version the server sees in every request.
const uint64_t kVersionMajor = 1;
const uint64_t kVersionMinor = 0;
const uint64_t kVersionBuild = 19;

}  // namespace

ProtocolBuilder::ProtocolBuilder(const Protocol& protocol) : _protocol(protocol) {}

ProtocolBuilder::~ProtocolBuilder() = default;

void ProtocolBuilder::BuildProtocolAgent()
{
    PObject& agent = _protocol["_agent"];
    agent["platform"] = "Windows";
    agent["hostname"] = cross::getComputerName();
    PObject& version = agent["version"];
    version["major"] = kVersionMajor;
    version["minor"] = kVersionMinor;
    version["build"] = kVersionBuild;
}

void ProtocolBuilder::BuildProtocolAction(const std::string& action)
{
    _protocol["_action"] = action;
}

Protocol ProtocolBuilder::GetProtocol() const
{
    return _protocol;
}

ProtocolFactory::ProtocolFactory() = default;

void ProtocolFactory::BuildProtocol(const std::string& action, Protocol& protocol)
{
    std::unique_ptr<ProtocolBuilder> builder(new ProtocolBuilder(protocol));
    builder->BuildProtocolAgent();
    builder->BuildProtocolAction(action);
    protocol = builder->GetProtocol();
}
