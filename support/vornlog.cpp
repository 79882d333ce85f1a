// The syslog client.
//
// One socket for the process, opened by the first message that finds none; only then is
// the driver asked for the threshold. The socket layer is released only by the client
// that started it, so a stray close never takes the layer away from another user.
#include "vorn/vornlog.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include <winsock.h>

#include "kernel/clock.h"
#include "vorn/win32.h"

namespace {

constexpr int32_t kDefaultThreshold = VORN_LOG_DEBUG;
constexpr u_short kSyslogPort = 514;

const char* const kLevelNames[] = {"LOG_EMERG",   "LOG_ALERT",  "LOG_CRIT", "LOG_ERR",
                                   "LOG_WARNING", "LOG_NOTICE", "LOG_INFO", "LOG_DEBUG"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

char s_ident[VORN_LOG_IDENT_MAX + 1] = "";
int32_t s_threshold = kDefaultThreshold;
SOCKET s_socket = INVALID_SOCKET;
bool s_started = false;
sockaddr_in s_destination{};
char s_message[VORN_LOG_MESSAGE_MAX + 1];

void store_ident(const char* ident) {
    std::strncpy(s_ident, ident, VORN_LOG_IDENT_MAX);
    s_ident[VORN_LOG_IDENT_MAX] = '\0';
}

// "Mmm dd hh:mm:ss" of the local time, or "Invalid Date   ".
void timestamp(char (&text)[32]) {
    std::time_t now = vorn::kernel::current_time();
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr || local.tm_mon < 0 || local.tm_mon > 11) {
        std::snprintf(text, sizeof text, "%s", "Invalid Date   ");
        return;
    }
    std::snprintf(text, sizeof text, "%s %02d %02d:%02d:%02d", kMonths[local.tm_mon], local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec);
}

void close_socket_layer() {
    if (s_socket != INVALID_SOCKET) {
        closesocket(s_socket);
    }
    if (s_started) {
        WSACleanup();
    }
    s_socket = INVALID_SOCKET;
    s_started = false;
}

} // namespace

extern "C" {

int32_t vorn_openlog(const char* ident, int32_t threshold) {
    close_socket_layer();
    if (ident != nullptr) {
        store_ident(ident);
    }
    s_threshold = threshold;

    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        return -1;
    }
    s_started = true;
    std::memset(&s_destination, 0, sizeof s_destination);
    s_destination.sin_family = AF_INET;
    s_destination.sin_port = htons(kSyslogPort);
    s_destination.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    s_socket = socket(AF_INET, SOCK_DGRAM, 0);
    return 0;
}

void vorn_closelog(void) {
    close_socket_layer();
}

void vorn_set_log_ident(const char* ident, char* previous) {
    if (previous != nullptr) {
        std::memcpy(previous, s_ident, sizeof s_ident);
    }
    store_ident(ident != nullptr ? ident : "");
}

int32_t vorn_syslog(int32_t level, const char* format, ...) {
    if (s_socket == INVALID_SOCKET) {
        int32_t threshold = 0;
        if (vorn_read_param("vorn_syslog_level", &threshold) != 0) {
            threshold = kDefaultThreshold;
        }
        if (vorn_openlog(nullptr, threshold) != 0) {
            return -1;
        }
    }
    if (level > s_threshold) {
        return 0;
    }
    va_list args;
    va_start(args, format);
    int32_t result = vorn_vsyslog(level, format, args);
    va_end(args);
    return result;
}

int32_t vorn_vsyslog(int32_t level, const char* format, va_list args) {
    char time[32];
    timestamp(time);
    constexpr size_t kSize = sizeof s_message;
    int written = std::snprintf(s_message, kSize, "<%d>%.15s ", level, time);
    auto length = static_cast<size_t>(written);
    if (s_ident[0] != '\0') {
        written = std::snprintf(s_message + length, kSize - length, "%s: ", s_ident);
        length += static_cast<size_t>(written);
    }
    if (format != nullptr && length < kSize - 1) {
        written = std::vsnprintf(s_message + length, kSize - length, format, args);
        if (written < 0) {
            return -1;
        }
        length += static_cast<size_t>(written);
    }
    // A longer message is cut to what the buffer holds and sent all the same.
    if (length > kSize - 1) {
        length = kSize - 1;
    }
    int sent = sendto(s_socket, s_message, static_cast<int>(length), 0,
                      reinterpret_cast<const sockaddr*>(&s_destination), sizeof s_destination);
    return sent == static_cast<int>(length) ? 0 : -1;
}

const char* vorn_log_level_name(uint32_t level) {
    return level <= VORN_LOG_DEBUG ? kLevelNames[level] : nullptr;
}

int32_t vorn_log_level_index(const char* name) {
    if (name == nullptr) {
        return -1;
    }
    for (int32_t level = 0; level <= VORN_LOG_DEBUG; ++level) {
        if (std::strcmp(kLevelNames[level], name) == 0) {
            return level;
        }
    }
    return -1;
}

} // extern "C"
