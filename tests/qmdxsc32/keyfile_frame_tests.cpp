// GetKeyPath32 and ShowKeyAttr32 when the framework fails while a dialog is built.
#include <direct.h>

#include <cstring>

#include "afx/seams.h"
#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "qmdxsc32.h"

namespace {

using KeyFileFrame = vorn::test::TempRootTest;

TEST_F(KeyFileFrame, RunningOutOfMemoryGivesMinusOneWithTheDirectoryBackAndNothingShown) {
    DialogScript script(root());
    script.set("file \"top\"\nkey Escape\n");
    ASSERT_EQ(_chdir(root().c_str()), 0);
    char path[128];
    char description[64] = "kept";
    unsigned char nsid = 9;
    std::memset(path, 'x', sizeof path);
    vorn_name_t name{};
    vorn::afx::seams::fail_dialog_construction(true);
    EXPECT_EQ(GetKeyPath32(0, path, &nsid, description, 0), -1);
    EXPECT_EQ(ShowKeyAttr32(0, &name, nullptr, 0), -1);
    vorn::afx::seams::fail_dialog_construction(false);
    EXPECT_EQ(path[0], '\0');
    EXPECT_STREQ(description, "kept");
    EXPECT_EQ(nsid, 9);
    char cwd[4096];
    EXPECT_EQ(std::string(_getcwd(cwd, sizeof cwd)), root());
    EXPECT_EQ(script.count("filedialog"), 0) << script.text();
    EXPECT_EQ(script.count("open dialog"), 0) << script.text();
}

} // namespace
