#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "ustring/ustring.h"

// The one dynamic value of the system: every control request and answer,
// engine command, task record and debug dump is a PObject (almost always a
// map). Value semantics: copying copies the whole tree and each object owns
// what it holds. Not thread-safe; threads exchange copies. The shared empty
// values below are never changed, so const accessors are safe from any thread.
class PObject {
public:
    typedef uint64_t integer_type;
    typedef std::string string_type;
    typedef ustring path_type;
    typedef std::vector<PObject> array_type;
    // std::string orders keys byte-wise as unsigned bytes, a prefix first:
    // exactly the order in which the wire format sends map members.
    typedef std::map<string_type, PObject> map_type;

    enum {
        TYPE_NULL = 0,
        TYPE_ARRAY = 1,
        TYPE_MAP = 2,
        TYPE_INTEGER = 3,
        TYPE_STRING = 4,
        TYPE_BINARY = 5,
        TYPE_BINARY_EX = 6,
        TYPE_BUFFER = 7,
    };

    // A region of a file.
    struct binary_type {
        binary_type() : offset(0), length(0) {}
        void clear();
        bool empty() const { return path.empty(); }
        bool operator==(const binary_type& other) const;

        uint64_t offset;
        uint64_t length;
        path_type path;
    };

    // A region of a file that travels with digests.
    struct binary_ex_type {
        binary_ex_type() : offset(0), length(0) {}
        void clear();
        bool empty() const { return path.empty(); }
        bool operator==(const binary_ex_type& other) const;

        path_type path;
        uint64_t offset;
        uint64_t length;
        string_type hash_algorithm;
        string_type send_hash;
        string_type recv_hash;
    };

    // A raw heap block, sized exactly (no growth factor) and shrunk once less
    // than half of it is needed.
    class buffer_type {
    public:
        buffer_type() : data_length(0), data_cap(0), data(nullptr) {}
        buffer_type(const buffer_type& other);
        buffer_type(buffer_type&& other) noexcept;
        ~buffer_type();
        buffer_type& operator=(const buffer_type& other);
        buffer_type& operator=(buffer_type&& other) noexcept;

        // Keeps the block when it holds size and size is at least half of it;
        // otherwise resizes to exactly size. -1 (buffer unchanged) when the
        // heap refuses.
        int realloc_data(uint32_t size);
        // Zero-fills the whole block and empties it; the capacity stays.
        void clear();
        // Replaces the content with n bytes; -1 (buffer unchanged) on no memory.
        int assign(const char* bytes, uint32_t n);
        bool empty() const { return data_length == 0; }
        bool operator==(const buffer_type& other) const;

        uint32_t data_length;
        uint32_t data_cap;
        char* data;
    };

    static const PObject empty_object;
    static const array_type empty_array;
    static const map_type empty_map;
    static const binary_type empty_binary;
    static const binary_ex_type empty_binary_ex;
    static const buffer_type empty_buffer;

    constexpr PObject() noexcept : type(TYPE_NULL), data(nullptr) {}
    PObject(const PObject& other);
    PObject(PObject&& other) noexcept;
    PObject(const char* value);  // throws like string_type on a null pointer
    PObject(const string_type& value);
    PObject(string_type&& value);
    PObject(const buffer_type& value);
    PObject(integer_type value);
    // Other integer types: signed ones sign-extend, as operator= does.
    template <typename T,
              typename std::enable_if<std::is_integral<T>::value &&
                                          !std::is_same<T, integer_type>::value,
                                      int>::type = 0>
    PObject(T value) : type(TYPE_NULL), data(nullptr) {
        *this = value;
    }
    ~PObject();

    PObject& operator=(const PObject& other);
    PObject& operator=(PObject&& other) noexcept;
    PObject& operator=(const string_type& value);
    PObject& operator=(string_type&& value);
    PObject& operator=(const char* value);
    PObject& operator=(integer_type value);
    PObject& operator=(int32_t value);   // sign-extended: -1 is the largest u64
    PObject& operator=(uint32_t value);
    PObject& operator=(bool value);      // integer 0 or 1
    PObject& operator=(const map_type& value);
    PObject& operator=(const array_type& value);
    PObject& operator=(const binary_type& value);
    PObject& operator=(const binary_ex_type& value);
    PObject& operator=(const buffer_type& value);
    // Remaining integer widths (int64_t, char, long long, ...).
    template <typename T,
              typename std::enable_if<std::is_integral<T>::value &&
                                          !std::is_same<T, integer_type>::value &&
                                          !std::is_same<T, int32_t>::value &&
                                          !std::is_same<T, uint32_t>::value &&
                                          !std::is_same<T, bool>::value,
                                      int>::type = 0>
    PObject& operator=(T value) {
        // Conversion to u64 sign-extends signed values, as for int32_t.
        return *this = static_cast<integer_type>(value);
    }

