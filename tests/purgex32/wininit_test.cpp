// WinInitRename edits WinInit.Ini in place: a line right after the first exact
// "[Rename]\r\n", or a new header and the line at the end.
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <strings.h>

#include "../common/scratch_root.h"
#include "operations.h"

namespace {

using vorn::test::ScratchRoot;

// The file in C:\WINDOWS named WinInit.Ini in any letter case.
std::optional<std::string> wininit(const ScratchRoot& root) {
    for (const auto& entry : std::filesystem::directory_iterator(root.on_c("WINDOWS"))) {
        if (::strcasecmp(entry.path().filename().c_str(), "WININIT.INI") == 0) {
            return ScratchRoot::read_host(entry.path());
        }
    }
    return std::nullopt;
}

const std::string kLine = "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL=C:\\WINDOWS\\SYSTEM\\SAMPLE.BFP\r\n";

TEST(WinInitRename, Cases) {
    struct Case {
        const char* what;
        std::optional<std::string> before;
        const char* destination;
        std::string after;
    } cases[] = {
        {"missing", std::nullopt, "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL", "[Rename]\r\n" + kLine},
        {"empty", "", "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL", "[Rename]\r\n" + kLine},
        {"without the header", "[boot]\r\nx=1\r\n", "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL",
         "[boot]\r\nx=1\r\n[Rename]\r\n" + kLine},
        {"without a final line break", "[boot]\r\nx=1", "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL",
         "[boot]\r\nx=1[Rename]\r\n" + kLine},
        {"with the header", "[x]\r\n[Rename]\r\nC:\\B=C:\\C\r\n[y]\r\n",
         "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL",
         "[x]\r\n[Rename]\r\n" + kLine + "C:\\B=C:\\C\r\n[y]\r\n"},
        {"lower-case header", "[rename]\r\nC:\\B=C:\\C\r\n", "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL",
         "[rename]\r\nC:\\B=C:\\C\r\n[Rename]\r\n" + kLine},
        {"header with a bare line feed", "[Rename]\nC:\\B=C:\\C\n",
         "C:\\WINDOWS\\SYSTEM\\SAMPLE.DLL", "[Rename]\nC:\\B=C:\\C\n[Rename]\r\n" + kLine},
        {"no destination", "", nullptr, "[Rename]\r\nNUL=C:\\WINDOWS\\SYSTEM\\SAMPLE.BFP\r\n"},
    };
    for (const Case& c : cases) {
        ScratchRoot root;
        if (c.before) {
            root.write("WINDOWS/WININIT.INI", *c.before);
        }
        EXPECT_EQ(WinInitRename("C:\\WINDOWS\\SYSTEM\\SAMPLE.BFP", c.destination), 1) << c.what;
        auto after = wininit(root);
        ASSERT_TRUE(after) << c.what;
        EXPECT_EQ(*after, c.after) << c.what;
        // Exactly the line longer, or the line and the header: no zero bytes left over.
        std::size_t line = c.destination != nullptr
                               ? kLine.size()
                               : std::string("NUL=C:\\WINDOWS\\SYSTEM\\SAMPLE.BFP\r\n").size();
        bool headerWasThere = c.before && c.before->find("[Rename]\r\n") != std::string::npos;
        std::size_t oldSize = c.before ? c.before->size() : 0;
        EXPECT_EQ(after->size(), oldSize + line + (headerWasThere ? 0 : 10)) << c.what;
    }
}

TEST(WinInitRename, LaterCallsComeFirst) {
    ScratchRoot root;
    EXPECT_EQ(WinInitRename("C:\\A.BFP", "C:\\A.DLL"), 1);
    EXPECT_EQ(WinInitRename("C:\\B.BFP", "C:\\B.DLL"), 1);
    EXPECT_EQ(wininit(root), "[Rename]\r\nC:\\B.DLL=C:\\B.BFP\r\nC:\\A.DLL=C:\\A.BFP\r\n");
}

TEST(WinInitRename, FileHeldByAnotherProcessIsLeftAlone) {
    ScratchRoot root;
    const std::string before = "[Rename]\r\nC:\\B=C:\\C\r\n";
    root.write("WINDOWS/WININIT.INI", before);
    vorn::test::ExclusiveHolder holder("C:\\WINDOWS\\WININIT.INI");
    ASSERT_TRUE(holder.holding());
    EXPECT_EQ(WinInitRename("C:\\A.BFP", "C:\\A.DLL"), 0);
    holder.release();
    EXPECT_EQ(wininit(root), before);
}

} // namespace
