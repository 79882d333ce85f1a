// The socket layer: start counting, sockets only while started, datagrams that really
// arrive, dotted addresses and the resolver.
#include <arpa/inet.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

// The Winsock names are declared apart from the host's; this file reaches them through a
// small set of wrappers compiled in winsock_calls.cpp.
#include "winsock_calls.h"

namespace {

using namespace vorn::test::ws;

// The layer keeps no files, but every test has a platform root and driver path of its own.
class Winsock : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vorn-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_root = pattern;
        ::setenv("VORN_ROOT", m_root.c_str(), 1);
        ::setenv("VORN_DRIVER_PATH", m_root.c_str(), 1);
    }
    void TearDown() override { ::rmdir(m_root.c_str()); }

private:
    std::string m_root;
};

TEST_F(Winsock, StartIsCountedAndBalanced) {
    EXPECT_EQ(start(0x0101), 0);
    EXPECT_EQ(start(0x0202), 0);
    EXPECT_EQ(last_version(), 0x0101) << "2.2 asked, 1.1 given";
    EXPECT_EQ(last_high_version(), 0x0101);
    EXPECT_EQ(start(0x0000), not_supported_code());

    EXPECT_EQ(cleanup(), 0);
    uintptr_t s = open_datagram();
    EXPECT_NE(s, invalid_socket()) << "one start is still held";
    EXPECT_EQ(cleanup(), 0);
    EXPECT_EQ(cleanup(), -1);
    EXPECT_EQ(last_error(), not_initialised_code());
    EXPECT_EQ(open_datagram(), invalid_socket());
    EXPECT_EQ(last_error(), not_initialised_code());
}

TEST_F(Winsock, DatagramArrives) {
    int receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(receiver, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length), 0);

    ASSERT_EQ(start(0x0101), 0);
    uintptr_t s = open_datagram();
    ASSERT_NE(s, invalid_socket());
    EXPECT_EQ(send_text(s, "hello", "127.0.0.1", ::ntohs(address.sin_port)), 5);
    pollfd wait{receiver, POLLIN, 0};
    ASSERT_EQ(::poll(&wait, 1, 5000), 1);
    char buffer[16] = {};
    EXPECT_EQ(::recv(receiver, buffer, sizeof buffer, 0), 5);
    EXPECT_STREQ(buffer, "hello");

    EXPECT_EQ(close_socket(s), 0);
    EXPECT_EQ(close_socket(s), -1) << "closed sockets are not ours any more";
    EXPECT_EQ(send_text(s, "late", "127.0.0.1", 9), -1);
    EXPECT_EQ(close_socket(static_cast<uintptr_t>(receiver)), -1)
        << "a descriptor the layer did not make is not closed by it";
    ::close(receiver);
}

TEST_F(Winsock, DottedAddressesAndByteOrder) {
    EXPECT_EQ(parse("10.0.0.1"), ::htonl(0x0a000001));
    EXPECT_EQ(parse("127.1"), ::htonl(0x7f000001));
    EXPECT_EQ(parse("255.255.255.255"), 0xffffffffU);
    EXPECT_EQ(parse("10.0.0.256"), 0xffffffffU);
    EXPECT_EQ(parse("host"), 0xffffffffU);
    EXPECT_EQ(parse(nullptr), 0xffffffffU);
    EXPECT_EQ(to_network_long(0x01020304), ::htonl(0x01020304));
    EXPECT_EQ(to_network_short(0x0102), ::htons(0x0102));
}

TEST_F(Winsock, ResolverNeedsTheStartedLayer) {
    std::string name;
    EXPECT_FALSE(reverse("127.0.0.1", name));
    EXPECT_EQ(last_error(), not_initialised_code());
}

} // namespace
