#include "winsock_calls.h"

#include <cstring>
#include <winsock.h>

namespace vorn::test::ws {
namespace {

WSADATA s_data{};

} // namespace

int start(std::uint16_t version) {
    return WSAStartup(version, &s_data);
}
std::uint16_t last_version() {
    return s_data.wVersion;
}
std::uint16_t last_high_version() {
    return s_data.wHighVersion;
}
int cleanup() {
    return WSACleanup();
}
int last_error() {
    return WSAGetLastError();
}
int not_initialised_code() {
    return WSANOTINITIALISED;
}
int not_supported_code() {
    return WSAVERNOTSUPPORTED;
}
std::uintptr_t invalid_socket() {
    return INVALID_SOCKET;
}
std::uintptr_t open_datagram() {
    return socket(AF_INET, SOCK_DGRAM, 0);
}
int close_socket(std::uintptr_t s) {
    return closesocket(s);
}
int send_text(std::uintptr_t s, const std::string& text, const char* address, std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = inet_addr(address);
    return sendto(s, text.data(), static_cast<int>(text.size()), 0,
                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
}
std::uint32_t parse(const char* text) {
    return inet_addr(text);
}
std::uint32_t to_network_long(std::uint32_t value) {
    return htonl(value);
}
std::uint16_t to_network_short(std::uint16_t value) {
    return htons(value);
}
bool reverse(const char* address, std::string& name) {
    std::uint32_t value = inet_addr(address);
    hostent* host = gethostbyaddr(reinterpret_cast<const char*>(&value), 4, AF_INET);
    if (host == nullptr) {
        return false;
    }
    name = host->h_name;
    return host->h_length == 4 && host->h_addrtype == AF_INET &&
           std::memcmp(host->h_addr_list[0], &value, 4) == 0;
}

} // namespace vorn::test::ws
