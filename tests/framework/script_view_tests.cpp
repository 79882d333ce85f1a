// The script view: errors cancel what is open and nothing waits; passwords stay masked.
#include "no_terminal.h"
#include "script_run.h"
#include "test_dialogs.h"

using ScriptView = ScriptRun;

struct ScriptFault {
    const char* script;
    const char* error;
};

class ScriptFaults : public ScriptRun, public ::testing::WithParamInterface<ScriptFault> {};

TEST_P(ScriptFaults, WriteAnErrorLineAndCancel) {
    script(GetParam().script);
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line(GetParam().error), -1) << transcript_text();
    EXPECT_NE(find_line("end dialog 101 code=2"), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptFaults,
    ::testing::Values(ScriptFault{"# nothing but a comment\n",
                                  "error line 2: the script ended while a window is open"},
                      ScriptFault{"click 4242\n", "error line 1: no control 4242"},
                      ScriptFault{"\n\nfrobnicate 1\n", "error line 3: unknown action frobnicate"},
                      ScriptFault{"type 1008 \"open\n", "error line 1: text is not closed"},
                      ScriptFault{"answer OK\n", "error line 1: no message box is open"},
                      ScriptFault{"key Hyper\n", "error line 1: unknown key Hyper"},
                      ScriptFault{"type 1005 \"x\"\n",
                                  "error line 1: control 1005 is not an edit"}),
    [](const ::testing::TestParamInfo<ScriptFault>& param) {
        return "case" + std::to_string(param.index);
    });

TEST_F(ScriptView, AnActionWhileAMessageBoxIsOpenCancelsBoth) {
    script("click 1006\nclick 1\n");
    CThrowerDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("error line 2: a message box is open"), -1) << transcript_text();
}

TEST_F(ScriptView, PasswordTextsNeverReachTheTranscript) {
    script("type 1008 \"s3cret\"\ndump\nkey Enter\n");
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.m_secret, "s3cret");
    const std::string text = transcript_text();
    EXPECT_EQ(text.find("s3cret"), std::string::npos) << text;
    EXPECT_NE(text.find("state 1008 class=edit text=<masked:6>"), std::string::npos) << text;
}

TEST_F(ScriptView, QuotedTextsUseCEscapes) {
    script("type 1001 \"a\\\"b\\\\c\"\ndump\nkey Escape\n");
    CExchangeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("state 1001 class=edit text=\"a\\\"b\\\\c\""), -1) << transcript_text();
}

TEST_F(ScriptView, NoViewMeansNoDialog) {
    const vorn::testing::NoTerminal noTerminal;
    for (const char* choice : {"none", "terminal", "gtk"}) {
        setenv("VORN_UI", choice, 1);
        CNoCancelDialog dialog;
        EXPECT_EQ(dialog.DoModal(), -1) << choice;
    }
    unsetenv("VORN_UI");
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), -1) << "no view is chosen without a terminal or a display";
}

TEST_F(ScriptView, AnUnreadableScriptCancelsAtOnce) {
    setenv("VORN_UI", ("script:" + m_root + "/missing").c_str(), 1);
    CNoCancelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(find_line("error line 0: cannot read the script"), -1) << transcript_text();
}
