// The whole uninstallation as a user runs it: UNINST.EXE -c"C:\PROD\PURGEX32.DLL" as a
// real process, then vornboot as the next start, for each platform family.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "../common/scratch_root.h"
#include "kernel/pending.h"

namespace {

using vorn::kernel::read_pending_operations;
using vorn::test::ScratchRoot;

struct Replaced {
    const char* file;   // relative to drive C
    const char* backup; // the backup setup left beside it
};

const Replaced kReplaced[] = {
    {"WINDOWS/SYSTEM/ZELQ.386", "WINDOWS/SYSTEM/ZELQ386.BFP"},
    {"WINDOWS/SYSTEM/ZELQ.VXD", "WINDOWS/SYSTEM/ZELQVXD.BFN"},
    {"WINDOWS/DRIVERS/Zelq.Vxd", "WINDOWS/DRIVERS/Zelq.BFP"},
    {"WINDOWS/SYSTEM/SAMPLE.DLL", "WINDOWS/SYSTEM/SAMPLE.BFP"},
};

std::string windows_form(const std::string& relative) {
    std::string path = "C:\\" + relative;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

const std::string kOldWinInit = "[CombineVxDs]\r\nvmm=1\r\n";

class Uninstall : public ::testing::TestWithParam<bool> {
protected:
    bool nt() const { return GetParam(); }

    void SetUp() override {
        if (!nt()) {
            ::setenv("VORN_PLATFORM", "windows", 1);
            m_root.write("WINDOWS/WININIT.INI", kOldWinInit);
        }
        std::string list = "[uninstall]\r\n";
        int number = 0;
        for (const Replaced& r : kReplaced) {
            m_root.write(r.file, std::string("product ") + r.file);
            m_root.write(r.backup, std::string("original ") + r.file);
            list += "File" + std::to_string(++number) + "=" + windows_form(r.file) + "\r\n";
        }
        list += "[files]\r\n"
                "1=C:\\PROD\\APP.EXE\r\n"
                "2=C:\\PROD\\DATA\\APP.DAT\r\n"
                "3=C:\\PROD\\DATA\r\n";
        m_root.write("PROD/UNINSTAL.INI", list);
        m_root.write("PROD/APP.EXE", "app");
        m_root.write("PROD/DATA/APP.DAT", "data");
        std::filesystem::copy_file(UNINST_PROGRAM, m_root.on_c("PROD/UNINST.EXE"));
        std::filesystem::copy_file(PURGEX32_LIBRARY, m_root.on_c("PROD/PURGEX32.DLL"));
    }

    ScratchRoot m_root;
};

TEST_P(Uninstall, RestoresEveryReplacedFileAtTheNextStart) {
    auto run =
        vorn::test::run_program(m_root.on_c("PROD/UNINST.EXE"), {"-cC:\\PROD\\PURGEX32.DLL"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "removed C:\\PROD\\APP.EXE\n"
                          "removed C:\\PROD\\DATA\\APP.DAT\n"
                          "removed C:\\PROD\\DATA\n");

    if (nt()) {
        std::vector<vorn::kernel::PendingOperation> expected;
        for (const Replaced& r : kReplaced) {
            expected.push_back({MOVEFILE_DELAY_UNTIL_REBOOT, windows_form(r.file), std::nullopt});
            expected.push_back(
                {MOVEFILE_DELAY_UNTIL_REBOOT, windows_form(r.backup), windows_form(r.file)});
        }
        auto operations = read_pending_operations();
        ASSERT_EQ(operations.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(operations[i].flags, expected[i].flags) << i;
            EXPECT_EQ(operations[i].source, expected[i].source) << i;
            EXPECT_EQ(operations[i].destination, expected[i].destination) << i;
        }
    } else {
        // Each call inserts its line right after the header: the last entry comes first.
        std::string lines;
        for (auto r = std::rbegin(kReplaced); r != std::rend(kReplaced); ++r) {
            lines += windows_form(r->file) + "=";
            lines += windows_form(r->backup) + "\r\n";
        }
        EXPECT_EQ(m_root.read("WINDOWS/WININIT.INI"), kOldWinInit + "[Rename]\r\n" + lines);
        EXPECT_TRUE(read_pending_operations().empty());
    }

    auto restart = ScratchRoot::read_host(m_root.root() + "/restart-requests");
    ASSERT_TRUE(restart);
    EXPECT_EQ(std::count(restart->begin(), restart->end(), '\n'), 1);
    EXPECT_NE(restart->find(" reboot flags=0x2 "), std::string::npos) << *restart;
    EXPECT_NE(restart->find(nt() ? "shutdown-privilege=enabled" : "shutdown-privilege=disabled"),
              std::string::npos)
        << *restart;

    for (const char* name : {"UNINST.EXE", "UNINSTAL.INI", "PURGEX32.DLL"}) {
        EXPECT_FALSE(m_root.exists(std::string("PROD/") + name)) << name;
    }
    EXPECT_FALSE(m_root.exists("PROD"));
    for (const Replaced& r : kReplaced) {
        EXPECT_EQ(m_root.read(r.file), std::string("product ") + r.file) << "nothing moves yet";
    }

    auto boot = vorn::test::run_program(VORNBOOT_PROGRAM, {});
    EXPECT_EQ(boot.status, 0) << boot.output;
    for (const Replaced& r : kReplaced) {
        EXPECT_EQ(m_root.read(r.file), std::string("original ") + r.file);
        EXPECT_FALSE(m_root.exists(r.backup)) << r.backup;
    }
    if (!nt()) {
        EXPECT_FALSE(m_root.exists("WINDOWS/WININIT.INI"));
        EXPECT_TRUE(m_root.exists("WINDOWS/WININIT.BAK"));
    }
}

INSTANTIATE_TEST_SUITE_P(Families, Uninstall, ::testing::Values(true, false),
                         [](const auto& family) { return family.param ? "NT" : "Windows95"; });

TEST(UninstallHost, DirectoryWithBlanks) {
    ScratchRoot root;
    root.write("PROGRAM FILES/PROD/UNINSTAL.INI", "[uninstall]\r\n");
    std::filesystem::copy_file(UNINST_PROGRAM, root.on_c("PROGRAM FILES/PROD/UNINST.EXE"));
    std::filesystem::copy_file(PURGEX32_LIBRARY, root.on_c("PROGRAM FILES/PROD/PURGEX32.DLL"));
    auto run = vorn::test::run_program(root.on_c("PROGRAM FILES/PROD/UNINST.EXE"),
                                       {"-cC:\\Program Files\\PROD\\PURGEX32.DLL"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(root.exists("PROGRAM FILES/PROD"));
    EXPECT_TRUE(root.exists("PROGRAM FILES"));
}

TEST(UninstallHost, ProductFileThatStaysIsReportedAndTheRestGoesOn) {
    ScratchRoot root;
    root.write("APP/IN USE.DAT", "busy");
    root.write("PROD/UNINSTAL.INI", "[files]\r\n"
                                    "1=C:\\APP\\GONE.TXT\r\n"
                                    "2=C:\\APP\\IN USE.DAT\r\n"
                                    "3=C:\\APP\r\n");
    std::filesystem::copy_file(UNINST_PROGRAM, root.on_c("PROD/UNINST.EXE"));
    std::filesystem::copy_file(PURGEX32_LIBRARY, root.on_c("PROD/PURGEX32.DLL"));
    vorn::test::ExclusiveHolder holder("C:\\APP\\IN USE.DAT");
    ASSERT_TRUE(holder.holding());
    auto run = vorn::test::run_program(root.on_c("PROD/UNINST.EXE"), {"-cC:\\PROD\\PURGEX32.DLL"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "not removed: C:\\APP\\GONE.TXT: file not found\n"
                          "not removed: C:\\APP\\IN USE.DAT: in use by another program\n"
                          "not removed: C:\\APP: directory not empty\n");
    EXPECT_EQ(root.read("APP/IN USE.DAT"), "busy");
    EXPECT_FALSE(root.exists("PROD"));
    EXPECT_TRUE(root.exists("../restart-requests"));
}

TEST(UninstallHost, NothingHappensWithoutItsLibrary) {
    ScratchRoot root;
    root.write("PROD/APP.EXE", "app");
    root.write("PROD/UNINSTAL.INI", "[files]\r\n1=C:\\PROD\\APP.EXE\r\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"-cC:\\PROD\\PURGEX32.DLL"}}) {
        auto run = vorn::test::run_program(UNINST_PROGRAM, args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(root.read("PROD/APP.EXE"), "app");
        EXPECT_FALSE(root.exists("../restart-requests"));
    }
}

} // namespace
