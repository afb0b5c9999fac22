#!/usr/bin/env bash
# Configures and builds into the folder given (default: build). Extra arguments go to cmake.
# GLIMMORA_JOBS=N builds on N cores (default: all). GLIMMORA_TARGET=T builds only target T and
# shows the build's progress, for a person waiting on it.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
launcher=()
# Rebuilds in other folders or after a clean reuse earlier compiles when ccache is there.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
if [ -n "${GLIMMORA_TARGET:-}" ]; then
  cmake --build "$dir" --target "$GLIMMORA_TARGET" -j"${GLIMMORA_JOBS:-$(nproc)}"
else
  # Ninja prints only warnings and errors, not a line per file.
  cmake --build "$dir" -j"${GLIMMORA_JOBS:-$(nproc)}" -- --quiet
fi
