#!/usr/bin/env bash
# Sets up, builds and starts Korvane on the sample library beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(scripts/setup.sh | tail -n 1)
exec "$build/korvane/korvane"
