// The record types held by PObject: file regions and the memory block.
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "protocol/pobject.h"

void PObject::binary_type::clear() {
    offset = 0;
    length = 0;
    path.clear();
}

bool PObject::binary_type::operator==(const binary_type& other) const {
    return offset == other.offset && length == other.length && path == other.path;
}

void PObject::binary_ex_type::clear() {
    path.clear();
    offset = 0;
    length = 0;
    hash_algorithm.clear();
    send_hash.clear();
    recv_hash.clear();
}

bool PObject::binary_ex_type::operator==(const binary_ex_type& other) const {
    return path == other.path && offset == other.offset && length == other.length &&
           hash_algorithm == other.hash_algorithm && send_hash == other.send_hash &&
           recv_hash == other.recv_hash;
}

PObject::buffer_type::buffer_type(const buffer_type& other)
    : data_length(0), data_cap(0), data(nullptr) {
    if (assign(other.data, other.data_length) != 0)
        throw std::bad_alloc();
}

PObject::buffer_type::buffer_type(buffer_type&& other) noexcept
    : data_length(other.data_length), data_cap(other.data_cap), data(other.data) {
    other.data_length = 0;
    other.data_cap = 0;
    other.data = nullptr;
}

PObject::buffer_type::~buffer_type() {
    std::free(data);
}

PObject::buffer_type& PObject::buffer_type::operator=(const buffer_type& other) {
    if (this != &other && assign(other.data, other.data_length) != 0)
        throw std::bad_alloc();
    return *this;
}

PObject::buffer_type& PObject::buffer_type::operator=(buffer_type&& other) noexcept {
    if (this != &other) {
        std::swap(data_length, other.data_length);
        std::swap(data_cap, other.data_cap);
        std::swap(data, other.data);
    }
    return *this;
}

int PObject::buffer_type::realloc_data(uint32_t size) {
    if (data_cap >= size && size >= data_cap / 2)
        return 0;
    if (size == 0) {
        // realloc(p, 0) is implementation-defined: release explicitly.
        std::free(data);
        data = nullptr;
        data_cap = 0;
        data_length = 0;
        return 0;
    }
    char* block = static_cast<char*>(std::realloc(data, size));
    if (block == nullptr)
        return -1;
    data = block;
    data_cap = size;
    if (data_length > size)
        data_length = size;
    return 0;
}

void PObject::buffer_type::clear() {
    if (data != nullptr)
        std::memset(data, 0, data_cap);
    data_length = 0;
}

int PObject::buffer_type::assign(const char* bytes, uint32_t n) {
    if (n != 0 && bytes == nullptr)
        return -1;
    if (realloc_data(n) != 0)
        return -1;
    if (n != 0)
        std::memcpy(data, bytes, n);
    // Same end state as zero-filling the whole block first, without
    // touching the copied bytes twice.
    if (data != nullptr && data_cap > n)
        std::memset(data + n, 0, data_cap - n);
    data_length = n;
    return 0;
}

bool PObject::buffer_type::operator==(const buffer_type& other) const {
    return data_length == other.data_length &&
           (data_length == 0 || std::memcmp(data, other.data, data_length) == 0);
}
