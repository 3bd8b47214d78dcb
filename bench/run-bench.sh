#!/bin/sh
# Runs the search benchmark on catalogues of 10,000, 100,000 and 1,000,000
# records, each size in its own process (so each peak memory is its own),
# first offscreen and then on a real X server; then the catalogue tool's
# csv export and check, and the overdue list, on the same catalogues, and
# what the XML readers' feed adds to Qt's reading of a sheet.
#   bench/run-bench.sh BUILD_DIR
# BENCH_SIZES and BENCH_REPEATS override the sizes and the runs per search.
set -eu

build=${1:-build/bench}
bin=$build/bench
data=$build/data
results=$build/results
sizes=${BENCH_SIZES:-10000 100000 1000000}
repeats=${BENCH_REPEATS:-5}
mkdir -p "$results"

QT_QPA_PLATFORM=offscreen "$bin/lomira_bench_test" --gtest_brief=1

for n in $sizes; do
  if [ ! -f "$data/$n/Zelkor.dat" ]; then
    echo "generating $n records"
    mkdir -p "$data/$n"
    "$bin/lomira_bench_generate" "$n" "$data/$n/Zelkor.dat"
  fi
done

failed=0
run() {  # platform size
  echo
  echo "=== $2 records, $1 ==="
  if ! QT_QPA_PLATFORM=$1 "$bin/lomira_bench" "$data/$2" "$repeats" >"$results/$1-$2.txt" 2>"$results/$1-$2.err"; then
    failed=1
  fi
  cat "$results/$1-$2.txt"
}

for n in $sizes; do run offscreen "$n"; done

for n in $sizes; do
  echo
  echo "=== $n records, export and check ==="
  if ! "$bin/lomira_bench_transfer" "$data/$n" "$repeats" >"$results/transfer-$n.txt" 2>"$results/transfer-$n.err"; then
    failed=1
  fi
  cat "$results/transfer-$n.txt"
done

for n in $sizes; do
  echo
  echo "=== $n records, overdue list ==="
  if ! "$bin/lomira_bench_loans" "$data/$n" "$repeats" >"$results/loans-$n.txt" 2>"$results/loans-$n.err"; then
    failed=1
  fi
  cat "$results/loans-$n.txt"
done

echo
echo "=== XML feed against Qt's reading ==="
if ! "$bin/lomira_bench_xml_feed" 200000 "$repeats" >"$results/xml-feed.txt" 2>"$results/xml-feed.err"; then
  failed=1
fi
cat "$results/xml-feed.txt"

xvfb=
if [ -z "${DISPLAY:-}" ]; then
  # :77 unless another server holds it; then the first free display.
  if [ -e /tmp/.X77-lock ]; then
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$results/xvfb.display" >"$results/xvfb.log" 2>&1 &
  else
    Xvfb :77 -noreset -screen 0 1280x1024x24 -nolisten tcp >"$results/xvfb.log" 2>&1 &
    echo 77 >"$results/xvfb.display"
  fi
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  tries=0
  until [ -s "$results/xvfb.display" ] && DISPLAY=:$(cat "$results/xvfb.display") xprop -root >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 50 ] || ! kill -0 $xvfb 2>/dev/null; then
      echo "Xvfb did not start (see $results/xvfb.log)" >&2
      exit 1
    fi
    sleep 0.1
  done
  DISPLAY=:$(cat "$results/xvfb.display")
  export DISPLAY
fi
for n in $sizes; do run xcb "$n"; done

# Peak memory of the largest catalogue against the smallest, on each platform.
rss() { sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p' "$results/$1-$2.txt"; }
small=$(echo "$sizes" | awk '{print $1}')
large=$(echo "$sizes" | awk '{print $NF}')
for platform in offscreen xcb transfer; do
  if [ "$small" != "$large" ] && [ -n "$(rss $platform "$small")" ] && [ -n "$(rss $platform "$large")" ]; then
    growth=$(($(rss $platform "$large") - $(rss $platform "$small")))
    verdict=MET
    [ $growth -le 10240 ] || verdict=MISSED
    echo
    echo "goal peak memory at $large records within 10 MB of $small records, $platform  $verdict ($growth kB more)"
  fi
done

[ $failed -eq 0 ] || { echo "a benchmark's behaviour checks failed: see $results/*.txt" >&2; exit 1; }
