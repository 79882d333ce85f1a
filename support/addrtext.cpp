// Address text and the address-to-name cache.
//
// The cache is a list in the order the names were learnt, walked from the oldest entry;
// each entry is one allocation (link, address, then the name) that lives until the
// process ends. The first allocation failure switches caching off for good and is told
// to syslog once; answers already cached are still given.
#include "vorn/addrtext.h"

#include <cstdio>
#include <cstring>

#include <winsock.h>

#include "kernel/memory.h"
#include "vorn/tables.h"
#include "vorn/vornlog.h"

namespace {

struct CacheEntry {
    CacheEntry* next;
    uint32_t address;
    // The name, NUL-terminated, follows the record in the same allocation.
};

constexpr uint32_t kAllOnes = 0xffffffffU;

CacheEntry* s_head = nullptr;
CacheEntry* s_tail = nullptr;
bool s_cacheEnabled = true;
bool s_socketsStarted = false;

char* entry_name(CacheEntry* entry) {
    return reinterpret_cast<char*>(entry) + sizeof(CacheEntry);
}

// Never more than VORN_HOST_NAME_SIZE bytes into the caller's buffer.
void copy_name(char* destination, const char* name) {
    size_t length = std::strlen(name);
    if (length > VORN_HOST_NAME_SIZE - 1) {
        length = VORN_HOST_NAME_SIZE - 1;
    }
    std::memcpy(destination, name, length);
    destination[length] = '\0';
}

// The resolver needs the socket layer; it is started once and kept, like the cache.
bool start_sockets() {
    if (!s_socketsStarted) {
        WSADATA data;
        s_socketsStarted = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }
    return s_socketsStarted;
}

void remember(uint32_t address, const char* name) {
    size_t length = std::strlen(name);
    auto* entry = static_cast<CacheEntry*>(vorn::kernel::allocate(sizeof(CacheEntry) + length + 1));
    if (entry == nullptr) {
        s_cacheEnabled = false;
        vorn_syslog(VORN_LOG_ERR, "IP ADDR TO NAME CACHE DISABLED DUE TO MEMORY ALLOC FAILURE\n");
        return;
    }
    entry->next = nullptr;
    entry->address = address;
    std::memcpy(entry_name(entry), name, length + 1);
    if (s_tail == nullptr) {
        s_head = entry;
    } else {
        s_tail->next = entry;
    }
    s_tail = entry;
}

} // namespace

extern "C" {

int32_t vorn_addr_to_name(uint32_t address, char* name) {
    if (name == nullptr) {
        return -1;
    }
    for (CacheEntry* entry = s_head; entry != nullptr; entry = entry->next) {
        if (entry->address == address) {
            copy_name(name, entry_name(entry));
            return 0;
        }
    }
    if (!start_sockets()) {
        return -1;
    }
    hostent* host = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
    if (host == nullptr || host->h_name == nullptr) {
        return -1;
    }
    copy_name(name, host->h_name);
    if (s_cacheEnabled) {
        remember(address, host->h_name);
    }
    return 0;
}

int32_t vorn_net_entry_to_text(const vorn_net_entry* entry, char* text) {
    vorn_load_alg_tables();
    if (entry == nullptr || text == nullptr || (entry->flags & VORN_NET_ENTRY_NO_ADDRESS) != 0) {
        return -1;
    }
    unsigned char octet[4];
    std::memcpy(octet, &entry->address, sizeof octet);
    unsigned char mask[4];
    std::memcpy(mask, &entry->mask, sizeof mask);

    if (entry->mask == kAllOnes) {
        if (entry->address == 0) {
            std::strcpy(text, "default");
            return 0;
        }
        if (entry->address == kAllOnes) {
            return -1;
        }
        // Broadcast addresses name no host.
        if (octet[0] < 192 && octet[2] == 255 && octet[3] == 255) {
            return -1;
        }
        if (octet[0] >= 192 && octet[3] == 255) {
            return -1;
        }
        return vorn_addr_to_name(entry->address, text);
    }

    constexpr size_t kDotted = 16;
    auto is_mask = [&mask](int a, int b, int c, int d) {
        return mask[0] == a && mask[1] == b && mask[2] == c && mask[3] == d;
    };
    if (is_mask(255, 0, 0, 0)) {
        std::snprintf(text, kDotted, "%u.0.0.0", octet[0]);
    } else if (is_mask(255, 255, 0, 0)) {
        std::snprintf(text, kDotted, "%u.%u.0.0", octet[0], octet[1]);
    } else if (is_mask(255, 255, 255, 0)) {
        std::snprintf(text, kDotted, "%u.%u.%u.0", octet[0], octet[1], octet[2]);
    } else {
        std::snprintf(text, kDotted, "%u.%u.%u.%u", octet[0], octet[1], octet[2], octet[3]);
    }
    return 0;
}

} // extern "C"
