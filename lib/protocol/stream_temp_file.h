#pragma once

#include "file-op-ex.h"
#include "ustring/ustring.h"

// Received payloads without a file of their own go to temporary names next
// to a receive location. Such a name is ours only if we create the file: an
// existing file or a link planted under that name must never be opened.

// Creates path for reading and writing, failing (errno EEXIST) when anything,
// a dangling link included, already has that name. The descriptor, or
// INVALID_FILE_VALUE with errno set.
cross::file_type openNewFile(const ustring& path);

// Creates a new file under a fresh temporary name of location (the location,
// "-", eight random characters, ".vexofm"), trying another name when one is
// taken. The descriptor and the name in path, or INVALID_FILE_VALUE with
// errno set (path then holds the last name tried).
cross::file_type openNewTemporaryFile(const ustring& location, ustring& path);
