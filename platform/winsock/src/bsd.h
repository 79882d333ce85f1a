// The host's BSD sockets and resolver, behind names of our own: the Winsock names are
// declared differently, so the two sets never meet in one translation unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorn::winsock::bsd {

// A UDP or TCP socket of the IPv4 family; -1 and errno on failure.
int open_socket(bool datagram, int protocol);
int close_socket(int descriptor);
// Sends to an IPv4 address and port (both network byte order); the count sent or -1.
long send_to(int descriptor, const void* data, std::size_t length, int flags, std::uint32_t address,
             std::uint16_t port);
// A dotted address in network byte order; false when the text is not one.
bool parse_address(const char* text, std::uint32_t& address);

struct HostAnswer {
    std::string name;
    std::vector<std::string> aliases;
    std::vector<std::uint32_t> addresses; // network byte order
};
enum class LookupError { NotFound, TryAgain, NoRecovery };
// The resolver's answer for an IPv4 address in network byte order; false when none.
bool host_by_address(std::uint32_t address, HostAnswer& answer, LookupError& error);

} // namespace vorn::winsock::bsd
