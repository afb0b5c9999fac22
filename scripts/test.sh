#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests.
# With --sanitize: the same in build-asan with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ "${1:-}" = "--sanitize" ]; then
  scripts/build.sh build-asan -DGLIMMORA_SANITIZE=ON -DGLIMMORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  cd build-asan
else
  scripts/build.sh build
  cd build
fi
# A green run prints ctest's closing lines only; a red one prints what failed, with its output.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600 >"$log" 2>&1; then
  tail -n 3 "$log"
else
  grep -vE '^ +Start +[0-9]+:|Passed +[0-9.]+ sec$' "$log"
  exit 1
fi
