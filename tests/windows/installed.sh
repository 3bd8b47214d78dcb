# Sourced by the scripts that drive the installed Windows programs under Wine:
# a private X server (tests/smoke/x11.sh), a fresh Wine prefix of their own,
# the setup program installed into it silently, and the helpers that start
# the Start-menu entries. Wine's server for the prefix ends on exit, with
# on_exit (the sourcing script's own clean-up, if it has one) before it.
# needs: $src (the sources) and $setup (the setup program)
. "$src/tests/smoke/x11.sh"
unset QT_QPA_PLATFORM

# A home of its own: Wine links the prefix's Documents to the home folder.
mkdir -p "$work/home"
export HOME=$work/home WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
declare -F on_exit >/dev/null || on_exit() { :; }
trap 'on_exit; wineserver -k 2>/dev/null || true; cleanup' EXIT
export PATH=$PATH:/usr/lib/wine
# One server for the whole run, started before the prefix is made.
mkdir -p "$WINEPREFIX" && wineserver -p
wine wineboot --init >/dev/null 2>&1

wine "$setup" /S
programs="$WINEPREFIX/drive_c/Program Files/Lomira"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zelkor"
librarian="$menu/Σ-Zelkor - Κατάλογος Βιβλιοθήκης.lnk"
students="$menu/Μ-Zelkor - Κατάλογος για Μαθητές.lnk"
catalogue_dir="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Documents/Lomira"

caption() { echo "Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  $1  από  $2"; }
view_caption() { echo "Μ-Zelkor 3.2: Μαθητές - Διερεύνηση           Εγγραφή:  $1  από  $2"; }
# A program's first window under Wine may take a few seconds more. When it
# does not come, the windows shown instead are named on the standard error.
wait_long() {
  for _ in 1 2 3 4 5 6; do wait_window "$1" && return 0; done
  echo "no window '$1'" >&2
  shown_windows >&2
  return 1
}
shown_windows() {
  echo "shown:"
  for id in $(xdotool search --name "" 2>/dev/null); do xdotool getwindowname "$id" 2>/dev/null; done | sort -u
}

# Starts a Start-menu entry as Windows' shell does: its program in its
# working folder. wait_app waits for the start command.
start_entry() {
  wine start /wait /unix "$1" &
  app_pid=$!
}

# Waits for a window to go: three seconds, or $2 tenths of a second.
wait_gone() {
  for _ in $(seq "${2:-30}"); do xdotool getwindowname "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done
  return 1
}

# Alt+X until the window is gone: Wine without a window manager may leave the
# keys with a window of a program that is just ending (a refused second
# editor), and `start /wait` may return before its program has ended.
end_with_alt_x() {
  for _ in 1 2 3 4 5; do
    focus "$1"
    key alt+x
    wait_gone "$1" && break
  done
  ! xdotool getwindowname "$1" >/dev/null 2>&1 || fail "$2 did not end on Alt+X; $(shown_windows)"
  # A program that keeps running once its window is gone fails here, not at
  # the end of the whole run's time.
  for _ in $(seq 300); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  ! kill -0 "$app_pid" 2>/dev/null || fail "$2 was still running 30 seconds after its window went"
  wait_app
  [ "$status" = 0 ] || fail "$2 ended with status $status"
}
