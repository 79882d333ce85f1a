#include "afx/framework_strings.h"

#include "user/resources.h"

namespace vorn::afx {

const char* framework_string(UINT id) {
    if (const char* own = user::find_string(user::own_resources(), id)) {
        return own;
    }
    switch (id) {
    case kStringTooLong:
        return "Please enter no more than %1 characters.";
    case kOutOfMemory:
        return "Out of memory.";
    case kNotSupported:
        return "An unsupported operation was attempted.";
    case kUnknownError:
        return "An unknown error has occurred.";
    default:
        return "";
    }
}

} // namespace vorn::afx
