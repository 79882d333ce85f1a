// Enter, Escape and the close box, help and context menus.
#include "script_run.h"
#include "test_dialogs.h"

using Keyboard = ScriptRun;

TEST_F(Keyboard, EnterWithTheDefaultButtonDisabledDoesNothing) {
    script("click 1005\n" // disables OK
           "click 1008\n"
           "key Enter\n"
           "dump\n"
           "key Escape\n");
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const int dumped = find_line("state dialog 101");
    ASSERT_NE(dumped, -1) << transcript_text();
    EXPECT_EQ(find_line("end dialog"), find_line("end dialog 101 code=2"));
    EXPECT_GT(find_line("end dialog"), dumped) << "Enter did not end the dialog";
}

TEST_F(Keyboard, EnterOnTheEnabledDefaultButtonEndsWithOk) {
    script("type 1008 \"pw\"\n"
           "key Enter\n");
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.m_secret, "pw");
}

class CancelWithoutButton : public ScriptRun, public ::testing::WithParamInterface<const char*> {};

TEST_P(CancelWithoutButton, EndsWithCancel) {
    script(std::string(GetParam()) + "\n");
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(find_line("error"), -1) << transcript_text();
}

INSTANTIATE_TEST_SUITE_P(EscapeAndCloseBox, CancelWithoutButton,
                         ::testing::Values("key Escape", "close"));

TEST_F(Keyboard, HelpIsOfferedByDefaultForF1AndTheHelpButton) {
    script("key F1\nhelp\nkey Escape\n");
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const int first = find_line("help window=101 command=0x1 context=0x20065");
    ASSERT_NE(first, -1) << transcript_text();
    EXPECT_NE(find_line("help window=101", first + 1), -1) << transcript_text();
}

TEST_F(Keyboard, AHelpButtonIsNeededForHelpFromTheCaption) {
    script("help\n");
    CExchangeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("error line 1: the dialog has no help button"), -1) << transcript_text();
}

TEST_F(Keyboard, TheEditShowsItsOwnMenuAndTheBackgroundNone) {
    script("rightclick\nrightclick -1\nrightclick 1001\nkey Escape\n");
    CExchangeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const auto lines = transcript();
    int menus = 0;
    for (const auto& line : lines) {
        menus += line.rfind("menu ", 0) == 0;
    }
    EXPECT_EQ(menus, 1) << transcript_text();
    EXPECT_NE(find_line("menu 1001"), -1);
}

TEST_F(Keyboard, TheAccessKeyOfALabelFocusesTheControlAfterIt) {
    script("click 1002\n"
           "key Alt+S\n"
           "dump\n"
           "key Alt+R\n" // presses Reset
           "key Escape\n");
    CExchangeDialog dialog;
    dialog.m_short = "abc";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("state 1001 class=edit text=\"abc\" enabled=1 visible=1 focus=1 sel=0,3"),
              -1)
        << transcript_text();
    EXPECT_NE(find_line("focus 1004"), -1) << transcript_text();
}
