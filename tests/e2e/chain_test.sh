#!/usr/bin/env bash
# A pupil's whole run through the real program, on a private X server and a
# copy of the sample library: splash, library, identification, every question
# of CORPS_HUMAIN (right, wrong, one left unanswered), results, one restart,
# quit. The results file must then hold exactly the expected records, and a
# second run under the same identifier and class must be refused.
#
# Usage: bash chain_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
set -uo pipefail

RUN_DIR=${1:?folder of the built program}
SOURCE_DIR=${2:?source folder}

passer() { echo "SKIP: $*"; exit 77; }
for outil in Xvfb xdotool xdpyinfo iconv; do
  command -v "$outil" >/dev/null 2>&1 || passer "$outil is not installed"
done
[ -x "$RUN_DIR/korvane" ] || { echo "FAIL: no executable $RUN_DIR/korvane"; exit 1; }

travail=$(mktemp -d "${TMPDIR:-/tmp}/korvane-e2e.XXXXXX")
# The program must show its windows on the private X server.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$travail/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
programme="$travail/prog"
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

source "$SOURCE_DIR/tests/e2e/serveur_x.sh"

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

lancer() {
  (cd "$programme" && exec ./korvane) >>"$travail/korvane.log" 2>&1 &
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

# The quiz screen (792 x 573) has its buttons in a row below the answers.
VALIDER=(66 494)
RESULTATS=(190 494)
ABANDON=(314 494)

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

# ---------------------------------------------------------------- first run
demarrer_x
mkdir -p "$programme"
cp -a "$RUN_DIR"/. "$programme"/ || echec "cannot copy $RUN_DIR"
find "$programme" -name '*.rst' -delete

lancer
attendre bibliotheque '^GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES$' 30

# Launching before choosing is refused.
touches "$bibliotheque" Return
attendre boite '^AVERTISSEMENT$'
touches "$boite" Return
attendre_fermeture '^AVERTISSEMENT$'

# CORPS_HUMAIN comes first in the sorted list: a double click launches it.
xdotool mousemove --window "$bibliotheque" 80 66 click --repeat 2 --delay 80 1
attendre identification '^IDENTIFICATION$'
focaliser "$identification"
taper "b01"
xdotool key Tab
taper "3a"
xdotool key Return

attendre quiz '^Le corps humain$'
valider "$quiz"                                # start
cocher "$quiz" 0; valider "$quiz"              # 1: right
cocher "$quiz" 1; valider "$quiz"              # 2: right
cocher "$quiz" 0; valider "$quiz"              # 3: wrong (only one of two)
valider "$quiz"; repondre_attention alt+n      # 4: declined, asked again
valider "$quiz"; repondre_attention alt+o      # 4: left unanswered
cocher "$quiz" 1; valider "$quiz"              # 5: wrong
cocher "$quiz" 2; valider "$quiz"              # 6: wrong, with a comment
attendre bilan '^BILAN DU QUESTIONNAIRE$'
touches "$bilan" Return
attendre_fermeture '^BILAN DU QUESTIONNAIRE$'
attendre commentaire '^Commentaire$'
touches "$commentaire" alt+o
attendre_fermeture '^Commentaire$'
cliquer "$quiz" "${RESULTATS[@]}"

attendre resultats '^RESULTATS OBTENUS$'
fichier="$programme/CORPS_HUMAIN/CORPS_HUMAIN _B01_3A_.rst"
[ -f "$fichier" ] || echec "no results file after the first attempt"

# Restart: a new order, so the second attempt leaves its first question
# unanswered and abandons on the second.
touches "$resultats" alt+r
attendre_fermeture '^RESULTATS OBTENUS$'
attendre quiz '^Le corps humain$'
valider "$quiz"
valider "$quiz"; repondre_attention alt+o
cliquer "$quiz" "${ABANDON[@]}"
repondre_attention alt+o
attendre resultats '^RESULTATS OBTENUS$'
touches "$resultats" alt+q
fin_du_programme

# ------------------------------------------------------- the results file
attendu="$travail/attendu.rst"
enregistrement() {  # attempt, treated, mark line, right, wrong, null counts and percentages
  cat <<EOF

===================(séparation)=====================
[Essai - numéro $1]
[Binôme]
B01


[Classe]
3A


[Nombre de questions traitées]
$2 sur 6


[Note]
$3


Nbre de réponses justes = $4 sur 6 questions posées, soit $5 %
Nbre de réponses fausses = $6 sur 6 questions posées, soit $7 %
l'élève n'a pas répondu pour $8 sur 6 questions posées, soit $9 %


[Date/Heure]
@DATE@
@HEURE@
EOF
}
{
  enregistrement 1 6 "16,5/20     soit : 3,3/4" 2 "33,3" 3 "50,0" 1 "16,7"
  enregistrement 2 1 "Test non évaluable" 0 "0,0" 0 "0,0" 1 "16,7"
} | sed 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1252 >"$attendu"

# The date and time lines are set aside, then checked by pattern.
obtenu="$travail/obtenu.rst"
LC_ALL=C awk -v horodatage="$travail/horodatage" '
  apres == 1 { print $0 > horodatage; print "@DATE@\r"; apres = 2; next }
  apres == 2 { print $0 > horodatage; print "@HEURE@\r"; apres = 0; next }
  { print }
  $0 == "[Date/Heure]\r" { apres = 1 }
' "$fichier" >"$obtenu"
if ! cmp -s "$attendu" "$obtenu"; then
  diff <(iconv -f WINDOWS-1252 -t UTF-8 "$attendu" | cat -A) \
       <(iconv -f WINDOWS-1252 -t UTF-8 "$obtenu" | cat -A) >&2
  echec "the results file differs from the expected records"
fi
[ "$(tail -c 2 "$fichier" | od -An -c | tr -d ' ')" = '\r\n' ] || echec "the last line has no CR LF"

jours='(lundi|mardi|mercredi|jeudi|vendredi|samedi|dimanche)'
mois='(janvier|février|mars|avril|mai|juin|juillet|août|septembre|octobre|novembre|décembre)'
mapfile -t horodatage < <(iconv -f WINDOWS-1252 -t UTF-8 "$travail/horodatage" | tr -d '\r')
[ ${#horodatage[@]} -eq 4 ] || echec "expected two date and two time lines"
for i in 0 2; do
  [[ "${horodatage[$i]}" =~ ^$jours\ ([1-9]|[12][0-9]|3[01])\ $mois\ 20[0-9][0-9]$ ]] ||
    echec "date line \"${horodatage[$i]}\" is not a French date"
  [[ "${horodatage[$((i + 1))]}" =~ ^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$ ]] ||
    echec "time line \"${horodatage[$((i + 1))]}\" is not hh:mm:ss"
done
[ "$(find "$programme" -name '*.rst' | wc -l)" -eq 1 ] || echec "results written elsewhere too"

# ------------------------------------------- second run: the retake refused
cp "$fichier" "$travail/avant.rst"
lancer
attendre bibliotheque '^GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES$' 30
touches "$bibliotheque" Down Return
attendre identification '^IDENTIFICATION$'
focaliser "$identification"
taper "B01"
xdotool key Tab
taper "3A"
xdotool key Return
attendre avertissement '^AVERTISSEMENT$'
touches "$avertissement" Return
attendre_fermeture '^AVERTISSEMENT$'
chercher_fenetre 5 --name '^IDENTIFICATION$' >/dev/null ||
  echec "the identification screen did not stay after the refusal"
xdotool search --onlyvisible --name '^Le corps humain$' >/dev/null &&
  echec "the quiz started for a student who already did it"
touches "$identification" alt+a
attendre bibliotheque '^GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES$'
touches "$bibliotheque" alt+q
fin_du_programme
cmp -s "$fichier" "$travail/avant.rst" || echec "the refused run changed the results file"

echo "PASS: whole chain, results file as expected, retake refused"
