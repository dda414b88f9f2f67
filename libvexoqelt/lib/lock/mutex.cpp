#include "lock/mutex.h"

namespace qelt {

Mutex::~Mutex() = default;

ThreadMutex::ThreadMutex()
{
    pthread_mutex_init(&mutex, nullptr);
}

ThreadMutex::~ThreadMutex()
{
    pthread_mutex_destroy(&mutex);
}

int ThreadMutex::TryLock()
{
    return pthread_mutex_trylock(&mutex);
}

int ThreadMutex::Lock()
{
    return pthread_mutex_lock(&mutex);
}

int ThreadMutex::Unlock()
{
    return pthread_mutex_unlock(&mutex);
}

LockGuard::LockGuard(Mutex& m) : mutex(m)
{
    mutex.Lock();
}

LockGuard::~LockGuard()
{
    mutex.Unlock();
}

} // namespace qelt
