#include "protocol/pobject.h"

#include <cstdio>
#include <iterator>
#include <new>
#include <stdexcept>
#include <utility>

template <> struct PObject::type_trait<PObject::array_type> {
    static const int32_t value = TYPE_ARRAY;
};
template <> struct PObject::type_trait<PObject::map_type> {
    static const int32_t value = TYPE_MAP;
};
template <> struct PObject::type_trait<PObject::integer_type> {
    static const int32_t value = TYPE_INTEGER;
};
template <> struct PObject::type_trait<PObject::string_type> {
    static const int32_t value = TYPE_STRING;
};
template <> struct PObject::type_trait<PObject::binary_type> {
    static const int32_t value = TYPE_BINARY;
};
template <> struct PObject::type_trait<PObject::binary_ex_type> {
    static const int32_t value = TYPE_BINARY_EX;
};
template <> struct PObject::type_trait<PObject::buffer_type> {
    static const int32_t value = TYPE_BUFFER;
};

const PObject PObject::empty_object;
const PObject::array_type PObject::empty_array;
const PObject::map_type PObject::empty_map;
const PObject::binary_type PObject::empty_binary;
const PObject::binary_ex_type PObject::empty_binary_ex;
const PObject::buffer_type PObject::empty_buffer;

template <typename T> void PObject::copyValue(const T& value) {
    T* fresh = new T(value);
    release();
    type = type_trait<T>::value;
    data = fresh;
}

template <> void PObject::copyValue(const integer_type& value) {
    const integer_type copied = value;  // value may be this object's own
    release();
    type = TYPE_INTEGER;
    integer_value = copied;
}

template <typename T> T& PObject::ensure() {
    if (type != type_trait<T>::value) {
        T* fresh = new T();
        release();
        type = type_trait<T>::value;
        data = fresh;
    }
    return held<T>();
}

void PObject::release() noexcept {
    switch (type) {
    case TYPE_ARRAY: delete static_cast<array_type*>(data); break;
    case TYPE_MAP: delete static_cast<map_type*>(data); break;
    case TYPE_INTEGER: break;  // held in place
    case TYPE_STRING: delete static_cast<string_type*>(data); break;
    case TYPE_BINARY: delete static_cast<binary_type*>(data); break;
    case TYPE_BINARY_EX: delete static_cast<binary_ex_type*>(data); break;
    case TYPE_BUFFER: delete static_cast<buffer_type*>(data); break;
    default: break;
    }
    type = TYPE_NULL;
    data = nullptr;
}

PObject::PObject(const PObject& other) : type(TYPE_NULL), data(nullptr) {
    copy(other);
}

PObject::PObject(PObject&& other) noexcept : type(TYPE_NULL), data(nullptr) {
    takeValue(other);
}

void PObject::takeValue(PObject& other) noexcept {
    type = other.type;
    if (type == TYPE_INTEGER)
        integer_value = other.integer_value;
    else
        data = other.data;
    other.type = TYPE_NULL;
    other.data = nullptr;
}

PObject::PObject(const char* value) : type(TYPE_NULL), data(nullptr) {
    copyValue(string_type(value));
}

PObject::PObject(const string_type& value) : type(TYPE_NULL), data(nullptr) {
    copyValue(value);
}

PObject::PObject(string_type&& value) : type(TYPE_STRING), data(new string_type(std::move(value))) {}

PObject::PObject(const buffer_type& value) : type(TYPE_NULL), data(nullptr) {
    copyValue(value);
}

PObject::PObject(integer_type value) : type(TYPE_NULL), data(nullptr) {
    copyValue(value);
}

PObject::~PObject() {
    release();
}

void PObject::copy(const PObject& source) {
    switch (source.type) {
    case TYPE_ARRAY: copyValue(source.held<array_type>()); break;
    case TYPE_MAP: copyValue(source.held<map_type>()); break;
    case TYPE_INTEGER: copyValue(source.held<integer_type>()); break;
    case TYPE_STRING: copyValue(source.held<string_type>()); break;
    case TYPE_BINARY: copyValue(source.held<binary_type>()); break;
    case TYPE_BINARY_EX: copyValue(source.held<binary_ex_type>()); break;
    case TYPE_BUFFER: copyValue(source.held<buffer_type>()); break;
    default: release(); break;
    }
}

