// The key manager's operations: answers one request body with one reply.
#pragma once

#include <cstdint>
#include <vector>

#include "key_store.h"
#include "keymgr_wire.h"

namespace vorn::keymgr {

class KeyService {
public:
    explicit KeyService(KeyStore store) : m_store(std::move(store)) {}

    // how is what arrived; anything but a whole, well-formed frame is answered with
    // KMI_ERR_PROTOCOL.
    void answer(Received how, const std::vector<std::uint8_t>& body, Writer& reply);

private:
    std::int32_t login(Reader& request);
    std::int32_t password_set(Reader& request);
    std::int32_t cert_edit(Reader& request);
    bool verify(std::string_view password) const;
    std::int32_t commit(KeyStore changed);

    KeyStore m_store;
    // A successful login unlocks the service until it stops.
    bool m_unlocked = false;
};

} // namespace vorn::keymgr
