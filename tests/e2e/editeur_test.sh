#!/usr/bin/env bash
# A teacher's edit through the real editor, with real X events on a private X
# server: open a copy of VOLCANS, retype one answer, undo an edit of another,
# Ctrl+S, Ctrl+Q. The questionnaire file must differ from the original in
# that answer only, and the companion must be untouched.
#
# Usage: bash editeur_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
[ -x "$RUN_DIR/korvane-editeur" ] || echec "no executable $RUN_DIR/korvane-editeur"
demarrer_x 1024x768
cp -r "$SOURCE_DIR/library/VOLCANS" "$travail/VOLCANS"
"$RUN_DIR/korvane-editeur" "$travail/VOLCANS" >>"$travail/korvane.log" 2>&1 &
korvane_pid=$!
attendre editeur 'VOLCANS'

# Question 1 is selected: Alt+2 goes to its second answer, "Le puy de Dôme".
touches "$editeur" alt+2 ctrl+a
taper "Le puy de Come"
# An edit of answer 3 undone from answer 2: Ctrl+Z is the window's, not the field's.
touches "$editeur" alt+3
taper "Erreur"
touches "$editeur" alt+2 ctrl+z ctrl+s
sleep 0.5
touches "$editeur" ctrl+q
fin_du_programme

original="$SOURCE_DIR/library/VOLCANS/VOLCANS.dat"
LC_ALL=C awk 'NR == 4 { printf "Le puy de Come\r\n"; next } { print }' "$original" >"$travail/attendu.dat"
cmp "$travail/attendu.dat" "$travail/VOLCANS/VOLCANS.dat" || echec "VOLCANS.dat differs elsewhere than in answer 2"
cmp "$SOURCE_DIR/library/VOLCANS/VOLCANS.ini" "$travail/VOLCANS/VOLCANS.ini" || echec "VOLCANS.ini changed"
echo "PASS"
