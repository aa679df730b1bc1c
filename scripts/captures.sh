#!/usr/bin/env bash
# Retakes the screenshots of the quiz, its pictures and the results in
# docs/screenshots/ (or FOLDER), at 800 x 600 and at 1024 x 768, each on an
# Xvfb of its own on a free display among :50 to :99.
# Usage: scripts/captures.sh [FOLDER]   (after scripts/setup.sh)
set -e
racine=$(cd "$(dirname "$0")/.." && pwd)
sortie=$(realpath -m "${1:-$racine/docs/screenshots}")
build="$racine/${KORVANE_BUILD:-build}"
ninja -C "$build" captures >&2
mkdir -p "$sortie"
# The end-to-end tests' helpers: scratch folder, X server started and ended.
source "$racine/tests/e2e/fenetres.sh" "$build/korvane" "$racine"
exiger Xvfb
for taille in 800x600 1024x768; do
  serveur_x Xvfb -screen 0 "${taille}x24"
  "$build/scripts/captures/captures" "$sortie" || echec "the captures at $taille failed"
  kill "$serveur_pid"
  wait "$serveur_pid" || true
  serveur_pid=""
  echo "$taille: done" >&2
done
