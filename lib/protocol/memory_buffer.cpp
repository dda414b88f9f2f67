#include "memory_buffer.h"

#include <cstdlib>

#include "socket_buffer_log.h"

MemoryBuffer::MemoryBuffer(size_t initial_capacity)
{
    if (initial_capacity > 0)
        reserve(initial_capacity);
}

MemoryBuffer::~MemoryBuffer()
{
    free(data);
}

int MemoryBuffer::reserve(size_t new_capacity)
{
    if (capacity >= new_capacity)
        return 0;
    char* block = static_cast<char*>(malloc(new_capacity));
    if (!block) {
        QM_LOG_KEEP_ERRNO(Logger::L_ERR, "default_component",
                          L"[ERROR] memory_buffer(%d): Cannot allocate %zu bytes\n", new_capacity);
        return -1;
    }
    size_t held = size;
    copyTo(block, held);
    free(data);
    data = head = block;
    capacity = new_capacity;
    size = held;
    return 0;
}
