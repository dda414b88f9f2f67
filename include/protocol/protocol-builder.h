#pragma once

#include <string>

#include "protocol/pobject.h"

// The request skeleton: every control request starts as a map naming its
// action ("_action") and describing the client ("_agent"). The codec drops
// the leading '_' on the wire, so the server reads "action" and "agent".
typedef PObject Protocol;

class ProtocolBuilder {
public:
    explicit ProtocolBuilder(const Protocol& protocol);
    virtual ~ProtocolBuilder();

    // Writes "_agent": platform, host name (read anew each time) and version.
    virtual void BuildProtocolAgent();
    // Sets "_action"; the name is not checked.
    virtual void BuildProtocolAction(const std::string& action);

    Protocol GetProtocol() const;

protected:
    Protocol _protocol;
};

// The one entry point of the request code, made on the stack per request.
class ProtocolFactory {
public:
    ProtocolFactory();

    // Adds the skeleton to protocol; keys it held before stay.
    void BuildProtocol(const std::string& action, Protocol& protocol);
};
