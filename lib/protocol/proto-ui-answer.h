#pragma once

#include <cstdint>
#include <string>

#include "protocol/pobject.h"

// Reading the members of a server's answer into the client's records. The
// server is not trusted: a member of the wrong kind, or a value the record
// could only hold by changing it (a text cut at a zero byte, a number cut to
// fewer bits), is refused rather than bent into shape. Each reader gives
// false and says what is wrong in `why` (naming the key); an absent member
// gives the default and true.
namespace proto_ui_answer {

// The error reason of an answer, for a message only: cut at its first zero
// byte; an integer gives its decimal text; anything else "".
std::string ReadString(const PObject& value);

// The kind of a value, for messages ("a string", "an array" ...).
const char* KindName(const PObject& value);

// A string without zero bytes; absent: "".
bool ReadText(const PObject& owner, const char* key, std::string& out, std::string& why);
// An integer of at most `max`; absent: 0.
bool ReadNumber(const PObject& owner, const char* key, uint64_t max, uint64_t& out, std::string& why);
// An integer flag, true when not 0; absent: false.
bool ReadFlag(const PObject& owner, const char* key, bool& out, std::string& why);
// The array under key; null (and why set) when it is absent or not an array.
const PObject::array_type* ReadList(const PObject& owner, const char* key, std::string& why);

}  // namespace proto_ui_answer
