#!/usr/bin/env bash
# The program as a screen reader sees it: on a private X server, with a
# private D-Bus session and the AT-SPI registry, the accessibility tree of
# every screen is walked (arbre_accessible.py) and one question is answered
# through the tree's actions alone.
#
# Usage: bash accessibilite_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
exiger dbus-daemon dbus-send setsid
lanceur=/usr/libexec/at-spi-bus-launcher
[ -x "$lanceur" ] || passer "at-spi2-core is not installed ($lanceur)"
# Debian's python3-gi serves Debian's own interpreter, which another one
# found first on the PATH may not see.
python=/usr/bin/python3
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
  2>/dev/null || passer "python3-gi with gir1.2-atspi-2.0 is not installed"
[ -x "$RUN_DIR/korvane" ] || echec "no executable $RUN_DIR/korvane"
demarrer_x

# A private session bus: nothing of the machine's desktop is reached. It and
# the accessibility bus run in their own process groups, so that what they
# started on demand (the registry) ends with them.
mapfile -t bus < <(setsid dbus-daemon --session --fork --nopidfile \
                     --print-address=1 --print-pid=1 2>"$travail/dbus.log")
[ ${#bus[@]} -ge 2 ] || passer "the D-Bus session bus did not start: $(cat "$travail/dbus.log")"
export DBUS_SESSION_BUS_ADDRESS=${bus[0]}
setsid "$lanceur" --launch-immediately >"$travail/a11y.log" 2>&1 &
a_arreter=("-$!" "-${bus[1]}")
sous 20 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.a11y.Bus.GetAddress >/dev/null 2>&1 || passer "the AT-SPI bus did not start: $(cat "$travail/a11y.log")"

copier_programme
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
"$python" "$SOURCE_DIR/tests/e2e/arbre_accessible.py" "$programme" "$travail/korvane.log" ||
  echec "the accessibility tree is not as a screen reader needs it"
