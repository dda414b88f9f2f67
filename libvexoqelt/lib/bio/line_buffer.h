#pragma once

#include <cstddef>
#include <cstring>
#include <memory>

namespace qelt {

// The write buffer of a stream: appended at the end, drained from the front.
template <typename T>
class LineBuffer {
public:
    explicit LineBuffer(size_t capacity) : _data(new T[capacity]), _capacity(capacity) {}

    size_t size() const { return _size; }
    size_t capacity() const { return _capacity; }
    size_t freeSpace() const { return _capacity - _head - _size; }
    bool empty() const { return _size == 0; }
    const T* data() const { return _data.get() + _head; }

    void append(const T* in, size_t n)
    {
        std::memcpy(_data.get() + _head + _size, in, n * sizeof(T));
        _size += n;
    }
    // Drops n sent bytes and moves what is left to the front.
    void consume(size_t n)
    {
        _head += n;
        _size -= n;
        if (_size > 0)
            std::memmove(_data.get(), _data.get() + _head, _size * sizeof(T));
        _head = 0;
    }

private:
    std::unique_ptr<T[]> _data;
    size_t _head = 0;
    size_t _capacity;
    size_t _size = 0;
};

} // namespace qelt
