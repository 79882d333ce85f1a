// Text storage that overwrites its memory before giving it back, so typed passwords do
// not linger in freed memory.
#pragma once

#include <cstddef>
#include <cstring>
#include <new>
#include <string>

namespace vorn::user {

void wipe_memory(void* data, std::size_t size);

template <typename T> struct WipingAllocator {
    using value_type = T;
    WipingAllocator() = default;
    template <typename U> WipingAllocator(const WipingAllocator<U>&) {}
    T* allocate(std::size_t count) { return static_cast<T*>(::operator new(count * sizeof(T))); }
    void deallocate(T* data, std::size_t count) {
        wipe_memory(data, count * sizeof(T));
        ::operator delete(data);
    }
    template <typename U> bool operator==(const WipingAllocator<U>&) const { return true; }
};

using Text = std::basic_string<char, std::char_traits<char>, WipingAllocator<char>>;

// Overwrites the text, the short-string buffer inside the object included, and empties it.
void wipe_text(Text& text);

} // namespace vorn::user
