#include "compat/sync.h"

#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>

#include "compat/text.h"
#include "compat/trace.h"

#define ERROR_NOT_OWNER 288L

struct CompatHandle {
    virtual ~CompatHandle() = default;
};

namespace {

// The shared part of a named mutex. `ready` turns 1 once the creator has
// initialised the mutex; openers wait for it.
struct SharedMutex {
    std::atomic<uint32_t> ready;
    uint32_t reserved;
    pthread_mutex_t mutex;
};

struct MutexHandle : CompatHandle {
    SharedMutex* shared = nullptr;
    ~MutexHandle() override { munmap(shared, sizeof(SharedMutex)); }
};

struct MappingHandle : CompatHandle {
    int fd = -1;
    ~MappingHandle() override { close(fd); }
};

// How long an opener waits for a creator caught between shm_open and the end
// of its initialisation before it takes the object for abandoned.
const int kInitWaitMs = 1000;

// The tables are built on first use: the extension's attach function can
// open objects before this library's own static initialisers have run.
std::mutex g_lock; // guards the two tables below (constant-initialised)

std::set<CompatHandle*>& handles()
{
    static std::set<CompatHandle*> table;
    return table;
}

std::map<const void*, size_t>& views()
{
    static std::map<const void*, size_t> table;
    return table;
}

HANDLE remember(CompatHandle* handle)
{
    std::lock_guard<std::mutex> guard(g_lock);
    handles().insert(handle);
    return handle;
}

template <typename T> T* lookup(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (!handles().count(handle))
        return nullptr;
    return dynamic_cast<T*>(handle);
}

DWORD errnoToError(int err)
{
    switch (err) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_INVALID_PARAMETER;
    }
}

// Our own object, closed to everyone else; anything else is refused.
bool ownedByUs(int fd, const std::string& name, struct stat* st)
{
    if (fstat(fd, st) != 0)
        return false;
    if (st->st_uid != geteuid() || (st->st_mode & 077) != 0) {
        compat::trace(compat::TRACE_ERROR, "shared object %s belongs to uid %u with mode %03o; refused", name.c_str(),
                      static_cast<unsigned>(st->st_uid), static_cast<unsigned>(st->st_mode & 0777));
        return false;
    }
    return true;
}

void pause1ms()
{
    timespec ts{0, 1000000};
    nanosleep(&ts, nullptr);
}

bool initMutex(SharedMutex* shared)
{
    pthread_mutexattr_t attr;
    if (pthread_mutexattr_init(&attr) != 0)
        return false;
    bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
              pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0 &&
              pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 &&
              pthread_mutex_init(&shared->mutex, &attr) == 0;
    pthread_mutexattr_destroy(&attr);
    if (ok)
        shared->ready.store(1, std::memory_order_release);
    return ok;
}

// Opens an existing mutex object; false with *retry when it looks abandoned
// half-made (it is then removed so the caller can create it afresh).
bool openExistingMutex(const std::string& name, SharedMutex** out, bool* retry)
{
    *retry = false;
    const int fd = shm_open(name.c_str(), O_RDWR | O_CLOEXEC, 0);
    if (fd < 0) {
        *retry = errno == ENOENT; // removed in between
        SetLastError(errnoToError(errno));
        return false;
    }
    struct stat st {};
    if (!ownedByUs(fd, name, &st)) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    int waited = 0;
    while (static_cast<size_t>(st.st_size) < sizeof(SharedMutex) && waited < kInitWaitMs) {
        pause1ms();
        ++waited;
        fstat(fd, &st);
    }
    void* view = MAP_FAILED;
    if (static_cast<size_t>(st.st_size) >= sizeof(SharedMutex))
        view = mmap(nullptr, sizeof(SharedMutex), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (view == MAP_FAILED) {
        compat::trace(compat::TRACE_ERROR, "mutex %s was never finished by its creator; made again", name.c_str());
        shm_unlink(name.c_str());
        *retry = true;
        return false;
    }
    SharedMutex* shared = static_cast<SharedMutex*>(view);
    while (shared->ready.load(std::memory_order_acquire) != 1 && waited < kInitWaitMs) {
        pause1ms();
        ++waited;
    }
    if (shared->ready.load(std::memory_order_acquire) != 1) {
        munmap(view, sizeof(SharedMutex));
        compat::trace(compat::TRACE_ERROR, "mutex %s was never finished by its creator; made again", name.c_str());
        shm_unlink(name.c_str());
        *retry = true;
        return false;
    }
    *out = shared;
    return true;
}

} // namespace

