#include "stream_temp_file.h"

#include <errno.h>
#include <fcntl.h>

#include "tmp_name_gen.h"

namespace {
// Collisions of random names are rare; a name that keeps being taken means
// someone is guessing ahead of us, and giving up is the safe answer.
const int kNameAttempts = 16;
}  // namespace

cross::file_type openNewFile(const ustring& path) {
    const int fd = ::open(path.c_str_utf8(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    // Only written: a read-ahead hint would be a system call for nothing.
    return fd < 0 ? cross::INVALID_FILE_VALUE : fd;
}

cross::file_type openNewTemporaryFile(const ustring& location, ustring& path) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = TmpNameGen::getInstance().getTmpPath(location);
        if (path.empty()) {
            errno = EINVAL;
            return cross::INVALID_FILE_VALUE;
        }
        const cross::file_type fd = openNewFile(path);
        if (fd != cross::INVALID_FILE_VALUE || errno != EEXIST)
            return fd;
    }
    return cross::INVALID_FILE_VALUE;
}
