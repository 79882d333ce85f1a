// Where the mouse pointer is. Every dialog's client area starts at the screen's origin
// in this model, so screen and dialog coordinates are the same and a control's client
// coordinates are offset by its rectangle.
#include "user/pointer.h"

#include "user/window.h"

namespace {

POINT s_pointer{0, 0};

} // namespace

void vorn::user::set_pointer_position(int x, int y) {
    s_pointer = POINT{x, y};
}

BOOL WINAPI GetCursorPos(POINT* point) {
    if (!point) {
        return FALSE;
    }
    *point = s_pointer;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, POINT* point) {
    using vorn::user::find_window;
    vorn::user::Window* target = find_window(window);
    if (!target || !point) {
        return FALSE;
    }
    for (; target && target->windowClass != vorn::user::WindowClass::dialog &&
           target->windowClass != vorn::user::WindowClass::message_box;
         target = find_window(target->parent)) {
        point->x -= target->rect.left;
        point->y -= target->rect.top;
    }
    return TRUE;
}
