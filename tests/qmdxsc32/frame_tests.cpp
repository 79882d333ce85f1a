// The export frame: results, and framework exceptions while a dialog is built.
#include <cstdio>
#include <set>
#include <string>

#include "afx/seams.h"
#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "qmdxsc32.h"

int MapDialogResult(INT_PTR endCode);

namespace {

TEST(MapDialogResult, ConfirmedCancelledAndEverythingElse) {
    const struct {
        INT_PTR code;
        int result;
    } cases[] = {{IDOK, 0}, {IDCANCEL, 1}, {-1, -1}, {0, -1}, {3, -1}, {7, -1}};
    for (const auto& entry : cases) {
        EXPECT_EQ(MapDialogResult(entry.code), entry.result) << entry.code;
    }
}

using Frame = vorn::test::TempRootTest;

TEST_F(Frame, RunningOutOfMemoryWhileBuildingTheDialogGivesMinusOneAndTheHostGoesOn) {
    DialogScript script(root());
    script.set("key Escape\n");
    vorn::afx::seams::fail_dialog_construction(true);
    EXPECT_EQ(Login32(0), -1);
    vorn::afx::seams::fail_dialog_construction(false);
    EXPECT_EQ(script.count("open dialog"), 0);
    EXPECT_EQ(Login32(0), 1) << script.text();
}

TEST(Exports, TheLibraryExportsExactlyTheFiveEntryPoints) {
    std::FILE* listing = popen("nm -D --defined-only '" QMDXSC32_PATH "'", "r");
    ASSERT_NE(listing, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, listing)) {
        std::string text(line);
        const auto name = text.find_last_of(' ');
        names.insert(text.substr(name + 1, text.find_last_not_of("\r\n") - name));
    }
    ASSERT_EQ(pclose(listing), 0);
    EXPECT_EQ(names, (std::set<std::string>{"ChgPasswd32", "GenLocalKey32", "GetKeyPath32",
                                            "Login32", "ShowKeyAttr32"}));
}

} // namespace
