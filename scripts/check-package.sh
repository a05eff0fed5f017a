#!/usr/bin/env bash
# Checks the Windows package: the zip holds exactly the folder a user
# unpacks, both programs (stripped, without MinGW runtime DLLs), the five
# data files, the help file and the readme.
set -euo pipefail
zipfile=$1
folder=${zipfile%.zip}
want="Kelvane95/
Kelvane95/Kelvane95-x64.exe
Kelvane95/Kelvane95.exe
Kelvane95/README.TXT
Kelvane95/_avtext.dat
Kelvane95/_avvidx.dat
Kelvane95/_avwidx.dat
Kelvane95/_avwptr.dat
Kelvane95/_avwrds.dat
Kelvane95/kelva95.hlp"
have=$(zip -sf "$zipfile" | sed -n 's/^  //p' | LC_ALL=C sort)
if [ "$have" != "$(LC_ALL=C sort <<<"$want")" ]; then
  printf '%s: unexpected contents:\n%s\n' "$zipfile" "$have" >&2
  exit 1
fi
dir=$(dirname "$0")
"$dir/check-exe.sh" "$folder/Kelvane95.exe" i386
"$dir/check-exe.sh" "$folder/Kelvane95-x64.exe" x86-64
for exe in "$folder"/*.exe; do
  if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_'; then
    echo "$exe: not stripped" >&2
    exit 1
  fi
done
for f in "$folder"/_av*.dat "$folder"/kelva95.hlp; do
  cmp -s "$f" "build/native/data/${f##*/}" || { echo "$f: not the built data" >&2; exit 1; }
done
echo "$zipfile: both programs, the five data files, the help file and the readme"
