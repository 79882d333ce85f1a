// Where the focus goes: the first enabled tab stop, Tab selects a field's whole text, a
// click puts the caret at its end.
#include "script_run.h"
#include "test_dialogs.h"

using Focus = ScriptRun;

TEST_F(Focus, StartsOnTheFirstEnabledTabStopWithItsTextSelected) {
    script("dump\nkey Escape\n");
    CFocusDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(find_line("focus 1011"), find_line("focus")) << transcript_text();
    EXPECT_NE(find_line("state 1011 class=edit text=\"hello\" enabled=1 visible=1 focus=1 sel=0,5"),
              -1)
        << transcript_text();
    EXPECT_NE(find_line("state 1010 class=edit text=\"\" enabled=0"), -1) << transcript_text();
}

TEST_F(Focus, TabSelectsTheWholeTextAndAClickPutsTheCaretAtTheEnd) {
    script("key Tab\n" // to 1012
           "dump\n"
           "click 1011\n"
           "dump\n"
           "key Tab\n" // back to 1012, all selected again
           "type 1012 \"X\"\n"
           "key Enter\n");
    CFocusDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.m_third, "X") << "typing replaced the selection";
    EXPECT_NE(find_line("state 1012 class=edit text=\"world\" enabled=1 visible=1 focus=1 sel=0,5"),
              -1)
        << transcript_text();
    EXPECT_NE(find_line("state 1011 class=edit text=\"hello\" enabled=1 visible=1 focus=1 sel=5,5"),
              -1)
        << transcript_text();
}

TEST_F(Focus, TabSkipsDisabledControlsAndWrapsBothWays) {
    script("key Tab\nkey Tab\nkey Tab\nkey Shift+Tab\nkey Shift+Tab\nkey Escape\n");
    CFocusDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    std::vector<std::string> focus;
    for (const auto& line : transcript()) {
        if (line.rfind("focus ", 0) == 0) {
            focus.push_back(line.substr(6));
        }
    }
    EXPECT_EQ(focus, (std::vector<std::string>{"1011", "1012", "1", "1011", "1", "1012"}));
}

TEST_F(Focus, ADisabledControlIgnoresClicksAndTakesNoFocus) {
    script("click 1010\ndump\ntype 1010 \"x\"\n");
    CFocusDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("state 1011 class=edit text=\"hello\" enabled=1 visible=1 focus=1"), -1)
        << transcript_text();
    EXPECT_NE(find_line("error line 3: edit 1010 takes no input"), -1) << transcript_text();
}
