#pragma once

#include <cstdint>

namespace ProjectVardo {

// Result codes of the transfer engine, stored in ResumeInfo::error.
enum ErrorCode : int32_t {
    ERR_OK = 0,
    ERR_SYS = 1,
    ERR_IO = 2,
    ERR_LOCAL_DISKFULL = 3,
    ERR_LOCAL_FBIG = 4,
    ERR_REMOTE_DISKFULL = 5,
    ERR_REMOTE_FBIG = 6,
    ERR_INVALID_SEED = 7,
    ERR_INVALID_TOKEN = 8,
    ERR_TOKEN_COLLISION = 9,
    ERR_TOKEN_ABORTED = 10,
    ERR_NO_SUCH_FILE = 11,
    ERR_TEMP_LOST = 12,
    ERR_JOB_PAUSED = 13,
    ERR_NO_PERM = 14,
    ERR_SHARE_QUOTA = 15,
    ERR_USER_QUOTA = 16,
    ERR_CONNECTION_LOST = 17,
    ERR_DROP_LARGE = 18,
    ERR_SSL_CHANGED = 19,
    // The source file changed while it was being sent: what arrived would
    // mix two versions of it.
    ERR_SOURCE_CHANGED = 20,
};

// Maps a PSocketStream::ErrorCode (0 down to -8) to an engine code; every
// value outside that range is a system error.
int32_t convertFromSocketStreamError(int32_t stream_error);

// Maps the errno of a failed local file operation (create, write, flush,
// rename) to an engine code: refused access or a read-only volume is a
// permission failure, a full disk or quota is a full disk, a file over the
// volume's limit is too big. A name the file system refuses has no code of
// its own and is a system error; every other errno gives otherwise.
int32_t convertFromLocalError(int error, int32_t otherwise = ERR_SYS);

} // namespace ProjectVardo