PObject& PObject::operator=(const PObject& other) {
    copy(other);
    return *this;
}

PObject& PObject::operator=(PObject&& other) noexcept {
    if (this != &other) {
        // Taking other first keeps this safe when other lives inside *this.
        PObject taken(std::move(other));
        swap(taken);
    }
    return *this;
}

PObject& PObject::operator=(const string_type& value) {
    copyValue(value);
    return *this;
}

PObject& PObject::operator=(string_type&& value) {
    if (type == TYPE_STRING) {
        held<string_type>() = std::move(value);
    } else {
        string_type* fresh = new string_type(std::move(value));
        release();
        type = TYPE_STRING;
        data = fresh;
    }
    return *this;
}

PObject& PObject::operator=(const char* value) {
    copyValue(string_type(value));
    return *this;
}

PObject& PObject::operator=(integer_type value) {
    if (type == TYPE_INTEGER)
        held<integer_type>() = value;
    else
        copyValue(value);
    return *this;
}

PObject& PObject::operator=(int32_t value) {
    return *this = static_cast<integer_type>(static_cast<int64_t>(value));
}

PObject& PObject::operator=(uint32_t value) {
    return *this = static_cast<integer_type>(value);
}

PObject& PObject::operator=(bool value) {
    return *this = static_cast<integer_type>(value ? 1 : 0);
}

PObject& PObject::operator=(const map_type& value) {
    copyValue(value);
    return *this;
}

PObject& PObject::operator=(const array_type& value) {
    copyValue(value);
    return *this;
}

PObject& PObject::operator=(const binary_type& value) {
    copyValue(value);
    return *this;
}

PObject& PObject::operator=(const binary_ex_type& value) {
    copyValue(value);
    return *this;
}

PObject& PObject::operator=(const buffer_type& value) {
    copyValue(value);
    return *this;
}

bool PObject::isContainer() const {
    return type == TYPE_ARRAY || type == TYPE_MAP || type == TYPE_BINARY_EX;
}

bool PObject::isPrimitive() const {
    return type == TYPE_INTEGER || type == TYPE_STRING || type == TYPE_BINARY ||
           type == TYPE_BUFFER;
}

bool PObject::isEmpty() const {
    switch (type) {
    case TYPE_ARRAY: return held<array_type>().empty();
    case TYPE_MAP: return held<map_type>().empty();
    case TYPE_INTEGER: return false;
    case TYPE_STRING: return held<string_type>().empty();
    case TYPE_BINARY: return held<binary_type>().empty();
    case TYPE_BINARY_EX: return held<binary_ex_type>().empty();
    case TYPE_BUFFER: return held<buffer_type>().empty();
    default: return true;
    }
}

bool PObject::hasMember(const string_type& key) const {
    return type == TYPE_MAP && held<map_type>().count(key) != 0;
}

const PObject::map_type& PObject::asMap() const {
    return type == TYPE_MAP ? held<map_type>() : empty_map;
}

const PObject::array_type& PObject::asArray() const {
    return type == TYPE_ARRAY ? held<array_type>() : empty_array;
}

const PObject::binary_type& PObject::asBinary() const {
    return type == TYPE_BINARY ? held<binary_type>() : empty_binary;
}

const PObject::binary_ex_type& PObject::asBinaryEx() const {
    return type == TYPE_BINARY_EX ? held<binary_ex_type>() : empty_binary_ex;
}

const PObject::buffer_type& PObject::asBuffer() const {
    return type == TYPE_BUFFER ? held<buffer_type>() : empty_buffer;
}

PObject::string_type PObject::asString() const {
    if (type == TYPE_STRING)
        return held<string_type>();
    if (type == TYPE_INTEGER) {
        // Callers rely on the 32-bit text: 4294967296 reads as "0".
        char digits[16];
        int n = std::snprintf(digits, sizeof digits, "%u",
                              static_cast<unsigned>(static_cast<uint32_t>(held<integer_type>())));
        return string_type(digits, n > 0 ? static_cast<size_t>(n) : 0);
    }
    return string_type();
}

