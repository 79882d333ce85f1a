#!/usr/bin/env bash
# clang-format and clang-tidy over every C and C++ source of the tree.
# Usage: tools/check-style.sh <configured build dir with compile_commands.json>
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mapfile -t sources < <(git ls-files '*.c' '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
mapfile -t units < <(printf '%s\n' "${sources[@]}" | grep -E '\.(c|cpp)$')
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet
