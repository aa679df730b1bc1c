# Helpers of the end-to-end tests, sourced by the *_test.sh scripts and by
# scripts/captures.sh with their arguments RUN_DIR SOURCE_DIR: a scratch
# folder $travail (removed at exit), a private X server, windows, keys and
# clicks, the program's start and end.
# Exit 77: the test cannot run here.
set -uo pipefail
passer() { echo "SKIP: $*"; exit 77; }
RUN_DIR=$(cd "${1:?folder of the built program}" && pwd) || exit 1
SOURCE_DIR=${2:?source folder}

travail=$(mktemp -d "${TMPDIR:-/tmp}/korvane-e2e.XXXXXX")
# The program must show its windows on the private X server.
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$travail/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
korvane_pid=""
serveur_pid=""
# Other processes to end at exit; "-id" ends a whole process group.
a_arreter=()

nettoyer() {
  local pid
  for pid in $korvane_pid "${a_arreter[@]}" $serveur_pid; do kill -- "$pid" 2>/dev/null; done
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

exiger() {
  local outil
  for outil in "$@"; do command -v "$outil" >/dev/null 2>&1 || passer "$outil is not installed"; done
}

# A copy of the built program and its library, without results of earlier runs.
copier_programme() {
  programme="$travail/prog"
  mkdir -p "$programme"
  cp -a "$RUN_DIR"/. "$programme"/ || echec "cannot copy $RUN_DIR"
  find "$programme" -name '*.rst' -delete
}

# Runs the command given every tenth of a second until it succeeds, for $1 s at most.
sous() {
  local fin=$((SECONDS + $1))
  shift
  until "$@"; do [ $SECONDS -lt $fin ] || return 1; sleep 0.1; done
}
fini() { ! kill -0 "$1" 2>/dev/null; }

# Starts the X server given (its command and options) on a free display
# among :50 to :99, away from the numbers people pick by hand, and exports
# DISPLAY once the server says it accepts clients.
serveur_x() {
  local numero
  for _ in $(seq 1 10); do
    numero=$((50 + RANDOM % 50))
    [ -e "/tmp/.X$numero-lock" ] && continue
    "$@" ":$numero" -displayfd 3 -nolisten tcp -noreset 3>"$travail/display" >"$travail/x.log" 2>&1 &
    serveur_pid=$!
    sous 20 eval '[ -s "$travail/display" ] || fini "$serveur_pid"'
    [ -s "$travail/display" ] && { export DISPLAY=":$numero"; return 0; }
    kill "$serveur_pid" 2>/dev/null
    wait "$serveur_pid"
    serveur_pid=""
  done
  passer "$1 could not start: $(tail -n 3 "$travail/x.log")"
}

# Xvfb, at $1 (800x600 by default).
demarrer_x() {
  exiger Xvfb xdotool
  serveur_x Xvfb -screen 0 "${1:-800x600}x24"
}

# Sets $fenetre to the first visible window matching the xdotool search
# criteria given. Polled rather than "search --sync": a window destroyed
# during the search (the splash on its way out) makes xdotool give up.
visible() {
  fenetre=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
  [ -n "$fenetre" ]
}
# Seen twice in a row: a search that fails on an X error also finds nothing.
fermee() { ! visible --name "$1" && sleep 0.1 && ! visible --name "$1"; }

# Sets the variable $1 to the id of the visible window whose title matches
# the pattern $2, waiting for it at most $3 seconds.
attendre() {
  sous "${3:-30}" visible --name "$2" || echec "window \"$2\" did not appear"
  printf -v "$1" '%s' "$fenetre"
}

attendre_fermeture() { sous 30 fermee "$1" || echec "window \"$1\" did not close"; }

# Gives the keyboard to a window (to the control that has the focus in it).
focaliser() { xdotool windowfocus --sync "$1" 2>/dev/null || echec "cannot focus window $1"; }

touches() {
  focaliser "$1"
  shift
  xdotool key --delay 60 "$@"
}

taper() { xdotool type --delay 60 "$1"; }

# A left click at (x, y) inside a window.
cliquer() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.15
}

# Waits for the box titled $1, answers it with the keys $2 and waits for it
# to close.
repondre() {
  attendre boite "$1"
  touches "$boite" "$2"
  attendre_fermeture "$1"
}

# Starts the program $1 from its own folder; the splash is its first window.
lancer() {
  (cd "$(dirname "$1")" && exec "$1") >>"$travail/korvane.log" 2>&1 &
  korvane_pid=$!
  sous 20 visible --pid "$korvane_pid" || echec "the splash screen did not appear"
}

# Alt+Q in the window $1 must end the program.
quitter() { touches "$1" alt+q; fin_du_programme; }

fin_du_programme() {
  sous 20 fini "$korvane_pid" || echec "the program did not end after Quitter"
  wait "$korvane_pid"
  local code=$?
  korvane_pid=""
  [ "$code" -eq 0 ] || echec "the program ended with code $code"
}

BIBLIOTHEQUE='^GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES$'

# Identifies as $1 of class $2 on the identification screen.
identifier() {
  attendre identification '^IDENTIFICATION$'
  focaliser "$identification"
  taper "$1"
  xdotool key Tab
  taper "$2"
  xdotool key Return
}

# Starts the program $1 and opens its library's first questionnaire as $2 of class $3.
ouvrir() {
  lancer "$1"
  attendre bibliotheque "$BIBLIOTHEQUE"
  touches "$bibliotheque" Down Return
  identifier "$2" "$3"
}

# Opens as ouvrir does, then starts the quiz titled $4.
commencer() {
  ouvrir "$1" "$2" "$3"
  attendre quiz "$4"
  valider "$quiz"
}

# Runs the program $1 as $2 of class $3, who already took the sample
# questionnaire: refused, the identification screen stays, and the results
# file $4 is left as it was.
reprise_refusee() {
  cp "$4" "$travail/avant.rst"
  ouvrir "$1" "$2" "$3"
  repondre '^AVERTISSEMENT$' Return
  sous 5 visible --name '^IDENTIFICATION$' ||
    echec "the identification screen did not stay after the refusal"
  visible --name '^Le corps humain$' && echec "the quiz started for a pupil who already did it"
  touches "$identification" alt+a
  attendre bibliotheque "$BIBLIOTHEQUE"
  quitter "$bibliotheque"
  cmp -s "$4" "$travail/avant.rst" || echec "the refused retake changed $4"
}

# The quiz screen (792 x 540) has its buttons in a row below the answers.
VALIDER=(66 468)
RESULTATS=(190 468)
ABANDON=(314 468)

# Ticks answer $2 (from 0) with the keyboard: each new question gives the
# focus to its first answer, Tab goes to the next one, Space ticks.
cocher() {
  local suite=()
  for ((i = 0; i < $2; i++)); do suite+=(Tab); done
  touches "$1" "${suite[@]}" space
}
valider() { cliquer "$1" "${VALIDER[@]}"; }

abandonner() {
  cliquer "$quiz" "${ABANDON[@]}"
  repondre '^ATTENTION$' alt+o
  attendre resultats '^RESULTATS OBTENUS$'
}

# From the results, the quiz titled $1 again, past its introduction.
recommencer() {
  touches "$resultats" alt+r
  attendre_fermeture '^RESULTATS OBTENUS$'
  attendre quiz "$1"
  valider "$quiz"
}
