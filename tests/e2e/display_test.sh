#!/usr/bin/env bash
# The display switch and its restore, against a real X server: Xorg with the
# dummy video driver, at 1024 x 768. The program must switch the display to
# 800 x 600 at start-up and put 1024 x 768 back however it ends: its quit
# button, the window manager closing its screen, a stop signal, at any moment
# of its start-up too, and a crash or a kill (the guardian process).
#
# Usage: bash display_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
exiger Xorg xrandr xdotool cc
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  passer "the Xorg dummy video driver (xserver-xorg-video-dummy) is not installed"
programme="$RUN_DIR/korvane"
[ -x "$programme" ] || echec "no executable $programme"
ulimit -c 0  # the crashes below are on purpose

# The client message a window manager sends when its close button is used.
cc -o "$travail/fermer_fenetre" "$SOURCE_DIR/tests/e2e/fermer_fenetre.c" -lX11 2>"$travail/cc.log" ||
  passer "cannot build the window-closing helper: $(tail -n 3 "$travail/cc.log")"

# The dummy driver's own modes include 1024 x 768 and 800 x 600.
cat >"$travail/xorg.conf" <<'EOF'
Section "Device"
    Identifier "Carte"
    Driver "dummy"
EndSection
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
EOF
mkdir "$travail/conf.d"
serveur_x Xorg -config "$travail/xorg.conf" -configdir "$travail/conf.d" -logfile "$travail/xorg.log"

taille() { xrandr 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'; }
taille_est() { [ "$(taille)" = "$1" ]; }

# The mode operations themselves, from the unit-test binary.
KORVANE_XRANDR_DISPLAY="$DISPLAY" QT_QPA_PLATFORM=offscreen "$RUN_DIR/../tests/korvane_tests" \
  --gtest_filter='AffichageXrandrReel*' >"$travail/gtest.log" 2>&1 &&
  ! grep -q SKIPPED "$travail/gtest.log" && grep -q '^\[       OK' "$travail/gtest.log" ||
  { cat "$travail/gtest.log"; echec "XRandR display operations"; }

# Each case: the display's size at start-up, and the way the program ends.
# A crash or a kill leaves the restore to the guardian; a display already at
# 800 x 600 is not switched, and stays so.
for cas in "1024x768 "{Quitter,fermeture,INT,TERM,HUP,SEGV,ABRT,KILL} "800x600 TERM"; do
  set -- $cas
  xrandr -s "$1"
  sous 5 taille_est "$1" || echec "cannot set the display to $1"
  lancer "$programme"
  sous 5 eval 'a_arreter=($(pgrep -P "$korvane_pid")); [ ${#a_arreter[@]} -gt 0 ]' ||
    echec "$cas: no guardian process was started"
  sous 10 taille_est 800x600 || echec "$cas: display at $(taille) after the start, expected 800x600"
  case $2 in
    Quitter) attendre bibliotheque "$BIBLIOTHEQUE" 15; touches "$bibliotheque" alt+q ;;
    fermeture) attendre bibliotheque "$BIBLIOTHEQUE" 15; "$travail/fermer_fenetre" "$bibliotheque" ;;
    *) sleep 1; kill -s "$2" "$korvane_pid" ;;
  esac
  sous 10 taille_est "$1" || echec "$cas: display at $(taille), expected $1 back"
  sous 10 fini "$korvane_pid" || echec "$cas: the program did not end"
  wait "$korvane_pid" 2>/dev/null
  statut=$?
  korvane_pid=""
  case $2 in SEGV | ABRT | KILL) [ "$statut" != 0 ] ;; *) [ "$statut" = 0 ] ;; esac ||
    echec "$cas: the program ended with code $statut"
  sous 10 fini "${a_arreter[0]}" || echec "$cas: the guardian lingers"
  a_arreter=()
  echo "ok: $cas"
done

# A stop signal at any moment of the start-up ends the program, with the
# display put back: none may be lost while Qt and the splash get ready.
perdus=""
for delai in $(seq 0.03 0.005 0.2); do
  xrandr -s 1024x768
  "$programme" >"$travail/demarrage.log" 2>&1 &
  korvane_pid=$!
  sleep "$delai"
  kill -s TERM "$korvane_pid"
  sous 5 fini "$korvane_pid" || { perdus="$perdus $delai"; kill -KILL "$korvane_pid"; }
  wait "$korvane_pid" 2>/dev/null
  sous 10 taille_est 1024x768 || perdus="$perdus $delai(display)"
done
korvane_pid=""
[ -z "$perdus" ] || echec "SIGTERM during start-up lost after:$perdus s"
echo "PASS: the display is put back however the program ends"
