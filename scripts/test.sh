#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite (KORVANE_SANITIZE=1 for the
# sanitizer build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(scripts/setup.sh | tail -n 1)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure -j 2
