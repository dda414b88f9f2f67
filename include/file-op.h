#pragma once
// The file-system layer: file information, folder listing, copy, rename,
// remove, folder creation, time stamps, temporary files and a few probes.
// Paths are UTF-8 POSIX paths ("/" separates names). Results are 0 for
// success and negative for failure unless stated otherwise. Every function
// may be called from any thread.

#include <cstdint>
#include <ctime>
#include <string>

#include <dirent.h>
#include <sys/types.h>

#include "ustring/ustring.h"

typedef enum _FILE_TYPE_tag {
    FT_ERR = 0,
    FT_FILE = 1,
    FT_DIR = 2,
    FT_SLINK = 3,
    FT_HLINK = 4,
    FT_DEV = 5,
    FT_FIFO = 6,
    FT_SOCK = 7,
    FT_NOT_EXIST = 8,
} FILE_TYPE;

typedef struct _FILE_INFO_tag {
    ustring path;          // FSStat puts the resolved absolute path here
    ustring name;          // not set by FSStat
    FILE_TYPE type = FT_ERR;
    uint64_t mtime = 0;    // microseconds since 1970-01-01 00:00 UTC
    uint64_t size = 0;     // bytes; 0 for anything but a regular file
    bool isExist = false;
    uint32_t uid = 0;
    uint32_t gid = 0;
    uint32_t mode = 0;
} FILE_INFO;

// Compares everything but uid, gid and mode.
bool operator==(const FILE_INFO& a, const FILE_INFO& b);
bool operator!=(const FILE_INFO& a, const FILE_INFO& b);

// Bit 0 of DIR_HANDLE::flag: entries get their times and sizes.
const int DIR_FLAG_WITH_STAT = 1;

// A folder listing. handle is DIR_HANDLE_NOT_STARTED until the first read
// opens the folder, and null after FSCloseDir.
struct DIR_HANDLE {
    ustring path;
    int flag = 0;
    DIR* handle = nullptr;
};
DIR* const DIR_HANDLE_NOT_STARTED = reinterpret_cast<DIR*>(~static_cast<uintptr_t>(0));

struct DIR_ENTRY {
    ustring name;          // without the folder
    FILE_TYPE type = FT_ERR;
    uint64_t mtime = 0;    // microseconds since 1970, as in FILE_INFO
    uint64_t size = 0;
};

// Access rights for isFileLocked and hasFilePermission (the values callers
// know as the generic read and write rights).
const int FILE_ACCESS_READ = static_cast<int>(0x80000000u);
const int FILE_ACCESS_WRITE = 0x40000000;

// 0 with isExist false when nothing is there; 0 with isExist, path, type,
// mtime and size filled when it exists (links are examined, not followed);
// -1 when it exists but cannot be examined.
int FSStat(const ustring& path, FILE_INFO& info, bool do_case_check);
// Copies one regular file, replacing the destination. 0, -2 when the
// destination's disk is full, -1 otherwise; a failed copy removes what it had
// written and keeps the source. With isDelOrigin the source goes after a
// successful copy.
int FSCopy(const ustring& from, const ustring& to, bool isDelOrigin);
// Renames or moves within one file system, replacing a destination file.
// 0, -100 when a name is too long or malformed, -1 otherwise (a missing source too).
int FSRename(const ustring& from, const ustring& to, bool do_case_check);
// Removes a file, link or a folder with all its content (links inside are
// removed, never followed). 0 also when nothing is there; -1 on failure.
int FSRemove(const ustring& path);
// 0 when the folder exists afterwards; -1 on failure, including when
// something other than a folder has the name.
int FSMKDir(const ustring& path, bool isCreateParent);
// Creates every missing folder along path. endptr, uid, gid and mode are
// accepted and unused. With blForceCreate a non-folder standing where a
// folder is needed is removed first.
int FSMKDirP(const ustring& path, char** endptr, bool blForceCreate, int uid, int gid, mode_t mode);
// Creates, one level at a time, the folders of path below the existing root from.
int FSMKDirFromRoot(const ustring& path, const ustring& from);

// Prepares a listing; the folder is opened by the first FSReadDir. Always 0.
int FSOpenDir(const ustring& path, int flag, DIR_HANDLE& dh);
// 1 and the next entry ("." and ".." included), 0 at the end, -1 on failure.
int FSReadDir(DIR_HANDLE& dh, DIR_ENTRY& entry);
void FSCloseDir(DIR_HANDLE& dh);

// Sets the modification time (microseconds since 1970); atime is unused.
int FSUTime(const ustring& path, uint64_t atime, uint64_t mtime);
// The same on an open file, which spares looking its name up again.
int FSUTimeFd(int fd, uint64_t mtime);
// Equal, or less than 2 s apart on a FAT volume (see FSInit).
bool FSTimeEqual(time_t a, time_t b);

// Creates a new empty file named prefix-XXXXXXXX.vexofm.
int FSMktemp(const ustring& prefix, ustring& path);
// Only chooses such a name.
int FSCreateTempPath(const ustring& prefix, ustring& path);
// Replaces path by its absolute form with "." and ".." and linked folders
// resolved; the last name itself is not followed. 0, or -1 (path unchanged).
int FSGetRealPath(ustring& path);
// True when child is parent or lies below it.
bool FSIsParentFolder(const ustring& parent, const ustring& child);

// Examines the volume of path and remembers whether it is FAT (2-second
// times). 0, or -1 when the volume cannot be queried. Call before other
// threads use the file functions.
int FSInit(const ustring& path);
// True when path lies on a FAT volume (no files of 4 GiB and beyond).
bool IsMSDOS(const ustring& path);
bool IsMSDOS(const std::string& path);
bool IsMSDOS(const char* path);
bool IsFileExist(const ustring& path, bool do_case_check);
// True when opening with the rights flag (FILE_ACCESS_*) fails because the
// object is in use, locked or access is denied.
bool isFileLocked(const ustring& path, int flag);
// False only when opening with the rights flag is denied.
bool hasFilePermission(const ustring& path, int flag);
// True when path lies on a network file system.
bool isMountPoint(const ustring& path);

void FSInitialize(int u, int g);
void FSChown(const ustring& path);
