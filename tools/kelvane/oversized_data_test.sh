#!/usr/bin/env bash
# Each of the five data files made 2 GiB (a sparse file) is refused by its
# size, quickly and without being read or mapped: kelvane runs with 64 MB of
# address space, in which reading or mapping such a file cannot succeed, and
# must still say that the file is damaged (not that it cannot be read or
# that memory ran out). With the real files, the same limit is no obstacle.
#   oversized_data_test.sh KELVANE DATA_DIR
set -u
kelvane=$1
data=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
limited() { (ulimit -v 65536 && "$kelvane" "$@"); }

for f in "$data"/_av*.dat; do ln -s "$f" "$work/"; done
if ! out=$(limited show --data "$work" "Ge 1:1" 2>&1); then
  echo "the real data under the memory limit: $out" >&2
  exit 1
fi
for name in _avwrds.dat _avwptr.dat _avwidx.dat _avvidx.dat _avtext.dat; do
  rm "$work/$name"
  truncate -s 2G "$work/$name"
  err=$(limited show --data "$work" "Ge 1:1" 2>&1 >/dev/null)
  status=$?
  want="kelvane: cannot use the Bible data in $work: $name is damaged"
  if [ "$status" != 2 ] || [ "$err" != "$want" ]; then
    printf '%s of 2 GiB: exit %s, "%s"\n  expected exit 2, "%s"\n' "$name" "$status" "$err" "$want" >&2
    failed=1
  fi
  rm "$work/$name"
  ln -s "$data/$name" "$work/$name"
done
exit $failed
