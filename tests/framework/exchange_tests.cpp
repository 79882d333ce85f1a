// Data exchange in both directions, the length limit and its message, and which
// changes count as the user's.
#include "script_run.h"
#include "test_dialogs.h"

using DataExchange = ScriptRun;

TEST_F(DataExchange, MembersReachTheControlsAndComeBackTyped) {
    script("dump\n"
           "type 1001 \"abcdefgh\"\n" // the field has the focus and its text selected
           "paste 1002 \" more\"\n"   // a click first: the caret goes after "init"
           "choose 1003 1\n"
           "dump\n"
           "key Enter\n");
    CExchangeDialog dialog;
    dialog.m_short = "xy";
    dialog.m_long = "init";
    dialog.m_choice = "Al";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.m_short, "abcde") << "the limit of 5 refuses the rest";
    EXPECT_STREQ(dialog.m_long, "init more");
    EXPECT_STREQ(dialog.m_choice, "Beta");
    const std::string text = transcript_text();
    EXPECT_NE(
        text.find("state 1001 class=edit text=\"xy\" enabled=1 visible=1 focus=1 sel=0,2 limit=5"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("state 1003 class=combobox items=\"Alpha|Beta\" sel=0"), std::string::npos)
        << text;
    EXPECT_NE(text.find("state 1003 class=combobox items=\"Alpha|Beta\" sel=1"), std::string::npos)
        << text;
    EXPECT_NE(find_line("end dialog 100 code=1"), -1);
}

TEST_F(DataExchange, ALongerValueIsRefusedWithTheFrameworkMessageAndTheDialogStays) {
    script("key Tab\n"
           "key Enter\n"
           "answer OK\n"
           "dump\n"
           "clear 1001\n"
           "type 1001 \"ok\"\n"
           "key Enter\n");
    CExchangeDialog dialog;
    dialog.m_short = "toolong"; // a program's write is not cut by the limit
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.m_short, "ok");
    const int box = find_line("msgbox text=\"Please enter no more than 5 characters.\" "
                              "caption=\"Framework Test\" style=0x30");
    ASSERT_NE(box, -1) << transcript_text();
    EXPECT_NE(find_line("focus 1001", box), -1) << "the refused field gets the focus back";
    EXPECT_NE(
        find_line("state 1001 class=edit text=\"toolong\" enabled=1 visible=1 focus=1 sel=0,7",
                  box),
        -1)
        << transcript_text();
}

TEST_F(DataExchange, OnlyTheUsersChangesSendChangeNotifications) {
    script("type 1001 \"ab\"\n"   // two keystrokes
           "paste 1001 \"cd\"\n"  // one insertion
           "type 1001 \"zzzz\"\n" // one fits the limit, the rest are refused
           "clear 1001\n"         // one
           "clear 1001\n"         // nothing left to clear
           "click 1004\n"         // the program writes the second field
           "key Escape\n");
    CExchangeDialog dialog;
    dialog.m_short = "preset"; // written by the framework at start
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_shortChanges, 5);
    EXPECT_EQ(dialog.m_longChanges, 0);
}
