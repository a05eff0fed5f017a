#!/usr/bin/env bash
# Checks a built Kelvane95.exe: the right machine type, and no MinGW runtime
# DLL among its imports (it must run from a folder with nothing beside it but
# its data).
set -euo pipefail
exe=$1 arch=$2
objdump=x86_64-w64-mingw32-objdump
[ "$arch" = i386 ] && objdump=i686-w64-mingw32-objdump
header=$($objdump -f "$exe")
grep -q "file format pei-$arch" <<<"$header" || { echo "$exe: not a $arch executable" >&2; exit 1; }
if $objdump -p "$exe" | grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)'; then
  echo "$exe: needs a MinGW runtime DLL" >&2
  exit 1
fi
echo "$exe: $arch, no MinGW runtime DLL"
