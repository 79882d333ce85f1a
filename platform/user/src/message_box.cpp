#include "user/modal.h"
#include "user/view.h"
#include "user/window.h"

using vorn::user::find_window;
using vorn::user::Window;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    vorn::user::View* view = vorn::user::current_view();
    if (!view) {
        return 0;
    }
    Window& box = vorn::user::create_window(vorn::user::WindowClass::message_box, nullptr);
    box.text = text ? text : "";
    box.style = type;
    box.caption = caption ? caption : "Error";
    box.owner = owner;
    const HWND handle = box.handle;
    vorn::user::push_modal(handle);
    const BOOL ownerWasDisabled = owner ? EnableWindow(owner, FALSE) : FALSE;
    struct Close {
        HWND box;
        HWND owner;
        BOOL ownerWasDisabled;
        ~Close() {
            vorn::user::destroy_window(box);
            vorn::user::pop_modal(box);
            if (owner && !ownerWasDisabled) {
                EnableWindow(owner, TRUE);
            }
        }
    } close{handle, owner, ownerWasDisabled};

    view->message_box_opened({owner, text ? text : "", box.caption, type});
    vorn::user::run_modal_loop(handle);
    return static_cast<int>(find_window(handle)->endCode);
}
