// The only file of the socket layer that sees the host's own socket headers.
#include "bsd.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorn::winsock::bsd {

int open_socket(bool datagram, int protocol) {
    return ::socket(AF_INET, (datagram ? SOCK_DGRAM : SOCK_STREAM) | SOCK_CLOEXEC, protocol);
}

int close_socket(int descriptor) {
    return ::close(descriptor);
}

long send_to(int descriptor, const void* data, std::size_t length, int flags, std::uint32_t address,
             std::uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = port;
    to.sin_addr.s_addr = address;
    return ::sendto(descriptor, data, length, flags | MSG_NOSIGNAL,
                    reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

bool parse_address(const char* text, std::uint32_t& address) {
    in_addr parsed{};
    if (::inet_aton(text, &parsed) == 0) {
        return false;
    }
    address = parsed.s_addr;
    return true;
}

bool host_by_address(std::uint32_t address, HostAnswer& answer, LookupError& error) {
    hostent entry{};
    hostent* result = nullptr;
    std::vector<char> scratch(1024);
    int resolverError = 0;
    for (;;) {
        int status = ::gethostbyaddr_r(&address, sizeof address, AF_INET, &entry, scratch.data(),
                                       scratch.size(), &result, &resolverError);
        if (status != ERANGE) {
            break;
        }
        if (scratch.size() >= (1U << 20)) {
            result = nullptr;
            break;
        }
        scratch.resize(scratch.size() * 2);
    }
    if (result == nullptr || result->h_name == nullptr) {
        error = resolverError == TRY_AGAIN     ? LookupError::TryAgain
                : resolverError == NO_RECOVERY ? LookupError::NoRecovery
                                               : LookupError::NotFound;
        return false;
    }
    answer.name = result->h_name;
    answer.aliases.clear();
    for (char** alias = result->h_aliases; alias != nullptr && *alias != nullptr; ++alias) {
        answer.aliases.emplace_back(*alias);
    }
    answer.addresses.clear();
    for (char** item = result->h_addr_list; item != nullptr && *item != nullptr; ++item) {
        std::uint32_t value = 0;
        std::memcpy(&value, *item, sizeof value);
        answer.addresses.push_back(value);
    }
    return true;
}

} // namespace vorn::winsock::bsd
