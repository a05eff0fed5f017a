#!/usr/bin/env bash
# Checks the Debian package of kelvane the way a user meets it: installs it
# with dpkg into a scratch root (its own dpkg database, so the machine's is
# not touched), runs `kelvane search faith` from the PATH, formats the manual
# page with `man -l`, then removes the package and checks that nothing of it
# is left.
#   check-deb.sh build/package/kelvane_VERSION_amd64.deb
set -euo pipefail
deb=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "$deb: $*" >&2; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = kelvane ] || fail "not the kelvane package"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "not amd64"
want="./usr/bin/kelvane
./usr/share/kelvane/_avtext.dat
./usr/share/kelvane/_avvidx.dat
./usr/share/kelvane/_avwidx.dat
./usr/share/kelvane/_avwptr.dat
./usr/share/kelvane/_avwrds.dat
./usr/share/man/man1/kelvane.1.gz"
have=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort)
[ "$have" = "$want" ] || fail "unexpected contents: $have"

# The program is linked whole and needs no other package; should it ever
# depend on one, apt checks the machine can meet it (without installing), and
# dpkg does not look for it in the scratch root.
depends=$(dpkg-deb -f "$deb" Depends)
if [ -n "$depends" ]; then
  apt-get install -s -qq "$deb" >/dev/null 2>&1 || fail "its dependencies ($depends) cannot be met here"
fi
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >/dev/null
[ "$(dpkg --root="$root" -s kelvane | sed -n 's/^Status: //p')" = "install ok installed" ] || fail "not installed"

got=$(PATH="$root/usr/bin:$PATH" kelvane search faith) || fail "kelvane search faith failed"
[ "$(PATH="$root/usr/bin:$PATH" command -v kelvane)" = "$root/usr/bin/kelvane" ] || fail "kelvane not on the PATH"
[ "$(head -n 1 <<<"$got")" = "231 verses, 247 occurrences" ] || fail "search faith: $(head -n 1 <<<"$got")"
[ "$(wc -l <<<"$got")" = 232 ] || fail "search faith: $(wc -l <<<"$got") lines"
man_text=$(MANWIDTH=80 man -l "$root/usr/share/man/man1/kelvane.1.gz" 2>&1) || fail "man -l failed: $man_text"
grep -q '^NAME' <<<"$man_text" && grep -q 'EXIT STATUS' <<<"$man_text" || fail "the manual page does not format"
if grep -qi 'warning' <<<"$man_text"; then fail "the manual page formats with warnings: $man_text"; fi

dpkg --root="$root" --force-not-root --log=/dev/null -r kelvane >/dev/null
[ -z "$(find "$root/usr" -type f 2>/dev/null)" ] || fail "files left after removal: $(find "$root/usr" -type f)"
echo "$deb: installs, kelvane search faith runs from the PATH, man -l formats its page, removes cleanly"
