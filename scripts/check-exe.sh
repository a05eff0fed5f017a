#!/usr/bin/env bash
# Checks a built Kelvane95.exe: the right machine type, no MinGW runtime DLL
# among its imports (it must run from a folder with nothing beside it but its
# data), and for the 32-bit program only imports that Windows XP has
# (scripts/xp-imports.txt).
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
if [ "$arch" = i386 ]; then
  # Every imported function as "DLL function", the DLL in capitals.
  imports=$($objdump -p "$exe" | awk '
    /DLL Name:/ { dll = toupper($3); next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_]/ { print dll, $3 }
    /^ [0-9a-f]{8}\t/ { dll = "" }' | sort -u)
  allowed=$(grep -v '^#' "$(dirname "$0")/xp-imports.txt" | awk 'NF { print $1, $2 }' | sort -u)
  missing=$(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))
  if [ -n "$missing" ]; then
    echo "$exe: imports that Windows XP lacks or that are not yet checked (scripts/xp-imports.txt):" >&2
    sed 's/^/  /' <<<"$missing" >&2
    exit 1
  fi
  [ -n "$imports" ] || { echo "$exe: no imports found" >&2; exit 1; }
  echo "$exe: $arch, no MinGW runtime DLL, $(wc -l <<<"$imports") imports, all in Windows XP"
  exit 0
fi
echo "$exe: $arch, no MinGW runtime DLL"
