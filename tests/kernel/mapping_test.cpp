// File mappings: a mapping larger than the file extends it, and a view writes through to
// the file.
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

#include "../common/scratch_root.h"

namespace {

using vorn::test::ScratchRoot;

HANDLE open_rw(const char* path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Mapping, LargerMappingExtendsAndViewWritesThrough) {
    ScratchRoot root;
    root.write("M.TXT", "abc");
    HANDLE file = open_rw("C:\\M.TXT");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, 8, nullptr);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(GetFileSize(file, nullptr), 8U);
    auto* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::memcmp(view, "abc\0\0\0\0\0", 8), 0);
    // The view outlives the handles.
    EXPECT_TRUE(CloseHandle(mapping));
    EXPECT_TRUE(CloseHandle(file));
    const std::string tail = "defgh";
    std::copy(tail.begin(), tail.end(), view + 3);
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_EQ(root.read("M.TXT"), "abcdefgh");
}

TEST(Mapping, RefusedRequests) {
    ScratchRoot root;
    root.write("EMPTY", "");
    root.write("R.TXT", "abc");
    HANDLE empty = open_rw("C:\\EMPTY");
    EXPECT_EQ(CreateFileMappingA(empty, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
    CloseHandle(empty);

    HANDLE reader = CreateFileA("C:\\R.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(CreateFileMappingA(reader, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    // Read-only: the file cannot grow.
    EXPECT_EQ(CreateFileMappingA(reader, nullptr, PAGE_READONLY, 0, 10, nullptr), nullptr);
    HANDLE mapping = CreateFileMappingA(reader, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0), nullptr);
    EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4), nullptr); // beyond the mapping
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::memcmp(view, "abc", 3), 0);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    CloseHandle(reader);
    EXPECT_EQ(root.read("R.TXT"), "abc");
    EXPECT_EQ(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, nullptr),
              nullptr);
}

} // namespace
