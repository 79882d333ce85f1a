// The Set Password dialog through the whole chain: ChgPasswd32 and Login32 loaded by
// name, the script view, tolvak32 and keymgrd over its socket.
#include <cstring>
#include <filesystem>
#include <string>

#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "loaded_library.h"
#include "qmdxsc32.h"
#include "silent_listener.h"

namespace {

const char* const kMismatch = "msgbox text=\"Password Confirmation Failed!\" "
                              "caption=\"PC-VORN Security for TCP/IP\" style=0x30";
const char* const kRefused = "msgbox text=\"Incorrect Password Entered, Retry.\" "
                             "caption=\"PC-VORN Security for TCP/IP\" style=0x30";
const char* const kNotWorking = "msgbox text=\"Key manager isn't working properly.\" "
                                "caption=\"PC-VORN Security for TCP/IP\" style=0x30";
const char* const kLoginRejected = "msgbox text=\"The password entered is incorrect. Please "
                                   "enter the correct password.\"";

// The host's buffers, filled with a byte no dialog writes, so an untouched one shows.
struct Buffers {
    Buffers() {
        std::memset(newPassword, 0x7f, sizeof newPassword);
        std::memset(oldPassword, 0x7f, sizeof oldPassword);
    }
    static bool untouched(const char (&buffer)[16]) {
        for (char byte : buffer) {
            if (byte != 0x7f) {
                return false;
            }
        }
        return true;
    }
    char newPassword[16];
    char oldPassword[16];
};

// Runs ChgPasswd32 (and Login32) loaded by name, with one script for all the dialogs of
// a case. Each case has a directory of its own, so its script gets a view of its own.
class Dialogs {
public:
    explicit Dialogs(const std::string& directory) : m_script(made(directory)) {}

    void script(const std::string& text) const { m_script.set(text); }
    const DialogScript& transcript() const { return m_script; }

    int change(Buffers& buffers, bool changeMode) const {
        auto function = m_library.entry<ChgPasswd32Function>("ChgPasswd32");
        return function
                   ? function(buffers.newPassword, changeMode ? buffers.oldPassword : nullptr, 0)
                   : -100;
    }
    int login() const {
        auto function = m_library.entry<Login32Function>("Login32");
        return function ? function(0) : -100;
    }
    std::vector<std::string> states(int id) const { return m_script.states(id); }

private:
    static std::string made(const std::string& directory) {
        std::filesystem::create_directories(directory);
        return directory;
    }

