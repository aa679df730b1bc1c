#!/usr/bin/env bash
# The program as a screen reader sees it: on a private X server, with a
# private D-Bus session and the AT-SPI registry, the accessibility tree of
# every screen is walked (arbre_accessible.py) and one question is answered
# through the tree's actions alone.
#
# Usage: bash accessibilite_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
set -uo pipefail

RUN_DIR=${1:?folder of the built program}
SOURCE_DIR=${2:?source folder}

passer() { echo "SKIP: $*"; exit 77; }
for outil in Xvfb xdpyinfo dbus-daemon dbus-send setsid; do
  command -v "$outil" >/dev/null 2>&1 || passer "$outil is not installed"
done
lanceur=/usr/libexec/at-spi-bus-launcher
[ -x "$lanceur" ] || passer "at-spi2-core is not installed ($lanceur)"
# Debian's python3-gi serves Debian's own interpreter, which another one
# found first on the PATH may not see.
python=""
for essai in /usr/bin/python3 python3; do
  "$essai" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
    2>/dev/null && { python=$essai; break; }
done
[ -n "$python" ] || passer "python3-gi with gir1.2-atspi-2.0 is not installed"
[ -x "$RUN_DIR/korvane" ] || { echo "FAIL: no executable $RUN_DIR/korvane"; exit 1; }

travail=$(mktemp -d "${TMPDIR:-/tmp}/korvane-a11y.XXXXXX")
export XDG_RUNTIME_DIR="$travail/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb_pid=""
bus_pid=""
a11y_pid=""

# The session bus and the accessibility bus run in their own process
# groups, so that what they started on demand (the registry) ends with them.
nettoyer() {
  [ -n "$a11y_pid" ] && kill -- "-$a11y_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill -- "-$bus_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$travail"
}
trap nettoyer EXIT

source "$SOURCE_DIR/tests/e2e/serveur_x.sh"
demarrer_x

# A private session bus: nothing of the machine's desktop is reached.
mapfile -t bus < <(setsid dbus-daemon --session --fork --nopidfile \
                     --print-address=1 --print-pid=1 2>"$travail/dbus.log")
[ ${#bus[@]} -ge 2 ] || passer "the D-Bus session bus did not start: $(cat "$travail/dbus.log")"
export DBUS_SESSION_BUS_ADDRESS=${bus[0]}
bus_pid=${bus[1]}

setsid "$lanceur" --launch-immediately >"$travail/a11y.log" 2>&1 &
a11y_pid=$!
demande_bus() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1
}
fin=$((SECONDS + 20))
until demande_bus; do
  kill -0 "$a11y_pid" 2>/dev/null && [ $SECONDS -lt $fin ] ||
    passer "the AT-SPI bus did not start: $(cat "$travail/a11y.log")"
  sleep 0.1
done

programme="$travail/prog"
mkdir -p "$programme"
cp -a "$RUN_DIR"/. "$programme"/ || { echo "FAIL: cannot copy $RUN_DIR"; exit 1; }
find "$programme" -name '*.rst' -delete

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
"$python" "$SOURCE_DIR/tests/e2e/arbre_accessible.py" "$programme"
