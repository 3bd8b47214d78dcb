#!/usr/bin/env bash
# The README's two commands as a newcomer meets them: a minimal Debian 12 root
# (debootstrap's minbase with git and make added, nothing else), the commit
# under test cloned into it, then `make test`, then `make run` under a virtual
# X server until the librarian's window shows the sample catalogue. Each step
# prints its time; the first failure stops the run and shows its output.
#
# The bare root is kept as a tarball outside the clone and made again when it
# is older than a week; each run unpacks a new copy and removes it afterwards.
# Needs root (or sudo) for debootstrap and chroot.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$src" rev-parse HEAD)

if [ "$(id -u)" -ne 0 ]; then exec sudo --preserve-env=LOMIRA_CACHE "$0" "$@"; fi

cache=${LOMIRA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lomira}
tarball=$cache/debian12-minbase.tar
logs=$(mktemp -d)
root=""
cleanup() {
  # The root's mounts live in a namespace of each step's own, so nothing of
  # the host's is below it when it is removed.
  [ -n "$root" ] && rm -rf "$root"
}
trap cleanup EXIT

started=$SECONDS
# step NAME COMMAND...: runs it with its output in a log of its own.
steps=0
step() {
  local name=$1 log t0=$SECONDS
  shift
  steps=$((steps + 1))
  log=$logs/step-$steps.log
  printf '== %s\n' "$name"
  if ! "$@" >"$log" 2>&1; then
    printf '!! %s failed after %d s; its output (last 200 lines; whole log: %s):\n' "$name" $((SECONDS - t0)) "$log"
    tail -n 200 "$log"
    trap - EXIT
    cleanup
    exit 1
  fi
  printf '   %s: %d s\n' "$name" $((SECONDS - t0))
}

# The machine's own Debian mirror and suite, read from its apt sources.
mirror() {
  local uri
  uri=$(grep -h -E '^(URIs:|deb )' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
    grep -v -e security -e updates | head -n 1 | sed -E 's/^URIs:[[:space:]]*//; s/^deb (\[[^]]*\] )?//; s/[[:space:]].*//')
  [ -n "$uri" ] || { echo "no Debian mirror in this machine's apt sources" >&2; return 1; }
  echo "$uri"
}

make_tarball() {
  command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap; }
  local fresh
  fresh=$(mktemp -d)
  debootstrap --variant=minbase --include=git,make bookworm "$fresh" "$(mirror)"
  mkdir -p "$cache"
  tar -C "$fresh" -cf "$tarball.new" . && mv "$tarball.new" "$tarball"
  rm -rf "$fresh"
}

# The root reaches the package registry as this machine does: its resolver,
# hosts, apt sources and apt's settings for reaching them.
unpack_root() {
  root=$(mktemp -d "${TMPDIR:-/tmp}/lomira-fresh.XXXXXX")
  tar -C "$root" -xf "$tarball"
  # mktemp made the folder private; a system's root is open to every user.
  chmod 755 "$root"
  cp /etc/resolv.conf /etc/hosts "$root/etc/"
  rm -f "$root/etc/apt/sources.list"
  cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null || true
  [ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$root/etc/apt/"
  grep -l -s '^Acquire' /etc/apt/apt.conf.d/* | xargs -r cp -t "$root/etc/apt/apt.conf.d/"
  git clone -q --no-hardlinks "$src" "$root/root/lomira"
  git -C "$root/root/lomira" checkout -q "$commit"
}

# in_root COMMAND: runs a shell command in the root as a newcomer's login would,
# with a clean environment, in a namespace whose processes and mounts end
# with it.
in_root() {
  unshare --mount --pid --fork --propagation private bash -c '
    set -e
    mount -t proc proc "$1/proc"
    mount --rbind /dev "$1/dev"
    mount --rbind /sys "$1/sys"
    mount -t tmpfs tmpfs "$1/tmp"
    exec chroot "$1" /usr/bin/env -i HOME=/root TERM=dumb USER=root LOGNAME=root \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "cd /root/lomira || exit 1
$2"' \
    in_root "$root" "$1"
}

# Starts `make run` on a virtual X server (which `make test` installed) and
# waits for the record window's caption with the sample catalogue's count;
# the namespace ends the program.
run_shows_window() {
  in_root '
    Xvfb :7 -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    export DISPLAY=:7
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null || { echo "the virtual X server did not start"; exit 1; }
    make run >/tmp/run.log 2>&1 &
    for _ in $(seq 600); do
      for id in $(xdotool search --name Zelkor 2>/dev/null); do
        name=$(xdotool getwindowname "$id")
        case "$name" in *"Εγγραφή:  1  από  "[1-9]*) echo "shown: $name"; exit 0 ;; esac
      done
      sleep 1
    done
    cat /tmp/run.log
    echo "the record window did not show the sample catalogue"
    exit 1'
}

if [ ! -f "$tarball" ] || [ -n "$(find "$tarball" -mtime +7)" ]; then
  step "debootstrap (kept in $tarball)" make_tarball
fi
step "unpack the bare root and clone ${commit:0:12}" unpack_root
step "make test" in_root 'make test'
step "make run (until the window shows)" run_shows_window
printf 'test-fresh: passed in %d s\n' $((SECONDS - started))
rm -rf "$logs"
