// Lists, beeps, message boxes owned by their dialog, and dialogs that cannot be made.
#include "script_run.h"
#include "test_dialogs.h"

using Windows = ScriptRun;

TEST_F(Windows, AListShowsItsColumnsAndRowsInOrder) {
    script("dump\nkey Escape\n");
    CListsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(
        find_line("state 1013 class=listview columns=\"Attribute Name:200|Attribute Value:1536\" "
                  "rows=2 row0=\"A|1\" row1=\"B|2\""),
        -1)
        << transcript_text();
}

TEST_F(Windows, AMessageBoxIsOwnedByTheDialogWhichWaitsDisabled) {
    script("click 1015\ndump\nanswer No\ndump\nclick 1014\nkey Escape\n");
    CListsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_answer, IDNO);
    EXPECT_NE(find_line("msgbox text=\"Go on?\" caption=\"Framework Test\" style=0x34"), -1)
        << transcript_text();
    EXPECT_NE(
        find_line("state msgbox text=\"Go on?\" caption=\"Framework Test\" style=0x34 owner=105 "
                  "owner_enabled=0"),
        -1)
        << transcript_text();
    EXPECT_NE(find_line("state dialog 105 title=\"Lists\" enabled=1"), -1) << transcript_text();
    EXPECT_NE(find_line("beep 0x30"), -1) << transcript_text();
}

TEST_F(Windows, AMessageBoxTakesOnlyItsOwnButtons) {
    script("click 1015\nanswer OK\n");
    CListsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_answer, IDNO) << "a cancelled Yes/No box answers No";
    EXPECT_NE(find_line("error line 2: the message box has no such button"), -1)
        << transcript_text();
}

TEST_F(Windows, ADialogWithoutATemplateCannotBeCreated) {
    script("key Escape\n");
    CDialog missing(IDD_MISSING);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_EQ(find_line("open dialog"), -1);
}
