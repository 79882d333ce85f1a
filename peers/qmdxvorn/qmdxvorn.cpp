// The packet-security driver stand-in behind \\.\QMDXVORN.
//
// It answers from C:\WINDOWS\SYSTEM\QMDXVORN.INI, read afresh on every request:
//   [parameters]      NAME=VALUE            request 16
//   [key_alg_info]    first=, second=       request 15
//   [crypt_alg_info]  first=, second=       request 14
// each of first/second a comma-separated list of id:value pairs (entries not listed are
// 0). Every other request replies 0.
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

#include "vorn/qmdxvorn.h"

#define DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const char kConfig[] = "C:\\WINDOWS\\SYSTEM\\QMDXVORN.INI";
constexpr int32_t kUnknown = 1;

std::string profile_value(const char* section, const char* key) {
    char value[4096];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, kConfig);
    return value;
}

bool parse_number(const std::string& text, long& number) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    number = std::strtol(text.c_str(), &end, 0);
    return end != text.c_str() && *end == '\0';
}

// Fills one array of 256 signed 16-bit values from "id:value,id:value,...".
void fill_array(const std::string& list, int16_t* array) {
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t comma = list.find(',', start);
        std::string pair =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        start = comma == std::string::npos ? list.size() : comma + 1;
        std::size_t colon = pair.find(':');
        long id = 0;
        long value = 0;
        if (colon == std::string::npos || !parse_number(pair.substr(0, colon), id) ||
            !parse_number(pair.substr(colon + 1), value) || id < 0 || id >= VORN_ALG_INFO_ENTRIES) {
            continue;
        }
        array[id] = static_cast<int16_t>(static_cast<uint16_t>(value));
    }
}

int32_t read_alg_info(const char* section, vorn_word_t address) {
    if (address == 0) {
        return kUnknown;
    }
    int16_t arrays[2][VORN_ALG_INFO_ENTRIES] = {};
    fill_array(profile_value(section, "first"), arrays[0]);
    fill_array(profile_value(section, "second"), arrays[1]);
    auto* buffer = reinterpret_cast<unsigned char*>(address);
    std::memset(buffer, 0, VORN_ALG_INFO_SIZE);
    std::memcpy(buffer, arrays, sizeof arrays);
    return 0;
}

int32_t read_param(vorn_word_t nameAddress, vorn_word_t valueAddress) {
    if (nameAddress == 0 || valueAddress == 0) {
        return kUnknown;
    }
    const char* name = reinterpret_cast<const char*>(nameAddress);
    char text[256];
    const char* missing = "\x01";
    GetPrivateProfileStringA("parameters", name, missing, text, sizeof text, kConfig);
    long value = 0;
    if (std::strcmp(text, missing) == 0 || !parse_number(text, value)) {
        return kUnknown;
    }
    int32_t result = static_cast<int32_t>(value);
    std::memcpy(reinterpret_cast<void*>(valueAddress), &result, sizeof result);
    return 0;
}

int32_t answer(const vorn_request_block& block) {
    switch (block.request) {
    case VORN_REQUEST_READ_CRYPT_ALG_INFO:
        return read_alg_info("crypt_alg_info", block.param1);
    case VORN_REQUEST_READ_KEY_ALG_INFO:
        return read_alg_info("key_alg_info", block.param1);
    case VORN_REQUEST_READ_PARAM:
        return read_param(block.param1, block.param2);
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
    if (returned != nullptr) {
        *returned = 0;
    }
    if (code != VORN_CONTROL_CODE || in == nullptr || in_size != sizeof(vorn_request_block) ||
        out == nullptr || out_size < sizeof(int32_t)) {
        return 0;
    }
    vorn_request_block block;
    std::memcpy(&block, in, sizeof block);
    int32_t reply = answer(block);
    std::memcpy(out, &reply, sizeof reply);
    if (returned != nullptr) {
        *returned = sizeof reply;
    }
    return 1;
}
