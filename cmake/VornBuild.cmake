# Warnings, sanitizers and the install location of driver modules, for every target.

add_compile_options(-Wall -Wextra -Wshadow -Wno-unused-parameter)
if(VORN_WERROR)
    add_compile_options(-Werror)
endif()

if(VORN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Driver modules live here under the install prefix; the kernel also finds them
# relative to the module it was linked into.
set(VORN_DRIVER_DIR ${CMAKE_INSTALL_LIBDIR}/vorn/drivers)
