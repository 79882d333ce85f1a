// The key manager client library as the dialogs call it. Each dialog handler builds one
// keymgr_cli for one operation and destroys it before returning; a connection that
// cannot reach the key manager shows as a nonzero kmi_err from the next call.
#pragma once

#include <cstdint>

#include "vorn/nodeid.h"

#define TOLVAK32_API __attribute__((visibility("default")))

enum kmi_err : std::int32_t {
    KMI_OK = 0,
    KMI_ERR_UNREACHABLE = 1, // no key manager answers
    KMI_ERR_REFUSED = 2,     // wrong password, or not allowed in this state
    KMI_ERR_LOCKED = 3,      // needs a successful login first
    KMI_ERR_PROTOCOL = 4,    // a malformed request or reply
    KMI_ERR_NOT_FOUND = 5,   // no such certificate
    KMI_ERR_STORAGE = 6,     // the key manager could not keep the change
};

enum kmi_state : std::int32_t {
    KMI_STATE_FAILED = -1,
    KMI_STATE_WORKING = 0,
    KMI_STATE_STARTING = 1,
};

enum kmk_state : std::int32_t {
    KMK_STATE_NO_PASSWORD = 0,
    KMK_STATE_LOCKED = 1,
    KMK_STATE_UNLOCKED = 2,
};

enum vorn_attrtype : std::int32_t {
    VORN_ATTR_TEXT = 1,
};

// The caller's operating-system record; the dialogs pass -1, 0, 0.
struct kmi_osT_ {
    std::int32_t words[3];
};

// The name of a key or certificate: name-space identifier in byte 0, node identifier
// from byte 4.
struct vorn_name_t {
    std::uint8_t nsid;
    std::uint8_t reserved[3];
    vorn_nodeid_t node;
};

class TOLVAK32_API Xstring {
public:
    explicit Xstring(const char* text);
    Xstring(const Xstring& other);
    Xstring& operator=(const Xstring& other);
    ~Xstring();

    const char* c_str() const { return m_text; }

private:
    char* m_text;
};

class TOLVAK32_API vorn_attrib {
public:
    vorn_attrib(vorn_attrtype type, Xstring& name, Xstring& value);
    ~vorn_attrib();
    vorn_attrib(const vorn_attrib&) = delete;
    vorn_attrib& operator=(const vorn_attrib&) = delete;

    vorn_attrtype type() const { return m_type; }
    const Xstring& name() const { return m_name; }
    const Xstring& value() const { return m_value; }

private:
    vorn_attrtype m_type;
    Xstring m_name;
    Xstring m_value;
};

class TOLVAK32_API keymgr_cli {
public:
    keymgr_cli(int service, kmi_osT_& os);
    // Out of line, so callers bind to the library's own destructor.
    ~keymgr_cli(); // NOLINT(performance-trivially-destructible)
    keymgr_cli(const keymgr_cli&) = delete;
    keymgr_cli& operator=(const keymgr_cli&) = delete;

    // mode names the key store; this key manager keeps store 0 only.
    kmi_err login(unsigned char mode, const char* password);
    kmi_err probe(kmi_state& state, kmk_state& keyState);
    kmi_err passwordSet(unsigned char mode, const char* newPassword, const char* oldPassword);
    // Stores the one attribute that *attributes points to for that name record.
    kmi_err certEdit(vorn_name_t& name, vorn_attrib** attributes);

private:
    // Where keymgrd listens, fixed at construction; empty when the path is too long.
    char m_socketPath[108] = {};
};
