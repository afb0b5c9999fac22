#!/usr/bin/env bash
# Configures and builds into the folder given (default: build). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
launcher=()
# Rebuilds in other folders or after a clean reuse earlier compiles when ccache is there.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
# Ninja prints only warnings and errors, not a line per file.
cmake --build "$dir" -j"${GLIMMORA_JOBS:-$(nproc)}" -- --quiet
