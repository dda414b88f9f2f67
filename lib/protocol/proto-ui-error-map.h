#pragma once

#include "protocol/proto-ui.h"

// The three maps that turn a failure's source code into ProtoUI::Error. Each
// gives ERROR_OK for the code 0.
namespace proto_ui_error {

// From the channel's result codes (channel/error-code.h).
ProtoUI::Error FromChannelResult(int code);
// From the blocking codec's result codes (PStream::ERR_*).
ProtoUI::Error FromStreamResult(int code);
// From the server's error code in an answer's "error" / "code".
ProtoUI::Error FromServerCode(int code);

}  // namespace proto_ui_error
