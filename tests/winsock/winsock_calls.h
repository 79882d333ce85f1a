// Wrappers over the platform's Winsock names for the tests, which also use the host's
// own socket calls to listen.
#pragma once

#include <cstdint>
#include <string>

namespace vorn::test::ws {

int start(std::uint16_t version);
std::uint16_t last_version();
std::uint16_t last_high_version();
int cleanup();
int last_error();
int not_initialised_code();
int not_supported_code();
std::uintptr_t invalid_socket();
std::uintptr_t open_datagram();
int close_socket(std::uintptr_t s);
int send_text(std::uintptr_t s, const std::string& text, const char* address, std::uint16_t port);
std::uint32_t parse(const char* text);
std::uint32_t to_network_long(std::uint32_t value);
std::uint16_t to_network_short(std::uint16_t value);
// The official name of a dotted address, through gethostbyaddr.
bool reverse(const char* address, std::string& name);

} // namespace vorn::test::ws
