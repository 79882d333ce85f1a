// A packet-security driver of the tests' own, built as qmdxvorn.so in a directory of its
// own: it appends every request number to the file named by VORN_RECORDING_LOG, fails
// the request numbered VORN_RECORDING_FAIL (reply 1), answers request 16 with the value
// of VORN_RECORDING_LEVEL (reply 1 when unset), and fills the value arrays of requests
// 14 and 15 with entry 1 = the request number and entry 2 = -(the request number).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vorn/qmdxvorn.h"

#define DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

void record(uint32_t request) {
    const char* log = std::getenv("VORN_RECORDING_LOG");
    if (log == nullptr) {
        return;
    }
    if (FILE* file = std::fopen(log, "a")) {
        std::fprintf(file, "%u\n", request);
        std::fclose(file);
    }
}

bool failing(uint32_t request) {
    const char* fail = std::getenv("VORN_RECORDING_FAIL");
    return fail != nullptr && std::strtoul(fail, nullptr, 10) == request;
}

int32_t answer(const vorn_request_block& block) {
    if (failing(block.request)) {
        return 1;
    }
    switch (block.request) {
    case VORN_REQUEST_READ_CRYPT_ALG_INFO:
    case VORN_REQUEST_READ_KEY_ALG_INFO: {
        int16_t arrays[2][VORN_ALG_INFO_ENTRIES] = {};
        for (auto& array : arrays) {
            array[1] = static_cast<int16_t>(block.request);
            array[2] = static_cast<int16_t>(-static_cast<int>(block.request));
        }
        std::memset(reinterpret_cast<void*>(block.param1), 0, VORN_ALG_INFO_SIZE);
        std::memcpy(reinterpret_cast<void*>(block.param1), arrays, sizeof arrays);
        return 0;
    }
    case VORN_REQUEST_READ_PARAM: {
        const char* level = std::getenv("VORN_RECORDING_LEVEL");
        if (level == nullptr ||
            std::strcmp(reinterpret_cast<const char*>(block.param1), "vorn_syslog_level") != 0) {
            return 1;
        }
        auto value = static_cast<int32_t>(std::strtol(level, nullptr, 10));
        std::memcpy(reinterpret_cast<void*>(block.param2), &value, sizeof value);
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace

DRIVER_EXPORT int vorn_driver_open(void) {
    return 1;
}

DRIVER_EXPORT void vorn_driver_close(void) {}

DRIVER_EXPORT int vorn_driver_control(uint32_t code, const void* in, uint32_t in_size, void* out,
                                      uint32_t out_size, uint32_t* returned) {
    if (code != VORN_CONTROL_CODE || in_size != sizeof(vorn_request_block) ||
        out_size < sizeof(int32_t)) {
        return 0;
    }
    vorn_request_block block;
    std::memcpy(&block, in, sizeof block);
    record(block.request);
    int32_t reply = answer(block);
    std::memcpy(out, &reply, sizeof reply);
    *returned = sizeof reply;
    return 1;
}
