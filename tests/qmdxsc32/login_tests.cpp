// The login dialog through the whole chain: Login32 loaded by name, the script view,
// tolvak32 and keymgrd over its socket.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <filesystem>

#include "dialog_script.h"
#include "keymgrd_fixture.h"
#include "no_terminal.h"
#include "qmdxsc32.h"

namespace {

const char* const kRejected =
    "msgbox text=\"The password entered is incorrect. Please enter the correct "
    "password.\" caption=\"PC-VORN Security for TCP/IP\" style=0x30";

class Library {
public:
    Library() : m_handle(dlopen(QMDXSC32_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library() {
        if (m_handle) {
            dlclose(m_handle);
        }
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    Login32Function login() const {
        return reinterpret_cast<Login32Function>(dlsym(m_handle, "Login32"));
    }

private:
    void* m_handle;
};

void set_password(const char* password) {
    kmi_osT_ os{{-1, 0, 0}};
    keymgr_cli client(20, os);
    ASSERT_EQ(client.passwordSet(0, password, ""), KMI_OK);
}

class Login : public vorn::test::KeymgrdTest {
protected:
    void SetUp() override {
        KeymgrdTest::SetUp();
        m_script = DialogScript(root());
        ASSERT_NE(m_library.login(), nullptr) << dlerror();
        set_password("right");
    }

    int login() { return m_library.login()(0); }

    Library m_library;
    DialogScript m_script{""};
};

TEST_F(Login, AWrongPasswordIsRejectedAsOftenAsTypedAndTheRightOneEndsTheDialog) {
    m_script.set(
        "type 1036 \"wrong\"\nclick 1\nanswer OK\ndump\n"
        "type 1036 \"\"\nkey Enter\nanswer OK\n" // an empty field goes to the key manager too
        "clear 1036\nkey Enter\nanswer OK\n"
        "type 1036 \"Right\"\nkey Enter\nanswer OK\n"
        "type 1036 \"right\"\nkey Enter\n");
    EXPECT_EQ(login(), 0);
    const std::string text = m_script.text();
    EXPECT_EQ(m_script.find("open dialog 148 title=\"PC-VORN Login\" sysmodal=1 help=1"), 0)
        << text;
    EXPECT_EQ(m_script.find("focus 1036"), 1) << text;
    EXPECT_EQ(m_script.count(kRejected), 4) << text;
    const int first = m_script.find(kRejected);
    EXPECT_EQ(m_script.find("cursor wait"), first - 1) << text;
    EXPECT_NE(m_script.find("focus 1036", first), -1) << "the field has the focus again\n" << text;
    EXPECT_NE(m_script.find("state dialog 148 title=\"PC-VORN Login\"", first), -1) << text;
    EXPECT_NE(
        m_script.find("state 1036 class=edit text=<masked:5> enabled=1 visible=1 focus=1 sel=0,5",
                      first),
        -1)
        << "the rejected text stays, selected\n"
        << text;
    EXPECT_NE(m_script.find("end dialog 148 code=1"), -1) << text;
    EXPECT_EQ(text.find("right"), std::string::npos) << "no password in the transcript";
    EXPECT_EQ(m_script.count("cursor wait"), m_script.count("cursor normal"));
}

TEST_F(Login, AKeyManagerThatIsNotRunningGetsTheSameMessage) {
    ASSERT_TRUE(keymgrd().stop());
    m_script.set("type 1036 \"right\"\nkey Enter\nanswer OK\nkey Escape\n");
    EXPECT_EQ(login(), 1);
    EXPECT_EQ(m_script.count(kRejected), 1) << m_script.text();
}

TEST_F(Login, HelpAndContextMenusShowNothingButTheFieldsOwnMenu) {
    m_script.set(
        "key F1\nhelp\nrightclick\nrightclick -1\nrightclick 1\nrightclick 1036\nkey Escape\n");
    EXPECT_EQ(login(), 1);
    const std::string text = m_script.text();
    EXPECT_EQ(m_script.count("help"), 0) << text;
    EXPECT_EQ(m_script.count("menu"), 1) << text;
    EXPECT_NE(m_script.find("menu 1036"), -1) << text;
    EXPECT_EQ(m_script.count("error"), 0) << text;
}

TEST_F(Login, WithoutAViewLogin32ReturnsAtOnce) {
    const vorn::testing::NoTerminal noTerminal;
    setenv("VORN_UI", "none", 1);
    EXPECT_EQ(login(), -1);
    unsetenv("VORN_UI");
    EXPECT_EQ(login(), -1) << "no terminal and no display: no view";
}

// A listener on the key manager's socket that records whether anyone connected.
class Cancelling : public vorn::test::TempRootTest,
                   public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        TempRootTest::SetUp();
        std::filesystem::create_directories(root() + "/run");
        chmod((root() + "/run").c_str(), 0700);
        m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket_path().c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(listen(m_listener, 4), 0);
    }
    void TearDown() override {
        close(m_listener);
        TempRootTest::TearDown();
    }
    bool contacted() const {
        const int connection = accept(m_listener, nullptr, nullptr);
        if (connection >= 0) {
            close(connection);
        }
        return connection >= 0;
    }

    int m_listener = -1;
};

TEST_P(Cancelling, EndsWithOneAndContactsNothing) {
    Library library;
    ASSERT_NE(library.login(), nullptr);
    DialogScript script(root());
    script.set(std::string("type 1036 \"typed\"\n") + GetParam() + "\n");
    EXPECT_EQ(library.login()(0), 1);
    EXPECT_FALSE(contacted());
    EXPECT_EQ(script.count("msgbox"), 0) << script.text();
    EXPECT_NE(script.find("end dialog 148 code=2"), -1) << script.text();
}

INSTANTIATE_TEST_SUITE_P(CancelEscapeAndClose, Cancelling,
                         ::testing::Values("click 2", "key Escape", "close"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return "way" + std::to_string(param.index);
                         });

} // namespace
