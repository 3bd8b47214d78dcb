#!/usr/bin/env bash
# Under a file-size limit (ulimit -f) a write past it must fail like a full
# disk, not kill the program: the librarian's program reports it and ends by
# itself, records 1 and 2 keep every byte and no torn record is left behind.
# Tried with the limit at the end of record 2 and in the middle of record 3.
# usage: file-size-limit.sh BIN_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
. "$(dirname "$0")/x11.sh"

caption="Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή:  1  από  2"
cd "$work"
for limit in 700 875; do
  { printf '%-350s' "Record one"; printf '%-350s' "Record two"; } >before.dat
  cp before.dat Zelkor.dat
  prlimit --fsize="$limit" "$bin/Lomira" &
  app_pid=$!
  win=$(wait_window "$caption") || fail "limit $limit: no record window"
  focus "$win"
  # Alt+N writes a blank record 3 at once, past the limit.
  key alt+n
  if ! box=$(wait_window "Σ-Zelkor 3.2"); then
    kill -0 "$app_pid" 2>/dev/null || { wait_app; fail "limit $limit: Lomira died (status $status), nothing reported"; }
    fail "limit $limit: the failed write was not reported"
  fi
  focus "$box"
  key Return
  wait_app
  [ "$status" -lt 128 ] || fail "limit $limit: Lomira was killed by signal $((status - 128))"
  [ "$status" = 0 ] || fail "limit $limit: Lomira ended with status $status"
  cmp -n 700 before.dat Zelkor.dat || fail "limit $limit: records 1 and 2 changed"
  size=$(stat -c %s Zelkor.dat)
  [ $((size % 350)) = 0 ] || fail "limit $limit: a torn record is left, the file is $size bytes"
done
echo "file-size-limit: passed"
