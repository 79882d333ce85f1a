#!/usr/bin/env bash
# The main command. Installs what is missing (Debian), builds, installs into ./out,
# prepares VORN_ROOT (the driver stand-in's configuration, the key manager's state),
# starts the key manager unless one already serves, and opens vornconfig's menu on this
# terminal. A key manager started here stops when the menu quits.
set -euo pipefail
cd "$(dirname "$0")"
here=$PWD

./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cmake --install build --prefix "$here/out" >/dev/null
echo "Installed into $here/out"

bin=$here/out/bin
export VORN_ROOT=${VORN_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/vorn}
export VORN_UI=${VORN_UI:-terminal}
mkdir -p "$VORN_ROOT"

# The packet-security driver stand-in answers from this file; a first one if there is none.
ini=$VORN_ROOT/drive_c/WINDOWS/SYSTEM/QMDXVORN.INI
if [ ! -e "$ini" ]; then
    mkdir -p "$(dirname "$ini")"
    cat >"$ini" <<'INI'
[parameters]
; request 16: driver parameters by name
vorn_syslog_level=7

[key_alg_info]
; request 15: id:value pairs of the two key-encryption arrays
first=
second=

[crypt_alg_info]
; request 14: the same for traffic encryption
first=
second=
INI
    echo "Created the driver configuration $ini"
fi

if [ ! -t 0 ]; then
    echo "Standard input is not a terminal: not opening the menu. Run $bin/vornconfig there."
    exit 0
fi

# The key manager, with its state under VORN_ROOT. One that already serves the socket is
# used as it is.
state=$VORN_ROOT/keymgr
log=$VORN_ROOT/keymgrd.log
"$bin/keymgrd" --state "$state" >"$log" 2>&1 &
keymgrd=$!
started=""
for _ in $(seq 100); do
    if grep -q '^keymgrd: serving' "$log"; then
        started=yes
        break
    fi
    if ! kill -0 "$keymgrd" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [ -n "$started" ]; then
    trap 'kill "$keymgrd" 2>/dev/null; wait "$keymgrd" 2>/dev/null || true' EXIT
    echo "Started the key manager ($(sed -n 's/^keymgrd: serving //p' "$log"))"
elif grep -q 'another key manager is serving' "$log"; then
    echo "Using the key manager that is already running"
else
    kill "$keymgrd" 2>/dev/null || true
    echo "The key manager did not start:" >&2
    cat "$log" >&2
    exit 1
fi

# First use: no password yet.
if "$bin/keymgrd" --state "$state" --show 2>/dev/null | grep -qx 'password=none'; then
    read -r -p "No key manager password is set yet. Set it now? [Y/n] " answer
    if [[ ! $answer =~ ^[Nn] ]]; then
        # The dialog's results would print the password: keep them off the screen.
        if "$bin/vornconfig" passwd >/dev/null; then
            echo "The password is set."
        else
            echo "The password was not set."
        fi
    fi
fi

"$bin/vornconfig"
