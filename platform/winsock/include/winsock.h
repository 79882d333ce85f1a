// Windows Sockets 1.1, as the system's code calls it: the socket layer must be started
// with WSAStartup before sockets are made, and every start is balanced by a WSACleanup.
//
// The address records keep the BSD layout, which is the layout Winsock 1.1 gives them;
// hostent is Winsock's own (16-bit type and length).
#pragma once

#include <cstdint>
#include <sys/types.h>

// u_char, u_short and u_int are the host's, of the same widths. Winsock's u_long is 32
// bits, narrower than the host's, so the 32-bit quantities are std::uint32_t here.
using SOCKET = std::uintptr_t;

constexpr SOCKET INVALID_SOCKET = ~static_cast<SOCKET>(0);
constexpr int SOCKET_ERROR = -1;

constexpr int AF_INET = 2;
constexpr int SOCK_STREAM = 1;
constexpr int SOCK_DGRAM = 2;
constexpr std::uint32_t INADDR_ANY = 0x00000000;
constexpr std::uint32_t INADDR_LOOPBACK = 0x7f000001;
constexpr std::uint32_t INADDR_NONE = 0xffffffff;

constexpr int WSABASEERR = 10000;
constexpr int WSAEFAULT = WSABASEERR + 14;
constexpr int WSAEINVAL = WSABASEERR + 22;
constexpr int WSAENOTSOCK = WSABASEERR + 38;
constexpr int WSAEMSGSIZE = WSABASEERR + 40;
constexpr int WSAEAFNOSUPPORT = WSABASEERR + 47;
constexpr int WSAENOBUFS = WSABASEERR + 55;
constexpr int WSAENETUNREACH = WSABASEERR + 51;
constexpr int WSAECONNREFUSED = WSABASEERR + 61;
constexpr int WSASYSNOTREADY = WSABASEERR + 91;
constexpr int WSAVERNOTSUPPORTED = WSABASEERR + 92;
constexpr int WSANOTINITIALISED = WSABASEERR + 93;
constexpr int WSAHOST_NOT_FOUND = WSABASEERR + 1001;
constexpr int WSATRY_AGAIN = WSABASEERR + 1002;
constexpr int WSANO_RECOVERY = WSABASEERR + 1003;

constexpr std::uint16_t MAKEWORD(unsigned low, unsigned high) {
    return static_cast<std::uint16_t>((low & 0xff) | ((high & 0xff) << 8));
}
constexpr unsigned LOBYTE(std::uint16_t word) {
    return word & 0xff;
}
constexpr unsigned HIBYTE(std::uint16_t word) {
    return (word >> 8) & 0xff;
}

constexpr int WSADESCRIPTION_LEN = 256;
constexpr int WSASYS_STATUS_LEN = 128;

struct WSADATA {
    std::uint16_t wVersion;
    std::uint16_t wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
};
using LPWSADATA = WSADATA*;

struct in_addr {
    std::uint32_t s_addr; // network byte order
};

struct sockaddr {
    u_short sa_family;
    char sa_data[14];
};

struct sockaddr_in {
    u_short sin_family;
    u_short sin_port; // network byte order
    in_addr sin_addr; // network byte order
    char sin_zero[8];
};
static_assert(sizeof(sockaddr_in) == 16, "the BSD and Winsock layout");

struct hostent {
    char* h_name;     // official name
    char** h_aliases; // null-terminated
    short h_addrtype;
    short h_length;
    char** h_addr_list; // null-terminated, h_length bytes each, network byte order
};

int WSAStartup(std::uint16_t versionRequested, LPWSADATA data);
int WSACleanup();
int WSAGetLastError();

SOCKET socket(int family, int type, int protocol);
int closesocket(SOCKET s);
int sendto(SOCKET s, const char* buffer, int length, int flags, const sockaddr* to, int toLength);

std::uint32_t htonl(std::uint32_t host);
u_short htons(u_short host);
std::uint32_t ntohl(std::uint32_t network);
u_short ntohs(u_short network);

// The dotted address (a.b.c.d and its shorter forms) in network byte order, or
// INADDR_NONE when the text is not an address.
std::uint32_t inet_addr(const char* text);

// The system resolver's answer for an address (the hosts file, then DNS), in storage of
// the calling thread that the next call on that thread reuses; null when there is none.
hostent* gethostbyaddr(const char* address, int length, int type);