    int getType() const { return type; }

    bool isNull() const { return type == TYPE_NULL; }
    bool isArray() const { return type == TYPE_ARRAY; }
    bool isMap() const { return type == TYPE_MAP; }
    bool isInteger() const { return type == TYPE_INTEGER; }
    bool isString() const { return type == TYPE_STRING; }
    bool isBinary() const { return type == TYPE_BINARY; }
    bool isBinaryEx() const { return type == TYPE_BINARY_EX; }
    bool isBuffer() const { return type == TYPE_BUFFER; }
    bool isContainer() const;  // array, map or binary_ex
    bool isPrimitive() const;  // integer, string, binary or buffer
    bool isEmpty() const;
    bool hasMember(const string_type& key) const;

    // Const accessors never change the object: a kind mismatch gives the
    // shared empty value, "" or 0.
    const map_type& asMap() const;
    const array_type& asArray() const;
    const binary_type& asBinary() const;
    const binary_ex_type& asBinaryEx() const;
    const buffer_type& asBuffer() const;
    // An integer gives the decimal digits of its low 32 bits only.
    string_type asString() const;
    // The held string without a copy; "" for any other kind (integers too).
    const string_type& asStringRef() const;
    bool asBool() const;
    integer_type asInteger() const;
    uint64_t asUInt64() const;
    int64_t asInt64() const;
    uint32_t asUInt32() const;
    int32_t asInt32() const;
    uint16_t asUInt16() const;
    int16_t asInt16() const;
    uint8_t asUInt8() const;
    int8_t asInt8() const;

    // Converting accessors: another kind is released and replaced by an empty
    // value of the asked kind.
    map_type& asMap();
    array_type& asArray();
    binary_type& asBinary();
    binary_ex_type& asBinaryEx();
    buffer_type& asBuffer();

    // Const: the member, or empty_object. Non-const: turns a non-map into an
    // empty map and inserts a missing key as null.
    const PObject& operator[](const string_type& key) const;
    PObject& operator[](const string_type& key);
    const PObject& operator[](const char* key) const { return (*this)[string_type(key)]; }
    PObject& operator[](const char* key) { return (*this)[string_type(key)]; }
    // Const: array element or map member in key order, else empty_object.
    // Non-const: map members only; anything else throws std::out_of_range.
    const PObject& operator[](size_t index) const;
    PObject& operator[](size_t index);
    // Any other integer index (a literal 0 would otherwise be ambiguous with
    // the key forms).
    template <typename T, typename std::enable_if<std::is_integral<T>::value &&
                                                      !std::is_same<T, size_t>::value,
                                                  int>::type = 0>
    const PObject& operator[](T index) const {
        return (*this)[static_cast<size_t>(index)];
    }
    template <typename T, typename std::enable_if<std::is_integral<T>::value &&
                                                      !std::is_same<T, size_t>::value,
                                                  int>::type = 0>
    PObject& operator[](T index) {
        return (*this)[static_cast<size_t>(index)];
    }

    // Deep comparison of kind and value.
    bool operator==(const PObject& other) const;
    bool operator!=(const PObject& other) const { return !(*this == other); }

    void clear();
    void swap(PObject& other) noexcept;
    void copy(const PObject& source);

    // One line of JSON-like text (strings unescaped).
    string_type toString() const;
    // toString reformatted with line feeds and four-blank indents.
    string_type toPrettyString() const;

private:
    template <typename T> struct type_trait;

    template <typename T> T& held() { return *static_cast<T*>(data); }
    template <typename T> const T& held() const { return *static_cast<const T*>(data); }
    // Installs a copy of value, built before the old value is released, so
    // assigning an object from a value inside itself is safe.
    template <typename T> void copyValue(const T& value);
    // Makes the object hold an empty T (keeping a T it already holds).
    template <typename T> T& ensure();
    void release() noexcept;
    void toStringTo(string_type& out) const;

    // Takes other's value into this null object; other becomes null.
    void takeValue(PObject& other) noexcept;

    int32_t type;
    // The held value: a heap block owned by the object, except an integer,
    // which is kept in place. A listing holds several integers per entry, and
    // a heap block for each was the larger part of decoding one.
    union {
        void* data;
        integer_type integer_value;
    };
};

template <> inline PObject::integer_type& PObject::held<PObject::integer_type>() {
    return integer_value;
}
template <> inline const PObject::integer_type& PObject::held<PObject::integer_type>() const {
    return integer_value;
}

inline void swap(PObject& a, PObject& b) noexcept {
    a.swap(b);
}
