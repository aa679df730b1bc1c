# Sourced by the end-to-end tests: starts a private X server of size $1
# (800x600 by default) on a free display picked at random among :50 to :99,
# and exports DISPLAY.
# Needs the caller's $travail (its scratch folder), xvfb_pid (set here, for
# its clean-up) and passer (skip with a reason).
demarrer_x() {
  local essai numero
  for essai in $(seq 1 15); do
    numero=$((50 + RANDOM % 50))
    [ -e "/tmp/.X$numero-lock" ] || [ -e "/tmp/.X11-unix/X$numero" ] && continue
    Xvfb ":$numero" -screen 0 "${1:-800x600}x24" -nolisten tcp >"$travail/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
      # The server answering must be ours, not one that took the number first.
      if [ "$(cat "/tmp/.X$numero-lock" 2>/dev/null | tr -d ' ')" = "$xvfb_pid" ] &&
         DISPLAY=":$numero" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$numero"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  passer "no X server could be started on a free display"
}
