// The socket layer: a start count, the sockets it made, and the per-thread last error.
#include <winsock.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "bsd.h"

namespace {

constexpr std::uint16_t kHighVersion = MAKEWORD(1, 1);

std::mutex s_lock;
int s_startCount = 0;
std::set<int> s_sockets;
thread_local int t_lastError = 0;

int fail(int error) {
    t_lastError = error;
    return SOCKET_ERROR;
}

bool started() {
    std::lock_guard guard(s_lock);
    return s_startCount > 0;
}

bool is_ours(SOCKET s) {
    std::lock_guard guard(s_lock);
    return s <= static_cast<SOCKET>(INT32_MAX) && s_sockets.count(static_cast<int>(s)) != 0;
}

int error_for(int error) {
    switch (error) {
    case EAFNOSUPPORT:
        return WSAEAFNOSUPPORT;
    case ENOBUFS:
    case ENOMEM:
    case EMFILE:
    case ENFILE:
        return WSAENOBUFS;
    case EMSGSIZE:
        return WSAEMSGSIZE;
    case ENETUNREACH:
        return WSAENETUNREACH;
    case ECONNREFUSED:
        return WSAECONNREFUSED;
    case EBADF:
    case ENOTSOCK:
        return WSAENOTSOCK;
    case EFAULT:
        return WSAEFAULT;
    default:
        return WSAEINVAL;
    }
}

void copy_text(char* destination, std::size_t size, const char* text) {
    std::strncpy(destination, text, size - 1);
    destination[size - 1] = '\0';
}

// The answer of the last gethostbyaddr on this thread, in the shape Winsock hands out.
struct HostStorage {
    vorn::winsock::bsd::HostAnswer answer;
    std::vector<char*> aliases;
    std::vector<std::uint32_t> addresses;
    std::vector<char*> addressList;
    hostent entry{};
};
thread_local HostStorage t_host;

std::uint32_t swap_if_little(std::uint32_t value) {
    if constexpr (std::endian::native == std::endian::little) {
        return __builtin_bswap32(value);
    }
    return value;
}

u_short swap_if_little(u_short value) {
    if constexpr (std::endian::native == std::endian::little) {
        return __builtin_bswap16(value);
    }
    return value;
}

} // namespace

int WSAStartup(std::uint16_t versionRequested, LPWSADATA data) {
    if (data == nullptr) {
        return WSAEFAULT;
    }
    if (LOBYTE(versionRequested) < 1) {
        return WSAVERNOTSUPPORTED;
    }
    std::uint16_t version = versionRequested;
    if (LOBYTE(versionRequested) > 1 || HIBYTE(versionRequested) > 1) {
        version = kHighVersion;
    }
    std::memset(data, 0, sizeof *data);
    data->wVersion = version;
    data->wHighVersion = kHighVersion;
    copy_text(data->szDescription, sizeof data->szDescription, "PC-VORN sockets over BSD sockets");
    copy_text(data->szSystemStatus, sizeof data->szSystemStatus, "Running");
    data->iMaxSockets = 1024;
    data->iMaxUdpDg = 65507;
    std::lock_guard guard(s_lock);
    ++s_startCount;
    return 0;
}

int WSACleanup() {
    std::set<int> closing;
    {
        std::lock_guard guard(s_lock);
        if (s_startCount == 0) {
            return fail(WSANOTINITIALISED);
        }
        if (--s_startCount == 0) {
            closing.swap(s_sockets);
        }
    }
    // The last release closes whatever sockets are still open, as the layer goes away.
    for (int descriptor : closing) {
        vorn::winsock::bsd::close_socket(descriptor);
    }
    return 0;
}

int WSAGetLastError() {
    return t_lastError;
}

