// Address text and the address-to-name cache, against the system resolver reading a
// private /etc/hosts inside namespaces of the test's own.
#include <arpa/inet.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "harness.h"
#include "kernel/memory.h"
#include "vorn/addrtext.h"
#include "vorn/vornlog.h"

namespace {

using vorn::test::SyslogListener;

uint32_t ip(const char* dotted) {
    in_addr address{};
    EXPECT_EQ(inet_pton(AF_INET, dotted, &address), 1) << dotted;
    return address.s_addr;
}

vorn_net_entry entry(const char* address, const char* mask, uint8_t flags = 0) {
    vorn_net_entry e{};
    e.address = ip(address);
    e.mask = ip(mask);
    e.flags = flags;
    return e;
}

const char kHosts[] = "127.0.0.1 localhost\n"
                      "10.1.2.3 alpha.example alpha\n"
                      "10.1.2.255 edge.example\n"
                      "172.16.5.9 gamma.example\n";

class AddressText : public ::testing::Test {
protected:
    void SetUp() override { vorn::test::fresh_root(vorn::test::empty_directory()); }
};

TEST_F(AddressText, HitIsAnsweredFromTheCache) {
    VORN_RUN_ISOLATED(kHosts, [] {
        char name[VORN_HOST_NAME_SIZE];
        ASSERT_EQ(vorn_addr_to_name(ip("10.1.2.3"), name), 0);
        EXPECT_STREQ(name, "alpha.example") << "the official name";

        vorn::test::write_file(vorn::test::hosts_path(), "10.1.2.3 renamed.example\n");
        ASSERT_EQ(vorn_addr_to_name(ip("10.1.2.3"), name), 0);
        EXPECT_STREQ(name, "alpha.example");
    });
}

TEST_F(AddressText, MissIsAskedAgain) {
    VORN_RUN_ISOLATED(kHosts, [] {
        char name[VORN_HOST_NAME_SIZE] = "untouched";
        EXPECT_EQ(vorn_addr_to_name(ip("10.9.9.9"), name), -1);
        EXPECT_STREQ(name, "untouched");

        vorn::test::write_file(vorn::test::hosts_path(), "10.9.9.9 late.example\n");
        ASSERT_EQ(vorn_addr_to_name(ip("10.9.9.9"), name), 0);
        EXPECT_STREQ(name, "late.example");
    });
}

TEST_F(AddressText, LongNameIsCutAt256Bytes) {
    std::string longName(300, 'n');
    longName += ".example";
    std::string hosts = "10.4.4.4 " + longName + "\n";
    VORN_RUN_ISOLATED(hosts, [&longName] {
        for (int pass = 0; pass < 2; ++pass) { // resolved, then from the cache
            char buffer[2 * VORN_HOST_NAME_SIZE];
            std::memset(buffer, 'X', sizeof buffer);
            ASSERT_EQ(vorn_addr_to_name(ip("10.4.4.4"), buffer), 0) << "pass " << pass;
            EXPECT_EQ(std::string(buffer), longName.substr(0, VORN_HOST_NAME_SIZE - 1));
            for (size_t i = VORN_HOST_NAME_SIZE; i < sizeof buffer; ++i) {
                ASSERT_EQ(buffer[i], 'X') << "byte " << i << " written, pass " << pass;
            }
        }
    });
}

size_t s_allocations = 0;
void* failing_allocator(size_t) {
    ++s_allocations;
    return nullptr;
}

TEST_F(AddressText, AllocationFailureSwitchesTheCacheOff) {
    VORN_RUN_ISOLATED(kHosts, [] {
        SyslogListener listener;
        ASSERT_TRUE(listener.ready());
        char name[VORN_HOST_NAME_SIZE];
        ASSERT_EQ(vorn_addr_to_name(ip("172.16.5.9"), name), 0); // cached before the failure

        vorn::kernel::set_allocator(failing_allocator);
        ASSERT_EQ(vorn_addr_to_name(ip("10.1.2.3"), name), 0);
        EXPECT_STREQ(name, "alpha.example");
        EXPECT_EQ(s_allocations, 1U);
        std::optional<std::string> message = listener.receive();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->substr(0, 3), "<3>");
        EXPECT_EQ(message->substr(19), "IP ADDR TO NAME CACHE DISABLED DUE TO MEMORY ALLOC "
                                       "FAILURE\n");

        // Off for good: resolved every time, never allocated, never told again.
        vorn::test::write_file(vorn::test::hosts_path(), "10.1.2.3 renamed.example\n"
                                                         "10.1.2.4 delta.example\n");
        ASSERT_EQ(vorn_addr_to_name(ip("10.1.2.3"), name), 0);
        EXPECT_STREQ(name, "renamed.example");
        ASSERT_EQ(vorn_addr_to_name(ip("10.1.2.4"), name), 0);
        EXPECT_EQ(s_allocations, 1U);
        ASSERT_EQ(vorn_addr_to_name(ip("172.16.5.9"), name), 0);
        EXPECT_STREQ(name, "gamma.example") << "entries from before still answer";
        vorn_syslog(VORN_LOG_ERR, "marker");
        message = listener.receive();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->substr(19), "marker") << "the failure was told only once";
    });
}

