// keymgrd as a process: its socket, stale and foreign files, a second instance, a broken
// state file, and tolvak32 with no service at all.
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "keymgrd_fixture.h"
#include "tolvak32.h"

namespace {

namespace fs = std::filesystem;
using vorn::test::Keymgrd;
using vorn::test::KeymgrdTest;

class KeymgrdProcess : public KeymgrdTest {};

TEST_F(KeymgrdProcess, SocketIsTheOwnersAloneInACreatedDirectory) {
    struct stat info {};
    ASSERT_EQ(lstat(keymgrd().socket_path().c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(stat((root() + "/run").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << "created parent directory is private";
}

TEST_F(KeymgrdProcess, StopRemovesTheSocketAndAStaleOneIsReplaced) {
    ASSERT_TRUE(keymgrd().stop());
    EXPECT_FALSE(fs::exists(keymgrd().socket_path()));

    // A socket left behind by a keymgrd that died without cleaning up.
    int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, keymgrd().socket_path().c_str());
    ASSERT_EQ(bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(stale);
    ASSERT_TRUE(fs::exists(keymgrd().socket_path()));
    ASSERT_TRUE(keymgrd().start());
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli cli(20, os);
    kmi_state state = KMI_STATE_FAILED;
    kmk_state keys = KMK_STATE_LOCKED;
    EXPECT_EQ(cli.probe(state, keys), KMI_OK);
}

TEST_F(KeymgrdProcess, SecondInstanceOnALiveSocketIsRefused) {
    Keymgrd second(keymgrd().socket_path(), root() + "/other-state");
    EXPECT_FALSE(second.start());
    EXPECT_EQ(second.last_status(), 1);
    EXPECT_TRUE(keymgrd().accepts()) << "the first one still serves";
}

TEST_F(KeymgrdProcess, FileThatIsNotASocketIsLeftAlone) {
    std::string path = root() + "/run/not-a-socket";
    std::ofstream(path) << "keep me\n";
    Keymgrd other(path, root() + "/other-state");
    EXPECT_FALSE(other.start());
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "keep me");
}

TEST_F(KeymgrdProcess, BrokenStateFileStopsTheStartAndIsKept) {
    ASSERT_TRUE(keymgrd().stop());
    const std::string broken[] = {
        "something else\n",
        "vorn-keymgr 1\nattr\t1\tzz\tDESCRIPTION\tx\n",
        "vorn-keymgr 1\nattr\t99\t01\tDESCRIPTION\tx\n",
        "vorn-keymgr 1\nattr\t1\t01\tDESCRIPTION\tbad\\q\n",
        "vorn-keymgr 1\npassword\n",
    };
    std::string file = keymgrd().state_dir() + "/keymgr.state";
    for (const std::string& text : broken) {
        SCOPED_TRACE(text);
        std::ofstream(file, std::ios::trunc) << text;
        EXPECT_FALSE(keymgrd().start());
        EXPECT_EQ(keymgrd().last_status(), 1);
        vorn::test::ProgramOutput shown = keymgrd().show();
        EXPECT_EQ(shown.status, 1);
        std::ifstream in(file);
        std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(kept, text);
    }
}

TEST_F(KeymgrdProcess, ShowNeedsAnExistingStateDirectory) {
    Keymgrd missing(root() + "/unused.sock", root() + "/no-such-dir");
    vorn::test::ProgramOutput shown = missing.show();
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.out, "");
}

TEST_F(KeymgrdProcess, BadArgumentsGiveUsage) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {VORN_KEYMGRD_PATH},
             {VORN_KEYMGRD_PATH, "--socket", "/tmp/x.sock"},
             {VORN_KEYMGRD_PATH, "--state"},
             {VORN_KEYMGRD_PATH, "--state", root(), "--bogus"},
         }) {
        EXPECT_EQ(vorn::test::run_program(arguments).status, 2) << arguments.size();
    }
}

// No fixture service: the client alone.
TEST(KeymgrWithoutService, EveryCallFailsAndProbeReportsFailure) {
    const std::string paths[] = {
        "/nonexistent-vorn-dir/keymgr.sock",
        std::string(200, 'x'), // longer than a socket path can be
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        setenv("VORN_KEYMGR_SOCKET", path.c_str(), 1);
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli cli(20, os);
        kmi_state state = KMI_STATE_WORKING;
        kmk_state keys = KMK_STATE_UNLOCKED;
        EXPECT_NE(cli.probe(state, keys), KMI_OK);
        EXPECT_EQ(state, KMI_STATE_FAILED);
        EXPECT_NE(cli.login(0, "pw"), KMI_OK);
        EXPECT_NE(cli.passwordSet(0, "pw", ""), KMI_OK);
        vorn_name_t record{};
        Xstring name("DESCRIPTION");
        Xstring value("v");
        auto* attribute = new vorn_attrib(VORN_ATTR_TEXT, name, value);
        EXPECT_NE(cli.certEdit(record, &attribute), KMI_OK);
        delete attribute;
    }
}

TEST(KeymgrWithoutService, DefaultSocketFollowsTheRuntimeDirectory) {
    // A keymgrd on the default path under XDG_RUNTIME_DIR is what the client finds.
    char pattern[] = "/tmp/vorn-keymgr-xdg-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string runtime = pattern;
    unsetenv("VORN_KEYMGR_SOCKET");
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    {
        Keymgrd service(runtime + "/vorn/keymgr.sock", runtime + "/state");
        ASSERT_TRUE(service.start());
        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli cli(20, os);
        kmi_state state = KMI_STATE_FAILED;
        kmk_state keys = KMK_STATE_LOCKED;
        EXPECT_EQ(cli.probe(state, keys), KMI_OK);
        EXPECT_EQ(state, KMI_STATE_WORKING);
    }
    fs::remove_all(runtime);
}

TEST(KeymgrAttribute, KeepsItsOwnCopies) {
    auto* name = new Xstring("DESCRIPTION");
    auto* value = new Xstring("a description");
    vorn_attrib attribute(VORN_ATTR_TEXT, *name, *value);
    delete name;
    delete value;
    EXPECT_EQ(attribute.type(), VORN_ATTR_TEXT);
    EXPECT_STREQ(attribute.name().c_str(), "DESCRIPTION");
    EXPECT_STREQ(attribute.value().c_str(), "a description");

    Xstring copy("first");
    Xstring other("second");
    copy = other;
    copy = copy;
    EXPECT_STREQ(copy.c_str(), "second");
    EXPECT_STREQ(Xstring(nullptr).c_str(), "");
}

} // namespace
