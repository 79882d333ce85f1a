#!/usr/bin/env bash
# Installs what is missing (Debian), configures, builds and runs the whole test suite.
# Usage: ./test.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")"
build=${1:-build}
shift || true

./tools/install-deps.sh

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_WERROR=ON "$@"
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300
