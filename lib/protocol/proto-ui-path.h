#pragma once

#include <string>

namespace proto_ui_path {

// Splits a client path "/<share>/<rest>" into the share and the path inside
// it, which always begins with "/". Empty segments before the share are
// skipped; the rest is kept byte for byte (line feeds included), so no name
// is silently shortened.
void ParsePath(const std::string& path, std::string& share, std::string& rel_path);

}  // namespace proto_ui_path
