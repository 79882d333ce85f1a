// libpurgex32.so exports the two entry points and nothing else.
#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "../common/scratch_root.h"

namespace {

TEST(Exports, ExactlyTheTwoEntryPoints) {
    if (::access("/usr/bin/nm", X_OK) != 0) {
        GTEST_SKIP() << "nm (binutils) is not installed";
    }
    auto run = vorn::test::run_program("/usr/bin/nm", {"-D", "--defined-only", PURGEX32_LIBRARY});
    ASSERT_EQ(run.status, 0) << run.output;
    std::set<std::string> names;
    std::istringstream lines(run.output);
    std::string address, type, name;
    while (lines >> address >> type >> name) {
        names.insert(name);
    }
    EXPECT_EQ(names, (std::set<std::string>{"UninstInitialize", "UninstUnInitialize"}));
}

} // namespace
