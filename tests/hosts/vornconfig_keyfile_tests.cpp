// vornconfig addkey and show: the key file chooser and the certificate properties dialog
// as the host program runs them, with what they print and what the key manager keeps.
#include <filesystem>
#include <fstream>

#include "keymgrd_fixture.h"
#include "tolvak32.h"

namespace {

using vorn::test::run_program;

class VornconfigKeys : public vorn::test::KeymgrdTest {
protected:
    void SetUp() override {
        KeymgrdTest::SetUp();
        std::filesystem::create_directories(root() + "/drive_c/KEYS");
        for (const char* name : {"host.key", "host.crt"}) {
            std::ofstream(root() + "/drive_c/KEYS/" + name) << "material";
        }
    }

    void script(const std::string& text) {
        std::ofstream(root() + "/script") << text;
        setenv("VORN_UI", ("script:" + root() + "/script").c_str(), 1);
        setenv("VORN_UI_TRANSCRIPT", (root() + "/transcript").c_str(), 1);
    }

    std::string transcript() const {
        std::ifstream in(root() + "/transcript");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(VornconfigKeys, AddkeyPrintsWhatTheExportWrote) {
    const struct {
        std::vector<std::string> arguments;
        const char* script;
        const char* out;
        int status;
    } cases[] = {
        {{"addkey"},
         "file \"C:\\\\KEYS\\\\host\"\ntype 1018 \"edge\"\nclick 1\n",
         "result=0\ndescription=edge\npath=C:\\KEYS\\host.key\nnamespace=1\n",
         0},
        {{"addkey", "--kind", "1"},
         "file \"KEYS\\\\host\"\nkey Enter\n",
         "result=0\ndescription=\npath=C:\\KEYS\\host.crt\nnamespace=1\n",
         0},
        {{"addkey"}, "file-cancel\n", "result=1\n", 1},
        {{"addkey", "--kind", "2"}, "file \"KEYS\\\\host\"\nkey Escape\n", "result=1\n", 1},
        {{"addkey"},
         "file \"KEYS\\\\absent\"\ntype 1018 \"spare\"\nclick 1\n",
         "result=-1\ndescription=spare\n",
         2},
    };
    for (const auto& entry : cases) {
        script(entry.script);
        std::vector<std::string> arguments{VORNCONFIG};
        arguments.insert(arguments.end(), entry.arguments.begin(), entry.arguments.end());
        const auto run = run_program(arguments);
        EXPECT_EQ(run.out, entry.out) << entry.script;
        EXPECT_EQ(run.status, entry.status) << entry.script;
    }
}

TEST_F(VornconfigKeys, ShowBuildsTheBlockFromTheAttributesInOrderAndTheEditIsStored) {
    {
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli client(20, os);
        ASSERT_EQ(client.passwordSet(0, "secret", ""), KMI_OK);
        ASSERT_EQ(client.login(0, "secret"), KMI_OK);
    }
    script("dump\ntype 1018 \"new\"\nclick 1\n");
    const auto run = run_program({VORNCONFIG, "show", "--kind", "1", "--nsid", "1", "--node",
                                  "0A000001", "--attr", "B=x=y", "--attr", "DESCRIPTION=old",
                                  "--attr", "A=1", "--attr", "C="});
    EXPECT_EQ(run.out, "result=0\n");
    EXPECT_EQ(run.status, 0);
    const std::string text = transcript();
    EXPECT_NE(text.find("state 1017 class=edit text=\"0a000001:  IPv4 Address\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("rows=3 row0=\"B|x=y\" row1=\"A|1\" row2=\"C|\""), std::string::npos)
        << text;
    EXPECT_NE(text.find("state 1018 class=edit text=\"old\""), std::string::npos) << text;
    EXPECT_EQ(keymgrd().show().out, "password=set\ncertificate nsid=1 node=0a000001\n"
                                    "  attribute name=\"DESCRIPTION\" value=\"new\"\n");
}

TEST_F(VornconfigKeys, ShowTakesAnyKindAndRefusesAMalformedCommandLine) {
    setenv("VORN_UI", "none", 1);
    const auto run = run_program({VORNCONFIG, "show", "--kind", "-1", "--nsid", "8", "--node", ""});
    EXPECT_EQ(run.out, "result=0\n");
    EXPECT_EQ(run.status, 0);
    for (const std::vector<std::string>& arguments : {
             std::vector<std::string>{"show", "--nsid", "1", "--node", "0a000001"},
             {"show", "--kind", "0", "--node", "0a000001"},
             {"show", "--kind", "0", "--nsid", "1"},
             {"show", "--kind", "0", "--nsid", "256", "--node", "0a000001"},
             {"show", "--kind", "0", "--nsid", "1", "--node", "0a00001"},
             {"show", "--kind", "0", "--nsid", "1", "--node", "+a000001"},
             {"show", "--kind", "0", "--nsid", "1", "--node", " a000001"},
             {"show", "--kind", "0", "--nsid", "1", "--node", "0a000001", "--attr", "=x"},
             {"show", "--kind", "0", "--nsid", "1", "--node", "0a000001", "--attr", "novalue"},
             {"show", "--kind", "0", "--nsid", "1", "--node", "0a000001", "--attr"},
             {"addkey", "--kind"},
             {"addkey", "--frobnicate"},
         }) {
        std::vector<std::string> command{VORNCONFIG};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const auto refused = run_program(command);
        EXPECT_EQ(refused.status, 64) << arguments.back();
        EXPECT_EQ(refused.out, "") << arguments.back();
    }
}

} // namespace
