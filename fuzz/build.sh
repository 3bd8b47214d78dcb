#!/usr/bin/env bash
# Builds the fuzzers with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for the given number of seconds
# (default 60): the catalogue's reader and writer from the seed corpus in
# fuzz/corpus, and the import's readers (xlsx, ods, xls, csv, mrc, xml) from
# the seeds fuzz/seeds.py writes, the hostile files among them. New inputs go
# to build/fuzz/corpus, never into the source tree. FUZZ_SEED fixes the
# fuzzers' random seed (CI's short run: the same inputs in the same order each
# time, as many as the time allows, so that a fault it finds is in the change
# under test); unset, each run draws its own.
#
#   fuzz/build.sh [seconds]
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}
jobs=$(nproc)

if ! command -v clang++ >/dev/null || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  sudo=$([ "$(id -u)" -eq 0 ] || echo sudo)
  $sudo apt-get install -y clang libclang-rt-14-dev
fi

# Objects of sources since moved or removed would be linked in too: the
# folder is made afresh (ccache serves the unchanged sources).
rm -rf "$out/obj"
mkdir -p "$out/obj" "$out/corpus"
flags=(-std=c++17 -g -O1 -fPIC -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
       -fno-sanitize-recover=undefined -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -I"$root/src")
# shellcheck disable=SC2207
flags+=($(pkg-config --cflags Qt6Core yaz freexl minizip xlsxwriter))
# shellcheck disable=SC2207
libs=($(pkg-config --libs Qt6Core yaz freexl minizip xlsxwriter))
compiler=(clang++)
if command -v ccache >/dev/null; then compiler=(ccache clang++); fi

# The libraries' sources once, in parallel.
sources=()
for f in "$root"/src/catalogue/*.cpp "$root"/src/catalogue/*/*.cpp "$root"/src/transfer/*.cpp "$root"/src/transfer/*/*.cpp \
  "$root"/src/transfer/*/*/*.cpp; do
  case "$f" in *_win.cpp) ;; *) sources+=("$f") ;; esac
done
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -I{} sh -c \
  'o="$1/obj/$(basename "$(dirname "$2")")_$(basename "$2" .cpp).o"; shift 2; exec "$@" -c "$0" -o "$o"' \
  {} "$out" {} "${compiler[@]}" "${flags[@]}"
objects=("$out"/obj/*.o)

fuzzers=(catalogue)
"${compiler[@]}" "${flags[@]}" -fsanitize=fuzzer "$here/catalogue_fuzz.cpp" "${objects[@]}" "${libs[@]}" \
  -o "$out/catalogue_fuzz"
kinds=(xlsx ods xls csv mrc xml)
for kind in "${kinds[@]}"; do
  "${compiler[@]}" "${flags[@]}" -fsanitize=fuzzer -DLOMIRA_FUZZ_KIND="\"$kind\"" "$here/reader_fuzz.cpp" \
    "${objects[@]}" "${libs[@]}" -o "$out/${kind}_fuzz" &
  fuzzers+=("$kind")
  [ "$(jobs -r | wc -l)" -lt "$jobs" ] || wait -n
done
wait
rm -rf "$out/seeds"
python3 "$here/seeds.py" "$out/seeds" "$root"

# Leaks inside other libraries are named, with their reasons, in one list.
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
# Each input writes a small file: keep them in memory when we can.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
for name in "${fuzzers[@]}"; do
  mkdir -p "$out/corpus/$name"
  if [ "$name" = catalogue ]; then seeds=$here/corpus; len=8192; else seeds=$out/seeds/$name; len=131072; fi
  echo "== $name: $seconds s"
  if ! "$out/${name}_fuzz" -max_total_time="$seconds" -max_len=$len -timeout=10 -rss_limit_mb=2048 \
    -seed="${FUZZ_SEED:-0}" -artifact_prefix="$out/$name-" -print_final_stats=1 "$out/corpus/$name" "$seeds" \
    >"$out/$name.log" 2>&1; then
    grep -E -A30 'ERROR|SUMMARY' "$out/$name.log" | head -60 >&2
    echo "fuzz/build.sh: the $name fuzzer found a fault; the input is $out/$name-crash-* (or -timeout-, -oom-)" >&2
    exit 1
  fi
  grep -E '^Done|stat::number_of_executed_units' "$out/$name.log" || true
done
