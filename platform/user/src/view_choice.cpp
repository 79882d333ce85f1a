#include <cstdlib>
#include <memory>
#include <string>

#include "user/modal.h"
#include "user/view.h"

namespace vorn::user {

View* current_view() {
    static std::unique_ptr<View> s_view;
    static std::string s_chosenWith;
    static bool s_chosen = false;

    const char* setting = std::getenv("VORN_UI");
    const std::string choice = setting ? setting : "";
    // A view is never swapped while a dialog or message box it shows is open.
    if ((s_chosen && choice == s_chosenWith) || innermost_modal()) {
        return s_view.get();
    }
    s_view.reset();
    s_chosen = true;
    s_chosenWith = choice;
    if (choice != "none" && vorn_create_view) {
        s_view.reset(vorn_create_view(choice.c_str()));
    }
    return s_view.get();
}

} // namespace vorn::user
