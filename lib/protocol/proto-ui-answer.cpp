#include "proto-ui-answer.h"

#include <cstring>

namespace proto_ui_answer {

namespace {

std::string Quoted(const char* key)
{
    return std::string("\"") + key + "\"";
}

// The member under key, or null: one search where hasMember and then
// operator[] would make two (a listing reads four members per entry).
const PObject* Member(const PObject& owner, const char* key)
{
    const PObject::map_type& members = owner.asMap();
    const auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
}

}  // namespace

std::string ReadString(const PObject& value)
{
    if (!value.isString())
        return value.asString();
    const std::string& text = value.asStringRef();
    return text.substr(0, text.find('\0'));
}

const char* KindName(const PObject& value)
{
    switch (value.getType()) {
    case PObject::TYPE_NULL: return "null";
    case PObject::TYPE_ARRAY: return "an array";
    case PObject::TYPE_MAP: return "a map";
    case PObject::TYPE_INTEGER: return "an integer";
    case PObject::TYPE_STRING: return "a string";
    case PObject::TYPE_BINARY: return "a file value";
    case PObject::TYPE_BINARY_EX: return "a file value";
    case PObject::TYPE_BUFFER: return "a buffer";
    default: return "a value of no known kind";
    }
}

bool ReadText(const PObject& owner, const char* key, std::string& out, std::string& why)
{
    out.clear();
    const PObject* member = Member(owner, key);
    if (!member)
        return true;
    const PObject& value = *member;
    if (!value.isString()) {
        why = Quoted(key) + " is " + KindName(value) + ", not a string";
        return false;
    }
    const std::string& text = value.asStringRef();
    if (std::memchr(text.data(), 0, text.size()) != nullptr) {
        why = Quoted(key) + " holds a zero byte";
        return false;
    }
    out = text;
    return true;
}

bool ReadNumber(const PObject& owner, const char* key, uint64_t max, uint64_t& out, std::string& why)
{
    out = 0;
    const PObject* member = Member(owner, key);
    if (!member)
        return true;
    const PObject& value = *member;
    if (!value.isInteger()) {
        why = Quoted(key) + " is " + KindName(value) + ", not an integer";
        return false;
    }
    if (value.asUInt64() > max) {
        why = Quoted(key) + " is " + std::to_string(value.asUInt64()) + ", above " + std::to_string(max);
        return false;
    }
    out = value.asUInt64();
    return true;
}

bool ReadFlag(const PObject& owner, const char* key, bool& out, std::string& why)
{
    uint64_t number = 0;
    if (!ReadNumber(owner, key, UINT64_MAX, number, why))
        return false;
    out = number != 0;
    return true;
}

const PObject::array_type* ReadList(const PObject& owner, const char* key, std::string& why)
{
    if (!owner.hasMember(key)) {
        why = "no " + Quoted(key);
        return nullptr;
    }
    const PObject& value = owner[key];
    if (!value.isArray()) {
        why = Quoted(key) + " is " + KindName(value) + ", not an array";
        return nullptr;
    }
    return &value.asArray();
}

}  // namespace proto_ui_answer
