#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

namespace qelt {

// The read buffer of a stream: bytes are appended at the tail and taken from
// the head; when it empties the head returns to the start so that refills
// are one contiguous block.
template <typename T>
class RingBuffer {
public:
    explicit RingBuffer(size_t capacity) : _data(new T[capacity]), _capacity(capacity) {}

    size_t size() const { return _size; }
    size_t capacity() const { return _capacity; }
    bool empty() const { return _size == 0; }

    // Contiguous free space after the tail (the refill target).
    T* tail() { return _data.get() + (_head + _size) % _capacity; }
    size_t contiguousFree() const
    {
        size_t tailPos = (_head + _size) % _capacity;
        if (_size == _capacity)
            return 0;
        return tailPos >= _head ? _capacity - tailPos : _head - tailPos;
    }
    void commit(size_t n) { _size += n; }

    // Copies out up to n bytes, wrapping at the end of the storage.
    size_t take(T* out, size_t n)
    {
        size_t count = std::min(n, _size);
        size_t first = std::min(count, _capacity - _head);
        std::memcpy(out, _data.get() + _head, first * sizeof(T));
        std::memcpy(out + first, _data.get(), (count - first) * sizeof(T));
        _head = (_head + count) % _capacity;
        _size -= count;
        if (_size == 0)
            _head = 0;
        return count;
    }

private:
    std::unique_ptr<T[]> _data;
    size_t _head = 0;
    size_t _size = 0;
    size_t _capacity;
};

} // namespace qelt
