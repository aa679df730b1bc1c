#!/usr/bin/env bash
# The class report as a teacher opens it: a class of 25 pupils plays two
# questionnaires, korvane-bilan gathers their results, and a real browser
# (headless chromium) renders the page to a PNG and prints it to a PDF.
# The numbers the browser shows must be those of the spreadsheet.
# Usage: bilan_test.sh RUN_DIR SOURCE_DIR. Exit 77: skipped.
set -u
run_dir=$(cd "$1" && pwd)
bilan="$run_dir/korvane-bilan"
classe="$run_dir/../tests/classe_fictive"

passer() { echo "SKIPPED: $*"; exit 77; }
echecs=0
echouer() { echo "FAIL: $*"; echecs=$((echecs + 1)); }
reussir() { echo "ok: $*"; }

[ -x "$bilan" ] && [ -x "$classe" ] || passer "programs not built: $bilan $classe"
command -v chromium >/dev/null || passer "chromium is not installed"
command -v convert >/dev/null || passer "ImageMagick is not installed"

temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT
navigateur() {
  timeout 90 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
    --user-data-dir="$temp/profil" "$@" 2>>"$temp/chromium.log"
}
echo '<p>essai</p>' >"$temp/essai.html"
navigateur --dump-dom "file://$temp/essai.html" | grep -q essai ||
  passer "chromium cannot start: $(tail -n 3 "$temp/chromium.log")"

"$classe" "$temp/classe" 25 >/dev/null || { echo "FAIL: the class could not be generated"; exit 1; }
(cd "$temp" && "$bilan" classe >"$temp/sortie.txt" 2>"$temp/erreurs.txt")
code=$?
[ "$code" = 0 ] && reussir "korvane-bilan exits 0" || echouer "korvane-bilan exits $code: $(cat "$temp/erreurs.txt")"
grep -q "bilan.html" "$temp/sortie.txt" && reussir "it says where the report is" || echouer "no path printed"

# Mean and highest mark of each questionnaire, from the spreadsheet.
page="file://$temp/bilan.html"
navigateur --dump-dom "$page" >"$temp/dom.html"
for q in PLANETES VOLCANS; do
  attendu=$(awk -F';' -v q="$q" '$1 == q && $15 == "oui\r" { n = $13; sub(",", ".", n); s += n; c++;
              if (c == 1 || n + 0 > m) m = n + 0 }
            END { printf "Moyenne<b>%.1f</b>|Note la plus haute<b>%.1f</b>", s / c, m }' "$temp/bilan.csv" |
            tr . ,)
  moyenne=${attendu%%|*} haute=${attendu##*|}
  grep -q "$moyenne" "$temp/dom.html" && grep -q "$haute" "$temp/dom.html" &&
    reussir "$q: the page shows $moyenne and $haute" || echouer "$q: $attendu not in the page"
done
grep -q "presque personne n'y répond juste" "$temp/dom.html" &&
  reussir "a question is flagged" || echouer "no flagged question"

navigateur --screenshot="$temp/bilan.png" --window-size=1000,4400 "$page" >/dev/null
barres=$(convert "$temp/bilan.png" -fill black +opaque '#3B7BBF' -fill white -opaque '#3B7BBF' \
           -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
[ "${barres:-0}" -gt 500 ] && reussir "the PNG shows the histogram ($barres px)" ||
  echouer "no histogram in the PNG (${barres:-none})"

navigateur --print-to-pdf="$temp/bilan.pdf" --no-pdf-header-footer "$page" >/dev/null
[ "$(head -c 5 "$temp/bilan.pdf" 2>/dev/null)" = "%PDF-" ] && [ "$(stat -c %s "$temp/bilan.pdf")" -gt 20000 ] &&
  reussir "printed to a PDF" || echouer "no PDF"
[ -n "${KORVANE_CAPTURE:-}" ] && cp "$temp/bilan.png" "$KORVANE_CAPTURE"

[ "$echecs" = 0 ] || exit 1