    LoadedLibrary m_library;
    DialogScript m_script;
};

bool has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

class WithKeymgrd : public vorn::test::KeymgrdTest {};

TEST_F(WithKeymgrd, SetThenChangeAndOnlyTheNewPasswordLogsIn) {
    Dialogs dialogs(root());
    dialogs.script(
        // Set mode.
        "type 1012 \"first\"\ntype 1013 \"first\"\nkey Enter\n"
        // Change mode: a wrong old password first.
        "type 1011 \"wrong\"\ntype 1012 \"second\"\ntype 1013 \"second\"\nclick 1\n"
        "answer OK\ndump\n"
        "type 1011 \"first\"\ntype 1012 \"second\"\ntype 1013 \"second\"\nclick 1\n"
        // Login: the old password no longer, the new one does.
        "type 1036 \"first\"\nkey Enter\nanswer OK\nclear 1036\n"
        "type 1036 \"second\"\nkey Enter\n");
    Buffers set;
    ASSERT_EQ(dialogs.change(set, false), 0) << dialogs.transcript().text();
    EXPECT_STREQ(set.newPassword, "first");
    EXPECT_TRUE(Buffers::untouched(set.oldPassword));

    Buffers changed;
    ASSERT_EQ(dialogs.change(changed, true), 0) << dialogs.transcript().text();
    EXPECT_STREQ(changed.newPassword, "second");
    EXPECT_STREQ(changed.oldPassword, "first");
    EXPECT_EQ(dialogs.login(), 0) << dialogs.transcript().text();

    const DialogScript& transcript = dialogs.transcript();
    const std::string text = transcript.text();
    EXPECT_EQ(transcript.count(kRefused), 1) << text;
    EXPECT_EQ(transcript.count(kLoginRejected), 1) << text;
    EXPECT_EQ(transcript.count("open dialog 131 title=\"Set Password\""), 2) << text;
    // After the refusal every field is empty, the old one has the focus, OK is off.
    for (int id : {1011, 1012, 1013}) {
        const auto lines = dialogs.states(id);
        ASSERT_EQ(lines.size(), 1U) << text;
        EXPECT_TRUE(has(lines[0], "text=<masked:0>")) << lines[0];
        EXPECT_TRUE(has(lines[0], id == 1011 ? "focus=1" : "focus=0")) << lines[0];
    }
    ASSERT_EQ(dialogs.states(1).size(), 1U);
    EXPECT_TRUE(has(dialogs.states(1)[0], "enabled=0")) << dialogs.states(1)[0];
    EXPECT_EQ(text.find("second"), std::string::npos) << "no password in the transcript";
}

TEST_F(WithKeymgrd, AStoppedKeyManagerEndsTheDialogAndHandsOverTheTypedPasswords) {
    ASSERT_TRUE(keymgrd().stop());
    Dialogs dialogs(root());
    dialogs.script("type 1012 \"new\"\ntype 1013 \"new\"\nkey Enter\nanswer OK\n"
                   "type 1011 \"old\"\ntype 1012 \"newer\"\ntype 1013 \"newer\"\nkey Enter\n"
                   "answer OK\n");
    Buffers set;
    EXPECT_EQ(dialogs.change(set, false), 0);
    EXPECT_STREQ(set.newPassword, "new");
    Buffers changed;
    EXPECT_EQ(dialogs.change(changed, true), 0);
    EXPECT_STREQ(changed.newPassword, "newer");
    EXPECT_STREQ(changed.oldPassword, "old");
    EXPECT_EQ(dialogs.transcript().count(kNotWorking), 2) << dialogs.transcript().text();
    EXPECT_EQ(dialogs.transcript().count("end dialog 131 code=1"), 2);
}

// Against a key manager that must not be asked anything.
class Unasked : public vorn::test::TempRootTest {
protected:
    void SetUp() override {
        TempRootTest::SetUp();
        m_listener = std::make_unique<SilentListener>(socket_path());
        ASSERT_TRUE(m_listener->listening());
    }
    bool contacted() const { return m_listener->contacted(); }

private:
    std::unique_ptr<SilentListener> m_listener;
};

TEST_F(Unasked, AConfirmationThatDiffersInOneLettersCaseEmptiesEveryFieldAndAsksNothing) {
    const struct {
        bool changeMode;
        const char* fields;
        int focused; // after the failure
    } cases[] = {
        {true, "type 1011 \"right\"\n", 1011},
        {false, "", 1012}, // the old field is disabled in set mode
    };
    for (const auto& entry : cases) {
        Dialogs dialogs(root() + (entry.changeMode ? "/change" : "/set"));
        dialogs.script(std::string(entry.fields) +
                       "type 1012 \"Secret\"\ntype 1013 \"secret\"\nkey Enter\nanswer OK\n"
                       "dump\nkey Enter\nclick 2\n");
        Buffers buffers;
        EXPECT_EQ(dialogs.change(buffers, entry.changeMode), 1);
        const std::string text = dialogs.transcript().text();
        EXPECT_FALSE(contacted()) << text;
        EXPECT_EQ(dialogs.transcript().count(kMismatch), 1) << "Enter does nothing now\n" << text;
        for (int id : {1011, 1012, 1013}) {
            const auto lines = dialogs.states(id);
            ASSERT_EQ(lines.size(), 1U) << text;
            EXPECT_TRUE(has(lines[0], "text=<masked:0>")) << lines[0];
            EXPECT_TRUE(has(lines[0], id == entry.focused ? "focus=1" : "focus=0")) << lines[0];
        }
        EXPECT_TRUE(has(dialogs.states(1).at(0), "enabled=0")) << text;
        EXPECT_TRUE(Buffers::untouched(buffers.newPassword));
        EXPECT_TRUE(Buffers::untouched(buffers.oldPassword));
    }
}

TEST_F(Unasked, OkFollowsTheFieldsTheModeRequires) {
    const struct {
        bool changeMode;
        const char* step;
        bool okEnabled; // after the step
    } steps[] = {
        {false, "", false},
        {false, "type 1012 \"a\"", false},
        {false, "type 1013 \"b\"", true}, // differing: compared only on OK
        {false, "clear 1012", false},
        {true, "", false},
        {true, "type 1012 \"a\"", false},
        {true, "type 1013 \"a\"", false},
        {true, "type 1011 \"o\"", true},
        {true, "clear 1011", false},
    };
    for (bool changeMode : {false, true}) {
        std::string script;
        std::vector<bool> expected;
        for (const auto& step : steps) {
            if (step.changeMode == changeMode) {
                script += std::string(step.step) + "\ndump\n";
                expected.push_back(step.okEnabled);
            }
        }
        Dialogs dialogs(root() + (changeMode ? "/change" : "/set"));
        dialogs.script(script + "key Escape\n");
        Buffers buffers;
        EXPECT_EQ(dialogs.change(buffers, changeMode), 1);
        const auto ok = dialogs.states(1);
        ASSERT_EQ(ok.size(), expected.size()) << dialogs.transcript().text();
        for (std::size_t i = 0; i < ok.size(); ++i) {
            EXPECT_TRUE(has(ok[i], expected[i] ? "enabled=1" : "enabled=0"))
                << "mode " << changeMode << " step " << i << ": " << ok[i];
        }
        // The old-password field is usable only in change mode, and starts with the focus
        // there; in set mode the new-password field does.
        const std::string first = dialogs.states(1011).at(0);
        EXPECT_TRUE(has(first, changeMode ? "enabled=1" : "enabled=0")) << first;
        EXPECT_TRUE(has(first, changeMode ? "focus=1" : "focus=0")) << first;
        EXPECT_TRUE(has(dialogs.states(1012).at(0), changeMode ? "focus=0" : "focus=1"));
        EXPECT_TRUE(has(dialogs.states(1012).at(0), "limit=16"));
        EXPECT_TRUE(Buffers::untouched(buffers.newPassword));
        EXPECT_TRUE(Buffers::untouched(buffers.oldPassword));
        EXPECT_FALSE(contacted());
    }
}

TEST_F(Unasked, CancelReturnsNothingAndAsksNothing) {
    int run = 0;
    for (const char* way : {"click 2", "key Escape", "close"}) {
        Dialogs dialogs(root() + "/run" + std::to_string(run++));
        dialogs.script(std::string("type 1011 \"old\"\ntype 1012 \"new\"\ntype 1013 \"new\"\n") +
                       way + "\n");
        Buffers buffers;
        EXPECT_EQ(dialogs.change(buffers, true), 1) << way;
        EXPECT_TRUE(Buffers::untouched(buffers.newPassword)) << way;
        EXPECT_TRUE(Buffers::untouched(buffers.oldPassword)) << way;
        EXPECT_FALSE(contacted()) << way;
        EXPECT_EQ(dialogs.transcript().count("msgbox"), 0) << way;
    }
}

// Without a key manager the export hands back what the fields held, which shows the cut.
using FieldRule = vorn::test::TempRootTest;

TEST_F(FieldRule, ASixteenthCharacterIsCutToFifteenWithOneBeep) {
    const std::string sixteen = "abcdefghijklmnop";
    const std::string long_text(40, 'x');
    const struct {
        std::string newField;
        std::string confirmField;
        const char* expected;
        int beeps;
    } cases[] = {
        {"type 1012 \"" + sixteen + "\"", "type 1013 \"" + sixteen + "\"", "abcdefghijklmno", 2},
        {"paste 1012 \"" + long_text + "\"", "paste 1013 \"" + long_text + "\"", "xxxxxxxxxxxxxxx",
         2},
        {"type 1012 \"abcdefghijklmno\"", "paste 1013 \"abcdefghijklmno\"", "abcdefghijklmno", 0},
    };
    int run = 0;
    for (const auto& entry : cases) {
        Dialogs dialogs(root() + "/run" + std::to_string(run++));
        dialogs.script(entry.newField + "\ndump\n" + entry.confirmField +
                       "\nkey Enter\nanswer OK\n");
        Buffers buffers;
        EXPECT_EQ(dialogs.change(buffers, false), 0) << entry.newField;
        EXPECT_STREQ(buffers.newPassword, entry.expected) << entry.newField;
        EXPECT_EQ(dialogs.transcript().count("beep 0x30"), entry.beeps) << entry.newField;
        EXPECT_TRUE(has(dialogs.states(1012).at(0), "text=<masked:15>"))
            << dialogs.transcript().text();
        EXPECT_TRUE(Buffers::untouched(buffers.oldPassword));
    }
}

TEST_F(FieldRule, WithoutABufferForTheNewPasswordNothingRuns) {
    DialogScript script(root());
    script.set("key Escape\n");
    LoadedLibrary library;
    auto function = library.entry<ChgPasswd32Function>("ChgPasswd32");
    ASSERT_NE(function, nullptr);
    char old[16] = "kept";
    EXPECT_EQ(function(nullptr, old, 0), -1);
    EXPECT_STREQ(old, "kept");
    EXPECT_EQ(script.count("open dialog"), 0) << script.text();
}

} // namespace
