// The login dialog on a real terminal: drawn from its template, typed into, clicked,
// and the terminal given back whatever way the program ends.
#include <csignal>

#include "terminal_fixture.h"
#include "tolvak32.h"

namespace {

using vorn::test::TerminalTest;

class TerminalLogin : public TerminalTest {};

TEST_F(TerminalLogin, DrawsTheDialogWithItsTextsAndCancelsWithEscape) {
    start("login");
    ASSERT_TRUE(pane().wait_for("PC-VORN Login")) << pane().screen();
    const std::string screen = pane().screen();
    for (const char* text :
         {"Enter your PC-VORN password.", "Password:", "< OK >", "[ Cancel ]", "[?]", "[x]"}) {
        EXPECT_NE(screen.find(text), std::string::npos) << text << " missing:\n" << screen;
    }
    // The template's title is replaced before the dialog shows.
    EXPECT_EQ(screen.find("Quorvane"), std::string::npos);
    pane().keys({"Escape"});
    EXPECT_EQ(finish(), 1);
    EXPECT_EQ(output(), "result=1\n");
    expect_terminal_sane();
}

TEST_F(TerminalLogin, AWrongPasswordIsRejectedThenTheRightOneUnlocks) {
    set_password("right horse");
    start("login");
    ASSERT_TRUE(pane().wait_for("Enter your PC-VORN password."));
    pane().literal("wrong");
    ASSERT_TRUE(pane().wait_for("[*****"));
    pane().keys({"Enter"});
    ASSERT_TRUE(
        pane().wait_for("The password entered is incorrect. Please enter the correct password."))
        << pane().screen();
    EXPECT_TRUE(pane().wait_for("PC-VORN Security for TCP/IP"));
    EXPECT_TRUE(pane().wait_for("(!)"));
    EXPECT_EQ(pane().screen().find("wrong"), std::string::npos) << "the password showed";
    pane().keys({"Enter"});
    ASSERT_TRUE(pane().wait_gone("The password entered is incorrect."));
    // The rejected text stays, selected, so typing replaces it.
    pane().literal("right horse");
    ASSERT_TRUE(pane().wait_for("[***********"));
    pane().keys({"Enter"});
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(output(), "result=0\n");
    // The key manager took the login: it now allows a certificate edit.
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli client(20, os);
    vorn_name_t name{};
    name.nsid = 1;
    name.node.length = 4;
    Xstring attrName("DESCRIPTION");
    Xstring attrValue("after login");
    vorn_attrib attribute(VORN_ATTR_TEXT, attrName, attrValue);
    vorn_attrib* list = &attribute;
    EXPECT_EQ(client.certEdit(name, &list), KMI_OK);
    expect_terminal_sane();
}

TEST_F(TerminalLogin, MouseClickOnCancelEndsTheDialog) {
    start("login");
    ASSERT_TRUE(pane().wait_for("[ Cancel ]"));
    int column = 0;
    int row = 0;
    ASSERT_TRUE(pane().find("[ Cancel ]", column, row));
    pane().move_to(column + 3, row);
    pane().click(column + 3, row);
    EXPECT_EQ(finish(), 1);
    EXPECT_EQ(output(), "result=1\n");
    expect_terminal_sane();
}

TEST_F(TerminalLogin, ACloseBoxClickCancelsAndHelpShowsNothing) {
    start("login");
    ASSERT_TRUE(pane().wait_for("[x]"));
    int column = 0;
    int row = 0;
    ASSERT_TRUE(pane().find("[?]", column, row));
    pane().click(column + 1, row);
    pane().keys({"F1"});
    pane().literal("x");
    // Help and F1 left the dialog as it was: the typed character reached the field.
    ASSERT_TRUE(pane().wait_for("[*"));
    ASSERT_TRUE(pane().find("[x]", column, row));
    pane().click(column + 1, row);
    EXPECT_EQ(finish(), 1);
    expect_terminal_sane();
}

TEST_F(TerminalLogin, AResizeRedrawsAndASmallTerminalScalesTheDialogDown) {
    start("login");
    ASSERT_TRUE(pane().wait_for("[ Cancel ]"));
    // Smaller than the dialog's own 49 x 16 cells.
    pane().tmux({"resize-window", "-x", "44", "-y", "13"});
    ASSERT_TRUE(vorn::test::TmuxSession::wait_until([&] {
        int column = 0;
        int row = 0;
        return pane().find("[ Cancel ]", column, row) && row < 12 && column < 44;
    })) << pane().screen();
    EXPECT_TRUE(pane().wait_for("PC-VORN Login"));
    pane().keys({"Escape"});
    EXPECT_EQ(finish(), 1);
    expect_terminal_sane();
}

class TerminalSignal : public TerminalTest, public ::testing::WithParamInterface<int> {};

TEST_P(TerminalSignal, TheTerminalIsGivenBackWhenTheProgramIsKilled) {
    start("login");
    ASSERT_TRUE(pane().wait_for("PC-VORN Login"));
    const pid_t pid = running_pid();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(kill(pid, GetParam()), 0);
    // The signal went on to end the program as it would have; under AddressSanitizer its
    // own SIGSEGV handler reports and exits instead.
    const int status = finish();
#if defined(__SANITIZE_ADDRESS__)
    if (GetParam() == SIGSEGV) {
        EXPECT_NE(status, 0);
    } else {
        EXPECT_EQ(status, 128 + GetParam());
    }
#else
    EXPECT_EQ(status, 128 + GetParam());
#endif
    expect_terminal_sane();
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminalSignal,
                         ::testing::Values(SIGINT, SIGTERM, SIGSEGV, SIGABRT),
                         [](const auto& signal) {
                             return std::string(sigabbrev_np(signal.param));
                         });

class TerminalMenu : public TerminalTest {};

TEST_F(TerminalMenu, RunsADialogShowsItsResultAndQuitsWithQ) {
    start("");
    ASSERT_TRUE(pane().wait_for("PC-VORN configuration"));
    pane().literal("1");
    ASSERT_TRUE(pane().wait_for("Enter your PC-VORN password."));
    pane().keys({"Escape"});
    ASSERT_TRUE(pane().wait_for("result=1"));
    EXPECT_TRUE(pane().wait_for("Log in to the key manager:"));
    pane().literal("q");
    EXPECT_EQ(finish(), 0);
    expect_terminal_sane();
}

TEST_F(TerminalMenu, EscapeQuits) {
    start("");
    ASSERT_TRUE(pane().wait_for("Choose 1-7:"));
    pane().keys({"Escape"});
    EXPECT_EQ(finish(), 0);
    expect_terminal_sane();
}

} // namespace
