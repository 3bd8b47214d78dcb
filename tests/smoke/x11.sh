# Sourced by the scripts that drive the real programs: a private Xvfb, a
# temporary working folder ($work), a home of its own and the xdotool helpers.
# All are removed on exit, with the program started last ($app_pid) when still
# running.
work=$(mktemp -d)
own_home=$(mktemp -d)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work" "$own_home"
}
trap cleanup EXIT
# What the programs keep in the user's settings stays with this run.
mkdir -m 700 "$own_home/runtime"
export HOME=$own_home XDG_CONFIG_HOME=$own_home/.config XDG_DATA_HOME=$own_home/.local/share \
  XDG_CACHE_HOME=$own_home/.cache XDG_STATE_HOME=$own_home/.local/state XDG_RUNTIME_DIR=$own_home/runtime

# Xvfb picks a free display itself and writes its number, so that servers
# started at the same moment by other test runs never collide; -noreset keeps
# it serving between two programs, when it has no client at all.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "${0##*/}: $*" >&2; exit 1; }

# Waits for a window whose name is exactly $1; prints its id.
wait_window() {
  for _ in $(seq 100); do
    for id in $(xdotool search --name "" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Keys go to the focused window through XTEST, as a keyboard's would.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.2; }
key() { xdotool key --clearmodifiers "$1"; sleep 0.3; }

# Waits for the program started last; its exit status goes into $status.
wait_app() {
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
}

# Alt+X to the focused window, which ends the program started last with
# status 0; $1 names the program.
alt_x_ends() {
  key alt+x
  wait_app
  [ "$status" = 0 ] || fail "$1 ended with status $status"
}

# Presses Escape on the progress box $1 and fails unless it is gone within a
# second; $start keeps the moment Escape was pressed, in nanoseconds.
cancel_within_a_second() {
  start=$(date +%s%N)
  xdotool key Escape
  while xdotool search --onlyvisible --name "" 2>/dev/null | grep -qx "$1"; do
    [ $(($(date +%s%N) - start)) -lt 1000000000 ] || fail "the progress box stands a second after Cancel"
    sleep 0.02
  done
  echo "Cancel answered in $((($(date +%s%N) - start) / 1000000)) ms"
}

# The visible window titled $1 that is shorter than 200 pixels ($2 short: a
# progress box) or not ($2 tall: a dialog), looked for $3 times a tenth of a
# second apart; prints its id, or nothing.
window_by_height() {
  local id
  for _ in $(seq "$3"); do
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] || continue
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if { [ "$2" = short ] && [ "$HEIGHT" -lt 200 ]; } || { [ "$2" = tall ] && [ "$HEIGHT" -ge 200 ]; }; then
        echo "$id"
        return 0
      fi
    done
    [ "$3" -gt 1 ] && sleep 0.1
  done
  return 0
}
