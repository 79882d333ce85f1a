/* The name-space and algorithm vocabularies of the VORN service and their text forms.
 *
 * Returned texts and rows point into process-wide tables; never change or free them.
 * The algorithm lookups (and the two node-identifier operations) load the driver's
 * algorithm values once per process, on first use; a failed load is not retried. */
#ifndef VORN_TABLES_H
#define VORN_TABLES_H

#include <stdint.h>

#include "vorn/nodeid.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VORN_NSID_COUNT 12
#define VORN_NSID_NOT_FOUND 0xFF
#define VORN_ALG_COUNT 256

/* Text of a node identifier: at most 40 bytes (name space 8), 9 for name space 1. */
#define VORN_NODEID_TEXT_SIZE 40

typedef struct vorn_nsid_entry {
    const char* name; /* null for an unassigned name space */
    int32_t length;   /* bytes of a node identifier in this space */
} vorn_nsid_entry;

typedef struct vorn_alg_table {
    const char* names[VORN_ALG_COUNT]; /* null where the identifier is unassigned */
    int16_t values[VORN_ALG_COUNT];    /* as the packet-security driver reports them */
} vorn_alg_table;

/* Stores the address of row 0 in *table; returns the row count, 12. */
int32_t vorn_nsid_get_table(const vorn_nsid_entry** table);
/* The first assigned row whose name equals name exactly, its index in *index; null when
 * none (then *index is untouched). */
const vorn_nsid_entry* vorn_nsid_by_name(const char* name, uint8_t* index);
/* The row, or null above 11 or for an unassigned row. */
const vorn_nsid_entry* vorn_nsid_by_index(uint8_t index);
/* The index of the row named name, or 0xFF. */
uint8_t vorn_nsid_index(const char* name);
/* The row's name, or null as for vorn_nsid_by_index. */
const char* vorn_nsid_name(uint8_t index);

/* Lower-case hexadecimal of the space's identifier bytes (name space 8 in groups of four
 * digits joined by '-'); text needs VORN_NODEID_TEXT_SIZE bytes. 0, or -1 above 11. */
int32_t vorn_nodeid_to_text(const vorn_nodeid_t* id, uint8_t nsid, char* text);
/* Parses a node identifier of the given space (a dotted address for space 1, else hex
 * digits, optionally "0x" and dashes); the text is not changed. 0, or -1. */
int32_t vorn_nodeid_from_text(const char* text, uint8_t nsid, vorn_nodeid_t* id);

/* Algorithm identifier 0-255 of a name (case-insensitive) in a VORN version, or -1. */
int32_t vorn_key_alg_id(const char* name, uint8_t version);
int32_t vorn_crypt_alg_id(const char* name, uint8_t version);
int32_t vorn_mac_alg_id(const char* name, uint8_t version);
/* The name of an identifier, or "<invalid>", "<invalid version>", "<unknown>", "none";
 * never null. */
const char* vorn_key_alg_name(int32_t id, uint8_t version);
const char* vorn_crypt_alg_name(int32_t id, uint8_t version);
const char* vorn_mac_alg_name(int32_t id, uint8_t version);
/* The driver's 16-bit value of an identifier, sign-extended; 0 when out of range. */
int32_t vorn_key_alg_info(int32_t id, uint8_t version);
int32_t vorn_crypt_alg_info(int32_t id, uint8_t version);
int32_t vorn_mac_alg_info(int32_t id, uint8_t version);
/* Loads the driver's algorithm values once; 0, or -1 when the first attempt failed. */
int32_t vorn_load_alg_tables(void);

#ifdef __cplusplus
}
#endif

#endif
