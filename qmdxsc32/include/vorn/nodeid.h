/* A node identifier: the bytes of a host's name within its name space. */
#ifndef VORN_NODEID_H
#define VORN_NODEID_H

#include <stdint.h>

#define VORN_NODEID_BYTES 24

typedef struct vorn_nodeid_t {
    uint32_t length;                  /* meaningful bytes */
    uint8_t bytes[VORN_NODEID_BYTES]; /* left-aligned, the rest zero */
} vorn_nodeid_t;

#endif
