#pragma once

#include "io/iobase.h"

namespace qelt {

// A file descriptor. read/write use the current position; pread/pwrite an
// explicit offset and leave the position alone.
class File : public IOBase {
public:
    File() = default;
    explicit File(file_type fd) : m_fd(fd) {}
    ~File() override;

    ssize_t read(void* buf, size_t n) override;
    ssize_t write(const void* buf, size_t n) override;
    int sync() override;
    void close() override;
    int select(Mode, int) override { return 1; }
    IOBase* clone() const override;

    bool isValid() const { return m_fd != invalid_file; }
    void assign(file_type fd) { m_fd = fd; }
    file_type fd() const { return m_fd; }
    int error() const;
    // Absolute position from the start of the file. 0 or -1.
    int seek(offset_type pos);
    // Size in bytes, or -1.
    int64_t size() const;

    // Whole-buffer positional IO (loops over short counts): n, or -1 with
    // errno set; a read returns fewer bytes only at end of file.
    ssize_t pread(void* buf, size_t n, offset_type off);
    ssize_t pwrite(const void* buf, size_t n, offset_type off);

private:
    file_type m_fd = invalid_file;
};

} // namespace qelt
