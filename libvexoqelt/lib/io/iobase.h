#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

namespace qelt {

using offset_type = uint64_t;
using file_type = int;   // a file descriptor
using socket_type = int; // a socket descriptor
constexpr file_type invalid_file = -1;
constexpr socket_type invalid_socket = -1;

// Unbuffered byte IO over one descriptor. Objects are thin wrappers: copying
// or destroying one never closes the descriptor, only close() does.
class IOBase {
public:
    enum Mode { MODE_WRITE = 1, MODE_READ = 2, MODE_READ_WRITE = 3 };

    IOBase() = default;
    virtual ~IOBase();

    // One system read/write: the count (0 = end of input) or -1.
    virtual ssize_t read(void* buf, size_t n) = 0;
    virtual ssize_t write(const void* buf, size_t n) = 0;
    virtual int sync() = 0;
    virtual void close() = 0;
    // Readiness for `mode`, waiting at most `seconds`: 1 ready, 0 time-out, -1 error.
    virtual int select(Mode mode, int seconds) = 0;
    // A new wrapper of the same descriptor; the caller deletes it.
    virtual IOBase* clone() const = 0;
};

} // namespace qelt
