#include "kavelin/error-code.h"

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

} // namespace ProjectVardo
