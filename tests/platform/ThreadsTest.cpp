#include "Threads.h"

#include <gtest/gtest.h>

#include <latch>
#include <set>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(Threads, ThreadIdIsTheKernelIdStableAndDistinct)
{
    const DWORD dwMain = GetCurrentThreadId();
    EXPECT_NE(dwMain, 0u);
    EXPECT_EQ(dwMain, GetCurrentThreadId());
    EXPECT_EQ(dwMain, static_cast<DWORD>(syscall(SYS_gettid)));
    EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));

    // All threads stay alive until each has read its id, so the ids must differ.
    constexpr std::size_t kThreads = 4;
    std::vector<DWORD> seen(kThreads);
    std::latch allRead(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kThreads; ++i)
    {
        threads.emplace_back(
            [&seen, &allRead, i]
            {
                seen[i] = GetCurrentThreadId();
                allRead.arrive_and_wait();
                EXPECT_EQ(seen[i], GetCurrentThreadId());
            });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    std::set<DWORD> ids(seen.begin(), seen.end());
    ids.insert(dwMain);
    EXPECT_EQ(ids.size(), kThreads + 1);
    EXPECT_EQ(ids.count(0u), 0u);
}