namespace compat {

std::string ipcName(LPCWSTR name)
{
    std::string base;
    for (char c : toUtf8(name))
        base += (c == '/' || c == '\\') ? '_' : c;
    std::string suffix;
    if (const char* env = getenv("QM_IPC_SUFFIX")) {
        for (const char* p = env; *p; ++p) {
            const char c = *p;
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
                c == '-')
                suffix += c;
        }
    }
    return "/" + base + "-" + std::to_string(geteuid()) + suffix;
}

bool unlinkNamedObject(LPCWSTR name)
{
    return shm_unlink(ipcName(name).c_str()) == 0;
}

} // namespace compat

HANDLE CreateMutexW(void*, BOOL initial_owner, LPCWSTR name)
{
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string ipc = compat::ipcName(name);
    for (int attempt = 0; attempt < 3; ++attempt) {
        SharedMutex* shared = nullptr;
        bool existed = false;
        const int fd = shm_open(ipc.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            void* view = MAP_FAILED;
            if (fchmod(fd, 0600) == 0 && ftruncate(fd, sizeof(SharedMutex)) == 0)
                view = mmap(nullptr, sizeof(SharedMutex), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            const int err = errno;
            close(fd);
            if (view == MAP_FAILED || !initMutex(static_cast<SharedMutex*>(view))) {
                if (view != MAP_FAILED)
                    munmap(view, sizeof(SharedMutex));
                shm_unlink(ipc.c_str());
                SetLastError(errnoToError(err));
                return nullptr;
            }
            shared = static_cast<SharedMutex*>(view);
        } else if (errno == EEXIST) {
            bool retry = false;
            if (!openExistingMutex(ipc, &shared, &retry)) {
                if (retry)
                    continue;
                return nullptr;
            }
            existed = true;
        } else {
            SetLastError(errnoToError(errno));
            return nullptr;
        }
        MutexHandle* handle = new MutexHandle;
        handle->shared = shared;
        if (initial_owner)
            WaitForSingleObject(handle, INFINITE);
        SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
        return remember(handle);
    }
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

BOOL ReleaseMutex(HANDLE mutex)
{
    MutexHandle* handle = lookup<MutexHandle>(mutex);
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (pthread_mutex_unlock(&handle->shared->mutex) != 0) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds)
{
    MutexHandle* handle = lookup<MutexHandle>(object);
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    pthread_mutex_t* mutex = &handle->shared->mutex;
    // A free mutex, or one whose holder died, answers at once; only a held
    // one needs the timed wait. (Thread sanitizers also track an abandoned
    // mutex taken this way, which they do not through timedlock.)
    int rc = pthread_mutex_trylock(mutex);
    if (rc == EBUSY && milliseconds == 0) {
        rc = ETIMEDOUT;
    } else if (rc == EBUSY && milliseconds == INFINITE) {
        rc = pthread_mutex_lock(mutex);
    } else if (rc == EBUSY) {
        // timedlock takes the realtime clock; it is the variant every sanitizer knows.
        timespec deadline{};
        clock_gettime(CLOCK_REALTIME, &deadline);
        deadline.tv_sec += milliseconds / 1000;
        deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
        if (deadline.tv_nsec >= 1000000000L) {
            deadline.tv_sec += 1;
            deadline.tv_nsec -= 1000000000L;
        }
        rc = pthread_mutex_timedlock(mutex, &deadline);
    }
    switch (rc) {
    case 0:
        return WAIT_OBJECT_0;
    case EOWNERDEAD:
        pthread_mutex_consistent(mutex);
        return WAIT_ABANDONED;
    case ETIMEDOUT:
        return WAIT_TIMEOUT;
    default:
        SetLastError(errnoToError(rc));
        return WAIT_FAILED;
    }
}

HANDLE CreateFileMappingW(HANDLE file, void*, DWORD, DWORD size_high, DWORD size_low, LPCWSTR name)
{
    if (file != INVALID_HANDLE_VALUE || !name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const off_t size = static_cast<off_t>((static_cast<uint64_t>(size_high) << 32) | size_low);
    const std::string ipc = compat::ipcName(name);
    bool existed = false;
    int fd = shm_open(ipc.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if (fchmod(fd, 0600) != 0 || ftruncate(fd, size) != 0) {
            const int err = errno;
            close(fd);
            shm_unlink(ipc.c_str());
            SetLastError(errnoToError(err));
            return nullptr;
        }
    } else if (errno == EEXIST) {
        fd = shm_open(ipc.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (fd < 0) {
            SetLastError(errnoToError(errno));
            return nullptr;
        }
        struct stat st {};
        if (!ownedByUs(fd, ipc, &st)) {
            close(fd);
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        if (st.st_size < size && ftruncate(fd, size) != 0) {
            const int err = errno;
            close(fd);
            SetLastError(errnoToError(err));
            return nullptr;
        }
        existed = true;
    } else {
        SetLastError(errnoToError(errno));
        return nullptr;
    }
    MappingHandle* handle = new MappingHandle;
    handle->fd = fd;
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return remember(handle);
}

HANDLE OpenFileMappingW(DWORD access, BOOL, LPCWSTR name)
{
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string ipc = compat::ipcName(name);
    const bool write = (access & FILE_MAP_WRITE) != 0;
    const int fd = shm_open(ipc.c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC, 0);
    if (fd < 0) {
        SetLastError(errnoToError(errno));
        return nullptr;
    }
    struct stat st {};
    if (!ownedByUs(fd, ipc, &st)) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    MappingHandle* handle = new MappingHandle;
    handle->fd = fd;
    SetLastError(ERROR_SUCCESS);
    return remember(handle);
}

void* MapViewOfFile(HANDLE mapping, DWORD access, DWORD offset_high, DWORD offset_low, size_t bytes)
{
    MappingHandle* handle = lookup<MappingHandle>(mapping);
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const uint64_t offset = (static_cast<uint64_t>(offset_high) << 32) | offset_low;
    struct stat st {};
    if (fstat(handle->fd, &st) != 0) {
        SetLastError(errnoToError(errno));
        return nullptr;
    }
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    if (bytes == 0)
        bytes = size > offset ? static_cast<size_t>(size - offset) : 0;
    // Pages past the object's end raise SIGBUS when touched: refuse the view
    // instead (an object still being made, or a foreign short one).
    if (bytes == 0 || offset + bytes > size) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    const int prot = (access & FILE_MAP_WRITE) ? PROT_READ | PROT_WRITE : PROT_READ;
    void* view = mmap(nullptr, bytes, prot, MAP_SHARED, handle->fd, static_cast<off_t>(offset));
    if (view == MAP_FAILED) {
        SetLastError(errnoToError(errno));
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    views()[view] = bytes;
    return view;
}

BOOL UnmapViewOfFile(const void* view)
{
    size_t bytes = 0;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        auto found = views().find(view);
        if (found == views().end()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        bytes = found->second;
        views().erase(found);
    }
    munmap(const_cast<void*>(view), bytes);
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        if (!handles().erase(handle)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
    }
    delete handle;
    return TRUE;
}
