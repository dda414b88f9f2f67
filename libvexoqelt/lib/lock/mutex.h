#pragma once

#include <pthread.h>

namespace qelt {

// Abstract lock; every call returns 0 on success.
class Mutex {
public:
    Mutex() = default;
    virtual ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    virtual int TryLock() = 0;
    virtual int Lock() = 0;
    virtual int Unlock() = 0;
};

// A plain (non-recursive) pthread mutex; results are the pthread results.
class ThreadMutex : public Mutex {
public:
    ThreadMutex();
    ~ThreadMutex() override;

    int TryLock() override;
    int Lock() override;
    int Unlock() override;

private:
    pthread_mutex_t mutex;
};

// Holds a Mutex for the lifetime of the guard, on every way out of the scope.
class LockGuard {
public:
    explicit LockGuard(Mutex& m);
    virtual ~LockGuard();
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    Mutex& mutex;
};

} // namespace qelt
