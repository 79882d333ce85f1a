// GetCommandLineA joins the real arguments of a process the way a Windows command line
// reads.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"
#include "kernel/paths.h"

namespace {

TEST(CommandLine, JoinsAndQuotesRealArguments) {
    vorn::test::ScratchRoot root;
    // The program is named in Windows form; this one lies outside drive C, so under Z:.
    std::string program = vorn::kernel::windows_path(PRINT_COMMAND_LINE).value();
    ASSERT_EQ(program.substr(0, 3), "Z:\\");
    auto run = vorn::test::run_program(PRINT_COMMAND_LINE,
                                       {"-cC:\\PROD\\PURGEX32.DLL", "two words", "", "say \"hi\"",
                                        "C:\\Program Files\\", "tab\there"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.output, program +
                              " -cC:\\PROD\\PURGEX32.DLL \"two words\" \"\" \"say \\\"hi\\\"\" "
                              "\"C:\\Program Files\\\\\" \"tab\there\"");
}

} // namespace
