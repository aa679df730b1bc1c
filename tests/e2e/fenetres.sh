# Helpers of the end-to-end tests that drive Korvane's windows on a private
# X server with xdotool; sourced by the *_test.sh scripts. They provide a
# scratch folder $travail (removed at exit), the X server, window searches,
# keys and clicks, the program's start and end, and the quiz screen's moves.
passer() { echo "SKIP: $*"; exit 77; }
for outil in Xvfb xdotool xdpyinfo; do
  command -v "$outil" >/dev/null 2>&1 || passer "$outil is not installed"
done

travail=$(mktemp -d "${TMPDIR:-/tmp}/korvane-e2e.XXXXXX")
# The program must show its windows on the private X server.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$travail/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid=""
korvane_pid=""

nettoyer() {
  [ -n "$korvane_pid" ] && kill "$korvane_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$travail"
}
trap nettoyer EXIT

echec() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null 2>&1; then
    local image="${TMPDIR:-/tmp}/korvane-e2e-echec.png"
    import -window root "$image" 2>/dev/null && echo "screen at the failure: $image" >&2
  fi
  [ -s "$travail/korvane.log" ] && { echo "--- program output:" >&2; cat "$travail/korvane.log" >&2; }
  exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/serveur_x.sh"

# Prints the id of the first visible window matching the xdotool search
# criteria given, waiting for one at most $1 seconds. It polls rather than
# using "search --sync": a window destroyed during the search (the splash on
# its way out) makes xdotool give up with an X error.
chercher_fenetre() {
  local fin=$((SECONDS + $1)) id
  shift
  while :; do
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    [ $SECONDS -lt $fin ] || return 1
    sleep 0.1
  done
}

# Sets the variable $1 to the id of the visible window whose title matches
# the pattern $2, waiting for it at most $3 seconds.
attendre() {
  local id
  id=$(chercher_fenetre "${3:-30}" --name "$2") || echec "window \"$2\" did not appear"
  printf -v "$1" '%s' "$id"
}

# Waits until no visible window matches the pattern, seen twice in a row:
# a search that fails on an X error also finds nothing.
attendre_fermeture() {
  local fin=$((SECONDS + ${2:-30})) absente=0
  while [ $absente -lt 2 ]; do
    if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
      absente=0
      [ $SECONDS -lt $fin ] || echec "window \"$1\" did not close"
    else
      absente=$((absente + 1))
    fi
    sleep 0.1
  done
}

# Gives the keyboard to a window (to the control that has the focus in it).
focaliser() {
  xdotool windowfocus --sync "$1" 2>/dev/null || echec "cannot focus window $1"
}

touches() {
  focaliser "$1"
  shift
  xdotool key --delay 60 "$@"
}

taper() {
  xdotool type --delay 60 "$1"
}

# A left click at (x, y) inside a window.
cliquer() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.15
}

# Starts the program $1 from its own folder.
lancer() {
  (cd "$(dirname "$1")" && exec "$1") >>"$travail/korvane.log" 2>&1 &
  korvane_pid=$!
  # The splash is the first window of the program; the library follows it.
  chercher_fenetre 20 --pid "$korvane_pid" >/dev/null || echec "the splash screen did not appear"
}

fin_du_programme() {
  local fin=$((SECONDS + 20))
  while kill -0 "$korvane_pid" 2>/dev/null; do
    [ $SECONDS -lt $fin ] || echec "the program did not end after Quitter"
    sleep 0.1
  done
  wait "$korvane_pid"
  local code=$?
  korvane_pid=""
  [ "$code" -eq 0 ] || echec "the program ended with code $code"
}

# The quiz screen (792 x 540) has its buttons in a row below the answers.
VALIDER=(66 462)
RESULTATS=(190 462)
ABANDON=(314 462)

# Ticks answer $2 (from 0) with the keyboard: each new question gives the
# focus to its first answer, Tab goes to the next one, Space ticks.
cocher() {
  local suite=()
  for ((i = 0; i < $2; i++)); do suite+=(Tab); done
  touches "$1" "${suite[@]}" space
}
valider() { cliquer "$1" "${VALIDER[@]}"; }

# Answers "Yes" (alt+o) or "No" (alt+n) to the "ATTENTION" question.
repondre_attention() {
  local boite
  attendre boite '^ATTENTION$'
  touches "$boite" "$1"
  attendre_fermeture '^ATTENTION$'
}
