#include "listener.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorn::keymgr {

namespace {

bool make_address(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// True when something accepts connections on the socket at address.
bool is_served(const sockaddr_un& address) {
    int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) {
        return false;
    }
    bool served =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return served;
}

// Clients trust the socket, so nobody else may be able to replace it: its directory must
// be this user's or root's, and writable by others only when sticky.
bool safe_directory(const std::string& directory, std::string& error) {
    struct stat info {};
    if (::stat(directory.c_str(), &info) != 0) {
        error = directory + ": " + std::strerror(errno);
        return false;
    }
    bool owned = info.st_uid == ::getuid() || info.st_uid == 0;
    bool shared = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0;
    if (!owned || shared) {
        error = directory + ": not a safe directory for the socket (owned by another user, "
                            "or writable by others)";
        return false;
    }
    return true;
}

void handle(int connection, KeyService& service) {
    set_timeouts(connection);
    std::vector<std::uint8_t> body;
    Received how = receive_frame(connection, body);
    Writer reply;
    service.answer(how, body, reply);
    // The request may hold passwords.
    wipe(body);
    const std::vector<std::uint8_t>& frame = reply.frame();
    send_all(connection, frame.data(), frame.size());
}

} // namespace

bool make_directories(const std::string& path, std::string& error) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            error = prefix + ": " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

int open_listener(const std::string& path, std::string& error) {
    sockaddr_un address{};
    if (!make_address(path, address)) {
        error = path + ": socket path empty or longer than " +
                std::to_string(sizeof address.sun_path - 1) + " bytes";
        return -1;
    }
    std::size_t slash = path.rfind('/');
    std::string directory =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    if (!make_directories(directory, error) || !safe_directory(directory, error)) {
        return -1;
    }
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            error = path + ": exists and is not a socket";
            return -1;
        }
        if (is_served(address)) {
            error = path + ": another key manager is serving this socket";
            return -1;
        }
        ::unlink(path.c_str());
    }
    int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    // Owner-only from the moment it exists.
    mode_t previous = ::umask(0077);
    int bound = ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int saved = errno;
    ::umask(previous);
    if (bound != 0 || ::chmod(path.c_str(), 0600) != 0 || ::listen(listener, 16) != 0) {
        saved = bound != 0 ? saved : errno;
        error = path + ": " + std::strerror(saved);
        ::close(listener);
        if (bound == 0) {
            ::unlink(path.c_str());
        }
        return -1;
    }
    return listener;
}

int serve(int listener, const std::string& path, KeyService& service) {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    int signals = ::signalfd(-1, &stop, SFD_CLOEXEC);
    if (signals < 0) {
        std::fprintf(stderr, "keymgrd: signalfd: %s\n", std::strerror(errno));
        ::close(listener);
        ::unlink(path.c_str());
        return 1;
    }
    int status = 0;
    for (;;) {
        pollfd watched[2] = {{listener, POLLIN, 0}, {signals, POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::fprintf(stderr, "keymgrd: poll: %s\n", std::strerror(errno));
            status = 1;
            break;
        }
        if (watched[1].revents != 0) {
            break;
        }
        if ((watched[0].revents & POLLIN) != 0) {
            int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                handle(connection, service);
                ::close(connection);
            }
        }
    }
    ::close(signals);
    ::close(listener);
    ::unlink(path.c_str());
    return status;
}

} // namespace vorn::keymgr
