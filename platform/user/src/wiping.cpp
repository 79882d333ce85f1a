#include "user/wiping.h"

namespace vorn::user {

void wipe_memory(void* data, std::size_t size) {
    // volatile stores, so the compiler cannot drop them as dead before the free.
    auto* bytes = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = 0;
    }
}

void wipe_text(Text& text) {
    wipe_memory(text.data(), text.capacity());
    text.clear();
}

} // namespace vorn::user
