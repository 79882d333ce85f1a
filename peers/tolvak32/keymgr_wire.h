// The key manager's wire protocol, shared by the client library and the service.
//
// One connection carries one request and its reply. Both are frames:
//   u32 length N (little-endian, 1..kMaxBody), then N bytes of body.
// A request body is a u8 operation code followed by the operation's fields; a field is
//   u16 length L (little-endian), then L bytes.
// A reply body is an i32 kmi_err, and for probe two more i32: kmi_state, kmk_state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::keymgr {

constexpr std::uint32_t kMaxBody = 4096;
constexpr std::size_t kMaxPassword = 1024;
constexpr std::size_t kMaxAttributeName = 255;
constexpr std::size_t kMaxAttributeValue = 2048;
// nsid (1), reserved (3), node length (u32), node bytes (24).
constexpr std::size_t kNameRecordBytes = 32;
constexpr std::size_t kMaxNodeBytes = 24;
constexpr int kTimeoutSeconds = 10;

enum class Op : std::uint8_t {
    probe = 1,       // no fields
    login = 2,       // password
    passwordSet = 3, // new password, old password ("" to set the first one)
    certEdit = 4,    // name record (32 bytes), attribute type (i32), name, value
};

// Builds a frame in place. The buffer never grows past its first allocation, so a
// password written into it exists in one place only and wipe() clears every copy.
class Writer {
public:
    Writer();
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // False once anything did not fit; the frame must then not be sent.
    bool u8(std::uint8_t value);
    bool i32(std::int32_t value);
    bool field(const void* data, std::size_t size);
    bool field(std::string_view text) { return field(text.data(), text.size()); }
    bool ok() const { return m_ok; }
    // The whole frame, length prefix included.
    const std::vector<std::uint8_t>& frame();

private:
    bool append(const void* data, std::size_t size);

    std::vector<std::uint8_t> m_bytes;
    bool m_ok = true;
};

// Reads a body; every read is checked against what is left.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_left(size) {}

    bool u8(std::uint8_t& value);
    bool i32(std::int32_t& value);
    bool field(std::string_view& value);
    bool at_end() const { return m_left == 0; }

private:
    bool take(void* out, std::size_t size);

    const std::uint8_t* m_data;
    std::size_t m_left;
};

enum class Received {
    frame,     // a whole body
    closed,    // the peer closed before sending anything
    truncated, // the peer closed or stopped mid-frame
    too_long,  // the length is 0 or beyond kMaxBody
    failed,    // a read error or timeout
};

bool send_all(int fd, const std::uint8_t* data, std::size_t size);
// The body goes into a buffer reserved at kMaxBody, so it is never reallocated.
Received receive_frame(int fd, std::vector<std::uint8_t>& body);
// Read and write timeouts of kTimeoutSeconds, so neither side waits forever.
void set_timeouts(int fd);

void wipe(void* data, std::size_t size);
void wipe(std::vector<std::uint8_t>& bytes);

// VORN_KEYMGR_SOCKET, else $XDG_RUNTIME_DIR/vorn/keymgr.sock, else
// /tmp/vorn-<uid>/keymgr.sock.
std::string default_socket_path();

} // namespace vorn::keymgr
