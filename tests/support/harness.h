// Test helpers: a fresh platform root per test, the driver's configuration, and a body
// run in a child process with a network namespace of its own (only lo, so nothing leaves
// the machine) and a private /etc/hosts in a mount namespace of its own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorn::test {

// Points VORN_ROOT at a new temp dir and VORN_DRIVER_PATH at directory; returns the root.
std::string fresh_root(const std::string& driverDirectory);
// An empty directory: a driver path where no driver is found.
std::string empty_directory();
// Writes C:\WINDOWS\SYSTEM\QMDXVORN.INI under the current VORN_ROOT.
void write_driver_config(const std::string& text);
void write_file(const std::string& path, const std::string& text);

// The request-log driver (tests/support/request_log_driver.cpp): its directory, set up to log
// into a new file whose request numbers recorded_requests() returns.
std::string use_recording_driver();
std::vector<int> recorded_requests();
int count_of(const std::vector<int>& requests, int request);

struct Isolated {
    bool ran = false;    // false: namespaces are not available, see reason
    bool passed = false; // the body raised no test failure
    std::string reason;
};
// Runs body in a forked child inside new network and mount namespaces with lo up and
// hostsText bind-mounted over /etc/hosts (its host path in hostsPath, for rewriting).
// The child is killed when it takes longer than a minute.
Isolated run_isolated(const std::string& hostsText, const std::function<void()>& body);
// The host path of the hosts file inside the running isolated body.
const std::string& hosts_path();

// A UDP listener on 127.0.0.1:514 (inside an isolated body).
class SyslogListener {
public:
    SyslogListener();
    SyslogListener(const SyslogListener&) = delete;
    SyslogListener& operator=(const SyslogListener&) = delete;
    ~SyslogListener();
    bool ready() const { return m_descriptor >= 0; }
    // The next datagram, or nothing after five seconds.
    std::optional<std::string> receive();

private:
    int m_descriptor = -1;
};

} // namespace vorn::test

// Runs an isolated body from a TEST, skipping with the reason when it cannot run.
#define VORN_RUN_ISOLATED(hosts, ...)                                                              \
    do {                                                                                           \
        ::vorn::test::Isolated isolatedResult =                                                    \
            ::vorn::test::run_isolated((hosts), (__VA_ARGS__));                                    \
        if (!isolatedResult.ran) {                                                                 \
            GTEST_SKIP() << isolatedResult.reason;                                                 \
        }                                                                                          \
        EXPECT_TRUE(isolatedResult.passed) << "the isolated body failed (see above)";              \
    } while (false)
