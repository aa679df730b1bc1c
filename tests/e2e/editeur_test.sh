#!/usr/bin/env bash
# A teacher's edit through the real editor, with real X events on a private X
# server: open a copy of VOLCANS, retype one answer, undo an edit of another,
# Ctrl+S, Ctrl+Q. The questionnaire file must differ from the original in
# that answer only, the companion must be untouched and the previous version
# kept as .bak.
#
# Usage: bash editeur_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
set -uo pipefail

RUN_DIR=${1:?folder of the built program}
SOURCE_DIR=${2:?source folder}

passer() { echo "SKIP: $*"; exit 77; }
for outil in Xvfb xdotool xdpyinfo; do
  command -v "$outil" >/dev/null 2>&1 || passer "$outil is not installed"
done
[ -x "$RUN_DIR/korvane-editeur" ] || { echo "FAIL: no executable $RUN_DIR/korvane-editeur"; exit 1; }

travail=$(mktemp -d "${TMPDIR:-/tmp}/korvane-editeur-e2e.XXXXXX")
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$travail/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid=""
editeur_pid=""
nettoyer() {
  [ -n "$editeur_pid" ] && kill "$editeur_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$travail"
}
trap nettoyer EXIT
echec() {
  echo "FAIL: $*" >&2
  [ -s "$travail/editeur.log" ] && { echo "--- editor output:" >&2; cat "$travail/editeur.log" >&2; }
  exit 1
}

source "$SOURCE_DIR/tests/e2e/serveur_x.sh"
demarrer_x 1024x768

cp -r "$SOURCE_DIR/library/VOLCANS" "$travail/VOLCANS"
"$RUN_DIR/korvane-editeur" "$travail/VOLCANS" >"$travail/editeur.log" 2>&1 &
editeur_pid=$!

fenetre=""
for _ in $(seq 1 300); do
  fenetre=$(xdotool search --onlyvisible --name "VOLCANS" 2>/dev/null | head -n 1)
  [ -n "$fenetre" ] && break
  kill -0 "$editeur_pid" 2>/dev/null || echec "the editor ended before showing its window"
  sleep 0.1
done
[ -n "$fenetre" ] || echec "the editor's window did not appear"
xdotool windowfocus --sync "$fenetre" 2>/dev/null || echec "cannot focus the editor"
sleep 0.5
# Question 1 is selected: Alt+2 goes to its second answer, "Le puy de Dôme".
xdotool key --delay 80 alt+2 ctrl+a
xdotool type --delay 40 "Le puy de Come"
# An edit of answer 3 undone from answer 2: Ctrl+Z is the window's, not the field's.
xdotool key --delay 80 alt+3
xdotool type --delay 40 "Erreur"
xdotool key --delay 80 alt+2 ctrl+z
xdotool key --delay 80 ctrl+s
sleep 0.5
xdotool key --delay 80 ctrl+q
for _ in $(seq 1 100); do
  kill -0 "$editeur_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$editeur_pid" 2>/dev/null && echec "the editor did not quit on Ctrl+Q after saving"
wait "$editeur_pid"; editeur_pid=""

original="$SOURCE_DIR/library/VOLCANS/VOLCANS.dat"
LC_ALL=C awk 'NR == 4 { printf "Le puy de Come\r\n"; next } { print }' "$original" >"$travail/attendu.dat"
cmp "$travail/attendu.dat" "$travail/VOLCANS/VOLCANS.dat" || echec "VOLCANS.dat differs elsewhere than in answer 2"
cmp "$original" "$travail/VOLCANS/VOLCANS.dat.bak" || echec "the previous VOLCANS.dat was not kept"
cmp "$SOURCE_DIR/library/VOLCANS/VOLCANS.ini" "$travail/VOLCANS/VOLCANS.ini" || echec "VOLCANS.ini changed"
echo "PASS"