struct TextCase {
    const char* address;
    const char* mask;
    uint8_t flags;
    int32_t result;
    const char* text;
};

void expect_text(const TextCase& c) {
    vorn_net_entry e = entry(c.address, c.mask, c.flags);
    char text[VORN_HOST_NAME_SIZE] = "untouched";
    EXPECT_EQ(vorn_net_entry_to_text(&e, text), c.result) << c.address << "/" << c.mask;
    EXPECT_STREQ(text, c.result == 0 ? c.text : "untouched") << c.address << "/" << c.mask;
}

TEST_F(AddressText, HostEntries) {
    VORN_RUN_ISOLATED(kHosts, [] {
        const TextCase cases[] = {
            {"0.0.0.0", "255.255.255.255", 0, 0, "default"},
            {"255.255.255.255", "255.255.255.255", 0, -1, nullptr},
            {"10.1.255.255", "255.255.255.255", 0, -1, nullptr},
            {"10.255.255.255", "255.255.255.255", 0, -1, nullptr},
            {"172.16.255.255", "255.255.255.255", 0, -1, nullptr},
            {"192.168.1.255", "255.255.255.255", 0, -1, nullptr},
            {"223.1.2.255", "255.255.255.255", 0, -1, nullptr},
            {"10.1.2.255", "255.255.255.255", 0, 0, "edge.example"},
            {"10.1.2.3", "255.255.255.255", 0, 0, "alpha.example"},
            {"172.16.255.9", "255.255.255.255", 0, -1, nullptr}, // looked up, no name
            {"10.1.2.3", "255.255.255.255", VORN_NET_ENTRY_NO_ADDRESS, -1, nullptr},
        };
        for (const TextCase& c : cases) {
            expect_text(c);
        }
    });
}

TEST_F(AddressText, NetworkEntries) {
    const TextCase cases[] = {
        {"0.0.0.0", "0.0.0.0", 0, 0, "0.0.0.0"},
        {"10.20.30.40", "255.0.0.0", 0, 0, "10.0.0.0"},
        {"172.16.5.9", "255.255.0.0", 0, 0, "172.16.0.0"},
        {"192.168.7.200", "255.255.255.0", 0, 0, "192.168.7.0"},
        {"172.16.5.9", "255.255.255.128", 0, 0, "172.16.5.9"},
        {"255.255.255.255", "255.255.255.254", 0, 0, "255.255.255.255"},
        {"10.0.0.0", "255.0.0.0", VORN_NET_ENTRY_NO_ADDRESS, -1, nullptr},
        {"0.0.0.0", "0.0.0.0", 0xFF, -1, nullptr},
    };
    for (const TextCase& c : cases) {
        expect_text(c);
    }
    char text[VORN_HOST_NAME_SIZE];
    vorn_net_entry e = entry("10.0.0.0", "255.0.0.0");
    EXPECT_EQ(vorn_net_entry_to_text(nullptr, text), -1);
    EXPECT_EQ(vorn_net_entry_to_text(&e, nullptr), -1);
}

} // namespace
