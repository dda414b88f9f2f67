#pragma once

#include <string>

#include "protocol/pobject.h"

namespace proto_ui_answer {

// A string member of an answer as the client keeps it: cut at its first zero
// byte; an integer gives its decimal text; anything else "".
std::string ReadString(const PObject& value);

}  // namespace proto_ui_answer
