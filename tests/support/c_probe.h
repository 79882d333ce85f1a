/* The C side of the header test. */
#ifndef C_PROBE_H
#define C_PROBE_H

#ifdef __cplusplus
extern "C" {
#endif

int c_probe_nsid_index(void);
int c_probe_round_trip(char* text);
const char* c_probe_names(void);
int c_probe_network(char* text);
/* 1 when every driver request fails, as without a driver it must. */
int c_probe_requests_fail(void);

#ifdef __cplusplus
}
#endif

#endif
