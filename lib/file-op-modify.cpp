// The operations that change the file system: copy, rename, remove and
// folder creation.

#include "file-op.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file-op-internal.h"

namespace {

// One block per system call: a copy costs a few calls per 32 MiB.
const size_t kCopyBlock = 32 * 1024 * 1024;
const int kFolderMode = 0777;
const int kFileMode = 0666;

// Makes the check for the source and the move of one rename atomic with
// respect to every other rename of the process.
std::mutex g_rename_mutex;

class ScopedFd {
public:
    explicit ScopedFd(int fd) : m_fd(fd) {}
    ~ScopedFd() { reset(); }
    ScopedFd(const ScopedFd&) = delete;
    ScopedFd& operator=(const ScopedFd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and returns close's result, which can carry a late write error.
    int reset()
    {
        int rc = 0;
        if (m_fd >= 0)
            rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

bool isDiskFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

// Result of a copy step: 0, or the errno of the failure and which side failed.
struct CopyFailure {
    int error = 0;
    bool writing = false;
};

bool writeAll(int fd, const char* data, size_t len, CopyFailure& failure)
{
    while (len > 0) {
        const ssize_t n = write(fd, data, len);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure.error = n < 0 ? errno : EIO;
            failure.writing = true;
            return false;
        }
        data += n;
        len -= static_cast<size_t>(n);
    }
    return true;
}

// Plain read and write through one buffer, from the current offsets on.
bool copyThroughBuffer(int src, int dst, CopyFailure& failure)
{
    std::unique_ptr<char[]> buffer(new char[kCopyBlock]);
    for (;;) {
        const ssize_t n = read(src, buffer.get(), kCopyBlock);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            failure.error = errno;
            failure.writing = false;
            return false;
        }
        if (n == 0)
            return true;
        if (!writeAll(dst, buffer.get(), static_cast<size_t>(n), failure))
            return false;
    }
}

// Lets the kernel move the data (and share extents where the file system
// can). Falls back to the buffer when the pair of files does not support it.
bool copyData(int src, int dst, CopyFailure& failure)
{
    for (;;) {
        const ssize_t n = copy_file_range(src, nullptr, dst, nullptr, kCopyBlock, 0);
        if (n > 0)
            continue;
        if (n == 0)
            break;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF)
            return copyThroughBuffer(src, dst, failure);
        failure.error = error;
        // Both sides can fail here; a full disk can only be the destination.
        failure.writing = isDiskFull(error);
        return false;
    }
    // Files whose size the kernel does not know (generated content) report 0
    // at once; the buffer then finds out whether anything is left.
    return copyThroughBuffer(src, dst, failure);
}

bool isDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder part of path, for syncing the directory entry of a rename.
std::string parentFolder(const std::string& path)
{
    const size_t last = path.find_last_not_of('/');
    if (last == std::string::npos)
        return "/";
    const size_t slash = path.rfind('/', last);
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void syncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool isFolderEntry(int dir_fd, const dirent* entry)
{
    if (entry->d_type != DT_UNKNOWN)
        return entry->d_type == DT_DIR;
    struct stat st;
    return fstatat(dir_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Removes the folder name (relative to parent_fd) with its whole content.
// Entries are opened relative to their folder and never followed, so a link
// to a folder elsewhere loses only the link.
int removeTree(int parent_fd, const char* name, const std::string& shown_path)
{
    const int fd = openat(parent_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        FILE_OP_ERROR(L"RemoveDirectoryRecursive: error code %d", errno);
        return -1;
    }
    DIR* dir = fdopendir(fd);
    if (!dir) {
        FILE_OP_ERROR(L"RemoveDirectoryRecursive: error code %d", errno);
        ::close(fd);
        return -1;
    }
    // Read the whole listing before deleting: a listing that changes under
    // the reader may skip entries on some file systems.
    struct Child {
        std::string name;
        bool folder;
    };
    std::vector<Child> children;
    int result = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            if (errno != 0) {
                FILE_OP_ERROR(L"RemoveDirectoryRecursive: error code %d", errno);
                result = -1;
            }
            break;
        }
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        children.push_back(Child{entry->d_name, isFolderEntry(fd, entry)});
    }
    for (const Child& child : children) {
        if (child.folder) {
            if (removeTree(fd, child.name.c_str(), shown_path + "/" + child.name) != 0)
                result = -1;
        } else if (unlinkat(fd, child.name.c_str(), 0) != 0) {
            FILE_OP_ERROR(L"DeleteFile: error code %d", errno);
            result = -1;
        }
    }
    closedir(dir);
    if (unlinkat(parent_fd, name, AT_REMOVEDIR) != 0) {
        FILE_OP_ERROR(L"RemoveDirectory: error code %d", errno);
        return -1;
    }
    return result;
}

// Makes prefix a folder if it is not one. last: no further name follows.
int ensureFolder(const std::string& prefix, bool force, bool last)
{
    struct stat st;
    bool occupied = false;
    if (stat(prefix.c_str(), &st) == 0) {
        // A link to a folder serves as the folder.
        if (S_ISDIR(st.st_mode))
            return 0;
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
            FILE_OP_INFO(L"FSMKDirP: path: %s is device node", prefix.c_str());
            return -1;
        }
        occupied = true;
    } else if (errno == ENOENT) {
        // A dangling link occupies the name too.
        occupied = lstat(prefix.c_str(), &st) == 0;
    } else {
        const int error = errno;
        FILE_OP_ERROR(L"FSMKDirP > FSStat: path: %s error reason: %s(%d)", prefix.c_str(), strerror(error), error);
        return -1;
    }

    if (occupied) {
        if (!force) {
            FILE_OP_INFO(L"FSMKDirP: path: %s is existing file or symbolic link", prefix.c_str());
            errno = last ? EEXIST : ENOTDIR;
            return -1;
        }
        if (FSRemove(ustring(prefix)) != 0)
            return -1;
    }

    if (mkdir(prefix.c_str(), kFolderMode) == 0) {
        FILE_OP_INFO(L"FSMKDirP create directory: %s", prefix.c_str());
        return 0;
    }
    const int error = errno;
    if (error == EEXIST && isDirectory(prefix)) {
        FILE_OP_INFO(L"FSMKDirP: path: %s already existed", prefix.c_str());
        return 0;
    }
    FILE_OP_ERROR(L"FSMKDirP: error reason: %s(%d)", strerror(error), error);
    errno = error;
    return -1;
}

} // namespace

