/* The packet-security driver's module interface: the request block that the support
 * library sends over the device \\.\QMDXVORN and the module's entry points. */
#ifndef VORN_QMDXVORN_H
#define VORN_QMDXVORN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#define VORN_STATIC_ASSERT static_assert
#else
#define VORN_STATIC_ASSERT _Static_assert
#endif

/* Every request carries this control code, both as the call's code and in word 0. */
#define VORN_CONTROL_CODE 22

#define VORN_REQUEST_READ_CRYPT_ALG_INFO 14
#define VORN_REQUEST_READ_KEY_ALG_INFO 15
#define VORN_REQUEST_READ_PARAM 16

/* Requests 14 and 15 fill a buffer of this size: two arrays of 256 signed 16-bit
 * values in its first 1024 bytes. */
#define VORN_ALG_INFO_SIZE 2048
#define VORN_ALG_INFO_ENTRIES 256

/* An argument word: an integer or an address in the caller's process. It is 32 bits on
 * a 32-bit build and pointer-sized on a 64-bit build, so that no address is cut. */
typedef uintptr_t vorn_word_t;

typedef struct vorn_request_block {
    uint32_t control_code;
    uint32_t request;
    vorn_word_t param1;
    vorn_word_t param2;
    vorn_word_t param3;
    vorn_word_t param4;
} vorn_request_block;

VORN_STATIC_ASSERT(sizeof(vorn_word_t) == sizeof(void*), "an argument word holds an address");
VORN_STATIC_ASSERT(sizeof(void*) != 4 || sizeof(vorn_request_block) == 24,
                   "six 32-bit words on a 32-bit build");
VORN_STATIC_ASSERT(sizeof(void*) != 8 || sizeof(vorn_request_block) == 40,
                   "two 32-bit words and four 64-bit words on a 64-bit build");

/* The module's entry points, each returning nonzero on success. vorn_driver_control
 * receives the request block as input and writes the 4-byte reply as output. */
int vorn_driver_open(void);
void vorn_driver_close(void);
int vorn_driver_control(uint32_t code, const void* in, uint32_t in_size, void* out,
                        uint32_t out_size, uint32_t* returned);

#ifdef __cplusplus
}
#endif

#endif
