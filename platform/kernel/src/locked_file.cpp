// Appending to and taking the platform's state files under an exclusive lock.
#include "kernel/locked_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

#include "kernel/host_errors.h"

namespace vorn::kernel {
namespace {

// The lock goes with the descriptor: closing it releases the lock.
class LockedDescriptor {
public:
    LockedDescriptor(const std::string& path, int flags) {
        m_descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
        if (m_descriptor >= 0 && ::flock(m_descriptor, LOCK_EX) != 0) {
            ::close(m_descriptor);
            m_descriptor = -1;
        }
    }
    LockedDescriptor(const LockedDescriptor&) = delete;
    LockedDescriptor& operator=(const LockedDescriptor&) = delete;
    ~LockedDescriptor() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
    }
    int get() const { return m_descriptor; }

private:
    int m_descriptor = -1;
};

bool write_all(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

bool append_locked(const std::string& path, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    LockedDescriptor file(path, O_WRONLY | O_APPEND | O_CREAT);
    if (file.get() < 0 || !write_all(file.get(), text)) {
        fail_with_errno();
        return false;
    }
    return true;
}

bool with_locked_contents(const std::string& path, bool emptyAfter,
                          const std::function<void(const std::string&)>& use) {
    LockedDescriptor file(path, emptyAfter ? O_RDWR : O_RDONLY);
    if (file.get() < 0) {
        if (errno == ENOENT) {
            use(std::string());
            return true;
        }
        return fail_with_errno();
    }
    std::string contents;
    char chunk[4096];
    for (;;) {
        ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return fail_with_errno();
        }
        if (got == 0) {
            break;
        }
        contents.append(chunk, static_cast<std::size_t>(got));
    }
    use(contents);
    if (emptyAfter && ::ftruncate(file.get(), 0) != 0) {
        return fail_with_errno();
    }
    return true;
}

} // namespace vorn::kernel
