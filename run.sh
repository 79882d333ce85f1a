#!/usr/bin/env bash
# Installs what is missing (Debian), builds and installs the product into ./out.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_TESTS=OFF
cmake --build build -j"$(nproc)"
cmake --install build --prefix "$PWD/out"
echo "Installed into $PWD/out"
