#include "file_mapping_buffer.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "socket_buffer_log.h"

namespace {
const char* const kComponent = "default_component";
}

#define FMB_LOG(level, tag, fmt, ...)                                                              \
    QM_LOG_KEEP_ERRNO((level), kComponent, tag L" file_mapping_buffer(%d): " fmt L"\n",           \
                      ##__VA_ARGS__)
#define FMB_ERROR(fmt, ...) FMB_LOG(Logger::L_ERR, L"[ERROR]", fmt, ##__VA_ARGS__)

FileMappingBuffer::FileMappingBuffer(const ustring& file_path, uint64_t size_of_file,
                                     MappingType mapping_type)
    : file_handle(cross::INVALID_FILE_VALUE), mapping_handle(cross::INVALID_FILE_VALUE),
      path(file_path), file_size(size_of_file), block_number(0),
      block_size(cross::getPreferredBlockSize()), type(mapping_type), rw_buffer(nullptr),
      is_rw(false), is_always_rw(true), m_no_window(false)
{
}

FileMappingBuffer::~FileMappingBuffer()
{
    finalize();
}

void FileMappingBuffer::setWindowCapacity()
{
    uint64_t start = blockStart();
    capacity = start + block_size > file_size ? static_cast<size_t>(file_size - start)
                                              : static_cast<size_t>(block_size);
}

void FileMappingBuffer::adoptFile(cross::file_type fd)
{
    if (file_handle != cross::INVALID_FILE_VALUE && file_handle != fd)
        cross::close(file_handle);
    file_handle = fd;
}

int FileMappingBuffer::initialize(uint64_t offset)
{
    if (file_handle == cross::INVALID_FILE_VALUE) {
        const char* mode = type == MAP_FOR_WRITE ? "rw" : "rb";
        FMB_LOG(Logger::L_DEBUG, L"[DEBUG]", L"Opening path = %s mode = '%s'", path.c_str_utf8(),
                mode);
        file_handle = cross::open(path, mode);
        if (file_handle == cross::INVALID_FILE_VALUE) {
            FMB_ERROR(L"GG.. cannot open file %s", path.c_str_utf8());
            return -1;
        }
    }

    if (type == MAP_FOR_WRITE && offset > 0) {
        // Resuming: every byte before offset must already be in the file, or
        // the gap would be filled with whatever the window memory held.
        struct stat st;
        if (fstat(file_handle, &st) != 0) {
            FMB_ERROR(L"Cannot get file info '%s'", path.c_str_utf8());
            return -1;
        }
        if (static_cast<uint64_t>(st.st_size) < offset) {
            errno = EINVAL;
            FMB_ERROR(L"Cannot resume '%s' at offset(%llu): the file holds %llu bytes",
                      path.c_str_utf8(), static_cast<unsigned long long>(offset),
                      static_cast<unsigned long long>(st.st_size));
            return -1;
        }
    }

    if (offset >= file_size) {
        data = head = nullptr;
        size = capacity = 0;
        m_no_window = true;
        return 0;
    }

    block_number = offset / block_size;
    if (load() < 0)
        return -1;
    size_t r = static_cast<size_t>(offset % block_size);

    if (type == MAP_FOR_READ) {
        head += r;
        size -= r;
    } else if (r > 0) {
        if (is_rw) {
            if (seek(blockStart()) < 0) {
                FMB_ERROR(L"Cannot seek() of file offset(%llu) code %d",
                          static_cast<unsigned long long>(blockStart()), cross::getSystemError());
                return -1;
            }
            if (read(data, static_cast<int>(r)) != static_cast<int>(r)) {
                if (errno == 0)
                    errno = EIO;
                FMB_ERROR(L"Cannot write from file offset(%llu) size %d code = %d",
                          static_cast<unsigned long long>(blockStart()), static_cast<int>(r),
                          cross::getSystemError());
                return -1;
            }
        }
        size += r;
    }
    FMB_LOG(Logger::L_DEBUG, L"[DEBUG]", L"off %u, block %llu, capacity %u",
            static_cast<unsigned>(r), static_cast<unsigned long long>(block_size),
            static_cast<unsigned>(capacity));
    return 0;
}

int FileMappingBuffer::load()
{
    if (is_always_rw || mmap_load() < 0)
        return rw_load();
    return 0;
}

int FileMappingBuffer::unload()
{
    return is_rw ? rw_unload() : mmap_unload();
}

int FileMappingBuffer::shiftBlock()
{
    if (unload() < 0)
        return -1;
    ++block_number;
    return load();
}

int FileMappingBuffer::finalize()
{
    int r = unload();
    int saved_errno = errno;
    if (mapping_handle != cross::INVALID_FILE_VALUE) {
        ::close(mapping_handle);
        mapping_handle = cross::INVALID_FILE_VALUE;
    }
    if (file_handle != cross::INVALID_FILE_VALUE) {
        cross::close(file_handle);
        file_handle = cross::INVALID_FILE_VALUE;
    }
    free(rw_buffer);
    rw_buffer = nullptr;
    data = head = nullptr;
    errno = saved_errno;
    return r;
}

int FileMappingBuffer::finalizeKeepingFile(cross::file_type& kept)
{
    // The unload writes through the descriptor; only then is it handed over.
    const int r = unload();
    const int saved_errno = errno;
    kept = file_handle;
    file_handle = cross::INVALID_FILE_VALUE;
    if (r < 0 && kept != cross::INVALID_FILE_VALUE) {
        cross::close(kept);
        kept = cross::INVALID_FILE_VALUE;
    }
    finalize();  // the window is unloaded already: this frees it
    errno = saved_errno;
    return r;
}

int FileMappingBuffer::rw_load()
{
    uint64_t start = blockStart();
    setWindowCapacity();
    is_rw = true;
    if (!rw_buffer) {
        // No window is larger than the file: a small file's window stays a
        // small allocation, whose release does not make the allocator sweep
        // its free lists as a whole block's would, once per file.
        const size_t window = static_cast<size_t>(std::max<uint64_t>(1, std::min(block_size, file_size)));
        rw_buffer = static_cast<char*>(malloc(window));
        if (!rw_buffer) {
            errno = ENOMEM;
            FMB_ERROR(L"Cannot allocate a window of %llu bytes", static_cast<unsigned long long>(window));
            return -1;
        }
    }
    if (type == MAP_FOR_READ) {
        if (seek(start) < 0) {
            FMB_ERROR(L"Cannot seek() of file offset(%llu) code %d",
                      static_cast<unsigned long long>(start), cross::getSystemError());
            return -1;
        }
        if (read(rw_buffer, static_cast<int>(capacity)) != static_cast<int>(capacity)) {
            // The file shrank since its size was taken.
            if (errno == 0)
                errno = EIO;
            FMB_ERROR(L"Cannot read from file offset(%llu) size %d code = %d",
                      static_cast<unsigned long long>(start), static_cast<int>(capacity),
                      cross::getSystemError());
            return -1;
        }
        size = capacity;
    } else {
        size = 0;
    }
    data = head = rw_buffer;
    return 0;
}

int FileMappingBuffer::rw_unload()
{
    if (!data)
        return 0;
    int result = 0;
    // Only the bytes the window really holds are written: a window unloaded
    // before it is full must not put its stale tail into the file.
    if (type == MAP_FOR_WRITE && size > 0) {
        uint64_t start = blockStart();
        if (seek(start) < 0) {
            FMB_ERROR(L"Cannot Seek on file offset(%llu) code = %d",
                      static_cast<unsigned long long>(start), cross::getSystemError());
            result = -1;
        } else if (write(rw_buffer, static_cast<int>(size)) != static_cast<int>(size)) {
            FMB_ERROR(L"Cannot write from file offset(%llu) size %d code = %d",
                      static_cast<unsigned long long>(start), static_cast<int>(size),
                      cross::getSystemError());
            result = -1;
        }
    }
    data = head = nullptr;
    return result;
}

int FileMappingBuffer::allocate()
{
    if (mapping_handle != cross::INVALID_FILE_VALUE)
        return 0;
    if (type == MAP_FOR_WRITE || file_handle == cross::INVALID_FILE_VALUE) {
        errno = EINVAL;
        FMB_ERROR(L"CreateFileMapping failed size = %llu errorcode = %d",
                  static_cast<unsigned long long>(file_size), cross::getSystemError());
        return -1;
    }
    mapping_handle = ::dup(file_handle);
    if (mapping_handle < 0) {
        mapping_handle = cross::INVALID_FILE_VALUE;
        FMB_ERROR(L"CreateFileMapping failed size = %llu errorcode = %d",
                  static_cast<unsigned long long>(file_size), cross::getSystemError());
        return -1;
    }
    return 0;
}

int FileMappingBuffer::mmap_load()
{
    if (mapping_handle == cross::INVALID_FILE_VALUE || type == MAP_FOR_WRITE)
        return -1;
    setWindowCapacity();
    if (capacity == 0)
        return -1;
    void* view = ::mmap(nullptr, capacity, PROT_READ, MAP_SHARED, mapping_handle,
                        static_cast<off_t>(blockStart()));
    if (view == MAP_FAILED) {
        FMB_ERROR(L"MapViewOfFile failed");
        return -1;
    }
    size = capacity;
    is_rw = false;
    data = head = static_cast<char*>(view);
    return 0;
}

int FileMappingBuffer::mmap_unload()
{
    if (!data)
        return 0;
    int result = ::munmap(data, capacity) == 0 ? 0 : -1;
    data = head = nullptr;
    return result;
}

bool FileMappingBuffer::isFinalBlock() const
{
    return blockStart() + capacity == file_size;
}

uint64_t FileMappingBuffer::progress() const
{
    if (file_handle == cross::INVALID_FILE_VALUE)
        return 0;
    if (m_no_window)
        return file_size;
    if (type == MAP_FOR_WRITE)
        return blockStart() + size;
    return blockStart() + static_cast<uint64_t>(head - data);
}

int FileMappingBuffer::read(char* buffer, int len)
{
    int done = 0;
    errno = 0;
    while (done < len) {
        ssize_t r = ::pread(file_handle, buffer + done, static_cast<size_t>(len - done),
                            static_cast<off_t>(io_offset + static_cast<uint64_t>(done)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r == 0)
            FMB_LOG(Logger::L_INFO, L"[INFO]", L"read file reaches the end of a file");
        if (r <= 0)
            break;
        done += static_cast<int>(r);
    }
    io_offset += static_cast<uint64_t>(done);
    return done;
}

int FileMappingBuffer::write(char* buffer, int len)
{
    int done = 0;
    while (done < len) {
        ssize_t r = ::pwrite(file_handle, buffer + done, static_cast<size_t>(len - done),
                             static_cast<off_t>(io_offset + static_cast<uint64_t>(done)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += static_cast<int>(r);
    }
    io_offset += static_cast<uint64_t>(done);
    return done;
}

// Positioned reads and writes: the offset is ours, so a window costs one
// pread/pwrite instead of a seek beside each read or write.
int FileMappingBuffer::seek(uint64_t offset)
{
    if (file_handle == cross::INVALID_FILE_VALUE) {
        errno = EBADF;
        return -1;
    }
    if (offset > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) {
        errno = EINVAL;
        return -1;
    }
    io_offset = offset;
    return 0;
}
