// vornconfig loads QMDXSC32 by name, calls one export and reports its result.
#include <fstream>

#include "keymgrd_fixture.h"
#include "tolvak32.h"

namespace {

using vorn::test::run_program;

class Vornconfig : public vorn::test::KeymgrdTest {
protected:
    void script(const std::string& text) {
        std::ofstream(root() + "/script") << text;
        setenv("VORN_UI", ("script:" + root() + "/script").c_str(), 1);
        setenv("VORN_UI_TRANSCRIPT", (root() + "/transcript").c_str(), 1);
    }
};

TEST_F(Vornconfig, LoginPrintsTheResultAndExitsWithIt) {
    {
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli client(20, os);
        ASSERT_EQ(client.passwordSet(0, "right", ""), KMI_OK);
    }
    const struct {
        const char* script;
        const char* out;
        int status;
    } cases[] = {
        {"type 1036 \"right\"\nkey Enter\n", "result=0\n", 0},
        {"key Escape\n", "result=1\n", 1},
        {"type 1036 \"wrong\"\nkey Enter\nanswer OK\nclose\n", "result=1\n", 1},
    };
    for (const auto& entry : cases) {
        script(entry.script);
        const auto run = run_program({VORNCONFIG, "login"});
        EXPECT_EQ(run.out, entry.out) << entry.script;
        EXPECT_EQ(run.status, entry.status) << entry.script;
    }
}

TEST_F(Vornconfig, WithoutAViewTheLoginFailsAtOnce) {
    setenv("VORN_UI", "none", 1);
    const auto run = run_program({VORNCONFIG, "login"});
    EXPECT_EQ(run.out, "result=-1\n");
    EXPECT_EQ(run.status, 2);
}

TEST_F(Vornconfig, FindsTheLibraryWhereItIsToldOrBesideItself) {
    setenv("VORN_UI", "none", 1);
    setenv("VORN_QMDXSC32", (root() + "/missing.so").c_str(), 1);
    EXPECT_EQ(run_program({VORNCONFIG, "login"}).status, 3);
    setenv("VORN_QMDXSC32", QMDXSC32_PATH, 1);
    EXPECT_EQ(run_program({VORNCONFIG, "login"}).status, 2);
    unsetenv("VORN_QMDXSC32");
    EXPECT_EQ(run_program({VORNCONFIG, "login"}).status, 2) << "../lib/libqmdxsc32.so beside it";
}

TEST_F(Vornconfig, ABadCommandLineIsRefused) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{VORNCONFIG, "frobnicate"},
          {VORNCONFIG, "login", "extra"},
          {VORNCONFIG, "show", "--kind", "1"},
          {VORNCONFIG, "addkey", "--kind", "x"}}) {
        const auto run = run_program(arguments);
        EXPECT_EQ(run.status, 64) << arguments[1];
        EXPECT_EQ(run.out, "") << arguments[1];
    }
}

TEST_F(Vornconfig, PasswdPrintsThePasswordsTheExportWrote) {
    const struct {
        std::vector<std::string> arguments;
        const char* script;
        const char* out;
        int status;
    } cases[] = {
        {{VORNCONFIG, "passwd"},
         "type 1012 \"first\"\ntype 1013 \"first\"\nkey Enter\n",
         "result=0\nnew_password=first\n",
         0},
        {{VORNCONFIG, "passwd", "--change"},
         "type 1011 \"first\"\ntype 1012 \"second\"\ntype 1013 \"second\"\nkey Enter\n",
         "result=0\nnew_password=second\nold_password=first\n",
         0},
        {{VORNCONFIG, "passwd", "--change"}, "type 1011 \"second\"\nkey Escape\n", "result=1\n", 1},
    };
    for (const auto& entry : cases) {
        script(entry.script);
        const auto run = run_program(entry.arguments);
        EXPECT_EQ(run.out, entry.out) << entry.script;
        EXPECT_EQ(run.status, entry.status) << entry.script;
    }
}

TEST_F(Vornconfig, GenkeyPrintsTheDescriptionAndTheWholePool) {
    script("type 1028 \"office key\"\nmouse-random 257\nclick 1\n");
    const auto run = run_program({VORNCONFIG, "genkey"});
    EXPECT_EQ(run.status, 0);
    const std::string head = "result=0\ndescription=office key\npool=";
    ASSERT_EQ(run.out.rfind(head, 0), 0U) << run.out;
    const std::string pool = run.out.substr(head.size());
    ASSERT_EQ(pool.size(), 1025U) << pool;
    EXPECT_EQ(pool.find_first_not_of("0123456789ABCDEF"), 1024U) << pool;
    EXPECT_EQ(pool.back(), '\n');

    script("mouse-random 300\nclose\n");
    const auto cancelled = run_program({VORNCONFIG, "genkey"});
    EXPECT_EQ(cancelled.out, "result=1\n");
    EXPECT_EQ(cancelled.status, 1);
}

} // namespace
