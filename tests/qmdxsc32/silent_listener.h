// Listens on the key manager's socket without ever answering, and tells whether anyone
// connected: for dialogs that must not ask the key manager anything.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

class SilentListener {
public:
    explicit SilentListener(const std::string& socketPath) {
        const std::filesystem::path directory = std::filesystem::path(socketPath).parent_path();
        std::filesystem::create_directories(directory);
        chmod(directory.c_str(), 0700);
        m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        m_listening = m_socket >= 0 &&
                      bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                      listen(m_socket, 4) == 0;
    }
    ~SilentListener() {
        if (m_socket >= 0) {
            close(m_socket);
        }
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    bool listening() const { return m_listening; }

    bool contacted() const {
        const int connection = accept(m_socket, nullptr, nullptr);
        if (connection >= 0) {
            close(connection);
        }
        return connection >= 0;
    }

private:
    int m_socket = -1;
    bool m_listening = false;
};
