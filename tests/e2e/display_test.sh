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
# Waits up to $2 seconds for the display size $1.
attendre_taille() {
  local fin=$((SECONDS + $2))
  while [ "$SECONDS" -le "$fin" ]; do
    [ "$(taille)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# Waits up to $2 seconds for process $1 to end.
attendre_fin() {
  local fin=$((SECONDS + $2))
  while [ "$SECONDS" -le "$fin" ]; do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# The mode operations themselves, from the unit-test binary.
if [ ! -x "$tests_unitaires" ]; then
  echouer "unit-test binary not built: $tests_unitaires"
else
  if KORVANE_XRANDR_DISPLAY="$DISPLAY" QT_QPA_PLATFORM=offscreen "$tests_unitaires" \
      --gtest_filter='AffichageXrandrReel*' >"$temp/gtest.log" 2>&1 &&
      ! grep -q SKIPPED "$temp/gtest.log" && grep -q '^\[       OK' "$temp/gtest.log"; then
    reussir "XRandR display operations ($(grep -c '^\[       OK' "$temp/gtest.log") cases)"
  else
    cat "$temp/gtest.log"; echouer "XRandR display operations"
  fi
fi

programme_pid=""
gardien_pid=""
# Starts the program on a display of size $1 and checks the size it leaves
# while running ($2).
demarrer() {
  xrandr -s "$1" 2>/dev/null
  attendre_taille "$1" 5 || { echouer "cannot set the display to $1"; return 1; }
  QT_QPA_PLATFORM=xcb "$programme" >"$temp/programme.log" 2>&1 &
  programme_pid=$!
  gardien_pid=""
  for _ in $(seq 1 50); do
    gardien_pid=$(pgrep -P "$programme_pid" | head -n 1)
    [ -n "$gardien_pid" ] && break
    sleep 0.1
  done
  if attendre_taille "$2" 10; then
    reussir "started on $1: display at $2"
  else
    echouer "started on $1: display at $(taille), expected $2"; cat "$temp/programme.log"
  fi
}
# Waits for the library screen (shown after the splash) and gives its id.
ecran_bibliotheque() {
  local fin=$((SECONDS + 15))
  while [ "$SECONDS" -le "$fin" ]; do
    local id
    id=$(xdotool search --onlyvisible --pid "$programme_pid" 2>/dev/null | tail -n 1)
    if [ -n "$id" ] && [ "$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" != 500 ]; then
      echo "$id"; return 0
    fi
    sleep 0.2
  done
  return 1
}
# After the program's end ($1 names the way), the display must be back at
# $2, and neither the program nor its guardian may linger.
verifier_fin() {
  if attendre_taille "$2" 10; then reussir "$1: display back at $2"
  else echouer "$1: display at $(taille), expected $2"; fi
  attendre_fin "$programme_pid" 10 || { echouer "$1: the program did not end"; kill -KILL "$programme_pid"; }
  wait "$programme_pid" 2>/dev/null
  if [ -z "$gardien_pid" ]; then echouer "$1: no guardian process was started"
  elif ! attendre_fin "$gardien_pid" 10; then echouer "$1: the guardian lingers"; kill "$gardien_pid"
  fi
}

# Quit button of the library screen (Alt+Q).
if demarrer 1024x768 800x600; then
  if id=$(ecran_bibliotheque); then
    xdotool windowfocus --sync "$id" 2>/dev/null
    xdotool key --clearmodifiers alt+q
    verifier_fin "quit button" 1024x768
  else
    echouer "the library screen did not appear"; kill -KILL "$programme_pid"; wait "$programme_pid" 2>/dev/null
  fi
fi

# The window manager closing the library screen.
if demarrer 1024x768 800x600; then
  if id=$(ecran_bibliotheque); then
    "$temp/fermer_fenetre" "$id"
    verifier_fin "window closed" 1024x768
  else
    echouer "the library screen did not appear"; kill -KILL "$programme_pid"; wait "$programme_pid" 2>/dev/null
  fi
fi

# Signals that stop the program cleanly, and those it cannot survive.
for signal in INT TERM HUP SEGV ABRT KILL; do
  if demarrer 1024x768 800x600; then
    sleep 1
    kill -s "$signal" "$programme_pid"
    verifier_fin "SIG$signal" 1024x768
  fi
done

# A display already at 800 x 600 is not switched, and stays so.
if demarrer 800x600 800x600; then
  sleep 1
  kill -s TERM "$programme_pid"
  verifier_fin "SIGTERM from 800x600" 800x600
fi

[ "$echecs" -eq 0 ] || { echo "$echecs failure(s)"; exit 1; }
echo "all display checks passed"
