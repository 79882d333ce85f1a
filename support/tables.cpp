// The name-space and algorithm tables.
//
// The algorithm tables start as built and are loaded at most once from the driver: the
// load flag is set before the driver is asked, so a failed load is never retried and a
// second caller during the load reads the tables as they stand.
#include "vorn/tables.h"

#include <cstring>

#include <winsock.h>

#include "vorn/win32.h"

namespace {

constexpr int kLastNsid = VORN_NSID_COUNT - 1;
constexpr int kLastAlg = VORN_ALG_COUNT - 1;

const vorn_nsid_entry vorn_nsid_table[VORN_NSID_COUNT] = {
    {"Not present", 0}, {"IPv4 Address", 4}, {nullptr, 0}, {nullptr, 0},
    {nullptr, 0},       {nullptr, 0},        {nullptr, 0}, {nullptr, 0},
    {"MD5/UDH", 16},    {nullptr, 0},        {nullptr, 0}, {nullptr, 0},
};

constexpr vorn_alg_table cipher_v1() {
    vorn_alg_table table{};
    table.names[0] = "none";
    table.names[1] = "DES-CBC";
    table.names[2] = "RC2-40";
    table.names[3] = "RC4-40";
    table.names[4] = "RC4-128";
    table.names[5] = "DES-EDE-K2";
    table.names[6] = "DES-EDE-K3";
    table.names[10] = "simplecrypt";
    return table;
}

constexpr vorn_alg_table cipher_v2() {
    vorn_alg_table table{};
    table.names[0] = "none";
    table.names[1] = "DES-CBC";
    return table;
}

constexpr vorn_alg_table mac_v2() {
    vorn_alg_table table{};
    table.names[0] = "none";
    table.names[1] = "MD5";
    table.values[0] = 1;
    table.values[1] = 1;
    return table;
}

constinit vorn_alg_table key_alg_v1 = cipher_v1();
constinit vorn_alg_table key_alg_v2 = cipher_v2();
constinit vorn_alg_table crypt_alg_v1 = cipher_v1();
constinit vorn_alg_table crypt_alg_v2 = cipher_v2();
constinit vorn_alg_table mac_alg_v2 = mac_v2();

bool s_loadAttempted = false;

// Version bytes each family accepts for its name lookups (both directions).
vorn_alg_table* key_table(uint8_t version) {
    return version == 1 ? &key_alg_v1 : version == 2 ? &key_alg_v2 : nullptr;
}

vorn_alg_table* crypt_table(uint8_t version) {
    return version == 1 ? &crypt_alg_v1 : (version == 2 || version == 3) ? &crypt_alg_v2 : nullptr;
}

vorn_alg_table* mac_table(uint8_t version) {
    return (version == 2 || version == 3) ? &mac_alg_v2 : nullptr;
}

bool ascii_equal_ignoring_case(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<unsigned char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<unsigned char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
        if (x == '\0') {
            return true;
        }
    }
}

int32_t find_alg(const vorn_alg_table& table, const char* name) {
    for (int id = 0; id <= kLastAlg; ++id) {
        if (table.names[id] != nullptr && ascii_equal_ignoring_case(table.names[id], name)) {
            return id;
        }
    }
    return -1;
}

// Name to identifier for the key-encryption and traffic-encryption families.
int32_t cipher_alg_id(const vorn_alg_table* table, const char* name, uint8_t version) {
    if (name == nullptr) {
        return -1;
    }
    if (version == 0) {
        return ascii_equal_ignoring_case(name, "none") ? 0 : -1;
    }
    return table != nullptr ? find_alg(*table, name) : -1;
}

const char* cipher_alg_name(const vorn_alg_table* table, int32_t id) {
    if (id < 0 || id > kLastAlg) {
        return "<invalid>";
    }
    if (table == nullptr) {
        return "<invalid version>";
    }
    return table->names[id] != nullptr ? table->names[id] : "<unknown>";
}

