/* Calls into the support library from C, through its umbrella header. */
#include <string.h>

#include "c_probe.h"
#include "vorn/support.h"

int c_probe_nsid_index(void) {
    return vorn_nsid_index("MD5/UDH");
}

int c_probe_round_trip(char* text) {
    vorn_nodeid_t id;
    if (vorn_nodeid_from_text("0X0A000001", 1, &id) != 0) {
        return -1;
    }
    return vorn_nodeid_to_text(&id, 1, text);
}

const char* c_probe_names(void) {
    static char joined[64];
    strcpy(joined, vorn_crypt_alg_name(10, 1));
    strcat(joined, ",");
    strcat(joined, vorn_log_level_name(VORN_LOG_ERR));
    return joined;
}

int c_probe_network(char* text) {
    vorn_net_entry entry;
    memset(&entry, 0, sizeof entry);
    entry.address = 0x0105100aU; /* 10.16.5.1 on a little-endian host */
    entry.mask = 0x0000ffffU;    /* 255.255.0.0 */
    return vorn_net_entry_to_text(&entry, text);
}

int c_probe_requests_fail(void) {
    int32_t value = 0;
    return vorn_driver_request(VORN_CONTROL_CODE, 0, 0, 0, 0, 0) == -1 &&
           vorn_read_param("vorn_syslog_level", &value) == -1 && vorn_request_24(0) == 0;
}
