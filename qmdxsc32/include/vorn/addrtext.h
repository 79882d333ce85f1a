/* Text forms of the service's hosts and networks, and a process-wide address-to-name
 * cache over the system resolver. */
#ifndef VORN_ADDRTEXT_H
#define VORN_ADDRTEXT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#define VORN_ADDRTEXT_ASSERT static_assert
#else
#define VORN_ADDRTEXT_ASSERT _Static_assert
#endif

/* A host name is written into a caller's buffer of this size at most: 255 characters
 * and the terminator; a longer name from the resolver is cut. */
#define VORN_HOST_NAME_SIZE 256

/* flags: the entry has no address to show. */
#define VORN_NET_ENTRY_NO_ADDRESS 0x08

/* One host or network of the service, 16 bytes. Addresses and masks are in network byte
 * order (first octet first); a mask of all ones marks a single host. */
typedef struct vorn_net_entry {
    uint32_t address;  /* offset 0 */
    uint8_t nsid;      /* offset 4: name space of the peer's node identifier */
    uint8_t key_alg;   /* offset 5: key-encryption algorithm identifier */
    uint8_t crypt_alg; /* offset 6: traffic-encryption algorithm identifier */
    uint8_t mac_alg;   /* offset 7: authentication algorithm identifier */
    uint8_t flags;     /* offset 8: VORN_NET_ENTRY_* bits, the others reserved */
    uint8_t reserved[3];
    uint32_t mask; /* offset 12 */
} vorn_net_entry;

VORN_ADDRTEXT_ASSERT(offsetof(vorn_net_entry, address) == 0, "address first");
VORN_ADDRTEXT_ASSERT(offsetof(vorn_net_entry, flags) == 8, "flags at offset 8");
VORN_ADDRTEXT_ASSERT(offsetof(vorn_net_entry, mask) == 12, "mask at offset 12");
VORN_ADDRTEXT_ASSERT(sizeof(vorn_net_entry) == 16, "16 bytes");
#undef VORN_ADDRTEXT_ASSERT

/* The host name of an IPv4 address (network byte order) into name, which holds
 * VORN_HOST_NAME_SIZE bytes. 0, or -1 when the address has no name (name untouched).
 * Answers are remembered for the life of the process; misses are asked again. */
int32_t vorn_addr_to_name(uint32_t address, char* name);

/* "default", a host name or a dotted network prefix into text (VORN_HOST_NAME_SIZE
 * bytes). 0, or -1 for an entry that cannot be shown. */
int32_t vorn_net_entry_to_text(const vorn_net_entry* entry, char* text);

#ifdef __cplusplus
}
#endif

#endif
