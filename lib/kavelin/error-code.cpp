#include "kavelin/error-code.h"

#include <cerrno>

namespace ProjectVardo {

int32_t convertFromSocketStreamError(int32_t stream_error)
{
    // Indexed by stream code + 8: CHANGED, DROP_LARGE, FBIG, INPUT,
    // DISKFULL, WOULD_BLOCK, IO, SYS, OK.
    static const int32_t kTable[9] = {
        ERR_SOURCE_CHANGED, ERR_DROP_LARGE, ERR_LOCAL_FBIG, ERR_SYS, ERR_LOCAL_DISKFULL,
        ERR_SYS, ERR_IO, ERR_SYS, ERR_OK,
    };
    if (stream_error < -8 || stream_error > 0)
        return ERR_SYS;
    return kTable[stream_error + 8];
}

int32_t convertFromLocalError(int error, int32_t otherwise)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERR_NO_PERM;
    case ENOSPC:
    case EDQUOT:
        return ERR_LOCAL_DISKFULL;
    case EFBIG:
        return ERR_LOCAL_FBIG;
    case ENAMETOOLONG:
    case EILSEQ:
    case EINVAL:
        return ERR_SYS;
    default:
        return otherwise;
    }
}

} // namespace ProjectVardo
