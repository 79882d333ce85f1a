// Resources as the resource compiler emits them: dialog templates and string tables,
// constant data of the module that holds them.
#pragma once

#include "win32/user.h"

namespace vorn::user {

struct ControlTemplate {
    const char* className; // "static", "edit", "button", "combobox", "SysListView32"
    const char* text;
    int id;
    short x, y, cx, cy; // dialog units
    DWORD style;
    DWORD exStyle;
};

struct DialogTemplate {
    int id;
    const char* caption;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
    const char* fontName;
    int pointSize;
    const ControlTemplate* controls;
    int controlCount;
};

struct StringEntry {
    UINT id;
    const char* text;
};

struct ResourceModule {
    const DialogTemplate* dialogs;
    int dialogCount;
    const StringEntry* strings;
    int stringCount;
};

// The module's own resources, or null when it has none.
const ResourceModule* own_resources();
const ResourceModule* module_resources(HINSTANCE module);
const DialogTemplate* find_dialog(const ResourceModule* module, int id);
const char* find_string(const ResourceModule* module, UINT id);

} // namespace vorn::user

// Every module that has resources defines this (the resource compiler's output does);
// weak, so a module without resources links and simply has none.
extern "C" const vorn::user::ResourceModule vorn_module_resources __attribute__((weak));
