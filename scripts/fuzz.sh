#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, the "fuzz" preset, build/fuzz) and
# runs each of them over its corpus in fuzz/corpus/<name>/.
#   scripts/fuzz.sh --short     a bounded number of runs each (part of ./test)
#   scripts/fuzz.sh [SECONDS]   each harness for SECONDS (default 300); new
#                               inputs go to build/fuzz/corpus/<name>/
# Needs the native build's data files (build/native/data). A crash leaves its
# input in build/fuzz/artifacts/ and makes the script fail.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$KV_ROOT"

mode=${1:-300}
# Runs of the short check, per harness: the cheap parsers take many, the
# searches and loaders that walk the whole Bible per input fewer.
declare -A short_runs=(
  [reference]=20000 [cross_references]=20000 [settings]=1000
  [query]=400 [note_sets]=300 [bible_data]=150
)
harnesses=(reference cross_references query settings note_sets bible_data)

if [ ! -f build/native/data/_avtext.dat ]; then
  kv_say "the fuzz harnesses need the native build's data files: build the native preset first"
  exit 1
fi
if [ ! -f build/fuzz/CMakeCache.txt ]; then
  cmake --preset fuzz >/dev/null
fi
cmake --build --preset fuzz -j "$KV_JOBS" >/dev/null

mkdir -p build/fuzz/artifacts
failed=0
total=0
for name in "${harnesses[@]}"; do
  work=build/fuzz/corpus/$name
  mkdir -p "$work"
  if [ "$mode" = --short ]; then
    # New inputs go to a throw-away folder: the short check changes nothing.
    work=$(mktemp -d)
    limit=(-runs="${short_runs[$name]}")
  else
    limit=(-max_total_time="$mode")
  fi
  log=build/fuzz/$name.log
  if build/fuzz/fuzz/${name}_fuzz "${limit[@]}" -seed=1 -max_len=4096 -rss_limit_mb=4096 \
       -artifact_prefix=build/fuzz/artifacts/${name}- "$work" fuzz/corpus/$name >"$log" 2>&1; then
    done_line=$(grep -E '^Done [0-9]+ runs' "$log" | tail -1)
    runs=$(awk '{print $2}' <<<"$done_line")
    total=$((total + ${runs:-0}))
    printf 'fuzz %-17s %s\n' "$name" "$done_line"
  else
    failed=1
    kv_say "fuzz $name FAILED; its log: $log"
    grep -E 'ERROR|broken promise|SUMMARY|Test unit written' "$log" | head -20 >&2 || true
  fi
  [ "$mode" = --short ] && rm -rf "$work"
done
printf 'fuzz: %d executions over %d harnesses\n' "$total" "${#harnesses[@]}"
exit $failed