const PObject::string_type& PObject::asStringRef() const {
    static const string_type empty_string;
    return type == TYPE_STRING ? held<string_type>() : empty_string;
}

bool PObject::asBool() const {
    if (type == TYPE_INTEGER)
        return held<integer_type>() != 0;
    return !isEmpty();
}

PObject::integer_type PObject::asInteger() const {
    return type == TYPE_INTEGER ? held<integer_type>() : 0;
}

uint64_t PObject::asUInt64() const {
    return asInteger();
}

int64_t PObject::asInt64() const {
    return static_cast<int64_t>(asInteger());
}

uint32_t PObject::asUInt32() const {
    return static_cast<uint32_t>(asInteger());
}

int32_t PObject::asInt32() const {
    return static_cast<int32_t>(static_cast<uint32_t>(asInteger()));
}

uint16_t PObject::asUInt16() const {
    return static_cast<uint16_t>(asInteger());
}

int16_t PObject::asInt16() const {
    return static_cast<int16_t>(static_cast<uint16_t>(asInteger()));
}

uint8_t PObject::asUInt8() const {
    return static_cast<uint8_t>(asInteger());
}

int8_t PObject::asInt8() const {
    return static_cast<int8_t>(static_cast<uint8_t>(asInteger()));
}

PObject::map_type& PObject::asMap() {
    return ensure<map_type>();
}

PObject::array_type& PObject::asArray() {
    return ensure<array_type>();
}

PObject::binary_type& PObject::asBinary() {
    return ensure<binary_type>();
}

PObject::binary_ex_type& PObject::asBinaryEx() {
    return ensure<binary_ex_type>();
}

PObject::buffer_type& PObject::asBuffer() {
    return ensure<buffer_type>();
}

const PObject& PObject::operator[](const string_type& key) const {
    if (type != TYPE_MAP)
        return empty_object;
    const map_type& members = held<map_type>();
    map_type::const_iterator it = members.find(key);
    return it == members.end() ? empty_object : it->second;
}

PObject& PObject::operator[](const string_type& key) {
    return ensure<map_type>()[key];
}

const PObject& PObject::operator[](size_t index) const {
    if (type == TYPE_ARRAY) {
        const array_type& elements = held<array_type>();
        return index < elements.size() ? elements[index] : empty_object;
    }
    if (type == TYPE_MAP) {
        const map_type& members = held<map_type>();
        if (index >= members.size())
            return empty_object;
        return std::next(members.begin(), static_cast<std::ptrdiff_t>(index))->second;
    }
    return empty_object;
}

PObject& PObject::operator[](size_t index) {
    if (type == TYPE_MAP) {
        map_type& members = held<map_type>();
        if (index < members.size())
            return std::next(members.begin(), static_cast<std::ptrdiff_t>(index))->second;
    }
    throw std::out_of_range("out_of_range: PObject::operator[]");
}

bool PObject::operator==(const PObject& other) const {
    if (type != other.type)
        return false;
    switch (type) {
    case TYPE_ARRAY: return held<array_type>() == other.held<array_type>();
    case TYPE_MAP: return held<map_type>() == other.held<map_type>();
    case TYPE_INTEGER: return held<integer_type>() == other.held<integer_type>();
    case TYPE_STRING: return held<string_type>() == other.held<string_type>();
    case TYPE_BINARY: return held<binary_type>() == other.held<binary_type>();
    case TYPE_BINARY_EX: return held<binary_ex_type>() == other.held<binary_ex_type>();
    case TYPE_BUFFER: return held<buffer_type>() == other.held<buffer_type>();
    default: return true;
    }
}

void PObject::clear() {
    release();
}

void PObject::swap(PObject& other) noexcept {
    PObject mine;
    mine.takeValue(*this);
    takeValue(other);
    other.takeValue(mine);
}
