#include "harness.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vorn::test {
namespace {

constexpr int kUnavailable = 77;
std::string s_hostsPath;

// Every temp directory of the test process, removed when the process ends normally (an
// isolated child leaves with _exit and removes nothing).
class TempDirectories {
public:
    TempDirectories() = default;
    TempDirectories(const TempDirectories&) = delete;
    TempDirectories& operator=(const TempDirectories&) = delete;
    ~TempDirectories() {
        std::error_code ignored;
        for (const std::string& directory : m_directories) {
            std::filesystem::remove_all(directory, ignored);
        }
    }
    void add(const std::string& directory) { m_directories.push_back(directory); }

private:
    std::vector<std::string> m_directories;
};
TempDirectories s_temporaries;

std::string make_temp_directory() {
    char pattern[] = "/tmp/vorn-test-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) {
        ADD_FAILURE() << "mkdtemp: " << std::strerror(errno);
        return "/tmp";
    }
    s_temporaries.add(made);
    return made;
}

bool bring_up_loopback() {
    int descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        return false;
    }
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool ok = ::ioctl(descriptor, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP | IFF_RUNNING);
    ok = ok && ::ioctl(descriptor, SIOCSIFFLAGS, &request) == 0;
    ::close(descriptor);
    return ok;
}

bool bind_over(const std::string& source, const char* target) {
    return ::mount(source.c_str(), target, nullptr, MS_BIND, nullptr) == 0;
}

// In the child: the namespaces, lo, the hosts file and a resolver that answers nothing.
const char* isolate(const std::string& directory, const std::string& hostsText) {
    if (::unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) {
        return "unshare(CLONE_NEWNET | CLONE_NEWNS) is not permitted here";
    }
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return "cannot make the mount namespace private";
    }
    if (!bring_up_loopback()) {
        return "cannot bring up lo in the new network namespace";
    }
    s_hostsPath = directory + "/hosts";
    write_file(s_hostsPath, hostsText);
    write_file(directory + "/resolv.conf", "nameserver 127.0.0.1\noptions timeout:1 attempts:1\n");
    if (!bind_over(s_hostsPath, "/etc/hosts")) {
        return "cannot bind-mount a private /etc/hosts";
    }
    if (!bind_over(directory + "/resolv.conf", "/etc/resolv.conf")) {
        return "cannot bind-mount a private /etc/resolv.conf";
    }
    return nullptr;
}

} // namespace

std::string empty_directory() {
    return make_temp_directory();
}

std::string fresh_root(const std::string& driverDirectory) {
    std::string root = make_temp_directory();
    ::setenv("VORN_ROOT", root.c_str(), 1);
    ::setenv("VORN_DRIVER_PATH", driverDirectory.c_str(), 1);
    return root;
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

void write_driver_config(const std::string& text) {
    const char* root = std::getenv("VORN_ROOT");
    ASSERT_NE(root, nullptr) << "fresh_root() first";
    std::string system = std::string(root) + "/drive_c/WINDOWS/SYSTEM";
    std::error_code error;
    std::filesystem::create_directories(system, error);
    ASSERT_FALSE(error) << "cannot create " << system;
    write_file(system + "/QMDXVORN.INI", text);
}

std::string use_recording_driver() {
    std::string log = make_temp_directory() + "/requests";
    ::setenv("VORN_RECORDING_LOG", log.c_str(), 1);
    ::setenv("VORN_DRIVER_PATH", VORN_TEST_RECORDING_DIR, 1);
    return VORN_TEST_RECORDING_DIR;
}

std::vector<int> recorded_requests() {
    std::vector<int> requests;
    const char* log = std::getenv("VORN_RECORDING_LOG");
    std::ifstream in(log != nullptr ? log : "");
    int request = 0;
    while (in >> request) {
        requests.push_back(request);
    }
    return requests;
}

int count_of(const std::vector<int>& requests, int request) {
    int count = 0;
    for (int each : requests) {
        count += each == request ? 1 : 0;
    }
    return count;
}

const std::string& hosts_path() {
    return s_hostsPath;
}

Isolated run_isolated(const std::string& hostsText, const std::function<void()>& body) {
    std::fflush(nullptr);
    Isolated result;
    std::string directory = make_temp_directory();
    pid_t child = ::fork();
    if (child < 0) {
        result.reason = "fork failed";
        return result;
    }
    if (child == 0) {
        ::alarm(60);
        if (const char* problem = isolate(directory, hostsText)) {
            std::fprintf(stderr, "%s\n", problem);
            ::_exit(kUnavailable);
        }
        body();
        bool failed = ::testing::Test::HasFailure();
        std::fflush(nullptr);
        ::_exit(failed ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kUnavailable) {
        result.reason = "network and mount namespaces are not available (needs root or "
                        "user namespaces)";
        return result;
    }
    result.ran = true;
    result.passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

SyslogListener::SyslogListener() {
    m_descriptor = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(514);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_descriptor >= 0 &&
        ::bind(m_descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

SyslogListener::~SyslogListener() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

std::optional<std::string> SyslogListener::receive() {
    pollfd wait{m_descriptor, POLLIN, 0};
    if (m_descriptor < 0 || ::poll(&wait, 1, 5000) != 1) {
        return std::nullopt;
    }
    char buffer[4096];
    ssize_t length = ::recv(m_descriptor, buffer, sizeof buffer, 0);
    if (length < 0) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<size_t>(length));
}

} // namespace vorn::test
