#!/usr/bin/env bash
# Builds the fuzz targets natively with clang++ (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into BUILD_DIR and runs each for SECONDS, one
# at a time, from its committed corpus first: a stored crashing input fails
# the run at once. 0 seconds only builds.
#   tests/fuzz/run-fuzz.sh BUILD_DIR SECONDS [TARGET...]
set -uo pipefail
out=$1 seconds=$2
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)
all="delimited_load_fuzz delimited_put_fuzz raf_load_fuzz raf_put_fuzz find_fuzz"
sources=$(sed -n '/set(WINDOW_FREE_SOURCES/,/)/{s/set(WINDOW_FREE_SOURCES//;s/)//;p}' "$root/tests/CMakeLists.txt")
flags="-std=c++17 -g -O1 -Wall -Wextra -Werror -I$root -fno-sanitize-recover=undefined -fsanitize=address,undefined"
# Built when there is no build yet (find fails) or a source of the
# window-free code or of the targets is newer than the last one.
mkdir -p "$out/obj"
newer=$(find "$root"/{grid,records,edit,odbc,support,tests/fuzz} -newer "$out/built" -name '*.[ch]*' 2>&1 | head -1)
if [ -n "$newer" ]; then
  for f in $sources; do
    clang++ $flags,fuzzer-no-link -c "$root/$f" -o "$out/obj/$(basename "$f" .cpp).o" || exit 1
  done
  for t in $all; do clang++ $flags,fuzzer "$root/tests/fuzz/$t.cpp" "$out"/obj/*.o -o "$out/$t" || exit 1; done
  touch "$out/built"
fi
[ "$seconds" -gt 0 ] || exit 0
# Every input leaves strings in the library's pool, which the per-input leak
# check would take for a leak and run again to confirm.
failed=0
for t in ${*:-$all}; do
  mkdir -p "$out/corpus/$t"
  "$out/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -detect_leaks=0 -print_final_stats=1 \
    -artifact_prefix="$out/$t-" "$out/corpus/$t" "$root/tests/fuzz/corpus/$t" >"$out/$t.log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$t.log")
  cov=$(grep -o 'cov: [0-9]*' "$out/$t.log" | tail -1)
  echo "$t: ${runs:-?} executions, ${cov:-cov: ?}, $((rc != 0)) crashes"
  [ $rc -eq 0 ] || { failed=1; grep -E -A30 '^==[0-9]+==ERROR|runtime error|broken:' "$out/$t.log" | head -60; }
done
exit $failed
