// The key file chooser and the name-space dialog through the whole chain: GetKeyPath32
// loaded by name, the file dialog and the name-space dialog answered by the script view.
#include <direct.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "loaded_library.h"
#include "qmdxsc32.h"

namespace {

const char* const kKeyPrompt =
    "Please select the namespace for the private key you are adding.  It is also recommended "
    "that you enter a description that can be used to identify the key.";
const char* const kCertificatePrompt =
    "Please select the namespace for the certificate you are adding.  It is also recommended "
    "that you enter a description that can be used to identify the certificate.";

// Outputs start as this, so a buffer the export did not write can be told apart.
constexpr char kUntouched = '\x5a';
constexpr unsigned char kUntouchedNsid = 0x77;

class KeyPath : public vorn::test::TempRootTest {
protected:
    void SetUp() override {
        TempRootTest::SetUp();
        m_script = DialogScript(root());
        std::filesystem::create_directories(drive_c() + "/KEYS");
        std::filesystem::create_directories(root() + "/elsewhere");
        for (const char* name : {"host.key", "host.crt"}) {
            std::ofstream(drive_c() + "/KEYS/" + name) << "material";
        }
        ASSERT_EQ(_chdir((root() + "/elsewhere").c_str()), 0);
        std::memset(m_path, kUntouched, sizeof m_path);
        std::memset(m_description, kUntouched, sizeof m_description);
        ASSERT_NE(m_getKeyPath, nullptr);
    }

    std::string drive_c() const { return root() + "/drive_c"; }

    int getKeyPath(int kind) { return m_getKeyPath(kind, m_path, &m_nsid, m_description, 0); }

    static std::string cwd() {
        char buffer[4096];
        return _getcwd(buffer, sizeof buffer) ? buffer : "";
    }

    bool description_untouched() const {
        return static_cast<std::size_t>(
                   std::count(m_description, m_description + sizeof m_description, kUntouched)) ==
               sizeof m_description;
    }

