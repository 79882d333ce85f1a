/* Requests to the packet-security driver. Each returns the driver's reply, or -1 when
 * the device cannot be opened or the call fails; -1 from the driver itself looks the
 * same. The device is opened on first use and stays open; a failed open is retried. */
#ifndef VORN_WIN32_H
#define VORN_WIN32_H

#include <stdint.h>

#include "vorn/qmdxvorn.h"

#ifdef __cplusplus
extern "C" {
#endif

int32_t vorn_driver_request(uint32_t control_code, uint32_t request, vorn_word_t param1,
                            vorn_word_t param2, vorn_word_t param3, vorn_word_t param4);

int32_t vorn_request_0(vorn_word_t a);
int32_t vorn_request_1(vorn_word_t a);
int32_t vorn_request_2(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_3(vorn_word_t a, vorn_word_t b, vorn_word_t c);
int32_t vorn_request_4(vorn_word_t a, vorn_word_t b, vorn_word_t c);
int32_t vorn_request_5(vorn_word_t a, vorn_word_t b, vorn_word_t c);
int32_t vorn_request_6(vorn_word_t a, vorn_word_t b, vorn_word_t c);
int32_t vorn_request_7(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_8(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_9(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_10(vorn_word_t a);
int32_t vorn_request_11(vorn_word_t a);
int32_t vorn_request_12(vorn_word_t a);
/* 0 when the 2048-byte buffer was filled with the traffic-encryption value arrays. */
int32_t vorn_read_crypt_alg_info(void* buffer);
/* 0 when the 2048-byte buffer was filled with the key-encryption value arrays. */
int32_t vorn_read_key_alg_info(void* buffer);
/* 0 when the driver knows the parameter and wrote its value. */
int32_t vorn_read_param(const char* name, int32_t* value);
int32_t vorn_request_17(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_18(vorn_word_t a);
int32_t vorn_request_19(vorn_word_t a);
int32_t vorn_request_20(vorn_word_t a);
int32_t vorn_request_21(vorn_word_t a);
int32_t vorn_request_22(vorn_word_t a, vorn_word_t b, vorn_word_t c);
int32_t vorn_request_23(vorn_word_t a, vorn_word_t b, vorn_word_t c, vorn_word_t d);
/* 1 when the reply is exactly 1, otherwise 0 (a failure too). */
int32_t vorn_request_24(vorn_word_t a);
int32_t vorn_request_25(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_26(vorn_word_t a, vorn_word_t b);
int32_t vorn_request_27(vorn_word_t a, vorn_word_t b, vorn_word_t c, vorn_word_t d);

#ifdef __cplusplus
}
#endif

#endif