using namespace file_op_detail;

int FSCopy(const ustring& from, const ustring& to, bool isDelOrigin)
{
    ScopedFd src(open(from.c_str_utf8(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat src_st;
    if (!src.valid() || fstat(src.get(), &src_st) != 0) {
        FILE_OP_ERROR(L"FSCopy: Invalid source (%s). Error code %d", from.c_str_utf8(), errno);
        return -1;
    }
    // Only regular files: a FIFO or a device would block or never end.
    if (!S_ISREG(src_st.st_mode)) {
        FILE_OP_ERROR(L"FSCopy: Invalid source (%s). Error code %d", from.c_str_utf8(), EINVAL);
        return -1;
    }
    // Truncating the destination would destroy a source that is the same file.
    struct stat dst_st;
    if (stat(to.c_str_utf8(), &dst_st) == 0 && dst_st.st_dev == src_st.st_dev && dst_st.st_ino == src_st.st_ino) {
        FILE_OP_ERROR(L"FSCopy: Invalid destination. Error code %d", EINVAL);
        return -1;
    }
    // O_NONBLOCK: a FIFO without a reader fails here instead of blocking.
    ScopedFd dst(open(to.c_str_utf8(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, kFileMode));
    if (!dst.valid() || fstat(dst.get(), &dst_st) != 0) {
        FILE_OP_ERROR(L"FSCopy: Invalid destination. Error code %d", errno);
        return -1;
    }
    posix_fadvise(src.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    CopyFailure failure;
    bool copied = copyData(src.get(), dst.get(), failure);
    // A file system that writes back late reports a full disk at close.
    if (dst.reset() != 0 && copied) {
        failure.error = errno;
        failure.writing = true;
        copied = false;
    }
    src.reset();

    if (!copied) {
        if (failure.writing)
            FILE_OP_ERROR(L"FSCopy: WriteFile failed with error code %d", failure.error);
        else
            FILE_OP_ERROR(L"FSCopy: ReadFile failed with error code %d", failure.error);
        // Leave no partial file behind, but never remove a device or the like
        // that the caller named as destination.
        if (S_ISREG(dst_st.st_mode) && unlink(to.c_str_utf8()) != 0)
            FILE_OP_ERROR(L"FSCopy: DeleteFile failed with error code %d", errno);
        return failure.writing && isDiskFull(failure.error) ? -2 : -1;
    }

    if (isDelOrigin && unlink(from.c_str_utf8()) != 0) {
        FILE_OP_ERROR(L"FSCopy: DeleteFile failed with error code %d", errno);
        return -1;
    }
    return 0;
}

int FSRename(const ustring& from, const ustring& to, bool do_case_check)
{
    std::lock_guard<std::mutex> guard(g_rename_mutex);
    FILE_INFO info;
    if (FSStat(from, info, do_case_check) != 0 || !info.isExist)
        return -1;
    if (rename(from.c_str_utf8(), to.c_str_utf8()) != 0) {
        const int error = errno;
        FILE_OP_ERROR(L"FSRename: error code %d", error);
        return error == ENAMETOOLONG ? -100 : -1;
    }
    // The move is on disk before the caller goes on (a finished download
    // must not reappear under its temporary name after a crash).
    syncFolder(parentFolder(to.c_str_utf8()));
    return 0;
}

int FSRemove(const ustring& path)
{
    if (path.empty())
        return -1;
    FILE_INFO info;
    if (FSStat(path, info, true) != 0)
        return -1;
    if (!info.isExist)
        return 0;
    switch (info.type) {
    case FT_DIR:
        return removeTree(AT_FDCWD, path.c_str_utf8(), path.c_str_utf8());
    case FT_FILE:
    case FT_SLINK:
    case FT_FIFO:
    case FT_SOCK:
        // A link is removed itself; its target stays.
        if (unlink(path.c_str_utf8()) != 0) {
            FILE_OP_ERROR(L"FSRemove: failed on %s. error code %d", path.c_str_utf8(), errno);
            return -1;
        }
        return 0;
    default:
        return -1;
    }
}

int FSMKDir(const ustring& path, bool isCreateParent)
{
    if (isCreateParent)
        return FSMKDirP(path, nullptr, false, -1, -1, 0xFFFF);
    if (mkdir(path.c_str_utf8(), kFolderMode) == 0)
        return 0;
    const int error = errno;
    // An existing folder is success; a file of that name is not a folder.
    if (error == EEXIST && isDirectory(path.c_str_utf8()))
        return 0;
    FILE_OP_ERROR(L"FSMKDir create directory path: %s error reason: %s(%d)", path.c_str_utf8(), strerror(error),
                  error);
    errno = error;
    return -1;
}

int FSMKDirP(const ustring& path, char** endptr, bool blForceCreate, int uid, int gid, mode_t mode)
{
    (void)endptr;
    (void)uid;
    (void)gid;
    (void)mode;
    const std::string text(path.c_str_utf8());
    if (text.empty())
        return -1;
    // Every name along the path, left to right; the root needs no creating.
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t next = text.find('/', pos);
        const size_t end = next == std::string::npos ? text.size() : next;
        if (end > pos) {
            const bool last = text.find_first_not_of('/', end) == std::string::npos;
            if (ensureFolder(text.substr(0, end), blForceCreate, last) != 0)
                return -1;
        }
        if (next == std::string::npos)
            break;
        pos = next + 1;
    }
    return 0;
}

int FSMKDirFromRoot(const ustring& path, const ustring& from)
{
    std::string target(path.c_str_utf8());
    std::string root(from.c_str_utf8());
    if (root.size() > target.size()) {
        FILE_OP_ERROR(L"Giving a root '%s' whose length is larger then target's '%s'.", root.c_str(),
                      target.c_str());
        return -1;
    }
    if (root.empty()) {
        const size_t slash = target.find('/');
        if (slash == std::string::npos) {
            FILE_OP_ERROR(L"target '%s' doesn't contain a root, just return", target.c_str());
            return -1;
        }
        root = target.substr(0, slash);
    } else if (!FSIsParentFolder(ustring(root), ustring(target))) {
        FILE_OP_ERROR(L"root '%s' is not a parent folder of target '%s'", root.c_str(), target.c_str());
        return -1;
    }
    // Below the root, one level at a time.
    size_t pos = root.size();
    while (pos < target.size()) {
        const size_t next = target.find('/', pos + 1);
        const size_t end = next == std::string::npos ? target.size() : next;
        const std::string level = target.substr(0, end);
        if (end > pos + 1) {
            FILE_OP_DEBUG(L"FSMKDirFromRoot: create %s", level.c_str());
            if (FSMKDir(ustring(level), false) != 0)
                return -1;
        }
        pos = end;
    }
    return 0;
}
