#pragma once

#include <string>
#include <vector>

#include "file-op.h"
#include "ustring/ustring.h"

// Lists a local folder, leaving out "." and ".." and the server's system
// folders. -1 when the path cannot be examined, does not exist, cannot be
// opened or read (entries then unchanged); 1 when it is not a folder; 0 when
// listed. Entries are appended.
int listLocal(const std::string& unused, const ustring& path, std::vector<DIR_ENTRY>& entries);

// Writes the names to the file as one compact JSON array of strings.
// 0, or -1 when the file cannot be written or a name is refused.
int serializeChildren(const ustring& path, const std::vector<ustring>& names);
// Reads names written by serializeChildren. 0, or -1 (logged, names left
// empty) when the file cannot be read, is no array, or holds an element
// that has no text form.
int deserializeChildren(const ustring& path, std::vector<ustring>& names);
