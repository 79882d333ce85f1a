#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# As root it runs apt-get itself; otherwise it prints the exact command and stops.
set -euo pipefail
packages=(cmake make g++ pkg-config libgtest-dev libgmock-dev libsodium-dev libncurses-dev
          iproute2 util-linux tmux clang-format clang-tidy)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Run as root:" >&2
    echo "  apt-get update && $command" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
$command
