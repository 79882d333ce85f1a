/* The published headers compile as C, and a C program calls the library. Run with no
 * driver installed: every request fails. */
#include <stdio.h>
#include <stdlib.h>

#include "vorn/support.h"

int main(void) {
    int32_t value = 0;
    if (vorn_driver_request(VORN_CONTROL_CODE, 0, 0, 0, 0, 0) != -1 ||
        vorn_read_param("vorn_syslog_level", &value) != -1 || vorn_request_24(0) != 0) {
        fputs("a request succeeded without a driver\n", stderr);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
