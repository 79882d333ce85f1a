// The platform family and the local heap.
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <windows.h>

#include "kernel/memory.h"

#include "../common/scratch_root.h"

namespace {

DWORD platform_id() {
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_TRUE(GetVersionExA(&info));
    return info.dwPlatformId;
}

TEST(Version, FamilyFromEnvironment) {
    vorn::test::ScratchRoot root;
    ::unsetenv("VORN_PLATFORM");
    EXPECT_EQ(platform_id(), VER_PLATFORM_WIN32_NT);
    ::setenv("VORN_PLATFORM", "windows", 1);
    EXPECT_EQ(platform_id(), VER_PLATFORM_WIN32_WINDOWS);
    ::setenv("VORN_PLATFORM", "nt", 1);
    EXPECT_EQ(platform_id(), VER_PLATFORM_WIN32_NT);
}

TEST(Version, RecordWithoutItsSizeIsRefused) {
    vorn::test::ScratchRoot root;
    OSVERSIONINFOA info;
    std::memset(&info, 0, sizeof info);
    EXPECT_FALSE(GetVersionExA(&info));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(LocalHeap, ZeroedBlocksAndInjectedFailure) {
    vorn::test::ScratchRoot root;
    auto* block = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(block[i], 0);
    }
    EXPECT_EQ(LocalFree(block), nullptr);
    vorn::kernel::set_allocator([](std::size_t) -> void* { return nullptr; });
    EXPECT_EQ(LocalAlloc(LMEM_FIXED, 16), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    vorn::kernel::set_allocator(nullptr);
    void* next = LocalAlloc(LMEM_FIXED, 16);
    EXPECT_NE(next, nullptr);
    LocalFree(next);
    EXPECT_EQ(LocalAlloc(LMEM_MOVEABLE, 16), nullptr);
}

} // namespace
