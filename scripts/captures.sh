#!/usr/bin/env bash
# Retakes the screenshots of the quiz, its pictures and the results in
# docs/screenshots/ (or FOLDER), at 800 x 600 and at 1024 x 768, each on an
# Xvfb of its own on a free display among :50 to :99.
# Usage: scripts/captures.sh [FOLDER]   (after scripts/setup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
sortie=$(realpath -m "${1:-docs/screenshots}")
captures="${KORVANE_BUILD:-build}/tests/captures"
ninja -C "${KORVANE_BUILD:-build}" captures >&2
mkdir -p "$sortie"
travail=$(mktemp -d)
serveur=""
arreter() {
  if [ -n "$serveur" ]; then kill "$serveur" 2>/dev/null; wait "$serveur" 2>/dev/null || true; fi
  serveur=""
}
trap 'arreter; rm -rf "$travail"' EXIT

for taille in 800x600 1024x768; do
  for _ in $(seq 1 10); do
    numero=$((50 + RANDOM % 50))
    [ -e "/tmp/.X$numero-lock" ] && continue
    rm -f "$travail/display"
    Xvfb ":$numero" -screen 0 "${taille}x24" -displayfd 3 -nolisten tcp 3>"$travail/display" \
      >"$travail/x.log" 2>&1 &
    serveur=$!
    for _ in $(seq 1 100); do
      [ -s "$travail/display" ] || ! kill -0 "$serveur" 2>/dev/null && break
      sleep 0.1
    done
    [ -s "$travail/display" ] && break
    arreter
  done
  [ -n "$serveur" ] || { echo "Xvfb could not start: $(tail -n 3 "$travail/x.log")" >&2; exit 1; }
  DISPLAY=":$numero" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$travail" "$captures" "$sortie"
  echo "$taille: done" >&2
  arreter
done
