// One wrapper per driver request: the request number fixed, the arguments in order from
// the first argument word, zeros in the words the request does not use.
#include "vorn/win32.h"

namespace {

constexpr uint32_t kCode = VORN_CONTROL_CODE;

vorn_word_t address(const void* pointer) {
    return reinterpret_cast<vorn_word_t>(pointer);
}

} // namespace

extern "C" {

int32_t vorn_request_0(vorn_word_t a) {
    return vorn_driver_request(kCode, 0, a, 0, 0, 0);
}
int32_t vorn_request_1(vorn_word_t a) {
    return vorn_driver_request(kCode, 1, a, 0, 0, 0);
}
int32_t vorn_request_2(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 2, a, b, 0, 0);
}
int32_t vorn_request_3(vorn_word_t a, vorn_word_t b, vorn_word_t c) {
    return vorn_driver_request(kCode, 3, a, b, c, 0);
}
int32_t vorn_request_4(vorn_word_t a, vorn_word_t b, vorn_word_t c) {
    return vorn_driver_request(kCode, 4, a, b, c, 0);
}
int32_t vorn_request_5(vorn_word_t a, vorn_word_t b, vorn_word_t c) {
    return vorn_driver_request(kCode, 5, a, b, c, 0);
}
int32_t vorn_request_6(vorn_word_t a, vorn_word_t b, vorn_word_t c) {
    return vorn_driver_request(kCode, 6, a, b, c, 0);
}
int32_t vorn_request_7(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 7, a, b, 0, 0);
}
int32_t vorn_request_8(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 8, a, b, 0, 0);
}
int32_t vorn_request_9(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 9, a, b, 0, 0);
}
int32_t vorn_request_10(vorn_word_t a) {
    return vorn_driver_request(kCode, 10, a, 0, 0, 0);
}
int32_t vorn_request_11(vorn_word_t a) {
    return vorn_driver_request(kCode, 11, a, 0, 0, 0);
}
int32_t vorn_request_12(vorn_word_t a) {
    return vorn_driver_request(kCode, 12, a, 0, 0, 0);
}
int32_t vorn_read_crypt_alg_info(void* buffer) {
    return vorn_driver_request(kCode, VORN_REQUEST_READ_CRYPT_ALG_INFO, address(buffer), 0, 0, 0);
}
int32_t vorn_read_key_alg_info(void* buffer) {
    return vorn_driver_request(kCode, VORN_REQUEST_READ_KEY_ALG_INFO, address(buffer), 0, 0, 0);
}
int32_t vorn_read_param(const char* name, int32_t* value) {
    return vorn_driver_request(kCode, VORN_REQUEST_READ_PARAM, address(name), address(value), 0, 0);
}
int32_t vorn_request_17(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 17, a, b, 0, 0);
}
int32_t vorn_request_18(vorn_word_t a) {
    return vorn_driver_request(kCode, 18, a, 0, 0, 0);
}
int32_t vorn_request_19(vorn_word_t a) {
    return vorn_driver_request(kCode, 19, a, 0, 0, 0);
}
int32_t vorn_request_20(vorn_word_t a) {
    return vorn_driver_request(kCode, 20, a, 0, 0, 0);
}
int32_t vorn_request_21(vorn_word_t a) {
    return vorn_driver_request(kCode, 21, a, 0, 0, 0);
}
int32_t vorn_request_22(vorn_word_t a, vorn_word_t b, vorn_word_t c) {
    return vorn_driver_request(kCode, 22, a, b, c, 0);
}
int32_t vorn_request_23(vorn_word_t a, vorn_word_t b, vorn_word_t c, vorn_word_t d) {
    return vorn_driver_request(kCode, 23, a, b, c, d);
}
int32_t vorn_request_24(vorn_word_t a) {
    return vorn_driver_request(kCode, 24, a, 0, 0, 0) == 1 ? 1 : 0;
}
int32_t vorn_request_25(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 25, a, b, 0, 0);
}
int32_t vorn_request_26(vorn_word_t a, vorn_word_t b) {
    return vorn_driver_request(kCode, 26, a, b, 0, 0);
}
int32_t vorn_request_27(vorn_word_t a, vorn_word_t b, vorn_word_t c, vorn_word_t d) {
    return vorn_driver_request(kCode, 27, a, b, c, d);
}

} // extern "C"
