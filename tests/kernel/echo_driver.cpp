// A driver module for the device tests: it copies its input to its output, fails the
// control code 0, and writes "open" and "close" lines to $ECHO_DRIVER_LOG. With
// ECHO_DRIVER_REFUSE set it refuses to open.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

void log_line(const char* line) {
    const char* path = std::getenv("ECHO_DRIVER_LOG");
    if (path == nullptr) {
        return;
    }
    if (FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s\n", line);
        std::fclose(log);
    }
}

} // namespace

DRIVER_EXPORT int vorn_driver_open(void) {
    if (std::getenv("ECHO_DRIVER_REFUSE") != nullptr) {
        return 0;
    }
    log_line("open");
    return 1;
}

DRIVER_EXPORT void vorn_driver_close(void) {
    log_line("close");
}

DRIVER_EXPORT int vorn_driver_control(std::uint32_t code, const void* in, std::uint32_t in_size,
                                      void* out, std::uint32_t out_size, std::uint32_t* returned) {
    if (code == 0) {
        return 0;
    }
    std::uint32_t size = in_size < out_size ? in_size : out_size;
    std::memcpy(out, in, size);
    *returned = size;
    return 1;
}