    LoadedLibrary m_library;
    GetKeyPath32Function m_getKeyPath = m_library.entry<GetKeyPath32Function>("GetKeyPath32");
    DialogScript m_script{""};
    char m_path[128];
    unsigned char m_nsid = kUntouchedNsid;
    char m_description[64];
};

struct Kind {
    int kind;
    const char* fileDialog; // the transcript line of the file dialog
    const char* title;
    const char* prompt;
    const char* path; // what a typed "HOST" becomes
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << "kind " << kind.kind;
}

class KeyPathKinds : public KeyPath, public ::testing::WithParamInterface<Kind> {};

TEST_P(KeyPathKinds, ConfirmingBothDialogsGivesThePathTheNameSpaceAndTheDescription) {
    const Kind& kind = GetParam();
    m_script.set("file \"c:\\\\keys\\\\HOST\"\ndump\ntype 1018 \"office router\"\nclick 1\n");
    EXPECT_EQ(getKeyPath(kind.kind), 0) << m_script.text();
    EXPECT_STREQ(m_path, kind.path);
    EXPECT_EQ(m_nsid, 1);
    EXPECT_STREQ(m_description, "office router");
    EXPECT_EQ(cwd(), root() + "/elsewhere") << "the current directory is back";

    const auto lines = m_script.lines();
    ASSERT_GE(lines.size(), 3U) << m_script.text();
    EXPECT_EQ(lines[0], kind.fileDialog);
    EXPECT_EQ(lines[1],
              std::string("open dialog 137 title=\"") + kind.title + "\" sysmodal=0 help=1");
    EXPECT_EQ(lines[2], "focus 1018");
    const std::string text = m_script.text();
    EXPECT_NE(m_script.find(std::string("state 1029 class=static text=\"") + kind.prompt + "\""),
              -1)
        << text;
    EXPECT_NE(m_script.find("state 1018 class=edit text=\"\" enabled=1 visible=1 focus=1 sel=0,0 "
                            "limit=32 password=0"),
              -1)
        << text;
    EXPECT_NE(m_script.find("state 1034 class=combobox items=\"IPv4 Address\" sel=0"), -1) << text;
    EXPECT_NE(m_script.find("end dialog 137 code=1"), -1) << text;
    EXPECT_EQ(m_script.count("error"), 0) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KeyPathKinds,
    ::testing::Values(
        Kind{0,
             "filedialog initial=\"c:\\\\*.key\" filter=\"Private Keys (dh.key) \" defext=\"key\" "
             "flags=0x6 folder=\"C:\\\\\"",
             "Private Key Information", kKeyPrompt, "C:\\KEYS\\host.key"},
        Kind{1,
             "filedialog initial=\"c:\\\\*.crt\" filter=\"Certificates (*.crt) \" defext=\"crt\" "
             "flags=0x6 folder=\"C:\\\\\"",
             "Public Certificate Information", kCertificatePrompt, "C:\\KEYS\\host.crt"},
        // Any other kind chooses a certificate file but keeps the private-key wording.
        Kind{2,
             "filedialog initial=\"c:\\\\*.crt\" filter=\"Certificates (*.crt) \" defext=\"crt\" "
             "flags=0x6 folder=\"C:\\\\\"",
             "Private Key Information", kKeyPrompt, "C:\\KEYS\\host.crt"}),
    [](const ::testing::TestParamInfo<Kind>& param) {
        return "kind" + std::to_string(param.param.kind);
    });

struct Cancel {
    const char* script;
    bool nameSpaceDialogShown;
};

void PrintTo(const Cancel& cancel, std::ostream* out) {
    *out << cancel.script;
}

class KeyPathCancels : public KeyPath, public ::testing::WithParamInterface<Cancel> {};

TEST_P(KeyPathCancels, GiveOneWithAnEmptyPathAndTheOtherBuffersUntouched) {
    m_script.set(GetParam().script);
    EXPECT_EQ(getKeyPath(0), 1) << m_script.text();
    EXPECT_EQ(m_path[0], '\0');
    EXPECT_EQ(m_nsid, kUntouchedNsid);
    EXPECT_TRUE(description_untouched());
    EXPECT_EQ(cwd(), root() + "/elsewhere");
    EXPECT_EQ(m_script.count("open dialog 137"), GetParam().nameSpaceDialogShown ? 1 : 0)
        << m_script.text();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, KeyPathCancels,
    ::testing::Values(Cancel{"file-cancel\n", false},
                      // Browsing into a folder and then cancelling leaves nothing behind.
                      Cancel{"file \"KEYS\"\nfile-cancel\n", false},
                      Cancel{"file \"KEYS\\\\host\"\ntype 1018 \"typed\"\nclick 2\n", true},
                      Cancel{"file \"KEYS\\\\host\"\ntype 1018 \"typed\"\nkey Escape\n", true},
                      Cancel{"file \"KEYS\\\\host\"\nclose\n", true}),
    [](const ::testing::TestParamInfo<Cancel>& param) {
        return "way" + std::to_string(param.index);
    });

TEST_F(KeyPath, AMissingFileFailsAfterBothDialogsWithTheDescriptionWritten) {
    m_script.set("file \"KEYS\\\\absent\"\ntype 1018 \"spare\"\nkey Enter\n");
    EXPECT_EQ(getKeyPath(0), -1) << m_script.text();
    EXPECT_STREQ(m_description, "spare");
    EXPECT_EQ(m_path[0], '\0');
    EXPECT_EQ(m_nsid, kUntouchedNsid);
    EXPECT_EQ(cwd(), root() + "/elsewhere");
}

TEST_F(KeyPath, APathThatDoesNotFitTheBufferIsAFailure) {
    // C:\ and a folder name that together leave no room for the file's name.
    const std::string folder(120, 'd');
    std::filesystem::create_directories(drive_c() + "/" + folder);
    std::ofstream(drive_c() + "/" + folder + "/k.key") << "material";
    m_script.set("file \"" + folder + "\\\\k\"\nclick 1\n");
    EXPECT_EQ(getKeyPath(0), -1) << m_script.text();
    EXPECT_EQ(m_path[0], '\0');
    EXPECT_EQ(m_nsid, kUntouchedNsid);
    EXPECT_STREQ(m_description, "");
}

TEST_F(KeyPath, TheDescriptionTakesThirtyTwoCharactersAndRefusesTheThirtyThird) {
    const std::string full(32, 'x');
    m_script.set("file \"KEYS\\\\host.key\"\ntype 1018 \"" + full +
                 "y\"\npaste 1018 \"z\"\ndump\n" + "key Enter\n");
    EXPECT_EQ(getKeyPath(0), 0) << m_script.text();
    EXPECT_EQ(std::string(m_description), full);
    EXPECT_NE(m_script.find("state 1018 class=edit text=\"" + full + "\""), -1) << m_script.text();
    EXPECT_EQ(m_script.count("msgbox"), 0) << m_script.text();
}

TEST_F(KeyPath, ACurrentDirectoryTooLongToSaveIsLeftAsTheFileDialogLeftIt) {
    std::string deep = root();
    while (deep.size() <= 300) {
        deep += "/" + std::string(40, 'n');
    }
    std::filesystem::create_directories(deep);
    ASSERT_EQ(_chdir(deep.c_str()), 0);
    m_script.set("file \"C:\\\\KEYS\\\\host\"\nclick 1\n");
    EXPECT_EQ(getKeyPath(0), 0) << m_script.text();
    EXPECT_EQ(cwd(), drive_c() + "/KEYS");
}

TEST_F(KeyPath, WithoutAViewNothingIsShownAndTheResultIsCancelled) {
    setenv("VORN_UI", "none", 1);
    EXPECT_EQ(getKeyPath(1), 1);
    EXPECT_EQ(m_path[0], '\0');
    EXPECT_TRUE(description_untouched());
}

} // namespace
