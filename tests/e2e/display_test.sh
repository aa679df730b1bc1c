#!/usr/bin/env bash
# The display switch and its restore, against a real X server: an Xorg
# server with the dummy video driver offering 1024 x 768 and 800 x 600.
# The program must switch a 1024 x 768 display to 800 x 600 at start-up and
# put 1024 x 768 back however it ends: its quit button, the window manager
# closing its screen, SIGINT, SIGTERM, and a crash or a kill (the guardian
# process). Usage: display_test.sh RUN_DIR SOURCE_DIR. Exit 77: skipped.
set -u
run_dir=$(cd "$1" && pwd)
source_dir=$2
programme="$run_dir/korvane"
tests_unitaires="$run_dir/../tests/korvane_tests"

passer() { echo "SKIPPED: $*"; exit 77; }
echecs=0
echouer() { echo "FAIL: $*"; echecs=$((echecs + 1)); }
reussir() { echo "ok: $*"; }

ulimit -c 0  # the crashes below are on purpose
[ -x "$programme" ] || passer "program not built: $programme"
for outil in Xorg xrandr xdotool cc; do
  command -v "$outil" >/dev/null || passer "$outil is not installed"
done
pilote=$(ls /usr/lib/xorg/modules/drivers/dummy_drv.so 2>/dev/null) ||
  passer "the Xorg dummy video driver (xserver-xorg-video-dummy) is not installed"

temp=$(mktemp -d)
serveur=""
nettoyer() {
  [ -n "$serveur" ] && kill "$serveur" 2>/dev/null && wait "$serveur" 2>/dev/null
  rm -rf "$temp"
}
trap nettoyer EXIT

# The client message a window manager sends when its close button is used.
cc -o "$temp/fermer_fenetre" "$source_dir/tests/e2e/fermer_fenetre.c" -lX11 2>"$temp/cc.log" ||
  passer "cannot build the window-closing helper: $(tail -n 3 "$temp/cc.log")"

cat >"$temp/xorg.conf" <<'EOF'
Section "Monitor"
    Identifier "Moniteur"
    HorizSync 28.0-80.0
    VertRefresh 48.0-75.0
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Device"
    Identifier "Carte"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Screen"
    Identifier "Ecran"
    Device "Carte"
    Monitor "Moniteur"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768" "800x600"
        Virtual 1024 768
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "Disposition"
    Screen "Ecran"
EndSection
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
EOF
mkdir -p "$temp/conf.d"

# Display :23 unless another server holds it.
numero=${KORVANE_XORG_DISPLAY:-23}
while [ -e "/tmp/.X$numero-lock" ] || [ -e "/tmp/.X11-unix/X$numero" ]; do
  numero=$((numero + 1))
  [ "$numero" -gt 99 ] && passer "no free X display number"
done
export DISPLAY=":$numero"
Xorg "$DISPLAY" -config "$temp/xorg.conf" -configdir "$temp/conf.d" -noreset -nolisten tcp \
  -logfile "$temp/xorg.log" >"$temp/xorg.out" 2>&1 &
serveur=$!
for _ in $(seq 1 100); do
  xrandr >/dev/null 2>&1 && break
  kill -0 "$serveur" 2>/dev/null || break
  sleep 0.1
done
xrandr >/dev/null 2>&1 ||
  passer "the Xorg dummy server could not start on $DISPLAY: $(grep -h -E '\(EE\)|Fatal|not permitted|Only console' "$temp/xorg.out" "$temp/xorg.log" 2>/dev/null | head -n 3 | tr '\n' ' ')"
echo "Xorg dummy server on $DISPLAY"

