// The Set Password and Create Private Key dialogs on a real terminal.
#include "terminal_fixture.h"

namespace {

using vorn::test::TerminalTest;

class TerminalPassword : public TerminalTest {
protected:
    kmi_err login(const char* password) {
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli client(20, os);
        return client.login(0, password);
    }
};

TEST_F(TerminalPassword, APasswordIsSetThenChanged) {
    start("passwd");
    ASSERT_TRUE(pane().wait_for("Set Password")) << pane().screen();
    for (const char* text : {"Old Password:", "New Password:", "Confirm Password:", "< OK >"}) {
        EXPECT_TRUE(pane().wait_for(text)) << text;
    }
    // Set mode: the old field is greyed and the focus starts in the new one.
    pane().literal("alpha1");
    pane().keys({"Tab"});
    pane().literal("alpha1");
    ASSERT_TRUE(pane().wait_for("[******  "));
    EXPECT_EQ(pane().screen().find("alpha1"), std::string::npos) << "a password showed";
    pane().keys({"Enter"});
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(output(), "result=0\nnew_password=alpha1\n");
    expect_terminal_sane();
    EXPECT_NE(keymgrd().show().out.find("password=set"), std::string::npos);

    std::filesystem::remove(root() + "/status.txt");
    std::filesystem::remove(root() + "/pid");
    start("passwd --change");
    ASSERT_TRUE(pane().wait_for("Set Password"));
    pane().literal("alpha1");
    pane().keys({"Tab"});
    pane().literal("beta22");
    pane().keys({"Tab"});
    pane().literal("beta22");
    pane().keys({"Enter"});
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(output(), "result=0\nnew_password=beta22\nold_password=alpha1\n");
    expect_terminal_sane();
    EXPECT_EQ(login("beta22"), KMI_OK);
    EXPECT_NE(login("alpha1"), KMI_OK);
}

TEST_F(TerminalPassword, AMismatchedConfirmationIsReportedAndTheFieldsEmptied) {
    start("passwd");
    ASSERT_TRUE(pane().wait_for("Confirm Password:"));
    pane().literal("one");
    pane().keys({"Tab"});
    pane().literal("two");
    pane().keys({"Enter"});
    ASSERT_TRUE(pane().wait_for("Password Confirmation Failed!")) << pane().screen();
    pane().keys({"Enter"});
    ASSERT_TRUE(pane().wait_gone("Password Confirmation Failed!"));
    EXPECT_EQ(pane().screen().find("[***"), std::string::npos) << pane().screen();
    pane().keys({"Escape"});
    EXPECT_EQ(finish(), 1);
    expect_terminal_sane();
}

class TerminalGenKey : public TerminalTest {};

TEST_F(TerminalGenKey, MouseMotionGathersTheRandomDataUntilOkTakesEnter) {
    start("genkey");
    ASSERT_TRUE(pane().wait_for("Create Private Key"));
    ASSERT_TRUE(pane().wait_for("4096"));
    pane().literal("office key");
    // OK stays greyed until the data is complete: Enter does nothing yet.
    pane().keys({"Enter"});
    int column = 0;
    int row = 0;
    ASSERT_TRUE(pane().find("Move the mouse", column, row));
    // The free surface above the text; the text itself lets the mouse through too.
    std::string moves;
    for (int i = 0; i < 300; ++i) {
        const int x = column + 1 + (i * 7) % 40;
        const int y = row - 2 + i % 3;
        moves += "\033[<35;" + std::to_string(x + 1) + ";" + std::to_string(y + 1) + "M";
        if (i == 100) {
            pane().literal(moves);
            moves.clear();
            ASSERT_TRUE(pane().wait_gone("4096")) << "the counter did not go down";
        }
    }
    pane().literal(moves);
    ASSERT_TRUE(vorn::test::TmuxSession::wait_until([&] {
        const std::string screen = pane().screen();
        const auto at = screen.find("Random Bits Needed:");
        return at != std::string::npos &&
               screen.substr(at, screen.find('\n', at) - at).find(" 0") != std::string::npos;
    })) << pane().screen();
    pane().keys({"Enter"});
    EXPECT_EQ(finish(), 0);
    const std::string out = output();
    EXPECT_EQ(out.substr(0, out.find("pool=")), "result=0\ndescription=office key\n");
    const auto pool = out.substr(out.find("pool=") + 5);
    EXPECT_EQ(pool.size(), 1024U + 1);
    expect_terminal_sane();
}

class TerminalCertificate : public TerminalTest {};

TEST_F(TerminalCertificate, ADescriptionChangedOnTheTerminalReachesTheKeyManager) {
    set_password("pass");
    {
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli client(20, os);
        ASSERT_EQ(client.login(0, "pass"), KMI_OK);
    }
    start("show --kind 1 --nsid 1 --node c0a80101 --attr DESCRIPTION=Old --attr ISSUER=Lab");
    ASSERT_TRUE(pane().wait_for("Public Certificate Information")) << pane().screen();
    EXPECT_TRUE(pane().wait_for("Attribute Name"));
    EXPECT_TRUE(pane().wait_for("ISSUER"));
    // The description field has the focus with its text selected: typing replaces it.
    pane().literal("Office gateway");
    ASSERT_TRUE(pane().wait_for("Office gateway"));
    pane().keys({"Enter"});
    EXPECT_EQ(finish(), 0);
    expect_terminal_sane();
    EXPECT_NE(keymgrd().show().out.find("value=\"Office gateway\""), std::string::npos)
        << keymgrd().show().out;
}

class TerminalKeyFile : public TerminalTest {};

TEST_F(TerminalKeyFile, ACertificateFileIsChosenThroughTheFileDialog) {
    std::filesystem::create_directories(root() + "/drive_c/Certs");
    std::ofstream(root() + "/drive_c/Certs/gw.crt") << "certificate";
    std::ofstream(root() + "/drive_c/notes.txt") << "not listed";
    start("addkey --kind 1");
    ASSERT_TRUE(pane().wait_for("Look in: C:\\")) << pane().screen();
    EXPECT_TRUE(pane().wait_for("Files of type: Certificates (*.crt)"));
    EXPECT_TRUE(pane().wait_for("Certs\\"));
    EXPECT_EQ(pane().screen().find("notes.txt"), std::string::npos) << "the pattern let it in";
    // Into the folder by its name, then the file by the keys.
    pane().literal("certs");
    pane().keys({"Enter"});
    ASSERT_TRUE(pane().wait_for("gw.crt")) << pane().screen();
    pane().keys({"Down", "Down"});
    ASSERT_TRUE(pane().wait_for("[gw.crt"));
    pane().keys({"Enter"});
    ASSERT_TRUE(pane().wait_for("Public Certificate Information")) << pane().screen();
    pane().literal("gateway");
    pane().keys({"Tab", "Space"});
    ASSERT_TRUE(pane().wait_for("|IPv4 Address"));
    pane().keys({"Enter"});
    ASSERT_TRUE(pane().wait_gone("|IPv4 Address"));
    pane().keys({"Enter"});
    EXPECT_EQ(finish(), 0);
    EXPECT_EQ(output(), "result=0\ndescription=gateway\npath=C:\\Certs\\gw.crt\nnamespace=1\n");
    expect_terminal_sane();
}

TEST_F(TerminalKeyFile, CancellingTheFileDialogGivesTheTerminalBack) {
    start("addkey");
    ASSERT_TRUE(pane().wait_for("Files of type: Private Keys (dh.key)"));
    int column = 0;
    int row = 0;
    ASSERT_TRUE(pane().find("[ Cancel ]", column, row));
    pane().click(column + 2, row);
    EXPECT_EQ(finish(), 1);
    expect_terminal_sane();
}

} // namespace
