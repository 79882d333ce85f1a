// The key manager's stored state: the password hash and the attributes of every
// certificate, kept in <state dir>/keymgr.state and replaced whole on every change.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::keymgr {

struct Attribute {
    std::string name;
    std::string value;
};

struct Certificate {
    std::uint8_t nsid = 0;
    std::string node; // the meaningful bytes of the node identifier
    std::vector<Attribute> attributes;
};

class KeyStore {
public:
    // Bounds the state file, whatever clients send.
    static constexpr std::size_t kMaxAttributes = 4096;

    explicit KeyStore(std::string directory);

    // A missing file is an empty store; a malformed one is an error naming file and line.
    bool load(std::string& error);
    // Writes a temporary file and renames it over the old one, so a crash keeps either.
    bool save(std::string& error) const;

    bool has_password() const { return !m_passwordHash.empty(); }
    const std::string& password_hash() const { return m_passwordHash; }
    void set_password_hash(std::string hash) { m_passwordHash = std::move(hash); }

    // Replaces an attribute of the same name; false when the store is full.
    bool set_attribute(std::uint8_t nsid, std::string_view node, std::string_view name,
                       std::string_view value);

    // Everything but the password hash.
    void show(std::FILE* out) const;

    std::string file() const { return m_directory + "/keymgr.state"; }

private:
    bool parse_line(const std::string& line, std::string& why);

    std::string m_directory;
    std::string m_passwordHash;
    std::vector<Certificate> m_certificates;
};

} // namespace vorn::keymgr
