#!/usr/bin/env bash
# Sets up, builds (without the tests) and starts Korvane on the sample
# library beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(KORVANE_TESTS=0 scripts/setup.sh | tail -n 1)
exec "$build/korvane/korvane"
