// The file dialog: how a typed or given name becomes the chosen file, what the view is
// shown, and the current directory it leaves behind.
#include <direct.h>
#include <filesystem>
#include <fstream>

#include <afxwin.h>

#include "script_run.h"

namespace {

class FileDialog : public ScriptRun {
protected:
    void SetUp() override {
        ScriptRun::SetUp();
        std::filesystem::create_directories(drive_c() + "/KEYS/SUB");
        std::ofstream(drive_c() + "/KEYS/host.key") << "key";
        std::ofstream(drive_c() + "/top.key") << "key";
        ASSERT_EQ(_chdir(m_root.c_str()), 0);
    }

    std::string drive_c() const { return m_root + "/drive_c"; }

    static std::string cwd() {
        char buffer[4096];
        return _getcwd(buffer, sizeof buffer) ? buffer : "";
    }
};

struct Answer {
    const char* script;
    const char* path;      // what GetPathName gives
    const char* directory; // the current directory afterwards, under drive C
};

void PrintTo(const Answer& answer, std::ostream* out) {
    *out << answer.script;
}

class FileDialogAnswers : public FileDialog, public ::testing::WithParamInterface<Answer> {};

TEST_P(FileDialogAnswers, BecomeTheFullPathAndItsFolderBecomesCurrent) {
    script(GetParam().script);
    CFileDialog dialog(TRUE, "key", "c:\\*.key", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Private Keys (dh.key) ||");
    ASSERT_EQ(dialog.DoModal(), IDOK) << transcript_text();
    EXPECT_EQ(std::string(dialog.GetPathName()), GetParam().path) << transcript_text();
    EXPECT_EQ(cwd(), drive_c() + GetParam().directory);
    EXPECT_EQ(find_line("error"), -1) << transcript_text();
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileDialogAnswers,
    ::testing::Values(
        // A name without an extension gets the default one, in the folder shown.
        Answer{"file \"top\"\n", "C:\\top.key", ""},
        Answer{"file \"missing\"\n", "C:\\missing.key", ""},
        // A name with an extension keeps it, whether the file exists or not.
        Answer{"file \"new.name\"\n", "C:\\new.name", ""},
        // Components are found whatever their case, as on the platform.
        Answer{"file \"c:\\\\keys\\\\HOST\"\n", "C:\\KEYS\\host.key", "/KEYS"},
        Answer{"file \"keys/sub/../host.key\"\n", "C:\\KEYS\\host.key", "/KEYS"},
        Answer{"file \"\\\\KEYS\\\\host\"\n", "C:\\KEYS\\host.key", "/KEYS"},
        // Browsing: a folder or a pattern is opened, and the next name is taken there.
        Answer{"file \"KEYS\"\nfile \"host\"\n", "C:\\KEYS\\host.key", "/KEYS"},
        Answer{"file \"KEYS\"\nfile \"SUB\"\nfile \"..\\\\..\\\\top\"\n", "C:\\top.key", ""},
        Answer{"file \"C:\\\\KEYS\\\\*.key\"\nfile \"host\"\n", "C:\\KEYS\\host.key", "/KEYS"}),
    [](const ::testing::TestParamInfo<Answer>& param) {
        return "answer" + std::to_string(param.index);
    });

TEST_F(FileDialog, AHostPathIsShownInWindowsForm) {
    script("file \"" + drive_c() + "/KEYS/host.key\"\n");
    CFileDialog dialog(TRUE, "key", "c:\\*.key");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(std::string(dialog.GetPathName()), "C:\\KEYS\\host.key");
}

TEST_F(FileDialog, TheViewIsShownTheInitialNameTheFilterLabelsAndTheFolder) {
    script("file \"KEYS\"\nfile-cancel\n");
    CFileDialog dialog(TRUE, "crt", "c:\\*.crt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Certificates (*.crt)|*.crt|All files|*.*||ignored|*.x|");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const auto lines = transcript();
    ASSERT_EQ(lines.size(), 2U) << transcript_text();
    EXPECT_EQ(lines[0], "filedialog initial=\"c:\\\\*.crt\" filter=\"Certificates (*.crt)|All "
                        "files\" defext=\"crt\" flags=0x6 folder=\"C:\\\\\"");
    EXPECT_EQ(lines[1], "filedialog initial=\"c:\\\\*.crt\" filter=\"Certificates (*.crt)|All "
                        "files\" defext=\"crt\" flags=0x6 folder=\"C:\\\\KEYS\"");
}

struct Unanswered {
    const char* ui; // null: the script
    const char* script;
    const char* error; // null: none
};

void PrintTo(const Unanswered& entry, std::ostream* out) {
    *out << entry.script;
}

class FileDialogUnanswered : public FileDialog, public ::testing::WithParamInterface<Unanswered> {};

TEST_P(FileDialogUnanswered, ChoosesNothingAndStaysWhereItWas) {
    script(GetParam().script);
    if (GetParam().ui) {
        setenv("VORN_UI", GetParam().ui, 1);
    }
    CFileDialog dialog(TRUE, "key", "c:\\*.key");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << transcript_text();
    EXPECT_EQ(std::string(dialog.GetPathName()), "");
    EXPECT_EQ(cwd(), m_root);
    if (GetParam().error) {
        EXPECT_NE(find_line(GetParam().error), -1) << transcript_text();
    } else {
        EXPECT_EQ(find_line("error"), -1) << transcript_text();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileDialogUnanswered,
    ::testing::Values(Unanswered{nullptr, "file \"KEYS\"\nfile-cancel\n", nullptr},
                      Unanswered{nullptr, "click 1\nfile \"top\"\n",
                                 "error line 1: a file dialog is open"},
                      Unanswered{nullptr, "file\n", "error line 1: wrong arguments for file"},
                      Unanswered{nullptr, "file \"KEYS\"\n",
                                 "error line 2: the script ended while a window is open"},
                      Unanswered{"none", "", nullptr}),
    [](const ::testing::TestParamInfo<Unanswered>& param) {
        return "case" + std::to_string(param.index);
    });

} // namespace
