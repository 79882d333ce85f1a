#include "user/resources.h"

#include <algorithm>
#include <cstring>

namespace vorn::user {

const ResourceModule* own_resources() {
    return &vorn_module_resources;
}

const ResourceModule* module_resources(HINSTANCE module) {
    return module ? reinterpret_cast<const ResourceModule*>(module) : own_resources();
}

const DialogTemplate* find_dialog(const ResourceModule* module, int id) {
    if (!module) {
        return nullptr;
    }
    for (int i = 0; i < module->dialogCount; ++i) {
        if (module->dialogs[i].id == id) {
            return &module->dialogs[i];
        }
    }
    return nullptr;
}

const char* find_string(const ResourceModule* module, UINT id) {
    if (!module) {
        return nullptr;
    }
    for (int i = 0; i < module->stringCount; ++i) {
        if (module->strings[i].id == id) {
            return module->strings[i].text;
        }
    }
    return nullptr;
}

} // namespace vorn::user

int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
    const char* text = vorn::user::find_string(vorn::user::module_resources(module), id);
    if (!buffer || size <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    if (!text) {
        return 0;
    }
    const std::size_t count =
        std::min<std::size_t>(std::strlen(text), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text, count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}
