// The syslog client, against a real UDP listener on 127.0.0.1:514 in a network
// namespace of the test's own.
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "harness.h"
#include "kernel/clock.h"
#include "vorn/vornlog.h"

namespace {

using vorn::test::count_of;
using vorn::test::recorded_requests;
using vorn::test::SyslogListener;

// 5 January 2027, 09:07:03 local time.
std::time_t fifth_of_january() {
    std::tm local{};
    local.tm_year = 2027 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 5;
    local.tm_hour = 9;
    local.tm_min = 7;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

std::time_t pinned_time() {
    static const std::time_t pinned = fifth_of_january();
    return pinned;
}

std::time_t beyond_the_calendar() {
    return std::numeric_limits<std::time_t>::max();
}

const char kStamp[] = "Jan 05 09:07:03 ";

int32_t send_directly(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int32_t result = vorn_vsyslog(0, format, args);
    va_end(args);
    return result;
}

// Every body runs with the clock pinned and a listener bound.
template <typename Body> void with_listener(Body body) {
    VORN_RUN_ISOLATED("127.0.0.1 localhost\n", [&body] {
        vorn::kernel::set_clock_source(pinned_time);
        SyslogListener listener;
        ASSERT_TRUE(listener.ready()) << "cannot bind 127.0.0.1:514";
        body(listener);
    });
}

class Syslog : public ::testing::Test {
protected:
    void SetUp() override { vorn::test::fresh_root(vorn::test::empty_directory()); }
};

TEST_F(Syslog, DatagramLayout) {
    with_listener([](SyslogListener& listener) {
        ASSERT_EQ(vorn_openlog("tool", 7), 0);
        EXPECT_EQ(vorn_syslog(3, "link %s", "down"), 0);
        EXPECT_EQ(listener.receive(), "<3>Jan 05 09:07:03 tool: link down");

        vorn_set_log_ident("", nullptr);
        EXPECT_EQ(vorn_syslog(-1, "%d%%", 5), 0);
        EXPECT_EQ(listener.receive(), std::string("<-1>") + kStamp + "5%")
            << "no identity: no colon, the message follows the blank";
    });
}

TEST_F(Syslog, InvalidDate) {
    with_listener([](SyslogListener& listener) {
        vorn::kernel::set_clock_source(beyond_the_calendar);
        EXPECT_EQ(vorn_syslog(0, "late"), 0);
        EXPECT_EQ(listener.receive(), "<0>Invalid Date    late");
    });
}

TEST_F(Syslog, IdentityIsCutTo32Characters) {
    with_listener([](SyslogListener& listener) {
        std::string forty(40, 'i');
        forty.replace(32, 8, "EXTRAXXX");
        ASSERT_EQ(vorn_openlog(forty.c_str(), 7), 0);
        EXPECT_EQ(vorn_syslog(6, "hello"), 0);
        EXPECT_EQ(listener.receive(),
                  std::string("<6>") + kStamp + std::string(32, 'i') + ": hello");

        char previous[VORN_LOG_IDENT_MAX + 1];
        vorn_set_log_ident(forty.c_str(), previous);
        EXPECT_EQ(std::string(previous), std::string(32, 'i'));
        vorn_set_log_ident(nullptr, previous);
        EXPECT_EQ(std::string(previous), std::string(32, 'i'));
        EXPECT_EQ(vorn_syslog(6, "bare"), 0);
        EXPECT_EQ(listener.receive(), std::string("<6>") + kStamp + "bare");

        ASSERT_EQ(vorn_openlog(nullptr, 7), 0);
        vorn_set_log_ident("kept", nullptr);
        ASSERT_EQ(vorn_openlog(nullptr, 7), 0);
        EXPECT_EQ(vorn_syslog(6, "x"), 0);
        EXPECT_EQ(listener.receive(), std::string("<6>") + kStamp + "kept: x")
            << "a null identity keeps the current one";
    });
}

TEST_F(Syslog, LongMessageIsCutTo1023Characters) {
    with_listener([](SyslogListener& listener) {
        ASSERT_EQ(vorn_openlog("tool", 7), 0);
        std::string text(3000, 'm');
        EXPECT_EQ(vorn_syslog(1, "%s", text.c_str()), 0);
        std::string head = std::string("<1>") + kStamp + "tool: ";
        EXPECT_EQ(listener.receive(), head + std::string(1023 - head.size(), 'm'));
    });
}

TEST_F(Syslog, WithoutDriverTheThresholdIs7) {
    with_listener([](SyslogListener& listener) {
        EXPECT_EQ(vorn_syslog(8, "too detailed"), 0);
        EXPECT_EQ(vorn_syslog(7, "debug"), 0);
        EXPECT_EQ(listener.receive(), std::string("<7>") + kStamp + "debug");
    });
}

TEST_F(Syslog, DriverParameterIsTheThreshold) {
    vorn::test::fresh_root(VORN_TEST_DRIVER_DIR);
    vorn::test::write_driver_config("[parameters]\nvorn_syslog_level=2\n");
    with_listener([](SyslogListener& listener) {
        EXPECT_EQ(vorn_syslog(3, "filtered"), 0);
        EXPECT_EQ(vorn_syslog(2, "critical"), 0);
        EXPECT_EQ(listener.receive(), std::string("<2>") + kStamp + "critical")
            << "the level-3 message was not sent";
    });
}

TEST_F(Syslog, DriverIsAskedOnlyWhenTheSocketIsOpened) {
    vorn::test::fresh_root(VORN_TEST_DRIVER_DIR);
    vorn::test::write_driver_config("[parameters]\nvorn_syslog_level=2\n");
    with_listener([](SyslogListener& listener) {
        EXPECT_EQ(vorn_syslog(2, "first"), 0);
        EXPECT_EQ(listener.receive(), std::string("<2>") + kStamp + "first");
        // The socket is open: a changed parameter is not read.
        vorn::test::write_driver_config("[parameters]\nvorn_syslog_level=7\n");
        EXPECT_EQ(vorn_syslog(5, "still filtered"), 0);
        EXPECT_EQ(vorn_syslog(2, "marker"), 0);
        EXPECT_EQ(listener.receive(), std::string("<2>") + kStamp + "marker");
        // Closed: the next message asks again.
        vorn_closelog();
        EXPECT_EQ(vorn_syslog(5, "now sent"), 0);
        EXPECT_EQ(listener.receive(), std::string("<5>") + kStamp + "now sent");
    });
}

TEST_F(Syslog, RequestsCountedByARecordingDriver) {
    vorn::test::use_recording_driver();
    ::setenv("VORN_RECORDING_LEVEL", "4", 1);
    with_listener([](SyslogListener& listener) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(vorn_syslog(4, "n%d", i), 0);
            EXPECT_EQ(listener.receive(), std::string("<4>") + kStamp + "n" + std::to_string(i));
        }
        EXPECT_EQ(count_of(recorded_requests(), 16), 1);

        // An explicit open sets the threshold; the driver is not asked.
        ASSERT_EQ(vorn_openlog("tool", 0), 0);
        EXPECT_EQ(vorn_syslog(1, "filtered"), 0);
        EXPECT_EQ(vorn_syslog(0, "emergency"), 0);
        EXPECT_EQ(listener.receive(), std::string("<0>") + kStamp + "tool: emergency");
        EXPECT_EQ(count_of(recorded_requests(), 16), 1);
    });
}

TEST_F(Syslog, UnsentDatagramIsAFailure) {
    with_listener([](SyslogListener&) {
        EXPECT_EQ(vorn_syslog(9, "filtered once the socket is open"), 0);
        vorn_closelog();
        EXPECT_EQ(send_directly("%s", "nowhere to send from"), -1);
    });
}

TEST_F(Syslog, LevelNamesAndIndexes) {
    const char* names[] = {"LOG_EMERG",   "LOG_ALERT",  "LOG_CRIT", "LOG_ERR",
                           "LOG_WARNING", "LOG_NOTICE", "LOG_INFO", "LOG_DEBUG"};
    for (uint32_t level = 0; level < 8; ++level) {
        EXPECT_STREQ(vorn_log_level_name(level), names[level]);
        EXPECT_EQ(vorn_log_level_index(names[level]), static_cast<int32_t>(level));
    }
    EXPECT_EQ(vorn_log_level_name(8), nullptr);
    EXPECT_EQ(vorn_log_level_name(UINT32_MAX), nullptr);
    EXPECT_EQ(vorn_log_level_index("log_err"), -1);
    EXPECT_EQ(vorn_log_level_index(nullptr), -1);
}

} // namespace
