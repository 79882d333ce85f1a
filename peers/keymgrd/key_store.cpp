// State file, one record a line, fields separated by tabs, texts escaped:
//   vorn-keymgr 1
//   password <Argon2id hash string>
//   attr <nsid> <node hex> <name> <value>
#include "key_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

#include "text_escape.h"

namespace vorn::keymgr {

namespace {

const char kHeader[] = "vorn-keymgr 1";
constexpr unsigned kMaxNsid = 11;
constexpr std::size_t kMaxNodeBytes = 24;

std::vector<std::string_view> split_tabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool write_all(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

KeyStore::KeyStore(std::string directory) : m_directory(std::move(directory)) {}

bool KeyStore::set_attribute(std::uint8_t nsid, std::string_view node, std::string_view name,
                             std::string_view value) {
    auto certificate =
        std::find_if(m_certificates.begin(), m_certificates.end(),
                     [&](const Certificate& c) { return c.nsid == nsid && c.node == node; });
    if (certificate != m_certificates.end()) {
        for (Attribute& attribute : certificate->attributes) {
            if (attribute.name == name) {
                attribute.value = value;
                return true;
            }
        }
    }
    std::size_t count = 0;
    for (const Certificate& c : m_certificates) {
        count += c.attributes.size();
    }
    if (count >= kMaxAttributes) {
        return false;
    }
    if (certificate == m_certificates.end()) {
        m_certificates.push_back(Certificate{nsid, std::string(node), {}});
        certificate = m_certificates.end() - 1;
    }
    certificate->attributes.push_back(Attribute{std::string(name), std::string(value)});
    return true;
}

bool KeyStore::parse_line(const std::string& line, std::string& why) {
    std::vector<std::string_view> fields = split_tabs(line);
    if (fields[0] == "password" && fields.size() == 2 && !fields[1].empty()) {
        m_passwordHash = std::string(fields[1]);
        return true;
    }
    if (fields[0] != "attr" || fields.size() != 5) {
        why = "unknown record";
        return false;
    }
    std::string nsidText(fields[1]);
    char* end = nullptr;
    unsigned long nsid = std::strtoul(nsidText.c_str(), &end, 10);
    std::string node;
    std::string name;
    std::string value;
    if (nsidText.empty() || *end != '\0' || nsid > kMaxNsid) {
        why = "bad name-space id";
    } else if (!from_hex(fields[2], node) || node.size() > kMaxNodeBytes) {
        why = "bad node id";
    } else if (!unescape(fields[3], name) || name.empty() || !unescape(fields[4], value)) {
        why = "bad attribute text";
    } else if (!set_attribute(static_cast<std::uint8_t>(nsid), node, name, value)) {
        why = "too many attributes";
    } else {
        return true;
    }
    return false;
}

bool KeyStore::load(std::string& error) {
    std::ifstream in(file(), std::ios::binary);
    if (!in) {
        if (errno == ENOENT) {
            return true;
        }
        error = file() + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string why;
        if (number == 1 ? line != kHeader : !parse_line(line, why)) {
            error = file() + " line " + std::to_string(number) + ": " +
                    (number == 1 ? "not a key manager state file" : why);
            return false;
        }
    }
    if (in.bad()) {
        error = file() + ": read error";
        return false;
    }
    return true;
}

bool KeyStore::save(std::string& error) const {
    std::string text = std::string(kHeader) + "\n";
    if (has_password()) {
        text += "password\t" + m_passwordHash + "\n";
    }
    for (const Certificate& c : m_certificates) {
        for (const Attribute& a : c.attributes) {
            text += "attr\t" + std::to_string(c.nsid) + "\t" + to_hex(c.node) + "\t" +
                    escape(a.name) + "\t" + escape(a.value) + "\n";
        }
    }
    std::string temporary = file() + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = temporary + ": " + std::strerror(errno);
        return false;
    }
    bool written = write_all(fd, text) && ::fsync(fd) == 0;
    int saved = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        saved = errno;
    }
    if (!written || ::rename(temporary.c_str(), file().c_str()) != 0) {
        saved = written ? errno : saved;
        ::unlink(temporary.c_str());
        error = file() + ": " + std::strerror(saved);
        return false;
    }
    // The rename itself must reach the disk too.
    int directory = ::open(m_directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return true;
}

void KeyStore::show(std::FILE* out) const {
    std::fprintf(out, "password=%s\n", has_password() ? "set" : "none");
    for (const Certificate& c : m_certificates) {
        std::fprintf(out, "certificate nsid=%u node=%s\n", c.nsid, to_hex(c.node).c_str());
        for (const Attribute& a : c.attributes) {
            std::fprintf(out, "  attribute name=\"%s\" value=\"%s\"\n", escape(a.name).c_str(),
                         escape(a.value).c_str());
        }
    }
}

} // namespace vorn::keymgr
