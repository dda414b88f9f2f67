#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "lock/mutex.h"
#include "utils/elapsed_timer.h"

namespace {

TEST(QeltTimer, NeverStartedIsMinusOneAndStartedCountsUp)
{
    qelt::ElapsedTimer timer;
    EXPECT_EQ(timer.usElapsed(), -1);
    timer.start();
    qelt::usleep(2000);
    EXPECT_GE(timer.usElapsed(), 2000);
}

TEST(QeltLock, GuardExcludesOtherThreadsAndReleasesOnScopeExit)
{
    qelt::ThreadMutex mutex;
    {
        qelt::LockGuard guard(mutex);
        int tryResult = -1;
        std::thread([&] { tryResult = mutex.TryLock(); }).join();
        EXPECT_NE(tryResult, 0) << "held by the guard";
    }
    EXPECT_EQ(mutex.TryLock(), 0) << "released when the guard left its scope";
    EXPECT_EQ(mutex.Unlock(), 0);

    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                qelt::LockGuard guard(mutex);
                ++counter;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(counter, 40000);
}

} // namespace
