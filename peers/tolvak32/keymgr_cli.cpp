// keymgr_cli: the key manager client. Every operation is one connection to keymgrd over
// its Unix socket: connect, send one request, read one reply, close. A service that
// cannot be reached, or that does not answer within the timeout, is KMI_ERR_UNREACHABLE.
#include <cstring>
#include <string_view>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "keymgr_wire.h"
#include "tolvak32.h"

namespace wire = vorn::keymgr;

namespace {

// The only key store this key manager keeps.
constexpr unsigned char kStore = 0;

// Passwords go only to a service run by this user or by root, never to a socket that
// someone else planted on the path.
bool trusted_peer(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           (peer.uid == ::getuid() || peer.uid == 0);
}

int connect_to(const char* path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::size_t length = std::strlen(path);
    if (length == 0 || length >= sizeof address.sun_path) {
        return -1;
    }
    std::memcpy(address.sun_path, path, length + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    wire::set_timeouts(fd);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        !trusted_peer(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Sends the request and reads the reply's status; the rest of the reply stays in body.
kmi_err exchange(const char* path, wire::Writer& request, std::vector<std::uint8_t>& body,
                 std::size_t& statusEnd) {
    if (!request.ok()) {
        return KMI_ERR_PROTOCOL;
    }
    int fd = connect_to(path);
    if (fd < 0) {
        return KMI_ERR_UNREACHABLE;
    }
    const std::vector<std::uint8_t>& frame = request.frame();
    bool sent = wire::send_all(fd, frame.data(), frame.size());
    wire::Received received = sent ? wire::receive_frame(fd, body) : wire::Received::failed;
    ::close(fd);
    if (received != wire::Received::frame) {
        return received == wire::Received::failed || received == wire::Received::closed
                   ? KMI_ERR_UNREACHABLE
                   : KMI_ERR_PROTOCOL;
    }
    wire::Reader reader(body.data(), body.size());
    std::int32_t status = 0;
    if (!reader.i32(status)) {
        return KMI_ERR_PROTOCOL;
    }
    statusEnd = 4;
    return static_cast<kmi_err>(status);
}

kmi_err simple_exchange(const char* path, wire::Writer& request) {
    std::vector<std::uint8_t> body;
    std::size_t statusEnd = 0;
    kmi_err result = exchange(path, request, body, statusEnd);
    if (result == KMI_OK && body.size() != statusEnd) {
        return KMI_ERR_PROTOCOL;
    }
    return result;
}

bool password_field(wire::Writer& request, const char* password) {
    std::string_view text = password == nullptr ? std::string_view() : password;
    return text.size() <= wire::kMaxPassword && request.field(text);
}

} // namespace

// The service number and the caller's record name the caller; this key manager serves
// every local caller of the socket's owner alike, so neither is needed.
keymgr_cli::keymgr_cli(int service, kmi_osT_& os) {
    std::string path = wire::default_socket_path();
    if (path.size() < sizeof m_socketPath) {
        std::memcpy(m_socketPath, path.c_str(), path.size() + 1);
    }
}

keymgr_cli::~keymgr_cli() = default;

kmi_err keymgr_cli::login(unsigned char mode, const char* password) {
    if (mode != kStore) {
        return KMI_ERR_REFUSED;
    }
    wire::Writer request;
    request.u8(static_cast<std::uint8_t>(wire::Op::login));
    if (!password_field(request, password)) {
        return KMI_ERR_PROTOCOL;
    }
    return simple_exchange(m_socketPath, request);
}

kmi_err keymgr_cli::probe(kmi_state& state, kmk_state& keyState) {
    state = KMI_STATE_FAILED;
    keyState = KMK_STATE_LOCKED;
    wire::Writer request;
    request.u8(static_cast<std::uint8_t>(wire::Op::probe));
    std::vector<std::uint8_t> body;
    std::size_t statusEnd = 0;
    kmi_err result = exchange(m_socketPath, request, body, statusEnd);
    if (result != KMI_OK) {
        return result;
    }
    wire::Reader reader(body.data() + statusEnd, body.size() - statusEnd);
    std::int32_t working = 0;
    std::int32_t keys = 0;
    if (!reader.i32(working) || !reader.i32(keys) || !reader.at_end()) {
        return KMI_ERR_PROTOCOL;
    }
    state = static_cast<kmi_state>(working);
    keyState = static_cast<kmk_state>(keys);
    return KMI_OK;
}

kmi_err keymgr_cli::passwordSet(unsigned char mode, const char* newPassword,
                                const char* oldPassword) {
    if (mode != kStore) {
        return KMI_ERR_REFUSED;
    }
    wire::Writer request;
    request.u8(static_cast<std::uint8_t>(wire::Op::passwordSet));
    if (!password_field(request, newPassword) || !password_field(request, oldPassword)) {
        return KMI_ERR_PROTOCOL;
    }
    return simple_exchange(m_socketPath, request);
}

kmi_err keymgr_cli::certEdit(vorn_name_t& name, vorn_attrib** attributes) {
    if (attributes == nullptr || *attributes == nullptr) {
        return KMI_ERR_PROTOCOL;
    }
    const vorn_attrib& attribute = **attributes;
    std::uint8_t record[wire::kNameRecordBytes] = {};
    record[0] = name.nsid;
    for (int i = 0; i < 4; ++i) {
        record[4 + i] = static_cast<std::uint8_t>(name.node.length >> (8 * i));
    }
    std::memcpy(record + 8, name.node.bytes, sizeof name.node.bytes);

    wire::Writer request;
    request.u8(static_cast<std::uint8_t>(wire::Op::certEdit));
    request.field(record, sizeof record);
    request.i32(attribute.type());
    request.field(attribute.name().c_str());
    request.field(attribute.value().c_str());
    return simple_exchange(m_socketPath, request);
}
