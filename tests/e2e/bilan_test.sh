#!/usr/bin/env bash
# The class report as a teacher opens it: a class of 25 pupils plays two
# questionnaires, korvane-bilan gathers their results, and a real browser
# (headless chromium) renders the page to a PNG and prints it to a PDF.
# The numbers the browser shows must be those of the spreadsheet.
#
# Usage: bash bilan_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
exiger chromium convert
classe="$RUN_DIR/../tests/classe_fictive"
[ -x "$RUN_DIR/korvane-bilan" ] && [ -x "$classe" ] || echec "programs not built in $RUN_DIR"

navigateur() {
  timeout 90 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
    --user-data-dir="$travail/profil" "$@" 2>>"$travail/chromium.log"
}
navigateur --dump-dom 'data:text/html,<p>essai</p>' | grep -q essai ||
  passer "chromium cannot start: $(tail -n 3 "$travail/chromium.log")"

"$classe" "$travail/classe" 25 >/dev/null || echec "the class could not be generated"
(cd "$travail" && "$RUN_DIR/korvane-bilan" classe >sortie.txt 2>erreurs.txt) ||
  echec "korvane-bilan failed: $(cat "$travail/erreurs.txt")"
grep -q "bilan.html" "$travail/sortie.txt" || echec "korvane-bilan does not say where the report is"

# Mean and highest mark of each questionnaire, from the spreadsheet.
page="file://$travail/bilan.html"
navigateur --dump-dom "$page" >"$travail/dom.html"
for q in PLANETES VOLCANS; do
  attendu=$(awk -F';' -v q="$q" '$1 == q && $15 == "oui\r" { n = $13; sub(",", ".", n); s += n; c++;
              if (c == 1 || n + 0 > m) m = n + 0 }
            END { printf "Moyenne<b>%.1f</b>|Note la plus haute<b>%.1f</b>", s / c, m }' "$travail/bilan.csv" |
            tr . ,)
  grep -q "${attendu%%|*}" "$travail/dom.html" && grep -q "${attendu##*|}" "$travail/dom.html" ||
    echec "$q: $attendu not in the page"
done

navigateur --screenshot="$travail/bilan.png" --window-size=1000,4400 "$page" >/dev/null
barres=$(convert "$travail/bilan.png" -fill black +opaque '#3B7BBF' -fill white -opaque '#3B7BBF' \
           -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
[ "${barres:-0}" -gt 500 ] || echec "no histogram in the PNG (${barres:-none})"
[ -n "${KORVANE_CAPTURE:-}" ] && cp "$travail/bilan.png" "$KORVANE_CAPTURE"

navigateur --print-to-pdf="$travail/bilan.pdf" --no-pdf-header-footer "$page" >/dev/null
[ "$(head -c 5 "$travail/bilan.pdf" 2>/dev/null)" = "%PDF-" ] && [ "$(stat -c %s "$travail/bilan.pdf")" -gt 20000 ] ||
  echec "no PDF"
echo "PASS: the browser shows the spreadsheet's marks, a histogram, and prints"
