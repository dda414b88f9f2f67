#pragma once

#include "socket_buffer.h"

// A SocketBuffer on a growable heap block: a stream's protocol buffer.
class MemoryBuffer : public SocketBuffer {
public:
    // An empty buffer; a capacity above 0 is reserved at once.
    explicit MemoryBuffer(size_t capacity);
    ~MemoryBuffer() override;

    // Grows to new_capacity (never shrinks), moving the held bytes to the
    // start of the new block in ring order. 0, or -1 when memory runs out
    // (the buffer is then unchanged).
    int reserve(size_t new_capacity) override;
};
