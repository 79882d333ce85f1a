#include <gtest/gtest.h>

#include <windows.h>

#include "kernel/timers.h"

namespace {

TEST(TimersTest, TheCounterMovesForwardAndCanBeSwitchedOff) {
    LARGE_INTEGER first{};
    LARGE_INTEGER second{};
    ASSERT_TRUE(QueryPerformanceCounter(&first));
    ASSERT_TRUE(QueryPerformanceCounter(&second));
    EXPECT_GE(second.QuadPart, first.QuadPart);
    LARGE_INTEGER frequency{};
    EXPECT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_GT(frequency.QuadPart, 0);

    vorn::kernel::set_performance_counter_available(false);
    EXPECT_FALSE(QueryPerformanceCounter(&first));
    vorn::kernel::set_performance_counter_available(true);
    EXPECT_TRUE(QueryPerformanceCounter(&first));
}

TEST(TimersTest, TheMultimediaTimerCountsMillisecondsSinceBoot) {
    timespec boot{};
    ::clock_gettime(CLOCK_BOOTTIME, &boot);
    DWORD expected = static_cast<DWORD>(boot.tv_sec * 1000 + boot.tv_nsec / 1000000);
    DWORD now = timeGetTime();
    EXPECT_LE(now - expected, 1000U); // the same clock, read a moment later
}

std::int64_t fixed_reading() {
    return 7000000123;
}

TEST(TimersTest, ASteeredSourceFeedsBothTheCounterAndTheMultimediaTimer) {
    EXPECT_EQ(vorn::kernel::set_timer_source(fixed_reading), nullptr);
    LARGE_INTEGER count{};
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart, 7000000123);
    EXPECT_EQ(timeGetTime(), 7000U);
    EXPECT_EQ(vorn::kernel::set_timer_source(nullptr), fixed_reading);
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_NE(count.QuadPart, 7000000123);
}

} // namespace
