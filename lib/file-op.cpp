// File information, folder listing, times, temporary files and volume probes.
// Copy, rename, remove and folder creation live in file-op-modify.cpp.

#include "file-op.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include "file-op-internal.h"
#include "tmp_name_gen.h"

namespace {

// Set by FSInit for a FAT volume, whose times have a 2-second resolution.
std::atomic<bool> g_is_fat(false);

const uint64_t kMicrosPerSecond = 1000000;
const uint64_t kFatTimeStep = 2 * kMicrosPerSecond;

// A name collision with an existing file is retried with a fresh name.
const int kTempNameAttempts = 16;

// File systems that live on another machine.
const long kCifsMagic = 0xFF534D42;
const long kSmb2Magic = 0xFE534D42;
const long kCephMagic = 0x00C36400;
const long kAfsFsMagic = 0x6B414653;

bool isNetworkFileSystem(long type)
{
    switch (type) {
    case NFS_SUPER_MAGIC:
    case SMB_SUPER_MAGIC:
    case kCifsMagic:
    case kSmb2Magic:
    case CODA_SUPER_MAGIC:
    case AFS_SUPER_MAGIC:
    case kAfsFsMagic:
    case kCephMagic:
    case V9FS_MAGIC:
        return true;
    default:
        return false;
    }
}

bool isFatFileSystem(long type)
{
    return type == MSDOS_SUPER_MAGIC;
}

// Open flags for the access rights of isFileLocked and hasFilePermission.
// O_NONBLOCK keeps a FIFO from blocking the probe.
int openFlagsForAccess(int flag)
{
    const bool read = (flag & FILE_ACCESS_READ) != 0;
    const bool write = (flag & FILE_ACCESS_WRITE) != 0;
    int access = O_RDONLY;
    if (read && write)
        access = O_RDWR;
    else if (write)
        access = O_WRONLY;
    return access | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
}

// True when another open file description holds a lock that conflicts with
// the access asked for. Advisory locks are the closest this platform has to a
// file opened without sharing.
bool hasConflictingLock(int fd, int flag)
{
    struct flock lock;
    std::memset(&lock, 0, sizeof(lock));
    lock.l_type = (flag & FILE_ACCESS_WRITE) ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_GETLK, &lock) != 0)
        return false;
    return lock.l_type != F_UNLCK;
}

} // namespace

namespace file_op_detail {

FILE_TYPE typeFromMode(mode_t mode)
{
    if (S_ISREG(mode))
        return FT_FILE;
    if (S_ISDIR(mode))
        return FT_DIR;
    if (S_ISLNK(mode))
        return FT_SLINK;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FT_DEV;
    if (S_ISFIFO(mode))
        return FT_FIFO;
    if (S_ISSOCK(mode))
        return FT_SOCK;
    return FT_ERR;
}

uint64_t mtimeMicros(const struct stat& st)
{
    if (st.st_mtim.tv_sec < 0)
        return 0;
    return static_cast<uint64_t>(st.st_mtim.tv_sec) * kMicrosPerSecond +
           static_cast<uint64_t>(st.st_mtim.tv_nsec) / 1000;
}

} // namespace file_op_detail

using namespace file_op_detail;

bool operator==(const FILE_INFO& a, const FILE_INFO& b)
{
    return a.isExist == b.isExist && a.size == b.size && a.mtime == b.mtime && a.type == b.type &&
           a.path == b.path && a.name == b.name;
}

bool operator!=(const FILE_INFO& a, const FILE_INFO& b)
{
    return !(a == b);
}

bool IsFileExist(const ustring& path, bool do_case_check)
{
    // Name lookups are exact here, so a name that differs in case is absent
    // whether or not the caller asks for the check.
    (void)do_case_check;
    if (path.empty())
        return false;
    struct stat st;
    if (lstat(path.c_str_utf8(), &st) == 0)
        return true;
    const int error = errno;
    if (error != ENOENT && error != ENOTDIR)
        FILE_OP_ERROR(L"FindFirstFile: %d [%s, %s]", error, path.c_str_utf8(), path.c_str_utf8());
    return false;
}

