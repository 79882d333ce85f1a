// Delayed moves go to the pending-operations store in order, as full Windows paths,
// and change nothing now.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"
#include "kernel/pending.h"

namespace {

using vorn::test::ScratchRoot;

TEST(DelayedMoves, AppendedInOrderAndNothingMovesNow) {
    ScratchRoot root;
    root.write("WINDOWS/SYSTEM/A.DLL", "product");
    root.write("WINDOWS/SYSTEM/A.BFP", "backup");
    ASSERT_TRUE(::chdir(root.on_c("WINDOWS").c_str()) == 0);
    EXPECT_TRUE(MoveFileExA("C:\\WINDOWS\\SYSTEM\\A.DLL", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_TRUE(MoveFileExA("SYSTEM\\A.BFP", "C:\\WINDOWS\\SYSTEM\\A.DLL",
                            MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
    // A source that does not exist is scheduled all the same.
    EXPECT_TRUE(MoveFileExA("C:\\WINDOWS\\SYSTEM\\B.BFN", "C:\\WINDOWS\\SYSTEM\\B.DLL",
                            MOVEFILE_DELAY_UNTIL_REBOOT));

    auto operations = vorn::kernel::read_pending_operations();
    ASSERT_EQ(operations.size(), 3U);
    EXPECT_EQ(operations[0].source, "C:\\WINDOWS\\SYSTEM\\A.DLL");
    EXPECT_FALSE(operations[0].destination);
    EXPECT_EQ(operations[0].flags, MOVEFILE_DELAY_UNTIL_REBOOT);
    EXPECT_EQ(operations[1].source, "C:\\WINDOWS\\SYSTEM\\A.BFP");
    EXPECT_EQ(operations[1].destination, "C:\\WINDOWS\\SYSTEM\\A.DLL");
    EXPECT_EQ(operations[1].flags, MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING);
    EXPECT_EQ(operations[2].source, "C:\\WINDOWS\\SYSTEM\\B.BFN");
    EXPECT_EQ(root.read("WINDOWS/SYSTEM/A.DLL"), "product");
    EXPECT_EQ(root.read("WINDOWS/SYSTEM/A.BFP"), "backup");

    std::vector<std::string> drained;
    EXPECT_TRUE(vorn::kernel::drain_pending_operations(
        [&](const vorn::kernel::PendingOperation& operation) {
            drained.push_back(operation.source);
        }));
    EXPECT_EQ(drained,
              (std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\A.DLL", "C:\\WINDOWS\\SYSTEM\\A.BFP",
                                        "C:\\WINDOWS\\SYSTEM\\B.BFN"}));
    EXPECT_TRUE(vorn::kernel::read_pending_operations().empty());
}

TEST(DelayedMoves, RefusedRequestsStoreNothing) {
    ScratchRoot root;
    EXPECT_FALSE(MoveFileExA("C:\\A\tB", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(
        MoveFileExA("C:\\A", "C:\\B", MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_COPY_ALLOWED));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(MoveFileExA("Q:\\A", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    EXPECT_TRUE(vorn::kernel::read_pending_operations().empty());
}

TEST(DelayedMoves, ConcurrentWritersNeverInterleave) {
    ScratchRoot root;
    constexpr int kEach = 200;
    pid_t child = ::fork();
    if (child == 0) {
        for (int i = 0; i < kEach; ++i) {
            MoveFileExA("C:\\FROM\\CHILD", "C:\\TO\\CHILD", MOVEFILE_DELAY_UNTIL_REBOOT);
        }
        ::_exit(0);
    }
    for (int i = 0; i < kEach; ++i) {
        MoveFileExA("C:\\FROM\\PARENT", "C:\\TO\\PARENT", MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    auto operations = vorn::kernel::read_pending_operations();
    ASSERT_EQ(operations.size(), 2U * kEach);
    for (const auto& operation : operations) {
        bool parent = operation.source == "C:\\FROM\\PARENT";
        EXPECT_TRUE(parent || operation.source == "C:\\FROM\\CHILD");
        EXPECT_EQ(operation.destination, parent ? "C:\\TO\\PARENT" : "C:\\TO\\CHILD");
    }
}

} // namespace
