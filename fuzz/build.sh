#!/usr/bin/env bash
# Builds the catalogue fuzzer with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for the given number of seconds
# (default 60) starting from the seed corpus in fuzz/corpus. New inputs it
# finds go to build/fuzz/corpus, never into the source tree.
#
#   fuzz/build.sh [seconds]
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}

if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
  $sudo apt-get install -y clang libclang-rt-14-dev
fi

mkdir -p "$out/corpus"
sources=()
for f in "$root"/src/catalogue/*.cpp; do
  case "$f" in *_win.cpp) ;; *) sources+=("$f") ;; esac
done

# shellcheck disable=SC2046
clang++ -std=c++17 -g -O1 -fPIC -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -I"$root/src" $(pkg-config --cflags Qt6Core) \
  "$here/catalogue_fuzz.cpp" "${sources[@]}" $(pkg-config --libs Qt6Core) \
  -o "$out/catalogue_fuzz"

# Each input writes and syncs a small file: keep them in memory when we can.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
"$out/catalogue_fuzz" -max_total_time="$seconds" -max_len=8192 -timeout=10 "$out/corpus" "$here/corpus"
