#include "keymgr_wire.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace vorn::keymgr {

namespace {

constexpr std::size_t kPrefix = 4;

void put_u32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t get_u32(const std::uint8_t* in) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | in[i];
    }
    return value;
}

// Reads exactly size bytes; returns how many arrived before end of file or an error.
std::size_t read_full(int fd, std::uint8_t* out, std::size_t size, bool& failed) {
    std::size_t done = 0;
    failed = false;
    while (done < size) {
        ssize_t got = ::recv(fd, out + done, size - done, 0);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            failed = true;
            break;
        }
    }
    return done;
}

} // namespace

Writer::Writer() {
    m_bytes.reserve(kPrefix + kMaxBody);
    m_bytes.resize(kPrefix);
}

Writer::~Writer() {
    wipe(m_bytes);
}

bool Writer::append(const void* data, std::size_t size) {
    if (!m_ok || m_bytes.size() - kPrefix + size > kMaxBody) {
        m_ok = false;
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    return true;
}

bool Writer::u8(std::uint8_t value) {
    return append(&value, 1);
}

bool Writer::i32(std::int32_t value) {
    std::uint8_t bytes[4];
    put_u32(bytes, static_cast<std::uint32_t>(value));
    return append(bytes, sizeof bytes);
}

bool Writer::field(const void* data, std::size_t size) {
    if (size > 0xFFFF) {
        m_ok = false;
        return false;
    }
    std::uint8_t length[2] = {static_cast<std::uint8_t>(size),
                              static_cast<std::uint8_t>(size >> 8)};
    return append(length, sizeof length) && append(data, size);
}

const std::vector<std::uint8_t>& Writer::frame() {
    put_u32(m_bytes.data(), static_cast<std::uint32_t>(m_bytes.size() - kPrefix));
    return m_bytes;
}

bool Reader::take(void* out, std::size_t size) {
    if (size > m_left) {
        return false;
    }
    std::memcpy(out, m_data, size);
    m_data += size;
    m_left -= size;
    return true;
}

bool Reader::u8(std::uint8_t& value) {
    return take(&value, 1);
}

bool Reader::i32(std::int32_t& value) {
    std::uint8_t bytes[4];
    if (!take(bytes, sizeof bytes)) {
        return false;
    }
    value = static_cast<std::int32_t>(get_u32(bytes));
    return true;
}

bool Reader::field(std::string_view& value) {
    std::uint8_t length[2];
    if (!take(length, sizeof length)) {
        return false;
    }
    std::size_t size = length[0] | (static_cast<std::size_t>(length[1]) << 8);
    if (size > m_left) {
        return false;
    }
    value = std::string_view(reinterpret_cast<const char*>(m_data), size);
    m_data += size;
    m_left -= size;
    return true;
}

bool send_all(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

Received receive_frame(int fd, std::vector<std::uint8_t>& body) {
    body.clear();
    body.reserve(kMaxBody);
    std::uint8_t prefix[kPrefix];
    bool failed = false;
    std::size_t got = read_full(fd, prefix, sizeof prefix, failed);
    if (failed) {
        return Received::failed;
    }
    if (got == 0) {
        return Received::closed;
    }
    if (got < sizeof prefix) {
        return Received::truncated;
    }
    std::uint32_t length = get_u32(prefix);
    if (length == 0 || length > kMaxBody) {
        return Received::too_long;
    }
    body.resize(length);
    got = read_full(fd, body.data(), length, failed);
    if (got < length) {
        body.resize(got);
        return failed ? Received::failed : Received::truncated;
    }
    return Received::frame;
}

void set_timeouts(int fd) {
    timeval timeout{};
    timeout.tv_sec = kTimeoutSeconds;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

void wipe(void* data, std::size_t size) {
    explicit_bzero(data, size);
}

// Up to the capacity: bytes of an earlier, longer content may still sit past the size.
void wipe(std::vector<std::uint8_t>& bytes) {
    bytes.resize(bytes.capacity());
    wipe(bytes.data(), bytes.size());
}

std::string default_socket_path() {
    if (const char* path = std::getenv("VORN_KEYMGR_SOCKET"); path != nullptr && *path != '\0') {
        return path;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime != '\0') {
        return std::string(runtime) + "/vorn/keymgr.sock";
    }
    return "/tmp/vorn-" + std::to_string(::getuid()) + "/keymgr.sock";
}

} // namespace vorn::keymgr
