#!/bin/sh
# Runs the data builder twice into fresh folders and compares what it wrote
# byte for byte: the data files may depend on nothing but the module. Also
# fails if a run leaves anything but the five files behind.
set -eu
tool=$1
module=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-databuild-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$tool" "$module" "$work/first" >/dev/null
"$tool" "$module" "$work/second" >/dev/null
expected="_avtext.dat _avvidx.dat _avwidx.dat _avwptr.dat _avwrds.dat"
for run in first second; do
  found=$(cd "$work/$run" && ls -A | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
  if [ "$found" != "$expected" ]; then
    echo "the $run run left: $found" >&2
    exit 1
  fi
done
for f in $expected; do
  if ! cmp "$work/first/$f" "$work/second/$f"; then
    echo "$f differs between two runs" >&2
    exit 1
  fi
done
echo "two runs wrote identical files"