taille() { xrandr 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
# Runs a check every tenth of a second, for up to $1 seconds.
attendre() {
  local fin=$((SECONDS + $1)); shift
  until "$@"; do [ "$SECONDS" -gt "$fin" ] && return 1; sleep 0.1; done
}
taille_est() { [ "$(taille)" = "$1" ]; }
fini() { ! kill -0 "$1" 2>/dev/null; }

# The mode operations themselves, from the unit-test binary.
if KORVANE_XRANDR_DISPLAY="$DISPLAY" QT_QPA_PLATFORM=offscreen "$tests_unitaires" \
    --gtest_filter='AffichageXrandrReel*' >"$temp/gtest.log" 2>&1 &&
    ! grep -q SKIPPED "$temp/gtest.log" && grep -q '^\[       OK' "$temp/gtest.log"; then
  reussir "XRandR display operations ($(grep -c '^\[       OK' "$temp/gtest.log") cases)"
else
  cat "$temp/gtest.log"; echouer "XRandR display operations ($tests_unitaires)"
fi

# Starts the program on a display of size $1 and checks the size it sets ($2).
demarrer() {
  xrandr -s "$1" 2>/dev/null
  attendre 5 taille_est "$1" || { echouer "cannot set the display to $1"; return 1; }
  QT_QPA_PLATFORM=xcb "$programme" >"$temp/programme.log" 2>&1 &
  programme_pid=$!
  gardien_pid=""
  attendre 5 eval 'gardien_pid=$(pgrep -P "$programme_pid" | head -n 1); [ -n "$gardien_pid" ]'
  if attendre 10 taille_est "$2"; then reussir "started on $1: display at $2"
  else echouer "started on $1: display at $(taille), expected $2"; cat "$temp/programme.log"; fi
}
# The library screen, shown after the splash, found by its title: the
# splash may still be there, on its way out.
bibliotheque() {
  id=$(xdotool search --onlyvisible --name '^GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES$' \
         2>/dev/null | head -n 1)
  [ -n "$id" ] && xdotool getwindowgeometry "$id" >/dev/null 2>&1
}
# After the program's end ($1 names the way), the display must be back at
# $2, the program must have ended by itself ($3 = 0) or by its signal, and
# its guardian must not linger.
verifier_fin() {
  if attendre 10 taille_est "$2"; then reussir "$1: display back at $2"
  else echouer "$1: display at $(taille), expected $2"; fi
  attendre 10 fini "$programme_pid" || { echouer "$1: the program did not end"; kill -KILL "$programme_pid"; }
  wait "$programme_pid" 2>/dev/null
  local statut=$?
  if [ "$3" = 0 ] && [ "$statut" != 0 ]; then echouer "$1: the program did not end cleanly ($statut)"
  elif [ "$3" != 0 ] && [ "$statut" = 0 ]; then echouer "$1: the program survived"; fi
  if [ -z "$gardien_pid" ]; then echouer "$1: no guardian process was started"
  elif ! attendre 10 fini "$gardien_pid"; then echouer "$1: the guardian lingers"; kill "$gardien_pid"; fi
}

# The library screen's quit button (Alt+Q), and the window manager closing it.
for facon in "quit button" "window closed"; do
  demarrer 1024x768 800x600 || continue
  if ! attendre 15 bibliotheque; then
    echouer "$facon: the library screen did not appear"; kill -KILL "$programme_pid"
    wait "$programme_pid" 2>/dev/null; continue
  fi
  if [ "$facon" = "quit button" ]; then
    xdotool windowfocus --sync "$id" 2>/dev/null; xdotool key --clearmodifiers alt+q
  else
    "$temp/fermer_fenetre" "$id"
  fi
  verifier_fin "$facon" 1024x768 0
done

# Stop signals end the program cleanly; a crash or a kill leaves the
# restore to the guardian.
for signal in INT TERM HUP SEGV ABRT KILL; do
  demarrer 1024x768 800x600 || continue
  sleep 1
  kill -s "$signal" "$programme_pid"
  case $signal in INT | TERM | HUP) propre=0 ;; *) propre=1 ;; esac
  verifier_fin "SIG$signal" 1024x768 "$propre"
done

# A stop signal at any moment of the start-up ends the program, with the
# display put back: none may be lost while Qt and the splash get ready.
perdus=""
for delai in $(seq 0.03 0.005 0.2); do
  xrandr -s 1024x768 2>/dev/null
  QT_QPA_PLATFORM=xcb "$programme" >"$temp/programme.log" 2>&1 &
  programme_pid=$!
  sleep "$delai"
  kill -s TERM "$programme_pid"
  if ! attendre 5 fini "$programme_pid"; then
    perdus="$perdus $delai"; kill -KILL "$programme_pid"
  fi
  wait "$programme_pid" 2>/dev/null
  attendre 10 taille_est 1024x768 || perdus="$perdus $delai(display)"
done
if [ -z "$perdus" ]; then reussir "SIGTERM during start-up always ends the program"
else echouer "SIGTERM during start-up lost after:$perdus s"; fi

# A display already at 800 x 600 is not switched, and stays so.
if demarrer 800x600 800x600; then
  sleep 1
  kill -s TERM "$programme_pid"
  verifier_fin "SIGTERM from 800x600" 800x600 0
fi

[ "$echecs" -eq 0 ] || { echo "$echecs failure(s)"; exit 1; }
echo "all display checks passed"
