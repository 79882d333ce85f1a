// A driver module for the request tests, installed as qmdxvorn.so: it keeps the last
// request block and control code, replies what the test sets, can fail the call, and
// asks a probe of the test's (the caller's thread priority) while the request runs.
#include <cstring>

#include "recording_driver.h"
#include "vorn/qmdxvorn.h"

#define DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

RecordedRequest s_last{};
int32_t s_reply = 0;
int s_failing = 0;
int (*s_probe)() = nullptr;
int s_opens = 0;

} // namespace

DRIVER_EXPORT int vorn_driver_open(void) {
    ++s_opens;
    return 1;
}

DRIVER_EXPORT void vorn_driver_close(void) {}

DRIVER_EXPORT int vorn_driver_control(uint32_t code, const void* in, uint32_t in_size, void* out,
                                      uint32_t out_size, uint32_t* returned) {
    s_last = RecordedRequest{};
    s_last.code = code;
    s_last.inSize = in_size;
    s_last.outSize = out_size;
    if (in_size == sizeof(vorn_request_block)) {
        std::memcpy(&s_last.block, in, sizeof s_last.block);
    }
    s_last.priority = s_probe != nullptr ? s_probe() : 0;
    ++s_last.calls;
    if (s_failing != 0 || out_size < sizeof s_reply) {
        return 0;
    }
    std::memcpy(out, &s_reply, sizeof s_reply);
    *returned = sizeof s_reply;
    return 1;
}

DRIVER_EXPORT RecordedRequest recorder_last(void) {
    return s_last;
}
DRIVER_EXPORT void recorder_set_reply(int32_t reply) {
    s_reply = reply;
}
DRIVER_EXPORT void recorder_set_failing(int failing) {
    s_failing = failing;
}
DRIVER_EXPORT void recorder_set_probe(int (*probe)()) {
    s_probe = probe;
}
DRIVER_EXPORT int recorder_opens(void) {
    return s_opens;
}
