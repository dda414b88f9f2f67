#pragma once
// Shared by the file-operation sources: the log macros (component
// "file_op_debug"; tag and source name lead, the line number is the first
// format argument) and small conversions.

#include "log.h"

#define FILE_OP_LOG(level, tag, format, ...) \
    QM_LOG(level, "file_op_debug", tag L" file-op(%d): " format L"\n", ##__VA_ARGS__)
#define FILE_OP_ERROR(format, ...) FILE_OP_LOG(Logger::L_ERR, L"[ERROR]", format, ##__VA_ARGS__)
#define FILE_OP_WARNING(format, ...) FILE_OP_LOG(Logger::L_WARNING, L"[WARNING]", format, ##__VA_ARGS__)
#define FILE_OP_INFO(format, ...) FILE_OP_LOG(Logger::L_INFO, L"[INFO]", format, ##__VA_ARGS__)
#define FILE_OP_DEBUG(format, ...) FILE_OP_LOG(Logger::L_DEBUG, L"[DEBUG]", format, ##__VA_ARGS__)

#include <cstdint>
#include <sys/stat.h>

#include "file-op.h"

namespace file_op_detail {

// The kind of object a stat record describes.
FILE_TYPE typeFromMode(mode_t mode);
// Modification time of a stat record in microseconds since 1970.
uint64_t mtimeMicros(const struct stat& st);

} // namespace file_op_detail