SOCKET socket(int family, int type, int protocol) {
    if (!started()) {
        fail(WSANOTINITIALISED);
        return INVALID_SOCKET;
    }
    if (family != AF_INET) {
        fail(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    if (type != SOCK_DGRAM && type != SOCK_STREAM) {
        fail(WSAEINVAL);
        return INVALID_SOCKET;
    }
    int descriptor = vorn::winsock::bsd::open_socket(type == SOCK_DGRAM, protocol);
    if (descriptor < 0) {
        fail(error_for(errno));
        return INVALID_SOCKET;
    }
    std::lock_guard guard(s_lock);
    s_sockets.insert(descriptor);
    return static_cast<SOCKET>(descriptor);
}

int closesocket(SOCKET s) {
    if (!started()) {
        return fail(WSANOTINITIALISED);
    }
    {
        std::lock_guard guard(s_lock);
        if (s > static_cast<SOCKET>(INT32_MAX) || s_sockets.erase(static_cast<int>(s)) == 0) {
            return fail(WSAENOTSOCK);
        }
    }
    vorn::winsock::bsd::close_socket(static_cast<int>(s));
    return 0;
}

int sendto(SOCKET s, const char* buffer, int length, int flags, const sockaddr* to, int toLength) {
    if (!started()) {
        return fail(WSANOTINITIALISED);
    }
    if (!is_ours(s)) {
        return fail(WSAENOTSOCK);
    }
    if (length < 0 || (buffer == nullptr && length > 0) || to == nullptr ||
        toLength < static_cast<int>(sizeof(sockaddr_in))) {
        return fail(WSAEFAULT);
    }
    sockaddr_in destination{};
    std::memcpy(&destination, to, sizeof destination);
    if (destination.sin_family != AF_INET) {
        return fail(WSAEAFNOSUPPORT);
    }
    constexpr int kOutOfBand = 0x1;
    constexpr int kDontRoute = 0x4;
    if ((flags & ~(kOutOfBand | kDontRoute)) != 0) {
        return fail(WSAEINVAL);
    }
    long sent =
        vorn::winsock::bsd::send_to(static_cast<int>(s), buffer, static_cast<std::size_t>(length),
                                    flags, destination.sin_addr.s_addr, destination.sin_port);
    if (sent < 0) {
        return fail(error_for(errno));
    }
    return static_cast<int>(sent);
}

std::uint32_t htonl(std::uint32_t host) {
    return swap_if_little(host);
}

u_short htons(u_short host) {
    return swap_if_little(host);
}

std::uint32_t ntohl(std::uint32_t network) {
    return swap_if_little(network);
}

u_short ntohs(u_short network) {
    return swap_if_little(network);
}

std::uint32_t inet_addr(const char* text) {
    std::uint32_t address = 0;
    if (text == nullptr || !vorn::winsock::bsd::parse_address(text, address)) {
        return INADDR_NONE;
    }
    return address;
}

hostent* gethostbyaddr(const char* address, int length, int type) {
    if (!started()) {
        fail(WSANOTINITIALISED);
        return nullptr;
    }
    if (address == nullptr || length != 4) {
        fail(WSAEFAULT);
        return nullptr;
    }
    if (type != AF_INET) {
        fail(WSAEAFNOSUPPORT);
        return nullptr;
    }
    std::uint32_t wanted = 0;
    std::memcpy(&wanted, address, sizeof wanted);
    HostStorage& host = t_host;
    vorn::winsock::bsd::LookupError error{};
    if (!vorn::winsock::bsd::host_by_address(wanted, host.answer, error)) {
        using vorn::winsock::bsd::LookupError;
        fail(error == LookupError::TryAgain     ? WSATRY_AGAIN
             : error == LookupError::NoRecovery ? WSANO_RECOVERY
                                                : WSAHOST_NOT_FOUND);
        return nullptr;
    }
    host.aliases.clear();
    for (std::string& alias : host.answer.aliases) {
        host.aliases.push_back(alias.data());
    }
    host.aliases.push_back(nullptr);
    host.addresses = host.answer.addresses;
    host.addressList.clear();
    for (std::uint32_t& item : host.addresses) {
        host.addressList.push_back(reinterpret_cast<char*>(&item));
    }
    host.addressList.push_back(nullptr);
    host.entry.h_name = host.answer.name.data();
    host.entry.h_aliases = host.aliases.data();
    host.entry.h_addrtype = AF_INET;
    host.entry.h_length = 4;
    host.entry.h_addr_list = host.addressList.data();
    return &host.entry;
}
