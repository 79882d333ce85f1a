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

TEST_F(KeymgrdProcess, SocketDirectoryOthersCouldWriteIsRefused) {
    struct Case {
        const char* name;
        mode_t mode;
        bool served;
    };
    const Case cases[] = {
        {"open", 0777, false},
        {"group-writable", 0770, false},
        {"sticky", 01777, true},
        {"private", 0700, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string directory = root() + "/" + c.name;
        ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
        ASSERT_EQ(chmod(directory.c_str(), c.mode), 0);
        Keymgrd service(directory + "/keymgr.sock", root() + "/state-" + c.name);
        EXPECT_EQ(service.start(), c.served);
    }
}

TEST_F(KeymgrdProcess, SocketDirectoryOfAnotherUserIsRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to give a directory to another user";
    }
    std::string directory = root() + "/foreign";
    ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
    ASSERT_EQ(chown(directory.c_str(), 65534, 65534), 0);
    Keymgrd service(directory + "/keymgr.sock", root() + "/state-foreign");
    EXPECT_FALSE(service.start());
}

// A listener run by another user, answering every request with success.
TEST_F(KeymgrdProcess, ClientTalksOnlyToAServiceOfItsOwnUser) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to run a listener as another user";
    }
    // The other user must reach its socket's directory.
    ASSERT_EQ(chmod(root().c_str(), 0711), 0);
    std::string directory = root() + "/planted";
    ASSERT_EQ(mkdir(directory.c_str(), 0777), 0);
    ASSERT_EQ(chmod(directory.c_str(), 0777), 0);
    std::string path = directory + "/keymgr.sock";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    if (pid == 0) {
        int listener = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, path.c_str());
        if (setgid(65534) != 0 || setuid(65534) != 0 ||
            bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            chmod(path.c_str(), 0777) != 0 || listen(listener, 4) != 0) {
            _exit(1);
        }
        (void)!write(ready[1], "r", 1);
        const char success[] = {4, 0, 0, 0, 0, 0, 0, 0};
        for (;;) {
            int connection = accept(listener, nullptr, nullptr);
            char request[64];
            (void)!read(connection, request, sizeof request);
            (void)!write(connection, success, sizeof success);
            close(connection);
        }
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1) << "planted listener did not start";
    close(ready[0]);
    setenv("VORN_KEYMGR_SOCKET", path.c_str(), 1);
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli cli(20, os);
    EXPECT_EQ(cli.login(0, "the password"), KMI_ERR_UNREACHABLE);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
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

// The client alone.
class KeymgrClient : public vorn::test::TempRootTest {};

TEST_F(KeymgrClient, WithoutServiceEveryCallFailsAndProbeReportsFailure) {
    const std::string paths[] = {
        socket_path(), std::string(200, 'x'), // longer than a socket path can be
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

TEST_F(KeymgrClient, DefaultSocketFollowsTheRuntimeDirectory) {
    // A keymgrd on the default path under XDG_RUNTIME_DIR is what the client finds.
    std::string runtime = root() + "/runtime";
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
}

TEST_F(KeymgrClient, AttributeKeepsItsOwnCopies) {
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
