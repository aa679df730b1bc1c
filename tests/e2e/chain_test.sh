#!/usr/bin/env bash
# A pupil's whole run through the real program, on a private X server and a
# copy of the sample library: every question of CORPS_HUMAIN (right, wrong,
# one left unanswered), results, one restart abandoned, quit. The results
# file must then hold the counts and marks of both attempts, and a second run
# under the same identifier and class must be refused.
#
# Usage: bash chain_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
exiger iconv
[ -x "$RUN_DIR/korvane" ] || echec "no executable $RUN_DIR/korvane"
demarrer_x
copier_programme

# ---------------------------------------------------------------- first run
lancer "$programme/korvane"
attendre bibliotheque "$BIBLIOTHEQUE"
# CORPS_HUMAIN comes first in the sorted list: a double click launches it.
xdotool mousemove --window "$bibliotheque" 80 66 click --repeat 2 --delay 80 1
identifier b01 3a

attendre quiz '^Le corps humain$'
valider "$quiz"                                     # start
cocher "$quiz" 0; valider "$quiz"                   # 1: right
cocher "$quiz" 1; valider "$quiz"                   # 2: right
cocher "$quiz" 0; valider "$quiz"                   # 3: wrong (only one of two)
valider "$quiz"; repondre '^ATTENTION$' alt+n       # 4: declined, asked again
valider "$quiz"; repondre '^ATTENTION$' alt+o       # 4: left unanswered
cocher "$quiz" 1; valider "$quiz"                   # 5: wrong
cocher "$quiz" 2; valider "$quiz"                   # 6: wrong, with a comment
repondre '^BILAN DU QUESTIONNAIRE$' Return
repondre '^Commentaire$' alt+o
cliquer "$quiz" "${RESULTATS[@]}"

attendre resultats '^RESULTATS OBTENUS$'
fichier="$programme/CORPS_HUMAIN/CORPS_HUMAIN _B01_3A_.rst"
[ -f "$fichier" ] || echec "no results file after the first attempt"

# Restart: a new order, so the second attempt leaves its first question
# unanswered and abandons on the second.
recommencer '^Le corps humain$'
valider "$quiz"; repondre '^ATTENTION$' alt+o
abandonner
quitter "$resultats"

# ------------------------------------------------------- the results file
# The record's layout and bytes are the unit tests' concern; here, what
# the real keys and clicks made of both attempts.
essai() {  # attempt, treated, mark, then the right, wrong and null counts, each with its %
  printf '%s\n' "[Essai - numéro $1]" B01 3A "$2 sur 6" "$3" \
    "Nbre de réponses justes = $4 sur 6 questions posées, soit $5 %" \
    "Nbre de réponses fausses = $6 sur 6 questions posées, soit $7 %" \
    "l'élève n'a pas répondu pour $8 sur 6 questions posées, soit $9 %" DATE HEURE
}
attendu=$(essai 1 6 "16,5/20     soit : 3,3/4" 2 33,3 3 50,0 1 16,7
          essai 2 1 "Test non évaluable" 0 0,0 0 0,0 1 16,7)
# Each record's values, without its headings and blank lines.
obtenu=$(iconv -f WINDOWS-1252 -t UTF-8 "$fichier" | tr -d '\r' | grep -E '^\[Essai|^[^=[]' |
         sed -E 's/^[a-z]+ [0-9]{1,2} [a-zéû]+ 20[0-9]{2}$/DATE/; s/^[0-2][0-9](:[0-5][0-9]){2}$/HEURE/')
[ "$obtenu" = "$attendu" ] ||
  { diff <(echo "$attendu") <(echo "$obtenu") >&2; echec "the results file differs from the expected records"; }
[ "$(find "$programme" -name '*.rst' | wc -l)" -eq 1 ] || echec "results written elsewhere too"

# ------------------------------------------- second run: the retake refused
reprise_refusee "$programme/korvane" B01 3A "$fichier"

echo "PASS: whole chain, results file as expected, retake refused"
