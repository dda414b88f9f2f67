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

// The write path of a buffered stream: n bytes join the buffer when they fit,
// after a flush if need be; what still does not fit goes out through direct.
// Returns the bytes taken, 0 when the flush fails.
template <typename T, typename Flush, typename Direct>
size_t writeThroughBuffer(LineBuffer<T>& buffer, const T* in, size_t n, Flush flush, Direct direct)
{
    if (n <= buffer.freeSpace()) {
        buffer.append(in, n);
        return n;
    }
    if (flush() != 0)
        return 0;
    if (n <= buffer.freeSpace()) {
        buffer.append(in, n);
        return n;
    }
    return direct(in, n);
}

} // namespace qelt
