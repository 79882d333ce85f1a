#!/bin/sh
# Installs the build into a temp prefix and builds a C program against the installed
# support library with nothing but `pkg-config --cflags --libs vorn-support`.
# Usage: install_test.sh <build dir> <C compiler> [extra compiler flags...]
set -eu
build=$1
cc=$2
shift 2
prefix=$(mktemp -d /tmp/vorn-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in lib/libvornsupport.a lib/pkgconfig/vorn-support.pc include/vorn/support.h \
            include/vorn/tables.h include/vorn/vornlog.h include/vorn/addrtext.h \
            include/vorn/win32.h include/vorn/nodeid.h; do
    test -f "$prefix/$file" || { echo "missing $file" >&2; exit 1; }
done

cat >"$prefix/probe.c" <<'PROBE'
#include <stdio.h>
#include <string.h>
#include <vorn/support.h>

int main(void) {
    char text[VORN_NODEID_TEXT_SIZE];
    vorn_nodeid_t id;
    if (vorn_nodeid_from_text("c0.a8.1.2", 1, &id) == 0) {
        return 2; /* not a dotted address */
    }
    if (vorn_nodeid_from_text("192.168.1.2", 1, &id) != 0 || vorn_nodeid_to_text(&id, 1, text) != 0) {
        return 3;
    }
    printf("%s %s %d %s\n", text, vorn_key_alg_name(1, 2), vorn_log_level_index("LOG_INFO"),
           vorn_nsid_name(8));
    return vorn_driver_request(VORN_CONTROL_CODE, 0, 0, 0, 0, 0) == -1 ? 0 : 4;
}
PROBE
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
# shellcheck disable=SC2046
"$cc" "$@" -o "$prefix/probe" "$prefix/probe.c" $(pkg-config --cflags --libs vorn-support)
VORN_ROOT="$prefix/root" VORN_DRIVER_PATH="$prefix/none" "$prefix/probe" >"$prefix/out"
expected="c0a80102 DES-CBC 6 MD5/UDH"
if [ "$(cat "$prefix/out")" != "$expected" ]; then
    echo "probe printed '$(cat "$prefix/out")', expected '$expected'" >&2
    exit 1
fi
echo "installed library builds and runs: $expected"
