#include <cerrno>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include <windows.h>

namespace {

int os_nice() {
    return ::getpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)));
}

TEST(ThreadsTest, AnyPriorityValueRoundTrips) {
    for (int priority : {0, 2, -2, 6, -7, 15, -15, 1000, -1000}) {
        EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), priority));
        EXPECT_EQ(GetThreadPriority(GetCurrentThread()), priority);
    }
}

TEST(ThreadsTest, PrioritiesBelongToOneThread) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    int other = -1;
    std::thread([&] { other = GetThreadPriority(GetCurrentThread()); }).join();
    EXPECT_EQ(other, THREAD_PRIORITY_NORMAL);
    EXPECT_EQ(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_HIGHEST);
}

TEST(ThreadsTest, AMatchingNiceValueIsAppliedToTheThread) {
    std::thread([] {
        int base = os_nice();
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
        EXPECT_EQ(os_nice(), std::min(base + 10, 19));
        if (::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), base + 10) == 0 &&
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), base) != 0) {
            GTEST_SKIP() << "this process may not raise a thread's priority";
        }
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        EXPECT_EQ(os_nice(), std::max(base - 10, -20));
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        EXPECT_EQ(os_nice(), base);
    }).join();
}

TEST(ThreadsTest, OnlyTheCurrentThreadPseudoHandleIsAccepted) {
    EXPECT_EQ(GetThreadPriority(reinterpret_cast<HANDLE>(0x40)), THREAD_PRIORITY_ERROR_RETURN);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetThreadPriority(nullptr, 1));
}

} // namespace