int32_t alg_value(const vorn_alg_table* table, int32_t id) {
    if (id < 0 || id > kLastAlg || table == nullptr) {
        return 0;
    }
    return table->values[id];
}

// One array of 256 little-endian signed 16-bit values.
void copy_values(const unsigned char* array, int16_t* values) {
    for (int id = 0; id <= kLastAlg; ++id) {
        auto word = static_cast<uint16_t>(array[2 * id] | (array[2 * id + 1] << 8));
        values[id] = static_cast<int16_t>(word);
    }
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The hexadecimal digits of the first token of text, without "0x" and dashes, into
// digits (room for limit of them). False when there is no token or it is longer.
bool token_digits(const char* text, char* digits, size_t limit, size_t& count) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    const char* end = text;
    while (*end != '\0' && *end != ' ' && *end != '\t') {
        ++end;
    }
    if (end == text) {
        return false;
    }
    if (end - text > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text += 2;
    }
    count = 0;
    for (const char* p = text; p < end; ++p) {
        if (*p == '-') {
            // The dash goes; whatever follows it stays, even a second dash.
            if (++p == end) {
                break;
            }
        }
        if (count == limit) {
            return false;
        }
        digits[count++] = *p;
    }
    return true;
}

} // namespace

extern "C" {

int32_t vorn_nsid_get_table(const vorn_nsid_entry** table) {
    if (table != nullptr) {
        *table = vorn_nsid_table;
    }
    return VORN_NSID_COUNT;
}

const vorn_nsid_entry* vorn_nsid_by_name(const char* name, uint8_t* index) {
    if (name == nullptr) {
        return nullptr;
    }
    for (int i = 0; i <= kLastNsid; ++i) {
        const vorn_nsid_entry& row = vorn_nsid_table[i];
        if (row.name != nullptr && std::strcmp(row.name, name) == 0) {
            if (index != nullptr) {
                *index = static_cast<uint8_t>(i);
            }
            return &row;
        }
    }
    return nullptr;
}

const vorn_nsid_entry* vorn_nsid_by_index(uint8_t index) {
    if (index > kLastNsid || vorn_nsid_table[index].name == nullptr) {
        return nullptr;
    }
    return &vorn_nsid_table[index];
}

uint8_t vorn_nsid_index(const char* name) {
    uint8_t index = VORN_NSID_NOT_FOUND;
    vorn_nsid_by_name(name, &index);
    return index;
}

const char* vorn_nsid_name(uint8_t index) {
    const vorn_nsid_entry* row = vorn_nsid_by_index(index);
    return row != nullptr ? row->name : nullptr;
}

int32_t vorn_nodeid_to_text(const vorn_nodeid_t* id, uint8_t nsid, char* text) {
    vorn_load_alg_tables();
    if (nsid > kLastNsid || id == nullptr || text == nullptr) {
        return -1;
    }
    static const char kDigits[] = "0123456789abcdef";
    int32_t length = vorn_nsid_table[nsid].length;
    char* out = text;
    for (int32_t i = 0; i < length && i < VORN_NODEID_BYTES; ++i) {
        if (nsid == 8 && i > 0 && i % 2 == 0) {
            *out++ = '-';
        }
        *out++ = kDigits[id->bytes[i] >> 4];
        *out++ = kDigits[id->bytes[i] & 0xf];
    }
    *out = '\0';
    return 0;
}

int32_t vorn_nodeid_from_text(const char* text, uint8_t nsid, vorn_nodeid_t* id) {
    vorn_load_alg_tables();
    if (text == nullptr || nsid > kLastNsid || id == nullptr) {
        return -1;
    }
    std::memset(id, 0, sizeof *id);
    if (nsid == 0) {
        return *text == '\0' ? 0 : -1;
    }
    if (nsid == 1 && std::strchr(text, '.') != nullptr) {
        std::uint32_t address = inet_addr(text);
        if (address == INADDR_NONE) {
            return -1;
        }
        std::memcpy(id->bytes, &address, 4);
        id->length = 4;
        return 0;
    }

    auto length = static_cast<size_t>(vorn_nsid_table[nsid].length);
    char digits[2 * VORN_NODEID_BYTES] = {};
    size_t count = 0;
    if (!token_digits(text, digits, 2 * length, count) || count != 2 * length) {
        return -1;
    }
    for (size_t i = 0; i < length; ++i) {
        int high = hex_digit(digits[2 * i]);
        int low = hex_digit(digits[2 * i + 1]);
        if (high < 0 || low < 0) {
            return -1;
        }
        id->bytes[i] = static_cast<uint8_t>(16 * high + low);
    }
    id->length = static_cast<uint32_t>(length);
    return 0;
}

int32_t vorn_load_alg_tables(void) {
    if (s_loadAttempted) {
        return 0;
    }
    s_loadAttempted = true;

    unsigned char buffer[VORN_ALG_INFO_SIZE];
    constexpr size_t kSecondArray = 2 * VORN_ALG_INFO_ENTRIES;
    if (vorn_read_key_alg_info(buffer) != 0) {
        return -1;
    }
    copy_values(buffer, key_alg_v2.values);
    copy_values(buffer + kSecondArray, key_alg_v1.values);

    if (vorn_read_crypt_alg_info(buffer) != 0) {
        return -1;
    }
    copy_values(buffer, crypt_alg_v2.values);
    copy_values(buffer + kSecondArray, crypt_alg_v1.values);

    crypt_alg_v2.names[240] = "RC4-40";
    key_alg_v2.names[242] = "RC2-40";
    crypt_alg_v2.names[242] = "RC2-40";
    crypt_alg_v2.names[253] = "plaintext";
    return 0;
}

int32_t vorn_key_alg_id(const char* name, uint8_t version) {
    vorn_load_alg_tables();
    return cipher_alg_id(key_table(version), name, version);
}

int32_t vorn_crypt_alg_id(const char* name, uint8_t version) {
    vorn_load_alg_tables();
    return cipher_alg_id(crypt_table(version), name, version);
}

int32_t vorn_mac_alg_id(const char* name, uint8_t version) {
    vorn_load_alg_tables();
    if (name == nullptr) {
        return -1;
    }
    if (ascii_equal_ignoring_case(name, "none")) {
        return 0;
    }
    const vorn_alg_table* table = mac_table(version);
    return table != nullptr ? find_alg(*table, name) : -1;
}

const char* vorn_key_alg_name(int32_t id, uint8_t version) {
    vorn_load_alg_tables();
    return cipher_alg_name(key_table(version), id);
}

const char* vorn_crypt_alg_name(int32_t id, uint8_t version) {
    vorn_load_alg_tables();
    return cipher_alg_name(crypt_table(version), id);
}

const char* vorn_mac_alg_name(int32_t id, uint8_t version) {
    vorn_load_alg_tables();
    if (id < 0 || id > kLastAlg) {
        return "<invalid>";
    }
    const vorn_alg_table* table = mac_table(version);
    if (table == nullptr) {
        return "none";
    }
    const char* name = table->names[id];
    return name != nullptr && *name != '\0' ? name : "<unknown>";
}

int32_t vorn_key_alg_info(int32_t id, uint8_t version) {
    vorn_load_alg_tables();
    // Only version 2 has tables of its own; every other version reads version 1's values.
    return alg_value(version == 2 ? &key_alg_v2 : &key_alg_v1, id);
}

int32_t vorn_crypt_alg_info(int32_t id, uint8_t version) {
    vorn_load_alg_tables();
    return alg_value(crypt_table(version), id);
}

int32_t vorn_mac_alg_info(int32_t id, uint8_t version) {
    vorn_load_alg_tables();
    return alg_value(mac_table(version), id);
}

} // extern "C"
