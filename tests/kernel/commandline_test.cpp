// GetCommandLineA joins the real arguments of a process the way a Windows command line
// reads.
#include <gtest/gtest.h>

#include "../common/scratch_root.h"

namespace {

TEST(CommandLine, JoinsAndQuotesRealArguments) {
    vorn::test::ScratchRoot root;
    auto run = vorn::test::run_program(PRINT_COMMAND_LINE,
                                       {"-cC:\\PROD\\PURGEX32.DLL", "two words", "", "say \"hi\"",
                                        "C:\\Program Files\\", "tab\there"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.output, std::string(PRINT_COMMAND_LINE) +
                              " -cC:\\PROD\\PURGEX32.DLL \"two words\" \"\" \"say \\\"hi\\\"\" "
                              "\"C:\\Program Files\\\\\" \"tab\there\"");
}

} // namespace
