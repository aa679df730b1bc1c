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

command -v iconv >/dev/null 2>&1 || { echo "SKIP: iconv is not installed"; exit 77; }
[ -x "$RUN_DIR/korvane" ] || { echo "FAIL: no executable $RUN_DIR/korvane"; exit 1; }
source "$(dirname "$0")/fenetres.sh"
programme="$travail/prog"

# ---------------------------------------------------------------- first run
demarrer_x
mkdir -p "$programme"
cp -a "$RUN_DIR"/. "$programme"/ || echec "cannot copy $RUN_DIR"
find "$programme" -name '*.rst' -delete

lancer "$programme/korvane"
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
lancer "$programme/korvane"
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
