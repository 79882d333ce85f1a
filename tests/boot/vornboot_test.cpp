// vornboot carries out the pending operations in order with their flags, then the
// [Rename] lines of WININIT.INI in line order, and keeps WININIT.INI as WININIT.BAK.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"
#include "kernel/pending.h"

namespace {

using vorn::test::ScratchRoot;

void delay(const char* from, const char* to, DWORD flags = 0) {
    ASSERT_TRUE(MoveFileExA(from, to, MOVEFILE_DELAY_UNTIL_REBOOT | flags)) << from;
}

TEST(Vornboot, PendingOperationsInOrderWithTheirFlags) {
    ScratchRoot root;
    root.write("A.DLL", "new a");
    root.write("A.BFP", "old a");
    root.write("B.DLL", "keep b");
    root.write("B.NEW", "b");
    root.write("C.DLL", "replace c");
    root.write("C.NEW", "c");
    delay("C:\\A.DLL", nullptr);
    delay("C:\\A.BFP", "C:\\A.DLL");
    delay("C:\\B.NEW", "C:\\B.DLL");
    delay("C:\\C.NEW", "C:\\C.DLL", MOVEFILE_REPLACE_EXISTING);
    delay("C:\\MISSING", nullptr);

    auto run = vorn::test::run_program(VORNBOOT_PROGRAM, {});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "deleted C:\\A.DLL\n"
                          "moved C:\\A.BFP -> C:\\A.DLL\n"
                          "failed: move C:\\B.NEW -> C:\\B.DLL: the destination exists\n"
                          "moved C:\\C.NEW -> C:\\C.DLL\n"
                          "failed: delete C:\\MISSING: file not found\n");
    EXPECT_EQ(root.read("A.DLL"), "old a");
    EXPECT_FALSE(root.exists("A.BFP"));
    EXPECT_EQ(root.read("B.DLL"), "keep b");
    EXPECT_EQ(root.read("B.NEW"), "b");
    EXPECT_EQ(root.read("C.DLL"), "c");
    EXPECT_TRUE(vorn::kernel::read_pending_operations().empty());

    auto again = vorn::test::run_program(VORNBOOT_PROGRAM, {});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.output, "");
}

TEST(Vornboot, WinInitRenamesInLineOrder) {
    ScratchRoot root;
    const std::string wininit = "[CombineVxDs]\r\nC:\\KEEP.DLL=C:\\NOT.BFP\r\n"
                                "[Rename]\r\n"
                                "C:\\X.DLL=C:\\X.BFP\r\n"
                                "NUL=C:\\JUNK.TMP\r\n"
                                "C:\\Y.DLL=C:\\X.DLL\r\n"
                                "[rename]\r\n"
                                "C:\\Z.DLL=C:\\Z.BFN\r\n" +
                                std::string(4, '\0');
    root.write("WINDOWS/WININIT.INI", wininit);
    root.write("KEEP.DLL", "keep");
    root.write("NOT.BFP", "not");
    root.write("X.DLL", "new x");
    root.write("X.BFP", "old x");
    root.write("JUNK.TMP", "junk");
    root.write("Z.DLL", "new z");

    auto run = vorn::test::run_program(VORNBOOT_PROGRAM, {});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "moved C:\\X.BFP -> C:\\X.DLL\n"
                          "deleted C:\\JUNK.TMP\n"
                          "moved C:\\X.DLL -> C:\\Y.DLL\n"
                          "failed: move C:\\Z.BFN -> C:\\Z.DLL: file not found\n"
                          "moved C:\\WINDOWS\\WININIT.INI -> C:\\WINDOWS\\WININIT.BAK\n");
    EXPECT_EQ(root.read("Y.DLL"), "old x");
    EXPECT_FALSE(root.exists("X.DLL"));
    EXPECT_FALSE(root.exists("JUNK.TMP"));
    EXPECT_EQ(root.read("Z.DLL"), "new z");
    EXPECT_EQ(root.read("KEEP.DLL"), "keep");
    EXPECT_EQ(root.read("NOT.BFP"), "not");
    EXPECT_FALSE(root.exists("WINDOWS/WININIT.INI"));
    EXPECT_EQ(root.read("WINDOWS/WININIT.BAK"), wininit);
}

TEST(Vornboot, PendingOperationsComeBeforeWinInit) {
    ScratchRoot root;
    root.write("FIRST", "payload");
    delay("C:\\FIRST", "C:\\SECOND");
    root.write("WINDOWS/WinInit.Ini", "[Rename]\r\nC:\\THIRD=C:\\SECOND\r\n");
    auto run = vorn::test::run_program(VORNBOOT_PROGRAM, {});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(root.read("THIRD"), "payload");
    EXPECT_FALSE(root.exists("SECOND"));
}

} // namespace
