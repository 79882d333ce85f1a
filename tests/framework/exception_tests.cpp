// A framework exception in a handler is reported and the dialog goes on.
#include "script_run.h"
#include "test_dialogs.h"

#include "afx/seams.h"

using Exceptions = ScriptRun;

TEST_F(Exceptions, OutOfMemoryInAHandlerIsReportedAndTheDialogGoesOn) {
    script("click 1006\nanswer OK\nclick 1006\nanswer OK\nclick 1\n");
    CThrowerDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK) << transcript_text();
    EXPECT_EQ(dialog.m_attempts, 2);
    EXPECT_NE(find_line("msgbox text=\"Out of memory.\" caption=\"Framework Test\" style=0x30"), -1)
        << transcript_text();
}

TEST_F(Exceptions, AUserExceptionIsNotReportedAgain) {
    script("click 1007\nkey Escape\n");
    CThrowerDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_attempts, 1);
    EXPECT_EQ(find_line("msgbox"), -1) << transcript_text();
}

TEST_F(Exceptions, BuildingADialogCanRunOutOfMemory) {
    script("key Escape\n");
    vorn::afx::seams::fail_dialog_construction(true);
    bool thrown = false;
    try {
        CThrowerDialog dialog;
    } catch (CException* failure) {
        thrown = true;
        failure->Delete();
    }
    vorn::afx::seams::fail_dialog_construction(false);
    EXPECT_TRUE(thrown);
    CThrowerDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "the next dialog runs as usual";
}
