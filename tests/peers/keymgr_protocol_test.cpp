// keymgrd against malformed and truncated requests sent on a raw socket.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "keymgrd_fixture.h"
#include "tolvak32.h"

namespace {

using vorn::test::KeymgrdTest;

std::string u32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

std::string field(const std::string& data) {
    std::string bytes;
    bytes += static_cast<char>(data.size() & 0xFF);
    bytes += static_cast<char>(data.size() >> 8);
    return bytes + data;
}

std::string frame(const std::string& body) {
    return u32(static_cast<std::uint32_t>(body.size())) + body;
}

// A name record: name-space id, three reserved bytes, node length, 24 node bytes.
std::string name_record(std::uint8_t nsid, std::uint32_t nodeLength) {
    return std::string(1, static_cast<char>(nsid)) + std::string(3, '\0') + u32(nodeLength) +
           std::string(24, '\x01');
}

std::string cert_edit(const std::string& record, std::uint32_t type, const std::string& name) {
    return frame("\x04" + field(record) + u32(type) + field(name) + field("value"));
}

struct Malformed {
    const char* what;
    std::string bytes;
};

// Sends bytes, ends the sending side and returns the reply's status, or a text on failure.
testing::AssertionResult reply_status(const std::string& socketPath, const std::string& bytes,
                                      std::int32_t& status) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return testing::AssertionFailure() << "connect: " << std::strerror(errno);
    }
    if (!bytes.empty() &&
        send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) {
        close(fd);
        return testing::AssertionFailure() << "send: " << std::strerror(errno);
    }
    shutdown(fd, SHUT_WR);
    std::string reply;
    char buffer[64];
    ssize_t got = 0;
    while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0) {
        reply.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    if (reply.size() != 8 || reply.substr(0, 4) != u32(4)) {
        return testing::AssertionFailure() << "reply of " << reply.size() << " bytes";
    }
    status = static_cast<std::int32_t>(
        static_cast<unsigned char>(reply[4]) | static_cast<unsigned char>(reply[5]) << 8 |
        static_cast<unsigned char>(reply[6]) << 16 |
        static_cast<std::uint32_t>(static_cast<unsigned char>(reply[7])) << 24);
    return testing::AssertionSuccess();
}

class KeymgrProtocol : public KeymgrdTest {};

TEST_F(KeymgrProtocol, MalformedRequestsGetAnErrorAndTheServiceGoesOn) {
    const Malformed cases[] = {
        {"nothing at all", ""},
        {"truncated length", std::string("\x02\x00", 2)},
        {"zero length", u32(0)},
        {"length beyond the limit", u32(4097) + "\x01"},
        {"huge length", u32(0xFFFFFFFF)},
        {"truncated body", u32(10) + "\x02\x03"},
        {"unknown operation", frame("\x09")},
        {"operation zero", frame(std::string(1, '\0'))},
        {"probe with trailing bytes", frame(std::string("\x01\x00", 2))},
        {"login without its field", frame("\x02")},
        {"field longer than the body", frame(std::string("\x02\xff\x00"
                                                         "abc",
                                                         6))},
        {"half a field length", frame("\x02\x05")},
        {"password holding a NUL", frame("\x02" + field(std::string("a\0b", 3)))},
        {"login with an extra field", frame("\x02" + field("pw") + field("x"))},
        {"password set missing the old one", frame("\x03" + field("new"))},
        {"short name record", frame("\x04" + field("abc") + u32(1) + field("N") + field("v"))},
        {"node longer than 24 bytes", cert_edit(name_record(1, 25), 1, "DESCRIPTION")},
        {"name space beyond the table", cert_edit(name_record(12, 4), 1, "DESCRIPTION")},
        {"unknown attribute type", cert_edit(name_record(1, 4), 7, "DESCRIPTION")},
        {"empty attribute name", cert_edit(name_record(1, 4), 1, "")},
        {"attribute name too long", cert_edit(name_record(1, 4), 1, std::string(300, 'N'))},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t status = 0;
        ASSERT_TRUE(reply_status(keymgrd().socket_path(), c.bytes, status));
        EXPECT_EQ(status, KMI_ERR_PROTOCOL);

        kmi_osT_ os{{-1, 0, 0}};
        keymgr_cli cli(20, os);
        kmi_state state = KMI_STATE_FAILED;
        kmk_state keys = KMK_STATE_LOCKED;
        ASSERT_EQ(cli.probe(state, keys), KMI_OK);
        EXPECT_EQ(state, KMI_STATE_WORKING);
        EXPECT_EQ(keys, KMK_STATE_NO_PASSWORD);
    }
    EXPECT_EQ(keymgrd().show().out, "password=none\n");
}

TEST_F(KeymgrProtocol, WellFormedRawRequestsAreAnswered) {
    std::int32_t status = -1;
    ASSERT_TRUE(
        reply_status(keymgrd().socket_path(), frame("\x03" + field("pw") + field("")), status));
    EXPECT_EQ(status, KMI_OK);
    ASSERT_TRUE(
        reply_status(keymgrd().socket_path(), cert_edit(name_record(1, 4), 1, "N"), status));
    EXPECT_EQ(status, KMI_ERR_LOCKED);
    ASSERT_TRUE(reply_status(keymgrd().socket_path(), frame("\x02" + field("pw")), status));
    EXPECT_EQ(status, KMI_OK);
    ASSERT_TRUE(
        reply_status(keymgrd().socket_path(), cert_edit(name_record(1, 4), 1, "N"), status));
    EXPECT_EQ(status, KMI_OK);
}

} // namespace