int FSStat(const ustring& path, FILE_INFO& info, bool do_case_check)
{
    (void)do_case_check;
    info.isExist = false;
    if (path.empty())
        return 0;
    struct stat st;
    if (lstat(path.c_str_utf8(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return 0;
        FILE_OP_ERROR(L"FSStat: Failed on %s. Error code %d", path.c_str_utf8(), error);
        return -1;
    }
    info.isExist = true;
    info.path = path;
    FSGetRealPath(info.path);
    info.type = typeFromMode(st.st_mode);
    info.size = info.type == FT_FILE ? static_cast<uint64_t>(st.st_size) : 0;
    info.mtime = mtimeMicros(st);
    info.uid = st.st_uid;
    info.gid = st.st_gid;
    info.mode = st.st_mode;
    return 0;
}

int FSGetRealPath(ustring& path)
{
    FILE_OP_DEBUG(L"org path [%s]", path.c_str_utf8());
    std::string text(path.c_str_utf8());
    if (text.empty())
        return -1;
    const size_t last = text.find_last_not_of('/');
    if (last == std::string::npos) {
        path = "/";
        return 0;
    }
    text.erase(last + 1);

    // Resolve the folder part only: the object itself may be a link, and it
    // is the link that the caller examined.
    const size_t slash = text.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : text.substr(0, slash));
    const std::string name = slash == std::string::npos ? text : text.substr(slash + 1);

    char resolved[PATH_MAX];
    std::string result;
    if (name == "." || name == "..") {
        if (!realpath(text.c_str(), resolved))
            return -1;
        result = resolved;
    } else {
        if (!realpath(folder.c_str(), resolved))
            return -1;
        result = resolved;
        if (result != "/")
            result += '/';
        result += name;
    }
    struct stat st;
    if (lstat(result.c_str(), &st) != 0)
        return -1;
    path = result;
    FILE_OP_DEBUG(L"get full path QQ [%s].", path.c_str_utf8());
    return 0;
}

int FSOpenDir(const ustring& path, int flag, DIR_HANDLE& dh)
{
    dh.path = path;
    dh.flag = flag;
    dh.handle = DIR_HANDLE_NOT_STARTED;
    return 0;
}

int FSReadDir(DIR_HANDLE& dh, DIR_ENTRY& entry)
{
    if (dh.handle == DIR_HANDLE_NOT_STARTED) {
        if (dh.path.empty())
            return -1;
        DIR* dir = opendir(dh.path.c_str_utf8());
        if (!dir)
            return -1;
        dh.handle = dir;
    } else if (!dh.handle) {
        return -1;
    }

    errno = 0;
    const dirent* found = readdir(dh.handle);
    if (!found)
        return errno == 0 ? 0 : -1;

    entry.name = found->d_name;
    entry.mtime = 0;
    entry.size = 0;
    const bool with_stat = (dh.flag & DIR_FLAG_WITH_STAT) != 0;
    struct stat st;
    switch (found->d_type) {
    case DT_REG: entry.type = FT_FILE; break;
    case DT_DIR: entry.type = FT_DIR; break;
    case DT_LNK: entry.type = FT_SLINK; break;
    case DT_CHR:
    case DT_BLK: entry.type = FT_DEV; break;
    case DT_FIFO: entry.type = FT_FIFO; break;
    case DT_SOCK: entry.type = FT_SOCK; break;
    default: entry.type = FT_ERR; break;
    }
    // Some file systems do not report the type in the listing; stat then
    // decides, and also supplies times and sizes when they are asked for.
    if (with_stat || found->d_type == DT_UNKNOWN) {
        if (fstatat(dirfd(dh.handle), found->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            // Removed between the listing and the stat.
            entry.type = FT_NOT_EXIST;
            return 1;
        }
        entry.type = typeFromMode(st.st_mode);
        if (with_stat) {
            entry.mtime = mtimeMicros(st);
            entry.size = entry.type == FT_FILE ? static_cast<uint64_t>(st.st_size) : 0;
        }
    }
    return 1;
}

void FSCloseDir(DIR_HANDLE& dh)
{
    if (dh.handle && dh.handle != DIR_HANDLE_NOT_STARTED)
        closedir(dh.handle);
    dh.handle = nullptr;
    dh.path.clear();
}

namespace {

// Access time left alone; FAT keeps times in 2 s steps.
void modificationTimes(uint64_t mtime, struct timespec (&times)[2])
{
    if (g_is_fat.load(std::memory_order_relaxed))
        mtime -= mtime % kFatTimeStep;
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(mtime / kMicrosPerSecond);
    times[1].tv_nsec = static_cast<long>(mtime % kMicrosPerSecond) * 1000;
}

} // namespace

int FSUTime(const ustring& path, uint64_t atime, uint64_t mtime)
{
    (void)atime;
    struct timespec times[2];
    modificationTimes(mtime, times);
    // A link gets its own time, as FSStat reports the link's own time.
    if (utimensat(AT_FDCWD, path.c_str_utf8(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        FILE_OP_ERROR(L"FSUTime: error code %d", errno);
        return -1;
    }
    return 0;
}

int FSUTimeFd(int fd, uint64_t mtime)
{
    struct timespec times[2];
    modificationTimes(mtime, times);
    if (futimens(fd, times) != 0) {
        FILE_OP_ERROR(L"FSUTimeFd: error code %d", errno);
        return -1;
    }
    return 0;
}

bool FSTimeEqual(time_t a, time_t b)
{
    if (a == b)
        return true;
    if (!g_is_fat.load(std::memory_order_relaxed))
        return false;
    return (a > b ? a - b : b - a) < 2;
}

int FSMktemp(const ustring& prefix, ustring& path)
{
    FILE_OP_DEBUG(L"FSMktemp: prefix [%s], path[%s]", prefix.c_str_utf8(), path.c_str_utf8());
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        const ustring name = TmpNameGen::getInstance().getTmpPath(prefix);
        if (name.empty())
            break;
        // O_EXCL: never truncate a file that happens to carry the same name.
        const int fd = open(name.c_str_utf8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            path = name;
            return 0;
        }
        if (errno != EEXIST)
            return -1;
    }
    FILE_OP_ERROR(L"FSMktemp failed.");
    return -1;
}

int FSCreateTempPath(const ustring& prefix, ustring& path)
{
    path = TmpNameGen::getInstance().getTmpPath(prefix);
    return path.empty() ? -1 : 0;
}

bool FSIsParentFolder(const ustring& parent, const ustring& child)
{
    const size_t n = parent.length();
    if (n > child.length())
        return false;
    if (child[n] != '\0' && child[n] != '/')
        return false;
    return std::memcmp(parent.c_str_utf8(), child.c_str_utf8(), n) == 0;
}

int FSInit(const ustring& path)
{
    struct statfs fs;
    if (path.empty()) {
        FILE_OP_ERROR(L"FSInit: Invalid path (%s)", path.c_str_utf8());
        return -1;
    }
    if (statfs(path.c_str_utf8(), &fs) != 0) {
        FILE_OP_ERROR(L"GetVolumeInformation: Error code %d", errno);
        return -1;
    }
    if (isFatFileSystem(fs.f_type)) {
        FILE_OP_WARNING(L"Detect a non-NTFS platform (%s)", "vfat");
        g_is_fat.store(true);
    }
    return 0;
}

bool IsMSDOS(const ustring& path)
{
    struct statfs fs;
    if (path.empty()) {
        FILE_OP_ERROR(L"IsSupportLargeFile: Invalid path (%s)", path.c_str_utf8());
        return false;
    }
    if (statfs(path.c_str_utf8(), &fs) != 0) {
        FILE_OP_ERROR(L"GetVolumeInformation: Error code %d", errno);
        return false;
    }
    if (!isFatFileSystem(fs.f_type))
        return false;
    FILE_OP_WARNING(L"Detect a non-NTFS platform (%s) for path '%s'.", "vfat", path.c_str_utf8());
    return true;
}

bool IsMSDOS(const std::string& path)
{
    return IsMSDOS(ustring(path));
}

bool IsMSDOS(const char* path)
{
    return IsMSDOS(ustring(path ? path : ""));
}

bool isFileLocked(const ustring& path, int flag)
{
    const int fd = open(path.c_str_utf8(), openFlagsForAccess(flag));
    if (fd < 0) {
        const int error = errno;
        return error == EBUSY || error == ETXTBSY || error == EACCES || error == EPERM;
    }
    const bool locked = hasConflictingLock(fd, flag);
    close(fd);
    return locked;
}

bool hasFilePermission(const ustring& path, int flag)
{
    const int fd = open(path.c_str_utf8(), openFlagsForAccess(flag));
    if (fd < 0) {
        const int error = errno;
        return error != EACCES && error != EPERM;
    }
    close(fd);
    return true;
}

bool isMountPoint(const ustring& path)
{
    struct statfs fs;
    if (path.empty() || statfs(path.c_str_utf8(), &fs) != 0)
        return false;
    return isNetworkFileSystem(fs.f_type);
}

void FSInitialize(int u, int g)
{
    (void)u;
    (void)g;
}

void FSChown(const ustring& path)
{
    (void)path;
}
