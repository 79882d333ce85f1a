#include "key_service.h"

#include <sodium.h>

#include "tolvak32.h"

namespace vorn::keymgr {

namespace {

constexpr std::uint8_t kMaxNsid = 11;

bool has_nul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

bool password_field(Reader& request, std::string_view& password) {
    return request.field(password) && password.size() <= kMaxPassword && !has_nul(password);
}

std::uint32_t get_u32(const char* in) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(in[i]);
    }
    return value;
}

} // namespace

void KeyService::answer(Received how, const std::vector<std::uint8_t>& body, Writer& reply) {
    std::int32_t status = KMI_ERR_PROTOCOL;
    std::uint8_t op = 0;
    Reader request(body.data(), body.size());
    bool probe = false;
    if (how == Received::frame && request.u8(op)) {
        switch (static_cast<Op>(op)) {
        case Op::probe:
            probe = request.at_end();
            status = probe ? KMI_OK : KMI_ERR_PROTOCOL;
            break;
        case Op::login:
            status = login(request);
            break;
        case Op::passwordSet:
            status = password_set(request);
            break;
        case Op::certEdit:
            status = cert_edit(request);
            break;
        }
    }
    reply.i32(status);
    if (probe) {
        kmk_state keys = !m_store.has_password() ? KMK_STATE_NO_PASSWORD
                         : m_unlocked            ? KMK_STATE_UNLOCKED
                                                 : KMK_STATE_LOCKED;
        reply.i32(KMI_STATE_WORKING);
        reply.i32(keys);
    }
}

bool KeyService::verify(std::string_view password) const {
    return m_store.has_password() &&
           crypto_pwhash_str_verify(m_store.password_hash().c_str(), password.data(),
                                    password.size()) == 0;
}

std::int32_t KeyService::login(Reader& request) {
    std::string_view password;
    if (!password_field(request, password) || !request.at_end()) {
        return KMI_ERR_PROTOCOL;
    }
    if (!verify(password)) {
        return KMI_ERR_REFUSED;
    }
    m_unlocked = true;
    return KMI_OK;
}

std::int32_t KeyService::password_set(Reader& request) {
    std::string_view newPassword;
    std::string_view oldPassword;
    if (!password_field(request, newPassword) || !password_field(request, oldPassword) ||
        !request.at_end()) {
        return KMI_ERR_PROTOCOL;
    }
    // Setting the first password needs an empty old one; changing it needs the right one.
    bool allowed =
        m_store.has_password() ? !oldPassword.empty() && verify(oldPassword) : oldPassword.empty();
    if (newPassword.empty() || !allowed) {
        return KMI_ERR_REFUSED;
    }
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(
            hash, newPassword.data(), newPassword.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return KMI_ERR_STORAGE;
    }
    KeyStore changed = m_store;
    changed.set_password_hash(hash);
    return commit(std::move(changed));
}

// A change takes effect only once it is on disk; one that cannot be saved is dropped.
std::int32_t KeyService::commit(KeyStore changed) {
    std::string error;
    if (!changed.save(error)) {
        std::fprintf(stderr, "keymgrd: %s\n", error.c_str());
        return KMI_ERR_STORAGE;
    }
    m_store = std::move(changed);
    return KMI_OK;
}

std::int32_t KeyService::cert_edit(Reader& request) {
    std::string_view record;
    std::int32_t type = 0;
    std::string_view name;
    std::string_view value;
    if (!request.field(record) || !request.i32(type) || !request.field(name) ||
        !request.field(value) || !request.at_end() || record.size() != kNameRecordBytes) {
        return KMI_ERR_PROTOCOL;
    }
    auto nsid = static_cast<std::uint8_t>(record[0]);
    std::uint32_t nodeLength = get_u32(record.data() + 4);
    if (nsid > kMaxNsid || nodeLength > kMaxNodeBytes || type != VORN_ATTR_TEXT || name.empty() ||
        name.size() > kMaxAttributeName || value.size() > kMaxAttributeValue || has_nul(name) ||
        has_nul(value)) {
        return KMI_ERR_PROTOCOL;
    }
    if (!m_unlocked) {
        return KMI_ERR_LOCKED;
    }
    KeyStore changed = m_store;
    if (!changed.set_attribute(nsid, record.substr(8, nodeLength), name, value)) {
        return KMI_ERR_REFUSED;
    }
    return commit(std::move(changed));
}

} // namespace vorn::keymgr
